#include "extap_fixture.h"

#include "advanced/IcsSharing.h"
#include "dialogs/Dialogs.h"
#include "resources/FormResource.h"
#include "ui/Seams.h"

void ExtAPFixture::TearDown()
{
    seams::sleepOverride = nullptr;
    ProgramFixture::TearDown();
}

void ExtAPFixture::Start(const std::vector<std::string>& lines)
{
    TScenario built;
    std::string section;
    for (const std::string& line : lines) {
        if (!line.empty() && line[0] == '[') {
            section = line.substr(1, line.size() - 2);
            continue;
        }
        const size_t eq = line.find('=');
        built.Set(section, line.substr(0, eq), line.substr(eq + 1));
    }
    seams::modalAnswer = [this](const std::string& what) {
        m_boxes.push_back(what);
        return 1;
    };
    seams::sleepOverride = [](DWORD) {};
    ResetIcsState();
    LoadLibrary(built);
    Application->CreateForm(FormResource);
    Application->CreateForm(FormMessageBox);
    Application->CreateForm(FormExtendedAP);
    Application->CreateForm(FormExtendedAPIdPwd);
}

EXTAP_CONFIG ExtAPFixture::Stored()
{
    EXTAP_CONFIG config{};
    VOZEZIV.WVWL_ReadExtAPConfig(&config);
    return config;
}

void ExtAPFixture::Store(const EXTAP_CONFIG& config)
{
    VOZEZIV.WVWL_WriteExtAPConfig(config);
}

std::vector<std::string> ExtAPFixture::Calls(const std::string& entry)
{
    std::vector<std::string> lines;
    const std::string journal = "\n" + SimJournal();
    size_t at = 0;
    while ((at = journal.find("\n" + entry + "(", at)) != std::string::npos) {
        ++at;
        const size_t end = journal.find('\n', at);
        lines.push_back(journal.substr(at, end - at));
        at = end;
    }
    return lines;
}

bool ExtAPFixture::BoxShown(const std::string& text) const
{
    for (const std::string& box : m_boxes)
        if (box.find(text) != std::string::npos)
            return true;
    return false;
}

const CUISTR& ExtAPFixture::Str() const
{
    return *FormResource->UI_Str;
}

std::vector<std::string> Section(const std::string& name, const std::vector<std::string>& lines)
{
    std::vector<std::string> all{"[" + name + "]"};
    all.insert(all.end(), lines.begin(), lines.end());
    return all;
}
