// Connecting from the site survey: Connect, Add to profile, the editor's hand-back, the
// profile built from the chosen network and the hidden-network dialog.
#include <algorithm>
#include <cstring>

#include "core/Log.h"
#include "core/WvwlLib.h"
#include "mainwindow/FormSiteSurvey.h"
#include "mainwindow/SiteSurveyLinks.h"
#include "profiles/FormProfile.h"
#include "profiles/FormProfileEdit.h"
#include "profiles/ProfileNames.h"
#include "profiles/ProfileRecord.h"
#include "resources/FormResource.h"
#include "wlapi/bsslist.h"
#include "wlapi/constants.h"

TFormHiddenSsid* FormHiddenSsid = nullptr;

namespace {

std::string S(std::string CUISTR::*member)
{
    const CUISTR* s = FormResource ? FormResource->UI_Str.get() : nullptr;
    return s ? s->*member : std::string();
}

int WpaCapable()
{
    return VOZEZIV.WVWL_IsWpaCapable ? VOZEZIV.WVWL_IsWpaCapable() : 0;
}

// "WEP+TKIP+AES+SMS4" style list of the cipher bits, without the last "+".
std::string CipherText(ULONG bits)
{
    std::string text;
    if (bits & IE_CIPHER_WEP)
        text += "WEP+";
    if (bits & IE_CIPHER_TKIP)
        text += "TKIP+";
    if (bits & IE_CIPHER_AES)
        text += "AES+";
    if (bits & IE_CIPHER_SMS4)
        text += "SMS4+";
    if (!text.empty())
        text.pop_back();
    return text;
}

template <size_t N>
void CopyText(char (&field)[N], const std::string& text)
{
    std::memset(field, 0, N);
    std::memcpy(field, text.data(), std::min(text.size(), N - 1));
}

void CopyBlob(KV_BLOB_KEY& destination, const KV_BLOB_KEY& source)
{
    destination = {};
    destination.BlobLength = std::min<uint32_t>(source.BlobLength, 150);
    std::memcpy(destination.BlobData, source.BlobData, destination.BlobLength);
}

// The SSID typed into the dialog in the system code page, cut to whole characters within
// 32 bytes.
std::string CutToSsid(const std::string& text)
{
    const char* begin = text.c_str();
    const char* p = begin;
    while (*p) {
        const char* next = CharNextA(p);
        if (next - begin > 32)
            break;
        p = next;
    }
    return std::string(begin, p);
}

std::string Trim(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    const size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

std::string NewProfileID()
{
    return FormProfile ? FormProfile->GetNextProfileID() : NextProfileID(VOZEZIV);
}

std::string NewProfileName()
{
    return FormProfile ? FormProfile->MakeDefaultProfileName()
                       : MakeDefaultProfileName(VOZEZIV, S(&CUISTR::STR_PROF_DEFAULT), S(&CUISTR::STR_PROF));
}

void EnsureHiddenSsidDialog()
{
    if (!FormHiddenSsid && Application)
        Application->CreateForm(FormHiddenSsid);
}

} // namespace

IE_INFO TFormSiteSurvey::ReadSelectedSecurity()
{
    IE_INFO info{};
    const NDIS_WLAN_BSSID_EX* network = SelectedBssid();
    if (!network)
        return info;
    if (VOZEZIV.WVWL_ParseInfoElement)
        VOZEZIV.WVWL_ParseInfoElement(network, &info);
    m_bSecured = network->Privacy || info.nAuthBits || info.nCipherBits;
    m_nAuthType = info.bCCKM && VOZEZIV.nWinOS >= WINOS_VISTA ? 8 : GetAuthType(info.nAuthBits);
    m_nInfraMode = int(network->InfrastructureMode);
    return info;
}

bool TFormSiteSurvey::PlaceBelowMainWindow(TForm* form)
{
    RECT main;
    if (!form || !links::MainWindowBounds(main))
        return false;
    form->SetLeft(main.left);
    form->SetTop(main.bottom);
    return true;
}

void TFormSiteSurvey::BtnSiteSurveyConnectClick(TObject*)
{
    PrintMessage(6, " --> TFormSiteSurvey::BtnSiteSurveyConnectClick\n");
    struct Exit {
        ~Exit() { PrintMessage(6, " <-- TFormSiteSurvey::BtnSiteSurveyConnectClick\n"); }
    } exitLog;
    if (!BtnSiteSurveyConnect->Enabled())
        return;
    m_nAuthType = 0;
    m_nInfraMode = 1;
    m_bHiddenSsid = FALSE;
    m_nEditAuth = 0;
    if (VOZEZIV.nWinOS < WINOS_VISTA && VOZEZIV.WVWL_IsZeroConfig && VOZEZIV.WVWL_IsZeroConfig() == 2)
        return;
    TListItem* item = lvApList->Selected();
    if (!item) {
        links::ShowMessage(S(&CUISTR::STR_NOSELECTEDITEM), 0);
        return;
    }
    if (DisplayableItems().empty())
        return;
    const int row = item->Index();
    ButtonShowHide();
    CopySelectedNetwork(row);
    if (!SelectedBssid())
        return;
    // The list may refresh while a question below is open: the network chosen now is kept.
    m_ConnectNetwork = m_pSelectedBssid;
    const auto* network = reinterpret_cast<const NDIS_WLAN_BSSID_EX*>(m_ConnectNetwork.data());

    std::memset(m_pProfile.get(), 0, sizeof(WLANPROFILE));
    m_nAuthMode = 0;
    m_nEncryStatus = 1;
    IE_INFO info{};
    if (VOZEZIV.WVWL_ParseInfoElement)
        VOZEZIV.WVWL_ParseInfoElement(network, &info);
    m_bSecured = FALSE;
    if (network->Privacy || info.nAuthBits || info.nCipherBits) {
        m_strCipher = info.nCipherBits == 0 ? "NONE" : CipherText(info.nCipherBits);
        m_bSecured = TRUE;
    }
    m_nAuthType = info.bCCKM && VOZEZIV.nWinOS >= WINOS_VISTA ? 8 : GetAuthType(info.nAuthBits);
    m_nInfraMode = int(network->InfrastructureMode);

    const ULONG wpaBits = IE_AUTH_WPA | IE_AUTH_WPA_PSK | IE_AUTH_WPA2 | IE_AUTH_WPA2_PSK;
    if (WpaCapable() == 0 && (info.nAuthBits == IE_AUTH_WPA_NONE || (info.nAuthBits & wpaBits)))
        return;

    if (network->InfrastructureMode == 1 && network->Ssid.SsidLength == 0) {
        EnsureHiddenSsidDialog();
        int result = 0;
        if (FormHiddenSsid && !FormHiddenSsid->Visible())
            result = FormHiddenSsid->ShowModal();
        m_bHiddenSsid = TRUE;
        if (result == mrCancel)
            return;
    }

    if (m_bSecured) {
        TFormProfileEdit* editor = FormProfileEdit;
        if (!editor)
            return;
        editor->m_bEditProfile = FALSE;
        editor->m_bAddProfile = FALSE;
        editor->m_bRegistrarProfile = FALSE;
        editor->m_nInfrastructureMode = int(network->InfrastructureMode);
        const std::string id = NewProfileID();
        const std::string name = NewProfileName();
        editor->InitialSettingFromSiteSurvey(network, name, id, m_nAuthType, m_bSecured, m_strCipher);
        PlaceBelowMainWindow(editor);
        if (!editor->Visible())
            editor->ShowModal();
        return;
    }
    LoadProfile();
}

void TFormSiteSurvey::BtnSiteSurveyAdd2ProfClick(TObject*)
{
    PrintMessage(6, " --> TFormSiteSurvey::BtnSiteSurveyAdd2ProfClick\n");
    m_ConnectNetwork.clear();
    if (!m_pSelectedRow) {
        links::ShowMessage(S(&CUISTR::STR_NOSELECTEDITEM), 0);
        return;
    }
    if (DisplayableItems().empty())
        return;
    CopySelectedNetwork(m_nSelectedIndex);
    const NDIS_WLAN_BSSID_EX* network = SelectedBssid();
    if (!network)
        return;
    const IE_INFO info = ReadSelectedSecurity();
    switch (info.nCipherBits) {
    case IE_CIPHER_TKIP: m_strCipher = "TKIP"; break;
    case IE_CIPHER_AES: m_strCipher = "AES"; break;
    case IE_CIPHER_SMS4: m_strCipher = "SMS4"; break;
    default: m_strCipher = "AES"; break;
    }
    TFormProfileEdit* editor = FormProfileEdit;
    if (!editor)
        return;
    const std::string id = NewProfileID();
    const std::string name = NewProfileName();
    editor->InitialSettingFromSiteSurvey(network, name, id, m_nAuthType, m_bSecured, m_strCipher);
    editor->m_bAddProfile = TRUE;
    RECT main;
    if (!links::ProfileWindowShowing() && links::MainWindowBounds(main))
        links::ShowProfileWindowAt(main.left, main.bottom);
    PlaceBelowMainWindow(editor);
    if (!editor->Visible())
        editor->ShowModal();
    PrintMessage(6, " <-- TFormSiteSurvey::BtnSiteSurveyAdd2ProfClick\n");
}

void TFormSiteSurvey::SecurityConnection()
{
    PrintMessage(6, " --> TFormSiteSurvey::SecurityConnection\n");
    TFormProfileEdit* editor = FormProfileEdit;
    if (!editor)
        return;
    m_nEditAuth = editor->m_nAuthSel;
    m_nEditEncry = editor->m_nEncrySel;
    m_nDefaultKey = editor->m_nDefaultKey;
    const int auth = m_nEditAuth;
    if (WpaCapable() &&
        ((editor->m_nInfrastructureMode == 1 && (auth == 3 || auth == 5 || auth == 10)) || auth == 12 || auth == 1))
        CopyWpaInfo(m_WpaInfo, editor->m_WpaInfo);
    m_strUserCertPath = editor->m_strUserCertPath;
    m_strASCertPath = editor->m_strASCertPath;
    if (auth == 1 || (auth == 0 && m_nEditEncry == 1) || editor->m_WpaInfo.nEapMethod == 4) {
        for (int i = 0; i < 4; ++i) {
            m_nWepKeyType[i] = editor->m_nWEPKeyFormat[i];
            std::memset(m_chWepKey[i], 0, sizeof m_chWepKey[i]);
            std::memcpy(m_chWepKey[i], editor->m_strWEPKey[i].data(),
                        std::min(editor->m_strWEPKey[i].size(), sizeof m_chWepKey[i]));
        }
    }
    if (auth >= 3 && auth <= 8) {
        m_strPskKey = editor->m_strPskKey;
        m_nPskKeyType = editor->m_nPskKeyType;
    }
    LoadProfile();
}

void TFormSiteSurvey::CopyWpaInfo(WPA_INFO& destination, const WPA_INFO& source)
{
    destination.nEapMethod = source.nEapMethod;
    destination.nTunnel = source.nTunnel;
    destination.nProvTunnel = source.nProvTunnel;
    destination.nTTLSTunnel = source.nTTLSTunnel;
    destination.nSessionResume = source.nSessionResume;
    destination.strIdentity = source.strIdentity;
    destination.strPassword = source.strPassword;
    destination.strDomain = source.strDomain;
    destination.nPwdMode = source.nPwdMode;
    destination.bUseClientCert = source.bUseClientCert;
    destination.bUseServerCert = source.bUseServerCert;
    destination.bPacEnabled = source.bPacEnabled;
    destination.bProvisionEnabled = source.bProvisionEnabled;
    destination.strPacPath = source.strPacPath;
    destination.bAllowIntermediate = source.bAllowIntermediate;
    destination.strServer = source.strServer;
    destination.nServerRule = source.nServerRule;
    CopyBlob(destination.CACertKey, source.CACertKey);
    CopyBlob(destination.UserCertKey, source.UserCertKey);
    destination.bSmartCard = source.bSmartCard;
    destination.nIdMode = source.nIdMode;
    destination.bCacheUser = source.bCacheUser;
}

void TFormSiteSurvey::ResetSecuritySettings()
{
    if (lblSSID)
        ClearDetails();
    m_nEditAuth = 0;
    m_nEditEncry = 0;
    m_strPskKey.clear();
    m_nDefaultKey = 1;
    for (int i = 0; i < 4; ++i) {
        m_nWepKeyType[i] = 0;
        std::memset(m_chWepKey[i], 0, sizeof m_chWepKey[i]);
    }
    m_nPskKeyType = 0;
    m_WpaInfo = WPA_INFO();
    m_strUserCertPath.clear();
    m_strASCertPath.clear();
}

void TFormSiteSurvey::LoadProfile()
{
    PrintMessage(6, " --> TFormSiteSurvey::LoadProfile\n");
    if (!KeepConnectNetwork())
        return;
    m_ConnectNetwork.clear();
    const NDIS_WLAN_BSSID_EX* network = SelectedBssid();
    if (!network) {
        PrintMessage(2, " TFormSiteSurvey::LoadProfile: no network\n");
        return;
    }
    m_bEapConnectQueued = FALSE;
    WLANPROFILE& P = *m_pProfile;
    const bool infra = network->InfrastructureMode == 1;
    const int auth = m_nEditAuth;
    const int encry = m_nEditEncry;
    const auto copyWepKeys = [this, &P] {
        char* keys[4] = {P.WEPKey1, P.WEPKey2, P.WEPKey3, P.WEPKey4};
        uint32_t* types[4] = {&P.WEPKey1Type, &P.WEPKey2Type, &P.WEPKey3Type, &P.WEPKey4Type};
        for (int i = 0; i < 4; ++i) {
            std::memcpy(keys[i], m_chWepKey[i], 64);
            *types[i] = m_nWepKeyType[i];
        }
        P.wepDefaultKey = m_nDefaultKey;
    };
    const auto statusOf = [encry](bool sms4) -> int {
        if (encry == 2)
            return 4;
        if (encry == 3)
            return 6;
        if (encry == 4 && sms4)
            return 9;
        return -1;
    };

    P.b8021X = 0;
    if (network->Privacy == 1 || (m_nAuthType >= 1 && m_nAuthType <= 8)) {
        if (WpaCapable() && ((infra && (auth == 3 || auth == 5 || auth == 10)) || auth == 12)) {
            const WPA_INFO& w = m_WpaInfo;
            P.b8021X = 1;
            P.enumAuthenProtocol = w.nEapMethod;
            switch (w.nEapMethod) {
            case 0:
            case 3: P.enumTunnel = w.nTunnel; break;
            case 2: P.enumTunnel = w.nTTLSTunnel; break;
            case 1:
            case 4:
                m_nAuthMode = 0;
                m_nEncryStatus = 0;
                copyWepKeys();
                break;
            default: break;
            }
            P.nSessionResumption = w.nSessionResume;
            P.enumProvisioningTunnel = w.nProvTunnel;
            P.nIDModeIndex = w.nIdMode;
            CopyText(P.chID, w.strIdentity);
            CopyText(P.chPassword, w.strPassword);
            CopyText(P.chDomainName, w.strDomain);
            P.nPasswordMode = w.nPwdMode;
            P.bClientCert = w.bUseClientCert;
            P.bClientCertInSmartCard = w.bSmartCard;
            P.bCacheUserInfo = w.bCacheUser;
            if (P.bClientCert)
                CopyBlob(P.user_cert, w.UserCertKey);
            P.bServerCert = w.bUseServerCert;
            if (P.bServerCert) {
                P.bIntermediateCert = w.bAllowIntermediate;
                P.nServerNameRule = w.nServerRule;
                CopyText(P.chServerName, w.strServer);
                CopyBlob(P.CA_cert, w.CACertKey);
            }
            if (infra) {
                m_nAuthMode = auth == 3 ? 3 : auth == 5 ? 6 : auth == 10 ? 13 : m_nAuthMode;
                const int status = statusOf(false);
                if (status >= 0)
                    m_nEncryStatus = status;
            }
            P.bPAC = w.bPacEnabled;
            P.bProvision = w.bProvisionEnabled;
            P.enumProvisioningTunnel = w.nProvTunnel;
            CopyText(P.chPACfilepath, w.strPacPath);
        }
        if (infra && auth == 9) {
            m_nAuthMode = 11;
            if (encry == 4)
                m_nEncryStatus = 9;
            CopyText(P.chUserCertPath, m_strUserCertPath);
            CopyText(P.chASCertPath, m_strASCertPath);
            if (FormProfileEdit) {
                P.nWapiCertMode = FormProfileEdit->m_nWapiCertMode;
                IdentityToRecord(FormProfileEdit->m_WapiUserIdentity, P.WapiUserIdentity);
                IdentityToRecord(FormProfileEdit->m_WapiASIdentity, P.WapiASIdentity);
            }
        }
        const bool psk = (infra && (auth == 4 || auth == 6 || auth == 8)) || (!infra && (auth == 6 || auth == 7 || auth == 8));
        if (psk) {
            m_nAuthMode = auth == 4 ? 4 : auth == 6 ? 7 : auth == 7 ? 5 : 10;
            if (auth == 8)
                P.nPskKeyType = m_nPskKeyType;
            const size_t length = std::min<size_t>(m_strPskKey.size(), sizeof P.chPskKey);
            P.nPskKeyLen = uint32_t(length);
            std::memset(P.chPskKey, 0, sizeof P.chPskKey);
            std::memcpy(P.chPskKey, m_strPskKey.data(), length);
            const int status = statusOf(true);
            if (status >= 0)
                m_nEncryStatus = status;
        } else if (auth == 1 || (auth == 0 && encry == 1)) {
            m_nAuthMode = auth;
            m_nEncryStatus = encry == 0 ? 1 : encry == 1 ? 0 : m_nEncryStatus;
            copyWepKeys();
        }
    }
    if (auth == 12) {
        m_nAuthMode = 0;
        m_nEncryStatus = encry == 0 ? 1 : encry == 1 ? 0 : m_nEncryStatus;
    }
    P.enumAuthenMode = m_nAuthMode;
    P.enumEncryStatus = m_nEncryStatus;
    P.bDisassociate = 1;
    if (VOZEZIV.WVWL_WriteWPSFlag)
        VOZEZIV.WVWL_WriteWPSFlag(0);

    const int opMode = VOZEZIV.WVWL_QueryOPMode ? VOZEZIV.WVWL_QueryOPMode() : OP_MODE_STATION;
    if (opMode == OP_MODE_STA_WIFI_DIRECT) {
        PrintMessage(6, " TFormSiteSurvey::LoadProfile <--- VOZEZIV.WVWL_QueryOPMode() == OP_MODE_STA_WIFI_DIRECT; \n");
        int wifiDirect = 0;
        if (VOZEZIV.WVWL_ReadWifiDirectFlag)
            VOZEZIV.WVWL_ReadWifiDirectFlag(&wifiDirect);
        if (wifiDirect && links::WiFiDirectWindowExists() && network->InfrastructureMode == 0) {
            PrintMessage(6, " TFormSiteSurvey::LoadProfilee ---> EnableOrDisableWiFiDirect(FALSE, FALSE, FALSE, TRUE)!!\n");
            links::TurnWiFiDirectOff();
        } else {
            PrintMessage(6, " TFormSiteSurvey::LoadProfile:FormWiFiDirect = 0%x; bWiFiDirect = %d ; InfrastructureMod = %d!!\n",
                         links::WiFiDirectWindowExists() ? 1 : 0, wifiDirect, int(network->InfrastructureMode));
        }
    }

    if (!m_bHiddenSsid) {
        m_ConnectSsid = {};
        m_ConnectSsid.SsidLength = std::min<ULONG>(network->Ssid.SsidLength, 32);
        std::memcpy(m_ConnectSsid.Ssid, network->Ssid.Ssid, 32);
    }
    if (!infra || m_bHiddenSsid) {
        if (m_bHiddenSsid) {
            P.SSID = m_ConnectSsid;
        } else {
            P.SSID = {};
            P.SSID.SsidLength = std::min<ULONG>(network->Ssid.SsidLength, 32);
            std::memcpy(P.SSID.Ssid, network->Ssid.Ssid, P.SSID.SsidLength);
        }
        P.bBssid = 0;
    } else {
        P.SSID = {};
        P.SSID.SsidLength = std::min<ULONG>(network->Ssid.SsidLength, 32);
        std::memcpy(P.SSID.Ssid, network->Ssid.Ssid, P.SSID.SsidLength);
        std::memcpy(P.BSSID, network->MacAddress, 6);
        P.bBssid = 1;
    }

    P.bSetAdvance = 0;
    P.bACCam = 0;
    unsigned long psMode = 0;
    if (VOZEZIV.WVWL_ReadPSMode)
        VOZEZIV.WVWL_ReadPSMode(&psMode);
    P.enumPSMode = psMode;
    P.lRtsThre = 2347;
    P.lFragThre = 2346;
    P.enumPreamType = 2;
    P.enumNetworkType = network->InfrastructureMode;
    P.lTxPower = 0;
    P.lFreq = int32_t(network->Configuration.DSConfig);
    m_ConnectAction = {actionTypeProfile, m_pProfile.get()};

    // The operating system's EAP configuration dialog fills the profile's configuration blob.
    // The main window is disabled while it runs and enabled again when it has ended.
    const bool eapConfig = (P.enumAuthenMode == 3 || P.enumAuthenMode == 6 || P.enumAuthenMode == 13 ||
                            (P.enumAuthenMode == 0 && P.b8021X)) &&
                           P.enumAuthenProtocol == 3 && VOZEZIV.nWinOS >= WINOS_VISTA;
    int eapResult = 0;
    if (eapConfig) {
        if (HWND main = links::MainWindowHandle())
            PostMessageA(main, MSG_ENABLE_MAIN_WINDOW, 0, 0);
        unsigned long blobLength = P.dwLenEapFastConfigBlob;
        if (VOZEZIV.WVWL_StartEapHostPeerInvokeConfigUI)
            eapResult = VOZEZIV.WVWL_StartEapHostPeerInvokeConfigUI("", &blobLength, P.pEapFastConfigBlob);
        P.dwLenEapFastConfigBlob = std::min<unsigned long>(blobLength, sizeof P.pEapFastConfigBlob);
        if (HWND main = links::MainWindowHandle())
            PostMessageA(main, MSG_ENABLE_MAIN_WINDOW, 1, 0);
    }

    char active[128] = {};
    if (VOZEZIV.WVWL_ReadActiveProfileName)
        VOZEZIV.WVWL_ReadActiveProfileName(active);
    active[sizeof active - 1] = 0;
    if (VOZEZIV.WVWL_WriteSSOProfileAndFunc)
        VOZEZIV.WVWL_WriteSSOProfileAndFunc(active, 1);
    links::SetActiveProfile(FALSE);

    if (VOZEZIV.nWinOS < WINOS_VISTA || (VOZEZIV.WVWL_DetectUserAdmin && VOZEZIV.WVWL_DetectUserAdmin())) {
        PrintMessage(6, " call WVWL_ResetToDefaultConnecctionSetting()\n");
        if (VOZEZIV.WVWL_ResetToDefaultConnecctionSetting)
            VOZEZIV.WVWL_ResetToDefaultConnecctionSetting();
    }

    PrintMessage(6, " Insert Action from PageSiteSurveyDlg LoadProfile \n");
    const bool queueNow = VOZEZIV.nWinOS < WINOS_VISTA || P.enumAuthenProtocol != 3 || (eapConfig && eapResult == 1);
    if (queueNow) {
        links::SetActiveProfile(FALSE);
        links::SetSiteSurveyConnect(TRUE);
        if (VOZEZIV.WVWL_WriteRegValue)
            VOZEZIV.WVWL_WriteRegValue("CurProfile", REG_SZ, "", 0);
        links::SetReConnect();
        links::InsertAction(m_ConnectAction);
        m_bEapConnectQueued = eapConfig;
    }
    PrintMessage(6, " <-- TFormSiteSurvey::LoadProfile\n");
}

bool TFormSiteSurvey::TakeQueuedEapConnect()
{
    const bool queued = m_bEapConnectQueued;
    m_bEapConnectQueued = FALSE;
    return queued;
}

// ---- hidden network dialog

TFormHiddenSsid::TFormHiddenSsid(TComponent* owner) : TForm(owner)
{
    Name = "FormHiddenSsid";
    SetBorderStyle(bsDialog);
    SetCaption(S(&CUISTR::STR_WEVO_MESSAGE));
    SetClientSize(300, 110);
    SetPosition(poScreenCenter);
    lblSSIDTxt = new TLabel({.Parent = this, .Left = 16, .Top = 14, .Caption = S(&CUISTR::STR_HIDDEN_TEXT)});
    editPassword = new TEdit({this, 16, 38, 268, 21});
    BtnOK = new TButton({this, 128, 72, 75, 25, S(&CUISTR::STR_OK)});
    BtnOK->OnClick = [this](TObject* s) { BtnOKClick(s); };
    BtnCancel = new TButton({this, 209, 72, 75, 25, S(&CUISTR::STR_CANCEL)});
    BtnCancel->ModalResult = mrCancel;
    BtnOK->Default = true;
    BtnCancel->Cancel = true;
    BtnCancel->OnClick = [this](TObject* s) { BtnCancelClick(s); };
    OnShow = [this](TObject* s) { FormShow(s); };
}

void TFormHiddenSsid::FormShow(TObject*)
{
    editPassword->SetMaxLength(32);
    editPassword->SetText("");
    editPassword->SetPasswordChar(0);
    FocusControl(editPassword);
}

void TFormHiddenSsid::BtnOKClick(TObject*)
{
    const std::string text = Trim(editPassword->Text());
    if (text.empty()) {
        links::ShowMessage(S(&CUISTR::STR_HIDDEN_TEXT), 0);
        return;
    }
    const std::string ssid = CutToSsid(text);
    if (FormSiteSurvey) {
        FormSiteSurvey->m_ConnectSsid = {};
        FormSiteSurvey->m_ConnectSsid.SsidLength = ULONG(ssid.size());
        std::memcpy(FormSiteSurvey->m_ConnectSsid.Ssid, ssid.data(), ssid.size());
    }
    if (Modal())
        SetModalResult(mrOk);
    else
        Hide();
}

void TFormHiddenSsid::BtnCancelClick(TObject*)
{
    if (Modal())
        SetModalResult(mrCancel);
    else
        Hide();
}
