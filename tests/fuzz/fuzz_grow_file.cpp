// The grow file: any bytes are either refused with a reason and nothing of
// them, or read whole; a grow read is written back and reads the same.
#include "core/GrowFile.h"

#include "harness.h"

#include <cstdlib>
#include <ctime>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool utc = [] {
        // One clock for every run: a note's local time then names one instant.
        setenv("TZ", "UTC", 1);
        tzset();
        return true;
    }();
    (void)utc;
    const std::string text(reinterpret_cast<const char*>(data), size);
    const LoadResult<Grow> read = GrowFromJson(text, "/grow");
    if (!read.Loaded()) {
        FuzzCheck(!read.reason.empty(), "a refusal says why");
        FuzzCheck(read.value.logs.empty() && read.value.journal.Count() == 0 && read.value.name.empty(),
                  "nothing half-read");
        return 0;
    }
    const Grow& grow = read.value;
    for (const wxString& log : grow.logs)
        FuzzCheck(log.StartsWith("/"), "every log resolved against the grow's folder");
    for (size_t i = 1; i < grow.journal.Count(); ++i)
        FuzzCheck(grow.journal[i - 1].timeMs <= grow.journal[i].timeMs, "notes in time order");
    for (const GrowNote& note : grow.journal.Notes())
        (void)NoteDescription(note);

    std::string written;
    wxString reason;
    FuzzCheck(GrowToJson(grow, "/grow", written, reason), "a grow read can be written");
    const LoadResult<Grow> again = GrowFromJson(written, "/grow");
    FuzzCheck(again.Loaded(), "a grow written reads");
    FuzzCheck(again.value.name == grow.name && again.value.start == grow.start, "name and start kept");
    FuzzCheck(again.value.journal.Notes() == grow.journal.Notes(), "journal kept");
    FuzzCheck(again.value.probeThresholds == grow.probeThresholds, "probe thresholds kept");
    // Paths come back as the same files (a "a/../b" is written as "b").
    FuzzCheck(again.value.logs.size() == grow.logs.size(), "every log kept");
    return 0;
}
