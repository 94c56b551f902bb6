// The two lenient whole-number readers (the profile's saturating one, the
// schedule's strtoul-like wrapping one) and the decimal reader.
#include "core/NumberText.h"
#include "core/WordHelpers.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(NumberText, TheTwoUnsignedReadersDifferOnlyWhereTheySaySo)
{
    struct Case {
        const char* text;
        uint32_t saturating;
        uint32_t wrapping;
    };
    const Case cases[] = {
        {"5a", 5u, 5u},
        {"", 0u, 0u},
        {"  42", 42u, 42u},
        {"+7", 7u, 7u},
        {"0x10", 0u, 0u},
        {"-0", 0u, 0u},
        {"4294967295", 4294967295u, 4294967295u},
        // Beyond 32 bits both give the largest word; neither wraps to 50.
        {"4294967346", 4294967295u, 4294967295u},
        // Negative numbers: the profile's reader saturates, the schedule's wraps modulo 2^32.
        {"-1", 4294967295u, 4294967295u},
        {"-5", 4294967295u, 4294967291u},
        {"-101", 4294967295u, 4294967195u},
        {"-4294967295", 4294967295u, 1u},
        {"-4294967296", 4294967295u, 4294967295u},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReadUnsignedSaturating(c.text), c.saturating) << '"' << c.text << '"';
        EXPECT_EQ(ReadUnsignedWrapping(c.text), c.wrapping) << '"' << c.text << '"';
    }
}

TEST(NumberText, SaturatingReaderIsLenientButNeverWraps)
{
    EXPECT_EQ(ReadUnsignedSaturating(""), 0u);
    EXPECT_EQ(ReadUnsignedSaturating("1200"), 1200u);
    EXPECT_EQ(ReadUnsignedSaturating("12abc"), 12u);
    EXPECT_EQ(ReadUnsignedSaturating("abc"), 0u);
    EXPECT_EQ(ReadUnsignedSaturating(" 7"), 7u);
    EXPECT_EQ(ReadUnsignedSaturating("007"), 7u);
    EXPECT_EQ(ReadUnsignedSaturating("4294967295"), 0xFFFFFFFFu);
    // Beyond 32 bits: out of range, not wrapped round to 50 (a valid tolerance).
    EXPECT_EQ(ReadUnsignedSaturating("4294967346"), 0xFFFFFFFFu);
    EXPECT_EQ(ReadUnsignedSaturating("99999999999999999999999999"), 0xFFFFFFFFu);
    EXPECT_EQ(ReadUnsignedSaturating("-5"), 0xFFFFFFFFu);

    EXPECT_EQ(static_cast<float>(ReadDecimalText("")), 0.0f);
    EXPECT_EQ(static_cast<float>(ReadDecimalText("6.5")), 6.5f);
    EXPECT_EQ(static_cast<float>(ReadDecimalText("6.5x")), 6.5f);
    EXPECT_EQ(static_cast<float>(ReadDecimalText("x6.5")), 0.0f);
    EXPECT_EQ(static_cast<float>(ReadDecimalText(".25")), 0.25f);
    EXPECT_EQ(static_cast<float>(ReadDecimalText("1e1")), 10.0f);
}

TEST(NumberText, WrappingReaderReadsLikeA32BitStrtoul)
{
    struct Case {
        const char* text;
        uint32_t value;
    };
    const Case cases[] = {
        {"5a", 5},
        {"", 0},
        {"abc", 0},
        {"0", 0},
        {"100", 100},
        {"  42", 42},
        {"+7", 7},
        {"12a", 12},
        {"1500", 1500},
        {"-1", 0xFFFFFFFFu},
        {"-0", 0},
        {"-101", 4294967195u},
        {"4294967295", 4294967295u},
        {"4294967296", 0xFFFFFFFFu},
        {"-4294967296", 0xFFFFFFFFu},
        {"0x10", 0},
        {"- 5", 0},
        {"99999", 99999},
        {"99999999999999999999999", 0xFFFFFFFFu},
        {"-99999999999", 0xFFFFFFFFu},
        {"\v\f\r\n 8", 8},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReadUnsignedWrapping(c.text), c.value) << '"' << c.text << '"';
}

TEST(NumberText, DecimalTextReadsLikeStrtod)
{
    EXPECT_EQ(FloatToWord(static_cast<float>(ReadDecimalText("6.5"))), FloatToWord(6.5f));
    EXPECT_EQ(FloatToWord(static_cast<float>(ReadDecimalText("6.5"))), 0x40D00000u);
    EXPECT_EQ(ReadDecimalText(""), 0.0);
    EXPECT_EQ(ReadDecimalText("abc"), 0.0);
    EXPECT_EQ(ReadDecimalText("7.2x"), 7.2);
    EXPECT_EQ(ReadDecimalText(" 14.00"), 14.0);
    EXPECT_EQ(ReadDecimalText("-1.5"), -1.5);
    EXPECT_EQ(ReadDecimalText(".5"), 0.5);
    EXPECT_EQ(ReadDecimalText("6,5"), 6.0); // a point, whatever the machine's locale
    EXPECT_EQ(ReadDecimalText("+6.5"), 6.5);
    EXPECT_EQ(ReadDecimalText("\t5"), 5.0);
    EXPECT_EQ(ReadDecimalText("--5"), 0.0);
    EXPECT_EQ(ReadDecimalText("0x1A"), 26.0);
    EXPECT_EQ(ReadDecimalText("0x"), 0.0);
    EXPECT_EQ(ReadDecimalText("1e5"), 100000.0);
    EXPECT_EQ(ReadDecimalText("1e999"), HUGE_VAL);
    EXPECT_EQ(ReadDecimalText("1e-999"), 0.0);
    EXPECT_TRUE(std::isnan(ReadDecimalText("nan")));
}
