#include "hotspot/hotspot_fixture.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

#include "core/Settings.h"
#include "core/WvwlLib.h"
#include "ui/Seams.h"

namespace {

template <class F>
F Entry(HMODULE module, const char* name)
{
    return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

std::string TextOf(int (*read)(char*, int))
{
    if (!read)
        return {};
    const int size = read(nullptr, 0);
    std::string text(size_t(size > 0 ? size : 1), '\0');
    read(text.data(), size);
    text.resize(std::strlen(text.c_str()));
    return text;
}

} // namespace

void HotSpotFixture::SetUp()
{
    ProgramFixture::SetUp();
    m_hs20 = ::LoadLibraryA((ProgramFolder() + "HS20.dll").c_str());
    ASSERT_NE(m_hs20, nullptr);
    Entry<void (*)()>(m_hs20, "SimHs20Reset")();

    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    m_folder = std::string(temp) + "hs" + std::to_string(GetCurrentProcessId());
    m_stateFile = m_folder + "\\HS20.ini";
    ASSERT_LT(m_stateFile.size(), 60u);

    // The disable waits a second; the clock jumps instead.
    seams::clockOverride = [t = DWORD(0)]() mutable { return t += 700; };

    StartProgram(TScenario().Set("Adapter.1", "Text128", kAdapterGuid));
    ASSERT_NE(FormHotSpot, nullptr);
    VOZEZIV.nDebugMode = 9;
    std::snprintf(Page()->m_szIniFile, sizeof Page()->m_szIniFile, "%s", m_stateFile.c_str());
}

void HotSpotFixture::TearDown()
{
    ProgramFixture::TearDown();
    seams::clockOverride = nullptr;
    DeleteFileA(m_stateFile.c_str());
    DeleteFileA((m_stateFile + ".bak").c_str());
    RemoveDirectoryA(m_folder.c_str());
    if (m_hs20)
        FreeLibrary(m_hs20);
}

std::string HotSpotFixture::Journal()
{
    return TextOf(Entry<int (*)(char*, int)>(m_hs20, "SimHs20Journal"));
}

void HotSpotFixture::JournalClear()
{
    Entry<void (*)()>(m_hs20, "SimHs20JournalClear")();
}

std::string HotSpotFixture::Entries()
{
    return TextOf(Entry<int (*)(char*, int)>(m_hs20, "SimHs20Entries"));
}

void HotSpotFixture::Inject(const char* entry, int call, int result)
{
    Entry<void (*)(const char*, int, int)>(m_hs20, "SimHs20Inject")(entry, call, result);
}

int HotSpotFixture::Calls(const char* entry)
{
    return Entry<int (*)(const char*)>(m_hs20, "SimHs20CallCount")(entry);
}

void HotSpotFixture::SetConnected(int connected, const char* name, const BYTE* bssid, int method)
{
    Entry<void (*)(int, const char*, const BYTE*, int)>(m_hs20, "SimHs20SetConnected")(connected, name, bssid,
                                                                                       method);
}

void HotSpotFixture::AddCredential(const std::string& name, int weight, bool prefer)
{
    HS20_CREDENTIAL c{};
    c.Weight = uint8_t(weight);
    std::snprintf(c.Name, sizeof c.Name, "%s", name.c_str());
    ASSERT_EQ(VOZEZIV.HS20_Add_Credential(c), 1);
    ASSERT_TRUE(Page()->AddSettingRow(name, TFrameHotSpotMain::kCredential, weight, prefer));
}

void HotSpotFixture::AddProfile(const std::string& name, int weight, bool prefer)
{
    HS20_PROFILE p{};
    p.IsPSK = 1;
    p.Weight = uint8_t(weight);
    std::snprintf(p.Name, sizeof p.Name, "%s", name.c_str());
    ASSERT_EQ(VOZEZIV.HS20_Add_Profile(p), 1);
    ASSERT_TRUE(Page()->AddSettingRow(name, TFrameHotSpotMain::kProfile, weight, prefer));
}

std::vector<std::string> HotSpotFixture::Rows() const
{
    std::vector<std::string> rows;
    const TListView* list = Page()->lvConnSettingTable;
    for (int i = 0; i < list->ItemCount(); ++i)
        rows.push_back(list->Item(i)->Caption() + "|" + Page()->RowName(i));
    return rows;
}

std::vector<std::string> HotSpotFixture::WeightTable() const
{
    std::vector<std::string> table;
    for (const HS20_WEIGHT_ENTRY& e : Page()->m_WeightTable.Entry) {
        char one[32];
        std::snprintf(one, sizeof one, "%u/%u/%u/%u", e.Present, e.Kind, e.Index, e.Weight);
        table.push_back(one);
    }
    return table;
}

bool HotSpotFixture::Logged(const std::string& line) const
{
    for (const std::string& each : m_log) {
        if (each.find(line) != std::string::npos)
            return true;
    }
    return false;
}

void HotSpotFixture::WriteStateFile(const std::string& text) const
{
    CreateDirectoryA(m_folder.c_str(), nullptr);
    std::ofstream(m_stateFile, std::ios::binary) << text;
}

std::string HotSpotFixture::ReadStateFile(const std::string& path) const
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

bool HotSpotFixture::StateFileExists() const
{
    return GetFileAttributesA(m_stateFile.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void HotSpotFixture::Click(TWinControl* control)
{
    SendMessageA(control->Handle(), BM_CLICK, 0, 0);
}

void HotSpotFixture::Type(TEdit* edit, const std::string& text)
{
    const HWND h = edit->Handle();
    SendMessageA(h, EM_SETSEL, 0, -1);
    SendMessageA(h, WM_CHAR, VK_BACK, 0);
    for (char c : text)
        SendMessageA(h, WM_CHAR, WPARAM(static_cast<unsigned char>(c)), 0);
}

void HotSpotFixture::Pick(TComboBox* list, int index)
{
    const HWND h = list->Handle();
    SendMessageA(h, CB_SETCURSEL, WPARAM(index), 0);
    SendMessageA(GetParent(h), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(h), CBN_SELCHANGE), LPARAM(h));
}

void HotSpotFixture::SelectRow(int row)
{
    LVITEMA state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(Page()->lvConnSettingTable->Handle(), LVM_SETITEMSTATE, WPARAM(row), LPARAM(&state));
}

void HotSpotFixture::ClickTab(TWvImage* tab)
{
    const HWND form = FormHotSpot->Handle();
    const int x = tab->Left() + tab->Width() / 2, y = tab->Top() + tab->Height() / 2;
    SendMessageA(form, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageA(form, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

HS20_CREDENTIAL HotSpotFixture::StoredCredential(int index)
{
    HS20_CREDENTIAL record{};
    const int size = Entry<int (*)(int, int, void*, int)>(m_hs20, "SimHs20Record")(0, index, &record, sizeof record);
    EXPECT_EQ(size, int(sizeof record)) << "no credential " << index;
    return record;
}

HS20_PROFILE HotSpotFixture::StoredProfile(int index)
{
    HS20_PROFILE record{};
    const int size = Entry<int (*)(int, int, void*, int)>(m_hs20, "SimHs20Record")(1, index, &record, sizeof record);
    EXPECT_EQ(size, int(sizeof record)) << "no profile " << index;
    return record;
}

std::vector<std::string> HotSpotFixture::OidSets()
{
    // The adapter journals a request's data bytes on a line of their own before the call.
    std::vector<std::string> lines;
    std::istringstream journal(SimJournal());
    const std::string head = "WVWL_OIDSetInfo(", dataHead = "WVWL_OIDSetInfo data ";
    std::string data;
    for (std::string line; std::getline(journal, line);) {
        if (const size_t at = line.find(dataHead); at != std::string::npos) {
            data = " " + line.substr(at + dataHead.size());
            continue;
        }
        const size_t at = line.find(head);
        if (at == std::string::npos)
            continue;
        const size_t end = line.find(')', at);
        lines.push_back(line.substr(at + head.size(), end - at - head.size()) + data);
        data.clear();
    }
    return lines;
}
