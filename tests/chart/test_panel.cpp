// The chart panel as a window: its back buffer follows the client area, holds
// exactly the chart that is shown, and an empty panel is plain.
#include "support/pixel_dump.h"
#include "wx_test_util.h"

#include "chart_builder.h"

#include "chart/wxChartPanel.h"

#include <wx/dcmemory.h>
#include <wx/dcscreen.h>
#include <wx/frame.h>
#include <wx/sizer.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

namespace {

const wxColour kCyan(0, 255, 255);

std::unique_ptr<Chart> CyanChart(const wxString& title = "Log File")
{
    return MakeChannelChart({{kCyan, {0, 6.0, 0.25, 7.0, 0.5, 6.5, 1, 6.8}}}, title);
}

int CountColour(const wxImage& image, const wxColour& colour)
{
    int count = 0;
    for (int y = 0; y < image.GetHeight(); ++y)
        for (int x = 0; x < image.GetWidth(); ++x)
            count += image.GetRed(x, y) == colour.Red() && image.GetGreen(x, y) == colour.Green() &&
                     image.GetBlue(x, y) == colour.Blue();
    return count;
}

// A shown frame whose only content is a chart panel filling it.
struct PanelFrame {
    wxFrame* frame;
    wxChartPanel* panel;

    explicit PanelFrame(std::unique_ptr<Chart> chart = nullptr, wxSize clientSize = wxSize(640, 480))
    {
        frame = new wxFrame(TestTopFrame(), wxID_ANY, "HALVANE DUO Charts");
        panel = new wxChartPanel(frame, wxID_ANY, std::move(chart));
        auto* sizer = new wxBoxSizer(wxVERTICAL);
        sizer->Add(panel, 5, wxEXPAND | wxALL, 5);
        frame->SetSizer(sizer);
        frame->SetClientSize(clientSize);
        frame->Show();
        PumpUntil([&] { return panel->GetClientSize() == clientSize - wxSize(10, 10); });
    }
    ~PanelFrame() { frame->Destroy(); }
};

} // namespace

TEST(ChartPanel, WithoutAChartThePanelIsPlain)
{
    PanelFrame view;
    ASSERT_EQ(view.panel->GetClientSize(), wxSize(630, 470));
    EXPECT_EQ(view.panel->GetChart(), nullptr);
    const wxBitmap& buffer = view.panel->GetBackBuffer();
    ASSERT_TRUE(buffer.IsOk());
    EXPECT_EQ(buffer.GetSize(), wxSize(630, 470));
    const wxImage image = Dumped(buffer.ConvertToImage());
    EXPECT_EQ(CountColour(image, view.panel->GetBackgroundColour()), 630 * 470);
    // Painting an empty panel is harmless.
    EventCounter<wxPaintEvent> painted(view.panel, wxEVT_PAINT);
    view.panel->Refresh();
    view.panel->Update();
    EXPECT_TRUE(painted.WaitFor(1));
}

TEST(ChartPanel, TheBackBufferHoldsTheChartAsDrawn)
{
    PanelFrame view(CyanChart());
    ASSERT_NE(view.panel->GetChart(), nullptr);
    EXPECT_EQ(view.panel->GetChart()->GetTitle(), "Log File");
    const wxBitmap& buffer = view.panel->GetBackBuffer();
    ASSERT_EQ(buffer.GetSize(), view.panel->GetClientSize());

    // Exactly what Chart::Draw makes of the same chart at that size.
    wxBitmap direct(buffer.GetWidth(), buffer.GetHeight(), 24);
    {
        wxMemoryDC dc(direct);
        CyanChart()->Draw(dc, wxRect(direct.GetSize()));
    }
    const wxImage shown = Dumped(buffer.ConvertToImage());
    const wxImage expected = Dumped(direct.ConvertToImage());
    ASSERT_EQ(shown.GetSize(), expected.GetSize());
    EXPECT_EQ(0, std::memcmp(shown.GetData(), expected.GetData(), shown.GetWidth() * shown.GetHeight() * 3));
    EXPECT_GT(CountColour(shown, kCyan), 300);

    // A new chart replaces the old one (which the panel deletes) at once.
    view.panel->SetChart(CyanChart("Other"));
    EXPECT_EQ(view.panel->GetChart()->GetTitle(), "Other");
    EXPECT_FALSE(0 == std::memcmp(Dumped(view.panel->GetBackBuffer().ConvertToImage()).GetData(),
                                  shown.GetData(), shown.GetWidth() * shown.GetHeight() * 3));
    // And no chart makes it plain again.
    view.panel->SetChart(nullptr);
    EXPECT_EQ(view.panel->GetChart(), nullptr);
    EXPECT_EQ(
        CountColour(Dumped(view.panel->GetBackBuffer().ConvertToImage()), view.panel->GetBackgroundColour()),
        shown.GetWidth() * shown.GetHeight());
}

