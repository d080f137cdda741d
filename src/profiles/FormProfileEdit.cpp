#include "profiles/FormProfileEdit.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "dialogs/FormMessageBox.h"
#include "core/Helpers.h"
#include "core/Log.h"
#include "core/WvwlLib.h"
#include "mainwindow/MainWindowServices.h"
#include "mainwindow/FormSiteSurvey.h"
#include "mainwindow/SiteSurveyLinks.h"
#include "profiles/FormProfile.h"
#include "profiles/ProfileEditControls.h"
#include "profiles/ProfileRecord.h"
#include "resources/FormResource.h"
#include "wlapi/bsslist.h"
#include "wlapi/constants.h"
#include "wlapi/result.h"

using namespace ProfileEditUi;

TFormProfileEdit* FormProfileEdit = nullptr;

namespace {

constexpr size_t kPacEntrySize = 516;
constexpr unsigned long kMaxPacEntries = 1024;
constexpr unsigned long kMaxPacRows = TFrameProfileEditEAPFast::kMaxPacRows;
constexpr int kPageLeft = 10, kPageTop = 48, kPageHeight = 155;

TWvImage* MakeButton(TFormProfileEdit* form, int left, int top, TImage* normal, TImage* down, TImage* disabled)
{
    const int w = normal ? normal->Width() : 60, h = normal ? normal->Height() : 22;
    return MakePushButton(form, left, top, w, h, normal, down, disabled);
}

bool IsBlank(const std::string& text)
{
    return text.find_first_not_of(" \t") == std::string::npos;
}

bool IsHexDigits(const std::string& text)
{
    return std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isxdigit(c) != 0; });
}

template <size_t N>
void CopyText(char (&field)[N], const std::string& text)
{
    std::memset(field, 0, N);
    std::memcpy(field, text.data(), std::min(text.size(), N - 1));
}

std::string BoundedText(const char* field, size_t size)
{
    const char* end = static_cast<const char*>(std::memchr(field, 0, size));
    return std::string(field, end ? size_t(end - field) : size);
}

// A certificate identifier: its length, then that many bytes.
KV_BLOB_KEY BoundedBlob(const KV_BLOB_KEY& stored)
{
    KV_BLOB_KEY key{};
    key.BlobLength = std::min<ULONG>(stored.BlobLength, sizeof key.BlobData);
    std::memcpy(key.BlobData, stored.BlobData, key.BlobLength);
    return key;
}

} // namespace

unsigned long long DefaultNameNumber(const std::string& name, const std::string& prefix)
{
    std::string upper = name, upperPrefix = prefix;
    CharUpperBuffA(upper.data(), DWORD(upper.size()));
    CharUpperBuffA(upperPrefix.data(), DWORD(upperPrefix.size()));
    if (upperPrefix.empty() || upper.compare(0, upperPrefix.size(), upperPrefix) != 0)
        return 0;
    unsigned long long number = 0;
    for (size_t i = upperPrefix.size(); i < upper.size() && std::isdigit(static_cast<unsigned char>(upper[i])); ++i) {
        number = number * 10 + unsigned(upper[i] - '0');
        if (number > 0xFFFFFFFFULL)
            return 0xFFFFFFFFULL;
    }
    return number;
}

// ---- the window

TFormProfileEdit::TFormProfileEdit(TComponent* owner) : TFormBase(owner)
{
    Name = "FormProfileEdit";
    TFormResource* res = FormResource;
    if (res && res->ImgProfileFormBG)
        ImgBackground->SetPicture(res->ImgProfileFormBG->Picture());
    if (ImgBackground->Picture().Empty())
        SetClientSize(400, 245);
    const int w = ClientWidth(), h = ClientHeight();

    SysBtnClose = MakeButton(this, w - 23, 16, res ? res->ImgBtnProfileFormClose_Normal : nullptr,
                             res ? res->ImgBtnProfileFormClose_Down : nullptr, nullptr);
    BtnProfileCancel = MakeButton(this, w - 100, h - 34, res ? res->ImgBtnProfileCancel_Normal : nullptr,
                                  res ? res->ImgBtnProfileCancel_Down : nullptr,
                                  res ? res->ImgBtnProfileCancel_Diabled : nullptr);
    BtnProfileBack = MakeButton(this, w - 70, h - 34, res ? res->ImgBtnProfileBack_Normal : nullptr,
                                res ? res->ImgBtnProfileBack_Down : nullptr,
                                res ? res->ImgBtnProfileBack_Disabled : nullptr);
    BtnProfileNext = MakeButton(this, w - 40, h - 34, res ? res->ImgBtnProfileNext_Normal : nullptr,
                                res ? res->ImgBtnProfileNext_Down : nullptr,
                                res ? res->ImgBtnProfileNext_Disabled : nullptr);
    SysBtnClose->OnClick = [this](TObject* s) { SysBtnCloseClick(s); };
    BtnProfileCancel->OnClick = [this](TObject* s) { SysBtnCloseClick(s); };
    BtnProfileBack->OnClick = [this](TObject* s) { BtnProfileBackClick(s); };
    BtnProfileNext->OnClick = [this](TObject* s) { BtnProfileNextClick(s); };
    DefaultControl = BtnProfileNext;
    CancelControl = BtnProfileCancel;

    const auto place = [this](TFrameBase* page) {
        page->SetParent(this);
        page->SetBounds(kPageLeft, kPageTop, kPageWidth, kPageHeight);
        page->SetColor(WEVO_FORM_COLOR);
    };
    FrameProfileEditWireless = new TFrameProfileEditWireless(this);
    FrameProfileEditSecurity = new TFrameProfileEditSecurity(this);
    FrameProfileEditKey = new TFrameProfileEditKey(this);
    FrameProfileEditAdvanced = new TFrameProfileEditAdvanced(this);
    FrameProfileEdit8021X = new TFrameProfileEdit8021X(this);
    FrameProfileEditClientCert = new TFrameProfileEditClientCert(this);
    FrameProfileEditServerCert = new TFrameProfileEditServerCert(this);
    FrameProfileEditEAPFast = new TFrameProfileEditEAPFast(this);
    FrameProfileEditSSO = new TFrameProfileEditSSO(this);
    FrameProfileEditWAPICert = new TFrameProfileEditWAPICert(this);
    FrameProfileEditWPS = new TFrameProfileEditWPS(this);
    FrameProfileEditWPSPin = new TFrameProfileEditWPSPin(this);
    FrameProfileEditWPSConnect = new TFrameProfileEditWPSConnect(this);
    FrameProfileEditWPSProfile = new TFrameProfileEditWPSProfile(this);
    FrameProfileEditExtregWPSProfile = new TFrameProfileEditExtregWPSProfile(this);
    for (TFrameBase* page : AllPages())
        place(page);

    TimerWPSHWPBC = new TTimer(this);
    TimerWPSHWPBC->SetEnabled(false);
    TimerWPSHWPBC->SetInterval(1000);
    TimerWPSHWPBC->OnTimer = [this](TObject* s) { TimerWPSHWPBCTimer(s); };
    TimerWPSConnectStatus = new TTimer(this);
    TimerWPSConnectStatus->SetEnabled(false);
    TimerWPSConnectStatus->SetInterval(2000);
    TimerWPSConnectStatus->OnTimer = [this](TObject* s) { TimerWPSConnectStatusTimer(s); };
    TimerWPSStatus = new TTimer(this);
    TimerWPSStatus->SetEnabled(false);
    TimerWPSStatus->SetInterval(200);
    TimerWPSStatus->OnTimer = [this](TObject* s) { TimerWPSStatusTimer(s); };
    TimerWPSTwoMin = new TTimer(this);
    TimerWPSTwoMin->SetEnabled(false);
    TimerWPSTwoMin->SetInterval(120000);
    TimerWPSTwoMin->OnTimer = [this](TObject* s) { TimerWPSTwoMinTimer(s); };
    TimerWPSNDISMediaDisconnected = new TTimer(this);
    TimerWPSNDISMediaDisconnected->SetEnabled(false);
    TimerWPSNDISMediaDisconnected->SetInterval(5000);
    TimerWPSNDISMediaDisconnected->OnTimer = [this](TObject* s) { TimerWPSNDISMediaDisconnectedTimer(s); };

    OnShow = [this](TObject* s) { FormShow(s); };
    ResetEditor();
    m_nEAPMethod = 0;
    m_nTunnelAuthen = 26;
    m_nTTLSTunnelAuthen = 72;
    m_nSessionResumption = 1;
    m_bCacheUserInfo = 1;
}

