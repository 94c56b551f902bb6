// The base of the program's charts: a named chart that turns node log
// records into point series and builds a Chart from them.
#pragma once

#include "core/LogSeries.h"
#include "core/NodeLog.h"

#include <wx/colour.h>
#include <wx/string.h>

#include <array>
#include <cstdint>
#include <memory>

class Chart;

// One colour per channel (EC1, EC2, PH1, PH2, TE1, TE2); null = not plotted.
using ChannelColours = std::array<const wxColour*, kLogChannelCount>;

class ChartDemo {
public:
    explicit ChartDemo(const wxString& name) : m_name(name) {}
    virtual ~ChartDemo() = default;
    ChartDemo(const ChartDemo&) = delete;
    ChartDemo& operator=(const ChartDemo&) = delete;

    const wxString& GetName() const { return m_name; }

    // 0 on success, -1 when a record lies outside the time span of the first
    // and last record (or has an invalid date or time). The chart keeps a
    // share of the records.
    virtual int32_t FillSeries(std::shared_ptr<const LogRecord[]> records, uint32_t count) = 0;
    // A new chart of the channels that have a colour.
    virtual std::unique_ptr<Chart> CreateChart(const ChannelColours& colours) = 0;

private:
    wxString m_name;
};
