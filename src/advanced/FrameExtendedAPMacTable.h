#pragma once
// The access point's station table: its BSSID and the stations associated with it, read
// from the hosted network's status every two seconds while the page is entered.
#include <cstdint>
#include <string>
#include <vector>

#include "core/FormBase.h"
#include "ui/ComCtrls.h"
#include "ui/StdCtrls.h"

class TFormExtendedAP;

class TFrameExtendedAPMacTable : public TFrameBase {
public:
    explicit TFrameExtendedAPMacTable(TComponent* owner);

    struct MAC_ROW {
        uint8_t mac[6];
        uint32_t authState;  // 1 authenticated
    };

    TLabel* lblBSSIDText = nullptr;
    TLabel* lblBSSID = nullptr;
    TLabel* lblMacTableText = nullptr;
    TListView* lvMacList = nullptr;

    std::vector<MAC_ROW> m_Rows;
    std::string m_strBSSID = "00-00-00-00-00-00";

    // The window whose timer this page runs.
    TFormExtendedAP* m_pForm = nullptr;

    void OnEnterPage() override;
    bool OnLeavePage() override;
    // Reads the status afresh; a count of peers beyond the record's 50 is cut to 50.
    void RefreshMacTable();
    void FillMacList();
};
