#pragma once
#include <windows.h>
#include <functional>
#include <string>

// Access to the program's settings file: the program's path with its extension replaced by
// ext (always "ini"). A missing file or key gives the default; values hold at most 511 characters.
std::string ReadINIStr(const std::string& section, const std::string& key,
                       const std::string& def, const std::string& ext);
bool ReadINIBool(const std::string& section, const std::string& key, int def, const std::string& ext);
int ReadINIInt(const std::string& section, const std::string& key, int def, const std::string& ext);

// Writes to the settings file, or, when fileName is not empty, to fileName in the program's folder.
BOOL WriteINIStr(const std::string& section, const std::string& key, const std::string& value,
                 const std::string& ext, const std::string& fileName);

// Full path of the running program. Tests may point it elsewhere through the override.
std::string ProgramPath();
extern std::function<std::string()> programPathOverride;

// The program's folder with its final backslash ("D:\Tools\" for "D:\Tools\Wevo.exe").
std::string ProgramFolder();

// The settings file for ext: "D:\Tools\Wevo.exe" and "ini" give "D:\Tools\Wevo.ini".
std::string SettingsFilePath(const std::string& ext);
