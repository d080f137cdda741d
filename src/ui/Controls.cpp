#include "ui/Controls.h"
#include "ui/Forms.h"
#include "ui/Menus.h"
#include "ui/Seams.h"
#include <windowsx.h>
#include <commctrl.h>
#include <algorithm>
#include <mutex>
#include <unordered_map>

namespace {

const char kWindowClass[] = "WevoWindow";

// Library objects by window handle, for this process only.
class TControlTable {
public:
    void Add(HWND hwnd, TWinControl* control)
    {
        std::lock_guard<std::mutex> guard(lock_);
        table_[hwnd] = control;
    }
    void Remove(HWND hwnd)
    {
        std::lock_guard<std::mutex> guard(lock_);
        table_.erase(hwnd);
    }
    TWinControl* Find(HWND hwnd)
    {
        std::lock_guard<std::mutex> guard(lock_);
        auto found = table_.find(hwnd);
        return found == table_.end() ? nullptr : found->second;
    }

private:
    std::mutex lock_;
    std::unordered_map<HWND, TWinControl*> table_;
};

TControlTable& ControlTable()
{
    static TControlTable table;
    return table;
}

// Asked of the system once: every font size of the program converts with it.
int ScreenDpi()
{
    static const int dpi = [] {
        HDC dc = GetDC(nullptr);
        int value = GetDeviceCaps(dc, LOGPIXELSY);
        ReleaseDC(nullptr, dc);
        return value > 0 ? value : 96;
    }();
    return dpi;
}

TShiftState ShiftFromKeys(WPARAM keys)
{
    TShiftState shift = 0;
    if (keys & MK_SHIFT) shift |= ssShift;
    if (keys & MK_CONTROL) shift |= ssCtrl;
    if (keys & MK_LBUTTON) shift |= ssLeft;
    if (keys & MK_RBUTTON) shift |= ssRight;
    if (keys & MK_MBUTTON) shift |= ssMiddle;
    if (GetKeyState(VK_MENU) < 0) shift |= ssAlt;
    return shift;
}

// One tooltip window for every hint of the program.
HWND HintWindow()
{
    static HWND hint = nullptr;
    if (hint && IsWindow(hint))
        return hint;
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
    hint = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                           WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                           CW_USEDEFAULT, CW_USEDEFAULT, Application->Handle(), nullptr,
                           GetModuleHandleA(nullptr), nullptr);
    if (hint)
        SendMessageA(hint, TTM_SETMAXTIPWIDTH, 0, 400);
    return hint;
}

// The window's one tool: shows text over rect, or nothing when text is empty.
void SetHintTool(HWND window, const RECT& rect, const std::string& text)
{
    HWND hint = HintWindow();
    if (!hint)
        return;
    TOOLINFOA info = {};
    info.cbSize = TTTOOLINFOA_V2_SIZE;
    info.hwnd = window;
    info.uId = 1;
    SendMessageA(hint, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&info));
    if (text.empty())
        return;
    info.uFlags = 0;
    info.rect = rect;
    info.hinst = nullptr;
    info.lpszText = const_cast<char*>(text.c_str());
    SendMessageA(hint, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
}

void RelayHint(HWND window, const TMessage& m)
{
    HWND hint = HintWindow();
    if (!hint)
        return;
    MSG msg = {window, m.Msg, m.WParam, m.LParam, 0, {}};
    SendMessageA(hint, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
}

bool IsMouseMessage(UINT msg)
{
    return msg >= WM_MOUSEFIRST && msg <= WM_MBUTTONDBLCLK;
}

}  // namespace

LRESULT CALLBACK WevoWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lp);
        auto* control = static_cast<TWinControl*>(create->lpCreateParams);
        if (control) {
            ControlTable().Add(hwnd, control);
            control->handle_ = hwnd;
        }
    }
    TWinControl* control = TWinControl::FromHandle(hwnd);
    if (!control)
        return DefWindowProcA(hwnd, msg, wp, lp);
    TMessage m = {msg, wp, lp, 0};
    try {
        control->WndProc(m);
    } catch (const std::exception& e) {
        Application->ShowException(e);
    } catch (...) {
        Application->ShowException(Exception(""));
    }
    if (msg == WM_NCDESTROY)
        ControlTable().Remove(hwnd);
    return m.Result;
}

