#include "chart/XYPlot.h"

#include "chart/ChartColours.h"

#include <wx/arrstr.h>
#include <wx/dc.h>
#include <wx/debug.h>
#include <wx/graphics.h>

#include <algorithm>
#include <cmath>

XYPlot::XYPlot() = default;
XYPlot::~XYPlot() = default;

void XYPlot::AddDataset(std::unique_ptr<XYSimpleDataset> dataset)
{
    wxCHECK_RET(dataset, "XYPlot::AddDataset: null dataset");
    m_datasets.push_back(std::move(dataset));
    m_links.emplace_back();
    UpdateAxisDatasets();
}

void XYPlot::AddAxis(std::unique_ptr<NumberAxis> axis)
{
    wxCHECK_RET(axis, "XYPlot::AddAxis: null axis");
    (axis->IsVertical() ? m_verticalAxes : m_horizontalAxes).push_back(std::move(axis));
    UpdateAxisDatasets();
}

void XYPlot::LinkDataVerticalAxis(size_t dataset, size_t verticalAxis)
{
    LinkDataAxis(dataset, verticalAxis, true, "XYPlot::LinkDataVerticalAxis: no such dataset or axis");
}

void XYPlot::LinkDataHorizontalAxis(size_t dataset, size_t horizontalAxis)
{
    LinkDataAxis(dataset, horizontalAxis, false, "XYPlot::LinkDataHorizontalAxis: no such dataset or axis");
}

void XYPlot::LinkDataAxis(size_t dataset, size_t axis, bool vertical, const char* failure)
{
    wxCHECK_RET(dataset < m_datasets.size() && axis < AxesOf(vertical).size(), failure);
    m_links[dataset].Of(vertical) = static_cast<int>(axis);
    UpdateAxisDatasets();
}

namespace {
// The item at i, or null (and a failed check) past the end.
template <typename T>
const T* ItemAt(const std::vector<std::unique_ptr<T>>& items, size_t i, const char* failure)
{
    wxCHECK_MSG(i < items.size(), nullptr, failure);
    return items[i].get();
}
} // namespace

const XYSimpleDataset* XYPlot::GetDataset(size_t i) const
{
    return ItemAt(m_datasets, i, "XYPlot::GetDataset: index out of range");
}

const NumberAxis* XYPlot::GetVerticalAxis(size_t i) const
{
    return ItemAt(m_verticalAxes, i, "XYPlot::GetVerticalAxis: index out of range");
}

const NumberAxis* XYPlot::GetHorizontalAxis(size_t i) const
{
    return ItemAt(m_horizontalAxes, i, "XYPlot::GetHorizontalAxis: index out of range");
}

int XYPlot::GetDatasetVerticalAxis(size_t dataset) const
{
    return dataset < m_links.size() ? m_links[dataset].vertical : -1;
}

int XYPlot::GetDatasetHorizontalAxis(size_t dataset) const
{
    return dataset < m_links.size() ? m_links[dataset].horizontal : -1;
}

// A dataset is shown on the axis it is linked to; without a link, on the
// first axis of that orientation. Each axis takes its range from exactly the
// datasets shown on it.
void XYPlot::UpdateAxisDatasets()
{
    for (bool vertical : {false, true}) {
        const Axes& axes = AxesOf(vertical);
        for (size_t a = 0; a < axes.size(); ++a) {
            std::vector<const XYSimpleDataset*> shown;
            for (size_t d = 0; d < m_datasets.size(); ++d) {
                const int link = m_links[d].Of(vertical);
                if (link == static_cast<int>(a) || (link < 0 && a == 0))
                    shown.push_back(m_datasets[d].get());
            }
            axes[a]->SetDatasets(std::move(shown));
        }
    }
}

const NumberAxis* XYPlot::AxisOf(const DatasetLinks& links, bool vertical) const
{
    const Axes& axes = AxesOf(vertical);
    const int link = links.Of(vertical);
    if (link >= 0 && static_cast<size_t>(link) < axes.size())
        return axes[link].get();
    return axes.empty() ? nullptr : axes[0].get();
}

