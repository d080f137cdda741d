#pragma once
// The adapter choice: lists the adapters of the adapter library and lets the user pick one.

#include "ui/Forms.h"
#include "ui/StdCtrls.h"

#include <windows.h>

#include <string>

class TFormSelectCard : public TForm {
public:
    explicit TFormSelectCard(TComponent* AOwner);

    TLabel* lblFriendlyNameText;
    TLabel* lblDeviceDescriptionText;
    TLabel* lblHardwareIDText;
    TLabel* lblLocationInfoText;
    TLabel* lblManufactoryText;
    TComboBox* cbBoxFriendlyName;
    TEdit* editDeviceDescription;
    TEdit* editHardwareID;
    TEdit* editLocationInfo;
    TEdit* editManufactory;
    TButton* BtnOK;

    // Index of the chosen record; always within the list last shown.
    int m_nSelectIndex = 0;
    // The caller's list, not owned: a 32-bit count, then that many 1300-byte adapter records.
    const BYTE* m_pAdapterList = nullptr;
    std::string m_strDeviceDescription;
    std::string m_strHardwareID;
    std::string m_strLocationInfo;
    std::string m_strManufactory;

    void FormShow(TObject* Sender);
    void cbBoxFriendlyNameChange(TObject* Sender);
    void BtnOKClick(TObject* Sender);

private:
    int AdapterCount() const;
    void ShowRecord(int index);
    int ChosenIndex() const;
};

extern TFormSelectCard* FormSelectCard;
