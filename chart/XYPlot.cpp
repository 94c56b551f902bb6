#include "chart/XYPlot.h"

#include <wx/debug.h>

XYPlot::XYPlot() = default;
XYPlot::~XYPlot() = default;

void XYPlot::AddDataset(XYSimpleDataset* dataset)
{
    wxCHECK_RET(dataset, "XYPlot::AddDataset: null dataset");
    m_datasets.emplace_back(dataset);
    m_links.emplace_back();
    UpdateAxisDatasets();
}

void XYPlot::AddAxis(NumberAxis* axis)
{
    wxCHECK_RET(axis, "XYPlot::AddAxis: null axis");
    if (axis->IsVertical())
        m_verticalAxes.emplace_back(axis);
    else
        m_horizontalAxes.emplace_back(axis);
    UpdateAxisDatasets();
}

void XYPlot::LinkDataVerticalAxis(size_t dataset, size_t verticalAxis)
{
    wxCHECK_RET(dataset < m_datasets.size() && verticalAxis < m_verticalAxes.size(),
                "XYPlot::LinkDataVerticalAxis: no such dataset or axis");
    m_links[dataset].vertical = static_cast<int>(verticalAxis);
    UpdateAxisDatasets();
}

void XYPlot::LinkDataHorizontalAxis(size_t dataset, size_t horizontalAxis)
{
    wxCHECK_RET(dataset < m_datasets.size() && horizontalAxis < m_horizontalAxes.size(),
                "XYPlot::LinkDataHorizontalAxis: no such dataset or axis");
    m_links[dataset].horizontal = static_cast<int>(horizontalAxis);
    UpdateAxisDatasets();
}

XYSimpleDataset* XYPlot::GetDataset(size_t i) const
{
    wxCHECK_MSG(i < m_datasets.size(), nullptr, "XYPlot::GetDataset: index out of range");
    return m_datasets[i].get();
}

NumberAxis* XYPlot::GetVerticalAxis(size_t i) const
{
    wxCHECK_MSG(i < m_verticalAxes.size(), nullptr, "XYPlot::GetVerticalAxis: index out of range");
    return m_verticalAxes[i].get();
}

NumberAxis* XYPlot::GetHorizontalAxis(size_t i) const
{
    wxCHECK_MSG(i < m_horizontalAxes.size(), nullptr, "XYPlot::GetHorizontalAxis: index out of range");
    return m_horizontalAxes[i].get();
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
    for (int vertical = 0; vertical < 2; ++vertical) {
        auto& axes = vertical ? m_verticalAxes : m_horizontalAxes;
        for (size_t a = 0; a < axes.size(); ++a) {
            std::vector<const XYSimpleDataset*> shown;
            for (size_t d = 0; d < m_datasets.size(); ++d) {
                const int link = vertical ? m_links[d].vertical : m_links[d].horizontal;
                if (link == static_cast<int>(a) || (link < 0 && a == 0))
                    shown.push_back(m_datasets[d].get());
            }
            axes[a]->SetDatasets(std::move(shown));
        }
    }
}

const NumberAxis* XYPlot::AxisOf(const DatasetLinks& links, bool vertical) const
{
    const auto& axes = vertical ? m_verticalAxes : m_horizontalAxes;
    const int link = vertical ? links.vertical : links.horizontal;
    if (link >= 0 && static_cast<size_t>(link) < axes.size())
        return axes[link].get();
    return axes.empty() ? nullptr : axes[0].get();
}

void XYPlot::Draw(wxDC& dc, const wxRect& rect)
{
    m_lastPlotArea = rect;
    dc.SetPen(*wxLIGHT_GREY_PEN);
    dc.SetBrush(*wxTRANSPARENT_BRUSH);
    dc.DrawRectangle(rect);
}
