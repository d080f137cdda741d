// Adapter detection and start-up: choosing the adapter, reconciling its
// operating mode, applying radio and country region, rebuilding the stored
// profile, and the Wi-Fi Direct and Wi-Fi Display start.
#include <windows.h>
#include <process.h>

#include <cstdio>
#include <cstring>

#include "dialogs/Dialogs.h"
#include "core/Dumps.h"
#include "core/Helpers.h"
#include "core/Log.h"
#include "core/Settings.h"
#include "core/WvwlLib.h"
#include "advanced/AdvancedRecords.h"
#include "mainwindow/AdapterList.h"
#include "mainwindow/AdapterRecords.h"
#include "mainwindow/FormMain.h"
#include "profiles/FormProfile.h"
#include "resources/FormResource.h"
#include "wifidirect/FormWiFiDirect.h"
#include "wlapi/result.h"

namespace {

constexpr size_t kSelectedTextOffsets[] = {0, 64, 392, 128};

void ClearSelectedAdapterTexts()
{
    BYTE* record = reinterpret_cast<BYTE*>(&VOZEZIV.selectedAdapter);
    for (size_t offset : kSelectedTextOffsets)
        record[offset] = 0;
}

bool WiFiDirectEnabled(int* readResult = nullptr)
{
    alignas(4) BYTE control[40] = {};
    int result = VOZEZIV.WVWL_ReadWifiDirectControl(control);
    if (readResult)
        *readResult = result;
    return control[0] & 1;
}

// The driver's mode after the stored one (when it is a known mode) was applied.
int ReconcileOpMode(int* savedOut)
{
    int mode = VOZEZIV.WVWL_QueryOPMode();
    int saved = VOZEZIV.WVWL_ReadOpMode();
    if (savedOut)
        *savedOut = saved;
    if (mode == saved)
        return mode;
    if (unsigned(saved) < 4) {
        int result = VOZEZIV.WVWL_SetAndWriteOPMode(saved);
        PrintMessage(6, " WVWL_SetAndWriteOPMode(%d) return %d\n", saved, result);
    }
    return VOZEZIV.WVWL_QueryOPMode();
}

void StopSharing()
{
    if (VOZEZIV.WVWL_DisableDhcpServer)
        VOZEZIV.WVWL_DisableDhcpServer();
    if (VOZEZIV.WVWL_IsEnableICS && VOZEZIV.WVWL_IsEnableICS())
        VOZEZIV.WVWL_DisableICS();
}

std::string ProgramFileName()
{
    char path[256] = {};
    GetModuleFileNameA(nullptr, path, sizeof path - 1);
    const char* slash = std::strrchr(path, '\\');
    std::string name = slash ? slash + 1 : path;
    if (name.size() > 127)
        name.resize(127);
    return name;
}

unsigned __stdcall InitWiFidirectThread(void* arg)
{
    auto* form = static_cast<TFormMain*>(arg);
    form->InitWiFidirect(FALSE);
    form->CheckAndInitWiFiDisplay();
    return 0;
}

}  // namespace

int TFormMain::DetectAdapter()
{
    TAdapterList list;
    if (!list.Fetch([](BYTE* buffer, int capacity) { return VOZEZIV.WVWL_GetAvailableAdapters(buffer, capacity); }))
        return 0;
    int count = list.Count();
    PrintMessage(6, " TFormMain::DetectAdapter count = %d\n", count);
    if (count <= 0) {
        ClearSelectedAdapterTexts();
        return count;
    }
    int index = 0;
    if (count > 1 && FormSelectCard) {
        FormSelectCard->m_pAdapterList = list.Buffer();
        m_bSelectingAdapter = TRUE;
        if (!FormSelectCard->Visible())
            FormSelectCard->ShowModal();
        m_bSelectingAdapter = FALSE;
        index = FormSelectCard->m_nSelectIndex;
        FormSelectCard->m_pAdapterList = nullptr;
    }
    const BYTE* record = list.Record(index);
    if (!record) {
        PrintMessage(2, " TFormMain::DetectAdapter index %d out of %d adapters, taking the first\n", index, count);
        record = list.Record(0);
    }
    std::memcpy(&VOZEZIV.selectedAdapter, record, sizeof VOZEZIV.selectedAdapter);
    int result = VOZEZIV.WVWL_AdapterSelect(&VOZEZIV.selectedAdapter, rsCallBackFunc, Application->Handle());
    if (result != WVWL_ERROR_SUCCESS) {
        PrintMessage(2, " TFormMain::DetectAdapter WVWL_AdapterSelect return %d\n", result);
        return 0;
    }
    return count;
}

