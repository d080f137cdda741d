#include "advanced/FormAdvanced.h"

#include "advanced/Form80211nSetting.h"
#include "advanced/FormMFPTest.h"
#include "core/Helpers.h"
#include "core/Log.h"
#include "core/WvwlLib.h"
#include "resources/FormResource.h"
#include "resources/WvImage.h"
#include "resources/FormResource.h"

using skin::UiText;

TFormAdvanced* FormAdvanced = nullptr;

namespace {

constexpr int kPageLeft = 0, kPageTop = 46, kPageWidth = 400, kPageHeight = 334;
constexpr int kTabTop = 19;


// Down or normal picture; a disabled tab keeps its disabled one.
void ShowTabPicture(TWvImage* tab, bool selected)
{
    if (tab->Enabled())
        tab->SetImageIndex(selected ? 1 : 0);
}

}  // namespace

TFormAdvanced::TFormAdvanced(TComponent* owner) : TFormBase(owner)
{
    Name = "FormAdvanced";
    SetClientSize(400, 380);
    TFormResource* res = FormResource;

    SysBtnClose = MakePushButton(this, 373, 16, 15, 15, res ? res->ImgBtnAdvancedFormClose_Normal : nullptr,
                                 res ? res->ImgBtnAdvancedFormClose_Down : nullptr, nullptr);
    TabBtnWireless = MakeTabButton(this, 8, kTabTop, res ? res->ImgBtnAdvancedWireless_Normal : nullptr,
                                   res ? res->ImgBtnAdvancedWireless_Down : nullptr,
                                   res ? res->ImgBtnAdvancedWireless_Disabled : nullptr);
    TabBtnCertCenter = MakeTabButton(this, 34, kTabTop, res ? res->ImgBtnAdvancedCertCenter_Normal : nullptr,
                                     res ? res->ImgBtnAdvancedCertCenter_Down : nullptr,
                                     res ? res->ImgBtnAdvancedCertCenter_Disabled : nullptr);
    TabBtnCCX = MakeTabButton(this, 63, kTabTop, res ? res->ImgBtnAdvancedCCX_Normal : nullptr,
                              res ? res->ImgBtnAdvancedCCX_Down : nullptr,
                              res ? res->ImgBtnAdvancedCCX_Disabled : nullptr);
    TabBtnWMM = MakeTabButton(this, 93, kTabTop, res ? res->ImgBtnAdvancedWMM_Normal : nullptr,
                              res ? res->ImgBtnAdvancedWMM_Down : nullptr,
                              res ? res->ImgBtnAdvancedWMM_Disabled : nullptr);
    // The test tab shows its down picture also when disabled.
    TabBtnTest = MakeTabButton(this, 123, kTabTop, res ? res->ImgBtnAdvancedTest_Normal : nullptr,
                               res ? res->ImgBtnAdvancedTest_Down : nullptr,
                               res ? res->ImgBtnAdvancedTest_Down : nullptr);

    SysBtnClose->OnClick = [this](TObject* s) { SysBtnCloseClick(s); };
    TabBtnWireless->OnClick = [this](TObject* s) { TabBtnWirelessClick(s); };
    TabBtnCertCenter->OnClick = [this](TObject* s) { TabBtnCertCenterClick(s); };
    TabBtnCCX->OnClick = [this](TObject* s) { TabBtnCCXClick(s); };
    TabBtnWMM->OnClick = [this](TObject* s) { TabBtnWMMClick(s); };
    TabBtnTest->OnClick = [this](TObject* s) { TabBtnTestClick(s); };

    FrameAdvancedWireless = new TFrameAdvancedWireless(this);
    FrameAdvancedCertManagement = new TFrameAdvancedCertManagement(this);
    FrameAdvancedCCX = new TFrameAdvancedCCX(this);
    FrameAdvancedWMM = new TFrameAdvancedWMM(this);
    FrameAdvancedTest = new TFrameAdvancedTest(this);
    for (TFrameBase* page : {static_cast<TFrameBase*>(FrameAdvancedWireless),
                             static_cast<TFrameBase*>(FrameAdvancedCertManagement),
                             static_cast<TFrameBase*>(FrameAdvancedCCX), static_cast<TFrameBase*>(FrameAdvancedWMM),
                             static_cast<TFrameBase*>(FrameAdvancedTest)}) {
        page->SetParent(this);
        page->SetBounds(kPageLeft, kPageTop, kPageWidth, kPageHeight);
    }

    OnShow = [this](TObject* s) { FormShow(s); };
}

