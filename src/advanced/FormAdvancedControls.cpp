#include "advanced/FormAdvancedControls.h"

#include <cstdint>

namespace advctl {

namespace {

template <class T>
T* Place(T* control, TWinControl* parent, int left, int top, int width, int height)
{
    control->SetParent(parent);
    control->SetBounds(left, top, width, height);
    return control;
}

}  // namespace

TCheckBox* Check(TWinControl* parent, int left, int top, int width, const std::string& caption)
{
    auto* box = Place(new TCheckBox(parent), parent, left, top, width, 17);
    box->SetCaption(caption);
    return box;
}

TRadioButton* Radio(TWinControl* parent, int left, int top, int width, const std::string& caption)
{
    auto* radio = Place(new TRadioButton(parent), parent, left, top, width, 17);
    radio->SetCaption(caption);
    return radio;
}

TComboBox* List(TWinControl* parent, int left, int top, int width)
{
    return Place(new TComboBox(parent, csDropDownList), parent, left, top, width, 21);
}

TEdit* Edit(TWinControl* parent, int left, int top, int width, int maxLength)
{
    auto* edit = Place(new TEdit(parent), parent, left, top, width, 21);
    edit->SetMaxLength(maxLength);
    return edit;
}

TButton* Button(TWinControl* parent, int left, int top, int width, int height, const std::string& caption)
{
    auto* button = Place(new TButton(parent), parent, left, top, width, height);
    button->SetCaption(caption);
    return button;
}

TGroupBox* Group(TWinControl* parent, int left, int top, int width, int height, const std::string& caption)
{
    auto* group = Place(new TGroupBox(parent), parent, left, top, width, height);
    group->SetCaption(caption);
    return group;
}

TPanel* Panel(TWinControl* parent, int left, int top, int width, int height)
{
    return Place(new TPanel(parent), parent, left, top, width, height);
}

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
