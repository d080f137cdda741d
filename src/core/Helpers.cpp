#include "core/Helpers.h"

#include <process.h>
#include <algorithm>
#include <cstdio>
#include <new>
#include <shlwapi.h>
#include <cstdarg>
#include <cstdlib>
#include <ctime>
#include <stdexcept>
#include <bcrypt.h>

#include "core/Log.h"
#include "core/WvwlLib.h"
#include "ui/Menus.h"
#include "ui/Seams.h"
#include "ui/StdCtrls.h"

namespace {

using Wow64EnableWow64FsRedirectionFn = BOOLEAN(WINAPI*)(BOOLEAN);

// Looked up once at start; null on systems without the switch.
const Wow64EnableWow64FsRedirectionFn wow64EnableRedirection = [] {
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    FARPROC proc = kernel ? GetProcAddress(kernel, "Wow64EnableWow64FsRedirection") : nullptr;
    return reinterpret_cast<Wow64EnableWow64FsRedirectionFn>(reinterpret_cast<void*>(proc));
}();

// The system's cryptographic random source; a time-seeded generator would repeat its draws
// within a second and let anyone who knows the time guess them. False when it fails.
bool SecureRandom(void* buffer, ULONG size)
{
    const bool drawn = seams::randomOverride
                           ? seams::randomOverride(buffer, size)
                           : BCryptGenRandom(nullptr, static_cast<PUCHAR>(buffer), size, BCRYPT_USE_SYSTEM_PREFERRED_RNG) == 0;
    if (!drawn)
        PrintMessage(2, " The system's random source failed, nothing drawn\n");
    return drawn;
}

// A uniform draw from 0 to span - 1 (span at least 1); false when the source failed.
bool RandomBelow(unsigned span, unsigned& out)
{
    const unsigned limit = 0xFFFFFFFFu - 0xFFFFFFFFu % span;
    unsigned value = 0;
    do {
        if (!SecureRandom(&value, sizeof value))
            return false;
    } while (value >= limit);
    out = value % span;
    return true;
}

void QueryAdapterAddress(BYTE (&address)[6])
{
    ZeroMemory(address, sizeof address);
    if (VOZEZIV.WVWL_QueryCurrAddress)
        VOZEZIV.WVWL_QueryCurrAddress(address);
}

}  // namespace

int IsFileExist(const char* path)
{
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA(path, &data);
    if (find == INVALID_HANDLE_VALUE)
        return 0;
    FindClose(find);
    return 1;
}

int IsFileExistW(const wchar_t* path)
{
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW(path, &data);
    if (find == INVALID_HANDLE_VALUE)
        return 0;
    FindClose(find);
    return 1;
}

int CheckAdapterKind()
{
    return VOZEZIV.selectedAdapter.nAdapterKind <= 3 ? 0 : 1;
}

bool IsHexString(const std::string& text)
{
    for (char c : text) {
        if (HexDigitValue(c) == 255)
            return false;
    }
    return true;
}

BYTE HexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return static_cast<BYTE>(c - '0');
    if (c >= 'A' && c <= 'F')
        return static_cast<BYTE>(c - 'A' + 10);
    if (c >= 'a' && c <= 'f')
        return static_cast<BYTE>(c - 'a' + 10);
    return 255;
}

void HexTextToBytes(const std::string& text, BYTE* output, int count)
{
    auto digit = [&text](size_t i) { return i < text.size() ? HexDigitValue(text[i]) : BYTE(255); };
    for (int k = 0; k < count; ++k) {
        size_t i = static_cast<size_t>(k) * 2;
        output[k] = static_cast<BYTE>((digit(i) << 4) + digit(i + 1));
    }
}

BOOL DisableWow64FsRedirection()
{
    return wow64EnableRedirection ? wow64EnableRedirection(FALSE) : 0;
}

BOOL EnableWow64FsRedirection()
{
    return wow64EnableRedirection ? wow64EnableRedirection(TRUE) : 0;
}

int RandomBytes(BYTE* buffer, int count)
{
    if (count > 0 && !SecureRandom(buffer, static_cast<ULONG>(count)))
        return 0;
    return 1;
}

int RandomBytesInRange(BYTE* buffer, int count, int low, int high)
{
    const unsigned span = high >= low ? static_cast<unsigned>(high - low) + 1 : 1;
    for (int i = 0; i < count; ++i) {
        unsigned draw = 0;
        if (!RandomBelow(span, draw))
            return 0;
        buffer[i] = static_cast<BYTE>(low + static_cast<int>(draw));
    }
    return 1;
}

