#include "advanced/IcsSharing.h"

#include <process.h>

#include <cstring>
#include <memory>
#include <new>
#include <string>

#include "advanced/FrameExtendedAPConfig.h"
#include "core/Helpers.h"
#include "core/Log.h"
#include "core/NetConnLookup.h"
#include "core/WvwlLib.h"
#include "ui/Forms.h"
#include "ui/Seams.h"

std::vector<ICS_ADAPTER_INFO> g_pAdaptersInfo;
std::optional<ICS_ADAPTER_INFO> g_pLanAdapter;
std::optional<ICS_ADAPTER_INFO> pWanAdapter;
std::optional<ICS_ADAPTER_INFO> pCurWanAdapter;

namespace {

constexpr const char kVirtualPortId[] = "{5D624F94-8850-40C3-A3FA-A4FD2080BAF3}\\VWIFIMP";
constexpr DWORD kSharingSettleMs = 1000;

const char* NameOf(const std::optional<ICS_ADAPTER_INFO>& entry)
{
    return entry ? entry->szAdapterName : "(null)";
}

bool SameWan(const ICS_ADAPTER_INFO& a, const ICS_ADAPTER_INFO& b)
{
    return std::memcmp(a.szAdapterName, b.szAdapterName, 4) == 0;
}

bool Enabled(const ICS_ADAPTER_INFO& entry)
{
    return (entry.dwAdapterStatus & ICS_ADAPTER_STATUS_ENABLED) != 0;
}

// Enabled, not the maker's own, not 1394, not Bluetooth, not the virtual port.
bool IsWanCandidate(const ICS_ADAPTER_INFO& entry)
{
    return Enabled(entry) && entry.dwAdapterType != ICS_ADAPTER_TYPE_WLATARNWELL &&
           entry.dwAdapterType != ICS_ADAPTER_TYPE_1394 && !IsBluetoothConnection(entry.szAdapterName) &&
           !IsVMport(entry.szAdapterName);
}

bool PortRefused(int port)
{
    const int winOS = VOZEZIV.WVWL_GetWinOS ? VOZEZIV.WVWL_GetWinOS() : VOZEZIV.nWinOS;
    if (winOS > 50)
        return port < 2;
    return port != 2 && port != 4;
}

// The connection name of the virtual access-point port, empty when unknown.
std::string VirtualPortConnectionName(int port)
{
    WLAN_ADAPTER record{};
    if (!VOZEZIV.WVWL_GetVMPortStatusByPort || VOZEZIV.WVWL_GetVMPortStatusByPort(&record, port) != 1)
        Application->MessageBox("In APClient Mode,Please disable in-built adapter", "Warning!", MB_OK);
    const std::string classIndex(record.Text128, strnlen(record.Text128, sizeof record.Text128));
    char name[128] = {};
    if (!classIndex.empty())
        GetConnectionNameByClassIndex(classIndex.c_str(), name);
    name[sizeof name - 1] = '\0';
    return name;
}

// Reads the library's adapter list into list; false when memory runs out. Only the entries
// the library says it filled, and never more than were allocated, are kept.
bool ReadAdapterList(std::vector<ICS_ADAPTER_INFO>& list)
{
    list.clear();
    if (!VOZEZIV.WVWL_GetAdaptersInfo)
        return true;
    const int claimed = VOZEZIV.WVWL_GetAdaptersInfo(0, nullptr, 1, kVirtualPortId);
    PrintMessage(6, " CWiFiDlg::GetAdapters() WVWL_GetAdaptersInfo count = %d\n", claimed);
    if (claimed <= 0)
        return true;
    try {
        list.assign(size_t(claimed), ICS_ADAPTER_INFO{});
    } catch (const std::bad_alloc&) {
        PrintMessage(2, " CWiFiDlg::GetAdapters() no memory for %d adapters\n", claimed);
        return false;
    }
    const int filled = VOZEZIV.WVWL_GetAdaptersInfo(claimed, list.data(), 1, kVirtualPortId);
    if (filled < claimed) {
        PrintMessage(3, " CWiFiDlg::GetAdapters() %d of %d adapters filled\n", filled, claimed);
        list.resize(size_t(filled > 0 ? filled : 0));
    }
    for (ICS_ADAPTER_INFO& entry : list)
        entry.szAdapterName[sizeof entry.szAdapterName - 1] = '\0';
    return true;
}

void FillWanList(TFrameExtendedAPConfig* page)
{
    page->cBoxWAN->Items().Clear();
    page->m_nCurAdapter = 0;
    bool matched = false;
    for (size_t i = 0; i < g_pAdaptersInfo.size(); ++i) {
        const ICS_ADAPTER_INFO& entry = g_pAdaptersInfo[i];
        if (!IsWanCandidate(entry))
            continue;
        char description[128] = {};
        GetDriverDescByConnectionName(entry.szAdapterName, description);
        description[sizeof description - 1] = '\0';
        const int item = page->cBoxWAN->Items().AddObject(description, reinterpret_cast<void*>(i));
        PrintMessage(6, " CWiFiDlg::GetAdapters() WAN item %d: %s\n", item, description);
        if (pCurWanAdapter && SameWan(*pCurWanAdapter, entry)) {
            page->m_nCurAdapter = item;
            matched = true;
        }
        ICSMGR_ADAPTER_INFO identity{};
        if (CWiFiDlg::GetICSMGRAdaptersInfo(entry.szAdapterName, &identity) != 0)
            continue;
        identity.AdapterName[sizeof identity.AdapterName - 1] = '\0';
        if (CWiFiDlg::IsConnectToInternet(identity.AdapterName) && !matched)
            page->m_nCurAdapter = item;
    }
}

struct SHARING_JOB {
    ICS_ADAPTER_INFO wan;
    ICS_ADAPTER_INFO lan;
    HWND notifyWindow;
};

// The worker owns its copies of both sides, so later enumerations cannot change them.
void __cdecl ExecuteEnableICSThread(void* argument)
{
    std::unique_ptr<SHARING_JOB> job(static_cast<SHARING_JOB*>(argument));
    if (VOZEZIV.WVWL_IsEnableICS()) {
        VOZEZIV.WVWL_DisableDhcpServer();
        const int result = VOZEZIV.WVWL_DisableICS();
        PrintMessage(6, " ExecuteEnableICSThread : VOZEZIV.WVWL_DisableICS() return = %d\n", result);
    } else {
        const int result = VOZEZIV.WVWL_DisableDhcpServer();
        PrintMessage(6, " ExecuteEnableICSThread : VOZEZIV.WVWL_DisableDhcpServer() return = %d\n", result);
    }
    PrintMessage(6, " ExecuteEnableICSThread pCurWanAdapter = %s, g_pLanAdapter = %s\n", job->wan.szAdapterName,
                 job->lan.szAdapterName);
    VOZEZIV.WVWL_EnableICS(&job->wan, &job->lan, 1, 0);
    seams::Sleep(kSharingSettleMs);
    _beginthread(EnableDHCPThread, 0, nullptr);
    PostMessageA(job->notifyWindow, MSG_EXTAP_ICS_DONE, 0, 0);
}

} // namespace

