#include "core/FormBase.h"
#include "core/Log.h"
#include "core/Settings.h"
#include <float.h>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

const TForm* DockingAnchor = nullptr;

static_assert(sizeof(RGNDATAHEADER) == 32, "region header");
static_assert(sizeof(RECT) == 16, "region rectangle");

HRGN(WINAPI* RegionBuilderExtCreateRegion)(const XFORM*, DWORD, const RGNDATA*) = ExtCreateRegion;

// ---- TFormBase

TFormBase::TFormBase(TComponent* AOwner) : TForm(AOwner)
{
    ImgBackground = new TImage({this, 0, 0, 0, 0});
    ImgBackground->Name = "ImgBackground";
    ImgBackground->SetAutoSize(true);
    lblCaptionText = new TLabel({this, 16, 8, 353, 17});
    lblCaptionText->Name = "lblCaptionText";
    lblCaptionText->SetAlignment(taCenter);
    // Every skinned window titles alike: white and bold on its dark strip.
    lblCaptionText->Font().SetColor(RGB(255, 255, 255));
    lblCaptionText->Font().SetStyle(lblCaptionText->Font().Style() | fsBold);
    for (TControl* c : {static_cast<TControl*>(ImgBackground), static_cast<TControl*>(lblCaptionText)}) {
        c->OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
            ImgBackgroundMouseDown(s, b, sh, x, y);
        };
        c->OnMouseMove = [this](TObject* s, TShiftState sh, int x, int y) {
            ImgBackgroundMouseMove(s, sh, x, y);
        };
    }
    OnCreate = [this](TObject* s) { FormCreate(s); };

    _control87(_MCW_EM, _MCW_EM);  // every floating-point exception masked
    m_pCurrentPage = nullptr;
    SetColor(WEVO_FORM_COLOR);
}

TFormBase::~TFormBase()
{
    if (m_hRegion)
        DeleteObject(m_hRegion);
}

void TFormBase::AdjustSize()
{
    if (!ImgBackground || ImgBackground->Picture().Empty())
        return;
    int w = ImgBackground->Left() + ImgBackground->Width();
    int h = ImgBackground->Top() + ImgBackground->Height();
    if (w != ClientWidth() || h != ClientHeight())
        SetClientSize(w, h);
}

void TFormBase::FormCreate(TObject* Sender)
{
    // Borderless; the window keeps its client size, so the region lines up with the picture.
    int w = ClientWidth(), h = ClientHeight();
    SetWindowStyle(WindowStyle() & 0xFF33FFFF);
    SetClientSize(w, h);

    int red = ReadINIInt("Transparency_Color_Key", "Red", 255, "ini");
    int green = ReadINIInt("Transparency_Color_Key", "Green", 0, "ini");
    int blue = ReadINIInt("Transparency_Color_Key", "Blue", 0, "ini");
    m_regionKey = (red & 255) + 256 * (green & 255) + 65536 * (blue & 255);
    m_regionPicture = ImgBackground->Picture();
    m_regionWanted = true;
    if (HandleAllocated())
        HandleCreated();
}

void TFormBase::MakeRegion()
{
    if (!m_regionWanted)
        return;
    m_regionWanted = false;
    const TPicture picture = m_regionPicture;
    m_regionPicture.Clear();
    if (m_hRegion)
        DeleteObject(m_hRegion);
    m_hRegion = nullptr;
    int count = 0;
    try {
        count = CountRegionRects(picture, m_regionKey);
        std::vector<RECT> rects(count);
        FillRegionRects(picture, rects.data(), m_regionKey);
        m_hRegion = CreateRegionFromRects(count, rects.data());
    } catch (const std::bad_alloc&) {
        PrintMessage(2, " TFormBase::FormCreate: no memory for %d region rectangles\n", count);
    } catch (const std::exception& e) {
        // Made with the window: a failure leaves it unshaped rather than half made.
        PrintMessage(2, " TFormBase::FormCreate: region not made: %s\n", e.what());
    }
}

void TFormBase::HandleCreated()
{
    MakeRegion();
    // The window owns the region it is given: it gets a copy.
    if (!m_hRegion)
        return;
    HRGN copy = CreateRectRgn(0, 0, 0, 0);
    if (copy && CombineRgn(copy, m_hRegion, nullptr, RGN_COPY) != ERROR)
        SetWindowRgn(Handle(), copy, TRUE);
    else if (copy)
        DeleteObject(copy);
}

void TFormBase::ImgBackgroundMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift,
                                       int X, int Y)
{
    if (!(Shift & ssLeft))
        return;
    m_nDownX = X;
    m_nDownY = Y;
}

void TFormBase::ImgBackgroundMouseMove(TObject* Sender, TShiftState Shift, int X, int Y)
{
    // One previous position for all skinned windows.
    static bool started = false;
    static int lastX = 0, lastY = 0;
    if (!started) {
        started = true;
        lastX = m_nDownX;
        lastY = m_nDownY;
    }
    if (Shift & ssLeft) {
        if (X != lastX)
            SetLeft(Left() + X - m_nDownX);
        if (Y != lastY)
            SetTop(Top() + Y - m_nDownY);
        SnapToMainForm(this, 20);
    }
    lastX = X;
    lastY = Y;
}