using chart::ValueToPixel;

namespace {

// In pixels at 96 dpi; the layout scales them to the DC's resolution.
const int kTickLength = 4;
const int kLabelGap = 3;
const int kAxisSpacing = 8;
const int kPixelsPerTick = 90;
const wxColour kGridColour(225, 225, 225);
const wxColour kBorderColour(160, 160, 160);

struct AxisLayout {
    explicit AxisLayout(const NumberAxis* a) : axis(a) {}
    const NumberAxis* axis;
    std::vector<chart::Tick> ticks;
    int labelWidth = 0; // widest label line
    int thickness = 0;  // room the axis takes beside the plot area
};

// The lines of a tick label.
wxArrayString LabelLines(const wxString& label)
{
    return wxSplit(label, '\n', '\0');
}

int LabelWidth(wxDC& dc, const wxString& label)
{
    int width = 0;
    for (const wxString& line : LabelLines(label))
        width = std::max(width, dc.GetTextExtent(line).x);
    return width;
}

// The number of ticks wanted along an axis of so many pixels; the axis keeps
// it within 3 to 8.
int TickTargetFor(int pixels, int pixelsPerTick)
{
    return pixels / std::max(pixelsPerTick, 1);
}

void LayoutAxis(wxDC& dc, AxisLayout& layout, int targetTicks)
{
    layout.ticks = layout.axis->GetTicks(targetTicks);
    layout.labelWidth = 0;
    for (const chart::Tick& tick : layout.ticks)
        layout.labelWidth = std::max(layout.labelWidth, LabelWidth(dc, tick.label));
}

// Horizontal axes: as many ticks as fit with their labels side by side, and
// never fewer than three.
void LayoutHorizontalAxis(wxDC& dc, AxisLayout& layout, int width, int charHeight)
{
    const chart::TickCount limits;
    int target =
        std::clamp(TickTargetFor(width, dc.FromDIP(kPixelsPerTick)), limits.minCount, limits.maxCount);
    LayoutAxis(dc, layout, target);
    for (int attempt = 0; attempt < 6 && target > limits.minCount; ++attempt) {
        const int fits = width / std::max(layout.labelWidth + 2 * charHeight, 1);
        if (static_cast<int>(layout.ticks.size()) <= std::max(fits, limits.minCount))
            break;
        target = std::max(limits.minCount, std::min(target - 1, fits));
        LayoutAxis(dc, layout, target);
    }
}

// Sets antialiasing off while drawing lines, so that each series is drawn in
// exactly its colour, and restores the previous mode.
class NoAntialias {
public:
    explicit NoAntialias(wxDC& dc) : m_gc(dc.GetGraphicsContext())
    {
        if (m_gc) {
            m_old = m_gc->GetAntialiasMode();
            m_gc->SetAntialiasMode(wxANTIALIAS_NONE);
        }
    }
    ~NoAntialias()
    {
        if (m_gc)
            m_gc->SetAntialiasMode(m_old);
    }
    NoAntialias(const NoAntialias&) = delete;
    NoAntialias& operator=(const NoAntialias&) = delete;

private:
    wxGraphicsContext* m_gc;
    wxAntialiasMode m_old = wxANTIALIAS_DEFAULT;
};

ValueToPixel VerticalMap(const NumberAxis& axis, const wxRect& area)
{
    return ValueToPixel(axis.GetMinValue(), axis.GetMaxValue(), area.y + area.height - 1, area.height, -1);
}

ValueToPixel HorizontalMap(const NumberAxis& axis, const wxRect& area)
{
    return ValueToPixel(axis.GetMinValue(), axis.GetMaxValue(), area.x, area.width, 1);
}

} // namespace

// Where everything of one draw goes.
struct XYPlot::Layout {
    wxRect area;
    std::vector<AxisLayout> left, right, top, bottom;
    int charHeight = 0;
    int tickLength = 0;
    int labelGap = 0;
    int horizontalThickness = 0;

    int AreaBottom() const { return area.y + area.height - 1; }
    int AreaRight() const { return area.x + area.width - 1; }

