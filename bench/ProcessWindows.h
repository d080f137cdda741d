#pragma once
// What another process holds of the window system: its windows and the threads owning them,
// and its live GDI objects read from its GDI handle table.
#include <windows.h>

#include <set>

struct ProcessWindows {
    int topLevel = 0;
    int children = 0;
    int messageOnly = 0;  // message-only windows and their children
    std::set<DWORD> threads;
    int Total() const { return topLevel + children + messageOnly; }
};

ProcessWindows WindowsOf(DWORD processId);

// Live GDI objects of the process, stock objects left out; -1 when the table cannot be read
// or its layout is not the one this system was seen to use.
int GdiObjectsOf(HANDLE process, DWORD processId);