int RandomCharsFrom(char* buffer, int count, const char* format, ...)
{
    char alphabet[512] = {};
    va_list args;
    va_start(args, format);
    wvnsprintfA(alphabet, sizeof alphabet, format, args);
    va_end(args);
    int length = lstrlenA(alphabet);
    if (length == 0)
        return 0;
    for (int i = 0; i < count; ++i) {
        unsigned draw = 0;
        if (!RandomBelow(static_cast<unsigned>(length), draw))
            return 0;
        buffer[i] = alphabet[draw];
    }
    return 1;
}

unsigned WpsPinChecksum(unsigned sevenDigits)
{
    unsigned sum = 0;
    unsigned value = sevenDigits % 10000000;
    // From the last digit backwards the weights are 3, 1, 3, 1, 3, 1, 3.
    for (int i = 0; i < 7; ++i) {
        sum += (value % 10) * (i % 2 == 0 ? 3 : 1);
        value /= 10;
    }
    return (10 - sum % 10) % 10;
}

int GenerateWpsPin8(unsigned* pin)
{
    BYTE b[3];
    if (VOZEZIV.bWPSPinByMac == 1) {
        BYTE address[6];
        QueryAdapterAddress(address);
        b[0] = address[3];
        b[1] = address[4];
        b[2] = address[5];
    } else if (!RandomBytes(b, 3)) {
        return 0;
    }
    unsigned value = ((b[0] * 65536u) + (b[1] * 256u) + b[2]) % 10000000u;
    *pin = value * 10 + WpsPinChecksum(value);
    return 1;
}

int GenerateWpsPin4(unsigned* pin)
{
    unsigned digits[4];
    if (VOZEZIV.bWPSPinByMac == 1) {
        BYTE address[6];
        QueryAdapterAddress(address);
        for (int i = 0; i < 4; ++i)
            digits[i] = address[2 + i] % 10u;
    } else {
        for (unsigned& d : digits)
            if (!RandomBelow(10, d))
                return 0;
    }
    *pin = digits[0] + 10 * digits[1] + 100 * digits[2] + 1000 * digits[3];
    return 1;
}

void __cdecl RenewIPAddrThread(void*)
{
    PrintMessage(6, " --> RenewIPAddrThread\n");
    int result = VOZEZIV.WVWL_RenewIPAddr();
    PrintMessage(6, " call WVWL_RenewIPAddr() return %d\n", result);
    PrintMessage(6, " <-- RenewIPAddrThread\n");
}

void __cdecl EnableDHCPThread(void*)
{
    PrintMessage(6, " --> EnableDHCPThread\n");
    if (VOZEZIV.WVWL_IsEnableICS) {
        int ics = VOZEZIV.WVWL_IsEnableICS();
        PrintMessage(6, " ICS is %s, call WVWL_EnableDhcpServer()\n", ics ? "enabled" : "disabled");
        if (VOZEZIV.WVWL_EnableDhcpServer) {
            int result = VOZEZIV.WVWL_EnableDhcpServer(ics);
            PrintMessage(6, " EnableDHCPThread <-- %d = WVWL_EnableDhcpServer(%d) \n", result, ics);
        }
    }
    PrintMessage(6, " <-- EnableDHCPThread\n");
}

void PlaceWindowNearRectIn(const RECT& desktop, const RECT& anchor, PLACEMENT_RECORD& place)
{
    const int w = place.width;
    const int h = place.height;
    bool beside = true;
    if (anchor.right > desktop.right)
        place.x = anchor.left - w;
    else if (anchor.left < 0)
        place.x = anchor.left + w;
    else {
        place.x = anchor.left;
        beside = false;
    }

    const bool belowFits = !(anchor.bottom + h > desktop.bottom);
    const bool fitsFromTop = !(anchor.top + h > desktop.bottom);
    if (!beside)
        place.y = belowFits ? anchor.bottom : anchor.top - h;
    else if (!belowFits)
        place.y = fitsFromTop ? anchor.top : anchor.top - h;
    else
        place.y = (!fitsFromTop || anchor.top < 0) ? anchor.bottom : anchor.top;
}

void PlaceWindowNearRect(const RECT& anchor, PLACEMENT_RECORD& place)
{
    RECT desktop{};
    GetWindowRect(GetDesktopWindow(), &desktop);
    PrintMessage(6, " rcDesktop = %d, rcDesktop = %d\n", desktop.bottom, desktop.right);
    PlaceWindowNearRectIn(desktop, anchor, place);
}

