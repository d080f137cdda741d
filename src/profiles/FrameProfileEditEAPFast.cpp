#include "profiles/FrameProfileEditEAPFast.h"

#include "profiles/FormProfileEdit.h"

TFrameProfileEditEAPFast::TFrameProfileEditEAPFast(TComponent* owner) : TFrameBase(owner)
{
    Name = "FrameProfileEditEAPFast";
}

void TFrameProfileEditEAPFast::StoreSettings()
{
    TFormProfileEdit* editor = FormProfileEdit;
    if (!editor)
        return;
    static const int tunnels[] = {26, 13, 6};
    const int position = editor->m_nProvisioningTunnel;
    editor->m_WpaInfo.nProvTunnel = position >= 0 && position < 3 ? tunnels[position] : 26;
    editor->m_WpaInfo.bProvisionEnabled = editor->m_bProvisionMode;
    editor->m_WpaInfo.bPacEnabled = editor->m_bUsePAC;
}
