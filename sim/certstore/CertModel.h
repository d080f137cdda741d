#pragma once
// The model behind the simulated WAPI certificate library: certificates read from files,
// user certificates with their AS certificates, the identities the library hands out and the
// store file that keeps them across restarts.
#include <cstdint>
#include <string>
#include <vector>

#include "wlapi/records.h"

namespace certsim {

struct Cert {
    uint32_t version = 3;
    uint32_t type = WAPI_CERT_TYPE_X509;
    std::vector<uint8_t> serial;  // 1..256 bytes
    std::string issuer, subject, validFrom, validTo;  // at most 255 characters each
    int identityLength = -1;      // a length GetIdentity reports instead of the true one
    bool unterminated = false;    // texts fill their 256 bytes without a terminating zero
    uint32_t id = 0;              // the library's number for the certificate

    // Subject, issuer and serial: what a WAPI identity is made of (at most 256 bytes).
    std::vector<uint8_t> Identity() const;
    bool SameAs(const Cert& other) const { return serial == other.serial && issuer == other.issuer; }
};

struct UserCert {
    Cert user;
    Cert as;
    std::vector<Cert> extra;
};

// Reads a certificate from a section of an INI file, keys prefixed by prefix. False when the
// file, the subject, the issuer or a good serial is missing.
bool ReadCert(const std::string& file, const std::string& section, const std::string& prefix, Cert& cert);
// The section text that ReadCert reads back.
std::string CertText(const Cert& cert, const std::string& prefix);

// The check value that pairs with a user certificate's number.
uint32_t IdentityCheck(const Cert& cert);

class CertModel {
public:
    // Where the store is kept; empty: in memory only. Loads what the file holds.
    void Open(const std::string& file);
    void Reset();

    int InstallUserAS(const std::string& userPath, const std::string& asPath);
    int InstallExtraAS(const std::string& asPath, int userIndex);
    bool Move(int index, int direction);
    bool DeleteUser(int index);
    bool DeleteExtra(int userIndex, int asIndex);
    // Writes the contents into the store record; the counts claim `extraUsers` and
    // `extraAS` more than they hold (hostile stores for tests).
    void Fill(WAPI_CERT_STORE& store, int extraUsers = 0, int extraAS = 0) const;
    // kind 1 user identity, kind 0 AS identity; false when the values name no certificate.
    bool Identity(int kind, uint32_t value1, uint32_t value2, WAPI_ID_BUFFER& out) const;
    int IndexOfIdentity(const uint8_t* data, size_t length) const;

    const std::vector<UserCert>& Users() const { return m_users; }

private:
    void Save() const;
    void Load();
    uint32_t NextId() { return ++m_lastId; }

    std::string m_file;
    std::vector<UserCert> m_users;
    uint32_t m_lastId = 0x5A000000;
};

} // namespace certsim