bool TFormBase::SwitchPage(TFrameBase* oldPage, TFrameBase* newPage)
{
    if (oldPage && !oldPage->OnLeavePage())
        return false;
    if (newPage) {
        newPage->OnEnterPage();
        newPage->BringToFront();
        m_pCurrentPage = newPage;
    }
    return true;
}

void TFormBase::SetImagePosition(TControl* control, int left, int top, bool visible)
{
    if (visible && left != 0 && top != 0)
        control->SetBounds(left, top, control->Width(), control->Height());
    control->SetVisible(visible);
}

// ---- TFrameBase

TFrameBase::TFrameBase(TComponent* AOwner) : TFrame(AOwner)
{
    ImgBackground = new TImage({this, 0, 0, 0, 0});
    ImgBackground->Name = "ImgBackground";
    ImgBackground->SetAutoSize(true);
    SetColor(WEVO_FORM_COLOR);
}

TFrameBase::~TFrameBase() = default;

// ---- Docking

bool SnapToMainForm(TForm* window, int threshold)
{
    return SnapToWindow(window, DockingAnchor, threshold);
}

bool SnapToWindow(TForm* window, const TForm* main, int threshold)
{
    if (!window || !main)
        return false;
    const int mLeft = main->Left(), mTop = main->Top();
    const int mRight = mLeft + main->Width(), mBottom = mTop + main->Height();
    const int d = threshold;
    bool moved = false;
    auto left = [&] { return window->Left(); };
    auto top = [&] { return window->Top(); };
    auto right = [&] { return window->Left() + window->Width(); };
    auto bottom = [&] { return window->Top() + window->Height(); };
    auto setTop = [&](int v) { window->SetTop(v); moved = true; };
    auto setLeft = [&](int v) { window->SetLeft(v); moved = true; };

    // Below or above.
    if (std::abs(top() - mBottom) <= d) {
        if (right() >= mLeft && left() <= mRight)
            setTop(mBottom);
    } else if (std::abs(bottom() - mTop) <= d && right() >= mLeft && left() <= mRight) {
        setTop(mTop - window->Height());
    }
    // Left or right.
    if (std::abs(right() - mLeft) <= d) {
        if (bottom() >= mTop && top() <= mBottom)
            setLeft(mLeft - window->Width());
    } else if (std::abs(left() - mRight) <= d && bottom() >= mTop && top() <= mBottom) {
        setLeft(mRight);
    }
    // Tops or bottoms of side-by-side windows.
    bool sideBySide = left() == mRight || right() == mLeft;
    if (std::abs(top() - mTop) <= d) {
        if (sideBySide)
            setTop(mTop);
    } else if (std::abs(bottom() - mBottom) <= d && sideBySide) {
        setTop(mBottom - window->Height());
    }
    // Lefts or rights of stacked windows.
    bool stacked = top() == mBottom || bottom() == mTop;
    if (std::abs(left() - mLeft) <= d) {
        if (stacked)
            setLeft(mLeft);
    } else if (std::abs(right() - mRight) <= d && stacked) {
        setLeft(mRight - window->Width());
    }
    return moved;
}

// ---- Region builder

namespace {

// Calls emit(left, right, y) for every maximal run of non-key pixels.
template <class F>
void ForEachRun(const TPicture& bitmap, COLORREF key, F emit)
{
    const int width = bitmap.Width(), height = bitmap.Height();
    for (int y = 0; y < height; ++y) {
        int x = 0;
        while (x < width) {
            while (x < width && bitmap.Pixel(x, y) == key)
                ++x;
            if (x >= width)
                break;
            int start = x;
            while (x < width && bitmap.Pixel(x, y) != key)
                ++x;
            emit(start, x, y);
        }
    }
}

}  // namespace

int CountRegionRects(const TPicture& bitmap, COLORREF key)
{
    int count = 0;
    ForEachRun(bitmap, key, [&](int, int, int) { ++count; });
    return count;
}

void FillRegionRects(const TPicture& bitmap, RECT* rects, COLORREF key)
{
    int i = 0;
    ForEachRun(bitmap, key, [&](int left, int right, int y) { rects[i++] = RECT{left, y, right, y + 1}; });
}

HRGN CreateRegionFromRects(int count, const RECT* rects)
{
    if (count <= 0)
        return nullptr;
    const int capacity = std::min(1000, count);
    const DWORD size = sizeof(RGNDATAHEADER) + sizeof(RECT) * capacity;
    std::unique_ptr<BYTE[]> buffer(new (std::nothrow) BYTE[size]());
    if (!buffer)
        return nullptr;
    auto* data = reinterpret_cast<RGNDATA*>(buffer.get());
    data->rdh.dwSize = sizeof(RGNDATAHEADER);
    data->rdh.iType = RDH_RECTANGLES;

    HRGN result = nullptr;
    for (int done = 0; done < count;) {
        int n = std::min(capacity, count - done);
        data->rdh.nCount = n;
        std::memcpy(data->Buffer, rects + done, sizeof(RECT) * n);
        HRGN batch = RegionBuilderExtCreateRegion(nullptr, size, data);
        if (!batch) {
            if (result)
                DeleteObject(result);
            throw Exception("!hBatchRgn");
        }
        if (!result) {
            result = batch;
        } else {
            CombineRgn(result, result, batch, RGN_XOR);
            DeleteObject(batch);
        }
        done += n;
    }
    return result;
}
