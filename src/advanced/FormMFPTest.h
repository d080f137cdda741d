#pragma once
// 802.11w (protected management frames) test window, opened modally from the advanced window's
// test page: the adapter's MFP capability and three driver test actions.
#include "core/FormBase.h"
#include "resources/WvImage.h"
#include "ui/StdCtrls.h"
#include "wlapi/records.h"

class TFormMFPTest : public TFormBase {
public:
    explicit TFormMFPTest(TComponent* owner);

    TWvImage* SysBtnClose = nullptr;
    TGroupBox* grpBoxMFPCapability = nullptr;
    TCheckBox* chBoxMFP_Enable = nullptr;
    TCheckBox* chBoxMFP_Required = nullptr;
    TCheckBox* chBoxAKMwSHA256 = nullptr;
    TButton* BtnApply = nullptr;
    TButton* btnDisassociate = nullptr;
    TButton* btnSilentLinkdown = nullptr;
    TGroupBox* grpBoxInject = nullptr;
    TGroupBox* grpBoxFrameType = nullptr;
    TCheckBox* chBoxDisassoc = nullptr;
    TCheckBox* chBoxDeauth = nullptr;
    TCheckBox* chBoxAssoc = nullptr;
    TCheckBox* chBoxReassoc = nullptr;
    TCheckBox* chBoxSAQuery = nullptr;
    TGroupBox* grpBoxInjectType = nullptr;
    TCheckBox* chBoxIncorrectKey = nullptr;
    TCheckBox* chBoxUnprotected = nullptr;
    TButton* BtnInject = nullptr;

    void FormCreate(TObject* Sender) override;
    // Ticks each box exactly when its byte of the adapter's record is 1.
    void FormShow(TObject* Sender);
    void BtnApplyClick(TObject* Sender);
    void btnDisassociateClick(TObject* Sender);
    void btnSilentLinkDownClick(TObject* Sender);
    void btnInjectClick(TObject* Sender);
    void SysBtnCloseClick(TObject* Sender);

private:
    // The box of each byte 0 to 9 of the record.
    TCheckBox* BoxOf(int flag) const;
    static MFP_CONTROL ReadRecord();
    void SetFlags(MFP_CONTROL& record, int first, int last) const;
};

extern TFormMFPTest* FormMFPTest;
