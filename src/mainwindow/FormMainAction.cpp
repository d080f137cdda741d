// The main window's action queue, the identity questions around a connect, and
// the adapter library's event callback.
#include <cstdio>
#include <cstring>

#include "core/Dumps.h"
#include "core/Log.h"
#include "core/WvwlLib.h"
#include "mainwindow/FormMain.h"
#include "mainwindow/FormSiteSurvey.h"
#include "profiles/FormInvalidIdPwd.h"
#include "profiles/FormPeapIdPwd.h"
#include "profiles/FormProfile.h"
#include "profiles/FormProfileEdit.h"
#include "ui/Seams.h"
#include "wifidirect/FormWiFiDirect.h"

WLANPROFILE* g_pRegProfData = nullptr;
char g_szPacPath[256];
char g_szPacAid[128];

namespace {

// Copies a text of at most `limit` bytes (stopping at its first zero) into a
// buffer of `size` bytes, cut to fit and always terminated.
void CopyBounded(char* dst, size_t size, const char* src, size_t limit)
{
    if (!dst || size == 0)
        return;
    size_t n = src ? strnlen(src, limit) : 0;
    if (n >= size)
        n = size - 1;
    if (n)
        std::memcpy(dst, src, n);
    dst[n] = 0;
}

template <size_t N>
void CopyField(char (&dst)[N], const char* src, size_t srcSize)
{
    std::memset(dst, 0, N);
    CopyBounded(dst, N, src, srcSize);
}

template <size_t N, size_t M>
void CopyField(char (&dst)[N], const char (&src)[M])
{
    CopyField(dst, src, M);
}

std::string SsidText(const NDIS_802_11_SSID& ssid)
{
    ULONG n = ssid.SsidLength > 32 ? 32 : ssid.SsidLength;
    return std::string(reinterpret_cast<const char*>(ssid.Ssid), n);
}

std::string MacText(const BYTE* mac)
{
    char text[32];
    std::snprintf(text, sizeof text, "%02X-%02X-%02X-%02X-%02X-%02X", mac[0], mac[1], mac[2], mac[3], mac[4], mac[5]);
    return text;
}

bool AllZero(const BYTE* p, size_t n)
{
    for (size_t i = 0; i < n; ++i)
        if (p[i])
            return false;
    return true;
}

bool Is8021XProfile(const WLANPROFILE& p)
{
    return p.enumAuthenMode == 3 || p.enumAuthenMode == 6 ||
           ((p.enumAuthenMode == 0 || p.enumAuthenMode == 1) && p.b8021X);
}

bool AsksTunnelIdentity(const WLANPROFILE& p)
{
    bool tunnel = (p.enumAuthenProtocol == 0 && p.enumTunnel == 6) ||
                  (p.enumAuthenProtocol == 3 && (p.enumTunnel == 6 || p.enumProvisioningTunnel == 6));
    return tunnel && p.nPasswordMode == 0;
}

class TExecutingGuard {
public:
    explicit TExecutingGuard(bool& flag) : m_flag(flag) { m_flag = true; }
    ~TExecutingGuard() { m_flag = false; }
    TExecutingGuard(const TExecutingGuard&) = delete;
    TExecutingGuard& operator=(const TExecutingGuard&) = delete;

private:
    bool& m_flag;
};

}  // namespace

void TFormMain::SetProfData(WLANPROFILE* destination, const WLANPROFILE* source)
{
    if (!destination || !source || destination == source)
        return;
    std::memset(destination, 0, sizeof(WLANPROFILE));
    std::memcpy(destination, source, sizeof(WLANPROFILE));
}

int TFormMain::InsertAction(ACTION_DATA action)
{
    PrintMessage(6, " --> TFormMain::InsertAction\n");
    if (action.actionType == actionTypeProfile) {
        if (!m_pProfData) {
            PrintMessage(6, " TFormMain::InsertAction : NULL == m_pProfData -> return FALSE\n");
            return 0;
        }
        SetProfData(m_pProfData, static_cast<const WLANPROFILE*>(action.data));
    }
    PrintMessage(6, " TFormMain::InsertAction : m_pActionDataList->Count = %d\n", int(m_pActionDataList->Count()));
    m_pActionDataList->Insert(action);

    if (QueueMustWait()) {
        PrintMessage(6, " <-- TFormMain::InsertAction\n");
        return 0;
    }
    if (FormPeapIdPwd && FormPeapIdPwd->Visible())
        return 0;
    // A question asked while the queue runs lets other requests in; the
    // running pass carries them out.
    if (m_bExecutingActions)
        return 0;
    ActionExec();
    PrintMessage(6, " <-- TFormMain::InsertAction\n");
    return 1;
}

