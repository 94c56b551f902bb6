// Zooming and panning the chart's time axis as a user does it, with the
// mouse and the keys, the readout beside the pointer, and the context menu.
#include "support/pixel_dump.h"
#include "wx_test_util.h"

#include "chart_builder.h"

#include "chart/wxChartPanel.h"

#include <wx/dcmemory.h>
#include <wx/frame.h>
#include <wx/sizer.h>
#include <wx/uiaction.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

namespace {

const wxColour kSeries(0, 0, 255);

// x 0..100, one record per unit: 0 and 100 in turn outside 16..44, 40 and
// 60 in turn inside, and 75 at x = 30.
std::vector<double> BandData()
{
    std::vector<double> xy;
    for (int x = 0; x <= 100; ++x) {
        double y = x % 2 ? 100 : 0;
        if (x >= 16 && x <= 44)
            y = x % 2 ? 60 : 40;
        if (x == 30)
            y = 75;
        xy.push_back(x);
        xy.push_back(y);
    }
    return xy;
}

std::unique_ptr<Chart> BandChart(double minViewSpan = 0)
{
    auto chart = MakeChannelChart({{kSeries, BandData()}});
    chart->GetPlot()->SetMinViewSpan(minViewSpan);
    return chart;
}

std::vector<unsigned char> Pixels(const wxBitmap& bitmap)
{
    const wxImage image = Dumped(bitmap.ConvertToImage());
    return std::vector<unsigned char>(image.GetData(),
                                      image.GetData() + image.GetWidth() * image.GetHeight() * 3);
}

int CountDiffering(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b)
{
    if (a.size() != b.size())
        return -1;
    int count = 0;
    for (size_t i = 0; i + 2 < a.size(); i += 3)
        count += std::memcmp(&a[i], &b[i], 3) != 0;
    return count;
}

// A shown frame whose only content is a chart panel, with the pointer driven
// by the simulator and every mouse event the panel gets noted.
struct ZoomFrame {
    wxFrame* frame;
    wxChartPanel* panel;
    wxUIActionSimulator sim;
    wxPoint lastMotion{-1, -1};
    int leftUps = 0, middleUps = 0, leaves = 0;

    explicit ZoomFrame(std::unique_ptr<Chart> chart, wxSize clientSize = wxSize(650, 490))
    {
        frame = new wxFrame(TestTopFrame(), wxID_ANY, "HALVANE DUO Charts", wxPoint(20, 20));
        panel = new wxChartPanel(frame, wxID_ANY, std::move(chart));
        auto* sizer = new wxBoxSizer(wxVERTICAL);
        sizer->Add(panel, 1, wxEXPAND | wxALL, 5);
        frame->SetSizer(sizer);
        frame->SetClientSize(clientSize);
        frame->Show();
        frame->Raise();
        const wxSize client = clientSize - wxSize(10, 10);
        PumpUntil([&] { return panel->IsShownOnScreen() && panel->GetClientSize() == client; });
        PumpUntil(
            [&] { return panel->GetBackBuffer().IsOk() && panel->GetBackBuffer().GetSize() == client; });
        panel->Bind(wxEVT_MOTION, [this](wxMouseEvent& event) {
            lastMotion = event.GetPosition();
            event.Skip();
        });
        panel->Bind(wxEVT_LEFT_UP, [this](wxMouseEvent& event) {
            ++leftUps;
            event.Skip();
        });
        panel->Bind(wxEVT_MIDDLE_UP, [this](wxMouseEvent& event) {
            ++middleUps;
            event.Skip();
        });
        panel->Bind(wxEVT_LEAVE_WINDOW, [this](wxMouseEvent& event) {
            ++leaves;
            event.Skip();
        });
    }
    ~ZoomFrame() { frame->Destroy(); }

    const XYPlot& Plot() const { return *panel->GetChart()->GetPlot(); }
    chart::Range View() const { return Plot().GetViewX(); }
    wxRect Area() const { return Plot().GetLastPlotArea(); }
    // The time one pixel column of the plot area spans in the view shown.
    double PerPixel() const { return View().Span() / (Area().width - 1); }
    // The client point on the column of x, halfway down the plot area.
    wxPoint At(double x) const
    {
        return wxPoint(static_cast<int>(std::lround(Plot().XToPixel(x))), Area().y + Area().height / 2);
    }

