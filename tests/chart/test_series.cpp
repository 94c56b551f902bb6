// The data side of the chart: shared x columns, the record nearest to a
// time, and the bounds of the data within a time and value range.
#include "wx_test_util.h"

#include "chart/XYSimpleDataset.h"

#include <algorithm>
#include <limits>
#include <memory>
#include <vector>

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

std::unique_ptr<XColumn> ColumnOf(const std::vector<double>& x)
{
    return std::make_unique<XColumn>(x.data(), x.size());
}

// 0, 1, 2, ... n - 1.
std::vector<double> Counting(size_t n)
{
    std::vector<double> x(n);
    for (size_t i = 0; i < n; ++i)
        x[i] = static_cast<double>(i);
    return x;
}

} // namespace

TEST(ChartSeries, NearestIndexInOrder)
{
    const auto column = ColumnOf(Counting(100000));
    EXPECT_EQ(column->NearestIndex(500.4), 500u);
    EXPECT_EQ(column->NearestIndex(500.6), 501u);
    EXPECT_EQ(column->NearestIndex(500.5), 500u) << "equally near: the first";
    EXPECT_EQ(column->NearestIndex(-5), 0u);
    EXPECT_EQ(column->NearestIndex(1e9), 99999u);
    EXPECT_EQ(column->NearestIndex(kInf), 99999u);
    EXPECT_EQ(column->NearestIndex(-kInf), 0u);
    EXPECT_EQ(column->NearestIndex(kNaN), XColumn::npos);
    // At a block's edge (blocks of 64).
    EXPECT_EQ(column->NearestIndex(63.5), 63u);
    EXPECT_EQ(column->NearestIndex(64.2), 64u);
    EXPECT_TRUE(column->IsOrdered());
}

TEST(ChartSeries, NearestIndexOutOfOrder)
{
    // Records 100 and 50000 swapped, 30000 .. 30999 reversed, and a record
    // repeated far from its place.
    std::vector<double> x = Counting(100000);
    std::swap(x[100], x[50000]);
    std::reverse(x.begin() + 30000, x.begin() + 31000);
    x[70000] = 20000.25;
    const auto column = ColumnOf(x);
    EXPECT_FALSE(column->IsOrdered());
    EXPECT_EQ(column->NearestIndex(100), 50000u);
    EXPECT_EQ(column->NearestIndex(50000.2), 100u);
    EXPECT_EQ(column->NearestIndex(30000), 30999u);
    EXPECT_EQ(column->NearestIndex(30998.9), 30000u);
    EXPECT_EQ(column->NearestIndex(20000.3), 70000u);
    EXPECT_EQ(column->NearestIndex(20000.1), 20000u);
    // 20000.125 is equally near 20000 and 20000.25: the first record wins.
    EXPECT_EQ(column->NearestIndex(20000.125), 20000u);
    // A tie where the later record's block is the tighter one: 7 at 9000
    // (among its neighbours) and 9 at 5 (in the first block, which spans up
    // to 63): 8 is equally near both.
    std::vector<double> tie = Counting(10000);
    for (size_t i = 0; i < 64; ++i)
        tie[i] = 1000 + static_cast<double>(i);
    tie[5] = 9;
    tie[9000] = 7;
    EXPECT_EQ(ColumnOf(tie)->NearestIndex(8), 5u);
}

TEST(ChartSeries, NearestIndexSkipsValuesThatAreNoTimes)
{
    const auto column = ColumnOf({kNaN, 1, kNaN, 3, kInf, -kInf});
    EXPECT_EQ(column->NearestIndex(0), 1u);
    EXPECT_EQ(column->NearestIndex(2), 1u);
    EXPECT_EQ(column->NearestIndex(2.5), 3u);
    EXPECT_EQ(column->NearestIndex(1e300), 3u);
    EXPECT_EQ(column->NearestIndex(-kInf), 1u);
    EXPECT_EQ(ColumnOf({kNaN, kInf})->NearestIndex(0), XColumn::npos);
    EXPECT_EQ(ColumnOf({})->NearestIndex(0), XColumn::npos);
    const XColumn empty(std::unique_ptr<double[]>(), 0);
    EXPECT_EQ(empty.NearestIndex(1), XColumn::npos);
    EXPECT_EQ(empty.GetCount(), 0u);
}

