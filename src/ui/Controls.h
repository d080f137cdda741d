#pragma once
#include "ui/Classes.h"

class TWinControl;
class TPopupMenu;

enum TMouseButton { mbLeft, mbRight, mbMiddle };

// Shift state: keys and buttons held during a mouse event, as bits.
enum TShiftFlag : unsigned {
    ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32, ssDouble = 64
};
using TShiftState = unsigned;

using TMouseEvent =
    std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TCursor { crDefault, crArrow, crHandPoint, crHourGlass, crIBeam };
enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4 };

// The system colour of dialog faces, the default colour of forms and panels.
COLORREF clBtnFace();

// A window message as the message handlers see it.
struct TMessage {
    UINT Msg;
    WPARAM WParam;
    LPARAM LParam;
    LRESULT Result;
};

// Font of a control. Sizes in points; Height in pixels (negative: character height).
class TFont {
public:
    TFont();
    TFont(const TFont& other);
    TFont& operator=(const TFont& other);
    ~TFont();

    const std::string& Name() const { return name_; }
    void SetName(const std::string& name);
    int Size() const;
    void SetSize(int points);
    int Height() const { return height_; }
    void SetHeight(int pixels);
    COLORREF Color() const { return color_; }
    void SetColor(COLORREF color);
    unsigned Style() const { return style_; }  // TFontStyle bits
    void SetStyle(unsigned style);

    HFONT Handle() const;  // made on demand, owned by the font

    std::function<void()> OnChange;

private:
    void Changed();
    std::string name_ = "Tahoma";
    int height_ = -11;
    COLORREF color_ = 0;
    unsigned style_ = 0;
    mutable HFONT handle_ = nullptr;
};

// What a control is made with: its parent (which also owns it), its bounds and its caption.
// A width or height left out (negative) keeps the control's own default; an empty caption
// sets none.
struct TControlArgs {
    TWinControl* Parent = nullptr;
    int Left = 0, Top = 0, Width = -1, Height = -1;
    std::string Caption;
};

// Anything placed on a window: position relative to its parent's client area.
class TControl : public TComponent {
public:
    // A control whose owner is a windowed control starts on that owner; SetParent moves it.
    explicit TControl(TComponent* AOwner);
    ~TControl() override;

    TWinControl* Parent() const { return parent_; }
    virtual void SetParent(TWinControl* AParent);

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int value) { SetBounds(value, top_, width_, height_); }
    void SetTop(int value) { SetBounds(left_, value, width_, height_); }
    void SetWidth(int value) { SetBounds(left_, top_, value, height_); }
    void SetHeight(int value) { SetBounds(left_, top_, width_, value); }
    virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
    RECT BoundsRect() const { return {left_, top_, left_ + width_, top_ + height_}; }

    bool Visible() const { return visible_; }
    virtual void SetVisible(bool value);
    virtual void Show() { SetVisible(true); }
    virtual void Hide() { SetVisible(false); }
    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool value);

    const std::string& Caption() const { return caption_; }
    virtual void SetCaption(const std::string& value);
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& value);
    // Whether the hint shows: the parent's choice until the control makes its own.
    bool ShowHint() const;
    void SetShowHint(bool value);
    // Hands the hint to the hint window (after a change of text, place or switch).
    void ApplyHint();

    COLORREF Color() const { return color_; }
    virtual void SetColor(COLORREF value);
    TFont& Font() { return font_; }  // changes repaint the control
    const TFont& Font() const { return font_; }

    TCursor Cursor = crDefault;
    TPopupMenu* PopupMenu = nullptr;  // shown on a right click

    virtual void BringToFront();
    virtual void SendToBack();
    virtual void Invalidate();
    void Repaint();

    // Mouse position in the control's coordinates.
    POINT ScreenToClient(POINT p) const;
    POINT ClientToScreen(POINT p) const;

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TNotifyEvent OnMouseEnter;  // also while disabled
    TNotifyEvent OnMouseLeave;

    // What the library calls on input; each default calls the matching event.
    virtual void Click();
    virtual void DblClick();
    virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseMove(TShiftState Shift, int X, int Y);
    virtual void CMMouseEnter();
    virtual void CMMouseLeave();

    bool MouseInside() const { return mouseInside_; }

protected:
    // Places a new control as args say; the constructors taking TControlArgs end with it.
    void ApplyArgs(const TControlArgs& args);
    virtual void FontChanged() { Invalidate(); }
    virtual void BoundsChanged() {}
    virtual void VisibleChanged() {}
    virtual void EnabledChanged() {}
    virtual void CaptionChanged() {}

    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool visible_ = true;
    bool enabled_ = true;
    std::string caption_;
    std::string hint_;
    bool showHint_ = false;
    bool parentShowHint_ = true;
    COLORREF color_;
    TFont font_;

