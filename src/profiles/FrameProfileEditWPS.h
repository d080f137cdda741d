#pragma once
// The WPS page: the method (push button or PIN), the access point, and the options.
#include "core/FormBase.h"
#include "ui/StdCtrls.h"

class TFrameProfileEditWPS : public TFrameBase {
public:
    explicit TFrameProfileEditWPS(TComponent* owner);

    TLabel* lblWPSVersionText = nullptr;
    TLabel* lblWPSVersion = nullptr;
    TLabel* lblWPSMethodText = nullptr;
    TRadioButton* rBtnPBC = nullptr;
    TRadioButton* rBtnPIN = nullptr;
    TLabel* lblWPSApListText = nullptr;
    TComboBox* cboxSSID = nullptr;
    TCheckBox* chBoxAuto = nullptr;
    TCheckBox* chBoxAssociateIE = nullptr;
    TCheckBox* chBoxProbeIE = nullptr;
    TCheckBox* chBoxExternalRegistrar = nullptr;
    TButton* m_btnWPS2WiFiTest = nullptr;

    void OnEnterPage() override;
    bool OnLeavePage() override;
    void cboxSSIDChange(TObject* Sender);
    void rBtnPBCClick(TObject* Sender);
    void rBtnPINClick(TObject* Sender);
    void chBoxAutoClick(TObject* Sender);
    void chBoxAssociateIEClick(TObject* Sender);
    void chBoxProbeIEClick(TObject* Sender);
    void OnClickExtReg(TObject* Sender);
    void BtnWPS2WiFiTestClick(TObject* Sender);
    // "1.0", "2.0" or "Unknown".
    void ShowVersion(unsigned long version);

private:
    void EnableApList(bool enable);
    // Enables the list and selects its first entry when none is.
    void OfferApList();
    // PIN follows the push-button choice, however wide its caption has become.
    void PlaceMethodChoices();
};
