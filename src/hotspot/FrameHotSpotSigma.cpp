#include "hotspot/FrameHotSpotSigma.h"

#include <cctype>
#include <vector>
#include <cstring>

#include "core/Log.h"
#include "core/WvwlLib.h"
#include "hotspot/HotSpotControls.h"

namespace {

// Room for twelve digits with five separators; the digits are checked on use.
constexpr int kMacTextLength = 17;

template <class T>
T* Make(TWinControl* parent, int left, int top, int width, int height, const char* caption)
{
    auto* control = new T(parent);
    control->SetParent(parent);
    control->SetBounds(left, top, width, height);
    control->SetCaption(caption);
    return control;
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    c = char(std::tolower(static_cast<unsigned char>(c)));
    return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

} // namespace

TFrameHotSpotSigma::TFrameHotSpotSigma(TComponent* owner) : TFrameBase(owner)
{
    Name = "FrameHotSpotSigma";

    grpBoxSigma = Make<TGroupBox>(this, 0, 0, 376, 78, "Sigma");
    rBtnSigmaOn = Make<TRadioButton>(grpBoxSigma, 12, 20, 60, 17, "ON");
    rBtnSigmaOff = Make<TRadioButton>(grpBoxSigma, 80, 20, 60, 17, "OFF");
    lblMac = skin::MakeLabel(grpBoxSigma, 12, 50, 30);
    lblMac->SetCaption("MAC");
    editMac = new TEdit(grpBoxSigma);
    editMac->SetParent(grpBoxSigma);
    editMac->SetBounds(44, 46, 118, 21);
    editMac->SetMaxLength(kMacTextLength);
    BtnSend = Make<TButton>(grpBoxSigma, 168, 45, 60, 23, "Send");
    BtnHeSSID = Make<TButton>(grpBoxSigma, 234, 45, 62, 23, "HESSID");
    BtnAssoc = Make<TButton>(grpBoxSigma, 302, 45, 62, 23, "Assoc");

    grpBoxGroup = Make<TGroupBox>(this, 0, 82, 376, 44, "");
    rBtnGroup1 = Make<TRadioButton>(grpBoxGroup, 12, 18, 100, 17, "Group1");
    rBtnGroup2 = Make<TRadioButton>(grpBoxGroup, 188, 18, 100, 17, "Group2");

    grpBoxGroup1 = Make<TGroupBox>(this, 0, 130, 376, 122, "Group1");
    const struct {
        TCheckBox** box;
        const char* caption;
        unsigned long bit;
    } anqp[kAnqpBoxes] = {
        {&chBoxAnqpCapList, "ANQP_CAP_LIST", 0x1},         {&chBoxVenueNameInfo, "VENUE_NAME_INFO", 0x2},
        {&chBoxRoamingConsList, "ROAMING_CONS_LIST", 0x8}, {&chBoxNaiRealmList, "NAI_REALM_LIST", 0x20},
        {&chBox3gppNetworkInfo, "3GPP_NETWORK_INFO", 0x40}, {&chBoxDomainNameList, "DOMAIN_NAME_LIST", 0x80},
        {&chBoxHsCapList, "HS_CAP_LIST", 0x10000},         {&chBoxOpFriName, "OP_FRI_NAME", 0x20000},
        {&chBoxWanMetrics, "WAN_METRICS", 0x40000},        {&chBoxNaiHomeRealm, "NAI_HOME_REALM", 0x100000},
        {&chBoxOpClass, "OP_CLASS", 0x200000},
    };
    for (int i = 0; i < kAnqpBoxes; ++i) {
        const int column = i / 6, line = i % 6;
        *anqp[i].box = Make<TCheckBox>(grpBoxGroup1, 12 + 182 * column, 18 + 16 * line, 170, 16, anqp[i].caption);
        m_Anqp[i] = {*anqp[i].box, anqp[i].bit};
    }

    grpBoxGroup2 = Make<TGroupBox>(this, 0, 256, 376, 62, "Group2");
    rBtnTdlsDiscovery = Make<TRadioButton>(grpBoxGroup2, 12, 18, 170, 17, "TDLS_DISCOVERY");
    rBtnTdlsSetup = Make<TRadioButton>(grpBoxGroup2, 194, 18, 170, 17, "TDLS_SETUP");
    rBtnDlsReq = Make<TRadioButton>(grpBoxGroup2, 12, 38, 170, 17, "DLS_REQ");
    rBtnNeighAdv = Make<TRadioButton>(grpBoxGroup2, 194, 38, 170, 17, "NEIGH_ADV");

    // The starting choices, before the handlers: no request is sent for them.
    rBtnSigmaOff->SetChecked(true);
    rBtnGroup1->SetChecked(true);
    rBtnDlsReq->SetChecked(true);
    for (TGroupBox* group : {grpBoxGroup, grpBoxGroup1, grpBoxGroup2, grpBoxSigma})
        EnableGroup(group, false);

    rBtnSigmaOn->OnClick = [this](TObject* s) { rBtnSigmaOnClick(s); };
    rBtnSigmaOff->OnClick = [this](TObject* s) { rBtnSigmaOffClick(s); };
    rBtnGroup1->OnClick = [this](TObject* s) { rBtnGroup1Click(s); };
    rBtnGroup2->OnClick = [this](TObject* s) { rBtnGroup2Click(s); };
    BtnSend->OnClick = [this](TObject* s) { BtnSendClick(s); };
    BtnAssoc->OnClick = [this](TObject* s) { BtnAssocClick(s); };
    BtnHeSSID->OnClick = [this](TObject* s) { BtnHeSSIDClick(s); };
}

void TFrameHotSpotSigma::EnableGroup(TGroupBox* group, bool on)
{
    std::vector<TControl*> members;
    if (group == grpBoxSigma) {
        members = {lblMac, editMac, BtnSend};
    } else {
        group->SetEnabled(on);
        if (group == grpBoxGroup)
            members = {rBtnGroup1, rBtnGroup2};
        else if (group == grpBoxGroup1)
            for (const AnqpBox& each : m_Anqp)
                members.push_back(each.box);
        else if (group == grpBoxGroup2)
            members = {rBtnTdlsDiscovery, rBtnTdlsSetup, rBtnDlsReq, rBtnNeighAdv};
    }
    for (TControl* member : members)
        member->SetEnabled(on);
}

void TFrameHotSpotSigma::SendRequest(unsigned long request, const void* data, unsigned long length)
{
    const bool sent = VOZEZIV.WVWL_OIDSetInfo && VOZEZIV.WVWL_OIDSetInfo(request, data, length) == 1;
    PrintMessage(6, sent ? " --> OID %x SET success" : " --> OID %x SET fail", unsigned(request));
}

void TFrameHotSpotSigma::rBtnSigmaOnClick(TObject*)
{
    EnableGroup(grpBoxGroup, true);
    EnableGroup(grpBoxGroup1, rBtnGroup1->Checked());
    EnableGroup(grpBoxGroup2, !rBtnGroup1->Checked());
    EnableGroup(grpBoxSigma, true);
    VOZEZIV.chHS20SigmaOidValue = 1;
    SendRequest(kOidTestMode, &VOZEZIV.chHS20SigmaOidValue, 1);
}

void TFrameHotSpotSigma::rBtnSigmaOffClick(TObject*)
{
    for (TGroupBox* group : {grpBoxGroup, grpBoxGroup1, grpBoxGroup2, grpBoxSigma})
        EnableGroup(group, false);
    VOZEZIV.chHS20SigmaOidValue = 0;
    SendRequest(kOidTestMode, &VOZEZIV.chHS20SigmaOidValue, 1);
}

void TFrameHotSpotSigma::rBtnGroup1Click(TObject*)
{
    EnableGroup(grpBoxGroup1, true);
    EnableGroup(grpBoxGroup2, false);
}

void TFrameHotSpotSigma::rBtnGroup2Click(TObject*)
{
    EnableGroup(grpBoxGroup2, true);
    EnableGroup(grpBoxGroup1, false);
}

bool TFrameHotSpotSigma::ParseMac(const std::string& text, BYTE (&mac)[6])
{
    BYTE parsed[6] = {};
    int digits = 0;
    for (char c : text) {
        if (c == ':' || c == '-')
            continue;
        const int value = HexDigit(c);
        if (value < 0 || digits >= 12)
            return false;
        parsed[digits / 2] = BYTE(parsed[digits / 2] << 4 | value);
        ++digits;
    }
    if (digits != 12)
        return false;
    std::memcpy(mac, parsed, sizeof mac);
    return true;
}

bool TFrameHotSpotSigma::MacOfEdit(BYTE (&mac)[6])
{
    const std::string text = editMac->Text();
    if (ParseMac(text, mac))
        return true;
    PrintMessage(6, " --> HotSpotSigma: MAC \"%s\" is not 12 hexadecimal digits, nothing sent\n", text.c_str());
    return false;
}

void TFrameHotSpotSigma::BtnSendClick(TObject*)
{
    BYTE mac[6];
    if (!MacOfEdit(mac))
        return;
    if (rBtnGroup1->Enabled() && rBtnGroup1->Checked()) {
        m_Request = HS20_SIGMA_REQUEST{};
        for (const AnqpBox& each : m_Anqp)
            m_Request.Value |= each.box->Checked() ? each.bit : 0;
        m_Request.Group = 0;
    } else if (rBtnGroup2->Enabled() && rBtnGroup2->Checked()) {
        const TRadioButton* actions[] = {rBtnTdlsDiscovery, rBtnTdlsSetup, rBtnDlsReq, rBtnNeighAdv};
        for (uint32_t value = 0; value < 4; ++value)
            if (actions[value]->Checked())
                m_Request.Value = value;
        m_Request.Group = 1;
    }
    std::memcpy(m_Request.Mac, mac, sizeof mac);
    SendRequest(kOidRequest, &m_Request, sizeof m_Request);
}

void TFrameHotSpotSigma::BtnAssocClick(TObject*)
{
    SendRequest(kOidAssoc, nullptr, 0);
}

void TFrameHotSpotSigma::BtnHeSSIDClick(TObject*)
{
    BYTE hessid[6];
    if (MacOfEdit(hessid))
        SendRequest(kOidHeSSID, hessid, sizeof hessid);
}
