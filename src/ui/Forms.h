#pragma once
// The window class library, in brief: Classes.h (components and ownership), Controls.h
// (controls, windowless and windowed, mouse and message routing), Forms.h (forms, frames,
// the application and its message loop), StdCtrls.h, ExtCtrls.h, ComCtrls.h and Menus.h
// (the controls themselves), IniFiles.h, Picture.h and Seams.h (what tests replace).
#include "ui/Controls.h"
#include <exception>
#include <new>

// Modal results.
constexpr int mrNone = 0;
constexpr int mrOk = 1;
constexpr int mrCancel = 2;
constexpr int mrAbort = 3;
constexpr int mrRetry = 4;
constexpr int mrIgnore = 5;
constexpr int mrYes = 6;
constexpr int mrNo = 7;

enum TCloseAction { caNone, caHide, caFree, caMinimize };
using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog };
// poDesigned: where the form was put; one never put anywhere (still at 0,0) opens beside the
// window that opened it (or centred on it, or on the screen). Either way a form opens inside
// the work area.
enum TPosition { poDesigned, poScreenCenter };
enum TFormStyle { fsNormal, fsStayOnTop };

// The screen's work area.
RECT WorkArea();
// Where a span of length size starts inside [low, high): at first, else at other, else moved
// in as far as it goes.
int FitSpan(int first, int other, int size, int low, int high);

// A top-level window. The constructor of a derived form lays out its controls in code; the
// window and its children's are made when the form is first shown or its handle is asked for. AfterConstruction (called by Application->CreateForm) runs
// Loaded on every owned component and then OnCreate.
class TForm : public TWinControl {
public:
    explicit TForm(TComponent* AOwner);
    ~TForm() override;

    void AfterConstruction();   // Loaded, then OnCreate (errors shown, not raised)
    void BeforeDestruction();   // OnDestroy, once

    void SetVisible(bool value) override;  // OnShow before showing, OnHide before hiding
    void Close();                           // modal: ModalResult = mrCancel; else OnClose
    int ShowModal();                        // runs a nested message loop
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int value) { modalResult_ = value; }
    bool Modal() const { return modal_; }

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void SetCaption(const std::string& value) override;
    void BringToFront() override;
    int ClientWidth() const override;
    int ClientHeight() const override;
    void SetClientWidth(int value);
    void SetClientHeight(int value);
    void SetClientSize(int w, int h);

    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle value);
    TPosition Position() const { return position_; }
    void SetPosition(TPosition value);  // poScreenCenter: centred now and at every showing
    TFormStyle FormStyle() const { return formStyle_; }
    void SetFormStyle(TFormStyle value);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);       // client area follows the visible children

    // The keys every form handles before its controls: Tab and Shift+Tab move the focus
    // through the controls, Enter presses the focused or the default button, Esc the cancel
    // button (a modal form without one closes with mrCancel). True when msg was used.
    static bool DialogKey(const MSG& msg);
    // Windowless controls (picture buttons) that Enter and Esc press when no button takes
    // the key; each is pressed only while it is visible and enabled.
    TControl* DefaultControl = nullptr;
    TControl* CancelControl = nullptr;

    // The control that gets the keyboard focus: now when the form is shown, else when it is
    // next activated. Deactivation remembers the focused control for the next activation.
    void FocusControl(TWinControl* control);

    // Text for the modal-answer seam; forms may add what they show.
    virtual std::string ModalDescription() const;

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;

    void Dispatch(TMessage& Message) override;

protected:
    void AdjustSize() override;
    void ApplyPosition();
    // Beside opener (right, else left, tops aligned), else centred on it; inside work.
    static POINT PlaceBeside(const RECT& opener, int width, int height, const RECT& work);
    bool CloseQuery();
    RECT FrameSize() const;  // what the frame adds around the client area

private:
    int modalResult_ = mrNone;
    bool modal_ = false;
    bool destroying_ = false;
    TFormBorderStyle borderStyle_ = bsSizeable;
    TPosition position_ = poDesigned;
    TFormStyle formStyle_ = fsNormal;
    bool autoSize_ = false;
    HWND focusWanted_ = nullptr;
};

// The form whose window holds control (nullptr when it has none).
TForm* ParentFormOf(TControl* control);
// The first visible, enabled box below parent that takes typing (an edit that is not
// read-only, or a combo box with an edit), in the order the controls were made.
TWinControl* FirstTextBox(TWinControl* parent);
// Puts the keyboard focus in FirstTextBox(page) through its form's FocusControl; true when
// there was one.
bool FocusFirstTextBox(TWinControl* page);

// A page: a child window with its own controls; pages of a window overlap and switch by
// z-order (BringToFront).
class TFrame : public TWinControl {
public:
    explicit TFrame(TComponent* AOwner);
};

// The program object: message loop, forms, its own hidden window, error display.
class TApplication : public TComponent {
public:
    TApplication();
    ~TApplication() override;

    void Initialize() {}
    // Makes a form of class T owned by the application. Reference is set before the
    // constructor runs, so code called from the constructor already sees it. The first form
    // becomes the main form.
    template <class T>
    void CreateForm(T*& Reference);

    void Run();                 // shows the main form (ShowMainForm), loops until Terminate
    void Terminate();
    bool Terminated() const { return terminated_; }
    void ProcessMessages();     // handles every waiting message
    void HandleMessage();       // waits for and handles one message
    // OnDestroy and deletion of every form, newest first. Runs by itself at exit; call it
    // at the end of WinMain so that it runs while every global is still alive.
    void DestroyForms();

    HWND Handle();              // the application's own hidden window
    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& value);
    TForm* MainForm() const { return mainForm_; }
    bool ShowMainForm = true;
    bool MainFormOnTaskBar = false;

    void Minimize();            // OnMinimize
    void Restore();             // OnRestore
    TNotifyEvent OnMinimize;
    TNotifyEvent OnRestore;

    // Shows an error: OnException when set, else the modal-answer seam, else a message box.
    void ShowException(const std::exception& E);
    std::function<void(TObject* Sender, const std::exception& E)> OnException;
    // A message box owned by the active window; honours the modal-answer seam.
    int MessageBox(const std::string& Text, const std::string& Caption, UINT Flags);

private:
    void FormCreated(TForm* form);
    HWND handle_ = nullptr;
    std::string title_;
    TForm* mainForm_ = nullptr;
    bool terminated_ = false;
};

extern TApplication* Application;

template <class T>
void TApplication::CreateForm(T*& Reference)
{
    void* memory = ::operator new(sizeof(T));
    Reference = static_cast<T*>(memory);
    T* form = nullptr;
    try {
        form = new (memory) T(this);
    } catch (...) {
        Reference = nullptr;
        ::operator delete(memory);
        throw;
    }
    FormCreated(form);
}
