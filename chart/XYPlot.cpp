#include "chart/XYPlot.h"

#include "chart/ChartColours.h"

#include <wx/arrstr.h>
#include <wx/dc.h>
#include <wx/debug.h>
#include <wx/graphics.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>

XYPlot::XYPlot() : m_scale(std::make_shared<chart::XScale>())
{
}
XYPlot::~XYPlot() = default;

void XYPlot::AddDataset(std::unique_ptr<XYSimpleDataset> dataset)
{
    AddDataset(std::shared_ptr<XYSimpleDataset>(std::move(dataset)));
}

void XYPlot::AddDataset(std::shared_ptr<XYSimpleDataset> dataset)
{
    wxCHECK_RET(dataset, "XYPlot::AddDataset: null dataset");
    m_datasetAt.push_back(m_layers.size());
    Placed placed;
    placed.dataset = dataset.get();
    placed.layer = std::move(dataset);
    AddPlaced(std::move(placed));
}

void XYPlot::AddLayer(std::shared_ptr<chart::PlotLayer> layer, size_t verticalAxis)
{
    wxCHECK_RET(layer, "XYPlot::AddLayer: null layer");
    Placed placed;
    placed.layer = std::move(layer);
    placed.vertical = static_cast<int>(verticalAxis);
    AddPlaced(std::move(placed));
}

void XYPlot::AddPlaced(Placed placed)
{
    m_layers.push_back(std::move(placed));
    UpdateAxisLayers();
}

void XYPlot::AddAxis(std::unique_ptr<NumberAxis> axis)
{
    wxCHECK_RET(axis, "XYPlot::AddAxis: null axis");
    axis->SetXScale(m_scale);
    (axis->IsVertical() ? m_verticalAxes : m_horizontalAxes).push_back(std::move(axis));
    UpdateAxisLayers();
}

void XYPlot::SetXScale(std::shared_ptr<chart::XScale> scale)
{
    wxCHECK_RET(scale, "XYPlot::SetXScale: null scale");
    m_scale = std::move(scale);
    for (bool vertical : {false, true})
        for (const auto& axis : AxesOf(vertical))
            axis->SetXScale(m_scale);
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
    wxCHECK_RET(dataset < m_datasetAt.size() && axis < AxesOf(vertical).size(), failure);
    m_layers[m_datasetAt[dataset]].Of(vertical) = static_cast<int>(axis);
    UpdateAxisLayers();
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
    wxCHECK_MSG(i < m_datasetAt.size(), nullptr, "XYPlot::GetDataset: index out of range");
    return m_layers[m_datasetAt[i]].dataset;
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
    return dataset < m_datasetAt.size() ? m_layers[m_datasetAt[dataset]].vertical : -1;
}

int XYPlot::GetDatasetHorizontalAxis(size_t dataset) const
{
    return dataset < m_datasetAt.size() ? m_layers[m_datasetAt[dataset]].horizontal : -1;
}

// A layer is shown on the axis it is linked to; without a link, on the
// first axis of that orientation. Each axis takes its range from exactly the
// layers shown on it, and a vertical axis asks every layer what it wants
// shown whole on it.
void XYPlot::UpdateAxisLayers()
{
    std::vector<const chart::PlotLayer*> all;
    for (const Placed& placed : m_layers)
        all.push_back(placed.layer.get());
    for (bool vertical : {false, true}) {
        const Axes& axes = AxesOf(vertical);
        for (size_t a = 0; a < axes.size(); ++a) {
            std::vector<const chart::PlotLayer*> shown;
            for (const Placed& placed : m_layers) {
                const int link = placed.Of(vertical);
                if (link == static_cast<int>(a) || (link < 0 && a == 0))
                    shown.push_back(placed.layer.get());
            }
            axes[a]->SetLayers(std::move(shown), a, vertical ? all : std::vector<const chart::PlotLayer*>());
        }
    }
}

