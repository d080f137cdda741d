#include <gtest/gtest.h>
#include <winsock2.h>
#include <iphlpapi.h>
#include <netlistmgr.h>
#include <cstring>
#include <string>
#include <vector>
#include "core/NetConnLookup.h"

namespace {

const char* const kWifiGuid = "{11111111-2222-3333-4444-555555555555}";
const char* const kPortGuid = "{AAAAAAAA-2222-3333-4444-555555555555}";

// A private registry tree laid out like the machine's network registry.
class NetConnRegistry : public testing::Test {
protected:
    void SetUp() override
    {
        m_base = "Software\\WevoNetConnTest\\" + std::to_string(GetCurrentProcessId());
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, m_base.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &m_root,
                                  nullptr),
                  ERROR_SUCCESS);
        netconn::registryRoot = m_root;
        const std::string net = netconn::kConnectionsPath;
        const std::string cls = netconn::kAdapterClassPath;
        SetText(net + "\\" + kWifiGuid + "\\Connection", "Name", "Wireless Network Connection");
        SetText(net + "\\" + kWifiGuid + "\\Connection", "PnpInstanceID", "PCI\\VEN_1814&DEV_3090\\4&1");
        SetText(net + "\\{BBBBBBBB-2222-3333-4444-555555555555}\\Connection", "Name", "Bluetooth Network Connection");
        SetText(net + "\\" + kPortGuid + "\\Connection", "Name", "Local Area Connection* 12");
        SetText(net + "\\" + kPortGuid + "\\Connection", "PnpInstanceID",
                "{5D624F94-8850-40C3-A3FA-A4FD2080BAF3}\\VWIFIMP\\5&2");
        SetText(net + "\\{CCCCCCCC-2222-3333-4444-555555555555}\\Connection", "Other", "no name here");
        SetText(cls + "\\0000", "NetCfgInstanceId", "{99999999-2222-3333-4444-555555555555}");
        SetText(cls + "\\0000", "DriverDesc", "Some Wired Adapter");
        SetText(cls + "\\0007", "NetCfgInstanceId", kWifiGuid);
        SetText(cls + "\\0007", "DriverDesc", "Wevo Wireless Adapter");
        SetText(cls + "\\0008", "NetCfgInstanceId", kPortGuid);
        SetText(cls + "\\0009", "NetCfgInstanceId", std::string(300, 'L'));
    }
    void TearDown() override
    {
        netconn::registryRoot = HKEY_LOCAL_MACHINE;
        RegCloseKey(m_root);
        RegDeleteTreeA(HKEY_CURRENT_USER, m_base.c_str());
    }
    void SetText(const std::string& path, const char* name, const std::string& value)
    {
        HKEY key;
        ASSERT_EQ(RegCreateKeyExA(m_root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()), DWORD(value.size() + 1));
        RegCloseKey(key);
    }
    std::string m_base;
    HKEY m_root = nullptr;
};

TEST_F(NetConnRegistry, DriverDescriptionOfAConnection)
{
    char desc[128] = {};
    EXPECT_TRUE(GetDevDescFromNetName("Wireless Network Connection", desc));
    EXPECT_STREQ(desc, "Wevo Wireless Adapter");

    char other[128] = {};
    EXPECT_FALSE(GetDevDescFromNetName("wireless network connection", other));
    EXPECT_STREQ(other, "wireless network connection");

    char port[128] = {};
    EXPECT_FALSE(GetDevDescFromNetName("Local Area Connection* 12", port)); // class entry without DriverDesc
    EXPECT_STREQ(port, "Local Area Connection* 12");

    EXPECT_STREQ(GetDriverDescByConnectionName("Wireless Network Connection", desc) ? desc : "", "Wevo Wireless Adapter");
}

TEST_F(NetConnRegistry, ConnectionNameOfAnAdapterEntry)
{
    char name[128] = "unchanged";
    EXPECT_EQ(GetDevDescFromNetID("0007", name), 1);
    EXPECT_STREQ(name, "Wireless Network Connection");
    char missing[128] = "unchanged";
    EXPECT_EQ(GetDevDescFromNetID("0042", missing), 1);
    EXPECT_STREQ(missing, "unchanged");
    char tooLong[128] = "unchanged";
    EXPECT_EQ(GetConnectionNameByClassIndex("0009", tooLong), 1);
    EXPECT_STREQ(tooLong, "unchanged");
}

TEST_F(NetConnRegistry, BluetoothAndVirtualPortConnections)
{
    EXPECT_TRUE(IsBluetoothConnection("Bluetooth Network Connection"));
    EXPECT_FALSE(IsBluetoothConnection("Wireless Network Connection"));
    EXPECT_TRUE(IsVMport("Local Area Connection* 12"));
    EXPECT_FALSE(IsVMport("Wireless Network Connection"));
    EXPECT_FALSE(IsVMport("local area connection* 12"));
}

