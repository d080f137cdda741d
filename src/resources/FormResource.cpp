#include "resources/FormResource.h"

#include "core/Helpers.h"
#include "core/Log.h"
#include "ui/IniFiles.h"
#include "ui/Picture.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

TFormResource* FormResource = nullptr;

namespace {

const TFormResource::SkinKey kSkinKeys[] = {
    {"MainForm", "ImgBtnClose_Normal", "ImgBtnMainFormClose_Normal", false},
    {"MainForm", "ImgBtnClose_Down", "ImgBtnMainFormClose_Down", false},
    {"MainForm", "SysBtnClosePos", "ImgBtnMainFormClose_Normal", true},
    {"MainForm", "ImgBtnHelp_Normal", "ImgBtnMainFormHelp_Normal", false},
    {"MainForm", "ImgBtnHelp_Down", "ImgBtnMainFormHelp_Down", false},
    {"MainForm", "SysBtnHelpPos", "ImgBtnMainFormHelp_Normal", true},
    {"MainForm", "ImgPartition", "ImgMainFormPartition", false},
    {"MainForm", "SysPartitionPos", "ImgMainFormPartition", true},
    {"MainForm", "ImgLinkInfo_Normal", "ImgBtnLinkInfo_Normal", false},
    {"MainForm", "ImgLinkInfo_Down", "ImgBtnLinkInfo_Down", false},
    {"MainForm", "ImgLinkInfo_Disabled", "ImgBtnLinkInfo_Disabled", false},
    {"MainForm", "BtnLinkInfoPos", "ImgBtnLinkInfo_Normal", true},
    {"MainForm", "ImgProfile_Normal", "ImgBtnProfile_Normal", false},
    {"MainForm", "ImgProfile_Down", "ImgBtnProfile_Down", false},
    {"MainForm", "ImgProfile_Disabled", "ImgBtnProfile_Disabled", false},
    {"MainForm", "BtnProfilePos", "ImgBtnProfile_Normal", true},
    {"MainForm", "ImgSiteSurvey_Normal", "ImgBtnSiteSurvey_Normal", false},
    {"MainForm", "ImgSiteSurvey_Down", "ImgBtnSiteSurvey_Down", false},
    {"MainForm", "ImgSiteSurvey_Disabled", "ImgBtnSiteSurvey_Disabled", false},
    {"MainForm", "BtnSiteSurveyPos", "ImgBtnSiteSurvey_Normal", true},
    {"MainForm", "ImgAdvanced_Normal", "ImgBtnAdvanced_Normal", false},
    {"MainForm", "ImgAdvanced_Down", "ImgBtnAdvanced_Down", false},
    {"MainForm", "ImgAdvanced_Disabled", "ImgBtnAdvanced_Disabled", false},
    {"MainForm", "BtnAdvancedPos", "ImgBtnAdvanced_Normal", true},
    {"MainForm", "ImgAbout_Normal", "ImgBtnAbout_Normal", false},
    {"MainForm", "ImgAbout_Down", "ImgBtnAbout_Down", false},
    {"MainForm", "ImgAbout_Disabled", "ImgBtnAbout_Disabled", false},
    {"MainForm", "BtnAboutPos", "ImgBtnAbout_Normal", true},
    {"MainForm", "ImgWiFiDirect_Normal", "ImgBtnWiFiDirect_Normal", false},
    {"MainForm", "ImgWiFiDirect_Down", "ImgBtnWiFiDirect_Down", false},
    {"MainForm", "ImgWiFiDirect_Disabled", "ImgBtnWiFiDirect_Disabled", false},
    {"MainForm", "BtnWiFiDirectPos", "ImgBtnWiFiDirect_Normal", true},
    {"MainForm", "ImgBtnWiFiDisplay_Normal", "ImgBtnWiFiDisplay_Normal", false},
    {"MainForm", "ImgBtnWiFiDisplay_Down", "ImgBtnWiFiDisplay_Down", false},
    {"MainForm", "ImgBtnWiFiDisplay_Disabled", "ImgBtnWiFiDisplay_Disabled", false},
    {"MainForm", "ImgExtendedAP_Normal", "ImgBtnExtendedAP_Normal", false},
    {"MainForm", "ImgExtendedAP_Down", "ImgBtnExtendedAP_Down", false},
    {"MainForm", "ImgExtendedAP_Disabled", "ImgBtnExtendedAP_Disabled", false},
    {"MainForm", "BtnExtendedAPPos", "ImgBtnExtendedAP_Normal", true},
    {"MainForm", "ImgMainSignalStrength", "ImgMainFormLinkQuality", false},
    {"MainForm", "ImgMainSignalStrengthPos", "ImgMainFormLinkQuality", true},
    {"MainForm", "ImgMainRadioOn", "ImgMainFormRadioOn", false},
    {"MainForm", "ImgMainRadioOnPos", "ImgMainFormRadioOn", true},
    {"MainForm", "ImgMainRadioOff", "ImgMainFormRadioOff", false},
    {"MainForm", "ImgMainRadioOffPos", "ImgMainFormRadioOff", true},
    {"MainForm", "ImgMainKeyEnabled", "ImgMainFormKeyEnabled", false},
    {"MainForm", "ImgMainKeyEnabledPos", "ImgMainFormKeyEnabled", true},
    {"MainForm", "ImgMainKeyDisabled", "ImgMainFormKeyDisabled", false},
    {"MainForm", "ImgMainKeyDisabledPos", "ImgMainFormKeyDisabled", true},
    {"LinkInfoForm", "ImgBackground", "ImgLinkInfoFormBG", false},
    {"LinkInfoForm", "ImgBtnClose_Normal", "ImgBtnLinkInfoFormClose_Normal", false},
    {"LinkInfoForm", "ImgBtnClose_Down", "ImgBtnLinkInfoFormClose_Down", false},
    {"LinkInfoForm", "SysBtnClosePos", "ImgBtnLinkInfoFormClose_Normal", true},
    {"LinkInfoForm", "ImgBtnWireless_Normal", "ImgBtnLinkInfoWireless_Normal", false},
    {"LinkInfoForm", "ImgBtnWireless_Down", "ImgBtnLinkInfoWireless_Down", false},
    {"LinkInfoForm", "ImgBtnWireless_Disabled", "ImgBtnLinkInfoWireless_Disabled", false},
    {"LinkInfoForm", "ImgBtnThroughput_Normal", "ImgBtnLinkInfoThroughput_Normal", false},
    {"LinkInfoForm", "ImgBtnThroughput_Down", "ImgBtnLinkInfoThroughput_Down", false},
    {"LinkInfoForm", "ImgBtnThroughput_Disabled", "ImgBtnLinkInfoThroughput_Disabled", false},
    {"LinkInfoForm", "ImgBtnStatistic_Normal", "ImgBtnLinkInfoStatistic_Normal", false},
    {"LinkInfoForm", "ImgBtnStatistic_Down", "ImgBtnLinkInfoStatistic_Down", false},
    {"LinkInfoForm", "ImgBtnStatistic_Disabled", "ImgBtnLinkInfoStatistic_Disabled", false},
    {"LinkInfoForm", "ImgLinkInfoSignalBar", "ImgLinkInfoSignalBar", false},
    {"LinkInfoForm", "ImgLinkInfoSignalBar_BG", "ImgLinkInfoSignalBar_BG", false},
    {"LinkInfoForm", "ImgBtnStatisticResetCounter_Normal", "ImgBtnLinkInfoStatisticResetCounter_Normal", false},
    {"LinkInfoForm", "ImgBtnStatisticResetCounter_Down", "ImgBtnLinkInfoStatisticResetCounter_Down", false},
    {"ProfileForm", "ImgBackground", "ImgProfileFormBG", false},
    {"ProfileForm", "ImgBtnClose_Normal", "ImgBtnProfileFormClose_Normal", false},
    {"ProfileForm", "ImgBtnClose_Down", "ImgBtnProfileFormClose_Down", false},
    {"ProfileForm", "ImgBtnAdd_Normal", "ImgBtnProfileAdd_Normal", false},
    {"ProfileForm", "ImgBtnAdd_Down", "ImgBtnProfileAdd_Down", false},
    {"ProfileForm", "ImgBtnAdd_Disabled", "ImgBtnProfileAdd_Disabled", false},
    {"ProfileForm", "ImgBtnDelete_Normal", "ImgBtnProfileDelete_Normal", false},
    {"ProfileForm", "ImgBtnDelete_Down", "ImgBtnProfileDelete_Down", false},
    {"ProfileForm", "ImgBtnDelete_Disabled", "ImgBtnProfileDelete_Disabled", false},
    {"ProfileForm", "ImgBtnEdit_Normal", "ImgBtnProfileEdit_Normal", false},
    {"ProfileForm", "ImgBtnEdit_Down", "ImgBtnProfileEdit_Down", false},
    {"ProfileForm", "ImgBtnEdit_Disabled", "ImgBtnProfileEdit_Disabled", false},
    {"ProfileForm", "ImgBtnImport_Normal", "ImgBtnProfileImport_Normal", false},
    {"ProfileForm", "ImgBtnImport_Down", "ImgBtnProfileImport_Down", false},
    {"ProfileForm", "ImgBtnImport_Disabled", "ImgBtnProfileImport_Disabled", false},
    {"ProfileForm", "ImgBtnExport_Normal", "ImgBtnProfileExport_Normal", false},
    {"ProfileForm", "ImgBtnExport_Down", "ImgBtnProfileExport_Down", false},
    {"ProfileForm", "ImgBtnExport_Disabled", "ImgBtnProfileExport_Disabled", false},
    {"ProfileForm", "ImgBtnActivate_Normal", "ImgBtnProfileActivate_Normal", false},
    {"ProfileForm", "ImgBtnActivate_Down", "ImgBtnProfileActivate_Down", false},
    {"ProfileForm", "ImgBtnActivate_Disabled", "ImgBtnProfileActivate_Disabled", false},
    {"ProfileForm", "ImgBtnWPS_Normal", "ImgBtnProfileWPS_Normal", false},
    {"ProfileForm", "ImgBtnWPS_Down", "ImgBtnProfileWPS_Down", false},
    {"ProfileForm", "ImgBtnWPS_Disabled", "ImgBtnProfileWPS_Disabled", false},
    {"ProfileEditForm", "ImgBtnClose_Normal", "ImgBtnProfileEditFormClose_Normal", false},
    {"ProfileEditForm", "ImgBtnClose_Down", "ImgBtnProfileEditFormClose_Down", false},
    {"ProfileEditForm", "ImgBtnNext_Normal", "ImgBtnProfileNext_Normal", false},
    {"ProfileEditForm", "ImgBtnNext_Down", "ImgBtnProfileNext_Down", false},
    {"ProfileEditForm", "ImgBtnNext_Disabled", "ImgBtnProfileNext_Disabled", false},
    {"ProfileEditForm", "ImgBtnBack_Normal", "ImgBtnProfileBack_Normal", false},
    {"ProfileEditForm", "ImgBtnBack_Down", "ImgBtnProfileBack_Down", false},
    {"ProfileEditForm", "ImgBtnBack_Disabled", "ImgBtnProfileBack_Disabled", false},
    {"ProfileEditForm", "ImgBtnCancel_Normal", "ImgBtnProfileCancel_Normal", false},
    {"ProfileEditForm", "ImgBtnCancel_Down", "ImgBtnProfileCancel_Down", false},
    {"ProfileEditForm", "ImgBtnCancel_Diabled", "ImgBtnProfileCancel_Diabled", false},
    {"ProfileEditForm", "ImgBtnProfEditWAPICertManager_Normal", "ImgBtnProfEditWAPICertManager_Normal", false},
    {"ProfileEditForm", "ImgBtnProfEditWAPICertManager_Down", "ImgBtnProfEditWAPICertManager_Down", false},
    {"SiteSurveyForm", "ImgBackground", "ImgSiteSurveyFormBG", false},
    {"SiteSurveyForm", "ImgBtnClose_Normal", "ImgBtnSiteSurveyFormClose_Normal", false},
    {"SiteSurveyForm", "ImgBtnClose_Down", "ImgBtnSiteSurveyFormClose_Down", false},
    {"SiteSurveyForm", "ImgBtnRescan_Normal", "ImgBtnSiteSurveyRescan_Normal", false},
    {"SiteSurveyForm", "ImgBtnRescan_Down", "ImgBtnSiteSurveyRescan_Down", false},
    {"SiteSurveyForm", "ImgBtnRescan_Disabled", "ImgBtnSiteSurveyRescan_Disabled", false},
    {"SiteSurveyForm", "ImgBtnConnect_Normal", "ImgBtnSiteSurveyConnect_Normal", false},
    {"SiteSurveyForm", "ImgBtnConnect_Down", "ImgBtnSiteSurveyConnect_Down", false},
    {"SiteSurveyForm", "ImgBtnConnect_Disabled", "ImgBtnSiteSurveyConnect_Disabled", false},
    {"SiteSurveyForm", "ImgBtnAdd2Prof_Normal", "ImgBtnSiteSurveyAdd2Prof_Normal", false},
    {"SiteSurveyForm", "ImgBtnAdd2Prof_Down", "ImgBtnSiteSurveyAdd2Prof_Down", false},
    {"SiteSurveyForm", "ImgBtnAdd2Prof_Disabled", "ImgBtnSiteSurveyAdd2Prof_Disabled", false},
    {"SiteSurveyForm", "Img_11A", "ImgSiteSurvey11A", false},
    {"SiteSurveyForm", "Img_11B", "ImgSiteSurvey11B", false},
    {"SiteSurveyForm", "Img_11G", "ImgSiteSurvey11G", false},
    {"SiteSurveyForm", "Img_11N", "ImgSiteSurvey11N", false},
    {"SiteSurveyForm", "Img_Active", "ImgSiteSurveyActive", false},
    {"SiteSurveyForm", "Img_ActiveDisabled", "ImgSiteSurveyActiveDisabled", false},
    {"SiteSurveyForm", "Img_AdHoc", "ImgSiteSurveyAdHoc", false},
    {"SiteSurveyForm", "Img_Infrastructure", "ImgSiteSurveyInfrastructure", false},
    {"SiteSurveyForm", "Img_Security", "ImgSiteSurveySecurity", false},
    {"SiteSurveyForm", "Img_WAPI", "ImgSiteSurveyWAPI", false},
    {"SiteSurveyForm", "Img_WPS", "ImgSiteSurveyWPS", false},
    {"AdvancedForm", "ImgBackground", "ImgAdvancedFormBG", false},
    {"AdvancedForm", "ImgBtnClose_Normal", "ImgBtnAdvancedFormClose_Normal", false},
    {"AdvancedForm", "ImgBtnClose_Down", "ImgBtnAdvancedFormClose_Down", false},
    {"AdvancedForm", "ImgBtnAdvancedWireless_Normal", "ImgBtnAdvancedWireless_Normal", false},
    {"AdvancedForm", "ImgBtnAdvancedWireless_Down", "ImgBtnAdvancedWireless_Down", false},
    {"AdvancedForm", "ImgBtnAdvancedWireless_Disabled", "ImgBtnAdvancedWireless_Disabled", false},
    {"AdvancedForm", "ImgBtnAdvancedWMM_Normal", "ImgBtnAdvancedWMM_Normal", false},
    {"AdvancedForm", "ImgBtnAdvancedWMM_Down", "ImgBtnAdvancedWMM_Down", false},
    {"AdvancedForm", "ImgBtnAdvancedWMM_Disabled", "ImgBtnAdvancedWMM_Disabled", false},
    {"AdvancedForm", "ImgBtnAdvancedCCX_Normal", "ImgBtnAdvancedCCX_Normal", false},
    {"AdvancedForm", "ImgBtnAdvancedCCX_Down", "ImgBtnAdvancedCCX_Down", false},
    {"AdvancedForm", "ImgBtnAdvancedCCX_Disabled", "ImgBtnAdvancedCCX_Disabled", false},
    {"AdvancedForm", "ImgBtnAdvancedCertCenter_Normal", "ImgBtnAdvancedCertCenter_Normal", false},
    {"AdvancedForm", "ImgBtnAdvancedCertCenter_Down", "ImgBtnAdvancedCertCenter_Down", false},
    {"AdvancedForm", "ImgBtnAdvancedCertCenter_Disabled", "ImgBtnAdvancedCertCenter_Disabled", false},
    {"AdvancedForm", "ImgBtnAdvancedTest_Normal", "ImgBtnAdvancedTest_Normal", false},
    {"AdvancedForm", "ImgBtnAdvancedTest_Down", "ImgBtnAdvancedTest_Down", false},
    {"AdvancedForm", "ImgBtnAdvancedTest_Disabled", "ImgBtnAdvancedTest_Disabled", false},
    {"AdvancedForm", "ImgBtnBrowser_Normal", "ImgBtnBrowser_Normal", false},
    {"AdvancedForm", "ImgBtnBrowser_Down", "ImgBtnBrowser_Down", false},
    {"AdvancedForm", "ImgAdvancedCertManagerBtnInstallCert_Normal", "ImgAdvancedCertManagerBtnInstallCert_Normal", false},
    {"AdvancedForm", "ImgAdvancedCertManagerBtnInstallCert_Down", "ImgAdvancedCertManagerBtnInstallCert_Down", false},
    {"AdvancedForm", "ImgAdvancedCertManagerBtnInstallCert_Disabled", "ImgAdvancedCertManagerBtnInstallCert_Disabled", false},
    {"AdvancedForm", "ImgAdvancedCertManagerBtnMoveUp_Normal", "ImgAdvancedCertManagerBtnMoveUp_Normal", false},
    {"AdvancedForm", "ImgAdvancedCertManagerBtnMoveUp_Down", "ImgAdvancedCertManagerBtnMoveUp_Down", false},
    {"AdvancedForm", "ImgAdvancedCertManagerBtnMoveUp_Disabled", "ImgAdvancedCertManagerBtnMoveUp_Disabled", false},
    {"AdvancedForm", "ImgAdvancedCertManagerBtnMoveDown_Normal", "ImgAdvancedCertManagerBtnMoveDown_Normal", false},
    {"AdvancedForm", "ImgAdvancedCertManagerBtnMoveDown_Down", "ImgAdvancedCertManagerBtnMoveDown_Down", false},
    {"AdvancedForm", "ImgAdvancedCertManagerBtnMoveDown_Disabled", "ImgAdvancedCertManagerBtnMoveDown_Disabled", false},
    {"AdvancedForm", "ImgAdvancedCertManagerBtnDelete_Normal", "ImgAdvancedCertManagerBtnDelete_Normal", false},
    {"AdvancedForm", "ImgAdvancedCertManagerBtnDelete_Down", "ImgAdvancedCertManagerBtnDelete_Down", false},
    {"AdvancedForm", "ImgAdvancedCertManagerBtnDelete_Disabled", "ImgAdvancedCertManagerBtnDelete_Disabled", false},
    {"WiFiDirectForm", "ImgBackground", "ImgWiFiDirectFormBG", false},
    {"WiFiDirectForm", "ImgBtnClose_Normal", "ImgBtnWiFiDirectFormClose_Normal", false},
    {"WiFiDirectForm", "ImgBtnClose_Down", "ImgBtnWiFiDirectFormClose_Down", false},
    {"WiFiDirectForm", "ImgWiFiDirectOn", "ImgWiFiDirectOn", false},
    {"WiFiDirectForm", "ImgWiFiDirectOff", "ImgWiFiDirectOff", false},
    {"WiFiDirectForm", "ImgConnectToDevice0", "ImgConnectLine0", false},
    {"WiFiDirectForm", "ImgConnectToDevice1", "ImgConnectLine1", false},
    {"WiFiDirectForm", "ImgConnectToDevice2", "ImgConnectLine2", false},
    {"WiFiDirectForm", "ImgConnectToDevice3", "ImgConnectLine3", false},
    {"WiFiDirectForm", "ImgConnectToDevice4", "ImgConnectLine4", false},
    {"WiFiDirectForm", "ImgConnectToDevice2_0", "ImgConnectLine2_0", false},
    {"WiFiDirectForm", "ImgConnectToDevice2_1", "ImgConnectLine2_1", false},
    {"WiFiDirectForm", "ImgDeviceUnknown", "ImgDeviceUnknown", false},
    {"WiFiDirectForm", "ImgDeviceUnknown_Owner", "ImgDeviceUnknown_Owner", false},
    {"WiFiDirectForm", "ImgDeviceNB", "ImgDeviceNB", false},
    {"WiFiDirectForm", "ImgDeviceNB_Owner", "ImgDeviceNB_Owner", false},
    {"WiFiDirectForm", "ImgDevicePC", "ImgDevicePC", false},
    {"WiFiDirectForm", "ImgDevicePC_Owner", "ImgDevicePC_Owner", false},
    {"WiFiDirectForm", "ImgDeviceCamera", "ImgDeviceCamera", false},
    {"WiFiDirectForm", "ImgDeviceCamera_Owner", "ImgDeviceCamera_Owner", false},
    {"WiFiDirectForm", "ImgDeviceTV", "ImgDeviceTV", false},
    {"WiFiDirectForm", "ImgDeviceTV_Owner", "ImgDeviceTV_Owner", false},
    {"WiFiDirectForm", "ImgDeviceAP", "ImgDeviceAP", false},
    {"WiFiDirectForm", "ImgDeviceAP_Owner", "ImgDeviceAP_Owner", false},
    {"WiFiDirectForm", "ImgDeviceSmartphone", "ImgDeviceSmartphone", false},
    {"WiFiDirectForm", "ImgDeviceSmartphone_Owner", "ImgDeviceSmartphone_Owner", false},
    {"WiFiDirectForm", "ImgDevicePrinter", "ImgDevicePrinter", false},
    {"WiFiDirectForm", "ImgDevicePrinter_Owner", "ImgDevicePrinter_Owner", false},
    {"WiFiDirectForm", "ImgDeviceLegacy", "ImgDeviceLegacy", false},
    {"WiFiDirectForm", "ImgBtnWPSConnect_Normal", "ImgBtnWPSConnect_Normal", false},
    {"WiFiDirectForm", "ImgBtnWPSConnect_Down", "ImgBtnWPSConnect_Down", false},
    {"WiFiDirectForm", "ImgBtnWPSConnect_Disabled", "ImgBtnWPSConnect_Disabled", false},
    {"WiFiDirectForm", "ImgBtnKey_Normal", "ImgBtnKey_Normal", false},
    {"WiFiDirectForm", "ImgBtnKey_Down", "ImgBtnKey_Down", false},
    {"WiFiDirectForm", "ImgBtnKey_Disabled", "ImgBtnKey_Disabled", false},
    {"WiFiDirectForm", "ImgBtnRotationClockwise_Normal", "ImgBtnRotationClockwise_Normal", false},
    {"WiFiDirectForm", "ImgBtnRotationClockwise_Down", "ImgBtnRotationClockwise_Down", false},
    {"WiFiDirectForm", "ImgBtnRotationCounterwise_Normal", "ImgBtnRotationCounterwise_Normal", false},
    {"WiFiDirectForm", "ImgBtnRotationCounterwise_Down", "ImgBtnRotationCounterwise_Down", false},
    {"WiFiDirectForm", "ImgWIFiDirectGO", "ImgWIFiDirectGO", false},
    {"WiFiDisplayForm", "ImgBtnPlay_Normal", "ImgBtnPlay_Normal", false},
    {"WiFiDisplayForm", "ImgBtnPlay_Down", "ImgBtnPlay_Down", false},
    {"WiFiDisplayForm", "ImgBtnPlay_Disabled", "ImgBtnPlay_Disabled", false},
    {"WiFiDisplayForm", "ImgBtnPause_Normal", "ImgBtnPause_Normal", false},
    {"WiFiDisplayForm", "ImgBtnPause_Down", "ImgBtnPause_Down", false},
    {"WiFiDisplayForm", "ImgBtnPause_Disabled", "ImgBtnPause_Disabled", false},
    {"WiFiDisplayForm", "ImgBtnStop_Normal", "ImgBtnStop_Normal", false},
    {"WiFiDisplayForm", "ImgBtnStop_Down", "ImgBtnStop_Down", false},
    {"WiFiDisplayForm", "ImgBtnStop_Disabled", "ImgBtnStop_Disabled", false},
    {"WiFiDirectSettingForm", "ImgBackground", "ImgWiFiDirectSettingForm", false},
    {"WiFiDirectSettingForm", "ImgBackgroundFrame", "ImgWiFiDirectSettingFrame", false},
    {"WiFiDirectSettingForm", "ImgBtnClose_Normal", "ImgBtnWiFiDirectSettingFromClose_Normal", false},
    {"WiFiDirectSettingForm", "ImgBtnClose_Down", "ImgBtnWiFiDirectSettingFromClose_Down", false},
    {"WiFiDirectSettingForm", "ImgBtnNext_Normal", "ImgBtnWiFiDirectSettingNext_Normal", false},
    {"WiFiDirectSettingForm", "ImgBtnNext_Down", "ImgBtnWiFiDirectSettingNext_Down", false},
    {"WiFiDirectSettingForm", "ImgBtnNext_Disabled", "ImgBtnWiFiDirectSettingNext_Disabled", false},
    {"WiFiDirectSettingForm", "ImgBtnBack_Normal", "ImgBtnWiFiDirectSettingBack_Normal", false},
    {"WiFiDirectSettingForm", "ImgBtnBack_Down", "ImgBtnWiFiDirectSettingBack_Down", false},
    {"WiFiDirectSettingForm", "ImgBtnBack_Disabled", "ImgBtnWiFiDirectSettingBack_Disabled", false},
    {"WiFiDirectSettingForm", "ImgBtnCancel_Normal", "ImgBtnWiFiDirectSettingCancel_Normal", false},
    {"WiFiDirectSettingForm", "ImgBtnCancel_Down", "ImgBtnWiFiDirectSettingCancel_Down", false},
    {"WiFiDirectSettingForm", "ImgBtnCancel_Diabled", "ImgBtnWiFiDirectSettingCancel_Disabled", false},
    {"WiFiDirectProfileForm", "ImgBackground", "ImgWiFiDirectProfileForm", false},
    {"WiFiDirectProfileForm", "ImgBtnClose_Normal", "ImgBtnWiFiDirectProfileFormClose_Normal", false},
    {"WiFiDirectProfileForm", "ImgBtnClose_Down", "ImgBtnWiFiDirectProfileFormClose_Down", false},
    {"WiFiDirectProfileForm", "ImgBtnAdd_Normal", "ImgBtnWiFiDirectProfileAdd_Normal", false},
    {"WiFiDirectProfileForm", "ImgBtnAdd_Down", "ImgBtnWiFiDirectProfileAdd_Down", false},
    {"WiFiDirectProfileForm", "ImgBtnAdd_Disabled", "ImgBtnWiFiDirectProfileAdd_Disabled", false},
    {"WiFiDirectProfileForm", "ImgBtnDelete_Normal", "ImgBtnWiFiDirectProfileDelete_Normal", false},
    {"WiFiDirectProfileForm", "ImgBtnDelete_Down", "ImgBtnWiFiDirectProfileDelete_Down", false},
    {"WiFiDirectProfileForm", "ImgBtnDelete_Disabled", "ImgBtnWiFiDirectProfileDelete_Disabled", false},
    {"WiFiDirectProfileForm", "ImgBtnDetail_Normal", "ImgBtnWiFiDirectProfileDetail_Normal", false},
    {"WiFiDirectProfileForm", "ImgBtnDetail_Down", "ImgBtnWiFiDirectProfileDetail_Down", false},
    {"WiFiDirectProfileForm", "ImgBtnDetail_Disabled", "ImgBtnWiFiDirectProfileDetail_Disabled", false},
    {"WiFiDirectProfileForm", "ImgBtnActivate_Normal", "ImgBtnWiFiDirectProfileActivate_Normal", false},
    {"WiFiDirectProfileForm", "ImgBtnActivate_Down", "ImgBtnWiFiDirectProfileActivate_Down", false},
    {"WiFiDirectProfileForm", "ImgBtnActivate_Disabled", "ImgBtnWiFiDirectProfileActivate_Disabled", false},
    {"WiFiDirectMediaSharingForm", "ImgBackground", "ImgWiFiDirectMediaSharingForm", false},
    {"WiFiDirectMediaSharingForm", "ImgBtnBrowser_Normal", "ImgBtnBrowser_Normal", false},
    {"WiFiDirectMediaSharingForm", "ImgBtnBrowser_Down", "ImgBtnBrowser_Down", false},
    {"WiFiDirectMediaSharingForm", "ImgBtnSharingMedia_Normal", "ImgBtnSharingMedia_Normal", false},
    {"WiFiDirectMediaSharingForm", "ImgBtnSharingMedia_Down", "ImgBtnSharingMedia_Down", false},
    {"WiFiDirectMediaSharingForm", "ImgBtnSharingMedia_Disabled", "ImgBtnSharingMedia_Disabled", false},
    {"WiFiDirectMediaSharingForm", "ImgBtnMediaSharingStart_Normal", "ImgBtnMediaSharingStart_Normal", false},
    {"WiFiDirectMediaSharingForm", "ImgBtnMediaSharingStart_Down", "ImgBtnMediaSharingStart_Down", false},
    {"WiFiDirectMediaSharingForm", "ImgBtnMediaSharingStart_Disabled", "ImgBtnMediaSharingStart_Disabled", false},
    {"WiFiDirectMediaSharingForm", "ImgBtnMediaSharingReStart_Normal", "ImgBtnMediaSharingReStart_Normal", false},
    {"WiFiDirectMediaSharingForm", "ImgBtnMediaSharingReStart_Down", "ImgBtnMediaSharingReStart_Down", false},
    {"WiFiDirectMediaSharingForm", "ImgBtnMediaSharingReStart_Disabled", "ImgBtnMediaSharingReStart_Disabled", false},
    {"WiFiDirectMediaSharingForm", "ImgBtnMediaSharingStop_Normal", "ImgBtnMediaSharingStop_Normal", false},
    {"WiFiDirectMediaSharingForm", "ImgBtnMediaSharingStop_Down", "ImgBtnMediaSharingStop_Down", false},
    {"WiFiDirectMediaSharingForm", "ImgBtnMediaSharingStop_Disabled", "ImgBtnMediaSharingStop_Disabled", false},
    {"AboutForm", "ImgBackground", "ImgAboutFormBG", false},
    {"AboutForm", "ImgBtnClose_Normal", "ImgBtnAboutFormClose_Normal", false},
    {"AboutForm", "ImgBtnClose_Down", "ImgBtnAboutFormClose_Down", false},
    {"AboutForm", "ImgBtnCompanyLogo", "ImgTarnwellWebSite", false},
    {"ExtendedAPForm", "ImgBackground", "ImgExtendedAPFormBG", false},
    {"ExtendedAPForm", "ImgBtnClose_Normal", "ImgBtnExtendedAPFormClose_Normal", false},
    {"ExtendedAPForm", "ImgBtnClose_Down", "ImgBtnExtendedAPFormClose_Down", false},
    {"ExtendedAPForm", "ImgBtnConfig_Normal", "ImgBtnExtendedAPConfig_Normal", false},
    {"ExtendedAPForm", "ImgBtnConfig_Down", "ImgBtnExtendedAPConfig_Down", false},
    {"ExtendedAPForm", "ImgBtnConfig_Disabled", "ImgBtnExtendedAPConfig_Disabled", false},
    {"ExtendedAPForm", "ImgBtnMacTable_Normal", "ImgBtnExtendedAPMacTable_Normal", false},
    {"ExtendedAPForm", "ImgBtnMacTable_Down", "ImgBtnExtendedAPMacTable_Down", false},
    {"ExtendedAPForm", "ImgBtnMacTable_Disabled", "ImgBtnExtendedAPMacTable_Disabled", false},
    {"TrayIcon", "ImgTrayIcon_NoExist", "ImgTrayIconNoExist", false},
    {"TrayIcon", "ImgTrayIcon_Lost", "ImgTrayIconLost", false},
    {"TrayIcon", "ImgTrayIcon_Weak", "ImgTrayIconWeak", false},
    {"TrayIcon", "ImgTrayIcon_Normal", "ImgTrayIconNormal", false},
    {"TrayIcon", "ImgTrayIcon_Good", "ImgTrayIconGood", false},
    {"TrayIcon", "ImgTrayIcon_WepError", "ImgTrayIconWepError", false},
    {"AuthenStatusForm", "ImgBackground", "ImgExtendedAPFormBG", false},
    {"MessageBox", "Img_Icon", "ImgMessageBoxIcon", false},
    {"ProgressMsgBox", "ImgBackground", "ImgProgressMsgBox", false},
    {"ProgressMsgBox", "ImgProgressBar", "ImgProgressBar", false},
    {"ProgressMsgBox", "ImgProgressBarBack", "ImgProgressBarBack", false},
    {"ProgressMsgBox", "ImgBtnProgCancel_Normal", "ImgBtnProgCancel_Normal", false},
    {"ProgressMsgBox", "ImgBtnProgCancel_Down", "ImgBtnProgCancel_Down", false},
    {"ProgressMsgBox", "ImgSG01", "ImgSG01", false},
    {"ProgressMsgBox", "ImgSG02", "ImgSG02", false},
    {"ProgressMsgBox", "ImgSG03", "ImgSG03", false},
    {"ProgressMsgBox", "ImgSG04", "ImgSG04", false},
    {"ProgressMsgBox", "ImgSG05", "ImgSG05", false},
    {"ProgressMsgBox", "ImgSG06", "ImgSG06", false},
    {"ProgressMsgBox", "ImgSG07", "ImgSG07", false},
    {"ProgressMsgBox", "ImgSG08", "ImgSG08", false},
    {"ProgressMsgBox", "ImgSG09", "ImgSG09", false},
    {"ProgressMsgBox", "ImgSG10", "ImgSG10", false},
    {"HotSpot", "ImgBtnHotSpot_Normal", "ImgBtnHotSpot_Normal", false},
    {"HotSpot", "ImgBtnHotSpot_Down", "ImgBtnHotSpot_Down", false},
    {"HotSpot", "ImgBtnHotSpot_Disabled", "ImgBtnHotSpot_Disabled", false},
    {"HotSpot", "ImgBtnHotSpotAddProfile_Normal", "ImgBtnHotSpotAddProfile_Normal", false},
    {"HotSpot", "ImgBtnHotSpotAddProfile_Down", "ImgBtnHotSpotAddProfile_Down", false},
    {"HotSpot", "ImgBtnHotSpotAddProfile_Disabled", "ImgBtnHotSpotAddProfile_Disabled", false},
    {"HotSpot", "ImgBtnHotSpotAddCredential_Normal", "ImgBtnHotSpotAddCredential_Normal", false},
    {"HotSpot", "ImgBtnHotSpotAddCredential_Down", "ImgBtnHotSpotAddCredential_Down", false},
    {"HotSpot", "ImgBtnHotSpotAddCredential_Disabled", "ImgBtnHotSpotAddCredential_Disabled", false},
};

std::string ProgramFolder()
{
    char path[MAX_PATH] = {};
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, n < MAX_PATH ? n : 0);
    size_t slash = folder.find_last_of('\\');
    return slash == std::string::npos ? std::string() : folder.substr(0, slash);
}

