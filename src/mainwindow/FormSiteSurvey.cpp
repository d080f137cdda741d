#include "mainwindow/FormSiteSurvey.h"

#include "core/Log.h"
#include "core/WvwlLib.h"

TFormSiteSurvey* FormSiteSurvey = nullptr;
volatile LONG m_bSurveyComplete = 0;

TFormSiteSurvey::TFormSiteSurvey(TComponent* owner) : TForm(owner)
{
    Name = "FormSiteSurvey";
    SetBorderStyle(bsNone);
    SetClientSize(400, 330);
    TimerSiteSurvey = new TTimer(this);
    TimerSiteSurvey->SetInterval(2000);
    TimerReScanOn = new TTimer(this);
    TimerReScanOn->SetInterval(3000);
    TimerReScanOn->OnTimer = [this](TObject*) {
        TimerReScanOn->SetEnabled(false);
        BtnSiteSurveyRescanClick(this);
    };
}

void TFormSiteSurvey::SysBtnCloseClick(TObject*)
{
    Hide();
}

void TFormSiteSurvey::BtnSiteSurveyRescanClick(TObject*)
{
    PrintMessage(6, " --> TFormSiteSurvey::BtnSiteSurveyRescanClick\n");
    ++m_nRescans;
    m_bRescan = TRUE;
    m_bSurveyComplete = 0;
    VOZEZIV.WVWL_SiteSurveyScan(FuncScanFinished);
    PrintMessage(6, " <-- TFormSiteSurvey::BtnSiteSurveyRescanClick\n");
}

void __stdcall TFormSiteSurvey::FuncScanFinished()
{
    InterlockedExchange(&m_bSurveyComplete, 1);
}

void TFormSiteSurvey::ForceUpdateBssidList()
{
}

void TFormSiteSurvey::ShowRescanningRow()
{
}

void TFormSiteSurvey::ClearNetworks()
{
}

void TFormSiteSurvey::OnScanFailed()
{
    m_bSurveyComplete = 0;
    m_bRescan = FALSE;
}
