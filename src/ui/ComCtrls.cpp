#include "ui/ComCtrls.h"
#include <algorithm>
#include <stdexcept>

// ---- TImageList

TImageList::TImageList(TComponent* AOwner, int Width, int Height)
    : TComponent(AOwner), width_(Width), height_(Height)
{
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&icc);
}

TImageList::~TImageList()
{
    if (handle_)
        ImageList_Destroy(handle_);
}

HIMAGELIST TImageList::Handle() const
{
    if (!handle_)
        handle_ = ImageList_Create(width_, height_, ILC_COLOR32, 4, 4);
    if (!handle_ || pending_.empty())
        return handle_;
    std::vector<TPicture> pictures;
    pictures.swap(pending_);
    for (const TPicture& picture : pictures) {
        int index = -1;
        try {
            index = AddNow(picture);
        } catch (const EPictureError&) {
        }
        if (index < 0)
            AddNow(TPicture());  // a blank keeps the later pictures at their indexes
    }
    return handle_;
}

TImageList::Strip::~Strip()
{
    if (!dc)
        return;
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

const TImageList::Strip* TImageList::StripFor(HDC dc, COLORREF background) const
{
    for (const auto& strip : strips_)
        if (strip->background == background)
            return strip.get();
    HIMAGELIST list = Handle();
    const int count = list ? ImageList_GetImageCount(list) : 0;
    if (count <= 0)
        return nullptr;
    if (strips_.size() >= 4)
        strips_.clear();  // a few backgrounds at a time: normal, selected, selected unfocused
    auto strip = std::make_unique<Strip>();
    strip->background = background;
    strip->count = count;
    strip->dc = CreateCompatibleDC(dc);
    strip->bitmap = CreateCompatibleBitmap(dc, width_ * count, height_);
    if (!strip->dc || !strip->bitmap) {
        if (strip->bitmap)
            DeleteObject(strip->bitmap);
        if (strip->dc)
            DeleteDC(strip->dc);
        strip->dc = nullptr;
        return nullptr;
    }
    strip->old = SelectObject(strip->dc, strip->bitmap);
    HBRUSH brush = CreateSolidBrush(background);
    RECT all = {0, 0, width_ * count, height_};
    FillRect(strip->dc, &all, brush);
    DeleteObject(brush);
    for (int i = 0; i < count; ++i)
        ImageList_DrawEx(list, i, strip->dc, i * width_, 0, width_, height_, background, CLR_NONE, ILD_NORMAL);
    strips_.push_back(std::move(strip));
    return strips_.back().get();
}

bool TImageList::Draw(HDC dc, int index, int x, int y, COLORREF background) const
{
    if (index < 0)
        return false;
    const Strip* strip = StripFor(dc, background);
    return strip && index < strip->count && BitBlt(dc, x, y, width_, height_, strip->dc, index * width_, 0, SRCCOPY);
}

int TImageList::Add(const TPicture& picture)
{
    strips_.clear();
    if (!handle_) {
        pending_.push_back(picture);
        return static_cast<int>(pending_.size()) - 1;
    }
    return AddNow(picture);
}

int TImageList::AddNow(const TPicture& picture) const
{
    if (picture.IsIcon() && picture.Icon())
        return ImageList_AddIcon(handle_, picture.Icon());
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biHeight = -height_;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap)
        return -1;
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    if (!picture.Empty())
        picture.StretchDraw(dc, RECT{0, 0, width_, height_});
    SelectObject(dc, old);
    DeleteDC(dc);
    int index = ImageList_Add(handle_, bitmap, nullptr);
    DeleteObject(bitmap);
    return index;
}

int TImageList::Count() const
{
    const int made = handle_ ? ImageList_GetImageCount(handle_) : 0;
    return made + static_cast<int>(pending_.size());
}

void TImageList::Clear()
{
    strips_.clear();
    pending_.clear();
    if (handle_)
        ImageList_RemoveAll(handle_);
}

// ---- TListItem

int TListItem::Index() const
{
    return owner_->IndexOf(this);
}

void TListItem::Reset(int index)
{
    index_ = index;
    caption_.clear();
    image_ = -1;
    subItems_.clear();
    Data = nullptr;
}