// One "%d" conversion: optional blanks, optional sign, digits; false when there are none.
bool ScanInt(const char*& p, int& value)
{
    while (*p == ' ' || *p == '\t')
        ++p;
    char* end = nullptr;
    errno = 0;
    long v = std::strtol(p, &end, 10);
    if (end == p)
        return false;
    p = end;
    if (errno == ERANGE || v > INT_MAX || v < INT_MIN)
        v = v < 0 ? INT_MIN : INT_MAX;
    value = static_cast<int>(v);
    return true;
}

}  // namespace

TFormResource::TFormResource(TComponent* AOwner) : TForm(AOwner)
{
    Name = "FormResource";
    SetCaption("FormResource");
    SetClientSize(870, 742);
    SkinFolder = ProgramFolder();

    ImgProfileFormBG = AddPicture("ImgProfileFormBG");
    ImgSiteSurveyFormBG = AddPicture("ImgSiteSurveyFormBG");
    ImgBtnMainFormClose_Normal = AddPicture("ImgBtnMainFormClose_Normal");
    ImgBtnMainFormClose_Down = AddPicture("ImgBtnMainFormClose_Down");
    ImgBtnMainFormHelp_Normal = AddPicture("ImgBtnMainFormHelp_Normal");
    ImgBtnMainFormHelp_Down = AddPicture("ImgBtnMainFormHelp_Down");
    ImgBtnLinkInfo_Normal = AddPicture("ImgBtnLinkInfo_Normal");
    ImgBtnLinkInfo_Down = AddPicture("ImgBtnLinkInfo_Down");
    ImgBtnProfile_Normal = AddPicture("ImgBtnProfile_Normal");
    ImgBtnProfile_Down = AddPicture("ImgBtnProfile_Down");
    ImgBtnSiteSurvey_Normal = AddPicture("ImgBtnSiteSurvey_Normal");
    ImgBtnSiteSurvey_Down = AddPicture("ImgBtnSiteSurvey_Down");
    ImgBtnAdvanced_Normal = AddPicture("ImgBtnAdvanced_Normal");
    ImgBtnAdvanced_Down = AddPicture("ImgBtnAdvanced_Down");
    ImgBtnAbout_Normal = AddPicture("ImgBtnAbout_Normal");
    ImgBtnAbout_Down = AddPicture("ImgBtnAbout_Down");
    ImgBtnProfileAdd_Normal = AddPicture("ImgBtnProfileAdd_Normal");
    ImgBtnProfileAdd_Down = AddPicture("ImgBtnProfileAdd_Down");
    ImgBtnProfileDelete_Normal = AddPicture("ImgBtnProfileDelete_Normal");
    ImgBtnProfileDelete_Down = AddPicture("ImgBtnProfileDelete_Down");
    ImgBtnProfileEdit_Normal = AddPicture("ImgBtnProfileEdit_Normal");
    ImgBtnProfileEdit_Down = AddPicture("ImgBtnProfileEdit_Down");
    ImgBtnProfileImport_Normal = AddPicture("ImgBtnProfileImport_Normal");
    ImgBtnProfileImport_Down = AddPicture("ImgBtnProfileImport_Down");
    ImgBtnProfileExport_Normal = AddPicture("ImgBtnProfileExport_Normal");
    ImgBtnProfileExport_Down = AddPicture("ImgBtnProfileExport_Down");
    ImgBtnProfileActivate_Normal = AddPicture("ImgBtnProfileActivate_Normal");
    ImgBtnProfileActivate_Down = AddPicture("ImgBtnProfileActivate_Down");
    ImgBtnSiteSurveyRescan_Normal = AddPicture("ImgBtnSiteSurveyRescan_Normal");
    ImgBtnSiteSurveyRescan_Down = AddPicture("ImgBtnSiteSurveyRescan_Down");
    ImgBtnSiteSurveyConnect_Normal = AddPicture("ImgBtnSiteSurveyConnect_Normal");
    ImgBtnSiteSurveyConnect_Down = AddPicture("ImgBtnSiteSurveyConnect_Down");
    ImgBtnSiteSurveyAdd2Prof_Normal = AddPicture("ImgBtnSiteSurveyAdd2Prof_Normal");
    ImgBtnSiteSurveyAdd2Prof_Down = AddPicture("ImgBtnSiteSurveyAdd2Prof_Down");
    ImgLinkInfoFormBG = AddPicture("ImgLinkInfoFormBG");
    ImgBtnLinkInfoWireless_Normal = AddPicture("ImgBtnLinkInfoWireless_Normal");
    ImgBtnLinkInfoWireless_Down = AddPicture("ImgBtnLinkInfoWireless_Down");
    ImgBtnLinkInfoThroughput_Normal = AddPicture("ImgBtnLinkInfoThroughput_Normal");
    ImgBtnLinkInfoThroughput_Down = AddPicture("ImgBtnLinkInfoThroughput_Down");
    ImgBtnLinkInfoStatistic_Normal = AddPicture("ImgBtnLinkInfoStatistic_Normal");
    ImgBtnLinkInfoStatistic_Down = AddPicture("ImgBtnLinkInfoStatistic_Down");
    ImgBtnProfileNext_Normal = AddPicture("ImgBtnProfileNext_Normal");
    ImgBtnProfileNext_Down = AddPicture("ImgBtnProfileNext_Down");
    ImgBtnProfileNext_Disabled = AddPicture("ImgBtnProfileNext_Disabled");
    ImgBtnProfileBack_Normal = AddPicture("ImgBtnProfileBack_Normal");
    ImgBtnProfileBack_Down = AddPicture("ImgBtnProfileBack_Down");
    ImgBtnProfileBack_Disabled = AddPicture("ImgBtnProfileBack_Disabled");
    ImgBtnProfileCancel_Normal = AddPicture("ImgBtnProfileCancel_Normal");
    ImgBtnProfileCancel_Down = AddPicture("ImgBtnProfileCancel_Down");
    ImgMainFormPartition = AddPicture("ImgMainFormPartition");
    ImgBtnProfileFormClose_Normal = AddPicture("ImgBtnProfileFormClose_Normal");
    ImgBtnProfileFormClose_Down = AddPicture("ImgBtnProfileFormClose_Down");
    ImgBtnProfileEditFormClose_Normal = AddPicture("ImgBtnProfileEditFormClose_Normal");
    ImgBtnProfileEditFormClose_Down = AddPicture("ImgBtnProfileEditFormClose_Down");
    ImgBtnSiteSurveyFormClose_Normal = AddPicture("ImgBtnSiteSurveyFormClose_Normal");
    ImgBtnSiteSurveyFormClose_Down = AddPicture("ImgBtnSiteSurveyFormClose_Down");
    ImgBtnLinkInfoFormClose_Normal = AddPicture("ImgBtnLinkInfoFormClose_Normal");
    ImgBtnLinkInfoFormClose_Down = AddPicture("ImgBtnLinkInfoFormClose_Down");
    ImgAboutFormBG = AddPicture("ImgAboutFormBG");
    ImgBtnAboutFormClose_Normal = AddPicture("ImgBtnAboutFormClose_Normal");
    ImgBtnAboutFormClose_Down = AddPicture("ImgBtnAboutFormClose_Down");
    ImgAdvancedFormBG = AddPicture("ImgAdvancedFormBG");
    ImgBtnAdvancedFormClose_Normal = AddPicture("ImgBtnAdvancedFormClose_Normal");
    ImgBtnAdvancedFormClose_Down = AddPicture("ImgBtnAdvancedFormClose_Down");
    ImgTarnwell = AddPicture("ImgTarnwell");
    ImgMainFormLinkQuality = AddPicture("ImgMainFormLinkQuality");
    ImgMainFormRadioOn = AddPicture("ImgMainFormRadioOn");
    ImgMainFormRadioOff = AddPicture("ImgMainFormRadioOff");
    ImgMainFormKeyEnabled = AddPicture("ImgMainFormKeyEnabled");
    ImgBtnAdvancedWireless_Normal = AddPicture("ImgBtnAdvancedWireless_Normal");
    ImgBtnAdvancedWireless_Down = AddPicture("ImgBtnAdvancedWireless_Down");
    ImgBtnAdvancedWMM_Normal = AddPicture("ImgBtnAdvancedWMM_Normal");
    ImgBtnAdvancedWMM_Down = AddPicture("ImgBtnAdvancedWMM_Down");
    ImgBtnAdvancedCCX_Normal = AddPicture("ImgBtnAdvancedCCX_Normal");
    ImgBtnAdvancedCCX_Down = AddPicture("ImgBtnAdvancedCCX_Down");
    ImgBtnProfileWPS_Normal = AddPicture("ImgBtnProfileWPS_Normal");
    ImgBtnProfileWPS_Down = AddPicture("ImgBtnProfileWPS_Down");
    ImgLinkInfoSignalBar = AddPicture("ImgLinkInfoSignalBar");
    ImgLinkInfoSignalBar_BG = AddPicture("ImgLinkInfoSignalBar_BG");
    ImgBtnLinkInfo_Disabled = AddPicture("ImgBtnLinkInfo_Disabled");
    ImgBtnProfile_Disabled = AddPicture("ImgBtnProfile_Disabled");
    ImgBtnSiteSurvey_Disabled = AddPicture("ImgBtnSiteSurvey_Disabled");
    ImgBtnAdvanced_Disabled = AddPicture("ImgBtnAdvanced_Disabled");
    ImgBtnAbout_Disabled = AddPicture("ImgBtnAbout_Disabled");
    ImgBtnSiteSurveyRescan_Disabled = AddPicture("ImgBtnSiteSurveyRescan_Disabled");
    ImgBtnSiteSurveyConnect_Disabled = AddPicture("ImgBtnSiteSurveyConnect_Disabled");
    ImgBtnSiteSurveyAdd2Prof_Disabled = AddPicture("ImgBtnSiteSurveyAdd2Prof_Disabled");
    ImgBtnProfileAdd_Disabled = AddPicture("ImgBtnProfileAdd_Disabled");
    ImgBtnProfileDelete_Disabled = AddPicture("ImgBtnProfileDelete_Disabled");
    ImgBtnProfileEdit_Disabled = AddPicture("ImgBtnProfileEdit_Disabled");
    ImgBtnProfileImport_Disabled = AddPicture("ImgBtnProfileImport_Disabled");
    ImgBtnProfileExport_Disabled = AddPicture("ImgBtnProfileExport_Disabled");
    ImgBtnProfileActivate_Disabled = AddPicture("ImgBtnProfileActivate_Disabled");
    ImgBtnProfileWPS_Disabled = AddPicture("ImgBtnProfileWPS_Disabled");
    ImgTrayIconGood = AddPicture("ImgTrayIconGood");
    ImgTrayIconNormal = AddPicture("ImgTrayIconNormal");
    ImgTrayIconWeak = AddPicture("ImgTrayIconWeak");
    ImgTrayIconLost = AddPicture("ImgTrayIconLost");
    ImgTrayIconNoExist = AddPicture("ImgTrayIconNoExist");
    ImgTrayIconWepError = AddPicture("ImgTrayIconWepError");
    ImgSiteSurvey11A = AddPicture("ImgSiteSurvey11A");
    ImgSiteSurvey11B = AddPicture("ImgSiteSurvey11B");
    ImgSiteSurvey11G = AddPicture("ImgSiteSurvey11G");
    ImgSiteSurvey11N = AddPicture("ImgSiteSurvey11N");
    ImgSiteSurveyActive = AddPicture("ImgSiteSurveyActive");
    ImgSiteSurveyActiveDisabled = AddPicture("ImgSiteSurveyActiveDisabled");
    ImgSiteSurveyAdHoc = AddPicture("ImgSiteSurveyAdHoc");
    ImgSiteSurveyInfrastructure = AddPicture("ImgSiteSurveyInfrastructure");
    ImgSiteSurveySecurity = AddPicture("ImgSiteSurveySecurity");
    ImgSiteSurveyWAPI = AddPicture("ImgSiteSurveyWAPI");
    ImgSiteSurveyWPS = AddPicture("ImgSiteSurveyWPS");
    ImgMessageBoxIcon = AddPicture("ImgMessageBoxIcon");
    ImgMainFormLinkQualityDisabled = AddPicture("ImgMainFormLinkQualityDisabled");
    ImgMainFormKeyDisabled = AddPicture("ImgMainFormKeyDisabled");
    ImgProfileStatusBar = AddPicture("ImgProfileStatusBar");
    ImgProfileStatusBar_BG = AddPicture("ImgProfileStatusBar_BG");
    ImgMainFormBG = AddPicture("ImgMainFormBG");
    ImgTarnwellWebSite = AddPicture("ImgTarnwellWebSite");
    ImgBtnProfileCancel_Diabled = AddPicture("ImgBtnProfileCancel_Diabled");
    ImgBtnAdvancedWireless_Disabled = AddPicture("ImgBtnAdvancedWireless_Disabled");
    ImgBtnAdvancedWMM_Disabled = AddPicture("ImgBtnAdvancedWMM_Disabled");
    ImgBtnAdvancedCCX_Disabled = AddPicture("ImgBtnAdvancedCCX_Disabled");
    ImgBtnLinkInfoWireless_Disabled = AddPicture("ImgBtnLinkInfoWireless_Disabled");
    ImgBtnLinkInfoThroughput_Disabled = AddPicture("ImgBtnLinkInfoThroughput_Disabled");
    ImgBtnLinkInfoStatistic_Disabled = AddPicture("ImgBtnLinkInfoStatistic_Disabled");
    ImgExtendedAPFormBG = AddPicture("ImgExtendedAPFormBG");
    ImgBtnExtendedAPFormClose_Normal = AddPicture("ImgBtnExtendedAPFormClose_Normal");
    ImgBtnExtendedAPFormClose_Down = AddPicture("ImgBtnExtendedAPFormClose_Down");
    ImgBtnExtendedAP_Normal = AddPicture("ImgBtnExtendedAP_Normal");
    ImgBtnExtendedAP_Down = AddPicture("ImgBtnExtendedAP_Down");
    ImgBtnExtendedAP_Disabled = AddPicture("ImgBtnExtendedAP_Disabled");
    ImgBtnExtendedAPConfig_Normal = AddPicture("ImgBtnExtendedAPConfig_Normal");
    ImgBtnExtendedAPConfig_Down = AddPicture("ImgBtnExtendedAPConfig_Down");
    ImgBtnExtendedAPConfig_Disabled = AddPicture("ImgBtnExtendedAPConfig_Disabled");
    ImgBtnExtendedAPMacTable_Normal = AddPicture("ImgBtnExtendedAPMacTable_Normal");
    ImgBtnExtendedAPMacTable_Down = AddPicture("ImgBtnExtendedAPMacTable_Down");
    ImgBtnExtendedAPMacTable_Disabled = AddPicture("ImgBtnExtendedAPMacTable_Disabled");
    ImgBtnAdvancedCertCenter_Normal = AddPicture("ImgBtnAdvancedCertCenter_Normal");
    ImgBtnAdvancedCertCenter_Down = AddPicture("ImgBtnAdvancedCertCenter_Down");
    ImgBtnAdvancedCertCenter_Disabled = AddPicture("ImgBtnAdvancedCertCenter_Disabled");
    ImgBtnAdvancedTest_Normal = AddPicture("ImgBtnAdvancedTest_Normal");
    ImgBtnAdvancedTest_Down = AddPicture("ImgBtnAdvancedTest_Down");
    ImgBtnAdvancedTest_Disabled = AddPicture("ImgBtnAdvancedTest_Disabled");
    ImgAuthenStatusForm = AddPicture("ImgAuthenStatusForm");
    ImgMainFormLinkQualityDisconnected = AddPicture("ImgMainFormLinkQualityDisconnected");
    ImgBtnLinkInfoStatisticResetCounter_Normal = AddPicture("ImgBtnLinkInfoStatisticResetCounter_Normal");
    ImgBtnLinkInfoStatisticResetCounter_Down = AddPicture("ImgBtnLinkInfoStatisticResetCounter_Down");
    ImgBtnProfEditWAPICertManager_Normal = AddPicture("ImgBtnProfEditWAPICertManager_Normal");
    ImgBtnProfEditWAPICertManager_Down = AddPicture("ImgBtnProfEditWAPICertManager_Down");
    ImgAdvancedCertManagerBtnInstallCert_Normal = AddPicture("ImgAdvancedCertManagerBtnInstallCert_Normal");
    ImgAdvancedCertManagerBtnInstallCert_Down = AddPicture("ImgAdvancedCertManagerBtnInstallCert_Down");
    ImgAdvancedCertManagerBtnInstallCert_Disabled = AddPicture("ImgAdvancedCertManagerBtnInstallCert_Disabled");
    ImgAdvancedCertManagerBtnMoveUp_Normal = AddPicture("ImgAdvancedCertManagerBtnMoveUp_Normal");
    ImgAdvancedCertManagerBtnMoveUp_Down = AddPicture("ImgAdvancedCertManagerBtnMoveUp_Down");
    ImgAdvancedCertManagerBtnMoveUp_Disabled = AddPicture("ImgAdvancedCertManagerBtnMoveUp_Disabled");
    ImgAdvancedCertManagerBtnMoveDown_Normal = AddPicture("ImgAdvancedCertManagerBtnMoveDown_Normal");
    ImgAdvancedCertManagerBtnMoveDown_Down = AddPicture("ImgAdvancedCertManagerBtnMoveDown_Down");
    ImgAdvancedCertManagerBtnMoveDown_Disabled = AddPicture("ImgAdvancedCertManagerBtnMoveDown_Disabled");
    ImgAdvancedCertManagerBtnDelete_Normal = AddPicture("ImgAdvancedCertManagerBtnDelete_Normal");
    ImgAdvancedCertManagerBtnDelete_Down = AddPicture("ImgAdvancedCertManagerBtnDelete_Down");
    ImgAdvancedCertManagerBtnDelete_Disabled = AddPicture("ImgAdvancedCertManagerBtnDelete_Disabled");
    ImgConnectLine0 = AddPicture("ImgConnectLine0");
    ImgConnectLine1 = AddPicture("ImgConnectLine1");
    ImgConnectLine2 = AddPicture("ImgConnectLine2");
    ImgConnectLine3 = AddPicture("ImgConnectLine3");
    ImgConnectLine4 = AddPicture("ImgConnectLine4");
    ImgDeviceCamera = AddPicture("ImgDeviceCamera");
    ImgDeviceCamera_Owner = AddPicture("ImgDeviceCamera_Owner");
    ImgDeviceNB = AddPicture("ImgDeviceNB");
    ImgDeviceNB_Owner = AddPicture("ImgDeviceNB_Owner");
    ImgDeviceUnknown_Owner = AddPicture("ImgDeviceUnknown_Owner");
    ImgDeviceUnknown = AddPicture("ImgDeviceUnknown");
    ImgDevicePC = AddPicture("ImgDevicePC");
    ImgDevicePC_Owner = AddPicture("ImgDevicePC_Owner");
    ImgSG10 = AddPicture("ImgSG10");
    ImgSG09 = AddPicture("ImgSG09");
    ImgSG08 = AddPicture("ImgSG08");
    ImgSG07 = AddPicture("ImgSG07");
    ImgSG06 = AddPicture("ImgSG06");
    ImgSG05 = AddPicture("ImgSG05");
    ImgSG04 = AddPicture("ImgSG04");
    ImgSG03 = AddPicture("ImgSG03");
    ImgSG02 = AddPicture("ImgSG02");
    ImgSG01 = AddPicture("ImgSG01");
    ImgProgressBar = AddPicture("ImgProgressBar");
    ImgProgressMsgBox = AddPicture("ImgProgressMsgBox");
    ImgBtnWiFiDirectSettingNext_Normal = AddPicture("ImgBtnWiFiDirectSettingNext_Normal");
    ImgBtnWiFiDirectSettingNext_Down = AddPicture("ImgBtnWiFiDirectSettingNext_Down");
    ImgBtnWiFiDirectSettingNext_Disabled = AddPicture("ImgBtnWiFiDirectSettingNext_Disabled");
    ImgBtnWiFiDirectSettingBack_Normal = AddPicture("ImgBtnWiFiDirectSettingBack_Normal");
    ImgBtnWiFiDirectSettingBack_Down = AddPicture("ImgBtnWiFiDirectSettingBack_Down");
    ImgBtnWiFiDirectSettingBack_Disabled = AddPicture("ImgBtnWiFiDirectSettingBack_Disabled");
    ImgBtnWiFiDirectSettingCancel_Normal = AddPicture("ImgBtnWiFiDirectSettingCancel_Normal");
    ImgBtnWiFiDirectSettingCancel_Down = AddPicture("ImgBtnWiFiDirectSettingCancel_Down");
    ImgBtnWiFiDirectSettingFromClose_Normal = AddPicture("ImgBtnWiFiDirectSettingFromClose_Normal");
    ImgBtnWiFiDirectSettingFromClose_Down = AddPicture("ImgBtnWiFiDirectSettingFromClose_Down");
    ImgBtnWiFiDirectSettingCancel_Disabled = AddPicture("ImgBtnWiFiDirectSettingCancel_Disabled");
    ImgWiFiDirectSettingForm = AddPicture("ImgWiFiDirectSettingForm");
    ImgWiFiDirectSettingFrame = AddPicture("ImgWiFiDirectSettingFrame");
    ImgConnectLine2_1 = AddPicture("ImgConnectLine2_1");
    ImgConnectLine2_0 = AddPicture("ImgConnectLine2_0");
    ImgWiFiDirectOff = AddPicture("ImgWiFiDirectOff");
    ImgWiFiDirectOn = AddPicture("ImgWiFiDirectOn");
    ImgBtnWPSConnect_Down = AddPicture("ImgBtnWPSConnect_Down");
    ImgBtnWPSConnect_Normal = AddPicture("ImgBtnWPSConnect_Normal");
    ImgDeviceTV = AddPicture("ImgDeviceTV");
    ImgDeviceTV_Owner = AddPicture("ImgDeviceTV_Owner");
    ImgDeviceAP = AddPicture("ImgDeviceAP");
    ImgDeviceAP_Owner = AddPicture("ImgDeviceAP_Owner");
    ImgBtnRotationClockwise_Normal = AddPicture("ImgBtnRotationClockwise_Normal");
    ImgBtnRotationCounterwise_Normal = AddPicture("ImgBtnRotationCounterwise_Normal");
    ImgBtnRotationClockwise_Down = AddPicture("ImgBtnRotationClockwise_Down");
    ImgBtnRotationCounterwise_Down = AddPicture("ImgBtnRotationCounterwise_Down");
    ImgWIFiDirectGO = AddPicture("ImgWIFiDirectGO");
    ImgDeviceSmartphone = AddPicture("ImgDeviceSmartphone");
    ImgDeviceSmartphone_Owner = AddPicture("ImgDeviceSmartphone_Owner");
    ImgDevicePrinter = AddPicture("ImgDevicePrinter");
    ImgDevicePrinter_Owner = AddPicture("ImgDevicePrinter_Owner");
    ImgWiFiDirectProfileForm = AddPicture("ImgWiFiDirectProfileForm");
    ImgBtnWiFiDirectProfileDelete_Normal = AddPicture("ImgBtnWiFiDirectProfileDelete_Normal");
    ImgBtnWiFiDirectProfileAdd_Normal = AddPicture("ImgBtnWiFiDirectProfileAdd_Normal");
    ImgBtnWiFiDirectProfileAdd_Down = AddPicture("ImgBtnWiFiDirectProfileAdd_Down");
    ImgBtnWiFiDirectProfileAdd_Disabled = AddPicture("ImgBtnWiFiDirectProfileAdd_Disabled");
    ImgBtnWiFiDirectProfileDelete_Down = AddPicture("ImgBtnWiFiDirectProfileDelete_Down");
    ImgBtnWiFiDirectProfileDelete_Disabled = AddPicture("ImgBtnWiFiDirectProfileDelete_Disabled");
    ImgBtnWiFiDirectProfileDetail_Disabled = AddPicture("ImgBtnWiFiDirectProfileDetail_Disabled");
    ImgBtnWiFiDirectProfileDetail_Down = AddPicture("ImgBtnWiFiDirectProfileDetail_Down");
    ImgBtnWiFiDirectProfileDetail_Normal = AddPicture("ImgBtnWiFiDirectProfileDetail_Normal");
    ImgBtnWiFiDirectProfileFormClose_Down = AddPicture("ImgBtnWiFiDirectProfileFormClose_Down");
    ImgBtnWiFiDirectProfileFormClose_Normal = AddPicture("ImgBtnWiFiDirectProfileFormClose_Normal");
    ImgBtnWiFiDirectProfileActivate_Normal = AddPicture("ImgBtnWiFiDirectProfileActivate_Normal");
    ImgBtnWiFiDirectProfileActivate_Down = AddPicture("ImgBtnWiFiDirectProfileActivate_Down");
    ImgBtnWiFiDirectProfileActivate_Disabled = AddPicture("ImgBtnWiFiDirectProfileActivate_Disabled");
    ImgBtnWPSConnect_Disabled = AddPicture("ImgBtnWPSConnect_Disabled");
    ImgBtnKey_Down = AddPicture("ImgBtnKey_Down");
    ImgBtnKey_Normal = AddPicture("ImgBtnKey_Normal");
    ImgBtnKey_Disabled = AddPicture("ImgBtnKey_Disabled");
    ImgDeviceLegacy = AddPicture("ImgDeviceLegacy");
    ImgWiFiDirectMediaSharingForm = AddPicture("ImgWiFiDirectMediaSharingForm");
    ImgBtnBrowser_Normal = AddPictureButton("ImgBtnBrowser_Normal");
    ImgBtnBrowser_Down = AddPictureButton("ImgBtnBrowser_Down");
    ImgBtnSharingMedia_Normal = AddPicture("ImgBtnSharingMedia_Normal");
    ImgBtnSharingMedia_Down = AddPicture("ImgBtnSharingMedia_Down");
    ImgBtnSharingMedia_Disabled = AddPicture("ImgBtnSharingMedia_Disabled");
    ImgBtnMediaSharingStart_Normal = AddPicture("ImgBtnMediaSharingStart_Normal");
    ImgBtnMediaSharingStart_Down = AddPicture("ImgBtnMediaSharingStart_Down");
    ImgBtnMediaSharingStart_Disabled = AddPicture("ImgBtnMediaSharingStart_Disabled");
    ImgBtnMediaSharingStop_Normal = AddPicture("ImgBtnMediaSharingStop_Normal");
    ImgBtnMediaSharingStop_Down = AddPicture("ImgBtnMediaSharingStop_Down");
    ImgBtnMediaSharingStop_Disabled = AddPicture("ImgBtnMediaSharingStop_Disabled");
    ImgBtnWiFiDirect_Normal = AddPicture("ImgBtnWiFiDirect_Normal");
    ImgBtnWiFiDirect_Down = AddPicture("ImgBtnWiFiDirect_Down");
    ImgBtnWiFiDirect_Disabled = AddPicture("ImgBtnWiFiDirect_Disabled");
    ImgWiFiDirectFormBG = AddPicture("ImgWiFiDirectFormBG");
    ImgBtnWiFiDirectFormClose_Normal = AddPicture("ImgBtnWiFiDirectFormClose_Normal");
    ImgBtnWiFiDirectFormClose_Down = AddPicture("ImgBtnWiFiDirectFormClose_Down");
    ImgBtnRenew_Normal = AddPicture("ImgBtnRenew_Normal");
    ImgBtnRenew_Down = AddPicture("ImgBtnRenew_Down");
    ImgBtnRenew_Disabled = AddPicture("ImgBtnRenew_Disabled");
    ImgBtnRenew4_Normal = AddPicture("ImgBtnRenew4_Normal");
    ImgBtnRenew4_Down = AddPicture("ImgBtnRenew4_Down");
    ImgBtnRenew4_Disabled = AddPicture("ImgBtnRenew4_Disabled");
    ImgBtnMediaSharingReStart_Normal = AddPicture("ImgBtnMediaSharingReStart_Normal");
    ImgBtnMediaSharingReStart_Down = AddPicture("ImgBtnMediaSharingReStart_Down");
    ImgBtnMediaSharingReStart_Disabled = AddPicture("ImgBtnMediaSharingReStart_Disabled");
    ImgBtnProgCancel_Normal = AddPicture("ImgBtnProgCancel_Normal");
    ImgBtnProgCancel_Down = AddPicture("ImgBtnProgCancel_Down");
    ImgProgressBarBack = AddPicture("ImgProgressBarBack");
    ImgBtnWiFiDisplay_Normal = AddPicture("ImgBtnWiFiDisplay_Normal");
    ImgBtnWiFiDisplay_Down = AddPicture("ImgBtnWiFiDisplay_Down");
    ImgBtnWiFiDisplay_Disabled = AddPicture("ImgBtnWiFiDisplay_Disabled");
    ImgBtnPlay_Normal = AddPicture("ImgBtnPlay_Normal");
    ImgBtnPlay_Down = AddPicture("ImgBtnPlay_Down");
    ImgBtnPlay_Disabled = AddPicture("ImgBtnPlay_Disabled");
    ImgBtnPause_Normal = AddPicture("ImgBtnPause_Normal");
    ImgBtnPause_Down = AddPicture("ImgBtnPause_Down");
    ImgBtnPause_Disabled = AddPicture("ImgBtnPause_Disabled");
    ImgBtnStop_Normal = AddPicture("ImgBtnStop_Normal");
    ImgBtnStop_Down = AddPicture("ImgBtnStop_Down");
    ImgBtnStop_Disabled = AddPicture("ImgBtnStop_Disabled");
    ImgBtnHotSpot_Normal = AddPicture("ImgBtnHotSpot_Normal");
    ImgBtnHotSpot_Down = AddPicture("ImgBtnHotSpot_Down");
    ImgBtnHotSpot_Disabled = AddPicture("ImgBtnHotSpot_Disabled");
    ImgBtnHotSpotAddProfile_Normal = AddPicture("ImgBtnHotSpotAddProfile_Normal");
    ImgBtnHotSpotAddProfile_Down = AddPicture("ImgBtnHotSpotAddProfile_Down");
    ImgBtnHotSpotAddProfile_Disabled = AddPicture("ImgBtnHotSpotAddProfile_Disabled");
    ImgBtnHotSpotAddCredential_Normal = AddPicture("ImgBtnHotSpotAddCredential_Normal");
    ImgBtnHotSpotAddCredential_Down = AddPicture("ImgBtnHotSpotAddCredential_Down");
    ImgBtnHotSpotAddCredential_Disabled = AddPicture("ImgBtnHotSpotAddCredential_Disabled");

    UI_Str = std::make_unique<CUISTR>();
    UI_Str->Load();
    OnCreate = [this](TObject* Sender) { FormCreate(Sender); };
}

