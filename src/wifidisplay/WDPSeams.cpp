#include "wifidisplay/WDPSeams.h"

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

}  // namespace wdpseams
