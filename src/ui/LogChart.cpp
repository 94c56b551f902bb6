#include "ui/LogChart.h"

#include "chart/Chart.h"
#include "chart/NumberAxis.h"
#include "chart/XYLineRenderer.h"
#include "chart/XYPlot.h"
#include "chart/XYSimpleDataset.h"

#include <wx/pen.h>

#include <memory>

int32_t LogChart::FillSeries(const LogRecord* records, uint32_t count)
{
    return m_series.Fill(records, count);
}

std::unique_ptr<Chart> LogChart::CreateChart(const ChannelColours& colours)
{
    auto plot = std::make_unique<XYPlot>();
    const size_t points = m_series.FilledCount();

    // The channels share the records' times: one x column for all series.
    std::unique_ptr<double[]> times(points ? new double[points] : nullptr);
    for (size_t i = 0; i < points; ++i)
        times[i] = m_series.Points(0)[2 * i];
    const auto column = std::make_shared<const XColumn>(std::move(times), points);

    size_t datasets = 0;
    for (int k = 0; k < kLogChannelCount; ++k) {
        if (!colours[k])
            continue;
        std::unique_ptr<double[]> values(points ? new double[points] : nullptr);
        const double* xy = m_series.Points(k);
        for (size_t i = 0; i < points; ++i)
            values[i] = xy[2 * i + 1];
        auto dataset = std::make_unique<XYSimpleDataset>();
        dataset->AddSerie(std::make_unique<XYSerie>(column, std::move(values)));
        auto renderer = std::make_unique<XYLineRenderer>(false, true, 1, wxPENSTYLE_SOLID);
        renderer->SetSerieColour(0, colours[k]);
        dataset->SetRenderer(std::move(renderer));
        plot->AddDataset(std::move(dataset));
        ++datasets;
    }
    for (int k = 0; k < kLogChannelCount; ++k) {
        if (!colours[k])
            continue;
        auto axis = std::make_unique<NumberAxis>(AXIS_LEFT);
        axis->SetLabelTextColour(*colours[k]);
        axis->SetLabelPen(wxPen(*colours[k], 1, wxPENSTYLE_SOLID));
        // A value that is no reading (an unset EC word) must not squash the
        // real readings into a line: it runs off the plot's edge instead.
        const LogReadingRange readings = LogChannelReadingRange(k);
        axis->SetPlausibleRange(readings.lo, readings.hi);
        plot->AddAxis(std::move(axis));
    }
    plot->AddAxis(std::make_unique<NumberAxis>(AXIS_BOTTOM)); // days since the first record

    for (size_t j = 0; j < datasets; ++j) {
        plot->LinkDataVerticalAxis(j, j);
        plot->LinkDataHorizontalAxis(j, 0);
    }
    return std::make_unique<Chart>(std::move(plot), GetName());
}
