#pragma once
// Reading and driving the controls of the running program's forms from the test process:
// child windows, password fields, drop-down lists and the profile editor's stacked pages.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// The form's child windows (at any depth) that the filter accepts, in window order.
std::vector<HWND> Children(HWND parent, const std::function<bool(HWND)>& accept);

bool IsPasswordEdit(HWND control);

// An item of a drop-down list in the other process, asked for in wide characters (the narrow
// message gives only the first character across processes); empty for index < 0.
std::string ComboItem(HWND combo, int index);
std::string ComboSelection(HWND combo);

// A drop-down list of the form whose first item is this text.
HWND ComboStartingWith(HWND form, const std::string& first);

// The editor's page that holds the control lies above every other page.
bool PageShowing(HWND form, HWND control);

// The editor's Next picture button, at the lower right of its client area.
POINT EditorNextButton(HWND editor);

void SetText(HWND edit, const std::string& text);

// A user's key press on a focused control.
void Key(HWND control, WPARAM key);