const NumberAxis* XYPlot::AxisOf(const Placed& placed, bool vertical) const
{
    const Axes& axes = AxesOf(vertical);
    const int link = placed.Of(vertical);
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
    m_scale->SetView(view);
}

void XYPlot::ClearViewX()
{
    m_scale->Clear();
}

bool XYPlot::HasViewX() const
{
    return !m_horizontalAxes.empty() && m_scale->IsZoomed();
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
    if (dataset >= m_datasetAt.size())
        return 0;
    const NumberAxis* axis = AxisOf(m_layers[m_datasetAt[dataset]], true);
    if (!axis)
        return 0;
    const ValueToPixel map = VerticalMap(*axis, m_lastPlotArea);
    return map.origin - map.Offset(y);
}

void XYPlot::Draw(wxDC& dc, const wxRect& rect)
{
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
                DrawLayers(dc, layout);
                DrawAxisLines(dc, layout);
            }
            DrawLabels(dc, layout);
        }
        dc.SetFont(oldFont);
    }
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
    leftRoom = std::max({leftRoom, 2, m_minLeftRoom});

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

chart::LayerView XYPlot::ViewOf(const Placed& placed, const wxRect& area)
{
    chart::LayerView view;
    view.area = area;
    const NumberAxis* xAxis = AxisOf(placed, false);
    const NumberAxis* yAxis = AxisOf(placed, true);
    // Without an axis a layer spans the plot area on its own.
    const XYBounds bounds = xAxis && yAxis ? XYBounds() : placed.layer->GetBounds();
    view.x = xAxis ? chart::Range{xAxis->GetMinValue(), xAxis->GetMaxValue()}
                   : chart::Range{bounds.minX, bounds.maxX};
    view.y = yAxis ? chart::Range{yAxis->GetMinValue(), yAxis->GetMaxValue()}
                   : chart::Range{bounds.minY, bounds.maxY};
    for (const auto& axis : m_verticalAxes)
        view.yAxes.push_back({axis->GetMinValue(), axis->GetMaxValue()});
    view.reductions = &m_reductionCount;
    return view;
}

// Each layer in order, clipped to the plot area, once every layer is
// prepared.
void XYPlot::DrawLayers(wxDC& dc, const Layout& layout)
{
    std::vector<chart::LayerView> views;
    views.reserve(m_layers.size());
    for (const Placed& placed : m_layers)
        views.push_back(ViewOf(placed, layout.area));
    PrepareLayers(views);
    wxDCClipper clip(dc, layout.area);
    for (size_t i = 0; i < m_layers.size(); ++i)
        m_layers[i].layer->Draw(dc, views[i]);
}

// The layers' Prepare side by side: the cores take the next layer not yet
// taken until none is left. Without a second core, or when no thread can
// be started, this thread prepares them all.
void XYPlot::PrepareLayers(const std::vector<chart::LayerView>& views)
{
    std::atomic<size_t> next{0};
    std::exception_ptr failure;
    std::mutex failureGuard;
    auto work = [&] {
        try {
            for (size_t i = next++; i < m_layers.size(); i = next++)
                m_layers[i].layer->Prepare(views[i]);
        } catch (...) {
            const std::lock_guard<std::mutex> hold(failureGuard);
            if (!failure)
                failure = std::current_exception();
        }
    };
    const size_t cores = std::max(1u, std::thread::hardware_concurrency());
    const size_t helpers = std::min({cores - 1, m_layers.size() > 0 ? m_layers.size() - 1 : 0, size_t{3}});
    std::vector<std::thread> threads;
    threads.reserve(helpers); // no reallocation (and no throw) once a thread runs
    for (size_t t = 0; t < helpers; ++t) {
        try {
            threads.emplace_back(work);
        } catch (const std::system_error&) {
            break; // the threads started and this one do the work
        }
    }
    work();
    for (std::thread& thread : threads)
        thread.join();
    if (failure)
        std::rethrow_exception(failure);
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
