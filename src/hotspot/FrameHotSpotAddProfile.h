#pragma once
// The add-profile page of the Hotspot 2.0 window: a network with enterprise (user name and
// password) or pre-shared-key security, added to the library or, in modify mode, replacing
// the entry of the table's chosen row.
#include <cstdint>

#include "core/FormBase.h"
#include "ui/StdCtrls.h"
#include "wlapi/records.h"

class TFormHotSpot;

class TFrameHotSpotAddProfile : public TFrameBase {
public:
    explicit TFrameHotSpotAddProfile(TComponent* owner);

    static constexpr int kEnterprise = 0, kPsk = 1;

    // Controls.
    TLabel* lblProfileType = nullptr;
    TComboBox* cBoxProfileType = nullptr;
    TLabel* lblProfName = nullptr;
    TEdit* editProfName = nullptr;
    TLabel* lblSSID = nullptr;
    TEdit* editSSID = nullptr;
    TLabel* lblKeyMgmtType = nullptr;
    TComboBox* cBoxKeyMgmtType = nullptr;
    TLabel* lblEncrypyType = nullptr;
    TComboBox* cBoxEncrypyType = nullptr;
    TLabel* lblUserName = nullptr;
    TEdit* editUserName = nullptr;
    TLabel* lblPassword = nullptr;
    TEdit* editPassword = nullptr;
    TLabel* lblPassPhrase = nullptr;
    TEdit* editPassPhrase = nullptr;
    TLabel* lblRootCa = nullptr;
    TEdit* editRootCa = nullptr;  // never shown
    TButton* BtnAddProfile = nullptr;
    TButton* BtnSubmitProfile = nullptr;
    TButton* BtnCancelModify = nullptr;

    void OnEnterPage() override {}
    bool OnLeavePage() override;
    void cBoxProfileTypeChange(TObject* Sender);
    void BtnAddProfileClick(TObject* Sender);
    void BtnSubmitProfileClick(TObject* Sender);
    void BtnCancelModifyClick(TObject* Sender);

    // Fills the page from a stored entry for modify mode.
    void ShowRecord(const HS20_PROFILE& record);
    // Shows Submit and Cancel (modify mode) or Add.
    void ShowModifyButtons(bool modify);

private:
    TFormHotSpot* Form() const;
    HS20_PROFILE BuildRecord(uint8_t prefer, uint8_t weight) const;
};
