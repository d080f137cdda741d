#pragma once
// What the site survey and the profile editor ask of the other windows: the main window's
// action queue and tray icon, the profile list, the Wi-Fi Direct window, the advanced
// wireless page and the shared message box. Each call does nothing when its window does not
// exist.
#include <windows.h>
#include <string>
#include "mainwindow/ActionQueue.h"
#include "mainwindow/MainWindowServices.h"
#include "wlapi/records.h"

namespace links {

// Main window.
using mainwin::CurrentProfile;
using mainwin::InsertAction;
using mainwin::InsertScanAction;
using mainwin::MainWindowBounds;
using mainwin::MainWindowHandle;
using mainwin::ModifyTrayIcon;
using mainwin::SetReConnect;
using mainwin::ResumeActions;

// Shared message box: 1 OK, 2 Cancel.
int ShowMessage(const std::string& text, int okCancel);

// Profile list.
void SetActiveProfile(BOOL active);
void SetSiteSurveyConnect(BOOL value);
bool ProfileWindowShowing();
void ShowProfileWindowAt(int left, int top);
void RefreshProfileList();
void SetOidFromReg();

// Wi-Fi Direct window.
bool WiFiDirectWindowExists();
int WiFiDirectGroupCount();
BYTE WiFiDirectOwnEntryStatus();
void TurnWiFiDirectOff();

// The advanced wireless page's connect request that waits for the next scan; null when none.
const ACTION_DATA* PendingAdvancedConnect();

} // namespace links
