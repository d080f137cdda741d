#pragma once
// What the other windows use of the main window: its action queue, its tray icon, its current
// profile and flags, and placement beside it. Each call does nothing (or answers as absent)
// while there is no main window.
#include <windows.h>
#include <shellapi.h>

#include <string>

#include "mainwindow/ActionQueue.h"
#include "wlapi/records.h"

class TForm;

// Tray icon types.
enum : int { TRAY_TYPE_STATION = 0, TRAY_TYPE_WIFIDIRECT = 1 };

namespace mainwin {

// Action queue.
int InsertAction(const ACTION_DATA& action);
int InsertScanAction();
void ResumeActions();   // runs the queue once the blocking dialog is gone

// Tray icon: the icon of a type (0 station, 1 Wi-Fi Direct) and a balloon on it.
BOOL ModifyTrayIcon(int type, DWORD icon);
BOOL PopUpMsgTrayIcon(NOTIFYICONDATAA& balloon);
// The tray icon's record, the base of a balloon; false when there is no main window.
bool TrayIconData(NOTIFYICONDATAA& data);

// The profile of the current connection, or null.
WLANPROFILE* CurrentProfile();
// Asks the main window to connect again after a profile change.
void SetReConnect();
// Whether the adapter rejected the identity of the last connection.
bool IdentityRejected();
// The main window's check that WPA handling is back under the program's control.
void CheckWpaCapability();

// The main window's wireless mode, or fallback when there is none; its physical-layer mode, or 0.
std::string WirelessMode(const std::string& fallback);
DWORD PhyMode();
// Connection retries: whether WPS may go through the other profiles, the retry timer, and the
// retry after a failed connection.
void SetRotateProfile(BOOL rotate);
void StopRetryTimer();
void ClearRetryConnect();

// Adapter, service and driver control the main window owns.
void StopZeroConfigService(bool setDemandStart);
void SetZeroConfigControl(bool enable);
void InitWiFiDirect(BOOL userRequest);
DWORD CreateEventAndStartThread(int request);
int SetWDPEventHandleToDriver();  // 0 when there is no main window
void ActionForSigma(BYTE eventCode);

// Opens the advanced settings as the main window's button does.
void OpenAdvanced();

bool HasMainWindow();     // without making its window
HWND MainWindowHandle();  // null when there is none
bool MainWindowBounds(RECT& bounds);

// Placement beside the main window, kept inside the work area: a window that would leave it on
// one side goes to the other side, and what still sticks out is moved in. Do not show.
void PlaceBelow(TForm* form);    // left edges aligned, below (or above) the main window
void PlaceLeftOf(TForm* form);   // tops aligned, left (or right) of the main window
void PlaceRightOf(TForm* form);  // tops aligned, right (or left) of the main window

} // namespace mainwin
