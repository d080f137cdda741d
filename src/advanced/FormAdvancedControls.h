#pragma once
// Control makers of the advanced window's pages: each control made on its parent at its place
// with its caption.
#include <string>

#include "ui/ExtCtrls.h"
#include "ui/StdCtrls.h"

namespace advctl {

TCheckBox* Check(TWinControl* parent, int left, int top, int width, const std::string& caption);
TRadioButton* Radio(TWinControl* parent, int left, int top, int width, const std::string& caption);
TComboBox* List(TWinControl* parent, int left, int top, int width);
TEdit* Edit(TWinControl* parent, int left, int top, int width, int maxLength);
TButton* Button(TWinControl* parent, int left, int top, int width, int height, const std::string& caption);
TGroupBox* Group(TWinControl* parent, int left, int top, int width, int height, const std::string& caption);
// A borderless panel; radio buttons on one panel form one group.
TPanel* Panel(TWinControl* parent, int left, int top, int width, int height);

// Selects the first item whose code equals the value, else the first item.
void SelectCode(TComboBox* list, int code);
// The code of the selected item; 0 when nothing is selected.
int SelectedCode(const TComboBox* list);
// Adds an item with its code.
void AddCoded(TComboBox* list, const std::string& text, int code);

}  // namespace advctl
