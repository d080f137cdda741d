#include "ui/Classes.h"

#include <algorithm>

TComponent::TComponent(TComponent* AOwner) : owner_(AOwner)
{
    if (owner_)
        owner_->components_.push_back(this);
}

TComponent::~TComponent()
{
    while (!components_.empty())
        delete components_.back();  // each removes itself from this list
    if (owner_) {
        auto& list = owner_->components_;
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
    }
}

void TComponent::LoadedAll()
{
    std::vector<TComponent*> owned = components_;
    for (TComponent* component : owned)
        component->LoadedAll();
    Loaded();
}

void TStrings::Changed()
{
    if (OnChange)
        OnChange();
}

void TStrings::SetString(int index, const std::string& text)
{
    items_.at(index).text = text;
    Changed();
}

void TStrings::SetObject(int index, void* object)
{
    items_.at(index).object = object;
}

namespace {

bool TextBefore(const std::string& a, const std::string& b)
{
    return lstrcmpiA(a.c_str(), b.c_str()) < 0;
}

} // namespace

int TStrings::AddObject(const std::string& text, void* object)
{
    auto at = items_.end();
    if (sorted_)
        at = std::upper_bound(items_.begin(), items_.end(), text,
                              [](const std::string& t, const Item& item) { return TextBefore(t, item.text); });
    const int index = int(at - items_.begin());
    items_.insert(at, Item{text, object});
    Changed();
    return index;
}

void TStrings::SetSorted(bool value)
{
    if (sorted_ == value)
        return;
    sorted_ = value;
    if (!sorted_)
        return;
    std::stable_sort(items_.begin(), items_.end(),
                     [](const Item& a, const Item& b) { return TextBefore(a.text, b.text); });
    Changed();
}

void TStrings::Insert(int index, const std::string& text, void* object)
{
    if (index < 0 || index > Count())
        throw Exception("List index out of bounds (" + std::to_string(index) + ")");
    items_.insert(items_.begin() + index, Item{text, object});
    Changed();
}

void TStrings::Delete(int index)
{
    if (index < 0 || index >= Count())
        throw Exception("List index out of bounds (" + std::to_string(index) + ")");
    items_.erase(items_.begin() + index);
    Changed();
}

void TStrings::Clear()
{
    items_.clear();
    Changed();
}

int TStrings::IndexOf(const std::string& text) const
{
    for (int i = 0; i < Count(); ++i)
        if (items_[i].text == text)
            return i;
    return -1;
}

int TStrings::IndexOfObject(const void* object) const
{
    for (int i = 0; i < Count(); ++i)
        if (items_[i].object == object)
            return i;
    return -1;
}
