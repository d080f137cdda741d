#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "TempFolder.h"
#include "core/Log.h"
#include "core/Settings.h"
#include "core/WvwlLib.h"
#include "ui/Seams.h"

namespace {

// Loads fixture libraries with the program's folder pointed at a folder of the test's own.
class WvwlLibLoadTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        programPathOverride = [this] { return programPath; };
        seams::logSink = [this](const char* line) { debugLines.push_back(line); };
        VOZEZIV = {};
    }
    void TearDown() override
    {
        programPathOverride = nullptr;
        seams::logSink = nullptr;
        SetEnvironmentVariableA("WEVO_FAKE_WINOS", nullptr);
        SetEnvironmentVariableA("WEVO_FAKE_WINTYPE", nullptr);
        VOZEZIV.bDllLoaded = 0;
        VOZEZIV.WVWL_OutPutUIWppLog = nullptr;
    }

    bool LoadFixture(const std::string& name)
    {
        VOZEZIV = {};
        return VOZEZIV.Load(FixturePath(name).c_str());
    }

    TempFolder folder;
    std::string programPath = folder.File("Wevo.exe");
    std::vector<std::string> debugLines;
};

void PutLE32(std::vector<BYTE>& bytes, size_t offset, uint32_t value)
{
    std::memcpy(bytes.data() + offset, &value, sizeof value);
}

}  // namespace

TEST_F(WvwlLibLoadTest, MissingLibraryIsRefused)
{
    EXPECT_FALSE(VOZEZIV.Load(nullptr));
    EXPECT_FALSE(VOZEZIV.Load(folder.File("VoZEZIV.dll").c_str()));
    EXPECT_EQ(VOZEZIV.hWLAPIDll, nullptr);
    EXPECT_EQ(VOZEZIV.bDllLoaded, 0);
    EXPECT_EQ(VOZEZIV.pRepositBssidList, nullptr);
}

TEST_F(WvwlLibLoadTest, FetchesEntriesPresentAndLeavesOthersNull)
{
    ASSERT_TRUE(LoadFixture("fake_wlapi_full.dll"));
    EXPECT_NE(VOZEZIV.hWLAPIDll, nullptr);
    EXPECT_NE(VOZEZIV.WVWL_AdapterSelect, nullptr);
    EXPECT_NE(VOZEZIV.WVWL_GetWinOS, nullptr);
    EXPECT_NE(VOZEZIV.WVWL_GetWinType, nullptr);
    EXPECT_NE(VOZEZIV.WVWL_OutPutUIWppLog, nullptr);
    EXPECT_EQ(VOZEZIV.WVWL_SiteSurveyScan, nullptr);
    EXPECT_EQ(VOZEZIV.WVWL_InitExtregWPS, nullptr);
    EXPECT_EQ(VOZEZIV.HS20_Init, nullptr);
    EXPECT_EQ(VOZEZIV.bDllLoaded, 1);
}

TEST_F(WvwlLibLoadTest, VersionCodesChooseTheNetworkBufferSize)
{
    const struct {
        const char* fixture;
        const char* winOS;
        int expectedOS;
        int expectedType;
        unsigned size;
    } cases[] = {
        {"fake_wlapi_bare.dll", "41", 0, 0, 0x10000},   // entries missing
        {"fake_wlapi_full.dll", "11", 11, 14, 0x8000},
        {"fake_wlapi_full.dll", "20", 20, 14, 0x8000},
        {"fake_wlapi_full.dll", "21", 21, 14, 0x10000},
        {"fake_wlapi_full.dll", "51", 51, 14, 0x10000},
        {"fake_wlapi_full.dll", "-5", -5, 14, 0x8000},  // signed comparison
    };
    SetEnvironmentVariableA("WEVO_FAKE_WINTYPE", "14");
    for (const auto& c : cases) {
        SetEnvironmentVariableA("WEVO_FAKE_WINOS", c.winOS);
        ASSERT_TRUE(LoadFixture(c.fixture)) << c.fixture;
        EXPECT_EQ(VOZEZIV.nWinOS, c.expectedOS) << c.fixture << " " << c.winOS;
        EXPECT_EQ(VOZEZIV.nWinType, c.expectedType) << c.fixture << " " << c.winOS;
        EXPECT_EQ(VOZEZIV.nRepositBssidBufSize, c.size) << c.fixture << " " << c.winOS;
        ASSERT_NE(VOZEZIV.pRepositBssidList, nullptr);
        EXPECT_EQ(std::vector<BYTE>(VOZEZIV.pRepositBssidList, VOZEZIV.pRepositBssidList + c.size),
                  std::vector<BYTE>(c.size, 0));
    }
}

