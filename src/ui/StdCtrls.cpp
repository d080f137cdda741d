#include "ui/StdCtrls.h"
#include "ui/Forms.h"
#include <algorithm>
#include <mutex>

namespace {

// Texts are measured on one memory DC kept for the program's life: taking the screen's DC for
// each text costs a round trip to the window system.
class TMeasuringDC {
public:
    explicit TMeasuringDC(HFONT font) : guard_(Lock())
    {
        static const HDC dc = CreateCompatibleDC(nullptr);
        dc_ = dc;
        old_ = SelectObject(dc_, font);
    }
    ~TMeasuringDC() { SelectObject(dc_, old_); }
    TMeasuringDC(const TMeasuringDC&) = delete;
    TMeasuringDC& operator=(const TMeasuringDC&) = delete;
    HDC Handle() const { return dc_; }

private:
    static std::mutex& Lock()
    {
        static std::mutex lock;
        return lock;
    }
    std::lock_guard<std::mutex> guard_;
    HDC dc_ = nullptr;
    HGDIOBJ old_ = nullptr;
};

}  // namespace

// ---- TLabel

TLabel::TLabel(TComponent* AOwner) : TGraphicControl(AOwner)
{
    if (Parent())
        color_ = Parent()->Color();
    width_ = 65;
    height_ = 13;
    AdjustBounds();
}

TLabel::TLabel(const TControlArgs& Args) : TLabel(Args.Parent)
{
    if (Args.Width >= 0)
        autoSize_ = false;  // a label given a width keeps it
    ApplyArgs(Args);
}

void TLabel::SetCaption(const std::string& value)
{
    if (caption_ == value)
        return;
    caption_ = value;
    AdjustBounds();
    Invalidate();
}

void TLabel::SetAutoSize(bool value)
{
    autoSize_ = value;
    AdjustBounds();
}

void TLabel::SetAlignment(TAlignment value)
{
    alignment_ = value;
    Invalidate();
}

void TLabel::SetWordWrap(bool value)
{
    wordWrap_ = value;
    AdjustBounds();
    Invalidate();
}

void TLabel::SetTransparent(bool value)
{
    transparent_ = value;
    Invalidate();
}

void TLabel::SetEllipsisPosition(TEllipsisPosition value)
{
    ellipsis_ = value;
    Invalidate();
}

void TLabel::FontChanged()
{
    AdjustBounds();
    Invalidate();
}

void TLabel::AdjustBounds()
{
    if (!autoSize_)
        return;
    std::string text = caption_.empty() ? std::string(" ") : caption_;
    RECT r = {0, 0, wordWrap_ ? width_ : 0, 0};
    UINT flags = DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS | (wordWrap_ ? DT_WORDBREAK : 0);
    {
        TMeasuringDC dc(font_.Handle());
        DrawTextA(dc.Handle(), text.c_str(), static_cast<int>(text.size()), &r, flags);
    }
    int left = left_;
    if (alignment_ == taRightJustify && !wordWrap_)
        left = left_ + width_ - r.right;
    SetBounds(left, top_, wordWrap_ ? width_ : r.right, r.bottom);
}

void TLabel::Paint(HDC dc)
{
    RECT r = {0, 0, width_, height_};
    if (!transparent_) {
        HBRUSH brush = CreateSolidBrush(color_);
        FillRect(dc, &r, brush);
        DeleteObject(brush);
    }
    if (caption_.empty())
        return;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, enabled_ ? font_.Color() : GetSysColor(COLOR_GRAYTEXT));
    HGDIOBJ old = SelectObject(dc, font_.Handle());
    UINT flags = DT_NOPREFIX | DT_EXPANDTABS;
    flags |= alignment_ == taRightJustify ? DT_RIGHT : alignment_ == taCenter ? DT_CENTER : DT_LEFT;
    if (wordWrap_)
        flags |= DT_WORDBREAK;
    if (ellipsis_ == epEndEllipsis)
        flags |= DT_END_ELLIPSIS;
    DrawTextA(dc, caption_.c_str(), static_cast<int>(caption_.size()), &r, flags);
    SelectObject(dc, old);
}

