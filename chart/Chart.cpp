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
        if (plotRect.width > 0 && plotRect.height > 0)
            m_plot->Draw(dc, plotRect);
    }
}

void Chart::LayOut(wxDC& dc, const wxRect& rect)
{
    if (!m_plot || rect.width <= 0 || rect.height <= 0)
        return;
    const wxRect plotRect = PlotRect(dc, rect, HeadHeight(dc, rect, false));
    if (plotRect.width > 0 && plotRect.height > 0)
        m_plot->LayOutOnly(dc, plotRect);
}
