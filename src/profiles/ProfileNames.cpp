#include "profiles/ProfileNames.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "core/WvwlLib.h"
#include "profiles/FormProfileEdit.h"
#include "wlapi/constants.h"

std::string NextProfileID(const WVWLLIB& lib)
{
    unsigned long count = 0;
    if (lib.nWinOS >= WINOS_VISTA || !lib.WVWL_GetNextProfileID || !lib.WVWL_ReadProfileList ||
        lib.WVWL_ReadProfileList(nullptr, &count) != 1 || count == 0)
        return "0";
    char id[128] = {};
    lib.WVWL_GetNextProfileID(id);
    id[sizeof id - 1] = 0;
    return id[0] ? id : "0";
}

std::string MakeDefaultProfileName(const WVWLLIB& lib, const std::string& defaultName, const std::string& prefix)
{
    unsigned long count = 0;
    if (!lib.WVWL_ReadProfileList || lib.WVWL_ReadProfileList(nullptr, &count) != 1 || count == 0)
        return defaultName;
    std::vector<WLANPROFILE> profiles(count);
    if (lib.WVWL_ReadProfileList(profiles.data(), &count) != 1)
        return defaultName;
    count = std::min<unsigned long>(count, profiles.size());
    unsigned long long highest = 0;
    for (unsigned long i = 0; i < count; ++i) {
        std::string name(profiles[i].strProfileName, strnlen(profiles[i].strProfileName, sizeof profiles[i].strProfileName));
        // Leading digits only, as the editor's own name check reads them.
        highest = std::max(highest, DefaultNameNumber(name, prefix));
    }
    return prefix + std::to_string(highest + 1);
}
