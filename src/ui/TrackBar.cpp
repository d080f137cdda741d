#include "ui/TrackBar.h"

#include <algorithm>
#include <commctrl.h>

namespace {

const char* TrackBarClass()
{
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_BAR_CLASSES};
    InitCommonControlsEx(&icc);
    return TRACKBAR_CLASSA;
}

} // namespace

TTrackBar::TTrackBar(TComponent* AOwner)
    : TWinControl(AOwner, TrackBarClass(), WS_CHILD | WS_TABSTOP | TBS_HORZ | TBS_NOTICKS, 0)
{
    SetBounds(0, 0, 150, 24);
    SetRange(min_, max_);
}

TTrackBar::TTrackBar(const TControlArgs& Args) : TTrackBar(Args.Parent)
{
    ApplyArgs(Args);
}

void TTrackBar::SetRange(int low, int high)
{
    min_ = low;
    max_ = std::max(low, high);
    position_ = std::clamp(position_, min_, max_);
    if (!HandleAllocated())
        return;
    SendMessageA(Handle(), TBM_SETRANGEMIN, FALSE, min_);
    SendMessageA(Handle(), TBM_SETRANGEMAX, TRUE, max_);
}

int TTrackBar::Position() const
{
    if (!HandleAllocated())
        return position_;
    return std::clamp(int(SendMessageA(Handle(), TBM_GETPOS, 0, 0)), min_, max_);
}

void TTrackBar::SetPosition(int value)
{
    position_ = std::clamp(value, min_, max_);
    if (HandleAllocated())
        SendMessageA(Handle(), TBM_SETPOS, TRUE, position_);
}

void TTrackBar::HandleCreated()
{
    SendMessageA(Handle(), TBM_SETRANGEMIN, FALSE, min_);
    SendMessageA(Handle(), TBM_SETRANGEMAX, FALSE, max_);
    SendMessageA(Handle(), TBM_SETPOS, TRUE, position_);
}

void TTrackBar::Scrolled()
{
    if (OnChange)
        OnChange(this);
}