// ---- TButton

TButton::TButton(TComponent* AOwner)
    : TWinControl(AOwner, "BUTTON", WS_CHILD | WS_TABSTOP | BS_PUSHBUTTON, 0)
{
    SetBounds(0, 0, 75, 25);
}

TButton::TButton(const TControlArgs& Args) : TButton(Args.Parent)
{
    ApplyArgs(Args);
}

void TButton::Click()
{
    if (ModalResult != mrNone) {
        TWinControl* p = Parent();
        while (p && !dynamic_cast<TForm*>(p))
            p = p->Parent();
        if (auto* form = dynamic_cast<TForm*>(p))
            form->SetModalResult(ModalResult);
    }
    TControl::Click();
}

void TButton::CommandNotify(WORD Code)
{
    if (Code == BN_CLICKED)
        Click();
}

// ---- TEdit

TEdit::TEdit(TComponent* AOwner)
    : TWinControl(AOwner, "EDIT", WS_CHILD | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE)
{
    color_ = GetSysColor(COLOR_WINDOW);
    SetBounds(0, 0, 121, 21);
}

TEdit::TEdit(const TControlArgs& Args) : TEdit(Args.Parent)
{
    ApplyArgs(Args);
}

std::string TEdit::Text() const
{
    if (!HandleAllocated())
        return caption_;
    int length = GetWindowTextLengthA(Handle());
    std::string text(length + 1, '\0');
    GetWindowTextA(Handle(), text.data(), length + 1);
    text.resize(lstrlenA(text.c_str()));
    return text;
}

void TEdit::SetText(const std::string& value)
{
    if (HandleAllocated()) {
        SetWindowTextA(Handle(), value.c_str());
        return;
    }
    caption_ = value;
    if (OnChange)
        OnChange(this);  // as the window's change notice would
}

void TEdit::SetReadOnly(bool value)
{
    readOnly_ = value;
    if (HandleAllocated())
        SendMessageA(Handle(), EM_SETREADONLY, value, 0);
}

void TEdit::SetMaxLength(int value)
{
    maxLength_ = value;
    if (HandleAllocated())
        SendMessageA(Handle(), EM_LIMITTEXT, value, 0);
}

void TEdit::SetPasswordChar(char value)
{
    passwordChar_ = value;
    if (!HandleAllocated())
        return;
    SendMessageA(Handle(), EM_SETPASSWORDCHAR, static_cast<unsigned char>(value), 0);
    Invalidate();
}

void TEdit::HandleCreated()
{
    if (readOnly_)
        SendMessageA(Handle(), EM_SETREADONLY, TRUE, 0);
    if (maxLength_)
        SendMessageA(Handle(), EM_LIMITTEXT, maxLength_, 0);
    if (passwordChar_)
        SendMessageA(Handle(), EM_SETPASSWORDCHAR, static_cast<unsigned char>(passwordChar_), 0);
}

void TEdit::CommandNotify(WORD Code)
{
    if (Code == EN_CHANGE && OnChange)
        OnChange(this);
}

HBRUSH TEdit::CtlColor(HDC dc)
{
    return nullptr;
}

// ---- TComboBox

TComboBox::TComboBox(TComponent* AOwner, TComboBoxStyle Style)
    : TWinControl(AOwner, "COMBOBOX",
                  WS_CHILD | WS_TABSTOP | WS_VSCROLL |
                      (Style == csDropDownList ? CBS_DROPDOWNLIST : CBS_DROPDOWN | CBS_AUTOHSCROLL),
                  0),
      style_(Style)
{
    items_.OnChange = [this] { ItemsChanged(); };
    SetBounds(0, 0, 145, 21);
}

TComboBox::TComboBox(const TControlArgs& Args, TComboBoxStyle Style) : TComboBox(Args.Parent, Style)
{
    ApplyArgs(Args);
}

void TComboBox::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    TWinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (HandleAllocated())
        MoveWindow(Handle(), ALeft, ATop, AWidth, AHeight + 200, TRUE);
}

