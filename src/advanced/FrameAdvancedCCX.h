#pragma once
// CCX page of the advanced window (tab id 3): the CCX part of the CCX word with Apply,
// admission-control commands, and the diagnostic connection of a chosen profile.
#include <cstdint>
#include <string>
#include <vector>

#include "core/FormBase.h"
#include "ui/StdCtrls.h"

// One stored profile as the diagnostic group shows it.
struct CCX_DIAG_ROW {
    std::string name, ssid, capability;
};

class TFrameAdvancedCCX : public TFrameBase {
public:
    explicit TFrameAdvancedCCX(TComponent* owner);

    TCheckBox* chBoxEnableCCX = nullptr;
    TCheckBox* chBoxEnableRadioMeasurement = nullptr;
    TCheckBox* chBoxNonServingChannelMeasurement = nullptr;
    TEdit* editMeasureTime = nullptr;
    TLabel* lblMeasureTimeTxt = nullptr;
    TCheckBox* chBoxRFRoaming = nullptr;
    TCheckBox* chBoxVoiceDrasticRoaming = nullptr;
    TButton* BtnApply = nullptr;
    TLabel* lblCACTxt = nullptr;
    TComboBox* cBoxCAC = nullptr;
    TButton* BtnSet = nullptr;
    TGroupBox* grpBoxDiagnostic = nullptr;
    TLabel* lblSelectProfileText = nullptr;
    TComboBox* cBoxProfile = nullptr;
    TButton* BtnDiagnostic = nullptr;
    TButton* BtnCancel = nullptr;
    TLabel* lblProfileInformationText = nullptr;
    TLabel* lblProfileNameText = nullptr;
    TLabel* lblProfileName = nullptr;
    TLabel* lblSSIDText = nullptr;
    TLabel* lblSSID = nullptr;
    TLabel* lblDiagnosticCapabilityText = nullptr;
    TLabel* lblDiagnosticCapability = nullptr;
    TLabel* lblEventLog = nullptr;

    int m_bDiagRunning = 0;
    std::vector<CCX_DIAG_ROW> m_DiagRows;

    void OnEnterPage() override;
    void LoadCCXControl();
    void LoadDiagnosticProfiles();
    void UpdateControls();
    // The CCX word with this page's bits; false when the current word could not be read.
    bool BuildCCXWord(uint32_t& word) const;
    void WriteCCXRegistry(uint32_t word);
    void ApplyToActiveProfile(uint32_t word);

    void chBoxEnableCCXClick(TObject* Sender);
    void chBoxEnableRadioMeasurementClick(TObject* Sender);
    void chBoxNonServingChannelMeasurementClick(TObject* Sender);
    void BtnApplyClick(TObject* Sender);
    void BtnSetClick(TObject* Sender);
    void BtnDiagnosticClick(TObject* Sender);
    void BtnCancelClick(TObject* Sender);
    void cBoxProfileChange(TObject* Sender);

private:
    void ShowRow(const std::string& name, const std::string& ssid, const std::string& capability);
};
