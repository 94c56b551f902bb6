#include "core/ConfigRows.h"

#include "core/WordHelpers.h"
#include "core/Words.h"

#include <wx/strconv.h>

#include <algorithm>

wxString SectionTitle(uint32_t code)
{
    switch (code) {
    case 0x101:
        return "OPERATION MODE";
    case 0x201:
        return "ACTUATOR FLOW RATES";
    case 0x301:
        return "CHANNEL 1 RATIOS";
    case 0x302:
        return "CHANNEL 1 TARGET";
    case 0x303:
        return "CHANNEL 1 DOSAGE";
    case 0x304:
        return "CHANNEL 1 DELAYS";
    case 0x401:
        return "CHANNEL 2 RATIOS";
    case 0x402:
        return "CHANNEL 2 TARGET";
    case 0x403:
        return "CHANNEL 2 DOSAGE";
    case 0x404:
        return "CHANNEL 2 DELAYS";
    case 0x501:
        return "NETWORK SETTINGS";
    default:
        return wxString();
    }
}

int RowOfCode(uint32_t code)
{
    const auto it = std::find(ConfigRowTable.begin(), ConfigRowTable.end(), code);
    return it == ConfigRowTable.end() ? -1 : static_cast<int>(it - ConfigRowTable.begin());
}

bool IsRowShadedInMode(uint32_t code, uint32_t mode)
{
    const auto in = [code](const std::array<uint32_t, 12>& rows) {
        return std::find(rows.begin(), rows.end(), code) != rows.end();
    };
    switch (mode) {
    case kModePassive:
        return code == 3 || in(Channel1Rows) || in(Channel2Rows);
    case kModeSingleChannel:
    case kModeDualChannelSingleEnv:
        return in(Channel2Rows);
    default:
        return false;
    }
}

bool IsRowLocked(const NodeConfig& config, uint32_t code)
{
    return !IsSectionCode(code) && IsRowShadedInMode(code, config[kIndexOperationMode]);
}

wxString ConfigValueText(const NodeConfig& config, uint32_t code, const ParameterTexts& units)
{
    if (IsSectionCode(code))
        return wxString();
    const int index = static_cast<int>(code);
    switch (KindOf(index)) {
    case ParamKind::OperationMode:
        return OperationModeName(config[index]);
    case ParamKind::ActuatorGroup: {
        wxString text;
        for (int k = 0; k < 6 && index + k < kParameterCount; ++k) {
            if (k)
                text << " - ";
            text << FormatDecimal(config[index + k]);
        }
        return text;
    }
    case ParamKind::EcValue:
    case ParamKind::CountValue:
        return FormatDecimal(config[index]) + " " + units[static_cast<std::size_t>(index)];
    case ParamKind::PhValue:
        return FormatTwoDecimals(config[index]) + " " + units[static_cast<std::size_t>(index)];
    case ParamKind::Hostname:
        return TextFieldToString(ReadTextField(config, index));
    case ParamKind::Credentials:
        return index == kIndexPassword ? wxString("******") : TextFieldToString(ReadTextField(config, index));
    case ParamKind::IpAddress:
        return FormatIpAddress(config[index]);
    case ParamKind::DhcpFlag:
        return config[index] ? "DHCP Activated" : "DHCP Deactivated";
    case ParamKind::None:
        break;
    }
    return wxString();
}

TextFieldBytes ReadTextField(const NodeConfig& config, int firstSlot)
{
    TextFieldBytes bytes{};
    for (int s = 0; s < 4; ++s) {
        const int slot = firstSlot + s;
        if (slot >= 0 && slot < kParameterCount)
            StoreWordLE(bytes.data() + 4 * static_cast<std::size_t>(s), config[slot]);
    }
    return bytes;
}

void WriteTextField(NodeConfig& config, int firstSlot, const TextFieldBytes& bytes)
{
    for (int s = 0; s < 4; ++s) {
        const int slot = firstSlot + s;
        if (slot >= 0 && slot < kParameterCount)
            config[slot] = LoadWordLE(bytes.data() + 4 * static_cast<std::size_t>(s));
    }
}

wxString TextFieldToString(const TextFieldBytes& bytes)
{
    const auto end = std::find(bytes.begin(), bytes.end(), 0);
    const auto length = static_cast<std::size_t>(end - bytes.begin());
    if (length == 0)
        return wxString();
    const char* data = reinterpret_cast<const char*>(bytes.data());
    wxString text(data, wxConvLocal, length);
    if (text.empty()) // not text in the local code page: show the bytes as Latin-1
        text = wxString(data, wxConvISO8859_1, length);
    return text;
}

