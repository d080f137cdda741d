#include "advanced_pages_fixture.h"

#include <cstring>

#include "resources/FormResource.h"
#include "ui/Seams.h"

void AdvancedPages::TearDown()
{
    seams::sleepOverride = nullptr;
    ProgramFixture::TearDown();
}

void AdvancedPages::Open(TScenario scenario)
{
    seams::modalAnswer = [this](const std::string& what) {
        m_boxes.push_back(what);
        return 1;
    };
    seams::sleepOverride = [](DWORD) {};
    scenario.Set("System", "ConnectTimeMs", "50").Set("System", "ScanTimeMs", "50");
    StartProgram(scenario);
    VOZEZIV.nDebugMode = 6;  // the tests read the program's trace lines
    FormAdvanced->Show();
    Pump(50);
}

void AdvancedPages::EnterWireless()
{
    // the wireless tab stays hidden: only code reaches its page
    FormAdvanced->TabBtnWirelessClick(FormAdvanced->TabBtnWireless);
}

void AdvancedPages::ClickTab(TWvImage* tab)
{
    const HWND form = FormAdvanced->Handle();
    const int x = tab->Left() + tab->Width() / 2, y = tab->Top() + tab->Height() / 2;
    SendMessageA(form, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageA(form, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

void AdvancedPages::Click(TWinControl* control)
{
    SendMessageA(control->Handle(), BM_CLICK, 0, 0);
}

void AdvancedPages::Choose(TComboBox* list, int index)
{
    const HWND box = list->Handle();
    SendMessageA(box, CB_SETCURSEL, WPARAM(index), 0);
    SendMessageA(GetParent(box), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(box), CBN_SELCHANGE), LPARAM(box));
}

void AdvancedPages::Type(TEdit* edit, const std::string& text)
{
    SendMessageA(edit->Handle(), WM_SETTEXT, 0, LPARAM(text.c_str()));
}

void AdvancedPages::ConnectHome()
{
    StoreHomeProfile();
    WLANPROFILE home{};
    ASSERT_EQ(VOZEZIV.WVWL_ReadProfileData(&home, "Home"), 1);
    VOZEZIV.WVWL_SetWLANProfile(&home);
    ASSERT_TRUE(PumpUntil([this] { return Connected(); })) << SimJournal();
}

bool AdvancedPages::Connected()
{
    std::string status;
    SimCommand("status", &status);
    return status.find("link=connected ssid=HomeNet") != std::string::npos;
}

std::vector<std::string> AdvancedPages::Calls(const std::vector<std::string>& entries)
{
    std::vector<std::string> lines;
    const std::string journal = SimJournal();
    size_t at = 0;
    while (at < journal.size()) {
        size_t end = journal.find('\n', at);
        if (end == std::string::npos)
            end = journal.size();
        const std::string line = journal.substr(at, end - at);
        for (const std::string& entry : entries)
            if (line.rfind(entry + "(", 0) == 0 || line.rfind(entry + ":", 0) == 0 || line == entry ||
                line.rfind(entry + " ", 0) == 0)
                lines.push_back(line);
        at = end + 1;
    }
    return lines;
}

std::vector<std::string> AdvancedPages::Names(const std::vector<std::string>& entries)
{
    std::vector<std::string> names;
    for (const std::string& line : Calls(entries)) {
        const size_t paren = line.find('(');
        names.push_back(paren == std::string::npos ? line : line.substr(0, paren));
    }
    return names;
}

bool AdvancedPages::LogHas(const std::string& text) const
{
    for (const std::string& line : m_log)
        if (line.find(text) != std::string::npos)
            return true;
    return false;
}

const CUISTR& AdvancedPages::Str() const
{
    return *FormResource->UI_Str;
}
