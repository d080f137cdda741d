#include "wifidisplay/source_fixture.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "core/Settings.h"
#include "mainwindow/FormMain.h"
#include "resources/FormResource.h"

namespace {

template <class T>
T LibEntry(const char* module, const char* name)
{
    HMODULE m = GetModuleHandleA(module);
    return m ? reinterpret_cast<T>(reinterpret_cast<void*>(GetProcAddress(m, name))) : nullptr;
}

std::string JournalOf(const char* module, const char* name)
{
    auto journal = LibEntry<int (*)(char*, int)>(module, name);
    if (!journal)
        return {};
    const int size = journal(nullptr, 0);
    std::string text(size_t(size) + 1, '\0');
    journal(text.data(), size + 1);
    text.resize(std::strlen(text.c_str()));
    return text;
}

}  // namespace

std::string FormatRecord(uint8_t preferred, uint8_t profile, uint8_t level, uint32_t cea, uint32_t vesa, uint32_t hh)
{
    uint8_t record[288] = {};
    record[1] = preferred;
    record[8] = profile;
    record[9] = level;
    std::memcpy(record + 12, &cea, 4);
    std::memcpy(record + 16, &vesa, 4);
    std::memcpy(record + 20, &hh, 4);
    return Hex(record, sizeof record);
}

void SourceFixture::SetUp()
{
    WiFiDisplayFixture::SetUp();
    const std::string real = ProgramPath();
    m_ini = real.substr(0, real.find_last_of('\\') + 1) + "wdpsource_" + std::to_string(GetCurrentProcessId());
    DeleteFileA((m_ini + ".ini").c_str());
    programPathOverride = [this] { return m_ini + ".exe"; };
}

void SourceFixture::TearDown()
{
    if (HasFailure()) {
        for (const std::string& line : Calls())
            std::printf("call: %s\n", line.c_str());
    }
    WiFiDisplayFixture::TearDown();
    programPathOverride = nullptr;
    wdpseams::displayModesOverride = nullptr;
    wdpseams::screenSizeOverride = nullptr;
    DeleteFileA((m_ini + ".ini").c_str());
}

void SourceFixture::StartOn(SIZE screen, const std::vector<wdpseams::DisplayMode>& modes)
{
    wdpseams::screenSizeOverride = [screen] { return screen; };
    wdpseams::displayModesOverride = [modes] { return modes; };
    Start();
    FormMain->Handle();  // the capture library is given the main window, found by its caption
    if (auto clear = LibEntry<void (*)()>("VaZEDEVE.dll", "SessionClearInjections"))
        clear();
    ClearJournals();
}

void SourceFixture::SetSo(const std::string& key, const std::string& value)
{
    WriteINIStr("WiFiDisplaySo", key, value, "ini", "");
}

void SourceFixture::Script(const std::string& script)
{
    auto play = LibEntry<int (*)(const char*)>("VaZEDEVE.dll", "SessionScript");
    auto wait = LibEntry<int (*)(int)>("VaZEDEVE.dll", "SessionWaitIdle");
    ASSERT_TRUE(play && wait);
    ASSERT_GT(play(script.c_str()), 0) << script;
    ASSERT_EQ(wait(10000), 1);
    Pump(30);
}

void SourceFixture::Inject(const char* entry, int result)
{
    LibEntry<void (*)(const char*, int)>("VaZEDEVE.dll", "SessionInject")(entry, result);
}

void SourceFixture::CaptureInject(const char* entry, int result)
{
    LibEntry<void (*)(const char*, int)>("WFDSource.dll", "CaptureInject")(entry, result);
}

void SourceFixture::CaptureClearInjections()
{
    LibEntry<void (*)()>("WFDSource.dll", "CaptureClearInjections")();
}

void SourceFixture::SetSessionID(int id)
{
    LibEntry<void (*)(int)>("VaZEDEVE.dll", "SessionSetSessionID")(id);
}

