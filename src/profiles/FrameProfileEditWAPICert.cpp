#include "profiles/FrameProfileEditWAPICert.h"

#include "profiles/FormProfileEdit.h"

TFrameProfileEditWAPICert::TFrameProfileEditWAPICert(TComponent* owner) : TFrameBase(owner)
{
    Name = "FrameProfileEditWAPICert";
}
