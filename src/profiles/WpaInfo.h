#pragma once
// The profile editor's working copy of a profile's 802.1X settings; the site survey keeps
// another copy of it for its connect.
#include <windows.h>
#include <string>
#include "wlapi/records.h"

struct WPA_INFO {
    int nEapMethod = 0;      // 0 PEAP, 1 TLS or smart card, 2 TTLS, 3 EAP-FAST, 4 MD5, 5 LEAP
    int nTunnel = 26;        // inner method of PEAP and EAP-FAST
    int nProvTunnel = 26;    // EAP-FAST provisioning inner method
    int nTTLSTunnel = 26;    // TTLS inner method
    int nSessionResume = 0;
    std::string strIdentity;
    std::string strPassword;
    std::string strIdentityCopy;
    std::string strPasswordCopy;
    std::string strDomain;
    int nPwdMode = 1;
    int bUseClientCert = 0;
    int bUseServerCert = 0;
    int bPacEnabled = 0;
    int bProvisionEnabled = 1;
    std::string strPacPath;
    int bAllowIntermediate = 0;
    std::string strServer;
    int nServerRule = 0;
    KV_BLOB_KEY CACertKey{};
    KV_BLOB_KEY UserCertKey{};
    int bSmartCard = 0;
    int nIdMode = 0;
    int nPacCount = 0;
    void* pPacEntries = nullptr; // owned by the editor
    int bCacheUser = 1;
};
