// Feed charts: the CSV table reader on literal texts, the column guessing,
// the EC units, week expansion stepped and ramped, the problems with their
// lines, and the export read back as the same entries.
#include "core/CsvTable.h"
#include "core/FeedChart.h"
#include "core/ScheduleEdit.h"
#include "core/WordHelpers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

CsvTable Parse(const std::string& text)
{
    LoadResult<CsvTable> read = ParseCsvTable(text.data(), text.size());
    EXPECT_TRUE(read.Loaded()) << read.reason;
    return read.value;
}

wxString Refusal(const std::string& text)
{
    LoadResult<CsvTable> read = ParseCsvTable(text.data(), text.size());
    EXPECT_FALSE(read.Loaded());
    EXPECT_TRUE(read.value.rows.empty());
    return read.reason;
}

uint32_t Date(unsigned year, unsigned month, unsigned day)
{
    return (year << 16) | (day << 8) | month;
}

std::vector<std::string> Problems(const FeedImport& import)
{
    std::vector<std::string> texts;
    for (const FeedProblem& p : import.problems)
        texts.push_back(FormatFeedProblem(p).ToStdString());
    return texts;
}

} // namespace

TEST(CsvTable, SeparatorsQuotesBomAndRaggedRows)
{
    const CsvTable comma = Parse("Week,EC,PH\r\n1,1200,5.8\r\n2,1400\r\n");
    EXPECT_EQ(',', comma.separator);
    ASSERT_EQ(3u, comma.rows.size());
    EXPECT_EQ((std::vector<std::string>{"2", "1400"}), comma.rows[2].cells);
    EXPECT_EQ(3u, comma.rows[2].line);

    const CsvTable semicolon = Parse("\xEF\xBB\xBFWeek;EC (mS/cm);PH\n1;1,2;5,8\n");
    EXPECT_EQ(';', semicolon.separator);
    EXPECT_EQ("Week", semicolon.rows[0].cells[0]); // the byte-order mark is gone
    EXPECT_EQ("1,2", semicolon.rows[1].cells[1]);

    const CsvTable tab = Parse("Day\tEC\tPH\n1\t\t6\n");
    EXPECT_EQ('\t', tab.separator);
    EXPECT_EQ((std::vector<std::string>{"1", "", "6"}), tab.rows[1].cells);

    // Quoted fields keep separators, doubled quotes and line breaks; the
    // record after one starts on its own line; blank lines are skipped.
    const CsvTable quoted = Parse("Day,Note\n1,\"a, \"\"b\"\"\nc\"\n\n2,\"x;y\"\n");
    ASSERT_EQ(3u, quoted.rows.size());
    EXPECT_EQ("a, \"b\"\nc", quoted.rows[1].cells[1]);
    EXPECT_EQ(2u, quoted.rows[1].line);
    EXPECT_EQ(5u, quoted.rows[2].line);
    EXPECT_EQ("x;y", quoted.rows[2].cells[1]);

    // Old Mac line ends (a carriage return alone) count as lines too.
    const CsvTable mac = Parse("Day,EC\r1,800\r2,\"9\r00\"\r3,1000");
    ASSERT_EQ(4u, mac.rows.size());
    EXPECT_EQ(3u, mac.rows[2].line);
    EXPECT_EQ(5u, mac.rows[3].line);

    // Latin-1 text from a spreadsheet's code page becomes UTF-8.
    EXPECT_EQ("EC \xC2\xB5S", Parse("EC \xB5S\n1\n").rows[0].cells[0]);
}

TEST(CsvTable, WhatIsNoTableIsRefusedWithAReason)
{
    EXPECT_EQ("it holds binary data, not text", Refusal(std::string("PK\x03\x04\0\0", 6)));
    EXPECT_EQ("line 2 is longer than 64 KiB", Refusal("a,b\n" + std::string(10u * 1024 * 1024, 'x') + "\n"));
    std::string wide = "1";
    for (int i = 0; i < 1000; ++i)
        wide += ",1";
    EXPECT_EQ("the record on line 1 has more than 1000 columns", Refusal(wide));
    for (int i = 1000; i < 100000; ++i)
        wide += ",1";
    EXPECT_EQ("line 1 is longer than 64 KiB", Refusal(wide));
    EXPECT_EQ("a quote opened near the end is never closed", Refusal("Day,EC\n1,\"1200\n"));
}

