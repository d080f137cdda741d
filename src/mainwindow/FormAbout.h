#pragma once
// The About box (what the main window needs of it so far).
#include "ui/Forms.h"

class TFormAbout : public TForm {
public:
    explicit TFormAbout(TComponent* owner);
    void SysBtnCloseClick(TObject* Sender);
};

extern TFormAbout* FormAbout;
