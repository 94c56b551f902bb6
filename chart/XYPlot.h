// A plot of XY datasets against value axes: axes on the left, right, top or
// bottom of one plot area, each dataset drawn against the axes it is linked to.
#pragma once

#include "chart/NumberAxis.h"
#include "chart/XYLineRenderer.h"
#include "chart/XYSimpleDataset.h"

#include <wx/dc.h>
#include <wx/gdicmn.h>

#include <functional>
#include <memory>
#include <vector>

class XYPlot {
public:
    XYPlot();
    ~XYPlot();
    XYPlot(const XYPlot&) = delete;
    XYPlot& operator=(const XYPlot&) = delete;

    void AddDataset(XYSimpleDataset* dataset); // takes ownership
    // Takes ownership; vertical if AXIS_LEFT/RIGHT, horizontal if TOP/BOTTOM.
    void AddAxis(NumberAxis* axis);
    void LinkDataVerticalAxis(size_t dataset, size_t verticalAxis);
    void LinkDataHorizontalAxis(size_t dataset, size_t horizontalAxis);

    size_t GetDatasetCount() const { return m_datasets.size(); }
    XYSimpleDataset* GetDataset(size_t i) const;
    size_t GetVerticalAxisCount() const { return m_verticalAxes.size(); }
    NumberAxis* GetVerticalAxis(size_t i) const;
    size_t GetHorizontalAxisCount() const { return m_horizontalAxes.size(); }
    NumberAxis* GetHorizontalAxis(size_t i) const;
    int GetDatasetVerticalAxis(size_t dataset) const; // linked axis index or -1
    int GetDatasetHorizontalAxis(size_t dataset) const;

    // Draws the axes and the series into rect.
    void Draw(wxDC& dc, const wxRect& rect);
    // The plot area (inside the axes) of the last Draw.
    wxRect GetLastPlotArea() const { return m_lastPlotArea; }

private:
    struct DatasetLinks {
        int vertical = -1;
        int horizontal = -1;
    };
    void UpdateAxisDatasets();
    const NumberAxis* AxisOf(const DatasetLinks& links, bool vertical) const;

    std::vector<std::unique_ptr<XYSimpleDataset>> m_datasets;
    std::vector<DatasetLinks> m_links;
    std::vector<std::unique_ptr<NumberAxis>> m_verticalAxes;
    std::vector<std::unique_ptr<NumberAxis>> m_horizontalAxes;
    wxRect m_lastPlotArea;
};

namespace chart {
// Turns a series into the polylines that draw it in a plot area whose
// columns are left .. left + width - 1 and rows bottom .. bottom - height + 1,
// for the axis ranges [xLo, xHi] and [yLo, yHi]. Consecutive points that fall
// into one pixel column become at most two points, their lowest and highest,
// so a spike is never lost. A point with a NaN or infinite value ends the
// current polyline (a gap). drawLine gets each polyline (one point or more).
void ReduceSerie(const XYSerie& serie, double xLo, double xHi, int left, int width, double yLo, double yHi,
                 int bottom, int height, const std::function<void(const wxPoint*, size_t)>& drawLine);
} // namespace chart