TFormResource::~TFormResource()
{
    UI_Str.reset();
}

TImage* TFormResource::AddPicture(const char* name)
{
    auto* image = new TImage(this);
    LoadBuiltIn(image, name);
    return image;
}

TWvImage* TFormResource::AddPictureButton(const char* name)
{
    auto* image = new TWvImage(this);
    LoadBuiltIn(image, name);
    return image;
}

void TFormResource::LoadBuiltIn(TImage* image, const char* name)
{
    image->Name = name;
    image->SetAutoSize(true);
    pictures_.emplace_back(name, image);
    TPicture picture;
    try {
        picture.LoadFromResource(GetModuleHandleA(nullptr), name);
    } catch (const EPictureError& e) {
        PrintMessage(2, " TFormResource: built-in picture %s: %s\n", name, e.what());
        return;
    }
    image->SetPicture(picture);
}

std::span<const TFormResource::SkinKey> TFormResource::SkinKeys()
{
    return kSkinKeys;
}

TImage* TFormResource::FindPicture(const std::string& name) const
{
    for (const auto& [pictureName, image] : pictures_)
        if (name == pictureName)
            return image;
    return nullptr;
}

bool TFormResource::IsTrayIcon(const TImage* image) const
{
    return image == ImgTrayIconNoExist || image == ImgTrayIconLost || image == ImgTrayIconWeak ||
           image == ImgTrayIconNormal || image == ImgTrayIconGood || image == ImgTrayIconWepError;
}

