// The network list road on the simulated adapter library: scan, query, merge, sort, rows,
// with the library's entries fetched by name as the program fetches them.
#include <gtest/gtest.h>
#include <atomic>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <vector>
#include "mainwindow/LinkStatus.h"
#include "mainwindow/NetList.h"
#include "wlapi/bsslist.h"
#include "wlapi/result.h"

namespace {

std::atomic<int> g_scans{0};
void __stdcall ScanFinished() { ++g_scans; }
void __stdcall Callback(int, const void*, int) {}

const char* kScene = R"(
[System]
WinOS=41
ScanTimeMs=50
StateFile=none

[Adapter.1]
DevDesc=Test Adapter

[Network.Home]
SSID=HomeNet
BSSID=02:00:00:00:00:02
Channel=6
RSSI=-40
Security=wpa2-psk
Passphrase=correct horse
WPS=1
HT=1

[Network.Open]
SSID=OpenNet
BSSID=02:00:00:00:00:01
Channel=1
RSSI=-70
)";

class NetListOnSimulator : public testing::Test {
protected:
    void SetUp() override
    {
        m_dll = LoadLibraryA("VoZEZIV.dll");
        ASSERT_NE(m_dll, nullptr);
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        m_scene = std::string(temp) + "wevo_netlist_" + std::to_string(GetCurrentProcessId()) + ".ini";
        m_lib = std::make_unique<WVWLLIB>();
        Fetch(m_lib->WVWL_GetWinOS, "WVWL_GetWinOS");
        Fetch(m_lib->WVWL_FrequencyToChannel, "WVWL_FrequencyToChannel");
        Fetch(m_lib->WVWL_QueryWirelessMode, "WVWL_QueryWirelessMode");
        Fetch(m_lib->WVWL_ConvertPhyModeToAdHocMode, "WVWL_ConvertPhyModeToAdHocMode");
        Fetch(m_lib->WVWL_GetAvailableChannels, "WVWL_GetAvailableChannels");
        Fetch(m_lib->WVWL_CheckBssidRepositTime, "WVWL_CheckBssidRepositTime");
        Fetch(m_lib->WVWL_ParseInfoElement, "WVWL_ParseInfoElement");
        Fetch(m_lib->WVWL_SiteSurveyScan, "WVWL_SiteSurveyScan");
        Fetch(m_lib->WVWL_SiteSurveyQuery, "WVWL_SiteSurveyQuery");
        Fetch(m_lib->WVWL_GetAvailableAdapters, "WVWL_GetAvailableAdapters");
        Fetch(m_lib->WVWL_AdapterSelect, "WVWL_AdapterSelect");
        Fetch(m_lib->WVWL_QueryWLANStatus, "WVWL_QueryWLANStatus");
    }
    void TearDown() override
    {
        if (auto shutdown = reinterpret_cast<void (*)()>(reinterpret_cast<void*>(GetProcAddress(m_dll, "SimShutdown"))))
            shutdown();
        FreeLibrary(m_dll);
        DeleteFileA(m_scene.c_str());
    }
    template <class T>
    void Fetch(T& field, const char* name)
    {
        field = reinterpret_cast<T>(reinterpret_cast<void*>(GetProcAddress(m_dll, name)));
        ASSERT_NE(reinterpret_cast<void*>(field), nullptr) << name;
    }
    void Start(const std::string& scenarioPath)
    {
        auto load = reinterpret_cast<int (*)(const char*)>(reinterpret_cast<void*>(GetProcAddress(m_dll, "SimLoadScenario")));
        ASSERT_NE(load, nullptr);
        ASSERT_EQ(load(scenarioPath.c_str()), 1) << scenarioPath;
        m_lib->nWinOS = m_lib->WVWL_GetWinOS();
        m_lib->nRepositBssidBufSize = BssidListBufferSize(*m_lib);
        m_repository.assign(m_lib->nRepositBssidBufSize, 0);
        m_lib->pRepositBssidList = m_repository.data();
        std::vector<BYTE> adapters(4 + sizeof(WLAN_ADAPTER));
        ASSERT_EQ(m_lib->WVWL_GetAvailableAdapters(adapters.data(), 1), WVWL_ERROR_SUCCESS);
        std::memcpy(&m_lib->selectedAdapter, adapters.data() + 4, sizeof(WLAN_ADAPTER));
        ASSERT_EQ(m_lib->WVWL_AdapterSelect(&m_lib->selectedAdapter, Callback, nullptr), WVWL_ERROR_SUCCESS);
    }
    // Scans and reads the list into a window-sized buffer, as the site survey does.
    std::vector<BYTE> Scan()
    {
        const int before = g_scans;
        EXPECT_EQ(m_lib->WVWL_SiteSurveyScan(ScanFinished), WVWL_ERROR_SUCCESS);
        for (int i = 0; i < 500 && g_scans == before; ++i)
            Sleep(10);
        std::vector<BYTE> list(m_lib->nRepositBssidBufSize, 0);
        unsigned long size = static_cast<unsigned long>(list.size());
        EXPECT_EQ(m_lib->WVWL_SiteSurveyQuery(reinterpret_cast<NDIS_802_11_BSSID_LIST_EX*>(list.data()), &size),
                  WVWL_ERROR_SUCCESS);
        return list;
    }
    HMODULE m_dll = nullptr;
    std::string m_scene;
    std::unique_ptr<WVWLLIB> m_lib;
    std::vector<BYTE> m_repository;
};

TEST_F(NetListOnSimulator, ScanMergeSortAndRows)
{
    std::ofstream(m_scene) << kScene;
    Start(m_scene);
    std::vector<BYTE> list = Scan();
    UpdateRepositBssidList(*m_lib, list.data());
    SortBssidList(*m_lib, list.data(), static_cast<DWORD>(list.size()), bss::SortBySsid);
    const auto rows = BuildSiteSurveyRows(*m_lib, list.data(), static_cast<DWORD>(list.size()));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0]->strSsid, "HomeNet");
    EXPECT_EQ(rows[0]->strChannel, "6");
    EXPECT_TRUE(rows[0]->bSecured);
    EXPECT_TRUE(rows[0]->bWps);
    EXPECT_TRUE(rows[0]->b11n);
    EXPECT_EQ(rows[1]->strSsid, "OpenNet");
    EXPECT_EQ(rows[1]->strChannel, "1");
    EXPECT_FALSE(rows[1]->bSecured);

    const WLAN_STATUS status = QueryLinkStatus(*m_lib, LINK_QUERY_CONNECTION);
    EXPECT_FALSE(IsLinkShownConnected(status));
}

TEST_F(NetListOnSimulator, HostileListIsCutNotCrashedOn)
{
    Start("scenarios\\malformed.ini");
    std::vector<BYTE> list = Scan();
    EXPECT_TRUE(bss::WalkList(list.data(), list.size()).Cut());
    UpdateRepositBssidList(*m_lib, list.data());
    for (int sortBy = 0; sortBy < 3; ++sortBy)
        SortBssidList(*m_lib, list.data(), static_cast<DWORD>(list.size()), sortBy);
    const auto rows = BuildSiteSurveyRows(*m_lib, list.data(), static_cast<DWORD>(list.size()));
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows[0]->strSsid, "GoodNet");
    for (const auto& row : rows)
        EXPECT_LE(row->strSsid.size(), 32u);
    EXPECT_FALSE(bss::WalkList(m_repository.data(), m_repository.size()).Cut());
}

} // namespace