TEST_F(WvwlLibLoadTest, SettingsAreReadWithTheVersionCodes)
{
    SetEnvironmentVariableA("WEVO_FAKE_WINOS", "41");
    SetEnvironmentVariableA("WEVO_FAKE_WINTYPE", "14");
    folder.Write("Wevo.ini", "[Settings]\nWiFiDirectStandAlone4114=1\nDebugMode=2\n[WiFiDirect]\nSupportWiFiDirect41=0\n");
    folder.Write("ViRuvuzOdiraz.ini", "[Device]\nFriendlyName=Den\n");
    ASSERT_TRUE(LoadFixture("fake_wlapi_full.dll"));
    EXPECT_EQ(VOZEZIV.bWiFiDirectStandAlone, 1);
    EXPECT_EQ(VOZEZIV.nDebugMode, 2);
    EXPECT_EQ(VOZEZIV.bSupportWiFiDirect, 0);
    EXPECT_EQ(VOZEZIV.bEAP_FAST, 1);
    EXPECT_EQ(VOZEZIV.strMediaServerFriendlyName, "Den");
}

TEST_F(WvwlLibLoadTest, DefaultProfileHoldsTheTemplateAndZerosElsewhere)
{
    std::memset(&VOZEZIV.defaultProfile, 0xAB, sizeof VOZEZIV.defaultProfile);
    ASSERT_TRUE(VOZEZIV.Load(FixturePath("fake_wlapi_full.dll").c_str()));
    std::vector<BYTE> expected(5984, 0);
    PutLE32(expected, 48, 1);      // enumNetworkType
    PutLE32(expected, 52, 2);      // enumPreamType
    PutLE32(expected, 56, 2347);   // lRtsThre
    PutLE32(expected, 60, 2346);   // lFragThre
    PutLE32(expected, 68, 1);      // enumEncryStatus
    PutLE32(expected, 348, 1);     // wepDefaultKey
    PutLE32(expected, 360, 6);     // lFreq
    ASSERT_EQ(sizeof VOZEZIV.defaultProfile, expected.size());
    const BYTE* actual = reinterpret_cast<const BYTE*>(&VOZEZIV.defaultProfile);
    EXPECT_EQ(std::vector<BYTE>(actual, actual + expected.size()), expected);
}

TEST_F(WvwlLibLoadTest, SelectedAdapterTextsAreEmptied)
{
    std::memset(&VOZEZIV.selectedAdapter, 'x', sizeof VOZEZIV.selectedAdapter);
    ASSERT_TRUE(VOZEZIV.Load(FixturePath("fake_wlapi_full.dll").c_str()));
    EXPECT_EQ(VOZEZIV.selectedAdapter.DevDesc[0], '\0');
    EXPECT_EQ(VOZEZIV.selectedAdapter.HardwareID[0], '\0');
    EXPECT_EQ(VOZEZIV.selectedAdapter.Text128[0], '\0');
    EXPECT_EQ(VOZEZIV.selectedAdapter.Text392[0], '\0');
}

TEST_F(WvwlLibLoadTest, WiFiDisplayNeedsBothLibrariesBesideTheProgram)
{
    const struct {
        bool source;
        bool capture;
        const char* ini;
        int expected;
    } cases[] = {
        {true, true, "", 1},
        {true, false, "", 0},
        {false, true, "", 0},
        {false, false, "", 0},
        {true, true, "[WiFiDisplay]\nSupportWiFiDisplay=0\n", 0},
    };
    for (const auto& c : cases) {
        TempFolder programFolder;
        programPath = programFolder.File("Wevo.exe");
        if (c.source)
            programFolder.Write("VaZEDEVE.dll", "");
        if (c.capture)
            programFolder.Write("WFDSource.dll", "");
        programFolder.Write("Wevo.ini", c.ini);
        ASSERT_TRUE(LoadFixture("fake_wlapi_full.dll"));
        EXPECT_EQ(VOZEZIV.bSupportWiFiDisplay, c.expected) << c.source << c.capture << c.ini;
    }
}