    // Moves the pointer to a client point and waits until the panel saw it.
    bool MoveTo(const wxPoint& client)
    {
        const wxPoint screen = panel->ClientToScreen(client);
        // A pointer already there makes no motion: step aside first, and
        // let the panel see that before coming back.
        if (wxGetMousePosition() == screen) {
            const wxPoint aside = client + wxPoint(3, 3);
            lastMotion = wxPoint(-1, -1);
            sim.MouseMove(panel->ClientToScreen(aside));
            PumpUntil([&] { return lastMotion == aside; });
        }
        lastMotion = wxPoint(-1, -1);
        sim.MouseMove(screen);
        return PumpUntil([&] { return lastMotion == client; });
    }
    // Presses button at from, drags to to, releases; modifiers held all along.
    bool Drag(const wxPoint& from, const wxPoint& to, int button = wxMOUSE_BTN_LEFT,
              int modifiers = wxMOD_NONE)
    {
        if (!MoveTo(from))
            return false;
        if (modifiers & wxMOD_SHIFT)
            sim.KeyDown(WXK_SHIFT);
        // A press soon after the last click arrives as a double click.
        const bool middle = button == wxMOUSE_BTN_MIDDLE;
        EventCounter<wxMouseEvent> down(panel, middle ? wxEVT_MIDDLE_DOWN : wxEVT_LEFT_DOWN);
        EventCounter<wxMouseEvent> doubleDown(panel, middle ? wxEVT_MIDDLE_DCLICK : wxEVT_LEFT_DCLICK);
        sim.MouseDown(button);
        const bool pressed = PumpUntil([&] { return down.Count() + doubleDown.Count() > 0; });
        const bool moved = MoveTo(to);
        const int ups = leftUps + middleUps;
        sim.MouseUp(button);
        const bool released = PumpUntil([&] { return leftUps + middleUps > ups; });
        bool shiftUp = true;
        if (modifiers & wxMOD_SHIFT) {
            KeyReleases shift(WXK_SHIFT);
            sim.KeyUp(WXK_SHIFT);
            shiftUp = shift.WaitFor(1);
        }
        const bool idle = PumpUntilIdle();
        EXPECT_TRUE(pressed) << "the press did not arrive";
        EXPECT_TRUE(moved) << "the drag did not arrive";
        EXPECT_TRUE(released) << "the release did not arrive";
        EXPECT_TRUE(shiftUp) << "Shift's release did not arrive";
        return pressed && moved && released && shiftUp && idle;
    }
    // Gives the panel the keyboard with the pointer over it.
    bool Focus()
    {
        if (!MoveTo(At(View().lo + View().Span() / 2)))
            return false;
        panel->SetFocus();
        return PumpUntil([&] { return wxWindow::FindFocus() == panel; });
    }
    // Types a key and waits until it has been handled; the view then.
    chart::Range Key(int key)
    {
        EXPECT_TRUE(TypeKey(key)) << "key " << key << " did not arrive";
        return View();
    }
    void Wheel(const wxPoint& client, int rotation)
    {
        // wxUIActionSimulator has no wheel in wx 3.2: the event GTK would
        // make of a notch, sent to the panel.
        wxMouseEvent wheel(wxEVT_MOUSEWHEEL);
        wheel.SetPosition(client);
        wheel.SetEventObject(panel);
        wheel.m_wheelAxis = wxMOUSE_WHEEL_VERTICAL;
        wheel.m_wheelRotation = rotation;
        wheel.m_wheelDelta = 120;
        panel->GetEventHandler()->ProcessEvent(wheel);
        EXPECT_TRUE(PumpUntilIdle());
    }
    // What painting puts on the screen: the back buffer with what is drawn
    // over it. (Reading the screen back shows only the first paint under
    // the tests' pumping, so the paint is made here as OnPaint makes it.)
    std::vector<unsigned char> Screen() const
    {
        wxBitmap shown(panel->GetBackBuffer());
        {
            wxMemoryDC dc(shown);
            panel->DrawOverlay(dc);
        }
        return Pixels(shown);
    }
};

} // namespace

