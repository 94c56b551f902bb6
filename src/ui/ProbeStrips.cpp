#include "ui/ProbeStrips.h"

#include "util/CivilTime.h"

namespace {

// Whether a finding is marked on a chart of these colours.
const wxColour* MarkColour(const ProbeFinding& f, const ChannelColours& colours)
{
    if (!f.IsTrouble())
        return nullptr;
    if (f.channel < 0)
        return &ClockFindingColour();
    return f.channel < kLogChannelCount ? colours[f.channel] : nullptr;
}

} // namespace

wxColour ProbeStripShade(const wxColour& colour)
{
    const auto dark = [](unsigned char c) { return static_cast<unsigned char>(c * 3 / 5); };
    return wxColour(dark(colour.Red()), dark(colour.Green()), dark(colour.Blue()));
}

const wxColour& ClockFindingColour()
{
    static const wxColour grey(96, 96, 96);
    return grey;
}

std::shared_ptr<chart::StripLayer> ProbeStripLayer(const std::vector<ProbeFinding>& findings, int64_t firstMs,
                                                   const ChannelColours& colours)
{
    auto layer = std::make_shared<chart::StripLayer>();
    // Channels 0..5, then the clock (-1) last.
    for (int k = 0; k <= kLogChannelCount; ++k) {
        const int channel = k < kLogChannelCount ? k : -1;
        chart::StripSet set;
        for (const ProbeFinding& f : findings) {
            const wxColour* colour = MarkColour(f, colours);
            if (f.channel != channel || colour == nullptr)
                continue;
            set.colour = ProbeStripShade(*colour);
            set.strips.push_back({civil::DaysSince(f.fromMs, firstMs), civil::DaysSince(f.toMs, firstMs)});
        }
        if (!set.strips.empty())
            layer->AddSet(std::move(set));
    }
    return layer->GetSets().empty() ? nullptr : layer;
}

void AddProbeReadout(const std::vector<ProbeFinding>& findings, int64_t ms, const ChannelColours& colours,
                     std::vector<wxChartPanel::ReadoutLine>& lines)
{
    for (const ProbeFinding& f : findings) {
        const wxColour* colour = MarkColour(f, colours);
        if (colour != nullptr && f.fromMs <= ms && ms <= f.toMs)
            lines.push_back({f.reason, *colour});
    }
}
