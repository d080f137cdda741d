#include "program_fixture.h"

#include "mainwindow/ProgramForms.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

#include "advanced/FormAdvanced.h"
#include "advanced/FormExtendedAP.h"
#include "advanced/FormExtendedAPIdPwd.h"
#include "dialogs/Dialogs.h"
#include "core/FormHide.h"
#include "core/Settings.h"
#include "hotspot/FormHotSpot.h"
#include "mainwindow/FormAbout.h"
#include "mainwindow/FormLinkInfo.h"
#include "mainwindow/FormSiteSurvey.h"
#include "profiles/FormInvalidIdPwd.h"
#include "profiles/FormPeapIdPwd.h"
#include "profiles/FormProfile.h"
#include "profiles/FormProfileEdit.h"
#include "resources/FormResource.h"
#include "ui/Seams.h"
#include "wifidirect/FormWiFiDirect.h"
#include "wifidisplay/FormWiFiDisplay.h"

namespace {

template <class F>
F SimEntry(const char* name)
{
    return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(VOZEZIV.hWLAPIDll, name)));
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

TScenario::TScenario()
{
    std::stringstream text(ReadFile(ProgramFolder() + "scenarios\\default.ini"));
    std::string line;
    while (std::getline(text, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        m_lines.push_back(line);
    }
}

TScenario& TScenario::Set(const std::string& section, const std::string& key, const std::string& value)
{
    const std::string header = "[" + section + "]";
    size_t i = 0;
    while (i < m_lines.size() && m_lines[i] != header)
        ++i;
    if (i == m_lines.size()) {
        m_lines.push_back(header);
        m_lines.push_back(key + "=" + value);
        return *this;
    }
    size_t end = i + 1;
    while (end < m_lines.size() && !(m_lines[end].size() && m_lines[end][0] == '['))
        ++end;
    for (size_t j = i + 1; j < end; ++j) {
        if (m_lines[j].rfind(key + "=", 0) == 0) {
            m_lines[j] = key + "=" + value;
            return *this;
        }
    }
    m_lines.insert(m_lines.begin() + long(i) + 1, key + "=" + value);
    return *this;
}

TScenario& TScenario::AddSection(const std::string& section, const std::vector<std::string>& lines)
{
    m_lines.push_back("[" + section + "]");
    m_lines.insert(m_lines.end(), lines.begin(), lines.end());
    return *this;
}

std::string TScenario::Text() const
{
    std::string text;
    for (const std::string& line : m_lines)
        text += line + "\r\n";
    return text;
}

void ProgramFixture::SetUp()
{
    seams::logSink = [this](const char* line) { m_log.push_back(line); };
    SetEnvironmentVariableA("WEVO_SIM_STATE", "none");
    SetEnvironmentVariableA("WEVO_SIM_PIPE", "none");
    // No test starts the real relaunch program (it would start the test program again).
    relaunchExecOverride = [](const std::string&, UINT) { return 33u; };
    // Test processes run side by side: each gets its own named status events.
    statusEventNameSuffix = "." + std::to_string(GetCurrentProcessId());
}

void ProgramFixture::TearDown()
{
    seams::modalAnswer = nullptr;
    seams::clockOverride = nullptr;
    Application->DestroyForms();
    relaunchExecOverride = nullptr;
    if (VOZEZIV.hWLAPIDll) {
        if (auto shutdown = SimEntry<void (*)()>("SimShutdown"))
            shutdown();
    }
    seams::logSink = nullptr;
    if (!m_scenarioPath.empty())
        DeleteFileA(m_scenarioPath.c_str());
}

void ProgramFixture::LoadLibrary(const TScenario& scenario)
{
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    char path[MAX_PATH];
    GetTempFileNameA(folder, "wsc", 0, path);
    m_scenarioPath = path;
    std::ofstream(m_scenarioPath, std::ios::binary) << scenario.Text();
    SetEnvironmentVariableA("WEVO_SCENARIO", m_scenarioPath.c_str());
    ASSERT_TRUE(VOZEZIV.Load((ProgramFolder() + "VoZEZIV.dll").c_str()));
}

void ProgramFixture::CreateWindows()
{
    m_bMinimizeToTray = 1;
    CreateProgramForms();
}

void ProgramFixture::StartProgram(const TScenario& scenario)
{
    LoadLibrary(scenario);
    CreateWindows();
}

void ProgramFixture::Pump(DWORD ms)
{
    const DWORD start = GetTickCount();
    do {
        Application->ProcessMessages();
        Sleep(5);
    } while (GetTickCount() - start < ms);
}

bool ProgramFixture::PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > timeoutMs)
            return false;
        Application->ProcessMessages();
        Sleep(5);
    }
    return true;
}

int ProgramFixture::SimCommand(const std::string& line, std::string* reply)
{
    auto command = SimEntry<int (*)(const char*, char*, int)>("SimCommand");
    if (!command)
        return 0;
    char out[4096] = {};
    int n = command(line.c_str(), out, sizeof out);
    if (reply)
        *reply = out;
    return n;
}

int ProgramFixture::SimCallCount(const char* entry)
{
    auto count = SimEntry<int (*)(const char*)>("SimCallCount");
    return count ? count(entry) : -1;
}

std::string ProgramFixture::SimJournal()
{
    auto journal = SimEntry<int (*)(char*, int)>("SimJournal");
    if (!journal)
        return {};
    int size = journal(nullptr, 0);
    std::string text(size_t(size > 0 ? size : 1), '\0');
    journal(text.data(), size);
    text.resize(std::strlen(text.c_str()));
    return text;
}

void ProgramFixture::SimJournalClear()
{
    if (auto clear = SimEntry<void (*)()>("SimJournalClear"))
        clear();
}

bool ProgramFixture::SimWaitIdle(int timeoutMs)
{
    auto wait = SimEntry<int (*)(int)>("SimWaitIdle");
    return wait && wait(timeoutMs) == 1;
}

int ProgramFixture::SimPlugAdapter(int index, bool present)
{
    auto plug = SimEntry<int (*)(int, int)>("SimPlugAdapter");
    return plug ? plug(index, present ? 1 : 0) : 0;
}

void ProgramFixture::StoreHomeProfile()
{
    WLANPROFILE p = VOZEZIV.defaultProfile;
    std::strcpy(p.strProfileName, "Home");
    p.SSID.SsidLength = 7;
    std::memcpy(p.SSID.Ssid, "HomeNet", 7);
    p.enumNetworkType = 1;
    p.enumAuthenMode = 7;    // WPA2-PSK
    p.enumEncryStatus = 6;   // AES
    std::strcpy(p.chPskKey, "correct horse battery");
    p.nPskKeyLen = unsigned(std::strlen(p.chPskKey));
    ASSERT_EQ(VOZEZIV.WVWL_WriteProfile("Home", &p), 1);
    ASSERT_EQ(VOZEZIV.WVWL_WriteRegValue("CurProfile", REG_SZ, "Home", 5), 1);
}
