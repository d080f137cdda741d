#pragma once
// The program's windows on the simulated adapter, with the Hotspot 2.0 library stand-in held
// loaded by the test (so its journal outlives the program's load and release), the state file
// in a folder of the test's own and the one-second wait of the disable made instant.
#include <windows.h>

#include <string>
#include <vector>

#include "hotspot/FormHotSpot.h"
#include "mainwindow/program_fixture.h"
#include "wlapi/records.h"

inline constexpr char kAdapterGuid[] = "{4D36E972-E325-11CE-BFC1-08002BE10318}";

class HotSpotFixture : public ProgramFixture {
protected:
    void SetUp() override;
    void TearDown() override;

    TFrameHotSpotMain* Page() const { return FormHotSpot->FrameHotSpotMain; }
    void Enable() { Page()->rBtnEnableHS20->SetChecked(true); }
    void Disable() { Page()->rBtnDisableHS20->SetChecked(true); }

    // The stand-in's control surface.
    std::string Journal();
    void JournalClear();
    std::string Entries();
    void Inject(const char* entry, int call, int result);
    int Calls(const char* entry);
    void SetConnected(int connected, const char* name, const BYTE* bssid, int method);

    // An entry as an add page would make it: into the library, then a row.
    void AddCredential(const std::string& name, int weight, bool prefer = false);
    void AddProfile(const std::string& name, int weight, bool prefer = false);

    // Rows as "<mark>|<name>", in order.
    std::vector<std::string> Rows() const;
    // The weight table as "Present/Kind/Index/Weight" per row.
    std::vector<std::string> WeightTable() const;
    bool Logged(const std::string& line) const;

    // The user's input, through the controls' window procedures.
    void Click(TWinControl* control);
    void Type(TEdit* edit, const std::string& text);
    void Pick(TComboBox* list, int index);
    void SelectRow(int row);
    void ClickTab(TWvImage* tab);  // any picture button of the window
    // The stand-in's stored record of an entry.
    HS20_CREDENTIAL StoredCredential(int index);
    HS20_PROFILE StoredProfile(int index);
    // The adapter journal's lines of driver requests, e.g. "0xFFF10708 1 01".
    std::vector<std::string> OidSets();

    void WriteStateFile(const std::string& text) const;
    std::string ReadStateFile(const std::string& path) const;
    bool StateFileExists() const;

    std::string m_stateFile;
    std::string m_folder;
    HMODULE m_hs20 = nullptr;
};
