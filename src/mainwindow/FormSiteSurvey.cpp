// The site survey window: scan, merge into the repository, sort, list, mark the connected
// network and keep the buttons in step with the adapter.
#include "mainwindow/FormSiteSurvey.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "core/Helpers.h"
#include "core/Log.h"
#include "core/WvwlLib.h"
#include "mainwindow/LinkStatus.h"
#include "mainwindow/SiteSurveyLinks.h"
#include "profiles/FormProfileEdit.h"
#include "resources/FormResource.h"
#include "ui/Seams.h"
#include "wlapi/bsslist.h"
#include "wlapi/constants.h"
#include "wlapi/result.h"

TFormSiteSurvey* FormSiteSurvey = nullptr;
volatile LONG m_bSurveyComplete = 0;

namespace {

constexpr int kNoPicture = 12;
constexpr COLORREF kListColor = 0x00F9F3E8;
int nRescanDelay = 0;

// Log of entry and exit of every operation.
class TTrace {
public:
    explicit TTrace(const char* name) : name_(name) { PrintMessage(6, " --> TFormSiteSurvey::%s\n", name_); }
    ~TTrace() { PrintMessage(6, " <-- TFormSiteSurvey::%s\n", name_); }

private:
    const char* name_;
};

const CUISTR* Str()
{
    return FormResource ? FormResource->UI_Str.get() : nullptr;
}

std::string S(std::string CUISTR::*member)
{
    const CUISTR* s = Str();
    return s ? s->*member : std::string();
}

// Set while a tick runs: the radio state it has read, or -1 before the first read.
int* tickRadio = nullptr;

int RadioOn()
{
    if (tickRadio && *tickRadio >= 0)
        return *tickRadio;
    const int radio = VOZEZIV.WVWL_ReadRadioStatus ? VOZEZIV.WVWL_ReadRadioStatus() : 0;
    if (tickRadio)
        *tickRadio = radio;
    return radio;
}

// Within one tick the radio state is read once.
class TOneRadioRead {
public:
    TOneRadioRead() { tickRadio = &value_; }
    ~TOneRadioRead() { tickRadio = nullptr; }
    TOneRadioRead(const TOneRadioRead&) = delete;
    TOneRadioRead& operator=(const TOneRadioRead&) = delete;

private:
    int value_ = -1;
};

int WapiConnecting()
{
    return VOZEZIV.WVWL_IsWAPIConnecting ? VOZEZIV.WVWL_IsWAPIConnecting() : 0;
}

int ZeroConfig()
{
    return VOZEZIV.WVWL_IsZeroConfig ? VOZEZIV.WVWL_IsZeroConfig() : 0;
}

int QueryOPMode()
{
    return VOZEZIV.WVWL_QueryOPMode ? VOZEZIV.WVWL_QueryOPMode() : OP_MODE_STATION;
}

int WpaCapable()
{
    return VOZEZIV.WVWL_IsWpaCapable ? VOZEZIV.WVWL_IsWpaCapable() : 0;
}

int ReadFlag(int(__stdcall* read)(int*))
{
    int flag = 0;
    if (read)
        read(&flag);
    return flag;
}

void StartScan()
{
    if (VOZEZIV.WVWL_SiteSurveyScan)
        VOZEZIV.WVWL_SiteSurveyScan(TFormSiteSurvey::FuncScanFinished);
}

std::string MacText(const BYTE* mac, const char* format)
{
    char text[32];
    wsprintfA(text, format, mac[0], mac[1], mac[2], mac[3], mac[4], mac[5]);
    return text;
}

// The SSID text of a network, cut at its length and at the first zero byte.
std::string SsidOf(const NDIS_WLAN_BSSID_EX* network)
{
    return bss::SsidText(reinterpret_cast<const uint8_t*>(network));
}

// Equal within the first 32 bytes.
bool SameSsid(const std::string& a, const std::string& b)
{
    return a.substr(0, 32) == b.substr(0, 32);
}

IE_INFO ParseElements(const NDIS_WLAN_BSSID_EX* network)
{
    IE_INFO info{};
    if (network && VOZEZIV.WVWL_ParseInfoElement)
        VOZEZIV.WVWL_ParseInfoElement(network, &info);
    return info;
}

TWvImage* MakeButton(TFormSiteSurvey* form, int left, int top, TImage* normal, TImage* down, TImage* disabled)
{
    const int w = normal ? normal->Width() : 20, h = normal ? normal->Height() : 20;
    return MakePushButton(form, left, top, w, h, normal, down, disabled);
}

// A 16 by 16 picture of two letters, for the 802.11ac column.
TPicture LetterPicture(const char* letters)
{
    constexpr int kSize = 16;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = kSize;
    info.bmiHeader.biHeight = kSize;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    TPicture picture;
    if (!bitmap || !bits) {
        DeleteDC(dc);
        return picture;
    }
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT r = {0, 0, kSize, kSize};
    HBRUSH back = CreateSolidBrush(kListColor);
    FillRect(dc, &r, back);
    DeleteObject(back);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 90, 170));
    HFONT font = CreateFontA(-11, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Tahoma");
    HGDIOBJ oldFont = SelectObject(dc, font);
    DrawTextA(dc, letters, -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SelectObject(dc, oldFont);
    DeleteObject(font);
    GdiFlush();

    const DWORD pixels = kSize * kSize * 4;
    std::vector<BYTE> file(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + pixels);
    BITMAPFILEHEADER header{};
    header.bfType = 0x4D42;
    header.bfSize = DWORD(file.size());
    header.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    std::memcpy(file.data(), &header, sizeof header);
    std::memcpy(file.data() + sizeof header, &info.bmiHeader, sizeof info.bmiHeader);
    std::memcpy(file.data() + header.bfOffBits, bits, pixels);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    try {
        picture.LoadFromMemory(file.data(), file.size());
    } catch (const std::exception&) {
        picture.Clear();
    }
    return picture;
}

// Two-second tick of the WPS credential scan: the network it found, by its offset.
struct TCredentialMatch {
    bool found = false;
    DWORD offset = 0;
};

} // namespace

ULONGLONG SiteSurveyFileTimeNow()
{
    if (seams::clockOverride) {
        constexpr ULONGLONG kEpoch = 0x01DA000000000000ULL;
        return kEpoch + ULONGLONG(seams::Now()) * 10000;
    }
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    return ULONGLONG(now.dwHighDateTime) << 32 | now.dwLowDateTime;
}

