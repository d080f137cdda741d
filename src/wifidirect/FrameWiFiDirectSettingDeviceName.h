#pragma once
// Device-name page of the Wi-Fi Direct setting wizard: the computer's name or a typed one.
#include <string>

#include "core/FormBase.h"
#include "ui/StdCtrls.h"

class TFrameWiFiDirectSettingDeviceName : public TFrameBase {
public:
    explicit TFrameWiFiDirectSettingDeviceName(TComponent* owner);

    // Controls: the group rGrpDeviceName with item 0 (the computer's name) and item 1 (the edit).
    TGroupBox* rGrpDeviceName = nullptr;
    TRadioButton* rBtnComputerName = nullptr;
    TRadioButton* rBtnEnterName = nullptr;
    TEdit* editDeviceName = nullptr;

    std::string m_strComputerName;

    void OnEnterPage() override;
    bool OnLeavePage() override;

    // The checked item of rGrpDeviceName (0 or 1), or -1.
    int ItemIndex() const;
    void SetItemIndex(int index);
};
