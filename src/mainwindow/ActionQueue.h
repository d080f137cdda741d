#pragma once
// The main window's queue of connection requests. Each queued action owns a
// copy of the record its request pointed at, so a caller may reuse its buffer
// as soon as the request is queued.
#include <windows.h>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

enum : DWORD {
    actionTypeScan = 0,
    actionTypeProfile = 1,
    actionTypeSSID = 2,
    actionTypeBSSID = 3,
    actionTypeWiFiDirectProfile = 5,
};

// The request as callers hand it over: a type and the address of its record.
struct ACTION_DATA {
    DWORD actionType;
    void* data;
};
static_assert(sizeof(void*) != 4 || sizeof(ACTION_DATA) == 8, "ACTION_DATA is 8 bytes");
static_assert(offsetof(ACTION_DATA, data) == sizeof(void*) || sizeof(void*) == 4);

// Bytes copied from a request's record, by action type.
constexpr size_t kActionProfileBytes = 5984;     // a whole wireless profile
constexpr size_t kActionSsidBytes = 36;          // NDIS_802_11_SSID
constexpr size_t kActionBssidBytes = 6;          // a MAC address
constexpr size_t kActionWpsDoneBytes = 128;      // Wi-Fi Direct WPS-done part, up to the end of its key

// The longest a scan at the front of the queue holds up the requests behind it.
constexpr DWORD kScanWaitMs = 10000;

size_t ActionDataSize(DWORD actionType);

class TActionQueue {
public:
    struct Entry {
        unsigned id = 0;           // changes whenever the entry's data is replaced
        DWORD type = 0;
        DWORD queuedAt = 0;        // milliseconds (seams::Now) when the request was queued
        std::shared_ptr<std::vector<BYTE>> data;   // null for a scan or an unknown type
        void* Data() const { return data ? data->data() : nullptr; }
    };

    // Queues a request with the merge rules: a scan replaces every queued scan
    // and goes to the back; a profile hands its data to the newest queued
    // profile (which keeps its place) and removes the older ones; anything else
    // goes to the back. A request with a null record for a type that needs one
    // is queued without data and is dropped when it runs.
    void Insert(const ACTION_DATA& action);

    bool Empty() const { return m_entries.empty(); }
    size_t Count() const { return m_entries.size(); }
    const Entry& Front() const { return m_entries.front(); }
    const Entry& At(size_t i) const { return m_entries.at(i); }
    // Removes the entry with this id when it is still queued.
    void Remove(unsigned id);
    void Clear() { m_entries.clear(); }

    // True when the queue is to wait rather than run now: a scan at the front
    // with more behind it while another scan is still running, for at most
    // kScanWaitMs after it was queued; or a profile whose password is asked at
    // connect time at the front with a scan behind it.
    bool MustWait(bool frontProfileAsksPassword, bool scanRunning, DWORD now) const;

private:
    Entry MakeEntry(const ACTION_DATA& action);
    std::deque<Entry> m_entries;
    unsigned m_nextId = 1;
};