bool TFormMain::QueueMustWait() const
{
    const bool asksPassword = m_pProfData && m_pProfData->nPasswordMode == 0 && m_pProfData->enumTunnel == 6;
    const bool scanRunning = FormSiteSurvey && FormSiteSurvey->m_bRescan != 0;
    return m_pActionDataList->MustWait(asksPassword, scanRunning, seams::Now());
}

void TFormMain::ResumeActions()
{
    if (m_pActionDataList->Empty() || m_bExecutingActions || QueueMustWait())
        return;
    if (FormPeapIdPwd && FormPeapIdPwd->Visible())
        return;
    PrintMessage(6, " TFormMain::ResumeActions : %d queued\n", int(m_pActionDataList->Count()));
    ActionExec();
}

int TFormMain::InsertScanAction()
{
    return InsertAction({actionTypeScan, nullptr});
}

void TFormMain::ActionExec()
{
    PrintMessage(6, " --> ActionExec\n");
    TExecutingGuard guard(m_bExecutingActions);
    while (!m_pActionDataList->Empty()) {
        TActionQueue::Entry action = m_pActionDataList->Front();
        bool goOn = true;
        switch (action.type) {
        case actionTypeProfile:
            if (VOZEZIV.WVWL_ReadRadioStatus())
                goOn = ExecuteProfileAction(action);
            break;
        case actionTypeWiFiDirectProfile:
            if (VOZEZIV.WVWL_ReadRadioStatus())
                ExecuteWiFiDirectProfileAction(action);
            break;
        case actionTypeSSID:
            if (action.Data()) {
                NDIS_802_11_SSID ssid;
                std::memcpy(&ssid, action.Data(), sizeof ssid);
                VOZEZIV.WVWL_SetSSID(ssid);
                SendCcxInfo(false);
            }
            break;
        case actionTypeBSSID:
            if (action.Data()) {
                BYTE bssid[6];
                std::memcpy(bssid, action.Data(), sizeof bssid);
                VOZEZIV.WVWL_SetBSSID(bssid);
                SendCcxInfo(true);
            }
            break;
        case actionTypeScan:
            if (FormSiteSurvey)
                FormSiteSurvey->BtnSiteSurveyRescanClick(this);
            break;
        default:
            break;
        }
        m_pActionDataList->Remove(action.id);
        if (!goOn)
            break;
    }
    PrintMessage(6, " <-- ActionExec\n");
}

void TFormMain::SendCcxInfo(bool needExactlyOne)
{
    DWORD word = 0;
    int result = VOZEZIV.WVWL_ReadCCX2Cont(&word);
    if (needExactlyOne ? result != 1 : result == 0)
        return;
    VOZEZIV.WVWL_SetCCXInfo(1, word);
}

