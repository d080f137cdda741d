#pragma once
// The advanced window and its pages in the whole program on the simulated adapter, used
// through real messages to their controls; the adapter's calls read from the journal.
#include <string>
#include <vector>

#include "advanced/FormAdvanced.h"
#include "mainwindow/program_fixture.h"
#include "resources/UiStr.h"

class AdvancedPages : public ProgramFixture {
protected:
    void TearDown() override;

    // Starts the program on the scenario with the advanced window shown; message boxes are
    // answered OK and recorded.
    void Open(TScenario scenario = TScenario());
    // No tab of the interface leads to the wireless page: its tab's handler stands for it.
    void EnterWireless();
    // A click on a tab picture of the advanced window.
    void ClickTab(TWvImage* tab);

    // A click on a button, check box or radio button.
    static void Click(TWinControl* control);
    // The user picks the item of the drop-down list.
    static void Choose(TComboBox* list, int index);
    static void Type(TEdit* edit, const std::string& text);

    // The stored "Home" profile (HomeNet, WPA2) made current and connected.
    void ConnectHome();
    bool Connected();

    // Journal lines of these entries, in order, e.g. "WVWL_FlushBSSIDList(9 9) -> 1".
    std::vector<std::string> Calls(const std::vector<std::string>& entries);
    std::vector<std::string> Calls(const std::string& entry) { return Calls(std::vector<std::string>{entry}); }
    // The entry names of those lines, in order.
    std::vector<std::string> Names(const std::vector<std::string>& entries);
    bool LogHas(const std::string& text) const;
    const CUISTR& Str() const;

    std::vector<std::string> m_boxes;
};
