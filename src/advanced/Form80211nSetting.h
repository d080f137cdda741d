#pragma once
// 802.11n settings window, opened from the advanced window's test page; its pages are still to come.
#include "core/FormBase.h"
#include "resources/WvImage.h"

class TForm80211nSetting : public TFormBase {
public:
    explicit TForm80211nSetting(TComponent* owner);

    TWvImage* SysBtnClose = nullptr;

    void FormCreate(TObject* Sender) override;
    void SysBtnCloseClick(TObject* Sender);
};

extern TForm80211nSetting* Form80211nSetting;
