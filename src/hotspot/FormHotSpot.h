#pragma once
// The Hotspot 2.0 window (what the main window needs of it so far).
#include <string>

#include "ui/Forms.h"
#include "ui/StdCtrls.h"

class TFrameHotSpotMain : public TFrame {
public:
    explicit TFrameHotSpotMain(TComponent* owner);

    BYTE m_bHS20Active = 0;
    TRadioButton* rBtnDisableHS20 = nullptr;

    void rBtnDisableHS20Click(TObject* Sender);
    // 1 and the connection text when Hotspot 2.0 is connected to the adapter's network.
    int GetConnectedHS20Text(std::string& text);
    int DelConnectedParameters();
};

class TFormHotSpot : public TForm {
public:
    explicit TFormHotSpot(TComponent* owner);

    BYTE m_ConnectedBssid[6] = {};
    TFrameHotSpotMain* FrameHotSpotMain = nullptr;

    void SysBtnCloseClick(TObject* Sender);
};

extern TFormHotSpot* FormHotSpot;
