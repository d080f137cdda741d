#include "hotspot/FormHotSpot.h"

#include <climits>
#include <cstdio>

#include "core/Log.h"
#include "core/Settings.h"
#include "hotspot/HotSpotControls.h"
#include "mainwindow/FormSiteSurvey.h"
#include "resources/FormResource.h"

TFormHotSpot* FormHotSpot = nullptr;

namespace {

constexpr int kPageLeft = 12, kPageTop = 52, kPageWidth = 376, kPageHeight = 320;

// The number that follows prefix at the start of name (0 when no digit follows), capped so
// that one more still fits.
unsigned NumberAfter(const std::string& name, const std::string& prefix)
{
    unsigned long long number = 0;
    for (size_t i = prefix.size(); i < name.size() && name[i] >= '0' && name[i] <= '9'; ++i) {
        number = number * 10 + unsigned(name[i] - '0');
        if (number >= UINT_MAX)
            return UINT_MAX - 1;
    }
    return unsigned(number);
}

} // namespace

TFormHotSpot::TFormHotSpot(TComponent* owner) : TFormBase(owner)
{
    Name = "FormHotSpot";
    TFormResource* res = FormResource;
    SetClientSize(400, 380);

    SysBtnClose = MakePushButton(this, 375, 8, 15, 15, res ? res->ImgBtnAdvancedFormClose_Normal : nullptr,
                                 res ? res->ImgBtnAdvancedFormClose_Down : nullptr, nullptr);
    TabBtnHotSpot = MakeTabButton(this, 12, 17, res ? res->ImgBtnHotSpot_Normal : nullptr,
                                  res ? res->ImgBtnHotSpot_Down : nullptr, res ? res->ImgBtnHotSpot_Disabled : nullptr);
    TabBtnHotSpotAddCredential =
        MakeTabButton(this, 40, 17, res ? res->ImgBtnHotSpotAddCredential_Normal : nullptr,
                      res ? res->ImgBtnHotSpotAddCredential_Down : nullptr,
                      res ? res->ImgBtnHotSpotAddCredential_Disabled : nullptr);
    TabBtnHotSpotAddProfile =
        MakeTabButton(this, 68, 17, res ? res->ImgBtnHotSpotAddProfile_Normal : nullptr,
                      res ? res->ImgBtnHotSpotAddProfile_Down : nullptr,
                      res ? res->ImgBtnHotSpotAddProfile_Disabled : nullptr);
    TabBtnHotSpotSigma = MakeTabButton(this, 96, 17, res ? res->ImgBtnAdvancedTest_Normal : nullptr,
                                       res ? res->ImgBtnAdvancedTest_Down : nullptr,
                                       res ? res->ImgBtnAdvancedTest_Disabled : nullptr);
    SysBtnClose->OnClick = [this](TObject* s) { SysBtnCloseClick(s); };
    TabBtnHotSpot->OnClick = [this](TObject* s) { TabBtnHotSpotClick(s); };
    TabBtnHotSpotAddCredential->OnClick = [this](TObject* s) { TabBtnHotSpotAddCredentialClick(s); };
    TabBtnHotSpotAddProfile->OnClick = [this](TObject* s) { TabBtnHotSpotAddProfileClick(s); };
    TabBtnHotSpotSigma->OnClick = [this](TObject* s) { TabBtnHotSpotSigmaClick(s); };
    TabBtnHotSpotAddProfile->SetVisible(false);
    TabBtnHotSpotAddCredential->SetVisible(false);
    TabBtnHotSpotSigma->SetVisible(false);

    FrameHotSpotSigma = new TFrameHotSpotSigma(this);
    FrameHotSpotAddProfile = new TFrameHotSpotAddProfile(this);
    FrameHotSpotAddCredential = new TFrameHotSpotAddCredential(this);
    FrameHotSpotMain = new TFrameHotSpotMain(this);
    for (TFrameBase* page : {static_cast<TFrameBase*>(FrameHotSpotSigma),
                             static_cast<TFrameBase*>(FrameHotSpotAddProfile),
                             static_cast<TFrameBase*>(FrameHotSpotAddCredential),
                             static_cast<TFrameBase*>(FrameHotSpotMain)}) {
        page->SetParent(this);
        page->SetBounds(kPageLeft, kPageTop, kPageWidth, kPageHeight);
    }
    SwitchPage(nullptr, FrameHotSpotMain);

    m_bSigmaTest = ReadINIInt("Settings", "HS20SIGMA", 0, "ini") == 1;
    OnShow = [this](TObject* s) { FormShow(s); };
}