TEST(ChartSeries, SeriesShareTheirColumn)
{
    std::unique_ptr<double[]> x(new double[3]{0, 0.5, 1});
    const double* values = x.get();
    const auto column = std::make_shared<const XColumn>(std::move(x), 3);
    XYSerie ec(column, std::unique_ptr<double[]>(new double[3]{1500, 1510, 4294967295.0}));
    XYSerie ph(column, std::unique_ptr<double[]>(new double[3]{6.5, kNaN, 6.7}));
    EXPECT_EQ(ec.GetXColumn().get(), column.get());
    EXPECT_EQ(ph.GetXColumn().get(), column.get());
    EXPECT_EQ(ec.GetXValues(), values) << "no copy of the times";
    EXPECT_EQ(ec.GetCount(), 3u);
    EXPECT_EQ(ph.GetX(2), 1);
    EXPECT_EQ(ph.GetY(2), 6.7);
    EXPECT_EQ(ph.GetYValues()[0], 6.5);
    EXPECT_EQ(ph.GetBounds().minY, 6.5);
    EXPECT_EQ(ph.GetBounds().maxY, 6.7);
    EXPECT_EQ(ec.GetBounds().maxY, 4294967295.0);
    // The interleaved form makes a column of its own.
    const double xy[] = {2, 20, 3, 30};
    const XYSerie own(xy, 2);
    EXPECT_NE(own.GetXColumn().get(), column.get());
    EXPECT_EQ(own.GetXColumn()->GetCount(), 2u);
    EXPECT_EQ(own.GetX(1), 3);
    EXPECT_EQ(own.GetY(1), 30);
}

TEST(ChartSeries, BoundsWithinATimeAndValueRange)
{
    // 10000 points a hundredth apart, y = 5 + (i % 7) / 10 (5 .. 5.6), a
    // spike of 9 at x = 43.21, EC's unset word at x = 47.5 and a dropout at
    // x = 48.
    const size_t n = 10000;
    std::vector<double> xy(2 * n);
    for (size_t i = 0; i < n; ++i) {
        xy[2 * i] = static_cast<double>(i) / 100;
        xy[2 * i + 1] = 5 + static_cast<double>(i % 7) / 10;
    }
    xy[2 * 4321 + 1] = 9;
    xy[2 * 4750 + 1] = 4294967295.0;
    xy[2 * 4800 + 1] = kNaN;
    const XYSerie serie(xy.data(), n);

    XYBounds b = serie.GetBoundsWithin(40, 50, -kInf, kInf);
    ASSERT_FALSE(b.empty);
    EXPECT_EQ(b.minX, 40);
    EXPECT_EQ(b.maxX, 50);
    EXPECT_EQ(b.minY, 5);
    EXPECT_EQ(b.maxY, 4294967295.0);
    // The plausible EC range leaves the unset word out; the spike stays.
    b = serie.GetBoundsWithin(40, 50, 0, 100000);
    EXPECT_EQ(b.maxY, 9);
    EXPECT_EQ(b.minY, 5);
    // The spike alone in a range of one point.
    b = serie.GetBoundsWithin(43.205, 43.215, -kInf, kInf);
    ASSERT_FALSE(b.empty);
    EXPECT_EQ(b.minX, 43.21);
    EXPECT_EQ(b.maxX, 43.21);
    EXPECT_EQ(b.minY, 9);
    EXPECT_EQ(b.maxY, 9);
    // Just past the spike: the ordinary readings' highest.
    b = serie.GetBoundsWithin(43.22, 47, 0, 100000);
    EXPECT_DOUBLE_EQ(b.maxY, 5.6);
    EXPECT_EQ(b.minX, 43.22);
    EXPECT_EQ(b.maxX, 47);
    // The dropout's x is no bound: only the points with a value count.
    b = serie.GetBoundsWithin(47.995, 48.005, -kInf, kInf);
    EXPECT_TRUE(b.empty);
    b = serie.GetBoundsWithin(47.995, 48.015, -kInf, kInf);
    EXPECT_EQ(b.minX, 48.01);
    // Nothing in range, or a range that is no range.
    EXPECT_TRUE(serie.GetBoundsWithin(200, 300, -kInf, kInf).empty);
    EXPECT_TRUE(serie.GetBoundsWithin(40, 50, 10, 20).empty);
    EXPECT_TRUE(serie.GetBoundsWithin(kNaN, 50, -kInf, kInf).empty);
    // The one-range form still serves the axes.
    b = serie.GetBoundsWithin(true, 0, 8);
    EXPECT_EQ(b.maxY, 5.6);
    EXPECT_EQ(b.minX, 0);
    EXPECT_EQ(b.maxX, 99.99);

    // A dataset's bounds are its series' together.
    XYSimpleDataset dataset;
    dataset.AddSerie(xy.data(), n);
    const double other[] = {45, -3, 46, 2, 60, -100};
    dataset.AddSerie(other, 3);
    b = dataset.GetBoundsWithin(44, 50, 0, 100000);
    EXPECT_EQ(b.minY, 2);
    EXPECT_DOUBLE_EQ(b.maxY, 5.6);
    b = dataset.GetBoundsWithin(44, 50, -kInf, kInf);
    EXPECT_EQ(b.minY, -3);
    EXPECT_EQ(b.maxY, 4294967295.0);
    EXPECT_EQ(b.maxX, 50);
}
