#include "profiles/FrameProfileEditWPSConnect.h"

#include <cstring>

#include "core/Log.h"
#include "profiles/FormProfileEdit.h"
#include "profiles/ProfileEditControls.h"

using namespace ProfileEditUi;

namespace {

constexpr int kBarLeft = 20, kBarTop = 64, kBarWidth = 300, kBarHeight = 14;

TButton* MakeStartButton(TWinControl* parent, const std::string& caption)
{
    TButton* button = MakeOn<TButton>(parent, 130, 100, 120, 25);
    button->SetCaption(caption);
    return button;
}

}  // namespace

TFrameProfileEditWPSConnect::TFrameProfileEditWPSConnect(TComponent* owner) : TFrameBase(owner)
{
    Name = "FrameProfileEditWPSConnect";
    // Two lines, wrapped at words: the longest status texts show whole.
    editWPSStatus = new TEdit(this);
    editWPSStatus->SetWindowStyle((editWPSStatus->WindowStyle() & ~(ES_AUTOHSCROLL | WS_TABSTOP)) | ES_MULTILINE);
    editWPSStatus->SetParent(this);
    editWPSStatus->SetBounds(20, 14, 360, 40);
    editWPSStatus->SetReadOnly(true);
    editWPSStatus->SetText(S(&CUISTR::STR_WPS_STATUS_NOT_USED));
    ImgWPSStatusBG = MakeOn<TImage>(this, kBarLeft, kBarTop, kBarWidth, kBarHeight);
    ImgWPSStatus = MakeOn<TImage>(this, kBarLeft, kBarTop, kBarWidth, kBarHeight);
    if (FormResource) {
        if (FormResource->ImgProfileStatusBar_BG)
            ImgWPSStatusBG->SetPicture(FormResource->ImgProfileStatusBar_BG->Picture());
        if (FormResource->ImgProfileStatusBar)
            ImgWPSStatus->SetPicture(FormResource->ImgProfileStatusBar->Picture());
    }
    ImgWPSStatusBG->SetStretch(true);
    ImgWPSStatus->SetStretch(true);
    ImgWPSStatusBG->SetShowHint(true);
    ImgWPSStatus->SetShowHint(true);
    ImgWPSStatus->SetVisible(false);
    lblPersent = MakeLabel(this, kBarLeft + kBarWidth + 8, kBarTop, "0 %");
    BtnFinish = MakeStartButton(this, S(&CUISTR::STR_FINISH));
    BtnPIN = MakeStartButton(this, S(&CUISTR::STR_START_PIN));
    BtnPBC = MakeStartButton(this, S(&CUISTR::STR_START_PBC));
    BtnPBC->OnClick = [this](TObject* s) { BtnPBCClick(s); };
    BtnPIN->OnClick = [this](TObject* s) { BtnPINClick(s); };
    BtnFinish->OnClick = [this](TObject* s) { BtnFinishClick(s); };
}

void TFrameProfileEditWPSConnect::BringButtonToFront(TButton* button)
{
    for (TButton* b : {BtnPBC, BtnPIN, BtnFinish})
        b->SetVisible(b == button);
    button->BringToFront();
}

void TFrameProfileEditWPSConnect::OnEnterPage()
{
    TFormProfileEdit* editor = FormProfileEdit;
    editor->BtnProfileNext->SetEnabled(false);
    ImgWPSStatus->SetVisible(false);
    lblPersent->SetCaption("0 %");
    editor->SetWpsStatus(S(&CUISTR::STR_WPS_STATUS_NOT_USED));
    if (editor->m_bConfigSTA) {
        BringButtonToFront(editor->m_nWPSMode == 1 ? BtnPIN : BtnPBC);
        return;
    }
    WPS_CREDENTIAL& first = editor->m_profileWps.Profile[0];
    if (editor->m_nWPSMode == 1) {
        BringButtonToFront(BtnPIN);
        first.KeyIndex = 1;
        std::memset(first.Key, 0, sizeof first.Key);
        first.KeyLength = 0;
        const std::string* key = nullptr;
        if (first.EncrType == WPS_ENCR_WEP && editor->m_nDefaultKey >= 1 && editor->m_nDefaultKey <= 4) {
            key = &editor->m_strWEPKey[editor->m_nDefaultKey - 1];
            first.KeyIndex = uint32_t(editor->m_nDefaultKey);
        } else if (first.EncrType != WPS_ENCR_WEP) {
            key = &editor->m_strPskKey;
        }
        if (key) {
            first.KeyLength = uint32_t(std::min(key->size(), sizeof first.Key));
            std::memcpy(first.Key, key->data(), first.KeyLength);
        }
    } else {
        BringButtonToFront(BtnPBC);
        editor->m_profileWps = WPS_PROFILE{};
    }
    editor->WriteBackWpsProfiletoRegistry();
}

void TFrameProfileEditWPSConnect::BtnPBCClick(TObject*)
{
    FormProfileEdit->OnPbcConnect();
}

void TFrameProfileEditWPSConnect::BtnPINClick(TObject*)
{
    FormProfileEdit->OnPinConnect();
}

void TFrameProfileEditWPSConnect::BtnFinishClick(TObject*)
{
    TFormProfileEdit* editor = FormProfileEdit;
    editor->BtnProfileBack->SetEnabled(true);
    editor->BtnProfileNext->SetEnabled(true);
    editor->SysBtnCloseClick(this);
}
