#pragma once
// Certificate-centre page of the advanced window (tab id 2): installs WAPI user certificates
// with their AS certificate from ".cer" files, lists, orders and deletes them, shows the
// details of one, and opens the AS dialog for its extra AS certificates.
#include <string>
#include <vector>

#include "core/FormBase.h"
#include "profiles/ProfileFileDialog.h"
#include "resources/UiStr.h"
#include "resources/WvImage.h"
#include "ui/ComCtrls.h"
#include "ui/StdCtrls.h"
#include "wlapi/records.h"

// One list row: owned copies of a certificate's texts.
struct WAPI_CERT_ROW {
    std::string Serial;
    std::string Issuer;
    std::string Subject;
    std::string ValidFrom;
    std::string ValidTo;
};

// The row of a certificate entry; the serial in upper-case hexadecimal, texts bounded to
// their 256-byte fields.
WAPI_CERT_ROW WapiCertRow(const WAPI_CERT_ENTRY& entry);
// The list view's four columns, as both certificate lists show them.
void AddWapiCertColumns(TListView* list);
// One item per row: caption the serial, sub-items issuer, subject and end of validity.
void FillWapiCertList(TListView* list, std::vector<WAPI_CERT_ROW>& rows);
// Chooses a ".cer" file; false (and the log line) when the user cancels or the path does not
// fit its 256-byte buffer.
bool ChooseWapiCertFile(HWND owner, std::string& path);
// A path in the zero-filled 256-byte buffer the certificate library takes.
std::vector<char> WapiPathBuffer(const std::string& path);
// The message of an install result (extraAS: the AS dialog's install), null where the list is
// refreshed instead. 0 is a failure.
std::string CUISTR::*WapiInstallMessage(int code, bool extraAS);
// The store the profile editor keeps, null before it exists.
WAPI_CERT_STORE* WapiStore();

class TFrameAdvancedCertManagement : public TFrameBase {
public:
    explicit TFrameAdvancedCertManagement(TComponent* owner);

    TGroupBox* grpBoxCertInstall = nullptr;
    TLabel* lblSTACertText = nullptr;
    TLabel* lblASCertText = nullptr;
    TEdit* editSTACert = nullptr;
    TEdit* editASCert = nullptr;
    TWvImage* BtnSTACertBrowse = nullptr;
    TWvImage* BtnASCertBrowse = nullptr;
    TWvImage* BtnInstall = nullptr;
    TListView* lvCertManagementList = nullptr;
    TWvImage* BtnUp = nullptr;
    TWvImage* BtnDown = nullptr;
    TWvImage* BtnInstallAS = nullptr;
    TWvImage* BtnDelete = nullptr;
    TGroupBox* grpBoxCertDetail = nullptr;
    TLabel* lblVersionText = nullptr;
    TLabel* lblTypeText = nullptr;
    TLabel* lblValidFromText = nullptr;
    TLabel* lblValidToText = nullptr;
    TLabel* lblIssuerText = nullptr;
    TLabel* lblSubjectText = nullptr;
    TLabel* lblVersion = nullptr;
    TLabel* lblType = nullptr;
    TLabel* lblValidFrom = nullptr;
    TLabel* lblValidTo = nullptr;
    TLabel* lblIssuer = nullptr;
    TLabel* lblSubject = nullptr;
    TButton* BtnOK = nullptr;

    std::string m_strSTACertPath;
    std::string m_strASCertPath;
    int m_nSelectedIndex = -1;
    std::vector<WAPI_CERT_ROW> m_Rows;

    void OnEnterPage() override;
    bool OnLeavePage() override { return true; }
    void BtnSTACertBrowseClick(TObject* Sender);
    void BtnASCertBrowseClick(TObject* Sender);
    void BtnInstallClick(TObject* Sender);
    void BtnUpClick(TObject* Sender);
    void BtnDownClick(TObject* Sender);
    void BtnDeleteClick(TObject* Sender);
    void BtnInstallASClick(TObject* Sender);
    void lvCertManagementListSelectItem(TObject* Sender, TListItem* Item, bool Selected);

    void RefreshCertList();
    void FillCertList();

private:
    void ShowDetail();
    void UpdateButtons();
    void Move(int direction);
};
