#include "advanced/FrameAdvancedCertManagement.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "advanced/FormASManagement.h"
#include "advanced/FormAdvanced.h"
#include "dialogs/FormMessageBox.h"
#include "core/Log.h"
#include "core/WvwlLib.h"
#include "profiles/FormProfileEdit.h"
#include "resources/FormResource.h"
#include "wlapi/constants.h"

using skin::UiText;

namespace {

constexpr size_t kPathBuffer = 256;

std::string Bounded(const char (&field)[256])
{
    return std::string(field, strnlen(field, sizeof field));
}

TWvImage* MakeButton(TWinControl* parent, int left, int top, TImage* TFormResource::*normal,
                     TImage* TFormResource::*down, TImage* TFormResource::*disabled, std::string CUISTR::*hint)
{
    TFormResource* res = FormResource;
    TWvImage* button = MakePushButton(parent, left, top, 24, 26, res && normal ? res->*normal : nullptr,
                                      res && down ? res->*down : nullptr, res && disabled ? res->*disabled : nullptr);
    button->SetHint(UiText(hint));
    return button;
}

TWvImage* MakeBrowse(TWinControl* parent, int left, int top)
{
    TFormResource* res = FormResource;
    TWvImage* button = MakePushButton(parent, left, top, 24, 26, res ? res->ImgBtnBrowser_Normal : nullptr,
                                      res ? res->ImgBtnBrowser_Down : nullptr, nullptr);
    button->SetHint(UiText(&CUISTR::STR_BROWSE));
    return button;
}

TLabel* MakeText(TWinControl* parent, int left, int top, int width, std::string CUISTR::*text)
{
    return skin::MakeLabel(parent, left, top, width, text);
}

void ShowValue(TLabel* label, const std::string& text)
{
    label->SetCaption(text);
    label->SetHint(text);
}

} // namespace

WAPI_CERT_STORE* WapiStore()
{
    return FormProfileEdit ? FormProfileEdit->m_WapiCertStore.get() : nullptr;
}

WAPI_CERT_ROW WapiCertRow(const WAPI_CERT_ENTRY& entry)
{
    WAPI_CERT_ROW row;
    const size_t length = std::min<size_t>(entry.nSerialLen, sizeof entry.Serial);
    char two[3];
    for (size_t i = 0; i < length; ++i) {
        std::snprintf(two, sizeof two, "%02X", entry.Serial[i]);
        row.Serial += two;
    }
    row.Issuer = Bounded(entry.Issuer);
    row.Subject = Bounded(entry.Subject);
    row.ValidFrom = Bounded(entry.ValidFrom);
    row.ValidTo = Bounded(entry.ValidTo);
    return row;
}

void AddWapiCertColumns(TListView* list)
{
    list->AddColumn("Serial Number", 70);
    list->AddColumn("Issuer", 70);
    list->AddColumn("Subject", 78);
    list->AddColumn("Validity Period", 70);
    list->SetShowColumnHeaders(false);
    list->SetRowSelect(true);
    list->SetGridLines(true);
}

void FillWapiCertList(TListView* list, std::vector<WAPI_CERT_ROW>& rows)
{
    PrintMessage(6, " Cert num = %d\n", int(rows.size()));
    list->ClearItems();
    for (WAPI_CERT_ROW& row : rows) {
        TListItem* item = list->AddItem();
        item->SetCaption(row.Serial);
        item->AddSubItem(row.Issuer);
        item->AddSubItem(row.Subject);
        item->AddSubItem(row.ValidTo);
        item->Data = &row;
    }
}

bool ChooseWapiCertFile(HWND owner, std::string& path)
{
    TProfileFileDialog dialog(false);
    dialog.DefaultExt = "cer";
    dialog.Filter = "CER File (*.cer)|*.cer";
    dialog.FileName = "*.cer";
    if (!dialog.Execute(owner)) {
        PrintMessage(6, " GetOpenFileName() return FALSE, GetLastError() return %d\n", int(GetLastError()));
        return false;
    }
    if (dialog.FileName.size() >= kPathBuffer) {
        PrintMessage(6, " Certificate path of %d characters refused\n", int(dialog.FileName.size()));
        ShowMessageBox(UiText(&CUISTR::STR_ERROR_LOAD_CER), 0);
        return false;
    }
    path = dialog.FileName;
    return true;
}

std::vector<char> WapiPathBuffer(const std::string& path)
{
    std::vector<char> buffer(kPathBuffer, 0);
    path.copy(buffer.data(), kPathBuffer - 1);
    return buffer;
}

