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

int TStrings::AddObject(const std::string& text, void* object)
{
    items_.push_back({text, object});
    Changed();
    return Count() - 1;
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