std::vector<TFrameBase*> TFormProfileEdit::AllPages() const
{
    return {FrameProfileEditWireless, FrameProfileEditSecurity, FrameProfileEditKey, FrameProfileEditAdvanced,
            FrameProfileEdit8021X, FrameProfileEditClientCert, FrameProfileEditServerCert,
            FrameProfileEditEAPFast, FrameProfileEditSSO, FrameProfileEditWAPICert, FrameProfileEditWPS,
            FrameProfileEditWPSPin, FrameProfileEditWPSConnect, FrameProfileEditWPSProfile,
            FrameProfileEditExtregWPSProfile};
}

TFormProfileEdit::~TFormProfileEdit()
{
    // No WPS tick may reach a window that is going away.
    for (TTimer* timer : {TimerWPSHWPBC, TimerWPSStatus, TimerWPSTwoMin, TimerWPSNDISMediaDisconnected, TimerWPSConnectStatus})
        if (timer)
            timer->SetEnabled(false);
    // The certificate library releases what the store refers to.
    if (VOZEZIV.ZeZuveZud_ClearCert)
        VOZEZIV.ZeZuveZud_ClearCert(m_WapiCertStore.get());
}

void TFormProfileEdit::FormCreate(TObject* Sender)
{
    PrintMessage(6, " --> TFormProfileEdit::FormCreate\n");
    lblCaptionText->SetCaption(S(&CUISTR::STR_BtnHintProfile));
    SysBtnClose->SetHint(S(&CUISTR::STR_BtnHintClose));
    BtnProfileNext->SetHint(S(&CUISTR::STR_BtnHintNext));
    BtnProfileBack->SetHint(S(&CUISTR::STR_BtnHintBack));
    BtnProfileCancel->SetHint(S(&CUISTR::STR_BtnHintCancel));
    unsigned long ccx2 = 0;
    if (VOZEZIV.WVWL_ReadCCX2Cont)
        VOZEZIV.WVWL_ReadCCX2Cont(&ccx2);
    m_bCCKMEnabled = (ccx2 & 0x2) ? TRUE : FALSE;
    TimerWPSHWPBC->SetInterval(1000);
    PrintMessage(6, " Start TimerWPSHWPBC Timer : 1sec\n");
    m_nWPSVersion = 0x10;
    if (VOZEZIV.WVWL_QueryWPSVersion) {
        unsigned long version = 0;
        if (VOZEZIV.WVWL_QueryWPSVersion(&version))
            m_nWPSVersion = version;
        else
            PrintMessage(2, " WVWL_QueryWPSVersion() return FALSE\n");
    }
    PrintMessage(6, " WPS version = 0x%X\n", unsigned(m_nWPSVersion));
    TFormBase::FormCreate(Sender);
    PrintMessage(6, " <-- TFormProfileEdit::FormCreate\n");
}

void TFormProfileEdit::FormShow(TObject*)
{
    BtnProfileBack->SetEnabled(false);
    BtnProfileNext->SetEnabled(true);
    TFrameBase* first = FrameProfileEditSecurity;
    if (!SurveyMode())
        first = WpsFromProfile() ? FrameProfileEditWPS : static_cast<TFrameBase*>(FrameProfileEditWireless);
    m_pCurrentPage = nullptr;
    if (first == FrameProfileEditSecurity)
        FillAuthenticationList();
    SwitchPage(nullptr, first);
}

void TFormProfileEdit::ResetEditor()
{
    m_strProfName.clear();
    m_strProfSSID.clear();
    m_nProfNetworkType = 1;
    m_nInfrastructureMode = 1;
    m_nAuthSel = 0;
    m_nEncrySel = 0;
    m_strProfID.clear();
    m_nProfID = 0;
    m_strProfChannel.clear();
    m_nDefaultKey = 1;
    for (int i = 0; i < 4; ++i) {
        m_nWEPKeyFormat[i] = 0;
        m_strWEPKey[i].clear();
    }
    m_nPskKeyType = 1;
    m_strPskKey.clear();
    unsigned long psMode = 0;
    if (VOZEZIV.WVWL_ReadPSMode)
        VOZEZIV.WVWL_ReadPSMode(&psMode);
    m_nPSMode = int(psMode);
    m_nTxPower = 0;
    m_nPreamble = 0;
    m_bUseRTS = 0;
    m_nRTSThreshold = 2347;
    m_bUseFrag = 0;
    m_nFragThreshold = 2346;
    m_bDiagnostic = 0;
    m_nAdhocMode = 1;
    m_bACCam = 0;
    m_bMD5WepKeys = 0;
    m_bShowWPSProfilePage = FALSE;
    m_PacBuffer.clear();
    m_nWapiCertMode = 0;
    m_WapiUserIdentity = {};
    m_WapiASIdentity = {};
    m_strUserCertPath.clear();
    m_strASCertPath.clear();
    m_WpaInfo = WPA_INFO();
    if (FrameProfileEditKey) {
        FrameProfileEditKey->editPskKey->SetText("");
        for (TEdit* edit : FrameProfileEditKey->editWEPKey)
            edit->SetText("");
    }
}

void TFormProfileEdit::FillSsidList(bool fromProfile)
{
    TComboBox* box = FrameProfileEditWireless->cboxSSID;
    box->Items().Clear();
    const DWORD size = VOZEZIV.nRepositBssidBufSize;
    if (VOZEZIV.pRepositBssidList && size) {
        std::vector<BYTE> copy(VOZEZIV.pRepositBssidList, VOZEZIV.pRepositBssidList + size);
        int index = 0;
        for (const bss::Item& item : bss::WalkList(copy.data(), copy.size()).items) {
            const BYTE* p = copy.data() + item.offset;
            const bool adhoc = bss::ReadU32(p + bss::kInfrastructureMode) == 0;
            if (!(WinOS() >= WINOS_WIN8 && adhoc)) {
                const uint32_t length = std::min(bss::ReadU32(p + bss::kSsidLength), bss::kMaxSsid);
                box->Items().AddObject(std::string(reinterpret_cast<const char*>(p + bss::kSsid), length),
                                       reinterpret_cast<void*>(intptr_t(index)));
            }
            ++index;
        }
    }
    int selected = box->Items().IndexOf(m_strProfSSID);
    if (selected < 0 && fromProfile && !m_strProfSSID.empty()) {
        selected = box->Items().AddObject(m_strProfSSID, reinterpret_cast<void*>(intptr_t(-1)));
    }
    box->SetItemIndex(selected);
    box->SetText(m_strProfSSID);
}

void TFormProfileEdit::InitialSettingFromSiteSurvey(const NDIS_WLAN_BSSID_EX* network, const std::string& name,
                                                    const std::string& id, int authType, int secured,
                                                    const std::string& cipher)
{
    PrintMessage(6, " --> TFormProfileEdit::InitialSettingFromSiteSurvey\n");
    ResetEditor();
    m_bFromSurvey = TRUE;
    m_bWPSFromProfile = FALSE;
    m_strProfName = name;
    m_strOrgProfName = name;
    m_strProfID = (id.empty() || id == "0") ? "1" : id;
    FrameProfileEditWireless->editProfileName->SetText(name);
    if (network) {
        const uint32_t length = std::min<ULONG>(network->Ssid.SsidLength, bss::kMaxSsid);
        m_strProfSSID.assign(reinterpret_cast<const char*>(network->Ssid.Ssid), length);
        m_nInfrastructureMode = network->InfrastructureMode;
        m_nProfNetworkType = network->InfrastructureMode == 1 ? 1 : 0;
        if (VOZEZIV.WVWL_FrequencyToChannel) {
            const int channel = VOZEZIV.WVWL_FrequencyToChannel(network->Configuration.DSConfig);
            if (channel >= 0)
                m_strProfChannel = std::to_string(channel);
        }
    }
    FillSsidList();

    if (!secured) {
        m_nAuthSel = 0;
        m_nEncrySel = 0;
    } else {
        if (cipher == S(&CUISTR::STR_AES) || cipher == "TKIP+AES")
            m_nEncrySel = 3;
        else if (cipher == S(&CUISTR::STR_TKIP))
            m_nEncrySel = 2;
        else if (cipher == S(&CUISTR::STR_SMS4))
            m_nEncrySel = 4;
        else
            m_nEncrySel = 1;
        const bool wpa2 = WinOS() >= 11;
        switch (authType) {
        case 1: m_nAuthSel = 3; break;
        case 2: m_nAuthSel = 4; break;
        case 3: m_nAuthSel = 7; break;
        case 4: m_nAuthSel = wpa2 ? 5 : 3; break;
        case 5: m_nAuthSel = wpa2 ? 6 : 4; break;
        case 6: m_nAuthSel = 8; break;
        case 7: m_nAuthSel = 9; break;
        case 8: m_nAuthSel = 10; break;
        default:
            m_nAuthSel = 0;
            m_nEncrySel = 1;
            break;
        }
    }
    FillAuthenticationList();
    StartNewEapFast();
    PrintMessage(6, " <-- TFormProfileEdit::InitialSettingFromSiteSurvey\n");
}

