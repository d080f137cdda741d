#pragma once
// Points where tests replace what the Wi-Fi Display sessions read from the system.
#include <windows.h>

#include <functional>
#include <vector>

namespace wdpseams {

struct DisplayMode {
    int width;
    int height;
    int bitsPerPixel;
    int frequency;
};

// Display modes of the primary display (EnumDisplaySettingsA unless overridden).
extern std::function<std::vector<DisplayMode>()> displayModesOverride;
std::vector<DisplayMode> DisplayModes();

// Screen width and height (GetSystemMetrics unless overridden).
extern std::function<SIZE()> screenSizeOverride;
SIZE ScreenSize();

}  // namespace wdpseams
