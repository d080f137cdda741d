#include "profiles/FormProfile.h"

#include <cstring>

#include "core/Log.h"
#include "core/WvwlLib.h"
#include "mainwindow/FormMain.h"
#include "profiles/ProfileNames.h"
#include "resources/FormResource.h"

TFormProfile* FormProfile = nullptr;

TFormProfile::TFormProfile(TComponent* owner) : TForm(owner)
{
    Name = "FormProfile";
    SetBorderStyle(bsNone);
    SetClientSize(395, 300);
    BtnProfileWPS = new TWvImage(this);
    BtnProfileWPS->SetParent(this);
    TimerProfile = new TTimer(this);
}

void TFormProfile::SysBtnCloseClick(TObject*)
{
    TimerProfile->SetEnabled(false);
    Hide();
}

void TFormProfile::SetOidFromReg(int)
{
    PrintMessage(6, " --> TFormProfile::SetOidFromReg\n");
    if (!FormMain)
        return;
    WLANPROFILE profile{};
    std::memcpy(&profile, &VOZEZIV.defaultProfile, sizeof profile);
    unsigned long ccx = 0;
    VOZEZIV.WVWL_ReadCCX2Cont(&ccx);
    profile.ccx2Ctrl = ccx;
    VOZEZIV.WVWL_QuerySTAConfig(&profile.configSta);
    char name[128] = {};
    VOZEZIV.WVWL_ReadActiveProfileName(name);
    name[sizeof name - 1] = 0;
    VOZEZIV.WVWL_ReadProfileData(&profile, name);
    m_strProfile = name;
    m_bActiveProfile = name[0] != 0;
    FormMain->InsertAction({actionTypeProfile, &profile});
}

void TFormProfile::RefreshProfileList()
{
    char name[128] = {};
    VOZEZIV.WVWL_ReadActiveProfileName(name);
    name[sizeof name - 1] = 0;
    m_strProfile = name;
    m_bActiveProfile = name[0] != 0;
}

std::string TFormProfile::GetNextProfileID()
{
    return ::NextProfileID(VOZEZIV);
}

std::string TFormProfile::MakeDefaultProfileName()
{
    const CUISTR* s = FormResource ? FormResource->UI_Str.get() : nullptr;
    return ::MakeDefaultProfileName(VOZEZIV, s ? s->STR_PROF_DEFAULT : std::string(), s ? s->STR_PROF : std::string());
}
