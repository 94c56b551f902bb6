#include "chart/wxChartPanel.h"

#include "chart/ChartColours.h"

#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/settings.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

wxDEFINE_EVENT(wxEVT_CHART_VIEW_CHANGED, wxChartViewEvent);

wxBEGIN_EVENT_TABLE(wxChartPanel, wxWindow)
    EVT_PAINT(wxChartPanel::OnPaint)
    EVT_SIZE(wxChartPanel::OnSize)
    EVT_DPI_CHANGED(wxChartPanel::OnDPIChanged)
    EVT_LEFT_DOWN(wxChartPanel::OnMouse)
    EVT_LEFT_UP(wxChartPanel::OnMouse)
    EVT_LEFT_DCLICK(wxChartPanel::OnMouse)
    EVT_MIDDLE_DOWN(wxChartPanel::OnMouse)
    EVT_MIDDLE_UP(wxChartPanel::OnMouse)
    EVT_MOTION(wxChartPanel::OnMouse)
    EVT_LEAVE_WINDOW(wxChartPanel::OnMouse)
    EVT_MOUSEWHEEL(wxChartPanel::OnWheel)
    EVT_KEY_DOWN(wxChartPanel::OnKeyDown)
    EVT_CHAR(wxChartPanel::OnChar)
    EVT_MOUSE_CAPTURE_LOST(wxChartPanel::OnCaptureLost)
wxEND_EVENT_TABLE()

namespace {
// Zoom steps: a wheel notch, and the keys and menu entries.
const double kWheelZoom = 0.8;
const double kStepZoom = 0.5;
// A band narrower than this (in pixels at 96 dpi) is a click, not a zoom.
const int kSmallestBand = 5;
} // namespace

wxChartPanel::wxChartPanel(wxWindow* parent, wxWindowID id, std::unique_ptr<Chart> chart, const wxPoint& pos,
                           const wxSize& size)
    : wxWindow(parent, id, pos, size, wxFULL_REPAINT_ON_RESIZE | wxWANTS_CHARS),
      m_scale(std::make_shared<chart::XScale>())
{
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetBackgroundColour(*wxWHITE);
    SetChart(std::move(chart));
}

wxChartPanel::~wxChartPanel() = default;

void wxChartPanel::SetChart(std::unique_ptr<Chart> chart)
{
    if (m_drag != Drag::None)
        EndDrag();
    m_chart = std::move(chart);
    m_readoutShown = false;
    if (XYPlot* plot = Plot()) {
        plot->SetXScale(m_scale);
        // The range in view stays in view as far as the new data reach.
        if (m_scale->IsZoomed()) {
            const chart::Range view = m_scale->GetView();
            plot->SetViewX(view.lo, view.hi);
        }
    }
    RedrawBackBuffer();
    AnnounceView();
}

void wxChartPanel::ForgetView()
{
    m_scale->Clear();
    AnnounceView();
}

