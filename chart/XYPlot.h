// A plot of XY datasets against value axes: axes on the left, right, top or
// bottom of one plot area, each dataset drawn against the axes it is linked to.
#pragma once

#include "chart/NumberAxis.h"
#include "chart/SerieReduction.h"
#include "chart/ValueToPixel.h"
#include "chart/ViewRange.h"
#include "chart/XYLineRenderer.h"
#include "chart/XYSimpleDataset.h"

#include <wx/dc.h>
#include <wx/gdicmn.h>

#include <memory>
#include <vector>

class XYPlot {
public:
    XYPlot();
    ~XYPlot();
    XYPlot(const XYPlot&) = delete;
    XYPlot& operator=(const XYPlot&) = delete;

    void AddDataset(std::unique_ptr<XYSimpleDataset> dataset);
    // Vertical if AXIS_LEFT/RIGHT, horizontal if TOP/BOTTOM.
    void AddAxis(std::unique_ptr<NumberAxis> axis);
    void LinkDataVerticalAxis(size_t dataset, size_t verticalAxis);
    void LinkDataHorizontalAxis(size_t dataset, size_t horizontalAxis);

    // What the plot holds, to look at: datasets and axes are set up before
    // they are added, and an axis's datasets are the plot's to choose.
    size_t GetDatasetCount() const { return m_datasets.size(); }
    const XYSimpleDataset* GetDataset(size_t i) const;
    size_t GetVerticalAxisCount() const { return m_verticalAxes.size(); }
    const NumberAxis* GetVerticalAxis(size_t i) const;
    size_t GetHorizontalAxisCount() const { return m_horizontalAxes.size(); }
    const NumberAxis* GetHorizontalAxis(size_t i) const;
    int GetDatasetVerticalAxis(size_t dataset) const; // linked axis index or -1
    int GetDatasetHorizontalAxis(size_t dataset) const;

    // The x range shown (zoomed) on every horizontal axis; the vertical axes
    // then span the data within it. Fitted to the data's range and to the
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
    // Takes over the reduced lines of other's last draw for the series this
    // plot shares with it (another chart of the same series, in other
    // colours, say): drawn the same way, they need not be reduced again.
    void AdoptReductions(XYPlot& other);
    // How many series reductions the draws so far have made (a redraw that
    // reuses the last draw's makes none).
    size_t GetReductionCount() const { return m_reductionCount; }

private:
    struct Layout;
    struct DatasetLinks {
        int vertical = -1;
        int horizontal = -1;
        int& Of(bool isVertical) { return isVertical ? vertical : horizontal; }
        int Of(bool isVertical) const { return isVertical ? vertical : horizontal; }
    };
    using Axes = std::vector<std::unique_ptr<NumberAxis>>;
    // A series reduced to the points drawn for one plot area and axis ranges.
    struct ReducedSerie {
        const XYSerie* serie;
        wxRect area;
        double xLo, xHi, yLo, yHi;
        chart::ReducedLine line;
    };
    // Works out where the axes go and the plot area; false when no plot
    // area fits.
    bool LayOut(wxDC& dc, const wxRect& rect, Layout& layout) const;
    void DrawGrid(wxDC& dc, const Layout& layout) const;
    void DrawSeries(wxDC& dc, const Layout& layout);
    void DrawBands(wxDC& dc, const Layout& layout) const;
    void DrawAxisLines(wxDC& dc, const Layout& layout) const;
    void DrawLabels(wxDC& dc, const Layout& layout) const;
    // The polyline of a series, reused from the last draw when nothing it
    // depends on changed. Valid until the next call.
    const chart::ReducedLine& Reduced(const XYSerie& serie, double xLo, double xHi, double yLo, double yHi,
                                      const wxRect& area);
    void LinkDataAxis(size_t dataset, size_t axis, bool vertical, const char* failure);
    void UpdateAxisDatasets();
    const NumberAxis* AxisOf(const DatasetLinks& links, bool vertical) const;
    const Axes& AxesOf(bool vertical) const { return vertical ? m_verticalAxes : m_horizontalAxes; }

    std::vector<std::unique_ptr<XYSimpleDataset>> m_datasets;
    std::vector<DatasetLinks> m_links;
    Axes m_verticalAxes;
    Axes m_horizontalAxes;
    wxRect m_lastPlotArea;
    double m_minViewSpan = 0;
    std::vector<ReducedSerie> m_reduced;    // from the last draw
    std::vector<ReducedSerie> m_newReduced; // being made by this draw
    size_t m_reductionCount = 0;
};
