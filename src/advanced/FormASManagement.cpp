#include "advanced/FormASManagement.h"

#include <algorithm>

#include "dialogs/FormMessageBox.h"
#include "core/Log.h"
#include "core/WvwlLib.h"
#include "profiles/FormProfileEdit.h"
#include "resources/FormResource.h"
#include "resources/WvImage.h"

using skin::UiText;

TFormASManagement* FormASManagement = nullptr;

namespace {

int SelectedUserIndex()
{
    return FormProfileEdit ? FormProfileEdit->m_nWapiCertSelIndex : -1;
}

} // namespace

TFormASManagement::TFormASManagement(TComponent* owner) : TForm(owner)
{
    Name = "FormASManagement";
    SetBorderStyle(bsDialog);
    SetCaption("AS Management");
    SetClientSize(384, 262);

    grpBoxCertInstall = new TGroupBox({this, 8, 4, 368, 56, UiText(&CUISTR::STR_INSTALL_CERT)});
    lblASCertText = new TLabel({grpBoxCertInstall, 10, 26, 100, 16, UiText(&CUISTR::STR_CA_AS_CERT)});
    editASCert = new TEdit({grpBoxCertInstall, 112, 22, 116, 21});
    BtnASCertBrowse = new TButton({grpBoxCertInstall, 232, 20, 62, 25, UiText(&CUISTR::STR_BROWSE)});
    BtnInstall = new TButton({grpBoxCertInstall, 298, 20, 62, 25, UiText(&CUISTR::STR_INSTALL)});

    lvASCertList = new TListView({this, 8, 68, 368, 150});
    AddWapiCertColumns(lvASCertList);

    BtnDelete = new TButton({this, 220, 228, 75, 25, UiText(&CUISTR::STR_DELETE)});
    BtnOK = new TButton({this, 301, 228, 75, 25, UiText(&CUISTR::STR_OK)});
    BtnOK->Default = true;

    BtnASCertBrowse->OnClick = [this](TObject* s) { BtnASCertBrowseClick(s); };
    BtnInstall->OnClick = [this](TObject* s) { BtnInstallClick(s); };
    BtnDelete->OnClick = [this](TObject* s) { BtnDeleteClick(s); };
    BtnOK->OnClick = [this](TObject* s) { BtnOKClick(s); };
    lvASCertList->OnSelectItem = [this](TObject* s, TListItem* item, bool selected) {
        lvASCertListSelectItem(s, item, selected);
    };
    OnShow = [this](TObject* s) { FormShow(s); };
    BtnDelete->SetEnabled(false);
}

void TFormASManagement::CenterOn(const TForm* owner)
{
    if (!owner)
        return;
    SetLeft(owner->Left() + (owner->Width() - Width()) / 2);
    SetTop(owner->Top() + (owner->Height() - Height()) / 2);
}

void TFormASManagement::FormShow(TObject*)
{
    // A selection belongs to the user certificate it was made for.
    m_nSelectedASIndex = -1;
    m_Rows.clear();
    RefreshASCertList();
}

void TFormASManagement::RefreshASCertList()
{
    PrintMessage(6, " --> TFormASManagement::RefreshASCertList\n");
    const int user = SelectedUserIndex();
    if (user < 0)
        return;
    WAPI_CERT_STORE* store = WapiStore();
    const int asCount = store && user < WapiStoreCount(*store)
                            ? int(std::min<uint32_t>(store->Cert[user].nExtraASCount, WAPI_MAX_EXTRA_AS_CERT))
                            : 0;
    PrintMessage(6, " Cert setting selected index = %d, AS Cert num = %d\n", user, asCount);
    if (VOZEZIV.ZeZuveZud_GetCert && store) {
        VOZEZIV.ZeZuveZud_GetCert(store);
        if (user >= WapiStoreCount(*store))
            return;
        const WAPI_CERT_INFO& info = store->Cert[user];
        m_Rows.clear();
        const int count = int(std::min<uint32_t>(info.nExtraASCount, WAPI_MAX_EXTRA_AS_CERT));
        for (int i = 0; i < count; ++i)
            m_Rows.push_back(WapiCertRow(info.ExtraAS[i]));
        FillCertList();
    }
    if (m_nSelectedASIndex >= lvASCertList->ItemCount())
        m_nSelectedASIndex = -1;
    const int selected = m_nSelectedASIndex;
    lvASCertList->SetFocus();
    lvASCertList->SetItemIndex(selected);
    m_nSelectedASIndex = selected;
    BtnDelete->SetEnabled(m_nSelectedASIndex != -1);
}

void TFormASManagement::FillCertList()
{
    FillWapiCertList(lvASCertList, m_Rows);
}

void TFormASManagement::lvASCertListSelectItem(TObject*, TListItem* Item, bool Selected)
{
    if (Selected && Item && Item->Data) {
        m_nSelectedASIndex = lvASCertList->IndexOf(Item);
        if (m_Rows.empty())
            return;
    } else if (!Selected) {
        m_nSelectedASIndex = -1;
    }
    BtnDelete->SetEnabled(m_nSelectedASIndex != -1);
}

void TFormASManagement::BtnASCertBrowseClick(TObject*)
{
    if (ChooseWapiCertFile(Handle(), m_strASCertPath))
        editASCert->SetText(m_strASCertPath);
}

void TFormASManagement::BtnInstallClick(TObject*)
{
    const std::vector<char> as = WapiPathBuffer(m_strASCertPath);
    if (!as[0]) {
        ShowMessageBox(UiText(&CUISTR::STR_SELECT_AS_CERT), 0);
        return;
    }
    PrintMessage(6, " AS cert path = %s\n", as.data());
    WAPI_CERT_STORE* store = WapiStore();
    if (!VOZEZIV.ZeZuveZud_WriteExtraASCertByIndex || !store)
        return;
    const int result = VOZEZIV.ZeZuveZud_WriteExtraASCertByIndex(store, as.data(), SelectedUserIndex());
    PrintMessage(6, "Install cert result = %d\n", result);
    if (std::string CUISTR::*message = WapiInstallMessage(result, true)) {
        ShowMessageBox(UiText(message), 0);
        return;
    }
    RefreshASCertList();
}

void TFormASManagement::BtnDeleteClick(TObject*)
{
    WAPI_CERT_STORE* store = WapiStore();
    if (!VOZEZIV.ZeZuveZud_DeleteExtraASCertByIndex || !store || m_nSelectedASIndex < 0)
        return;
    VOZEZIV.ZeZuveZud_DeleteExtraASCertByIndex(store, SelectedUserIndex(), m_nSelectedASIndex);
    m_nSelectedASIndex = -1;
    RefreshASCertList();
}

void TFormASManagement::BtnOKClick(TObject*)
{
    Close();
}
