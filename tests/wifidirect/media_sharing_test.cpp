// Media sharing: the shared folder's fallbacks and the media-server calls in their order.
#include <windows.h>

#include <string>

#include "dialogs/FormMessageBox.h"
#include "core/WvwlLib.h"
#include "wifidirect/FormWiFiDirectMediaSharing.h"
#include "wifidirect/wifidirect_fixture.h"

namespace {

class WiFiDirectMediaSharing : public WiFiDirectFixture {
protected:
    void SetUp() override
    {
        WiFiDirectFixture::SetUp();
        char temp[MAX_PATH] = {};
        GetTempPathA(sizeof temp, temp);
        m_home = std::string(temp) + "wevo_media_" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(m_home.c_str(), nullptr);
        SetEnvironmentVariableA("USERPROFILE", m_home.c_str());
    }
    void TearDown() override
    {
        RemoveDirectoryA((m_home + "\\Documents\\Media Sharing").c_str());
        RemoveDirectoryA((m_home + "\\Documents").c_str());
        RemoveDirectoryA((m_home + "\\Media Sharing").c_str());
        RemoveDirectoryA(m_home.c_str());
        WiFiDirectFixture::TearDown();
    }
    void Press(TWvImage* button)
    {
        const int x = button->Left() + button->Width() / 2, y = button->Top() + button->Height() / 2;
        HWND window = button->Parent()->Handle();
        SendMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
        SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
        Pump(10);
    }
    std::vector<std::string> MediaCalls()
    {
        std::vector<std::string> calls;
        const std::string journal = SimJournal();
        size_t at = 0;
        while (at < journal.size()) {
            size_t end = journal.find('\n', at);
            if (end == std::string::npos)
                end = journal.size();
            const std::string line = journal.substr(at, end - at);
            if (line.rfind("WVWL_", 0) == 0 && line.find("Media") != std::string::npos)
                calls.push_back(line.substr(0, line.find('(')));
            at = end + 1;
        }
        return calls;
    }

    std::string m_home;
};

TEST_F(WiFiDirectMediaSharing, FolderFallsBackToTheProfilesMediaSharingFolder)
{
    Start(41);
    const std::string missing = m_home + "\\gone";
    EXPECT_EQ(TFormWiFiDirectMediaSharing::ChooseSharedFolder(missing), m_home + "\\Media Sharing");
    EXPECT_EQ(TFormWiFiDirectMediaSharing::ChooseSharedFolder(""), m_home + "\\Media Sharing");
    CreateDirectoryA((m_home + "\\Documents").c_str(), nullptr);
    EXPECT_EQ(TFormWiFiDirectMediaSharing::ChooseSharedFolder(missing), m_home + "\\Documents\\Media Sharing");
    EXPECT_EQ(TFormWiFiDirectMediaSharing::ChooseSharedFolder(m_home), m_home);

    // Shown, the window creates the chosen folder.
    FormWiFiDirectMediaSharing->Show();
    Pump(20);
    EXPECT_EQ(FormWiFiDirectMediaSharing->editSharingFolder->Text(), m_home + "\\Documents\\Media Sharing");
    EXPECT_NE(GetFileAttributesA((m_home + "\\Documents\\Media Sharing").c_str()), INVALID_FILE_ATTRIBUTES);
    Snapshot(FormWiFiDirectMediaSharing->Handle(), "media_sharing");

    // A profile folder so long that the path would not fit the library's buffer: no folder.
    SetEnvironmentVariableA("USERPROFILE", (std::string("C:\\") + std::string(245, 'p')).c_str());
    EXPECT_EQ(TFormWiFiDirectMediaSharing::ChooseSharedFolder(""), "");
}

TEST_F(WiFiDirectMediaSharing, StartStopAndRestartCallTheServerInOrder)
{
    Start(41);
    std::vector<std::string> messages;
    m_onModal = [&messages](const std::string& what) {
        if (what.rfind("FormMessageBox", 0) == 0)
            messages.push_back(FormMessageBox->m_strMessage);
    };
    TFormWiFiDirectMediaSharing* form = FormWiFiDirectMediaSharing;
    form->Show();
    Pump(20);
    SendMessageA(form->editServerName->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
    MarkCalls();
    Press(form->BtnMediaSharingStart);
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_TRUE(MediaCalls().empty());

    SendMessageA(form->editServerName->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Den"));
    MarkCalls();
    Press(form->BtnMediaSharingStart);
    EXPECT_EQ(MediaCalls(), (std::vector<std::string>{"WVWL_SetMediaServerFriendlyName", "WVWL_StartAndSetMediaFolder",
                                                      "WVWL_StartMediaServer", "WVWL_SetMediaServerStartupType"}));
    EXPECT_TRUE(form->TimerCheckStatus->Enabled());
    // the server got the name and the shown folder, and runs, started with Windows
    const std::string journal = SimJournal();
    EXPECT_NE(journal.find("WVWL_SetMediaServerFriendlyName(Den) -> 1"), std::string::npos) << journal;
    EXPECT_NE(journal.find("WVWL_StartAndSetMediaFolder(" + form->editSharingFolder->Text() + ") -> 1"), std::string::npos)
        << journal;
    EXPECT_NE(journal.find("WVWL_SetMediaServerStartupType(1 running auto) -> 1"), std::string::npos) << journal;
    MarkCalls();
    form->BtnMediaSharingReStart->SetEnabled(true);
    Press(form->BtnMediaSharingReStart);
    EXPECT_EQ(MediaCalls(), (std::vector<std::string>{"WVWL_StopMediaServer", "WVWL_SetMediaServerStartupType",
                                                      "WVWL_SetMediaServerFriendlyName", "WVWL_StartAndSetMediaFolder",
                                                      "WVWL_StartMediaServer", "WVWL_SetMediaServerStartupType"}));
    EXPECT_NE(SimJournal().find("WVWL_StopMediaServer(stopped auto) -> 1"), std::string::npos);
    // A service that does not exist leaves the buttons as they were; the timer stops.
    const bool startEnabled = form->BtnMediaSharingStart->Enabled();
    form->TimerCheckStatus->Tick();
    EXPECT_EQ(form->BtnMediaSharingStart->Enabled(), startEnabled);
    EXPECT_FALSE(form->TimerCheckStatus->Enabled());
}

} // namespace