void TFormProfileEdit::InitialSettingFromProfileAdd(const std::string& name, const std::string& id)
{
    PrintMessage(6, " --> TFormProfileEdit::InitialSettingFromProfileAdd\n");
    ResetEditor();
    m_bWPSFromProfile = FALSE;
    m_bFromSurvey = FALSE;
    m_strProfName = name;
    m_strOrgProfName = name;
    m_strProfID = (id.empty() || id == "0") ? "1" : id;
    FrameProfileEditWireless->editProfileName->SetText(name);
    FillSsidList();
    FrameProfileEditWireless->rBtnInfra->SetChecked(true);
    m_nProfNetworkType = 1;
    m_nInfrastructureMode = 1;
    FillAuthenticationList();
    ShowAdvancedValues();
    FrameProfileEditSSO->ResetControls();
    StartNewEapFast();
    PrintMessage(6, " <-- TFormProfileEdit::InitialSettingFromProfileAdd\n");
}

void TFormProfileEdit::StartNewEapFast()
{
    m_bProvisionMode = 1;
    m_bUsePAC = 1;
    m_nProvisioningTunnel = 0;
    m_strLastPACFile.clear();
    FrameProfileEditEAPFast->LoadPACFiles();
}

void TFormProfileEdit::HoldPacEntries(const std::vector<PAC_FILE_ENTRY>& entries)
{
    m_WpaInfo.nPacCount = 0;
    m_WpaInfo.pPacEntries = nullptr;
    try {
        m_PacBuffer.assign(entries.size() * kPacEntrySize, 0);
    } catch (const std::bad_alloc&) {
        m_PacBuffer.clear();
        return;
    }
    if (entries.empty())
        return;
    std::memcpy(m_PacBuffer.data(), entries.data(), m_PacBuffer.size());
    m_WpaInfo.nPacCount = int(entries.size());
    m_WpaInfo.pPacEntries = m_PacBuffer.data();
}

void TFormProfileEdit::LoadProfile()
{
    PrintMessage(6, " --> TFormProfileEdit::LoadProfile\n");
    auto record = std::make_unique<WLANPROFILE>();
    WLANPROFILE& p = *record;
    std::memset(&p, 0, sizeof p);
    char name[128] = {};
    CopyText(name, m_strProfName);
    if (VOZEZIV.WVWL_ReadProfileData)
        VOZEZIV.WVWL_ReadProfileData(&p, name);

    m_strProfSSID = ProfileSsidOf(p);
    m_nProfNetworkType = p.enumNetworkType == 1 ? 1 : 0;
    m_nInfrastructureMode = m_nProfNetworkType;
    if (VOZEZIV.WVWL_FrequencyToChannel)
        m_strProfChannel = std::to_string(VOZEZIV.WVWL_FrequencyToChannel(ULONG(p.lFreq)));
    m_nProfID = int(p.nProfileID);
    m_strProfID = std::to_string(p.nProfileID);
    m_nPSMode = p.enumPSMode >= 2 ? 1 : int(p.enumPSMode);
    m_nTxPower = int(std::min<uint32_t>(p.lTxPower, 6));
    m_bACCam = int(p.bACCam);
    m_nPreamble = p.enumPreamType == 0 ? 1 : 0;
    m_bUseRTS = p.bUseRTSThre ? 1 : 0;
    m_nRTSThreshold = m_bUseRTS ? std::clamp<int32_t>(p.lRtsThre, 0, 2347) : 2347;
    m_bUseFrag = p.bUseFragThre ? 1 : 0;
    m_nFragThreshold = m_bUseFrag ? std::clamp<int32_t>(p.lFragThre, 256, 2346) : 2346;
    m_bDiagnostic = p.bUseDiagnostic ? 1 : 0;
    m_nEncrySel = StoredEncryToEditor(p.enumEncryStatus);
    m_nAuthSel = StoredAuthToEditor(p.enumAuthenMode, p.b8021X, p.enumEncryStatus);
    m_nDefaultKey = int(std::clamp<ULONG>(p.wepDefaultKey, 1, 4));
    const char* keys[4] = {p.WEPKey1, p.WEPKey2, p.WEPKey3, p.WEPKey4};
    const uint32_t types[4] = {p.WEPKey1Type, p.WEPKey2Type, p.WEPKey3Type, p.WEPKey4Type};
    for (int i = 0; i < 4; ++i) {
        m_nWEPKeyFormat[i] = int(types[i]);
        m_strWEPKey[i] = BoundedText(keys[i], 64);
    }
    m_nPskKeyType = int(p.nPskKeyType);
    m_strPskKey.assign(p.chPskKey, std::min<size_t>(p.nPskKeyLen, sizeof p.chPskKey));
    m_strPskKey = BoundedText(m_strPskKey.data(), m_strPskKey.size());

    m_WpaInfo.nEapMethod = int(p.enumAuthenProtocol);
    if (p.enumAuthenProtocol == 2)
        m_WpaInfo.nTTLSTunnel = int(p.enumTunnel);
    else
        m_WpaInfo.nTunnel = int(p.enumTunnel);
    m_WpaInfo.nProvTunnel = int(p.enumProvisioningTunnel);
    m_WpaInfo.nSessionResume = int(p.nSessionResumption);
    m_WpaInfo.strIdentity = BoundedText(p.chID, sizeof p.chID);
    m_WpaInfo.strPassword = BoundedText(p.chPassword, sizeof p.chPassword);
    m_WpaInfo.strIdentityCopy = m_WpaInfo.strIdentity;
    m_WpaInfo.strPasswordCopy = m_WpaInfo.strPassword;
    m_WpaInfo.strDomain = BoundedText(p.chDomainName, sizeof p.chDomainName);
    m_WpaInfo.nPwdMode = int(p.nPasswordMode);
    m_WpaInfo.bUseClientCert = int(p.bClientCert);
    m_WpaInfo.bUseServerCert = int(p.bServerCert);
    m_WpaInfo.bPacEnabled = int(p.bPAC);
    m_WpaInfo.bProvisionEnabled = int(p.bProvision);
    m_WpaInfo.strPacPath = BoundedText(p.chPACfilepath, sizeof p.chPACfilepath);
    m_WpaInfo.bAllowIntermediate = int(p.bIntermediateCert);
    m_WpaInfo.strServer = BoundedText(p.chServerName, sizeof p.chServerName);
    m_WpaInfo.nServerRule = int(p.nServerNameRule);
    m_WpaInfo.CACertKey = BoundedBlob(p.CA_cert);
    m_WpaInfo.UserCertKey = BoundedBlob(p.user_cert);
    m_WpaInfo.bSmartCard = int(p.bClientCertInSmartCard);
    m_WpaInfo.nIdMode = int(p.nIDModeIndex);
    m_WpaInfo.bCacheUser = int(p.bCacheUserInfo);
    m_nWapiCertMode = int(p.nWapiCertMode);
    m_WapiUserIdentity = IdentityFromRecord(p.WapiUserIdentity);
    m_WapiASIdentity = IdentityFromRecord(p.WapiASIdentity);
    m_strUserCertPath = BoundedText(p.chUserCertPath, sizeof p.chUserCertPath);
    m_strASCertPath = BoundedText(p.chASCertPath, sizeof p.chASCertPath);
    ShowSsoBitsOnPage(*FrameProfileEditSSO, p.ssoInfo, VOZEZIV.bPersistentConnect != 0, WinOS());
    ReadPacList(name);
    PrintMessage(6, " <-- TFormProfileEdit::LoadProfile\n");
}

void TFormProfileEdit::ReadPacList(const char* profileName)
{
    m_WpaInfo.nPacCount = 0;
    m_WpaInfo.pPacEntries = nullptr;
    m_PacBuffer.clear();
    if (!VOZEZIV.WVWL_ReadPACList)
        return;
    unsigned long count = 0;
    VOZEZIV.WVWL_ReadPACList(nullptr, &count, profileName);
    if (count == 0)
        return;
    if (count > kMaxPacEntries) {
        PrintMessage(2, " TFormProfileEdit::ReadPacList: %lu entries refused\n", count);
        return;
    }
    try {
        m_PacBuffer.assign(size_t(count) * kPacEntrySize, 0);
    } catch (const std::bad_alloc&) {
        return;
    }
    unsigned long filled = count;
    VOZEZIV.WVWL_ReadPACList(m_PacBuffer.data(), &filled, profileName);
    filled = std::min(filled, count);
    if (filled > kMaxPacRows)
        PrintMessage(2, " TFormProfileEdit::ReadPacList: %lu entries, the first %lu kept\n", filled, kMaxPacRows);
    m_WpaInfo.nPacCount = int(std::min(filled, kMaxPacRows));
    m_WpaInfo.pPacEntries = m_PacBuffer.data();
}

