#include "ProcessWindows.h"

#include <winternl.h>

#include <cstddef>
#include <vector>

namespace {

struct Walk {
    DWORD processId;
    ProcessWindows* found;
    int* into;  // the count a window adds to
};

BOOL CALLBACK TakeWindow(HWND window, LPARAM param)
{
    auto* walk = reinterpret_cast<Walk*>(param);
    DWORD owner = 0;
    const DWORD thread = GetWindowThreadProcessId(window, &owner);
    if (owner != walk->processId)
        return TRUE;
    ++*walk->into;
    walk->found->threads.insert(thread);
    return TRUE;
}

// Counts the window if the process owns it, and its descendants (owned or not: a child of
// another process's window counts for that process, which this walk does not see).
void TakeTree(HWND window, Walk& walk, int& top, int& below)
{
    DWORD owner = 0;
    const DWORD thread = GetWindowThreadProcessId(window, &owner);
    if (owner != walk.processId)
        return;
    ++top;
    walk.found->threads.insert(thread);
    Walk children{walk.processId, walk.found, &below};
    EnumChildWindows(window, TakeWindow, reinterpret_cast<LPARAM>(&children));
}

BOOL CALLBACK TakeTopLevel(HWND window, LPARAM param)
{
    auto* walk = reinterpret_cast<Walk*>(param);
    TakeTree(window, *walk, walk->found->topLevel, walk->found->children);
    return TRUE;
}

// One entry of the GDI handle table as this system lays it out: 24 bytes, indexed by the low
// word of the handle; the high word repeats in `unique`, whose 0x80 bit marks a stock object;
// `type` is 0 once the object is deleted. The owner field is 0 where each process has a table
// of its own.
struct GdiEntry {
    unsigned long long object;
    unsigned long owner;
    unsigned short unique;
    unsigned char type;
    unsigned char flags;
    unsigned long long user;
};
static_assert(sizeof(GdiEntry) == 24);
static_assert(offsetof(GdiEntry, owner) == 8);
static_assert(offsetof(GdiEntry, unique) == 12);
static_assert(offsetof(GdiEntry, type) == 14);

constexpr unsigned short kStockObject = 0x80;
constexpr size_t kPebGdiTable = 0x94;  // GdiSharedHandleTable in a 32-bit process's PEB

std::vector<GdiEntry> GdiTable(HANDLE process)
{
    PROCESS_BASIC_INFORMATION basic{};
    ULONG size = 0;
    if (NtQueryInformationProcess(process, ProcessBasicInformation, &basic, sizeof basic, &size) != 0)
        return {};
    void* table = nullptr;
    SIZE_T done = 0;
    if (!ReadProcessMemory(process, reinterpret_cast<const char*>(basic.PebBaseAddress) + kPebGdiTable, &table,
                           sizeof table, &done) ||
        !table)
        return {};
    MEMORY_BASIC_INFORMATION region{};
    if (!VirtualQueryEx(process, table, &region, sizeof region) || region.State != MEM_COMMIT)
        return {};
    const SIZE_T bytes = region.RegionSize - (static_cast<char*>(table) - static_cast<char*>(region.BaseAddress));
    std::vector<GdiEntry> entries(bytes / sizeof(GdiEntry));
    if (!ReadProcessMemory(process, table, entries.data(), entries.size() * sizeof(GdiEntry), &done))
        return {};
    entries.resize(done / sizeof(GdiEntry));
    return entries;
}

// The layout above, checked on a brush of our own: its entry is live with the handle's high
// word, and no longer live once the brush is deleted.
bool GdiLayoutHolds()
{
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    const size_t index = reinterpret_cast<UINT_PTR>(brush) & 0xFFFF;
    const unsigned short unique = HIWORD(reinterpret_cast<UINT_PTR>(brush));
    std::vector<GdiEntry> table = GdiTable(GetCurrentProcess());
    const bool live = index < table.size() && table[index].type != 0 && table[index].unique == unique;
    DeleteObject(brush);
    table = GdiTable(GetCurrentProcess());
    return live && index < table.size() && table[index].type == 0;
}

}  // namespace

ProcessWindows WindowsOf(DWORD processId)
{
    ProcessWindows found;
    Walk walk{processId, &found, nullptr};
    EnumWindows(TakeTopLevel, reinterpret_cast<LPARAM>(&walk));
    int messageOnlyChildren = 0;
    for (HWND w = FindWindowExA(HWND_MESSAGE, nullptr, nullptr, nullptr); w;
         w = FindWindowExA(HWND_MESSAGE, w, nullptr, nullptr))
        TakeTree(w, walk, found.messageOnly, messageOnlyChildren);
    found.messageOnly += messageOnlyChildren;
    return found;
}

int GdiObjectsOf(HANDLE process, DWORD processId)
{
    static const bool layoutHolds = GdiLayoutHolds();
    if (!layoutHolds)
        return -1;
    const std::vector<GdiEntry> table = GdiTable(process);
    if (table.empty())
        return -1;
    int count = 0;
    for (const GdiEntry& e : table) {
        if (e.type != 0 && !(e.unique & kStockObject) && (e.owner == 0 || e.owner == processId))
            ++count;
    }
    return count;
}