void ResetIcsState()
{
    g_pAdaptersInfo.clear();
    g_pLanAdapter.reset();
    pWanAdapter.reset();
    pCurWanAdapter.reset();
}

int CWiFiDlg::GetAdapters(TFrameExtendedAPConfig* page, int port)
{
    PrintMessage(6, " --> CWiFiDlg::GetAdapters()\n");
    if (PortRefused(port)) {
        PrintMessage(6, " CWiFiDlg::GetAdapters() port %d refused\n", port);
        return 12;
    }
    const std::string lanDescription = VirtualPortConnectionName(port);
    PrintMessage(6, " CWiFiDlg::GetAdapters() LAN description = %s\n", lanDescription.c_str());

    std::vector<ICS_ADAPTER_INFO> list;
    if (!ReadAdapterList(list))
        return 3;
    g_pAdaptersInfo = std::move(list);

    int usable = 0;
    bool wanFound = false, lanFound = false;
    for (const ICS_ADAPTER_INFO& entry : g_pAdaptersInfo) {
        if (!Enabled(entry) || entry.dwAdapterType == ICS_ADAPTER_TYPE_1394 ||
            IsBluetoothConnection(entry.szAdapterName))
            continue;
        if (entry.dwAdapterType == ICS_ADAPTER_TYPE_WLATARNWELL) {
            ++usable;
            if (lanDescription == entry.szAdapterName || !g_pLanAdapter || lanDescription.empty())
                g_pLanAdapter = entry;
            if (entry.dwAdapterStatus & ICS_ADAPTER_STATUS_ICS_LAN)
                lanFound = true;
            continue;
        }
        if (IsVMport(entry.szAdapterName))
            continue;
        ++usable;
        if (entry.dwAdapterStatus & ICS_ADAPTER_STATUS_WAN_FOUND)
            wanFound = true;
    }
    PrintMessage(6, " CWiFiDlg::GetAdapters() usable = %d, WAN found = %d, LAN found = %d\n", usable, int(wanFound),
                 int(lanFound));
    if (usable < 2)
        return 1;
    if (wanFound && !lanFound)
        return 0;
    if (!g_pLanAdapter)
        return 18;
    if (page)
        FillWanList(page);
    return 0;
}

bool StartConnectionSharing(TFrameExtendedAPConfig* page, HWND notifyWindow)
{
    PrintMessage(6, " --> TFrameExtendedAPConfig::BtnApplyClick: pCurWanAdapter = %s, pWanAdapter = %s\n",
                 NameOf(pCurWanAdapter), NameOf(pWanAdapter));
    if (pCurWanAdapter && pWanAdapter && SameWan(*pCurWanAdapter, *pWanAdapter))
        return false;
    if (!pWanAdapter || !g_pLanAdapter) {
        PrintMessage(3, " TFrameExtendedAPConfig::BtnApplyClick: no %s side to share, sharing left as it is\n",
                     pWanAdapter ? "LAN" : "WAN");
        return false;
    }
    const std::optional<ICS_ADAPTER_INFO> previous = pCurWanAdapter;
    pCurWanAdapter = pWanAdapter;
    auto* job = new SHARING_JOB{*pCurWanAdapter, *g_pLanAdapter, notifyWindow};
    page->BtnApply->SetEnabled(false);
    if (_beginthread(ExecuteEnableICSThread, 0, job) == uintptr_t(-1)) {
        PrintMessage(2, " TFrameExtendedAPConfig::BtnApplyClick: sharing worker not started\n");
        delete job;
        pCurWanAdapter = previous;
        page->BtnApply->SetEnabled(true);
        return false;
    }
    return true;
}
