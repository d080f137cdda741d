#include <windows.h>
#include <string>

#include "advanced/FormAdvanced.h"
#include "advanced/FormExtendedAP.h"
#include "advanced/FormExtendedAPIdPwd.h"
#include "dialogs/Dialogs.h"
#include "core/FormHide.h"
#include "core/Log.h"
#include "core/Settings.h"
#include "core/WvwlLib.h"
#include "hotspot/FormHotSpot.h"
#include "mainwindow/FormAbout.h"
#include "mainwindow/FormLinkInfo.h"
#include "mainwindow/FormMain.h"
#include "mainwindow/FormSiteSurvey.h"
#include "mainwindow/ProgramForms.h"
#include "profiles/FormInvalidIdPwd.h"
#include "profiles/FormPeapIdPwd.h"
#include "profiles/FormProfile.h"
#include "profiles/FormProfileEdit.h"
#include "resources/FormResource.h"
#include "resources/UiStr.h"
#include "ui/Forms.h"
#include "wifidirect/FormWiFiDirect.h"
#include "wifidisplay/FormWiFiDisplay.h"
#include "wlapi/constants.h"

namespace {

// A second copy hands over to the running one: that one shows its main window.
void ShowRunningInstance()
{
    CUISTR strings;
    strings.Load();
    // The whole title, however long, is searched for.
    HWND running = FindWindowA(nullptr, strings.STR_TARNWELL_CONFIG_TITLE.c_str());
    if (running)
        PostMessageA(running, MSG_UI_SHOW, 0, 0);
}

// The adapter library always comes from the program's own folder.
std::string LibraryPath()
{
    return ProgramFolder() + "VoZEZIV.dll";
}

bool LoadAdapterLibrary()
{
    const std::string path = LibraryPath();
    // A path the platform's 260-character limit cannot hold is refused like a missing library.
    if (path.size() < MAX_PATH && VOZEZIV.Load(path.c_str())) {
        PrintMessage(6, " Load dll Success: %s", path.c_str());
        return true;
    }
    PrintMessage(2, " Load dll fail: %s", path.c_str());
    MessageBoxA(nullptr, path.c_str(), "Load dll fail", MB_OK);
    return false;
}


// Nothing is shown with "-S"; otherwise the main window (or Wi-Fi Direct alone) when an
// adapter is present.
void ShowAtStart(const char* commandLine)
{
    const bool startHidden = lstrcmpiA(commandLine ? commandLine : "", "-S") == 0;
    if (startHidden)
        return;
    if (!FormMain || FormMain->m_bDeviceExist != 1)
        return;
    if (VOZEZIV.bWiFiDirectStandAlone)
        FormMain->BtnWiFiDirectClick(nullptr);
    else
        FormMain->Show();
}

std::wstring MainWindowCaption()
{
    if (!FormMain || FormMain->Caption().empty())
        return {};
    const std::string& text = FormMain->Caption();
    int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    std::wstring wide(size_t(length > 0 ? length : 1), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), length);
    wide.resize(wcslen(wide.c_str()));
    return wide;
}

void RunFirstInstance(const char* commandLine, const std::string& title)
{
    Application->Initialize();
    Application->MainFormOnTaskBar = true;
    m_bMinimizeToTray = 1;
    Application->SetTitle(title);

    if (!LoadAdapterLibrary()) {
        Application->Terminate();
        PrintMessage(6, " <-- TFormMain::FormCreate()\n");
        return;
    }
    CreateProgramForms();
    PrintMessage(6, " <-- FormMain::FormCreate()\n");

    const std::string programPath = ProgramPath();
    if (VOZEZIV.WVWL_CreateShortCut)
        VOZEZIV.WVWL_CreateShortCut(programPath.c_str(), VOZEZIV.strShortCut_FolderName,
                                    VOZEZIV.strShortCut_IconName);
    ShowAtStart(commandLine);
    if (VOZEZIV.WVWL_SetFirewall)
        VOZEZIV.WVWL_SetFirewall(programPath.c_str(), MainWindowCaption().c_str());

    ShowWindow(Application->Handle(), SW_HIDE);
    Application->ShowMainForm = false;
    Application->Run();
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int)
{
    HANDLE mutex = CreateMutexA(nullptr, TRUE, "QN58");
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        if (mutex)
            CloseHandle(mutex);
        ShowRunningInstance();
        return 0;
    }

    CUISTR strings;
    strings.Load();
    try {
        RunFirstInstance(commandLine, strings.STR_TARNWELL_CONFIG_TITLE);
    } catch (const Exception& error) {
        Application->ShowException(error);
    } catch (...) {
        Application->ShowException(Exception(""));
    }
    if (mutex) {
        ReleaseMutex(mutex);
        CloseHandle(mutex);
    }
    return 0;
}
