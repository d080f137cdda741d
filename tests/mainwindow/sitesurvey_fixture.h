#pragma once
// The site survey and the profile editor on the simulated adapter library, without the
// main window: scenario, library, adapter, windows; scans completed by pumping.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <mutex>
#include <string>
#include <vector>

#include "dialogs/Dialogs.h"
#include "core/Settings.h"
#include "core/WvwlLib.h"
#include "mainwindow/FormSiteSurvey.h"
#include "mainwindow/LinkStatus.h"
#include "profiles/FormProfileEdit.h"
#include "resources/FormResource.h"
#include "ui/Forms.h"
#include "ui/Seams.h"
#include "../ui/UiTestSupport.h"

class SiteSurveyFixture : public ::testing::Test {
protected:
    static void __stdcall Callback(int, const void*, int) {}

    template <class F>
    static F SimEntry(const char* name)
    {
        return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(VOZEZIV.hWLAPIDll, name)));
    }

    void SetUp() override
    {
        seams::logSink = [this](const char* line) {
            std::lock_guard<std::mutex> lock(m_logLock);
            m_log.push_back(line);
        };
        SetEnvironmentVariableA("WEVO_SIM_STATE", "none");
        SetEnvironmentVariableA("WEVO_SIM_PIPE", "none");
    }

    void TearDown() override
    {
        seams::modalAnswer = nullptr;
        seams::clockOverride = nullptr;
        Application->DestroyForms();
        if (VOZEZIV.hWLAPIDll) {
            if (auto shutdown = SimEntry<void (*)()>("SimShutdown"))
                shutdown();
        }
        seams::logSink = nullptr;
        if (!m_scenarioPath.empty())
            DeleteFileA(m_scenarioPath.c_str());
    }

    // The default scene with its scans shortened; extra lines are appended.
    static std::string DefaultScene(const std::string& extra = {})
    {
        std::ifstream in(ProgramFolder() + "scenarios\\default.ini", std::ios::binary);
        std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        const std::string key = "ScanTimeMs=1500";
        const size_t at = text.find(key);
        if (at != std::string::npos)
            text.replace(at, key.size(), "ScanTimeMs=30");
        const std::string connect = "ConnectTimeMs=800";
        const size_t c = text.find(connect);
        if (c != std::string::npos)
            text.replace(c, connect.size(), "ConnectTimeMs=60");
        return text + "\r\n" + extra;
    }

    void Start(const std::string& scene = DefaultScene())
    {
        char folder[MAX_PATH], path[MAX_PATH];
        GetTempPathA(MAX_PATH, folder);
        GetTempFileNameA(folder, "wss", 0, path);
        m_scenarioPath = path;
        std::ofstream(m_scenarioPath, std::ios::binary) << scene;
        SetEnvironmentVariableA("WEVO_SCENARIO", m_scenarioPath.c_str());
        ASSERT_TRUE(VOZEZIV.Load((ProgramFolder() + "VoZEZIV.dll").c_str()));
        std::vector<BYTE> adapters(4 + sizeof(WLAN_ADAPTER));
        ASSERT_EQ(VOZEZIV.WVWL_GetAvailableAdapters(adapters.data(), 1), 1);
        std::memcpy(&VOZEZIV.selectedAdapter, adapters.data() + 4, sizeof(WLAN_ADAPTER));
        ASSERT_EQ(VOZEZIV.WVWL_AdapterSelect(&VOZEZIV.selectedAdapter, Callback, nullptr), 1);
        Application->CreateForm(FormResource);
        Application->CreateForm(FormMessageBox);
        Application->CreateForm(FormSiteSurvey);
        Application->CreateForm(FormProfileEdit);
        FormSiteSurvey->TimerReScanOn->SetEnabled(false);
    }

    void Pump(DWORD ms)
    {
        const DWORD start = GetTickCount();
        do {
            Application->ProcessMessages();
            Sleep(5);
        } while (GetTickCount() - start < ms);
    }

    template <class Condition>
    bool PumpUntil(Condition condition, DWORD timeoutMs = 5000)
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

    // The window shown and Rescan pressed once it offers it; the library's completion waited
    // for, then one tick of the survey timer.
    void RescanAndShow()
    {
        FormSiteSurvey->Show();
        ASSERT_TRUE(PumpUntil([] { return FormSiteSurvey->BtnSiteSurveyRescan->Enabled(); }));
        ASSERT_TRUE(ClickControl(FormSiteSurvey->BtnSiteSurveyRescan));
        ASSERT_TRUE(PumpUntil([] { return m_bSurveyComplete != 0; }));
        FormSiteSurvey->TimerSiteSurvey->Tick();
    }

    // SSID column of every row, in list order.
    static std::vector<std::string> ListedSsids()
    {
        std::vector<std::string> ssids;
        for (int i = 0; i < FormSiteSurvey->lvApList->ItemCount(); ++i)
            ssids.push_back(FormSiteSurvey->lvApList->Item(i)->SubItem(0));
        return ssids;
    }

    static int RowOf(const std::string& ssid)
    {
        for (int i = 0; i < FormSiteSurvey->lvApList->ItemCount(); ++i)
            if (FormSiteSurvey->lvApList->Item(i)->SubItem(0) == ssid)
                return i;
        return -1;
    }

    int SimCommand(const std::string& line, std::string* reply = nullptr)
    {
        auto command = SimEntry<int (*)(const char*, char*, int)>("SimCommand");
        if (!command)
            return 0;
        char out[4096] = {};
        const int n = command(line.c_str(), out, sizeof out);
        if (reply)
            *reply = out;
        return n;
    }

    std::string SimJournal()
    {
        auto journal = SimEntry<int (*)(char*, int)>("SimJournal");
        if (!journal)
            return {};
        const int size = journal(nullptr, 0);
        std::string text(size_t(size > 0 ? size : 1), '\0');
        journal(text.data(), size);
        text.resize(std::strlen(text.c_str()));
        return text;
    }

    std::vector<std::string> Log()
    {
        std::lock_guard<std::mutex> lock(m_logLock);
        return m_log;
    }

    std::mutex m_logLock;
    std::vector<std::string> m_log;
    std::string m_scenarioPath;
};