void TFormProfileEdit::FillPagesFromProfile()
{
    m_bFromSurvey = FALSE;
    m_bWPSFromProfile = FALSE;
    if (FormProfile)
        FormProfile->m_bWPSFromProfile = FALSE;
    TFrameProfileEditWireless* wireless = FrameProfileEditWireless;
    wireless->editProfileName->SetText(m_strProfName);
    FillSsidList(true);
    const int type = m_nProfNetworkType;
    (type == 1 ? wireless->rBtnInfra : wireless->rBtnAdhoc)->SetChecked(true);
    m_nProfNetworkType = type;
    m_nInfrastructureMode = type == 1 ? 1 : 0;
    FillAuthenticationList();
    FrameProfileEditKey->editPskKey->SetText(m_strPskKey);
    for (int i = 0; i < 4; ++i)
        FrameProfileEditKey->editWEPKey[i]->SetText(m_strWEPKey[i]);
    unsigned long adhocMode = ULONG(m_nAdhocMode);
    QueryAdhocMode(&adhocMode);
    m_nAdhocMode = int(adhocMode);
    FillChannelList();
    ShowAdvancedValues();

    m_nEAPMethod = m_WpaInfo.nEapMethod;
    m_nTunnelAuthen = m_WpaInfo.nTunnel;
    m_nTTLSTunnelAuthen = m_WpaInfo.nTTLSTunnel;
    m_nSessionResumption = m_WpaInfo.nSessionResume;
    m_nPasswordMode = m_WpaInfo.nPwdMode;
    m_bCacheUserInfo = m_WpaInfo.bCacheUser;
    m_bUsePAC = m_WpaInfo.bPacEnabled;
    m_bProvisionMode = m_WpaInfo.bProvisionEnabled;
    m_nProvisioningTunnel = m_WpaInfo.nProvTunnel == 13 ? 1 : m_WpaInfo.nProvTunnel == 6 ? 2 : 0;
    m_strLastPACFile = m_WpaInfo.strPacPath;
    // The credential list goes to the EAP-FAST page.
    FrameProfileEditEAPFast->TakeEntries(reinterpret_cast<const PAC_FILE_ENTRY*>(m_PacBuffer.data()),
                                         int(std::min(m_PacBuffer.size() / kPacEntrySize, size_t(m_WpaInfo.nPacCount))));
    m_PacBuffer.clear();
    m_WpaInfo.nPacCount = 0;
    m_WpaInfo.pPacEntries = nullptr;
}

void TFormProfileEdit::ShowAdvancedValues()
{
    TFrameProfileEditAdvanced* page = FrameProfileEditAdvanced;
    page->FillLists();
    page->chBoxDiagnostic->SetChecked(m_bDiagnostic != 0);
    page->chBoxRTS->SetChecked(m_bUseRTS != 0);
    page->tbRTS->SetPosition(m_bUseRTS ? m_nRTSThreshold : page->tbRTS->Min());
    page->tbRTSChange(page);
    page->chBoxFrag->SetChecked(m_bUseFrag != 0);
    page->tbFrag->SetPosition(m_bUseFrag ? m_nFragThreshold : page->tbFrag->Min());
    page->tbFragChange(page);
}

void TFormProfileEdit::FillChannelList()
{
    TComboBox* box = FrameProfileEditWireless->cboxChannel;
    box->Items().Clear();
    unsigned char channels[64] = {};
    int count = 0;
    const int phyMode = int(mainwin::PhyMode());
    if (VOZEZIV.WVWL_GetAvailableChannels)
        VOZEZIV.WVWL_GetAvailableChannels(1, phyMode, m_nAdhocMode, channels, &count, 1);
    count = std::clamp(count, 0, 64);
    for (int i = 0; i < count; ++i) {
        const int channel = channels[i];
        if (channel == 34 || channel == 38 || channel == 42 || channel == 46)
            continue;
        AddEntry(box, std::to_string(channel), channel);
    }
    const int index = box->Items().IndexOf(m_strProfChannel);
    box->SetItemIndex(index >= 0 ? index : (box->Items().Count() ? 0 : -1));
}

int QueryAdhocMode(unsigned long* adhocMode)
{
    if (!VOZEZIV.WVWL_QuerySTAConfig)
        return 0;
    KV_802_11_STA_CONFIG config{};
    const int result = VOZEZIV.WVWL_QuerySTAConfig(&config);
    if (adhocMode)
        *adhocMode = config.AdhocMode;
    return result;
}

void TFormProfileEdit::FillAuthenticationList()
{
    TComboBox* box = FrameProfileEditSecurity->cboxAuthentication;
    box->Items().Clear();
    const auto add = [box](std::string CUISTR::*text, int value) { AddEntry(box, S(text), value); };
    const bool infra = m_nInfrastructureMode == 1;
    const bool hide = VOZEZIV.bHideSecuritymode != 0;
    const bool wapi = VOZEZIV.bSupportWAPI && CheckAdapterKind() == 1 && !m_strProfSSID.empty();
    const int os = WinOS();
    if (!VOZEZIV.WVWL_IsWpaCapable || VOZEZIV.WVWL_IsWpaCapable() == 0) {
        add(&CUISTR::STR_OPENSYSTEM, 0);
        if (os < WINOS_WIN8)
            add(&CUISTR::STR_SHARED, 1);
    } else if (os < WINOS_VISTA && infra) {
        add(&CUISTR::STR_OPENSYSTEM, 0);
        add(&CUISTR::STR_SHARED, 1);
        if (!hide) {
            add(&CUISTR::STR_WPA, 3);
            add(&CUISTR::STR_WPAPSK, 4);
        }
        if (os >= 11) {
            add(&CUISTR::STR_WPA2, 5);
            add(&CUISTR::STR_WPA2PSK, 6);
        }
        add(&CUISTR::STR_8021X, 12);
        if (wapi) {
            add(&CUISTR::STR_WAPIPSK, 8);
            add(&CUISTR::STR_WAPICA, 9);
        }
    } else if (os < WINOS_VISTA) {
        add(&CUISTR::STR_OPENSYSTEM, 0);
        if (!hide)
            add(&CUISTR::STR_WPANONE, 7);
        if (VOZEZIV.bWPA2PSKForAdhocXP)
            add(&CUISTR::STR_WPA2PSK, 6);
        else if (m_nAuthSel == 6)
            m_nAuthSel = 0;
        if (wapi)
            add(&CUISTR::STR_WAPIPSK, 8);
    } else if (infra) {
        add(&CUISTR::STR_OPENSYSTEM, 0);
        if (os < WINOS_WIN8)
            add(&CUISTR::STR_SHARED, 1);
        if (!hide) {
            add(&CUISTR::STR_WPA, 3);
            add(&CUISTR::STR_WPAPSK, 4);
        }
        add(&CUISTR::STR_WPA2, 5);
        add(&CUISTR::STR_WPA2PSK, 6);
        add(&CUISTR::STR_8021X, 12);
        add(&CUISTR::STR_CCKM, 10);
        if (wapi) {
            add(&CUISTR::STR_WAPIPSK, 8);
            add(&CUISTR::STR_WAPICA, 9);
        }
    } else {
        add(&CUISTR::STR_OPENSYSTEM, 0);
        if (VOZEZIV.WVWL_WlanIsAdhocSupportWPA2AES && VOZEZIV.WVWL_WlanIsAdhocSupportWPA2AES() == 1)
            add(&CUISTR::STR_WPA2PSK, 6);
    }
    SelectByObject(box, m_nAuthSel);
    FrameProfileEditSecurity->cboxAuthenticationChange(this);
}

bool TFormProfileEdit::CheckWirelessPage()
{
    FrameProfileEditWireless->StoreSettings();
    const auto fail = [](std::string CUISTR::*text) {
        links::ShowMessage(S(text), 0);
        return false;
    };
    if (m_strProfName.empty())
        return fail(&CUISTR::STR_INPUTPROFILENAME);
    if (IsBlank(m_strProfName))
        return fail(&CUISTR::STR_PURESPACE_PROFILENAME);
    if (m_strProfName.size() > 32)
        return fail(&CUISTR::STR_PROFILENAMELENGTH);
    if (DefaultNameNumber(m_strProfName, S(&CUISTR::STR_PROF)) >= 0xFFFFFFFFULL)
        return fail(&CUISTR::STR_PROFILENAME_INVALIDINT);
    const bool needsSsid = WinOS() >= WINOS_VISTA || m_nInfrastructureMode == 0 || m_bFromSurvey;
    if (needsSsid && m_strProfSSID.empty())
        return fail(&CUISTR::STR_ADHOCINPUTSSID);
    const bool testName = m_bAddProfile || m_strProfName != m_strOrgProfName;
    if (testName && VOZEZIV.WVWL_CheckDuplicatedProfileName &&
        VOZEZIV.WVWL_CheckDuplicatedProfileName(m_strProfName.c_str()) == -16)
        return fail(&CUISTR::STR_DUPLIPROF);
    if (WinOS() < WINOS_VISTA && m_bAddProfile && m_strProfID.empty())
        return fail(&CUISTR::STR_PROF_IDREQUIRED);
    if (m_bAddProfile)
        m_strOrgProfName = m_strProfName;
    FillAuthenticationList();
    if (SwitchPage(m_pCurrentPage, FrameProfileEditSecurity))
        BtnProfileBack->SetEnabled(true);
    return true;
}