TEST(ChartZoom, ABandZoomsToItsTimesAndTheValueAxisSpansTheDataInIt)
{
    ZoomFrame view(BandChart());
    ASSERT_FALSE(view.Plot().HasViewX());
    const NumberAxis& values = *view.Plot().GetVerticalAxis(0);
    EXPECT_EQ(values.GetMinValue(), 0.0);
    EXPECT_EQ(values.GetMaxValue(), 100.0);
    const double perPixel = view.PerPixel();
    const std::vector<unsigned char> whole = Pixels(view.panel->GetBackBuffer());

    // Narrower than 5 pixels: a click, nothing changes.
    const wxPoint at50 = view.At(50);
    for (int width : {2, 4, -4}) {
        SCOPED_TRACE(width);
        ASSERT_TRUE(view.Drag(at50, at50 + wxPoint(width, 0)));
        EXPECT_FALSE(view.Plot().HasViewX());
        EXPECT_EQ(view.View(), (chart::Range{0, 100}));
        EXPECT_EQ(CountDiffering(Pixels(view.panel->GetBackBuffer()), whole), 0);
    }
    // 5 pixels is a band.
    ASSERT_TRUE(view.Drag(at50, at50 + wxPoint(5, 0)));
    EXPECT_TRUE(view.Plot().HasViewX());
    EXPECT_NEAR(view.View().Span(), 5 * perPixel, 0.01);
    view.panel->ShowWhole();

    // From the column of 20 to that of 40 (either way round).
    for (bool rightwards : {true, false}) {
        SCOPED_TRACE(rightwards ? "rightwards" : "leftwards");
        view.panel->ShowWhole();
        const wxPoint from = view.At(rightwards ? 20 : 40), to = view.At(rightwards ? 40 : 20);
        ASSERT_TRUE(view.Drag(from, to));
        ASSERT_TRUE(view.Plot().HasViewX());
        EXPECT_NEAR(view.View().lo, 20, perPixel);
        EXPECT_NEAR(view.View().hi, 40, perPixel);
        // The value axis spans what is in view: 40..60 and the 75 at x = 30,
        // not the 0 and 100 around.
        EXPECT_EQ(values.GetMinValue(), 40.0);
        EXPECT_EQ(values.GetMaxValue(), 75.0);
        EXPECT_GT(CountDiffering(Pixels(view.panel->GetBackBuffer()), whole), 1000);
    }
    // A small drag while zoomed changes nothing either.
    const chart::Range zoomed = view.View();
    ASSERT_TRUE(view.Drag(view.At(30), view.At(30) + wxPoint(2, 0)));
    EXPECT_EQ(view.View(), zoomed);

    // And all of it again: the axis spans all the data.
    view.panel->ShowWhole();
    EXPECT_FALSE(view.Plot().HasViewX());
    EXPECT_EQ(values.GetMinValue(), 0.0);
    EXPECT_EQ(values.GetMaxValue(), 100.0);
    EXPECT_EQ(CountDiffering(Pixels(view.panel->GetBackBuffer()), whole), 0);
}

TEST(ChartZoom, TheWheelZoomsAroundThePointer)
{
    ZoomFrame view(BandChart());
    const wxPoint pointer = view.At(30);
    const double under = view.Plot().PixelToX(pointer.x);

    view.Wheel(pointer, 120); // one notch forward: in
    ASSERT_TRUE(view.Plot().HasViewX());
    EXPECT_NEAR(view.View().Span(), 80, 1e-9);
    EXPECT_NEAR(view.Plot().XToPixel(under), pointer.x, 1.0);
    view.Wheel(pointer, 240); // two notches in one event
    EXPECT_NEAR(view.View().Span(), 51.2, 1e-9);
    EXPECT_NEAR(view.Plot().XToPixel(under), pointer.x, 1.0);
    EXPECT_NEAR(view.Plot().PixelToX(pointer.x), under, view.PerPixel());

    // Back out, notch by notch, to exactly the whole (not a hair less).
    view.Wheel(pointer, -120);
    EXPECT_NEAR(view.View().Span(), 64, 1e-9);
    EXPECT_NEAR(view.Plot().XToPixel(under), pointer.x, 1.0);
    view.Wheel(pointer, -120);
    view.Wheel(pointer, -120);
    EXPECT_FALSE(view.Plot().HasViewX());
    EXPECT_EQ(view.View(), (chart::Range{0, 100}));
    view.Wheel(pointer, -120);
    EXPECT_EQ(view.View(), (chart::Range{0, 100}));

    // Near the right edge the view keeps the last record.
    const wxPoint edge(view.Area().GetRight(), pointer.y);
    for (int notch = 0; notch < 5; ++notch)
        view.Wheel(edge, 120);
    EXPECT_EQ(view.View().hi, 100.0);
    EXPECT_NEAR(view.View().Span(), 100 * std::pow(0.8, 5), 1e-9);
}

