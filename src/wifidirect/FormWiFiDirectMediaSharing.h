#pragma once
// The media-sharing window: the shared folder and server name handed to the media-server
// service, which is started, stopped and restarted through the adapter library.
#include <string>

#include "core/FormBase.h"
#include "resources/WvImage.h"
#include "ui/ExtCtrls.h"
#include "ui/StdCtrls.h"

class TFormWiFiDirectMediaSharing : public TFormBase {
public:
    explicit TFormWiFiDirectMediaSharing(TComponent* owner);

    // Controls.
    TLabel* lblSharingFolder = nullptr;
    TEdit* editSharingFolder = nullptr;
    TWvImage* BtnSharingFolderBrowse = nullptr;
    TLabel* lblServerName = nullptr;
    TEdit* editServerName = nullptr;
    TWvImage* SysBtnClose = nullptr;
    TWvImage* BtnMediaSharingStart = nullptr;
    TWvImage* BtnMediaSharingCancel = nullptr;
    TWvImage* BtnMediaSharingReStart = nullptr;
    TLabel* lblServiceStatusText = nullptr;
    TLabel* lblServiceStatus = nullptr;
    TTimer* TimerCheckStatus = nullptr;

    std::string m_strFolderPath;

    void FormCreate(TObject* Sender) override;
    void FormShow(TObject* Sender);
    void BtnSharingFolderBrowseClick(TObject* Sender);
    void BtnMediaSharingStartClick(TObject* Sender);
    void BtnMediaSharingCancelClick(TObject* Sender);
    void BtnMediaSharingReStartClick(TObject* Sender);
    void TimerCheckStatusTimer(TObject* Sender);
    void SysBtnCloseClick(TObject* Sender);

    // The folder to share: the configured one when it exists, else "Media Sharing" in the
    // user's documents or profile folder; empty when the path would not fit the library's buffer.
    static std::string ChooseSharedFolder(const std::string& configured);

private:
    void StartServer();
    void StopServer();
};

extern TFormWiFiDirectMediaSharing* FormWiFiDirectMediaSharing;
