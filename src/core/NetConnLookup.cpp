#include "core/NetConnLookup.h"

#include <winsock2.h>
#include <iphlpapi.h>
#include <netlistmgr.h>
#include <objbase.h>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include "core/Log.h"

namespace netconn {
HKEY registryRoot = HKEY_LOCAL_MACHINE;
const char* const kConnectionsPath =
    "SYSTEM\\CurrentControlSet\\Control\\Network\\{4D36E972-E325-11CE-BFC1-08002BE10318}";
const char* const kAdapterClassPath =
    "SYSTEM\\CurrentControlSet\\Control\\Class\\{4D36E972-E325-11CE-BFC1-08002bE10318}";
const char* const kVirtualWiFiPortId = "{5D624F94-8850-40C3-A3FA-A4FD2080BAF3}\\VWIFIMP";
} // namespace netconn

namespace {

constexpr DWORD kSubKeySize = 256;
constexpr DWORD kValueSize = 128;

// Closes a registry key on scope exit.
struct RegKey {
    HKEY key = nullptr;
    ~RegKey()
    {
        if (key)
            RegCloseKey(key);
    }
};

// Reads a text value into out (kValueSize bytes), always terminated. 1 on success.
int ReadText(const std::string& path, const char* valueName, char* out)
{
    char buffer[kValueSize + 1] = {};
    DWORD type = 0;
    DWORD size = kValueSize;
    const int result =
        ReadRegistryValue(netconn::registryRoot, path.c_str(), valueName, &type, reinterpret_cast<BYTE*>(buffer), &size);
    if (result != 1)
        return result;
    if (type != REG_SZ && type != REG_EXPAND_SZ)
        return -5;
    buffer[kValueSize - 1] = 0;
    std::memcpy(out, buffer, kValueSize);
    return 1;
}

std::string ConnectionKey(const char* subKey)
{
    return std::string(netconn::kConnectionsPath) + "\\" + subKey + "\\Connection";
}

std::string AdapterKey(const char* subKey)
{
    return std::string(netconn::kAdapterClassPath) + "\\" + subKey;
}

// Releases a COM interface on scope exit.
template <class T>
struct ComRef {
    T* p = nullptr;
    ~ComRef()
    {
        if (p)
            p->Release();
    }
};

bool g_internetLatch = false;

} // namespace