TEST(ChartZoom, DraggingWithShiftOrTheMiddleButtonPans)
{
    ZoomFrame view(BandChart());
    view.panel->SetView(40, 60);
    ASSERT_EQ(view.View(), (chart::Range{40, 60}));
    const double perPixel = view.PerPixel();
    const wxPoint middle = view.At(50);

    // Shift and the left button, 100 pixels right: earlier times come into
    // view, by the time those pixels showed; no band, no zoom.
    ASSERT_TRUE(view.Drag(middle, middle + wxPoint(100, 0), wxMOUSE_BTN_LEFT, wxMOD_SHIFT));
    EXPECT_FALSE(view.panel->IsBandShown());
    EXPECT_NEAR(view.View().lo, 40 - 100 * perPixel, 1e-9);
    EXPECT_NEAR(view.View().Span(), 20, 1e-9);
    // The middle button, 150 pixels left: later times.
    const double lo = view.View().lo;
    ASSERT_TRUE(view.Drag(middle, middle - wxPoint(150, 0), wxMOUSE_BTN_MIDDLE));
    EXPECT_NEAR(view.View().lo, lo + 150 * perPixel, 1e-9);
    EXPECT_NEAR(view.View().Span(), 20, 1e-9);

    // Far past either end: the view stops there, its span kept.
    view.panel->SetView(10, 30);
    ASSERT_TRUE(view.Drag(view.At(12), view.At(29) + wxPoint(1, 0), wxMOUSE_BTN_MIDDLE));
    ASSERT_TRUE(view.Drag(view.At(12), view.At(29) + wxPoint(1, 0), wxMOUSE_BTN_LEFT, wxMOD_SHIFT));
    EXPECT_EQ(view.View(), (chart::Range{0, 20}));
    view.panel->SetView(70, 90);
    ASSERT_TRUE(view.Drag(view.At(88), view.At(71) - wxPoint(1, 0), wxMOUSE_BTN_MIDDLE));
    EXPECT_EQ(view.View(), (chart::Range{80, 100}));
    ASSERT_TRUE(view.Drag(view.At(88), view.At(82), wxMOUSE_BTN_LEFT, wxMOD_SHIFT));
    EXPECT_EQ(view.View(), (chart::Range{80, 100}));

    // The whole has nowhere to go.
    view.panel->ShowWhole();
    ASSERT_TRUE(view.Drag(middle, middle + wxPoint(100, 0), wxMOUSE_BTN_MIDDLE));
    EXPECT_FALSE(view.Plot().HasViewX());
    EXPECT_EQ(view.View(), (chart::Range{0, 100}));
}

TEST(ChartZoom, KeysZoomPanAndShowTheWhole)
{
    ZoomFrame view(BandChart());
    ASSERT_TRUE(view.Focus());
    // A newly shown window may miss the first key: type a probe until it
    // arrives, then start from the whole again.
    for (int attempt = 0; attempt < 10 && !view.Plot().HasViewX(); ++attempt)
        view.Key('+');
    ASSERT_TRUE(view.Plot().HasViewX()) << "the panel takes keys";
    view.Key(WXK_HOME);
    ASSERT_FALSE(view.Plot().HasViewX());

    EXPECT_EQ(view.Key('+'), (chart::Range{25, 75}));
    EXPECT_EQ(view.Key('='), (chart::Range{37.5, 62.5}));
    EXPECT_EQ(view.Key(WXK_RIGHT), (chart::Range{40, 65}));
    EXPECT_EQ(view.Key(WXK_LEFT), (chart::Range{37.5, 62.5}));
    EXPECT_EQ(view.Key(WXK_LEFT), (chart::Range{35, 60}));
    EXPECT_EQ(view.Key('-'), (chart::Range{22.5, 72.5}));
    EXPECT_EQ(view.Key('-'), (chart::Range{0, 100}));
    EXPECT_FALSE(view.Plot().HasViewX());

    // Panning stops at the ends.
    view.Key('+');
    for (int press = 0; press < 6; ++press)
        view.Key(WXK_RIGHT);
    EXPECT_EQ(view.View(), (chart::Range{50, 100}));
    for (int press = 0; press < 11; ++press)
        view.Key(WXK_LEFT);
    EXPECT_EQ(view.View(), (chart::Range{0, 50}));

    EXPECT_EQ(view.Key(WXK_HOME), (chart::Range{0, 100}));
    EXPECT_FALSE(view.Plot().HasViewX());

    // A double click shows all as well.
    view.panel->SetView(20, 30);
    ASSERT_TRUE(view.MoveTo(view.At(25)));
    view.sim.MouseDblClick();
    EXPECT_TRUE(PumpUntil([&] { return !view.Plot().HasViewX(); }));
    EXPECT_EQ(view.View(), (chart::Range{0, 100}));
}

