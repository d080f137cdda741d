#pragma once
// The shared message box: one text with OK, or with OK and Cancel.

#include "ui/ExtCtrls.h"
#include "ui/Forms.h"
#include "ui/StdCtrls.h"

#include <string>

class TFormMessageBox : public TForm {
public:
    explicit TFormMessageBox(TComponent* AOwner);

    TImage* ImgMessageIcon;
    TLabel* lblMessageText;
    TPanel* PanelOK;
    TButton* BtnOK;
    TPanel* PanelOkCancel;
    TButton* BtnOK1;
    TButton* BtnCancel;

    std::string m_strMessage;
    int m_bOkCancel = 0;

    void FormShow(TObject* Sender);
    void BtnOKClick(TObject* Sender);
    void BtnCancelClick(TObject* Sender);

    std::string ModalDescription() const override;
};

extern TFormMessageBox* FormMessageBox;

// Shows text modally with OK (bOkCancel 0) or OK and Cancel (1) and returns the modal result:
// 1 OK, 2 Cancel or closed. Returns 0 at once when the box is already showing (the text and
// flag are kept for the next showing) or does not exist yet.
int ShowMessageBox(const std::string& text, int bOkCancel);