std::string CUISTR::*WapiInstallMessage(int code, bool extraAS)
{
    switch (code) {
    case WAPI_INSTALL_FAILED: return &CUISTR::STR_ERROR_SETUP_CER;
    case 1: return extraAS ? nullptr : &CUISTR::STR_MSG_INSTALL_CERT_STA_ERR;
    case 2: return &CUISTR::STR_MSG_INSTALL_CERT_AS_ERR;
    case 3: return extraAS ? &CUISTR::STR_MSG_INSTALL_CERT_AS_ISSUER_SUBJECT2 : nullptr;
    case 4: return extraAS ? nullptr : &CUISTR::STR_MSG_INSTALL_CERT_AS_ISSUER_SUBJECT;
    case 5: return &CUISTR::STR_MSG_INSTALL_CERT_STA_AS_NOT_MATCH;
    case 6: return &CUISTR::STR_MSG_INSTALL_CERT_EXIST;
    case 7: return &CUISTR::STR_MSG_INSTALL_CERT_MAX_SIZE;
    default: return nullptr;
    }
}

TFrameAdvancedCertManagement::TFrameAdvancedCertManagement(TComponent* owner) : TFrameBase(owner)
{
    Name = "FrameAdvancedCertManagement";
    grpBoxCertInstall = new TGroupBox({this, 8, 2, 384, 84, UiText(&CUISTR::STR_INSTALL_CERT)});
    lblSTACertText = MakeText(grpBoxCertInstall, 10, 24, 110, &CUISTR::STR_CA_STA_CERT);
    editSTACert = new TEdit({grpBoxCertInstall, 120, 20, 196, 21});
    BtnSTACertBrowse = MakeBrowse(grpBoxCertInstall, 320, 17);
    lblASCertText = MakeText(grpBoxCertInstall, 10, 54, 110, &CUISTR::STR_CA_AS_CERT);
    editASCert = new TEdit({grpBoxCertInstall, 120, 50, 196, 21});
    BtnASCertBrowse = MakeBrowse(grpBoxCertInstall, 320, 47);
    BtnInstall = MakeButton(grpBoxCertInstall, 350, 32, &TFormResource::ImgAdvancedCertManagerBtnInstallCert_Normal,
                            &TFormResource::ImgAdvancedCertManagerBtnInstallCert_Down,
                            &TFormResource::ImgAdvancedCertManagerBtnInstallCert_Disabled, &CUISTR::STR_INSTALL);

    lvCertManagementList = new TListView({this, 8, 92, 350, 122});
    AddWapiCertColumns(lvCertManagementList);
    BtnUp = MakeButton(this, 366, 92, &TFormResource::ImgAdvancedCertManagerBtnMoveUp_Normal,
                       &TFormResource::ImgAdvancedCertManagerBtnMoveUp_Down,
                       &TFormResource::ImgAdvancedCertManagerBtnMoveUp_Disabled, &CUISTR::STR_UP);
    BtnDown = MakeButton(this, 366, 124, &TFormResource::ImgAdvancedCertManagerBtnMoveDown_Normal,
                         &TFormResource::ImgAdvancedCertManagerBtnMoveDown_Down,
                         &TFormResource::ImgAdvancedCertManagerBtnMoveDown_Disabled, &CUISTR::STR_DOWN);
    BtnInstallAS = MakeButton(this, 366, 156, &TFormResource::ImgAdvancedCertManagerBtnInstallCert_Normal,
                              &TFormResource::ImgAdvancedCertManagerBtnInstallCert_Down,
                              &TFormResource::ImgAdvancedCertManagerBtnInstallCert_Disabled, &CUISTR::STR_INSTALL_AS);
    BtnDelete = MakeButton(this, 366, 188, &TFormResource::ImgAdvancedCertManagerBtnDelete_Normal,
                           &TFormResource::ImgAdvancedCertManagerBtnDelete_Down,
                           &TFormResource::ImgAdvancedCertManagerBtnDelete_Disabled, &CUISTR::STR_DELETE);

    grpBoxCertDetail = new TGroupBox({this, 8, 220, 384, 108, UiText(&CUISTR::STR_CERT_DETAIL)});
    lblVersionText = MakeText(grpBoxCertDetail, 10, 20, 70, &CUISTR::STR_VERSION);
    lblVersion = MakeText(grpBoxCertDetail, 84, 20, 100, nullptr);
    lblTypeText = MakeText(grpBoxCertDetail, 194, 20, 60, &CUISTR::STR_TYPE);
    lblType = MakeText(grpBoxCertDetail, 258, 20, 118, nullptr);
    lblValidFromText = MakeText(grpBoxCertDetail, 10, 40, 70, &CUISTR::STR_VALID_FROM);
    lblValidFrom = MakeText(grpBoxCertDetail, 84, 40, 106, nullptr);
    lblValidToText = MakeText(grpBoxCertDetail, 194, 40, 60, &CUISTR::STR_VALID_TO);
    lblValidTo = MakeText(grpBoxCertDetail, 258, 40, 118, nullptr);
    lblIssuerText = MakeText(grpBoxCertDetail, 10, 60, 70, &CUISTR::STR_ISSUER);
    lblIssuer = MakeText(grpBoxCertDetail, 84, 60, 292, nullptr);
    lblSubjectText = MakeText(grpBoxCertDetail, 10, 80, 70, &CUISTR::STR_SUBJECT);
    lblSubject = MakeText(grpBoxCertDetail, 84, 80, 292, nullptr);
    for (TLabel* value : {lblVersion, lblType, lblValidFrom, lblValidTo, lblIssuer, lblSubject})
        value->SetShowHint(true);

    BtnOK = new TButton({this, 0, 0, 0, 0, UiText(&CUISTR::STR_OK)});
    BtnOK->SetVisible(false);

    BtnSTACertBrowse->OnClick = [this](TObject* s) { BtnSTACertBrowseClick(s); };
    BtnASCertBrowse->OnClick = [this](TObject* s) { BtnASCertBrowseClick(s); };
    BtnInstall->OnClick = [this](TObject* s) { BtnInstallClick(s); };
    BtnUp->OnClick = [this](TObject* s) { BtnUpClick(s); };
    BtnDown->OnClick = [this](TObject* s) { BtnDownClick(s); };
    BtnInstallAS->OnClick = [this](TObject* s) { BtnInstallASClick(s); };
    BtnDelete->OnClick = [this](TObject* s) { BtnDeleteClick(s); };
    lvCertManagementList->OnSelectItem = [this](TObject* s, TListItem* item, bool selected) {
        lvCertManagementListSelectItem(s, item, selected);
    };
    UpdateButtons();
}