int GetServiceStatus(const char* serviceName)
{
    ServiceHandle manager(OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ENUMERATE_SERVICE));
    if (!manager) {
        PrintMessage(2, "[WvMSSrv] WVWL_ERROR_WIFIDIRECT_SVC_OPEN_SCMGR; GetLastError() return %d\n",
                     static_cast<int>(GetLastError()));
        return WVWL_ERROR_WIFIDIRECT_SVC_OPEN_SCMGR;
    }
    ServiceHandle service(OpenServiceA(manager.get(), serviceName, SERVICE_QUERY_STATUS));
    if (!service) {
        PrintMessage(2, "[WvMSSrv] GetServiceStatus: WVWL_ERROR_WIFIDIRECT_SVC_OPEN_SVC");
        return WVWL_ERROR_WIFIDIRECT_SVC_OPEN_SVC;
    }
    SERVICE_STATUS status{};
    int result = WV_SVC_ERR_QUERY_SVC_STATUS;
    if (QueryServiceStatus(service.get(), &status))
        result = static_cast<int>(status.dwCurrentState);
    else
        PrintMessage(2, "[WvMSSrv] GetServiceStatus: WV_SVC_ERR_QUERY_SVC_STATUS");
    return result;
}

unsigned WaitMilliseconds(unsigned ms)
{
    // Elapsed time from a monotonic millisecond clock: immune to midnight and clock changes.
    const DWORD start = seams::Now();
    for (;;) {
        DWORD passed = seams::Now() - start;
        if (passed > ms)
            return passed;
    }
}

int DoRegisterDeviceInterfaceToHwnd(GUID interfaceClass, HWND hwnd, HDEVNOTIFY* handle)
{
    DEV_BROADCAST_DEVICEINTERFACE_A filter{};
    static_assert(sizeof filter == 32);
    filter.dbcc_size = sizeof filter;
    filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    filter.dbcc_classguid = interfaceClass;
    *handle = RegisterDeviceNotificationA(hwnd, &filter, DEVICE_NOTIFY_WINDOW_HANDLE);
    if (*handle)
        return 1;
    PrintMessage(6, "<-- RegisterDeviceNotification\n");
    return 0;
}

void EnterCriticalSectionLogged(CRITICAL_SECTION* section)
{
    PrintMessage(6, "call EnterCriticalSection()\n");
    EnterCriticalSection(section);
}

void LeaveCriticalSectionLogged(CRITICAL_SECTION* section)
{
    PrintMessage(6, "call LeaveCriticalSection()\n");
    LeaveCriticalSection(section);
}

void DelectLabelInMac(std::string& text)
{
    PrintMessage(6, "[WDP][DelectLabelInMac 1]-> Mac=%s \n", text.c_str());
    std::erase_if(text, [](char c) { return c == ':' || c == '-'; });
    PrintMessage(6, "[WDP][DelectLabelInMac 1]<- Mac=%s \n", text.c_str());
}

int MacTextToBytes(const std::string& text, BYTE* output)
{
    std::string digits = text;
    DelectLabelInMac(digits);
    if (digits.size() < 12)
        return 0;
    HexTextToBytes(digits, output, 6);
    return 1;
}

int FindPopupMenuItem(TPopupMenu* menu, const std::string& caption)
{
    TMenuItem* items = menu->Items();
    for (int i = 0; i < items->Count(); ++i) {
        if (items->Items(i)->Caption() == caption)
            return i;
    }
    return -1;
}

int AddPopupMenuItem(TPopupMenu* menu, int index, const std::string& caption, TNotifyEvent onClick)
{
    TMenuItem* item = new (std::nothrow) TMenuItem(nullptr);
    if (!item)
        return 0;
    item->SetCaption(caption);
    item->OnClick = onClick;
    if (caption != "-" && FindPopupMenuItem(menu, caption) >= 0) {
        delete item;
        return 0;
    }
    PrintMessage(6, " MenuItem index %d ; name = %s ; OnClick = 0x%x \n", index, caption.c_str(),
                 onClick ? 1 : 0);
    TMenuItem* items = menu->Items();
    items->Insert(std::clamp(index, 0, items->Count()), item);
    return 1;
}

void DeletePopupMenuItem(TPopupMenu* menu, const std::string& caption)
{
    int index = FindPopupMenuItem(menu, caption);
    if (index >= 0)
        delete menu->Items()->Items(index);
}

void ClearPopupMenu(TPopupMenu* menu)
{
    menu->Items()->Clear();
}

void AddComboItem(TComboBox* combo, const std::string& text, void* data)
{
    combo->Items().AddObject(text, data);
}

void GetComboItemData(TComboBox* combo, int index, void** data)
{
    *data = combo->Items().Objects(index);
}

int FindComboItemByData(TComboBox* combo, void* data)
{
    const TStrings& items = combo->Items();
    for (int i = 0; i < items.Count(); ++i) {
        if (items.Objects(i) == data)
            return i;
    }
    return -1;
}

void ApplyControlPlacement(TControl* control, const std::string& text)
{
    int visible = 1, left = 0, top = 0;
    if (std::sscanf(text.c_str(), "%d,%d,%d", &visible, &left, &top) != 3)
        return;
    control->SetVisible(visible != 0);
    if (left != 0 && top != 0)
        control->SetBounds(left, top, control->Width(), control->Height());
}
