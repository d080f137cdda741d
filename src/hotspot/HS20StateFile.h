#pragma once
// The Hotspot 2.0 state file "HS20.ini": written by the Hotspot 2.0 library, read back here
// section by section.
#include <windows.h>

#include <string>
#include <vector>

#include "wlapi/records.h"

// One entry of the state file, ready to hand back to the library.
struct HS20_STATE_ENTRY {
    BYTE kind = 0;            // 0 credential, 1 profile
    std::string section;      // "Credential N" or "Profile N"
    HS20_CREDENTIAL credential{};
    HS20_PROFILE profile{};
    int weight = 99;
    int prefer = 99;          // 1: the preferred entry
    std::string name;
};

// Reads credential sections 0 to 9, then profile sections 0 to 9. A section whose type key
// is missing or 99 holds no entry; a missing Prefer or Weight reads as 99 and texts are cut to
// their fields. A section with a number that is not one or out of its range, or a type that
// is none, goes to skipped as "[section] reason" and the others are still read.
void ReadHS20StateFile(const std::string& path, std::vector<HS20_STATE_ENTRY>& entries,
                       std::vector<std::string>& skipped);
