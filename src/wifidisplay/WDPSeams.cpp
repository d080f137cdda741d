#include <winsock2.h>
#include <ws2tcpip.h>

#include "wifidisplay/WDPSeams.h"

#include <iphlpapi.h>
#include <shellapi.h>

#include <cstring>
#include <memory>

namespace wdpseams {

std::function<std::vector<DisplayMode>()> displayModesOverride;
std::function<SIZE()> screenSizeOverride;

std::vector<DisplayMode> DisplayModes()
{
    if (displayModesOverride)
        return displayModesOverride();
    std::vector<DisplayMode> modes;
    DEVMODEA mode{};
    mode.dmSize = sizeof mode;
    for (DWORD n = 0; EnumDisplaySettingsA(nullptr, n, &mode); ++n)
        modes.push_back({int(mode.dmPelsWidth), int(mode.dmPelsHeight), int(mode.dmBitsPerPel),
                         int(mode.dmDisplayFrequency)});
    return modes;
}

SIZE ScreenSize()
{
    if (screenSizeOverride)
        return screenSizeOverride();
    return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

std::function<bool(std::vector<ArpRow>&)> arpTableOverride;
std::function<int(const std::string&, int, int)> udpSendOverride;

bool ArpTable(std::vector<ArpRow>& rows)
{
    if (arpTableOverride)
        return arpTableOverride(rows);
    ULONG size = 0;
    if (GetIpNetTable(nullptr, &size, FALSE) != ERROR_INSUFFICIENT_BUFFER || size == 0)
        return false;
    std::unique_ptr<BYTE[]> buffer(new (std::nothrow) BYTE[size]);
    if (!buffer)
        return false;
    auto* table = reinterpret_cast<MIB_IPNETTABLE*>(buffer.get());
    if (GetIpNetTable(table, &size, FALSE) != NO_ERROR)
        return false;
    for (DWORD i = 0; i < table->dwNumEntries; ++i) {
        const MIB_IPNETROW& row = table->table[i];
        ArpRow out{};
        std::memcpy(out.address, &row.dwAddr, 4);
        std::memcpy(out.physical, row.bPhysAddr, sizeof out.physical);
        out.physicalLength = row.dwPhysAddrLen;
        rows.push_back(out);
    }
    return true;
}

int SendUdpByte(const std::string& address, int port, int localPort)
{
    if (udpSendOverride)
        return udpSendOverride(address, port, localPort);
    SOCKET s = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    if (s == INVALID_SOCKET)
        return -1;
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_port = htons(u_short(localPort));
    bind(s, reinterpret_cast<sockaddr*>(&local), sizeof local);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(u_short(port));
    inet_pton(AF_INET, address.c_str(), &to.sin_addr);
    const char zero = 0;
    const int sent = sendto(s, &zero, 1, 0, reinterpret_cast<sockaddr*>(&to), sizeof to);
    closesocket(s);
    return sent;
}

std::function<void(const std::string&)> shellOpenOverride;

void ShellOpen(const std::string& path)
{
    if (shellOpenOverride) {
        shellOpenOverride(path);
        return;
    }
    ShellExecuteA(nullptr, "open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace wdpseams