bool TFormMain::ExecuteProfileAction(const TActionQueue::Entry& action)
{
    PrintMessage(6, " ActionExec : ACTION TYPE is actionTypeProfile\n");
    auto* P = static_cast<WLANPROFILE*>(action.Data());
    if (!P)
        return true;
    char name[sizeof P->strProfileName + 1] = {};
    CopyBounded(name, sizeof name, P->strProfileName, sizeof P->strProfileName);
    std::string ssid = SsidText(P->SSID);
    PrintMessage(6, " actionTypeProfile strProfileName = %s , SSID = %s , BSSID = %s \n", name, ssid.c_str(),
                 MacText(P->BSSID).c_str());
    if (!name[0] && ssid.empty() && AllZero(P->BSSID, 6)) {
        PrintMessage(6, " actionTypeProfile return no profile, no ssid, no bssid\n");
        return false;
    }

    int opMode = VOZEZIV.WVWL_QueryOPMode();
    if (P->enumNetworkType == 7 && opMode == OP_MODE_STA_WIFI_DIRECT) {
        PrintMessage(6, " --> Tarnwell802_11NetworkTypeP2P in OP_MODE_STA_WIFI_DIRECT\n");
    } else {
        PrintMessage(6, " --> enumNetworkType = %d;  ulOpMode = %d ---> VOZEZIV.WVWL_StopAuth()\n",
                     int(P->enumNetworkType), opMode);
        VOZEZIV.WVWL_StopAuth();
    }

    const bool oldWindows = VOZEZIV.nWinOS < 31;
    if (oldWindows) {
        bool wpaCapable = VOZEZIV.WVWL_IsWpaCapable && VOZEZIV.WVWL_IsWpaCapable();
        if (wpaCapable && Is8021XProfile(*P)) {
            if (AsksTunnelIdentity(*P)) {
                if (AskIdPassword() == 2)
                    return false;
                CopyField(P->chID, m_pProfData->chID);
                CopyField(P->chPassword, m_pProfData->chPassword);
            }
            if (P->enumAuthenProtocol == 5 || P->enumAuthenProtocol == 3) {
                if (CheckSSOIdPassword() == 2)
                    return false;
                CopyField(P->chID, m_pProfData->chID);
                CopyField(P->chPassword, m_pProfData->chPassword);
            }
        }
        if (P->enumAuthenMode == 11) {
            CopyField(P->chUserCertPath, m_pProfData->chUserCertPath);
            CopyField(P->chASCertPath, m_pProfData->chASCertPath);
        }
    }

    PrintMessage(6, " Action Execution enter ...\n");
    bool mfp = false;
    if (oldWindows && (P->enumEncryStatus == 10 || P->enumEncryStatus == 11)) {
        mfp = true;
        P->enumEncryStatus = P->enumEncryStatus == 10 ? 4 : 6;
    }
    if (!VOZEZIV.bProfAdvPage)
        VOZEZIV.WVWL_ReadPSMode(reinterpret_cast<unsigned long*>(&P->enumPSMode));

    PrintMessage(6, " Before call WVWL_SetWLANProfile()...\n");
    DumpWlanProfile(P);
    PrintMessage(6, " call WVWL_SetWLANProfile()\n");
    VOZEZIV.WVWL_SetWLANProfile(P);
    m_pSentProfile = std::make_unique<WLANPROFILE>(*P);

    DWORD word = 0;
    if (VOZEZIV.WVWL_ReadCCX2Cont(&word)) {
        if (oldWindows) {
            word = mfp ? (word | CCX2_MFP) : (word & ~CCX2_MFP);
            VOZEZIV.WVWL_WriteRegValue("CCX2Control", REG_DWORD, &word, 4);
        }
        VOZEZIV.WVWL_SetCCXInfo(1, word);
    }
    return true;
}

void TFormMain::ExecuteWiFiDirectProfileAction(const TActionQueue::Entry& action)
{
    PrintMessage(6, " ACTION TYPE is actionTypeWiFiDirectProfile and SW Radio ON\n");
    const BYTE* W = static_cast<const BYTE*>(action.Data());
    if (!W)
        return;
    const BYTE persistent = W[0];
    if (!FormWiFiDirectSetting || FormWiFiDirectSetting->FrameWiFiDirectSettingWPS->m_bPersistSupported == 0) {
        PrintMessage(6, " FrameWiFiDirectSettingSaveProfile:: Dont save profile\n");
        VOZEZIV.WVWL_WriteActiveWifiDirectWpseProfileName("");
    } else {
        WIFIDIRECT_WPSE_PROFILE& R = FormWiFiDirectSetting->m_data_WIFIDIRECT_WPSE_Profile;
        const DEVICE_ENTRY* peer = FormWiFiDirect ? FormWiFiDirect->FindDevice(W + 6) : nullptr;
        if (peer)
            FillWiFiDirectProfileForPeer(R, W, *peer, FormWiFiDirectSetting->m_strDeviceName);
        if (persistent) {
            char profileName[sizeof R.ProfileName + 1] = {};
            CopyBounded(profileName, sizeof profileName, R.ProfileName, sizeof R.ProfileName);
            int result = VOZEZIV.WVWL_WriteWifiDirectWpseProfile(profileName, &R);
            PrintMessage(6, " FrameWiFiDirectSettingSaveProfile:: <-- VOZEZIV.WVWL_WriteWifiDirectWpseProfile(%s) return %d\n",
                         profileName, result);
            VOZEZIV.WVWL_WriteActiveWifiDirectWpseProfileName(profileName);
        }
        if (FormWiFiDirectProfile)
            FormWiFiDirectProfile->UpdateProfileList();
    }
    VOZEZIV.WVWL_ConnectWPSProfileWithWifiDirectWpse(persistent, W + 4);
}

