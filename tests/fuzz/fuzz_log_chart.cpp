// What reads a node log after it is loaded, on untrusted bytes: the chart's
// span and series, its note, the summary with targets from a profile and
// two schedules, and the CSV of the charted records. Input: two bytes
// giving the schedules' entry counts (0 to 3 each), then a profile (400
// bytes, when that many remain), the schedules' entries, and the log's
// records (the bytes of a last partial record are left over).
#include "core/ConfigFile.h"
#include "core/LogCsv.h"
#include "core/LogSeries.h"
#include "core/LogSpan.h"
#include "core/LogSummary.h"
#include "core/LogTargets.h"
#include "core/NodeLog.h"
#include "core/NodeSchedule.h"
#include "util/CivilTime.h"

#include "harness.h"

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

namespace {

// Whether text names a record by number ("record 12") other than number.
bool NamesOtherRecord(const std::string& text, uint32_t number)
{
    const std::string key = "record ";
    for (size_t at = text.find(key); at != std::string::npos; at = text.find(key, at + 1)) {
        size_t end = at + key.size();
        if (end >= text.size() || text[end] < '0' || text[end] > '9')
            continue;
        unsigned long long n = 0;
        while (end < text.size() && text[end] >= '0' && text[end] <= '9' && n < 1ull << 40)
            n = n * 10 + static_cast<unsigned>(text[end++] - '0');
        if (n != number)
            return true;
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    const size_t entries[2] = {data[0] % 4u, data[1] % 4u};
    size_t at = 2;
    LogTargets targets;
    if (size - at >= kConfigFileSize) {
        targets.SetProfile(DecodeConfig(data + at, kConfigFileSize));
        at += kConfigFileSize;
    }
    for (int c = 0; c < 2; ++c) {
        const size_t bytes = entries[c] * kScheduleEntrySize;
        if (size - at < bytes)
            break;
        NodeSchedule schedule;
        if (DecodeScheduleFile(data + at, bytes, schedule))
            targets.SetSchedule(c + 1, schedule);
        at += bytes;
    }
    const auto count = static_cast<uint32_t>((size - at) / kLogRecordSize);
    std::vector<LogRecord> log(count);
    if (count > 0)
        std::memcpy(log.data(), data + at, count * kLogRecordSize);
    const LogRecord* records = log.data();

    // The span: from the first to the last record with a real date and time.
    const LogSpan span = FindLogSpan(records, count);
    int64_t ms = 0;
    FuzzCheck(span.begin <= span.end && span.end <= count, "span within the log");
    for (uint32_t i = 0; i < count; ++i) {
        const bool real = LogRecordTime(records[i][kLogDate], records[i][kLogTime], ms);
        if (i < span.begin || i >= span.end)
            FuzzCheck(!real, "only records without a real date and time are outside the span");
        if (!span.Empty() && (i == span.begin || i + 1 == span.end))
            FuzzCheck(real, "the span's ends have a real date and time");
    }

    LogSeries series;
    const bool whole = series.Fill(records, count).Whole();
    const uint32_t filled = series.FilledCount();
    FuzzCheck(series.Count() == count && series.Begin() == span.begin, "series of the span");
    FuzzCheck(series.LeftOutCount() == count - (span.end - span.begin),
              "left out: the records outside the span");
    FuzzCheck(filled <= span.end - span.begin, "points only of the span's records");
    FuzzCheck(whole == (count == 0 || (!span.Empty() && filled == span.end - span.begin)), "fill result");
    const double spanDays = civil::DaysSince(span.lastMs, span.firstMs);
    for (uint32_t i = 0; i < filled; ++i) {
        const double x = series.Days()[i];
        FuzzCheck(std::isfinite(x) && x >= 0 && x <= spanDays, "time within the span");
        FuzzCheck(LogRecordTime(records[span.begin + i][kLogDate], records[span.begin + i][kLogTime], ms),
                  "every point is of a record with a real date and time");
    }

    // The note names the record the plot stopped at, and only it.
    const std::string note = LogChartNote(series).utf8_string();
    const bool stopped =
        series.Stop() == LogSpanStop::OutOfSpan || series.Stop() == LogSpanStop::InvalidDateTime;
    FuzzCheck(note.empty() == (series.Stop() == LogSpanStop::None && series.LeftOutCount() == 0),
              "a note exactly when something is not plotted");
    if (stopped && !span.Empty()) {
        FuzzCheck(series.StopIndex() >= span.begin && series.StopIndex() < span.end,
                  "the stop is in the span");
        FuzzCheck(note.find("record " + std::to_string(series.StopIndex() + 1) + " ") != std::string::npos,
                  "the note names the record the plot stopped at");
    }
    FuzzCheck(!NamesOtherRecord(note, stopped ? series.StopIndex() + 1 : 0),
              "the note names no other record");
    const std::string dates = LogSpanDates(records, count).utf8_string();
    FuzzCheck(dates.empty() == span.Empty(), "title dates exactly when some record has a real date and time");

    // The summary counts only charted records and names only those.
    bool wanted[kLogChannelCount];
    for (bool& w : wanted)
        w = true;
    const LogRecord* charted = records + series.Begin();
    const LogSummary summary = SummariseLog(charted, series.Days(), filled, series.FirstTimeMs(), -HUGE_VAL,
                                            HUGE_VAL, wanted, targets.HasProfile() ? &targets : nullptr);
    FuzzCheck(summary.inView == filled && summary.log.count == filled,
              "the summary counts the charted records");
    for (const ChannelSummary& c : summary.channels)
        if (c.any)
            FuzzCheck(c.lowestIndex < filled && c.highestIndex < filled && c.lastIndex < filled &&
                          c.longestStart < filled,
                      "channel figures of charted records");
    if (filled > 0) {
        FuzzCheck(summary.log.lastIndex < filled && summary.log.longestGapStart < filled,
                  "log figures of charted records");
        const wxString text =
            SummaryText(summary, charted, wanted, targets.HasProfile() ? &targets : nullptr);
        FuzzCheck(!text.empty(), "a summary text");
    }
    for (int k = 0; k < kLogChannelCount && filled > 0; ++k)
        for (const TargetStep& step : targets.Steps(k, series.FirstTimeMs(), span.lastMs))
            FuzzCheck(step.fromMs <= step.toMs && step.fromMs >= series.FirstTimeMs() &&
                          step.toMs <= span.lastMs,
                      "target steps within the span");

    // The CSV: a header and one line per charted record, each with a date
    // and time, written whole and read back as written.
    std::string csv = LogCsvHeader();
    for (uint32_t i = 0; i < filled; ++i)
        AppendLogCsvRow(csv, charted[i]);
    size_t lines = 0;
    for (size_t p = csv.find("\r\n"); p != std::string::npos; p = csv.find("\r\n", p + 2))
        ++lines;
    FuzzCheck(lines == filled + 1u, "one CSV line per charted record");
    for (size_t p = csv.find("\r\n"); p != std::string::npos && p + 2 < csv.size();
         p = csv.find("\r\n", p + 2))
        FuzzCheck(csv[p + 2] != ',', "every charted record has a date and time in the CSV");
    const wxString path = WriteScratchFile(nullptr, 0) + ".csv";
    const SaveResult written =
        WriteLogCsv(path, filled, [&](size_t i) -> const LogRecord& { return charted[i]; });
    FuzzCheck(written.Saved(), "the CSV is written");
    const std::vector<uint8_t> back = ReadScratchFile(path);
    FuzzCheck(std::string(back.begin(), back.end()) == csv, "the CSV reads back as written");
    return 0;
}