COLORREF clBtnFace()
{
    return GetSysColor(COLOR_BTNFACE);
}

// ---- TFont

TFont::TFont() = default;

TFont::TFont(const TFont& other)
    : name_(other.name_), height_(other.height_), color_(other.color_), style_(other.style_)
{
}

TFont& TFont::operator=(const TFont& other)
{
    if (this == &other)
        return *this;
    name_ = other.name_;
    height_ = other.height_;
    color_ = other.color_;
    style_ = other.style_;
    Changed();
    return *this;
}

TFont::~TFont()
{
    if (handle_)
        DeleteObject(handle_);
}

void TFont::Changed()
{
    if (handle_) {
        DeleteObject(handle_);
        handle_ = nullptr;
    }
    if (OnChange)
        OnChange();
}

void TFont::SetName(const std::string& name)
{
    name_ = name;
    Changed();
}

int TFont::Size() const
{
    return -MulDiv(height_, 72, ScreenDpi());
}

void TFont::SetSize(int points)
{
    height_ = -MulDiv(points, ScreenDpi(), 72);
    Changed();
}

void TFont::SetHeight(int pixels)
{
    height_ = pixels;
    Changed();
}

void TFont::SetColor(COLORREF color)
{
    color_ = color;
    Changed();
}

void TFont::SetStyle(unsigned style)
{
    style_ = style;
    Changed();
}

HFONT TFont::Handle() const
{
    if (!handle_) {
        LOGFONTA lf = {};
        lf.lfHeight = height_;
        lf.lfWeight = (style_ & fsBold) ? FW_BOLD : FW_NORMAL;
        lf.lfItalic = (style_ & fsItalic) ? 1 : 0;
        lf.lfUnderline = (style_ & fsUnderline) ? 1 : 0;
        lf.lfCharSet = DEFAULT_CHARSET;
        lstrcpynA(lf.lfFaceName, name_.c_str(), LF_FACESIZE);
        handle_ = CreateFontIndirectA(&lf);
    }
    return handle_;
}

// ---- TControl

TControl::TControl(TComponent* AOwner) : TComponent(AOwner), color_(clBtnFace())
{
    font_.OnChange = [this] { FontChanged(); };
    if (auto* owner = dynamic_cast<TWinControl*>(AOwner))
        TControl::SetParent(owner);
}

void TControl::ApplyArgs(const TControlArgs& args)
{
    SetBounds(args.Left, args.Top, args.Width < 0 ? width_ : args.Width, args.Height < 0 ? height_ : args.Height);
    if (!args.Caption.empty())
        SetCaption(args.Caption);
}

TControl::~TControl()
{
    font_.OnChange = nullptr;
    if (parent_)
        parent_->RemoveControl(this);
}

void TControl::SetParent(TWinControl* AParent)
{
    if (parent_ == AParent)
        return;
    if (parent_) {
        Invalidate();
        parent_->RemoveControl(this);
    }
    parent_ = AParent;
    if (parent_) {
        parent_->InsertControl(this);
        Invalidate();
    }
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    if (ALeft == left_ && ATop == top_ && AWidth == width_ && AHeight == height_)
        return;
    Invalidate();
    left_ = ALeft;
    top_ = ATop;
    width_ = AWidth;
    height_ = AHeight;
    Invalidate();
    BoundsChanged();
    if (parent_)
        parent_->ChildBoundsChanged(this);
}

void TControl::SetVisible(bool value)
{
    if (visible_ == value)
        return;
    visible_ = value;
    VisibleChanged();
    if (parent_)
        parent_->ChildBoundsChanged(this);
}

void TControl::SetEnabled(bool value)
{
    if (enabled_ == value)
        return;
    enabled_ = value;
    EnabledChanged();
    Invalidate();
}

void TControl::SetCaption(const std::string& value)
{
    if (caption_ == value)
        return;
    caption_ = value;
    CaptionChanged();
    Invalidate();
}

