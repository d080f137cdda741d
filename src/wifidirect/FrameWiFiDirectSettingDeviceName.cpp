#include "wifidirect/FrameWiFiDirectSettingDeviceName.h"

#include <windows.h>

#include "dialogs/FormMessageBox.h"
#include "wifidirect/WiFiDirectSetting.h"
#include "wifidirect/WiFiDirectSettingControls.h"

using namespace wizard;

TFrameWiFiDirectSettingDeviceName::TFrameWiFiDirectSettingDeviceName(TComponent* owner) : TFrameBase(owner)
{
    Name = "FrameWiFiDirectSettingDeviceName";
    char computer[256] = {};
    DWORD size = sizeof computer;
    if (GetComputerNameA(computer, &size))
        m_strComputerName.assign(computer, strnlen(computer, sizeof computer));

    rGrpDeviceName = new TGroupBox(this);
    rGrpDeviceName->SetParent(this);
    rGrpDeviceName->SetBounds(16, 16, 352, 110);
    rGrpDeviceName->SetCaption(Text(&CUISTR::STR_ENTER_DEVICE_NAME));
    rBtnComputerName = MakeRadio(rGrpDeviceName, 16, 28, 320, Text(&CUISTR::STR_COM_NAME) + " " + m_strComputerName);
    rBtnEnterName = MakeRadio(rGrpDeviceName, 16, 66, 20, "");
    editDeviceName = MakeEdit(rGrpDeviceName, 40, 64, 200, 15);
}

int TFrameWiFiDirectSettingDeviceName::ItemIndex() const
{
    if (rBtnComputerName->Checked())
        return 0;
    return rBtnEnterName->Checked() ? 1 : -1;
}

void TFrameWiFiDirectSettingDeviceName::SetItemIndex(int index)
{
    (index == 0 ? rBtnComputerName : rBtnEnterName)->SetChecked(true);
}

void TFrameWiFiDirectSettingDeviceName::OnEnterPage()
{
    const std::string& name = FormWiFiDirectSetting->m_strDeviceName;
    if (name == m_strComputerName) {
        SetItemIndex(0);
        return;
    }
    if (!name.empty()) {
        editDeviceName->SetText(name);
        SetItemIndex(1);
        return;
    }
    SetItemIndex(0);
}

bool TFrameWiFiDirectSettingDeviceName::OnLeavePage()
{
    TFormWiFiDirectSetting* form = FormWiFiDirectSetting;
    if (ItemIndex() != 1) {
        form->m_strDeviceName = m_strComputerName;
        return true;
    }
    const std::string name = editDeviceName->Text();
    if (name.empty() || name.size() > 32) {
        ShowMessageBox(Text(&CUISTR::STR_DEVICE_NAME_LENGTH), 0);
        return false;
    }
    form->m_strDeviceName = name;
    return true;
}
