// The source's I2C back channel over loopback, against a scripted peer and the sink's own
// server, and the session's test operations on the session and capture stand-ins.
#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <ctime>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "wifidisplay/WDPSink.h"
#include "wifidisplay/source_fixture.h"

namespace {

using Strings = std::vector<std::string>;

const SIZE kScreen = {1366, 768};
const std::vector<wdpseams::DisplayMode> kModes = {{1366, 768, 32, 60}};

std::string Bytes(const std::string& hex)
{
    std::string bytes;
    for (size_t i = 0; i + 1 < hex.size(); i += 2)
        bytes.push_back(char(std::stoi(hex.substr(i, 2), nullptr, 16)));
    return bytes;
}

// A sink's I2C end played from a script: for each step it reads a request of the given size and
// answers with the given bytes (none: it stays silent).
class ScriptedPeer {
public:
    struct Step {
        size_t requestSize;
        std::string reply;
    };

    explicit ScriptedPeer(std::vector<Step> steps) : steps_(std::move(steps))
    {
        listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in at{};
        at.sin_family = AF_INET;
        inet_pton(AF_INET, "127.0.0.1", &at.sin_addr);
        bind(listener_, reinterpret_cast<sockaddr*>(&at), sizeof at);
        listen(listener_, 1);
        int size = sizeof at;
        getsockname(listener_, reinterpret_cast<sockaddr*>(&at), &size);
        port_ = ntohs(at.sin_port);
        thread_ = std::thread([this] { Run(); });
    }
    ~ScriptedPeer()
    {
        closesocket(listener_);
        thread_.join();
    }
    int Port() const { return port_; }
    Strings Requests()
    {
        std::lock_guard<std::mutex> lock(mu_);
        return requests_;
    }

private:
    void Run()
    {
        SOCKET s = accept(listener_, nullptr, nullptr);
        if (s == INVALID_SOCKET)
            return;
        DWORD timeout = 5000;
        setsockopt(s, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeout), sizeof timeout);
        for (const Step& step : steps_) {
            std::string request;
            char byte;
            while (request.size() < step.requestSize && recv(s, &byte, 1, 0) == 1)
                request.push_back(byte);
            {
                std::lock_guard<std::mutex> lock(mu_);
                requests_.push_back(Hex(request.data(), request.size()));
            }
            if (request.size() < step.requestSize)
                break;
            if (!step.reply.empty())
                send(s, step.reply.data(), int(step.reply.size()), 0);
        }
        closesocket(s);
    }

    std::vector<Step> steps_;
    SOCKET listener_;
    int port_ = 0;
    std::thread thread_;
    std::mutex mu_;
    Strings requests_;
};

class SourceI2C : public SourceFixture {
protected:
    void TearDown() override
    {
        WDPSource::i2cReplyWaitMs = 1500;
        WDPSink::i2cPortOverride = -1;
        WDPSink::i2cPollMs = 1000;
        SourceFixture::TearDown();
    }
    // The sink at 127.0.0.1 as the session library reports it, with its I2C port.
    void SinkAt(int i2cPort)
    {
        Script("0 127.0.0.1; 55 - i:1; 15 - i:" + std::to_string(i2cPort));
    }
};

// Requests are sent byte-exact; replies are read no further than their size and checked.
TEST_F(SourceI2C, RequestsAndRepliesAgainstAScriptedPeer)
{
    StartOn(kScreen, kModes);
    WDPSource::i2cReplyWaitMs = 300;
    const std::string read128 = "000150010001005080", write = "01500100";
    struct Case {
        bool read;
        int count;
        std::string request;
        std::string reply;
        const char* logged;
    };
    const Case cases[] = {
        {true, 128, read128, "0080" + std::string(256, '0'), "[WDP][SendReadRequest] reply of 130 bytes"},
        {false, 0, write, "01", "[WDP][SendWriteRequest] reply of 1 bytes"},
        {true, 128, read128, "80", "[WDP][SendReadRequest] refused by the sink"},
        {false, 0, write, "81", "[WDP][SendWriteRequest] refused by the sink"},
        // a count that disagrees and more bytes than asked for: only 6 are read, the rest is dropped
        {true, 4, "000150010001005004", "00FF" + std::string(600, 'A'), "[WDP][SendReadRequest] malformed reply of 6 bytes"},
        {false, 0, write, "01", "[WDP][SendWriteRequest] reply of 1 bytes"},
        {true, 2, "000150010001005002", "0002", "[WDP][SendReadRequest] malformed reply of 2 bytes"},  // short
        {false, 0, write, "", "[WDP][SendWriteRequest] no reply"},
    };
    std::vector<ScriptedPeer::Step> steps;
    for (const Case& c : cases)
        steps.push_back({c.request.size() / 2, Bytes(c.reply)});
    ScriptedPeer peer(steps);
    SinkAt(peer.Port());
    Strings expected;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.logged);
        SimJournalClear();
        EXPECT_EQ(c.read ? Source().SendReadRequest(80, c.count) : Source().SendWriteRequest(80, 1), 1);
        EXPECT_TRUE(Logged(c.logged));
        expected.push_back(c.request);
    }
    EXPECT_EQ(peer.Requests(), expected);
    EXPECT_TRUE(Logged("no reply"));
}

