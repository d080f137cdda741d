#include "wlapi/bsslist.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>
#include <unordered_set>

namespace bss {

uint32_t ReadU32(const uint8_t* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

int32_t ReadI32(const uint8_t* p)
{
    return static_cast<int32_t>(ReadU32(p));
}

void WriteU32(uint8_t* p, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<uint8_t>(value >> (8 * i));
}

Walk WalkList(const uint8_t* buffer, size_t size, size_t maxItems)
{
    Walk walk;
    if (!buffer || size < kListHeader)
        return walk;
    walk.claimed = ReadU32(buffer);
    uint64_t offset = kListHeader;
    for (uint32_t i = 0; i < walk.claimed && walk.items.size() < maxItems; ++i) {
        if (offset + kFixedSize > size)
            break;
        const uint8_t* item = buffer + offset;
        const uint32_t length = ReadU32(item + kLength);
        if (length < kFixedSize || offset + length > size)
            break;
        if (ReadU32(item + kSsidLength) > kMaxSsid)
            break;
        Item accepted;
        accepted.offset = static_cast<uint32_t>(offset);
        accepted.length = length;
        accepted.iesFit = uint64_t(kIEs) + ReadU32(item + kIELength) <= length;
        walk.items.push_back(accepted);
        offset += length;
    }
    walk.usedSize = static_cast<uint32_t>(offset);
    return walk;
}

std::string SsidText(const uint8_t* item)
{
    const uint32_t length = std::min(ReadU32(item + kSsidLength), kMaxSsid);
    const char* ssid = reinterpret_cast<const char*>(item + kSsid);
    return std::string(ssid, strnlen(ssid, length));
}

bool IsGOnly(const uint8_t* item)
{
    if (ReadU32(item + kNetworkTypeInUse) != 3)
        return false;
    for (uint32_t i = 0; i < kRateCount; ++i) {
        const uint8_t rate = item[kSupportedRates + i];
        if (rate == 0x8C || rate == 0x92 || rate >= 0x98)
            return true;
    }
    return false;
}

int32_t Signal(const uint8_t* item)
{
    return ReadI32(item + kRssi) % 101;
}

bool ForEachElement(const uint8_t* data, size_t size, const std::function<void(const Element&)>& visit)
{
    size_t at = 0;
    while (at < size) {
        if (size - at < 2)
            return false;
        Element e;
        e.id = data[at];
        e.length = data[at + 1];
        if (size - at - 2 < e.length)
            return false;
        e.data = data + at + 2;
        visit(e);
        at += 2 + size_t(e.length);
    }
    return true;
}

namespace {

// Sequential reader over one element's bytes; every read checks what is left.
class Reader {
public:
    Reader(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}
    bool Skip(size_t n)
    {
        if (m_size - m_at < n)
            return false;
        m_at += n;
        return true;
    }
    bool U16(uint16_t& v)
    {
        if (m_size - m_at < 2)
            return false;
        v = uint16_t(m_data[m_at] | m_data[m_at + 1] << 8);
        m_at += 2;
        return true;
    }
    bool AtEnd() const { return m_at == m_size; }
    bool Suite(const uint8_t*& s)
    {
        if (m_size - m_at < 4)
            return false;
        s = m_data + m_at;
        m_at += 4;
        return true;
    }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_at = 0;
};

bool HasOui(const uint8_t* s, uint8_t a, uint8_t b, uint8_t c)
{
    return s[0] == a && s[1] == b && s[2] == c;
}

uint32_t CipherBit(uint8_t type)
{
    switch (type) {
    case 1:
    case 5:
        return kCipherWep;
    case 2:
        return kCipherTkip;
    case 4:
        return kCipherAes;
    default:
        return 0;
    }
}

// Suite lists of the RSN element and of the older WPA vendor element share one shape:
// version, then the optional group cipher, pairwise list and key-management list. A field the
// element leaves out takes the standard's default; a list cut short keeps what was read. An
// element of another version, or with no pairwise cipher, is ignored.
void ParseRsnLike(Reader r, uint8_t o1, uint8_t o2, uint8_t o3, bool rsn, Security& out)
{
    const uint32_t defaultCipher = rsn ? kCipherAes : kCipherTkip;
    const uint32_t defaultAuth = rsn ? kAuthWpa2 : kAuthWpa;
    uint16_t version = 0;
    if (!r.U16(version) || version != 1)
        return;
    uint32_t ciphers = 0, auth = 0;
    bool cckm = false;
    const auto keep = [&] {
        out.cipherBits |= ciphers;
        out.authBits |= auth;
        out.cckm = out.cckm || cckm;
    };
    const uint8_t* suite = nullptr;
    if (r.AtEnd()) { // group, pairwise and key management left out
        ciphers = defaultCipher;
        auth = defaultAuth;
        return keep();
    }
    if (!r.Suite(suite))
        return keep();
    if (HasOui(suite, o1, o2, o3))
        ciphers |= CipherBit(suite[3]);
    uint16_t count = 0;
    if (r.AtEnd()) { // pairwise and key management left out
        ciphers |= defaultCipher;
        auth = defaultAuth;
        return keep();
    }
    if (!r.U16(count))
        return keep();
    if (count == 0)
        return;
    for (uint16_t i = 0; i < count; ++i) {
        if (!r.Suite(suite))
            return keep();
        if (HasOui(suite, o1, o2, o3))
            ciphers |= CipherBit(suite[3]);
    }
    if (r.AtEnd()) { // key management left out
        auth = defaultAuth;
        return keep();
    }
    if (!r.U16(count))
        return keep();
    for (uint16_t i = 0; i < count; ++i) {
        if (!r.Suite(suite))
            return keep();
        if (HasOui(suite, 0x00, 0x40, 0x96) && suite[3] == 0) {
            cckm = true;
            continue;
        }
        if (!HasOui(suite, o1, o2, o3))
            continue;
        if (suite[3] == 1)
            auth |= rsn ? kAuthWpa2 : kAuthWpa;
        else if (suite[3] == 2)
            auth |= rsn ? kAuthWpa2Psk : kAuthWpaPsk;
        else if (suite[3] == 0)
            auth |= rsn ? kAuthWpa2None : kAuthWpaNone;
    }
    keep();
}

void ParseWapi(Reader r, Security& out)
{
    const uint8_t* suite = nullptr;
    uint16_t count = 0;
    if (!r.Skip(2) || !r.U16(count))
        return;
    for (uint16_t i = 0; i < count; ++i) {
        if (!r.Suite(suite))
            return;
        if (HasOui(suite, 0x00, 0x14, 0x72) && suite[3] == 1)
            out.authBits |= kAuthWapiCert;
        else if (HasOui(suite, 0x00, 0x14, 0x72) && suite[3] == 2)
            out.authBits |= kAuthWapiPsk;
    }
    if (!r.U16(count))
        return;
    for (uint16_t i = 0; i < count; ++i) {
        if (!r.Suite(suite))
            return;
        if (HasOui(suite, 0x00, 0x14, 0x72) && suite[3] == 1)
            out.cipherBits |= kCipherSms4;
    }
}

std::string Hex(const uint8_t* p, size_t n)
{
    std::string s;
    char two[3];
    for (size_t i = 0; i < n; ++i) {
        std::snprintf(two, sizeof two, "%02x", p[i]);
        s += two;
    }
    return s;
}

// WPS attributes: 16-bit type, 16-bit length (big-endian), value.
void ParseWps(const uint8_t* p, size_t size, Security& out)
{
    out.wps = true;
    size_t at = 0;
    while (size - at >= 4) {
        const unsigned type = unsigned(p[at]) << 8 | p[at + 1];
        const size_t length = size_t(p[at + 2]) << 8 | p[at + 3];
        at += 4;
        if (size - at < length)
            return;
        const uint8_t* v = p + at;
        char text[16];
        if (type == 0x1012 && length == 2) {
            std::snprintf(text, sizeof text, "ID : 0x%04X", unsigned(v[0]) << 8 | v[1]);
            out.devPwdId = text;
        } else if (type == 0x1044 && length == 1) {
            out.configState = v[0] == 2 ? "Configured" : "Not configured";
        } else if (type == 0x1047 && length == 16) {
            out.uuidE = Hex(v, 16);
        } else if (type == 0x1057 && length == 1) {
            out.setupLock = v[0] ? "TRUE" : "FALSE";
        }
        at += length;
    }
}

} // namespace

Security ParseElements(const uint8_t* ies, size_t size)
{
    Security out;
    if (!ies || size <= kFixedIEsSize)
        return out;
    // An access point splits long WPS data over several vendor elements, even inside an
    // attribute: the pieces are joined before the attributes are read.
    std::vector<uint8_t> wps;
    bool anyWps = false;
    ForEachElement(ies + kFixedIEsSize, size - kFixedIEsSize, [&](const Element& e) {
        switch (e.id) {
        case 48:
            ParseRsnLike(Reader(e.data, e.length), 0x00, 0x0F, 0xAC, true, out);
            break;
        case 68:
            ParseWapi(Reader(e.data, e.length), out);
            break;
        case 45: // HT capabilities have a fixed length
            out.ht = out.ht || e.length == kHtCapabilitiesLength;
            break;
        case 191: // so do VHT capabilities
            out.vht = out.vht || e.length == kVhtCapabilitiesLength;
            break;
        case 221:
            if (e.length >= 4 && HasOui(e.data, 0x00, 0x50, 0xF2) && e.data[3] == 1) {
                ParseRsnLike(Reader(e.data + 4, e.length - 4), 0x00, 0x50, 0xF2, false, out);
            } else if (e.length >= 4 && HasOui(e.data, 0x00, 0x50, 0xF2) && e.data[3] == 4) {
                anyWps = true;
                wps.insert(wps.end(), e.data + 4, e.data + e.length);
            }
            break;
        default:
            break;
        }
    });
    if (anyWps)
        ParseWps(wps.data(), wps.size(), out);
    return out;
}

namespace {

int FoldCompare(const std::string& a, const std::string& b)
{
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
        if (x >= 'A' && x <= 'Z')
            x = static_cast<unsigned char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z')
            y = static_cast<unsigned char>(y - 'A' + 'a');
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

} // namespace

void SortList(uint8_t* buffer, size_t size, int sortBy, const std::function<int(uint32_t)>& channelOf)
{
    if (sortBy < SortBySsid || sortBy > SortBySignal)
        return;
    const Walk walk = WalkList(buffer, size);
    if (walk.items.empty())
        return;
    try {
        const size_t n = walk.items.size();
        std::vector<std::string> names(n);
        std::vector<int64_t> numbers(n);
        for (size_t i = 0; i < n; ++i) {
            const uint8_t* item = buffer + walk.items[i].offset;
            if (sortBy == SortBySsid)
                names[i] = SsidText(item);
            else if (sortBy == SortByChannel)
                numbers[i] = channelOf(ReadU32(item + kDSConfig));
            else
                numbers[i] = ReadI32(item + kRssi);
        }
        std::vector<size_t> order(n);
        for (size_t i = 0; i < n; ++i)
            order[i] = i;
        std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
            if (sortBy == SortBySsid)
                return FoldCompare(names[a], names[b]) < 0;
            if (sortBy == SortByChannel)
                return numbers[a] < numbers[b];
            return numbers[a] > numbers[b];
        });
        std::vector<uint8_t> out(size, 0);
        WriteU32(out.data(), static_cast<uint32_t>(n));
        size_t at = kListHeader;
        for (size_t i : order) {
            std::memcpy(out.data() + at, buffer + walk.items[i].offset, walk.items[i].length);
            at += walk.items[i].length;
        }
        std::memcpy(buffer, out.data(), size);
    } catch (const std::bad_alloc&) {
        // leave the list as it was
    }
}

namespace {

uint64_t MacKey(const uint8_t* mac)
{
    uint64_t key = 0;
    for (int i = 0; i < 6; ++i)
        key = key << 8 | mac[i];
    return key;
}

} // namespace

void MergeRepository(uint8_t* repository, uint64_t* times, size_t timeCount, uint8_t* scan, size_t size,
                     bool keepMissing, uint64_t now, uint64_t maxAge, const MergeHooks& hooks)
{
    if (!repository || !times || !scan || size < kListHeader)
        return;
    std::vector<uint8_t> work;
    std::vector<uint64_t> workTimes;
    try {
        work.assign(size, 0);
        workTimes.reserve(timeCount);
    } catch (const std::bad_alloc&) {
        return;
    }

    const Walk fresh = WalkList(scan, size, timeCount);
    uint32_t used = kListHeader;
    for (const Item& item : fresh.items) {
        std::memcpy(work.data() + used, scan + item.offset, item.length);
        used += item.length;
    }
    uint32_t count = static_cast<uint32_t>(fresh.items.size());
    WriteU32(work.data(), count);

    if (!keepMissing) {
        std::memcpy(repository, work.data(), size);
        return;
    }

    for (size_t i = 0; i < fresh.items.size(); ++i) {
        workTimes.push_back(now);
        if (hooks.scanItem)
            hooks.scanItem(static_cast<int>(i), SsidText(scan + fresh.items[i].offset), fresh.items[i].length);
    }

    std::unordered_set<uint64_t> seen;
    try {
        seen.reserve(fresh.items.size() * 2);
        for (const Item& f : fresh.items)
            seen.insert(MacKey(scan + f.offset + kMac));
    } catch (const std::bad_alloc&) {
        return;
    }

    const Walk old = WalkList(repository, size, timeCount);
    bool full = false;
    for (size_t j = 0; j < old.items.size(); ++j) {
        const uint8_t* item = repository + old.items[j].offset;
        if (seen.count(MacKey(item + kMac)))
            continue;
        const uint64_t stamp = times[j];
        const uint64_t age = now >= stamp ? now - stamp : stamp - now;
        if (age >= maxAge)
            continue;
        if (hooks.channelAllowed && !hooks.channelAllowed(ReadU32(item + kDSConfig)))
            continue;
        const uint32_t length = old.items[j].length;
        if (full || uint64_t(used) + length > size || workTimes.size() >= timeCount) {
            full = true;
            if (hooks.bufferLimit)
                hooks.bufferLimit();
            continue;
        }
        std::memcpy(work.data() + used, item, length);
        used += length;
        workTimes.push_back(stamp);
        ++count;
    }
    WriteU32(work.data(), count);

    std::memcpy(repository, work.data(), used);
    if (!fresh.items.empty())
        std::memcpy(scan, work.data(), size);
    else
        WriteU32(scan, 0);
    std::copy(workTimes.begin(), workTimes.end(), times);
}

} // namespace bss
