#include "Psk.h"

#include <windows.h>
#include <bcrypt.h>

namespace sim {

bool DerivePsk(const std::string& passphrase, const std::string& ssid, uint8_t out[32]) {
  BCRYPT_ALG_HANDLE alg = nullptr;
  if (BCryptOpenAlgorithmProvider(&alg, BCRYPT_SHA1_ALGORITHM, nullptr, BCRYPT_ALG_HANDLE_HMAC_FLAG) != 0) return false;
  NTSTATUS st = BCryptDeriveKeyPBKDF2(alg, reinterpret_cast<PUCHAR>(const_cast<char*>(passphrase.data())),
                                      static_cast<ULONG>(passphrase.size()),
                                      reinterpret_cast<PUCHAR>(const_cast<char*>(ssid.data())),
                                      static_cast<ULONG>(ssid.size()), 4096, out, 32, 0);
  BCryptCloseAlgorithmProvider(alg, 0);
  return st == 0;
}

}  // namespace sim