    // Calls vertical(axis, x, direction) for every left and right axis and
    // horizontal(axis, y, direction) for every bottom and top axis, each at
    // its place side by side outward from the plot area (direction points
    // outward).
    template <typename Vertical, typename Horizontal>
    void ForEachAxisPlace(const Vertical& vertical, const Horizontal& horizontal) const
    {
        int offset = 0;
        for (const AxisLayout& layout : left) {
            vertical(layout, area.x - 1 - offset, -1);
            offset += layout.thickness;
        }
        offset = 0;
        for (const AxisLayout& layout : right) {
            vertical(layout, AreaRight() + 1 + offset, 1);
            offset += layout.thickness;
        }
        offset = 0;
        for (const AxisLayout& layout : bottom) {
            horizontal(layout, AreaBottom() + 1 + offset, 1);
            offset += horizontalThickness;
        }
        offset = 0;
        for (const AxisLayout& layout : top) {
            horizontal(layout, area.y - 1 - offset, -1);
            offset += horizontalThickness;
        }
    }
};

void XYPlot::SetViewX(double lo, double hi)
{
    const chart::Range full = GetFullX();
    const chart::Range view = chart::FitView({lo, hi}, full, m_minViewSpan);
    if (chart::CoversWhole(view, full)) {
        ClearViewX();
        return;
    }
    for (const auto& axis : m_horizontalAxes)
        axis->SetViewRange(view.lo, view.hi);
    for (const auto& axis : m_verticalAxes)
        axis->SetDataWindow(view.lo, view.hi);
}

void XYPlot::ClearViewX()
{
    for (const auto& axis : m_horizontalAxes)
        axis->ClearViewRange();
    for (const auto& axis : m_verticalAxes)
        axis->ClearDataWindow();
}

bool XYPlot::HasViewX() const
{
    return !m_horizontalAxes.empty() && m_horizontalAxes.front()->HasViewRange();
}

chart::Range XYPlot::GetViewX() const
{
    if (m_horizontalAxes.empty())
        return {};
    return {m_horizontalAxes.front()->GetMinValue(), m_horizontalAxes.front()->GetMaxValue()};
}

chart::Range XYPlot::GetFullX() const
{
    chart::Range full;
    if (!m_horizontalAxes.empty())
        m_horizontalAxes.front()->GetAutoRange(full.lo, full.hi);
    return full;
}

double XYPlot::XToPixel(double x) const
{
    const chart::Range view = GetViewX();
    return ValueToPixel(view.lo, view.hi, m_lastPlotArea.x, m_lastPlotArea.width, 1).Offset(x) +
           m_lastPlotArea.x;
}

double XYPlot::PixelToX(double pixel) const
{
    const chart::Range view = GetViewX();
    return ValueToPixel(view.lo, view.hi, m_lastPlotArea.x, m_lastPlotArea.width, 1).Value(pixel);
}

double XYPlot::YToPixel(size_t dataset, double y) const
{
    if (dataset >= m_links.size())
        return 0;
    const NumberAxis* axis = AxisOf(m_links[dataset], true);
    if (!axis)
        return 0;
    const ValueToPixel map = VerticalMap(*axis, m_lastPlotArea);
    return map.origin - map.Offset(y);
}

// Reducing a million points takes milliseconds; redrawing the same plot at
// the same size (a repaint, an export) reuses the result. A series never
// changes once made, so its address and the mapping identify the result.
const chart::ReducedLine& XYPlot::Reduced(const XYSerie& serie, double xLo, double xHi, double yLo,
                                          double yHi, const wxRect& area)
{
    for (ReducedSerie& reduced : m_reduced) {
        if (reduced.serie == &serie && reduced.area == area && reduced.xLo == xLo && reduced.xHi == xHi &&
            reduced.yLo == yLo && reduced.yHi == yHi) {
            m_newReduced.push_back(std::move(reduced));
            reduced = ReducedSerie{}; // an empty slot: never matches again
            return m_newReduced.back().line;
        }
    }
    ReducedSerie reduced{&serie, area, xLo, xHi, yLo, yHi, {}};
    reduced.line = chart::ReduceSerie(serie, xLo, xHi, area.x, area.width, yLo, yHi, area.y + area.height - 1,
                                      area.height);
    ++m_reductionCount;
    m_newReduced.push_back(std::move(reduced));
    return m_newReduced.back().line;
}