// Without the sink's I2C port the request goes to an unconnected socket and fails; a sink that
// refuses the connection leaves no socket behind; the session's end closes the socket.
TEST_F(SourceI2C, NoPortAndRefusedConnection)
{
    StartOn(kScreen, kModes);
    EXPECT_EQ(Source().SendReadRequest(80, 128), 0);
    EXPECT_TRUE(Logged("[WDP][InitI2CSocket] m_iSinkI2CPort=0, not connected"));
    EXPECT_TRUE(Logged("[WDP][SendReadRequest] send Readrequest error nResult=-1"));
    EXPECT_NE(Source().m_SI2C_SO, 0u);
    SimJournalClear();
    EXPECT_EQ(Source().SendWriteRequest(80, 1), 0);  // the socket is kept: no second set-up
    EXPECT_FALSE(Logged("[WDP][InitI2CSocket]"));
    EXPECT_TRUE(Logged("send Writerequest error"));

    SOCKET closed = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in at{};
    at.sin_family = AF_INET;
    inet_pton(AF_INET, "127.0.0.1", &at.sin_addr);
    bind(closed, reinterpret_cast<sockaddr*>(&at), sizeof at);
    int size = sizeof at;
    getsockname(closed, reinterpret_cast<sockaddr*>(&at), &size);
    closesocket(closed);  // nobody listens on this port now
    Source().CloseSession();
    EXPECT_EQ(Source().m_SI2C_SO, 0u);
    SinkAt(ntohs(at.sin_port));
    const DWORD start = GetTickCount();
    EXPECT_EQ(Source().SendReadRequest(80, 128), 0);
    EXPECT_LT(GetTickCount() - start, 4000u);
    EXPECT_EQ(Source().m_SI2C_SO, 0u);
    EXPECT_TRUE(Logged("[WDP][InitI2CSocket] connect"));
}

// The source and the sink of this program talk I2C to each other.
TEST_F(SourceI2C, ExchangeWithTheSinkServer)
{
    WDPSink::i2cPortOverride = 0;
    WDPSink::i2cPollMs = 10;
    StartOn(kScreen, kModes);
    WDPSink& sink = FormWiFiDisplay->m_Sink;
    ASSERT_EQ(sink.ConnectRTSPServer("127.0.0.1", 7236, 1), 1);
    ASSERT_TRUE(PumpUntil([] { return WDPSink::I2CListenPort() != 0; }, 5000));
    SinkAt(WDPSink::I2CListenPort());
    EXPECT_EQ(Source().SendReadRequest(80, 128), 1);
    EXPECT_TRUE(Logged("[WDP][ReceiveI2CRequest] 9 bytes, RequestID=0"));
    EXPECT_TRUE(Logged("[WDP][SendReadRequest] reply of 130 bytes"));
    EXPECT_EQ(Source().SendWriteRequest(80, 1), 1);
    EXPECT_TRUE(Logged("[WDP][ReceiveI2CRequest] 4 bytes, RequestID=1"));
    EXPECT_TRUE(Logged("[WDP][SendWriteRequest] reply of 1 bytes"));
    EXPECT_EQ(Source().SendReadRequest(81, 16), 1);  // another device: the sink refuses
    EXPECT_TRUE(Logged("[WDP][SendReadRequest] refused by the sink"));
    sink.SinkSetDefault();
}

using SourceTestOperations = SourceFixture;

std::string Work(const std::string& address, int request, const std::string& data)
{
    return "WVWDP_DoWork(" + address + ", " + std::to_string(request) + ", " + data + ") -> 0";
}