TEST(FeedChart, HeadersAndUnitsAreGuessed)
{
    const FeedMapping m =
        GuessFeedMapping(Parse("Week,Target EC (ppm 700),pH,EC Ratio 1,ECUP 2,PH UP Ratio 3,phdo 6,Notes\n"));
    EXPECT_TRUE(m.header);
    EXPECT_EQ(FeedDayKind::WeekNumber, m.dayKind);
    EXPECT_EQ(FeedEcUnit::Ppm700, m.ecUnit);
    EXPECT_EQ(0, m.column[kFeedDay]);
    EXPECT_EQ(1, m.column[kFeedTargetEc]);
    EXPECT_EQ(2, m.column[kFeedTargetPh]);
    EXPECT_EQ(3, m.column[kFeedEcRatio]);
    EXPECT_EQ(4, m.column[kFeedEcRatio + 1]);
    EXPECT_EQ(5, m.column[kFeedPhUpRatio + 2]);
    EXPECT_EQ(6, m.column[kFeedPhDownRatio + 5]);
    EXPECT_EQ(FeedMapping::kNoColumn, m.column[kFeedEcRatio + 2]);

    EXPECT_EQ(FeedEcUnit::MilliSiemens, GuessFeedMapping(Parse("Date;EC mS/cm\n")).ecUnit);
    EXPECT_EQ(FeedEcUnit::MicroSiemens, GuessFeedMapping(Parse("Day,EC \xC2\xB5S/cm\n")).ecUnit);
    EXPECT_EQ(FeedEcUnit::Ppm500, GuessFeedMapping(Parse("Day,PPM\n")).ecUnit);
    EXPECT_EQ(FeedDayKind::DayNumber, GuessFeedMapping(Parse("Day,PPM\n")).dayKind);
    EXPECT_FALSE(GuessFeedMapping(Parse("1,1200,5.8\n")).header);

    // The other spellings a grower's sheet uses, as the README lists them.
    const FeedMapping other = GuessFeedMapping(
        Parse("Day No.,target_ec_ms,PH Target,EC 1,PH Up 2,PH Dn 3,PH Down 4,Reserved,Wk\n"));
    EXPECT_EQ(FeedDayKind::DayNumber, other.dayKind);
    EXPECT_EQ(FeedEcUnit::MilliSiemens, other.ecUnit);
    EXPECT_EQ(0, other.column[kFeedDay]);
    EXPECT_EQ(1, other.column[kFeedTargetEc]);
    EXPECT_EQ(2, other.column[kFeedTargetPh]);
    EXPECT_EQ(3, other.column[kFeedEcRatio]);
    EXPECT_EQ(4, other.column[kFeedPhUpRatio + 1]);
    EXPECT_EQ(5, other.column[kFeedPhDownRatio + 2]);
    EXPECT_EQ(6, other.column[kFeedPhDownRatio + 3]);
    EXPECT_EQ(7, other.column[kFeedReserved]);
    EXPECT_EQ(FeedEcUnit::Ppm700, GuessFeedMapping(Parse("Wk,PPM (700 scale)\n")).ecUnit);
    EXPECT_EQ(FeedDayKind::WeekNumber, GuessFeedMapping(Parse("Wk,PPM (700 scale)\n")).dayKind);
    EXPECT_EQ(FeedEcUnit::Ppm500, GuessFeedMapping(Parse("Date,Target TDS\n")).ecUnit);
    EXPECT_EQ(FeedEcUnit::MicroSiemens, GuessFeedMapping(Parse("Date,TARGET EC uS/cm\n")).ecUnit);
}