int TFormMain::AskIdPassword()
{
    m_bReConnect = FALSE;
    if (FormPeapIdPwd->Visible())
        return 2;
    if (m_nAuthFailState < 3) {
        m_nAuthFailState = 3;
        return 0;
    }
    FormPeapIdPwd->m_strTunnelID = std::string(m_pProfData->chID, strnlen(m_pProfData->chID, sizeof m_pProfData->chID));
    FormPeapIdPwd->m_strTunnelPassword.clear();
    SetProfData(FormPeapIdPwd->m_pProfile, m_pProfData);
    int result = FormPeapIdPwd->Visible() ? 0 : FormPeapIdPwd->ShowModal();
    if (result == 2)
        return 2;
    m_bReConnect = TRUE;
    CopyField(m_pProfData->chID, FormPeapIdPwd->m_strTunnelID.c_str(), FormPeapIdPwd->m_strTunnelID.size());
    CopyField(m_pProfData->chPassword, FormPeapIdPwd->m_strTunnelPassword.c_str(),
              FormPeapIdPwd->m_strTunnelPassword.size());
    return result;
}

int TFormMain::CheckSSOIdPassword()
{
    alignas(4) BYTE status[1036] = {};
    VOZEZIV.WVWL_ReadSSOStatus(reinterpret_cast<int*>(status), reinterpret_cast<int*>(status + 4));
    DWORD state;
    std::memcpy(&state, status + 4, 4);
    char text[1036 - 12 + 1] = {};
    CopyBounded(text, sizeof text, reinterpret_cast<const char*>(status + 12), sizeof status - 12);
    if (state == 1 && std::strcmp(text, "2") == 0)
        return AskIdPassword();
    return 0;
}

int TFormMain::ShowInvalidIdPassword()
{
    std::memset(FormInvalidIdPwd->m_pProfile, 0, sizeof(WLANPROFILE));
    SetProfData(FormInvalidIdPwd->m_pProfile, m_pProfData);
    if (!FormInvalidIdPwd->Visible())
        FormInvalidIdPwd->ShowModal();
    return 1;
}

void TFormMain::OnAuthFailRetry()
{
    if (m_nAuthFailState == 1 || m_nAuthRetryCount >= 3) {
        m_nAuthRetryCount = 0;
        ShowInvalidIdPassword();
        return;
    }
    ++m_nAuthRetryCount;
    // The retry repeats what was actually sent, not the record the request was made from.
    VOZEZIV.WVWL_SetWLANProfile(m_pSentProfile ? m_pSentProfile.get() : g_pRegProfData);
}

void TFormMain::OnChangePasswordRequest()
{
    m_bReConnect = FALSE;
    char id[sizeof m_pProfData->chID + 1] = {};
    if (m_pProfData)
        CopyBounded(id, sizeof id, m_pProfData->chID, sizeof m_pProfData->chID);
    FormPeapIdPwd->m_strTunnelID = id;
    FormPeapIdPwd->m_strTunnelPassword.clear();
    int result = FormPeapIdPwd->Visible() ? 0 : FormPeapIdPwd->ShowModal();
    if (result == 2)
        return;
    m_bReConnect = TRUE;
    const std::string& newId = FormPeapIdPwd->m_strTunnelID;
    const std::string& newPassword = FormPeapIdPwd->m_strTunnelPassword;
    if (m_pProfData) {
        CopyField(m_pProfData->chID, newId.c_str(), newId.size());
        CopyField(m_pProfData->chPassword, newPassword.c_str(), newPassword.size());
    }
    char identity[128] = {};
    char password[128] = {};
    CopyBounded(password, sizeof password, newPassword.c_str(), newPassword.size());
    VOZEZIV.WVWL_WriteIDnPasswd(identity, password);
    if (m_pProfData)
        CopyField(m_pProfData->chPassword, newPassword.c_str(), newPassword.size());
}

// ---------------------------------------------------------------------------
// Adapter callback. It may run on a thread of the library: what touches
// windows or the action queue is posted to the main window.

namespace {

void LogCode(const char* name)
{
    PrintMessage(6, "[rsCallBackFunc] >>%s<<\n", name);
}

void AuthFailure(DWORD failState)
{
    if (!FormMain || !FormMain->m_pProfData)
        return;
    const WLANPROFILE& p = *FormMain->m_pProfData;
    if (p.bBssid != 0 || (p.ccx2Ctrl & CCX2_ROTATE_PROFILE))
        return;
    FormMain->m_bReConnect = FALSE;
    VOZEZIV.WVWL_Disconnect();
    FormMain->m_nAuthFailState = failState;
    PostMessageA(FormMain->Handle(), MSG_AUTH_FAIL_RETRY, 0, 0);
}

void LoadPac(char* out)
{
    char path[256] = {};
    char identity[256] = {};
    if (FormMain && FormMain->m_pProfData) {
        if (FormInvalidIdPwd && FormInvalidIdPwd->m_pProfile && FormPeapIdPwd && !FormPeapIdPwd->m_strTunnelID.empty())
            CopyField(FormMain->m_pProfData->chID, FormInvalidIdPwd->m_pProfile->chID);
        if (FormMain->m_pProfData->bBssid == 1)
            CopyBounded(identity, sizeof identity, FormMain->m_pProfData->chID, sizeof FormMain->m_pProfData->chID);
    }
    VOZEZIV.WVWL_FastPacLoad(path, sizeof path, identity, 1);
    path[sizeof path - 1] = 0;
    if (out)
        CopyBounded(out, sizeof path, path, sizeof path);
    CopyBounded(g_szPacPath, sizeof g_szPacPath, path, sizeof path);
}

}  // namespace

