#pragma once
#include "ui/Classes.h"

// An INI file through the system's private-profile functions. Reading never fails: a
// missing file, section or key, or a value that is no number, gives the default. Writing
// throws Exception when the file cannot be written.
class TIniFile : public TObject {
public:
    explicit TIniFile(const std::string& FileName) : fileName_(FileName) {}
    const std::string& FileName() const { return fileName_; }

    std::string ReadString(const std::string& Section, const std::string& Ident,
                           const std::string& Default) const;
    // Decimal, or hexadecimal with "0x" or "$"; anything else gives Default.
    int ReadInteger(const std::string& Section, const std::string& Ident, int Default) const;
    bool ReadBool(const std::string& Section, const std::string& Ident, bool Default) const;
    void WriteString(const std::string& Section, const std::string& Ident,
                     const std::string& Value);
    void WriteInteger(const std::string& Section, const std::string& Ident, int Value);
    void WriteBool(const std::string& Section, const std::string& Ident, bool Value);

    std::vector<std::string> ReadSection(const std::string& Section) const;  // key names
    std::vector<std::string> ReadSections() const;
    bool SectionExists(const std::string& Section) const;
    bool ValueExists(const std::string& Section, const std::string& Ident) const;
    void EraseSection(const std::string& Section);
    void DeleteKey(const std::string& Section, const std::string& Ident);
    void UpdateFile();  // flushes the system's cache

    // Integer text as ReadInteger reads it; false when it is no number.
    static bool ParseInteger(const std::string& text, int& value);

private:
    std::string fileName_;
};