bool TFormProfileEdit::Check8021XSettings()
{
    return WinOS() < WINOS_VISTA ? Check8021XSettingsXP() : Check8021XSettingsVista();
}

bool TFormProfileEdit::Check8021XSettingsXP()
{
    const TFrameProfileEdit8021X* page = FrameProfileEdit8021X;
    const bool userId = page->cBoxAuthenID->ItemIndex() == 0;
    const bool noId = page->editAuthenID->Text().empty();
    const bool noPassword = page->editAuthenPassword->Text().empty();
    const int method = m_nEAPMethod;
    std::string CUISTR::*message = nullptr;
    if (userId && noId && m_nPasswordMode != 0)
        message = &CUISTR::STR_IDREQUIRED;
    else if ((method == 0 || method == 3) && noPassword && m_nTunnelAuthen != 13 && m_WpaInfo.nIdMode == 0 &&
             m_nPasswordMode == 1)
        message = &CUISTR::STR_PWDREQUIRED;
    else if ((method == 2 || method == 5) && userId && noPassword)
        message = &CUISTR::STR_PWDREQUIRED;
    else if (method == 4 && noPassword)
        message = &CUISTR::STR_CHECKRULE4;
    if (!message)
        return true;
    ShowMessageBox(S(message), 0);
    return false;
}

bool TFormProfileEdit::Check8021XSettingsVista()
{
    const TFrameProfileEdit8021X* page = FrameProfileEdit8021X;
    const bool noId = page->editAuthenID->Text().empty();
    const int computed = page->cBoxAuthenID->ItemIndex() == 0 && noId && m_nPasswordMode != 0 ? 1 : 0;
    const int staticPassword = m_nPasswordMode == 1 ? 1 : 0;
    const auto set = [this](int id, int password, int cert, int server) {
        m_bIDRequired = id;
        m_bPasswordRequired = password;
        m_bCertRequired = cert;
        m_bServerCertRequired = server;
    };
    switch (m_nEAPMethod) {
    case 0:
        if (m_nTunnelAuthen == 13)
            set(computed, 0, 1, 1);
        else if (m_nTunnelAuthen == 6)
            set(staticPassword, staticPassword, 0, 1);
        else
            set(1, 1, 0, 1);
        break;
    case 1: set(computed, 0, 1, 1); break;
    case 3: set(0, 0, 0, 0); break;
    case 5: set(staticPassword, staticPassword, 0, 0); break;
    default: break;
    }
    if (m_bIDRequired && noId && m_nPasswordMode != 0) {
        ShowMessageBox(S(&CUISTR::STR_IDREQUIRED), 0);
        return false;
    }
    if (m_bPasswordRequired && page->editAuthenPassword->Text().empty()) {
        ShowMessageBox(S(&CUISTR::STR_PWDREQUIRED), 0);
        return false;
    }
    return true;
}

bool IsValidPskKey(const std::string& key)
{
    if (key.size() < 8 || key.size() > 64)
        return false;
    return key.size() < 64 || IsHexDigits(key);
}

bool TFormProfileEdit::CheckKeys()
{
    TFrameProfileEditKey* page = FrameProfileEditKey;
    const auto pskFail = [page](std::string CUISTR::*text) {
        page->editPskKey->SetFocus();
        links::ShowMessage(S(text), 0);
        return false;
    };
    switch (m_nAuthSel) {
    case 4:
    case 6:
    case 7:
        if (!IsValidPskKey(m_strPskKey))
            return pskFail(m_nAuthSel == 4   ? &CUISTR::STR_MSGPSKKEYINVALID
                           : m_nAuthSel == 6 ? &CUISTR::STR_MSGWPA2PSKKEYINVALID
                                             : &CUISTR::STR_MSGWPANONEKEYINVALID);
        return true;
    case 8:
        if (m_strPskKey.size() < 8)
            return pskFail(&CUISTR::STR_MSGWAPIPSKKEYINVALID);
        if (m_nPskKeyType == 0 && m_strPskKey.size() % 2)
            return pskFail(&CUISTR::STR_MSGHEXWAPIPSKKEYINVALID);
        if (m_nPskKeyType == 0 && !IsHexDigits(m_strPskKey))
            return pskFail(&CUISTR::STR_MSGWAPIPSKKEYINVALID);
        return true;
    default:
        break;
    }
    const bool wep = m_nAuthSel == 1 || (m_nAuthSel == 0 && m_nEncrySel == 1) ||
                     (m_nAuthSel == 12 && m_nEncrySel == 1 && m_bMD5WepKeys);
    if (!wep)
        return true;
    const int index = std::clamp(m_nDefaultKey, 1, 4) - 1;
    const std::string& key = m_strWEPKey[index];
    const bool ascii = m_nWEPKeyFormat[index] == 1;
    const bool ok = ascii ? (key.size() == 5 || key.size() == 13)
                          : ((key.size() == 10 || key.size() == 26) && IsHexDigits(key));
    if (ok)
        return true;
    TEdit* edit = page->editWEPKey[index];
    edit->SetFocus();
    links::ShowMessage(S(ascii ? &CUISTR::STR_MSGASCIIWEPKEYINVALID : &CUISTR::STR_MSGHEXWEPKEYINVALID), 0);
    edit->SetMaxLength(ascii ? 13 : 26);
    return false;
}

bool TFormProfileEdit::IsPersistentPlatform() const
{
    const int os = WinOS(), type = VOZEZIV.nWinType;
    return os == WINOS_XP || (os >= WINOS_VISTA && type != 14) ||
           (os == WINOS_XP64 && VOZEZIV.bSupportPersistentForXPX64) ||
           (type == 14 && VOZEZIV.bSupportPersistentForWin7Starter);
}

bool TFormProfileEdit::SsoKindTest(int kindSwitch) const
{
    return IsPersistentPlatform() && m_nProfNetworkType == 1 && VOZEZIV.bPersistentConnect && kindSwitch;
}

int TFormProfileEdit::EapMethodSwitch(int method)
{
    switch (method) {
    case 0: return VOZEZIV.bPEAP;
    case 1: return VOZEZIV.bTLS_SmartCard;
    case 2: return VOZEZIV.bTTLS;
    case 3: return VOZEZIV.bEAP_FAST;
    case 4: return VOZEZIV.bMD5;
    case 5: return VOZEZIV.bLEAP;
    default: return 0;
    }
}

void TFormProfileEdit::GoTo(TFrameBase* page, int backEnabled)
{
    if (!SwitchPage(m_pCurrentPage, page))
        return;
    if (backEnabled >= 0)
        BtnProfileBack->SetEnabled(backEnabled != 0);
}

void TFormProfileEdit::AdvancedOrFinish()
{
    if (VOZEZIV.bProfAdvPage)
        GoTo(FrameProfileEditAdvanced, 1);
    else
        Finish();
}

