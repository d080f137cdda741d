// The link-information window's updates of its throughput and statistics pages and of the
// main window's link-quality indicator: rates, throughput, quality and signal bars, counters.
#include <algorithm>
#include <cstdio>
#include <string>

#include "core/Log.h"
#include "core/WvwlLib.h"
#include "mainwindow/FormLinkInfo.h"
#include "mainwindow/FormMain.h"
#include "mainwindow/LinkStatus.h"
#include "wlapi/constants.h"

namespace {

std::string Rate(double mbps)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.1f Mbps", mbps);
    return text;
}

std::string Percent(DWORD value)
{
    return std::to_string(value) + " %";
}

// Bytes over the two-second tick, in megabits per second.
double Megabits(DWORD now, DWORD before)
{
    if (now < before)
        return 0.0;
    return double(DWORD(now - before)) * 0.004 * 0.001;
}

// The width a bar had the first time it was drawn.
int FullWidth(int& remembered, const TControl* bar)
{
    if (remembered == 0)
        remembered = bar->Width();
    return remembered;
}

} // namespace

std::string ThroughputText(DWORD now, DWORD before)
{
    const double mbps = Megabits(now, before);
    char text[64];
    if (mbps >= 1.0)
        std::snprintf(text, sizeof text, "%.3f Mbps", mbps);
    else
        std::snprintf(text, sizeof text, "%.3f Kbps", mbps * 1000.0);
    return text;
}

void TFormLinkInfo::ShowLinkSpeed(const WLAN_STATUS& status)
{
    m_strRxLinkSpeed = Rate(status.rxRate);
    FrameLinkInfoThroughput->lblRxLinkSpeed->SetCaption(m_strRxLinkSpeed);
    m_strTxLinkSpeed = Rate(status.txRate);
    FrameLinkInfoThroughput->lblTxLinkSpeed->SetCaption(m_strTxLinkSpeed);
    if (FormMain)
        FormMain->lblTxRate->SetCaption(m_strTxLinkSpeed);
}

void TFormLinkInfo::UpdateThroughput(const WLAN_STATUS& status)
{
    PrintMessage(6, " LinkStatus.TxByteCount is %d\n", int(status.TxByteCount));
    PrintMessage(6, " m_lTxCount is %d\n", int(m_lTxCount));
    if (!m_bFirstSample) {
        m_strTxThroughput = ThroughputText(status.TxByteCount, m_lTxCount);
        PrintMessage(6, " Tx is %.3f", Megabits(status.TxByteCount, m_lTxCount));
    }
    m_lTxCount = status.TxByteCount;
    if (!m_bFirstSample) {
        m_strRxThroughput = ThroughputText(status.RxByteCount, m_lRxCount);
        PrintMessage(6, " Rx is %.3f", Megabits(status.RxByteCount, m_lRxCount));
    }
    m_lRxCount = status.RxByteCount;
}

void TFormLinkInfo::ShowLinkQuality(DWORD quality)
{
    TImage* pageBar = FrameLinkInfoThroughput->ImgLinkQuality;
    const DWORD capped = std::min<DWORD>(quality, 100);
    pageBar->SetWidth(int(FullWidth(m_nQualityWidth, pageBar) * capped / 100));
    const std::string text = Percent(capped);
    pageBar->SetHint(text);
    FrameLinkInfoThroughput->lblLinkQuality->SetCaption(text);
    pageBar->SetVisible(true);

    TFormMain* main = FormMain;
    if (!main)
        return;
    const int full = FullWidth(m_nMainQualityWidth, main->ImgLinkQuality);
    const int fifths = quality <= 20 ? 1 : quality <= 40 ? 2 : quality <= 60 ? 3 : quality <= 80 ? 4 : 5;
    main->ImgLinkQuality->SetWidth(full * fifths / 5);
    main->ImgLinkQuality->SetHint(text);
    main->ImgLinkQualityDiabled->SetHint(text);
    main->ImgLinkQuality->SetVisible(true);
    main->ImgLinkQualityDiabled->SetVisible(true);
    main->ImgLinkQualityDisconnected->SetVisible(false);
}

void TFormLinkInfo::ShowSignalStrength(const WLAN_CHAIN* chains)
{
    TFrameLinkInfoThroughput* page = FrameLinkInfoThroughput;
    for (int i = 0; i < 3; ++i) {
        TLabel *caption, *value;
        TImage *background, *bar;
        page->SignalRow(i + 1, caption, background, bar, value);
        const DWORD percent = ChainQuality(chains[i]);
        bar->SetWidth(int(FullWidth(m_nSignalWidth[i], bar) * percent / 100));
        bar->SetHint(Percent(percent));
        value->SetCaption(std::to_string(chains[i].rssi) + " dBm");
        caption->SetVisible(true);
        background->SetVisible(true);
        bar->SetVisible(true);
    }
    ShowSignalRows(chains);  // the tick's own read serves the rows too
}

void TFormLinkInfo::ShowSignalRows()
{
    const WLAN_STATUS status = QueryLinkStatus(VOZEZIV, LINK_QUERY_SIGNAL);
    ShowSignalRows(status.chain);
}

void TFormLinkInfo::ShowSignalRows(const WLAN_CHAIN* chains)
{
    TFrameLinkInfoThroughput* page = FrameLinkInfoThroughput;
    if (chains[0].chainFlag == 0) {
        page->ShowSignalRow(2, false);
        page->ShowSignalRow(3, false);
    } else if (chains[0].chainFlag == 1) {
        // Three chains bring back the third row whole, its value label too.
        page->ShowSignalRow(2, true);
        page->ShowSignalRow(3, chains[1].chainFlag != 0);
    }
}

void TFormLinkInfo::ShowCounters(const WLAN_STATUS& status)
{
    const NDIS_802_11_STATISTICS& s = status.statistics;
    m_strTxOK = std::to_string(s.TransmittedFragmentCount.QuadPart);
    m_strTxRetryOK = std::to_string(s.RetryCount.QuadPart);
    m_strTxAllRetryOK = std::to_string(s.FailedCount.QuadPart);
    m_strRxCRC = std::to_string(s.FCSErrorCount.QuadPart);
    m_strRxDuplicate = std::to_string(s.FrameDuplicateCount.QuadPart);
    m_strRxOK = std::to_string(RxOkCount(status, VOZEZIV.nWinOS));
    m_strRxDrop = std::to_string(status.rxDropCount);

    TFrameLinkInfoStatistic* page = FrameLinkInfoStatistic;
    page->lblTxOK->SetCaption(m_strTxOK);
    page->lblTxRetryOK->SetCaption(m_strTxRetryOK);
    page->lblTxAllRetryOK->SetCaption(m_strTxAllRetryOK);
    page->lblRxOK->SetCaption(m_strRxOK);
    page->lblRxCRC->SetCaption(m_strRxCRC);
    page->lblRxDrop->SetCaption(m_strRxDrop);
    page->lblRxDuplicate->SetCaption(m_strRxDuplicate);
}
