#include "advanced/FormAdvancedControls.h"

#include <cstdint>

namespace advctl {

void SelectCode(TComboBox* list, int code)
{
    const int at = list->Items().IndexOfObject(reinterpret_cast<void*>(static_cast<intptr_t>(code)));
    list->SetItemIndex(at >= 0 ? at : (list->Items().Count() ? 0 : -1));
}

int SelectedCode(const TComboBox* list)
{
    const int at = list->ItemIndex();
    if (at < 0 || at >= list->Items().Count())
        return 0;
    return static_cast<int>(reinterpret_cast<intptr_t>(list->Items().Objects(at)));
}

void AddCoded(TComboBox* list, const std::string& text, int code)
{
    list->Items().AddObject(text, reinterpret_cast<void*>(static_cast<intptr_t>(code)));
}

}  // namespace advctl
