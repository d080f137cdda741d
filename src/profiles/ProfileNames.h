#pragma once
// ID and default name of a new profile.
#include <string>

class WVWLLIB;

// The library's next ID below Windows code 31 (when it has one), otherwise "0".
std::string NextProfileID(const WVWLLIB& lib);
// defaultName when no profile exists, else prefix followed by the highest number in use
// after prefix (compared ignoring case) plus one.
std::string MakeDefaultProfileName(const WVWLLIB& lib, const std::string& defaultName, const std::string& prefix);
