// What the configuration page lists and how edited values go into the profile.
#include "core/ConfigRows.h"

#include "core/WordHelpers.h"

#include <gtest/gtest.h>

#include <set>

namespace {
std::string Text(const TextFieldBytes& b)
{
    return std::string(b.begin(), b.end());
}
} // namespace

TEST(ConfigRowTable, RowsNameEveryParameterOnce)
{
    int headers = 0;
    std::set<uint32_t> parameters;
    for (uint32_t code : ConfigRowTable) {
        if (IsSectionCode(code)) {
            ++headers;
            EXPECT_FALSE(SectionTitle(code).empty()) << std::hex << code;
            continue;
        }
        EXPECT_NE(KindOf(static_cast<int>(code)), ParamKind::None) << code;
        EXPECT_EQ(GroupStartOf(static_cast<int>(code)), static_cast<int>(code)) << code;
        EXPECT_TRUE(parameters.insert(code).second) << "row code " << code << " twice";
    }
    EXPECT_EQ(headers, 11);
    EXPECT_EQ(parameters.size(), 35u);
    // Every slot with a kind is reached through exactly one row.
    for (int i = 0; i < kParameterCount; ++i) {
        if (KindOf(i) != ParamKind::None) {
            EXPECT_EQ(parameters.count(static_cast<uint32_t>(GroupStartOf(i))), 1u) << i;
        }
    }

    EXPECT_EQ(SectionTitle(0x101), "OPERATION MODE");
    EXPECT_EQ(SectionTitle(0x304), "CHANNEL 1 DELAYS");
    EXPECT_EQ(SectionTitle(0x402), "CHANNEL 2 TARGET");
    EXPECT_EQ(SectionTitle(0x501), "NETWORK SETTINGS");
    EXPECT_EQ(RowOfCode(0x101), 0);
    EXPECT_EQ(RowOfCode(1), 1);
    EXPECT_EQ(RowOfCode(27), 22);
    EXPECT_EQ(RowOfCode(98), 45);
    EXPECT_EQ(RowOfCode(30), -1);
}

TEST(ConfigRowLock, TheProfilesModeLocksTheRowsItGreys)
{
    NodeConfig c;
    const auto locked = [&c](uint32_t mode, uint32_t code) {
        c[kIndexOperationMode] = mode;
        return IsRowLocked(c, code);
    };
    // Passive Mode: the flow rates and both channels' loops.
    EXPECT_TRUE(locked(0x101, 3));
    EXPECT_TRUE(locked(0x101, 9));
    EXPECT_TRUE(locked(0x101, 67));
    EXPECT_FALSE(locked(0x101, 1));
    EXPECT_FALSE(locked(0x101, 80));
    // One channel, or two in one environment: channel 2's loop only.
    for (uint32_t mode : {0x201u, 0x301u}) {
        EXPECT_FALSE(locked(mode, 3)) << mode;
        EXPECT_FALSE(locked(mode, 46)) << mode;
        EXPECT_TRUE(locked(mode, 15)) << mode;
        EXPECT_TRUE(locked(mode, 65)) << mode;
    }
    // Two channels in two environments, or an unknown mode: nothing.
    for (uint32_t mode : {0x401u, 0u, 0xFFFFFFFFu})
        for (uint32_t code : ConfigRowTable)
            EXPECT_FALSE(locked(mode, code)) << mode << " " << code;
    // A section header is never locked, whatever the mode.
    for (uint32_t mode : {0x101u, 0x201u})
        for (uint32_t code : ConfigRowTable) {
            if (IsSectionCode(code)) {
                EXPECT_FALSE(locked(mode, code)) << mode << " " << std::hex << code;
            }
        }
}

TEST(ConfigValueText, TextsByKind)
{
    ParameterTexts units;
    FillUnitTexts(units);
    NodeConfig c;
    EXPECT_EQ(ConfigValueText(c, 1, units), "Error Operation Mode Not Recognized");
    EXPECT_EQ(ConfigValueText(c, 3, units), "0 - 0 - 0 - 0 - 0 - 0");
    EXPECT_EQ(ConfigValueText(c, 46, units), "0 uS");
    EXPECT_EQ(ConfigValueText(c, 48, units), "0.00 ");
    EXPECT_EQ(ConfigValueText(c, 80, units), "");
    EXPECT_EQ(ConfigValueText(c, 90, units), "");
    EXPECT_EQ(ConfigValueText(c, 94, units), "******");
    EXPECT_EQ(ConfigValueText(c, 84, units), "0.0.0.0");
    EXPECT_EQ(ConfigValueText(c, 98, units), "DHCP Deactivated");
    EXPECT_EQ(ConfigValueText(c, 0x301, units), "");

    c[1] = kModePassive;
    c[21] = 10;
    c[24] = 5;
    c[27] = 0xFFFFFFFF; // the group after it is not touched by the one before
    c[49] = FloatToWord(6.5f);
    c[54] = 30;
    c[64] = 12;
    c[86] = 0x0101A8C0;
    c[98] = 2;
    WriteTextField(c, 80, HostnameBytes("SixteenCharsLong"));
    WriteTextField(c, 90, PaddedBytes("abc"));
    WriteTextField(c, 94, PaddedBytes("whatever"));
    EXPECT_EQ(ConfigValueText(c, 1, units), "Passive Mode");
    EXPECT_EQ(ConfigValueText(c, 21, units), "10 - 0 - 0 - 5 - 0 - 0");
    EXPECT_EQ(ConfigValueText(c, 27, units), "-1 - 0 - 0 - 0 - 0 - 0");
    EXPECT_EQ(ConfigValueText(c, 49, units), "6.50 ");
    EXPECT_EQ(ConfigValueText(c, 54, units), "30 " + units[54]);
    EXPECT_EQ(ConfigValueText(c, 64, units), "12 samples");
    EXPECT_EQ(ConfigValueText(c, 86, units), "192.168.1.1");
    EXPECT_EQ(ConfigValueText(c, 98, units), "DHCP Activated");
    EXPECT_EQ(ConfigValueText(c, 80, units), "SixteenCharsLong") << "a 16-character name has no terminator";
    EXPECT_EQ(ConfigValueText(c, 90, units), "abc             ");
    EXPECT_EQ(ConfigValueText(c, 94, units), "******");

    // Bytes that are not text in the local code page are still shown.
    TextFieldBytes odd{};
    odd[0] = 'Z';
    odd[1] = 0xE9;
    odd[2] = 'e';
    WriteTextField(c, 80, odd);
    EXPECT_EQ(ConfigValueText(c, 80, units).length(), 3u);
}