TEST(FeedChart, EcUnitsConvertToMicrosiemens)
{
    struct Case {
        double value;
        FeedEcUnit unit;
        double uS;
    };
    for (const Case& c : {Case{1.2, FeedEcUnit::MilliSiemens, 1200}, Case{840, FeedEcUnit::Ppm700, 1200},
                          Case{600, FeedEcUnit::Ppm500, 1200}, Case{1200, FeedEcUnit::MicroSiemens, 1200},
                          Case{1.75, FeedEcUnit::MilliSiemens, 1750}, Case{1000, FeedEcUnit::Ppm700, 1429}})
        EXPECT_EQ(c.uS, EcToMicroSiemens(c.value, c.unit)) << c.value;

    // Through a whole import: a decimal comma under a semicolon separator.
    CsvTable table = Parse("Date;EC (mS/cm);PH\n2024-03-01;1,2;5,8\n");
    const FeedImport import = ExpandFeedChart(table, GuessFeedMapping(table));
    ASSERT_TRUE(import.problems.empty());
    ASSERT_EQ(1u, import.entries.size());
    EXPECT_EQ(1200u, import.entries[0][kScheduleTargetEc]);
    EXPECT_EQ(FloatToWord(5.8f), import.entries[0][kScheduleTargetPh]);
    EXPECT_EQ(Date(2024, 3, 1), import.entries[0][kScheduleDate]);
}

TEST(FeedChart, WeeksSteppedAndRampedAcrossAMonthEndAndALeapDay)
{
    CsvTable table = Parse("Week,EC,PH,EC Ratio 1\n1,1000,6.0,3\n2,1700,5.3,4\n");
    FeedMapping mapping = GuessFeedMapping(table);
    mapping.start = Date(2024, 2, 24); // the ramp crosses 29 February and 1 March

    FeedImport stepped = ExpandFeedChart(table, mapping);
    ASSERT_TRUE(stepped.problems.empty());
    ASSERT_EQ(14u, stepped.entries.size());
    EXPECT_EQ(1000u, stepped.entries[6][kScheduleTargetEc]);
    EXPECT_EQ(1700u, stepped.entries[7][kScheduleTargetEc]);

    mapping.ramped = true;
    FeedImport ramped = ExpandFeedChart(table, mapping);
    ASSERT_EQ(14u, ramped.entries.size());
    const uint32_t dates[] = {Date(2024, 2, 24), Date(2024, 2, 25), Date(2024, 2, 26), Date(2024, 2, 27),
                              Date(2024, 2, 28), Date(2024, 2, 29), Date(2024, 3, 1)};
    const uint32_t ecs[] = {1000, 1100, 1200, 1300, 1400, 1500, 1600};
    const float phs[] = {6.0f, 5.9f, 5.8f, 5.7f, 5.6f, 5.5f, 5.4f};
    for (std::size_t d = 0; d < 7; ++d) {
        EXPECT_EQ(dates[d], ramped.entries[d][kScheduleDate]) << d;
        EXPECT_EQ(ecs[d], ramped.entries[d][kScheduleTargetEc]) << d;
        EXPECT_EQ(FloatToWord(phs[d]), ramped.entries[d][kScheduleTargetPh]) << d;
        EXPECT_EQ(3u, ramped.entries[d][kScheduleEcRatio]) << d; // ratios stepped
    }
    // The last week has no next week: it stays at its own values.
    EXPECT_EQ(Date(2024, 3, 2), ramped.entries[7][kScheduleDate]);
    EXPECT_EQ(1700u, ramped.entries[13][kScheduleTargetEc]);
    EXPECT_EQ(4u, ramped.entries[13][kScheduleEcRatio]);

    // Day numbers count from the first row's number.
    CsvTable days = Parse("Day,EC\n0,800\n2,900\n");
    FeedMapping dayMapping = GuessFeedMapping(days);
    dayMapping.start = Date(2012, 12, 30);
    const FeedImport byDay = ExpandFeedChart(days, dayMapping);
    ASSERT_EQ(2u, byDay.entries.size());
    EXPECT_EQ(Date(2013, 1, 1), byDay.entries[1][kScheduleDate]);
}

