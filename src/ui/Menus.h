#pragma once
#include "ui/Classes.h"

// Menu item; items hold child items. Deleting an item deletes its children; Delete and
// Remove only take a child out.
class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* AOwner);
    ~TMenuItem() override;

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& value) { caption_ = value; }  // "-" is a separator
    bool Checked = false;
    bool Enabled = true;
    bool Visible = true;
    TNotifyEvent OnClick;
    virtual void Click();

    TMenuItem* Parent() const { return parent_; }
    int Count() const { return static_cast<int>(items_.size()); }
    TMenuItem* Items(int index) const { return items_.at(index); }
    int IndexOf(const TMenuItem* item) const;
    void Add(TMenuItem* item);
    void Insert(int index, TMenuItem* item);
    void Delete(int index);
    void Remove(TMenuItem* item);
    void Clear();  // deletes every child

private:
    std::string caption_;
    TMenuItem* parent_ = nullptr;
    std::vector<TMenuItem*> items_;
};

// Popup menu. Popup returns after the menu has closed and the chosen item's OnClick has run.
class TPopupMenu : public TComponent {
public:
    explicit TPopupMenu(TComponent* AOwner);
    TMenuItem* Items() const { return items_; }
    void Popup(int X, int Y);  // screen coordinates
    bool AutoHotkeys = false;
    bool AutoLineReduction = false;
    TComponent* PopupComponent = nullptr;
    TNotifyEvent OnPopup;

    // The item the test seam or a caller chooses without showing the menu.
    static std::function<TMenuItem*(TPopupMenu*)> chooseOverride;

private:
    TMenuItem* items_;
};
