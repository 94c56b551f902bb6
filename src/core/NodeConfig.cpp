#include "core/NodeConfig.h"

#include "core/WordHelpers.h"

#include <cmath>

ParamKind KindOf(int index)
{
    if (index == 1)
        return ParamKind::OperationMode;
    if (index >= 3 && index <= 44)
        return ParamKind::ActuatorGroup;
    switch (index) {
    case 46:
    case 47:
    case 50:
    case 51:
        return ParamKind::EcValue;
    case 48:
    case 49:
    case 52:
    case 53:
        return ParamKind::PhValue;
    case 54:
    case 55:
    case 56:
    case 57:
    case 58:
    case 59:
    case 64:
    case 65:
    case 66:
    case 67:
        return ParamKind::CountValue;
    case kIndexHostname:
        return ParamKind::Hostname;
    case kIndexUsername:
    case kIndexPassword:
        return ParamKind::Credentials;
    case kIndexListenAddress:
    case kIndexGateway:
    case kIndexSubnetMask:
    case kIndexPrimaryDns:
    case kIndexSecondaryDns:
        return ParamKind::IpAddress;
    case kIndexNetworkConfig:
        return ParamKind::DhcpFlag;
    default:
        return ParamKind::None;
    }
}

int GroupStartOf(int index)
{
    if (index >= 3 && index <= 44)
        return 3 + (index - 3) / 6 * 6;
    if (index == 1 || (index >= 46 && index <= 59) || (index >= 64 && index <= 67))
        return index;
    if (index >= 80)
        return index;
    return 0;
}

bool IsUnusedInMode(int index, uint32_t mode)
{
    switch (mode) {
    case kModePassive:
        return index >= 46 && index <= 67;
    case kModeSingleChannel:
    case kModeDualChannelSingleEnv:
        switch (index) {
        case 47:
        case 49:
        case 51:
        case 53:
        case 55:
        case 57:
        case 59:
        case 65:
        case 67:
            return true;
        default:
            return false;
        }
    default:
        return false;
    }
}

namespace {

bool InRange(uint32_t value, uint32_t low, uint32_t high)
{
    return value >= low && value <= high;
}

// Comparisons are made in single precision, as the controller stores them:
// the lower tolerance bound is the single nearest to 0.01.
bool PhTargetValid(uint32_t word)
{
    const float x = WordToFloat(word);
    return (x >= 1.0f && x <= 14.0f) || x == 0.0f; // NaN fails both
}

bool PhToleranceValid(uint32_t word)
{
    const float x = WordToFloat(word);
    return x >= 0.01f && x <= 2.0f;
}

} // namespace

bool IsValidValue(int index, uint32_t value)
{
    if (index == 1)
        return value == kModePassive || value == kModeSingleChannel || value == kModeDualChannelSingleEnv ||
               value == kModeDualChannelDualEnv;
    if ((index >= 3 && index <= 8) || (index >= 54 && index <= 59))
        return value <= 65000;
    if (index >= 9 && index <= 44)
        return value <= 100;
    switch (index) {
    case 46:
    case 47:
        return value <= 20000;
    case 48:
    case 49:
        return PhTargetValid(value);
    case 50:
    case 51:
        return InRange(value, 50, 3000);
    case 52:
    case 53:
        return PhToleranceValid(value);
    case 64:
    case 65:
    case 66:
    case 67:
        return InRange(value, 1, 65000);
    default:
        return false;
    }
}