std::vector<std::string> SourceFixture::Calls()
{
    std::vector<std::string> stamped;
    const std::pair<const char*, const char*> journals[] = {{"VaZEDEVE.dll", "SessionJournalStamped"},
                                                             {"WFDSource.dll", "CaptureJournalStamped"}};
    for (const auto& [module, name] : journals) {
        const std::string text = JournalOf(module, name);
        size_t at = 0;
        while (at < text.size()) {
            const size_t end = text.find('\n', at);
            stamped.push_back(text.substr(at, end - at));
            at = end == std::string::npos ? text.size() : end + 1;
        }
    }
    std::stable_sort(stamped.begin(), stamped.end(),
                     [](const std::string& a, const std::string& b) { return a.compare(0, 20, b, 0, 20) < 0; });
    std::vector<std::string> lines;
    for (const std::string& line : stamped)
        lines.push_back(NamedMainWindow(line.substr(21)));
    return lines;
}

// The capture library gets the window found by the program's title; test processes running
// side by side each have one, and it may have closed since, so the journal's record of the
// window's title at the call decides: such a handle reads as "<main window>".
std::string SourceFixture::NamedMainWindow(const std::string& line)
{
    const std::string call = "WFD_LibraryInit(0x";
    if (line.compare(0, call.size(), call) != 0)
        return line;
    const size_t open = line.find('"', call.size());
    const size_t close = open == std::string::npos ? open : line.find('"', open + 1);
    if (close == std::string::npos || line.compare(close + 1, 1, ")") != 0)
        return line;
    if (line.substr(open + 1, close - open - 1) != FormResource->UI_Str->STR_TARNWELL_CONFIG_TITLE)
        return line.substr(0, open - 1) + line.substr(close + 1);
    return "WFD_LibraryInit(<main window>" + line.substr(close + 1);
}

std::vector<std::string> SourceFixture::Calls(const std::string& prefix)
{
    std::vector<std::string> lines;
    for (const std::string& line : Calls())
        if (line.compare(0, prefix.size(), prefix) == 0)
            lines.push_back(line);
    return lines;
}

void SourceFixture::ClearJournals()
{
    LibEntry<void (*)()>("VaZEDEVE.dll", "SessionJournalClear")();
    if (auto clear = LibEntry<void (*)()>("WFDSource.dll", "CaptureJournalClear"))
        clear();
}

bool SourceFixture::Logged(const std::string& part)
{
    return SimJournal().find(part) != std::string::npos;
}

std::vector<std::string> SourceFixture::PlayerCalls()
{
    const std::string text = JournalOf("StreamDll.dll", "PlayerJournal");
    std::vector<std::string> lines;
    size_t at = 0;
    while (at < text.size()) {
        const size_t end = text.find('\n', at);
        lines.push_back(text.substr(at, end - at));
        at = end == std::string::npos ? text.size() : end + 1;
    }
    return lines;
}

void SourceFixture::PlayerClear()
{
    LibEntry<void (*)()>("StreamDll.dll", "PlayerJournalClear")();
}

void SourceFixture::PlayerRun(const std::string& script)
{
    auto play = LibEntry<int (*)(const char*)>("StreamDll.dll", "PlayerScript");
    auto wait = LibEntry<int (*)(int)>("StreamDll.dll", "PlayerWaitIdle");
    ASSERT_TRUE(play && wait);
    ASSERT_GT(play(script.c_str()), 0) << script;
    ASSERT_EQ(wait(10000), 1);
    Pump(30);
}

void SourceFixture::PlayerSetState(int state)
{
    LibEntry<void (*)(int)>("StreamDll.dll", "PlayerSetState")(state);
}

void SourceFixture::PlayerInject(const char* entry, int result)
{
    LibEntry<void (*)(const char*, int)>("StreamDll.dll", "PlayerInject")(entry, result);
}

int SourceFixture::PlayerWatchByte()
{
    return LibEntry<int (*)()>("StreamDll.dll", "PlayerWatchByte")();
}

void SourceFixture::PlayerClearInjections()
{
    LibEntry<void (*)()>("StreamDll.dll", "PlayerClearInjections")();
}
