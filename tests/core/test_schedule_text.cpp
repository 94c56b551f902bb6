// The schedule page's cell texts: column c of a row shows word c of its entry.
#include "core/ScheduleText.h"

#include <gtest/gtest.h>

TEST(ScheduleText, CellTexts)
{
    EXPECT_EQ(FormatScheduleCell(0, 0xDEADBEEF), ""); // the reserved word is never shown
    // The core tests run in the "C" locale, where "%x" is mm/dd/yy.
    EXPECT_EQ(FormatScheduleCell(1, 0x07DD0703), "03/07/13");  // 7 March 2013
    EXPECT_EQ(FormatScheduleCell(1, 0x07DC1E02), "(invalid)"); // 30 February
    EXPECT_EQ(FormatScheduleCell(1, 0x07DD070D), "(invalid)"); // month 13
    EXPECT_EQ(FormatScheduleCell(1, 0), "(invalid)");
    EXPECT_EQ(FormatScheduleCell(2, 1500), "1500");
    EXPECT_EQ(FormatScheduleCell(2, 0xFFFFFFFF), "4294967295"); // unsigned, not -1
    EXPECT_EQ(FormatScheduleCell(3, 0x40D00000), "6.500000");   // 6.5f
    EXPECT_EQ(FormatScheduleCell(3, 0), "0.000000");
    EXPECT_EQ(FormatScheduleCell(3, 0xBFC00000), "-1.500000");
    EXPECT_EQ(FormatScheduleCell(4, 12), "12");
    EXPECT_EQ(FormatScheduleCell(21, 0x80000000), "2147483648");
    EXPECT_EQ(FormatScheduleCell(22, 5), "");
    EXPECT_EQ(FormatScheduleCell(-1, 5), "");
}