TEST(FeedChart, EveryProblemNamesItsLineAndColumn)
{
    CsvTable table = Parse("Week,EC (uS),PH,EC Ratio 1\n"
                           "1,abc,5.8,1\n"
                           "2,25000,15,2.5\n"
                           "\n"
                           "1,1200,0,1\n"
                           "x,1200,6,1\n"
                           ",1200,6,1\n");
    FeedMapping mapping = GuessFeedMapping(table);
    mapping.start = Date(2024, 1, 1);
    const std::vector<std::string> problems = Problems(ExpandFeedChart(table, mapping));
    ASSERT_EQ(7u, problems.size()) << ::testing::PrintToString(problems);
    EXPECT_EQ((std::vector<std::string>{
                  "Line 2, \"EC (uS)\": \"abc\" is no number.",
                  "Line 3, \"EC (uS)\": Target EC 25000 uS is outside 0 to 20000 uS.",
                  "Line 3, \"PH\": Target PH 15 is outside 1 to 14 (or 0).",
                  "Line 3, \"EC Ratio 1\": \"2.5\" is no whole number.",
                  "Line 5, \"Week\": Week 1 appears again (first on line 2).",
              }),
              std::vector<std::string>(problems.begin(), problems.begin() + 5));
    EXPECT_EQ((std::vector<std::string>{"Line 6, \"Week\": \"x\" is no week number.",
                                        "Line 7, \"Week\": There is no week number."}),
              std::vector<std::string>(problems.begin() + 5, problems.end()));

    CsvTable dates = Parse("Date,EC\n2023-02-29,1\n");
    EXPECT_EQ((std::vector<std::string>{"Line 2, \"Date\": \"2023-02-29\" is no date."}),
              Problems(ExpandFeedChart(dates, GuessFeedMapping(dates))));
    FeedMapping none;
    EXPECT_EQ((std::vector<std::string>{"\"Day\": No column is chosen as the day."}),
              Problems(ExpandFeedChart(dates, none)));
}

TEST(FeedChart, ExportReadsBackAsTheSameEntries)
{
    NodeSchedule schedule;
    const float phs[] = {6.5f, 5.8f, 0.0f, 14.0f, 1.05f};
    for (std::size_t i = 0; i < ScheduleCapacity; ++i) {
        ScheduleEntry e;
        AddDaysToPackedDate(Date(2024, 1, 1), static_cast<int64_t>(i), e.date());
        e.targetEc() = static_cast<uint32_t>(800 + i * 3);
        e.targetPh() = FloatToWord(phs[i % 5]);
        for (std::size_t w = kScheduleEcRatio; w < kScheduleEntryWords; ++w)
            e[w] = static_cast<uint32_t>((i + w) % 101);
        schedule.push_back(e);
    }
    schedule[7].reserved() = 0xDEADBEEF;     // a word read from a file travels too
    schedule[9].date() = schedule[8].date(); // a date twice is kept as it is

    const std::string csv = ExportScheduleCsv(schedule);
    EXPECT_EQ(0u, csv.find("Date,EC,PH,EC Ratio 1,EC Ratio 2,EC Ratio 3,EC Ratio 4,EC Ratio 5,EC Ratio 6,"
                           "PH UP Ratio 1,"));
    EXPECT_NE(std::string::npos, csv.find("\r\n2024-01-01,800,6.5,4,5,6,7,8,9,10,"));
    CsvTable table = Parse(csv);
    const FeedImport back = ExpandFeedChart(table, GuessFeedMapping(table));
    EXPECT_TRUE(back.problems.empty());
    ASSERT_EQ(schedule.size(), back.entries.size());
    EXPECT_EQ(EncodeScheduleFile(schedule), EncodeScheduleFile(back.entries));
}