TEST_F(WvwlLibLoadTest, OverlongProgramFolderTurnsWiFiDisplayOffWithOneLine)
{
    VOZEZIV.nDebugMode = 9;
    const struct {
        size_t folderLength;
        const char* line;
    } cases[] = {
        {245, nullptr},
        {246, "[Wevo][Info] [WiFi] <-- CWiFiDlg::IsExistWiFiDisplayDll, The path(szWFDSourceFullPath) is too log\n"},
        {247, "[Wevo][Info] [WiFi] <-- CWiFiDlg::IsExistWiFiDisplayDll, The path(szVaZEDEVEFullPath) is too log\n"},
        {400, "[Wevo][Info] [WiFi] <-- CWiFiDlg::IsExistWiFiDisplayDll, The path(szVaZEDEVEFullPath) is too log\n"},
    };
    for (const auto& c : cases) {
        std::string programFolder = "C:\\" + std::string(c.folderLength - 3, 'd');
        programPath = programFolder + "\\Wevo.exe";
        debugLines.clear();
        EXPECT_EQ(CWiFiDlg::IsExistWiFiDisplayDll(), 0);
        if (c.line) {
            EXPECT_EQ(debugLines, std::vector<std::string>{c.line}) << c.folderLength;
        } else {
            EXPECT_TRUE(debugLines.empty()) << c.folderLength;
        }
    }
}

TEST_F(WvwlLibLoadTest, LinesReachTheLibraryOnlyAfterLoading)
{
    // A line logged while Load runs (the overlong folder) stays on the debugger output.
    programPath = "C:\\" + std::string(300, 'd') + "\\Wevo.exe";
    VOZEZIV.nDebugMode = 0;
    ASSERT_TRUE(VOZEZIV.Load(FixturePath("fake_wlapi_full.dll").c_str()));
    auto loggedLines = reinterpret_cast<int(__stdcall*)()>(
        reinterpret_cast<void*>(GetProcAddress(VOZEZIV.hWLAPIDll, "FakeLoggedLines")));
    auto lastLine = reinterpret_cast<const char*(__stdcall*)()>(
        reinterpret_cast<void*>(GetProcAddress(VOZEZIV.hWLAPIDll, "FakeLastLine")));
    ASSERT_NE(loggedLines, nullptr);
    EXPECT_EQ(loggedLines(), 0);

    PrintMessage(6, " --> after load %d\n", 7);
    EXPECT_EQ(loggedLines(), 1);
    EXPECT_STREQ(lastLine(), "[Wevo][Info]  --> after load 7\n");
}

TEST_F(WvwlLibLoadTest, HotspotLibraryLoadsAndReleases)
{
    VOZEZIV.nDebugMode = 9;
    EXPECT_FALSE(VOZEZIV.LoadHS20(nullptr));
    EXPECT_FALSE(VOZEZIV.LoadHS20(folder.File("HS20.dll").c_str()));
    EXPECT_EQ(debugLines, (std::vector<std::string>{"[Wevo][Info] [WevoHS] dll name is null!\n",
                                                     "[Wevo][Info] [WevoHS] load hs20.dll failed!\n"}));

    ASSERT_TRUE(VOZEZIV.LoadHS20(FixturePath("fake_hs20.dll").c_str()));
    EXPECT_NE(VOZEZIV.hHS20Dll, nullptr);
    ASSERT_NE(VOZEZIV.HS20_Init, nullptr);
    EXPECT_EQ(VOZEZIV.HS20_Deinit, nullptr);

    debugLines.clear();
    VOZEZIV.ReleaseHS20();
    EXPECT_EQ(debugLines, (std::vector<std::string>{"[Wevo][Info]  --> WVWLLIB::ReleaseHS20\n",
                                                     "[Wevo][Info]  FreeLibrary(HS20.dll) success!\n",
                                                     "[Wevo][Info]  <-- WVWLLIB::ReleaseHS20\n"}));
    // Nothing of the released library stays callable; a second release frees nothing.
    EXPECT_EQ(VOZEZIV.hHS20Dll, nullptr);
    EXPECT_EQ(VOZEZIV.HS20_Init, nullptr);
    debugLines.clear();
    VOZEZIV.ReleaseHS20();
    EXPECT_EQ(debugLines.size(), 2u);

    ASSERT_TRUE(VOZEZIV.LoadHS20(FixturePath("fake_hs20.dll").c_str()));
    EXPECT_NE(VOZEZIV.HS20_Init, nullptr);
}