void TFormAdvanced::FormCreate(TObject* Sender)
{
    PrintMessage(6, " --> TFormAdvanced::FormCreate()\n");
    SetResources();
    TFormBase::FormCreate(Sender);
    ClearTabLayout();
    m_nTabBaseLeft = TabBtnWireless->Left();
    m_nLastTabSlot = -1;
    PrintMessage(6, " <-- TFormAdvanced::FormCreate()\n");
}

void TFormAdvanced::SetResources()
{
    SetCaption("Advanced");
    if (TFormResource* res = FormResource) {
        if (res->ImgAdvancedFormBG)
            ImgBackground->SetPicture(res->ImgAdvancedFormBG->Picture());
        TabBtnWireless->SetImage0(res->ImgBtnAdvancedWireless_Normal);
        TabBtnCertCenter->SetImage0(res->ImgBtnAdvancedCertCenter_Normal);
        TabBtnCCX->SetImage0(res->ImgBtnAdvancedCCX_Normal);
        TabBtnWMM->SetImage0(res->ImgBtnAdvancedWMM_Normal);
    }
    lblCaptionText->SetCaption(UiText(&CUISTR::STR_BtnHintAdvanced));
    SysBtnClose->SetHint(UiText(&CUISTR::STR_BtnHintClose));
    TabBtnWireless->SetHint(UiText(&CUISTR::STR_BtnHintAdvanced));
    TabBtnWMM->SetHint(UiText(&CUISTR::STR_BtnHintWMM));
    TabBtnCCX->SetHint(UiText(&CUISTR::STR_BtnHintCCX));
    TabBtnCertCenter->SetHint(UiText(&CUISTR::STR_BtnHntCertCenter));
    TabBtnTest->SetHint(UiText(&CUISTR::STR_BtnHintTest));
}

void TFormAdvanced::ShowTab(TWvImage* tab, int tabId, bool wanted)
{
    const bool placed = wanted && ArrangeTabButton(true, tab, tabId);
    tab->SetVisible(placed);
}

void TFormAdvanced::FormShow(TObject*)
{
    ShowTabPicture(TabBtnWireless, true);
    ShowTabPicture(TabBtnWMM, false);
    ShowTabPicture(TabBtnCCX, false);
    ShowTabPicture(TabBtnCertCenter, false);

    // The wireless tab keeps the first place but is never shown.
    TabBtnWireless->SetVisible(false);
    ClearTabLayout();
    ArrangeTabButton(true, TabBtnWireless, tabAdvancedWireless);

    ShowTab(TabBtnCertCenter, tabAdvancedCertCenter, VOZEZIV.bSupportWAPI && CheckAdapterKind() == 1);
    ShowTab(TabBtnCCX, tabAdvancedCCX, VOZEZIV.bSupportCCX != 0);
    ShowTab(TabBtnWMM, tabAdvancedWMM, VOZEZIV.bSupportWMM != 0);
    ShowTab(TabBtnTest, tabAdvancedTest, VOZEZIV.bShowTestDialog != 0);
    if (!VOZEZIV.bShowTestDialog)
        ArrangeTabButton(false, TabBtnTest, tabAdvancedTest);

    // The window always opens on the certificate page.
    SwitchPage(nullptr, FrameAdvancedCertManagement);
}

