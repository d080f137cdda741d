#pragma once
// 802.11n settings window, opened from the advanced window's test page: the block-ack
// capability page and the pages that add and delete one block-ack agreement.
#include <cstdint>
#include <string>

#include "advanced/Frame80211nSetting.h"
#include "advanced/FrameAddBlockAck.h"
#include "advanced/FrameDeleteBlockAck.h"
#include "core/FormBase.h"
#include "resources/WvImage.h"

class TForm80211nSetting : public TFormBase {
public:
    explicit TForm80211nSetting(TComponent* owner);

    TWvImage* SysBtnClose = nullptr;
    TFrame80211nSetting* Frame80211nSetting = nullptr;
    TFrameAddBlockAck* FrameAddBlockAck = nullptr;
    TFrameDeleteBlockAck* FrameDeleteBlockAck = nullptr;

    void FormCreate(TObject* Sender) override;
    // Brings the 802.11n page to the front and enters it.
    void FormShow(TObject* Sender);
    // Hides the window (also on the advanced window's closing); the page's timer keeps running.
    void SysBtnCloseClick(TObject* Sender);

    // Address text of the block-ack pages: every "-" removed, then 12 hexadecimal digits, two
    // per byte. False, with mac untouched, for any other text.
    static bool ParseMacAddress(const std::string& text, uint8_t (&mac)[6]);
};

extern TForm80211nSetting* Form80211nSetting;