TEST(ConfigTextFields, BytesOfNamesAndCredentials)
{
    EXPECT_EQ(Text(HostnameBytes("abc")), std::string("abc") + std::string(13, '\0'));
    EXPECT_EQ(Text(PaddedBytes("abc")), "abc             ");
    EXPECT_EQ(Text(PaddedBytes("")), std::string(16, ' '));
    EXPECT_EQ(Text(HostnameBytes("ABCDEFGHIJKLMNOPQRS")), "ABCDEFGHIJKLMNOP");
    EXPECT_EQ(Text(PaddedBytes("ABCDEFGHIJKLMNOPQRS")), "ABCDEFGHIJKLMNOP");
    EXPECT_EQ(Text(HostnameBytes(wxString::FromUTF8("Zo\xC3\xAB"))).substr(0, 4), std::string("Zo_\0", 4));

    // Slot order: byte 0 of the first slot is the first character.
    NodeConfig c;
    WriteTextField(c, 90, PaddedBytes("abcdefg"));
    EXPECT_EQ(c[90], 0x64636261u);
    EXPECT_EQ(c[91], 0x20676665u);
    EXPECT_EQ(c[93], 0x20202020u);
    EXPECT_EQ(c[89], 0u);
    EXPECT_EQ(c[94], 0u);
    EXPECT_EQ(Text(ReadTextField(c, 90)), "abcdefg         ");
    EXPECT_EQ(TextFieldToString(ReadTextField(c, 94)), "") << "an all-zero field reads as empty";
}

TEST(ConfigEditValue, EditedValuesGoWhereTheyBelong)
{
    NodeConfig c;
    for (int i = 0; i < kParameterCount; ++i)
        c[i] = 0x1000u + static_cast<uint32_t>(i);
    const NodeConfig before = c;

    // An actuator group: its six slots, nothing beside them.
    ConfigEditValue v = EditValueOf(c, 27);
    for (int k = 0; k < 6; ++k)
        EXPECT_EQ(v.slots[static_cast<size_t>(k)], before[27 + k]);
    for (int k = 0; k < 6; ++k)
        v.slots[static_cast<size_t>(k)] = static_cast<uint32_t>(k + 1);
    StoreEditedValue(c, 27, v);
    for (int i = 0; i < kParameterCount; ++i)
        EXPECT_EQ(c[i], i >= 27 && i <= 32 ? static_cast<uint32_t>(i - 26) : before[i]) << i;

    // Credentials: both fields, whichever row was edited.
    for (int row : {90, 94}) {
        c = before;
        ConfigEditValue cred = EditValueOf(c, row);
        const auto user = PaddedBytes("abc"), pass = PaddedBytes("pw");
        std::copy(user.begin(), user.end(), cred.text.begin());
        std::copy(pass.begin(), pass.end(), cred.text.begin() + 16);
        StoreEditedValue(c, row, cred);
        EXPECT_EQ(Text(ReadTextField(c, 90)), "abc             ") << row;
        EXPECT_EQ(Text(ReadTextField(c, 94)), "pw              ") << row;
        for (int i = 0; i < kParameterCount; ++i) {
            if (i < 90 || i > 97) {
                EXPECT_EQ(c[i], before[i]) << i;
            }
        }
    }

    // The hostname: its 16 bytes.
    c = before;
    ConfigEditValue host = EditValueOf(c, 80);
    EXPECT_EQ(Text(ReadTextField(before, 80)), std::string(host.text.begin(), host.text.begin() + 16));
    const auto name = HostnameBytes("tent2");
    std::copy(name.begin(), name.end(), host.text.begin());
    StoreEditedValue(c, 80, host);
    EXPECT_EQ(TextFieldToString(ReadTextField(c, 80)), "tent2");
    EXPECT_EQ(c[79], before[79]);
    EXPECT_EQ(c[84], before[84]);

    // A single value: its own slot.
    c = before;
    ConfigEditValue one = EditValueOf(c, 52);
    EXPECT_EQ(one.slots[0], before[52]);
    one.slots[0] = 7;
    StoreEditedValue(c, 52, one);
    for (int i = 0; i < kParameterCount; ++i)
        EXPECT_EQ(c[i], i == 52 ? 7u : before[i]) << i;
}
