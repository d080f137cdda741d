#pragma once
// The Wi-Fi Direct profile list (what the main window needs of it so far).
#include "ui/Forms.h"

class TFormWiFiDirectProfile : public TForm {
public:
    explicit TFormWiFiDirectProfile(TComponent* owner);
    int m_nListUpdates = 0;
    // Reads the saved Wi-Fi Direct profiles again.
    void UpdateProfileList();
};

extern TFormWiFiDirectProfile* FormWiFiDirectProfile;