void XYPlot::AdoptReductions(XYPlot& other)
{
    if (&other == this)
        return;
    // Only entries of series this plot holds: an entry of a series gone
    // could otherwise match a new one made at its address.
    for (ReducedSerie& reduced : other.m_reduced) {
        bool shown = false;
        for (const auto& dataset : m_datasets)
            for (size_t s = 0; s < dataset->GetSerieCount() && !shown; ++s)
                shown = dataset->GetSerie(s) == reduced.serie;
        if (shown) {
            m_reduced.push_back(std::move(reduced));
            reduced = ReducedSerie{};
        }
    }
}

void XYPlot::Draw(wxDC& dc, const wxRect& rect)
{
    // Only what this draw uses is kept for the next one.
    m_newReduced.clear();
    m_lastPlotArea = wxRect();
    if (rect.width > 0 && rect.height > 0) {
        wxDCClipper clip(dc, rect);
        const wxFont oldFont = dc.GetFont();
        dc.SetFont(*wxNORMAL_FONT);
        dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
        Layout layout;
        if (LayOut(dc, rect, layout)) {
            m_lastPlotArea = layout.area;
            {
                NoAntialias crisp(dc);
                DrawGrid(dc, layout);
                DrawSeries(dc, layout);
                DrawAxisLines(dc, layout);
            }
            DrawLabels(dc, layout);
        }
        dc.SetFont(oldFont);
    }
    m_reduced.swap(m_newReduced);
    m_newReduced.clear();
}

void XYPlot::LayOutOnly(wxDC& dc, const wxRect& rect)
{
    m_lastPlotArea = wxRect();
    if (rect.width <= 0 || rect.height <= 0)
        return;
    const wxFont oldFont = dc.GetFont();
    dc.SetFont(*wxNORMAL_FONT);
    Layout layout;
    if (LayOut(dc, rect, layout))
        m_lastPlotArea = layout.area;
    dc.SetFont(oldFont);
}

bool XYPlot::LayOut(wxDC& dc, const wxRect& rect, Layout& layout) const
{
    const int charHeight = dc.GetCharHeight();
    const int tickLength = dc.FromDIP(kTickLength);
    const int labelGap = dc.FromDIP(kLabelGap);
    const int axisSpacing = dc.FromDIP(kAxisSpacing);
    layout.charHeight = charHeight;
    layout.tickLength = tickLength;
    layout.labelGap = labelGap;

    auto& left = layout.left;
    auto& right = layout.right;
    auto& top = layout.top;
    auto& bottom = layout.bottom;
    for (const auto& axis : m_verticalAxes)
        (axis->GetLocation() == AXIS_RIGHT ? right : left).emplace_back(axis.get());
    int labelLines = 1;
    for (const auto& axis : m_horizontalAxes) {
        (axis->GetLocation() == AXIS_TOP ? top : bottom).emplace_back(axis.get());
        labelLines = std::max(labelLines, axis->GetLabelLines());
    }

    // Heights first (horizontal axes are as high as their tallest label),
    // then the vertical axes' ticks and widths, then the horizontal axes'
    // ticks.
    const int horizontalThickness = tickLength + labelGap + labelLines * charHeight + axisSpacing / 2;
    layout.horizontalThickness = horizontalThickness;
    const int topRoom = std::max(static_cast<int>(top.size()) * horizontalThickness, charHeight / 2 + 1);
    const int bottomRoom =
        std::max(static_cast<int>(bottom.size()) * horizontalThickness, charHeight / 2 + 1);
    const int plotTop = rect.y + topRoom;
    const int plotHeight = rect.height - topRoom - bottomRoom;

    int leftRoom = 0, rightRoom = 0;
    for (auto* side : {&left, &right}) {
        for (AxisLayout& axis : *side) {
            LayoutAxis(dc, axis, TickTargetFor(plotHeight, 3 * charHeight));
            axis.thickness = tickLength + labelGap + axis.labelWidth + axisSpacing;
            (side == &left ? leftRoom : rightRoom) += axis.thickness;
        }
    }
    leftRoom = std::max(leftRoom, 2);

    // The first and last bottom labels are centred on the plot's edges:
    // leave room for their outer halves where no vertical axis does.
    int plotWidth = rect.width - leftRoom - std::max(rightRoom, 2);
    int overhang = 0, leftOverhang = 0;
    for (auto* side : {&top, &bottom}) {
        for (AxisLayout& axis : *side) {
            LayoutHorizontalAxis(dc, axis, plotWidth, charHeight);
            if (!axis.ticks.empty()) {
                overhang = std::max(overhang, LabelWidth(dc, axis.ticks.back().label) / 2 + 2);
                leftOverhang = std::max(leftOverhang, LabelWidth(dc, axis.ticks.front().label) / 2 + 2);
            }
        }
    }
    const bool widenLeft = leftOverhang > leftRoom;
    if (widenLeft)
        leftRoom = leftOverhang;
    if ((right.empty() && overhang > 2) || widenLeft) {
        plotWidth = rect.width - leftRoom - (right.empty() ? std::max(overhang, 2) : rightRoom);
        for (auto* side : {&top, &bottom})
            for (AxisLayout& axis : *side)
                LayoutHorizontalAxis(dc, axis, plotWidth, charHeight);
    }
    if (plotWidth < 2 || plotHeight < 2)
        return false;
    layout.area = wxRect(rect.x + leftRoom, plotTop, plotWidth, plotHeight);
    return true;
}

