// Window messages of the Wi-Fi Display window that act on their own: status texts, the
// keepalive timer, the play buttons; codes the window does not handle change nothing.
#include <windows.h>

#include <string>

#include "wifidisplay/source_fixture.h"

namespace {

using WindowMessages = SourceFixture;

TEST_F(WindowMessages, ActionsByCode)
{
    StartOn({1366, 768}, {{1366, 768, 32, 60}});
    HWND window = FormWiFiDisplay->Handle();
    struct Case {
        unsigned offset;
        WPARAM wParam;
        const char* status;  // nullptr: left as it was
        bool keepalive;
        bool play;
    };
    const Case cases[] = {
        {82, 0, "Stop Send Standby", false, false},
        {54, 0, "Start RTSP Server", false, false},
        {55, 0, "Stop RTSP Server", false, false},
        {56, 1, nullptr, true, false},
        {56, 0, nullptr, false, false},
        {49, 0, nullptr, false, true},
        // not handled here
        {17, 0, nullptr, false, false},
        {26, 1, nullptr, false, false},
        {31, 1, nullptr, false, false},
        {33, 1, nullptr, false, false},
        {47, 1, nullptr, false, false},
        {58, 1, nullptr, false, false},
        {63, 1, nullptr, false, false},
        {71, 1, nullptr, false, false},
        {74, 1, nullptr, false, false},
        {79, 1, nullptr, false, false},
    };
    for (const Case& c : cases) {
        FormWiFiDisplay->EnableWDPPlayControlButton(false);
        FormWiFiDisplay->TimerKeepalive->SetInterval(1000);
        FormWiFiDisplay->TimerKeepalive->SetEnabled(false);
        FormWiFiDisplay->labStatus->SetCaption("before");
        SendMessageA(window, WM_USER + c.offset, c.wParam, 7);
        EXPECT_EQ(FormWiFiDisplay->labStatus->Caption(), c.status ? c.status : "before") << c.offset;
        EXPECT_EQ(FormWiFiDisplay->TimerKeepalive->Enabled(), c.keepalive) << c.offset;
        if (c.offset == 56) {
            EXPECT_EQ(FormWiFiDisplay->TimerKeepalive->Interval(), 55000u);
        }
        EXPECT_EQ(FormWiFiDisplay->BtnWDPPlay->Enabled(), c.play) << c.offset;
    }
    EXPECT_TRUE(IsWindow(window));
}

}  // namespace
