#pragma once
// The Wi-Fi Display window with its sessions on the session, capture and player stand-ins:
// their control surfaces, their journals (the source's two merged in call order), and a
// settings file of this process.
#include <string>
#include <vector>

#include "wifidisplay/WDPSeams.h"
#include "wifidisplay/wifidisplay_fixture.h"

class SourceFixture : public WiFiDisplayFixture {
protected:
    void SetUp() override;
    void TearDown() override;
    // Starts the program on a screen of this size offering these display modes.
    void StartOn(SIZE screen, const std::vector<wdpseams::DisplayMode>& modes);
    void SetSo(const std::string& key, const std::string& value);

    // Plays the script through the session library's thread and handles what it posted.
    void Script(const std::string& script);
    void Inject(const char* entry, int result);
    void CaptureInject(const char* entry, int result);
    void CaptureClearInjections();
    void SetSessionID(int id);
    // Lines of both stand-ins in call order, without their stamps; cleared by ClearJournals.
    std::vector<std::string> Calls();
    // Only the lines that start with prefix.
    std::vector<std::string> Calls(const std::string& prefix);
    static std::string NamedMainWindow(const std::string& line);
    void ClearJournals();
    // A log line the program wrote (the adapter library journals them) contains part.
    bool Logged(const std::string& part);

    WDPSource& Source() { return FormWiFiDisplay->m_Source; }

    // The player stand-in: its journal lines, a script of its callbacks played and handled.
    std::vector<std::string> PlayerCalls();
    void PlayerClear();
    void PlayerRun(const std::string& script);
    void PlayerSetState(int state);
    void PlayerInject(const char* entry, int result);
    void PlayerClearInjections();
    int PlayerWatchByte();

private:
    std::string m_ini;
};

// A 288-byte format record as the session library delivers it, in hexadecimal.
std::string FormatRecord(uint8_t preferred, uint8_t profile, uint8_t level, uint32_t cea, uint32_t vesa, uint32_t hh);
