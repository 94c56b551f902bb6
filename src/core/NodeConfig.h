// The controller's configuration profile: 100 slots of 32 bits, and the
// per-parameter rules (kind, group, applicability by mode, valid range).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

constexpr int kParameterCount = 100;

// Operation mode codes held in slot 1.
constexpr uint32_t kModePassive = 0x101;
constexpr uint32_t kModeSingleChannel = 0x201;
constexpr uint32_t kModeDualChannelSingleEnv = 0x301;
constexpr uint32_t kModeDualChannelDualEnv = 0x401;

// Slot numbers the program refers to by name.
enum ParamIndex : int {
    kIndexOperationMode = 1,
    kIndexEc1Target = 46,
    kIndexEc2Target = 47,
    kIndexPh1Target = 48,
    kIndexPh2Target = 49,
    kIndexHostname = 80, // 80..83, 16 bytes of text
    kIndexListenAddress = 84,
    kIndexGateway = 86,
    kIndexSubnetMask = 87,
    kIndexPrimaryDns = 88,
    kIndexSecondaryDns = 89,
    kIndexUsername = 90,      // 90..93, 16 bytes, space padded
    kIndexPassword = 94,      // 94..97, 16 bytes, space padded
    kIndexNetworkConfig = 98, // DHCP flag
};

struct NodeConfig {
    std::array<uint32_t, kParameterCount> slots{};

    uint32_t& operator[](int index) { return slots[static_cast<std::size_t>(index)]; }
    uint32_t operator[](int index) const { return slots[static_cast<std::size_t>(index)]; }
    void Clear() { slots.fill(0); }
    bool operator==(const NodeConfig& other) const { return slots == other.slots; }
    bool operator!=(const NodeConfig& other) const { return !(*this == other); }
};

enum class ParamKind {
    None,
    Hostname,
    Credentials,
    ActuatorGroup,
    EcValue,
    CountValue,
    OperationMode,
    IpAddress,
    DhcpFlag,
    PhValue,
};

ParamKind KindOf(int index);
// First slot of the parameter the index belongs to (the row the page names).
int GroupStartOf(int index);
// True when the parameter plays no part in the given operation mode.
bool IsUnusedInMode(int index, uint32_t mode);
// True when the slot value lies in the parameter's valid range.
bool IsValidValue(int index, uint32_t value);
