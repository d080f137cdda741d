#pragma once
// The list of adapters as the adapter library hands it over: a 32-bit count,
// then that many 1300-byte adapter records.
#include <windows.h>
#include <cstddef>
#include <functional>
#include <vector>

constexpr size_t kAdapterRecordBytes = 1300;

class TAdapterList {
public:
    // The library call: fills the buffer for at most `capacity` records and
    // returns a result code (-10 with the needed count in the first word when
    // the buffer is too small).
    using Getter = std::function<int(BYTE* buffer, int capacity)>;

    // Asks for one record, then again with room for the count the library
    // wants. Returns false when no buffer could be had.
    bool Fetch(const Getter& get);

    // The count in the buffer's first word (0 or negative: no adapter); a
    // count larger than the buffer holds is cut to what it holds.
    int ReportedCount() const;
    // The whole list, count first, for the adapter-choice dialog.
    BYTE* Buffer() { return m_buffer.data(); }
    // The number of records the buffer really holds: the reported count cut
    // to what fits.
    int Count() const;
    // Record i, or null when i is outside the list.
    const BYTE* Record(int i) const;

private:
    bool Allocate(int records);
    void CutCountToBuffer();
    std::vector<BYTE> m_buffer;
};
