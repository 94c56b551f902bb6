#include "chart/wxChartPanel.h"

#include <wx/dcclient.h>
#include <wx/dcmemory.h>

wxBEGIN_EVENT_TABLE(wxChartPanel, wxWindow)
    EVT_PAINT(wxChartPanel::OnPaint)
    EVT_SIZE(wxChartPanel::OnSize)
wxEND_EVENT_TABLE()

wxChartPanel::wxChartPanel(wxWindow* parent, wxWindowID id, std::unique_ptr<Chart> chart, const wxPoint& pos,
                           const wxSize& size)
    : wxWindow(parent, id, pos, size, wxFULL_REPAINT_ON_RESIZE), m_chart(std::move(chart))
{
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetBackgroundColour(*wxWHITE);
    RedrawBackBuffer();
}

wxChartPanel::~wxChartPanel() = default;

void wxChartPanel::SetChart(std::unique_ptr<Chart> chart)
{
    m_chart = std::move(chart);
    RedrawBackBuffer();
}

void wxChartPanel::RedrawBackBuffer()
{
    DrawBackBuffer();
    Refresh(false);
}

void wxChartPanel::DrawBackBuffer()
{
    const wxSize size = GetClientSize();
    if (size.x <= 0 || size.y <= 0) {
        m_backBuffer = wxBitmap();
        return;
    }
    if (!m_backBuffer.IsOk() || m_backBuffer.GetWidth() != size.x || m_backBuffer.GetHeight() != size.y)
        m_backBuffer = wxBitmap(size.x, size.y, 24);
    wxMemoryDC dc(m_backBuffer);
    const wxRect rect(wxPoint(0, 0), size);
    if (m_chart) {
        m_chart->Draw(dc, rect);
    } else {
        dc.SetPen(*wxTRANSPARENT_PEN);
        dc.SetBrush(wxBrush(GetBackgroundColour()));
        dc.DrawRectangle(rect);
    }
    dc.SelectObject(wxNullBitmap);
}

void wxChartPanel::OnPaint(wxPaintEvent&)
{
    // A size change not yet seen by OnSize (the first paint after showing):
    // never put a buffer of the wrong size on the screen.
    const wxSize size = GetClientSize();
    const wxSize drawn = m_backBuffer.IsOk() ? m_backBuffer.GetSize() : wxSize(0, 0);
    if (size.x > 0 && size.y > 0 && drawn != size)
        DrawBackBuffer();
    wxPaintDC dc(this);
    if (m_backBuffer.IsOk())
        dc.DrawBitmap(m_backBuffer, 0, 0);
}

void wxChartPanel::OnSize(wxSizeEvent& event)
{
    RedrawBackBuffer();
    event.Skip();
}