// ---------------------------------------------------------------------------------------------
// The certificate library is looked up by its bare name, so the program's own folder decides.
// These tests run a copy of this test program from a folder laid out as an installed program.

namespace {

const char* const kProbeVariable = "WEVO_LOAD_PROBE";

std::map<std::string, std::string> RunLoadProbe(const TempFolder& programFolder)
{
    const std::string exe = programFolder.File("Wevo.exe");
    CopyFileA((TestProgramFolder() + "test_core.exe").c_str(), exe.c_str(), FALSE);
    const std::string report = programFolder.File("probe.txt");
    SetEnvironmentVariableA(kProbeVariable, report.c_str());
    std::string commandLine = "\"" + exe + "\" --gtest_filter=LoadProbe.ReportsTheLoadedState";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    BOOL started = CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                  programFolder.Path().c_str(), &startup, &process);
    SetEnvironmentVariableA(kProbeVariable, nullptr);
    std::map<std::string, std::string> values;
    if (!started)
        return values;
    WaitForSingleObject(process.hProcess, 60000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    std::ifstream in(report);
    std::string line;
    while (std::getline(in, line)) {
        size_t eq = line.find('=');
        if (eq != std::string::npos)
            values[line.substr(0, eq)] = line.substr(eq + 1);
    }
    return values;
}

}  // namespace

TEST(LoadProbe, ReportsTheLoadedState)
{
    char report[MAX_PATH] = {};
    if (GetEnvironmentVariableA(kProbeVariable, report, sizeof report) == 0)
        GTEST_SKIP() << "runs only as the child of a loading test";
    bool loaded = VOZEZIV.Load((ProgramFolder() + "VoZEZIV.dll").c_str());
    std::ofstream out(report);
    out << "loaded=" << loaded << "\n";
    out << "certModule=" << (VOZEZIV.hCertMgrDll != nullptr) << "\n";
    out << "IsLegal=" << (VOZEZIV.ZeZuveZud_IsLegal != nullptr) << "\n";
    out << "GetCertIndex=" << (VOZEZIV.ZeZuveZud_GetCertIndex != nullptr) << "\n";
    out << "GetIdentity=" << (VOZEZIV.ZeZuveZud_GetIdentity != nullptr) << "\n";
    out << "dllLoaded=" << VOZEZIV.bDllLoaded << "\n";
}

TEST(WvwlLibCertificateLibrary, AbsentLeavesItsFieldsNull)
{
    TempFolder programFolder;
    CopyFileA(FixturePath("fake_wlapi_full.dll").c_str(), programFolder.File("VoZEZIV.dll").c_str(), FALSE);
    auto values = RunLoadProbe(programFolder);
    EXPECT_EQ(values["loaded"], "1");
    EXPECT_EQ(values["dllLoaded"], "1");
    EXPECT_EQ(values["certModule"], "0");
    EXPECT_EQ(values["IsLegal"], "0");
    EXPECT_EQ(values["GetCertIndex"], "0");
}

TEST(WvwlLibCertificateLibrary, PresentFillsTheEntriesItHas)
{
    TempFolder programFolder;
    CopyFileA(FixturePath("fake_wlapi_full.dll").c_str(), programFolder.File("VoZEZIV.dll").c_str(), FALSE);
    CopyFileA(FixturePath("fake_certmgr.dll").c_str(), programFolder.File("ZeZuveZud.dll").c_str(), FALSE);
    auto values = RunLoadProbe(programFolder);
    EXPECT_EQ(values["loaded"], "1");
    EXPECT_EQ(values["certModule"], "1");
    EXPECT_EQ(values["IsLegal"], "1");
    EXPECT_EQ(values["GetCertIndex"], "1");
    EXPECT_EQ(values["GetIdentity"], "0");
}
