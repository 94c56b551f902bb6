#include "core/NodeConfig.h"
#include "core/WordHelpers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>

TEST(NodeConfigKinds, EveryIndexHasItsKind)
{
    for (int i = 0; i < kParameterCount; ++i) {
        ParamKind expected = ParamKind::None;
        if (i == 1)
            expected = ParamKind::OperationMode;
        else if (i >= 3 && i <= 44)
            expected = ParamKind::ActuatorGroup;
        else if (i == 46 || i == 47 || i == 50 || i == 51)
            expected = ParamKind::EcValue;
        else if (i == 48 || i == 49 || i == 52 || i == 53)
            expected = ParamKind::PhValue;
        else if ((i >= 54 && i <= 59) || (i >= 64 && i <= 67))
            expected = ParamKind::CountValue;
        else if (i == 80)
            expected = ParamKind::Hostname;
        else if (i == 90 || i == 94)
            expected = ParamKind::Credentials;
        else if (i == 84 || (i >= 86 && i <= 89))
            expected = ParamKind::IpAddress;
        else if (i == 98)
            expected = ParamKind::DhcpFlag;
        EXPECT_EQ(KindOf(i), expected) << "index " << i;
    }
    // The tails of the text fields are addressed through their first slot.
    for (int tail : {81, 82, 83, 91, 92, 93, 95, 96, 97})
        EXPECT_EQ(KindOf(tail), ParamKind::None) << tail;
}

TEST(NodeConfigKinds, GroupStarts)
{
    const int groups[] = {3, 9, 15, 21, 27, 33, 39};
    for (int first : groups)
        for (int i = first; i < first + 6; ++i)
            EXPECT_EQ(GroupStartOf(i), first) << i;
    EXPECT_EQ(GroupStartOf(26), 21);
    EXPECT_EQ(GroupStartOf(1), 1);
    for (int i = 46; i <= 59; ++i)
        EXPECT_EQ(GroupStartOf(i), i);
    for (int i = 64; i <= 67; ++i)
        EXPECT_EQ(GroupStartOf(i), i);
    for (int i : {0, 2, 45, 60, 63, 68, 79})
        EXPECT_EQ(GroupStartOf(i), 0) << i;
    for (int i = 80; i < kParameterCount; ++i)
        EXPECT_EQ(GroupStartOf(i), i);
}

TEST(NodeConfigModes, UnusedParametersPerMode)
{
    // Passive: the whole loop block 46..67 is exempt, ratios and rates are not.
    for (int i = 0; i < kParameterCount; ++i)
        EXPECT_EQ(IsUnusedInMode(i, kModePassive), i >= 46 && i <= 67) << i;

    const std::set<int> channel2 = {47, 49, 51, 53, 55, 57, 59, 65, 67};
    for (uint32_t mode : {kModeSingleChannel, kModeDualChannelSingleEnv})
        for (int i = 0; i < kParameterCount; ++i)
            EXPECT_EQ(IsUnusedInMode(i, mode), channel2.count(i) == 1) << "mode " << mode << " index " << i;

    // Dual/dual and invalid codes exempt nothing.
    for (uint32_t mode : {kModeDualChannelDualEnv, 0u, 0x102u, 0xFFFFFFFFu})
        for (int i = 0; i < kParameterCount; ++i)
            EXPECT_FALSE(IsUnusedInMode(i, mode)) << "mode " << mode << " index " << i;

    EXPECT_FALSE(IsUnusedInMode(15, kModeSingleChannel)); // channel-2 ratios still count
    EXPECT_TRUE(IsUnusedInMode(47, kModeDualChannelSingleEnv));
    EXPECT_FALSE(IsUnusedInMode(3, kModePassive));
    EXPECT_TRUE(IsUnusedInMode(67, kModePassive));
    EXPECT_FALSE(IsUnusedInMode(67, kModeDualChannelDualEnv));
}

