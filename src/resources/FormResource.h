#pragma once
// The picture repository: one hidden form holding every built-in picture of the skinned
// windows once, with the skin file "RoVaza.ini" applied over them, and the interface texts.

#include "resources/UiStr.h"
#include "resources/WvImage.h"
#include "ui/ExtCtrls.h"
#include "ui/Forms.h"

#include <memory>
#include <span>
#include <string>
#include <utility>
#include <vector>

// Resource name of the main window's own built-in background (a key-shaped bitmap).
inline constexpr const char kMainFormBackgroundResource[] = "MainFormBackground";

class TFormResource : public TForm {
public:
    explicit TFormResource(TComponent* AOwner);
    ~TFormResource() override;

    // Creation handler (OnCreate): applies the skin file.
    void FormCreate(TObject* Sender);

    // Reads the skin file beside the program and applies every key in order. A picture file
    // that cannot be decoded ends the reading with EPictureError.
    void LoadSkin();
    // Replaces image's picture from the file at path when the file can be found.
    void LoadSkinImage(TImage* image, const std::string& path);
    // Left and top from "x,y"; anything else gives 0, 0.
    void SetSkinPosition(TImage* image, const std::string& value);

    // One key of the skin file: the repository picture it replaces or, for a position key,
    // whose left and top it sets.
    struct SkinKey {
        const char* section;
        const char* key;
        const char* picture;
        bool position;
    };
    static std::span<const SkinKey> SkinKeys();

    // Every picture control with its name, in design order.
    const std::vector<std::pair<const char*, TImage*>>& Pictures() const { return pictures_; }

    // Folder of the skin file, without a trailing backslash: the program's folder.
    std::string SkinFolder;

    std::unique_ptr<CUISTR> UI_Str;

