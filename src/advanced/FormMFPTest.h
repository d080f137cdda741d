#pragma once
// 802.11w (protected management frames) test window, opened modally from the advanced window's test page; its controls are still to come.
#include "core/FormBase.h"
#include "resources/WvImage.h"

class TFormMFPTest : public TFormBase {
public:
    explicit TFormMFPTest(TComponent* owner);

    TWvImage* SysBtnClose = nullptr;

    void FormCreate(TObject* Sender) override;
    void SysBtnCloseClick(TObject* Sender);
};

extern TFormMFPTest* FormMFPTest;