namespace {

// Width of text in label's font.
int TextWidthIn(TLabel* label, const char* text)
{
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, label->Font().Handle());
    SIZE size{};
    GetTextExtentPoint32A(dc, text, lstrlenA(text), &size);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return size.cx;
}

} // namespace

TFormSiteSurvey::TFormSiteSurvey(TComponent* owner) : TFormBase(owner)
{
    Name = "FormSiteSurvey";
    TFormResource* res = FormResource;
    if (res && res->ImgSiteSurveyFormBG)
        ImgBackground->SetPicture(res->ImgSiteSurveyFormBG->Picture());
    if (ImgBackground->Picture().Empty())
        SetClientSize(400, 380);

    BtnSiteSurveyRescan = MakeButton(this, 8, 20, res ? res->ImgBtnSiteSurveyRescan_Normal : nullptr,
                                     res ? res->ImgBtnSiteSurveyRescan_Down : nullptr,
                                     res ? res->ImgBtnSiteSurveyRescan_Disabled : nullptr);
    BtnSiteSurveyAdd2Prof = MakeButton(this, 33, 20, res ? res->ImgBtnSiteSurveyAdd2Prof_Normal : nullptr,
                                       res ? res->ImgBtnSiteSurveyAdd2Prof_Down : nullptr,
                                       res ? res->ImgBtnSiteSurveyAdd2Prof_Disabled : nullptr);
    BtnSiteSurveyConnect = MakeButton(this, 343, 324, res ? res->ImgBtnSiteSurveyConnect_Normal : nullptr,
                                      res ? res->ImgBtnSiteSurveyConnect_Down : nullptr,
                                      res ? res->ImgBtnSiteSurveyConnect_Disabled : nullptr);
    SysBtnClose = MakeButton(this, 372, 16, res ? res->ImgBtnSiteSurveyFormClose_Normal : nullptr,
                             res ? res->ImgBtnSiteSurveyFormClose_Down : nullptr, nullptr);
    BtnSiteSurveyRescan->OnClick = [this](TObject* s) { BtnSiteSurveyRescanClick(s); };
    BtnSiteSurveyAdd2Prof->OnClick = [this](TObject* s) { BtnSiteSurveyAdd2ProfClick(s); };
    BtnSiteSurveyConnect->OnClick = [this](TObject* s) { BtnSiteSurveyConnectClick(s); };
    SysBtnClose->OnClick = [this](TObject* s) { SysBtnCloseClick(s); };

    ImageAPList = new TImageList(this, 16, 16);
    TImage* pictures[] = {res ? res->ImgSiteSurveyActive : nullptr,         res ? res->ImgSiteSurveyActiveDisabled : nullptr,
                          res ? res->ImgSiteSurveyAdHoc : nullptr,          res ? res->ImgSiteSurveyInfrastructure : nullptr,
                          res ? res->ImgSiteSurvey11A : nullptr,            res ? res->ImgSiteSurvey11B : nullptr,
                          res ? res->ImgSiteSurvey11G : nullptr,            res ? res->ImgSiteSurvey11N : nullptr,
                          res ? res->ImgSiteSurveySecurity : nullptr,       res ? res->ImgSiteSurveyWAPI : nullptr,
                          res ? res->ImgSiteSurveyWPS : nullptr};
    for (TImage* picture : pictures)
        ImageAPList->Add(picture ? picture->Picture() : TPicture());
    ImageAPList->Add(LetterPicture("ac"));

    SortByPopupMenu = new TPopupMenu(this);
    ID_TRAY_SSID = new TMenuItem(SortByPopupMenu);
    ID_TRAY_CHANNEL = new TMenuItem(SortByPopupMenu);
    ID_TRAY_SIGNAL = new TMenuItem(SortByPopupMenu);
    ID_TRAY_SSID->SetCaption(S(&CUISTR::STR_SORTED_BY_SSID));
    ID_TRAY_CHANNEL->SetCaption(S(&CUISTR::STR_SORTED_BY_CHANNEL));
    ID_TRAY_SIGNAL->SetCaption(S(&CUISTR::STR_SORTED_BY_SIGNAL));
    ID_TRAY_SSID->Checked = true;
    ID_TRAY_SSID->OnClick = [this](TObject* s) { OnSortBySSID(s); };
    ID_TRAY_CHANNEL->OnClick = [this](TObject* s) { OnSortByChannel(s); };
    ID_TRAY_SIGNAL->OnClick = [this](TObject* s) { OnSortBySignal(s); };
    SortByPopupMenu->Items()->Add(ID_TRAY_SSID);
    SortByPopupMenu->Items()->Add(ID_TRAY_CHANNEL);
    SortByPopupMenu->Items()->Add(ID_TRAY_SIGNAL);

    // The list leaves room below it for three rows of details.
    lvApList = new TListView({this, 12, 55, 376, 239}, true);
    lvApList->OnData = [this](TObject*, TListItem* item) { ApListData(item); };
    lvApList->SetShowColumnHeaders(false);
    lvApList->SetRowSelect(true);
    lvApList->SetOwnerDraw(true);
    lvApList->SetBorder(false);
    lvApList->SetColor(kListColor);
    lvApList->SetSmallImages(ImageAPList);
    lvApList->PopupMenu = SortByPopupMenu;
    lvApList->AddColumn("", 20);
    lvApList->AddColumn(S(&CUISTR::STR_SSID), 115);
    lvApList->AddColumn(S(&CUISTR::STR_NETWORK_TYPE), 30);
    lvApList->AddColumn(S(&CUISTR::STR_CHANNEL), 30);
    for (int i = 0; i < 4; ++i)
        lvApList->AddColumn(S(&CUISTR::STR_WIRELESS_MODE), 20);
    lvApList->AddColumn(S(&CUISTR::STR_AUTHENTICATION), 20);
    lvApList->AddColumn(S(&CUISTR::STR_SIGNAL_STRENGTH), 50);
    lvApList->OnDblClick = [this](TObject* s) { BtnSiteSurveyConnectClick(s); };
    lvApList->OnSelectItem = [this](TObject* s, TListItem* item, bool selected) {
        lvApListSelectItem(s, item, selected);
    };

    TGroupBox* box = grpBoxApDetailInfo = new TGroupBox({this, 12, 296, 325, 74, S(&CUISTR::STR_AP_INFORMATION)});
    lblSSIDText = new TLabel({.Parent = box, .Left = 8, .Top = 16, .Caption = S(&CUISTR::STR_SSID)});
    lblSSID = new TLabel({box, 84, 16, 74});
    lblMACAddressText = new TLabel({.Parent = box, .Left = 160, .Top = 16, .Caption = S(&CUISTR::STR_MAC_ADDRESS)});
    lblMACAddress = new TLabel({box, 224, 16, 98});
    lblAuthenticationText = new TLabel({.Parent = box, .Left = 8, .Top = 34, .Caption = S(&CUISTR::STR_AUTHENTICATION)});
    lblAuthentication = new TLabel({box, 84, 34, 74});
    lblEncryptionText = new TLabel({.Parent = box, .Left = 8, .Top = 52, .Caption = S(&CUISTR::STR_ENCRYPTION)});
    lblEncryption = new TLabel({box, 84, 52, 74});
    // First row: the SSID after its caption, the MAC address at the right edge (as wide as
    // the widest address) after its caption; the SSID takes what is left. Then one row each
    // for the authentication and the encryption, their values side by side at full width.
    const int right = grpBoxApDetailInfo->Width() - 6;
    int macWidth = 0;
    for (const char* text : {"00-00-00-00-00-00", "DD-DD-DD-DD-DD-DD"})
        macWidth = std::max(macWidth, TextWidthIn(lblMACAddress, text) + 2);
    lblMACAddress->SetBounds(right - macWidth, lblMACAddress->Top(), macWidth, lblMACAddress->Height());
    lblMACAddressText->SetLeft(lblMACAddress->Left() - 4 - lblMACAddressText->Width());
    lblSSID->SetLeft(lblSSIDText->Left() + lblSSIDText->Width() + 4);
    lblSSID->SetWidth(std::max(lblMACAddressText->Left() - 6 - lblSSID->Left(), 20));
    const int valueLeft = std::max(lblAuthenticationText->Width(), lblEncryptionText->Width()) + lblAuthenticationText->Left() + 6;
    for (TLabel* value : {lblAuthentication, lblEncryption})
        value->SetBounds(valueLeft, value->Top(), right - valueLeft, value->Height());
    for (TLabel* label : {lblSSID, lblMACAddress, lblAuthentication, lblEncryption})
        label->SetShowHint(true);
    for (TLabel* label : {lblSSID, lblAuthentication, lblEncryption})
        label->SetEllipsisPosition(epEndEllipsis);

    TimerSiteSurvey = new TTimer(this);
    TimerSiteSurvey->SetEnabled(false);
    TimerSiteSurvey->SetInterval(2000);
    TimerSiteSurvey->OnTimer = [this](TObject* s) { TimerSiteSurveyTimer(s); };
    TimerReScanOn = new TTimer(this);
    TimerReScanOn->SetEnabled(false);
    TimerReScanOn->SetInterval(3000);
    TimerReScanOn->OnTimer = [this](TObject* s) { TimerReScanOnTimer(s); };

    lblCaptionText->SetCaption(S(&CUISTR::STR_RESCANNING));
    lblCaptionText->SetCaption(S(&CUISTR::STR_BtnHintSiteSurvey));

    m_bRescan = 0;
    m_bSurveyComplete = 0;
    ResetSecuritySettings();
    m_pProfile = std::make_unique<WLANPROFILE>();
    std::memset(m_pProfile.get(), 0, sizeof(WLANPROFILE));
    m_pApList.reserve(64);
    m_nBssidListSize = VOZEZIV.nRepositBssidBufSize ? VOZEZIV.nRepositBssidBufSize : BssidListBufferSize(VOZEZIV);
    pBssidList.assign(m_nBssidListSize, 0);

    OnShow = [this](TObject* s) { FormShow(s); };
    OnDestroy = [this](TObject* s) { FormDestroy(s); };
}