void TControl::SetHint(const std::string& value)
{
    if (hint_ == value)
        return;
    hint_ = value;
    ApplyHint();
}

void TControl::ApplyHint()
{
    if (auto* self = dynamic_cast<TWinControl*>(this)) {
        if (!self->HandleAllocated())
            return;  // handed over when the window is made
        RECT r = {0, 0, width_, height_};
        SetHintTool(self->Handle(), r, ShowHint() ? hint_ : std::string());
    } else if (parent_ && parent_->hover_ == this) {
        SetHintTool(parent_->Handle(), BoundsRect(), ShowHint() ? hint_ : std::string());
    }
}

bool TControl::ShowHint() const
{
    if (parentShowHint_ && parent_)
        return parent_->ShowHint();
    return showHint_;
}

void TControl::SetShowHint(bool value)
{
    showHint_ = value;
    parentShowHint_ = false;
    ApplyHint();
}

void TControl::SetColor(COLORREF value)
{
    color_ = value;
    Invalidate();
}

void TControl::BringToFront()
{
    if (!parent_)
        return;
    auto& list = parent_->controls_;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    list.push_back(this);
    Invalidate();
}

void TControl::SendToBack()
{
    if (!parent_)
        return;
    auto& list = parent_->controls_;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    list.insert(list.begin(), this);
    Invalidate();
}

void TControl::Invalidate()
{
    // A hidden window is painted whole when it is shown.
    if (!parent_ || !parent_->HandleAllocated() || !IsWindowVisible(parent_->Handle()))
        return;
    RECT r = BoundsRect();
    InvalidateRect(parent_->Handle(), &r, FALSE);
}

void TControl::Repaint()
{
    Invalidate();
    auto* self = dynamic_cast<TWinControl*>(this);
    TWinControl* window = self ? self : parent_;
    if (window && window->HandleAllocated())
        UpdateWindow(window->Handle());
}

POINT TControl::ScreenToClient(POINT p) const
{
    POINT origin = ClientToScreen({0, 0});
    return {p.x - origin.x, p.y - origin.y};
}

POINT TControl::ClientToScreen(POINT p) const
{
    if (auto* self = dynamic_cast<const TWinControl*>(this); self && self->HandleAllocated()) {
        ::ClientToScreen(self->Handle(), &p);
        return p;
    }
    if (!parent_)
        return {p.x + left_, p.y + top_};
    return parent_->ClientToScreen({p.x + left_, p.y + top_});
}

void TControl::Click()
{
    if (OnClick)
        OnClick(this);
}