    // The picture controls, in design order.
    TImage* ImgProfileFormBG = nullptr;
    TImage* ImgSiteSurveyFormBG = nullptr;
    TImage* ImgBtnMainFormClose_Normal = nullptr;
    TImage* ImgBtnMainFormClose_Down = nullptr;
    TImage* ImgBtnMainFormHelp_Normal = nullptr;
    TImage* ImgBtnMainFormHelp_Down = nullptr;
    TImage* ImgBtnLinkInfo_Normal = nullptr;
    TImage* ImgBtnLinkInfo_Down = nullptr;
    TImage* ImgBtnProfile_Normal = nullptr;
    TImage* ImgBtnProfile_Down = nullptr;
    TImage* ImgBtnSiteSurvey_Normal = nullptr;
    TImage* ImgBtnSiteSurvey_Down = nullptr;
    TImage* ImgBtnAdvanced_Normal = nullptr;
    TImage* ImgBtnAdvanced_Down = nullptr;
    TImage* ImgBtnAbout_Normal = nullptr;
    TImage* ImgBtnAbout_Down = nullptr;
    TImage* ImgBtnProfileAdd_Normal = nullptr;
    TImage* ImgBtnProfileAdd_Down = nullptr;
    TImage* ImgBtnProfileDelete_Normal = nullptr;
    TImage* ImgBtnProfileDelete_Down = nullptr;
    TImage* ImgBtnProfileEdit_Normal = nullptr;
    TImage* ImgBtnProfileEdit_Down = nullptr;
    TImage* ImgBtnProfileImport_Normal = nullptr;
    TImage* ImgBtnProfileImport_Down = nullptr;
    TImage* ImgBtnProfileExport_Normal = nullptr;
    TImage* ImgBtnProfileExport_Down = nullptr;
    TImage* ImgBtnProfileActivate_Normal = nullptr;
    TImage* ImgBtnProfileActivate_Down = nullptr;
    TImage* ImgBtnSiteSurveyRescan_Normal = nullptr;
    TImage* ImgBtnSiteSurveyRescan_Down = nullptr;
    TImage* ImgBtnSiteSurveyConnect_Normal = nullptr;
    TImage* ImgBtnSiteSurveyConnect_Down = nullptr;
    TImage* ImgBtnSiteSurveyAdd2Prof_Normal = nullptr;
    TImage* ImgBtnSiteSurveyAdd2Prof_Down = nullptr;
    TImage* ImgLinkInfoFormBG = nullptr;
    TImage* ImgBtnLinkInfoWireless_Normal = nullptr;
    TImage* ImgBtnLinkInfoWireless_Down = nullptr;
    TImage* ImgBtnLinkInfoThroughput_Normal = nullptr;
    TImage* ImgBtnLinkInfoThroughput_Down = nullptr;
    TImage* ImgBtnLinkInfoStatistic_Normal = nullptr;
    TImage* ImgBtnLinkInfoStatistic_Down = nullptr;
    TImage* ImgBtnProfileNext_Normal = nullptr;
    TImage* ImgBtnProfileNext_Down = nullptr;
    TImage* ImgBtnProfileNext_Disabled = nullptr;
    TImage* ImgBtnProfileBack_Normal = nullptr;
    TImage* ImgBtnProfileBack_Down = nullptr;
    TImage* ImgBtnProfileBack_Disabled = nullptr;
    TImage* ImgBtnProfileCancel_Normal = nullptr;
    TImage* ImgBtnProfileCancel_Down = nullptr;
    TImage* ImgMainFormPartition = nullptr;
    TImage* ImgBtnProfileFormClose_Normal = nullptr;
    TImage* ImgBtnProfileFormClose_Down = nullptr;
    TImage* ImgBtnProfileEditFormClose_Normal = nullptr;
    TImage* ImgBtnProfileEditFormClose_Down = nullptr;
    TImage* ImgBtnSiteSurveyFormClose_Normal = nullptr;
    TImage* ImgBtnSiteSurveyFormClose_Down = nullptr;
    TImage* ImgBtnLinkInfoFormClose_Normal = nullptr;
    TImage* ImgBtnLinkInfoFormClose_Down = nullptr;
    TImage* ImgAboutFormBG = nullptr;
    TImage* ImgBtnAboutFormClose_Normal = nullptr;
    TImage* ImgBtnAboutFormClose_Down = nullptr;
    TImage* ImgAdvancedFormBG = nullptr;
    TImage* ImgBtnAdvancedFormClose_Normal = nullptr;
    TImage* ImgBtnAdvancedFormClose_Down = nullptr;
    TImage* ImgTarnwell = nullptr;
    TImage* ImgMainFormLinkQuality = nullptr;
    TImage* ImgMainFormRadioOn = nullptr;
    TImage* ImgMainFormRadioOff = nullptr;
    TImage* ImgMainFormKeyEnabled = nullptr;
    TImage* ImgBtnAdvancedWireless_Normal = nullptr;
    TImage* ImgBtnAdvancedWireless_Down = nullptr;
    TImage* ImgBtnAdvancedWMM_Normal = nullptr;
    TImage* ImgBtnAdvancedWMM_Down = nullptr;
    TImage* ImgBtnAdvancedCCX_Normal = nullptr;
    TImage* ImgBtnAdvancedCCX_Down = nullptr;
    TImage* ImgBtnProfileWPS_Normal = nullptr;
    TImage* ImgBtnProfileWPS_Down = nullptr;
    TImage* ImgLinkInfoSignalBar = nullptr;
    TImage* ImgLinkInfoSignalBar_BG = nullptr;
    TImage* ImgBtnLinkInfo_Disabled = nullptr;
    TImage* ImgBtnProfile_Disabled = nullptr;
    TImage* ImgBtnSiteSurvey_Disabled = nullptr;
    TImage* ImgBtnAdvanced_Disabled = nullptr;
    TImage* ImgBtnAbout_Disabled = nullptr;
    TImage* ImgBtnSiteSurveyRescan_Disabled = nullptr;
    TImage* ImgBtnSiteSurveyConnect_Disabled = nullptr;
    TImage* ImgBtnSiteSurveyAdd2Prof_Disabled = nullptr;
    TImage* ImgBtnProfileAdd_Disabled = nullptr;
    TImage* ImgBtnProfileDelete_Disabled = nullptr;
    TImage* ImgBtnProfileEdit_Disabled = nullptr;
    TImage* ImgBtnProfileImport_Disabled = nullptr;
    TImage* ImgBtnProfileExport_Disabled = nullptr;
    TImage* ImgBtnProfileActivate_Disabled = nullptr;
    TImage* ImgBtnProfileWPS_Disabled = nullptr;
    TImage* ImgTrayIconGood = nullptr;
    TImage* ImgTrayIconNormal = nullptr;
    TImage* ImgTrayIconWeak = nullptr;
    TImage* ImgTrayIconLost = nullptr;
    TImage* ImgTrayIconNoExist = nullptr;
    TImage* ImgTrayIconWepError = nullptr;
    TImage* ImgSiteSurvey11A = nullptr;
    TImage* ImgSiteSurvey11B = nullptr;
    TImage* ImgSiteSurvey11G = nullptr;
    TImage* ImgSiteSurvey11N = nullptr;
    TImage* ImgSiteSurveyActive = nullptr;
    TImage* ImgSiteSurveyActiveDisabled = nullptr;
    TImage* ImgSiteSurveyAdHoc = nullptr;
    TImage* ImgSiteSurveyInfrastructure = nullptr;
    TImage* ImgSiteSurveySecurity = nullptr;
    TImage* ImgSiteSurveyWAPI = nullptr;
    TImage* ImgSiteSurveyWPS = nullptr;
    TImage* ImgMessageBoxIcon = nullptr;
    TImage* ImgMainFormLinkQualityDisabled = nullptr;
    TImage* ImgMainFormKeyDisabled = nullptr;
    TImage* ImgProfileStatusBar = nullptr;
    TImage* ImgProfileStatusBar_BG = nullptr;
    TImage* ImgMainFormBG = nullptr;
    TImage* ImgTarnwellWebSite = nullptr;
    TImage* ImgBtnProfileCancel_Diabled = nullptr;
    TImage* ImgBtnAdvancedWireless_Disabled = nullptr;
    TImage* ImgBtnAdvancedWMM_Disabled = nullptr;
    TImage* ImgBtnAdvancedCCX_Disabled = nullptr;
    TImage* ImgBtnLinkInfoWireless_Disabled = nullptr;
    TImage* ImgBtnLinkInfoThroughput_Disabled = nullptr;
    TImage* ImgBtnLinkInfoStatistic_Disabled = nullptr;
    TImage* ImgExtendedAPFormBG = nullptr;
    TImage* ImgBtnExtendedAPFormClose_Normal = nullptr;
    TImage* ImgBtnExtendedAPFormClose_Down = nullptr;
    TImage* ImgBtnExtendedAP_Normal = nullptr;
    TImage* ImgBtnExtendedAP_Down = nullptr;
    TImage* ImgBtnExtendedAP_Disabled = nullptr;
    TImage* ImgBtnExtendedAPConfig_Normal = nullptr;
    TImage* ImgBtnExtendedAPConfig_Down = nullptr;
    TImage* ImgBtnExtendedAPConfig_Disabled = nullptr;
    TImage* ImgBtnExtendedAPMacTable_Normal = nullptr;
    TImage* ImgBtnExtendedAPMacTable_Down = nullptr;
    TImage* ImgBtnExtendedAPMacTable_Disabled = nullptr;
    TImage* ImgBtnAdvancedCertCenter_Normal = nullptr;
    TImage* ImgBtnAdvancedCertCenter_Down = nullptr;
    TImage* ImgBtnAdvancedCertCenter_Disabled = nullptr;
    TImage* ImgBtnAdvancedTest_Normal = nullptr;
    TImage* ImgBtnAdvancedTest_Down = nullptr;
    TImage* ImgBtnAdvancedTest_Disabled = nullptr;
    TImage* ImgAuthenStatusForm = nullptr;
    TImage* ImgMainFormLinkQualityDisconnected = nullptr;
    TImage* ImgBtnLinkInfoStatisticResetCounter_Normal = nullptr;
    TImage* ImgBtnLinkInfoStatisticResetCounter_Down = nullptr;
    TImage* ImgBtnProfEditWAPICertManager_Normal = nullptr;
    TImage* ImgBtnProfEditWAPICertManager_Down = nullptr;
    TImage* ImgAdvancedCertManagerBtnInstallCert_Normal = nullptr;
    TImage* ImgAdvancedCertManagerBtnInstallCert_Down = nullptr;
    TImage* ImgAdvancedCertManagerBtnInstallCert_Disabled = nullptr;
    TImage* ImgAdvancedCertManagerBtnMoveUp_Normal = nullptr;
    TImage* ImgAdvancedCertManagerBtnMoveUp_Down = nullptr;
    TImage* ImgAdvancedCertManagerBtnMoveUp_Disabled = nullptr;
    TImage* ImgAdvancedCertManagerBtnMoveDown_Normal = nullptr;
    TImage* ImgAdvancedCertManagerBtnMoveDown_Down = nullptr;
    TImage* ImgAdvancedCertManagerBtnMoveDown_Disabled = nullptr;
    TImage* ImgAdvancedCertManagerBtnDelete_Normal = nullptr;
    TImage* ImgAdvancedCertManagerBtnDelete_Down = nullptr;
    TImage* ImgAdvancedCertManagerBtnDelete_Disabled = nullptr;
    TImage* ImgConnectLine0 = nullptr;
    TImage* ImgConnectLine1 = nullptr;
    TImage* ImgConnectLine2 = nullptr;
    TImage* ImgConnectLine3 = nullptr;
    TImage* ImgConnectLine4 = nullptr;
    TImage* ImgDeviceCamera = nullptr;
    TImage* ImgDeviceCamera_Owner = nullptr;
    TImage* ImgDeviceNB = nullptr;
    TImage* ImgDeviceNB_Owner = nullptr;
    TImage* ImgDeviceUnknown_Owner = nullptr;
    TImage* ImgDeviceUnknown = nullptr;
    TImage* ImgDevicePC = nullptr;
    TImage* ImgDevicePC_Owner = nullptr;
    TImage* ImgSG10 = nullptr;
    TImage* ImgSG09 = nullptr;
    TImage* ImgSG08 = nullptr;
    TImage* ImgSG07 = nullptr;
    TImage* ImgSG06 = nullptr;
    TImage* ImgSG05 = nullptr;
    TImage* ImgSG04 = nullptr;
    TImage* ImgSG03 = nullptr;
    TImage* ImgSG02 = nullptr;
    TImage* ImgSG01 = nullptr;
    TImage* ImgProgressBar = nullptr;
    TImage* ImgProgressMsgBox = nullptr;
    TImage* ImgBtnWiFiDirectSettingNext_Normal = nullptr;
    TImage* ImgBtnWiFiDirectSettingNext_Down = nullptr;
    TImage* ImgBtnWiFiDirectSettingNext_Disabled = nullptr;
    TImage* ImgBtnWiFiDirectSettingBack_Normal = nullptr;
    TImage* ImgBtnWiFiDirectSettingBack_Down = nullptr;
    TImage* ImgBtnWiFiDirectSettingBack_Disabled = nullptr;
    TImage* ImgBtnWiFiDirectSettingCancel_Normal = nullptr;
    TImage* ImgBtnWiFiDirectSettingCancel_Down = nullptr;
    TImage* ImgBtnWiFiDirectSettingFromClose_Normal = nullptr;
    TImage* ImgBtnWiFiDirectSettingFromClose_Down = nullptr;
    TImage* ImgBtnWiFiDirectSettingCancel_Disabled = nullptr;
    TImage* ImgWiFiDirectSettingForm = nullptr;
    TImage* ImgWiFiDirectSettingFrame = nullptr;
    TImage* ImgConnectLine2_1 = nullptr;
    TImage* ImgConnectLine2_0 = nullptr;
    TImage* ImgWiFiDirectOff = nullptr;
    TImage* ImgWiFiDirectOn = nullptr;
    TImage* ImgBtnWPSConnect_Down = nullptr;
    TImage* ImgBtnWPSConnect_Normal = nullptr;
    TImage* ImgDeviceTV = nullptr;
    TImage* ImgDeviceTV_Owner = nullptr;
    TImage* ImgDeviceAP = nullptr;
    TImage* ImgDeviceAP_Owner = nullptr;
    TImage* ImgBtnRotationClockwise_Normal = nullptr;
    TImage* ImgBtnRotationCounterwise_Normal = nullptr;
    TImage* ImgBtnRotationClockwise_Down = nullptr;
    TImage* ImgBtnRotationCounterwise_Down = nullptr;
    TImage* ImgWIFiDirectGO = nullptr;
    TImage* ImgDeviceSmartphone = nullptr;
    TImage* ImgDeviceSmartphone_Owner = nullptr;
    TImage* ImgDevicePrinter = nullptr;
    TImage* ImgDevicePrinter_Owner = nullptr;
    TImage* ImgWiFiDirectProfileForm = nullptr;
    TImage* ImgBtnWiFiDirectProfileDelete_Normal = nullptr;
    TImage* ImgBtnWiFiDirectProfileAdd_Normal = nullptr;
    TImage* ImgBtnWiFiDirectProfileAdd_Down = nullptr;
    TImage* ImgBtnWiFiDirectProfileAdd_Disabled = nullptr;
    TImage* ImgBtnWiFiDirectProfileDelete_Down = nullptr;
    TImage* ImgBtnWiFiDirectProfileDelete_Disabled = nullptr;
    TImage* ImgBtnWiFiDirectProfileDetail_Disabled = nullptr;
    TImage* ImgBtnWiFiDirectProfileDetail_Down = nullptr;
    TImage* ImgBtnWiFiDirectProfileDetail_Normal = nullptr;
    TImage* ImgBtnWiFiDirectProfileFormClose_Down = nullptr;
    TImage* ImgBtnWiFiDirectProfileFormClose_Normal = nullptr;
    TImage* ImgBtnWiFiDirectProfileActivate_Normal = nullptr;
    TImage* ImgBtnWiFiDirectProfileActivate_Down = nullptr;
    TImage* ImgBtnWiFiDirectProfileActivate_Disabled = nullptr;
    TImage* ImgBtnWPSConnect_Disabled = nullptr;
    TImage* ImgBtnKey_Down = nullptr;
    TImage* ImgBtnKey_Normal = nullptr;
    TImage* ImgBtnKey_Disabled = nullptr;
    TImage* ImgDeviceLegacy = nullptr;
    TImage* ImgWiFiDirectMediaSharingForm = nullptr;
    TWvImage* ImgBtnBrowser_Normal = nullptr;
    TWvImage* ImgBtnBrowser_Down = nullptr;
    TImage* ImgBtnSharingMedia_Normal = nullptr;
    TImage* ImgBtnSharingMedia_Down = nullptr;
    TImage* ImgBtnSharingMedia_Disabled = nullptr;
    TImage* ImgBtnMediaSharingStart_Normal = nullptr;
    TImage* ImgBtnMediaSharingStart_Down = nullptr;
    TImage* ImgBtnMediaSharingStart_Disabled = nullptr;
    TImage* ImgBtnMediaSharingStop_Normal = nullptr;
    TImage* ImgBtnMediaSharingStop_Down = nullptr;
    TImage* ImgBtnMediaSharingStop_Disabled = nullptr;
    TImage* ImgBtnWiFiDirect_Normal = nullptr;
    TImage* ImgBtnWiFiDirect_Down = nullptr;
    TImage* ImgBtnWiFiDirect_Disabled = nullptr;
    TImage* ImgWiFiDirectFormBG = nullptr;
    TImage* ImgBtnWiFiDirectFormClose_Normal = nullptr;
    TImage* ImgBtnWiFiDirectFormClose_Down = nullptr;
    TImage* ImgBtnRenew_Normal = nullptr;
    TImage* ImgBtnRenew_Down = nullptr;
    TImage* ImgBtnRenew_Disabled = nullptr;
    TImage* ImgBtnRenew4_Normal = nullptr;
    TImage* ImgBtnRenew4_Down = nullptr;
    TImage* ImgBtnRenew4_Disabled = nullptr;
    TImage* ImgBtnMediaSharingReStart_Normal = nullptr;
    TImage* ImgBtnMediaSharingReStart_Down = nullptr;
    TImage* ImgBtnMediaSharingReStart_Disabled = nullptr;
    TImage* ImgBtnProgCancel_Normal = nullptr;
    TImage* ImgBtnProgCancel_Down = nullptr;
    TImage* ImgProgressBarBack = nullptr;
    TImage* ImgBtnWiFiDisplay_Normal = nullptr;
    TImage* ImgBtnWiFiDisplay_Down = nullptr;
    TImage* ImgBtnWiFiDisplay_Disabled = nullptr;
    TImage* ImgBtnPlay_Normal = nullptr;
    TImage* ImgBtnPlay_Down = nullptr;
    TImage* ImgBtnPlay_Disabled = nullptr;
    TImage* ImgBtnPause_Normal = nullptr;
    TImage* ImgBtnPause_Down = nullptr;
    TImage* ImgBtnPause_Disabled = nullptr;
    TImage* ImgBtnStop_Normal = nullptr;
    TImage* ImgBtnStop_Down = nullptr;
    TImage* ImgBtnStop_Disabled = nullptr;
    TImage* ImgBtnHotSpot_Normal = nullptr;
    TImage* ImgBtnHotSpot_Down = nullptr;
    TImage* ImgBtnHotSpot_Disabled = nullptr;
    TImage* ImgBtnHotSpotAddProfile_Normal = nullptr;
    TImage* ImgBtnHotSpotAddProfile_Down = nullptr;
    TImage* ImgBtnHotSpotAddProfile_Disabled = nullptr;
    TImage* ImgBtnHotSpotAddCredential_Normal = nullptr;
    TImage* ImgBtnHotSpotAddCredential_Down = nullptr;
    TImage* ImgBtnHotSpotAddCredential_Disabled = nullptr;

private:
    TImage* AddPicture(const char* name);
    TWvImage* AddPictureButton(const char* name);
    void LoadBuiltIn(TImage* image, const char* name);
    TImage* FindPicture(const std::string& name) const;
    bool IsTrayIcon(const TImage* image) const;

    std::vector<std::pair<const char*, TImage*>> pictures_;
};

extern TFormResource* FormResource;
