#pragma once
// The stations asking the access point to join, for the external registrar to choose from.
// Created once at start; shown modally by the external registrar's PIN start.
#include <string>
#include <vector>

#include "core/FormBase.h"
#include "ui/ComCtrls.h"
#include "ui/ExtCtrls.h"
#include "ui/StdCtrls.h"
#include "wlapi/records.h"

class TFormSelEnrollee : public TFormBase {
public:
    explicit TFormSelEnrollee(TComponent* owner);
    ~TFormSelEnrollee() override;

    TListView* m_lvEnrolleeList = nullptr;  // each row's Data is its record in m_pEnrInfoTable
    TButton* BtnRefreshList = nullptr;
    TButton* BtnOK = nullptr;
    TTimer* TimerSelEnrollee = nullptr;
    std::vector<WSC_EXTREG_ENR_INFO> m_pEnrInfoTable;

    void FormCreate(TObject* Sender) override;
    void FormShow(TObject* Sender);
    void TimerSelEnrolleeTimer(TObject* Sender);
    void BtnRefreshListClick(TObject* Sender);
    void BtnOKClick(TObject* Sender);
    void RefreshEnrolleeList();
    // Ends the dialog from outside (the run it served is over): not a choice.
    void CloseDialog();

private:
    bool m_bRefreshing = false;
};

extern TFormSelEnrollee* FormSelEnrollee;

// More stations than this in one answer of the library are not believed.
constexpr unsigned long kMaxEnrollees = 256;
// The device password ID as the list shows it.
std::string EnrolleePasswordIdText(uint16_t id);
