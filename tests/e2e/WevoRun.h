#pragma once
// The installed program run as a user meets it: Wevo.exe started as its own process on a
// scenario of the simulated adapter, driven through its windows and the simulator's pipe.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// The program's single-instance mutex is shared by every process, so the tests that start it
// take turns.
class ProgramTurn {
public:
    ProgramTurn();
    ~ProgramTurn();
    ProgramTurn(const ProgramTurn&) = delete;
    ProgramTurn& operator=(const ProgramTurn&) = delete;

private:
    HANDLE mutex_ = nullptr;
};

// Polls the condition every 50 ms until it holds or the time is up.
bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs = 20000);

std::string WindowText(HWND window);
std::string WindowClass(HWND window);

// Posts a left click at client coordinates, as the mouse would deliver it.
void ClickAt(HWND window, int x, int y);

// Clicks, and clicks again every 5 s, until the condition holds: a posted click can be lost
// when the window's capture changes under it, as a user's click can.
bool ClickUntil(HWND window, POINT at, const std::function<bool()>& condition, DWORD timeoutMs = 30000);

// The deepest visible window at a client position of the form; at becomes that window's.
HWND WindowAt(HWND form, POINT& at);

// Pages lie on top of each other, all of them visible windows: a user sees a control only
// where nothing above it covers it. True when the child is on top at its own centre.
bool OnTop(HWND form, HWND child);

class WevoRun {
public:
    WevoRun();
    ~WevoRun();  // ends the process if it still runs
    WevoRun(const WevoRun&) = delete;
    WevoRun& operator=(const WevoRun&) = delete;

    // Starts Wevo.exe from the test's folder on the named scenario; waits until its
    // control pipe answers.
    bool Start(const std::string& arguments = "", const std::string& scenario = "default");
    DWORD Id() const { return id_; }
    HANDLE Process() const { return process_; }
    bool Running() const;
    // True once the process has ended; its exit code goes to code.
    bool WaitForExit(DWORD timeoutMs, DWORD* code = nullptr);

    // The main window: the program's own form class with the program's title.
    HWND MainWindow() const;
    // Visible top-level windows of the process of the given class (empty: any).
    std::vector<HWND> VisibleWindows(const std::string& className = "WevoForm") const;
    // The first visible form that is not among the given ones, waited for.
    HWND WaitForNewForm(const std::vector<HWND>& before, DWORD timeoutMs = 20000) const;

    // One command of the simulator's control pipe and its answer.
    std::string Sim(const std::string& command) const;
    std::string Journal() const { return Sim("journal"); }
    // One command of a Wi-Fi Display stand-in's pipe ("VaZEDEVE", "WFDSource", "StreamDll"),
    // which opens with the library's first call.
    std::string Display(const std::string& library, const std::string& command) const;
    int Calls(const std::string& entry) const;
    bool WaitForJournal(const std::string& text, DWORD timeoutMs = 20000) const;
    bool WaitForStatus(const std::string& text, DWORD timeoutMs = 20000) const;

    const std::string& Title() const { return title_; }

private:
    std::string Ask(const std::string& pipe, const std::string& command) const;

    HANDLE process_ = nullptr;
    DWORD id_ = 0;
    std::string pipe_;
    std::string title_;
};

// Reads and changes a list view of another process through memory of that process.
class RemoteListView {
public:
    RemoteListView(HANDLE process, HWND list);
    ~RemoteListView();
    RemoteListView(const RemoteListView&) = delete;
    RemoteListView& operator=(const RemoteListView&) = delete;

    int Count() const;
    std::string Text(int row, int column) const;
    int Find(int column, const std::string& text) const;  // -1 when absent
    int Image(int row) const;                             // the row's picture, -1 for none
    bool Select(int row) const;

private:
    HANDLE process_;
    HWND list_;
    char* remote_ = nullptr;  // an LVITEMA followed by a text buffer, in the other process
};
