#pragma once
#include <windows.h>
#include <filesystem>
#include <fstream>
#include <string>

// A fresh folder under the system's temporary folder, removed with its contents at the end.
class TempFolder {
public:
    TempFolder()
    {
        char base[MAX_PATH] = {};
        GetTempPathA(sizeof base, base);
        static int serial = 0;
        path_ = std::string(base) + "wevo_core_" + std::to_string(GetCurrentProcessId()) + "_" +
                std::to_string(++serial) + "\\";
        std::filesystem::create_directories(path_);
    }
    ~TempFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // Folder path with its final backslash.
    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + name; }

    void Write(const std::string& name, const std::string& content) const
    {
        std::ofstream(File(name), std::ios::binary) << content;
    }

private:
    std::string path_;
};

// Folder of the running test program, with its final backslash.
inline std::string TestProgramFolder()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string text = path;
    return text.substr(0, text.find_last_of('\\') + 1);
}

inline std::string FixturePath(const std::string& name)
{
    return TestProgramFolder() + "fixtures\\core\\" + name;
}
