// The tray menu: its optional items are rebuilt on every right click.
#include <cstdio>
#include <string>

#include "core/Helpers.h"
#include "core/Log.h"
#include "core/Settings.h"
#include "core/WvwlLib.h"
#include "mainwindow/FormMain.h"
#include "resources/FormResource.h"

namespace {

constexpr int kMaxPath = 260;

const char* OpModeName(int mode)
{
    switch (mode) {
    case OP_MODE_STATION: return "OP_MODE_STATION";
    case OP_MODE_AP: return "OP_MODE_AP";
    case OP_MODE_APCLIENT: return "OP_MODE_APCLIENT";
    case OP_MODE_STA_WIFI_DIRECT: return "OP_MODE_STA_WIFI_DIRECT";
    default: return "unknown";
    }
}

bool CanOpenForReading(const std::string& path)
{
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return false;
    std::fclose(file);
    return true;
}

// Brings the stored operating mode back when the driver reports another one.
int ReconciledOpMode()
{
    int mode = VOZEZIV.WVWL_QueryOPMode();
    int stored = VOZEZIV.WVWL_ReadOpMode();
    if (mode != stored && stored < 4) {
        VOZEZIV.WVWL_SetAndWriteOPMode(stored);
        mode = VOZEZIV.WVWL_QueryOPMode();
    }
    PrintMessage(6, "TFormMain::ShowPopMenu op mode %s (%d)\n", OpModeName(mode), mode);
    return mode;
}

}  // namespace

bool TFormMain::BuildTrayMenu()
{
    std::string folder = ProgramPath();
    folder = folder.substr(0, folder.find_last_of('\\') == std::string::npos ? 0 : folder.find_last_of('\\'));
    const std::string softAp = VOZEZIV.strSoftAP_UIName;
    if (folder.size() + 1 + softAp.size() + 4 >= kMaxPath) {
        PrintMessage(6, "TFormMain::ShowPopMenu the path is too log\n");
        return false;
    }
    const bool bApConfig = CanOpenForReading(folder + "\\" + softAp + ".exe");
    unsigned long model = 0;
    const bool bSupportApMode = VOZEZIV.WVWL_GetCurrentDeviceModel(&model) && model >= 2 && model <= 8;
    const bool apConditions = bApConfig && bSupportApMode && m_bDeviceExist;

    const CUISTR& s = *FormResource->UI_Str;
    for (const std::string* caption : {&s.STR_TRAY_SWITCH_STA_MODE, &s.STR_TRAY_SWITCH_APCLIENT_MODE,
                                       &s.STR_TRAY_SWITCH_ZEROCONFIG, &s.STR_TRAY_SWITCH_WVCONFIG,
                                       &s.STR_TRAY_SWITCH_AP_MODE, &s.STR_TRAY_ABOUT, &s.STR_TRAY_HELP})
        DeletePopupMenuItem(TrayPopMenu, *caption);

    int position = 1;
    auto add = [&](const std::string& caption, TNotifyEvent onClick) {
        if (AddPopupMenuItem(TrayPopMenu, position, caption, onClick))
            ++position;
    };
    auto apItem = [&] {
        if (apConditions)
            add(s.STR_TRAY_SWITCH_AP_MODE, [this](TObject* sender) { OnTraySwitchApMode(sender); });
    };
    PrintMessage(6, "TFormMain::ShowPopMenu ( WVWL_GetWinType = %d)", VOZEZIV.nWinType);

    const int winOS = VOZEZIV.nWinOS;
    if (winOS >= 41 && (VOZEZIV.nWinType == 14 || VOZEZIV.nWinType == 31))
        return true;
    if (m_bDeviceExist && VOZEZIV.bWiFiDirectStandAlone == 1) {
        add(s.STR_TRAY_ABOUT, [this](TObject* sender) { OnTrayAbout(sender); });
        add(s.STR_TRAY_HELP, [this](TObject* sender) { OnTrayHelp(sender); });
        return true;
    }
    if (winOS >= 31) {
        if (!m_bDeviceExist || !VOZEZIV.WVWL_DetectUserAdmin())
            return true;
        const int mode = ReconciledOpMode();
        if (winOS >= 41) {
            if (mode == OP_MODE_STATION || mode == OP_MODE_STA_WIFI_DIRECT) {
                if (VOZEZIV.WVWL_IsSupportAPMode() == 1)
                    add(s.STR_TRAY_SWITCH_APCLIENT_MODE,
                        [this](TObject* sender) { OnTraySwitchAPClientMode(sender); });
                apItem();
            } else if (mode == OP_MODE_APCLIENT) {
                add(s.STR_TRAY_SWITCH_STA_MODE, [this](TObject* sender) { OnTraySwitchSTAMode(sender); });
            }
            return true;
        }
        if (mode == OP_MODE_STATION || mode == OP_MODE_STA_WIFI_DIRECT) {
            PrintMessage(6, "TFormMain::ShowPopMenu_Vista bApConfig = %d, bSupportApMode = %d, m_bDeviceExist = %d, "
                            "WVWL_IsSupportVistaSoftAP = %d\n",
                         int(bApConfig), int(bSupportApMode), int(m_bDeviceExist),
                         VOZEZIV.WVWL_IsSupportVistaSoftAP ? VOZEZIV.WVWL_IsSupportVistaSoftAP() : 0);
            if (apConditions) {
                PrintMessage(6, "TFormMain::ShowPopMenu_Vista pure softAP");
                apItem();
            }
        }
        return true;
    }

    PrintMessage(6, "TFormMain::ShowPopMenu XP");
    const int admin = VOZEZIV.WVWL_DetectUserAdmin();
    const int zeroConfig = VOZEZIV.WVWL_IsZeroConfig();
    PrintMessage(6, "TFormMain::ShowPopMenu VOZEZIV.WVWL_DetectUserAdmin() = %d, VOZEZIV.WVWL_IsZeroConfig() = %d, "
                    "m_bDeviceExist = %d",
                 admin, zeroConfig, int(m_bDeviceExist));
    if (!admin)
        return true;
    if (zeroConfig == 2) {
        if (apConditions)
            add(s.STR_TRAY_SWITCH_WVCONFIG, [this](TObject*) { OnTraySwitchWvconfig(); });
    } else if (winOS >= 21) {
        if (apConditions)
            add(s.STR_TRAY_SWITCH_ZEROCONFIG, [this](TObject* sender) { OnTraySwitchZeroConfig(sender); });
    }
    apItem();
    return true;
}

void TFormMain::ShowPopMenu()
{
    if (!BuildTrayMenu())
        return;
    POINT cursor{};
    GetCursorPos(&cursor);
    SetForegroundWindow(Handle());
    TrayPopMenu->Popup(cursor.x, cursor.y);
}