void TFrameAdvancedCertManagement::OnEnterPage()
{
    m_Rows.clear();
    RefreshCertList();
}

void TFrameAdvancedCertManagement::RefreshCertList()
{
    PrintMessage(6, " --> TFrameAdvancedCertManagement::RefreshCertList\n");
    if (FormProfileEdit)
        FormProfileEdit->m_nWapiCertSelIndex = m_nSelectedIndex;
    WAPI_CERT_STORE* store = WapiStore();
    if (VOZEZIV.ZeZuveZud_GetCert && store) {
        VOZEZIV.ZeZuveZud_GetCert(store);
        m_Rows.clear();
        for (int i = 0; i < WapiStoreCount(*store); ++i)
            m_Rows.push_back(WapiCertRow(store->Cert[i].UserCert));
        FillCertList();
    } else {
        PrintMessage(6, " GetCert : VOZEZIV.ZeZuveZud_GetCert is NULL\n");
    }
    if (m_nSelectedIndex >= lvCertManagementList->ItemCount())
        m_nSelectedIndex = -1;
    // Selecting runs the selection handler, which keeps the index as it is.
    const int selected = m_nSelectedIndex;
    lvCertManagementList->SetFocus();
    lvCertManagementList->SetItemIndex(selected);
    m_nSelectedIndex = selected;
    ShowDetail();
    UpdateButtons();
    PrintMessage(6, " <-- TFrameAdvancedCertManagement::RefreshCertList\n");
}

void TFrameAdvancedCertManagement::FillCertList()
{
    FillWapiCertList(lvCertManagementList, m_Rows);
}

void TFrameAdvancedCertManagement::lvCertManagementListSelectItem(TObject*, TListItem* Item, bool Selected)
{
    if (Selected && Item && Item->Data) {
        m_nSelectedIndex = lvCertManagementList->IndexOf(Item);
        if (m_Rows.empty())
            return;
    } else if (!Selected) {
        m_nSelectedIndex = -1;
    }
    ShowDetail();
    UpdateButtons();
}