TFormSiteSurvey::~TFormSiteSurvey() = default;

void TFormSiteSurvey::FormCreate(TObject* Sender)
{
    TTrace trace("FormCreate");
    TFormBase::FormCreate(Sender);
    BtnSiteSurveyRescan->SetHint(S(&CUISTR::STR_BtnHintRescan));
    BtnSiteSurveyAdd2Prof->SetHint(S(&CUISTR::STR_BtnHintAddToProfile));
    BtnSiteSurveyConnect->SetHint(S(&CUISTR::STR_BtnHintConnect));
    SysBtnClose->SetHint(S(&CUISTR::STR_BtnHintClose));
    ShowPlaceholderRow("");
    m_pApList.clear();
    ForceUpdateBssidList();
    TimerReScanOn->SetEnabled(true);
    ButtonShowHide();
}

void TFormSiteSurvey::FormShow(TObject*)
{
    TTrace trace("FormShow");
    ForceUpdateBssidList();
}

void TFormSiteSurvey::FormDestroy(TObject*)
{
    TTrace trace("FormDestroy");
    TimerSiteSurvey->SetEnabled(false);
    TimerReScanOn->SetEnabled(false);
}

void TFormSiteSurvey::SysBtnCloseClick(TObject*)
{
    TTrace trace("SysBtnCloseClick");
    TimerReScanOn->SetEnabled(false);
    Hide();
}

void TFormSiteSurvey::BtnSiteSurveyRescanClick(TObject*)
{
    TTrace trace("BtnSiteSurveyRescanClick");
    PrintMessage(6, " Set m_bRescan as TRUE\n");
    m_bRescan = 1;
    if (VOZEZIV.nWinOS < WINOS_VISTA) {
        if (ZeroConfig() == 2) {
            PrintMessage(6, " call ForceUpdateBssidList() for ZeroConfig\n");
            ForceUpdateBssidList();
        } else {
            PrintMessage(6, " call WVWL_SiteSurveyScan()\n");
            StartScan();
            ForceUpdateBssidList();
        }
    } else {
        PrintMessage(6, " call WVWL_SiteSurveyScan()\n");
        StartScan();
    }
    ButtonShowHide();
}

void __stdcall TFormSiteSurvey::FuncScanFinished()
{
    if (WapiConnecting() != 0)
        return;
    PrintMessage(6, " WVWL_IsWAPIConnecting() return FALSE\n");
    PrintMessage(6, " Set m_bSurveyComplete as TRUE\n");
    InterlockedExchange(&m_bSurveyComplete, 1);
    if (FormSiteSurvey)
        InterlockedExchange(&FormSiteSurvey->m_bRescan, 0);
}

