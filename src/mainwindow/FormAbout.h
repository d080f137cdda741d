#pragma once
// The About box: versions and dates of the utility, the driver and the adapter library, the
// adapter's MAC address, the notice lines and the maker's logo with its web link.
#include <string>

#include "core/FormBase.h"
#include "resources/WvImage.h"
#include "ui/StdCtrls.h"

class TFormAbout : public TFormBase {
public:
    explicit TFormAbout(TComponent* owner);
    ~TFormAbout() override;

    TWvImage* SysBtnClose = nullptr;
    TGroupBox* grpBoxVersion = nullptr;
    TLabel* lblUtilityVersionText = nullptr;
    TLabel* lblUtilityVersion = nullptr;
    TLabel* lblUtilityDateText = nullptr;
    TLabel* lblUtilityDate = nullptr;
    TLabel* lblDriverVersionText = nullptr;
    TLabel* lblDriverVersion = nullptr;
    TLabel* lblDriverDateText = nullptr;
    TLabel* lblDriverDate = nullptr;
    TLabel* lblSDKVersionText = nullptr;
    TLabel* lblSDKVersion = nullptr;
    TLabel* lblSDKDateText = nullptr;
    TLabel* lblSDKDate = nullptr;
    TGroupBox* grpBoxMAC = nullptr;
    TLabel* lblMAC = nullptr;
    TWvImage* ImgTarnwell = nullptr;
    TLabel* lblCopyRightText = nullptr;
    TLabel* lblCopyRightReservedText = nullptr;

    std::string m_strUtilityVersion;
    std::string m_strSDKVersion;
    std::string m_strMAC;

    void FormCreate(TObject* Sender) override;
    void FormShow(TObject* Sender);
    void SysBtnCloseClick(TObject* Sender);
    void ImgTarnwellClick(TObject* Sender);

    // "%d.%d.%d.%d" of the file's fixed version; empty when the file or its version
    // information is missing.
    static std::string GetFileVersionText(const std::string& path);
    // The file's last-write date, "yyyy-mm-dd"; empty when the file cannot be opened.
    static std::string GetFileDateText(const std::string& path);
};

extern TFormAbout* FormAbout;
