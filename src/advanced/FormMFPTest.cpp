#include "advanced/FormMFPTest.h"

#include "core/Log.h"
#include "resources/FormResource.h"

TFormMFPTest* FormMFPTest = nullptr;

TFormMFPTest::TFormMFPTest(TComponent* owner) : TFormBase(owner)
{
    Name = "FormMFPTest";
    SetClientSize(400, 380);
    TFormResource* res = FormResource;
    SysBtnClose = MakePushButton(this, 373, 16, 15, 15, res ? res->ImgBtnAdvancedFormClose_Normal : nullptr,
                                 res ? res->ImgBtnAdvancedFormClose_Down : nullptr, nullptr);
    SysBtnClose->OnClick = [this](TObject* s) { SysBtnCloseClick(s); };
}

void TFormMFPTest::FormCreate(TObject* Sender)
{
    PrintMessage(6, " --> TFormMFPTest::FormCreate()\n");
    if (FormResource && FormResource->ImgAdvancedFormBG)
        ImgBackground->SetPicture(FormResource->ImgAdvancedFormBG->Picture());
    TFormBase::FormCreate(Sender);
    SetCaption("MFP Test");
    lblCaptionText->SetCaption("MFP Test");
    PrintMessage(6, " <-- TFormMFPTest::FormCreate()\n");
}

void TFormMFPTest::SysBtnCloseClick(TObject*)
{
    Close();
}