int TFormSiteSurvey::QueryList()
{
    if (VOZEZIV.nRepositBssidBufSize > pBssidList.size()) {
        pBssidList.assign(VOZEZIV.nRepositBssidBufSize, 0);
        m_nBssidListSize = VOZEZIV.nRepositBssidBufSize;
    }
    if (!VOZEZIV.WVWL_SiteSurveyQuery)
        return 0;
    for (;;) {
        unsigned long size = m_nBssidListSize;
        const int result =
            VOZEZIV.WVWL_SiteSurveyQuery(reinterpret_cast<NDIS_802_11_BSSID_LIST_EX*>(pBssidList.data()), &size);
        if (result != WVWL_ERROR_BUFFER_TOO_SMALL || !GrowList(size))
            return result;
    }
}

bool TFormSiteSurvey::GrowList(unsigned long needed)
{
    const DWORD size = GrownBssidListSize(m_nBssidListSize, needed);
    if (size <= m_nBssidListSize || !VOZEZIV.GrowRepositBssidList(size))
        return false;
    try {
        pBssidList.resize(size, 0);
    } catch (const std::bad_alloc&) {
        return false;
    }
    PrintMessage(6, " The network list needs %d bytes: the list buffers grow from %d to %d bytes\n", int(needed),
                 int(m_nBssidListSize), int(size));
    m_nBssidListSize = size;
    return true;
}

void TFormSiteSurvey::ForceUpdateBssidList()
{
    TTrace trace("ForceUpdateBssidList");
    const int result = QueryList();
    if (result != 1) {
        PrintMessage(2, " WVWL_SiteSurveyQuery() fail, return value = %d\n", result);
        m_bRescan = 0;
        m_bSurveyComplete = 0;
        ButtonShowHide();
        return;
    }
    const bss::Walk walk = bss::WalkList(pBssidList.data(), pBssidList.size());
    PrintMessage(6, " BSSID count = %d\n", int(walk.items.size()));
    for (size_t i = 0; LogEachNetwork() && i < walk.items.size(); ++i)
        PrintMessage(6, " BSSID %d = %s\n", int(i),
                     MacText(pBssidList.data() + walk.items[i].offset + bss::kMac, "%02X:%02X:%02X:%02X:%02X:%02X").c_str());
    UpdateRepositBssidListAt(VOZEZIV, pBssidList.data(), SiteSurveyFileTimeNow());
    PrintMessage(6, " call RescanTimeFunc()\n");
    RefreshApList();
}

void TFormSiteSurvey::TimerSiteSurveyTimer(TObject* Sender)
{
    TTrace trace("TimerSiteSurveyTimer");
    links::ResumeActions();
    TOneRadioRead radioOnce;
    PrintMessage(6, " TimerSiteSurvey - m_bSurveyComplete : %d\n", int(m_bSurveyComplete));
    if (m_bSurveyComplete) {
        PrintMessage(6, " Scan complete in site survey page, query table size = %d\n", int(m_nBssidListSize));
        const int result = QueryList();
        PrintMessage(6, " Scan complete in site survey page, WVWL_SiteSurveyQuery() return query table size = %d\n",
                     int(m_nBssidListSize));
        if (result != 1) {
            PrintMessage(result == -10 ? 6 : 2,
                         " Scan complete in site survey page, WVWL_SiteSurveyQuery() fail, return value = %d\n", result);
            m_bRescan = 0;
            m_bSurveyComplete = 0;
            ButtonShowHide();
            return;
        }
        const bss::Walk walk = bss::WalkList(pBssidList.data(), pBssidList.size());
        PrintMessage(6, " Scan complete in site survey page, BSSID count = %d\n", int(walk.items.size()));
        TFormProfileEdit* editor = FormProfileEdit;
        TCredentialMatch match;
        const bool logEach = LogEachNetwork();
        const bool matching = editor && editor->m_bScanAfterEAPConfig;
        for (size_t i = 0; (logEach || matching) && i < walk.items.size(); ++i) {
            const BYTE* item = pBssidList.data() + walk.items[i].offset;
            if (logEach)
                PrintMessage(6, " Scan complete in site survey page, BSSID %d = %s\n", int(i),
                             MacText(item + bss::kMac, "%02X:%02X:%02X:%02X:%02X:%02X").c_str());
            if (!editor || !editor->m_bScanAfterEAPConfig || match.found)
                continue;
            const ULONG credLength = std::min<ULONG>(editor->m_WpsCredentialSsid.SsidLength, 32);
            const std::string profSsid(reinterpret_cast<const char*>(editor->m_WpsCredentialSsid.Ssid), credLength);
            const ULONG length = std::min<ULONG>(bss::ReadU32(item + bss::kSsidLength), 32);
            const std::string tableSsid(reinterpret_cast<const char*>(item + bss::kSsid), length);
            PrintMessage(6, " strProfSSID = %s\n", profSsid.c_str());
            PrintMessage(6, " strScanTableSSID = %s\n", tableSsid.c_str());
            const bool sameSsid = CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, profSsid.data(), int(profSsid.size()),
                                                 tableSsid.data(), int(tableSsid.size())) == CSTR_EQUAL;
            if (sameSsid && std::memcmp(editor->m_WpsCredentialMac, item + bss::kMac, 6) == 0) {
                PrintMessage(6, " Profile SSID match scan table SSID, and profile BSSID match scan table BSSID. Set "
                                "bFindAP as TRUE\n");
                match = {true, walk.items[i].offset};
            }
        }
        if (editor && editor->m_bScanAfterEAPConfig)
            WpsCredentialFollowUp(match.found ? int(match.offset) : -1);

        UpdateRepositBssidListAt(VOZEZIV, pBssidList.data(), SiteSurveyFileTimeNow());
        PrintMessage(6, " Scan complete in site survey page, call RescanTimeFunc()\n");
        RefreshApList();
        if (m_bConnectAfterScan == 1) {
            m_bConnectAfterScan = FALSE;
            PrintMessage(6, " Switch country region, connect BSSID after scan complete!\n");
            PrintMessage(6, " call InsertAction()\n");
            if (const ACTION_DATA* pending = links::PendingAdvancedConnect())
                links::InsertAction(*pending);
        }
        editor = FormProfileEdit;
        if (editor && editor->m_bAutoSelect == 1 && editor->m_nWPSMode == 1 && editor->m_nCurSelItem == -1) {
            editor->UpdateWPSAPList();
            if (editor->FrameProfileEditWPSConnect)
                editor->FrameProfileEditWPSConnect->BtnPINClick(Sender);
        }
    }
    ButtonShowHide();
    UpdateConnectStatus(Sender);
}

