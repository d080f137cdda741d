#pragma once
// Certificate files of the simulated WAPI certificate library, written to a temporary folder
// for a test, and the library's control surface as the test process sees it.
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

class WapiCertFiles {
public:
    WapiCertFiles()
    {
        char base[MAX_PATH] = {};
        GetTempPathA(sizeof base, base);
        static int serial = 0;
        m_folder = std::string(base) + "wevo_wapi_" + std::to_string(GetCurrentProcessId()) + "_" +
                   std::to_string(++serial) + "\\";
        std::filesystem::create_directories(m_folder);
    }
    ~WapiCertFiles()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_folder, ignored);
    }
    WapiCertFiles(const WapiCertFiles&) = delete;
    WapiCertFiles& operator=(const WapiCertFiles&) = delete;

    // A certificate file; extra lines ("Key=Value") come first, so they win over the defaults.
    std::string Write(const std::string& name, const std::string& subject, const std::string& issuer,
                      const std::string& serial, const std::vector<std::string>& extra = {}) const
    {
        std::string text = "[Certificate]\r\n";
        for (const std::string& line : extra)
            text += line + "\r\n";
        text += "Version=3\r\nType=X509\r\nSerial=" + serial + "\r\nIssuer=" + issuer + "\r\nSubject=" + subject +
                "\r\nValidFrom=2024-01-01 00:00:00\r\nValidTo=2034-12-31 23:59:59\r\n";
        const std::string path = m_folder + name;
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }
    // A self-signed AS certificate.
    std::string WriteAS(const std::string& name, const std::string& subject, const std::string& serial,
                        const std::vector<std::string>& extra = {}) const
    {
        return Write(name, subject, subject, serial, extra);
    }
    const std::string& Folder() const { return m_folder; }

private:
    std::string m_folder;
};

// An entry of the loaded simulated certificate library (null when it is not loaded).
template <class F>
F CertSimEntry(const char* name)
{
    HMODULE module = GetModuleHandleA("ZeZuveZud.dll");
    return module ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

inline std::string CertSimJournal()
{
    auto journal = CertSimEntry<int (*)(char*, int)>("SimCertJournal");
    if (!journal)
        return std::string();
    std::string text(size_t(journal(nullptr, 0)), '\0');
    journal(text.data(), int(text.size()));
    text.resize(strlen(text.c_str()));
    return text;
}

inline int CertSimCalls(const char* entry)
{
    auto calls = CertSimEntry<int (*)(const char*)>("SimCertCallCount");
    return calls ? calls(entry) : -1;
}

inline void CertSimInject(const char* entry, int call, int result)
{
    if (auto inject = CertSimEntry<void (*)(const char*, int, int)>("SimCertInject"))
        inject(entry, call, result);
}
