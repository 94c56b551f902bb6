#include "chart/XYPlot.h"

#include "chart/ChartColours.h"

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

namespace {

// In pixels at 96 dpi; DrawPlot scales them to the DC's resolution.
const int kTickLength = 4;
const int kLabelGap = 3;
const int kAxisSpacing = 8;
const int kPixelsPerTick = 90;
const wxColour kGridColour(225, 225, 225);
const wxColour kBorderColour(160, 160, 160);

// A linear map from values in [lo, hi] to pixels origin .. origin + direction
// * (pixels - 1). Halves are taken first so that the span of two huge values
// never overflows.
struct ValueToPixel {
    double halfLo = 0;
    double scale = 0;
    double origin = 0;
    double direction = 1;

    ValueToPixel(double lo, double hi, int originPixel, int pixels, int dir)
        : halfLo(lo * 0.5), origin(originPixel), direction(dir)
    {
        const double halfSpan = hi * 0.5 - lo * 0.5;
        scale = halfSpan > 0 && pixels > 1 ? (pixels - 1) / halfSpan : 0;
    }
    // Offset along the axis in pixels (not rounded, not clamped).
    double Offset(double value) const { return (value * 0.5 - halfLo) * scale; }
    // A pixel coordinate, clamped far outside any window so that the
    // conversion to int is always defined.
    int Pixel(double value) const
    {
        double offset = std::floor(Offset(value) + 0.5);
        offset = std::clamp(offset, -1e6, 1e6);
        return static_cast<int>(origin + direction * offset);
    }
};

struct AxisLayout {
    explicit AxisLayout(const NumberAxis* a) : axis(a) {}
    const NumberAxis* axis;
    std::vector<double> ticks;
    std::vector<wxString> labels;
    int labelWidth = 0; // widest label
    int thickness = 0;  // room the axis takes beside the plot area
};

// The number of ticks wanted along an axis of so many pixels; the axis keeps
// it within 3 to 8.
int TickTargetFor(int pixels, int pixelsPerTick)
{
    return pixels / std::max(pixelsPerTick, 1);
}

void LayoutAxis(wxDC& dc, AxisLayout& layout, int targetTicks)
{
    const double step = layout.axis->GetTickStep(targetTicks);
    layout.ticks = layout.axis->GetTickValues(targetTicks);
    layout.labels.clear();
    layout.labelWidth = 0;
    for (double value : layout.ticks) {
        layout.labels.push_back(NumberAxis::FormatTickLabel(value, step));
        layout.labelWidth = std::max(layout.labelWidth, dc.GetTextExtent(layout.labels.back()).x);
    }
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

} // namespace

// Reducing a million points takes milliseconds; redrawing the same plot at
// the same size (a repaint, an export) reuses the result. A series never
// changes once made, so its address and the mapping identify the result.
const chart::ReducedLine& XYPlot::ReducedLine(const XYSerie& serie, double xLo, double xHi, double yLo,
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

void XYPlot::Draw(wxDC& dc, const wxRect& rect)
{
    // Only what this draw uses is kept for the next one.
    m_newReduced.clear();
    if (rect.width > 0 && rect.height > 0) {
        wxDCClipper clip(dc, rect);
        DrawPlot(dc, rect);
    } else {
        m_lastPlotArea = wxRect();
    }
    m_reduced.swap(m_newReduced);
    m_newReduced.clear();
}

void XYPlot::DrawPlot(wxDC& dc, const wxRect& rect)
{
    m_lastPlotArea = wxRect();
    if (rect.width <= 0 || rect.height <= 0)
        return;

    const wxFont oldFont = dc.GetFont();
    dc.SetFont(*wxNORMAL_FONT);
    dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    const int charHeight = dc.GetCharHeight();
    const int tickLength = dc.FromDIP(kTickLength);
    const int labelGap = dc.FromDIP(kLabelGap);
    const int axisSpacing = dc.FromDIP(kAxisSpacing);

    std::vector<AxisLayout> left, right, top, bottom;
    for (const auto& axis : m_verticalAxes)
        (axis->GetLocation() == AXIS_RIGHT ? right : left).emplace_back(axis.get());
    for (const auto& axis : m_horizontalAxes)
        (axis->GetLocation() == AXIS_TOP ? top : bottom).emplace_back(axis.get());

    // Heights first (horizontal axes are one text line high), then the
    // vertical axes' ticks and widths, then the horizontal axes' ticks.
    const int horizontalThickness = tickLength + labelGap + charHeight + axisSpacing / 2;
    const int topRoom = std::max(static_cast<int>(top.size()) * horizontalThickness, charHeight / 2 + 1);
    const int bottomRoom =
        std::max(static_cast<int>(bottom.size()) * horizontalThickness, charHeight / 2 + 1);
    const int plotTop = rect.y + topRoom;
    const int plotHeight = rect.height - topRoom - bottomRoom;

    int leftRoom = 0, rightRoom = 0;
    for (auto* side : {&left, &right}) {
        for (AxisLayout& layout : *side) {
            LayoutAxis(dc, layout, TickTargetFor(plotHeight, 3 * charHeight));
            layout.thickness = tickLength + labelGap + layout.labelWidth + axisSpacing;
            (side == &left ? leftRoom : rightRoom) += layout.thickness;
        }
    }
    leftRoom = std::max(leftRoom, 2);

    // The first and last bottom labels are centred on the plot's edges:
    // leave room for their outer halves where no vertical axis does.
    int plotWidth = rect.width - leftRoom - std::max(rightRoom, 2);
    int overhang = 0, leftOverhang = 0;
    for (auto* side : {&top, &bottom}) {
        for (AxisLayout& layout : *side) {
            LayoutHorizontalAxis(dc, layout, plotWidth, charHeight);
            if (!layout.labels.empty()) {
                overhang = std::max(overhang, dc.GetTextExtent(layout.labels.back()).x / 2 + 2);
                leftOverhang = std::max(leftOverhang, dc.GetTextExtent(layout.labels.front()).x / 2 + 2);
            }
        }
    }
    const bool widenLeft = leftOverhang > leftRoom;
    if (widenLeft)
        leftRoom = leftOverhang;
    if ((right.empty() && overhang > 2) || widenLeft) {
        plotWidth = rect.width - leftRoom - (right.empty() ? std::max(overhang, 2) : rightRoom);
        for (auto* side : {&top, &bottom})
            for (AxisLayout& layout : *side)
                LayoutHorizontalAxis(dc, layout, plotWidth, charHeight);
    }
    if (plotWidth < 2 || plotHeight < 2) {
        dc.SetFont(oldFont);
        return;
    }
    const wxRect area(rect.x + leftRoom, plotTop, plotWidth, plotHeight);
    m_lastPlotArea = area;
    const int areaBottom = area.y + area.height - 1;
    const int areaRight = area.x + area.width - 1;

    // Calls vertical(axis, x, direction) for every left and right axis and
    // horizontal(axis, y, direction) for every bottom and top axis, each at its
    // place side by side outward from the plot area (direction points outward).
    const auto ForEachAxisPlace = [&](const auto& vertical, const auto& horizontal) {
        int offset = 0;
        for (const AxisLayout& layout : left) {
            vertical(layout, area.x - 1 - offset, -1);
            offset += layout.thickness;
        }
        offset = 0;
        for (const AxisLayout& layout : right) {
            vertical(layout, areaRight + 1 + offset, 1);
            offset += layout.thickness;
        }
        offset = 0;
        for (const AxisLayout& layout : bottom) {
            horizontal(layout, areaBottom + 1 + offset, 1);
            offset += horizontalThickness;
        }
        offset = 0;
        for (const AxisLayout& layout : top) {
            horizontal(layout, area.y - 1 - offset, -1);
            offset += horizontalThickness;
        }
    };

    {
        NoAntialias crisp(dc);

        // Grid of the first axis of each orientation, then the border.
        dc.SetPen(wxPen(kGridColour, 1, wxPENSTYLE_SOLID));
        if (!left.empty() || !right.empty()) {
            const AxisLayout& first = left.empty() ? right.front() : left.front();
            const ValueToPixel toY(first.axis->GetMinValue(), first.axis->GetMaxValue(), areaBottom,
                                   area.height, -1);
            for (double value : first.ticks)
                dc.DrawLine(area.x, toY.Pixel(value), areaRight + 1, toY.Pixel(value));
        }
        if (!bottom.empty() || !top.empty()) {
            const AxisLayout& first = bottom.empty() ? top.front() : bottom.front();
            const ValueToPixel toX(first.axis->GetMinValue(), first.axis->GetMaxValue(), area.x, area.width,
                                   1);
            for (double value : first.ticks)
                dc.DrawLine(toX.Pixel(value), area.y, toX.Pixel(value), areaBottom + 1);
        }
        dc.SetPen(wxPen(kBorderColour, 1, wxPENSTYLE_SOLID));
        dc.SetBrush(*wxTRANSPARENT_BRUSH);
        dc.DrawRectangle(wxRect(area).Inflate(1));

        // Series, clipped to the plot area.
        {
            wxDCClipper clip(dc, area);
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
                for (size_t s = 0; s < dataset.GetSerieCount(); ++s) {
                    const wxColour colour = renderer ? renderer->GetSerieColour(s) : *wxBLUE;
                    if (renderer && !renderer->GetDrawLines() && !renderer->GetDrawSymbols())
                        continue;
                    const int width = renderer ? renderer->GetWidth() : 1;
                    const wxPenStyle style = renderer ? renderer->GetStyle() : wxPENSTYLE_SOLID;
                    dc.SetPen(wxPen(colour, width, style));
                    dc.SetBrush(wxBrush(colour));
                    const bool lines = !renderer || renderer->GetDrawLines();
                    const bool symbols = renderer && renderer->GetDrawSymbols();
                    const chart::ReducedLine& line =
                        ReducedLine(*dataset.GetSerie(s), xLo, xHi, yLo, yHi, area);
                    // One polyline per run (the line is broken at dropouts);
                    // a lone point (a one-record log, a reading between two
                    // dropouts) is still shown, as a dot of three by three
                    // pixels.
                    for (size_t r = 0; r < line.RunCount(); ++r) {
                        const size_t begin = line.RunBegin(r), end = line.RunEnd(r);
                        if (end - begin > 1 && lines) {
                            dc.DrawLines(static_cast<int>(end - begin), &line.points[begin]);
                            continue;
                        }
                        for (size_t i = begin; i < end; ++i)
                            dc.DrawRectangle(line.points[i].x - 1, line.points[i].y - 1, 3, 3);
                    }
                    if (symbols)
                        for (const wxPoint& point : line.points)
                            dc.DrawRectangle(point.x - 2, point.y - 2, 5, 5);
                }
            }
        }

        // Axis lines and tick marks in each axis's label pen.
        auto drawVertical = [&](const AxisLayout& layout, int axisX, int direction) {
            wxPen pen = layout.axis->GetLabelPen();
            dc.SetPen(pen);
            dc.DrawLine(axisX, area.y - 1, axisX, areaBottom + 2);
            const ValueToPixel toY(layout.axis->GetMinValue(), layout.axis->GetMaxValue(), areaBottom,
                                   area.height, -1);
            for (double value : layout.ticks) {
                const int y = toY.Pixel(value);
                dc.DrawLine(axisX, y, axisX + direction * (tickLength + 1), y);
            }
        };
        auto drawHorizontal = [&](const AxisLayout& layout, int axisY, int direction) {
            dc.SetPen(layout.axis->GetLabelPen());
            dc.DrawLine(area.x - 1, axisY, areaRight + 2, axisY);
            const ValueToPixel toX(layout.axis->GetMinValue(), layout.axis->GetMaxValue(), area.x, area.width,
                                   1);
            for (double value : layout.ticks) {
                const int x = toX.Pixel(value);
                dc.DrawLine(x, axisY, x, axisY + direction * (tickLength + 1));
            }
        };
        ForEachAxisPlace(drawVertical, drawHorizontal);
    }

    // Tick labels in each axis's label text colour, or in a darker shade of
    // it where the colour itself is too light to read on the background (a
    // yellow or cyan series, say).
    const wxColour background = chart::BackgroundColour();
    auto labelsVertical = [&](const AxisLayout& layout, int axisX, int direction) {
        dc.SetTextForeground(chart::ReadableOn(layout.axis->GetLabelTextColour(), background));
        const ValueToPixel toY(layout.axis->GetMinValue(), layout.axis->GetMaxValue(), areaBottom,
                               area.height, -1);
        for (size_t k = 0; k < layout.ticks.size(); ++k) {
            const wxSize extent = dc.GetTextExtent(layout.labels[k]);
            const int y = toY.Pixel(layout.ticks[k]) - extent.y / 2;
            const int x =
                direction < 0 ? axisX - tickLength - labelGap - extent.x : axisX + tickLength + labelGap;
            dc.DrawText(layout.labels[k], x, y);
        }
    };
    auto labelsHorizontal = [&](const AxisLayout& layout, int axisY, int direction) {
        dc.SetTextForeground(chart::ReadableOn(layout.axis->GetLabelTextColour(), background));
        const ValueToPixel toX(layout.axis->GetMinValue(), layout.axis->GetMaxValue(), area.x, area.width, 1);
        for (size_t k = 0; k < layout.ticks.size(); ++k) {
            const wxSize extent = dc.GetTextExtent(layout.labels[k]);
            const int x = toX.Pixel(layout.ticks[k]) - extent.x / 2;
            const int y =
                direction > 0 ? axisY + tickLength + labelGap : axisY - tickLength - labelGap - extent.y;
            dc.DrawText(layout.labels[k], x, y);
        }
    };
    ForEachAxisPlace(labelsVertical, labelsHorizontal);
    dc.SetFont(oldFont);
}
