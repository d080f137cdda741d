#include "dialogs/FormSelectCard.h"

#include "resources/FormResource.h"
#include "wlapi/records.h"

#include <algorithm>
#include <climits>
#include <cstring>

TFormSelectCard* FormSelectCard = nullptr;

namespace {

constexpr int kLabelTops[] = {18, 50, 82, 114, 145};
constexpr int kEditTops[] = {47, 79, 111, 142};

// A NUL-terminated text of a record field, never read beyond the field.
template <std::size_t N>
std::string FieldText(const char (&field)[N])
{
    return std::string(field, strnlen(field, N));
}

}  // namespace

TFormSelectCard::TFormSelectCard(TComponent* AOwner) : TForm(AOwner)
{
    Name = "FormSelectCard";
    const CUISTR& texts = *FormResource->UI_Str;
    SetBorderStyle(bsDialog);
    SetClientSize(387, 213);
    SetCaption(texts.STR_SELECT_CARD);
    SetPosition(poScreenCenter);

    TLabel** labels[] = {&lblFriendlyNameText, &lblDeviceDescriptionText, &lblHardwareIDText,
                         &lblLocationInfoText, &lblManufactoryText};
    const std::string* captions[] = {&texts.STR_FRIENDLY_NAME, &texts.STR_DEVICE_DESCRIPTION,
                                     &texts.STR_HARDWARE_ID, &texts.STR_LOCATION_INFO,
                                     &texts.STR_MANUFACTORY};
    for (int i = 0; i < 5; ++i) {
        *labels[i] = new TLabel({this, 3, kLabelTops[i], 112, 13, *captions[i]});
        (*labels[i])->SetAlignment(taRightJustify);
    }

    cbBoxFriendlyName = new TComboBox({this, 120, 15, 249, 21});

    TEdit** edits[] = {&editDeviceDescription, &editHardwareID, &editLocationInfo,
                       &editManufactory};
    for (int i = 0; i < 4; ++i) {
        *edits[i] = new TEdit({this, 120, kEditTops[i], 249, 21});
        (*edits[i])->SetReadOnly(true);
    }

    BtnOK = new TButton({this, 152, 182, 75, 25, texts.STR_OK});
    BtnOK->Default = true;

    OnShow = [this](TObject* sender) { FormShow(sender); };
    cbBoxFriendlyName->OnChange = [this](TObject* sender) { cbBoxFriendlyNameChange(sender); };
    BtnOK->OnClick = [this](TObject* sender) { BtnOKClick(sender); };
}

int TFormSelectCard::AdapterCount() const
{
    if (!m_pAdapterList)
        return 0;
    uint32_t count = 0;
    std::memcpy(&count, m_pAdapterList, sizeof count);
    return static_cast<int>(std::min<uint32_t>(count, INT_MAX / sizeof(WLAN_ADAPTER)));
}

void TFormSelectCard::ShowRecord(int index)
{
    WLAN_ADAPTER record;
    std::memcpy(&record, m_pAdapterList + sizeof(uint32_t) + index * sizeof(WLAN_ADAPTER),
                sizeof record);
    m_strDeviceDescription = FieldText(record.DevDesc);
    m_strHardwareID = FieldText(record.HardwareID);
    m_strLocationInfo = FieldText(record.LocationInfo);
    m_strManufactory = FieldText(record.Manufactory);
    editDeviceDescription->SetText(m_strDeviceDescription);
    editHardwareID->SetText(m_strHardwareID);
    editLocationInfo->SetText(m_strLocationInfo);
    editManufactory->SetText(m_strManufactory);
}

// The list's selection, kept within the list shown (0 when nothing is selected).
int TFormSelectCard::ChosenIndex() const
{
    const int count = cbBoxFriendlyName->Items().Count();
    return std::clamp(cbBoxFriendlyName->ItemIndex(), 0, std::max(count - 1, 0));
}

void TFormSelectCard::FormShow(TObject*)
{
    cbBoxFriendlyName->Items().Clear();
    // An index from an earlier, longer list must not outlive it.
    m_nSelectIndex = 0;
    const int count = AdapterCount();
    if (count == 0)
        return;
    for (int i = 0; i < count; ++i) {
        WLAN_ADAPTER record;
        std::memcpy(&record, m_pAdapterList + sizeof(uint32_t) + i * sizeof(WLAN_ADAPTER),
                    sizeof record);
        cbBoxFriendlyName->Items().Add(FieldText(record.DevDesc));
    }
    cbBoxFriendlyName->SetItemIndex(0);
    ShowRecord(0);
}

void TFormSelectCard::cbBoxFriendlyNameChange(TObject*)
{
    if (cbBoxFriendlyName->Items().Count() == 0 || AdapterCount() == 0)
        return;
    m_nSelectIndex = std::min(ChosenIndex(), AdapterCount() - 1);
    ShowRecord(m_nSelectIndex);
}

void TFormSelectCard::BtnOKClick(TObject*)
{
    m_nSelectIndex = ChosenIndex();
    SetModalResult(mrOk);
}
