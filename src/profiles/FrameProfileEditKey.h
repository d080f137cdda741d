#pragma once
// WEP keys or the pre-shared key.
#include <windows.h>

#include "core/FormBase.h"
#include "ui/ExtCtrls.h"
#include "ui/StdCtrls.h"

class TFrameProfileEditKey : public TFrameBase {
public:
    explicit TFrameProfileEditKey(TComponent* owner);
    TPanel* PanelWEP = nullptr;
    TLabel* lblKeyFormat = nullptr;
    TComboBox* cboxKeyFormat = nullptr;
    TLabel* lblDefaultKey = nullptr;
    TComboBox* cboxDefaultKey = nullptr;
    TLabel* lblWEPKey = nullptr;
    TEdit* editWEPKey[4] = {};
    TPanel* PanelPSK = nullptr;
    TLabel* lblPskKey = nullptr;
    TEdit* editPskKey = nullptr;
    TLabel* lblPskKeyFormat = nullptr;
    TComboBox* cboxPskKeyFormat = nullptr;
    TCheckBox* chBoxShowPassword = nullptr;

    void OnEnterPage() override;
    void cboxDefaultKeyChange(TObject* Sender);
    void cboxKeyFormatChange(TObject* Sender);
    void chBoxShowPasswordClick(TObject* Sender);
    // Working fields from the boxes, then the key check.
    bool StoreSettings();
};
