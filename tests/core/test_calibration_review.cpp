#include "core/CalibrationReview.h"
#include "core/GrowFile.h"
#include "core/WordHelpers.h"

#include "log_words.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

// Fourteen days from 1 February 2026, a record every six hours. EC1 drifts up
// from EC2 by 10 uS a record (280 uS a week); PH1 drifts up from PH2 by 0.025
// a record (0.70 a week) and is calibrated back to 6.00 at 03:00 on 8 February,
// between record 28 (00:00, PH1 6.70) and record 29 (06:00, PH1 6.00).
std::vector<LogRecord> DriftingLog()
{
    std::vector<LogRecord> log(56);
    for (int i = 0; i < 56; ++i) {
        LogRecord& r = log[static_cast<size_t>(i)];
        r.fill(0);
        const int sinceCalibration = i <= 28 ? i : i - 29;
        r[kLogEc1] = static_cast<uint32_t>(1400 + 10 * i);
        r[kLogEc2] = 1400;
        r[kLogPh1] = FloatToWord(6.0f + 0.025f * static_cast<float>(sinceCalibration));
        r[kLogPh2] = FloatToWord(6.0f);
        r[kLogTe1] = FloatToWord(20.0f);
        r[kLogTe2] = FloatToWord(20.0f);
        r[kLogDate] = LogDate(2026, 2, 1 + i / 4);
        r[kLogTime] = LogTime(6 * (i % 4), 0, 0);
    }
    return log;
}

GrowJournal Journal()
{
    GrowNote calibration;
    EXPECT_TRUE(ParseLocalTime("2026-02-08T03:00:00", calibration.timeMs));
    calibration.kind = NoteKind::Calibration;
    calibration.text = "PH 1";
    calibration.solution = 6.0;
    calibration.readingBefore = 6.7;
    GrowNote topUp;
    EXPECT_TRUE(ParseLocalTime("2026-02-05T10:00:00", topUp.timeMs));
    topUp.kind = NoteKind::TopUp;
    return GrowJournal({topUp, calibration});
}

constexpr bool kAll[kLogChannelCount] = {true, true, true, true, true, true};

} // namespace

TEST(CalibrationReview, JumpAtTheNoteAndDriftPerWeekBetweenCalibrations)
{
    const std::vector<LogRecord> log = DriftingLog();
    const GrowJournal journal = Journal();
    const std::vector<CalibrationStretch> stretches = ReviewCalibrations(log.data(), 56, journal);
    ASSERT_EQ(stretches.size(), 2u);

    // The calibration (journal note 1; the top-up cuts nothing).
    const CalibrationStretch& first = stretches[0];
    EXPECT_EQ(first.note, 1u);
    EXPECT_FALSE(first.fromCalibration);
    EXPECT_NEAR(first.jump[2].before, 6.70, 1e-5); // PH1
    EXPECT_NEAR(first.jump[2].after, 6.00, 1e-5);
    EXPECT_EQ(first.jump[0].before, 1680); // EC1 goes on drifting: no jump but its step
    EXPECT_EQ(first.jump[0].after, 1690);
    EXPECT_EQ(first.jump[3].after - first.jump[3].before, 0.0); // PH2 untouched
    EXPECT_NEAR(first.drift[0].perWeek, 280, 1e-6);
    EXPECT_EQ(first.drift[0].points, 29u);
    EXPECT_NEAR(first.drift[1].perWeek, 0.70, 1e-4);

    // Since the calibration: PH1 drifts on at the same pace from 6.00.
    const CalibrationStretch& last = stretches[1];
    EXPECT_EQ(last.note, GrowJournal::npos);
    EXPECT_TRUE(last.fromCalibration);
    EXPECT_EQ(last.drift[1].points, 27u);
    EXPECT_NEAR(last.drift[1].perWeek, 0.70, 1e-4);
    EXPECT_NEAR(last.drift[0].perWeek, 280, 1e-6);

    const wxString text = CalibrationText(stretches, journal, INT64_MIN, INT64_MAX, kAll);
    EXPECT_TRUE(text.StartsWith("\nCalibrations\n")) << text;
    EXPECT_NE(text.Find(": Calibration: PH 1, solution 6.00, before 6.70\n"), wxNOT_FOUND) << text;
    EXPECT_NE(text.Find("    PH Channel 1: 6.70 to 6.00 (-0.70)\n"), wxNOT_FOUND) << text;
    EXPECT_NE(text.Find("    EC Channel 1: 1680 to 1690 (+10)\n"), wxNOT_FOUND) << text;
    EXPECT_NE(text.Find("    EC1 - EC2 since the first record: +280 uS per week\n"), wxNOT_FOUND) << text;
    EXPECT_NE(text.Find("    PH1 - PH2 since the first record: +0.70 per week\n"), wxNOT_FOUND) << text;
    EXPECT_NE(text.Find("  Since the last calibration ("), wxNOT_FOUND) << text;
    EXPECT_EQ(text.Find("TE Channel"), wxNOT_FOUND) << text;
}

TEST(CalibrationReview, NothingToSayWithoutCalibrationsOrReadings)
{
    const std::vector<LogRecord> log = DriftingLog();
    GrowJournal none;
    const std::vector<CalibrationStretch> stretches = ReviewCalibrations(log.data(), 56, none);
    ASSERT_EQ(stretches.size(), 1u);
    EXPECT_EQ(CalibrationText(stretches, none, INT64_MIN, INT64_MAX, kAll), "");
    EXPECT_TRUE(ReviewCalibrations(nullptr, 0, Journal()).empty());

    // A calibration with no reading within a day, and a pair not wanted.
    std::vector<LogRecord> early(log.begin(), log.begin() + 8); // 1 and 2 February only
    const GrowJournal journal = Journal();
    const std::vector<CalibrationStretch> far = ReviewCalibrations(early.data(), 8, journal);
    ASSERT_EQ(far.size(), 2u);
    EXPECT_FALSE(far[0].jump[2].Known());
    EXPECT_TRUE(std::isnan(far[1].drift[1].perWeek)); // no record after the calibration
    bool phOnly[kLogChannelCount] = {false, false, true, true, false, false};
    const wxString text = CalibrationText(far, journal, INT64_MIN, INT64_MAX, phOnly);
    EXPECT_NE(text.Find("    PH Channel 1: no reading within a day either side\n"), wxNOT_FOUND) << text;
    EXPECT_NE(text.Find("    PH1 - PH2 since the calibration of "), wxNOT_FOUND) << text;
    EXPECT_NE(text.Find(": too few readings\n"), wxNOT_FOUND) << text;
    EXPECT_EQ(text.Find("EC"), wxNOT_FOUND) << text;
}
