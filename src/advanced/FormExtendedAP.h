#pragma once
// The access-point window (what the main window needs of it so far).
#include "ui/Forms.h"

class TFormExtendedAP : public TForm {
public:
    explicit TFormExtendedAP(TComponent* owner);
    void SysBtnCloseClick(TObject* Sender);
};

extern TFormExtendedAP* FormExtendedAP;
