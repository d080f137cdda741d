#include "advanced/FormMFPTest.h"

#include "ui/ExtCtrls.h"
#include "ui/StdCtrls.h"
#include "core/Log.h"
#include "core/WvwlLib.h"
#include "resources/WvImage.h"
#include "resources/FormResource.h"

TFormMFPTest* FormMFPTest = nullptr;

TFormMFPTest::TFormMFPTest(TComponent* owner) : TFormBase(owner)
{
    Name = "FormMFPTest";
    SetClientSize(400, 380);
    TFormResource* res = FormResource;
    SysBtnClose = MakePushButton(this, 373, 16, 15, 15, res ? res->ImgBtnAdvancedFormClose_Normal : nullptr,
                                 res ? res->ImgBtnAdvancedFormClose_Down : nullptr, nullptr);

    grpBoxMFPCapability = new TGroupBox({this, 16, 48, 368, 80, "MFP Capability"});
    chBoxMFP_Enable = new TCheckBox({grpBoxMFPCapability, 16, 22, 130, 17, "MFP_Enable"});
    chBoxMFP_Required = new TCheckBox({grpBoxMFPCapability, 16, 48, 130, 17, "MFP_Required"});
    chBoxAKMwSHA256 = new TCheckBox({grpBoxMFPCapability, 150, 22, 130, 17, "Force SHA256"});
    BtnApply = new TButton({grpBoxMFPCapability, 280, 44, 75, 25, "Apply"});
    btnDisassociate = new TButton({this, 16, 138, 130, 27, "Disassociate"});
    btnSilentLinkdown = new TButton({this, 160, 138, 130, 27, "Silent Link Down"});
    grpBoxInject = new TGroupBox({this, 16, 176, 368, 190, "Inject"});
    grpBoxFrameType = new TGroupBox({grpBoxInject, 10, 20, 170, 160, "Frame Type"});
    chBoxDisassoc = new TCheckBox({grpBoxFrameType, 12, 22, 150, 17, "Disassociation"});
    chBoxDeauth = new TCheckBox({grpBoxFrameType, 12, 48, 150, 17, "Deauthentication"});
    chBoxAssoc = new TCheckBox({grpBoxFrameType, 12, 74, 150, 17, "Association"});
    chBoxReassoc = new TCheckBox({grpBoxFrameType, 12, 100, 150, 17, "Reassociation"});
    chBoxSAQuery = new TCheckBox({grpBoxFrameType, 12, 126, 150, 17, "SA Query"});
    grpBoxInjectType = new TGroupBox({grpBoxInject, 190, 20, 166, 80, "Injection Type"});
    chBoxIncorrectKey = new TCheckBox({grpBoxInjectType, 12, 22, 145, 17, "Incorrect Key"});
    chBoxUnprotected = new TCheckBox({grpBoxInjectType, 12, 48, 145, 17, "Unprotected"});
    BtnInject = new TButton({grpBoxInject, 232, 124, 90, 27, "Inject"});

    SysBtnClose->OnClick = [this](TObject* s) { SysBtnCloseClick(s); };
    BtnApply->OnClick = [this](TObject* s) { BtnApplyClick(s); };
    btnDisassociate->OnClick = [this](TObject* s) { btnDisassociateClick(s); };
    btnSilentLinkdown->OnClick = [this](TObject* s) { btnSilentLinkDownClick(s); };
    BtnInject->OnClick = [this](TObject* s) { btnInjectClick(s); };
    OnShow = [this](TObject* s) { FormShow(s); };
}

void TFormMFPTest::FormCreate(TObject* Sender)
{
    PrintMessage(6, " --> TFormMFPTest::FormCreate\n");
    if (FormResource && FormResource->ImgAdvancedFormBG)
        ImgBackground->SetPicture(FormResource->ImgAdvancedFormBG->Picture());
    TFormBase::FormCreate(Sender);
    SetCaption("MFP Test");
    lblCaptionText->SetCaption("MFP Test");
    PrintMessage(6, " <-- TFormMFPTest::FormCreate\n");
}

TCheckBox* TFormMFPTest::BoxOf(int flag) const
{
    TCheckBox* const boxes[] = {chBoxMFP_Enable, chBoxMFP_Required, chBoxAKMwSHA256, chBoxDisassoc,     chBoxDeauth,
                                chBoxAssoc,      chBoxReassoc,      chBoxSAQuery,    chBoxIncorrectKey, chBoxUnprotected};
    return flag >= 0 && flag < int(std::size(boxes)) ? boxes[flag] : nullptr;
}

MFP_CONTROL TFormMFPTest::ReadRecord()
{
    MFP_CONTROL record{};
    VOZEZIV.WVWL_QueryMFPCtrl(&record);
    return record;
}

void TFormMFPTest::SetFlags(MFP_CONTROL& record, int first, int last) const
{
    for (int flag = first; flag <= last; ++flag)
        record.flag[flag] = BoxOf(flag)->Checked() ? 1 : 0;
}

void TFormMFPTest::FormShow(TObject*)
{
    const MFP_CONTROL record = ReadRecord();
    for (int flag = MFP_ENABLED; flag <= MFP_INJECT_UNPROTECTED; ++flag)
        BoxOf(flag)->SetChecked(record.flag[flag] == 1);
}

// Each send reads the record afresh: what a button does not own goes back as the adapter
// reported it, the trigger bytes included.
void TFormMFPTest::BtnApplyClick(TObject*)
{
    MFP_CONTROL record = ReadRecord();
    SetFlags(record, MFP_ENABLED, MFP_FORCE_SHA256);
    VOZEZIV.WVWL_SetMFPCtrl(record);
}

void TFormMFPTest::btnDisassociateClick(TObject*)
{
    VOZEZIV.WVWL_Disconnect();
}

void TFormMFPTest::btnSilentLinkDownClick(TObject*)
{
    MFP_CONTROL record = ReadRecord();
    record.flag[MFP_SILENT_LINK_DOWN] = 1;
    VOZEZIV.WVWL_SetMFPCtrl(record);
}

void TFormMFPTest::btnInjectClick(TObject*)
{
    MFP_CONTROL record = ReadRecord();
    SetFlags(record, MFP_INJECT_DISASSOC, MFP_INJECT_UNPROTECTED);
    record.flag[MFP_INJECT_NOW] = 1;
    VOZEZIV.WVWL_SetMFPCtrl(record);
}

void TFormMFPTest::SysBtnCloseClick(TObject*)
{
    Close();
}
