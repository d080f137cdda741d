#pragma once
// The Wi-Fi Direct profile list: the profiles the adapter library stores, those whose peer is
// connected marked; delete, details in the wizard, and activation of a profile.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/FormBase.h"
#include "resources/WvImage.h"
#include "ui/ComCtrls.h"
#include "ui/StdCtrls.h"

// One row of the list.
struct WIFIDIRECT_PROFILE_LIST_EX {
    int nStatus = -1;  // -1 no mark, 0 connected
    std::string strProfileName;
    std::string strDeviceName;
    std::string strSSID;
    uint8_t MacAddr[6] = {};
};

class TFormWiFiDirectProfile : public TFormBase {
public:
    explicit TFormWiFiDirectProfile(TComponent* owner);
    ~TFormWiFiDirectProfile() override;

    // Controls.
    TWvImage* BtnProfileAdd = nullptr;
    TWvImage* BtnProfileDelete = nullptr;
    TWvImage* BtnProfileDetail = nullptr;
    TWvImage* BtnProfileActivate = nullptr;
    TWvImage* SysBtnClose = nullptr;
    TGroupBox* grpProfileInfo = nullptr;
    TLabel* lblProfileNameText = nullptr;
    TLabel* lblProfileName = nullptr;
    TLabel* lblSSIDText = nullptr;
    TLabel* lblSSID = nullptr;
    TLabel* lblAuthenticationText = nullptr;
    TLabel* lblAuthentication = nullptr;
    TLabel* lblEncryptionText = nullptr;
    TLabel* lblEncryption = nullptr;
    TListView* lvProfileList = nullptr;
    TImageList* ImageProfileList = nullptr;

    std::string m_strActiveSSID;             // SSID of the profile being activated
    std::string m_strStandardUserProfileName;  // kept for a user without profile rights
    std::vector<std::unique_ptr<WIFIDIRECT_PROFILE_LIST_EX>> m_Rows;
    WIFIDIRECT_PROFILE_LIST_EX* m_pSelectedRow = nullptr;
    int m_nSelectedIndex = -1;
    std::string m_strActiveProfileName;
    int m_bActiveProfile = 1;

    void FormCreate(TObject* Sender) override;
    void FormShow(TObject* Sender);
    void SysBtnCloseClick(TObject* Sender);
    void BtnProfileDeleteClick(TObject* Sender);
    void BtnProfileDetailClick(TObject* Sender);
    void BtnProfileActivateClick(TObject* Sender);
    void lvProfileListSelectItem(TObject* Sender, TListItem* Item, bool Selected);

    // Reads the stored Wi-Fi Direct profiles again and refreshes the list.
    void UpdateProfileList();
    // Connects to the peer of the row's profile with its settings.
    void ActiveProfile(int row);

private:
    void EnableButtons(bool any);
    void MarkConnectedRows();
    void FitColumns();
    static constexpr int kSsidColumnWidth = 52;
    // The row the buttons act on: the selection, or the only row.
    int ActionRow() const;
};

extern TFormWiFiDirectProfile* FormWiFiDirectProfile;
