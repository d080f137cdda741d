#include "mainwindow/MainWindowServices.h"

#include <algorithm>

#include "core/Log.h"
#include "mainwindow/FormMain.h"

namespace mainwin {

int InsertAction(const ACTION_DATA& action)
{
    if (FormMain)
        return FormMain->InsertAction(action);
    PrintMessage(2, " InsertAction: no main window\n");
    return 0;
}

int InsertScanAction()
{
    return InsertAction({actionTypeScan, nullptr});
}

void ResumeActions()
{
    if (FormMain)
        FormMain->ResumeActions();
}

BOOL ModifyTrayIcon(int type, DWORD icon)
{
    return FormMain ? FormMain->ModifyTrayIcon(type, icon) : FALSE;
}

BOOL PopUpMsgTrayIcon(NOTIFYICONDATAA& balloon)
{
    return FormMain ? FormMain->PopUpMsgTrayIcon(balloon) : FALSE;
}

bool TrayIconData(NOTIFYICONDATAA& data)
{
    if (!FormMain)
        return false;
    data = FormMain->m_TrayIconData;
    return true;
}

WLANPROFILE* CurrentProfile()
{
    return FormMain ? FormMain->m_pProfData : nullptr;
}

void SetReConnect()
{
    if (FormMain)
        FormMain->m_bReConnect = TRUE;
}

bool IdentityRejected()
{
    return FormMain && FormMain->m_nAuthFailState == 1;
}

void CheckWpaCapability()
{
    if (FormMain)
        FormMain->TimerCheckWPACapTimer(nullptr);
}

std::string WirelessMode(const std::string& fallback)
{
    return FormMain ? FormMain->m_strWirelessMode : fallback;
}

DWORD PhyMode()
{
    return FormMain ? FormMain->m_enumPhyMode : 0;
}

void SetRotateProfile(BOOL rotate)
{
    if (FormMain)
        FormMain->m_bRotateProfile = rotate;
}

void StopRetryTimer()
{
    if (FormMain && FormMain->TimerRetryOn)
        FormMain->TimerRetryOn->SetEnabled(false);
}

void ClearRetryConnect()
{
    if (FormMain)
        FormMain->m_bRetryConnect = FALSE;
}

void StopZeroConfigService(bool setDemandStart)
{
    if (FormMain)
        FormMain->StopZeroConfigService(setDemandStart);
}

void SetZeroConfigControl(bool enable)
{
    if (FormMain)
        FormMain->SetZeroConfigControl(enable);
}

void InitWiFiDirect(BOOL userRequest)
{
    if (FormMain)
        FormMain->InitWiFidirect(userRequest);
}

DWORD CreateEventAndStartThread(int request)
{
    return FormMain ? FormMain->CreateEventAndStartThread(request) : 0;
}

int SetWDPEventHandleToDriver()
{
    return FormMain ? FormMain->SetWDPEventHandleToDriver() : 0;
}

void ActionForSigma(BYTE eventCode)
{
    if (FormMain)
        FormMain->ActionForSigma(eventCode);
}

void OpenAdvanced()
{
    if (FormMain)
        FormMain->BtnAdvancedClick(FormMain);
}

bool HasMainWindow()
{
    return FormMain != nullptr;
}

HWND MainWindowHandle()
{
    return FormMain ? FormMain->Handle() : nullptr;
}

bool MainWindowBounds(RECT& bounds)
{
    if (!FormMain)
        return false;
    bounds = {FormMain->Left(), FormMain->Top(), FormMain->Left() + FormMain->Width(),
              FormMain->Top() + FormMain->Height()};
    return true;
}

namespace {

// How much of rect the other visible windows of the program cover.
long CoveredArea(const RECT& rect, const TForm* except)
{
    long area = 0;
    for (int i = 0; Application && i < Application->ComponentCount(); ++i) {
        auto* other = dynamic_cast<TForm*>(Application->Components(i));
        if (!other || other == except || other == FormMain || !other->Visible())
            continue;
        const RECT r = {other->Left(), other->Top(), other->Left() + other->Width(), other->Top() + other->Height()};
        RECT both;
        if (IntersectRect(&both, &rect, &r))
            area += (both.right - both.left) * (both.bottom - both.top);
    }
    return area;
}

// The left edge below the main window: aligned with it, or for a wider window the place
// (left-aligned, right-aligned or centred) that covers the least of the other windows.
int LeftBelow(const TForm* form, const RECT& main, int top)
{
    const int w = form->Width(), extra = w - int(main.right - main.left);
    if (extra <= 0)
        return main.left;
    int best = main.left;
    long bestArea = -1;
    for (int left : {int(main.left), int(main.right) - w, int(main.left) - extra / 2}) {
        const long area = CoveredArea({left, top, left + w, top + form->Height()}, form);
        if (bestArea < 0 || area < bestArea) {
            best = left;
            bestArea = area;
        }
    }
    return best;
}

void Place(TForm* form, bool horizontal, bool before)
{
    RECT main;
    if (!form || !MainWindowBounds(main))
        return;
    const RECT work = WorkArea();
    const int w = form->Width(), h = form->Height();
    int left, top;
    if (horizontal) {
        const int leftSide = main.left - w, rightSide = main.right;
        left = before ? FitSpan(leftSide, rightSide, w, work.left, work.right)
                      : FitSpan(rightSide, leftSide, w, work.left, work.right);
        top = FitSpan(main.top, main.top, h, work.top, work.bottom);
    } else {
        top = FitSpan(main.bottom, main.top - h, h, work.top, work.bottom);
        const int below = LeftBelow(form, main, top);
        left = FitSpan(below, below, w, work.left, work.right);
    }
    form->SetBounds(left, top, w, h);
}

} // namespace

void PlaceBelow(TForm* form) { Place(form, false, false); }
void PlaceLeftOf(TForm* form) { Place(form, true, true); }
void PlaceRightOf(TForm* form) { Place(form, true, false); }

} // namespace mainwin
