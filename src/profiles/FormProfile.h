#pragma once
// The profile-list window (what the main window needs of it so far).
#include <string>

#include "resources/WvImage.h"
#include "ui/ExtCtrls.h"
#include "ui/Forms.h"

class TFormProfile : public TForm {
public:
    explicit TFormProfile(TComponent* owner);

    std::string m_strProfile;       // the active profile's name, empty when none
    BOOL m_bActiveProfile = FALSE;  // a stored profile is active
    BOOL m_bSiteSurveyConnect = FALSE;
    BOOL m_bWPSInProgress = FALSE;
    TWvImage* BtnProfileWPS = nullptr;
    TTimer* TimerProfile = nullptr;

    void SysBtnCloseClick(TObject* Sender);
    // Rebuilds the current settings profile and queues it on the main window.
    void SetOidFromReg(int flag);
    // Reads the active profile name again.
    void RefreshProfileList();
    // ID text and default name of a new profile.
    std::string GetNextProfileID();
    std::string MakeDefaultProfileName();
};

extern TFormProfile* FormProfile;
