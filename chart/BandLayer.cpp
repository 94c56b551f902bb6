#include "chart/BandLayer.h"

#include "chart/ChartColours.h"

#include <wx/brush.h>
#include <wx/graphics.h>
#include <wx/pen.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace chart {

namespace {
bool Finite(double v)
{
    return std::isfinite(v);
}

// A light tint of colour on the white plot: a fifth of it.
wxColour Tint(const wxColour& colour)
{
    auto mix = [](unsigned char c) { return static_cast<unsigned char>(255 - (255 - c) / 5); };
    return wxColour(mix(colour.Red()), mix(colour.Green()), mix(colour.Blue()));
}
} // namespace

XYBounds BandLayer::GetExtentWithin(size_t axis, double xLo, double xHi) const
{
    XYBounds bounds;
    for (const BandSet& set : m_sets) {
        if (set.axis != axis)
            continue;
        for (const Band& band : set.bands) {
            if (!(band.xTo >= xLo && band.xFrom <= xHi) || !Finite(band.lo) || !Finite(band.hi))
                continue;
            bounds.Include(std::max(band.xFrom, xLo), band.lo);
            bounds.Include(std::min(band.xTo, xHi), band.hi);
        }
    }
    return bounds;
}

// Where the DC blends (cairo, a graphics context), bands of several sets
// show through each other; elsewhere each is an opaque tint. A set's bands
// are filled as one path: a year of daily bands is then one pass over the
// pixels, not one per day.
void BandLayer::Fill(wxDC& dc, const wxColour& colour, const std::vector<Placed>& bands) const
{
    if (wxGraphicsContext* gc = dc.GetGraphicsContext()) {
        wxGraphicsPath path = gc->CreatePath();
        for (const Placed& band : bands)
            path.AddRectangle(band.rect.x, band.rect.y, band.rect.width, band.rect.height);
        gc->SetPen(*wxTRANSPARENT_PEN);
        gc->SetBrush(wxBrush(wxColour(colour.Red(), colour.Green(), colour.Blue(), 51)));
        gc->FillPath(path);
        return;
    }
    dc.SetBrush(wxBrush(Tint(colour)));
    for (const Placed& band : bands)
        dc.DrawRectangle(band.rect);
}

// A stepped line through y(band) of consecutive bands, broken where one
// does not start where the last ended.
void BandLayer::Stepped(wxDC& dc, const std::vector<Placed>& bands, int (*y)(const Placed&))
{
    std::vector<wxPoint> line;
    auto flush = [&] {
        if (line.size() > 1)
            dc.DrawLines(static_cast<int>(line.size()), line.data());
        line.clear();
    };
    for (const Placed& band : bands) {
        if (!line.empty() && std::abs(line.back().x - band.rect.x) > 1)
            flush();
        line.emplace_back(band.rect.x, y(band));
        line.emplace_back(band.rect.GetRight() + 1, y(band));
    }
    flush();
}

void BandLayer::Draw(wxDC& dc, const LayerView& view)
{
    const wxRect& area = view.area;
    struct Placing {
        wxColour colour;
        std::vector<Placed> bands;
    };
    std::vector<Placing> placed;
    const ValueToPixel toX = view.ToX();
    for (const BandSet& set : m_sets) {
        if (set.bands.empty() || set.axis >= view.yAxes.size())
            continue;
        const ValueToPixel toY = view.ToY(view.yAxes[set.axis]);
        Placing one{set.colour, {}};
        for (const Band& band : set.bands) {
            if (band.xTo < view.x.lo || band.xFrom > view.x.hi)
                continue;
            const int x0 = std::max(toX.Pixel(band.xFrom), area.x - 1);
            const int x1 = std::min(toX.Pixel(band.xTo), area.GetRight() + 1);
            const int yTop = std::max(toY.Pixel(band.hi), area.y - 1);
            const int yBottom = std::min(toY.Pixel(band.lo), area.GetBottom() + 1);
            if (x1 < x0 || yBottom < yTop)
                continue;
            one.bands.push_back({wxRect(wxPoint(x0, yTop), wxPoint(x1, yBottom)), toY.Pixel(band.middle)});
        }
        if (!one.bands.empty())
            placed.push_back(std::move(one));
    }
    dc.SetPen(*wxTRANSPARENT_PEN);
    for (const Placing& one : placed)
        Fill(dc, one.colour, one.bands);
    for (const Placing& one : placed) {
        dc.SetPen(wxPen(Tint(ReadableOn(one.colour, *wxWHITE)), 1));
        Stepped(dc, one.bands, [](const Placed& band) { return band.rect.y; });
        Stepped(dc, one.bands, [](const Placed& band) { return band.rect.GetBottom(); });
        dc.SetPen(wxPen(one.colour, 1, wxPENSTYLE_SHORT_DASH));
        Stepped(dc, one.bands, [](const Placed& band) { return band.middleY; });
    }
}

} // namespace chart
