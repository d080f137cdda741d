#include "resources_fixture.h"

#include <cstdint>
#include <cstring>
#include <fstream>

namespace restest {

std::vector<unsigned char> ResourceBytes(const char* name)
{
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC info = FindResourceA(module, name, MAKEINTRESOURCEA(10));
    if (!info)
        return {};
    auto* data = static_cast<const unsigned char*>(LockResource(LoadResource(module, info)));
    return {data, data + SizeofResource(module, info)};
}

TempFolder::TempFolder()
{
    char base[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, base);
    static int counter = 0;
    path_ = std::string(base) + "wevo_res_" + std::to_string(GetCurrentProcessId()) + "_" +
            std::to_string(++counter);
    CreateDirectoryA(path_.c_str(), nullptr);
}

TempFolder::~TempFolder()
{
    for (auto it = files_.rbegin(); it != files_.rend(); ++it) {
        if (!DeleteFileA(it->c_str()))
            RemoveDirectoryA(it->c_str());
    }
    RemoveDirectoryA(path_.c_str());
}

void TempFolder::Write(const std::string& relative, const std::string& bytes) const
{
    auto* self = const_cast<TempFolder*>(this);
    size_t pos = 0;
    while ((pos = relative.find('\\', pos)) != std::string::npos) {
        std::string dir = path_ + "\\" + relative.substr(0, pos);
        if (CreateDirectoryA(dir.c_str(), nullptr))
            self->files_.push_back(dir);
        ++pos;
    }
    std::string full = path_ + "\\" + relative;
    std::ofstream(full, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
    self->files_.push_back(full);
}

void TempFolder::Write(const std::string& relative, const std::vector<unsigned char>& bytes) const
{
    Write(relative, std::string(bytes.begin(), bytes.end()));
}

std::string SolidBmp(int width, int height, COLORREF color)
{
    const int stride = (width * 3 + 3) & ~3;
    const uint32_t offset = 14 + 40, size = offset + uint32_t(stride) * height;
    std::string b(size, '\0');
    auto put16 = [&](size_t at, uint16_t v) { std::memcpy(&b[at], &v, 2); };
    auto put32 = [&](size_t at, uint32_t v) { std::memcpy(&b[at], &v, 4); };
    b[0] = 'B';
    b[1] = 'M';
    put32(2, size);
    put32(10, offset);
    put32(14, 40);
    put32(18, uint32_t(width));
    put32(22, uint32_t(height));
    put16(26, 1);
    put16(28, 24);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            char* p = &b[offset + size_t(y) * stride + size_t(x) * 3];
            p[0] = char(GetBValue(color));
            p[1] = char(GetGValue(color));
            p[2] = char(GetRValue(color));
        }
    return b;
}

}  // namespace restest
