#pragma once
// What the shared dialogs take from the rest of the program: interface texts, pictures of
// the picture repository, the skin file and the adapter library.

#include "resources/UiStr.h"
#include "ui/Picture.h"

#include <string>

// The interface string table (the picture repository's UI_Str).
const CUISTR& DialogTexts();

enum class DialogPicture {
    MessageBoxIcon,
    ProgressMsgBox,
    ProgressBar,
    ProgressBarBack,
    BtnProfileCancelNormal,
    BtnProfileCancelDown,
};
TPicture DialogPictureOf(DialogPicture which);
// Frame 0..9 of the sand glass.
TPicture SandGlassFrame(int index);

// The skin file beside the program.
std::string SkinFilePath();

// The progress dialog shows only the PIN when one is set (settings key ProgPinOnly).
bool ProgressPinOnly();

// Ends the Wi-Fi Direct link to one peer; the result is not looked at.
void DisconnectWifiDirectPeer(const unsigned char mac[6]);
