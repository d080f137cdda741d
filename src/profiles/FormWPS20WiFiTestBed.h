#pragma once
// Certification window: switches the adapter between WPS 1.0 and 2.0 and shows the library's
// WPS 2.0 test-bed options. Opened modally from the WPS page.
#include "core/FormBase.h"
#include "resources/WvImage.h"
#include "ui/StdCtrls.h"

class TFormWPS20WiFiTestBed : public TFormBase {
public:
    explicit TFormWPS20WiFiTestBed(TComponent* owner);

    TWvImage* m_btnClose = nullptr;
    TButton* m_btnSwitchWPSVersion = nullptr;
    TGroupBox* m_grpTestBed = nullptr;
    TCheckBox* m_chkProtoExt = nullptr;       // bit 0
    TCheckBox* m_chkProbeReqTwoIE = nullptr;  // bit 1
    TCheckBox* m_chkDisableRSNIE = nullptr;   // bit 2
    TCheckBox* m_chkEnableWSCIE = nullptr;    // bit 3
    TCheckBox* m_chkEAPWSCFrag = nullptr;     // bit 4
    TButton* m_btnApply = nullptr;

    void FormCreate(TObject* Sender) override;
    void FormShow(TObject* Sender);
    void BtnSwitchWPSVersionClick(TObject* Sender);
    void BtnApplyClick(TObject* Sender);
    void m_btnCloseClick(TObject* Sender);

private:
    // The boxes of the options that exist only under WPS 2.0 (bits 0, 1 and 4).
    void EnableVersionTwoBoxes(bool enable);
    // Sets the version and reads it back; false (with the message shown) when either fails.
    bool SwitchTo(unsigned long version);
    // Shows the version on the WPS page and in the editor.
    static void ShowVersionInEditor(unsigned long version);
};

extern TFormWPS20WiFiTestBed* FormWPS20WiFiTestBed;
