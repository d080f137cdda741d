#include "profiles/CertList.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>

#include "core/Log.h"
#include "core/WvwlLib.h"

TCertList::~TCertList()
{
    Release();
}

void TCertList::Release()
{
    int count = Count();
    if (VOZEZIV.WVWL_FreeCertArray)
        VOZEZIV.WVWL_FreeCertArray(m_Records.empty() ? nullptr : m_Records.data(), &count);
    m_Records.clear();
    Select(-1);
}

bool TCertList::Fill(const char* store, bool withMachine)
{
    Release();
    if (!VOZEZIV.WVWL_EnumCert)
        return false;
    int user = 0, machine = 0;
    VOZEZIV.WVWL_EnumCert(store, nullptr, &user);
    if (withMachine && VOZEZIV.WVWL_EnumMachineCert)
        VOZEZIV.WVWL_EnumMachineCert(store, nullptr, &machine);
    user = std::max(user, 0);
    machine = std::max(machine, 0);
    if (user + machine == 0)
        return false;
    try {
        m_Records.assign(size_t(user) + size_t(machine), wlapi::CERT_INFO{});
    } catch (const std::bad_alloc&) {
        PrintMessage(2, " TCertList::Fill: %d certificates refused\n", user + machine);
        m_Records.clear();
        return false;
    }
    int filledUser = 0, filledMachine = 0;
    if (user > 0) {
        filledUser = user;
        VOZEZIV.WVWL_EnumCert(store, m_Records.data(), &filledUser);
        filledUser = std::clamp(filledUser, 0, user);
    }
    if (machine > 0) {
        filledMachine = machine;
        VOZEZIV.WVWL_EnumMachineCert(store, m_Records.data() + user, &filledMachine);
        filledMachine = std::clamp(filledMachine, 0, machine);
    }
    // The machine records follow the user records directly.
    if (filledUser < user)
        std::move(m_Records.begin() + user, m_Records.begin() + user + filledMachine, m_Records.begin() + filledUser);
    m_Records.resize(size_t(filledUser + filledMachine));
    return !m_Records.empty();
}

std::vector<BYTE> TCertList::Hash(int index) const
{
    if (index < 0 || index >= Count())
        return {};
    const wlapi::CERT_INFO& record = m_Records[size_t(index)];
    if (record.nHashLen > sizeof(KV_BLOB_KEY::BlobData)) {
        PrintMessage(2, " Certificate hash of %u bytes refused\n", unsigned(record.nHashLen));
        return {};
    }
    if (!record.pHash || !record.nHashLen)
        return {};
    const BYTE* bytes = reinterpret_cast<const BYTE*>(uintptr_t(record.pHash));
    return std::vector<BYTE>(bytes, bytes + record.nHashLen);
}

void TCertList::Select(int index)
{
    m_SelectedKey = KV_BLOB_KEY{};
    m_nSelected = index >= 0 && index < Count() ? index : -1;
    if (m_nSelected < 0)
        return;
    const std::vector<BYTE> hash = Hash(m_nSelected);
    m_SelectedKey.BlobLength = ULONG(hash.size());
    std::copy(hash.begin(), hash.end(), m_SelectedKey.BlobData);
}

KV_BLOB_KEY TCertList::SelectedKey() const
{
    return m_SelectedKey;
}

int TCertList::FindByHash(const KV_BLOB_KEY& key) const
{
    if (key.BlobLength == 0 || key.BlobLength > sizeof key.BlobData)
        return -1;
    int found = -1;
    for (int i = 0; i < Count(); ++i) {
        const std::vector<BYTE> hash = Hash(i);
        if (hash.size() == key.BlobLength && std::equal(hash.begin(), hash.end(), key.BlobData))
            found = i;
    }
    return found;
}

std::string CertText(const char (&field)[256])
{
    const char* end = static_cast<const char*>(std::memchr(field, 0, sizeof field));
    return std::string(field, end ? size_t(end - field) : sizeof field);
}

bool CertExpired(const std::string& expiry, int year, int month, int day)
{
    int y = 0, m = 0, d = 0;
    char rest = 0;
    if (std::sscanf(expiry.c_str(), "%d/%d/%d%c", &y, &m, &d, &rest) != 3) {
        PrintMessage(2, " Certificate expiry \"%s\" cannot be read\n", expiry.c_str());
        return false;
    }
    if (y != year)
        return y < year;
    if (m != month)
        return m < month;
    return d < day;
}