int ReadRegistrySubKey(HKEY root, const char* path, DWORD index, char* name)
{
    RegKey key;
    if (RegOpenKeyExA(root, path, 0, KEY_READ, &key.key) != ERROR_SUCCESS)
        return -4;
    DWORD length = kSubKeySize;
    if (RegEnumKeyExA(key.key, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        return -5;
    return 1;
}

int ReadRegistryValue(HKEY root, const char* path, const char* valueName, DWORD* type, BYTE* data, DWORD* size)
{
    RegKey key;
    if (RegOpenKeyExA(root, path, 0, KEY_READ, &key.key) != ERROR_SUCCESS)
        return -4;
    const DWORD capacity = *size;
    if (RegQueryValueExA(key.key, valueName, nullptr, type, data, size) == ERROR_SUCCESS)
        return 1;
    // One more try, with the caller's buffer and its own size: a value that did not fit is not
    // read into a buffer it would overrun.
    *size = capacity;
    if (RegQueryValueExA(key.key, valueName, nullptr, type, data, size) == ERROR_SUCCESS)
        return 1;
    *size = 0;
    return -5;
}

bool GetDevDescFromNetName(const char* name, char* description)
{
    bool found = false;
    char subKey[kSubKeySize];
    for (DWORD i = 0; !found && ReadRegistrySubKey(netconn::registryRoot, netconn::kConnectionsPath, i, subKey) == 1;
         ++i) {
        char connection[kValueSize];
        if (ReadText(ConnectionKey(subKey), "Name", connection) != 1 || std::strcmp(connection, name) != 0)
            continue;
        char adapter[kSubKeySize];
        for (DWORD j = 0;
             !found && ReadRegistrySubKey(netconn::registryRoot, netconn::kAdapterClassPath, j, adapter) == 1; ++j) {
            char instance[kValueSize];
            if (ReadText(AdapterKey(adapter), "NetCfgInstanceId", instance) != 1 || std::strcmp(instance, subKey) != 0)
                continue;
            found = ReadText(AdapterKey(adapter), "DriverDesc", description) == 1;
        }
    }
    if (description[0] == 0) {
        std::strncpy(description, name, kValueSize - 1);
        description[kValueSize - 1] = 0;
    }
    return found;
}

int GetDevDescFromNetID(const char* classIndex, char* connectionName)
{
    char instance[kValueSize];
    if (ReadText(AdapterKey(classIndex), "NetCfgInstanceId", instance) == 1)
        ReadText(ConnectionKey(instance), "Name", connectionName);
    return 1;
}

bool IsBluetoothConnection(const char* name)
{
    char description[512] = {};
    GetDevDescFromNetName(name, description);
    for (char* c = description; *c; ++c)
        *c = static_cast<char>(std::toupper(static_cast<unsigned char>(*c)));
    return std::strstr(description, "BLUETOOTH") != nullptr;
}

bool IsVMport(const char* name)
{
    bool found = false;
    char subKey[kSubKeySize];
    for (DWORD i = 0; !found && ReadRegistrySubKey(netconn::registryRoot, netconn::kConnectionsPath, i, subKey) == 1;
         ++i) {
        const std::string path = ConnectionKey(subKey);
        char connection[kValueSize];
        if (ReadText(path, "Name", connection) != 1)
            continue;
        PrintMessage(6, "[WiFi] IsVMport:: szSubKey = %s\n", path.c_str());
        const int order = std::strcmp(connection, name);
        if (order != 0) {
            PrintMessage(6, "[WiFi] IsVMport::  %d = strcmp(%s, %s)\n ", order < 0 ? -1 : 1, connection, name);
            continue;
        }
        PrintMessage(6, "[WiFi] IsVMport:: Name = szDevName = %s\n", name);
        char pnpId[kValueSize];
        if (ReadText(path, "PnpInstanceID", pnpId) != 1)
            continue;
        PrintMessage(6, "[WiFi] IsVMport:: PnpInstanceID = %s\n", pnpId);
        found = std::strstr(pnpId, netconn::kVirtualWiFiPortId) != nullptr;
    }
    return found;
}

int CWiFiDlg::GetICSMGRAdaptersInfo(const char* name, ICSMGR_ADAPTER_INFO* record)
{
    PrintMessage(6, "[WiFi] --> CWiFiDlg::GetICSMGRAdaptersInfo\n");
    ULONG size = 0;
    ULONG result = GetAdaptersAddresses(AF_UNSPEC, 0, nullptr, nullptr, &size);
    PrintMessage(6, "[WiFi] <-- CWiFiDlg::GetICSMGRAdaptersInfo, GetAdaptersAddresses return = %d\n", int(result));
    std::unique_ptr<BYTE[]> buffer;
    if (result == ERROR_BUFFER_OVERFLOW) {
        buffer.reset(new (std::nothrow) BYTE[size]);
        if (buffer) {
            result = GetAdaptersAddresses(AF_UNSPEC, 0, nullptr,
                                          reinterpret_cast<IP_ADAPTER_ADDRESSES*>(buffer.get()), &size);
            PrintMessage(6, "[WiFi] <-- CWiFiDlg::GetICSMGRAdaptersInfo, GetAdaptersAddresses 2nd return = %d\n",
                         int(result));
        }
    }
    int answer = 4;
    if (buffer && result == NO_ERROR) {
        for (auto* a = reinterpret_cast<IP_ADAPTER_ADDRESSES*>(buffer.get()); a; a = a->Next) {
            char friendly[256] = {};
            if (a->FriendlyName)
                WideCharToMultiByte(CP_ACP, 0, a->FriendlyName, -1, friendly, 255, nullptr, nullptr);
            if (std::strcmp(friendly, name) != 0)
                continue;
            std::strncpy(record->AdapterName, a->AdapterName ? a->AdapterName : "", sizeof record->AdapterName - 1);
            record->AdapterName[sizeof record->AdapterName - 1] = 0;
            record->IfIndex = a->IfIndex;
            answer = 0;
            break;
        }
    }
    PrintMessage(6, "[WiFi] <-- CWiFiDlg::GetICSMGRAdaptersInfo, return = %d\n", answer);
    return answer;
}

bool ConnectivityCountsAsInternet(DWORD flags, bool& latch)
{
    bool found = false;
    if (flags == 0)
        PrintMessage(6, "[WiFi] IsConnectToInternet = NLM_CONNECTIVITY_DISCONNECTED\n");
    if (flags & NLM_CONNECTIVITY_IPV4_NOTRAFFIC)
        PrintMessage(6, "[WiFi] IsConnectToInternet = NLM_CONNECTIVITY_IPV4_NOTRAFFIC\n");
    if (flags & NLM_CONNECTIVITY_IPV4_INTERNET) {
        PrintMessage(6, "[WiFi] IsConnectToInternet = NLM_CONNECTIVITY_IPV4_INTERNET\n");
        found = latch = true;
    }
    if (flags & NLM_CONNECTIVITY_IPV6_INTERNET) {
        PrintMessage(6, "[WiFi] IsConnectToInternet = NLM_CONNECTIVITY_IPV6_INTERNET\n");
        found = latch = true;
    }
    if (flags & NLM_CONNECTIVITY_IPV4_LOCALNETWORK) {
        PrintMessage(6, "[WiFi] IsConnectToInternet = NLM_CONNECTIVITY_IPV4_LOCALNETWORK\n");
        if (!latch)
            found = true;
    }
    if (flags & NLM_CONNECTIVITY_IPV6_LOCALNETWORK) {
        PrintMessage(6, "[WiFi] IsConnectToInternet = NLM_CONNECTIVITY_IPV6_LOCALNETWORK\n");
        if (!latch)
            found = true;
    }
    return found;
}

bool CWiFiDlg::IsConnectToInternet(const char* guid)
{
    PrintMessage(6, "[WiFi] --> IsConnectToInternet : szNetConnectionGUID = %s\n", guid);
    const HRESULT init = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    bool found = false;
    {
        ComRef<INetworkListManager> manager;
        ComRef<IEnumNetworkConnections> connections;
        if (SUCCEEDED(CoCreateInstance(__uuidof(NetworkListManager), nullptr, CLSCTX_ALL,
                                       __uuidof(INetworkListManager), reinterpret_cast<void**>(&manager.p))) &&
            SUCCEEDED(manager.p->GetNetworkConnections(&connections.p)) && connections.p) {
            while (!found) {
                ComRef<INetworkConnection> connection;
                ULONG fetched = 0;
                if (connections.p->Next(1, &connection.p, &fetched) != S_OK || fetched != 1)
                    break;
                GUID id;
                if (FAILED(connection.p->GetAdapterId(&id)))
                    continue;
                char text[64];
                std::snprintf(text, sizeof text, "{%08lX-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                              static_cast<unsigned long>(id.Data1), id.Data2, id.Data3, id.Data4[0], id.Data4[1],
                              id.Data4[2], id.Data4[3], id.Data4[4], id.Data4[5], id.Data4[6], id.Data4[7]);
                if (std::strcmp(text, guid) != 0)
                    continue;
                NLM_CONNECTIVITY connectivity;
                if (SUCCEEDED(connection.p->GetConnectivity(&connectivity)))
                    found = ConnectivityCountsAsInternet(DWORD(connectivity), g_internetLatch);
            }
        }
    }
    if (SUCCEEDED(init))
        CoUninitialize();
    PrintMessage(6, "[WiFi] <-- IsConnectToInternet, bFind = %d\n", found ? 1 : 0);
    return found;
}
