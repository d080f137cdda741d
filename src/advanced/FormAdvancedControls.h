#pragma once
// Lists of the advanced window's pages whose items carry a code beside their text.
#include <string>

#include "ui/StdCtrls.h"

namespace advctl {

// Selects the first item whose code equals the value, else the first item.
void SelectCode(TComboBox* list, int code);
// The code of the selected item; 0 when nothing is selected.
int SelectedCode(const TComboBox* list);
// Adds an item with its code.
void AddCoded(TComboBox* list, const std::string& text, int code);

}  // namespace advctl
