#include "profiles/FrameProfileEditWPSConnect.h"

#include "core/Log.h"
#include "profiles/FormProfileEdit.h"
#include "profiles/ProfileEditControls.h"

using namespace ProfileEditUi;

TFrameProfileEditWPSConnect::TFrameProfileEditWPSConnect(TComponent* owner) : TFrameBase(owner)
{
    Name = "FrameProfileEditWPSConnect";
    BtnPBC = new TWvImage(this);
    BtnPBC->SetParent(this);
}

void TFrameProfileEditWPSConnect::BtnPINClick(TObject*)
{
    PrintMessage(6, " --> TFrameProfileEditWPSConnect::BtnPINClick\n");
    PrintMessage(6, " <-- TFrameProfileEditWPSConnect::BtnPINClick\n");
}