void TFormSiteSurvey::WpsCredentialFollowUp(int matchedOffset)
{
    TTrace trace("WpsCredentialFollowUp");
    TFormProfileEdit* editor = FormProfileEdit;
    PrintMessage(6, " m_bScanAfterEAPConfig is TRUE\n");
    if (matchedOffset < 0 && editor->m_nScanCntAfterEAPConfig < 10) {
        editor->ScanRoutineAfterEAPConfig();
        return;
    }
    if (editor->m_nWPSMode == 1) {
        if (editor->m_nConfigMode != 0) {
            // The UUID-E comes from the access point the credential belongs to: the network
            // the scan matched, else the selected network as this scan reports it.
            std::memset(&editor->m_IeInfo, 0, sizeof editor->m_IeInfo);
            const BYTE* network = nullptr;
            if (matchedOffset >= 0) {
                network = pBssidList.data() + matchedOffset;
            } else if (const NDIS_WLAN_BSSID_EX* selected = SelectedBssid()) {
                for (const bss::Item& item : bss::WalkList(pBssidList.data(), pBssidList.size()).items)
                    if (std::memcmp(pBssidList.data() + item.offset + bss::kMac, selected->MacAddress, 6) == 0)
                        network = pBssidList.data() + item.offset;
            }
            if (network)
                editor->m_IeInfo = ParseElements(reinterpret_cast<const NDIS_WLAN_BSSID_EX*>(network));
            editor->m_IeInfo.strUuidE[sizeof editor->m_IeInfo.strUuidE - 1] = 0;
            PrintMessage(6, " Get UUID strUuidE = %s\n", editor->m_IeInfo.strUuidE);
        }
        if (editor->m_nConfigMode != 0 && editor->m_IeInfo.strUuidE[0] == 0) {
            links::ShowMessage("AP's uuid is empty, config sta was terminated!", 0);
            return;
        }
    }
    editor->m_bScanAfterEAPConfig = FALSE;
    editor->m_nScanCntAfterEAPConfig = 0;
    editor->ConnectRoutineAfterEAPConfig();
}

void TFormSiteSurvey::RefreshApList()
{
    TTrace trace("RefreshApList");
    m_pApList.clear();
    PrintMessage(6, " Set m_bSurveyComplete and m_bRescan as FALSE\n");
    m_bSurveyComplete = 0;
    m_bRescan = 0;
    if (VOZEZIV.pRepositBssidList && VOZEZIV.nRepositBssidBufSize) {
        const DWORD size = std::min<DWORD>(VOZEZIV.nRepositBssidBufSize, DWORD(pBssidList.size()));
        std::memcpy(pBssidList.data(), VOZEZIV.pRepositBssidList, size);
    } else {
        std::fill(pBssidList.begin(), pBssidList.end(), 0);
    }
    SortBssidList();
    m_pApList = BuildSiteSurveyRows(VOZEZIV, pBssidList.data(), DWORD(pBssidList.size()), &m_ParseCache);
    FillApList(m_pApList);
}

void TFormSiteSurvey::SortBssidList()
{
    ::SortBssidList(VOZEZIV, pBssidList.data(), DWORD(pBssidList.size()), m_nSortBy);
}

int TFormSiteSurvey::GetAuthType(ULONG nAuthBits)
{
    return ::GetAuthType(nAuthBits);
}

namespace {

// What a row shows, except the connection mark (which the status update keeps).
std::string ShownText(const SITE_SURVEY_INFO_EX& row)
{
    char fields[96];
    wsprintfA(fields, "|%lu|%lu|%ld|%d|%d|%d|%d|%lu|%d|", row.nInfraMode, row.nNetworkTypeInUse, row.nSignal,
              int(row.bSecured), int(row.bWps), int(row.b11n), int(row.bGOnly), row.nWapiType, int(row.b11ac));
    return row.strSsid + '\0' + row.strChannel + fields;
}

}  // namespace

void TFormSiteSurvey::FillApList(const std::vector<std::unique_ptr<SITE_SURVEY_INFO_EX>>& rows)
{
    TTrace trace("FillApList");
    m_bFillingApList = TRUE;
    const bool sameRows = !m_bPlaceholderRow && m_ShownRows.size() == rows.size() &&
                          lvApList->ItemCount() == int(rows.size());
    m_bPlaceholderRow = false;
    std::vector<std::string> shown;
    shown.reserve(rows.size());
    for (const auto& row : rows)
        shown.push_back(ShownText(*row));
    const std::vector<DWORD> networks = DisplayableItems();
    if (networks.empty() || rows.empty()) {
        m_nBlankMark = kNoPicture;
        lvApList->ClearItems();
        m_ShownRows.clear();
        m_SignalTexts.clear();
        m_bFillingApList = FALSE;
        return;
    }
    if (sameRows) {
        // As many rows as shown: only the rows in view whose texts or pictures changed are
        // repainted; the others are drawn from the rows when scrolled to.
        m_SignalTexts.resize(rows.size());
        std::vector<int> changed;
        for (size_t i = 0; i < rows.size(); ++i) {
            if (shown[i] == m_ShownRows[i])
                continue;
            m_SignalTexts[i].clear();
            changed.push_back(int(i));
        }
        lvApList->UpdateShownItems(changed);
    } else {
        m_nBlankMark = kNoPicture;
        m_SignalTexts.assign(rows.size(), std::string());
        lvApList->ClearItems();
        lvApList->SetItemCount(int(rows.size()));
    }
    m_ShownRows = std::move(shown);

    int select = 0;
    if (const NDIS_WLAN_BSSID_EX* selected = SelectedBssid()) {
        for (size_t i = 0; i < networks.size() && i < size_t(lvApList->ItemCount()); ++i) {
            if (std::memcmp(pBssidList.data() + networks[i] + bss::kMac, selected->MacAddress, 6) == 0) {
                select = int(i);
                PrintMessage(6, " TFormSiteSurvey::FillApList : nCurSelectedAp = %d \n", select);
            }
        }
    }
    m_bFillingApList = FALSE;
    if (lvApList->ItemCount() == 0) {
        lvApList->ClearItems();
        return;
    }
    TListItem* item = lvApList->Item(select);
    if (sameRows && lvApList->ItemIndex() == select) {
        // Already selected: the selection's details follow the new row without a scroll.
        lvApListSelectItem(lvApList, item, true);
        return;
    }
    item->SetSelected(true);
    item->MakeVisible();
}

