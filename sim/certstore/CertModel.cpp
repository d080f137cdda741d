#include "CertModel.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cctype>
#include <cstring>
#include <fstream>

#include "wlapi/constants.h"

namespace certsim {

namespace {

constexpr size_t kTextMax = 255;

std::string Key(const std::string& file, const std::string& section, const std::string& key)
{
    std::vector<char> buffer(4096);
    GetPrivateProfileStringA(section.c_str(), key.c_str(), "", buffer.data(), DWORD(buffer.size()), file.c_str());
    return std::string(buffer.data());
}

int Number(const std::string& text, int fallback)
{
    if (text.empty())
        return fallback;
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 0);
    return end && *end == 0 ? int(value) : fallback;
}

bool HexBytes(const std::string& text, std::vector<uint8_t>& out)
{
    out.clear();
    if (text.empty() || text.size() % 2 != 0 || text.size() > 2 * 256)
        return false;
    for (size_t i = 0; i < text.size(); i += 2) {
        unsigned value = 0;
        if (!isxdigit(static_cast<unsigned char>(text[i])) || !isxdigit(static_cast<unsigned char>(text[i + 1])) ||
            std::sscanf(text.substr(i, 2).c_str(), "%2x", &value) != 1)
            return false;
        out.push_back(uint8_t(value));
    }
    return true;
}

std::string Hex(const std::vector<uint8_t>& bytes)
{
    std::string text;
    char two[3];
    for (uint8_t b : bytes) {
        std::snprintf(two, sizeof two, "%02X", b);
        text += two;
    }
    return text;
}

// A text into its 256-byte field: bounded and terminated, or (hostile) filled to the end.
void PutText(char (&field)[256], const std::string& text, bool unterminated)
{
    std::memset(field, 0, sizeof field);
    const size_t n = std::min(text.size(), kTextMax);
    std::memcpy(field, text.data(), n);
    if (unterminated)
        for (size_t i = n; i < sizeof field; ++i)
            field[i] = text.empty() ? 'X' : text[i % text.size()];
}

void PutEntry(WAPI_CERT_ENTRY& e, const Cert& c)
{
    std::memset(&e, 0, sizeof e);
    e.nVersion = c.version;
    e.nType = c.type;
    e.nSerialLen = uint32_t(std::min<size_t>(c.serial.size(), sizeof e.Serial));
    std::memcpy(e.Serial, c.serial.data(), e.nSerialLen);
    PutText(e.Issuer, c.issuer, c.unterminated);
    PutText(e.Subject, c.subject, c.unterminated);
    PutText(e.ValidFrom, c.validFrom, c.unterminated);
    PutText(e.ValidTo, c.validTo, c.unterminated);
}

bool Readable(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// A path of a certificate file as the library gets it: bounded, then read.
bool ReadCertFile(const std::string& path, Cert& cert)
{
    return !path.empty() && path.size() < MAX_PATH && Readable(path) && ReadCert(path, "Certificate", "", cert);
}

} // namespace

std::vector<uint8_t> Cert::Identity() const
{
    std::vector<uint8_t> id(subject.begin(), subject.end());
    id.push_back(0);
    id.insert(id.end(), issuer.begin(), issuer.end());
    id.push_back(0);
    id.insert(id.end(), serial.begin(), serial.end());
    if (id.size() > 256)
        id.resize(256);
    return id;
}

uint32_t IdentityCheck(const Cert& cert)
{
    uint32_t hash = 2166136261u;
    for (uint8_t b : cert.Identity())
        hash = (hash ^ b) * 16777619u;
    return hash;
}

bool ReadCert(const std::string& file, const std::string& section, const std::string& prefix, Cert& cert)
{
    Cert c;
    const auto key = [&](const char* name) { return Key(file, section, prefix + name); };
    c.subject = key("Subject").substr(0, kTextMax);
    c.issuer = key("Issuer").substr(0, kTextMax);
    if (c.subject.empty() || c.issuer.empty() || !HexBytes(key("Serial"), c.serial))
        return false;
    c.version = uint32_t(Number(key("Version"), 3));
    const std::string type = key("Type");
    c.type = type.empty() || _stricmp(type.c_str(), "X509") == 0 ? WAPI_CERT_TYPE_X509
             : _stricmp(type.c_str(), "GBW") == 0               ? 2u
                                                                  : uint32_t(Number(type, 1));
    c.validFrom = key("ValidFrom").substr(0, kTextMax);
    c.validTo = key("ValidTo").substr(0, kTextMax);
    c.identityLength = Number(key("IdentityLength"), -1);
    c.unterminated = Number(key("Unterminated"), 0) != 0;
    c.id = uint32_t(Number(key("Id"), 0));
    cert = c;
    return true;
}

std::string CertText(const Cert& c, const std::string& prefix)
{
    std::string text;
    const auto put = [&](const char* name, const std::string& value) { text += prefix + name + "=" + value + "\r\n"; };
    put("Version", std::to_string(c.version));
    put("Type", std::to_string(c.type));
    put("Serial", Hex(c.serial));
    put("Issuer", c.issuer);
    put("Subject", c.subject);
    put("ValidFrom", c.validFrom);
    put("ValidTo", c.validTo);
    if (c.identityLength >= 0)
        put("IdentityLength", std::to_string(c.identityLength));
    if (c.unterminated)
        put("Unterminated", "1");
    put("Id", std::to_string(c.id));
    return text;
}

void CertModel::Open(const std::string& file)
{
    m_file = file;
    m_users.clear();
    Load();
}

void CertModel::Reset()
{
    m_users.clear();
    Save();
}

void CertModel::Load()
{
    if (m_file.empty() || !Readable(m_file))
        return;
    m_lastId = std::max<uint32_t>(m_lastId, uint32_t(Number(Key(m_file, "Store", "LastId"), 0)));
    const int count = std::clamp(Number(Key(m_file, "Store", "Count"), 0), 0, WAPI_MAX_USER_CERT);
    for (int i = 0; i < count; ++i) {
        const std::string section = "User." + std::to_string(i);
        UserCert u;
        if (!ReadCert(m_file, section, "", u.user) || !ReadCert(m_file, section, "AS.", u.as))
            continue;
        const int extras = std::clamp(Number(Key(m_file, section, "ExtraCount"), 0), 0, WAPI_MAX_EXTRA_AS_CERT);
        for (int j = 0; j < extras; ++j) {
            Cert extra;
            if (ReadCert(m_file, section, "Extra." + std::to_string(j) + ".", extra))
                u.extra.push_back(extra);
        }
        m_users.push_back(u);
    }
}

void CertModel::Save() const
{
    if (m_file.empty())
        return;
    std::string text = "[Store]\r\nLastId=" + std::to_string(m_lastId) + "\r\nCount=" + std::to_string(m_users.size()) + "\r\n";
    for (size_t i = 0; i < m_users.size(); ++i) {
        const UserCert& u = m_users[i];
        text += "[User." + std::to_string(i) + "]\r\n" + CertText(u.user, "") + CertText(u.as, "AS.");
        text += "ExtraCount=" + std::to_string(u.extra.size()) + "\r\n";
        for (size_t j = 0; j < u.extra.size(); ++j)
            text += CertText(u.extra[j], "Extra." + std::to_string(j) + ".");
    }
    std::ofstream(m_file, std::ios::binary | std::ios::trunc) << text;
}

int CertModel::InstallUserAS(const std::string& userPath, const std::string& asPath)
{
    Cert user, as;
    if (!ReadCertFile(userPath, user))
        return WAPI_INSTALL_STA_ERR;
    if (!ReadCertFile(asPath, as))
        return WAPI_INSTALL_AS_ERR;
    if (as.issuer != as.subject)
        return WAPI_INSTALL_AS_ISSUER_SUBJECT;
    if (user.issuer != as.subject || user.type != as.type)
        return WAPI_INSTALL_STA_AS_NOT_MATCH;
    for (const UserCert& u : m_users)
        if (u.user.SameAs(user))
            return WAPI_INSTALL_EXIST;
    if (m_users.size() >= size_t(WAPI_MAX_USER_CERT))
        return WAPI_INSTALL_MAX_SIZE;
    user.id = NextId();
    as.id = NextId();
    m_users.push_back({user, as, {}});
    Save();
    return WAPI_INSTALL_DONE;
}

int CertModel::InstallExtraAS(const std::string& asPath, int userIndex)
{
    if (userIndex < 0 || size_t(userIndex) >= m_users.size())
        return WAPI_INSTALL_FAILED;
    UserCert& u = m_users[size_t(userIndex)];
    Cert as;
    if (!ReadCertFile(asPath, as) || as.issuer != as.subject)
        return WAPI_INSTALL_AS_ERR;
    if (u.user.issuer != as.subject)
        return WAPI_INSTALL_EXTRA_ISSUER_SUBJECT;
    if (u.user.type != as.type)
        return WAPI_INSTALL_STA_AS_NOT_MATCH;
    if (u.as.SameAs(as) || std::any_of(u.extra.begin(), u.extra.end(), [&](const Cert& c) { return c.SameAs(as); }))
        return WAPI_INSTALL_EXIST;
    if (u.extra.size() >= size_t(WAPI_MAX_EXTRA_AS_CERT))
        return WAPI_INSTALL_MAX_SIZE;
    as.id = NextId();
    u.extra.push_back(as);
    Save();
    return WAPI_INSTALL_EXTRA_DONE;
}

bool CertModel::Move(int index, int direction)
{
    const int other = direction == 1 ? index - 1 : index + 1;
    if (index < 0 || other < 0 || size_t(index) >= m_users.size() || size_t(other) >= m_users.size())
        return false;
    std::swap(m_users[size_t(index)], m_users[size_t(other)]);
    Save();
    return true;
}

bool CertModel::DeleteUser(int index)
{
    if (index < 0 || size_t(index) >= m_users.size())
        return false;
    m_users.erase(m_users.begin() + index);
    Save();
    return true;
}

bool CertModel::DeleteExtra(int userIndex, int asIndex)
{
    if (userIndex < 0 || size_t(userIndex) >= m_users.size())
        return false;
    std::vector<Cert>& extra = m_users[size_t(userIndex)].extra;
    if (asIndex < 0 || size_t(asIndex) >= extra.size())
        return false;
    extra.erase(extra.begin() + asIndex);
    Save();
    return true;
}

void CertModel::Fill(WAPI_CERT_STORE& store, int extraUsers, int extraAS) const
{
    std::memset(&store, 0, sizeof store);
    store.nCount = uint32_t(m_users.size() + size_t(std::max(extraUsers, 0)));
    for (size_t i = 0; i < m_users.size() && i < size_t(WAPI_MAX_USER_CERT); ++i) {
        const UserCert& u = m_users[i];
        WAPI_CERT_INFO& info = store.Cert[i];
        PutEntry(info.UserCert, u.user);
        info.UserCert.nUserIdValue1 = u.user.id;
        info.UserCert.nUserIdValue2 = IdentityCheck(u.user);
        // The issuing AS certificate sits in the library's own part of the record.
        WAPI_CERT_ENTRY as;
        PutEntry(as, u.as);
        static_assert(sizeof as <= sizeof info.Reserved1556);
        std::memcpy(info.Reserved1556, &as, sizeof as);
        info.nASIdValue = u.as.id;
        info.nExtraASCount = uint32_t(u.extra.size() + size_t(std::max(extraAS, 0)));
        for (size_t j = 0; j < u.extra.size() && j < size_t(WAPI_MAX_EXTRA_AS_CERT); ++j)
            PutEntry(info.ExtraAS[j], u.extra[j]);
    }
}

bool CertModel::Identity(int kind, uint32_t value1, uint32_t value2, WAPI_ID_BUFFER& out) const
{
    std::memset(&out, 0, sizeof out);
    const Cert* found = nullptr;
    for (const UserCert& u : m_users) {
        if (kind == 1 && u.user.id == value1 && IdentityCheck(u.user) == value2)
            found = &u.user;
        if (kind == 0 && u.as.id == value1 && value2 == 0)
            found = &u.as;
    }
    if (!found)
        return false;
    const std::vector<uint8_t> id = found->Identity();
    std::memcpy(out.Data, id.data(), id.size());
    out.Length = uint16_t(found->identityLength >= 0 ? found->identityLength : int(id.size()));
    return true;
}

int CertModel::IndexOfIdentity(const uint8_t* data, size_t length) const
{
    for (size_t i = 0; i < m_users.size(); ++i) {
        const std::vector<uint8_t> id = m_users[i].user.Identity();
        if (id.size() == length && std::equal(id.begin(), id.end(), data))
            return int(i);
    }
    return -1;
}

} // namespace certsim
