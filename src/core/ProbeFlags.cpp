#include "core/ProbeFlags.h"

#include "core/LogChannels.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

const char* const kShortNames[kLogChannelCount] = {"EC1", "EC2", "PH1", "PH2", "TE1", "TE2"};

// The column of a kind of finding; -1 for dropouts, whose column is read
// from each record itself.
int CheckIndex(ProbeFindingKind kind)
{
    switch (kind) {
    case ProbeFindingKind::Stuck:
        return 0;
    case ProbeFindingKind::LowEc:
        return 1;
    case ProbeFindingKind::ChannelsDiffer:
        return 2;
    case ProbeFindingKind::ClockJump:
        return 3;
    case ProbeFindingKind::Spike:
        return 4;
    case ProbeFindingKind::Dropouts:
        break;
    }
    return -1;
}

int OwnerIndex(int channel)
{
    return channel < 0 ? kLogChannelCount : channel;
}

void AddName(std::string& field, const char* name)
{
    if (!field.empty())
        field += ' ';
    field += name;
}

} // namespace

bool ProbeFlags::Stretches::Cover(int64_t ms) const
{
    const auto after = std::upper_bound(from.begin(), from.end(), ms);
    if (after == from.begin())
        return false;
    return latestTo[static_cast<size_t>(after - from.begin()) - 1] >= ms;
}

ProbeFlags::ProbeFlags(const std::vector<ProbeFinding>& findings)
{
    std::array<std::array<std::vector<std::pair<int64_t, int64_t>>, kOwners>, kChecks> spans;
    for (const ProbeFinding& f : findings) {
        const int check = CheckIndex(f.kind);
        if (check >= 0 && f.channel < kLogChannelCount)
            spans[check][OwnerIndex(f.channel)].emplace_back(std::min(f.fromMs, f.toMs),
                                                             std::max(f.fromMs, f.toMs));
    }
    for (int c = 0; c < kChecks; ++c)
        for (int o = 0; o < kOwners; ++o) {
            std::vector<std::pair<int64_t, int64_t>>& list = spans[c][o];
            std::sort(list.begin(), list.end());
            Stretches& s = m_stretches[c][o];
            int64_t latest = INT64_MIN;
            for (const auto& [from, to] : list) {
                latest = std::max(latest, to);
                s.from.push_back(from);
                s.latestTo.push_back(latest);
            }
        }
}

std::string ProbeFlags::CsvHeader()
{
    return ",Stuck,Low EC,Missing,Probes Apart,Clock Jump,Spike";
}

void ProbeFlags::AppendCsvFields(std::string& out, const LogRecord& record) const
{
    int64_t ms = 0;
    const bool timed = m_times.Decode(record[kLogDate], record[kLogTime], ms);
    const auto flagged = [&](int check) {
        std::string field;
        for (int o = 0; timed && o < kOwners; ++o)
            if (m_stretches[check][o].Cover(ms)) {
                AddName(field, o < kLogChannelCount ? kShortNames[o] : "clock");
                if (check == CheckIndex(ProbeFindingKind::ChannelsDiffer) && o < kLogChannelCount)
                    AddName(field, kShortNames[o + 1]); // the pair's second probe
            }
        return field;
    };
    std::string missing;
    for (int k = 0; k < kLogChannelCount; ++k) {
        const double v = LogChannelValue(record, k);
        const LogReadingRange range = LogChannelReadingRange(k);
        if (std::isnan(v) || v < range.lo || v > range.hi)
            AddName(missing, kShortNames[k]);
    }
    const std::string fields[] = {flagged(0), flagged(1), missing, flagged(2), flagged(3), flagged(4)};
    for (const std::string& field : fields) {
        out += ',';
        AppendCsvField(out, field);
    }
}

LogCsvExtra ProbeFlags::CsvColumns() const
{
    return {CsvHeader(),
            [flags = *this](std::string& out, const LogRecord& r) { flags.AppendCsvFields(out, r); }};
}