void TFormSiteSurvey::ApListData(TListItem* item)
{
    const int index = item->Index();
    if (m_bPlaceholderRow) {
        item->SetImageIndex(m_nBlankMark);
        item->AddSubItem(m_strPlaceholder, -1);
        return;
    }
    if (index < 0 || size_t(index) >= m_pApList.size())
        return;
    const SITE_SURVEY_INFO_EX& row = *m_pApList[index];
    item->SetImageIndex(row.bConnected == 1 ? 0 : m_nBlankMark);
    const ULONG type = row.nNetworkTypeInUse;
    int security = kNoPicture;
    if (row.bSecured)
        security = row.nWapiType ? 9 : (row.bWps == 1 ? 10 : 8);
    else if (row.bWps == 1)
        security = 10;
    if (m_SignalTexts.size() != m_pApList.size())
        m_SignalTexts.assign(m_pApList.size(), std::string());
    std::string& signal = m_SignalTexts[index];
    if (signal.empty()) {
        char text[16];
        wsprintfA(text, "%5d%%", VOZEZIV.WVWL_RssiToPercent ? VOZEZIV.WVWL_RssiToPercent(row.nSignal) : 0);
        signal = text;
    }
    item->AddSubItem(row.strSsid, -1);
    item->AddSubItem("", row.nInfraMode ? 3 : 2);
    item->AddSubItem(row.strChannel, -1);
    item->AddSubItem("", type == 2 ? 4 : kNoPicture);
    item->AddSubItem("", !row.bGOnly && (type == 0 || type == 1 || type == 3) ? 5 : kNoPicture);
    item->AddSubItem("", type == 3 ? 6 : kNoPicture);
    item->AddSubItem("", row.b11ac == 1 ? 11 : (row.b11n == 1 ? 7 : kNoPicture));
    item->AddSubItem("", security);
    item->AddSubItem(signal, -1);
    item->Data = m_pApList[index].get();
}

void TFormSiteSurvey::ShowPlaceholderRow(const std::string& text)
{
    lvApList->ClearItems();
    m_ShownRows.clear();
    m_bPlaceholderRow = true;
    m_strPlaceholder = text;
    m_nBlankMark = kNoPicture;
    lvApList->SetItemCount(1);
}

bool TFormSiteSurvey::LogEachNetwork()
{
    return VOZEZIV.nDebugMode >= 6;
}

std::vector<DWORD> TFormSiteSurvey::DisplayableItems() const
{
    std::vector<DWORD> offsets;
    for (const bss::Item& item : bss::WalkList(pBssidList.data(), pBssidList.size()).items)
        if (item.iesFit)
            offsets.push_back(item.offset);
    return offsets;
}

const NDIS_WLAN_BSSID_EX* TFormSiteSurvey::Network(int row) const
{
    const std::vector<DWORD> networks = DisplayableItems();
    if (row < 0 || size_t(row) >= networks.size())
        return nullptr;
    return reinterpret_cast<const NDIS_WLAN_BSSID_EX*>(pBssidList.data() + networks[row]);
}

const NDIS_WLAN_BSSID_EX* TFormSiteSurvey::SelectedBssid() const
{
    if (m_pSelectedBssid.size() < bss::kFixedSize)
        return nullptr;
    return reinterpret_cast<const NDIS_WLAN_BSSID_EX*>(m_pSelectedBssid.data());
}

void TFormSiteSurvey::CopySelectedNetwork(int row)
{
    const NDIS_WLAN_BSSID_EX* network = Network(row);
    if (!network)
        return;
    const BYTE* p = reinterpret_cast<const BYTE*>(network);
    m_pSelectedBssid.assign(p, p + network->Length);
}

bool TFormSiteSurvey::InList(const NDIS_WLAN_BSSID_EX& network) const
{
    const std::string ssid = SsidOf(&network);
    for (DWORD offset : DisplayableItems()) {
        const auto* item = reinterpret_cast<const NDIS_WLAN_BSSID_EX*>(pBssidList.data() + offset);
        if (std::memcmp(item->MacAddress, network.MacAddress, 6) == 0 && SsidOf(item) == ssid)
            return true;
    }
    return false;
}

bool TFormSiteSurvey::KeepConnectNetwork()
{
    if (m_ConnectNetwork.size() < bss::kFixedSize)
        return true;
    const auto* chosen = reinterpret_cast<const NDIS_WLAN_BSSID_EX*>(m_ConnectNetwork.data());
    if (!InList(*chosen)) {
        PrintMessage(2, " TFormSiteSurvey: %s left the list, nothing is connected\n",
                     MacText(chosen->MacAddress, "%02X-%02X-%02X-%02X-%02X-%02X").c_str());
        m_ConnectNetwork.clear();
        links::ShowMessage(S(&CUISTR::STR_NOSELECTEDITEM), 0);
        return false;
    }
    m_pSelectedBssid = m_ConnectNetwork;
    return true;
}

void TFormSiteSurvey::lvApListSelectItem(TObject*, TListItem* Item, bool Selected)
{
    if (!Selected || !Item)
        return;
    TTrace trace("lvApListSelectItem");
    m_pSelectedRow = static_cast<SITE_SURVEY_INFO_EX*>(Item->Data);
    if (!m_pSelectedRow)
        return;
    m_nSelectedIndex = Item->Index();
    if (m_nSelectedIndex == -1 || DisplayableItems().empty())
        return;
    CopySelectedNetwork(m_nSelectedIndex);
    const NDIS_WLAN_BSSID_EX* network = SelectedBssid();
    if (!network)
        return;
    const IE_INFO info = ParseElements(network);
    m_nAuthType = GetAuthType(info.nAuthBits);
    m_nInfraMode = int(network->InfrastructureMode);

    const std::string ssid = SsidOf(network);
    lblSSID->SetHint(ssid);
    lblSSID->SetCaption(ssid.size() > 16 ? ssid.substr(0, 15) + ".." : ssid);

    const std::string mac = MacText(network->MacAddress, "%02X-%02X-%02X-%02X-%02X-%02X");
    lblMACAddress->SetCaption(mac);
    lblMACAddress->SetHint(mac);

    std::string auth;
    switch (info.nAuthBits) {
    case 0: auth = "Open"; break;
    case 1: auth = "WPA"; break;
    case 2: auth = "WPA-PSK"; break;
    case 4: auth = "WPA-NONE"; break;
    case 8: auth = "WPA2"; break;
    case 9: auth = "WPA+WPA2"; break;
    case 16: auth = "WPA2-PSK"; break;
    case 18: auth = "WPA-PSK+WPA2-PSK"; break;
    case 32: auth = "WPA2-NONE"; break;
    case 64: auth = "WAPI-PSK"; break;
    case 128: auth = "WAPI-CERT"; break;
    default: break;
    }
    if (info.bCCKM == 1)
        auth += "+CCKM";
    lblAuthentication->SetHint(auth);
    lblAuthentication->SetCaption(auth.size() > 16 ? auth.substr(0, 16) + ".." : auth);

    std::string encryption;
    if (info.nCipherBits == 0) {
        encryption = network->Privacy ? "WEP" : "NONE";
    } else {
        if (info.nCipherBits & 1)
            encryption += "WEP+";
        if (info.nCipherBits & 2)
            encryption += "TKIP+";
        if (info.nCipherBits & 4)
            encryption += "AES+";
        if (info.nCipherBits & 8)
            encryption += "SMS+";
        if (!encryption.empty())
            encryption.pop_back();
    }
    lblEncryption->SetCaption(encryption);
    lblEncryption->SetHint(encryption);
    ButtonShowHide();
}

