#include "mainwindow/AdapterList.h"

#include <cstring>
#include <new>

#include "wlapi/result.h"

namespace {
// More adapters than any machine carries; a larger count is taken as garbage.
constexpr int kMaxAdapters = 256;
}

bool TAdapterList::Allocate(int records)
{
    try {
        m_buffer.assign(4 + size_t(records) * kAdapterRecordBytes, 0);
    } catch (const std::bad_alloc&) {
        m_buffer.clear();
        return false;
    }
    return true;
}

bool TAdapterList::Fetch(const Getter& get)
{
    if (!Allocate(1))
        return false;
    int result = get(m_buffer.data(), 1);
    if (result != WVWL_ERROR_BUFFER_TOO_SMALL) {
        CutCountToBuffer();
        return true;
    }
    int needed = ReportedCount();
    if (needed < 1 || needed > kMaxAdapters)
        needed = needed < 1 ? 1 : kMaxAdapters;
    if (!Allocate(needed))
        return false;
    get(m_buffer.data(), needed);
    CutCountToBuffer();
    return true;
}

void TAdapterList::CutCountToBuffer()
{
    int count = Count();
    std::memcpy(m_buffer.data(), &count, 4);
}

int TAdapterList::ReportedCount() const
{
    if (m_buffer.size() < 4)
        return 0;
    int count = 0;
    std::memcpy(&count, m_buffer.data(), 4);
    return count;
}

int TAdapterList::Count() const
{
    int count = ReportedCount();
    if (count <= 0)
        return count;
    int room = int((m_buffer.size() - 4) / kAdapterRecordBytes);
    return count < room ? count : room;
}

const BYTE* TAdapterList::Record(int i) const
{
    if (i < 0 || i >= Count())
        return nullptr;
    return m_buffer.data() + 4 + size_t(i) * kAdapterRecordBytes;
}
