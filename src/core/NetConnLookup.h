#pragma once
// Questions about the computer's network connections, for the software access point: the
// registry of network adapters, the IP helper's adapter list and the Network List Manager.
// They change nothing; every log line is at level 6.

#include <windows.h>
#include <cstddef>

namespace netconn {
// Root under which the two registry trees below are read; HKEY_LOCAL_MACHINE unless a test
// points it at a fixture.
extern HKEY registryRoot;
// "SYSTEM\CurrentControlSet\Control\Network\{...}" and "...\Control\Class\{...}".
extern const char* const kConnectionsPath;
extern const char* const kAdapterClassPath;
// Plug-and-play id part of the operating system's virtual Wi-Fi miniport.
extern const char* const kVirtualWiFiPortId;
} // namespace netconn

// Subkey `index` of root\path into name (256 bytes). 1, -4 key not opened, -5 no such subkey.
int ReadRegistrySubKey(HKEY root, const char* path, DWORD index, char* name);
// Value `valueName` of root\path into data (*size bytes, updated to the bytes read). A failed
// query is tried once more with the caller's buffer and size, never a larger one.
// 1, -4 key not opened, -5 value missing or longer than the buffer.
int ReadRegistryValue(HKEY root, const char* path, const char* valueName, DWORD* type, BYTE* data, DWORD* size);

// Driver description (128 bytes) of the connection with this exact name; false when not found,
// the description then being the connection name itself.
bool GetDevDescFromNetName(const char* connectionName, char* description);
// Connection name (128 bytes) of the adapter class entry (e.g. "0007"); always 1, the output
// unchanged when a read fails.
int GetDevDescFromNetID(const char* classIndex, char* connectionName);
// The driver description (or failing that the name) contains "BLUETOOTH", any case.
bool IsBluetoothConnection(const char* connectionName);
// The connection's plug-and-play id names the virtual Wi-Fi miniport.
bool IsVMport(const char* connectionName);

// Names the access-point page uses for the two registry lookups above.
inline bool GetDriverDescByConnectionName(const char* connectionName, char* description)
{
    return GetDevDescFromNetName(connectionName, description);
}
inline int GetConnectionNameByClassIndex(const char* classIndex, char* connectionName)
{
    return GetDevDescFromNetID(classIndex, connectionName);
}

// Record of CWiFiDlg::GetICSMGRAdaptersInfo (owned by the access-point page).
struct ICSMGR_ADAPTER_INFO {
    DWORD Reserved;        // left untouched
    char AdapterName[128]; // the interface's GUID text
    DWORD IfIndex;
};
static_assert(sizeof(ICSMGR_ADAPTER_INFO) == 136);
static_assert(offsetof(ICSMGR_ADAPTER_INFO, AdapterName) == 4);
static_assert(offsetof(ICSMGR_ADAPTER_INFO, IfIndex) == 132);

namespace CWiFiDlg {
// 0 when an adapter's friendly name equals the connection name (its name and interface index
// then copied into the record), else 4 and the record unchanged.
int GetICSMGRAdaptersInfo(const char* connectionName, ICSMGR_ADAPTER_INFO* record);
// The Network List Manager reports internet connectivity for a connection of this adapter
// ("{GUID}"), or local-network connectivity while no call has yet seen internet connectivity.
bool IsConnectToInternet(const char* adapterGuid);
} // namespace CWiFiDlg

// Decision of IsConnectToInternet for one connection's connectivity flags; sets the latch on
// internet connectivity (IPv4 or IPv6) and accepts local connectivity only while it is clear.
bool ConnectivityCountsAsInternet(DWORD flags, bool& internetLatch);