void TComboBox::FillItems()
{
    SendMessageA(Handle(), CB_RESETCONTENT, 0, 0);
    for (int i = 0; i < items_.Count(); ++i)
        SendMessageA(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(items_.Strings(i).c_str()));
}

void TComboBox::ItemsChanged()
{
    if (!HandleAllocated()) {
        if (index_ >= items_.Count())
            index_ = -1;
        return;
    }
    int index = ItemIndex();
    std::string text = style_ == csDropDown ? Text() : std::string();
    FillItems();
    if (index >= 0 && index < items_.Count())
        SendMessageA(Handle(), CB_SETCURSEL, index, 0);
    else if (style_ == csDropDown)
        SetWindowTextA(Handle(), text.c_str());
}

void TComboBox::HandleCreated()
{
    MoveWindow(Handle(), left_, top_, width_, height_ + 200, FALSE);
    FillItems();
    if (index_ >= 0 && index_ < items_.Count())
        SendMessageA(Handle(), CB_SETCURSEL, index_, 0);
    else if (style_ == csDropDown)
        SetWindowTextA(Handle(), caption_.c_str());
    if (maxLength_)
        SendMessageA(Handle(), CB_LIMITTEXT, maxLength_, 0);
}

void TComboBox::SetMaxLength(int value)
{
    maxLength_ = value;
    if (HandleAllocated())
        SendMessageA(Handle(), CB_LIMITTEXT, value, 0);
}

int TComboBox::ItemIndex() const
{
    if (!HandleAllocated())
        return index_;
    return static_cast<int>(SendMessageA(Handle(), CB_GETCURSEL, 0, 0));
}

void TComboBox::SetItemIndex(int value)
{
    if (value < 0 || value >= items_.Count())
        value = -1;
    index_ = value;
    if (HandleAllocated())
        SendMessageA(Handle(), CB_SETCURSEL, value, 0);
}

std::string TComboBox::Text() const
{
    if (style_ == csDropDownList) {
        int index = ItemIndex();
        return index >= 0 && index < items_.Count() ? items_.Strings(index) : std::string();
    }
    if (!HandleAllocated())
        return ItemIndex() >= 0 ? items_.Strings(ItemIndex()) : caption_;
    int length = GetWindowTextLengthA(Handle());
    std::string text(length + 1, '\0');
    GetWindowTextA(Handle(), text.data(), length + 1);
    text.resize(lstrlenA(text.c_str()));
    return text;
}

void TComboBox::SetText(const std::string& value)
{
    if (style_ == csDropDownList) {
        SetItemIndex(items_.IndexOf(value));
        return;
    }
    if (!HandleAllocated()) {
        index_ = -1;
        caption_ = value;
        return;
    }
    SetWindowTextA(Handle(), value.c_str());
}

void TComboBox::CommandNotify(WORD Code)
{
    if ((Code == CBN_SELCHANGE || Code == CBN_EDITCHANGE) && OnChange)
        OnChange(this);
    if (Code == CBN_DROPDOWN && OnDropDown)
        OnDropDown(this);
}

HBRUSH TComboBox::CtlColor(HDC dc)
{
    return nullptr;
}

namespace {

// Widens a check box or radio button so that its box and whole caption show.
void FitCaption(TWinControl* control)
{
    if (control->Caption().empty())
        return;
    RECT r = {0, 0, 0, 0};
    {
        TMeasuringDC dc(control->Font().Handle());
        DrawTextA(dc.Handle(), control->Caption().c_str(), -1, &r, DT_CALCRECT | DT_SINGLELINE);
    }
    const int needed = GetSystemMetrics(SM_CXMENUCHECK) + 8 + int(r.right);
    if (needed > control->Width())
        control->SetBounds(control->Left(), control->Top(), needed, control->Height());
}

} // namespace

// ---- TCheckBox

TCheckBox::TCheckBox(TComponent* AOwner)
    : TWinControl(AOwner, "BUTTON", WS_CHILD | WS_TABSTOP | BS_CHECKBOX, 0)
{
    SetBounds(0, 0, 97, 17);
}

TCheckBox::TCheckBox(const TControlArgs& Args) : TCheckBox(Args.Parent)
{
    ApplyArgs(Args);
}

