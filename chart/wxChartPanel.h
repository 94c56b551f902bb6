// A window that shows one Chart. The chart is drawn into a back buffer the
// size of the client area when it is set or the window is resized; painting
// copies the buffer to the screen.
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
    // The chart exactly as drawn, at the panel's client size in pixels. Not
    // IsOk() while the client area is empty.
    const wxBitmap& GetBackBuffer() const { return m_backBuffer; }
    void RedrawBackBuffer();

private:
    void DrawBackBuffer();
    void OnPaint(wxPaintEvent& event);
    void OnSize(wxSizeEvent& event);

    std::unique_ptr<Chart> m_chart;
    wxBitmap m_backBuffer;

    wxDECLARE_EVENT_TABLE();
};
