// A log's probe findings on its chart: a hatched strip along the plot's
// bottom for each plotted channel's trouble (and one for the clock's), and
// the reasons in the readout over a marked stretch.
#pragma once

#include "ui/ChartDemo.h"

#include "chart/StripLayer.h"
#include "chart/wxChartPanel.h"
#include "core/ProbeHealth.h"

#include <memory>
#include <vector>

// The colour of the clock's strip and readout lines: no channel's.
const wxColour& ClockFindingColour();

// The shade a channel's strip is drawn in: its colour darkened to three
// fifths, so that a strip never reads as a line lying along the bottom.
wxColour ProbeStripShade(const wxColour& colour);

// One strip row per plotted channel with trouble, in channel order, then
// the clock's; x in days since firstMs. Null when there is nothing to mark.
std::shared_ptr<chart::StripLayer> ProbeStripLayer(const std::vector<ProbeFinding>& findings, int64_t firstMs,
                                                   const ChannelColours& colours);

// Adds a readout line for each trouble marked at time ms (of a plotted
// channel, or of the clock), in its strip's colour.
void AddProbeReadout(const std::vector<ProbeFinding>& findings, int64_t ms, const ChannelColours& colours,
                     std::vector<wxChartPanel::ReadoutLine>& lines);