void TListItem::Push(int column) const
{
    if (owner_->ownerData_ || !owner_->HandleAllocated())
        return;  // the view asks OnData when it paints; a view without window takes all when made
    int index = Index();
    if (index < 0)
        return;
    LVITEMA item = {};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = index;
    item.iSubItem = column;
    if (column == 0) {
        item.pszText = const_cast<char*>(caption_.c_str());
        item.iImage = image_;
    } else {
        const Sub& sub = subItems_.at(column - 1);
        item.pszText = const_cast<char*>(sub.text.c_str());
        item.iImage = sub.image;
    }
    SendMessageA(owner_->Handle(), LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

void TListItem::SetCaption(const std::string& value)
{
    caption_ = value;
    Push(0);
}

void TListItem::SetImageIndex(int value)
{
    image_ = value;
    Push(0);
}

void TListItem::AddSubItem(const std::string& text, int image)
{
    subItems_.push_back({text, image});
    Push(static_cast<int>(subItems_.size()));
}

void TListItem::SetSubItem(int index, const std::string& text)
{
    subItems_.at(index).text = text;
    Push(index + 1);
}

void TListItem::SetSubItemImage(int index, int image)
{
    subItems_.at(index).image = image;
    Push(index + 1);
}

bool TListItem::Selected() const
{
    int index = Index();
    if (index >= 0 && !owner_->HandleAllocated())
        return owner_->selected_ == index;
    return index >= 0 &&
           (SendMessageA(owner_->Handle(), LVM_GETITEMSTATE, index, LVIS_SELECTED) & LVIS_SELECTED);
}

void TListItem::SetSelected(bool value)
{
    int index = Index();
    if (index < 0)
        return;
    if (!owner_->HandleAllocated()) {
        owner_->SelectKept(index, value);
        return;
    }
    LVITEMA item = {};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = value ? LVIS_SELECTED | LVIS_FOCUSED : 0;
    SendMessageA(owner_->Handle(), LVM_SETITEMSTATE, index, reinterpret_cast<LPARAM>(&item));
}

void TListItem::MakeVisible()
{
    int index = Index();
    if (index >= 0 && owner_->HandleAllocated())
        SendMessageA(owner_->Handle(), LVM_ENSUREVISIBLE, index, FALSE);
}

// ---- TListColumn

void TListColumn::SetCaption(const std::string& value)
{
    caption_ = value;
    if (!owner_->HandleAllocated())
        return;
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT;
    column.pszText = const_cast<char*>(caption_.c_str());
    SendMessageA(owner_->Handle(), LVM_SETCOLUMNA, index_, reinterpret_cast<LPARAM>(&column));
}

void TListColumn::SetWidth(int value)
{
    width_ = value;
    if (owner_->HandleAllocated())
        SendMessageA(owner_->Handle(), LVM_SETCOLUMNWIDTH, index_, value);
}

// ---- TListView

namespace {

const char* ListViewClass()
{
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    return WC_LISTVIEWA;
}

}  // namespace

TListView::TListView(TComponent* AOwner, bool OwnerData)
    : TWinControl(AOwner, ListViewClass(),
                  WS_CHILD | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS |
                      LVS_SHAREIMAGELISTS | (OwnerData ? LVS_OWNERDATA : 0),
                  WS_EX_CLIENTEDGE),
      ownerData_(OwnerData)
{
    if (ownerData_)
        painted_.reset(new TListItem(this));
    color_ = GetSysColor(COLOR_WINDOW);
    if (HandleAllocated())
        SendMessageA(Handle(), LVM_SETEXTENDEDLISTVIEWSTYLE, extended_, extended_);
    SetBounds(0, 0, 250, 150);
}

TListView::TListView(const TControlArgs& Args, bool OwnerData) : TListView(Args.Parent, OwnerData)
{
    ApplyArgs(Args);
}

TListView::~TListView()
{
    ++quiet_;
}

TListColumn* TListView::AddColumn(const std::string& caption, int width)
{
    int index = ColumnCount();
    columns_.push_back(std::unique_ptr<TListColumn>(new TListColumn(this, index)));
    TListColumn* column = columns_.back().get();
    column->caption_ = caption;
    column->width_ = width;
    if (!HandleAllocated())
        return column;
    LVCOLUMNA native = {};
    native.mask = LVCF_TEXT | LVCF_WIDTH;
    native.pszText = const_cast<char*>(caption.c_str());
    native.cx = width;
    SendMessageA(Handle(), LVM_INSERTCOLUMNA, index, reinterpret_cast<LPARAM>(&native));
    return column;
}

TListItem* TListView::AddItem()
{
    return InsertItem(ItemCount());
}

TListItem* TListView::InsertItem(int index)
{
    if (ownerData_)
        throw Exception("An owner-data list view changes its rows by count only");
    index = std::clamp(index, 0, ItemCount());
    items_.insert(items_.begin() + index, std::unique_ptr<TListItem>(new TListItem(this)));
    if (HandleAllocated())
        InsertNative(index);
    else if (selected_ >= index)
        ++selected_;
    return items_[index].get();
}

void TListView::InsertNative(int index)
{
    LVITEMA native = {};
    native.mask = LVIF_TEXT | LVIF_IMAGE;
    native.iItem = index;
    native.pszText = const_cast<char*>("");
    native.iImage = -1;
    ++quiet_;
    SendMessageA(Handle(), LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&native));
    --quiet_;
}

void TListView::SelectKept(int index, bool value)
{
    if (value == (selected_ == index))
        return;
    const int old = selected_;
    selected_ = value ? index : -1;
    if (!OnSelectItem)
        return;
    if (value && old >= 0 && old < ItemCount())
        OnSelectItem(this, Item(old), false);
    if (index < ItemCount())
        OnSelectItem(this, Item(index), value);
}

void TListView::HandleCreated()
{
    SendMessageA(Handle(), LVM_SETEXTENDEDLISTVIEWSTYLE, extended_, extended_);
    if (smallImages_)
        SendMessageA(Handle(), LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(smallImages_->Handle()));
    if (colorSet_) {
        SendMessageA(Handle(), LVM_SETBKCOLOR, 0, color_);
        SendMessageA(Handle(), LVM_SETTEXTBKCOLOR, 0, color_);
    }
    for (int i = 0; i < ColumnCount(); ++i) {
        const TListColumn& column = *columns_[i];
        LVCOLUMNA native = {};
        native.mask = LVCF_TEXT | LVCF_WIDTH;
        native.pszText = const_cast<char*>(column.caption_.c_str());
        native.cx = column.width_;
        SendMessageA(Handle(), LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&native));
    }
    if (ownerData_) {
        ++quiet_;
        SendMessageA(Handle(), LVM_SETITEMCOUNT, count_, LVSICF_NOSCROLL);
        --quiet_;
    } else {
        for (int i = 0; i < ItemCount(); ++i) {
            InsertNative(i);
            const TListItem& item = *items_[i];
            for (int column = 0; column <= item.SubItemCount(); ++column)
                item.Push(column);
        }
    }
    if (selected_ < 0 || selected_ >= ItemCount())
        return;
    LVITEMA state = {};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    ++quiet_;
    SendMessageA(Handle(), LVM_SETITEMSTATE, selected_, reinterpret_cast<LPARAM>(&state));
    --quiet_;
}

