#include "EditorDriving.h"

#include <iterator>

#include "WevoRun.h"

namespace {

struct ChildSearch {
    const std::function<bool(HWND)>* accept;
    std::vector<HWND> found;
};

BOOL CALLBACK TakeChild(HWND child, LPARAM param)
{
    auto* search = reinterpret_cast<ChildSearch*>(param);
    if ((*search->accept)(child))
        search->found.push_back(child);
    return TRUE;
}

} // namespace

std::vector<HWND> Children(HWND parent, const std::function<bool(HWND)>& accept)
{
    ChildSearch search{&accept, {}};
    EnumChildWindows(parent, TakeChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool IsPasswordEdit(HWND control)
{
    return WindowClass(control) == "Edit" && (GetWindowLongA(control, GWL_STYLE) & ES_PASSWORD);
}

std::string ComboItem(HWND combo, int index)
{
    if (index < 0)
        return "";
    wchar_t text[256] = {};
    if (SendMessageW(combo, CB_GETLBTEXTLEN, index, 0) >= LRESULT(std::size(text)))
        return "";
    SendMessageW(combo, CB_GETLBTEXT, index, LPARAM(text));
    char narrow[512] = {};
    WideCharToMultiByte(CP_ACP, 0, text, -1, narrow, sizeof narrow, nullptr, nullptr);
    return narrow;
}

std::string ComboSelection(HWND combo)
{
    return ComboItem(combo, int(SendMessageA(combo, CB_GETCURSEL, 0, 0)));
}

HWND ComboStartingWith(HWND form, const std::string& first)
{
    auto found = Children(form, [&](HWND c) { return WindowClass(c) == "ComboBox" && ComboItem(c, 0) == first; });
    return found.empty() ? nullptr : found.front();
}

bool PageShowing(HWND form, HWND control)
{
    HWND page = GetParent(control);
    return page && GetParent(page) == form && GetTopWindow(form) == page;
}

POINT EditorNextButton(HWND editor)
{
    RECT client{};
    GetClientRect(editor, &client);
    return {client.right - 40 + 10, client.bottom - 34 + 10};
}

void SetText(HWND edit, const std::string& text)
{
    SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void Key(HWND control, WPARAM key)
{
    PostMessageA(control, WM_KEYDOWN, key, 1);
    PostMessageA(control, WM_KEYUP, key, 0xC0000001);
}
