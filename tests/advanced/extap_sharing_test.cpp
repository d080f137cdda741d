// Connection sharing of the access point: the WAN list built from the library's adapter
// list, the decision in Apply whether to (re)start sharing, and the worker that does it.
#include <windows.h>

#include <string>
#include <vector>

#include "advanced/IcsSharing.h"
#include "core/NetConnLookup.h"
#include "extap_fixture.h"
#include "../ui/UiTestSupport.h"

namespace {

const char* const kWifiGuid = "{11111111-2222-3333-4444-555555555555}";
const char* const kEthGuid = "{22222222-2222-3333-4444-555555555555}";
const char* const kPortGuid = "{33333333-2222-3333-4444-555555555555}";

std::vector<std::string> Adapter(int n, const std::string& name, int type, int status)
{
    return Section("ICS." + std::to_string(n),
                   {"Name=" + name, "Type=" + std::to_string(type), "Status=" + std::to_string(status)});
}

std::vector<std::string> Join(std::initializer_list<std::vector<std::string>> parts)
{
    std::vector<std::string> all;
    for (const auto& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

class ExtAPSharing : public ExtAPFixture {
protected:
    void TearDown() override
    {
        if (m_root) {
            netconn::registryRoot = HKEY_LOCAL_MACHINE;
            RegCloseKey(m_root);
            RegDeleteTreeA(HKEY_CURRENT_USER, m_base.c_str());
        }
        ExtAPFixture::TearDown();
    }

    // A private registry tree: the access point's own connection behind the virtual port's
    // class entry "0012", a wired adapter with its description, and the virtual port itself.
    void UseRegistry()
    {
        m_base = "Software\\WevoExtAPTest\\" + std::to_string(GetCurrentProcessId());
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, m_base.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &m_root,
                                  nullptr),
                  ERROR_SUCCESS);
        netconn::registryRoot = m_root;
        const std::string net = netconn::kConnectionsPath;
        const std::string cls = netconn::kAdapterClassPath;
        SetText(net + "\\" + kWifiGuid + "\\Connection", "Name", "Wireless Network Connection 2");
        SetText(net + "\\" + kEthGuid + "\\Connection", "Name", "Local Area Connection");
        SetText(net + "\\" + kPortGuid + "\\Connection", "Name", "Local Area Connection* 12");
        SetText(net + "\\" + kPortGuid + "\\Connection", "PnpInstanceID",
                "{5D624F94-8850-40C3-A3FA-A4FD2080BAF3}\\VWIFIMP\\5&2");
        SetText(cls + "\\0012", "NetCfgInstanceId", kWifiGuid);
        SetText(cls + "\\0000", "NetCfgInstanceId", kEthGuid);
        SetText(cls + "\\0000", "DriverDesc", "Gigabit Ethernet Controller");
    }
    void SetText(const std::string& path, const char* name, const std::string& value)
    {
        HKEY key;
        ASSERT_EQ(RegCreateKeyExA(m_root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()), DWORD(value.size() + 1));
        RegCloseKey(key);
    }

    TFrameExtendedAPConfig* Page() const { return FormExtendedAP->FrameExtendedAPConfig; }

    std::vector<std::string> WanItems() const
    {
        std::vector<std::string> items;
        for (int i = 0; i < Page()->cBoxWAN->Items().Count(); ++i)
            items.push_back(Page()->cBoxWAN->Items().Strings(i));
        return items;
    }

    // Opens the window and applies a valid setting with this WAN item chosen (-1: none); waits
    // until a started worker has ended.
    void ApplyWith(int wanItem)
    {
        FormExtendedAP->Show();
        Page()->editSSID->SetText("Mine");
        Page()->editPSKKey->SetText("12345678");
        Page()->editClientNumber->SetText("8");
        Page()->cBoxWAN->SetItemIndex(wanItem);
        const int dhcp = SimCallCount("WVWL_EnableDhcpServer");
        const int shared = SimCallCount("WVWL_EnableICS");
        ClickControl(Page()->BtnApply);
        // A started worker holds Apply until it has shared, and starts the DHCP server last; it
        // can have ended while the click was being delivered.
        if (!Page()->BtnApply->Enabled() || SimCallCount("WVWL_EnableICS") > shared) {
            ASSERT_TRUE(PumpUntil([this] { return Page()->BtnApply->Enabled(); }));
            ASSERT_TRUE(PumpUntil([&] { return SimCallCount("WVWL_EnableDhcpServer") > dhcp; }));
        }
    }

    std::string m_base;
    HKEY m_root = nullptr;
};

TEST_F(ExtAPSharing, TheWanListHoldsOnlyEnabledOtherAdaptersUnderTheirDescriptions)
{
    UseRegistry();
    Start(Join({Adapter(1, "Wireless Network Connection", 0, 1), Adapter(2, "Wireless Network Connection 2", 0, 1),
                Adapter(3, "Local Area Connection", 1, 1), Adapter(4, "FireWire Connection", 5, 1),
                Adapter(5, "Bluetooth Network Connection", 1, 1), Adapter(6, "Local Area Connection* 12", 1, 1),
                Adapter(7, "Disabled Connection", 1, 0), Adapter(8, "Mobile Broadband", 7, 1)}));

    FormExtendedAP->Show();

    EXPECT_EQ(WanItems(), (std::vector<std::string>{"Gigabit Ethernet Controller", "Mobile Broadband"}));
    EXPECT_EQ(Page()->cBoxWAN->ItemIndex(), 0);
    // Each item carries its place in the library's list.
    EXPECT_EQ(reinterpret_cast<size_t>(Page()->cBoxWAN->Items().Objects(1)), 7u);
    // The LAN side is the adapter behind the virtual port's class entry.
    ASSERT_TRUE(g_pLanAdapter);
    EXPECT_STREQ(g_pLanAdapter->szAdapterName, "Wireless Network Connection 2");
    const std::vector<std::string> port = Calls("WVWL_GetVMPortStatusByPort");
    ASSERT_EQ(port.size(), 1u);
    EXPECT_EQ(port[0], "WVWL_GetVMPortStatusByPort(2) -> 1");
    EXPECT_TRUE(m_boxes.empty());
}

TEST_F(ExtAPSharing, TheListStaysWhenTooFewAdaptersAreUsableOrAWanIsNotYetShared)
{
    Start(Join({Adapter(1, "Wireless Network Connection", 0, 1), Adapter(2, "Ethernet", 1, 1)}));
    FormExtendedAP->Show();
    EXPECT_EQ(WanItems(), std::vector<std::string>{"Ethernet"});  // the access point's own and one Ethernet
    EXPECT_EQ(CWiFiDlg::GetAdapters(Page(), 2), 0);

    SimCommand("inject WVWL_GetAdaptersInfo * 1");  // the library now lists only one adapter
    EXPECT_EQ(CWiFiDlg::GetAdapters(Page(), 2), 1);
    EXPECT_EQ(WanItems(), std::vector<std::string>{"Ethernet"});
}

TEST_F(ExtAPSharing, PortsAreCheckedByWindowsVersionAndTheVirtualPortWarns)
{
    Start(Join({Section("System", {"WinOS=41"}), Section("Driver", {"VMPortAvailable=0"}),
                Adapter(1, "Wireless Network Connection", 0, 1), Adapter(2, "Ethernet", 1, 1)}));
    EXPECT_EQ(CWiFiDlg::GetAdapters(Page(), 3), 12);
    EXPECT_TRUE(m_boxes.empty());
    EXPECT_EQ(CWiFiDlg::GetAdapters(Page(), 4), 0);
    ASSERT_EQ(m_boxes.size(), 1u);
    EXPECT_EQ(m_boxes[0], "In APClient Mode,Please disable in-built adapter");
}

TEST_F(ExtAPSharing, ApplyStartsSharingOncePerWanAndAgainForAnotherOne)
{
    Start(Join({Adapter(1, "Wireless Network Connection", 0, 1), Adapter(2, "Local Area Connection", 1, 1),
                Adapter(3, "Local Area Connection 2", 1, 1), Adapter(4, "Ethernet 3", 1, 1)}));

    ApplyWith(0);
    EXPECT_EQ(Calls("WVWL_EnableICS"),
              std::vector<std::string>{"WVWL_EnableICS(Local Area Connection | Wireless Network Connection 1 0) -> 1"});
    EXPECT_TRUE(Calls("WVWL_DisableICS").empty());  // sharing was off: only the DHCP server is stopped
    EXPECT_FALSE(Calls("WVWL_DisableDhcpServer").empty());
    EXPECT_EQ(Calls("WVWL_EnableDhcpServer"), std::vector<std::string>{"WVWL_EnableDhcpServer(1) -> 1"});

    // The same WAN, and one whose name shares its first four bytes, change nothing.
    SimJournalClear();
    ApplyWith(0);
    ApplyWith(1);
    EXPECT_TRUE(Calls("WVWL_EnableICS").empty());
    EXPECT_EQ(Calls("WVWL_HostedNetworkSetup").size(), 2u);

    // Another WAN: sharing is stopped and started again for it.
    ApplyWith(2);
    EXPECT_EQ(Calls("WVWL_DisableICS").size(), 1u);
    EXPECT_EQ(Calls("WVWL_EnableICS"),
              std::vector<std::string>{"WVWL_EnableICS(Ethernet 3 | Wireless Network Connection 1 0) -> 1"});
    ASSERT_TRUE(pCurWanAdapter);
    EXPECT_STREQ(pCurWanAdapter->szAdapterName, "Ethernet 3");

    // Shown again, the list preselects the WAN that sharing runs for.
    FormExtendedAP->Show();
    EXPECT_EQ(Page()->cBoxWAN->ItemIndex(), 2);
}

TEST_F(ExtAPSharing, ApplyWithoutAWanStartsTheAccessPointButSharesNothing)
{
    Start(Join({Adapter(1, "Wireless Network Connection", 0, 1)}));
    ApplyWith(-1);
    EXPECT_EQ(Calls("WVWL_HostedNetworkSetup").size(), 1u);
    EXPECT_TRUE(Calls("WVWL_EnableICS").empty());
    EXPECT_TRUE(Page()->BtnApply->Enabled());
    EXPECT_FALSE(pCurWanAdapter);
}

TEST_F(ExtAPSharing, AHostileAdapterCountNeverReadsPastWhatWasFilled)
{
    // The counting call claims 40 more adapters than the list holds; the filling call too.
    Start(Join({Section("ICSList", {"CountExtra=40"}), Adapter(1, "Wireless Network Connection", 0, 1),
                Adapter(2, "Ethernet", 1, 1)}));
    FormExtendedAP->Show();
    EXPECT_EQ(WanItems(), std::vector<std::string>{"Ethernet"});
    EXPECT_EQ(g_pAdaptersInfo.size(), 42u);  // the unfilled entries stay zero: not enabled

    // A negative count from the filling call of the next enumeration.
    SimCommand("inject WVWL_GetAdaptersInfo " + std::to_string(SimCallCount("WVWL_GetAdaptersInfo") + 2) + " -7");
    EXPECT_EQ(CWiFiDlg::GetAdapters(Page(), 2), 1);
    EXPECT_TRUE(g_pAdaptersInfo.empty());
}

}  // namespace