void TListView::DeleteItem(int index)
{
    if (ownerData_)
        throw Exception("An owner-data list view changes its rows by count only");
    if (index < 0 || index >= ItemCount())
        return;
    if (!HandleAllocated()) {
        items_.erase(items_.begin() + index);
        selected_ = selected_ == index ? -1 : selected_ > index ? selected_ - 1 : selected_;
        return;
    }
    ++quiet_;
    SendMessageA(Handle(), LVM_DELETEITEM, index, 0);
    items_.erase(items_.begin() + index);
    --quiet_;
}

void TListView::ClearItems()
{
    if (ownerData_) {
        SetItemCount(0);
        return;
    }
    selected_ = -1;
    if (!HandleAllocated()) {
        items_.clear();
        return;
    }
    ++quiet_;
    SendMessageA(Handle(), LVM_DELETEALLITEMS, 0, 0);
    items_.clear();
    --quiet_;
}

TListItem* TListView::Item(int index) const
{
    if (!ownerData_)
        return items_.at(index).get();
    if (index < 0 || index >= count_)
        throw std::out_of_range("list item index");
    if (items_.size() != size_t(count_))
        items_.resize(count_);
    std::unique_ptr<TListItem>& item = items_[index];
    if (!item)
        item.reset(new TListItem(const_cast<TListView*>(this)));
    item->Reset(index);
    if (OnData)
        OnData(const_cast<TListView*>(this), item.get());
    return item.get();
}

