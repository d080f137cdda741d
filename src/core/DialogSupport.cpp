#include "core/DialogSupport.h"

bool ProgressPinOnly()
{
    return false;
}

void DisconnectWifiDirectPeer(const unsigned char*)
{
}
