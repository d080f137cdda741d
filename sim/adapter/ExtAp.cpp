#include "ExtAp.h"

#include <cstring>

#include "Sim.h"

namespace sim {

void ReadStoredExtAp(EXTAP_CONFIG& config)
{
    if (Sim().Blob("ExtAPConfig", &config, sizeof config))
        return;
    std::memset(&config, 0, sizeof config);
    config.MaxPeers = kExtApDefaultPeers;
}

}  // namespace sim