// The grid of the first axis of each orientation, then the border.
void XYPlot::DrawGrid(wxDC& dc, const Layout& layout) const
{
    const wxRect& area = layout.area;
    dc.SetPen(wxPen(kGridColour, 1, wxPENSTYLE_SOLID));
    if (!layout.left.empty() || !layout.right.empty()) {
        const AxisLayout& first = layout.left.empty() ? layout.right.front() : layout.left.front();
        const ValueToPixel toY = VerticalMap(*first.axis, area);
        for (const chart::Tick& tick : first.ticks)
            dc.DrawLine(area.x, toY.Pixel(tick.value), layout.AreaRight() + 1, toY.Pixel(tick.value));
    }
    if (!layout.bottom.empty() || !layout.top.empty()) {
        const AxisLayout& first = layout.bottom.empty() ? layout.top.front() : layout.bottom.front();
        const ValueToPixel toX = HorizontalMap(*first.axis, area);
        for (const chart::Tick& tick : first.ticks)
            dc.DrawLine(toX.Pixel(tick.value), area.y, toX.Pixel(tick.value), layout.AreaBottom() + 1);
    }
    dc.SetPen(wxPen(kBorderColour, 1, wxPENSTYLE_SOLID));
    dc.SetBrush(*wxTRANSPARENT_BRUSH);
    dc.DrawRectangle(wxRect(area).Inflate(1));
}

namespace {
// A light tint of colour on the white plot: a fifth of it.
wxColour Tint(const wxColour& colour)
{
    auto mix = [](unsigned char c) { return static_cast<unsigned char>(255 - (255 - c) / 5); };
    return wxColour(mix(colour.Red()), mix(colour.Green()), mix(colour.Blue()));
}
} // namespace