void TFormResource::FormCreate(TObject*)
{
    LoadSkin();
}

void TFormResource::LoadSkin()
{
    TIniFile ini(SkinFolder + "\\RoVaza.ini");
    // Without a skin file every key reads its default: positions 0, 0, no pictures.
    const bool present = IsFileExist(ini.FileName().c_str());
    for (const SkinKey& k : kSkinKeys) {
        TImage* image = FindPicture(k.picture);
        if (!image)
            continue;
        if (k.position) {
            SetSkinPosition(image, present ? ini.ReadString(k.section, k.key, "0,0") : "0,0");
            continue;
        }
        if (!present)
            continue;
        std::string value = ini.ReadString(k.section, k.key, "");
        if (!value.empty())
            LoadSkinImage(image, SkinFolder + "\\" + value);
    }
}

void TFormResource::LoadSkinImage(TImage* image, const std::string& path)
{
    if (!image || !IsFileExist(path.c_str()))
        return;
    TPicture picture;
    try {
        picture.LoadFromFile(path);
    } catch (const EPictureError& e) {
        // A picture that cannot be decoded keeps the built-in one; the other keys still count.
        PrintMessage(2, " TFormResource: %s not loaded: %s\n", path.c_str(), e.what());
        return;
    }
    if (IsTrayIcon(image) && !picture.IsIcon()) {
        // The notification area needs an icon: the built-in one stays.
        PrintMessage(2, " TFormResource: %s is no icon\n", path.c_str());
        return;
    }
    image->SetPicture(picture);
}

void TFormResource::SetSkinPosition(TImage* image, const std::string& value)
{
    if (!image)
        return;
    const std::string text = value.substr(0, 31);
    const char* p = text.c_str();
    int x = 0, y = 0;
    bool ok = ScanInt(p, x) && *p++ == ',' && ScanInt(p, y);
    if (!ok)
        x = y = 0;
    image->SetLeft(x);
    image->SetTop(y);
}
