#include "profiles/FrameProfileEdit8021X.h"

#include "profiles/FormProfileEdit.h"

TFrameProfileEdit8021X::TFrameProfileEdit8021X(TComponent* owner) : TFrameBase(owner)
{
    Name = "FrameProfileEdit8021X";
}

void TFrameProfileEdit8021X::StoreSettings()
{
    TFormProfileEdit* editor = FormProfileEdit;
    if (!editor)
        return;
    WPA_INFO& info = editor->m_WpaInfo;
    info.nEapMethod = editor->m_nEAPMethod;
    info.nTunnel = editor->m_nTunnelAuthen;
    info.nTTLSTunnel = editor->m_nTTLSTunnelAuthen;
    info.nSessionResume = editor->m_nSessionResumption;
    info.bCacheUser = editor->m_bCacheUserInfo;
    info.nPwdMode = editor->m_nPasswordMode;
}

bool TFrameProfileEdit8021X::CheckSettings()
{
    return true;
}
