#include "ui/IniFiles.h"
#include <cctype>
#include <cstdint>

namespace {

// A profile call that fills a buffer, grown until the result fits.
template <class F>
std::string ReadGrowing(F read, DWORD slack)
{
    std::string buffer(2048, '\0');
    for (;;) {
        DWORD n = read(buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n + slack < buffer.size() || buffer.size() >= (1u << 24)) {
            buffer.resize(n);
            return buffer;
        }
        buffer.assign(buffer.size() * 2, '\0');
    }
}

std::vector<std::string> SplitNulls(const std::string& list)
{
    std::vector<std::string> result;
    size_t start = 0;
    while (start < list.size()) {
        size_t end = list.find('\0', start);
        if (end == std::string::npos)
            end = list.size();
        if (end > start)
            result.push_back(list.substr(start, end - start));
        start = end + 1;
    }
    return result;
}

}  // namespace

std::string TIniFile::ReadString(const std::string& Section, const std::string& Ident,
                                 const std::string& Default) const
{
    return ReadGrowing(
        [&](char* buf, DWORD size) {
            return GetPrivateProfileStringA(Section.c_str(), Ident.c_str(), Default.c_str(), buf,
                                            size, fileName_.c_str());
        },
        1);
}

bool TIniFile::ParseInteger(const std::string& text, int& value)
{
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    bool hex = false;
    if (i < text.size() && text[i] == '$') {
        hex = true;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        hex = true;
        i += 2;
    }
    if (i >= text.size())
        return false;
    uint64_t n = 0;
    for (; i < text.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        int digit;
        if (std::isdigit(c))
            digit = c - '0';
        else if (hex && std::isxdigit(c))
            digit = std::tolower(c) - 'a' + 10;
        else
            return false;
        n = n * (hex ? 16 : 10) + digit;
        if (n > 0xFFFFFFFFull)
            return false;
    }
    if (hex) {
        uint32_t bits = static_cast<uint32_t>(n);
        value = static_cast<int32_t>(negative ? 0u - bits : bits);
        return true;
    }
    if (negative ? n > 2147483648ull : n > 2147483647ull)
        return false;
    value = static_cast<int>(negative ? -static_cast<int64_t>(n) : static_cast<int64_t>(n));
    return true;
}

int TIniFile::ReadInteger(const std::string& Section, const std::string& Ident, int Default) const
{
    int value;
    return ParseInteger(ReadString(Section, Ident, ""), value) ? value : Default;
}

bool TIniFile::ReadBool(const std::string& Section, const std::string& Ident, bool Default) const
{
    return ReadInteger(Section, Ident, Default ? 1 : 0) != 0;
}

void TIniFile::WriteString(const std::string& Section, const std::string& Ident,
                           const std::string& Value)
{
    if (!WritePrivateProfileStringA(Section.c_str(), Ident.c_str(), Value.c_str(), fileName_.c_str()))
        throw Exception("Unable to write to " + fileName_);
}

void TIniFile::WriteInteger(const std::string& Section, const std::string& Ident, int Value)
{
    WriteString(Section, Ident, std::to_string(Value));
}

void TIniFile::WriteBool(const std::string& Section, const std::string& Ident, bool Value)
{
    WriteString(Section, Ident, Value ? "1" : "0");
}

std::vector<std::string> TIniFile::ReadSection(const std::string& Section) const
{
    return SplitNulls(ReadGrowing(
        [&](char* buf, DWORD size) {
            return GetPrivateProfileStringA(Section.c_str(), nullptr, "", buf, size, fileName_.c_str());
        },
        2));
}

std::vector<std::string> TIniFile::ReadSections() const
{
    return SplitNulls(ReadGrowing(
        [&](char* buf, DWORD size) {
            return GetPrivateProfileSectionNamesA(buf, size, fileName_.c_str());
        },
        2));
}

bool TIniFile::SectionExists(const std::string& Section) const
{
    return !ReadSection(Section).empty();
}

bool TIniFile::ValueExists(const std::string& Section, const std::string& Ident) const
{
    for (const std::string& key : ReadSection(Section))
        if (lstrcmpiA(key.c_str(), Ident.c_str()) == 0)
            return true;
    return false;
}

void TIniFile::EraseSection(const std::string& Section)
{
    if (!WritePrivateProfileStringA(Section.c_str(), nullptr, nullptr, fileName_.c_str()))
        throw Exception("Unable to write to " + fileName_);
}

void TIniFile::DeleteKey(const std::string& Section, const std::string& Ident)
{
    WritePrivateProfileStringA(Section.c_str(), Ident.c_str(), nullptr, fileName_.c_str());
}

void TIniFile::UpdateFile()
{
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, fileName_.c_str());
}