void TFormSiteSurvey::ClearDetails()
{
    for (TLabel* label : {lblSSID, lblMACAddress, lblAuthentication, lblEncryption}) {
        label->SetCaption("");
        label->SetHint("");
    }
}

void TFormSiteSurvey::ButtonShowHide()
{
    TTrace trace("ButtonShowHide");
    const int os = VOZEZIV.nWinOS;
    bool mayConfigure;
    if (os >= WINOS_VISTA)
        mayConfigure = VOZEZIV.WVWL_CheckMSConfigService && VOZEZIV.WVWL_CheckMSConfigService() != 0;
    else
        mayConfigure = ZeroConfig() != 2;

    const int wapi = WapiConnecting();
    if (wapi == 1)
        m_bRescan = 0;
    if (m_bWapiConnecting == 1 && wapi == 0) {
        m_bRescan = 1;
        StartScan();
    }
    m_bWapiConnecting = wapi;
    PrintMessage(6, " TFormSiteSurvey::ButtonShowHide: m_bRescan = %d\n", int(m_bRescan));
    PrintMessage(6, " TFormSiteSurvey::ButtonShowHide: m_bSurveyComplete = %d\n", int(m_bSurveyComplete));

    const int radio = RadioOn();
    if (radio && m_bRescan == 0) {
        BtnSiteSurveyRescan->SetEnabled(true);
        BtnSiteSurveyConnect->SetEnabled(true);
        BtnSiteSurveyAdd2Prof->SetEnabled(true);
        lblCaptionText->SetCaption(S(&CUISTR::STR_BtnHintSiteSurvey));
    } else {
        BtnSiteSurveyRescan->SetEnabled(false);
        BtnSiteSurveyConnect->SetEnabled(false);
        BtnSiteSurveyAdd2Prof->SetEnabled(false);
        lblCaptionText->SetCaption(radio == 1 ? S(&CUISTR::STR_RESCANNING) : S(&CUISTR::STR_BtnHintSiteSurvey));
        ClearDetails();
    }

    const int kind = m_nAuthType;
    bool allowed = mayConfigure && m_bRescan == 0 && radio && lvApList->ItemCount() > 0;
    allowed = allowed && !(WpaCapable() == 0 && kind >= 1 && kind <= 5);
    allowed = allowed && !((kind == 6 || kind == 7) && !(VOZEZIV.bSupportWAPI && CheckAdapterKind() != 0));
    allowed = allowed && !(os >= WINOS_VISTA && kind == 3);
    const int mode = os >= WINOS_WIN7 ? QueryOPMode() : OP_MODE_STATION;
    allowed = allowed &&
              !(os >= WINOS_WIN7 && mode != OP_MODE_STATION && mode != OP_MODE_STA_WIFI_DIRECT && m_nInfraMode == 0);
    if (allowed) {
        BtnSiteSurveyConnect->SetEnabled(true);
        const bool admin = (VOZEZIV.WVWL_DetectUserAdmin && VOZEZIV.WVWL_DetectUserAdmin() != 0) ||
                           (VOZEZIV.WVWL_IsAllowStandardUserSetProfile && VOZEZIV.WVWL_IsAllowStandardUserSetProfile() == 1);
        BtnSiteSurveyAdd2Prof->SetEnabled(admin);
    } else {
        BtnSiteSurveyConnect->SetEnabled(false);
        BtnSiteSurveyAdd2Prof->SetEnabled(false);
    }
    BtnSiteSurveyAdd2Prof->SetVisible(!(os >= WINOS_WIN8 && m_nInfraMode == 0));
}

