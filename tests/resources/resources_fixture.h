#pragma once
// Shared helpers of the picture repository and picture button tests.
#include <windows.h>

#include <string>
#include <vector>

namespace restest {

// Bytes of an embedded picture resource (empty when missing).
std::vector<unsigned char> ResourceBytes(const char* name);

// A fresh empty folder under the temporary folder, removed with its files on destruction.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return path_; }
    // Writes a file at a path relative to the folder, making its subfolders.
    void Write(const std::string& relative, const std::string& bytes) const;
    void Write(const std::string& relative, const std::vector<unsigned char>& bytes) const;

private:
    std::string path_;
    std::vector<std::string> files_;
};

// A 24-bit bitmap file of one colour.
std::string SolidBmp(int width, int height, COLORREF color);

}  // namespace restest
