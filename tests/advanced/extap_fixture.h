#pragma once
// The access-point windows on the simulated adapter, without the main window: the library,
// the picture repository, the message box and the two access-point windows.
#include <string>
#include <vector>

#include "advanced/FormExtendedAP.h"
#include "advanced/FormExtendedAPIdPwd.h"
#include "mainwindow/program_fixture.h"
#include "resources/UiStr.h"

class ExtAPFixture : public ProgramFixture {
protected:
    void TearDown() override;

    // Scenario with the extra lines appended; message boxes are answered OK and recorded.
    void Start(const std::vector<std::string>& lines = {});

    // The stored access-point record.
    EXTAP_CONFIG Stored();
    void Store(const EXTAP_CONFIG& config);
    // Journal lines of one entry, e.g. "WVWL_EnableICS() -> 1".
    std::vector<std::string> Calls(const std::string& entry);
    // The message boxes shown so far whose text contains this one.
    bool BoxShown(const std::string& text) const;
    const CUISTR& Str() const;

    std::vector<std::string> m_boxes;
};

// Builds a scenario text of "key=value" lines under their section headers.
std::vector<std::string> Section(const std::string& name, const std::vector<std::string>& lines);
