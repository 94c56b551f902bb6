// The chart of a node log: EC, PH and temperature of both channels against
// the days since the first record, each channel on a left axis of its colour.
#pragma once

#include "ui/ChartDemo.h"

#include "core/LogSeries.h"

class LogChart : public ChartDemo {
public:
    LogChart() : ChartDemo("Log File") {}

    int32_t FillSeries(const LogRecord* records, uint32_t count) override;
    // Plots only the points FillSeries filled (all of them unless it
    // returned -1): points after a record outside the span are never read.
    std::unique_ptr<Chart> CreateChart(const ChannelColours& colours) override;

    const LogSeries& GetSeries() const { return m_series; }

private:
    LogSeries m_series;
};
