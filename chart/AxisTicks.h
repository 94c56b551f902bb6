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
