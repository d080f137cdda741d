#pragma once
#include "ui/ExtCtrls.h"
#include "ui/Forms.h"
#include "ui/StdCtrls.h"

// Colour of the skinned windows and their pages.
constexpr COLORREF WEVO_FORM_COLOR = 0x00F9F3E8;

class TFrameBase;

// Base of every skinned window: borderless, shaped by its background picture (pixels of the
// transparency key colour cut away), dragged by its background or caption, docking to the
// main window, switching between pages.
class TFormBase : public TForm {
public:
    explicit TFormBase(TComponent* AOwner);
    ~TFormBase() override;

    TImage* ImgBackground = nullptr;   // top-left, sized to its picture
    TLabel* lblCaptionText = nullptr;  // centred title (16, 8, 353 x 17)

    int m_nDownX = 0;  // where the left button was pressed, in the pressed control
    int m_nDownY = 0;
    TFrameBase* m_pCurrentPage = nullptr;

    // Creation handler: borderless, then shaped by ImgBackground's picture. OnCreate runs it
    // unless a derived window sets its own handler (which then calls this one).
    virtual void FormCreate(TObject* Sender);
    // Drag handlers, attached to ImgBackground and lblCaptionText.
    virtual void ImgBackgroundMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift,
                                        int X, int Y);
    virtual void ImgBackgroundMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);

    // Asks old (when set) whether it may be left; then enters new (when set), brings it to
    // the front and makes it current. False, with nothing changed, when old refuses.
    bool SwitchPage(TFrameBase* oldPage, TFrameBase* newPage);
    // Shows or hides control; a visible one moves to (left, top) when both are non-zero.
    void SetImagePosition(TControl* control, int left, int top, bool visible);

protected:
    // The client area follows the background picture.
    void AdjustSize() override;
    // The window takes the shape FormCreate asked for.
    void HandleCreated() override;

private:
    // Cuts the region out of the picture FormCreate kept, once: a window never made never
    // reads its picture's pixels.
    void MakeRegion();

    HRGN m_hRegion = nullptr;
    TPicture m_regionPicture;
    COLORREF m_regionKey = 0;
    bool m_regionWanted = false;
};

// Base of every page of a skinned window.
class TFrameBase : public TFrame {
public:
    explicit TFrameBase(TComponent* AOwner);
    ~TFrameBase() override;

    TImage* ImgBackground = nullptr;

    virtual void OnEnterPage() {}
    virtual bool OnLeavePage() { return true; }
};

// The window others dock to: the main window names itself when it is made and clears the
// name when it goes; null while there is none.
extern const TForm* DockingAnchor;

// Docks window to the docking anchor's edges when within threshold pixels; true when it set
// a coordinate.
bool SnapToMainForm(TForm* window, int threshold);
// The same against any window (main).
bool SnapToWindow(TForm* window, const TForm* main, int threshold);

// Region builder: one rectangle per horizontal run of pixels that differ from key.
int CountRegionRects(const TPicture& bitmap, COLORREF key);
void FillRegionRects(const TPicture& bitmap, RECT* rects, COLORREF key);
// Region of count non-overlapping rectangles, built in batches of up to 1000; null when
// count is 0 or memory is short. Throws Exception("!hBatchRgn") when a batch fails.
HRGN CreateRegionFromRects(int count, const RECT* rects);

// The region call the builder uses (tests replace it).
extern HRGN(WINAPI* RegionBuilderExtCreateRegion)(const XFORM*, DWORD, const RGNDATA*);