// The target bands of every dataset, beneath every series: the tints first,
// then their edges and target lines, so that a band overlapping another
// still shows where it ends. Bands that follow one another make one stepped
// line each for the top edge, the bottom edge and the target.
void XYPlot::DrawBands(wxDC& dc, const Layout& layout) const
{
    const wxRect& area = layout.area;
    struct Placed {
        wxRect rect;
        int targetY;
    };
    struct Banded {
        wxColour colour;
        std::vector<Placed> bands;
    };
    std::vector<Banded> banded;
    for (size_t d = 0; d < m_datasets.size(); ++d) {
        const XYSimpleDataset& dataset = *m_datasets[d];
        const NumberAxis* xAxis = AxisOf(m_links[d], false);
        const NumberAxis* yAxis = AxisOf(m_links[d], true);
        if (dataset.GetBands().empty() || !xAxis || !yAxis)
            continue;
        const ValueToPixel toX = HorizontalMap(*xAxis, area);
        const ValueToPixel toY = VerticalMap(*yAxis, area);
        const XYLineRenderer* renderer = dataset.GetRenderer();
        Banded one{renderer ? renderer->GetSerieColour(0) : *wxBLUE, {}};
        for (const chart::TargetBand& band : dataset.GetBands()) {
            if (band.xTo < xAxis->GetMinValue() || band.xFrom > xAxis->GetMaxValue())
                continue;
            const int x0 = std::max(toX.Pixel(band.xFrom), area.x - 1);
            const int x1 = std::min(toX.Pixel(band.xTo), area.GetRight() + 1);
            const int yTop = std::max(toY.Pixel(band.hi), area.y - 1);
            const int yBottom = std::min(toY.Pixel(band.lo), area.GetBottom() + 1);
            if (x1 < x0 || yBottom < yTop)
                continue;
            one.bands.push_back({wxRect(wxPoint(x0, yTop), wxPoint(x1, yBottom)), toY.Pixel(band.target)});
        }
        if (!one.bands.empty())
            banded.push_back(std::move(one));
    }
    // Where the DC blends (cairo, a graphics context), bands of several
    // channels show through each other; elsewhere each is an opaque tint.
    // A channel's bands are filled as one path: a year of daily bands is
    // then one pass over the pixels, not one per day.
    wxGraphicsContext* gc = dc.GetGraphicsContext();
    dc.SetPen(*wxTRANSPARENT_PEN);
    for (const Banded& one : banded) {
        if (gc) {
            wxGraphicsPath path = gc->CreatePath();
            for (const Placed& band : one.bands)
                path.AddRectangle(band.rect.x, band.rect.y, band.rect.width, band.rect.height);
            gc->SetPen(*wxTRANSPARENT_PEN);
            gc->SetBrush(wxBrush(wxColour(one.colour.Red(), one.colour.Green(), one.colour.Blue(), 51)));
            gc->FillPath(path);
            continue;
        }
        dc.SetBrush(wxBrush(Tint(one.colour)));
        for (const Placed& band : one.bands)
            dc.DrawRectangle(band.rect);
    }
    // A stepped line through y(band) of consecutive bands, broken where one
    // does not start where the last ended.
    auto stepped = [&](const std::vector<Placed>& bands, auto y) {
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
    };
    for (const Banded& one : banded) {
        dc.SetPen(wxPen(Tint(chart::ReadableOn(one.colour, *wxWHITE)), 1));
        stepped(one.bands, [](const Placed& band) { return band.rect.y; });
        stepped(one.bands, [](const Placed& band) { return band.rect.GetBottom(); });
        dc.SetPen(wxPen(one.colour, 1, wxPENSTYLE_SHORT_DASH));
        stepped(one.bands, [](const Placed& band) { return band.targetY; });
    }
}

// Each dataset's series through its renderer, clipped to the plot area.
void XYPlot::DrawSeries(wxDC& dc, const Layout& layout)
{
    const wxRect& area = layout.area;
    wxDCClipper clip(dc, area);
    DrawBands(dc, layout);
    const XYLineRenderer fallback;
    for (size_t d = 0; d < m_datasets.size(); ++d) {
        const XYSimpleDataset& dataset = *m_datasets[d];
        const NumberAxis* xAxis = AxisOf(m_links[d], false);
        const NumberAxis* yAxis = AxisOf(m_links[d], true);
        const XYBounds bounds = dataset.GetBounds();
        if (bounds.empty)
            continue;
        // Without an axis the dataset spans the plot area on its own.
        const double xLo = xAxis ? xAxis->GetMinValue() : bounds.minX;
        const double xHi = xAxis ? xAxis->GetMaxValue() : bounds.maxX;
        const double yLo = yAxis ? yAxis->GetMinValue() : bounds.minY;
        const double yHi = yAxis ? yAxis->GetMaxValue() : bounds.maxY;
        const XYLineRenderer* renderer = dataset.GetRenderer();
        const XYLineRenderer& drawer = renderer ? *renderer : fallback;
        for (size_t s = 0; s < dataset.GetSerieCount(); ++s) {
            if (!drawer.GetDrawLines() && !drawer.GetDrawSymbols())
                continue;
            drawer.Draw(dc, s, Reduced(*dataset.GetSerie(s), xLo, xHi, yLo, yHi, area), !renderer);
        }
    }
}

