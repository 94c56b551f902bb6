// A window that shows one Chart. The chart is drawn into a back buffer the
// size of the client area when it is set or the window is resized; painting
// copies the buffer to the screen. On a screen scaled by 2 (GTK's GDK_SCALE)
// the buffer has the screen's pixels, twice the client size each way, and
// the chart is drawn into it at that resolution: sharp text and lines.
#pragma once

#include "chart/Chart.h"

#include <wx/bitmap.h>
#include <wx/window.h>

#include <memory>

class wxChartPanel : public wxWindow {
public:
    wxChartPanel(wxWindow* parent, wxWindowID id = wxID_ANY, std::unique_ptr<Chart> chart = nullptr,
                 const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize);
    ~wxChartPanel() override;

    // Deletes the previous chart, redraws the back buffer.
    void SetChart(std::unique_ptr<Chart> chart);
    const Chart* GetChart() const { return m_chart.get(); }
    // The chart exactly as drawn and shown: its logical size is the panel's
    // client size, its pixels the screen's (GetSize() is the client size
    // times GetContentScaleFactor()). Not IsOk() while the client area is
    // empty.
    const wxBitmap& GetBackBuffer() const { return m_backBuffer; }
    void RedrawBackBuffer();

private:
    void DrawBackBuffer();
    void OnPaint(wxPaintEvent& event);
    void OnSize(wxSizeEvent& event);
    void OnDPIChanged(wxDPIChangedEvent& event);
    // Whether the buffer was drawn for this client size at the window's scale.
    bool BufferFits(const wxSize& clientSize) const;

    std::unique_ptr<Chart> m_chart;
    wxBitmap m_backBuffer;
    wxSize m_bufferClientSize;
    double m_bufferScale = 1.0;

    wxDECLARE_EVENT_TABLE();
};
