#pragma once
#include "ui/Controls.h"
#include "ui/Picture.h"

// Windowless picture, painted by its parent over whatever lies below (alpha respected).
// A control narrower than its picture shows the picture's left part.
class TImage : public TGraphicControl {
public:
    explicit TImage(TComponent* AOwner);
    explicit TImage(const TControlArgs& Args);

    const TPicture& Picture() const { return picture_; }
    void SetPicture(const TPicture& value);  // repaints; AutoSize takes the picture's size
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);
    bool Stretch() const { return stretch_; }
    void SetStretch(bool value);

    void Paint(HDC dc) override;

private:
    TPicture picture_;
    bool autoSize_ = false;
    bool stretch_ = false;
};

enum TBevelCut { bvNone, bvLowered, bvRaised };

// Plain container filled with its colour.
class TPanel : public TWinControl {
public:
    explicit TPanel(TComponent* AOwner);
    explicit TPanel(const TControlArgs& Args);
    TBevelCut BevelOuter() const { return bevel_; }
    void SetBevelOuter(TBevelCut value);

protected:
    void PaintBackground(HDC dc) override;

private:
    TBevelCut bevel_ = bvNone;
};

// Window timer on the application's window. Starts disabled with Interval 1000; an Interval
// of 0 gives no ticks; changing Interval or Enabled re-arms it. Ticks run in modal loops too.
class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* AOwner);
    ~TTimer() override;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    unsigned Interval() const { return interval_; }
    void SetInterval(unsigned value);

    TNotifyEvent OnTimer;
    void Tick();  // what a tick does (OnTimer)
    // Runs the timer with that window-timer id; false when there is none.
    static bool TickById(UINT_PTR id);

private:
    void Update();
    bool enabled_ = false;
    unsigned interval_ = 1000;
    UINT_PTR id_ = 0;
};
