// A window that shows one Chart. The chart is drawn into a back buffer the
// size of the client area when it is set or the window is resized; painting
// copies the buffer to the screen. On a screen scaled by 2 (GTK's GDK_SCALE)
// the buffer has the screen's pixels, twice the client size each way, and
// the chart is drawn into it at that resolution: sharp text and lines.
//
// The user zooms and pans the plot's time (x) axis: the mouse wheel zooms
// around the pointer, a drag with the left button draws a band and zooms to
// it, a drag with the middle button (or the left one with Shift) pans, and
// with the panel focused "+" and "-" zoom around the centre, Left and Right
// pan by a tenth of the view, Home (or a double click) shows all again.
// With the pointer over the plot a readout shows what its provider says of
// the record nearest the pointer's time. The band and the readout are drawn
// over the back buffer on the screen, never into it.
//
// The panel keeps one x scale for every chart it shows: a new chart (other
// channels, other colours) shows the range the last one showed, as far as
// its data reach. Whenever the range shown changes (a zoom, a pan, all shown
// again, a chart of other data) the panel sends a wxChartViewEvent,
// wxEVT_CHART_VIEW_CHANGED, which reaches its parent as command events do.
#pragma once

#include "chart/Chart.h"

#include <wx/bitmap.h>
#include <wx/window.h>

#include <functional>
#include <memory>
#include <vector>

class wxChartViewEvent : public wxCommandEvent {
public:
    wxChartViewEvent(wxEventType type = wxEVT_NULL, int id = 0, const chart::Range& shown = {},
                     bool zoomed = false)
        : wxCommandEvent(type, id), m_shown(shown), m_zoomed(zoomed)
    {
    }
    // The x range shown: the view while zoomed, all the data otherwise.
    chart::Range GetShownRange() const { return m_shown; }
    bool IsZoomed() const { return m_zoomed; }
    wxEvent* Clone() const override { return new wxChartViewEvent(*this); }

private:
    chart::Range m_shown;
    bool m_zoomed;
};

wxDECLARE_EVENT(wxEVT_CHART_VIEW_CHANGED, wxChartViewEvent);

class wxChartPanel : public wxWindow {
public:
    wxChartPanel(wxWindow* parent, wxWindowID id = wxID_ANY, std::unique_ptr<Chart> chart = nullptr,
                 const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize);
    ~wxChartPanel() override;

    // Deletes the previous chart, redraws the back buffer. The new chart
    // shares the panel's x scale: it shows the range in view, fitted to its
    // data.
    void SetChart(std::unique_ptr<Chart> chart);
    // Shows all the data of the next chart set (a chart of other data).
    void ForgetView();
    // The x range shown and whether it is zoomed, as last announced.
    chart::Range GetShownRange() const { return m_shown; }
    bool IsZoomed() const { return m_shownZoomed; }
    const Chart* GetChart() const { return m_chart.get(); }
    // The chart, to change its view or take over what it has worked out
    // (redraw the panel after changing what it shows).
    Chart* GetChartForUpdate() { return m_chart.get(); }
    // The chart exactly as drawn and shown: its logical size is the panel's
    // client size, its pixels the screen's (GetSize() is the client size
    // times GetContentScaleFactor()). Not IsOk() while the client area is
    // empty.
    const wxBitmap& GetBackBuffer() const { return m_backBuffer; }
    void RedrawBackBuffer();

    // The view of the time axis; each redraws the chart. Zooming keeps the
    // view within the data and no narrower than the plot's smallest span.
    void ZoomIn();  // to half the span, around the centre
    void ZoomOut(); // to twice the span, around the centre
    void ZoomAround(double factor, double x);
    // Moves the view by fraction of its span (negative: back in time).
    void PanBy(double fraction);
    void ShowWhole();
    void SetView(double lo, double hi);
    bool CanZoomIn() const;
    bool CanZoomOut() const;

    // The readout beside a vertical line at x: lines of text, each in its
    // colour (the first, the record's date and time, in the text colour).
    struct ReadoutLine {
        wxString text;
        wxColour colour;
    };
    struct Readout {
        double x = 0;
        std::vector<ReadoutLine> lines;
    };
    // What is shown for the pointer at time x: fills the readout (its x the
    // time of the record shown) and returns true, or false for none.
    using ReadoutProvider = std::function<bool(double x, Readout& readout)>;
    void SetReadoutProvider(ReadoutProvider provider);
    // Shows the readout for the pointer at a client position, as a mouse
    // move there does; false (and none shown) outside the plot area.
    bool ShowReadoutAt(const wxPoint& position);
    void HideReadout();
    bool IsReadoutShown() const { return m_readoutShown; }
    const Readout& GetReadout() const { return m_readout; }
    // The zoom band being dragged (client x of both ends), if any.
    bool IsBandShown() const { return m_drag == Drag::Band; }

    // Draws what is shown over the back buffer (the band, the readout) into
    // a DC of the panel's client coordinates, as painting does.
    void DrawOverlay(wxDC& dc) const;

private:
    enum class Drag { None, Band, Pan };
    void DrawBackBuffer();
    void OnPaint(wxPaintEvent& event);
    void OnSize(wxSizeEvent& event);
    void OnDPIChanged(wxDPIChangedEvent& event);
    void OnMouse(wxMouseEvent& event);
    void OnWheel(wxMouseEvent& event);
    void OnKeyDown(wxKeyEvent& event);
    void OnChar(wxKeyEvent& event);
    void OnCaptureLost(wxMouseCaptureLostEvent& event);
    void EndDrag();
    XYPlot* Plot();
    const XYPlot* Plot() const;
    // Tells the parent when the range shown is another than last told.
    void AnnounceView();
    // Shows view (fitted to the data) and redraws unless told not to;
    // whether the view changed.
    bool ApplyView(const chart::Range& view, bool redraw = true);
    // Pans so that time x is drawn at the client column pixel again, as far
    // as the data's ends allow.
    void KeepAtPixel(double x, int pixel);
    wxRect ReadoutBox(wxDC& dc, int lineX) const;
    // Whether the buffer was drawn for this client size at the window's scale.
    bool BufferFits(const wxSize& clientSize) const;

    std::unique_ptr<Chart> m_chart;
    std::shared_ptr<chart::XScale> m_scale;
    chart::Range m_shown;
    bool m_shownZoomed = false;
    wxBitmap m_backBuffer;
    wxSize m_bufferClientSize;
    double m_bufferScale = 1.0;

    ReadoutProvider m_provider;
    Readout m_readout;
    bool m_readoutShown = false;
    Drag m_drag = Drag::None;
    int m_dragStartX = 0;
    int m_dragX = 0;
    chart::Range m_dragStartView;

    wxDECLARE_EVENT_TABLE();
};