TEST(ChartZoom, ZoomingInStopsAtTheSmallestSpan)
{
    ZoomFrame view(BandChart(4));
    ASSERT_TRUE(view.Focus());
    for (int attempt = 0; attempt < 10 && !view.Plot().HasViewX(); ++attempt)
        view.Key('+');
    ASSERT_TRUE(view.Plot().HasViewX()) << "the panel takes keys";
    for (int press = 0; press < 10; ++press)
        view.Key('+');
    EXPECT_EQ(view.View().Span(), 4.0);
    EXPECT_FALSE(view.panel->CanZoomIn());
    EXPECT_TRUE(view.panel->CanZoomOut());

    // The wheel, anywhere: never narrower.
    view.panel->ShowWhole();
    for (int notch = 0; notch < 30; ++notch) {
        view.Wheel(view.At(90), 120);
        ASSERT_GE(view.View().Span(), 4.0) << "notch " << notch;
    }
    EXPECT_EQ(view.View().Span(), 4.0);
    EXPECT_LE(view.View().lo, 90.0);
    EXPECT_GE(view.View().hi, 90.0);

    // A band of two units, many pixels wide: four units around its middle.
    view.panel->ShowWhole();
    const double perPixel = view.PerPixel();
    ASSERT_TRUE(view.Drag(view.At(50), view.At(52)));
    EXPECT_EQ(view.View().Span(), 4.0);
    EXPECT_NEAR(view.View().lo + 2, 51, perPixel);
}

TEST(ChartZoom, ASpikeZoomedIntoIsDrawnWide)
{
    // Flat at 10 but for 90 over x 50..50.5, one record every 0.05.
    const wxColour spikeColour(200, 0, 200);
    std::vector<double> xy;
    for (int i = 0; i <= 2000; ++i) {
        const double x = i * 0.05;
        xy.push_back(x);
        xy.push_back(i >= 1000 && i <= 1010 ? 90 : 10);
    }
    ZoomFrame view(MakeChannelChart({{spikeColour, xy}}));
    ASSERT_GT(view.Area().width, 550) << "the widths below are for a plot area about 590 wide";

    // Columns of the plot area holding the series colour above the flat line.
    auto spikeColumns = [&] {
        const wxImage image = Dumped(view.panel->GetBackBuffer().ConvertToImage());
        const wxRect area = view.Area();
        const int flatRow = static_cast<int>(std::lround(view.Plot().YToPixel(0, 10)));
        int columns = 0;
        for (int x = area.x; x <= area.GetRight(); ++x) {
            bool found = false;
            for (int y = area.y; y < flatRow - 2 && !found; ++y)
                found = image.GetRed(x, y) == spikeColour.Red() &&
                        image.GetGreen(x, y) == spikeColour.Green() &&
                        image.GetBlue(x, y) == spikeColour.Blue();
            columns += found;
        }
        return columns;
    };
    const int whole = spikeColumns();
    EXPECT_GE(whole, 1) << "the spike shows in the whole";
    EXPECT_LE(whole, 6);

    view.panel->SetView(49, 52);
    ASSERT_EQ(view.View(), (chart::Range{49, 52}));
    // 0.5 of 3 units on 589 columns, and its flanks.
    EXPECT_GE(spikeColumns(), 100);
}