// Format change by code, one after another: the row a code names, or the last resolution for
// codes outside the ranges; the table by code; the timing record with the sink's address.
TEST_F(SourceTestOperations, FormatChangeByCode)
{
    StartOn(kScreen, kModes);
    ASSERT_EQ(Source().StartRTSPServer(), 1);
    Script("0 192.168.49.23; 55 - i:1");
    struct Case {
        int code;
        int width, height, frameRate;
        int table, bit;
    };
    const Case cases[] = {
        {8, 1280, 720, 60, 0, 6},    {2, 640, 480, 60, 0, 0},      {4, 640, 480, 60, 0, 0},  // interlaced: kept
        {19, 640, 480, 60, 0, 0},    {20, 800, 600, 30, 1, 0},     {49, 1920, 1200, 60, 1, 29},
        {50, 1920, 1200, 60, 1, 29}, {51, 800, 480, 30, 2, 0},     {62, 848, 480, 60, 2, 11},
        {63, 848, 480, 60, 2, 11},   {18, 1920, 1080, 24, 0, 16},  {1, 1920, 1080, 24, 0, 16},
        {30, 1360, 768, 30, 1, 10},  {0, 1360, 768, 30, 0, 0},  // no CEA row of that size
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("code " + std::to_string(c.code));
        ClearJournals();
        Source().SigmaAVFormatChange(c.code);
        EXPECT_EQ(Source().TestWidth(), c.width);
        EXPECT_EQ(Source().TestFrameRate(), c.frameRate);
        const Strings calls = Calls();
        ASSERT_GE(calls.size(), 5u);
        EXPECT_EQ(Strings(calls.begin(), calls.begin() + 3),
                  (Strings{"WFD_StopCapture() -> 0", "WFD_SetFPS(" + std::to_string(c.frameRate) + ") -> 0",
                           "WFD_SetCaptureResolution(" + std::to_string(c.width) + ", " + std::to_string(c.height) +
                               ") -> 0"}));
        const std::string prefix = "WVWDP_DoWork(\"192.168.49.23\", 10, h:";
        ASSERT_EQ(calls[3].substr(0, prefix.size()), prefix);
        const std::string record = Bytes(calls[3].substr(prefix.size(), 64));
        const unsigned pts = unsigned(std::stoul(record.substr(0, 10))), dts = unsigned(std::stoul(record.substr(12, 10)));
        EXPECT_EQ(record[10], '\0');
        EXPECT_EQ(pts, dts + 100);
        EXPECT_LT(dts, 1000000u);  // two clock reads in a row
        int table = 0, bit = 0;
        std::memcpy(&table, record.data() + 24, 4);
        std::memcpy(&bit, record.data() + 28, 4);
        EXPECT_EQ(table, c.table);
        EXPECT_EQ(bit, c.bit);
        EXPECT_EQ(calls.back().substr(0, 22), "WFD_StartMpegtsCapture");
    }
    EXPECT_EQ(DecideVideoFormatBit(640, 480, 60, 3), -1);
    EXPECT_EQ(JudgeHHResolationBit(640, 360, 60), 7);
    EXPECT_EQ(JudgeVESAResolationBit(-1, -1, 60), 0);
}

TEST_F(SourceTestOperations, FrameSkipI2CTestAndClock)
{
    StartOn(kScreen, kModes);
    ASSERT_EQ(Source().StartRTSPServer(), 1);
    Script("0 192.168.49.23");
    ClearJournals();
    Source().SigmaFrameskip(5);
    Strings calls = Calls();
    ASSERT_GE(calls.size(), 3u);
    EXPECT_EQ(Strings(calls.begin(), calls.begin() + 2), (Strings{"WFD_StopCapture() -> 0", "WFD_SetFPS(5) -> 0"}));
    EXPECT_EQ(calls.back().substr(0, 22), "WFD_StartMpegtsCapture");
    ClearJournals();
    Source().SigmaI2C(2);
    Source().SigmaI2C(4);
    EXPECT_EQ(Calls(), (Strings{Work("\"192.168.49.23\"", 24, "2"), Work("\"192.168.49.23\"", 24, "4")}));

    long s1 = 0, u1 = 0, s2 = 0, u2 = 0;
    EXPECT_EQ(GetTimeOfDay(&s1, &u1), 0);
    Sleep(20);
    EXPECT_EQ(GetTimeOfDay(&s2, &u2), 0);
    const long long t1 = s1 * 1000000LL + u1, t2 = s2 * 1000000LL + u2;
    EXPECT_GE(t2 - t1, 15000);
    EXPECT_LT(t2 - t1, 2000000);
    EXPECT_LT(std::llabs(s1 - (long long)std::time(nullptr)), 3);
    EXPECT_GE(u1, 0);
    EXPECT_LT(u1, 1000000);
}

}  // namespace
