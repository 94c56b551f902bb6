// A titled chart around one XYPlot.
#pragma once

#include "chart/XYPlot.h"

#include <wx/dc.h>
#include <wx/string.h>

#include <memory>

class Chart {
public:
    Chart(std::unique_ptr<XYPlot> plot, const wxString& title);
    ~Chart();
    Chart(const Chart&) = delete;
    Chart& operator=(const Chart&) = delete;

    const wxString& GetTitle() const { return m_title; }
    const XYPlot* GetPlot() const { return m_plot.get(); }

    // Fills rect with the chart background, draws the title at the top and
    // the plot below it.
    void Draw(wxDC& dc, const wxRect& rect);

private:
    std::unique_ptr<XYPlot> m_plot;
    wxString m_title;
};