TEST(NodeConfigRanges, IntegerBoundsAreUnsigned)
{
    struct Range {
        int first, last;
        uint32_t low, high;
    };
    const Range ranges[] = {
        {3, 8, 0, 65000},   {9, 44, 0, 100},    {46, 47, 0, 20000},
        {50, 51, 50, 3000}, {54, 59, 0, 65000}, {64, 67, 1, 65000},
    };
    for (const Range& r : ranges)
        for (int i = r.first; i <= r.last; ++i) {
            SCOPED_TRACE(testing::Message() << "index " << i);
            EXPECT_TRUE(IsValidValue(i, r.low));
            EXPECT_TRUE(IsValidValue(i, r.high));
            EXPECT_FALSE(IsValidValue(i, r.high + 1));
            if (r.low > 0) {
                EXPECT_FALSE(IsValidValue(i, r.low - 1));
            }
            EXPECT_FALSE(IsValidValue(i, 0xFFFFFFFFu)); // -1 as unsigned
            EXPECT_FALSE(IsValidValue(i, 0x80000000u));
        }
    EXPECT_FALSE(IsValidValue(50, 49));
    EXPECT_TRUE(IsValidValue(50, 3000));
    EXPECT_FALSE(IsValidValue(64, 0));
    EXPECT_TRUE(IsValidValue(54, 0));
}

TEST(NodeConfigRanges, OperationModes)
{
    for (uint32_t mode : {0x101u, 0x201u, 0x301u, 0x401u})
        EXPECT_TRUE(IsValidValue(1, mode)) << mode;
    for (uint32_t mode : {0u, 0x100u, 0x102u, 0x501u, 258u, 0xFFFFFFFFu})
        EXPECT_FALSE(IsValidValue(1, mode)) << mode;
}

TEST(NodeConfigRanges, PhValuesAreSinglePrecisionBits)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    for (int i : {48, 49}) {
        SCOPED_TRACE(testing::Message() << "index " << i);
        EXPECT_TRUE(IsValidValue(i, 0)); // acidity not maintained
        EXPECT_TRUE(IsValidValue(i, FloatToWord(1.0f)));
        EXPECT_TRUE(IsValidValue(i, FloatToWord(6.5f)));
        EXPECT_TRUE(IsValidValue(i, FloatToWord(14.0f)));
        EXPECT_FALSE(IsValidValue(i, FloatToWord(0.5f)));
        EXPECT_FALSE(IsValidValue(i, FloatToWord(0.999f)));
        EXPECT_FALSE(IsValidValue(i, FloatToWord(14.01f)));
        EXPECT_FALSE(IsValidValue(i, FloatToWord(-1.0f)));
        EXPECT_FALSE(IsValidValue(i, FloatToWord(nan)));
        EXPECT_FALSE(IsValidValue(i, FloatToWord(inf)));
        EXPECT_FALSE(IsValidValue(i, 7)); // an integer 7 is a tiny denormal, not 7.0
    }
    for (int i : {52, 53}) {
        SCOPED_TRACE(testing::Message() << "index " << i);
        EXPECT_TRUE(IsValidValue(i, FloatToWord(0.01f))); // the single nearest to 0.01
        EXPECT_TRUE(IsValidValue(i, FloatToWord(2.0f)));
        EXPECT_FALSE(IsValidValue(i, FloatToWord(2.01f)));
        EXPECT_FALSE(IsValidValue(i, FloatToWord(0.0099f)));
        EXPECT_FALSE(IsValidValue(i, 0));
        EXPECT_FALSE(IsValidValue(i, FloatToWord(nan)));
    }
}

TEST(NodeConfigRanges, UnrangedIndexesAreNeverValid)
{
    for (int i : {0, 2, 45, 60, 61, 62, 63, 68, 79, 80, 81, 84, 85, 86, 87, 88, 89, 90, 94, 98, 99})
        for (uint32_t v : {0u, 1u, 0x0101A8C0u, 0xFFFFFFFFu})
            EXPECT_FALSE(IsValidValue(i, v)) << "index " << i << " value " << v;
}

TEST(NodeConfigRecord, StartsZeroAndClearsToZero)
{
    NodeConfig config;
    for (uint32_t slot : config.slots)
        EXPECT_EQ(slot, 0u);
    EXPECT_EQ(sizeof(config.slots), 400u);
    // A cleared record fails only its operation mode among the ranged indexes
    // that no zero target or mode exempts.
    EXPECT_FALSE(IsValidValue(1, config[kIndexOperationMode]));
    config[5] = 17;
    config[99] = 0xDEADBEEF;
    config.Clear();
    EXPECT_EQ(config, NodeConfig{});
}
