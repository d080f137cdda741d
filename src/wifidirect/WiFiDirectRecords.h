#pragma once
// Wi-Fi Direct request and saved-profile record of the adapter library.

#include <cstddef>
#include <cstdint>

// 1468 bytes, little-endian; builders zero the whole record first. Text fields other than
// ProfileName are not terminated inside their width: the length beside them counts the bytes.
struct WIFIDIRECT_WPSE_PROFILE {
    char ProfileName[128];
    char DeviceName[32];
    uint32_t DeviceNameLength;
    uint32_t ConfigMode;
    uint32_t WpsMethod;
    uint8_t PIN[8];
    uint32_t Reserved180;
    uint32_t GoIntentIdx;         // 0..15; 16 = autonomous group owner
    uint32_t Reserved188;
    uint32_t ulListenChannel;
    uint32_t ulOperatingChannel;
    uint8_t Reserved200[8];
    uint32_t SSIDLength;
    uint8_t SSID[32];
    uint32_t KeyLength;
    uint8_t Key[64];
    uint32_t Reserved312;
    uint32_t PeerDeviceNameCount;
    char PeerDeviceName[30][32];
    uint32_t DesiredMacCount;
    uint8_t DesiredMacAddr[30][6];  // entry 0: the peer of a request or saved profile
    uint32_t bDisconnect;
};
static_assert(sizeof(WIFIDIRECT_WPSE_PROFILE) == 1468);
static_assert(offsetof(WIFIDIRECT_WPSE_PROFILE, DeviceName) == 128);
static_assert(offsetof(WIFIDIRECT_WPSE_PROFILE, DeviceNameLength) == 160);
static_assert(offsetof(WIFIDIRECT_WPSE_PROFILE, ConfigMode) == 164);
static_assert(offsetof(WIFIDIRECT_WPSE_PROFILE, WpsMethod) == 168);
static_assert(offsetof(WIFIDIRECT_WPSE_PROFILE, PIN) == 172);
static_assert(offsetof(WIFIDIRECT_WPSE_PROFILE, GoIntentIdx) == 184);
static_assert(offsetof(WIFIDIRECT_WPSE_PROFILE, ulListenChannel) == 192);
static_assert(offsetof(WIFIDIRECT_WPSE_PROFILE, ulOperatingChannel) == 196);
static_assert(offsetof(WIFIDIRECT_WPSE_PROFILE, SSIDLength) == 208);
static_assert(offsetof(WIFIDIRECT_WPSE_PROFILE, SSID) == 212);
static_assert(offsetof(WIFIDIRECT_WPSE_PROFILE, KeyLength) == 244);
static_assert(offsetof(WIFIDIRECT_WPSE_PROFILE, Key) == 248);
static_assert(offsetof(WIFIDIRECT_WPSE_PROFILE, PeerDeviceNameCount) == 316);
static_assert(offsetof(WIFIDIRECT_WPSE_PROFILE, PeerDeviceName) == 320);
static_assert(offsetof(WIFIDIRECT_WPSE_PROFILE, DesiredMacCount) == 1280);
static_assert(offsetof(WIFIDIRECT_WPSE_PROFILE, DesiredMacAddr) == 1284);
static_assert(offsetof(WIFIDIRECT_WPSE_PROFILE, bDisconnect) == 1464);
