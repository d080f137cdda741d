#pragma once
// The Wi-Fi Display window (what the main window needs of it so far).
#include "resources/WvImage.h"
#include "ui/Forms.h"
#include "wifidisplay/FormWFADispDevDetailInfo.h"
#include "wifidisplay/WiFiDisplayWaning.h"

class TFormWiFiDisplay : public TForm {
public:
    explicit TFormWiFiDisplay(TComponent* owner);

    TWvImage* BtnWDPTeardown = nullptr;
    BOOL m_bSessionTornDown = FALSE;
    BOOL m_bViewReset = FALSE;

    // Events received so far (MSG_WIFIDISPLAY_EVENET).
    int m_nEventsHandled = 0;

    void SysBtnCloseClick(TObject* Sender);
    void Dispatch(TMessage& Message) override;
    void BtnWDPTeardownClick(TObject* Sender);
    void ResetWDPView();
    // Writes the Wi-Fi Display configuration; 0 switches Wi-Fi Display off in the driver.
    void SetWDPConfigToDriver(int enable);
};

extern TFormWiFiDisplay* FormWiFiDisplay;
