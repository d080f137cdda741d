#pragma once
// What the shared dialogs take from the adapter library wrapper.

// The progress dialog shows only the PIN when one is set (settings key ProgPinOnly).
bool ProgressPinOnly();

// Ends the Wi-Fi Direct link to one peer; the result is not looked at.
void DisconnectWifiDirectPeer(const unsigned char mac[6]);
