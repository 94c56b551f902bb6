#include "chart/LineSpans.h"

#include <wx/graphics.h>

#if HALVANE_CAIRO
#include <cairo.h>
#endif

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace chart {
namespace {

int Round(double v)
{
    return static_cast<int>(std::floor(v + 0.5));
}

// Adds a span, joined to the last one when it is in the same column and
// touches it.
void Add(std::vector<ColumnSpan>& spans, int x, int top, int bottom)
{
    if (!spans.empty()) {
        ColumnSpan& last = spans.back();
        if (last.x == x && top <= last.bottom + 1 && bottom >= last.top - 1) {
            last.top = std::min(last.top, top);
            last.bottom = std::max(last.bottom, bottom);
            return;
        }
    }
    spans.push_back({x, top, bottom});
}

void AddSegment(wxPoint a, wxPoint b, int left, int right, std::vector<ColumnSpan>& spans)
{
    if (a.x == b.x) {
        if (a.x >= left && a.x <= right)
            Add(spans, a.x, std::min(a.y, b.y), std::max(a.y, b.y));
        return;
    }
    // Columns are visited in the line's direction, those outside left ..
    // right skipped: an end far beyond the plot costs nothing.
    const int step = a.x < b.x ? 1 : -1;
    const double x0 = a.x, y0 = a.y, x1 = b.x, y1 = b.y;
    const double slope = (y1 - y0) / (x1 - x0);
    const double lo = std::min(x0, x1), hi = std::max(x0, x1);
    auto yAt = [&](double x) { return y0 + slope * (x - x0); };
    int first = a.x, last = b.x;
    if (step > 0) {
        first = std::max(first, left);
        last = std::min(last, right);
    } else {
        first = std::min(first, right);
        last = std::max(last, left);
    }
    if ((last - first) * step < 0)
        return;
    for (int c = first;; c += step) {
        const double ya = yAt(std::max(c - 0.5, lo)), yb = yAt(std::min(c + 0.5, hi));
        const int centre = Round(yAt(c));
        // Rows whose centre the segment crosses within the column: the
        // half-open [min, max) so that a row on a boundary between two
        // columns is taken once.
        const double from = std::min(ya, yb), to = std::max(ya, yb);
        const int top = std::min(static_cast<int>(std::ceil(from)), centre);
        const int bottom = std::max(static_cast<int>(std::ceil(to)) - 1, centre);
        Add(spans, c, top, bottom);
        if (c == last)
            break;
    }
}

} // namespace

void AppendLineSpans(const wxPoint* points, size_t count, int left, int right, std::vector<ColumnSpan>& spans)
{
    if (count == 0 || left > right)
        return;
    if (count == 1) {
        AddSegment(points[0], points[0], left, right, spans);
        return;
    }
    for (size_t i = 1; i < count; ++i)
        AddSegment(points[i - 1], points[i], left, right, spans);
}

void Dash(std::vector<ColumnSpan>& spans, int on, int off, int origin)
{
    const int period = on + off;
    if (on <= 0 || off <= 0)
        return;
    spans.erase(std::remove_if(spans.begin(), spans.end(),
                               [&](const ColumnSpan& span) {
                                   const int64_t at = (static_cast<int64_t>(span.x) - origin) % period;
                                   return (at < 0 ? at + period : at) >= on;
                               }),
                spans.end());
}

bool CanFillSpans(wxDC& dc)
{
    const wxGraphicsContext* gc = dc.GetGraphicsContext();
    return gc && gc->GetAntialiasMode() == wxANTIALIAS_NONE;
}

bool FillSpans(wxDC& dc, const wxColour& colour, const std::vector<ColumnSpan>& spans,
               const std::vector<wxPoint>& dots)
{
    if (!CanFillSpans(dc))
        return false;
    wxGraphicsContext& gc = *dc.GetGraphicsContext();
    // A pen one pixel wide strokes pixel x from x - 0.5 to x + 0.5, moved by
    // half a device pixel where the context offsets thin lines onto whole
    // pixels: x .. x + 1 on a screen at scale 1, and the device's pixels
    // 2x - 1 and 2x at scale 2. The boxes cover the same.
    auto boxes = [&](double offset, auto&& rectangle) {
        const double o = gc.OffsetEnabled() ? offset - 0.5 : -0.5;
        for (const ColumnSpan& span : spans)
            rectangle(span.x + o, span.top + o, 1.0, span.bottom - span.top + 1.0);
        for (const wxPoint& dot : dots)
            rectangle(dot.x - 1 + o, dot.y - 1 + o, 3.0, 3.0);
    };
#if HALVANE_CAIRO
    if (gc.GetRenderer() == wxGraphicsRenderer::GetCairoRenderer()) {
        // The context's own path, transform and clip: the boxes go to cairo
        // once, not through a path that is copied point by point.
        cairo_t* cr = static_cast<cairo_t*>(gc.GetNativeContext());
        double dx = 1, dy = 1;
        cairo_user_to_device_distance(cr, &dx, &dy);
        const double devicePixel = 1.0 / std::max(std::min(std::fabs(dx), std::fabs(dy)), 1e-9);
        cairo_save(cr);
        cairo_new_path(cr);
        boxes(0.5 * devicePixel,
              [cr](double x, double y, double w, double h) { cairo_rectangle(cr, x, y, w, h); });
        cairo_set_source_rgb(cr, colour.Red() / 255.0, colour.Green() / 255.0, colour.Blue() / 255.0);
        cairo_fill(cr);
        cairo_restore(cr);
        return true;
    }
#endif
    wxGraphicsPath path = gc.CreatePath();
    boxes(0.5 / std::max(dc.GetContentScaleFactor(), 1.0),
          [&path](double x, double y, double w, double h) { path.AddRectangle(x, y, w, h); });
    const wxGraphicsPen pen = gc.CreatePen(*wxTRANSPARENT_PEN);
    gc.SetPen(pen);
    gc.SetBrush(wxBrush(colour));
    gc.FillPath(path);
    // The DC's own pen and brush are the graphics context's again.
    gc.SetPen(dc.GetPen());
    gc.SetBrush(dc.GetBrush());
    return true;
}

} // namespace chart
