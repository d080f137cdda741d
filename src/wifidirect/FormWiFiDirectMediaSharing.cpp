#include "wifidirect/FormWiFiDirectMediaSharing.h"

#include <shlobj.h>

#include <algorithm>
#include <cstring>

#include "dialogs/FormMessageBox.h"
#include "core/Helpers.h"
#include "core/Log.h"
#include "core/Settings.h"
#include "core/WvwlLib.h"
#include "resources/FormResource.h"
#include "ui/IniFiles.h"
#include "ui/Seams.h"
#include "wifidirect/WiFiDirectSettingControls.h"

TFormWiFiDirectMediaSharing* FormWiFiDirectMediaSharing = nullptr;

namespace {

constexpr size_t kFolderBuffer = 256, kNameBuffer = 64;

TImage* Picture(TImage* TFormResource::*member)
{
    return FormResource ? FormResource->*member : nullptr;
}

bool FolderExists(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace

TFormWiFiDirectMediaSharing::TFormWiFiDirectMediaSharing(TComponent* owner) : TFormBase(owner)
{
    Name = "FormWiFiDirectMediaSharing";
    SetClientSize(400, 245);
    lblSharingFolder = skin::MakeLabel(this, 16, 56, 360, &CUISTR::STR_WIFIDIRECT_SHARING_FOLDER);
    editSharingFolder = wizard::MakeEdit(this, 16, 74, 330, 255);
    editSharingFolder->SetReadOnly(true);
    BtnSharingFolderBrowse = MakePushButton(this, 354, 72, 24, 26, Picture(&TFormResource::ImgBtnSharingMedia_Normal),
                                            Picture(&TFormResource::ImgBtnSharingMedia_Down),
                                            Picture(&TFormResource::ImgBtnSharingMedia_Disabled));
    lblServerName = skin::MakeLabel(this, 16, 108, 360);
    lblServerName->SetCaption("Server name");
    editServerName = wizard::MakeEdit(this, 16, 126, 330, 32);
    lblServiceStatusText = skin::MakeLabel(this, 16, 166, 120, &CUISTR::STR_SERVICE_STATUS);
    lblServiceStatus = skin::MakeLabel(this, 140, 166, 200);
    BtnMediaSharingStart = MakePushButton(this, 290, 200, 24, 26, Picture(&TFormResource::ImgBtnMediaSharingStart_Normal),
                                          Picture(&TFormResource::ImgBtnMediaSharingStart_Down),
                                          Picture(&TFormResource::ImgBtnMediaSharingStart_Disabled));
    BtnMediaSharingCancel = MakePushButton(this, 322, 200, 24, 26, Picture(&TFormResource::ImgBtnMediaSharingStop_Normal),
                                           Picture(&TFormResource::ImgBtnMediaSharingStop_Down),
                                           Picture(&TFormResource::ImgBtnMediaSharingStop_Disabled));
    BtnMediaSharingReStart = MakePushButton(this, 354, 200, 24, 26,
                                            Picture(&TFormResource::ImgBtnMediaSharingReStart_Normal),
                                            Picture(&TFormResource::ImgBtnMediaSharingReStart_Down),
                                            Picture(&TFormResource::ImgBtnMediaSharingReStart_Disabled));
    SysBtnClose = MakePushButton(this, 377, 16, 15, 15, Picture(&TFormResource::ImgBtnWiFiDirectProfileFormClose_Normal),
                                 Picture(&TFormResource::ImgBtnWiFiDirectProfileFormClose_Down), nullptr);
    BtnSharingFolderBrowse->OnClick = [this](TObject* s) { BtnSharingFolderBrowseClick(s); };
    BtnMediaSharingStart->OnClick = [this](TObject* s) { BtnMediaSharingStartClick(s); };
    BtnMediaSharingCancel->OnClick = [this](TObject* s) { BtnMediaSharingCancelClick(s); };
    BtnMediaSharingReStart->OnClick = [this](TObject* s) { BtnMediaSharingReStartClick(s); };
    SysBtnClose->OnClick = [this](TObject* s) { SysBtnCloseClick(s); };
    TimerCheckStatus = new TTimer(this);
    TimerCheckStatus->SetEnabled(false);
    TimerCheckStatus->SetInterval(1000);
    TimerCheckStatus->OnTimer = [this](TObject* s) { TimerCheckStatusTimer(s); };
    OnShow = [this](TObject* s) { FormShow(s); };
}

void TFormWiFiDirectMediaSharing::FormCreate(TObject* Sender)
{
    if (TImage* background = Picture(&TFormResource::ImgWiFiDirectMediaSharingForm))
        ImgBackground->SetPicture(background->Picture());
    TFormBase::FormCreate(Sender);
    const std::string caption = wizard::Text(&CUISTR::STR_WIFIDIRECT_MEDIA_SHARING);
    SetCaption(caption);
    lblCaptionText->SetCaption(caption);
    BtnSharingFolderBrowse->SetHint(wizard::Text(&CUISTR::STR_BROWSE));
    SysBtnClose->SetHint(wizard::Text(&CUISTR::STR_BtnHintClose));
    BtnMediaSharingStart->SetHint(wizard::Text(&CUISTR::STR_MEDIASHARING_START));
    BtnMediaSharingReStart->SetHint(wizard::Text(&CUISTR::STR_MEDIASHARING_RESTART));
    BtnMediaSharingCancel->SetHint(wizard::Text(&CUISTR::STR_MEDIASHARING_STOP));
    const std::pair<TControl*, const char*> placements[] = {{BtnSharingFolderBrowse, "BtnSharingFolderBrowsePos"},
                                                            {BtnMediaSharingStart, "BtnMediaSharingStartPos"},
                                                            {BtnMediaSharingReStart, "BtnMediaSharingReStartPos"},
                                                            {BtnMediaSharingCancel, "BtnMediaSharingCancelPos"}};
    for (const auto& [control, key] : placements)
        wizard::Place(control, "WiFiDirectSettingForm", key);
}

std::string TFormWiFiDirectMediaSharing::ChooseSharedFolder(const std::string& configured)
{
    if (!configured.empty() && FolderExists(configured))
        return configured;
    char profile[256] = {};
    const DWORD length = GetEnvironmentVariableA("USERPROFILE", profile, sizeof profile);
    if (length == 0 || length >= sizeof profile) {
        PrintMessage(2, " TFormWiFiDirectMediaSharing:: USERPROFILE missing or too long\n");
        return "";
    }
    const std::string base(profile, length);
    const std::string folder =
        FolderExists(base + "\\Documents") ? base + "\\Documents\\Media Sharing" : base + "\\Media Sharing";
    if (folder.size() >= kFolderBuffer) {
        PrintMessage(2, " TFormWiFiDirectMediaSharing:: shared folder path too long (%u)\n", unsigned(folder.size()));
        return "";
    }
    return folder;
}

void TFormWiFiDirectMediaSharing::FormShow(TObject*)
{
    TIniFile settings(ProgramFolder() + "ViRuvuzOdiraz.ini");
    const std::string folder = ChooseSharedFolder(settings.ReadString("Device", "SharedFolder", ""));
    if (!folder.empty() && !FolderExists(folder))
        CreateDirectoryA(folder.c_str(), nullptr);
    editSharingFolder->SetText(folder);
    VOZEZIV.ReadMediaServerSettings();
    editServerName->SetText(VOZEZIV.strMediaServerFriendlyName.substr(0, kNameBuffer - 1));
    TimerCheckStatus->SetEnabled(true);
}

void TFormWiFiDirectMediaSharing::BtnSharingFolderBrowseClick(TObject*)
{
    const std::string title = wizard::Text(&CUISTR::STR_WIFIDIRECT_SELECT_SHARING_FOLDER);
    BROWSEINFOA info{};
    info.hwndOwner = Handle();
    info.lpszTitle = title.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    LPITEMIDLIST chosen = SHBrowseForFolderA(&info);
    if (!chosen) {
        PrintMessage(6, " TFormWiFiDirectMediaSharing:: no folder chosen (%lu)\n", GetLastError());
        return;
    }
    char path[MAX_PATH] = {};
    if (SHGetPathFromIDListA(chosen, path))
        editSharingFolder->SetText(path);
    CoTaskMemFree(chosen);
}

void TFormWiFiDirectMediaSharing::StartServer()
{
    m_strFolderPath = editSharingFolder->Text();
    if (m_strFolderPath.empty() || m_strFolderPath.size() >= kFolderBuffer) {
        ShowMessageBox(wizard::Text(&CUISTR::STR_WIFIDIRECT_SELECT_SHARING_FOLDER), 0);
        return;
    }
    const std::string serverName = editServerName->Text();
    if (serverName.empty()) {
        ShowMessageBox(wizard::Text(&CUISTR::STR_WIFIDIRECT_SERVER_FRIENDLY_NAME_REQUIRED), 0);
        return;
    }
    char name[kNameBuffer] = {};
    std::memcpy(name, serverName.data(), std::min(serverName.size(), kNameBuffer - 1));
    char folder[kFolderBuffer] = {};
    std::memcpy(folder, m_strFolderPath.data(), m_strFolderPath.size());
    PrintMessage(6, " MediaSharing:: SetMediaServerFriendlyName return %d\n", VOZEZIV.WVWL_SetMediaServerFriendlyName(name));
    PrintMessage(6, " MediaSharing:: StartAndSetMediaFolder return %d\n", VOZEZIV.WVWL_StartAndSetMediaFolder(folder));
    PrintMessage(6, " MediaSharing:: StartMediaServer return %d\n", VOZEZIV.WVWL_StartMediaServer());
    PrintMessage(6, " MediaSharing:: SetMediaServerStartupType return %d\n", VOZEZIV.WVWL_SetMediaServerStartupType(TRUE));
    TimerCheckStatus->SetEnabled(true);
}

void TFormWiFiDirectMediaSharing::StopServer()
{
    PrintMessage(6, " MediaSharing:: StopMediaServer return %d\n", VOZEZIV.WVWL_StopMediaServer());
    PrintMessage(6, " MediaSharing:: SetMediaServerStartupType return %d\n", VOZEZIV.WVWL_SetMediaServerStartupType(FALSE));
    TimerCheckStatus->SetEnabled(true);
}

void TFormWiFiDirectMediaSharing::BtnMediaSharingStartClick(TObject*)
{
    StartServer();
}

void TFormWiFiDirectMediaSharing::BtnMediaSharingCancelClick(TObject*)
{
    StopServer();
}

void TFormWiFiDirectMediaSharing::BtnMediaSharingReStartClick(TObject*)
{
    StopServer();
    seams::Sleep(1000);
    StartServer();
}

void TFormWiFiDirectMediaSharing::TimerCheckStatusTimer(TObject*)
{
    const int state = GetServiceStatus(VOZEZIV.strMediaServerServiceName.c_str());
    if (state == SERVICE_START_PENDING || state == SERVICE_RUNNING) {
        BtnMediaSharingCancel->SetEnabled(true);
        BtnMediaSharingReStart->SetEnabled(true);
        BtnMediaSharingStart->SetEnabled(false);
        lblServiceStatus->SetCaption(wizard::Text(&CUISTR::STR_SERVICE_START));
    } else if (state == SERVICE_STOPPED || state == SERVICE_STOP_PENDING) {
        BtnMediaSharingCancel->SetEnabled(false);
        BtnMediaSharingReStart->SetEnabled(false);
        BtnMediaSharingStart->SetEnabled(true);
        lblServiceStatus->SetCaption(wizard::Text(&CUISTR::STR_SERVICE_STOP));
    } else {
        PrintMessage(6, " MediaSharing:: service status %d\n", state);
    }
    TimerCheckStatus->SetEnabled(false);
}

void TFormWiFiDirectMediaSharing::SysBtnCloseClick(TObject*)
{
    Close();
}
