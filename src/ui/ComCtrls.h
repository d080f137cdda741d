#pragma once
#include "ui/Controls.h"
#include "ui/Picture.h"
#include <commctrl.h>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

// Pictures of one size for list views. The pictures are put into the system's list when its
// handle is first asked for (when a list view that shows them gets its window).
class TImageList : public TComponent {
public:
    explicit TImageList(TComponent* AOwner, int Width = 16, int Height = 16);
    ~TImageList() override;
    int Add(const TPicture& picture);  // index of the new picture
    int Count() const;
    void Clear();
    int Width() const { return width_; }
    int Height() const { return height_; }
    HIMAGELIST Handle() const;
    // Draws picture index at (x, y) over background, from a strip of all the pictures made
    // once per background: a copy of pixels, not a blend per picture. False when there is
    // no such picture.
    bool Draw(HDC dc, int index, int x, int y, COLORREF background) const;

private:
    int AddNow(const TPicture& picture) const;
    // The pictures side by side over one background, in a memory DC.
    struct Strip {
        COLORREF background = 0;
        int count = 0;
        HDC dc = nullptr;
        HBITMAP bitmap = nullptr;
        HGDIOBJ old = nullptr;
        Strip() = default;
        Strip(const Strip&) = delete;
        Strip& operator=(const Strip&) = delete;
        ~Strip();
    };
    const Strip* StripFor(HDC dc, COLORREF background) const;

    int width_, height_;
    mutable HIMAGELIST handle_ = nullptr;
    mutable std::vector<TPicture> pending_;
    mutable std::vector<std::unique_ptr<Strip>> strips_;
};

class TListView;

// A row of a list view: caption, picture, sub-items with pictures, and a value (Data).
class TListItem {
public:
    TListView* ListView() const { return owner_; }
    int Index() const;

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& value);
    int ImageIndex() const { return image_; }
    void SetImageIndex(int value);

    int SubItemCount() const { return static_cast<int>(subItems_.size()); }
    const std::string& SubItem(int index) const { return subItems_.at(index).text; }
    int SubItemImage(int index) const { return subItems_.at(index).image; }
    void AddSubItem(const std::string& text, int image = -1);
    void SetSubItem(int index, const std::string& text);
    void SetSubItemImage(int index, int image);

    void* Data = nullptr;

    bool Selected() const;
    void SetSelected(bool value);  // runs OnSelectItem of the list view
    void MakeVisible();

private:
    friend class TListView;
    explicit TListItem(TListView* owner) : owner_(owner) {}
    struct Sub {
        std::string text;
        int image;
    };
    void Push(int column) const;
    void Reset(int index);
    TListView* owner_;
    int index_ = -1;  // owner data: the row this item was filled for
    std::string caption_;
    int image_ = -1;
    std::vector<Sub> subItems_;
};

class TListColumn {
public:
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& value);
    int Width() const { return width_; }
    void SetWidth(int value);

private:
    friend class TListView;
    TListColumn(TListView* owner, int index) : owner_(owner), index_(index) {}
    TListView* owner_;
    int index_;
    std::string caption_;
    int width_ = 50;
};

using TLVSelectItemEvent = std::function<void(TObject* Sender, TListItem* Item, bool Selected)>;
using TLVOwnerDataEvent = std::function<void(TObject* Sender, TListItem* Item)>;

// Report-style list view with one selection. Selecting an item (by the user or from code)
// runs OnSelectItem; adding, deleting and clearing items run nothing.
// Owner data: the view keeps only a count of rows; OnData fills a row (caption, pictures,
// sub-items, Data) whenever the view paints it or anyone asks for it. Item(i) returns an
// item filled afresh, valid until the count changes. Rows are added and removed only through
// SetItemCount; UpdateItems repaints rows whose data changed.
class TListView : public TWinControl {
public:
    explicit TListView(TComponent* AOwner, bool OwnerData = false);
    explicit TListView(const TControlArgs& Args, bool OwnerData = false);
    ~TListView() override;

    bool OwnerData() const { return ownerData_; }
    void SetItemCount(int count);
    void UpdateItems(int first, int last);
    // Repaints those of the rows (ascending) that are in view, as one span.
    void UpdateShownItems(const std::vector<int>& rows);
    TLVOwnerDataEvent OnData;

    TListColumn* AddColumn(const std::string& caption, int width);
    int ColumnCount() const { return static_cast<int>(columns_.size()); }
    TListColumn* Column(int index) const { return columns_.at(index).get(); }

    TListItem* AddItem();
    TListItem* InsertItem(int index);  // before the item at index; at the end when out of range
    void DeleteItem(int index);
    void ClearItems();
    int ItemCount() const { return ownerData_ ? count_ : static_cast<int>(items_.size()); }
    TListItem* Item(int index) const;
    int IndexOf(const TListItem* item) const;
    TListItem* Selected() const;  // first selected item or null
    int ItemIndex() const;        // -1 when none
    void SetItemIndex(int index); // as Item(index)->SetSelected(true); -1 clears

    void SetShowColumnHeaders(bool value);
    void SetRowSelect(bool value);
    void SetGridLines(bool value);
    void SetBorder(bool value);
    void SetSmallImages(TImageList* images);
    void SetColor(COLORREF value) override;
    // Report view whose rows the list view draws itself from OnData: pictures copied from
    // the small images, texts ended with an ellipsis measured once per text and width.
    void SetOwnerDraw(bool value);

    TLVSelectItemEvent OnSelectItem;

protected:
    void HandleCreated() override;
    bool NotifyNotify(NMHDR* Header, LRESULT& Result) override;
    bool DrawItemNotify(const DRAWITEMSTRUCT& Item) override;
    void WndProc(TMessage& Message) override;

private:
    friend class TListItem;
    friend class TListColumn;
    void SetExtendedStyle(DWORD bits, bool on);
    void InsertNative(int index);
    void SelectKept(int index, bool value);  // selection while there is no window
    // Kept while there is no window, handed to it when it is made.
    DWORD extended_ = LVS_EX_SUBITEMIMAGES;
    TImageList* smallImages_ = nullptr;
    bool colorSet_ = false;
    int selected_ = -1;
    std::vector<std::unique_ptr<TListColumn>> columns_;
    bool DispInfo(NMLVDISPINFOA* info, bool wide);
    void DrawRow(HDC dc, const TListItem& row, const RECT& bounds, bool selected, bool focused);
    void DrawCell(HDC dc, const RECT& cell, int image, const std::string& text, COLORREF background);
    // Texts as drawn in a cell of a width: cut and ended with "..." when too wide.
    const std::string& FittedText(HDC dc, const std::string& text, int width);
    std::unordered_map<std::string, std::string> fitted_;
    HFONT fittedFont_ = nullptr;
    int lineHeight_ = 0;
    // Owner data: the cache holds the items handed out since the count last changed.
    mutable std::vector<std::unique_ptr<TListItem>> items_;
    std::unique_ptr<TListItem> painted_;  // the row being painted
    // While the view paints, the row last asked for: its other columns come from it.
    bool painting_ = false;
    int paintedIndex_ = -1;
    bool ownerData_ = false;
    int count_ = 0;
    int quiet_ = 0;  // >0 while the list changes itself
};
