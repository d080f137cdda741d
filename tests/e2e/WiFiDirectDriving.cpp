#include "WiFiDirectDriving.h"

std::vector<uint32_t> Pixels(HWND window, const RECT& part)
{
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Sleep(100);
    POINT origin = {part.left, part.top};
    ClientToScreen(window, &origin);
    const int w = part.right - part.left, h = part.bottom - part.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, w, h, screen, origin.x, origin.y, SRCCOPY);
    GdiFlush();
    // colour only: text drawing leaves its own values in the fourth byte
    std::vector<uint32_t> pixels(static_cast<uint32_t*>(bits), static_cast<uint32_t*>(bits) + w * h);
    for (uint32_t& pixel : pixels)
        pixel |= 0xFF000000u;
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

std::vector<uint32_t> Pixels(HWND window)
{
    RECT client{};
    GetClientRect(window, &client);
    return Pixels(window, client);
}

void Shot(HWND window, const std::string& name)
{
    char folder[MAX_PATH] = {};
    if (!GetEnvironmentVariableA("WEVO_SHOTS", folder, sizeof folder))
        return;
    RECT client{};
    GetClientRect(window, &client);
    const std::vector<uint32_t> pixels = Pixels(window, client);
    BITMAPINFOHEADER header{sizeof header, client.right, -client.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    header.biSizeImage = DWORD(pixels.size() * 4);
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + header.biSizeImage;
    HANDLE out = CreateFileA((std::string(folder) + "\\" + name + ".bmp").c_str(), GENERIC_WRITE, 0, nullptr,
                             CREATE_ALWAYS, 0, nullptr);
    if (out == INVALID_HANDLE_VALUE)
        return;
    DWORD done = 0;
    WriteFile(out, &file, sizeof file, &done, nullptr);
    WriteFile(out, &header, sizeof header, &done, nullptr);
    WriteFile(out, pixels.data(), header.biSizeImage, &done, nullptr);
    CloseHandle(out);
}

void DoubleClickAt(HWND window, POINT at)
{
    const LPARAM where = MAKELPARAM(at.x, at.y);
    PostMessageA(window, WM_MOUSEMOVE, 0, where);
    PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, where);
    PostMessageA(window, WM_LBUTTONUP, 0, where);
    PostMessageA(window, WM_LBUTTONDBLCLK, MK_LBUTTON, where);
    PostMessageA(window, WM_LBUTTONUP, 0, where);
}

POINT Centre(const RECT& r)
{
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

namespace {

struct ChildSearch {
    std::function<bool(HWND)> accept;
    HWND found = nullptr;
};

BOOL CALLBACK TakeChild(HWND child, LPARAM param)
{
    auto* search = reinterpret_cast<ChildSearch*>(param);
    if (!search->accept(child))
        return TRUE;
    search->found = child;
    return FALSE;
}

}  // namespace

HWND FindChild(HWND form, const std::function<bool(HWND)>& accept)
{
    ChildSearch search{[&accept](HWND w) { return IsWindowVisible(w) && accept(w); }};
    EnumChildWindows(form, TakeChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindButton(HWND form, const std::string& caption)
{
    return FindChild(form, [&caption](HWND w) { return WindowClass(w) == "Button" && WindowText(w) == caption; });
}

HWND FindEdit(HWND form)
{
    return FindChild(form, [](HWND w) {
        return WindowClass(w) == "Edit" && IsWindowEnabled(w) && !(GetWindowLongA(w, GWL_STYLE) & ES_READONLY);
    });
}

bool Checked(HWND button)
{
    return SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

HWND ShowListPopup(HWND list)
{
    RECT r{};
    GetWindowRect(list, &r);
    PostMessageA(list, WM_CONTEXTMENU, WPARAM(list), MAKELPARAM(r.left + 40, r.top + 8));
    HWND menu = nullptr;
    if (!WaitFor([&] { return (menu = FindWindowA("#32768", nullptr)) != nullptr && IsWindowVisible(menu); }, 10000))
        return nullptr;
    return menu;
}

bool ChooseFromListPopup(HWND list, int item)
{
    HWND menu = ShowListPopup(list);
    if (!menu)
        return false;
    for (int i = 0; i <= item; ++i)
        PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
    return WaitFor([&] { return !IsWindowVisible(menu); }, 5000);
}