void TFormMain::InitCard()
{
    const int os = VOZEZIV.nWinOS;
    PrintMessage(6, " --> InitCard\n");

    // The hand-over to this program runs InitCard again; the configuration
    // tool is decided by the outer run only, so the re-entry ends.
    const bool reentered = m_bInInitCard;
    m_bInInitCard = true;
    if (os >= 21 && !reentered) {
        int configToolSelect = 1;
        if (VOZEZIV.WVWL_RunOnceInitConfigTool(&configToolSelect) != 1) {
            if (configToolSelect == 0) {
                if (VOZEZIV.WVWL_IsZeroConfig() != 2) {
                    PrintMessage(6, " ConfigToolSelect is 0, call OnTraySwitchZeroConfig()\n");
                    OnTraySwitchZeroConfig(this);
                }
            } else if (VOZEZIV.WVWL_IsZeroConfig() == 2) {
                OnTraySwitchWvconfig();
            }
        }
    }
    if (os < 31 && VOZEZIV.WVWL_IsZeroConfig() == 2 && VOZEZIV.WVWL_IsWpaCapable && VOZEZIV.WVWL_IsWpaCapable() &&
        VOZEZIV.WVWL_Release)
        VOZEZIV.WVWL_Release();

    VOZEZIV.WVWL_RunOnceInitConfigTxBurst();
    VOZEZIV.bAllowBW40InBGBand = VOZEZIV.WVWL_CheckIfAllowBW40InBGBand();
    VOZEZIV.bAllowBW40InABand = VOZEZIV.WVWL_CheckIfAllowBW40InABand();

    int mode = VOZEZIV.WVWL_QueryOPMode();
    if (os < 41) {
        if (mode != OP_MODE_STATION) {
            if (!VOZEZIV.WVWL_SetAndWriteOPMode(OP_MODE_STATION))
                PrintMessage(6, " InitCard:: WVWL_SetAndWriteOPMode() return FALSE\n");
            VOZEZIV.WVWL_DisableICS();
        }
    } else {
        int saved = 0;
        mode = ReconcileOpMode(&saved);
        switch (mode) {
        case OP_MODE_STATION:
            m_bHideAPButton = TRUE;
            if (saved == OP_MODE_AP || saved == OP_MODE_APCLIENT)
                VOZEZIV.WVWL_HostedNetworkStopUsing();
            if (saved == OP_MODE_STA_WIFI_DIRECT) {
                if (FormWiFiDirect)
                    FormWiFiDirect->EnableOrDisableWiFiDirect(FALSE, FALSE, FALSE, FALSE);
                VOZEZIV.WVWL_StopWifiDirectGO();
            }
            if (mode != saved) {
                StopSharing();
                ReLaunchUtility();
            }
            break;
        case OP_MODE_AP: {
            StopSharing();
            int result = VOZEZIV.WVWL_SetAndWriteOPMode(OP_MODE_STATION);
            PrintMessage(6, " InitCard:: WVWL_SetAndWriteOPMode(OP_MODE_STATION) return 0x%x\n", result);
            VOZEZIV.WVWL_WlanDeleteAllWindowsProfiles();
            RunRelaunch(ProgramFileName());
            break;
        }
        case OP_MODE_APCLIENT:
            m_bHideAPButton = FALSE;
            if (VOZEZIV.WVWL_IsEnableICS && VOZEZIV.WVWL_IsEnableICS())
                _beginthread(EnableDHCPThread, 0, nullptr);
            break;
        case OP_MODE_STA_WIFI_DIRECT:
            if (VOZEZIV.WVWL_IsEnableICS && VOZEZIV.WVWL_IsEnableICS())
                VOZEZIV.WVWL_DisableICS();
            m_bHideAPButton = TRUE;
            break;
        default:
            break;
        }
    }

    PrintMessage(6, " InitCard --> WVWL_VerifyCountryRegion\n");
    VOZEZIV.WVWL_VerifyCountryRegion();
    PrintMessage(6, " InitCard <-- WVWL_VerifyCountryRegion\n");

    int radio = VOZEZIV.WVWL_ReadRadioStatus();
    bool setRadio = true;
    if (os >= 31) {
        int hw = 1, sw = 1;
        VOZEZIV.WVWL_QueryHWAndSWRadioState(&hw, &sw);
        setRadio = radio != sw;
    }
    if (setRadio) {
        PrintMessage(6, " WVWL_ReadRadioStatus() return %d, call WVWL_SetAndWriteRadioState(%d)\n", radio, radio);
        VOZEZIV.WVWL_SetAndWriteRadioState(radio);
    }

    CheckRadioStatus();
    CreateWDPEvent(TRUE);
    m_bInInitCard = reentered;
    PrintMessage(6, " <-- InitCard\n");
}