void TListView::SetItemCount(int count)
{
    if (!ownerData_)
        return;
    count = std::max(count, 0);
    ++quiet_;
    items_.clear();
    count_ = count;
    if (selected_ >= count_)
        selected_ = -1;
    if (HandleAllocated())
        SendMessageA(Handle(), LVM_SETITEMCOUNT, count, LVSICF_NOSCROLL);
    --quiet_;
}

void TListView::UpdateItems(int first, int last)
{
    first = std::max(first, 0);
    last = std::min(last, ItemCount() - 1);
    if (first > last || !HandleAllocated() || !IsWindowVisible(Handle()))
        return;
    SendMessageA(Handle(), LVM_REDRAWITEMS, first, last);
}

void TListView::UpdateShownItems(const std::vector<int>& rows)
{
    if (rows.empty() || !HandleAllocated() || !IsWindowVisible(Handle()))
        return;
    const int top = static_cast<int>(SendMessageA(Handle(), LVM_GETTOPINDEX, 0, 0));
    // The rows wholly in view and the one partly shown below them.
    const int bottom = top + static_cast<int>(SendMessageA(Handle(), LVM_GETCOUNTPERPAGE, 0, 0));
    const auto first = std::lower_bound(rows.begin(), rows.end(), top);
    if (first == rows.end() || *first > bottom)
        return;
    const auto last = std::upper_bound(first, rows.end(), bottom) - 1;
    UpdateItems(*first, *last);
}

int TListView::IndexOf(const TListItem* item) const
{
    if (ownerData_)
        return item && item->owner_ == this && item->index_ < count_ ? item->index_ : -1;
    for (int i = 0; i < ItemCount(); ++i)
        if (items_[i].get() == item)
            return i;
    return -1;
}

TListItem* TListView::Selected() const
{
    int index = ItemIndex();
    return index >= 0 ? Item(index) : nullptr;
}

int TListView::ItemIndex() const
{
    if (!HandleAllocated())
        return selected_ < ItemCount() ? selected_ : -1;
    int index = static_cast<int>(SendMessageA(Handle(), LVM_GETNEXTITEM, -1, LVNI_SELECTED));
    return index >= 0 && index < ItemCount() ? index : -1;
}

void TListView::SetItemIndex(int index)
{
    if (index >= 0 && index < ItemCount()) {
        Item(index)->SetSelected(true);
        return;
    }
    if (TListItem* selected = Selected())
        selected->SetSelected(false);
}

void TListView::SetShowColumnHeaders(bool value)
{
    DWORD style = WindowStyle();
    SetWindowStyle(value ? (style & ~LVS_NOCOLUMNHEADER) : (style | LVS_NOCOLUMNHEADER));
}

void TListView::SetExtendedStyle(DWORD bits, bool on)
{
    extended_ = on ? (extended_ | bits) : (extended_ & ~bits);
    if (HandleAllocated())
        SendMessageA(Handle(), LVM_SETEXTENDEDLISTVIEWSTYLE, bits, on ? bits : 0);
}

void TListView::SetGridLines(bool value)
{
    SetExtendedStyle(LVS_EX_GRIDLINES, value);
}

void TListView::SetRowSelect(bool value)
{
    SetExtendedStyle(LVS_EX_FULLROWSELECT, value);
}

void TListView::SetBorder(bool value)
{
    DWORD ex = WindowExStyle();
    SetWindowExStyle(value ? (ex | WS_EX_CLIENTEDGE) : (ex & ~WS_EX_CLIENTEDGE));
}

