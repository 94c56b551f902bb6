#include "core/GrowTimeline.h"

#include "core/LargeBuffer.h"
#include "core/LogSeries.h"
#include "core/MiddleStep.h"
#include "core/Words.h"
#include "util/CivilTime.h"

#include <wx/file.h>
#include <wx/log.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <utility>

namespace {

// A record's place in the buffer and its time.
struct Key {
    int64_t ms;
    uint32_t index;
};

bool Earlier(const Key& a, const Key& b)
{
    return a.ms != b.ms ? a.ms < b.ms : a.index < b.index;
}

// A hash of a record's words, so that equal records among many of one time
// are found without comparing each with every other.
uint64_t RecordHash(const LogRecord& r)
{
    uint64_t h = 0xcbf29ce484222325u;
    for (uint32_t w : r)
        h = (h ^ w) * 0x100000001b3u;
    return h;
}

// Marks the records of one time [begin, end) of keys that equal one before
// them (every word) as duplicates (index = UINT32_MAX); keeps the others in
// their order.
void MarkDuplicates(const LogRecord* all, Key* begin, Key* end)
{
    const size_t n = static_cast<size_t>(end - begin);
    constexpr uint32_t kGone = std::numeric_limits<uint32_t>::max();
    auto same = [all](const Key& a, const Key& b) {
        return std::memcmp(all[a.index].data(), all[b.index].data(), kLogRecordSize) == 0;
    };
    if (n <= 16) {
        for (Key* k = begin + 1; k < end; ++k)
            for (Key* before = begin; before < k; ++before)
                if (before->index != kGone && same(*before, *k)) {
                    k->index = kGone;
                    break;
                }
        return;
    }
    // Many records of one time (a clock stuck at one second): equal records
    // are next to each other once sorted by their hash.
    std::vector<std::pair<uint64_t, Key*>> byHash;
    byHash.reserve(n);
    for (Key* k = begin; k < end; ++k)
        byHash.emplace_back(RecordHash(all[k->index]), k);
    std::sort(byHash.begin(), byHash.end(), [](const auto& a, const auto& b) {
        return a.first != b.first ? a.first < b.first : a.second->index < b.second->index;
    });
    for (size_t i = 0; i < n;) {
        size_t j = i + 1;
        while (j < n && byHash[j].first == byHash[i].first)
            ++j;
        for (size_t k = i + 1; k < j; ++k)
            for (size_t before = i; before < k; ++before)
                if (byHash[before].second->index != kGone &&
                    same(*byHash[before].second, *byHash[k].second)) {
                    byHash[k].second->index = kGone;
                    break;
                }
        i = j;
    }
}

// Puts the records in the order of `order` (indices of the records kept,
// then those left out) in place: record j becomes record order[j].
void Permute(LogRecord* all, const std::vector<uint32_t>& order)
{
    std::vector<bool> done(order.size(), false);
    for (size_t start = 0; start < order.size(); ++start) {
        if (done[start] || order[start] == start)
            continue;
        const LogRecord saved = all[start];
        size_t at = start;
        for (;;) {
            done[at] = true;
            const size_t from = order[at];
            if (from == start) {
                all[at] = saved;
                break;
            }
            all[at] = all[from];
            at = from;
        }
    }
}

struct Slice {
    uint32_t begin = 0, count = 0;
};

// Orders the records of the slices in place and leaves out those without a
// real date or time and the duplicates; fills the timeline's figures.
void MergeInPlace(LargeArray<LogRecord> all, uint32_t capacity, const std::vector<Slice>& slices,
                  GrowTimeline& out)
{
    std::vector<Key> keys;
    keys.reserve(capacity);
    bool ordered = true;
    std::vector<int64_t> times;
    for (const Slice& slice : slices) {
        LogTimeDecoder decoder; // one log's times come day after day
        out.read += slice.count;
        const size_t first = keys.size();
        for (uint32_t i = slice.begin; i < slice.begin + slice.count; ++i) {
            int64_t ms = 0;
            if (!decoder.Decode(all[i][kLogDate], all[i][kLogTime], ms)) {
                ++out.undated;
                continue;
            }
            ordered = ordered && (keys.empty() || keys.back().ms < ms);
            keys.push_back({ms, i});
        }
        // The log's own clock, before the merge puts its records in order.
        times.clear();
        for (size_t k = first; k < keys.size(); ++k)
            times.push_back(keys[k].ms);
        out.clocks.push_back(ReadClockSteps(times.data(), times.size()));
    }
    // Records of one time can be duplicates; strictly rising times (the
    // usual season of logs one after another) have none and need no sort.
    if (!ordered) {
        std::sort(keys.begin(), keys.end(), Earlier);
        for (size_t i = 0; i < keys.size();) {
            size_t j = i + 1;
            while (j < keys.size() && keys[j].ms == keys[i].ms)
                ++j;
            if (j - i > 1)
                MarkDuplicates(all.get(), keys.data() + i, keys.data() + j);
            i = j;
        }
    }
    std::vector<uint32_t> order;
    order.reserve(capacity);
    std::vector<bool> kept(capacity, false);
    for (const Key& k : keys)
        if (k.index != std::numeric_limits<uint32_t>::max()) {
            order.push_back(k.index);
            kept[k.index] = true;
        } else {
            ++out.duplicates;
        }
    keys = std::vector<Key>();
    const uint32_t count = static_cast<uint32_t>(order.size());
    for (uint32_t i = 0; i < capacity; ++i)
        if (!kept[i])
            order.push_back(i);
    kept = std::vector<bool>();
    Permute(all.get(), order);
    if (count > 0)
        out.log.records = std::shared_ptr<const LogRecord[]>(all.release(), FreeLargeBuffer());
    out.log.count = count;
}

// Reads up to `count` whole records of file into to; the number read, or
// false when it could not be read.
bool ReadRecordsInto(wxFile& file, LogRecord* to, uint32_t count, uint32_t& got)
{
    auto* bytes = reinterpret_cast<unsigned char*>(to);
    const size_t wanted = static_cast<size_t>(count) * kLogRecordSize;
    size_t done = 0;
    while (done < wanted) {
        const size_t piece = std::min<size_t>(wanted - done, size_t{1} << 30);
        const ssize_t n = file.Read(bytes + done, piece);
        if (n < 0 || static_cast<size_t>(n) > piece)
            return false;
        if (n == 0)
            break; // the file shrank since it was measured
        done += static_cast<size_t>(n);
    }
    got = static_cast<uint32_t>(done / kLogRecordSize);
    WordsFromLittleEndian(to[0].data(), static_cast<size_t>(got) * kLogRecordWords);
    return true;
}

// How many records each log holds by its length; a log that cannot be
// opened or has a bad length is named and counts none.
std::vector<uint32_t> MeasureLogs(const std::vector<wxString>& paths, GrowTimeline& out, uint64_t& total)
{
    std::vector<uint32_t> counts(paths.size(), 0);
    total = 0;
    for (size_t f = 0; f < paths.size(); ++f) {
        wxFile file;
        const LoadResult<wxFileOffset> opened = OpenForLoad(paths[f], file);
        if (!opened.Loaded()) {
            out.unreadable.push_back(
                {paths[f], opened.status,
                 opened.status == LoadStatus::Missing ? wxString("no such file") : opened.reason});
            continue;
        }
        if (opened.value % static_cast<wxFileOffset>(kLogRecordSize) != 0) {
            out.unreadable.push_back(
                {paths[f], LoadStatus::BadLength, "the length is not a whole number of 160-byte records"});
            continue;
        }
        const uint64_t records = static_cast<uint64_t>(opened.value) / kLogRecordSize;
        if (total + records > std::numeric_limits<uint32_t>::max()) {
            out.unreadable.push_back(
                {paths[f], LoadStatus::TooLarge, "the grow holds more records than can be loaded"});
            continue;
        }
        counts[f] = static_cast<uint32_t>(records);
        total += records;
    }
    return counts;
}

} // namespace

