// Shows every picture of the repository in one window, drawn the way the program draws
// them: scripts/screenshot NAME with WEVO_PROGRAM=PictureSheet.exe takes a picture of it.
#include "resources/FormResource.h"

#include "ui/Forms.h"

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

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    Application->Initialize();
    Application->CreateForm(FormResource);
    Application->CreateForm(FormPictureSheet);
    FormPictureSheet->OnClose = [](TObject*, TCloseAction&) { Application->Terminate(); };
    Application->ShowMainForm = false;  // the repository stays hidden
    FormPictureSheet->Show();
    Application->Run();
    return 0;
}