void TFormMain::CheckAndInitWiFiDirect()
{
    int mode = ReconcileOpMode(nullptr);
    bool unavailable = (mode != OP_MODE_STATION && mode != OP_MODE_STA_WIFI_DIRECT) || VOZEZIV.nWinType == 14 ||
                       VOZEZIV.WVWL_IsSupportWiFiDirect() == 0;
    if (unavailable) {
        PrintMessage(2, " TFormMain::InitWiFidirect: ulDrvOpmode = %d ; VOZEZIV.nWinType =%d--->  hide  WiFi Direct tab\n",
                     mode, VOZEZIV.nWinType);
        m_bHideWiFiDirect = TRUE;
        if (VOZEZIV.WVWL_ReadOpMode() == OP_MODE_APCLIENT)
            m_bHideAPButton = FALSE;
        return;
    }
    m_bHideWiFiDirect = FALSE;
    int result = 0;
    bool enabled = WiFiDirectEnabled(&result);
    if (result != 1 || !enabled)
        return;
    VOZEZIV.WVWL_DisableWifiDirect();
    HANDLE thread = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, InitWiFidirectThread, this, 0, nullptr));
    if (!thread)
        return;
    if (m_hInitWiFiDirectThread)
        CloseHandle(m_hInitWiFiDirectThread);
    m_hInitWiFiDirectThread = thread;
}

void TFormMain::CheckAndInitWiFiDisplay()
{
    PrintMessage(6, "[WDP] --> TFormMain::CheckAndInitWiFiDisplay()\n");
    if (m_bHideWiFiDirect) {
        PrintMessage(6, "[WDP] --> m_bHideWiFiDirect=%d, don't enable return\n", int(m_bHideWiFiDirect));
        return;
    }
    int result = 0;
    bool enabled = WiFiDirectEnabled(&result);
    if (result == 1 && !enabled) {
        PrintMessage(6, "[WDP] --> Wi-Fi Direct is disabled, return\n");
        return;
    }
    alignas(4) BYTE raw[kWdpConfigBytes] = {};
    VOZEZIV.WVWL_ReadWDPConfig(raw);
    if (raw[0] != 1)
        return;
    int tdls = ReadINIInt("WiFiDisplay", "TDLS", 0, "ini");
    PrintMessage(6, "[WDP] iUseTDLS=%d\n", tdls);
    PrepareStartupWdpConfig(raw, tdls != 0);
    PrintMessage(6, "[WDP] CONFIG_MODE_WDP_ENABLED\n");
    int ret = VOZEZIV.WVWL_WriteAndSetWDPConfig ? VOZEZIV.WVWL_WriteAndSetWDPConfig(raw, 1) : 0;
    PrintMessage(6, "[WDP] Call WVWL_WriteAndSetWDPConfig: ConfigMode = %d, DevInfo = 0x%X, ControlPort = %d. Ret = %d\n",
                 int(raw[0]), unsigned(WdpDevInfo(raw)), int(WdpControlPort(raw)), ret);
}

