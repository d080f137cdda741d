#include "dialogs/FormMessageBox.h"

#include "resources/FormResource.h"

TFormMessageBox* FormMessageBox = nullptr;

TFormMessageBox::TFormMessageBox(TComponent* AOwner) : TForm(AOwner)
{
    Name = "FormMessageBox";
    const CUISTR& texts = *FormResource->UI_Str;
    SetBorderStyle(bsDialog);
    SetFormStyle(fsStayOnTop);
    SetClientSize(314, 121);
    SetCaption(texts.STR_WEVO_MESSAGE);
    SetPosition(poScreenCenter);

    ImgMessageIcon = new TImage({this, 12, 16, 32, 32});
    ImgMessageIcon->SetAutoSize(true);
    ImgMessageIcon->SetPicture(FormResource->ImgMessageBoxIcon->Picture());

    lblMessageText = new TLabel({this, 56, 8, 233, 68});
    lblMessageText->SetWordWrap(true);

    PanelOK = new TPanel({this, 60, 78, 213, 35});
    BtnOK = new TButton({PanelOK, 62, 4, 75, 25, texts.STR_OK});

    PanelOkCancel = new TPanel({this, 60, 78, 213, 41});
    BtnOK1 = new TButton({PanelOkCancel, 20, 4, 75, 25, "OK"});
    BtnCancel = new TButton({PanelOkCancel, 120, 4, 75, 25, "Cancel"});
    BtnOK->Default = BtnOK->Cancel = true;  // a lone OK also answers Esc
    BtnOK1->Default = true;
    BtnCancel->Cancel = true;

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
