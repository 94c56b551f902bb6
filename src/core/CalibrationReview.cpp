#include "core/CalibrationReview.h"

#include "core/DateText.h"
#include "core/LogSeries.h"
#include "core/LogSummary.h"

#include <wx/datetime.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr int64_t kMsPerWeek = int64_t{7} * 24 * 3600 * 1000;
// A reading further than this from a calibration says nothing of it.
constexpr int64_t kJumpReachMs = int64_t{24} * 3600 * 1000;
constexpr int kProbes = 4; // EC1, EC2, PH1, PH2: the channels with a target

// The records with a real date and time: their times and EC and PH readings
// (NaN: no reading).
struct Readings {
    std::vector<int64_t> ms;
    std::vector<double> value[kProbes];
};

Readings ReadReadings(const LogRecord* records, uint32_t count)
{
    Readings r;
    LogTimeDecoder decoder;
    for (uint32_t i = 0; i < count; ++i) {
        int64_t ms = 0;
        if (!decoder.Decode(records[i][kLogDate], records[i][kLogTime], ms))
            continue;
        r.ms.push_back(ms);
        for (int k = 0; k < kProbes; ++k) {
            const double v = LogChannelValue(records[i], k);
            const LogReadingRange range = LogChannelReadingRange(k);
            r.value[k].push_back(v >= range.lo && v <= range.hi ? v : kNaN);
        }
    }
    return r;
}

// The last reading at or before atMs and the first after it, within a day.
CalibrationJump JumpAt(const Readings& r, int probe, int64_t atMs)
{
    CalibrationJump jump{kNaN, kNaN};
    const std::vector<double>& v = r.value[probe];
    const size_t split = static_cast<size_t>(std::upper_bound(r.ms.begin(), r.ms.end(), atMs) - r.ms.begin());
    for (size_t i = split; i-- > 0 && atMs - r.ms[i] <= kJumpReachMs;)
        if (!std::isnan(v[i])) {
            jump.before = v[i];
            jump.beforeMs = r.ms[i];
            break;
        }
    for (size_t i = split; i < r.ms.size() && r.ms[i] - atMs <= kJumpReachMs; ++i)
        if (!std::isnan(v[i])) {
            jump.after = v[i];
            jump.afterMs = r.ms[i];
            break;
        }
    return jump;
}

// The least-squares slope of value[first] - value[first + 1] against time in
// weeks over records [from, to), in two passes about the means.
ProbeDrift DriftOver(const Readings& r, int first, size_t from, size_t to)
{
    const std::vector<double>&a = r.value[first], &b = r.value[first + 1];
    double sumT = 0, sumD = 0;
    size_t n = 0;
    for (size_t i = from; i < to; ++i)
        if (!std::isnan(a[i]) && !std::isnan(b[i])) {
            sumT += static_cast<double>(r.ms[i] - r.ms[from]) / kMsPerWeek;
            sumD += a[i] - b[i];
            ++n;
        }
    ProbeDrift drift{kNaN, n};
    if (n < 2)
        return drift;
    const double meanT = sumT / static_cast<double>(n), meanD = sumD / static_cast<double>(n);
    double stt = 0, sty = 0;
    for (size_t i = from; i < to; ++i)
        if (!std::isnan(a[i]) && !std::isnan(b[i])) {
            const double t = static_cast<double>(r.ms[i] - r.ms[from]) / kMsPerWeek - meanT;
            stt += t * t;
            sty += t * (a[i] - b[i] - meanD);
        }
    if (stt > 0)
        drift.perWeek = sty / stt;
    return drift;
}

size_t FirstAfter(const Readings& r, int64_t ms)
{
    return static_cast<size_t>(std::upper_bound(r.ms.begin(), r.ms.end(), ms) - r.ms.begin());
}

} // namespace

