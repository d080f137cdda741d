// The built-in pictures embedded in the program: present, in the format their table row
// names, with the table's size; icons are real icons; shaped backgrounds cut cleanly.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

namespace {

struct PictureRow {
    const char* name;
    const char* format;
    int width;
    int height;
};

const PictureRow kPictures[] = {
#include "pictures_table.h"
};

struct Blob {
    const unsigned char* data = nullptr;
    size_t size = 0;
};

Blob FindPicture(const char* name)
{
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC info = FindResourceA(module, name, MAKEINTRESOURCEA(10));  // RT_RCDATA
    if (!info)
        return {};
    HGLOBAL handle = LoadResource(module, info);
    return {static_cast<const unsigned char*>(LockResource(handle)), SizeofResource(module, info)};
}

uint32_t Le32(const unsigned char* p) { return p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24; }
uint32_t Be32(const unsigned char* p) { return uint32_t(p[0]) << 24 | p[1] << 16 | p[2] << 8 | p[3]; }

// Format and size read from the file's own header, independent of any decoder.
struct Header {
    std::string format;
    int width = 0;
    int height = 0;
};

Header ReadHeader(const Blob& b)
{
    const unsigned char* p = b.data;
    if (b.size > 26 && p[0] == 'B' && p[1] == 'M')
        return {"bmp", int(Le32(p + 18)), std::abs(int(Le32(p + 22)))};
    if (b.size > 24 && std::memcmp(p, "\x89PNG\r\n\x1a\n", 8) == 0)
        return {"png", int(Be32(p + 16)), int(Be32(p + 20))};
    if (b.size > 22 && p[0] == 0 && p[1] == 0 && p[2] == 1 && p[3] == 0)
        return {"ico", p[6] ? p[6] : 256, p[7] ? p[7] : 256};
    if (b.size > 4 && p[0] == 0xFF && p[1] == 0xD8) {
        for (size_t i = 2; i + 9 < b.size;) {
            if (p[i] != 0xFF)
                break;
            unsigned marker = p[i + 1];
            unsigned length = p[i + 2] << 8 | p[i + 3];
            if (marker >= 0xC0 && marker <= 0xC2)
                return {"jpg", p[i + 7] << 8 | p[i + 8], p[i + 5] << 8 | p[i + 6]};
            i += 2 + length;
        }
        return {"jpg", 0, 0};
    }
    return {"unknown", 0, 0};
}

TEST(FormResourceEmbedded, EveryPictureHasTheFormatAndSizeOfItsRow)
{
    for (const PictureRow& row : kPictures) {
        Blob blob = FindPicture(row.name);
        ASSERT_NE(blob.data, nullptr) << row.name << " is not embedded";
        Header h = ReadHeader(blob);
        EXPECT_EQ(h.format, row.format) << row.name;
        EXPECT_EQ(h.width, row.width) << row.name;
        EXPECT_EQ(h.height, row.height) << row.name;
    }
}

TEST(FormResourceEmbedded, TableHoldsTheRepositoryPicturesAndTheMainBackground)
{
    int jpg = 0, ico = 0, png = 0, bmp = 0;
    for (const PictureRow& row : kPictures) {
        std::string f = row.format;
        jpg += f == "jpg";
        ico += f == "ico";
        png += f == "png";
        bmp += f == "bmp";
    }
    // 233 JPEG, 45 icons, 9 PNG and 2 bitmaps in the repository, plus the main window's
    // own background (a bitmap, so that its key-coloured corners stay exact).
    EXPECT_EQ(jpg, 233);
    EXPECT_EQ(ico, 45);
    EXPECT_EQ(png, 9);
    EXPECT_EQ(bmp, 3);
}

TEST(FormResourceEmbedded, IconsAreRealIconsWithEveryImageMadeIntoAnIconHandle)
{
    for (const PictureRow& row : kPictures) {
        if (std::string(row.format) != "ico")
            continue;
        Blob blob = FindPicture(row.name);
        ASSERT_NE(blob.data, nullptr);
        unsigned count = blob.data[4] | blob.data[5] << 8;
        ASSERT_GE(count, 1u) << row.name;
        for (unsigned i = 0; i < count; ++i) {
            const unsigned char* entry = blob.data + 6 + 16 * i;
            uint32_t bytes = Le32(entry + 8), offset = Le32(entry + 12);
            ASSERT_LE(size_t(offset) + bytes, blob.size) << row.name;
            EXPECT_EQ(Le32(blob.data + offset), 40u) << row.name << ": image " << i << " is no DIB";
            HICON icon = CreateIconFromResourceEx(const_cast<unsigned char*>(blob.data + offset), bytes,
                                                  TRUE, 0x00030000, 0, 0, LR_DEFAULTCOLOR);
            EXPECT_NE(icon, nullptr) << row.name << ": image " << i;
            if (icon)
                DestroyIcon(icon);
        }
    }
}

TEST(FormResourceEmbedded, TrayIconsCarrySmallAndLargeImages)
{
    for (const char* name : {"ImgTrayIconNoExist", "ImgTrayIconLost", "ImgTrayIconWeak", "ImgTrayIconNormal",
                             "ImgTrayIconGood", "ImgTrayIconWepError"}) {
        Blob blob = FindPicture(name);
        ASSERT_NE(blob.data, nullptr) << name;
        ASSERT_EQ(blob.data[4], 2) << name;
        EXPECT_EQ(blob.data[6], 32) << name;       // largest first
        EXPECT_EQ(blob.data[6 + 16], 16) << name;
    }
}

// Pixel of a 24-bit bottom-up bitmap file as 0x00BBGGRR.
COLORREF BmpPixel(const Blob& b, int x, int y)
{
    int w = int(Le32(b.data + 18)), h = int(Le32(b.data + 22));
    int stride = (w * 3 + 3) & ~3;
    const unsigned char* p = b.data + Le32(b.data + 10) + size_t(h - 1 - y) * stride + x * 3;
    return RGB(p[2], p[1], p[0]);
}

TEST(FormResourceEmbedded, ShapedBackgroundsCutTheirCornersInThePureKeyColour)
{
    const COLORREF key = RGB(255, 0, 0);  // the default transparency key colour
    for (const char* name : {"MainFormBackground", "ImgProgressMsgBox"}) {
        Blob blob = FindPicture(name);
        ASSERT_NE(blob.data, nullptr) << name;
        ASSERT_EQ(Le32(blob.data + 28) & 0xFFFF, 24u) << name;
        int w = int(Le32(blob.data + 18)), h = int(Le32(blob.data + 22));
        for (auto [x, y] : {std::pair{0, 0}, {w - 1, 0}, {0, h - 1}, {w - 1, h - 1}})
            EXPECT_EQ(BmpPixel(blob, x, y), key) << name << " corner " << x << "," << y;
        // inside the window and along the straight edges nothing is cut
        for (auto [x, y] : {std::pair{w / 2, 0}, {w / 2, h - 1}, {0, h / 2}, {w - 1, h / 2}, {w / 2, h / 2}})
            EXPECT_NE(BmpPixel(blob, x, y), key) << name << " at " << x << "," << y;
        // every row is one run: key pixels only at its two ends
        for (int y = 0; y < h; ++y) {
            int x = 0;
            while (x < w && BmpPixel(blob, x, y) == key)
                ++x;
            while (x < w && BmpPixel(blob, x, y) != key)
                ++x;
            while (x < w && BmpPixel(blob, x, y) == key)
                ++x;
            EXPECT_EQ(x, w) << name << ": ragged row " << y;
        }
    }
}

}  // namespace
