// A titled chart around one XYPlot, or several stacked one above the other
// over the first one's x scale (panes), their plot areas lined up.
#pragma once

#include "chart/XYPlot.h"

#include <wx/dc.h>
#include <wx/string.h>

#include <memory>
#include <vector>

class Chart {
public:
    Chart(std::unique_ptr<XYPlot> plot, const wxString& title);
    ~Chart();
    Chart(const Chart&) = delete;
    Chart& operator=(const Chart&) = delete;

    const wxString& GetTitle() const { return m_title; }
    const XYPlot* GetPlot() const { return m_plot.get(); }
    XYPlot* GetPlot() { return m_plot.get(); }
    // Another pane under the plot (and the panes before it); it shares the
    // first plot's x scale from its first draw on.
    void AddPane(std::unique_ptr<XYPlot> pane);
    // The plot is pane 0.
    size_t GetPaneCount() const { return m_panes.size() + (m_plot ? 1 : 0); }
    XYPlot* GetPane(size_t i) { return i == 0 ? m_plot.get() : m_panes[i - 1].get(); }
    const XYPlot* GetPane(size_t i) const { return i == 0 ? m_plot.get() : m_panes[i - 1].get(); }
    // From the top of the first pane's plot area to the bottom of the last
    // one's, at their columns (the plot's area when there is one pane).
    wxRect GetPlotsArea() const;

    // A remark about what is drawn (data only partly plotted, say), shown
    // under the title and wrapped to the chart's width. Empty: none.
    void SetNote(const wxString& note) { m_note = note; }
    const wxString& GetNote() const { return m_note; }

    // Fills rect with the chart background, draws the title at the top, the
    // note under it and the plot below them.
    void Draw(wxDC& dc, const wxRect& rect);
    // Works out where the plot area would be if drawn into rect now (the
    // plot's GetLastPlotArea()), without drawing.
    void LayOut(wxDC& dc, const wxRect& rect);

private:
    int HeadHeight(wxDC& dc, const wxRect& rect, bool draw) const;
    wxRect PlotRect(wxDC& dc, const wxRect& rect, int headHeight) const;
    // Shares the x scale and lines the panes up in rect; the rect of each.
    std::vector<wxRect> LayOutPanes(wxDC& dc, const wxRect& rect);

    std::unique_ptr<XYPlot> m_plot;
    std::vector<std::unique_ptr<XYPlot>> m_panes; // under the plot
    wxString m_title;
    wxString m_note;
};

namespace chart {
// text broken into lines at spaces so that each line is at most width pixels
// wide in the DC's font where it can be (a word wider than that gets a line
// of its own).
std::vector<wxString> WrapText(wxDC& dc, const wxString& text, int width);
// The colour of a chart's note: a dark red that reads on the background.
wxColour NoteColour();
} // namespace chart
