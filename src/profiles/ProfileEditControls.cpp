#include "profiles/ProfileEditControls.h"

#include "core/FormBase.h"
#include "core/WvwlLib.h"

namespace ProfileEditUi {

const CUISTR* Str()
{
    return FormResource ? FormResource->UI_Str.get() : nullptr;
}

std::string S(std::string CUISTR::*member)
{
    const CUISTR* s = Str();
    return s ? s->*member : std::string();
}

int WinOS()
{
    return VOZEZIV.nWinOS;
}

TLabel* MakeLabel(TWinControl* parent, int left, int top, const std::string& caption)
{
    auto* label = new TLabel(parent);
    label->SetParent(parent);
    label->SetBounds(left, top, 0, 0);
    label->SetCaption(caption);
    return label;
}

TComboBox* MakeCombo(TWinControl* parent, int left, int top, int width, TComboBoxStyle style)
{
    auto* combo = new TComboBox(parent, style);
    combo->SetParent(parent);
    combo->SetBounds(left, top, width, 21);
    return combo;
}

TEdit* MakeEdit(TWinControl* parent, int left, int top, int width)
{
    auto* edit = new TEdit(parent);
    edit->SetParent(parent);
    edit->SetBounds(left, top, width, 21);
    return edit;
}

TPanel* MakePanel(TWinControl* parent, int top, int height)
{
    auto* panel = MakeOn<TPanel>(parent, 0, top, kPageWidth, height);
    panel->SetColor(WEVO_FORM_COLOR);
    return panel;
}

void SelectByObject(TComboBox* combo, int value)
{
    const int index = combo->Items().IndexOfObject(reinterpret_cast<void*>(intptr_t(value)));
    combo->SetItemIndex(index >= 0 ? index : (combo->Items().Count() ? 0 : -1));
}

int SelectedObject(const TComboBox* combo, int none)
{
    const int index = combo->ItemIndex();
    if (index < 0)
        return none;
    return int(reinterpret_cast<intptr_t>(combo->Items().Objects(index)));
}

void AddEntry(TComboBox* combo, const std::string& text, int value)
{
    combo->Items().AddObject(text, reinterpret_cast<void*>(intptr_t(value)));
}

} // namespace ProfileEditUi
