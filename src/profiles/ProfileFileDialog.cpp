#include "profiles/ProfileFileDialog.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>

std::function<bool(bool save, std::string& path)> profileFileDialogAnswer;
const TProfileFileDialog* profileFileDialogShowing = nullptr;

bool TProfileFileDialog::Execute(HWND owner)
{
    if (profileFileDialogAnswer) {
        std::string path = FileName;
        profileFileDialogShowing = this;
        const bool chosen = profileFileDialogAnswer(m_bSave, path);
        profileFileDialogShowing = nullptr;
        if (!chosen)
            return false;
        FileName = path;
        return true;
    }
    // The system wants the filter's parts separated by zero bytes and ended by two.
    std::string filter = Filter;
    std::replace(filter.begin(), filter.end(), '|', '\0');
    filter.append(2, '\0');
    std::vector<char> path(MAX_PATH, 0);
    FileName.copy(path.data(), path.size() - 1);

    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = DWORD(path.size());
    dialog.lpstrDefExt = DefaultExt.empty() ? nullptr : DefaultExt.c_str();
    dialog.Flags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR |
                   (m_bSave ? OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST : OFN_FILEMUSTEXIST);
    const BOOL chosen = m_bSave ? GetSaveFileNameA(&dialog) : GetOpenFileNameA(&dialog);
    if (!chosen)
        return false;
    FileName = path.data();
    return true;
}
