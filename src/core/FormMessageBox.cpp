#include "core/FormMessageBox.h"

#include "resources/FormResource.h"

TFormMessageBox* FormMessageBox = nullptr;

namespace {

TButton* MakeButton(TWinControl* parent, int left, int top, const std::string& caption)
{
    auto* button = new TButton(parent);
    button->SetBounds(left, top, 75, 25);
    button->SetCaption(caption);
    return button;
}

}  // namespace

TFormMessageBox::TFormMessageBox(TComponent* AOwner) : TForm(AOwner)
{
    Name = "FormMessageBox";
    const CUISTR& texts = *FormResource->UI_Str;
    SetBorderStyle(bsDialog);
    SetFormStyle(fsStayOnTop);
    SetClientSize(314, 121);
    SetCaption(texts.STR_WEVO_MESSAGE);
    SetPosition(poScreenCenter);

    ImgMessageIcon = new TImage(this);
    ImgMessageIcon->SetAutoSize(true);
    ImgMessageIcon->SetBounds(12, 16, 32, 32);
    ImgMessageIcon->SetPicture(FormResource->ImgMessageBoxIcon->Picture());

    lblMessageText = new TLabel(this);
    lblMessageText->SetAutoSize(false);
    lblMessageText->SetWordWrap(true);
    lblMessageText->SetBounds(56, 8, 233, 68);
    lblMessageText->SetCaption("");

    PanelOK = new TPanel(this);
    PanelOK->SetBounds(60, 78, 213, 35);
    BtnOK = MakeButton(PanelOK, 62, 4, texts.STR_OK);

    PanelOkCancel = new TPanel(this);
    PanelOkCancel->SetBounds(60, 78, 213, 41);
    BtnOK1 = MakeButton(PanelOkCancel, 20, 4, "OK");
    BtnCancel = MakeButton(PanelOkCancel, 120, 4, "Cancel");

    PanelOK->Hide();
    PanelOkCancel->Hide();

    BtnOK->OnClick = [this](TObject* sender) { BtnOKClick(sender); };
    BtnOK1->OnClick = [this](TObject* sender) { BtnOKClick(sender); };
    BtnCancel->OnClick = [this](TObject* sender) { BtnCancelClick(sender); };
    OnShow = [this](TObject* sender) { FormShow(sender); };
}

void TFormMessageBox::FormShow(TObject*)
{
    lblMessageText->SetCaption(m_strMessage);
    PanelOK->Hide();
    PanelOkCancel->Hide();
    if (m_bOkCancel)
        PanelOkCancel->Show();
    else
        PanelOK->Show();
}

void TFormMessageBox::BtnOKClick(TObject*)
{
    SetModalResult(mrOk);
}

void TFormMessageBox::BtnCancelClick(TObject*)
{
    SetModalResult(mrCancel);
    Close();
}

std::string TFormMessageBox::ModalDescription() const
{
    return TForm::ModalDescription() + ": " + m_strMessage;
}

int ShowMessageBox(const std::string& text, int bOkCancel)
{
    if (!FormMessageBox)
        return 0;
    FormMessageBox->m_strMessage = text;
    FormMessageBox->m_bOkCancel = bOkCancel;
    if (FormMessageBox->Visible())
        return 0;
    return FormMessageBox->ShowModal();
}
