#pragma once
// The advanced settings window: a row of picture tabs over its pages (wireless, certificate
// centre, CCX, WMM, test). Which tabs show depends on the settings and the adapter kind; the
// shown tabs are packed from the left.
#include "advanced/FrameAdvancedCCX.h"
#include "advanced/FrameAdvancedCertManagement.h"
#include "advanced/FrameAdvancedTest.h"
#include "advanced/FrameAdvancedWMM.h"
#include "advanced/FrameAdvancedWireless.h"
#include "core/FormBase.h"
#include "resources/WvImage.h"

// Tab ids of the advanced window.
enum TAdvancedTabId : int {
    tabAdvancedWireless = 1,
    tabAdvancedCertCenter = 2,
    tabAdvancedCCX = 3,
    tabAdvancedWMM = 4,
    tabAdvancedTest = 5,
};

// One place of the tab row.
struct TAB_SLOT {
    int nLeft;
    int nWidth;
    int nTabId;
};

class TFormAdvanced : public TFormBase {
public:
    explicit TFormAdvanced(TComponent* owner);

    TWvImage* SysBtnClose = nullptr;
    TWvImage* TabBtnWireless = nullptr;
    TWvImage* TabBtnCertCenter = nullptr;
    TWvImage* TabBtnCCX = nullptr;
    TWvImage* TabBtnWMM = nullptr;
    TWvImage* TabBtnTest = nullptr;
    TFrameAdvancedWireless* FrameAdvancedWireless = nullptr;
    TFrameAdvancedCertManagement* FrameAdvancedCertManagement = nullptr;
    TFrameAdvancedCCX* FrameAdvancedCCX = nullptr;
    TFrameAdvancedWMM* FrameAdvancedWMM = nullptr;
    TFrameAdvancedTest* FrameAdvancedTest = nullptr;

    // Tab layout: the used slots are 0 to m_nLastTabSlot (-1: none); the first tab goes to
    // m_nTabBaseLeft, each further one right after the one before.
    static constexpr int kTabSlotCount = 6;
    TAB_SLOT m_TabSlots[kTabSlotCount] = {};
    int m_nLastTabSlot = -1;
    int m_nTabBaseLeft = 0;

    void FormCreate(TObject* Sender) override;
    void SetResources();
    // Builds the tab row and opens the certificate page.
    void FormShow(TObject* Sender);
    void TabBtnWirelessClick(TObject* Sender);
    void TabBtnCertCenterClick(TObject* Sender);
    void TabBtnCCXClick(TObject* Sender);
    void TabBtnWMMClick(TObject* Sender);
    void TabBtnTestClick(TObject* Sender);
    // Closes the 802.11w test dialog and the 802.11n settings window, then this window.
    void SysBtnCloseClick(TObject* Sender);

    // Adds the button to the end of the row, or removes its tab and moves the later ones left.
    // False when an add finds the row full; removing a tab that is not there changes nothing.
    bool ArrangeTabButton(bool add, TWvImage* button, int tabId);

    // The wireless page exists and its 802.11n box is checked.
    bool Is11nModeChecked() const;

private:
    TWvImage* TabButtonOf(int tabId) const;
    void SelectTab(TWvImage* tab, TFrameBase* page);
    void ClearTabLayout();
    // Shows and adds the tab when wanted, else hides it; a tab that finds no place is hidden.
    void ShowTab(TWvImage* tab, int tabId, bool wanted);
};

extern TFormAdvanced* FormAdvanced;
