#pragma once
// The extra AS certificates of the user certificate the certificate centre has selected:
// install from a ".cer" file, list and delete.
#include <string>
#include <vector>

#include "advanced/FrameAdvancedCertManagement.h"
#include "ui/ComCtrls.h"
#include "ui/Forms.h"
#include "ui/StdCtrls.h"

class TFormASManagement : public TForm {
public:
    explicit TFormASManagement(TComponent* owner);

    TGroupBox* grpBoxCertInstall = nullptr;
    TLabel* lblASCertText = nullptr;
    TEdit* editASCert = nullptr;
    TButton* BtnASCertBrowse = nullptr;
    TButton* BtnInstall = nullptr;
    TListView* lvASCertList = nullptr;
    TButton* BtnDelete = nullptr;
    TButton* BtnOK = nullptr;

    std::string m_strASCertPath;
    int m_nSelectedASIndex = -1;
    std::vector<WAPI_CERT_ROW> m_Rows;

    void FormShow(TObject* Sender);
    void FormDestroy(TObject* Sender) {}
    void BtnASCertBrowseClick(TObject* Sender);
    void BtnInstallClick(TObject* Sender);
    void BtnDeleteClick(TObject* Sender);
    void BtnOKClick(TObject* Sender);
    void lvASCertListSelectItem(TObject* Sender, TListItem* Item, bool Selected);

    void RefreshASCertList();
    void FillCertList();
    // Places the dialog over the middle of owner (when there is one).
    void CenterOn(const TForm* owner);
};

extern TFormASManagement* FormASManagement;
