// What the configuration page lists: its 46 rows (section headers and
// parameter rows), which rows an operation mode greys out, the value text of
// each parameter row, and the conversions between the profile's text fields
// and the texts the user edits. Pure functions, no windows.
#pragma once

#include "core/NodeConfig.h"
#include "core/ParameterTable.h"

#include <wx/string.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

constexpr int kConfigRowCount = 46;

// One code per list row, top to bottom: 0..99 is a parameter index (an
// actuator group's first slot), 0x101 and above a section header.
constexpr std::array<uint32_t, kConfigRowCount> ConfigRowTable = {
    0x101, 1,     0x201, 3,  0x301, 9,  21, 33, 0x302, 46, 48, 50, 52, 0x303, 54, 56,
    58,    0x304, 64,    66, 0x401, 15, 27, 39, 0x402, 47, 49, 51, 53, 0x403, 55, 57,
    59,    0x404, 65,    67, 0x501, 80, 84, 86, 87,    88, 89, 90, 94, 98,
};

// Parameter rows of each channel's loop (ratios, target, tolerance, dosage
// increments, delays). The flow-rate row (3) is in neither: only Passive
// Mode greys it.
constexpr std::array<uint32_t, 12> Channel1Rows = {9, 21, 33, 46, 48, 50, 52, 54, 56, 58, 64, 66};
constexpr std::array<uint32_t, 12> Channel2Rows = {15, 27, 39, 47, 49, 51, 53, 55, 57, 59, 65, 67};

inline bool IsSectionCode(uint32_t code)
{
    return code > 99;
}

// Title of a section header code ("OPERATION MODE", ...); empty for others.
wxString SectionTitle(uint32_t code);

// The first row showing code, or -1.
int RowOfCode(uint32_t code);

// True when the parameter row with this code is greyed out (and locked) in
// the given operation mode.
bool IsRowShadedInMode(uint32_t code, uint32_t mode);

// True when the row with this code is greyed out and locked for this profile:
// a parameter row its operation mode does not use (IsRowShadedInMode). The
// page greys exactly these rows and refuses to edit them.
bool IsRowLocked(const NodeConfig& config, uint32_t code);

// Column 1 text of a parameter row; units are the texts of FillUnitTexts.
wxString ConfigValueText(const NodeConfig& config, uint32_t code, const ParameterTexts& units);

// The longest texts the Value column can show, as ConfigValueText writes
// them: every operation mode name (the unknown-mode text among them), and
// each row's text for a profile of five-digit numbers (an actuator group's
// six of them), 16-letter names of wide letters ('W', 'M') and the address
// 255.255.255.255. Which of them is the widest depends on the font: the page
// measures them all.
std::vector<wxString> LongestConfigValueTexts(const ParameterTexts& units);

// Text fields: 16 bytes over four slots, slot first's lowest byte first.
constexpr std::size_t kTextFieldSize = 16;
using TextFieldBytes = std::array<unsigned char, kTextFieldSize>;

TextFieldBytes ReadTextField(const NodeConfig& config, int firstSlot);
void WriteTextField(NodeConfig& config, int firstSlot, const TextFieldBytes& bytes);

// The bytes as text in the local 8-bit code page, ending at the first NUL
// (bytes the code page cannot show are taken as Latin-1, never dropped).
wxString TextFieldToString(const TextFieldBytes& bytes);
// A hostname: the text's first 16 characters as ASCII, NUL-filled to 16.
TextFieldBytes HostnameBytes(const wxString& text);
// A username or password: the text's first 16 characters as ASCII,
// right-padded with spaces to 16, no terminator.
TextFieldBytes PaddedBytes(const wxString& text);

// One value as the edit dialog receives and returns it: slots[0] for a
// single value, slots[0..5] for an actuator group; text[0..15] for the
// hostname, text[0..15] username and text[16..31] password for the
// credentials.
struct ConfigEditValue {
    std::array<uint32_t, 6> slots{};
    std::array<unsigned char, 2 * kTextFieldSize> text{};
};

// Text part 0 or 1 of an edit value (value.text[16 * part ..]) and back:
// the hostname or username is part 0, the password part 1.
TextFieldBytes TextPartOf(const ConfigEditValue& value, std::size_t part);
void SetTextPart(ConfigEditValue& value, std::size_t part, const TextFieldBytes& bytes);

// The current value of the parameter row with this code, for the dialog.
ConfigEditValue EditValueOf(const NodeConfig& config, int code);
// Stores an edited value back: the hostname's 16 bytes, both credentials
// (32 bytes, whichever of their rows was edited), an actuator group's six
// slots, or the single slot of any other kind.
void StoreEditedValue(NodeConfig& config, int code, const ConfigEditValue& value);
