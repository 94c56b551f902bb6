// The node log file: any bytes are either refused whole (leaving the earlier
// log) or read as whole records in file order; every cell of every record
// formats and the chart series fill without a wx assertion, reading only the
// points they filled.
#include "core/LogSeries.h"
#include "core/LogText.h"
#include "core/NodeLog.h"

#include "harness.h"

#include <cmath>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const LogRecord earlierRecord{};
    NodeLog log = MakeNodeLog(&earlierRecord, 1);
    const auto earlier = log.records;
    const LogLoadStatus status = LoadNodeLog(WriteScratchFile(data, size), log);
    if (size % kLogRecordSize != 0) {
        FuzzCheck(status == LogLoadStatus::BadLength, "bad length refused");
        FuzzCheck(log.records == earlier && log.count == 1, "earlier log kept");
        return 0;
    }
    FuzzCheck(status == LogLoadStatus::Loaded, "whole records load");
    FuzzCheck(log.count == size / kLogRecordSize, "count is what the file holds");
    FuzzCheck(size == 0 || std::memcmp(log.records.get(), data, size) == 0, "records are the file's bytes");

    for (uint32_t r = 0; r < log.count; ++r)
        for (unsigned c = 0; c < kLogColumnCount; ++c)
            (void)LogCellText(log[r], c);

    LogSeries series;
    const int32_t result = series.Fill(log.records.get(), log.count);
    FuzzCheck(result == 0 || result == -1, "fill result");
    FuzzCheck((result == 0) == (series.FilledCount() == log.count), "filled count matches the result");
    double sum = 0;
    for (int k = 0; k < kLogChannelCount; ++k)
        for (uint32_t i = 0; i < series.FilledCount(); ++i) {
            const double x = series.Points(k)[2 * i];
            FuzzCheck(std::isfinite(x) && x >= 0, "time since the first record");
            sum += series.Points(k)[2 * i + 1];
        }
    (void)sum;
    return 0;
}