TEST_F(NetConnRegistry, RegistryReadResults)
{
    char sub[256];
    EXPECT_EQ(ReadRegistrySubKey(m_root, "No\\Such\\Key", 0, sub), -4);
    EXPECT_EQ(ReadRegistrySubKey(m_root, netconn::kAdapterClassPath, 0, sub), 1);
    EXPECT_EQ(ReadRegistrySubKey(m_root, netconn::kAdapterClassPath, 40, sub), -5);

    const std::string entry = std::string(netconn::kAdapterClassPath) + "\\0009";
    DWORD type = 0;
    BYTE data[64 + 16];
    std::memset(data, 0xCD, sizeof data);
    DWORD size = 64;
    EXPECT_EQ(ReadRegistryValue(m_root, "No\\Such\\Key", "NetCfgInstanceId", &type, data, &size), -4);
    size = 64;
    EXPECT_EQ(ReadRegistryValue(m_root, entry.c_str(), "Missing", &type, data, &size), -5);
    size = 64;
    EXPECT_EQ(ReadRegistryValue(m_root, entry.c_str(), "NetCfgInstanceId", &type, data, &size), -5);
    for (int i = 64; i < 80; ++i)
        EXPECT_EQ(data[i], 0xCD) << "byte past the buffer written at " << i;

    const std::string wifi = std::string(netconn::kAdapterClassPath) + "\\0007";
    size = 64;
    EXPECT_EQ(ReadRegistryValue(m_root, wifi.c_str(), "DriverDesc", &type, data, &size), 1);
    EXPECT_EQ(type, DWORD(REG_SZ));
    EXPECT_STREQ(reinterpret_cast<char*>(data), "Wevo Wireless Adapter");
}

TEST_F(NetConnRegistry, MissingTreeFindsNothing)
{
    HKEY empty;
    const std::string path = m_base + "\\Empty";
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &empty, nullptr),
              ERROR_SUCCESS);
    netconn::registryRoot = empty;
    char desc[128] = {};
    EXPECT_FALSE(GetDevDescFromNetName("Bluetooth Network Connection", desc));
    EXPECT_TRUE(IsBluetoothConnection("Bluetooth Network Connection"));
    EXPECT_FALSE(IsVMport("Local Area Connection* 12"));
    RegCloseKey(empty);
}

TEST(NetConnInternet, ConnectivityAndTheInternetLatch)
{
    bool latch = false;
    EXPECT_FALSE(ConnectivityCountsAsInternet(NLM_CONNECTIVITY_DISCONNECTED, latch));
    EXPECT_FALSE(ConnectivityCountsAsInternet(NLM_CONNECTIVITY_IPV4_NOTRAFFIC, latch));
    EXPECT_TRUE(ConnectivityCountsAsInternet(NLM_CONNECTIVITY_IPV4_LOCALNETWORK, latch));
    EXPECT_FALSE(latch);
    EXPECT_TRUE(ConnectivityCountsAsInternet(NLM_CONNECTIVITY_IPV4_INTERNET | NLM_CONNECTIVITY_IPV4_LOCALNETWORK, latch));
    EXPECT_TRUE(latch);
    EXPECT_FALSE(ConnectivityCountsAsInternet(NLM_CONNECTIVITY_IPV6_LOCALNETWORK, latch));
    EXPECT_TRUE(ConnectivityCountsAsInternet(NLM_CONNECTIVITY_IPV6_INTERNET, latch));
}

TEST(NetConnInternet, UnknownAdapterHasNoInternet)
{
    EXPECT_FALSE(CWiFiDlg::IsConnectToInternet("{00000000-0000-0000-0000-000000000000}"));
}

TEST(NetConnAdapters, UnknownNameLeavesTheRecord)
{
    ICSMGR_ADAPTER_INFO record;
    std::memset(&record, 0x5A, sizeof record);
    EXPECT_EQ(CWiFiDlg::GetICSMGRAdaptersInfo("No Such Connection 42", &record), 4);
    for (size_t i = 0; i < sizeof record; ++i)
        ASSERT_EQ(reinterpret_cast<BYTE*>(&record)[i], 0x5A);
}

TEST(NetConnAdapters, KnownNameGivesAdapterNameAndIndex)
{
    ULONG size = 0;
    GetAdaptersAddresses(AF_UNSPEC, 0, nullptr, nullptr, &size);
    std::vector<BYTE> buffer(size ? size : 1);
    auto* list = reinterpret_cast<IP_ADAPTER_ADDRESSES*>(buffer.data());
    if (size == 0 || GetAdaptersAddresses(AF_UNSPEC, 0, nullptr, list, &size) != NO_ERROR)
        GTEST_SKIP() << "no adapters on this machine";
    char friendly[256] = {};
    WideCharToMultiByte(CP_ACP, 0, list->FriendlyName, -1, friendly, 255, nullptr, nullptr);
    ICSMGR_ADAPTER_INFO record{};
    record.Reserved = 77;
    ASSERT_EQ(CWiFiDlg::GetICSMGRAdaptersInfo(friendly, &record), 0) << friendly;
    EXPECT_STREQ(record.AdapterName, list->AdapterName);
    EXPECT_EQ(record.IfIndex, list->IfIndex);
    EXPECT_EQ(record.Reserved, 77u);
}

} // namespace
