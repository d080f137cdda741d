#pragma once
// The certificate lists of the Windows certificate stores, from the scenario's [Cert.N].
#include <string>

#include "wlapi/records.h"

namespace sim {

// Two calls: a null array answers the count; a filling call writes at most *count records
// (the capacity passed in) and sets *count to the records written. Each record's hash is a
// buffer of the library, outstanding until FreeCerts.
int EnumCerts(const char* store, bool machine, void* array, int* count);
// Releases the hash buffers of *count records of the array and sets *count to 0.
int FreeCerts(void* array, int* count);
// 1 when the certificate with the key's hash has an exportable private key, else 0.
int IsExportableKey(const KV_BLOB_KEY* key);
// "outstanding N frees M": hash buffers not yet released, and FreeCertArray calls made.
std::string CertStatus();

}  // namespace sim