void TCheckBox::SetChecked(bool value)
{
    if (checked_ == value)
        return;
    checked_ = value;
    if (HandleAllocated())
        SendMessageA(Handle(), BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
    Click();
}

void TCheckBox::HandleCreated()
{
    if (checked_)
        SendMessageA(Handle(), BM_SETCHECK, BST_CHECKED, 0);
}

void TCheckBox::CommandNotify(WORD Code)
{
    if (Code == BN_CLICKED)
        SetChecked(!checked_);
}

HBRUSH TCheckBox::CtlColor(HDC dc)
{
    return ParentColorBrush(dc);
}

// ---- TRadioButton

TRadioButton::TRadioButton(TComponent* AOwner)
    : TWinControl(AOwner, "BUTTON", WS_CHILD | WS_TABSTOP | BS_RADIOBUTTON, 0)
{
    SetBounds(0, 0, 113, 17);
}

TRadioButton::TRadioButton(const TControlArgs& Args) : TRadioButton(Args.Parent)
{
    ApplyArgs(Args);
}

void TRadioButton::SetChecked(bool value)
{
    if (checked_ == value)
        return;
    checked_ = value;
    if (HandleAllocated())
        SendMessageA(Handle(), BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
    if (!value)
        return;
    if (TWinControl* parent = Parent()) {
        for (int i = 0; i < parent->ControlCount(); ++i) {
            auto* sibling = dynamic_cast<TRadioButton*>(parent->Controls(i));
            if (sibling && sibling != this)
                sibling->SetChecked(false);
        }
    }
    Click();
}

void TRadioButton::CommandNotify(WORD Code)
{
    if (Code == BN_CLICKED)
        SetChecked(true);
}

void TRadioButton::HandleCreated()
{
    if (checked_)
        SendMessageA(Handle(), BM_SETCHECK, BST_CHECKED, 0);
}

HBRUSH TRadioButton::CtlColor(HDC dc)
{
    return ParentColorBrush(dc);
}

// ---- TGroupBox

TGroupBox::TGroupBox(TComponent* AOwner) : TWinControl(AOwner)
{
    if (Parent())
        color_ = Parent()->Color();
    SetBounds(0, 0, 185, 105);
}

TGroupBox::TGroupBox(const TControlArgs& Args) : TGroupBox(Args.Parent)
{
    ApplyArgs(Args);
}

void TGroupBox::PaintBackground(HDC dc)
{
    COLORREF back = Parent() ? Parent()->Color() : color_;
    RECT r = {0, 0, ClientWidth(), ClientHeight()};
    HBRUSH brush = CreateSolidBrush(back);
    FillRect(dc, &r, brush);
    HGDIOBJ old = SelectObject(dc, font_.Handle());
    TEXTMETRICA tm;
    GetTextMetricsA(dc, &tm);
    RECT frame = {0, tm.tmHeight / 2, r.right, r.bottom};
    DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
    if (!caption_.empty()) {
        RECT text = {8, 0, r.right - 8, tm.tmHeight};
        DrawTextA(dc, caption_.c_str(), -1, &text, DT_CALCRECT | DT_NOPREFIX | DT_SINGLELINE);
        RECT pad = {text.left - 2, text.top, text.right + 2, text.bottom};
        FillRect(dc, &pad, brush);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, enabled_ ? font_.Color() : GetSysColor(COLOR_GRAYTEXT));
        DrawTextA(dc, caption_.c_str(), -1, &text, DT_NOPREFIX | DT_SINGLELINE);
    }
    SelectObject(dc, old);
    DeleteObject(brush);
}

void TCheckBox::CaptionChanged() { FitCaption(this); }
void TCheckBox::BoundsChanged() { FitCaption(this); }
void TCheckBox::FontChanged()
{
    TWinControl::FontChanged();
    FitCaption(this);
}

void TRadioButton::CaptionChanged() { FitCaption(this); }
void TRadioButton::BoundsChanged() { FitCaption(this); }
void TRadioButton::FontChanged()
{
    TWinControl::FontChanged();
    FitCaption(this);
}