private:
    friend class TWinControl;
    TWinControl* parent_ = nullptr;
    bool mouseInside_ = false;
};

// A control without a window of its own: its parent paints it and routes the mouse to it.
class TGraphicControl : public TControl {
public:
    explicit TGraphicControl(TComponent* AOwner);

    // Draws the control; the origin of dc is the control's top-left corner.
    virtual void Paint(HDC dc) {}

protected:
    void BoundsChanged() override;
    void VisibleChanged() override;
};

// A control with a window. Every message passes WndProc, then Dispatch, then DefaultHandler;
// exceptions from handlers stop at the window procedure and go to Application->ShowException.
class TWinControl : public TControl {
public:
    // A plain container window (panels, frames and pages build on it).
    explicit TWinControl(TComponent* AOwner);
    ~TWinControl() override;

    // The window, made on demand (the parent's first; a window makes its children's too).
    HWND Handle() const;
    bool HandleAllocated() const { return handle_ != nullptr; }
    // The window alone, made now if need be: its children's windows wait until it is shown
    // or one of them is asked for. For a form that other threads post to before it shows.
    HWND HandleWithoutChildren();
    // Makes the children's windows that wait (see HandleWithoutChildren).
    void CreateChildHandles();
    // Window styles, kept while there is no window and applied when it is made.
    DWORD WindowStyle() const;
    void SetWindowStyle(DWORD value);
    DWORD WindowExStyle() const;
    void SetWindowExStyle(DWORD value);
    int ControlCount() const { return static_cast<int>(controls_.size()); }
    TControl* Controls(int index) const { return controls_.at(index); }

    void SetParent(TWinControl* AParent) override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void SetCaption(const std::string& value) override;
    void BringToFront() override;
    void SendToBack() override;
    void Invalidate() override;

    virtual int ClientWidth() const { return width_; }
    virtual int ClientHeight() const { return height_; }

    virtual void WndProc(TMessage& Message);
    virtual void Dispatch(TMessage& Message);
    void DefaultHandler(TMessage& Message);
    LRESULT Perform(UINT Msg, WPARAM WParam = 0, LPARAM LParam = 0);

    void SetFocus();
    bool Focused() const;

    // The topmost visible windowless child at a client point, or null.
    TControl* ControlAtPos(POINT p, bool AllowDisabled) const;

    // The library object of a window made by the library, or null.
    static TWinControl* FromHandle(HWND hwnd);

protected:
    // A window of a class of the library or a system class (subclassed), made when first
    // needed, or at once when the parent already has its window.
    TWinControl(TComponent* AOwner, const char* WindowClass, DWORD Style, DWORD ExStyle);
    // The window was just made: hands it the state kept so far.
    virtual void HandleCreated() {}

    // Background, frame, then the windowless children in z-order.
    virtual void PaintWindow(HDC dc);
    virtual void PaintBackground(HDC dc);
    // Notifications of a system control, reflected from its parent.
    virtual void CommandNotify(WORD Code) {}
    virtual bool NotifyNotify(NMHDR* Header, LRESULT& Result) { return false; }
    // WM_DRAWITEM of an owner-drawn system control; false leaves it to the parent.
    virtual bool DrawItemNotify(const DRAWITEMSTRUCT& Item) { return false; }
    // Brush for WM_CTLCOLOR* of a system control; null keeps the system's.
    virtual HBRUSH CtlColor(HDC dc);
    HBRUSH ParentColorBrush(HDC dc);  // the parent's colour, text in the font colour

    void VisibleChanged() override;
    void EnabledChanged() override;
    void FontChanged() override;

    bool IsSystemClass() const { return oldProc_ != nullptr; }
    void ChildBoundsChanged(TControl* child);
    virtual void AdjustSize() {}

private:
    friend class TControl;
    friend class TGraphicControl;
    friend LRESULT CALLBACK WevoWindowProc(HWND, UINT, WPARAM, LPARAM);
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    void CreateHandle();
    void MoveInZOrder(TWinControl* child, bool top);
    bool RouteMouse(TMessage& Message);
    void SetHover(TControl* control);
    void ApplyFont();

    HWND handle_ = nullptr;
    std::string windowClass_;
    DWORD style_ = 0;
    DWORD exStyle_ = 0;
    bool creating_ = false;
    bool childrenWait_ = false;  // made by HandleWithoutChildren; children not yet made
    DWORD thread_ = GetCurrentThreadId();  // the thread that makes and owns the window
    std::vector<TControl*> zorder_;  // windowed children top first: the order they are made in
    WNDPROC oldProc_ = nullptr;
    HBRUSH brush_ = nullptr;
    std::vector<TControl*> controls_;
    TControl* captured_ = nullptr;
    TControl* hover_ = nullptr;
    TControl* pressed_ = nullptr;
    bool tracking_ = false;
    bool selfPressed_ = false;
};
