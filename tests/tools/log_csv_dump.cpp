// Writes the CSV of a small known log to the path given, for the read-back
// test (tests/system/test_log_csv_readback.sh). With "cancel" after the path
// the export is cancelled at its first progress call instead.
//
//   log_csv_dump OUT.csv [cancel]
#include "core/LogCsv.h"
#include "core/WordHelpers.h"

#include <wx/init.h>

#include <cstdio>
#include <cstring>
#include <vector>

namespace {

LogRecord Record(uint32_t date, uint32_t time, uint32_t ec1, uint32_t ec2, uint32_t ph1, uint32_t te1)
{
    LogRecord r{};
    r[kLogCoreStatus] = 3;
    r[kLogDate] = date;
    r[kLogTime] = time;
    r[kLogEc1] = ec1;
    r[kLogEc2] = ec2;
    r[kLogPh1] = ph1;
    r[kLogPh2] = FloatToWord(5.75f);
    r[kLogTe1] = te1;
    r[kLogTe2] = FloatToWord(-12.5f);
    for (unsigned a = 0; a < 6; ++a)
        r[kLogAc1 + a] = 1000 * (a + 1) + date % 7;
    return r;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: log_csv_dump OUT.csv [cancel]\n");
        return 2;
    }
    wxInitializer wx;
    if (!wx.IsOk())
        return 2;
    // 1 March 2024 08:05:09, 31 December 2023 23:59:59, and a date of day 32.
    const std::vector<LogRecord> records = {
        Record(3u | 1u << 8 | 2024u << 16, 8u | 5u << 8 | 9u << 16, 1500, 4294967295u, FloatToWord(6.2f),
               0x3DCCCCD0u),
        Record(12u | 31u << 8 | 2023u << 16, 23u | 59u << 8 | 59u << 16, 0, 20000, FloatToWord(7.125f),
               FloatToWord(19.999f)),
        Record(1u | 32u << 8 | 2024u << 16, 12u, 99999, 1, FloatToWord(1e-7f), FloatToWord(125.0f)),
    };
    const bool cancel = argc > 2 && std::strcmp(argv[2], "cancel") == 0;
    const SaveResult result = WriteLogCsv(
        wxString::FromUTF8(argv[1]), records.size(), [&](size_t i) -> const LogRecord& { return records[i]; },
        [cancel](size_t, size_t) { return !cancel; });
    if (!result.Saved()) {
        std::fprintf(stderr, "%s\n", static_cast<const char*>(result.reason.utf8_str()));
        return result.Cancelled() ? 3 : 1;
    }
    return 0;
}
