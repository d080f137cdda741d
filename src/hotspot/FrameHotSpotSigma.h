#pragma once
// The certification test page of the Hotspot 2.0 window: the adapter's Hotspot 2.0 test mode,
// ANQP queries and TDLS/DLS actions towards a peer, the association trigger and the HESSID,
// each a driver request.
#include <windows.h>

#include <string>

#include "core/FormBase.h"
#include "ui/StdCtrls.h"
#include "wlapi/records.h"

class TFrameHotSpotSigma : public TFrameBase {
public:
    explicit TFrameHotSpotSigma(TComponent* owner);

    static constexpr unsigned long kOidTestMode = 0xFFF10708;
    static constexpr unsigned long kOidRequest = 0xFFF1070B;
    static constexpr unsigned long kOidAssoc = 0xFFF1070D;
    static constexpr unsigned long kOidHeSSID = 0xFFF10710;
    static constexpr int kAnqpBoxes = 11;

    // Controls.
    TGroupBox* grpBoxSigma = nullptr;
    TRadioButton* rBtnSigmaOn = nullptr;
    TRadioButton* rBtnSigmaOff = nullptr;
    TLabel* lblMac = nullptr;
    TEdit* editMac = nullptr;
    TButton* BtnSend = nullptr;
    TButton* BtnHeSSID = nullptr;
    TButton* BtnAssoc = nullptr;
    TGroupBox* grpBoxGroup = nullptr;
    TRadioButton* rBtnGroup1 = nullptr;
    TRadioButton* rBtnGroup2 = nullptr;
    TGroupBox* grpBoxGroup1 = nullptr;
    TCheckBox* chBoxAnqpCapList = nullptr;
    TCheckBox* chBoxVenueNameInfo = nullptr;
    TCheckBox* chBoxRoamingConsList = nullptr;
    TCheckBox* chBoxNaiRealmList = nullptr;
    TCheckBox* chBox3gppNetworkInfo = nullptr;
    TCheckBox* chBoxDomainNameList = nullptr;
    TCheckBox* chBoxHsCapList = nullptr;
    TCheckBox* chBoxOpFriName = nullptr;
    TCheckBox* chBoxWanMetrics = nullptr;
    TCheckBox* chBoxNaiHomeRealm = nullptr;
    TCheckBox* chBoxOpClass = nullptr;
    TGroupBox* grpBoxGroup2 = nullptr;
    TRadioButton* rBtnTdlsDiscovery = nullptr;
    TRadioButton* rBtnTdlsSetup = nullptr;
    TRadioButton* rBtnDlsReq = nullptr;
    TRadioButton* rBtnNeighAdv = nullptr;

    // The last request sent; kept between sends.
    HS20_SIGMA_REQUEST m_Request{};

    void EnableGroup(TGroupBox* group, bool on);
    void rBtnSigmaOnClick(TObject* Sender);
    void rBtnSigmaOffClick(TObject* Sender);
    void rBtnGroup1Click(TObject* Sender);
    void rBtnGroup2Click(TObject* Sender);
    void BtnSendClick(TObject* Sender);
    void BtnAssocClick(TObject* Sender);
    void BtnHeSSIDClick(TObject* Sender);

    // Exactly twelve hexadecimal digits (either case); ':' and '-' between them are skipped.
    static bool ParseMac(const std::string& text, BYTE (&mac)[6]);

private:
    struct AnqpBox {
        TCheckBox* box;
        unsigned long bit;
    };
    AnqpBox m_Anqp[kAnqpBoxes] = {};

    bool MacOfEdit(BYTE (&mac)[6]);
    void SendRequest(unsigned long request, const void* data, unsigned long length);
};
