#pragma once
// The Hotspot 2.0 state file "HS20.ini": written by the Hotspot 2.0 library, read back here
// and checked before anything of it is replayed.
#include <windows.h>

#include <string>
#include <vector>

#include "wlapi/records.h"

// One entry of the state file, ready to hand back to the library.
struct HS20_STATE_ENTRY {
    BYTE kind = 0;            // 0 credential, 1 profile
    int section = 0;          // N of "Credential N" or "Profile N"
    HS20_CREDENTIAL credential{};
    HS20_PROFILE profile{};
    int weight = 99;
    int prefer = 99;          // 1: the preferred entry
    std::string name;
};

// Reads the ten credential and ten profile sections, credentials first. A section with no
// entry (type 99 or missing) is skipped. False, with entries empty and error saying where,
// when a number is not a number or out of its range, an entry lacks its "Name", "Prefer" or
// "Weight" key, the file holds more entries than the table has rows, or a non-empty file
// holds none of the sections.
bool ReadHS20StateFile(const std::string& path, std::vector<HS20_STATE_ENTRY>& entries, std::string& error);
