#pragma once
// What the add and delete block-ack pages share: the TID list, the list of candidate peers
// with OK and Cancel, and reading the user's choice from them.
#include <functional>
#include <string>
#include <vector>

#include "ui/ComCtrls.h"
#include "ui/StdCtrls.h"
#include "wlapi/records.h"

// The candidate peers: the driver's peer list with the connected access point first; empty
// when the list cannot be read.
std::vector<std::string> QueryBlockAckCandidates();

// The controls both pages make alike, at the same places; ownRows makes the page's own controls
// between the TID row and the candidate list, so that Tab visits them in place.
struct BLOCK_ACK_PAGE_CONTROLS {
    TLabel* lblTID = nullptr;
    TComboBox* cBoxTID = nullptr;  // "0" to "7", item 0 selected
    TLabel* lblAvailBssidList = nullptr;
    TListView* lvAvailBssidList = nullptr;
    TButton* btnOK = nullptr;
    TButton* btnCancel = nullptr;
};
BLOCK_ACK_PAGE_CONTROLS MakeBlockAckPageControls(TWinControl* page, const std::function<void()>& ownRows = {});

// Reads the candidates again and lists them, one item each, none selected.
void RefreshBlockAckCandidates(TListView* list, std::vector<std::string>& candidates);

// The selected candidate's address and the chosen TID into the request; false, after
// "Please choose BSSID", when nothing is chosen.
bool TakeBlockAckChoice(const TListView* list, const std::vector<std::string>& candidates, const TComboBox* tids,
                        BA_SESSION_REQUEST& request);
