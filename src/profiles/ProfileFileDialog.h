#pragma once
// The open and save dialogs of profile files.
#include <windows.h>
#include <functional>
#include <string>

class TProfileFileDialog {
public:
    explicit TProfileFileDialog(bool save) : m_bSave(save) {}

    std::string DefaultExt;
    std::string Filter;    // pairs of description and pattern joined by '|'
    std::string FileName;  // in: initial name; out: the chosen path

    // Shows the dialog (the save dialog asks before overwriting); true when the user chose a
    // file.
    bool Execute(HWND owner);

private:
    bool m_bSave;
};

// Test seam: when set, Execute returns its answer without showing anything; the path it
// writes becomes FileName.
extern std::function<bool(bool save, std::string& path)> profileFileDialogAnswer;
// The dialog being answered, for the seam to look at its filter and names; null otherwise.
extern const TProfileFileDialog* profileFileDialogShowing;
