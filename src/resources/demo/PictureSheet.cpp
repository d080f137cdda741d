// Shows every picture of the repository in one window, drawn the way the program draws
// them: scripts/screenshot NAME with WEVO_PROGRAM=PictureSheet.exe takes a picture of it.
#include "resources/FormResource.h"

#include "core/FormBase.h"
#include "ui/Forms.h"
#include "ui/StdCtrls.h"

#include <algorithm>
#include <string>

namespace {

// Lays the pictures out in rows, the large ones (backgrounds) last.
class TFormPictureSheet : public TForm {
public:
    explicit TFormPictureSheet(TComponent* AOwner) : TForm(AOwner)
    {
        SetCaption("Pictures");
        SetColor(RGB(0xE8, 0xF3, 0xF9));
        const int width = 1260;
        int x = 8, y = 8, rowHeight = 0;
        for (int pass = 0; pass < 2; ++pass) {
            for (const auto& [name, source] : FormResource->Pictures()) {
                const TPicture& p = source->Picture();
                bool large = p.Width() > 120 || p.Height() > 60;
                if (p.Empty() || large != (pass == 1))
                    continue;
                if (x + p.Width() > width) {
                    x = 8;
                    y += rowHeight + 6;
                    rowHeight = 0;
                }
                auto* image = new TImage(this);
                image->SetBounds(x, y, p.Width(), p.Height());
                image->SetPicture(p);
                image->SetHint(name);
                image->SetShowHint(true);
                x += p.Width() + 6;
                rowHeight = std::max(rowHeight, p.Height());
            }
            x = 8;
            y += rowHeight + 12;
            rowHeight = 0;
        }
        TPicture main;
        main.LoadFromResource(GetModuleHandleA(nullptr), kMainFormBackgroundResource);
        auto* image = new TImage(this);
        image->SetBounds(8, y, main.Width(), main.Height());
        image->SetPicture(main);
        SetBounds(0, 0, width + 16, std::min(1000, y + main.Height() + 40));
    }
};

TFormPictureSheet* FormPictureSheet = nullptr;

// The main window's built-in look: shaped background, menu buttons, status pictures.
class TFormMainPreview : public TFormBase {
public:
    explicit TFormMainPreview(TComponent* AOwner) : TFormBase(AOwner)
    {
        TPicture background;
        background.LoadFromResource(GetModuleHandleA(nullptr), kMainFormBackgroundResource);
        ImgBackground->SetPicture(background);
        lblCaptionText->SetBounds(39, 6, 340, 17);
        lblCaptionText->Font().SetColor(RGB(255, 255, 255));
        lblCaptionText->Font().SetStyle(fsBold);
        lblCaptionText->SetCaption("Wireless utility");
        const struct {
            TImage* picture;
            int left, top;
        } controls[] = {
            {FormResource->ImgMainFormPartition, 338, 30}, {FormResource->ImgBtnMainFormHelp_Normal, 352, 30},
            {FormResource->ImgBtnMainFormClose_Normal, 373, 30}, {FormResource->ImgBtnHotSpot_Normal, 128, 25},
            {FormResource->ImgBtnWiFiDisplay_Normal, 153, 25}, {FormResource->ImgBtnWiFiDirect_Down, 180, 25},
            {FormResource->ImgBtnSiteSurvey_Normal, 207, 25}, {FormResource->ImgBtnLinkInfo_Normal, 233, 25},
            {FormResource->ImgBtnProfile_Normal, 259, 25}, {FormResource->ImgBtnAdvanced_Disabled, 286, 25},
            {FormResource->ImgBtnAbout_Normal, 312, 25}, {FormResource->ImgMainFormRadioOn, 13, 65},
            {FormResource->ImgMainFormKeyEnabled, 13, 96}, {FormResource->ImgMainFormLinkQuality, 14, 123},
        };
        for (const auto& c : controls) {
            auto* image = new TImage(this);
            image->SetBounds(c.left, c.top, c.picture->Picture().Width(), c.picture->Picture().Height());
            image->SetPicture(c.picture->Picture());
        }
        const struct {
            const char* text;
            int left, top;
        } labels[] = {{"SSID", 70, 76}, {"Demo-Network", 133, 76}, {"Tx rate", 70, 100}, {"144 Mbps", 132, 100},
                      {"Channel", 70, 124}, {"6", 132, 124}, {"IP", 242, 100}, {"192.0.2.10", 304, 100},
                      {"Mask", 242, 124}, {"255.255.255.0", 304, 124}};
        for (const auto& l : labels) {
            auto* label = new TLabel(this);
            label->SetLeft(l.left);
            label->SetTop(l.top);
            label->Font().SetColor(RGB(198, 200, 39));
            label->SetCaption(l.text);
        }
    }
};

TFormMainPreview* FormMainPreview = nullptr;

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    Application->Initialize();
    Application->CreateForm(FormResource);
    Application->CreateForm(FormPictureSheet);
    FormPictureSheet->OnClose = [](TObject*, TCloseAction&) { Application->Terminate(); };
    Application->ShowMainForm = false;  // the repository stays hidden
    FormPictureSheet->Show();
    Application->CreateForm(FormMainPreview);
    FormMainPreview->SetBounds(820, 740, FormMainPreview->Width(), FormMainPreview->Height());
    FormMainPreview->Show();
    Application->Run();
    return 0;
}