void wxChartPanel::AnnounceView()
{
    const XYPlot* plot = Plot();
    const chart::Range shown = plot ? plot->GetViewX() : chart::Range();
    const bool zoomed = plot && plot->HasViewX();
    if (shown == m_shown && zoomed == m_shownZoomed)
        return;
    m_shown = shown;
    m_shownZoomed = zoomed;
    wxChartViewEvent event(wxEVT_CHART_VIEW_CHANGED, GetId(), shown, zoomed);
    event.SetEventObject(this);
    ProcessWindowEvent(event);
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
    DrawOverlay(dc);
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

XYPlot* wxChartPanel::Plot()
{
    return m_chart ? m_chart->GetPlot() : nullptr;
}

const XYPlot* wxChartPanel::Plot() const
{
    return m_chart ? m_chart->GetPlot() : nullptr;
}

bool wxChartPanel::ApplyView(const chart::Range& view, bool redraw)
{
    XYPlot* plot = Plot();
    if (!plot)
        return false;
    const chart::Range before = plot->GetViewX();
    const bool wasZoomed = plot->HasViewX();
    plot->SetViewX(view.lo, view.hi);
    if (plot->GetViewX() == before && plot->HasViewX() == wasZoomed)
        return false;
    // The record under a still pointer is another one now.
    m_readoutShown = false;
    // A caller that draws later announces the view then.
    if (redraw) {
        RedrawBackBuffer();
        AnnounceView();
    }
    return true;
}

void wxChartPanel::ZoomAround(double factor, double x)
{
    const XYPlot* plot = Plot();
    if (!plot)
        return;
    ApplyView(chart::ZoomView(plot->GetViewX(), plot->GetFullX(), factor, x, plot->GetMinViewSpan()));
}

void wxChartPanel::ZoomIn()
{
    if (const XYPlot* plot = Plot()) {
        const chart::Range view = plot->GetViewX();
        ZoomAround(kStepZoom, view.lo + view.Span() / 2);
    }
}

void wxChartPanel::ZoomOut()
{
    if (const XYPlot* plot = Plot()) {
        const chart::Range view = plot->GetViewX();
        ZoomAround(1 / kStepZoom, view.lo + view.Span() / 2);
    }
}

void wxChartPanel::PanBy(double fraction)
{
    const XYPlot* plot = Plot();
    if (!plot || !plot->HasViewX())
        return;
    const chart::Range view = plot->GetViewX();
    ApplyView(chart::PanView(view, plot->GetFullX(), fraction * view.Span(), plot->GetMinViewSpan()));
}

void wxChartPanel::ShowWhole()
{
    XYPlot* plot = Plot();
    if (!plot || !plot->HasViewX())
        return;
    plot->ClearViewX();
    m_readoutShown = false;
    RedrawBackBuffer();
    AnnounceView();
}

void wxChartPanel::SetView(double lo, double hi)
{
    ApplyView({lo, hi});
}

bool wxChartPanel::CanZoomIn() const
{
    const XYPlot* plot = Plot();
    if (!plot)
        return false;
    const chart::Range full = plot->GetFullX();
    const double smallest = std::min(plot->GetMinViewSpan(), full.Span());
    return plot->GetViewX().Span() > smallest && full.Span() > 0;
}

bool wxChartPanel::CanZoomOut() const
{
    const XYPlot* plot = Plot();
    return plot && plot->HasViewX();
}

void wxChartPanel::SetReadoutProvider(ReadoutProvider provider)
{
    m_provider = std::move(provider);
    HideReadout();
}

bool wxChartPanel::ShowReadoutAt(const wxPoint& position)
{
    const XYPlot* plot = Plot();
    Readout readout;
    bool shown = false;
    if (plot && m_provider) {
        const wxRect area = m_chart->GetPlotsArea();
        if (!area.IsEmpty() && area.Contains(position))
            shown = m_provider(plot->PixelToX(position.x), readout);
    }
    if (!shown) {
        HideReadout();
        return false;
    }
    m_readout = std::move(readout);
    m_readoutShown = true;
    Refresh(false);
    return true;
}

void wxChartPanel::HideReadout()
{
    if (!m_readoutShown)
        return;
    m_readoutShown = false;
    Refresh(false);
}

// The readout's box: beside the line, on its right where it fits, else on
// its left; near the top of the plot area.
wxRect wxChartPanel::ReadoutBox(wxDC& dc, int lineX) const
{
    const wxRect area = m_chart->GetPlotsArea();
    const int pad = FromDIP(4), gap = FromDIP(6);
    wxSize size;
    for (const ReadoutLine& line : m_readout.lines) {
        const wxSize extent = dc.GetTextExtent(line.text);
        size.x = std::max(size.x, extent.x);
        size.y += extent.y;
    }
    size.IncBy(2 * pad);
    int x = lineX + gap;
    if (x + size.x > area.GetRight() && lineX - gap - size.x >= area.x)
        x = lineX - gap - size.x;
    // Fitting neither side: as far right as it stays on the panel.
    const int clientWidth = GetClientSize().x;
    if (x + size.x > clientWidth)
        x = std::max(0, clientWidth - size.x);
    return wxRect(wxPoint(x, area.y + gap), size);
}

void wxChartPanel::DrawOverlay(wxDC& dc) const
{
    const XYPlot* plot = Plot();
    if (!plot)
        return;
    const wxRect area = m_chart->GetPlotsArea();
    if (area.IsEmpty())
        return;
    if (m_drag == Drag::Band) {
        wxDCClipper clip(dc, area);
        const int x0 = std::clamp(std::min(m_dragStartX, m_dragX), area.x, area.GetRight());
        const int x1 = std::clamp(std::max(m_dragStartX, m_dragX), area.x, area.GetRight());
        // A see-through band where the DC blends, its outline elsewhere.
        const bool blends = dc.GetGraphicsContext() != nullptr;
        dc.SetPen(wxPen(wxColour(0, 90, 190), 1, blends ? wxPENSTYLE_SOLID : wxPENSTYLE_SHORT_DASH));
        dc.SetBrush(blends ? wxBrush(wxColour(0, 120, 215, 48)) : *wxTRANSPARENT_BRUSH);
        dc.DrawRectangle(x0, area.y, x1 - x0 + 1, area.height);
    }
    if (m_readoutShown && !m_readout.lines.empty()) {
        const int lineX = static_cast<int>(std::lround(plot->XToPixel(m_readout.x)));
        {
            wxDCClipper clip(dc, area);
            dc.SetPen(wxPen(wxColour(90, 90, 90), 1));
            dc.DrawLine(lineX, area.y, lineX, area.GetBottom() + 1);
        }
        // The box may reach beyond the plot area, never beyond the panel.
        dc.SetFont(*wxNORMAL_FONT);
        const wxRect box = ReadoutBox(dc, lineX);
        dc.SetPen(wxPen(wxColour(150, 150, 150), 1));
        dc.SetBrush(wxBrush(wxColour(255, 255, 255, 235)));
        dc.DrawRectangle(box);
        const wxColour background = chart::BackgroundColour();
        const int pad = FromDIP(4);
        int y = box.y + pad;
        for (const ReadoutLine& line : m_readout.lines) {
            dc.SetTextForeground(line.colour.IsOk() ? chart::ReadableOn(line.colour, background) : *wxBLACK);
            dc.DrawText(line.text, box.x + pad, y);
            y += dc.GetTextExtent(line.text).y;
        }
    }
}

void wxChartPanel::OnMouse(wxMouseEvent& event)
{
    const XYPlot* plot = Plot();
    const wxPoint at = event.GetPosition();
    const wxEventType type = event.GetEventType();
    if (type == wxEVT_LEFT_DOWN || type == wxEVT_MIDDLE_DOWN) {
        SetFocus();
        const wxRect area = plot ? m_chart->GetPlotsArea() : wxRect();
        if (m_drag == Drag::None && !area.IsEmpty() && area.Contains(at)) {
            m_drag = type == wxEVT_MIDDLE_DOWN || event.ShiftDown() ? Drag::Pan : Drag::Band;
            m_dragStartX = m_dragX = at.x;
            m_dragStartView = plot->GetViewX();
            m_readoutShown = false;
            if (!HasCapture())
                CaptureMouse();
            Refresh(false);
        }
        event.Skip();
        return;
    }
    if (type == wxEVT_LEFT_DCLICK) {
        EndDrag();
        ShowWhole();
        return;
    }
    if (type == wxEVT_MOTION) {
        if (m_drag == Drag::Band) {
            m_dragX = at.x;
            Refresh(false);
        } else if (m_drag == Drag::Pan && plot) {
            const wxRect area = m_chart->GetPlotsArea();
            const double perPixel = area.width > 1 ? m_dragStartView.Span() / (area.width - 1) : 0;
            // Dragging to the right brings earlier times into view.
            const double delta = -(at.x - m_dragStartX) * perPixel;
            ApplyView(chart::PanView(m_dragStartView, plot->GetFullX(), delta, plot->GetMinViewSpan()));
        } else {
            ShowReadoutAt(at);
        }
        event.Skip();
        return;
    }
    if (type == wxEVT_LEFT_UP || type == wxEVT_MIDDLE_UP) {
        const bool band = m_drag == Drag::Band && type == wxEVT_LEFT_UP;
        const bool pan = m_drag == Drag::Pan;
        if (!band && !pan) {
            event.Skip();
            return;
        }
        const int startX = m_dragStartX;
        EndDrag();
        if (band && plot && std::abs(at.x - startX) >= FromDIP(kSmallestBand)) {
            const wxRect area = m_chart->GetPlotsArea();
            const int x0 = std::clamp(std::min(startX, at.x), area.x, area.GetRight());
            const int x1 = std::clamp(std::max(startX, at.x), area.x, area.GetRight());
            ApplyView({plot->PixelToX(x0), plot->PixelToX(x1)});
        }
        ShowReadoutAt(at);
        event.Skip();
        return;
    }
    if (type == wxEVT_LEAVE_WINDOW) {
        if (m_drag == Drag::None)
            HideReadout();
        event.Skip();
        return;
    }
    event.Skip();
}

void wxChartPanel::EndDrag()
{
    const bool had = m_drag != Drag::None;
    m_drag = Drag::None;
    if (HasCapture())
        ReleaseMouse();
    if (had)
        Refresh(false);
}

void wxChartPanel::OnCaptureLost(wxMouseCaptureLostEvent&)
{
    m_drag = Drag::None;
    Refresh(false);
}

void wxChartPanel::OnWheel(wxMouseEvent& event)
{
    const XYPlot* plot = Plot();
    const int delta = event.GetWheelDelta();
    if (!plot || delta <= 0 || m_chart->GetPlotsArea().IsEmpty()) {
        event.Skip();
        return;
    }
    const double notches = static_cast<double>(event.GetWheelRotation()) / delta;
    if (event.GetWheelAxis() == wxMOUSE_WHEEL_HORIZONTAL) {
        PanBy(notches / 10);
        return;
    }
    // Wheel forward (away from the user) zooms in, around the pointer's time.
    const wxRect area = m_chart->GetPlotsArea();
    const int x = std::clamp(event.GetPosition().x, area.x, area.GetRight());
    const double anchor = plot->PixelToX(x);
    const bool changed =
        ApplyView(chart::ZoomView(plot->GetViewX(), plot->GetFullX(), std::pow(kWheelZoom, notches), anchor,
                                  plot->GetMinViewSpan()),
                  false);
    if (changed) {
        KeepAtPixel(anchor, x);
        RedrawBackBuffer();
        AnnounceView();
    }
    ShowReadoutAt(event.GetPosition());
}

// The labels of a new view may be wider or narrower than the old ones and
// move the plot area's edges: the time that was under the pointer would
// slide a pixel or two away from it on every notch.
// The new plot area is worked out without drawing; the caller draws once.
void wxChartPanel::KeepAtPixel(double x, int pixel)
{
    const wxSize size = GetClientSize();
    if (!m_chart || size.x <= 0 || size.y <= 0 || !BufferFits(size))
        return;
    for (int attempt = 0; attempt < 2; ++attempt) {
        const XYPlot* plot = Plot();
        if (!plot || !plot->HasViewX())
            return;
        {
            wxMemoryDC dc(m_backBuffer);
            m_chart->LayOut(dc, wxRect(wxPoint(0, 0), size));
        }
        const wxRect area = m_chart->GetPlotsArea();
        const double off = plot->XToPixel(x) - pixel;
        if (area.width < 2 || std::fabs(off) <= 0.5)
            return;
        const chart::Range view = plot->GetViewX();
        ApplyView(chart::PanView(view, plot->GetFullX(), off * view.Span() / (area.width - 1),
                                 plot->GetMinViewSpan()),
                  false);
    }
}

void wxChartPanel::OnKeyDown(wxKeyEvent& event)
{
    switch (event.GetKeyCode()) {
    case WXK_LEFT:
    case WXK_NUMPAD_LEFT:
        PanBy(-0.1);
        return;
    case WXK_RIGHT:
    case WXK_NUMPAD_RIGHT:
        PanBy(0.1);
        return;
    case WXK_HOME:
    case WXK_NUMPAD_HOME:
        ShowWhole();
        return;
    case WXK_NUMPAD_ADD:
        ZoomIn();
        return;
    case WXK_NUMPAD_SUBTRACT:
        ZoomOut();
        return;
    case WXK_MENU:
    case WXK_WINDOWS_MENU: {
        // The context menu from the keyboard, as a right click gives it.
        wxContextMenuEvent menu(wxEVT_CONTEXT_MENU, GetId(), wxDefaultPosition);
        menu.SetEventObject(this);
        ProcessWindowEvent(menu);
        return;
    }
    case WXK_F10:
        if (event.GetModifiers() == wxMOD_SHIFT) {
            wxContextMenuEvent menu(wxEVT_CONTEXT_MENU, GetId(), wxDefaultPosition);
            menu.SetEventObject(this);
            ProcessWindowEvent(menu);
            return;
        }
        break;
    case WXK_ESCAPE:
        if (m_drag != Drag::None) {
            EndDrag();
            return;
        }
        break;
    default:
        break;
    }
    event.Skip();
}

void wxChartPanel::OnChar(wxKeyEvent& event)
{
    switch (event.GetUnicodeKey()) {
    case '+':
    case '=':
        ZoomIn();
        return;
    case '-':
    case '_':
        ZoomOut();
        return;
    default:
        event.Skip();
    }
}