void TFormMain::InitCard_SetOidFromReg(bool bSetAdvance, bool bConnect)
{
    PrintMessage(6, " --> TFormMain::InitCard_SetOidFromReg\n");
    const int os = VOZEZIV.nWinOS;
    if (os < 31 && WiFiDirectEnabled()) {
        PrintMessage(6, " <--  FormMain::InitCard_SetOidFromReg <-- P2P Enabled so dont set wlanprofile return \n");
        return;
    }
    if (!m_bReConnect) {
        PrintMessage(6, " m_bReConnect is FALSE!\n");
        return;
    }
    std::memset(g_pRegProfData, 0, sizeof(WLANPROFILE));
    std::memcpy(g_pRegProfData, &VOZEZIV.defaultProfile, sizeof(WLANPROFILE));
    unsigned long ccx = 0;
    VOZEZIV.WVWL_ReadCCX2Cont(&ccx);
    g_pRegProfData->ccx2Ctrl = ccx;
    DumpCCX2Ctrl(g_pRegProfData->ccx2Ctrl);

    if (bSetAdvance) {
        ADVANCE_CONFIG_DATA adv{};
        VOZEZIV.WVWL_ReadAdvanceCfgData(&adv);
        DumpAdvanceCfg(&adv);
        const ADVANCE_OID oid = DeriveAdvanceOid(adv);
        DumpAdvanceOID(&oid);
        VOZEZIV.WVWL_QuerySTAConfig(&g_pRegProfData->configSta);
        g_pRegProfData->nCountryRegion = adv.CountryRegionABand * 256 + adv.CountryRegion;
    }

    if (FormProfile)
        FormProfile->m_bActiveProfile = FALSE;
    char name[128] = {};
    VOZEZIV.WVWL_ReadActiveProfileName(name);
    name[sizeof name - 1] = 0;
    VOZEZIV.WVWL_ReadProfileData(g_pRegProfData, name);
    if (FormProfile) {
        FormProfile->m_bActiveProfile = name[0] != 0;
        FormProfile->m_strProfile = name;
    }
    PrintMessage(6, " FormProfile->m_bActiveProfile = %d, FormProfile->m_strProfile = %s\n", int(name[0] != 0), name);
    g_pRegProfData->bSetAdvance = bSetAdvance;

    if (os >= 31 && (g_pRegProfData->ssoInfo & 1)) {
        WLAN_STATUS status{};
        WLAN_STATUS_QUERY query{};
        query.flag[3] = 1;
        VOZEZIV.WVWL_QueryWLANStatus(&status, query);
        if (status.status == WvStatus_Connected) {
            PrintMessage(6, " wLanStatus.status = WvStatus_Connected and enable SSO feature on Vista later. Don't reconnect the profile.\n");
            return;
        }
    }
    if (bConnect) {
        PrintMessage(6, " bConnect is TRUE\n");
        PrintMessage(6, " Insert profile type action!\n");
        InsertAction({actionTypeProfile, g_pRegProfData});
    }
    PrintMessage(6, " <-- TFormMain::InitCard_SetOidFromReg\n");
}

