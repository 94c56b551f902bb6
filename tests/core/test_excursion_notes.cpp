// The summary of a grow says which note came just before each excursion.
#include "time_zone.h"

#include "core/ExcursionNotes.h"
#include "core/GrowFile.h"
#include "core/LogSeries.h"
#include "core/WordHelpers.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// EC1 every ten minutes from 10:00 on 2 January 2025 against 1500 +/- 100:
//   10:00 1500, 10:10 1650, 10:20 1700, 10:30 1550, 10:40 1380, 10:50 1500,
//   11:00 1700: excursions from 10:10, 10:40 and 11:00.
std::vector<LogRecord> BandLog()
{
    const uint32_t ec[] = {1500, 1650, 1700, 1550, 1380, 1500, 1700};
    std::vector<LogRecord> records;
    for (uint32_t i = 0; i < 7; ++i) {
        LogRecord r{};
        const uint32_t minutes = 600 + 10 * i;
        r[kLogDate] = 1u | 2u << 8 | 2025u << 16;
        r[kLogTime] = (minutes / 60) | (minutes % 60) << 8;
        r[kLogEc1] = ec[i];
        records.push_back(r);
    }
    return records;
}

LogTargets Band()
{
    NodeConfig c;
    c[kIndexOperationMode] = kModeDualChannelDualEnv;
    c[kIndexEc1Target] = 1500;
    c[kIndexEc1Tolerance] = 100;
    LogTargets t;
    t.SetProfile(c);
    return t;
}

GrowNote Note(const char* time, NoteKind kind, const char* text)
{
    GrowNote note;
    EXPECT_TRUE(ParseLocalTime(time, note.timeMs));
    note.kind = kind;
    note.text = text;
    return note;
}

} // namespace

TEST(ExcursionNotes, EachExcursionNamesTheNoteJustBeforeIt)
{
    const WithTimeZone utc("UTC");
    const std::vector<LogRecord> records = BandLog();
    LogSeries series;
    ASSERT_TRUE(series.Fill(records.data(), 7).Whole());
    const LogTargets targets = Band();
    EXPECT_EQ(ExcursionStarts(records.data(), series.Days(), 7, -1, 1, 0, targets),
              (std::vector<uint32_t>{1, 4, 6}));
    EXPECT_TRUE(ExcursionStarts(records.data(), series.Days(), 7, -1, 1, 4, targets).empty()) << "no band";

    const GrowJournal journal({Note("2025-01-02T09:30:00", NoteKind::ReservoirChange, "fresh 120 l"),
                               Note("2025-01-02T10:40:00", NoteKind::Calibration, "EC 1"),
                               Note("2025-01-02T12:00:00", NoteKind::Harvest, "")});
    const bool ec1[kLogChannelCount] = {true, false, false, false, false, false};
    const wxString text = ExcursionNotesText(records.data(), series.Days(), 7, series.FirstTimeMs(), -1, 1,
                                             ec1, targets, journal, 2);
    const wxString time1 = wxDateTime(2, wxDateTime::Jan, 2025, 10, 10).Format("%X");
    const wxString time2 = wxDateTime(2, wxDateTime::Jan, 2025, 10, 40).Format("%X");
    EXPECT_TRUE(text.StartsWith("\nNotes before excursions\nEC Channel 1\n")) << text;
    EXPECT_TRUE(text.Contains(time1 + ": 40 min after Reservoir change: fresh 120 l (")) << text;
    EXPECT_TRUE(text.Contains(time2 + ": 0 s after Calibration: EC 1 (")) << text;
    EXPECT_TRUE(text.EndsWith("  and 1 more\n")) << text;

    // No note before an excursion says so; a view without excursions
    // adds nothing.
    const GrowJournal late({Note("2025-01-03T00:00:00", NoteKind::Other, "")});
    EXPECT_TRUE(
        ExcursionNotesText(records.data(), series.Days(), 7, series.FirstTimeMs(), -1, 1, ec1, targets, late)
            .Contains(": no note before it\n"));
    EXPECT_EQ(ExcursionNotesText(records.data(), series.Days(), 7, series.FirstTimeMs(), -1, 0.001, ec1,
                                 targets, journal),
              "");
}