// Axis lines and tick marks in each axis's label pen.
void XYPlot::DrawAxisLines(wxDC& dc, const Layout& layout) const
{
    const wxRect& area = layout.area;
    const int tickLength = layout.tickLength;
    auto drawVertical = [&](const AxisLayout& axis, int axisX, int direction) {
        dc.SetPen(axis.axis->GetLabelPen());
        dc.DrawLine(axisX, area.y - 1, axisX, layout.AreaBottom() + 2);
        const ValueToPixel toY = VerticalMap(*axis.axis, area);
        for (const chart::Tick& tick : axis.ticks) {
            const int y = toY.Pixel(tick.value);
            dc.DrawLine(axisX, y, axisX + direction * (tickLength + 1), y);
        }
    };
    auto drawHorizontal = [&](const AxisLayout& axis, int axisY, int direction) {
        dc.SetPen(axis.axis->GetLabelPen());
        dc.DrawLine(area.x - 1, axisY, layout.AreaRight() + 2, axisY);
        const ValueToPixel toX = HorizontalMap(*axis.axis, area);
        for (const chart::Tick& tick : axis.ticks) {
            const int x = toX.Pixel(tick.value);
            dc.DrawLine(x, axisY, x, axisY + direction * (tickLength + 1));
        }
    };
    layout.ForEachAxisPlace(drawVertical, drawHorizontal);
}

// Tick labels in each axis's label text colour, or in a darker shade of it
// where the colour itself is too light to read on the background (a yellow
// or cyan series, say). A label of two lines has them centred one under the
// other.
void XYPlot::DrawLabels(wxDC& dc, const Layout& layout) const
{
    const wxRect& area = layout.area;
    const int tickLength = layout.tickLength, labelGap = layout.labelGap;
    const wxColour background = chart::BackgroundColour();
    auto labelsVertical = [&](const AxisLayout& axis, int axisX, int direction) {
        dc.SetTextForeground(chart::ReadableOn(axis.axis->GetLabelTextColour(), background));
        const ValueToPixel toY = VerticalMap(*axis.axis, area);
        for (const chart::Tick& tick : axis.ticks) {
            const wxSize extent = dc.GetTextExtent(tick.label);
            const int y = toY.Pixel(tick.value) - extent.y / 2;
            const int x =
                direction < 0 ? axisX - tickLength - labelGap - extent.x : axisX + tickLength + labelGap;
            dc.DrawText(tick.label, x, y);
        }
    };
    auto labelsHorizontal = [&](const AxisLayout& axis, int axisY, int direction) {
        dc.SetTextForeground(chart::ReadableOn(axis.axis->GetLabelTextColour(), background));
        const ValueToPixel toX = HorizontalMap(*axis.axis, area);
        for (const chart::Tick& tick : axis.ticks) {
            const wxArrayString lines = LabelLines(tick.label);
            int height = 0;
            for (const wxString& line : lines)
                height += dc.GetTextExtent(line).y;
            int y = direction > 0 ? axisY + tickLength + labelGap : axisY - tickLength - labelGap - height;
            for (const wxString& line : lines) {
                const wxSize extent = dc.GetTextExtent(line);
                dc.DrawText(line, toX.Pixel(tick.value) - extent.x / 2, y);
                y += extent.y;
            }
        }
    };
    layout.ForEachAxisPlace(labelsVertical, labelsHorizontal);
}