void TFormHotSpot::FormCreate(TObject* Sender)
{
    PrintMessage(6, " --> TFormHotSpot::FormCreate\n");
    if (FormResource && FormResource->ImgAdvancedFormBG)
        ImgBackground->SetPicture(FormResource->ImgAdvancedFormBG->Picture());
    TFormBase::FormCreate(Sender);
    const std::string caption = hotspot::Text(&CUISTR::STR_HotSpot_HS20);
    SetCaption(caption);
    lblCaptionText->SetCaption(caption);
    TabBtnHotSpot->SetHint(hotspot::Text(&CUISTR::STR_HotSpot_MAINHINT));
    TabBtnHotSpotAddCredential->SetHint(hotspot::Text(&CUISTR::STR_HotSpot_CREDHINT));
    TabBtnHotSpotAddProfile->SetHint(hotspot::Text(&CUISTR::STR_HotSpot_PROFHINT));
    PrintMessage(6, " <-- TFormHotSpot::FormCreate\n");
}

void TFormHotSpot::SelectTab(TWvImage* tab, TFrameBase* page)
{
    for (TWvImage* each : {TabBtnHotSpot, TabBtnHotSpotAddCredential, TabBtnHotSpotAddProfile, TabBtnHotSpotSigma})
        each->SetImageIndex(each == tab ? 1 : 0);
    SwitchPage(m_pCurrentPage, page);
}

void TFormHotSpot::FormShow(TObject*)
{
    SelectTab(TabBtnHotSpot, FrameHotSpotMain);
}

void TFormHotSpot::TabBtnHotSpotClick(TObject*)
{
    SelectTab(TabBtnHotSpot, FrameHotSpotMain);
}

void TFormHotSpot::TabBtnHotSpotAddCredentialClick(TObject*)
{
    if (!FrameHotSpotMain->m_bModifying)
        FrameHotSpotAddCredential->editProfName->SetText(MakeDefaultSettingName(true));
    SelectTab(TabBtnHotSpotAddCredential, FrameHotSpotAddCredential);
}

void TFormHotSpot::TabBtnHotSpotAddProfileClick(TObject*)
{
    if (!FrameHotSpotMain->m_bModifying)
        FrameHotSpotAddProfile->editProfName->SetText(MakeDefaultSettingName(false));
    SelectTab(TabBtnHotSpotAddProfile, FrameHotSpotAddProfile);
}

void TFormHotSpot::TabBtnHotSpotSigmaClick(TObject*)
{
    SelectTab(TabBtnHotSpotSigma, FrameHotSpotSigma);
}

void TFormHotSpot::SysBtnCloseClick(TObject*)
{
    if (FrameHotSpotMain->m_nModifyRow >= 0) {
        EndModify();
        TabBtnHotSpotClick(this);
    }
    Close();
}

void TFormHotSpot::BeginModify()
{
    for (TWvImage* tab : {TabBtnHotSpot, TabBtnHotSpotAddCredential, TabBtnHotSpotAddProfile, TabBtnHotSpotSigma})
        tab->SetVisible(false);
    Repaint();
}

void TFormHotSpot::EndModify()
{
    FrameHotSpotMain->m_nModifyRow = -1;
    const bool active = FrameHotSpotMain->m_bHS20Active != 0;
    TabBtnHotSpot->SetVisible(true);
    TabBtnHotSpotAddCredential->SetVisible(active);
    TabBtnHotSpotAddProfile->SetVisible(active);
    TabBtnHotSpotSigma->SetVisible(active && m_bSigmaTest);
    Repaint();
}

void TFormHotSpot::RescanSiteSurvey()
{
    if (FormSiteSurvey && FormSiteSurvey->BtnSiteSurveyRescan && FormSiteSurvey->BtnSiteSurveyRescan->Enabled())
        FormSiteSurvey->BtnSiteSurveyRescanClick(this);
}

void TFormHotSpot::FinishEntryPage(TObject* Sender)
{
    RescanSiteSurvey();
    TabBtnHotSpotClick(Sender);
}

std::string TFormHotSpot::MakeDefaultSettingName(bool credential) const
{
    const std::string prefix = hotspot::Text(credential ? &CUISTR::STR_HotSpot_HSPROF : &CUISTR::STR_HotSpot_APPROF);
    unsigned largest = 0;
    const TListView* list = FrameHotSpotMain->lvConnSettingTable;
    for (int row = 0; row < list->ItemCount(); ++row) {
        const std::string name = FrameHotSpotMain->RowName(row);
        if (name.compare(0, prefix.size(), prefix) != 0)
            continue;
        const unsigned number = NumberAfter(name, prefix);
        if (number > largest)
            largest = number;
    }
    char text[160];
    std::snprintf(text, sizeof text, "%s%u", prefix.c_str(), largest + 1);
    return text;
}