void TFormProfileEdit::BtnProfileNextClick(TObject*)
{
    TFrameBase* page = m_pCurrentPage;
    if (page == FrameProfileEditWireless) {
        CheckWirelessPage();
    } else if (page == FrameProfileEditSecurity) {
        FrameProfileEditSecurity->StoreSettings();
        NextFromSecurity();
    } else if (page == FrameProfileEditKey) {
        NextFromKey();
    } else if (page == FrameProfileEdit8021X) {
        NextFrom8021X();
    } else if (page == FrameProfileEditClientCert) {
        FrameProfileEditClientCert->StoreSettings();
        const bool check = m_nInfrastructureMode == 1 &&
                           (m_nAuthSel == 3 || m_nAuthSel == 5 || m_nAuthSel == 10 || m_nAuthSel == 12);
        if (check && !FrameProfileEditClientCert->CheckSettings())
            return;
        GoTo(FrameProfileEditServerCert, 1);
    } else if (page == FrameProfileEditServerCert) {
        NextFromServerCert();
    } else if (page == FrameProfileEditEAPFast) {
        NextFromEAPFast();
    } else if (page == FrameProfileEditWAPICert) {
        if (WapiStoreCount(*m_WapiCertStore) <= 0) {
            links::ShowMessage(S(&CUISTR::STR_NO_USER_CERT), 0);
            return;
        }
        // The record keeps one length byte: a longer identity cannot be saved.
        if (m_WapiUserIdentity.Length > kMaxRecordIdentity || m_WapiASIdentity.Length > kMaxRecordIdentity) {
            PrintMessage(6, " WAPI identity too long: %d, %d\n", int(m_WapiUserIdentity.Length),
                         int(m_WapiASIdentity.Length));
            links::ShowMessage(S(&CUISTR::STR_ERROR_LOAD_CER), 0);
            return;
        }
        if (SurveyMode())
            HandOver();
        else
            AdvancedOrFinish();
    } else if (page == FrameProfileEditSSO) {
        if (SurveyMode())
            HandOver();
        else
            AdvancedOrFinish();
    } else if (page == FrameProfileEditWPS) {
        NextFromWPSPage();
    } else if (page == FrameProfileEditWPSPin) {
        NextFromWPSPinPage();
    } else if (page == FrameProfileEditWPSProfile) {
        NextFromWPSProfilePage();
    } else if (page == FrameProfileEditExtregWPSProfile) {
        GoTo(FrameProfileEditWPSConnect, 1);
        BtnProfileNext->SetEnabled(false);
    } else if (page == FrameProfileEditWPSConnect) {
        FinishWPS();
    } else if (page == FrameProfileEditAdvanced) {
        if (FrameProfileEditWireless->cboxChannel->Text().empty()) {
            links::ShowMessage(S(&CUISTR::STR_SYSCONFIG_NO_CHANN_4_ADHOC), 0);
            return;
        }
        FrameProfileEditAdvanced->OnLeavePage();
        Finish();
    }
}

void TFormProfileEdit::NextFromSecurity()
{
    if (m_nAuthSel == 0 && m_nEncrySel == 0) {
        if (SurveyMode())
            HandOver();
        else if (SsoKindTest(VOZEZIV.bOpen_None))
            GoTo(FrameProfileEditSSO, 1);
        else
            AdvancedOrFinish();
        return;
    }
    switch (m_nAuthSel) {
    case 3:
    case 5:
    case 10:
    case 12:
        GoTo(FrameProfileEdit8021X, 1);
        return;
    case 9:
        GoTo(FrameProfileEditWAPICert, 1);
        return;
    default:
        GoTo(FrameProfileEditKey, 1);
        return;
    }
}

void TFormProfileEdit::NextFromKey()
{
    if (!FrameProfileEditKey->StoreSettings())
        return;
    if (m_bShowWPSProfilePage) {
        GoTo(FrameProfileEditWPSConnect);
        return;
    }
    if (SurveyMode()) {
        HandOver();
        return;
    }
    const bool sso = (m_nAuthSel == 0 && m_nEncrySel == 1 && SsoKindTest(VOZEZIV.bOpen_WEP)) ||
                     (m_nAuthSel == 1 && SsoKindTest(VOZEZIV.bShared_WEP)) ||
                     (m_nAuthSel == 4 && SsoKindTest(VOZEZIV.bWPA_PSK)) ||
                     (m_nAuthSel == 6 && SsoKindTest(VOZEZIV.bWPA2_PSK)) ||
                     (m_nEAPMethod == 4 && SsoKindTest(VOZEZIV.bMD5));
    if (sso)
        GoTo(FrameProfileEditSSO, 1);
    else
        AdvancedOrFinish();
}

void TFormProfileEdit::NextFrom8021X()
{
    FrameProfileEdit8021X->StoreSettings();
    const bool check = m_nInfrastructureMode == 1 &&
                       (m_nAuthSel == 3 || m_nAuthSel == 5 || m_nAuthSel == 10 || m_nAuthSel == 12);
    if (check && !Check8021XSettings())
        return;
    const int os = WinOS(), type = VOZEZIV.nWinType;
    switch (m_nEAPMethod) {
    case 0:
        GoTo(m_nTunnelAuthen == 13 ? static_cast<TFrameBase*>(FrameProfileEditClientCert)
                                   : static_cast<TFrameBase*>(FrameProfileEditServerCert), 1);
        return;
    case 1:
    case 2:
        GoTo(FrameProfileEditClientCert, 1);
        return;
    case 3:
        if (os < WINOS_VISTA)
            GoTo(FrameProfileEditEAPFast, 1);
        else if (SurveyMode())
            HandOver();
        else if (!VOZEZIV.bPersistentConnect)
            GoTo(FrameProfileEditSSO, 1);
        else if (VOZEZIV.bEAP_FAST &&
                 ((os <= 44 && type != 14) || (type == 14 && VOZEZIV.bSupportPersistentForWin7Starter)))
            GoTo(FrameProfileEditSSO, 1);
        else
            AdvancedOrFinish();
        return;
    case 4:
        m_bMD5WepKeys = 1;
        GoTo(FrameProfileEditKey, 1);
        return;
    case 5:
        if (SurveyMode())
            HandOver();
        else if (!VOZEZIV.bPersistentConnect || (IsPersistentPlatform() && VOZEZIV.bLEAP))
            GoTo(FrameProfileEditSSO, 1);
        else
            AdvancedOrFinish();
        return;
    default:
        return;
    }
}

void TFormProfileEdit::NextFromServerCert()
{
    FrameProfileEditServerCert->StoreSettings();
    if (SurveyMode()) {
        HandOver();
        return;
    }
    const int os = WinOS(), type = VOZEZIV.nWinType;
    bool sso;
    if (VOZEZIV.bPersistentConnect)
        sso = IsPersistentPlatform() && m_nEAPMethod >= 0 && m_nEAPMethod <= 3 && EapMethodSwitch(m_nEAPMethod);
    else
        sso = (os >= WINOS_VISTA && type != 14) || (type == 14 && VOZEZIV.bSupportPersistentForWin7Starter) ||
              m_nEAPMethod == 3;
    if (sso)
        GoTo(FrameProfileEditSSO, 1);
    else
        AdvancedOrFinish();
}

void TFormProfileEdit::NextFromEAPFast()
{
    FrameProfileEditEAPFast->StoreSettings();
    if (m_nTunnelAuthen == 13 || m_nProvisioningTunnel == 1)
        GoTo(FrameProfileEditClientCert, 1);
    else if (SurveyMode())
        HandOver();
    else if (!VOZEZIV.bPersistentConnect || (IsPersistentPlatform() && VOZEZIV.bEAP_FAST))
        GoTo(FrameProfileEditSSO, 1);
    else
        AdvancedOrFinish();
}

void TFormProfileEdit::BtnProfileBackClick(TObject*)
{
    TFrameBase* page = m_pCurrentPage;
    const int backInEditModes = SurveyMode() ? 0 : 1;
    if (page == FrameProfileEditSecurity) {
        GoTo(FrameProfileEditWireless, 0);
    } else if (page == FrameProfileEditKey) {
        if (m_bShowWPSProfilePage) {
            GoTo(FrameProfileEditWPSProfile, 0);
            BtnProfileNext->SetEnabled(true);
        } else {
            GoTo(FrameProfileEditSecurity, backInEditModes);
        }
    } else if (page == FrameProfileEdit8021X) {
        GoTo(FrameProfileEditSecurity, backInEditModes);
    } else if (page == FrameProfileEditClientCert) {
        GoTo(WinOS() <= 30 && m_nEAPMethod == 3 ? static_cast<TFrameBase*>(FrameProfileEditEAPFast)
                                                : static_cast<TFrameBase*>(FrameProfileEdit8021X));
    } else if (page == FrameProfileEditServerCert) {
        const bool client = m_nEAPMethod != 0 || m_nTunnelAuthen == 13;
        GoTo(client ? static_cast<TFrameBase*>(FrameProfileEditClientCert)
                    : static_cast<TFrameBase*>(FrameProfileEdit8021X));
    } else if (page == FrameProfileEditEAPFast) {
        GoTo(FrameProfileEdit8021X);
    } else if (page == FrameProfileEditWAPICert) {
        GoTo(FrameProfileEditSecurity);
    } else if (page == FrameProfileEditSSO) {
        BackFromSSO();
    } else if (page == FrameProfileEditAdvanced) {
        BackFromAdvanced();
    } else if (page == FrameProfileEditWPSPin) {
        GoTo(FrameProfileEditWPS, 0);
        BtnProfileNext->SetEnabled(true);
    } else if (page == FrameProfileEditWPSProfile || page == FrameProfileEditExtregWPSProfile) {
        GoTo(FrameProfileEditWPSPin, 1);
        m_bShowWPSProfilePage = FALSE;
        BtnProfileNext->SetEnabled(true);
    } else if (page == FrameProfileEditWPSConnect) {
        BackFromWPSConnectPage();
    }
}

