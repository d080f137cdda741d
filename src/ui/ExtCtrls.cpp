#include "ui/ExtCtrls.h"
#include "ui/Forms.h"
#include <map>

// ---- TImage

TImage::TImage(TComponent* AOwner) : TGraphicControl(AOwner)
{
    width_ = 105;
    height_ = 105;
}

TImage::TImage(const TControlArgs& Args) : TImage(Args.Parent)
{
    ApplyArgs(Args);
}

void TImage::SetPicture(const TPicture& value)
{
    if (picture_.SameAs(value))
        return;
    picture_ = value;
    if (autoSize_ && !picture_.Empty())
        SetBounds(left_, top_, picture_.Width(), picture_.Height());
    Invalidate();
}

void TImage::SetAutoSize(bool value)
{
    autoSize_ = value;
    if (autoSize_ && !picture_.Empty())
        SetBounds(left_, top_, picture_.Width(), picture_.Height());
}

void TImage::SetStretch(bool value)
{
    stretch_ = value;
    Invalidate();
}

void TImage::Paint(HDC dc)
{
    if (picture_.Empty())
        return;
    if (stretch_)
        picture_.StretchDraw(dc, RECT{0, 0, width_, height_});
    else
        picture_.Draw(dc, 0, 0);
}

// ---- TPanel

TPanel::TPanel(TComponent* AOwner) : TWinControl(AOwner)
{
    if (Parent())
        color_ = Parent()->Color();
    SetBounds(0, 0, 185, 41);
}

TPanel::TPanel(const TControlArgs& Args) : TPanel(Args.Parent)
{
    ApplyArgs(Args);
}

void TPanel::SetBevelOuter(TBevelCut value)
{
    bevel_ = value;
    Invalidate();
}

void TPanel::PaintBackground(HDC dc)
{
    TWinControl::PaintBackground(dc);
    RECT r = {0, 0, ClientWidth(), ClientHeight()};
    if (bevel_ != bvNone)
        DrawEdge(dc, &r, bevel_ == bvRaised ? BDR_RAISEDOUTER : BDR_SUNKENOUTER, BF_RECT);
    if (caption_.empty())
        return;
    HGDIOBJ old = SelectObject(dc, font_.Handle());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, font_.Color());
    DrawTextA(dc, caption_.c_str(), -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, old);
}

// ---- TTimer

namespace {

// Never destroyed: timers may still be deleted while the program exits.
std::map<UINT_PTR, TTimer*>& Timers()
{
    static auto* timers = new std::map<UINT_PTR, TTimer*>;
    return *timers;
}

}  // namespace

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner) {}

TTimer::~TTimer()
{
    enabled_ = false;
    Update();
}

void TTimer::SetEnabled(bool value)
{
    enabled_ = value;
    Update();
}

void TTimer::SetInterval(unsigned value)
{
    interval_ = value;
    Update();
}

void TTimer::Update()
{
    static UINT_PTR nextId = 1;
    if (id_) {
        KillTimer(Application->Handle(), id_);
        Timers().erase(id_);
        id_ = 0;
    }
    if (!enabled_ || interval_ == 0)
        return;
    // A fresh id, so that a tick already queued for the old one is dropped.
    id_ = nextId++;
    Timers()[id_] = this;
    SetTimer(Application->Handle(), id_, interval_, nullptr);
}

void TTimer::Tick()
{
    if (OnTimer)
        OnTimer(this);
}

bool TTimer::TickById(UINT_PTR id)
{
    auto it = Timers().find(id);
    if (it == Timers().end())
        return false;
    it->second->Tick();
    return true;
}
