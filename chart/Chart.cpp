#include "chart/Chart.h"

#include "chart/ChartColours.h"

#include <wx/tokenzr.h>

#include <algorithm>

namespace {
const int kMargin = 5;
}

namespace chart {

std::vector<wxString> WrapText(wxDC& dc, const wxString& text, int width)
{
    std::vector<wxString> lines;
    wxString line;
    wxStringTokenizer words(text, " ", wxTOKEN_STRTOK);
    while (words.HasMoreTokens()) {
        const wxString word = words.GetNextToken();
        const wxString longer = line.empty() ? word : line + " " + word;
        if (line.empty() || dc.GetTextExtent(longer).x <= width) {
            line = longer;
        } else {
            lines.push_back(line);
            line = word;
        }
    }
    if (!line.empty())
        lines.push_back(line);
    return lines;
}

wxColour NoteColour()
{
    return wxColour(160, 0, 0);
}

} // namespace chart

Chart::Chart(std::unique_ptr<XYPlot> plot, const wxString& title) : m_plot(std::move(plot)), m_title(title)
{
}

Chart::~Chart() = default;

// The room the title and note take above the plot.
int Chart::HeadHeight(wxDC& dc, const wxRect& rect, bool draw) const
{
    const int margin = dc.FromDIP(kMargin); // kMargin is at 96 dpi
    int titleHeight = 0;
    if (!m_title.empty()) {
        const wxFont oldFont = dc.GetFont();
        wxFont font = *wxNORMAL_FONT;
        font.SetPointSize(font.GetPointSize() + 4);
        font.MakeBold();
        dc.SetFont(font);
        dc.SetTextForeground(*wxBLACK);
        dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
        const wxSize extent = dc.GetTextExtent(m_title);
        if (draw)
            dc.DrawText(m_title, rect.x + (rect.width - extent.x) / 2, rect.y + margin);
        titleHeight = extent.y + margin;
        dc.SetFont(oldFont);
    }
    if (!m_note.empty()) {
        const wxFont oldFont = dc.GetFont();
        dc.SetFont(*wxNORMAL_FONT);
        dc.SetTextForeground(chart::NoteColour());
        dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
        const int lineHeight = dc.GetCharHeight();
        for (const wxString& line : chart::WrapText(dc, m_note, rect.width - 2 * margin)) {
            const wxSize extent = dc.GetTextExtent(line);
            if (draw)
                dc.DrawText(line, rect.x + (rect.width - extent.x) / 2, rect.y + margin + titleHeight);
            titleHeight += lineHeight;
        }
        titleHeight += margin / 2;
        dc.SetFont(oldFont);
    }
    return titleHeight;
}

wxRect Chart::PlotRect(wxDC& dc, const wxRect& rect, int headHeight) const
{
    const int margin = dc.FromDIP(kMargin);
    return wxRect(rect.x + margin, rect.y + margin + headHeight, rect.width - 2 * margin,
                  rect.height - 2 * margin - headHeight);
}

void Chart::AddPane(std::unique_ptr<XYPlot> pane)
{
    if (pane)
        m_panes.push_back(std::move(pane));
}

std::vector<wxRect> Chart::LayOutPanes(wxDC& dc, const wxRect& rect)
{
    std::vector<wxRect> rects;
    const size_t count = GetPaneCount();
    if (count == 0)
        return rects;
    // Equal heights; each pane laid out once to learn the room its axes
    // need at the left, then all with the widest, so that an x is at one
    // column in every pane.
    int widest = 0;
    for (size_t i = 0; i < count; ++i) {
        const int top = rect.y + static_cast<int>(static_cast<int64_t>(rect.height) *
                                                  static_cast<int64_t>(i) / static_cast<int64_t>(count));
        const int bottom =
            rect.y + static_cast<int>(static_cast<int64_t>(rect.height) * static_cast<int64_t>(i + 1) /
                                      static_cast<int64_t>(count));
        rects.emplace_back(rect.x, top, rect.width, bottom - top);
        XYPlot* pane = GetPane(i);
        if (i > 0 && pane->GetXScale() != m_plot->GetXScale())
            pane->SetXScale(m_plot->GetXScale());
        if (count == 1)
            break;
        pane->SetMinLeftRoom(0);
        pane->LayOutOnly(dc, rects.back());
        const wxRect area = pane->GetLastPlotArea();
        if (!area.IsEmpty())
            widest = std::max(widest, area.x - rect.x);
    }
    for (size_t i = 0; i < count && count > 1; ++i)
        GetPane(i)->SetMinLeftRoom(widest);
    return rects;
}

wxRect Chart::GetPlotsArea() const
{
    if (!m_plot)
        return wxRect();
    wxRect area = m_plot->GetLastPlotArea();
    if (!m_panes.empty() && !area.IsEmpty()) {
        const wxRect last = m_panes.back()->GetLastPlotArea();
        if (!last.IsEmpty())
            area.SetBottom(last.GetBottom());
    }
    return area;
}

void Chart::Draw(wxDC& dc, const wxRect& rect)
{
    if (rect.width <= 0 || rect.height <= 0)
        return;
    wxDCClipper clip(dc, rect);
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(chart::BackgroundColour()));
    dc.DrawRectangle(rect);
    const int headHeight = HeadHeight(dc, rect, true);
    if (m_plot) {
        const wxRect plotRect = PlotRect(dc, rect, headHeight);
        if (plotRect.width <= 0 || plotRect.height <= 0)
            return;
        const std::vector<wxRect> rects = LayOutPanes(dc, plotRect);
        for (size_t i = 0; i < rects.size(); ++i)
            GetPane(i)->Draw(dc, rects[i]);
    }
}

void Chart::LayOut(wxDC& dc, const wxRect& rect)
{
    if (!m_plot || rect.width <= 0 || rect.height <= 0)
        return;
    const wxRect plotRect = PlotRect(dc, rect, HeadHeight(dc, rect, false));
    if (plotRect.width <= 0 || plotRect.height <= 0)
        return;
    const std::vector<wxRect> rects = LayOutPanes(dc, plotRect);
    for (size_t i = 0; i < rects.size(); ++i)
        GetPane(i)->LayOutOnly(dc, rects[i]);
}
