#pragma once
#include <windows.h>
#include <dbt.h>
#include <memory>
#include <string>
#include <type_traits>

#include "ui/Classes.h"

// A service-manager or service handle, closed when it goes out of scope.
struct ServiceHandleCloser {
    void operator()(SC_HANDLE handle) const { CloseServiceHandle(handle); }
};
using ServiceHandle = std::unique_ptr<std::remove_pointer_t<SC_HANDLE>, ServiceHandleCloser>;

class TComboBox;
class TControl;
class TPopupMenu;

// Shared helpers of every window.

// File probes: 1 when FindFirstFile finds a match for path (wildcards allowed), else 0.
int IsFileExist(const char* path);
int IsFileExistW(const wchar_t* path);

// 0 when the selected adapter's kind is 0 to 3, else 1.
int CheckAdapterKind();

// Hexadecimal text. IsHexString of "" is true. HexDigitValue gives 255 for a non-digit.
// HexTextToBytes does not validate (callers check with IsHexString first); characters
// beyond the end of text count as invalid digits.
bool IsHexString(const std::string& text);
BYTE HexDigitValue(char c);
void HexTextToBytes(const std::string& text, BYTE* output, int count);

// Switch the 64-bit file-system redirection; 0 when the platform lacks the switch.
BOOL DisableWow64FsRedirection();
BOOL EnableWow64FsRedirection();

// Random helpers, drawing from the system's cryptographic random source; each returns 1, or 0
// when the source failed (the buffer then holds nothing to use).
int RandomBytes(BYTE* buffer, int count);
int RandomBytesInRange(BYTE* buffer, int count, int low, int high);
// Draws count characters (no terminator) from the alphabet formatted from format.
// Returns 0 when the alphabet is empty or the source failed.
int RandomCharsFrom(char* buffer, int count, const char* format, ...);

// WPS PINs: 8 digits (seven and a checksum digit) or 4 digits; from the adapter's address
// when bWPSPinByMac is on, else random. 0 and the PIN untouched when the source failed.
int GenerateWpsPin8(unsigned* pin);
int GenerateWpsPin4(unsigned* pin);
unsigned WpsPinChecksum(unsigned sevenDigits);

// Fire-and-forget worker threads (start with _beginthread).
void __cdecl RenewIPAddrThread(void*);
void __cdecl EnableDHCPThread(void*);

// Position of a window of width x height next to an anchor rectangle inside the desktop.
struct PLACEMENT_RECORD {
    int x;        // result
    int y;        // result
    int width;
    int height;
};
void PlaceWindowNearRect(const RECT& anchor, PLACEMENT_RECORD& place);
void PlaceWindowNearRectIn(const RECT& desktop, const RECT& anchor, PLACEMENT_RECORD& place);

// Current state of a Windows service (SERVICE_STOPPED ... SERVICE_PAUSED), or -35 when the
// service manager cannot be opened, -36 when the service cannot, -37 when the query fails.
constexpr int WVWL_ERROR_WIFIDIRECT_SVC_OPEN_SCMGR = -35;
constexpr int WVWL_ERROR_WIFIDIRECT_SVC_OPEN_SVC = -36;
constexpr int WV_SVC_ERR_QUERY_SVC_STATUS = -37;
int GetServiceStatus(const char* serviceName);

// Spins (blocking the thread) until more than ms milliseconds have passed; returns the time passed.
unsigned WaitMilliseconds(unsigned ms);

// Registers hwnd for arrival and removal of interfaces of the class; 1 and *handle on success.
int DoRegisterDeviceInterfaceToHwnd(GUID interfaceClass, HWND hwnd, HDEVNOTIFY* handle);

void EnterCriticalSectionLogged(CRITICAL_SECTION* section);
void LeaveCriticalSectionLogged(CRITICAL_SECTION* section);

// MAC-address text: removes every ":" and "-"; MacTextToBytes converts the first 12 digits
// and returns 1, or returns 0 (output untouched) when fewer than 12 characters remain.
void DelectLabelInMac(std::string& text);
int MacTextToBytes(const std::string& text, BYTE* output);

// Popup-menu helpers; captions are compared exactly. AddPopupMenuItem refuses (0) a second item
// with a caption already present unless the caption is "-"; an index beyond the end appends.
int AddPopupMenuItem(TPopupMenu* menu, int index, const std::string& caption, TNotifyEvent onClick);
void DeletePopupMenuItem(TPopupMenu* menu, const std::string& caption);
int FindPopupMenuItem(TPopupMenu* menu, const std::string& caption);
void ClearPopupMenu(TPopupMenu* menu);

// Combo-box items with a data object beside their text.
void AddComboItem(TComboBox* combo, const std::string& text, void* data);
void GetComboItemData(TComboBox* combo, int index, void** data);
int FindComboItemByData(TComboBox* combo, void* data);

// Applies a placement text "visible,left,top" (e.g. "1,10,20"): visibility always, position only
// when left and top are both non-zero. A text without three numbers changes nothing.
void ApplyControlPlacement(TControl* control, const std::string& text);
