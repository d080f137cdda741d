#pragma once
#include "ui/Forms.h"

// The application's invisible main form: created first, never shown.
class TFormHide : public TForm {
public:
    explicit TFormHide(TComponent* AOwner);
};

extern TFormHide* FormHide;