void TControl::DblClick()
{
    if (OnDblClick)
        OnDblClick(this);
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (OnMouseDown)
        OnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (OnMouseUp)
        OnMouseUp(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y)
{
    if (OnMouseMove)
        OnMouseMove(this, Shift, X, Y);
}

void TControl::CMMouseEnter()
{
    if (OnMouseEnter)
        OnMouseEnter(this);
}

void TControl::CMMouseLeave()
{
    if (OnMouseLeave)
        OnMouseLeave(this);
}

// ---- TGraphicControl

TGraphicControl::TGraphicControl(TComponent* AOwner) : TControl(AOwner) {}

void TGraphicControl::BoundsChanged() {}

void TGraphicControl::VisibleChanged()
{
    RECT r = BoundsRect();
    if (Parent() && Parent()->HandleAllocated() && IsWindowVisible(Parent()->Handle()))
        InvalidateRect(Parent()->Handle(), &r, FALSE);
}

// ---- TWinControl

namespace {

void RegisterWindowClass(const char* name, UINT style)
{
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    if (GetClassInfoExA(GetModuleHandleA(nullptr), name, &wc))
        return;
    wc.style = style;
    wc.lpfnWndProc = WevoWindowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.lpszClassName = name;
    RegisterClassExA(&wc);
}

bool IsOwnClass(const char* name)
{
    return lstrcmpiA(name, kWindowClass) == 0 || lstrcmpiA(name, "WevoForm") == 0;
}

}  // namespace

TWinControl::TWinControl(TComponent* AOwner) : TWinControl(AOwner, kWindowClass, WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT)
{
}

TWinControl::TWinControl(TComponent* AOwner, const char* WindowClass, DWORD Style, DWORD ExStyle)
    : TControl(AOwner), windowClass_(WindowClass), style_(Style), exStyle_(ExStyle)
{
    const bool child = (Style & WS_CHILD) != 0;
    if (!child)
        visible_ = false;  // top-level windows start hidden
    if (child && parent_ && parent_->handle_ && !parent_->childrenWait_)
        CreateHandle();
}

HWND TWinControl::Handle() const
{
    if (handle_)
        return handle_;
    // A window made on another thread would belong to that thread and die with it.
    if (GetCurrentThreadId() != thread_) {
        seams::Log("A window not yet made was asked for from another thread\n");
        return nullptr;
    }
    const_cast<TWinControl*>(this)->CreateHandle();
    return handle_;
}

HWND TWinControl::HandleWithoutChildren()
{
    if (handle_ || GetCurrentThreadId() != thread_)
        return Handle();
    childrenWait_ = true;
    try {
        CreateHandle();
    } catch (...) {
        childrenWait_ = false;
        throw;
    }
    return handle_;
}

void TWinControl::CreateChildHandles()
{
    if (!handle_)
        return;
    childrenWait_ = false;
    // Each new child goes below its siblings: made top first, they keep z-order and tab order.
    std::vector<TControl*> children = zorder_;
    for (TControl* c : children)
        if (auto* w = dynamic_cast<TWinControl*>(c); w && !w->handle_ && (w->style_ & WS_CHILD))
            w->CreateHandle();
}

void TWinControl::CreateHandle()
{
    if (handle_ || creating_)
        return;
    const bool child = (style_ & WS_CHILD) != 0;
    if (child && parent_ && (!parent_->handle_ || parent_->childrenWait_)) {
        parent_->CreateHandle();  // makes this window too
        parent_->CreateChildHandles();
        if (handle_)
            return;
    }
    static int nextId = 100;
    RegisterWindowClass(kWindowClass, CS_DBLCLKS);
    RegisterWindowClass("WevoForm", CS_DBLCLKS);
    DWORD style = style_;
    if (visible_ && child)
        style |= WS_VISIBLE;
    if (!enabled_)
        style |= WS_DISABLED;
    HWND parentWindow = parent_ && child ? parent_->Handle() : Application->Handle();
    HMENU id = child ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(nextId++)) : nullptr;
    const bool own = IsOwnClass(windowClass_.c_str());
    const RECT wanted = BoundsRect();
    creating_ = true;
    HWND hwnd = CreateWindowExA(exStyle_, windowClass_.c_str(), caption_.c_str(), style, left_, top_,
                                width_, height_, parentWindow, id, GetModuleHandleA(nullptr),
                                own ? this : nullptr);
    creating_ = false;
    if (!hwnd)
        throw Exception("Cannot create window of class " + windowClass_);
    handle_ = hwnd;
    if (!own) {
        ControlTable().Add(hwnd, this);
        oldProc_ = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WevoWindowProc)));
    }
    // The system gives every overlapped window a caption: a form made without one loses it.
    const DWORD made = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE));
    if (!child && (made & WS_CAPTION) != (style & WS_CAPTION)) {
        SetWindowLongA(hwnd, GWL_STYLE, (made & ~WS_CAPTION) | (style & WS_CAPTION));
        SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
    // Creation holds a top-level window to its smallest tracking size; it keeps the size set.
    RECT now = wanted;
    if (!child)
        GetWindowRect(hwnd, &now);
    if (!EqualRect(&now, &wanted))
        MoveWindow(hwnd, wanted.left, wanted.top, wanted.right - wanted.left, wanted.bottom - wanted.top, FALSE);
    ApplyFont();
    HandleCreated();
    if (!hint_.empty())
        ApplyHint();
    if (!childrenWait_)
        CreateChildHandles();
}

DWORD TWinControl::WindowStyle() const
{
    return handle_ ? static_cast<DWORD>(GetWindowLongA(handle_, GWL_STYLE)) : style_;
}

