#pragma once
// The Hotspot 2.0 window: the priority table, the add-credential and add-profile pages and the
// certification test page, switched by picture tabs.
#include <windows.h>

#include <string>

#include "core/FormBase.h"
#include "hotspot/FrameHotSpotAddCredential.h"
#include "hotspot/FrameHotSpotAddProfile.h"
#include "hotspot/FrameHotSpotMain.h"
#include "hotspot/FrameHotSpotSigma.h"
#include "resources/WvImage.h"

class TFormHotSpot : public TFormBase {
public:
    explicit TFormHotSpot(TComponent* owner);

    // Controls.
    TWvImage* TabBtnHotSpot = nullptr;
    TWvImage* TabBtnHotSpotAddCredential = nullptr;
    TWvImage* TabBtnHotSpotAddProfile = nullptr;
    TWvImage* TabBtnHotSpotSigma = nullptr;
    TWvImage* SysBtnClose = nullptr;
    TFrameHotSpotMain* FrameHotSpotMain = nullptr;
    TFrameHotSpotAddCredential* FrameHotSpotAddCredential = nullptr;
    TFrameHotSpotAddProfile* FrameHotSpotAddProfile = nullptr;
    TFrameHotSpotSigma* FrameHotSpotSigma = nullptr;

    bool m_bSigmaTest = false;        // [Settings] HS20SIGMA is 1
    BYTE m_ConnectedBssid[6] = {};    // BSSID of the adapter's connection (link-information tick)

    void FormCreate(TObject* Sender) override;
    void FormShow(TObject* Sender);
    void TabBtnHotSpotClick(TObject* Sender);
    void TabBtnHotSpotAddCredentialClick(TObject* Sender);
    void TabBtnHotSpotAddProfileClick(TObject* Sender);
    void TabBtnHotSpotSigmaClick(TObject* Sender);
    void SysBtnCloseClick(TObject* Sender);

    // Next free default name: the credential or profile prefix and one more than the largest
    // number that follows it in a row's name.
    std::string MakeDefaultSettingName(bool credential) const;

    // Modify mode: the tab buttons hidden so that the page is left only through Submit or
    // Cancel; EndModify shows them again (also on close and on disable) and forgets the row.
    void BeginModify();
    void EndModify();
    // The site survey rescans when its rescan button is usable.
    void RescanSiteSurvey();
    // After an entry page's Add or Submit: a rescan, and the priority table shown again.
    void FinishEntryPage(TObject* Sender);

private:
    void SelectTab(TWvImage* tab, TFrameBase* page);
};

extern TFormHotSpot* FormHotSpot;
