#include "profiles/FrameProfileEditKey.h"

#include <algorithm>

#include "core/WvwlLib.h"
#include "profiles/FormProfileEdit.h"
#include "profiles/ProfileEditControls.h"
#include "wlapi/constants.h"

using namespace ProfileEditUi;

TFrameProfileEditKey::TFrameProfileEditKey(TComponent* owner) : TFrameBase(owner)
{
    Name = "FrameProfileEditKey";
    PanelWEP = new TPanel(this);
    PanelWEP->SetParent(this);
    PanelWEP->SetBounds(0, 0, kPageWidth, 104);
    PanelWEP->SetColor(WEVO_FORM_COLOR);
    lblKeyFormat = MakeLabel(PanelWEP, 16, 16, S(&CUISTR::STR_KEYFORMAT));
    cboxKeyFormat = MakeCombo(PanelWEP, 140, 12, 200);
    AddEntry(cboxKeyFormat, S(&CUISTR::STR_HEXA), 0);
    AddEntry(cboxKeyFormat, S(&CUISTR::STR_ASCII), 1);
    cboxKeyFormat->OnChange = [this](TObject* s) { cboxKeyFormatChange(s); };
    lblDefaultKey = MakeLabel(PanelWEP, 16, 48, S(&CUISTR::STR_DEFAULTKEY));
    cboxDefaultKey = MakeCombo(PanelWEP, 140, 44, 200);
    cboxDefaultKey->OnChange = [this](TObject* s) { cboxDefaultKeyChange(s); };
    lblWEPKey = MakeLabel(PanelWEP, 16, 80, S(&CUISTR::STR_WEPKEY));
    for (TEdit*& edit : editWEPKey) {
        edit = MakeEdit(PanelWEP, 140, 76, 200);
        edit->SetPasswordChar('*');
        edit->SetMaxLength(26);
    }

    PanelPSK = new TPanel(this);
    PanelPSK->SetParent(this);
    PanelPSK->SetBounds(0, 0, kPageWidth, 104);
    PanelPSK->SetColor(WEVO_FORM_COLOR);
    lblPskKey = MakeLabel(PanelPSK, 16, 16, S(&CUISTR::STR_WPAPSKKEY));
    editPskKey = MakeEdit(PanelPSK, 140, 12, 200);
    editPskKey->SetPasswordChar('*');
    editPskKey->SetMaxLength(64);
    lblPskKeyFormat = MakeLabel(PanelPSK, 16, 48, S(&CUISTR::STR_KEYFORMAT));
    cboxPskKeyFormat = MakeCombo(PanelPSK, 140, 44, 200);
    AddEntry(cboxPskKeyFormat, S(&CUISTR::STR_PSK_HEXA), 0);
    AddEntry(cboxPskKeyFormat, S(&CUISTR::STR_PSK_ASCII), 1);

    chBoxShowPassword = new TCheckBox(this);
    chBoxShowPassword->SetParent(this);
    chBoxShowPassword->SetBounds(140, 108, 200, 17);
    chBoxShowPassword->SetCaption(S(&CUISTR::STR_SHOWPASSWORD));
    chBoxShowPassword->OnClick = [this](TObject* s) { chBoxShowPasswordClick(s); };
}

void TFrameProfileEditKey::OnEnterPage()
{
    TFormProfileEdit* editor = FormProfileEdit;
    if (!editor)
        return;
    const int encry = editor->m_nEncrySel;
    PanelWEP->SetVisible(encry == 1);
    PanelPSK->SetVisible(encry >= 2 && encry <= 7);
    lblPskKeyFormat->SetVisible(encry == 4);
    cboxPskKeyFormat->SetVisible(encry == 4);
    if (encry == 1) {
        cboxDefaultKey->Items().Clear();
        AddEntry(cboxDefaultKey, S(&CUISTR::STR_KEY1), 1);
        if (WinOS() < WINOS_VISTA || editor->m_nInfrastructureMode == 1) {
            AddEntry(cboxDefaultKey, S(&CUISTR::STR_KEY2), 2);
            AddEntry(cboxDefaultKey, S(&CUISTR::STR_KEY3), 3);
            AddEntry(cboxDefaultKey, S(&CUISTR::STR_KEY4), 4);
        } else {
            editor->m_nDefaultKey = 1;
        }
        for (int i = 0; i < 4; ++i)
            editWEPKey[i]->SetText(editor->m_strWEPKey[i]);
        SelectByObject(cboxDefaultKey, editor->m_nDefaultKey);
        cboxDefaultKeyChange(this);
    }
    if (encry >= 2 && encry <= 7) {
        editPskKey->SetText(editor->m_strPskKey);
        SelectByObject(cboxPskKeyFormat, editor->m_nPskKeyType);
    }
    chBoxShowPassword->SetVisible(VOZEZIV.bShowPassword != 0);
    chBoxShowPasswordClick(this);
    FocusFirstTextBox(this);
}

void TFrameProfileEditKey::cboxDefaultKeyChange(TObject*)
{
    TFormProfileEdit* editor = FormProfileEdit;
    const int key = std::clamp(SelectedObject(cboxDefaultKey, 1), 1, 4);
    for (int i = 0; i < 4; ++i)
        editWEPKey[i]->SetVisible(i == key - 1);
    editWEPKey[key - 1]->BringToFront();
    if (editor) {
        editWEPKey[key - 1]->SetText(editor->m_strWEPKey[key - 1]);
        SelectByObject(cboxKeyFormat, editor->m_nWEPKeyFormat[key - 1]);
        cboxKeyFormatChange(this);
    }
}

void TFrameProfileEditKey::cboxKeyFormatChange(TObject*)
{
    const int limit = SelectedObject(cboxKeyFormat, 0) == 1 ? 13 : 26;
    for (TEdit* edit : editWEPKey)
        edit->SetMaxLength(limit);
}

void TFrameProfileEditKey::chBoxShowPasswordClick(TObject*)
{
    const bool clear = VOZEZIV.bShowPassword && chBoxShowPassword->Checked();
    const char mask = clear ? 0 : '*';
    editPskKey->SetPasswordChar(mask);
    for (TEdit* edit : editWEPKey)
        edit->SetPasswordChar(mask);
}

bool TFrameProfileEditKey::StoreSettings()
{
    TFormProfileEdit* editor = FormProfileEdit;
    if (!editor)
        return false;
    for (int i = 0; i < 4; ++i)
        editor->m_strWEPKey[i] = editWEPKey[i]->Text();
    editor->m_strPskKey = editPskKey->Text();
    editor->m_nPskKeyType = editor->m_nAuthSel == 8 ? SelectedObject(cboxPskKeyFormat, 1) : 1;
    editor->m_nDefaultKey = std::clamp(SelectedObject(cboxDefaultKey, 1), 1, 4);
    editor->m_nWEPKeyFormat[editor->m_nDefaultKey - 1] = SelectedObject(cboxKeyFormat, 0);
    return editor->CheckKeys();
}
