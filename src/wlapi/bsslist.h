#pragma once
// Checked reading of a network list as the adapter library returns it (the NDIS
// BSSID_LIST_EX layout: a 32-bit item count, then items back to back, each starting with
// its own 32-bit length). The list comes from outside the program, so every count and
// length is checked against the buffer: a list is cut at its first bad item.
// Standard headers only: this builds for the program, the simulators and natively.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace bss {

// Offsets inside one item.
constexpr uint32_t kLength = 0;
constexpr uint32_t kMac = 4;
constexpr uint32_t kSsidLength = 12;
constexpr uint32_t kSsid = 16;
constexpr uint32_t kPrivacy = 48;
constexpr uint32_t kRssi = 52;
constexpr uint32_t kNetworkTypeInUse = 56;
constexpr uint32_t kDSConfig = 72;
constexpr uint32_t kInfrastructureMode = 92;
constexpr uint32_t kSupportedRates = 96;
constexpr uint32_t kIELength = 112;
constexpr uint32_t kIEs = 116;
constexpr uint32_t kFixedSize = 116; // an item is at least this long
constexpr uint32_t kMaxSsid = 32;
constexpr uint32_t kRateCount = 16;
constexpr uint32_t kFixedIEsSize = 12; // timestamp, beacon interval, capabilities
constexpr uint32_t kListHeader = 4;

struct Item {
    uint32_t offset = 0; // from the start of the list buffer
    uint32_t length = 0; // the item's Length
    bool iesFit = false; // 116 + IELength fits in Length: the item may be shown
};

struct Walk {
    std::vector<Item> items;  // the items that passed every check, in buffer order
    uint32_t claimed = 0;     // NumberOfItems as the buffer states it
    uint32_t usedSize = 0;    // header plus the lengths of the accepted items
    bool Cut() const { return items.size() != claimed; }
};

// Accepts items in order while each one lies wholly inside the buffer, is at least
// kFixedSize long and has an SSID length of at most 32; stops at the first that fails,
// after `claimed` items, or after maxItems.
Walk WalkList(const uint8_t* buffer, size_t size, size_t maxItems = SIZE_MAX);

// Field readers for an item that WalkList accepted.
uint32_t ReadU32(const uint8_t* p);
int32_t ReadI32(const uint8_t* p);
void WriteU32(uint8_t* p, uint32_t value);
std::string SsidText(const uint8_t* item); // SSID bytes up to the first zero byte
bool IsGOnly(const uint8_t* item);         // 802.11g with a basic OFDM rate
int32_t Signal(const uint8_t* item);       // Rssi remainder 101, sign kept

// Information elements -----------------------------------------------------------------------

struct Element {
    uint8_t id = 0;
    uint8_t length = 0;
    const uint8_t* data = nullptr;
};
// Calls visit for each element lying wholly inside [data, data + size). Returns false when
// the elements end with a malformed one (which is not visited).
bool ForEachElement(const uint8_t* data, size_t size, const std::function<void(const Element&)>& visit);

constexpr uint32_t kAuthWpa = 1, kAuthWpaPsk = 2, kAuthWpaNone = 4, kAuthWpa2 = 8, kAuthWpa2Psk = 16,
                   kAuthWpa2None = 32, kAuthWapiPsk = 64, kAuthWapiCert = 128;
constexpr uint32_t kCipherWep = 1, kCipherTkip = 2, kCipherAes = 4, kCipherSms4 = 8;

// What a network's elements offer, in the terms of the library's parse record.
struct Security {
    uint32_t authBits = 0;
    uint32_t cipherBits = 0;
    bool cckm = false;
    bool wps = false;
    std::string devPwdId = "Unknown"; // "ID : 0x0004" style when the WPS element has one
    std::string configState;          // "Configured" / "Not configured" when present
    std::string uuidE;                // 32 hex digits when present
    std::string setupLock;            // "TRUE" / "FALSE" when present
    bool ht = false;
    bool vht = false;
};
constexpr uint8_t kHtCapabilitiesLength = 26, kVhtCapabilitiesLength = 12;
// ies/size: the item's element bytes (fixed fields first) as its IELength gives them.
Security ParseElements(const uint8_t* ies, size_t size);

// Whole-list operations ----------------------------------------------------------------------

enum SortBy { SortBySsid = 0, SortByChannel = 1, SortBySignal = 2 };

// Reorders the list in place: SSID (ASCII case folded) and channel ascending, signal
// descending; equal keys keep their order. Only accepted items are kept; the rest of the
// buffer is zeroed. channelOf maps DSConfig (kHz) to a channel or -1.
void SortList(uint8_t* buffer, size_t size, int sortBy, const std::function<int(uint32_t)>& channelOf);

struct MergeHooks {
    std::function<bool(uint32_t dsConfig)> channelAllowed;
    std::function<void(int index, const std::string& ssid, uint32_t length)> scanItem;
    std::function<void()> bufferLimit; // a kept network did not fit
};

// Merges a fresh scan into the repository of recently seen networks. Both buffers are
// `size` bytes; times holds one 100-ns time stamp per repository item (timeCount entries).
// keepMissing false: the repository becomes the scan. Otherwise networks missing from the
// scan stay while younger than maxAge and on an allowed channel. When the scan held at
// least one network, the scan buffer receives the merged list.
void MergeRepository(uint8_t* repository, uint64_t* times, size_t timeCount, uint8_t* scan, size_t size,
                     bool keepMissing, uint64_t now, uint64_t maxAge, const MergeHooks& hooks);

} // namespace bss
