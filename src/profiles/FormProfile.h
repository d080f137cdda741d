#pragma once
// The profile list: the stored profiles with the active one marked, the details of the
// selected one, and add, edit, delete, activate, import and export.
#include <windows.h>
#include <memory>
#include <string>
#include <vector>

#include "core/FormBase.h"
#include "resources/WvImage.h"
#include "ui/ComCtrls.h"
#include "ui/ExtCtrls.h"
#include "ui/StdCtrls.h"
#include "wlapi/records.h"

// One row of the list.
struct PROFILE_LIST_EX {
    int nStatus = -1;       // 1 active, -1 other, 0 active and seen connected
    std::string strName;
    std::string strID;
    std::string strSSID;
    DWORD bSecured = 0;
    DWORD nNetworkType = 0;
};

class TFormProfile : public TFormBase {
public:
    explicit TFormProfile(TComponent* owner);
    ~TFormProfile() override;

    // Controls.
    TListView* lvProfileList = nullptr;
    TImageList* ImageProfileList = nullptr;
    TWvImage* BtnProfileAdd = nullptr;
    TWvImage* BtnProfileDelete = nullptr;
    TWvImage* BtnProfileEdit = nullptr;
    TWvImage* BtnProfileImport = nullptr;
    TWvImage* BtnProfileExport = nullptr;
    TWvImage* BtnProfileActivate = nullptr;
    TWvImage* BtnProfileWPS = nullptr;
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
    TTimer* TimerProfile = nullptr;

    // Rows and state.
    std::vector<std::unique_ptr<PROFILE_LIST_EX>> m_ProfileRows;
    std::string m_strProfile;       // the active profile's name, empty when none
    BOOL m_bActiveProfile = TRUE;   // a stored profile is active
    BOOL m_bWPSFromProfile = FALSE;
    BOOL m_bSiteSurveyConnect = FALSE;
    BOOL m_bWPSInProgress = FALSE;
    std::unique_ptr<WLANPROFILE> m_pActionProfile;
    DWORD m_nActionType = 0;
    int m_nSelectedRow = -1;
    int m_nActivatedRow = -1;
    BOOL m_bDeleteConnected = FALSE;
    std::string m_strUserProfile;
    std::string m_strActiveSSID;

    // Texts by stored value.
    std::string m_strNetworkType[3];
    std::string m_strAuthentication[15];
    std::string m_strEncryption[12];

    void FormCreate(TObject* Sender) override;
    void FormShow(TObject* Sender);
    void SysBtnCloseClick(TObject* Sender);
    void TimerProfileTimer(TObject* Sender);
    void lvProfileListSelectItem(TObject* Sender, TListItem* Item, bool Selected);
    void BtnProfileAddClick(TObject* Sender);
    void BtnProfileEditClick(TObject* Sender);
    void BtnProfileDeleteClick(TObject* Sender);
    void BtnProfileActivateClick(TObject* Sender);
    void BtnProfileImportClick(TObject* Sender);
    void BtnProfileExportClick(TObject* Sender);

    // Rebuilds rows and list from the library.
    void RefreshProfileList();
    void FillProfileListView();
    // Index of the row named m_strProfile, -1 when none.
    int FindActiveRow() const;
    // Marks row (0 connected, 1 not connected); every other row loses its mark.
    void SetProfileIcon(int row, int notConnected);
    // Queues the active profile on the main window's action queue.
    void SetOidFromReg(int withAdvance);
    // Makes row's profile the library's current setting and queues it.
    void ActiveProfile(int row);
    void ApplySsoSettings();
    // ID text and default name of a new profile.
    std::string GetNextProfileID();
    std::string MakeDefaultProfileName();
    void BtnProfileWPSClick(TObject* Sender);

private:
    bool MayChangeProfiles() const;
    void SetProfileButtons(bool enabled);
    void ClearInformation();
    // The row a command acts on: the selection, else the only row; -1 when none.
    int CommandRow() const;
    void ShowEditor();
};

extern TFormProfile* FormProfile;
