// The charts the chart tests (and the chart benchmark) draw, put together the
// way the log view puts its chart together: one dataset, renderer and left
// axis per channel, one bottom axis, dataset k on vertical axis k and on the
// bottom axis.
#pragma once

#include "chart/Chart.h"

#include <wx/colour.h>
#include <wx/pen.h>

#include <memory>
#include <optional>
#include <utility>
#include <vector>

struct ChartChannel {
    // The series, its axis's labels and line; not IsOk(): the defaults.
    wxColour colour;
    // Interleaved points, x first.
    std::vector<double> xy;
    // The axis line's colour, if not the labels' colour.
    wxColour penColour = wxColour();
    // How the series is drawn; none: the plot's default.
    std::optional<XYLineRenderer> renderer = XYLineRenderer(false, true, 1, wxPENSTYLE_SOLID);
    // The values the axis takes its range from; none: all of them.
    std::optional<std::pair<double, double>> plausible = std::nullopt;
};

inline std::unique_ptr<XYPlot> MakeChannelPlot(const std::vector<ChartChannel>& channels)
{
    auto plot = std::make_unique<XYPlot>();
    for (const ChartChannel& channel : channels) {
        auto dataset = std::make_unique<XYSimpleDataset>();
        dataset->AddSerie(channel.xy.data(), channel.xy.size() / 2);
        if (channel.renderer) {
            auto renderer = std::make_unique<XYLineRenderer>(*channel.renderer);
            if (channel.colour.IsOk())
                renderer->SetSerieColour(0, &channel.colour);
            dataset->SetRenderer(std::move(renderer));
        }
        plot->AddDataset(std::move(dataset));
    }
    for (const ChartChannel& channel : channels) {
        auto axis = std::make_unique<NumberAxis>(AXIS_LEFT);
        if (channel.colour.IsOk()) {
            axis->SetLabelTextColour(channel.colour);
            axis->SetLabelPen(
                wxPen(channel.penColour.IsOk() ? channel.penColour : channel.colour, 1, wxPENSTYLE_SOLID));
        }
        if (channel.plausible)
            axis->SetRangePolicy(
                chart::RangePolicy::CountingWithin(channel.plausible->first, channel.plausible->second));
        plot->AddAxis(std::move(axis));
    }
    plot->AddAxis(std::make_unique<NumberAxis>(AXIS_BOTTOM));
    for (size_t k = 0; k < channels.size(); ++k) {
        plot->LinkDataVerticalAxis(k, k);
        plot->LinkDataHorizontalAxis(k, 0);
    }
    return plot;
}

inline std::unique_ptr<Chart> MakeChannelChart(const std::vector<ChartChannel>& channels,
                                               const wxString& title = "Log File")
{
    return std::make_unique<Chart>(MakeChannelPlot(channels), title);
}
