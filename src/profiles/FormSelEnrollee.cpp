#include "profiles/FormSelEnrollee.h"

#include <cstdio>
#include <cstring>
#include <new>
#include <string>

#include "core/Log.h"
#include "core/WvwlLib.h"
#include "profiles/FormProfileEdit.h"
#include "ui/Forms.h"
#include "wlapi/result.h"

TFormSelEnrollee* FormSelEnrollee = nullptr;

namespace {

constexpr int kWidth = 540, kHeight = 300;

std::string MacText(const uint8_t* mac)
{
    char text[18];
    std::snprintf(text, sizeof text, "%02X-%02X-%02X-%02X-%02X-%02X", mac[0], mac[1], mac[2], mac[3], mac[4], mac[5]);
    return text;
}

std::string ModelText(const WSC_EXTREG_ENR_INFO& record)
{
    const std::string model(record.ModelName, strnlen(record.ModelName, sizeof record.ModelName));
    return model.empty() ? "Unknown" : model;
}

// Clears the busy mark however the refresh ends.
class BusyMark {
public:
    explicit BusyMark(bool& mark) : mark_(mark) { mark_ = true; }
    ~BusyMark() { mark_ = false; }
    BusyMark(const BusyMark&) = delete;
    BusyMark& operator=(const BusyMark&) = delete;

private:
    bool& mark_;
};

}  // namespace

std::string EnrolleePasswordIdText(uint16_t id)
{
    char text[16];
    switch (id) {
    case WSC_DEVICE_PASSWORD_ID_UNKNOWN: return "Unknown";
    case WSC_DEVICE_PASSWORD_ID_PIN: std::snprintf(text, sizeof text, "0x%04X(PIN)", id); return text;
    case WSC_DEVICE_PASSWORD_ID_PBC: std::snprintf(text, sizeof text, "0x%04X(PBC)", id); return text;
    default: return "Undefine";
    }
}

TFormSelEnrollee::TFormSelEnrollee(TComponent* owner) : TFormBase(owner)
{
    Name = "FormSelEnrollee";
    SetClientSize(kWidth, kHeight);
    SetPosition(poScreenCenter);
    lblCaptionText->SetBounds(16, 8, kWidth - 32, 17);
    m_lvEnrolleeList = new TListView(this);
    m_lvEnrolleeList->SetParent(this);
    m_lvEnrolleeList->SetBounds(12, 36, kWidth - 24, kHeight - 84);
    m_lvEnrolleeList->SetRowSelect(true);
    m_lvEnrolleeList->AddColumn("MAC address", 150);
    m_lvEnrolleeList->AddColumn("Device Password ID", 150);
    m_lvEnrolleeList->AddColumn("Model Name", 200);
    BtnRefreshList = new TButton({this, kWidth - 212, kHeight - 38, 100, 25, "Refresh list"});
    BtnOK = new TButton({this, kWidth - 104, kHeight - 38, 90, 25, "OK"});
    BtnOK->Default = true;
    TimerSelEnrollee = new TTimer(this);
    TimerSelEnrollee->SetEnabled(false);
    TimerSelEnrollee->SetInterval(5000);

    OnShow = [this](TObject* s) { FormShow(s); };
    OnHide = [this](TObject*) { TimerSelEnrollee->SetEnabled(false); };
    TimerSelEnrollee->OnTimer = [this](TObject* s) { TimerSelEnrolleeTimer(s); };
    BtnRefreshList->OnClick = [this](TObject* s) { BtnRefreshListClick(s); };
    BtnOK->OnClick = [this](TObject* s) { BtnOKClick(s); };
}

TFormSelEnrollee::~TFormSelEnrollee()
{
    if (TimerSelEnrollee)
        TimerSelEnrollee->SetEnabled(false);
    // The rows point into the table.
    if (m_lvEnrolleeList)
        m_lvEnrolleeList->ClearItems();
}

void TFormSelEnrollee::FormCreate(TObject* Sender)
{
    SetCaption("Enrollee List");
    lblCaptionText->SetCaption("Enrollee List");
    TFormBase::FormCreate(Sender);
}

void TFormSelEnrollee::FormShow(TObject*)
{
    RefreshEnrolleeList();
    TimerSelEnrollee->SetEnabled(true);
}

void TFormSelEnrollee::TimerSelEnrolleeTimer(TObject*)
{
    RefreshEnrolleeList();
}

void TFormSelEnrollee::BtnRefreshListClick(TObject*)
{
    RefreshEnrolleeList();
}

void TFormSelEnrollee::RefreshEnrolleeList()
{
    if (m_bRefreshing)
        return;
    BusyMark busy(m_bRefreshing);
    // The rows point into the table: they go before it does.
    m_lvEnrolleeList->ClearItems();
    m_pEnrInfoTable.clear();
    unsigned long count = 0;
    if (VOZEZIV.WVWL_GetEnrolleeInfo && VOZEZIV.WVWL_GetEnrolleeInfo(nullptr, 0, &count) == WVWL_ERROR_BUFFER_TOO_SMALL) {
        if (count > kMaxEnrollees) {
            PrintMessage(2, " Enrollee count %lu is more than %lu\n", count, kMaxEnrollees);
            count = kMaxEnrollees;
        }
        try {
            m_pEnrInfoTable.assign(count, WSC_EXTREG_ENR_INFO{});
        } catch (const std::bad_alloc&) {
            PrintMessage(2, " Allocate WSC_EXTREG_ENR_INFO table failed!\n");
            return;
        }
        unsigned long filled = count;
        if (count == 0 || VOZEZIV.WVWL_GetEnrolleeInfo(m_pEnrInfoTable.data(), count, &filled) != WVWL_ERROR_SUCCESS)
            m_pEnrInfoTable.clear();
        else if (filled < m_pEnrInfoTable.size())
            m_pEnrInfoTable.resize(filled);
    }
    if (m_pEnrInfoTable.empty()) {
        PrintMessage(6, " m_pEnrInfoTable is NULL, return!\n");
        return;
    }
    for (WSC_EXTREG_ENR_INFO& record : m_pEnrInfoTable) {
        TListItem* row = m_lvEnrolleeList->AddItem();
        row->SetCaption(MacText(record.EnrolleeMac));
        row->AddSubItem(EnrolleePasswordIdText(record.DevicePasswordId));
        row->AddSubItem(ModelText(record));
        row->Data = &record;
    }
}

void TFormSelEnrollee::BtnOKClick(TObject*)
{
    TFormProfileEdit* editor = FormProfileEdit;
    const TListItem* row = m_lvEnrolleeList->Selected();
    if (row && row->Data && editor) {
        std::memcpy(editor->m_EnrolleeMac, static_cast<const WSC_EXTREG_ENR_INFO*>(row->Data)->EnrolleeMac, 6);
        editor->m_bEnrolleeSelected = TRUE;
    } else if (Application->MessageBox(
                   "No available or selected enrollee, do you want to exit this dialog? Press \"Yes\" to exit.",
                   "Warning!", MB_YESNO) != IDYES) {
        return;
    }
    TimerSelEnrollee->SetEnabled(false);
    if (Modal())
        SetModalResult(mrOk);
    else
        Hide();
}

void TFormSelEnrollee::CloseDialog()
{
    if (Modal())
        SetModalResult(mrCancel);
    else if (Visible())
        Hide();
}