TEST(ChartPanel, TheBackBufferFollowsTheClientSize)
{
    PanelFrame view(CyanChart());
    for (const wxSize& size : {wxSize(300, 200), wxSize(900, 650), wxSize(641, 479)}) {
        view.frame->SetClientSize(size);
        const wxSize client = size - wxSize(10, 10);
        ASSERT_TRUE(PumpUntil([&] { return view.panel->GetClientSize() == client; }))
            << size.x << "x" << size.y;
        ASSERT_TRUE(PumpUntil([&] { return view.panel->GetBackBuffer().GetSize() == client; }))
            << view.panel->GetBackBuffer().GetWidth() << "x" << view.panel->GetBackBuffer().GetHeight();
        EXPECT_GT(CountColour(Dumped(view.panel->GetBackBuffer().ConvertToImage()), kCyan), 100);
    }
}

TEST(ChartPanel, AnEmptyClientAreaIsNoFault)
{
    // A panel of no size, with and without a chart: no assertion, no
    // buffer; it gets one as soon as it has an area.
    auto* frame = new wxFrame(TestTopFrame(), wxID_ANY, "zero");
    auto* panel = new wxChartPanel(frame, wxID_ANY, CyanChart(), wxDefaultPosition, wxSize(0, 0));
    auto* other = new wxChartPanel(frame, wxID_ANY); // keeps the frame from resizing the first
    {
        EventCounter<wxPaintEvent> shown(other, wxEVT_PAINT);
        frame->Show();
        panel->SetSize(0, 0);
        ASSERT_TRUE(shown.WaitFor(1));
    }
    panel->RedrawBackBuffer();
    EXPECT_FALSE(panel->GetBackBuffer().IsOk());
    panel->SetChart(nullptr);
    panel->SetChart(CyanChart());
    panel->Refresh();
    ASSERT_TRUE(PumpUntilIdle());
    panel->SetSize(120, 80);
    ASSERT_TRUE(PumpUntil([&] { return panel->GetBackBuffer().IsOk(); }));
    EXPECT_EQ(panel->GetBackBuffer().GetSize(), panel->GetClientSize());
    panel->SetSize(0, 0);
    ASSERT_TRUE(PumpUntil([&] { return !panel->GetBackBuffer().IsOk(); }));
    (void)other;
    frame->Destroy();
}

TEST(ChartPanel, TheScreenShowsTheBackBuffer)
{
    PanelFrame view(CyanChart(), wxSize(400, 300));
    view.frame->Raise();
    EventCounter<wxPaintEvent> painted(view.panel, wxEVT_PAINT);
    view.panel->Refresh();
    view.panel->Update();
    ASSERT_TRUE(painted.WaitFor(1));
    const wxSize size = view.panel->GetClientSize();
    const wxPoint origin = view.panel->ClientToScreen(wxPoint(0, 0));
    wxBitmap shot(size.x, size.y, 24);
    {
        wxScreenDC screen;
        wxMemoryDC dc(shot);
        ASSERT_TRUE(dc.Blit(0, 0, size.x, size.y, &screen, origin.x, origin.y));
    }
    const wxImage onScreen = Dumped(shot.ConvertToImage());
    const wxImage buffer = Dumped(view.panel->GetBackBuffer().ConvertToImage());
    ASSERT_EQ(onScreen.GetSize(), buffer.GetSize());
    int differ = 0;
    for (int y = 0; y < size.y; ++y)
        for (int x = 0; x < size.x; ++x)
            differ += onScreen.GetRed(x, y) != buffer.GetRed(x, y) ||
                      onScreen.GetGreen(x, y) != buffer.GetGreen(x, y) ||
                      onScreen.GetBlue(x, y) != buffer.GetBlue(x, y);
    EXPECT_EQ(differ, 0);
    EXPECT_GT(CountColour(onScreen, kCyan), 300);
}

