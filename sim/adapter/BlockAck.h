#pragma once
// Block-ack agreements of the simulated driver, kept per adapter: the peer list it offers, the agreements
// added and deleted by the program, the capability and policies the program sets, and the
// table it reports.
#include <string>

#include "wlapi/records.h"

namespace sim {

// WVWL_AddIMMEBA: an immediate agreement with a peer of the list for one TID; the window
// size is capped to 64. Fails for a TID above 7, a zero address or window, a peer not in the
// list, while MPDU aggregation is set off, or when the direction's 32 peers are taken.
int BaAdd(const BA_SESSION_REQUEST& request);
// The delete request: removes the direction's agreements with the peer for the TID or all.
int BaDelete(const void* data, unsigned long length);
// WVWL_QueryBATable.
int BaTable(BA_TABLE* table);
// The peer-list request: the scenario's peers then the connected access point.
int BaPeerList(void* buffer, unsigned long length, unsigned long* returned);
// WVWL_SetBACap: kept as the driver's setting; aggregation off ends every agreement.
int BaSetCap(const BA_CAP_SETTING& setting);
// WVWL_QueryBACap: the setting last made on the selected adapter (zero before any).
int BaQueryCap(BA_CAP_SETTING* setting);
// The request numbers the driver of the scenario's Windows version answers.
unsigned long BaPeerListRequest();
unsigned long BaDeleteRequest();
// Journal texts.
std::string BaRequestText(const BA_SESSION_REQUEST& request);
std::string BaCapText(const BA_CAP_SETTING& setting);
// Ends every agreement (library unload, scenario change).
void BaReset();

}  // namespace sim