void TListView::SetSmallImages(TImageList* images)
{
    smallImages_ = images;
    if (HandleAllocated())
        SendMessageA(Handle(), LVM_SETIMAGELIST, LVSIL_SMALL,
                     reinterpret_cast<LPARAM>(smallImages_ ? smallImages_->Handle() : nullptr));
}

void TListView::SetColor(COLORREF value)
{
    TWinControl::SetColor(value);
    colorSet_ = true;
    if (!HandleAllocated())
        return;
    SendMessageA(Handle(), LVM_SETBKCOLOR, 0, value);
    SendMessageA(Handle(), LVM_SETTEXTBKCOLOR, 0, value);
}

void TListView::SetOwnerDraw(bool value)
{
    const DWORD style = WindowStyle();
    SetWindowStyle(value ? (style | LVS_OWNERDRAWFIXED) : (style & ~LVS_OWNERDRAWFIXED));
}

bool TListView::DrawItemNotify(const DRAWITEMSTRUCT& Item)
{
    if (Item.CtlType != ODT_LISTVIEW || !ownerData_ || int(Item.itemID) < 0 || int(Item.itemID) >= count_)
        return false;
    painted_->Reset(int(Item.itemID));
    if (OnData)
        OnData(this, painted_.get());
    paintedIndex_ = -1;  // the row is filled for drawing, not for the next question
    const bool focused = HandleAllocated() && GetFocus() == Handle();
    DrawRow(Item.hDC, *painted_, Item.rcItem, (Item.itemState & ODS_SELECTED) != 0, focused);
    if ((Item.itemState & ODS_FOCUS) && focused)
        DrawFocusRect(Item.hDC, &Item.rcItem);
    return true;
}

void TListView::DrawRow(HDC dc, const TListItem& row, const RECT& bounds, bool selected, bool focused)
{
    COLORREF background = colorSet_ ? color_ : GetSysColor(COLOR_WINDOW);
    COLORREF text = GetSysColor(COLOR_WINDOWTEXT);
    if (selected && focused) {
        background = GetSysColor(COLOR_HIGHLIGHT);
        text = GetSysColor(COLOR_HIGHLIGHTTEXT);
    } else if (selected) {
        background = GetSysColor(COLOR_BTNFACE);
        text = GetSysColor(COLOR_BTNTEXT);
    }
    SetBkColor(dc, background);
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &bounds, nullptr, 0, nullptr);
    SetTextColor(dc, text);
    SetBkMode(dc, TRANSPARENT);
    int left = bounds.left;
    for (int column = 0; column < ColumnCount() && left < bounds.right; ++column) {
        const int width = columns_[column]->width_;
        const RECT cell = {left, bounds.top, left + width, bounds.bottom};
        left += width;
        if (column == 0) {
            DrawCell(dc, cell, row.ImageIndex(), row.Caption(), background);
        } else if (column - 1 < row.SubItemCount()) {
            DrawCell(dc, cell, row.SubItemImage(column - 1), row.SubItem(column - 1), background);
        }
    }
}

void TListView::DrawCell(HDC dc, const RECT& cell, int image, const std::string& text, COLORREF background)
{
    constexpr int kMargin = 2;
    RECT place = cell;
    place.left += kMargin;
    place.right -= kMargin;
    if (smallImages_ &&
        smallImages_->Draw(dc, image, place.left, cell.top + (cell.bottom - cell.top - smallImages_->Height()) / 2,
                           background))
        place.left += smallImages_->Width() + kMargin;
    if (text.empty() || place.right <= place.left)
        return;
    const std::string& shown = FittedText(dc, text, place.right - place.left);
    const int top = cell.top + (cell.bottom - cell.top - lineHeight_) / 2;
    ExtTextOutA(dc, place.left, top, ETO_CLIPPED, &place, shown.c_str(), UINT(shown.size()), nullptr);
}