void TFormAdvanced::SelectTab(TWvImage* tab, TFrameBase* page)
{
    for (TWvImage* each : {TabBtnWireless, TabBtnCertCenter, TabBtnCCX, TabBtnWMM, TabBtnTest})
        ShowTabPicture(each, each == tab);
    SwitchPage(m_pCurrentPage, page);
}

void TFormAdvanced::TabBtnWirelessClick(TObject*)
{
    SelectTab(TabBtnWireless, FrameAdvancedWireless);
}

void TFormAdvanced::TabBtnCertCenterClick(TObject*)
{
    SelectTab(TabBtnCertCenter, FrameAdvancedCertManagement);
}

void TFormAdvanced::TabBtnCCXClick(TObject*)
{
    SelectTab(TabBtnCCX, FrameAdvancedCCX);
}

void TFormAdvanced::TabBtnWMMClick(TObject*)
{
    SelectTab(TabBtnWMM, FrameAdvancedWMM);
}

void TFormAdvanced::TabBtnTestClick(TObject*)
{
    SelectTab(TabBtnTest, FrameAdvancedTest);
}

void TFormAdvanced::SysBtnCloseClick(TObject* Sender)
{
    if (FormMFPTest)
        FormMFPTest->SysBtnCloseClick(Sender);
    if (Form80211nSetting)
        Form80211nSetting->SysBtnCloseClick(Sender);
    Close();
}

void TFormAdvanced::ClearTabLayout()
{
    for (TAB_SLOT& slot : m_TabSlots)
        slot = TAB_SLOT{0, 0, 0};
    m_nLastTabSlot = -1;
}

TWvImage* TFormAdvanced::TabButtonOf(int tabId) const
{
    switch (tabId) {
    case tabAdvancedWireless: return TabBtnWireless;
    case tabAdvancedCertCenter: return TabBtnCertCenter;
    case tabAdvancedCCX: return TabBtnCCX;
    case tabAdvancedWMM: return TabBtnWMM;
    case tabAdvancedTest: return TabBtnTest;
    default: return nullptr;
    }
}

bool TFormAdvanced::ArrangeTabButton(bool add, TWvImage* button, int tabId)
{
    if (add) {
        // A full row refuses the tab rather than write past its last slot.
        if (!button || m_nLastTabSlot >= kTabSlotCount - 1)
            return false;
        int left = m_nTabBaseLeft;
        if (m_nLastTabSlot >= 0)
            left = m_TabSlots[m_nLastTabSlot].nLeft + m_TabSlots[m_nLastTabSlot].nWidth;
        ++m_nLastTabSlot;
        button->SetLeft(left);
        m_TabSlots[m_nLastTabSlot] = TAB_SLOT{button->Left(), button->Width(), tabId};
        return true;
    }

    int found = 0;
    while (found <= m_nLastTabSlot && m_TabSlots[found].nTabId != tabId)
        ++found;
    if (found > m_nLastTabSlot)
        return true;
    for (int i = found; i < m_nLastTabSlot; ++i) {
        const TAB_SLOT& next = m_TabSlots[i + 1];
        m_TabSlots[i].nWidth = next.nWidth;
        m_TabSlots[i].nTabId = next.nTabId;
        if (TWvImage* moved = TabButtonOf(next.nTabId))
            moved->SetLeft(m_TabSlots[i].nLeft);
        m_TabSlots[i + 1].nLeft = m_TabSlots[i].nLeft + m_TabSlots[i].nWidth;
    }
    m_TabSlots[m_nLastTabSlot] = TAB_SLOT{0, 0, 0};
    // Removing the only tab empties the row, so the next tab starts at the base again.
    --m_nLastTabSlot;
    return true;
}

bool TFormAdvanced::Is11nModeChecked() const
{
    return FrameAdvancedWireless && FrameAdvancedWireless->chBox11NMode && FrameAdvancedWireless->chBox11NMode->Checked();
}