GrowTimeline MergeLogFiles(const std::vector<wxString>& paths)
{
    wxLogNull quiet; // the caller tells the user
    GrowTimeline out;
    uint64_t total = 0;
    const std::vector<uint32_t> counts = MeasureLogs(paths, out, total);
    LargeArray<LogRecord> all = AllocateLargeArray<LogRecord>(total);
    if (total > 0 && !all) {
        out.lackedMemory = true;
        return out;
    }
    std::vector<Slice> slices;
    uint32_t at = 0;
    for (size_t f = 0; f < paths.size(); ++f) {
        if (counts[f] == 0)
            continue;
        wxFile file;
        uint32_t got = 0;
        if (!file.Open(paths[f]) || !ReadRecordsInto(file, all.get() + at, counts[f], got)) {
            out.unreadable.push_back({paths[f], LoadStatus::ReadError, "the file could not be read"});
            continue;
        }
        slices.push_back({at, got});
        at += got;
    }
    MergeInPlace(std::move(all), at, slices, out);
    return out;
}

GrowTimeline MergeLogs(const std::vector<NodeLog>& logs)
{
    GrowTimeline out;
    uint64_t total = 0;
    for (const NodeLog& log : logs)
        total += log.count;
    if (total > std::numeric_limits<uint32_t>::max()) {
        out.lackedMemory = true;
        return out;
    }
    LargeArray<LogRecord> all = AllocateLargeArray<LogRecord>(total);
    if (total > 0 && !all) {
        out.lackedMemory = true;
        return out;
    }
    std::vector<Slice> slices;
    uint32_t at = 0;
    for (const NodeLog& log : logs) {
        std::copy(log.records.get(), log.records.get() + log.count, all.get() + at);
        slices.push_back({at, log.count});
        at += log.count;
    }
    MergeInPlace(std::move(all), at, slices, out);
    return out;
}

double UsualStepDays(const double* days, uint32_t count)
{
    // To the millisecond: record times are whole seconds, and the same step
    // between other days differs in its last bits (far less than a tenth of
    // a millisecond). Rounding keeps the order, so the middle of the steps
    // rounded is the middle step rounded.
    const double middle = MiddleStep<double>(
        count, [days](size_t i) { return days[i] - days[i - 1]; },
        [](double a, double b) { return std::fabs(a - b) < 1e-9; });
    const double msPerDay = static_cast<double>(civil::kMsPerDay);
    return static_cast<double>(std::llround(std::min(middle, 1e12) * msPerDay)) / msPerDay;
}
