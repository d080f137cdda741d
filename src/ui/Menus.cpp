#include "ui/Menus.h"
#include "ui/Forms.h"
#include <algorithm>

std::function<TMenuItem*(TPopupMenu*)> TPopupMenu::chooseOverride;

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner) {}

TMenuItem::~TMenuItem()
{
    Clear();
    if (parent_)
        parent_->Remove(this);
}

void TMenuItem::Click()
{
    if (OnClick)
        OnClick(this);
}

int TMenuItem::IndexOf(const TMenuItem* item) const
{
    auto it = std::find(items_.begin(), items_.end(), item);
    return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

void TMenuItem::Add(TMenuItem* item)
{
    Insert(Count(), item);
}

void TMenuItem::Insert(int index, TMenuItem* item)
{
    if (!item)
        return;
    if (index < 0 || index > Count())
        throw Exception("Menu index out of range (" + std::to_string(index) + ")");
    if (item->parent_)
        item->parent_->Remove(item);
    items_.insert(items_.begin() + index, item);
    item->parent_ = this;
}

void TMenuItem::Delete(int index)
{
    if (index < 0 || index >= Count())
        throw Exception("Menu index out of range (" + std::to_string(index) + ")");
    items_[index]->parent_ = nullptr;
    items_.erase(items_.begin() + index);
}

void TMenuItem::Remove(TMenuItem* item)
{
    int index = IndexOf(item);
    if (index >= 0)
        Delete(index);
}

void TMenuItem::Clear()
{
    while (!items_.empty())
        delete items_.back();
}

TPopupMenu::TPopupMenu(TComponent* AOwner) : TComponent(AOwner), items_(new TMenuItem(this)) {}

namespace {

void BuildMenu(HMENU menu, const TMenuItem* parent, std::vector<TMenuItem*>& commands)
{
    for (int i = 0; i < parent->Count(); ++i) {
        TMenuItem* item = parent->Items(i);
        if (!item->Visible)
            continue;
        if (item->Caption() == "-") {
            AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        UINT flags = MF_STRING | (item->Checked ? MF_CHECKED : 0) | (item->Enabled ? 0 : MF_GRAYED);
        if (item->Count() > 0) {
            HMENU sub = CreatePopupMenu();
            BuildMenu(sub, item, commands);
            AppendMenuA(menu, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(sub), item->Caption().c_str());
            continue;
        }
        commands.push_back(item);
        AppendMenuA(menu, flags, commands.size(), item->Caption().c_str());
    }
}

}  // namespace

void TPopupMenu::Popup(int X, int Y)
{
    if (OnPopup)
        OnPopup(this);
    if (chooseOverride) {
        if (TMenuItem* item = chooseOverride(this))
            item->Click();
        return;
    }
    HMENU menu = CreatePopupMenu();
    std::vector<TMenuItem*> commands;
    BuildMenu(menu, items_, commands);
    // The menu's owner must be the foreground window, or keys do not reach the menu and a
    // click elsewhere does not close it (a menu from the notification area has no foreground
    // window of ours yet); the null message afterwards lets the next menu open at once.
    HWND owner = GetForegroundWindow();
    if (!owner || GetWindowThreadProcessId(owner, nullptr) != GetCurrentThreadId())
        owner = Application->Handle();
    SetForegroundWindow(owner);
    UINT command = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, X, Y, 0,
                                  owner, nullptr);
    PostMessageA(owner, WM_NULL, 0, 0);
    DestroyMenu(menu);
    if (command > 0 && command <= commands.size())
        commands[command - 1]->Click();
}