void TFormSiteSurvey::UpdateConnectStatus(TObject* Sender)
{
    TTrace trace("UpdateConnectStatus");
    std::vector<BYTE> copy;
    try {
        copy = pBssidList;
    } catch (const std::bad_alloc&) {
        PrintMessage(6, " --> TFormSiteSurvey::UpdateConnectStatus() : pBssidList == NULL, Return\n");
        return;
    }
    if (m_bFillingApList == 1) {
        PrintMessage(6, " Is running FillAPList() Return\n");
        return;
    }
    const WLAN_STATUS link = QueryLinkStatus(VOZEZIV, LINK_QUERY_CONNECTION);
    const bss::Walk walk = bss::WalkList(copy.data(), copy.size());
    PrintMessage(6,
                 " TFormSiteSurvey::UpdateConnectStatus() : lvApList->Items->Count = %d , pBssidList->NumberOfItems = "
                 "%d\n",
                 lvApList->ItemCount(), int(walk.claimed));
    if (lvApList->ItemCount() == 0 || walk.items.empty())
        return;
    const int radio = RadioOn();  // read once for the whole tick

    int rescanTemp = 1;
    int connected = -1;
    const int wifiDirect = ReadFlag(VOZEZIV.WVWL_ReadWifiDirectFlag);
    if (wifiDirect && link.status != WvStatus_Connected) {
        PrintMessage(6, " TFormSiteSurvey::UpdateConnectStatus()-> ModifyTrayIcon for WiFiDirect\n");
        links::ModifyTrayIcon(1, links::WiFiDirectGroupCount() > 1 ? 4 : 3);
    }
    const std::string linkSsid = LinkSsidText(link.ssid);
    if (link.status == WvStatus_Connected && radio) {
        int position = -1;
        for (const bss::Item& item : walk.items) {
            if (!item.iesFit)
                continue;
            ++position;
            const BYTE* p = copy.data() + item.offset;
            if (std::memcmp(p + bss::kMac, link.bssid, 6) != 0)
                continue;
            if (bss::ReadU32(p + bss::kInfrastructureMode) != link.networkType && link.networkType != WV_NETWORK_PEER_TO_PEER)
                continue;
            connected = position;
            if (bss::ReadU32(p + bss::kDSConfig) != link.dsFrequency || position >= lvApList->ItemCount() ||
                size_t(position) >= m_pApList.size())
                continue;
            const std::string& rowSsid = m_pApList[position]->strSsid;
            const int wps = ReadFlag(VOZEZIV.WVWL_ReadWPSFlag);
            const WLANPROFILE* current = links::CurrentProfile();
            if ((current && current->bBssid == 1) || wps == 1 || wifiDirect == 1) {
                PrintMessage(6, " TFormSiteSurvey::UpdateConnectStatus(bBssid = NULL | %d == bWps | %d == bWiFiDirect )",
                             wps, wifiDirect);
                if (SameSsid(linkSsid, rowSsid)) {
                    rescanTemp = 0;
                    break;
                }
                continue;
            }
            char name[128] = {};
            if (VOZEZIV.WVWL_ReadActiveProfileName)
                VOZEZIV.WVWL_ReadActiveProfileName(name);
            name[sizeof name - 1] = 0;
            auto profile = std::make_unique<WLANPROFILE>();
            std::memset(profile.get(), 0, sizeof(WLANPROFILE));
            if (VOZEZIV.WVWL_ReadProfileData)
                VOZEZIV.WVWL_ReadProfileData(profile.get(), name);
            const std::string profileSsid = LinkSsidText(profile->SSID);
            if ((VOZEZIV.nWinOS >= WINOS_WIN7 && QueryOPMode() == OP_MODE_APCLIENT && profile->enumNetworkType == 0) ||
                profileSsid.empty() || rowSsid.empty() || SameSsid(profileSsid, rowSsid)) {
                rescanTemp = 0;
                break;
            }
        }
    }

    // The mark lives in the rows; only a row whose mark changed is repainted.
    const bool mark = !m_bPlaceholderRow && connected >= 0 && connected < lvApList->ItemCount() &&
                      size_t(connected) < m_pApList.size() && link.status == WvStatus_Connected;
    m_nBlankMark = -1;
    for (size_t i = 0; i < m_pApList.size(); ++i) {
        const BOOL connectedRow = mark && int(i) == connected ? 1 : 0;
        if (m_pApList[i]->bConnected == connectedRow)
            continue;
        m_pApList[i]->bConnected = connectedRow;
        lvApList->UpdateItems(int(i), int(i));
    }

    if (link.status == WvStatus_Connected && radio && HasLinkBssid(link)) {
        if ((wifiDirect == 1 || VOZEZIV.bWiFiDirectSigmaTest) &&
            (links::WiFiDirectOwnEntryStatus() & 2) && QueryOPMode() == OP_MODE_STATION) {
            rescanTemp = 0;
            PrintMessage(6,
                         " TFormSiteSurvey::UpdateConnectStatus: (WiFiDirect = %d | VOZEZIV.bWiFiDirectSigmaTest = %d ) "
                         "&& ENTRYSTATUS_GOREADY &&  OP_MODE_STATION  ---> bRescan_temp = %d",
                         wifiDirect, VOZEZIV.bWiFiDirectSigmaTest, rescanTemp);
        }
        if (rescanTemp == 1) {
            if (nRescanDelay > 5) {
                nRescanDelay = 0;
                BtnSiteSurveyRescanClick(Sender);
            } else {
                ++nRescanDelay;
            }
        }
    }
    if (radio == 0)
        lvApList->ClearItems();
}

void TFormSiteSurvey::TimerReScanOnTimer(TObject* Sender)
{
    TTrace trace("TimerReScanOnTimer");
    TimerReScanOn->SetEnabled(false);
    if (m_bRescan != 0)
        return;
    int hardware = 1, software = 1;
    if (VOZEZIV.WVWL_QueryHWAndSWRadioState)
        VOZEZIV.WVWL_QueryHWAndSWRadioState(&hardware, &software);
    PrintMessage(6, " HW Radio State = %d, SW Radio State = %d\n", hardware, software);
    if (hardware && software) {
        PrintMessage(6, " m_bRescan is FALSE, HW and SW radio on, call OnRescan()\n");
        BtnSiteSurveyRescanClick(Sender);
    }
}

void TFormSiteSurvey::StartReScanTimer()
{
    TTrace trace("StartReScanTimer");
    TimerReScanOn->SetInterval(3000);
    TimerReScanOn->SetEnabled(true);
}

void TFormSiteSurvey::ShowRescanningRow()
{
    TTrace trace("ShowRescanningRow");
    ShowPlaceholderRow(S(&CUISTR::STR_RESCANNING));
}

void TFormSiteSurvey::ClearNetworks()
{
    TTrace trace("ClearNetworks");
    m_bPlaceholderRow = false;
    lvApList->ClearItems();
    m_pApList.clear();
    m_ShownRows.clear();
    m_SignalTexts.clear();
    std::fill(pBssidList.begin(), pBssidList.end(), 0);
    ClearDetails();
}

void TFormSiteSurvey::OnScanFailed()
{
    m_bSurveyComplete = 0;
    m_bRescan = 0;
}

void TFormSiteSurvey::SortBy(int mode, TMenuItem* item)
{
    TTrace trace("SortBy");
    for (TMenuItem* each : {ID_TRAY_SSID, ID_TRAY_CHANNEL, ID_TRAY_SIGNAL})
        each->Checked = each == item;
    m_nSortBy = mode;
    RefreshApList();
}

void TFormSiteSurvey::OnSortBySSID(TObject*)
{
    SortBy(0, ID_TRAY_SSID);
}

void TFormSiteSurvey::OnSortByChannel(TObject*)
{
    SortBy(1, ID_TRAY_CHANNEL);
}

void TFormSiteSurvey::OnSortBySignal(TObject*)
{
    SortBy(2, ID_TRAY_SIGNAL);
}