const std::string& TListView::FittedText(HDC dc, const std::string& text, int width)
{
    const auto font = static_cast<HFONT>(GetCurrentObject(dc, OBJ_FONT));
    if (font != fittedFont_ || fitted_.size() > 4096) {
        fitted_.clear();
        fittedFont_ = font;
        TEXTMETRICA metrics{};
        GetTextMetricsA(dc, &metrics);
        lineHeight_ = metrics.tmHeight;
    }
    std::string key = text;
    key += '\0';
    key += std::to_string(width);
    const auto known = fitted_.find(key);
    if (known != fitted_.end())
        return known->second;
    std::string shown = text;
    int fit = 0;
    SIZE size{};
    GetTextExtentExPointA(dc, text.c_str(), int(text.size()), width, &fit, nullptr, &size);
    if (size.cx > width) {
        static const char kEllipsis[] = "...";
        SIZE dots{};
        GetTextExtentPoint32A(dc, kEllipsis, 3, &dots);
        GetTextExtentExPointA(dc, text.c_str(), int(text.size()), std::max(0, int(width - dots.cx)), &fit, nullptr, &size);
        shown = text.substr(0, size_t(std::max(fit, 0))) + kEllipsis;
    }
    return fitted_.emplace(std::move(key), std::move(shown)).first->second;
}

bool TListView::DispInfo(NMLVDISPINFOA* info, bool wide)
{
    LVITEMA& asked = info->item;
    if (!ownerData_ || asked.iItem < 0 || asked.iItem >= count_)
        return true;
    if (!painting_ || paintedIndex_ != asked.iItem) {
        painted_->Reset(asked.iItem);
        if (OnData)
            OnData(this, painted_.get());
        paintedIndex_ = painting_ ? asked.iItem : -1;
    }
    const int column = asked.iSubItem;
    const bool known = column >= 1 && column - 1 < painted_->SubItemCount();
    if (asked.mask & LVIF_TEXT && asked.pszText && asked.cchTextMax > 0) {
        static const std::string none;
        const std::string& text = column == 0 ? painted_->Caption() : known ? painted_->SubItem(column - 1) : none;
        if (wide) {
            std::wstring converted(text.size() + 1, L'\0');
            MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, converted.data(), int(converted.size()));
            lstrcpynW(reinterpret_cast<wchar_t*>(asked.pszText), converted.c_str(), asked.cchTextMax);
        } else {
            lstrcpynA(asked.pszText, text.c_str(), asked.cchTextMax);
        }
    }
    if (asked.mask & LVIF_IMAGE)
        asked.iImage = column == 0 ? painted_->ImageIndex() : known ? painted_->SubItemImage(column - 1) : -1;
    if (asked.mask & LVIF_INDENT)
        asked.iIndent = 0;
    return true;
}

void TListView::WndProc(TMessage& Message)
{
    if (Message.Msg != WM_PAINT) {
        TWinControl::WndProc(Message);
        return;
    }
    // The view asks for each column of a row in turn; one paint sees the rows as they are.
    struct Painting {
        TListView* view;
        explicit Painting(TListView* v) : view(v) { view->painting_ = true, view->paintedIndex_ = -1; }
        ~Painting() { view->painting_ = false, view->paintedIndex_ = -1; }
    } painting(this);
    TWinControl::WndProc(Message);
}

bool TListView::NotifyNotify(NMHDR* Header, LRESULT& Result)
{
    switch (Header->code) {
    case LVN_GETDISPINFOA:
        return DispInfo(reinterpret_cast<NMLVDISPINFOA*>(Header), false);
    case LVN_GETDISPINFOW:
        return DispInfo(reinterpret_cast<NMLVDISPINFOA*>(Header), true);
    case LVN_ODFINDITEMA:
    case LVN_ODFINDITEMW:
        Result = -1;
        return ownerData_;
    case LVN_ODCACHEHINT:
        return ownerData_;
    case LVN_ITEMCHANGED: {
        auto* change = reinterpret_cast<NMLISTVIEW*>(Header);
        if (quiet_ || !(change->uChanged & LVIF_STATE))
            return true;
        if (!((change->uOldState ^ change->uNewState) & LVIS_SELECTED))
            return true;
        if (change->iItem < 0 || change->iItem >= ItemCount())
            return true;
        if (OnSelectItem)
            OnSelectItem(this, Item(change->iItem), (change->uNewState & LVIS_SELECTED) != 0);
        return true;
    }
    case NM_CLICK:
        Click();
        return true;
    case NM_DBLCLK:
        DblClick();
        return true;
    default:
        return false;
    }
}
