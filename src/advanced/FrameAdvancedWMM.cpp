#include "advanced/FrameAdvancedWMM.h"

#include "advanced/AdvancedRecords.h"
#include "ui/ExtCtrls.h"
#include "ui/StdCtrls.h"
#include "core/Log.h"
#include "core/WvwlLib.h"
#include "mainwindow/FormSiteSurvey.h"
#include "resources/WvImage.h"

namespace {

inline std::string Text(std::string CUISTR::*member) { return skin::UiText(member); }

// NDIS encryption states of the key-based ciphers.
bool IsKeyedEncryption(uint32_t status)
{
    switch (status) {
    case 4: case 5: case 6: case 7: case 10: case 11:
        return true;
    default:
        return false;
    }
}

}  // namespace

TFrameAdvancedWMM::TFrameAdvancedWMM(TComponent* owner) : TFrameBase(owner)
{
    Name = "FrameAdvancedWMM";
    chBoxWMM = new TCheckBox({this, 24, 16, 200, 17, "WMM Enable"});
    panelWMMEnable = new TPanel({this, 24, 40, 352, 80});
    chBoxPowerSaveEnable = new TCheckBox({panelWMMEnable, 16, 6, 200, 17, "Power Save Enable"});
    panelPowerSaveEnable = new TPanel({panelWMMEnable, 16, 30, 330, 40});
    // Left to right; each box is as wide as its caption needs and the next one follows it.
    int left = 16;
    auto category = [&](std::string CUISTR::*caption) {
        TCheckBox* box = new TCheckBox({panelPowerSaveEnable, left, 10, 60, 17, Text(caption)});
        left = box->Left() + box->Width() + 8;
        return box;
    };
    chBoxAC_BK = category(&CUISTR::STR_AC_BK);
    chBoxAC_BE = category(&CUISTR::STR_AC_BE);
    chBoxAC_VI = category(&CUISTR::STR_AC_VI);
    chBoxAC_VO = category(&CUISTR::STR_AC_VO);
    BtnApply = new TButton({this, 310, 300, 75, 25, Text(&CUISTR::STR_APPLY)});
    BtnApply->SetVisible(false);

    chBoxWMM->OnClick = [this](TObject* s) { chBoxWMMClick(s); };
    chBoxPowerSaveEnable->OnClick = [this](TObject* s) { chBoxPowerSaveEnableClick(s); };
    for (TCheckBox* ac : {chBoxAC_BE, chBoxAC_BK, chBoxAC_VI, chBoxAC_VO})
        ac->OnClick = [this](TObject* s) { OnCheckAc(s); };
}

void TFrameAdvancedWMM::EnableCategories(bool enabled)
{
    panelPowerSaveEnable->SetEnabled(enabled);
    for (TCheckBox* ac : {chBoxAC_BE, chBoxAC_BK, chBoxAC_VI, chBoxAC_VO})
        ac->SetEnabled(enabled);
}

// Loading through the boxes runs their handlers for every box that changes, as a click does.
// A failed read leaves the boxes as they are: loading zeros would send WMM off.
void TFrameAdvancedWMM::OnEnterPage()
{
    WMM_CAPABILITY wmm{};
    if (!VOZEZIV.WVWL_QueryAndReadWMMCapability(&wmm)) {
        PrintMessage(2, " TFrameAdvancedWMM: WVWL_QueryAndReadWMMCapability() failed, the boxes are not changed\n");
        return;
    }
    chBoxPowerSaveEnable->SetChecked(wmm.bAPSDEnable != 0);
    chBoxWMM->SetChecked(wmm.bWMMEnable != 0);
    chBoxAC_BE->SetChecked(wmm.bAPSD_AC_BE != 0);
    chBoxAC_BK->SetChecked(wmm.bAPSD_AC_BK != 0);
    chBoxAC_VI->SetChecked(wmm.bAPSD_AC_VI != 0);
    chBoxAC_VO->SetChecked(wmm.bAPSD_AC_VO != 0);
    panelWMMEnable->SetEnabled(chBoxWMM->Checked());
    chBoxPowerSaveEnable->SetEnabled(chBoxWMM->Checked());
    EnableCategories(chBoxPowerSaveEnable->Checked());
}

void TFrameAdvancedWMM::chBoxWMMClick(TObject*)
{
    if (chBoxWMM->Checked()) {
        panelWMMEnable->SetEnabled(true);
        chBoxPowerSaveEnable->SetEnabled(true);
        EnableCategories(chBoxPowerSaveEnable->Checked());
    } else {
        panelWMMEnable->SetEnabled(false);
        chBoxPowerSaveEnable->SetChecked(false);
        chBoxPowerSaveEnable->SetEnabled(false);
        for (TCheckBox* ac : {chBoxAC_BE, chBoxAC_BK, chBoxAC_VI, chBoxAC_VO}) {
            ac->SetChecked(false);
            ac->SetEnabled(false);
        }
    }
    WMM_CAPABILITY wmm{};
    wmm.bWMMEnable = chBoxWMM->Checked();
    wmm.bAPSDEnable = chBoxPowerSaveEnable->Checked();
    VOZEZIV.WVWL_UpdateWMMEnable(wmm);
    Reconnect();
    if (FormSiteSurvey)
        FormSiteSurvey->StartReScanTimer();
}

void TFrameAdvancedWMM::chBoxPowerSaveEnableClick(TObject*)
{
    if (chBoxPowerSaveEnable->Checked()) {
        EnableCategories(true);
        ApplyApsdSetting();
    } else {
        panelPowerSaveEnable->SetEnabled(false);
        for (TCheckBox* ac : {chBoxAC_BE, chBoxAC_BK, chBoxAC_VI, chBoxAC_VO}) {
            ac->SetChecked(false);
            ac->SetEnabled(false);
        }
    }
    WMM_CAPABILITY wmm{};
    wmm.bAPSDEnable = chBoxPowerSaveEnable->Checked();
    VOZEZIV.WVWL_EnableAPSD(wmm);
}

void TFrameAdvancedWMM::OnCheckAc(TObject*)
{
    ApplyApsdSetting();
}

void TFrameAdvancedWMM::ApplyApsdSetting()
{
    WMM_CAPABILITY wmm{};
    wmm.bAPSD_AC_BE = chBoxAC_BE->Checked();
    wmm.bAPSD_AC_BK = chBoxAC_BK->Checked();
    wmm.bAPSD_AC_VI = chBoxAC_VI->Checked();
    wmm.bAPSD_AC_VO = chBoxAC_VO->Checked();
    VOZEZIV.WVWL_SetAndWriteAPSDSetting(wmm);
    Reconnect();
}

void TFrameAdvancedWMM::Reconnect()
{
    WLAN_STATUS status = QueryConnectionStatus();
    if (!IsKeyedEncryption(status.encryptionStatus))
        return;
    if (VOZEZIV.nWinOS >= 31) {
        ReconnectThroughWlanService(status, false);
        return;
    }
    VOZEZIV.WVWL_Disconnect();
    VOZEZIV.WVWL_SetSSID(status.ssid);
    unsigned long word = 0;
    if (VOZEZIV.WVWL_ReadCCX2Cont(&word))
        SetCCXInfoForActiveProfile(uint32_t(word));
}