void TWinControl::SetWindowStyle(DWORD value)
{
    style_ = value & ~(WS_VISIBLE | WS_DISABLED);
    if (!handle_)
        return;
    SetWindowLongA(handle_, GWL_STYLE, value);
    SetWindowPos(handle_, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

DWORD TWinControl::WindowExStyle() const
{
    return handle_ ? static_cast<DWORD>(GetWindowLongA(handle_, GWL_EXSTYLE)) : exStyle_;
}

void TWinControl::SetWindowExStyle(DWORD value)
{
    exStyle_ = value;
    if (!handle_)
        return;
    SetWindowLongA(handle_, GWL_EXSTYLE, value);
    SetWindowPos(handle_, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

TWinControl::~TWinControl()
{
    while (!controls_.empty())
        delete controls_.back();
    if (!handle_)
        return;
    if (GetCapture() == handle_)
        ReleaseCapture();
    SetHintTool(handle_, {}, std::string());
    ControlTable().Remove(handle_);
    if (oldProc_)
        SetWindowLongPtrA(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(oldProc_));
    DestroyWindow(handle_);
    handle_ = nullptr;
    if (brush_)
        DeleteObject(brush_);
}

TWinControl* TWinControl::FromHandle(HWND hwnd)
{
    return hwnd ? ControlTable().Find(hwnd) : nullptr;
}

void TWinControl::InsertControl(TControl* control)
{
    controls_.push_back(control);
    zorder_.push_back(control);
}

void TWinControl::MoveInZOrder(TWinControl* child, bool top)
{
    zorder_.erase(std::remove(zorder_.begin(), zorder_.end(), child), zorder_.end());
    if (top)
        zorder_.insert(zorder_.begin(), child);
    else
        zorder_.push_back(child);
}

void TWinControl::RemoveControl(TControl* control)
{
    controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
    zorder_.erase(std::remove(zorder_.begin(), zorder_.end(), control), zorder_.end());
    if (captured_ == control) {
        captured_ = nullptr;
        if (GetCapture() == handle_)
            ReleaseCapture();
    }
    if (hover_ == control) {
        hover_ = nullptr;
        SetHintTool(handle_, {}, std::string());
    }
    if (pressed_ == control)
        pressed_ = nullptr;
}

void TWinControl::SetParent(TWinControl* AParent)
{
    TControl::SetParent(AParent);
    if (!(style_ & WS_CHILD))
        return;
    if (handle_)
        ::SetParent(handle_, AParent ? AParent->Handle() : Application->Handle());
    else if (AParent && AParent->handle_ && !AParent->childrenWait_)
        CreateHandle();
}

void TWinControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    if (ALeft == left_ && ATop == top_ && AWidth == width_ && AHeight == height_)
        return;
    left_ = ALeft;
    top_ = ATop;
    width_ = AWidth;
    height_ = AHeight;
    if (handle_)
        MoveWindow(handle_, left_, top_, width_, height_, TRUE);
    BoundsChanged();
    if (!hint_.empty())
        ApplyHint();
    if (parent_)
        parent_->ChildBoundsChanged(this);
}

void TWinControl::SetCaption(const std::string& value)
{
    caption_ = value;
    if (handle_)
        SetWindowTextA(handle_, value.c_str());
    CaptionChanged();
    Invalidate();
}

void TWinControl::BringToFront()
{
    TControl::BringToFront();
    if (Parent())
        Parent()->MoveInZOrder(this, true);
    if (handle_)
        SetWindowPos(handle_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TWinControl::SendToBack()
{
    TControl::SendToBack();
    if (Parent())
        Parent()->MoveInZOrder(this, false);
    if (handle_)
        SetWindowPos(handle_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TWinControl::Invalidate()
{
    if (handle_ && IsWindowVisible(handle_))
        InvalidateRect(handle_, nullptr, TRUE);
}

void TWinControl::VisibleChanged()
{
    if (handle_)
        ShowWindow(handle_, visible_ ? SW_SHOWNA : SW_HIDE);
}

void TWinControl::EnabledChanged()
{
    if (handle_)
        EnableWindow(handle_, enabled_);
}

void TWinControl::FontChanged()
{
    ApplyFont();
    Invalidate();
}

void TWinControl::ApplyFont()
{
    if (handle_)
        SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), TRUE);
}

void TWinControl::ChildBoundsChanged(TControl* child)
{
    AdjustSize();
}

LRESULT TWinControl::Perform(UINT Msg, WPARAM WParam, LPARAM LParam)
{
    TMessage m = {Msg, WParam, LParam, 0};
    WndProc(m);
    return m.Result;
}

void TWinControl::SetFocus()
{
    if (handle_)
        ::SetFocus(handle_);
}

bool TWinControl::Focused() const
{
    return handle_ && GetFocus() == handle_;
}

TControl* TWinControl::ControlAtPos(POINT p, bool AllowDisabled) const
{
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        TControl* c = *it;
        if (dynamic_cast<TWinControl*>(c))
            continue;
        if (!c->Visible() || (!c->Enabled() && !AllowDisabled))
            continue;
        RECT r = c->BoundsRect();
        if (PtInRect(&r, p))
            return c;
    }
    return nullptr;
}

void TWinControl::SetHover(TControl* control)
{
    if (control == hover_)
        return;
    TControl* old = hover_;
    hover_ = control;
    if (old) {
        old->mouseInside_ = false;
        old->CMMouseLeave();
    }
    // The handler may have removed the new control.
    if (hover_ != control)
        return;
    if (control) {
        control->mouseInside_ = true;
        control->CMMouseEnter();
    }
    if (hover_ == control && control && control->ShowHint())
        SetHintTool(handle_, control->BoundsRect(), control->Hint());
    else
        SetHintTool(handle_, {0, 0, ClientWidth(), ClientHeight()}, ShowHint() ? hint_ : std::string());
}

bool TWinControl::RouteMouse(TMessage& m)
{
    // Every message passes here; the key state is asked for only for the pointer's.
    if (!IsMouseMessage(m.Msg) && m.Msg != WM_MOUSELEAVE && m.Msg != WM_CAPTURECHANGED)
        return false;
    POINT p = {GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
    TShiftState shift = ShiftFromKeys(m.WParam);
    TMouseButton button = mbLeft;
    switch (m.Msg) {
    case WM_MOUSEMOVE: {
        if (!tracking_) {
            TRACKMOUSEEVENT tme = {sizeof tme, TME_LEAVE, handle_, 0};
            tracking_ = TrackMouseEvent(&tme) != 0;
        }
        SetHover(ControlAtPos(p, true));
        TControl* target = captured_ ? captured_ : ControlAtPos(p, false);
        if (target)
            target->MouseMove(shift, p.x - target->Left(), p.y - target->Top());
        else
            MouseMove(shift, p.x, p.y);
        return true;
    }
    case WM_MOUSELEAVE:
        tracking_ = false;
        SetHover(nullptr);
        return true;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(m.LParam) != handle_) {
            captured_ = nullptr;
            pressed_ = nullptr;
            selfPressed_ = false;
        }
        return false;
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDOWN: {
        button = m.Msg == WM_LBUTTONDOWN ? mbLeft : m.Msg == WM_RBUTTONDOWN ? mbRight : mbMiddle;
        TControl* target = ControlAtPos(p, false);
        SetCapture(handle_);
        if (target) {
            captured_ = target;
            if (button == mbLeft)
                pressed_ = target;
            target->MouseDown(button, shift, p.x - target->Left(), p.y - target->Top());
        } else {
            if (button == mbLeft)
                selfPressed_ = true;
            MouseDown(button, shift, p.x, p.y);
        }
        return true;
    }
    case WM_LBUTTONDBLCLK: {
        // The second press of a double click: DblClick, then a press marked double; its
        // release clicks nothing.
        TControl* target = ControlAtPos(p, false);
        SetCapture(handle_);
        captured_ = target;
        if (target) {
            target->DblClick();
            if (std::find(controls_.begin(), controls_.end(), target) == controls_.end()) {
                captured_ = nullptr;
                return true;
            }
            target->MouseDown(mbLeft, shift | ssDouble, p.x - target->Left(), p.y - target->Top());
        } else {
            DblClick();
            MouseDown(mbLeft, shift | ssDouble, p.x, p.y);
        }
        return true;
    }
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
    case WM_LBUTTONUP: {
        button = m.Msg == WM_LBUTTONUP ? mbLeft : m.Msg == WM_RBUTTONUP ? mbRight : mbMiddle;
        TControl* target = captured_ ? captured_ : ControlAtPos(p, false);
        bool clicked = button == mbLeft && (target ? pressed_ == target : selfPressed_);
        captured_ = nullptr;
        if (button == mbLeft) {
            pressed_ = nullptr;
            selfPressed_ = false;
        }
        if (GetCapture() == handle_)
            ReleaseCapture();
        if (target) {
            POINT local = {p.x - target->Left(), p.y - target->Top()};
            RECT r = {0, 0, target->Width(), target->Height()};
            if (clicked && PtInRect(&r, local))
                target->Click();
            // The click handler may have deleted the control.
            if (std::find(controls_.begin(), controls_.end(), target) == controls_.end())
                return true;
            target->MouseUp(button, shift, local.x, local.y);
            if (button == mbRight && target->PopupMenu) {
                POINT s = target->ClientToScreen(local);
                target->PopupMenu->PopupComponent = target;
                target->PopupMenu->Popup(s.x, s.y);
            }
        } else {
            RECT r = {0, 0, ClientWidth(), ClientHeight()};
            if (clicked && PtInRect(&r, p))
                Click();
            MouseUp(button, shift, p.x, p.y);
        }
        return true;
    }
    default:
        return false;
    }
}

void TWinControl::WndProc(TMessage& m)
{
    if (IsMouseMessage(m.Msg) || m.Msg == WM_MOUSELEAVE)
        RelayHint(handle_, m);
    if (!IsSystemClass()) {
        if (RouteMouse(m))
            return;
    } else if (m.Msg == WM_CONTEXTMENU && PopupMenu) {
        POINT s = {GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
        if (s.x == -1 && s.y == -1)
            GetCursorPos(&s);
        PopupMenu->PopupComponent = this;
        PopupMenu->Popup(s.x, s.y);
        return;
    }
    Dispatch(m);
}

HBRUSH TWinControl::CtlColor(HDC dc)
{
    return nullptr;
}

HBRUSH TWinControl::ParentColorBrush(HDC dc)
{
    COLORREF color = parent_ ? parent_->Color() : color_;
    SetBkColor(dc, color);
    SetTextColor(dc, font_.Color());
    if (brush_)
        DeleteObject(brush_);
    brush_ = CreateSolidBrush(color);
    return brush_;
}

void TWinControl::Dispatch(TMessage& m)
{
    switch (m.Msg) {
    case WM_ERASEBKGND:
        if (!IsSystemClass()) {
            m.Result = 1;
            return;
        }
        break;
    case WM_PAINT:
        if (!IsSystemClass()) {
            // Only the part to repaint is drawn, off screen, then copied.
            HRGN update = CreateRectRgn(0, 0, 0, 0);
            const int updateKind = update ? GetUpdateRgn(handle_, update, FALSE) : ERROR;
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(handle_, &ps);
            const RECT area = ps.rcPaint;
            const int width = area.right - area.left, height = area.bottom - area.top;
            if (width > 0 && height > 0) {
                HDC mem = CreateCompatibleDC(dc);
                HBITMAP bitmap = CreateCompatibleBitmap(dc, width, height);
                HGDIOBJ old = SelectObject(mem, bitmap);
                if (updateKind == SIMPLEREGION || updateKind == COMPLEXREGION) {
                    OffsetRgn(update, -area.left, -area.top);
                    SelectClipRgn(mem, update);
                }
                SetViewportOrgEx(mem, -area.left, -area.top, nullptr);
                IntersectClipRect(mem, area.left, area.top, area.right, area.bottom);
                PaintWindow(mem);
                SetViewportOrgEx(mem, 0, 0, nullptr);
                BitBlt(dc, area.left, area.top, width, height, mem, 0, 0, SRCCOPY);
                SelectObject(mem, old);
                DeleteObject(bitmap);
                DeleteDC(mem);
            }
            EndPaint(handle_, &ps);
            if (update)
                DeleteObject(update);
            return;
        }
        break;
    case WM_COMMAND:
        if (m.LParam) {
            if (auto* child = FromHandle(reinterpret_cast<HWND>(m.LParam))) {
                if (child != this) {
                    child->CommandNotify(HIWORD(m.WParam));
                    return;
                }
            }
        }
        break;
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(m.LParam);
        auto* child = item ? FromHandle(item->hwndItem) : nullptr;
        if (child && child != this && child->DrawItemNotify(*item)) {
            m.Result = TRUE;
            return;
        }
        break;
    }
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(m.LParam);
        if (auto* child = FromHandle(header->hwndFrom)) {
            if (child != this && child->NotifyNotify(header, m.Result))
                return;
        }
        break;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
        if (auto* child = FromHandle(reinterpret_cast<HWND>(m.LParam))) {
            if (HBRUSH brush = child->CtlColor(reinterpret_cast<HDC>(m.WParam))) {
                m.Result = reinterpret_cast<LRESULT>(brush);
                return;
            }
        }
        break;
    case WM_SETCURSOR:
        if (LOWORD(m.LParam) == HTCLIENT && !IsSystemClass()) {
            POINT p;
            GetCursorPos(&p);
            ::ScreenToClient(handle_, &p);
            TControl* c = ControlAtPos(p, true);
            TCursor cursor = c ? c->Cursor : Cursor;
            if (cursor != crDefault) {
                LPCSTR id = cursor == crHandPoint    ? reinterpret_cast<LPCSTR>(IDC_HAND)
                            : cursor == crHourGlass ? reinterpret_cast<LPCSTR>(IDC_WAIT)
                            : cursor == crIBeam     ? reinterpret_cast<LPCSTR>(IDC_IBEAM)
                                                    : reinterpret_cast<LPCSTR>(IDC_ARROW);
                ::SetCursor(LoadCursorA(nullptr, id));
                m.Result = TRUE;
                return;
            }
        }
        break;
    case WM_WINDOWPOSCHANGED: {
        auto* pos = reinterpret_cast<WINDOWPOS*>(m.LParam);
        if (!(pos->flags & SWP_NOMOVE) || !(pos->flags & SWP_NOSIZE)) {
            RECT r;
            GetWindowRect(handle_, &r);
            HWND parent = GetParent(handle_);
            if (GetWindowLongA(handle_, GWL_STYLE) & WS_CHILD)
                MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
            left_ = r.left;
            top_ = r.top;
            width_ = r.right - r.left;
            height_ = r.bottom - r.top;
        }
        break;
    }
    default:
        break;
    }
    DefaultHandler(m);
}

void TWinControl::DefaultHandler(TMessage& m)
{
    if (!handle_)
        m.Result = 0;
    else if (oldProc_)
        m.Result = CallWindowProcA(oldProc_, handle_, m.Msg, m.WParam, m.LParam);
    else
        m.Result = DefWindowProcA(handle_, m.Msg, m.WParam, m.LParam);
}

void TWinControl::PaintBackground(HDC dc)
{
    RECT r = {0, 0, ClientWidth(), ClientHeight()};
    HBRUSH brush = CreateSolidBrush(color_);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

void TWinControl::PaintWindow(HDC dc)
{
    PaintBackground(dc);
    std::vector<TControl*> children = controls_;
    for (TControl* c : children) {
        auto* graphic = dynamic_cast<TGraphicControl*>(c);
        if (!graphic || !graphic->Visible() || graphic->Width() <= 0 || graphic->Height() <= 0)
            continue;
        const RECT bounds = graphic->BoundsRect();
        if (!RectVisible(dc, &bounds))
            continue;  // wholly outside the part being painted
        int saved = SaveDC(dc);
        OffsetViewportOrgEx(dc, graphic->Left(), graphic->Top(), nullptr);
        IntersectClipRect(dc, 0, 0, graphic->Width(), graphic->Height());
        try {
            graphic->Paint(dc);
        } catch (const std::exception& e) {
            seams::Log((std::string("Paint failed: ") + e.what() + "\n").c_str());
        }
        RestoreDC(dc, saved);
    }
}
