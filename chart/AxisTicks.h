// Where an axis puts its ticks and what their labels say. An axis asks its
// tick strategy for the ticks of the range it shows; numbers (the default)
// and calendar time are the two strategies there are.
#pragma once

#include <wx/datetime.h>
#include <wx/string.h>

#include <cstdint>
#include <functional>
#include <vector>

namespace chart {

struct Tick {
    double value = 0;
    // One line, or two separated by '\n' (a time with the date under it).
    wxString label;
};

class AxisTicks {
public:
    virtual ~AxisTicks() = default;
    // Ticks within [lo, hi] (lo < hi, both finite) in increasing order,
    // about targetTicks of them (3 to 8 where the strategy's steps allow).
    virtual std::vector<Tick> Make(double lo, double hi, int targetTicks) const = 0;
    // Lines of text in the tallest label this strategy makes.
    virtual int LabelLines() const { return 1; }
};

// Numbers on a 1-2-5 step (chart::PickTickStep), labelled with as many
// decimals as the step needs (NumberAxis::FormatTickLabel).
class NumberTicks : public AxisTicks {
public:
    std::vector<Tick> Make(double lo, double hi, int targetTicks) const override;
};

// A date as the chart shows it (the user's short date form, say).
using DateFormatter = std::function<wxString(const wxDateTime&)>;

// Calendar time for values that count days (of 86400000 ms) since an origin
// instant: ticks on round steps of local time (seconds, minutes, hours,
// days, weeks, months, years), labelled with the date when ticks are a day
// or more apart, otherwise "HH:MM" ("HH:MM:SS" below a minute) with the
// date on a second line at the first tick and wherever the day changes.
//
// Local time is the process's time zone (TZ), as the C library's localtime
// gives it. Steps: 1, 2, 5, 10, 15, 30 s; 1, 2, 5, 10, 15, 30 min; 1, 2, 3,
// 6, 12 h; 1, 2 days (even day numbers since 1970-01-01); weeks (Mondays);
// 1, 2, 3, 6 months (the first, of months 1, 3, 5 .. / 1, 4, 7, 10 / 1, 7);
// 1, 2, 5, 10, 20 .. years (1 January, years that are multiples of the
// step). The step is the one whose count is within 3..8 and nearest
// targetTicks (clamped to 3..8), the finer on a tie; when none is, the one
// with most ticks up to 8. Ticks below a day sit on wall-clock multiples of
// the step (00:00, 00:15 ..; 00, 03, 06 .. h); day ticks at the first
// instant of the local day (its midnight, or the end of the gap where a
// change skips midnight).
//
// Summer time: ticks are placed at the local wall-clock times that exist,
// and the labels always show local wall-clock time, so the spacing of ticks
// on either side of a change is uneven by the change. A wall-clock time the
// spring change skips gets no tick (02:00 on 2021-03-28 in Europe/Berlin).
// Along the range, a tick's wall-clock time must be later than every wall-
// clock time before it within [lo, hi]: a time the autumn change repeats
// gets its tick once, at its first occurrence in the range (02:00 CEST, not
// 02:00 CET, on 2021-10-31 in Europe/Berlin), the labels of a range always
// increase, and a range that starts within the repeated hour still gets
// ticks there. Instants more than 1e15 s (some 31 million years) from the
// epoch get no ticks; dates outside the years 1 to 9999 are labelled
// YYYY-MM-DD without the formatter.
class CalendarTicks : public AxisTicks {
public:
    // originMs: milliseconds since the epoch (UTC) of value 0.
    CalendarTicks(int64_t originMs, DateFormatter formatDate);
    std::vector<Tick> Make(double lo, double hi, int targetTicks) const override;
    int LabelLines() const override { return 2; }

private:
    int64_t m_originMs;
    DateFormatter m_formatDate;
};

} // namespace chart
