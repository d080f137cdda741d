#include "profiles/FormWPS20WiFiTestBed.h"

#include "dialogs/FormMessageBox.h"
#include "core/Log.h"
#include "core/WvwlLib.h"
#include "profiles/FormProfileEdit.h"
#include "resources/FormResource.h"

TFormWPS20WiFiTestBed* FormWPS20WiFiTestBed = nullptr;

namespace {

constexpr unsigned long kVersion1 = 0x10;
constexpr unsigned long kVersion2 = 0x20;
constexpr unsigned long kVersion1TestBed = 0x57;
const char* const kSwitchFailed = "Switch WPS version failed!";

TCheckBox* MakeBox(TWinControl* parent, int top, const char* caption)
{
    auto* box = new TCheckBox(parent);
    box->SetBounds(16, top, 260, 18);
    box->SetCaption(caption);
    return box;
}

TButton* MakeButton(TWinControl* parent, int left, int top, int width, const char* caption)
{
    auto* button = new TButton(parent);
    button->SetBounds(left, top, width, 25);
    button->SetCaption(caption);
    return button;
}

// The adapter's WPS version; false when the library does not tell.
bool QueryVersion(unsigned long& version)
{
    version = kVersion1;
    return VOZEZIV.WVWL_QueryWPSVersion && VOZEZIV.WVWL_QueryWPSVersion(&version) != 0;
}

}  // namespace

TFormWPS20WiFiTestBed::TFormWPS20WiFiTestBed(TComponent* owner) : TFormBase(owner)
{
    Name = "FormWPS20WiFiTestBed";
    SetClientSize(320, 300);
    TFormResource* res = FormResource;
    m_btnClose = MakePushButton(this, 293, 16, 15, 15, res ? res->ImgBtnAdvancedFormClose_Normal : nullptr,
                                res ? res->ImgBtnAdvancedFormClose_Down : nullptr, nullptr);
    m_btnClose->OnClick = [this](TObject* s) { m_btnCloseClick(s); };
    m_btnSwitchWPSVersion = MakeButton(this, 20, 44, 280, "Switch to WPS version 2.0");
    m_btnSwitchWPSVersion->OnClick = [this](TObject* s) { BtnSwitchWPSVersionClick(s); };
    m_grpTestBed = new TGroupBox(this);
    m_grpTestBed->SetBounds(12, 80, 296, 200);
    m_grpTestBed->SetCaption("TestBed Advanced Options");
    m_chkProtoExt = MakeBox(m_grpTestBed, 24, "Protocol extensibility");
    m_chkProbeReqTwoIE = MakeBox(m_grpTestBed, 48, "Probe request with two WSC IEs");
    m_chkDisableRSNIE = MakeBox(m_grpTestBed, 72, "Disable RSN IE");
    m_chkEnableWSCIE = MakeBox(m_grpTestBed, 96, "Enable WSC IE");
    m_chkEAPWSCFrag = MakeBox(m_grpTestBed, 120, "EAP-WSC fragmentation");
    m_btnApply = MakeButton(m_grpTestBed, 196, 160, 84, "Apply");
    m_btnApply->OnClick = [this](TObject* s) { BtnApplyClick(s); };
    OnShow = [this](TObject* s) { FormShow(s); };
}

void TFormWPS20WiFiTestBed::FormCreate(TObject* Sender)
{
    PrintMessage(6, " --> TFormWPS20WiFiTestBed::FormCreate()\n");
    if (FormResource && FormResource->ImgAdvancedFormBG)
        ImgBackground->SetPicture(FormResource->ImgAdvancedFormBG->Picture());
    TFormBase::FormCreate(Sender);
    SetCaption("WPS 2.0 Wi-Fi Test");
    lblCaptionText->SetCaption("WPS 2.0 Wi-Fi Test");
    PrintMessage(6, " <-- TFormWPS20WiFiTestBed::FormCreate()\n");
}

void TFormWPS20WiFiTestBed::FormShow(TObject*)
{
    unsigned long version = kVersion1;
    if (!QueryVersion(version))
        PrintMessage(2, " WVWL_QueryWPSVersion() return failed!\n");
    m_btnSwitchWPSVersion->SetCaption(version == kVersion2 ? "Switch to WPS version 1.0" : "Switch to WPS version 2.0");
    unsigned long bits = 0;
    if (VOZEZIV.WVWL_QueryWPS20TestBed)
        VOZEZIV.WVWL_QueryWPS20TestBed(&bits);
    TCheckBox* boxes[] = {m_chkProtoExt, m_chkProbeReqTwoIE, m_chkDisableRSNIE, m_chkEnableWSCIE, m_chkEAPWSCFrag};
    for (int bit = 0; bit < 5; ++bit)
        boxes[bit]->SetChecked((bits >> bit) & 1);
    EnableVersionTwoBoxes(version != kVersion1);
}

void TFormWPS20WiFiTestBed::EnableVersionTwoBoxes(bool enable)
{
    for (TCheckBox* box : {m_chkProtoExt, m_chkProbeReqTwoIE, m_chkEAPWSCFrag})
        box->SetEnabled(enable);
}

bool TFormWPS20WiFiTestBed::SwitchTo(unsigned long version)
{
    unsigned long now = kVersion1;
    if (!VOZEZIV.WVWL_SetWPSVersion || VOZEZIV.WVWL_SetWPSVersion(version) == 0 || !QueryVersion(now)) {
        ShowMessageBox(kSwitchFailed, 0);
        return false;
    }
    if (now != version) {
        PrintMessage(2, " Check set WPS version failed!\n");
        ShowMessageBox(kSwitchFailed, 0);
        return false;
    }
    return true;
}

void TFormWPS20WiFiTestBed::BtnSwitchWPSVersionClick(TObject*)
{
    unsigned long version = kVersion1;
    if (!QueryVersion(version)) {
        PrintMessage(2, " WVWL_QueryWPSVersion() return failed!\n");
        ShowMessageBox(kSwitchFailed, 0);
        return;
    }
    if (version == kVersion1 || version == kVersion1TestBed) {
        if (!SwitchTo(kVersion2))
            return;
        // The options of 2.0 come free only once the adapter runs it.
        EnableVersionTwoBoxes(true);
        m_btnSwitchWPSVersion->SetCaption("Switch to WPS version 1.0");
        ShowVersionInEditor(kVersion2);
        return;
    }
    if (version == kVersion2) {
        if (!SwitchTo(kVersion1))
            return;
        m_btnSwitchWPSVersion->SetCaption("Switch to WPS version 2.0");
        ShowVersionInEditor(kVersion1);
        for (TCheckBox* box : {m_chkProtoExt, m_chkProbeReqTwoIE, m_chkEAPWSCFrag})
            box->SetChecked(false);
        EnableVersionTwoBoxes(false);
        return;
    }
    ShowMessageBox("Query unknown WPS version!", 0);
    ShowVersionInEditor(version);
}

void TFormWPS20WiFiTestBed::BtnApplyClick(TObject*)
{
}

void TFormWPS20WiFiTestBed::m_btnCloseClick(TObject*)
{
    Close();
}

// The WPS page's label follows at once: "1.0", "2.0" or "Unknown"; the editor keeps only a
// version it knows.
void TFormWPS20WiFiTestBed::ShowVersionInEditor(unsigned long version)
{
    if (!FormProfileEdit)
        return;
    if (version == kVersion1 || version == kVersion2)
        FormProfileEdit->m_nWPSVersion = version;
    if (FormProfileEdit->FrameProfileEditWPS)
        FormProfileEdit->FrameProfileEditWPS->ShowVersion(version);
}
