#include "mainwindow/ActionQueue.h"

#include <algorithm>
#include <cstring>

#include "ui/Seams.h"

size_t ActionDataSize(DWORD actionType)
{
    switch (actionType) {
    case actionTypeProfile: return kActionProfileBytes;
    case actionTypeSSID: return kActionSsidBytes;
    case actionTypeBSSID: return kActionBssidBytes;
    case actionTypeWiFiDirectProfile: return kActionWpsDoneBytes;
    default: return 0;
    }
}

TActionQueue::Entry TActionQueue::MakeEntry(const ACTION_DATA& action)
{
    Entry e;
    e.id = m_nextId++;
    e.type = action.actionType;
    e.queuedAt = seams::Now();
    size_t size = ActionDataSize(action.actionType);
    if (size && action.data) {
        auto bytes = static_cast<const BYTE*>(action.data);
        e.data = std::make_shared<std::vector<BYTE>>(bytes, bytes + size);
    }
    return e;
}

void TActionQueue::Insert(const ACTION_DATA& action)
{
    Entry entry = MakeEntry(action);
    if (entry.type == actionTypeScan) {
        std::erase_if(m_entries, [](const Entry& e) { return e.type == actionTypeScan; });
        m_entries.push_back(std::move(entry));
        return;
    }
    if (entry.type != actionTypeProfile) {
        m_entries.push_back(std::move(entry));
        return;
    }
    auto newest = std::find_if(m_entries.rbegin(), m_entries.rend(),
                               [](const Entry& e) { return e.type == actionTypeProfile; });
    if (newest == m_entries.rend()) {
        m_entries.push_back(std::move(entry));
        return;
    }
    newest->id = entry.id;
    newest->data = std::move(entry.data);
    unsigned keep = newest->id;
    std::erase_if(m_entries, [keep](const Entry& e) { return e.type == actionTypeProfile && e.id != keep; });
}

void TActionQueue::Remove(unsigned id)
{
    auto it = std::find_if(m_entries.begin(), m_entries.end(), [id](const Entry& e) { return e.id == id; });
    if (it != m_entries.end())
        m_entries.erase(it);
}

bool TActionQueue::MustWait(bool frontProfileAsksPassword, bool scanRunning, DWORD now) const
{
    if (m_entries.size() <= 1)
        return false;
    if (m_entries[0].type == actionTypeScan)
        return scanRunning && now - m_entries[0].queuedAt < kScanWaitMs;
    return m_entries[0].type == actionTypeProfile && m_entries[1].type == actionTypeScan && frontProfileAsksPassword;
}