void TFrameAdvancedCertManagement::ShowDetail()
{
    WAPI_CERT_STORE* store = WapiStore();
    if (m_nSelectedIndex < 0 || !store) {
        for (TLabel* value : {lblVersion, lblType, lblValidFrom, lblValidTo, lblIssuer, lblSubject})
            ShowValue(value, "");
        return;
    }
    if (!VOZEZIV.ZeZuveZud_GetCert)
        return;
    VOZEZIV.ZeZuveZud_GetCert(store);
    if (m_nSelectedIndex >= WapiStoreCount(*store))
        return;
    const WAPI_CERT_ENTRY& cert = store->Cert[m_nSelectedIndex].UserCert;
    char version[16];
    std::snprintf(version, sizeof version, "V%d", int(cert.nVersion));
    ShowValue(lblVersion, version);
    ShowValue(lblType, cert.nType == WAPI_CERT_TYPE_X509 ? "X509" : "GBW");
    ShowValue(lblValidFrom, Bounded(cert.ValidFrom));
    ShowValue(lblValidTo, Bounded(cert.ValidTo));
    ShowValue(lblIssuer, Bounded(cert.Issuer));
    ShowValue(lblSubject, Bounded(cert.Subject));
}

void TFrameAdvancedCertManagement::UpdateButtons()
{
    const bool selected = m_nSelectedIndex != -1;
    const int count = lvCertManagementList->ItemCount();
    BtnDelete->SetEnabled(selected);
    BtnInstallAS->SetEnabled(selected);
    BtnUp->SetEnabled(selected && count >= 2 && m_nSelectedIndex != 0);
    BtnDown->SetEnabled(selected && count >= 2 && m_nSelectedIndex != count - 1);
}

void TFrameAdvancedCertManagement::BtnSTACertBrowseClick(TObject*)
{
    if (ChooseWapiCertFile(Handle(), m_strSTACertPath))
        editSTACert->SetText(m_strSTACertPath);
}

void TFrameAdvancedCertManagement::BtnASCertBrowseClick(TObject*)
{
    if (ChooseWapiCertFile(Handle(), m_strASCertPath))
        editASCert->SetText(m_strASCertPath);
}

void TFrameAdvancedCertManagement::BtnInstallClick(TObject*)
{
    const std::vector<char> user = WapiPathBuffer(m_strSTACertPath);
    const std::vector<char> as = WapiPathBuffer(m_strASCertPath);
    if (!user[0]) {
        ShowMessageBox(UiText(&CUISTR::STR_SELECT_USER_CERT), 0);
        return;
    }
    if (!as[0]) {
        ShowMessageBox(UiText(&CUISTR::STR_SELECT_AS_CERT), 0);
        return;
    }
    PrintMessage(6, " User cert path = %s\n", user.data());
    PrintMessage(6, " AS cert path = %s\n", as.data());
    WAPI_CERT_STORE* store = WapiStore();
    if (!VOZEZIV.ZeZuveZud_WriteUserASCert || !store)
        return;
    const int result = VOZEZIV.ZeZuveZud_WriteUserASCert(store, user.data(), as.data());
    PrintMessage(6, " Install cert result = %d\n", result);
    if (std::string CUISTR::*message = WapiInstallMessage(result, false)) {
        ShowMessageBox(UiText(message), 0);
        return;
    }
    RefreshCertList();
}

void TFrameAdvancedCertManagement::Move(int direction)
{
    WAPI_CERT_STORE* store = WapiStore();
    if (!VOZEZIV.ZeZuveZud_MoveCert || !store || m_nSelectedIndex < 0)
        return;
    VOZEZIV.ZeZuveZud_MoveCert(store, m_nSelectedIndex, direction);
    m_nSelectedIndex += direction == 1 ? -1 : 1;
    RefreshCertList();
}

void TFrameAdvancedCertManagement::BtnUpClick(TObject*)
{
    Move(1);
}

void TFrameAdvancedCertManagement::BtnDownClick(TObject*)
{
    Move(0);
}

void TFrameAdvancedCertManagement::BtnDeleteClick(TObject*)
{
    WAPI_CERT_STORE* store = WapiStore();
    if (!VOZEZIV.ZeZuveZud_DeleteUserASCertByIndex || !store || m_nSelectedIndex < 0)
        return;
    VOZEZIV.ZeZuveZud_DeleteUserASCertByIndex(store, m_nSelectedIndex);
    m_nSelectedIndex = -1;
    RefreshCertList();
}

void TFrameAdvancedCertManagement::BtnInstallASClick(TObject*)
{
    if (FormProfileEdit)
        FormProfileEdit->m_nWapiCertSelIndex = m_nSelectedIndex;
    if (FormASManagement && !FormASManagement->Visible()) {
        FormASManagement->CenterOn(FormAdvanced);
        FormASManagement->ShowModal();
    }
    RefreshCertList();
}
