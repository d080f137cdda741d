#include "core/DialogSupport.h"

#include <windows.h>

namespace {

std::string ProgramFolder()
{
    char path[MAX_PATH] = {};
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        return {};
    std::string folder(path, n);
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

}  // namespace

// Until the picture repository exists the dialogs load their own table.
const CUISTR& DialogTexts()
{
    static const CUISTR texts = [] {
        CUISTR table;
        table.Load();
        return table;
    }();
    return texts;
}

TPicture DialogPictureOf(DialogPicture)
{
    return {};
}

TPicture SandGlassFrame(int)
{
    return {};
}

std::string SkinFilePath()
{
    return ProgramFolder() + "RoVaza.ini";
}

bool ProgressPinOnly()
{
    return false;
}

void DisconnectWifiDirectPeer(const unsigned char*)
{
}
