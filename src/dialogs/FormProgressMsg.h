#pragma once
// The shared progress dialog: a message with a running sand glass and a bar, timed or by
// percentage, while a Wi-Fi Direct connection is made.

#include "core/FormBase.h"
#include "resources/WvImage.h"
#include "ui/ExtCtrls.h"
#include "ui/StdCtrls.h"

#include <array>
#include <functional>
#include <string>

class TFormProgressMsg : public TFormBase {
public:
    explicit TFormProgressMsg(TComponent* AOwner);

    TImage* ImgSandGlass;
    TLabel* lblMessageText;
    TImage* ImgProgressBarBack;
    TImage* ImgProgressBar;
    TWvImage* BtnProgCancel;
    TTimer* TimerProgress;

    std::string m_strMessage;
    std::array<const TPicture*, 10> m_pSandGlass{};  // the repository's pictures
    int nSGIndex = 0;
    int nProgressBar = 0;
    std::string m_strPercent;
    unsigned m_nDuration = 0;
    int bUseTimer = 0;
    int m_nBarBackWidth = 0;
    int m_bSuccess = 0;
    std::string m_strPinText;
    int m_nPinFontSize = 8;
    int m_nTextFontSize = 8;
    // Fills the address of the peer that Cancel disconnects; registered by the window that runs
    // the connection. Without it the address is all zeros.
    std::function<void(unsigned char (&mac)[6])> PeerOfConnection;

    void FormCreate(TObject* Sender) override;
    void FormShow(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
    void TimerProgressTimer(TObject* Sender);
    void BtnProgCancelClick(TObject* Sender);
    void SetProgress(int percent);
    // The awaited operation has succeeded: m_bSuccess set, and a running bar takes its
    // remaining steps at the short interval from now on.
    void Succeed();

    std::string ModalDescription() const override;

private:
    void ShowLabelText();
    void ShowSandGlassFrame();
    void AdvanceSandGlass();
    void ShowBarStep();
};

extern TFormProgressMsg* FormProgressMsg;