TEST(ChartZoom, TheReadoutAndTheBandAreDrawnOnlyOnTheScreen)
{
    ZoomFrame view(BandChart());
    const wxColour lineColour(200, 80, 0);
    int asked = 0;
    view.panel->SetReadoutProvider([&](double x, wxChartPanel::Readout& readout) {
        ++asked;
        readout.x = std::round(x);
        readout.lines = {{wxString::Format("t=%g", readout.x), wxColour()}, {"pH 6.1", lineColour}};
        return true;
    });
    const std::vector<unsigned char> buffer = Pixels(view.panel->GetBackBuffer());
    ASSERT_EQ(CountDiffering(view.Screen(), buffer), 0)
        << "without a readout the screen shows the back buffer";

    // Over the plot: the readout of the record under the pointer.
    ASSERT_TRUE(view.MoveTo(view.At(30)));
    ASSERT_TRUE(PumpUntil([&] { return view.panel->IsReadoutShown(); }));
    EXPECT_GE(asked, 1);
    const wxChartPanel::Readout& readout = view.panel->GetReadout();
    EXPECT_EQ(readout.x, 30.0);
    ASSERT_EQ(readout.lines.size(), 2u);
    EXPECT_EQ(readout.lines[0].text, "t=30");
    EXPECT_EQ(readout.lines[1].text, "pH 6.1");
    EXPECT_EQ(readout.lines[1].colour, lineColour);
    ASSERT_TRUE(view.MoveTo(view.At(61)));
    EXPECT_TRUE(PumpUntil([&] { return view.panel->GetReadout().lines[0].text == "t=61"; }));

    // Drawn over the buffer on the screen, never into the buffer.
    EXPECT_EQ(CountDiffering(Pixels(view.panel->GetBackBuffer()), buffer), 0);
    EXPECT_GT(CountDiffering(view.Screen(), buffer), 50) << "the screen shows the readout";

    // Over an axis label, outside the plot area: none.
    ASSERT_TRUE(view.MoveTo(wxPoint(view.Area().x / 2, view.Area().y + 20)));
    EXPECT_TRUE(PumpUntil([&] { return !view.panel->IsReadoutShown(); }));
    ASSERT_TRUE(view.MoveTo(view.At(30)));
    ASSERT_TRUE(PumpUntil([&] { return view.panel->IsReadoutShown(); }));
    // Out of the panel: gone from the screen too.
    const int leaves = view.leaves;
    const wxRect frameRect = view.frame->GetScreenRect();
    view.sim.MouseMove(frameRect.GetRight() + 60, frameRect.y + 40);
    ASSERT_TRUE(PumpUntil([&] { return view.leaves > leaves; }));
    EXPECT_FALSE(view.panel->IsReadoutShown());
    EXPECT_EQ(CountDiffering(view.Screen(), buffer), 0);

    // A band being dragged: on the screen only, the readout gone meanwhile.
    ASSERT_TRUE(view.MoveTo(view.At(20)));
    view.sim.MouseDown();
    ASSERT_TRUE(PumpUntil([&] { return view.panel->IsBandShown(); }));
    ASSERT_TRUE(view.MoveTo(view.At(40)));
    EXPECT_TRUE(view.panel->IsBandShown());
    EXPECT_FALSE(view.panel->IsReadoutShown());
    EXPECT_EQ(CountDiffering(Pixels(view.panel->GetBackBuffer()), buffer), 0);
    EXPECT_GT(CountDiffering(view.Screen(), buffer), 1000) << "the screen shows the band";
    // Escape drops it: nothing zoomed, the screen the buffer again.
    view.sim.Char(WXK_ESCAPE);
    EXPECT_TRUE(PumpUntil([&] { return !view.panel->IsBandShown(); }));
    view.sim.MouseUp();
    PumpUntil([&] { return view.leftUps > 0; });
    EXPECT_FALSE(view.Plot().HasViewX());
    EXPECT_EQ(CountDiffering(Pixels(view.panel->GetBackBuffer()), buffer), 0);
}

