#pragma once
// Control makers and list helpers shared by the profile editor's pages.
#include <string>

#include "resources/FormResource.h"
#include "ui/ExtCtrls.h"
#include "ui/StdCtrls.h"

namespace ProfileEditUi {

constexpr int kPageWidth = 380;

// The loaded language's texts (nullptr before the resources are loaded).
const CUISTR* Str();
// One text of the loaded language, empty before the resources are loaded.
std::string S(std::string CUISTR::*member);
int WinOS();

TLabel* MakeLabel(TWinControl* parent, int left, int top, const std::string& caption);
TComboBox* MakeCombo(TWinControl* parent, int left, int top, int width, TComboBoxStyle style = csDropDownList);
TEdit* MakeEdit(TWinControl* parent, int left, int top, int width);

template <class T>
T* MakeOn(TWinControl* parent, int left, int top, int width, int height)
{
    auto* control = new T(parent);
    control->SetParent(parent);
    control->SetBounds(left, top, width, height);
    return control;
}

// A borderless panel of the page's colour across the page.
TPanel* MakePanel(TWinControl* parent, int top, int height = 40);

// Lists whose items carry a value: select the item of a value (the first item when no item
// carries it), the value of the selected item (none when nothing is selected), add an item.
void SelectByObject(TComboBox* combo, int value);
int SelectedObject(const TComboBox* combo, int none);
void AddEntry(TComboBox* combo, const std::string& text, int value);

} // namespace ProfileEditUi