void WINAPI rsCallBackFunc(int fullCode, const void* data, int outAddress)
{
    PrintMessage(6, "[rsCallBackFunc] --> rsCallBackFunc\n");
    char* out = reinterpret_cast<char*>(static_cast<INT_PTR>(outAddress));
    const int code = fullCode & 0xFF;
    switch (code) {
    case 2: {
        LogCode("RS_CBS_FAST_SAVE_PAC");
        if (data) {
            BYTE pac[RS_FAST_PAC_SIZE];
            std::memcpy(pac, data, sizeof pac);
            VOZEZIV.WVWL_FastPacSave(pac, g_szPacPath, g_szPacAid);
        }
        break;
    }
    case 3: LogCode("RS_CBS_CHANGE_PASSWORD_SUCCESS"); break;
    case 4: LogCode("RS_CBS_AU_STATUS_LINK_DOWN"); break;
    case 5: LogCode("RS_CBS_AU_STATUS_START"); break;
    case 6: LogCode("RS_CBS_AU_STATUS_LINK_UP"); break;
    case 7: LogCode("RS_CBS_AU_STATUS_AUTHENTICATING"); break;
    case 14: LogCode("RS_CBS_AU_STATUS_AUTHENTICATED"); break;
    case 15: LogCode("RS_CBS_AU_STATUS_FAST_PROVISIONING_SUCCESS"); break;
    case 16:
        LogCode("RS_CBS_AU_STATUS_CLIENT_IDENTITY_REJECTED");
        AuthFailure(1);
        break;
    case 17:
        LogCode("RS_CBS_AU_STATUS_AUTH_TIMEOUT");
        AuthFailure(0);
        break;
    case 20:
        LogCode("RS_CBS_CHANGE_PASSWORD_REQUEST");
        if (FormMain) {
            PostMessageA(FormMain->Handle(), MSG_CHANGE_PASSWORD_REQUEST, 0, 0);
            if (out && FormMain->m_pProfData)
                CopyBounded(out, 128, FormMain->m_pProfData->chPassword, sizeof FormMain->m_pProfData->chPassword);
        }
        break;
    case 21:
        LogCode("RS_CBS_FAST_PAC_AID_INFO");
        std::memset(g_szPacAid, 0, sizeof g_szPacAid);
        if (data)
            CopyBounded(g_szPacAid, sizeof g_szPacAid, static_cast<const char*>(data), sizeof g_szPacAid);
        break;
    case 22: LogCode("RS_CBS_FAST_INVALID_PAC_OPAQUE"); break;
    case 23:
        LogCode("RS_CBS_FAST_LOAD_PAC");
        LoadPac(out);
        break;
    case 25: {
        LogCode("RS_CCX_DIAG_PROFILE");
        DWORD value = 0;
        if (data)
            std::memcpy(&value, data, 4);
        if (value && FormMain)
            PostMessageA(FormMain->Handle(), MSG_CALLBACK_CCX_DIAG, 0, 0);
        break;
    }
    case 26: LogCode("RS_CCX_AIRONET_MSG_STR"); break;
    case 29:
        LogCode("RS_CBS_AU_STATUS_MEDIA_CONNECT");
        if (FormMain)
            PostMessageA(FormMain->Handle(), MSG_MEDIA_CONNECT, 0, 0);
        break;
    case 30: LogCode("RS_CBS_AU_STATUS_MEDIA_DISCONNECT"); break;
    case 31: LogCode("RS_CBS_ICV_ERROR"); break;
    case 32: LogCode("RS_CBS_PORT_SECURED"); break;
    default:
        if (IsWpsEapCallbackCode(code)) {
            LogCode("RC_STATUS_WPS_EAP");
            if (FormMain)
                PostMessageA(FormMain->Handle(), MSG_CALLBACK_WPS_EAP, WPARAM(code), 0);
        }
        break;
    }
    PrintMessage(6, "[rsCallBackFunc] <-- rsCallBackFunc\n");
}
