// The data bytes of the driver requests whose contents tests check, for the journal.
#include <cstdio>
#include <string>

#include "EntrySupport.h"

namespace sim {

namespace {

// Hotspot 2.0 test mode, test request, association trigger and HESSID.
constexpr unsigned long kJournalledRequests[] = {0xFFF10708, 0xFFF1070B, 0xFFF1070D, 0xFFF10710};

} // namespace

std::string OidDataText(unsigned long request, const void* data, unsigned long length)
{
    bool journalled = false;
    for (unsigned long each : kJournalledRequests)
        journalled = journalled || each == request;
    if (!journalled || !data || length == 0)
        return "";
    const auto* bytes = static_cast<const unsigned char*>(data);
    std::string text = " ";
    for (unsigned long i = 0; i < length && i < 64; ++i) {
        char two[3];
        std::snprintf(two, sizeof two, "%02x", bytes[i]);
        text += two;
    }
    return text;
}

} // namespace sim
