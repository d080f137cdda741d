#pragma once
// Connection sharing for the software access point: the computer's adapters as the library
// lists them, the WAN list of the access-point page, and the worker that (re)starts sharing.
#include <optional>
#include <vector>

#include "wlapi/records.h"

class TFrameExtendedAPConfig;

// Posted to the access-point window when the sharing worker has ended.
constexpr UINT MSG_EXTAP_ICS_DONE = WM_APP + 0x0E1;

// The adapter list of the last enumeration.
extern std::vector<ICS_ADAPTER_INFO> g_pAdaptersInfo;
// Copies of the entries, so that they outlive the list they were taken from: the LAN side
// (kept from one enumeration to the next), the WAN chosen by Apply and the WAN that sharing
// was last started for.
extern std::optional<ICS_ADAPTER_INFO> g_pLanAdapter;
extern std::optional<ICS_ADAPTER_INFO> pWanAdapter;
extern std::optional<ICS_ADAPTER_INFO> pCurWanAdapter;

// Forgets every adapter (tests; the program never resets them).
void ResetIcsState();

namespace CWiFiDlg {
// Rebuilds the adapter list and, when two or more adapters are usable and a LAN side is
// known, the page's WAN list and m_nCurAdapter. 0 rebuilt (or a WAN found without a shared
// LAN side), 1 fewer than two usable adapters, 3 out of memory, 12 port refused, 18 no LAN side.
int GetAdapters(TFrameExtendedAPConfig* page, int port);
} // namespace CWiFiDlg

// Apply's sharing step: nothing when sharing already runs for the chosen WAN (the first four
// bytes of the names decide) or when there is no WAN or LAN side to share between; otherwise
// remembers the WAN, disables the page's Apply and starts the worker, which tells notifyWindow
// (MSG_EXTAP_ICS_DONE) when it has ended. True when the worker was started.
bool StartConnectionSharing(TFrameExtendedAPConfig* page, HWND notifyWindow);