std::vector<CalibrationStretch> ReviewCalibrations(const LogRecord* records, uint32_t count,
                                                   const GrowJournal& journal)
{
    std::vector<CalibrationStretch> out;
    if (records == nullptr || count == 0)
        return out;
    const Readings r = ReadReadings(records, count);
    if (r.ms.empty())
        return out;
    CalibrationStretch stretch;
    stretch.fromMs = r.ms.front();
    size_t from = 0;
    const auto close = [&](int64_t toMs) {
        stretch.toMs = toMs;
        const size_t to = FirstAfter(r, toMs);
        for (int first : {0, 2})
            stretch.drift[first / 2] = DriftOver(r, first, from, std::max(from, to));
        out.push_back(stretch);
        from = to;
    };
    for (size_t i = 0; i < journal.Count(); ++i) {
        if (journal[i].kind != NoteKind::Calibration)
            continue;
        const int64_t at = journal[i].timeMs;
        stretch.note = i;
        for (int k = 0; k < kProbes; ++k)
            stretch.jump[k] = JumpAt(r, k, at);
        close(at);
        stretch = CalibrationStretch();
        stretch.fromMs = at;
        stretch.fromCalibration = true;
        from = FirstAfter(r, at);
    }
    close(std::max(stretch.fromMs, r.ms.back()));
    return out;
}

namespace {

wxString InstantText(int64_t ms, const wxString& shortFormat)
{
    const wxDateTime t{wxLongLong(ms)};
    return FormatUserDateText(t, shortFormat) + " " + t.Format("%X");
}

wxString Signed(int channel, double v)
{
    return (v >= 0 ? "+" : "") + LogChannelValueText(channel, v);
}

wxString JumpText(const CalibrationStretch& s, const bool (&wanted)[kLogChannelCount])
{
    wxString text;
    for (int k = 0; k < kProbes; ++k) {
        if (!wanted[k])
            continue;
        const CalibrationJump& j = s.jump[k];
        text << "    " << LogChannelName(k) << ": ";
        if (j.Known())
            text << LogChannelValueText(k, j.before) << " to " << LogChannelValueText(k, j.after) << " ("
                 << Signed(k, j.after - j.before) << ")\n";
        else
            text << "no reading within a day either side\n";
    }
    return text;
}

wxString DriftText(const CalibrationStretch& s, const bool (&wanted)[kLogChannelCount], const wxString& since)
{
    static const char* const kPairs[2] = {"EC1 - EC2", "PH1 - PH2"};
    wxString text;
    for (int p = 0; p < 2; ++p) {
        const int first = 2 * p;
        if (!wanted[first] || !wanted[first + 1])
            continue;
        text << "    " << kPairs[p] << " since " << since << ": ";
        if (std::isnan(s.drift[p].perWeek))
            text << "too few readings\n";
        else
            text << Signed(first, s.drift[p].perWeek) << (p == 0 ? " uS" : "") << " per week\n";
    }
    return text;
}

} // namespace

wxString CalibrationText(const std::vector<CalibrationStretch>& stretches, const GrowJournal& journal,
                         int64_t fromMs, int64_t toMs, const bool (&wanted)[kLogChannelCount])
{
    if (stretches.size() < 2) // no calibration note: one stretch
        return wxString();
    const wxString shortFormat = UserShortDateFormat();
    wxString text = "\nCalibrations\n";
    for (const CalibrationStretch& s : stretches) {
        const wxString since = s.fromCalibration ? "the calibration of " + InstantText(s.fromMs, shortFormat)
                                                 : "the first record";
        if (s.note == GrowJournal::npos) {
            text << "  Since the last calibration (" << InstantText(s.fromMs, shortFormat) << ")\n"
                 << DriftText(s, wanted, since);
            continue;
        }
        const GrowNote& note = journal[s.note];
        if (note.timeMs < fromMs || note.timeMs > toMs)
            continue;
        text << "  " << InstantText(note.timeMs, shortFormat) << ": " << NoteDescription(note) << "\n"
             << JumpText(s, wanted) << DriftText(s, wanted, since);
    }
    return text;
}