namespace {

// The Windows wireless configuration service, opened for full control; null when it can't be.
ServiceHandle OpenZeroConfigService(ServiceHandle& manager)
{
    manager.reset(OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS));
    if (!manager)
        return nullptr;
    return ServiceHandle(OpenServiceA(manager.get(), "WZCSVC", SERVICE_ALL_ACCESS));
}

void LogServiceConfigChange(bool changed)
{
    PrintMessage(6, changed ? " ChangeServiceConfig SUCCESS\n" : " ChangeServiceConfig");
}

} // namespace

void TFormMain::SetZeroConfigControl(bool enable)
{
    char instance[256] = {};
    VOZEZIV.WVWL_ReadNetCfgInstanceID(instance);
    instance[sizeof instance - 1] = 0;

    ServiceHandle manager;
    ServiceHandle service = OpenZeroConfigService(manager);
    if (!service)
        return;
    SERVICE_STATUS status{};
    if (!QueryServiceStatus(service.get(), &status))
        return;

    std::string keyName = std::string("SOFTWARE\\Microsoft\\WZCSVC\\Parameters\\Interfaces\\") + instance;
    PrintMessage(6, " RegOpenKeyEx %s \n", keyName.c_str());
    REGSAM access = KEY_ALL_ACCESS;
    if (VOZEZIV.WVWL_IsWow64 && VOZEZIV.WVWL_IsWow64())
        access |= KEY_WOW64_64KEY;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyName.c_str(), 0, access, &key) != ERROR_SUCCESS) {
        PrintMessage(6, " RegOpenKeyEx '%s' failed\n", keyName.c_str());
    } else {
        DWORD flags = 0, type = REG_DWORD, size = sizeof flags;
        if (RegQueryValueExA(key, "ControlFlags", nullptr, &type, reinterpret_cast<BYTE*>(&flags), &size) != ERROR_SUCCESS) {
            PrintMessage(6, " RegQueryValueEx '%s' failed\n", "ControlFlags");
        } else if (bool(flags & 0x8000) != enable) {
            if (status.dwCurrentState == SERVICE_RUNNING || status.dwCurrentState == SERVICE_START_PENDING)
                StopZeroConfigService(false);
            flags = enable ? (flags | 0x8000) : (flags & ~0x8000u);
            if (RegSetValueExA(key, "ControlFlags", 0, type, reinterpret_cast<const BYTE*>(&flags), size) != ERROR_SUCCESS)
                PrintMessage(6, " RegSetValueEx REGSTR_CONTROL_FLAGS failed\n");
        }
        RegCloseKey(key);
    }

    if (QueryServiceStatus(service.get(), &status) && status.dwCurrentState != SERVICE_RUNNING &&
        status.dwCurrentState != SERVICE_START_PENDING)
        StartServiceA(service.get(), 0, nullptr);
    LogServiceConfigChange(ChangeServiceConfigA(service.get(), SERVICE_NO_CHANGE, SERVICE_AUTO_START,
                                                SERVICE_NO_CHANGE, nullptr, nullptr, nullptr, nullptr, nullptr,
                                                nullptr, nullptr));
}

void TFormMain::StopZeroConfigService(bool setDemandStart)
{
    ServiceHandle manager;
    ServiceHandle service = OpenZeroConfigService(manager);
    if (!service)
        return;
    SERVICE_STATUS status{};
    if (QueryServiceStatus(service.get(), &status) && status.dwCurrentState != SERVICE_STOPPED)
        ControlService(service.get(), SERVICE_CONTROL_STOP, &status);
    if (setDemandStart)
        LogServiceConfigChange(ChangeServiceConfigA(service.get(), SERVICE_NO_CHANGE, SERVICE_DEMAND_START,
                                                    SERVICE_NO_CHANGE, nullptr, nullptr, nullptr, nullptr, nullptr,
                                                    nullptr, nullptr));
}
