// Media sharing in the running program, with the media service registered in the service
// manager of a throw-away Wine prefix (tests/e2e/media/throwaway_prefix.sh makes it; a test
// refuses to run elsewhere). The own-device menu offers media sharing only while the service
// exists; the window shows the folder under a temporary user profile, start and stop switch the
// service through the adapter library, and the status shown follows the service.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "WiFiDirectDriving.h"
#include "core/Settings.h"
#include "core/WvwlLib.h"

namespace {

// The own-device menu: Scan, persistent groups, autonomous group owner, then media sharing
// when it is offered, then the profiles.
constexpr int kMenuMediaSharing = 3;
constexpr POINT kStart = {290 + 12, 200 + 13};
constexpr POINT kStop = {322 + 12, 200 + 13};
constexpr RECT kStatus = {140, 166, 340, 182};
const char* const kMarker = "C:\\wevo-throwaway";
const char* const kServiceJournal = "C:\\ViRuvuzOdiraz.journal";

struct CloseService {
    void operator()(SC_HANDLE h) const { CloseServiceHandle(h); }
};
using Service = std::unique_ptr<std::remove_pointer_t<SC_HANDLE>, CloseService>;

std::string FileText(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return "";
    std::string text(GetFileSize(file, nullptr), '\0');
    DWORD done = 0;
    ReadFile(file, text.data(), DWORD(text.size()), &done, nullptr);
    CloseHandle(file);
    text.resize(done);
    return text;
}

// An edit box's content (a window of another process gives only its caption to GetWindowText).
std::string EditText(HWND edit)
{
    char text[512] = {};
    DWORD_PTR length = 0;
    SendMessageTimeoutA(edit, WM_GETTEXT, sizeof text, LPARAM(text), SMTO_ABORTIFHUNG, 5000, &length);
    return text;
}

bool FolderExists(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

class MediaSharingEndToEnd : public WiFiDirectDriving {
protected:
    void SetUp() override
    {
        if (GetFileAttributesA(kMarker) == INVALID_FILE_ATTRIBUTES)
            GTEST_SKIP() << "runs only in the throw-away prefix that throwaway_prefix.sh makes";
        VOZEZIV.ReadMediaServerSettings();
        name_ = VOZEZIV.strMediaServerServiceName;
        manager_.reset(OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS));
        ASSERT_TRUE(manager_) << GetLastError();
        RemoveService();
        DeleteFileA(kServiceJournal);
        // the user profile, with a Documents folder, in the prefix's temporary folder
        char temp[MAX_PATH] = {};
        GetTempPathA(sizeof temp, temp);
        profile_ = std::string(temp) + "wevo-profile-" + std::to_string(GetTickCount());
        ASSERT_TRUE(CreateDirectoryA(profile_.c_str(), nullptr));
        ASSERT_TRUE(CreateDirectoryA((profile_ + "\\Documents").c_str(), nullptr));
        SetEnvironmentVariableA("USERPROFILE", profile_.c_str());
    }

    void TearDown() override
    {
        if (manager_)
            RemoveService();
    }

    void Register(const std::string& options = "")
    {
        const std::string exe = ProgramFolder() + "ViRuvuzOdiraz.exe";
        const std::string command = "\"" + exe + "\" --journal " + kServiceJournal + options;
        Service service(CreateServiceA(manager_.get(), name_.c_str(), name_.c_str(), SERVICE_ALL_ACCESS,
                                       SERVICE_WIN32_OWN_PROCESS, SERVICE_DEMAND_START, SERVICE_ERROR_NORMAL,
                                       command.c_str(), nullptr, nullptr, nullptr, nullptr, nullptr));
        ASSERT_TRUE(service) << GetLastError();
    }

    void RemoveService()
    {
        Service service(OpenServiceA(manager_.get(), name_.c_str(), SERVICE_ALL_ACCESS));
        if (!service)
            return;
        SERVICE_STATUS status{};
        ControlService(service.get(), SERVICE_CONTROL_STOP, &status);
        DeleteService(service.get());
        service.reset();
        WaitFor([this] { return !Service(OpenServiceA(manager_.get(), name_.c_str(), SERVICE_QUERY_STATUS)); }, 10000);
    }

    DWORD ServiceState()
    {
        Service service(OpenServiceA(manager_.get(), name_.c_str(), SERVICE_QUERY_STATUS));
        SERVICE_STATUS status{};
        return service && QueryServiceStatus(service.get(), &status) ? status.dwCurrentState : 0;
    }

    DWORD StartType()
    {
        Service service(OpenServiceA(manager_.get(), name_.c_str(), SERVICE_QUERY_CONFIG));
        std::vector<char> buffer(8192);
        auto* config = reinterpret_cast<QUERY_SERVICE_CONFIGA*>(buffer.data());
        DWORD needed = 0;
        return service && QueryServiceConfigA(service.get(), config, DWORD(buffer.size()), &needed) ? config->dwStartType
                                                                                                     : 0;
    }

    // Starts the program, turns Wi-Fi Direct on and chooses the menu item where media sharing
    // stands when it is offered.
    void ChooseMediaSharingPlace()
    {
        Launch();
        TurnOn("Den-PC");
        ASSERT_TRUE(ChooseFromMenu(direct_, kDirectOnOff, kMenuMediaSharing)) << "no own-device menu";
    }

    // Opens the media-sharing window with the server name typed in, and waits for its first
    // status check to show the stopped service.
    void OpenMediaSharing()
    {
        ChooseMediaSharingPlace();
        ASSERT_TRUE(WaitFor([&] { return (media_ = Form("Media Sharing")) != nullptr; })) << wevo_.Journal();
        const std::vector<uint32_t> empty = Pixels(media_, kStatus);
        ASSERT_TRUE(WaitFor([&] { return Pixels(media_, kStatus) != empty; }, 10000)) << "no status shown";
        Sleep(500);
        stopped_ = Pixels(media_, kStatus);
        HWND name = FindEdit(media_);
        ASSERT_NE(name, nullptr);
        for (char c : std::string("Den"))
            PostMessageA(name, WM_CHAR, WPARAM(c), 0);
        ASSERT_TRUE(WaitFor([&] { return EditText(name) == "Den"; })) << "[" << EditText(name) << "]";
    }

    std::string FolderShown() const
    {
        HWND edit = FindChild(media_, [](HWND w) {
            return WindowClass(w) == "Edit" && (GetWindowLongA(w, GWL_STYLE) & ES_READONLY);
        });
        return edit ? EditText(edit) : "";
    }

    // Clicks a button of the window until the adapter library gets the entry's call.
    bool ClickUntilCalled(POINT button, const std::string& entry)
    {
        return ClickUntil(media_, button,
                          [&] { return wevo_.Journal().find(entry + "(") != std::string::npos; });
    }

    bool ServiceJournalHas(const std::string& text, DWORD timeoutMs = 30000) const
    {
        return WaitFor([&] { return FileText(kServiceJournal).find(text) != std::string::npos; }, timeoutMs);
    }

    // The calls of the adapter library appear in the journal in this order.
    static bool InOrder(const std::string& journal, const std::vector<std::string>& calls)
    {
        size_t at = 0;
        for (const std::string& call : calls) {
            at = journal.find(call, at);
            if (at == std::string::npos)
                return false;
        }
        return true;
    }

    Service manager_;
    std::string name_;
    std::string profile_;
    HWND media_ = nullptr;
    std::vector<uint32_t> stopped_;
};

TEST_F(MediaSharingEndToEnd, WithoutTheServiceTheMenuOffersNoMediaSharing)
{
    ChooseMediaSharingPlace();
    EXPECT_TRUE(WaitFor([&] { return Form("Wi-Fi Direct Profiles") != nullptr; })) << wevo_.Journal();
    EXPECT_EQ(Form("Media Sharing"), nullptr);
}

TEST_F(MediaSharingEndToEnd, StartAndStopSwitchTheServiceAndTheStatusFollowsIt)
{
    Register();
    OpenMediaSharing();
    if (HasFatalFailure())
        return;
    // no shared folder configured: the profile's Documents folder gets one
    const std::string folder = profile_ + "\\Documents\\Media Sharing";
    EXPECT_EQ(FolderShown(), folder);
    EXPECT_TRUE(FolderExists(folder));

    ASSERT_TRUE(ClickUntilCalled(kStart, "WVWL_SetMediaServerFriendlyName"));
    ASSERT_TRUE(ServiceJournalHas("start " + name_ + " name=Den folder=" + folder)) << FileText(kServiceJournal);
    const std::string service = "; service " + name_;
    ASSERT_TRUE(wevo_.WaitForJournal("WVWL_SetMediaServerStartupType(1 running auto" + service + " running) -> 1"))
        << wevo_.Journal();
    EXPECT_TRUE(InOrder(wevo_.Journal(), {"WVWL_SetMediaServerFriendlyName(Den) -> 1",
                                          "WVWL_StartAndSetMediaFolder(" + folder + ") -> 1",
                                          "WVWL_StartMediaServer(running manual" + service + " running) -> 1",
                                          "WVWL_SetMediaServerStartupType(1 running auto" + service + " running) -> 1"}))
        << wevo_.Journal();
    EXPECT_EQ(ServiceState(), DWORD(SERVICE_RUNNING));
    EXPECT_EQ(StartType(), DWORD(SERVICE_AUTO_START));
    std::vector<uint32_t> running;
    EXPECT_TRUE(WaitFor([&] { return (running = Pixels(media_, kStatus)) != stopped_; }, 10000)) << "still shown stopped";
    Shot(media_, "e2e_media_sharing_running");

    wevo_.Sim("journal clear");
    ASSERT_TRUE(ClickUntilCalled(kStop, "WVWL_StopMediaServer"));
    ASSERT_TRUE(ServiceJournalHas("stop " + name_)) << FileText(kServiceJournal);
    ASSERT_TRUE(wevo_.WaitForJournal("WVWL_SetMediaServerStartupType(0 stopped manual" + service + " stopped) -> 1"))
        << wevo_.Journal();
    EXPECT_TRUE(InOrder(wevo_.Journal(), {"WVWL_StopMediaServer(stopped auto" + service + " stopped) -> 1",
                                          "WVWL_SetMediaServerStartupType(0 stopped manual"}))
        << wevo_.Journal();
    EXPECT_TRUE(InOrder(FileText(kServiceJournal), {"start " + name_, "stop " + name_})) << FileText(kServiceJournal);
    EXPECT_EQ(ServiceState(), DWORD(SERVICE_STOPPED));
    EXPECT_EQ(StartType(), DWORD(SERVICE_DEMAND_START));
    EXPECT_TRUE(WaitFor([&] { return Pixels(media_, kStatus) == stopped_; }, 10000)) << "still shown running";
    Shot(media_, "e2e_media_sharing_stopped");
}

// The status is the service's, not the button's: a service that fails to start stays shown
// stopped after Start.
TEST_F(MediaSharingEndToEnd, AServiceThatFailsToStartIsShownStopped)
{
    Register(" --fail-start");
    OpenMediaSharing();
    if (HasFatalFailure())
        return;
    ASSERT_TRUE(ClickUntilCalled(kStart, "WVWL_SetMediaServerFriendlyName"));
    ASSERT_TRUE(ServiceJournalHas("start " + name_ + " failed")) << FileText(kServiceJournal);
    ASSERT_TRUE(wevo_.WaitForJournal("WVWL_SetMediaServerStartupType(1 stopped auto")) << wevo_.Journal();
    // the library's start fails, with the service's state in its journal line
    const std::string journal = wevo_.Journal();
    const size_t start = journal.find("WVWL_StartMediaServer(stopped manual; service " + name_ + " stopped");
    ASSERT_NE(start, std::string::npos) << journal;
    const std::string line = journal.substr(start, journal.find('\n', start) - start);
    EXPECT_NE(line.find(") -> 0"), std::string::npos) << line;
    EXPECT_EQ(ServiceState(), DWORD(SERVICE_STOPPED));
    // the status check one second after the start
    Sleep(3000);
    EXPECT_EQ(Pixels(media_, kStatus), stopped_);
}

}  // namespace