void TFormProfileEdit::NextFromWPSPage()
{
    TFrameProfileEditWPSConnect* connect = FrameProfileEditWPSConnect;
    connect->BtnPIN->SetEnabled(true);
    connect->BtnPBC->SetEnabled(true);
    connect->BtnFinish->SetEnabled(false);
    const bool extReg = FrameProfileEditWPS->chBoxExternalRegistrar->Checked();
    if (m_nWPSMode == 2 && !extReg) {
        connect->BringButtonToFront(connect->BtnPBC);
        GoTo(FrameProfileEditWPSConnect, 1);
        BtnProfileNext->SetEnabled(false);
        return;
    }
    if (m_nWPSMode != 1 && m_nWPSMode != 2)
        return;
    m_bShowWPSProfilePage = FALSE;
    GoTo(FrameProfileEditWPSPin, 1);
}

void TFormProfileEdit::NextFromWPSPinPage()
{
    if (!FrameProfileEditWPSPin->CheckEditPinCode()) {
        PrintMessage(6, " CheckEditPinCode() return FALSE\n");
        return;
    }
    if (m_bConfigSTA) {
        GoTo(FrameProfileEditExtregWPSProfile, 1);
        BtnProfileNext->SetEnabled(true);
    } else if (m_bShowWPSProfilePage) {
        GoTo(FrameProfileEditWPSProfile, 1);
        BtnProfileNext->SetEnabled(true);
    } else {
        GoTo(FrameProfileEditWPSConnect, 1);
        BtnProfileNext->SetEnabled(false);
    }
}

void TFormProfileEdit::NextFromWPSProfilePage()
{
    FrameProfileEditWPSProfile->ApplyToEditor();
    if (m_nAuthSel != 0 || m_nEncrySel != 0) {
        GoTo(FrameProfileEditKey, 1);
        return;
    }
    ShowMessageText(S(&CUISTR::STR_WPS_REGISTRAR_OPENNONE));
    GoTo(FrameProfileEditWPSConnect, 1);
    BtnProfileNext->SetEnabled(false);
}

void TFormProfileEdit::BackFromWPSConnectPage()
{
    if (m_nWPSMode == 2) {
        GoTo(FrameProfileEditWPS, 0);
    } else {
        m_bShowWPSProfilePage = FALSE;
        GoTo(m_bConfigSTA ? static_cast<TFrameBase*>(FrameProfileEditExtregWPSProfile)
                          : static_cast<TFrameBase*>(FrameProfileEditWPSPin));
    }
    BtnProfileNext->SetEnabled(true);
}

void TFormProfileEdit::SelectWpsAccessPoint(int row)
{
    if (row < 0 || size_t(row) >= m_WPSApList.size()) {
        m_pWPSApList.reset();
        return;
    }
    m_pWPSApList = m_WPSApList[size_t(row)];
    std::memcpy(m_WpsApMac, m_pWPSApList->m_Mac, 6);
}

void TFormProfileEdit::BackFromSSO()
{
    const int os = WinOS(), method = m_nEAPMethod;
    if (!VOZEZIV.bPersistentConnect) {
        if (method == 5 || (method == 3 && os >= WINOS_VISTA))
            GoTo(FrameProfileEdit8021X);
        else if (method == 3)
            GoTo(FrameProfileEditEAPFast);
        else
            GoTo(FrameProfileEditServerCert);
        return;
    }
    if (m_nAuthSel == 0 && m_nEncrySel == 0) {
        GoTo(FrameProfileEditSecurity);
    } else if ((m_nAuthSel == 0 && m_nEncrySel == 1) || m_nAuthSel == 1 || m_nAuthSel == 4 || m_nAuthSel == 6 ||
               method == 4) {
        GoTo(FrameProfileEditKey);
    } else if (method == 3 && os < WINOS_VISTA) {
        GoTo(m_nTunnelAuthen == 13 || m_nProvisioningTunnel == 1
                 ? static_cast<TFrameBase*>(FrameProfileEditServerCert)
                 : static_cast<TFrameBase*>(FrameProfileEditEAPFast));
    } else if (method == 3 || method == 5) {
        GoTo(FrameProfileEdit8021X);
    } else {
        GoTo(FrameProfileEditServerCert);
    }
}

void TFormProfileEdit::BackFromAdvanced()
{
    const int auth = m_nAuthSel, method = m_nEAPMethod;
    if (auth == 0 && m_nEncrySel == 0) {
        GoTo(SsoKindTest(VOZEZIV.bOpen_None) ? static_cast<TFrameBase*>(FrameProfileEditSSO)
                                             : static_cast<TFrameBase*>(FrameProfileEditSecurity));
        return;
    }
    if (auth == 9) {
        GoTo(FrameProfileEditWAPICert);
        return;
    }
    if (auth == 3 || auth == 5 || auth == 10 || auth == 12) {
        if (IsPersistentPlatform() && VOZEZIV.bPersistentConnect && EapMethodSwitch(method))
            GoTo(FrameProfileEditSSO);
        else if (method >= 0 && method <= 2)
            GoTo(FrameProfileEditServerCert);
        else if (method == 5)
            GoTo(FrameProfileEdit8021X);
        else if (method == 4)
            GoTo(FrameProfileEditKey);
        else
            GoTo(FrameProfileEditSSO);
        return;
    }
    const bool sso = (auth == 0 && m_nEncrySel == 1 && SsoKindTest(VOZEZIV.bOpen_WEP)) ||
                     (auth == 1 && SsoKindTest(VOZEZIV.bShared_WEP)) ||
                     (auth == 4 && SsoKindTest(VOZEZIV.bWPA_PSK)) || (auth == 6 && SsoKindTest(VOZEZIV.bWPA2_PSK));
    GoTo(sso ? static_cast<TFrameBase*>(FrameProfileEditSSO) : static_cast<TFrameBase*>(FrameProfileEditKey));
}

void TFormProfileEdit::HandOver()
{
    if (FormSiteSurvey)
        FormSiteSurvey->SecurityConnection();
    Leave();
}

void TFormProfileEdit::Finish()
{
    if (SurveyMode()) {
        HandOver();
        return;
    }
    SaveProfile();
    Leave();
}

void TFormProfileEdit::Leave()
{
    if (Modal())
        SetModalResult(mrOk);
    else
        Hide();
}

bool TFormProfileEdit::WpsFromProfile() const
{
    return m_bWPSFromProfile || (FormProfile && FormProfile->m_bWPSFromProfile);
}

void TFormProfileEdit::SysBtnCloseClick(TObject*)
{
    if (WpsFromProfile() && m_pCurrentPage == FrameProfileEditWPSConnect) {
        int flag = 0;
        if (VOZEZIV.WVWL_ReadWPSFlag && VOZEZIV.WVWL_ReadWPSFlag(&flag) && flag == 1)
            OnWpsDisconnect();
    }
    m_bWPSFromProfile = FALSE;
    if (FormProfile)
        FormProfile->m_bWPSFromProfile = FALSE;
    if (Modal())
        SetModalResult(mrCancel);
    else
        Hide();
}

DWORD EditorAuthToStored(int authSel)
{
    static const DWORD stored[] = {0, 1, 0, 3, 4, 6, 7, 5, 10, 11, 13, 14, 0};
    return authSel >= 0 && authSel < 13 ? stored[authSel] : 0;
}

DWORD EditorEncryToStored(int encrySel)
{
    static const DWORD stored[] = {1, 0, 4, 6, 9, 10, 11};
    return encrySel >= 0 && encrySel < 7 ? stored[encrySel] : 1;
}

DWORD SsoBitsFromPage(const TFrameProfileEditSSO& page, bool persistentConnect, int winOS)
{
    DWORD bits = page.chBoxEnableSSO->Checked() ? PROF_SSO_USE_SSO : 0;
    const bool vista = winOS >= WINOS_VISTA;
    if (persistentConnect) {
        if (!page.chBoxEnableSSO->Checked())
            return bits;
        if (vista)
            return bits | PROF_SSO_ALLOW_MACHINE;
        return bits | PROF_SSO_PERSISTENT_CONNECTION | (1u << PROF_SSO_ID_PWD_SOURCE_SHIFT);
    }
    if (vista) {
        if (page.chBoxAllowMachineAuth->Checked())
            bits |= PROF_SSO_ALLOW_MACHINE;
        if (page.rBtnPostLogon->Checked())
            bits |= PROF_SSO_LOGON;
        return bits;
    }
    if (page.chBoxEnablePersistentConnection->Checked())
        bits |= PROF_SSO_PERSISTENT_CONNECTION;
    const DWORD source = page.rBtnPromptIDPWD->Checked() ? 2 : page.rBtnUseIDPWDinProfile->Checked() ? 1 : 0;
    return bits | (source << PROF_SSO_ID_PWD_SOURCE_SHIFT);
}

