#pragma once
// The Wi-Fi Display device-details window (what the main window needs so far).
#include "ui/Forms.h"

class TFormWFADispDevDetailInfo : public TForm {
public:
    explicit TFormWFADispDevDetailInfo(TComponent* owner);
    void SysBtnCloseClick(TObject* Sender);
};

extern TFormWFADispDevDetailInfo* FormWFADispDevDetailInfo;
