#pragma once
// One Wi-Fi Direct device and its place in the topology.
#include <cstddef>
#include <cstdint>
#include <vector>

#pragma pack(push, 1)
struct PRIMARY_DEVICE_TYPE {
    uint16_t CategoryID;
    uint32_t OUI;
    uint16_t SubCategoryID;
};
struct DEVICE_ENTRY {
    uint32_t bConnectToMe;
    char chDeviceName[32];
    uint32_t ulStringLen;
    PRIMARY_DEVICE_TYPE nPrimaryDeviceType;
    uint8_t chMacAddr[6];
    int32_t nRule;
    uint16_t ConfigMethod;
    uint8_t WiFiDirectFlags;
    uint8_t IpAddrs[4];
    int8_t chDbm;
    uint32_t nNumOfSubMember;
    uint8_t EntryStatus;
};
#pragma pack(pop)
static_assert(offsetof(DEVICE_ENTRY, chMacAddr) == 48);
static_assert(sizeof(DEVICE_ENTRY) == 71);

constexpr uint8_t ENTRYSTATUS_GOREADY = 2;

struct WIFI_DIRECT_TOPOPOGY {
    DEVICE_ENTRY Device{};
    std::vector<DEVICE_ENTRY> vecSubDeviceList;
};
