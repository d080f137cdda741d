#pragma once
// The profile editor's 802.1X, certificate, EAP-FAST, single sign-on and WAPI certificate
// pages as far as the editor's routing and its load and save use them: the values the
// editor reads on Next and Back, and the single sign-on controls the profile's bits come
// from.
#include <windows.h>
#include <vector>

#include "core/FormBase.h"
#include "ui/ExtCtrls.h"
#include "ui/StdCtrls.h"

class TFrameProfileEdit8021X : public TFrameBase {
public:
    explicit TFrameProfileEdit8021X(TComponent* owner);
    // The page's values into the editor's working copy.
    void StoreSettings();
    // True when the settings may be used (identity and certificates as the method needs).
    bool CheckSettings();
};

class TFrameProfileEditClientCert : public TFrameBase {
public:
    explicit TFrameProfileEditClientCert(TComponent* owner);
    void StoreSettings();
    bool CheckSettings();
};

class TFrameProfileEditServerCert : public TFrameBase {
public:
    explicit TFrameProfileEditServerCert(TComponent* owner);
    void StoreSettings();
};

class TFrameProfileEditEAPFast : public TFrameBase {
public:
    explicit TFrameProfileEditEAPFast(TComponent* owner);
    void StoreSettings();
    // The credential list taken over from a loaded profile (516-byte entries).
    std::vector<BYTE> m_PacEntries;
    int m_nPacCount = 0;
};

class TFrameProfileEditSSO : public TFrameBase {
public:
    explicit TFrameProfileEditSSO(TComponent* owner);
    TCheckBox* chBoxEnableSSO = nullptr;
    TCheckBox* chBoxAllowMachineAuth = nullptr;
    TCheckBox* chBoxEnablePersistentConnection = nullptr;
    TPanel* PanelLogon = nullptr;
    TRadioButton* rBtnPreLogon = nullptr;
    TRadioButton* rBtnPostLogon = nullptr;
    TPanel* PanelIdPwd = nullptr;
    TRadioButton* rBtnUseIDPWDinProfile = nullptr;
    TRadioButton* rBtnPromptIDPWD = nullptr;
    TRadioButton* rBtnUseIDPWDinWinlogon = nullptr;
    // Clears the enable, machine-authentication and persistent-connection boxes.
    void ClearSsoBoxes();
};

class TFrameProfileEditWAPICert : public TFrameBase {
public:
    explicit TFrameProfileEditWAPICert(TComponent* owner);
};
