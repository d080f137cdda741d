#include "ui/Forms.h"
#include "ui/ExtCtrls.h"
#include "ui/StdCtrls.h"
#include "ui/Seams.h"
#include <algorithm>
#include <cstdlib>

namespace {

const char kApplicationClass[] = "WevoApplication";

void ShowHandlerError(const std::exception& e)
{
    Application->ShowException(e);
}

template <class F>
void Guarded(F f)
{
    try {
        f();
    } catch (const std::exception& e) {
        ShowHandlerError(e);
    } catch (...) {
        ShowHandlerError(Exception(""));
    }
}

DWORD StyleOf(TFormBorderStyle style)
{
    switch (style) {
    case bsNone:
        return WS_POPUP;
    case bsSingle:
        return WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    case bsDialog:
        return WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    case bsSizeable:
    default:
        return WS_OVERLAPPEDWINDOW;
    }
}

const DWORD kBorderBits = WS_POPUP | WS_OVERLAPPEDWINDOW | DS_MODALFRAME;

LRESULT CALLBACK ApplicationWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    try {
        switch (msg) {
        case WM_TIMER:
            if (TTimer::TickById(wp))
                return 0;
            break;
        case WM_CLOSE:
            Application->Terminate();
            return 0;
        case WM_SYSCOMMAND:
            if ((wp & 0xFFF0) == SC_MINIMIZE) {
                Application->Minimize();
                return 0;
            }
            if ((wp & 0xFFF0) == SC_RESTORE) {
                Application->Restore();
                return 0;
            }
            break;
        default:
            break;
        }
    } catch (const std::exception& e) {
        Application->ShowException(e);
        return 0;
    } catch (...) {
        Application->ShowException(Exception(""));
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

struct DisabledWindows {
    HWND except;
    std::vector<HWND> list;
};

BOOL CALLBACK DisableWindow(HWND hwnd, LPARAM lp)
{
    auto* d = reinterpret_cast<DisabledWindows*>(lp);
    if (hwnd != d->except && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) {
        EnableWindow(hwnd, FALSE);
        d->list.push_back(hwnd);
    }
    return TRUE;
}

}  // namespace

// ---- TForm

TForm::TForm(TComponent* AOwner)
    : TWinControl(AOwner, "WevoForm", StyleOf(bsSizeable) | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT)
{
    if (Parent())
        TControl::SetParent(nullptr);
}

TForm::~TForm() = default;

void TForm::AfterConstruction()
{
    Guarded([this] { LoadedAll(); });
    if (OnCreate)
        Guarded([this] { OnCreate(this); });
}

void TForm::BeforeDestruction()
{
    if (destroying_)
        return;
    destroying_ = true;
    if (OnDestroy)
        Guarded([this] { OnDestroy(this); });
}

void TForm::SetVisible(bool value)
{
    if (visible_ == value) {
        if (value)
            BringToFront();
        return;
    }
    if (value) {
        ApplyPosition();
        Handle();  // a form's window and its children's are made when it is first shown
        CreateChildHandles();
        visible_ = true;
        if (OnShow)
            Guarded([this] { OnShow(this); });
        if (visible_)
            ShowWindow(Handle(), SW_SHOWNORMAL);
        return;
    }
    if (OnHide)
        Guarded([this] { OnHide(this); });
    visible_ = false;
    if (HandleAllocated())
        ShowWindow(Handle(), SW_HIDE);
}

void TForm::BringToFront()
{
    if (HandleAllocated() && visible_)
        SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

bool TForm::CloseQuery()
{
    bool canClose = true;
    if (OnCloseQuery)
        OnCloseQuery(this, canClose);
    return canClose;
}

void TForm::Close()
{
    if (modal_) {
        modalResult_ = mrCancel;
        return;
    }
    if (!CloseQuery())
        return;
    TCloseAction action = caHide;
    if (OnClose)
        OnClose(this, action);
    if (action == caNone)
        return;
    if (Application->MainForm() == this) {
        Application->Terminate();
        return;
    }
    if (action == caMinimize)
        ShowWindow(Handle(), SW_MINIMIZE);
    else
        Hide();
    if (action == caFree)
        PostMessageA(Handle(), WM_APP + 0x3FFF, 0, 0);
}

int TForm::ShowModal()
{
    if (seams::modalAnswer)
        return seams::modalAnswer(ModalDescription());
    if (visible_ || modal_)
        throw Exception("Cannot make a visible window modal");
    HWND active = GetActiveWindow();
    DisabledWindows disabled = {Handle(), {}};
    EnumThreadWindows(GetCurrentThreadId(), DisableWindow, reinterpret_cast<LPARAM>(&disabled));
    modal_ = true;
    modalResult_ = mrNone;
    SetVisible(true);
    while (true) {
        Application->HandleMessage();
        if (Application->Terminated()) {
            modalResult_ = mrCancel;
            break;
        }
        if (modalResult_ == mrNone)
            continue;
        TCloseAction action = caHide;
        if (!CloseQuery())
            action = caNone;
        else if (OnClose)
            Guarded([&] { OnClose(this, action); });
        if (action == caNone) {
            modalResult_ = mrNone;
            continue;
        }
        break;
    }
    for (HWND hwnd : disabled.list)
        if (IsWindow(hwnd))
            EnableWindow(hwnd, TRUE);
    modal_ = false;
    int result = modalResult_;
    SetVisible(false);
    if (active && IsWindow(active))
        SetActiveWindow(active);
    return result;
}

namespace {

// The first visible, enabled button below parent that wants marks Default (or Cancel).
TButton* FindButton(TWinControl* parent, bool TButton::*mark)
{
    for (int i = 0; i < parent->ControlCount(); ++i) {
        auto* child = dynamic_cast<TWinControl*>(parent->Controls(i));
        if (!child || !IsWindowVisible(child->Handle()) || !IsWindowEnabled(child->Handle()))
            continue;
        if (auto* button = dynamic_cast<TButton*>(child); button && button->*mark)
            return button;
        if (TButton* inner = FindButton(child, mark))
            return inner;
    }
    return nullptr;
}

bool WantsKey(HWND focus, WPARAM key)
{
    return (SendMessageA(focus, WM_GETDLGCODE, key, 0) & DLGC_WANTALLKEYS) != 0;
}

bool PressControl(TControl* control)
{
    if (!control || !control->Visible() || !control->Enabled())
        return false;
    control->Click();
    return true;
}

} // namespace

bool TForm::DialogKey(const MSG& msg)
{
    if (msg.message != WM_KEYDOWN || !msg.hwnd)
        return false;
    auto* form = dynamic_cast<TForm*>(TWinControl::FromHandle(GetAncestor(msg.hwnd, GA_ROOT)));
    if (!form || !form->Visible() || GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0)
        return false;
    const HWND focus = GetFocus();
    switch (msg.wParam) {
    case VK_TAB: {
        const bool back = GetKeyState(VK_SHIFT) < 0;
        HWND next = GetNextDlgTabItem(form->Handle(), IsChild(form->Handle(), focus) ? focus : nullptr, back);
        if (!next)
            return false;
        ::SetFocus(next);
        if (SendMessageA(next, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL)
            SendMessageA(next, EM_SETSEL, 0, -1);
        return true;
    }
    case VK_RETURN: {
        if (focus && WantsKey(focus, VK_RETURN))
            return false;
        auto* focused = dynamic_cast<TButton*>(TWinControl::FromHandle(focus));
        TButton* button = focused && IsChild(form->Handle(), focus) ? focused : FindButton(form, &TButton::Default);
        if (!button)
            return PressControl(form->DefaultControl);
        button->Click();
        return true;
    }
    case VK_ESCAPE: {
        if (focus && WantsKey(focus, VK_ESCAPE))
            return false;
        if (TButton* button = FindButton(form, &TButton::Cancel)) {
            button->Click();
            return true;
        }
        if (PressControl(form->CancelControl))
            return true;
        if (!form->Modal())
            return false;
        form->Close();
        return true;
    }
    default:
        return false;
    }
}

std::string TForm::ModalDescription() const
{
    return Name + ": " + Caption();
}

void TForm::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    TWinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TForm::SetCaption(const std::string& value)
{
    TWinControl::SetCaption(value);
}

RECT TForm::FrameSize() const
{
    RECT r = {0, 0, 0, 0};
    AdjustWindowRectEx(&r, WindowStyle(), FALSE, WindowExStyle());
    return r;
}

int TForm::ClientWidth() const
{
    RECT r;
    if (!HandleAllocated()) {
        r = FrameSize();
        return std::max(0L, width_ - (r.right - r.left));
    }
    GetClientRect(Handle(), &r);
    return r.right;
}

int TForm::ClientHeight() const
{
    RECT r;
    if (!HandleAllocated()) {
        r = FrameSize();
        return std::max(0L, height_ - (r.bottom - r.top));
    }
    GetClientRect(Handle(), &r);
    return r.bottom;
}

void TForm::SetClientSize(int w, int h)
{
    RECT r = {0, 0, w, h};
    AdjustWindowRectEx(&r, WindowStyle(), FALSE, WindowExStyle());
    SetBounds(left_, top_, r.right - r.left, r.bottom - r.top);
}

void TForm::SetClientWidth(int value)
{
    SetClientSize(value, ClientHeight());
}

void TForm::SetClientHeight(int value)
{
    SetClientSize(ClientWidth(), value);
}

void TForm::SetBorderStyle(TFormBorderStyle value)
{
    int w = ClientWidth(), h = ClientHeight();
    borderStyle_ = value;
    SetWindowStyle((WindowStyle() & ~kBorderBits) | StyleOf(value));
    DWORD ex = WindowExStyle();
    SetWindowExStyle(value == bsDialog ? (ex | WS_EX_DLGMODALFRAME) : (ex & ~WS_EX_DLGMODALFRAME));
    SetClientSize(w, h);
}

void TForm::SetPosition(TPosition value)
{
    position_ = value;
    ApplyPosition();
}

RECT WorkArea()
{
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    return work;
}

int FitSpan(int first, int other, int size, int low, int high)
{
    if (first >= low && first + size <= high)
        return first;
    if (other >= low && other + size <= high)
        return other;
    return std::max(low, std::min(first, high - size));
}

namespace {

// The visible form a new window belongs beside: the active one, else the owner, else the
// main form.
TForm* Opener(TForm* form)
{
    auto usable = [form](TForm* f) {
        return f && f != form && f->Visible() && f->HandleAllocated() && IsWindowVisible(f->Handle());
    };
    auto* active = dynamic_cast<TForm*>(TWinControl::FromHandle(GetActiveWindow()));
    if (usable(active))
        return active;
    if (auto* owner = dynamic_cast<TForm*>(form->Owner()); usable(owner))
        return owner;
    if (usable(Application->MainForm()))
        return Application->MainForm();
    return nullptr;
}

} // namespace

POINT TForm::PlaceBeside(const RECT& opener, int width, int height, const RECT& work)
{
    const int centreLeft = (opener.left + opener.right - width) / 2;
    int left = FitSpan(int(opener.right), int(opener.left) - width, width, work.left, work.right);
    const bool beside = left == opener.right || left == opener.left - width;
    if (!beside)
        left = FitSpan(centreLeft, centreLeft, width, work.left, work.right);
    const int top = beside ? FitSpan(int(opener.top), int(opener.top), height, work.top, work.bottom)
                           : FitSpan((opener.top + opener.bottom - height) / 2, 0, height, work.top, work.bottom);
    return {left, top};
}

void TForm::ApplyPosition()
{
    const RECT work = WorkArea();
    if (position_ == poScreenCenter) {
        SetBounds(work.left + (work.right - work.left - width_) / 2,
                  work.top + (work.bottom - work.top - height_) / 2, width_, height_);
        return;
    }
    int left = left_, top = top_;
    if (left == 0 && top == 0) {
        left = work.left + (work.right - work.left - width_) / 2;
        top = work.top + (work.bottom - work.top - height_) / 2;
        if (TForm* form = Opener(this)) {
            const RECT opener = {form->Left(), form->Top(), form->Left() + form->Width(), form->Top() + form->Height()};
            const POINT p = PlaceBeside(opener, width_, height_, work);
            left = p.x;
            top = p.y;
        }
    }
    left = FitSpan(left, left, width_, work.left, work.right);
    top = FitSpan(top, top, height_, work.top, work.bottom);
    if (left != left_ || top != top_)
        SetBounds(left, top, width_, height_);
}

void TForm::SetFormStyle(TFormStyle value)
{
    formStyle_ = value;
    if (!HandleAllocated()) {
        DWORD ex = WindowExStyle();
        SetWindowExStyle(value == fsStayOnTop ? (ex | WS_EX_TOPMOST) : (ex & ~WS_EX_TOPMOST));
        return;
    }
    SetWindowPos(Handle(), value == fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TForm::SetAutoSize(bool value)
{
    autoSize_ = value;
    AdjustSize();
}

void TForm::AdjustSize()
{
    if (!autoSize_)
        return;
    int right = 0, bottom = 0;
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (!c->Visible())
            continue;
        right = std::max(right, c->Left() + c->Width());
        bottom = std::max(bottom, c->Top() + c->Height());
    }
    if (right != ClientWidth() || bottom != ClientHeight())
        SetClientSize(right, bottom);
}

void TForm::FocusControl(TWinControl* control)
{
    if (!control)
        return;
    focusWanted_ = control->Handle();
    // As in a dialog: what the box holds is selected, so typing replaces it.
    if (SendMessageA(focusWanted_, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL)
        SendMessageA(focusWanted_, EM_SETSEL, 0, -1);
    else if (dynamic_cast<TComboBox*>(control))
        SendMessageA(focusWanted_, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
    if (HandleAllocated() && IsWindowVisible(Handle()))
        ::SetFocus(focusWanted_);
}

void TForm::Dispatch(TMessage& m)
{
    switch (m.Msg) {
    case WM_ACTIVATE:
        if (LOWORD(m.WParam) == WA_INACTIVE) {
            const HWND focus = GetFocus();
            if (focus && IsChild(Handle(), focus))
                focusWanted_ = focus;
        } else if (focusWanted_ && !HIWORD(m.WParam) && IsChild(Handle(), focusWanted_) &&
                   IsWindowVisible(focusWanted_) && IsWindowEnabled(focusWanted_)) {
            ::SetFocus(focusWanted_);
            m.Result = 0;
            return;
        }
        TWinControl::Dispatch(m);
        return;
    case WM_CLOSE:
        Close();
        return;
    case WM_APP + 0x3FFF:
        BeforeDestruction();
        delete this;
        return;
    default:
        TWinControl::Dispatch(m);
    }
}

TForm* ParentFormOf(TControl* control)
{
    for (TControl* c = control; c; c = c->Parent())
        if (auto* form = dynamic_cast<TForm*>(c))
            return form;
    return nullptr;
}

namespace {

bool TakesTyping(TControl* control)
{
    if (auto* edit = dynamic_cast<TEdit*>(control))
        return !edit->ReadOnly();
    auto* combo = dynamic_cast<TComboBox*>(control);
    return combo && combo->Style() == csDropDown;
}

} // namespace

TWinControl* FirstTextBox(TWinControl* parent)
{
    for (int i = 0; parent && i < parent->ControlCount(); ++i) {
        auto* child = dynamic_cast<TWinControl*>(parent->Controls(i));
        if (!child || !child->Visible() || !child->Enabled())
            continue;
        if (TakesTyping(child))
            return child;
        if (TWinControl* inner = FirstTextBox(child))
            return inner;
    }
    return nullptr;
}

bool FocusFirstTextBox(TWinControl* page)
{
    TWinControl* box = FirstTextBox(page);
    TForm* form = ParentFormOf(page);
    if (!box || !form)
        return false;
    form->FocusControl(box);
    return true;
}

// ---- TFrame

TFrame::TFrame(TComponent* AOwner) : TWinControl(AOwner) {}

// ---- TApplication

static TApplication theApplication;
TApplication* Application = &theApplication;

TApplication::TApplication() : TComponent(nullptr) {}

TApplication::~TApplication()
{
    DestroyForms();
    if (handle_)
        DestroyWindow(handle_);
}

HWND TApplication::Handle()
{
    if (handle_)
        return handle_;
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    if (!GetClassInfoExA(GetModuleHandleA(nullptr), kApplicationClass, &wc)) {
        wc.lpfnWndProc = ApplicationWindowProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hIcon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
        wc.lpszClassName = kApplicationClass;
        RegisterClassExA(&wc);
    }
    handle_ = CreateWindowExA(0, kApplicationClass, title_.c_str(),
                              WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, 0, 0,
                              nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    return handle_;
}

void TApplication::SetTitle(const std::string& value)
{
    title_ = value;
    SetWindowTextA(Handle(), value.c_str());
}

void TApplication::FormCreated(TForm* form)
{
    // At exit the forms go before the globals that were made before the first form.
    static bool atExit = false;
    if (!atExit) {
        atExit = true;
        std::atexit([] { Application->DestroyForms(); });
    }
    if (!mainForm_)
        mainForm_ = form;
    form->AfterConstruction();
}

void TApplication::Run()
{
    if (mainForm_ && ShowMainForm)
        mainForm_->Show();
    while (!terminated_)
        HandleMessage();
}

void TApplication::Terminate()
{
    PostQuitMessage(0);
}

void TApplication::HandleMessage()
{
    MSG msg;
    BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0 || got == -1) {
        terminated_ = true;
        return;
    }
    if (TForm::DialogKey(msg))
        return;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
}

void TApplication::ProcessMessages()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            terminated_ = true;
            return;
        }
        if (TForm::DialogKey(msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void TApplication::DestroyForms()
{
    while (ComponentCount() > 0) {
        TComponent* last = Components(ComponentCount() - 1);
        if (auto* form = dynamic_cast<TForm*>(last))
            form->BeforeDestruction();
        if (last == mainForm_)
            mainForm_ = nullptr;
        delete last;
    }
    mainForm_ = nullptr;
}

void TApplication::Minimize()
{
    ShowWindow(Handle(), SW_MINIMIZE);
    if (OnMinimize)
        OnMinimize(this);
}

void TApplication::Restore()
{
    if (IsIconic(Handle()))
        ShowWindow(Handle(), SW_RESTORE);
    if (OnRestore)
        OnRestore(this);
}

void TApplication::ShowException(const std::exception& E)
{
    if (OnException) {
        OnException(this, E);
        return;
    }
    std::string text = E.what();
    seams::Log(("Exception: " + text + "\n").c_str());
    if (seams::modalAnswer) {
        seams::modalAnswer("Exception: " + text);
        return;
    }
    ::MessageBoxA(GetActiveWindow(), text.c_str(), title_.c_str(), MB_OK | MB_ICONSTOP);
}

int TApplication::MessageBox(const std::string& Text, const std::string& Caption, UINT Flags)
{
    if (seams::modalAnswer)
        return seams::modalAnswer(Text);
    return ::MessageBoxA(GetActiveWindow(), Text.c_str(), Caption.c_str(), Flags);
}
