// A time without points is a gap in the line, never a straight line across.
#include "wx_test_util.h"

#include "chart/LineGaps.h"
#include "chart/XYSimpleDataset.h"

#include <wx/dcmemory.h>
#include <wx/graphics.h>

#include <memory>
#include <vector>

namespace {

// Points at x 0, 1, 2, then 10, 11, 12 (a gap of 8), y 50 throughout, and
// one out of order back at 1.5 after a repeat at 12.
std::shared_ptr<const XYSerie> GappedSerie()
{
    const std::vector<double> xy = {0, 50, 1, 50, 2, 50, 10, 50, 11, 50, 12, 50};
    return std::make_shared<const XYSerie>(xy.data(), xy.size() / 2);
}

// The runs of the reduced line over an area 130 pixels wide (x 0 .. 13 at
// ten pixels a unit), as [first point, end) pairs.
std::vector<std::pair<size_t, size_t>> Runs(const XYSerie& serie, double maxStep)
{
    chart::ReducedLine line = chart::ReduceSerie(serie, 0, 13, 0, 131, 0, 100, 99, 100);
    chart::BreakAtXGaps(line, serie, maxStep);
    std::vector<std::pair<size_t, size_t>> runs;
    for (size_t r = 0; r < line.RunCount(); ++r)
        runs.emplace_back(line.RunBegin(r), line.RunEnd(r));
    return runs;
}

} // namespace

TEST(LineGaps, LinesBreakOverATimeWithoutPointsAndAreDrawnSo)
{
    const std::shared_ptr<const XYSerie> serie = GappedSerie();
    using Runs_ = std::vector<std::pair<size_t, size_t>>;
    EXPECT_EQ(Runs(*serie, 0), (Runs_{{0, 6}})) << "no step given: one line";
    EXPECT_EQ(Runs(*serie, 3), (Runs_{{0, 3}, {3, 6}}));
    EXPECT_EQ(Runs(*serie, 8), (Runs_{{0, 6}})) << "a step of exactly the gap joins";

    // Drawn through the dataset: nothing between x 2 and x 10 (pixel
    // columns 20 and 100), the line on both sides.
    auto dataset = std::make_shared<XYSimpleDataset>();
    dataset->AddSerie(serie);
    dataset->SetMaxXStep(3);
    wxBitmap bitmap(131, 100, 24);
    {
        wxMemoryDC dc(bitmap);
        dc.SetBackground(*wxWHITE_BRUSH);
        dc.Clear();
        if (wxGraphicsContext* gc = dc.GetGraphicsContext())
            gc->SetAntialiasMode(wxANTIALIAS_NONE);
        chart::LayerView view;
        view.area = wxRect(0, 0, 131, 100);
        view.x = {0, 13};
        view.y = {0, 99};
        dataset->Draw(dc, view);
    }
    const wxImage image = bitmap.ConvertToImage();
    auto inked = [&image](int column) {
        for (int row = 0; row < image.GetHeight(); ++row)
            if (image.GetRed(column, row) < 200 || image.GetGreen(column, row) < 200)
                return true;
        return false;
    };
    EXPECT_TRUE(inked(10));
    EXPECT_TRUE(inked(115));
    for (int column : {30, 60, 90})
        EXPECT_FALSE(inked(column)) << "column " << column;
}