namespace {
TextFieldBytes AsciiBytes(const wxString& text, unsigned char fill)
{
    TextFieldBytes bytes;
    bytes.fill(fill);
    const wxString head = text.Left(kTextFieldSize);
    std::size_t i = 0;
    for (wxString::const_iterator it = head.begin(); it != head.end() && i < kTextFieldSize; ++it, ++i) {
        const wxUniChar c = *it;
        bytes[i] = c.IsAscii() ? static_cast<unsigned char>(c.GetValue()) : '_';
    }
    return bytes;
}
} // namespace

TextFieldBytes HostnameBytes(const wxString& text)
{
    return AsciiBytes(text, 0);
}

TextFieldBytes PaddedBytes(const wxString& text)
{
    return AsciiBytes(text, ' ');
}

TextFieldBytes TextPartOf(const ConfigEditValue& value, std::size_t part)
{
    TextFieldBytes bytes{};
    std::copy_n(value.text.begin() + static_cast<std::ptrdiff_t>(part * kTextFieldSize), kTextFieldSize,
                bytes.begin());
    return bytes;
}

void SetTextPart(ConfigEditValue& value, std::size_t part, const TextFieldBytes& bytes)
{
    std::copy(bytes.begin(), bytes.end(),
              value.text.begin() + static_cast<std::ptrdiff_t>(part * kTextFieldSize));
}

ConfigEditValue EditValueOf(const NodeConfig& config, int code)
{
    ConfigEditValue value;
    switch (KindOf(code)) {
    case ParamKind::Hostname:
        SetTextPart(value, 0, ReadTextField(config, kIndexHostname));
        break;
    case ParamKind::Credentials:
        SetTextPart(value, 0, ReadTextField(config, kIndexUsername));
        SetTextPart(value, 1, ReadTextField(config, kIndexPassword));
        break;
    case ParamKind::ActuatorGroup:
        for (int k = 0; k < 6; ++k)
            value.slots[static_cast<std::size_t>(k)] = config[GroupStartOf(code) + k];
        break;
    case ParamKind::None:
        break;
    default:
        value.slots[0] = config[code];
        break;
    }
    return value;
}

void StoreEditedValue(NodeConfig& config, int code, const ConfigEditValue& value)
{
    switch (KindOf(code)) {
    case ParamKind::Hostname:
        WriteTextField(config, kIndexHostname, TextPartOf(value, 0));
        break;
    case ParamKind::Credentials:
        WriteTextField(config, kIndexUsername, TextPartOf(value, 0));
        WriteTextField(config, kIndexPassword, TextPartOf(value, 1));
        break;
    case ParamKind::ActuatorGroup:
        for (int k = 0; k < 6; ++k)
            config[GroupStartOf(code) + k] = value.slots[static_cast<std::size_t>(k)];
        break;
    case ParamKind::None:
        break;
    default:
        config[code] = value.slots[0];
        break;
    }
}

std::vector<wxString> LongestConfigValueTexts(const ParameterTexts& units)
{
    std::vector<wxString> texts;
    NodeConfig config;
    for (uint32_t mode :
         {kModePassive, kModeSingleChannel, kModeDualChannelSingleEnv, kModeDualChannelDualEnv, 0u}) {
        config[kIndexOperationMode] = mode;
        texts.push_back(ConfigValueText(config, kIndexOperationMode, units));
    }
    for (const char letter : {'W', 'M'}) {
        // Five digits everywhere: what the edit dialog's slider and the
        // valid ranges reach; PH slots hold their single-precision form.
        for (int slot = 0; slot < kParameterCount; ++slot)
            config[slot] = KindOf(slot) == ParamKind::PhValue ? FloatToWord(99999.0f) : 99999u;
        for (int slot = 0; slot < kParameterCount; ++slot)
            if (KindOf(slot) == ParamKind::IpAddress)
                config[slot] = 0xFFFFFFFFu;
        TextFieldBytes name;
        name.fill(static_cast<unsigned char>(letter));
        for (int first : {kIndexHostname, kIndexUsername, kIndexPassword})
            WriteTextField(config, first, name);
        for (uint32_t code : ConfigRowTable)
            if (!IsSectionCode(code) && KindOf(static_cast<int>(code)) != ParamKind::OperationMode)
                texts.push_back(ConfigValueText(config, code, units));
    }
    return texts;
}
