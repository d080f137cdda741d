#pragma once
// Horizontal slider (the system track bar). Setting Position from code runs no handler;
// the parent passes its WM_HSCROLL on to Scrolled, which runs OnChange.
#include "ui/Controls.h"

class TTrackBar : public TWinControl {
public:
    explicit TTrackBar(TComponent* AOwner);
    explicit TTrackBar(const TControlArgs& Args);
    int Min() const { return min_; }
    int Max() const { return max_; }
    void SetRange(int low, int high);
    int Position() const;
    void SetPosition(int value);
    // The user moved the slider (the parent's WM_HSCROLL for this control).
    void Scrolled();
    TNotifyEvent OnChange;

private:
    void HandleCreated() override;
    int min_ = 0, max_ = 10;
    int position_ = 0;  // kept while there is no window
};
