#include "Certs.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <mutex>
#include <set>
#include <vector>

#include "EntrySupport.h"

namespace sim {
namespace {

struct HashBuffers {
  std::mutex mu;
  std::set<const uint8_t*> outstanding;
  long long frees = 0;
};

HashBuffers& Buffers() {
  static HashBuffers* buffers = new HashBuffers();
  return *buffers;
}

bool SameStore(const std::string& a, const char* b) {
  return b && lstrcmpiA(a.c_str(), b) == 0;
}

std::vector<CertDef> CertsOf(const char* store, bool machine) {
  return Sim().WithScenario([&](const Scenario& s) {
    std::vector<CertDef> list;
    for (const CertDef& c : s.certs)
      if (c.machine == machine && SameStore(c.store, store)) list.push_back(c);
    return list;
  });
}

template <size_t N>
void Put(char (&field)[N], const std::string& text) {
  std::memset(field, 0, N);
  std::memcpy(field, text.data(), std::min(text.size(), N - 1));
}

void FillRecord(wlapi::CERT_INFO& rec, const CertDef& c) {
  std::memset(&rec, 0, sizeof rec);
  Put(rec.chIssuedTo, c.issuedTo);
  Put(rec.chIssuedBy, c.issuedBy);
  Put(rec.chExpiration, c.expiry);
  Put(rec.chFriendlyName, c.friendlyName);
  if (c.hash.empty()) return;
  auto* hash = new uint8_t[c.hash.size()];
  std::memcpy(hash, c.hash.data(), c.hash.size());
  {
    std::lock_guard<std::mutex> lock(Buffers().mu);
    Buffers().outstanding.insert(hash);
  }
  rec.nHashLen = static_cast<uint32_t>(c.hash.size());
  rec.pHash = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(hash));
}

}  // namespace

int EnumCerts(const char* store, bool machine, void* array, int* count) {
  if (!count) return WVWL_ERROR_FAILURE;
  const std::vector<CertDef> certs = CertsOf(store, machine);
  if (!array) {
    *count = static_cast<int>(certs.size());
    return WVWL_ERROR_SUCCESS;
  }
  const size_t capacity = *count > 0 ? static_cast<size_t>(*count) : 0;
  const size_t written = std::min(capacity, certs.size());
  auto* records = static_cast<wlapi::CERT_INFO*>(array);
  for (size_t i = 0; i < written; ++i) FillRecord(records[i], certs[i]);
  *count = static_cast<int>(written);
  return WVWL_ERROR_SUCCESS;
}

int FreeCerts(void* array, int* count) {
  HashBuffers& b = Buffers();
  std::lock_guard<std::mutex> lock(b.mu);
  ++b.frees;
  if (!count) return WVWL_ERROR_SUCCESS;
  if (array) {
    auto* records = static_cast<wlapi::CERT_INFO*>(array);
    for (int i = 0; i < *count; ++i) {
      auto* hash = reinterpret_cast<const uint8_t*>(static_cast<uintptr_t>(records[i].pHash));
      auto it = b.outstanding.find(hash);
      if (it == b.outstanding.end()) continue;
      delete[] *it;
      b.outstanding.erase(it);
      records[i].pHash = 0;
    }
  }
  *count = 0;
  return WVWL_ERROR_SUCCESS;
}

int IsExportableKey(const KV_BLOB_KEY* key) {
  if (!key || key->BlobLength == 0 || key->BlobLength > sizeof key->BlobData) return 0;
  return Sim().WithScenario([&](const Scenario& s) {
    for (const CertDef& c : s.certs)
      if (c.hash.size() == key->BlobLength && std::equal(c.hash.begin(), c.hash.end(), key->BlobData))
        return c.exportable ? 1 : 0;
    return 0;
  });
}

std::string CertStatus() {
  HashBuffers& b = Buffers();
  std::lock_guard<std::mutex> lock(b.mu);
  return "outstanding " + std::to_string(b.outstanding.size()) + " frees " + std::to_string(b.frees) + "\n";
}

}  // namespace sim
