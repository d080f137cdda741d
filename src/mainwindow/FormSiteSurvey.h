#pragma once
// The network list (what the main window needs of it so far).
#include "mainwindow/ActionQueue.h"
#include "ui/ExtCtrls.h"
#include "ui/Forms.h"

class TFormSiteSurvey : public TForm {
public:
    explicit TFormSiteSurvey(TComponent* owner);

    TTimer* TimerSiteSurvey = nullptr;
    TTimer* TimerReScanOn = nullptr;
    ACTION_DATA m_ConnectAction{};
    BOOL m_bConnectAfterScan = FALSE;
    BOOL m_bRescan = FALSE;
    int m_nRescans = 0;

    void SysBtnCloseClick(TObject* Sender);
    // Starts a new scan at once.
    void BtnSiteSurveyRescanClick(TObject* Sender);
    // Completion function handed to WVWL_SiteSurveyScan; may run on a library thread.
    static void __stdcall FuncScanFinished();
    void ForceUpdateBssidList();
    void ShowRescanningRow();
    // Empties the list (radio off).
    void ClearNetworks();
    // A scan failed: the survey flags are cleared.
    void OnScanFailed();
};

extern TFormSiteSurvey* FormSiteSurvey;
// Set by the scan completion function.
extern volatile LONG m_bSurveyComplete;