TEST(ChartZoom, TheContextMenuComesOnceFromARightClickAndFromTheKeyboard)
{
    ZoomFrame view(BandChart());
    int menus = 0;
    wxPoint position;
    view.panel->Bind(wxEVT_CONTEXT_MENU, [&](wxContextMenuEvent& event) {
        ++menus;
        position = event.GetPosition();
    });
    ASSERT_TRUE(view.Focus());

    const wxPoint at = view.At(30);
    ASSERT_TRUE(view.MoveTo(at));
    EventCounter<wxMouseEvent> rightUps(view.panel, wxEVT_RIGHT_UP);
    view.sim.MouseClick(wxMOUSE_BTN_RIGHT);
    ASSERT_TRUE(PumpUntil([&] { return menus > 0; }));
    // The whole click in, and all it queued run.
    ASSERT_TRUE(rightUps.WaitFor(1));
    ASSERT_TRUE(PumpUntilIdle());
    EXPECT_EQ(menus, 1);
    EXPECT_EQ(position, view.panel->ClientToScreen(at));
    EXPECT_FALSE(view.Plot().HasViewX()) << "a right click is no zoom";

    ASSERT_TRUE(TypeKey(WXK_MENU));
    EXPECT_EQ(menus, 2);
    EXPECT_EQ(position, wxDefaultPosition) << "from the keyboard: the menu goes where the program likes";

    ASSERT_TRUE(TypeKey(WXK_F10, wxMOD_SHIFT));
    EXPECT_EQ(menus, 3);
    // F10 alone is not the menu.
    ASSERT_TRUE(TypeKey(WXK_F10));
    EXPECT_EQ(menus, 3);
}

TEST(ChartZoom, ThePanelTellsEveryChangeOfTheRangeShownAndKeepsItForANewChart)
{
    ZoomFrame f(BandChart());
    struct Told {
        chart::Range shown;
        bool zoomed;
    };
    std::vector<Told> told;
    f.frame->Bind(wxEVT_CHART_VIEW_CHANGED, [&](wxChartViewEvent& event) {
        told.push_back({event.GetShownRange(), event.IsZoomed()});
    });
    // A zoom by the key reaches the panel's parent once.
    f.panel->SetFocus();
    PumpUntil([&] { return f.panel->HasFocus(); });
    f.sim.Char('+');
    ASSERT_TRUE(PumpUntil([&] { return !told.empty(); }));
    ASSERT_EQ(told.size(), 1u);
    EXPECT_TRUE(told[0].zoomed);
    EXPECT_DOUBLE_EQ(told[0].shown.lo, 25);
    EXPECT_DOUBLE_EQ(told[0].shown.hi, 75);
    EXPECT_EQ(f.panel->GetShownRange(), told[0].shown);
    EXPECT_TRUE(f.panel->IsZoomed());
    // Nothing that leaves the range as it was is told.
    f.panel->PanBy(0);
    f.panel->SetView(25, 75);
    EXPECT_EQ(told.size(), 1u);

    // A new chart of the same data shows the same range, and says nothing.
    f.panel->SetChart(MakeChannelChart({{wxColour(255, 0, 0), BandData()}}));
    EXPECT_EQ(told.size(), 1u);
    EXPECT_DOUBLE_EQ(f.View().lo, 25);
    EXPECT_DOUBLE_EQ(f.View().hi, 75);
    // A chart of data ending at 60 keeps the span where the data reach.
    std::vector<double> shorter = BandData();
    shorter.resize(2 * 61);
    f.panel->SetChart(MakeChannelChart({{kSeries, shorter}}));
    ASSERT_EQ(told.size(), 2u);
    EXPECT_TRUE(told[1].zoomed);
    EXPECT_DOUBLE_EQ(told[1].shown.lo, 10);
    EXPECT_DOUBLE_EQ(told[1].shown.hi, 60);
    // All shown again by the key; then a forgotten view for other data.
    f.sim.KeyDown(WXK_HOME);
    f.sim.KeyUp(WXK_HOME);
    ASSERT_TRUE(PumpUntil([&] { return told.size() == 3; }));
    EXPECT_FALSE(told[2].zoomed);
    EXPECT_DOUBLE_EQ(told[2].shown.lo, 0);
    EXPECT_DOUBLE_EQ(told[2].shown.hi, 60);
    f.panel->ZoomIn();
    ASSERT_EQ(told.size(), 4u);
    // Forgetting the view shows the chart shown whole at once.
    f.panel->ForgetView();
    ASSERT_EQ(told.size(), 5u);
    EXPECT_FALSE(told[4].zoomed);
    EXPECT_DOUBLE_EQ(told[4].shown.hi, 60);
    f.panel->SetChart(BandChart());
    ASSERT_EQ(told.size(), 6u);
    EXPECT_FALSE(told[5].zoomed);
    EXPECT_DOUBLE_EQ(told[5].shown.hi, 100);
}
