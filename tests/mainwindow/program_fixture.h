#pragma once
// Builds the program's windows as start-up does, on the simulated adapter,
// without entering the message loop; pumps messages while it waits.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "core/WvwlLib.h"
#include "mainwindow/FormMain.h"

// One scenario file for the simulated adapter: the default scene with keys
// replaced and sections added.
class TScenario {
public:
    TScenario();
    TScenario& Set(const std::string& section, const std::string& key, const std::string& value);
    TScenario& AddSection(const std::string& section, const std::vector<std::string>& lines);
    std::string Text() const;

private:
    std::vector<std::string> m_lines;
};

class ProgramFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Loads the adapter library on this scenario and creates every window.
    void StartProgram(const TScenario& scenario = TScenario());
    // Loads the library only (to prepare stored state before the windows exist).
    void LoadLibrary(const TScenario& scenario = TScenario());
    void CreateWindows();

    void Pump(DWORD ms);
    bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs = 10000);

    // The simulator's control surface.
    int SimCommand(const std::string& line, std::string* reply = nullptr);
    int SimCallCount(const char* entry);
    std::string SimJournal();
    void SimJournalClear();
    // Waits until the simulator has no timed work left (a scan or a connection in flight).
    bool SimWaitIdle(int timeoutMs = 20000);
    int SimPlugAdapter(int index, bool present);

    // A WPA2 profile of the scenario's HomeNet stored as the active profile.
    void StoreHomeProfile();

    // Every log line the program wrote.
    std::vector<std::string> m_log;
    std::string m_scenarioPath;
};
