// The node log file: any bytes are either refused whole (publishing nothing)
// or read as whole records in file order; every cell of every record
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
    const LoadResult<NodeLog> loaded = LoadNodeLog(WriteScratchFile(data, size));
    const NodeLog& log = loaded.value;
    if (size % kLogRecordSize != 0) {
        FuzzCheck(loaded.status == LoadStatus::BadLength, "bad length refused");
        FuzzCheck(log.records == nullptr && log.count == 0, "nothing of a refused file published");
        return 0;
    }
    FuzzCheck(loaded.status == LoadStatus::Loaded, "whole records load");
    FuzzCheck(log.count == size / kLogRecordSize, "count is what the file holds");
    FuzzCheck(size == 0 || std::memcmp(log.records.get(), data, size) == 0, "records are the file's bytes");

    for (uint32_t r = 0; r < log.count; ++r)
        for (unsigned c = 0; c < kLogColumnCount; ++c)
            (void)LogCellText(log[r], c);

    LogSeries series;
    const LogFill fill = series.Fill(log.records.get(), log.count);
    FuzzCheck(fill.filled == series.FilledCount() && fill.stop == series.Stop(), "fill result");
    // Records without a real date or time at the ends are left out; a log
    // of only such records fills nothing and is not whole.
    FuzzCheck(fill.Whole() == (log.count == 0 || (series.FilledCount() > 0 &&
                                                  series.FilledCount() + series.LeftOutCount() == log.count)),
              "filled count matches the result");
    double sum = 0;
    for (uint32_t i = 0; i < series.FilledCount(); ++i) {
        const double x = series.Days()[i];
        FuzzCheck(std::isfinite(x) && x >= 0, "time since the first record");
    }
    for (int k = 0; k < kLogChannelCount; ++k) {
        const std::shared_ptr<const double[]> values = series.ChannelValues(log.records.get(), k);
        FuzzCheck((values != nullptr) == (series.FilledCount() > 0), "values of every filled record");
        for (uint32_t i = 0; i < series.FilledCount(); ++i)
            sum += values[i];
    }
    (void)sum;
    return 0;
}
