#include "chart/wxChartPanel.h"

#include <wx/dcclient.h>
#include <wx/dcmemory.h>

wxBEGIN_EVENT_TABLE(wxChartPanel, wxWindow)
    EVT_PAINT(wxChartPanel::OnPaint)
    EVT_SIZE(wxChartPanel::OnSize)
    EVT_DPI_CHANGED(wxChartPanel::OnDPIChanged)
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
        m_bufferClientSize = wxSize();
        return;
    }
    // The content scale is the screen's pixels per logical pixel: 2 under
    // GDK_SCALE=2, and 1 where windows are sized in the screen's pixels
    // already (MSW, whose client size is physical at any DPI).
    if (!BufferFits(size)) {
        const double scale = GetContentScaleFactor();
        m_backBuffer = wxBitmap();
        m_backBuffer.CreateWithDIPSize(size, scale, 24);
        m_bufferClientSize = size;
        m_bufferScale = scale;
    }
    // A memory DC on a bitmap of scale s draws in its logical coordinates,
    // s device pixels to each (cairo's device scale): the chart is laid out
    // at the client size and rendered at the screen's resolution; a 1-wide
    // pen is s pixels wide, as every other line GTK draws at that scale.
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
    if (size.x > 0 && size.y > 0 && !BufferFits(size))
        DrawBackBuffer();
    wxPaintDC dc(this);
    // A scaled bitmap is drawn at its logical size, pixel for pixel.
    if (m_backBuffer.IsOk())
        dc.DrawBitmap(m_backBuffer, 0, 0);
}

bool wxChartPanel::BufferFits(const wxSize& clientSize) const
{
    return m_backBuffer.IsOk() && m_bufferClientSize == clientSize &&
           m_bufferScale == GetContentScaleFactor();
}

void wxChartPanel::OnDPIChanged(wxDPIChangedEvent& event)
{
    RedrawBackBuffer();
    event.Skip();
}

void wxChartPanel::OnSize(wxSizeEvent& event)
{
    RedrawBackBuffer();
    event.Skip();
}
