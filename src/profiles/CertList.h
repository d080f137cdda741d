#pragma once
// A page's copy of the adapter library's certificate list: the records with their count, the
// hash buffers the library owns until the list is handed back, and the selected record.
#include <string>
#include <vector>

#include "wlapi/records.h"

class TCertList {
public:
    TCertList() = default;
    ~TCertList();
    TCertList(const TCertList&) = delete;
    TCertList& operator=(const TCertList&) = delete;

    // Hands the old list back to the library, then reads the user's store and, with
    // withMachine, the computer's store behind it. False when nothing could be read.
    bool Fill(const char* store, bool withMachine);
    // Hands the list back to the library and empties it.
    void Release();

    int Count() const { return int(m_Records.size()); }
    const wlapi::CERT_INFO& Record(int index) const { return m_Records[size_t(index)]; }
    // The hash bytes of a record, at most 152 (a longer hash is refused: empty, logged).
    std::vector<BYTE> Hash(int index) const;

    // The selected copy; Select(-1) zero-fills it.
    void Select(int index);
    int Selected() const { return m_nSelected; }
    // The selected record's hash as a profile stores it (length 0 when none).
    KV_BLOB_KEY SelectedKey() const;
    // The record whose hash equals the key, the last of several; -1 when none.
    int FindByHash(const KV_BLOB_KEY& key) const;

private:
    std::vector<wlapi::CERT_INFO> m_Records;
    int m_nSelected = -1;
    KV_BLOB_KEY m_SelectedKey{};
};

// The record's text field up to its first zero byte.
std::string CertText(const char (&field)[256]);
// Whether an expiry "Y/M/D" lies before the given day; a text that cannot be read is not
// expired (and is logged).
bool CertExpired(const std::string& expiry, int year, int month, int day);
