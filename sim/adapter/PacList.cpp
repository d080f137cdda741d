#include "PacList.h"

#include <cstring>
#include <vector>

#include "EntrySupport.h"
#include "wlapi/records.h"

namespace sim {
namespace {

constexpr const char* kKind = "PacList";
// More entries than any list the program keeps: a count above it is not a list.
constexpr uint32_t kMaxEntries = 1024;

std::vector<PAC_FILE_ENTRY> StoredList(const std::string& name) {
  for (const auto& record : Sim().Records(kKind)) {
    if (!EqualNoCase(record.first, name)) continue;
    std::vector<PAC_FILE_ENTRY> entries(record.second.size() / sizeof(PAC_FILE_ENTRY));
    if (!entries.empty()) std::memcpy(entries.data(), record.second.data(), entries.size() * sizeof(PAC_FILE_ENTRY));
    return entries;
  }
  return {};
}

std::string EntriesText(const PAC_FILE_ENTRY* entries, size_t count) {
  std::string text;
  for (size_t i = 0; i < count; ++i) {
    if (i) text += ", ";
    if (entries[i].nMark == 1) text += "V ";
    text += Text(entries[i].chFileName, sizeof entries[i].chFileName);
  }
  return text;
}

}  // namespace

int ReadPacList(void* entries, unsigned long* count, const char* profileName) {
  if (!count) return WVWL_ERROR_FAILURE;
  const std::vector<PAC_FILE_ENTRY> stored = StoredList(Text(profileName, 128));
  if (!entries) {
    *count = static_cast<unsigned long>(stored.size());
    return WVWL_ERROR_SUCCESS;
  }
  const size_t written = std::min<size_t>(*count, stored.size());
  if (written) std::memcpy(entries, stored.data(), written * sizeof(PAC_FILE_ENTRY));
  *count = static_cast<unsigned long>(written);
  return WVWL_ERROR_SUCCESS;
}

int WritePacList(const void* list, const char* profileName) {
  const std::string name = Text(profileName, 128);
  if (!list || name.empty()) return WVWL_ERROR_FAILURE;
  PAC_FILE_LIST pair{};
  std::memcpy(&pair, list, sizeof pair);
  if (pair.nCount > kMaxEntries || (pair.nCount && !pair.pEntries)) return WVWL_ERROR_FAILURE;
  if (pair.nCount == 0) {
    Sim().DeleteRecord(kKind, name);
    return WVWL_ERROR_SUCCESS;
  }
  const auto* entries = reinterpret_cast<const PAC_FILE_ENTRY*>(static_cast<uintptr_t>(pair.pEntries));
  Sim().WriteRecord(kKind, name, entries, pair.nCount * sizeof(PAC_FILE_ENTRY));
  return WVWL_ERROR_SUCCESS;
}

std::string PacListText(const void* list) {
  if (!list) return "null";
  PAC_FILE_LIST pair{};
  std::memcpy(&pair, list, sizeof pair);
  std::string text = "count " + std::to_string(pair.nCount);
  if (pair.nCount && pair.nCount <= kMaxEntries && pair.pEntries)
    text += " [" + EntriesText(reinterpret_cast<const PAC_FILE_ENTRY*>(static_cast<uintptr_t>(pair.pEntries)), pair.nCount) + "]";
  return text;
}

std::string PacListStatus(const std::string& profileName) {
  const std::vector<PAC_FILE_ENTRY> stored = StoredList(profileName);
  return std::to_string(stored.size()) + ": " + EntriesText(stored.data(), stored.size());
}

}  // namespace sim