namespace {

// The longest run of exactly this colour in row y (horizontal) or column x.
int LongestRun(const wxImage& image, const wxColour& colour, int line, bool horizontal)
{
    const int length = horizontal ? image.GetWidth() : image.GetHeight();
    int best = 0, run = 0;
    for (int i = 0; i < length; ++i) {
        const int x = horizontal ? i : line, y = horizontal ? line : i;
        const bool same = image.GetRed(x, y) == colour.Red() && image.GetGreen(x, y) == colour.Green() &&
                          image.GetBlue(x, y) == colour.Blue();
        run = same ? run + 1 : 0;
        best = std::max(best, run);
    }
    return best;
}

} // namespace

// Run by the chart_panel_scale2 entry under GDK_SCALE=2: the buffer has the
// screen's pixels and the chart is drawn at them, not at half and stretched.
TEST(ChartPanelScale2, TheBackBufferHasTheScreensPixels)
{
    if (TestScreenScale() != 2)
        GTEST_SKIP() << "for a screen scaled by 2 (the chart_panel_scale2 entry)";
    PanelFrame view(CyanChart(), wxSize(400, 300));
    ASSERT_EQ(view.panel->GetContentScaleFactor(), 2.0);
    ASSERT_EQ(view.panel->GetClientSize(), wxSize(390, 290));
    const wxBitmap& buffer = view.panel->GetBackBuffer();
    ASSERT_TRUE(buffer.IsOk());
    EXPECT_EQ(buffer.GetSize(), wxSize(780, 580));
    EXPECT_EQ(buffer.GetLogicalSize(), wxSize(390, 290));
    const wxImage image = Dumped(buffer.ConvertToImage());
    ASSERT_EQ(image.GetSize(), wxSize(780, 580));

    // The plot's top and right border (a pen 1 wide, grey 160; the bottom
    // and left edges are under the axis lines): each two rows or columns of
    // the screen's pixels, solid runs of the same length, no steps.
    const wxColour border(160, 160, 160);
    std::vector<int> rows, columns;
    for (int y = 0; y < image.GetHeight(); ++y)
        if (LongestRun(image, border, y, true) > 400)
            rows.push_back(y);
    for (int x = 0; x < image.GetWidth(); ++x)
        if (LongestRun(image, border, x, false) > 300)
            columns.push_back(x);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1], rows[0] + 1);
    EXPECT_EQ(LongestRun(image, border, rows[0], true), LongestRun(image, border, rows[1], true));
    ASSERT_EQ(columns.size(), 2u);
    EXPECT_EQ(columns[1], columns[0] + 1);
    EXPECT_EQ(LongestRun(image, border, columns[0], false), LongestRun(image, border, columns[1], false));

    // Text and the cyan line drawn at the screen's resolution: many 2 by 2
    // blocks of the buffer are not one colour (a stretched buffer has none).
    int mixed = 0;
    for (int y = 0; y + 1 < image.GetHeight(); y += 2)
        for (int x = 0; x + 1 < image.GetWidth(); x += 2) {
            const unsigned char* p = image.GetData() + (y * image.GetWidth() + x) * 3;
            const unsigned char* below = p + image.GetWidth() * 3;
            mixed += std::memcmp(p, p + 3, 3) != 0 || std::memcmp(p, below, 3) != 0 ||
                     std::memcmp(p, below + 3, 3) != 0;
        }
    EXPECT_GT(mixed, 500);
    EXPECT_GT(CountColour(image, kCyan), 600);
}