void ShowSsoBitsOnPage(TFrameProfileEditSSO& page, DWORD bits, bool persistentConnect, int winOS)
{
    const bool vista = winOS >= WINOS_VISTA;
    const bool enabled = (bits & PROF_SSO_USE_SSO) != 0;
    page.chBoxEnableSSO->SetChecked(enabled);
    if (persistentConnect) {
        page.chBoxEnablePersistentConnection->SetChecked(enabled);
        if (vista)
            page.chBoxAllowMachineAuth->SetChecked(enabled);
        else
            page.rBtnUseIDPWDinProfile->SetChecked(true);
        return;
    }
    if (vista) {
        page.chBoxAllowMachineAuth->SetChecked((bits & PROF_SSO_ALLOW_MACHINE) != 0);
        (bits & PROF_SSO_LOGON ? page.rBtnPostLogon : page.rBtnPreLogon)->SetChecked(true);
        return;
    }
    page.chBoxEnablePersistentConnection->SetChecked((bits & PROF_SSO_PERSISTENT_CONNECTION) != 0);
    const DWORD source = (bits & PROF_SSO_ID_PWD_SOURCE_MASK) >> PROF_SSO_ID_PWD_SOURCE_SHIFT;
    TRadioButton* chosen = source == 2   ? page.rBtnPromptIDPWD
                           : source == 1 ? page.rBtnUseIDPWDinProfile
                                         : page.rBtnUseIDPWDinWinlogon;
    chosen->SetChecked(true);
}

void TFormProfileEdit::SaveProfile()
{
    char active[128] = {};
    if (VOZEZIV.WVWL_ReadActiveProfileName)
        VOZEZIV.WVWL_ReadActiveProfileName(active);
    active[sizeof active - 1] = 0;
    if (m_strOrgProfName == active && m_strProfName != m_strOrgProfName &&
        VOZEZIV.WVWL_ResetToDefaultConnecctionSetting)
        VOZEZIV.WVWL_ResetToDefaultConnecctionSetting();
    WriteBackProfileToRegistry();
    links::RefreshProfileList();
}

void TFormProfileEdit::BuildProfileRecord(WLANPROFILE& p) const
{
    std::memset(&p, 0, sizeof p);
    p.SSID.SsidLength = ULONG(std::min<size_t>(m_strProfSSID.size(), 32));
    std::memcpy(p.SSID.Ssid, m_strProfSSID.data(), p.SSID.SsidLength);
    p.enumNetworkType = m_nProfNetworkType;
    p.enumPreamType = m_nPreamble == 1 ? 0 : 2;
    p.lRtsThre = m_nRTSThreshold;
    p.bUseRTSThre = m_bUseRTS;
    p.lFragThre = m_nFragThreshold;
    p.bUseFragThre = m_bUseFrag;
    p.enumAuthenMode = EditorAuthToStored(m_nAuthSel);
    p.enumEncryStatus = EditorEncryToStored(m_nEncrySel);
    p.lTxPower = m_nTxPower;
    char* keys[4] = {p.WEPKey1, p.WEPKey2, p.WEPKey3, p.WEPKey4};
    uint32_t* types[4] = {&p.WEPKey1Type, &p.WEPKey2Type, &p.WEPKey3Type, &p.WEPKey4Type};
    for (int i = 0; i < 4; ++i) {
        // The field keeps a terminating zero.
        std::memcpy(keys[i], m_strWEPKey[i].data(), std::min<size_t>(m_strWEPKey[i].size(), 63));
        *types[i] = m_nWEPKeyFormat[i];
    }
    p.wepDefaultKey = m_nDefaultKey;
    p.enumPSMode = m_nPSMode;
    p.bACCam = m_bACCam;
    if (VOZEZIV.WVWL_ChannelToFrequency && !m_strProfChannel.empty() &&
        std::all_of(m_strProfChannel.begin(), m_strProfChannel.end(), ::isdigit) && m_strProfChannel.size() < 10)
        p.lFreq = VOZEZIV.WVWL_ChannelToFrequency(std::atoi(m_strProfChannel.c_str()));
    p.bUseDiagnostic = m_bDiagnostic;
    p.nPskKeyLen = ULONG(std::min<size_t>(m_strPskKey.size(), sizeof p.chPskKey));
    std::memcpy(p.chPskKey, m_strPskKey.data(), p.nPskKeyLen);
    p.nPskKeyType = m_nPskKeyType;
    CopyText(p.strProfileName, m_strProfName);
    const bool number = !m_strProfID.empty() && m_strProfID.size() < 10 &&
                        std::all_of(m_strProfID.begin(), m_strProfID.end(), ::isdigit);
    p.nProfileID = number ? std::atoi(m_strProfID.c_str()) : 1;
    p.b8021X = (m_nAuthSel == 12 && m_nEncrySel == 1) ||
               (m_nProfNetworkType == 1 && (m_nAuthSel == 3 || m_nAuthSel == 5 || m_nAuthSel == 10));

    const WPA_INFO& w = m_WpaInfo;
    p.bCacheUserInfo = w.bCacheUser;
    p.enumAuthenProtocol = w.nEapMethod;
    p.enumTunnel = w.nEapMethod == 2 ? w.nTTLSTunnel : w.nTunnel;
    p.enumProvisioningTunnel = w.nProvTunnel;
    p.nSessionResumption = w.nSessionResume;
    CopyText(p.chID, w.strIdentity);
    CopyText(p.chPassword, w.strPassword);
    CopyText(p.chDomainName, w.strDomain);
    p.nPasswordMode = w.nPwdMode;
    p.bClientCert = w.bUseClientCert;
    p.bServerCert = w.bUseServerCert;
    p.bPAC = w.bPacEnabled;
    p.bProvision = w.bProvisionEnabled;
    CopyText(p.chPACfilepath, w.strPacPath);
    p.bIntermediateCert = w.bAllowIntermediate;
    CopyText(p.chServerName, w.strServer);
    p.nServerNameRule = w.nServerRule;
    p.CA_cert = BoundedBlob(w.CACertKey);
    p.user_cert = BoundedBlob(w.UserCertKey);
    p.bClientCertInSmartCard = w.bSmartCard;
    p.nIDModeIndex = w.nIdMode;
    p.nWapiCertMode = m_nWapiCertMode;
    IdentityToRecord(m_WapiUserIdentity, p.WapiUserIdentity);
    IdentityToRecord(m_WapiASIdentity, p.WapiASIdentity);
    p.ssoInfo = SsoBitsFromPage(*FrameProfileEditSSO, VOZEZIV.bPersistentConnect != 0, WinOS());
}

void TFormProfileEdit::WriteBackProfileToRegistry()
{
    PrintMessage(6, " --> TFormProfileEdit::WriteBackProfileToRegistry\n");
    auto record = std::make_unique<WLANPROFILE>();
    WLANPROFILE& p = *record;
    BuildProfileRecord(p);

    char name[128] = {};
    CopyText(name, m_strOrgProfName);
    PrintMessage(6, " --> TFormProfileEdit::WriteBackProfileToRegistry: szProfile = %s\n", name);
    if (VOZEZIV.WVWL_WriteProfile)
        VOZEZIV.WVWL_WriteProfile(name, &p);

    if (m_WpaInfo.nEapMethod == 3 && VOZEZIV.WVWL_WritePACList) {
        // The pair (count, entries) always describes a list the editor holds: the one the
        // EAP-FAST page's Next stored, else the page's rows (a page never entered).
        if (!m_WpaInfo.pPacEntries)
            HoldPacEntries(FrameProfileEditEAPFast->Entries());
        VOZEZIV.WVWL_WritePACList(&m_WpaInfo.nPacCount, p.strProfileName);
    }
    m_PacBuffer.clear();
    m_WpaInfo.pPacEntries = nullptr;

    const bool enterprise = p.enumAuthenMode == 3 || p.enumAuthenMode == 6 || p.enumAuthenMode == 13 ||
                            (p.enumAuthenMode == 0 && p.b8021X == 1);
    if (enterprise && m_WpaInfo.nEapMethod == 3 && WinOS() >= WINOS_VISTA) {
        if (HWND main = links::MainWindowHandle())
            PostMessageA(main, MSG_ENABLE_MAIN_WINDOW, 0, 0);
        const int result = VOZEZIV.WVWL_StartEapHostPeerInvokeConfigUI
                               ? VOZEZIV.WVWL_StartEapHostPeerInvokeConfigUI(p.strProfileName, nullptr, nullptr)
                               : 0;
        // Without the system's dialog nothing else gives the main window back.
        if (result != WVWL_ERROR_SUCCESS) {
            PrintMessage(2, " StartEapHostPeerInvokeConfigUI missing or failed (%d)\n", result);
            if (HWND main = links::MainWindowHandle())
                PostMessageA(main, MSG_ENABLE_MAIN_WINDOW, 1, 0);
        }
    }
    PrintMessage(6, " --> TFormProfileEdit::WriteBackProfileToRegistry\n");
}

