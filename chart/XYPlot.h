// A plot of layers against value axes: axes on the left, right, top or
// bottom of one plot area; the layers drawn in the order added, each against
// the vertical axis it is linked to, all over one x scale. Drawing is: lay
// out, grid, layers, axis lines, labels.
#pragma once

#include "chart/NumberAxis.h"
#include "chart/PlotLayer.h"
#include "chart/ValueToPixel.h"
#include "chart/ViewRange.h"
#include "chart/XScale.h"
#include "chart/XYLineRenderer.h"
#include "chart/XYSimpleDataset.h"

#include <wx/dc.h>
#include <wx/gdicmn.h>

#include <atomic>
#include <memory>
#include <vector>

class XYPlot {
public:
    XYPlot();
    ~XYPlot();
    XYPlot(const XYPlot&) = delete;
    XYPlot& operator=(const XYPlot&) = delete;

    // A dataset is a layer of lines; the plot keeps a count of them, in the
    // order added, for the links below. A dataset may be shared with
    // another plot (the same lines in another chart): its reduced lines
    // are then shared too.
    void AddDataset(std::unique_ptr<XYSimpleDataset> dataset);
    void AddDataset(std::shared_ptr<XYSimpleDataset> dataset);
    // Any other layer, drawn in the order added among the datasets, against
    // vertical axis `verticalAxis` (its points, if any, count for that axis).
    void AddLayer(std::shared_ptr<chart::PlotLayer> layer, size_t verticalAxis = 0);
    // Vertical if AXIS_LEFT/RIGHT, horizontal if TOP/BOTTOM.
    void AddAxis(std::unique_ptr<NumberAxis> axis);
    void LinkDataVerticalAxis(size_t dataset, size_t verticalAxis);
    void LinkDataHorizontalAxis(size_t dataset, size_t horizontalAxis);

    // What the plot holds, to look at: datasets and axes are set up before
    // they are added, and an axis's datasets are the plot's to choose.
    size_t GetDatasetCount() const { return m_datasetAt.size(); }
    const XYSimpleDataset* GetDataset(size_t i) const;
    size_t GetVerticalAxisCount() const { return m_verticalAxes.size(); }
    const NumberAxis* GetVerticalAxis(size_t i) const;
    size_t GetHorizontalAxisCount() const { return m_horizontalAxes.size(); }
    const NumberAxis* GetHorizontalAxis(size_t i) const;
    int GetDatasetVerticalAxis(size_t dataset) const; // linked axis index or -1
    int GetDatasetHorizontalAxis(size_t dataset) const;

    // The x scale: the range shown (zoomed) on every horizontal axis, the
    // vertical axes spanning the data within it. Each plot has its own
    // until given one to share (plots stacked over one time axis, or the
    // charts a panel shows one after another).
    void SetXScale(std::shared_ptr<chart::XScale> scale);
    const std::shared_ptr<chart::XScale>& GetXScale() const { return m_scale; }
    // Zooms the x scale to [lo, hi], fitted to the data's range and to the
    // smallest view span. A range covering all the data clears the view.
    void SetViewX(double lo, double hi);
    // Shows all the data again (the axes' automatic ranges).
    void ClearViewX();
    bool HasViewX() const;
    // The x range the first horizontal axis shows, and its automatic range
    // (all the data). 0..1 without a horizontal axis.
    chart::Range GetViewX() const;
    chart::Range GetFullX() const;
    // The narrowest x range a view may have (0: no limit).
    void SetMinViewSpan(double span) { m_minViewSpan = span; }
    // At least this many pixels left of the plot area (plots stacked over
    // one x scale line their areas up with it); 0: what the axes need.
    void SetMinLeftRoom(int pixels) { m_minLeftRoom = pixels; }
    double GetMinViewSpan() const { return m_minViewSpan; }

    // Draws the axes and the series into rect.
    void Draw(wxDC& dc, const wxRect& rect);
    // Works out the plot area a Draw into rect would have now (for
    // GetLastPlotArea() and the mappings), without drawing.
    void LayOutOnly(wxDC& dc, const wxRect& rect);
    // The plot area (inside the axes) of the last Draw.
    wxRect GetLastPlotArea() const { return m_lastPlotArea; }
    // The mapping between x values and pixel columns of the last Draw's plot
    // area, at its x range (that of the first horizontal axis). Not
    // rounded; meaningless while GetLastPlotArea() is empty.
    double XToPixel(double x) const;
    double PixelToX(double pixel) const;
    // The same for the rows of the vertical axis of dataset d.
    double YToPixel(size_t dataset, double y) const;
    // How many series reductions the draws so far have made (a redraw that
    // reuses the last draw's makes none).
    size_t GetReductionCount() const { return m_reductionCount; }

private:
    struct Layout;
    // A layer and the axes it is drawn against (-1: the first of its kind).
    struct Placed {
        std::shared_ptr<chart::PlotLayer> layer;
        XYSimpleDataset* dataset = nullptr; // the layer, when it is a dataset
        int vertical = -1;
        int horizontal = -1;
        int& Of(bool isVertical) { return isVertical ? vertical : horizontal; }
        int Of(bool isVertical) const { return isVertical ? vertical : horizontal; }
    };
    using Axes = std::vector<std::unique_ptr<NumberAxis>>;

    // Works out where the axes go and the plot area; false when no plot
    // area fits.
    bool LayOut(wxDC& dc, const wxRect& rect, Layout& layout) const;
    void DrawGrid(wxDC& dc, const Layout& layout) const;
    void DrawLayers(wxDC& dc, const Layout& layout);
    void PrepareLayers(const std::vector<chart::LayerView>& views);
    void DrawAxisLines(wxDC& dc, const Layout& layout) const;
    void DrawLabels(wxDC& dc, const Layout& layout) const;
    // Where layer p is drawn: its axes' ranges in the plot area.
    chart::LayerView ViewOf(const Placed& placed, const wxRect& area);

    void AddPlaced(Placed placed);
    void LinkDataAxis(size_t dataset, size_t axis, bool vertical, const char* failure);
    void UpdateAxisLayers();
    const NumberAxis* AxisOf(const Placed& placed, bool vertical) const;
    const Axes& AxesOf(bool vertical) const { return vertical ? m_verticalAxes : m_horizontalAxes; }

    std::vector<Placed> m_layers;    // in drawing order
    std::vector<size_t> m_datasetAt; // dataset i is m_layers[m_datasetAt[i]]
    Axes m_verticalAxes;
    Axes m_horizontalAxes;
    std::shared_ptr<chart::XScale> m_scale;
    wxRect m_lastPlotArea;
    double m_minViewSpan = 0;
    int m_minLeftRoom = 0;
    std::atomic<size_t> m_reductionCount{0};
};
