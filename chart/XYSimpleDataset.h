// Series of (x, y) points and the dataset that groups them for a plot.
#pragma once

#include "chart/PlotLayer.h"
#include "chart/SerieReduction.h"
#include "chart/XYBounds.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

class XYLineRenderer;

// The x values of one or more series, never changed once made: series
// measured at the same times share them. Summarised in blocks of
// kBlockSize consecutive values (the last one may be shorter) so that the
// values near an x, or within an x range, are found without looking at
// every value.
class XColumn {
public:
    static constexpr size_t kBlockSize = 64;
    static constexpr size_t npos = SIZE_MAX;

    // Keeps a share of count values (made any way: a unique_ptr converts).
    XColumn(std::shared_ptr<const double[]> values, size_t count);
    // Copies count values.
    XColumn(const double* values, size_t count);

    size_t GetCount() const { return m_count; }
    const double* GetValues() const { return m_values.get(); }

    struct Block {
        double minX = 0, maxX = 0;               // of the finite values; empty: none
        uint8_t firstOffset = 0, lastOffset = 0; // first and last finite value, from the block's start
        bool empty = true;                       // no finite value
        bool ordered = false;                    // every value finite, none smaller than the one before
    };
    const std::vector<Block>& GetBlocks() const { return m_blocks; }
    // The block holding value i is i / kBlockSize; its values are
    // BlockBegin(b) .. BlockEnd(b) - 1.
    static size_t BlockBegin(size_t b) { return b * kBlockSize; }
    size_t BlockEnd(size_t b) const
    {
        return b * kBlockSize + kBlockSize < m_count ? (b + 1) * kBlockSize : m_count;
    }

    // The index of the finite value nearest to x (the first one of equally
    // near values), or npos when there is none or x is NaN. An infinite x is
    // nearest to the largest or smallest value. The values need not be in
    // order.
    size_t NearestIndex(double x) const;

    // Every value finite and none smaller than the one before (times, as a
    // rule).
    bool IsOrdered() const { return m_ordered; }

private:
    void Summarise();

    std::shared_ptr<const double[]> m_values;
    size_t m_count = 0;
    std::vector<Block> m_blocks;
    double m_minX = 0, m_maxX = 0; // of the finite values, when a block is not empty
    bool m_ordered = true;
};

class XYSerie {
public:
    // Copies count (x, y) pairs, that is 2 * count doubles, x first; the
    // series has a column of its own.
    XYSerie(const double* interleavedXY, size_t count);
    // The x values of a shared column with y[i] for x[i]: x->GetCount() values.
    XYSerie(std::shared_ptr<const XColumn> x, std::shared_ptr<const double[]> y);

    // A series whose y values are still being written (y[i] for x[i], as
    // above): the owner of y writes the values of a range of blocks and then
    // summarises that range with SummariseBlocks, which several threads may
    // do at once for ranges apart (and nothing else); the series is whole
    // once every block is summarised and Seal has the ranges' bounds. Only
    // the constructor allocates (and may throw std::bad_alloc).
    struct Unsummarised {};
    XYSerie(std::shared_ptr<const XColumn> x, std::shared_ptr<const double[]> y, Unsummarised);
    // Summarises blocks [firstBlock, endBlock) of the column; the bounds of
    // their finite points.
    XYBounds SummariseBlocks(size_t firstBlock, size_t endBlock);
    // The bounds of every block, from SummariseBlocks' results in any order.
    void Seal(const XYBounds& bounds) { m_bounds = bounds; }

    size_t GetCount() const { return m_count; }
    double GetX(size_t i) const;
    double GetY(size_t i) const;
    const std::shared_ptr<const XColumn>& GetXColumn() const { return m_x; }
    const double* GetXValues() const { return m_x->GetValues(); }
    const double* GetYValues() const { return m_y.get(); }
    const XYBounds& GetBounds() const { return m_bounds; }
    // The bounds of the finite points whose y (byY) or x lies in [lo, hi].
    XYBounds GetBoundsWithin(bool byY, double lo, double hi) const;
    // The bounds of the finite points with x in [xLo, xHi] and y in
    // [yLo, yHi]; an infinite limit leaves that side open.
    XYBounds GetBoundsWithin(double xLo, double xHi, double yLo, double yHi) const;

    // A summary of the y values of each block of the column (the points of
    // the column's block b), so that drawing can take a whole block that
    // falls into one pixel column at once. Only finite points (x and y
    // finite) count; a block without any is empty.
    static constexpr size_t kBlockSize = XColumn::kBlockSize;
    struct Block {
        double minY = 0, maxY = 0;
        double firstY = 0, lastY = 0;            // of the first and last finite point
        uint8_t minOffset = 0, maxOffset = 0;    // first point with the lowest / highest y
        uint8_t firstOffset = 0, lastOffset = 0; // first and last finite point
        bool empty = true;
        bool yFinite = true; // every point with a finite x has a finite y
        bool hasNaN = false; // some point's y is NaN (a dropout: the line breaks there)
    };
    const std::vector<Block>& GetBlocks() const { return m_blocks; }

    // Blocks are split into parts of kPartSize points with the offsets (from
    // the block's start) of their lowest and highest y: a block whose x
    // values are ordered and cross a pixel column's edge is taken part by
    // part. Valid where the column's block is ordered and the series' block
    // has only finite y; PartMinMax(b, p) then gives {min, max} offsets of
    // part p of block b.
    static constexpr size_t kPartSize = 8;
    static constexpr size_t kPartsPerBlock = kBlockSize / kPartSize;
    const uint8_t* PartMinMax(size_t b, size_t p) const { return &m_parts[2 * (b * kPartsPerBlock + p)]; }

private:
    void Summarise();
    void AllocateSummary();
    struct BlockScan;
    XYBounds SummariseBlock(size_t b);
    XYBounds SealBlock(size_t b, const BlockScan& scan);

    std::shared_ptr<const XColumn> m_x;
    std::shared_ptr<const double[]> m_y;
    size_t m_count = 0;
    XYBounds m_bounds;
    std::vector<Block> m_blocks;
    std::vector<uint8_t> m_parts;
};

// A layer of series drawn as lines: its series, each reduced per pixel
// column, through its renderer. The reduced line of each series is kept
// from the last draw and reused while the plot area and the axis ranges
// stay the same (a repaint, an export). A dataset restyled for another chart
// (other colours) shares its series and these reduced lines.
class XYSimpleDataset : public chart::PlotLayer {
public:
    XYSimpleDataset();
    ~XYSimpleDataset() override;

    void AddSerie(std::unique_ptr<XYSerie> serie);
    // A series shared with other datasets (of other charts of the same data).
    void AddSerie(std::shared_ptr<const XYSerie> serie);
    void AddSerie(const double* interleavedXY, size_t count);
    size_t GetSerieCount() const { return m_lines->series.size(); }
    const XYSerie* GetSerie(size_t i) const;

    // A dataset of the same series, sharing their reduced lines, drawn by
    // renderer. A series added to either is added to both.
    std::shared_ptr<XYSimpleDataset> Restyled(std::unique_ptr<XYLineRenderer> renderer) const;

    void SetRenderer(std::unique_ptr<XYLineRenderer> renderer);
    const XYLineRenderer* GetRenderer() const { return m_renderer.get(); }

    // The finite bounds of all series.
    XYBounds GetBounds() const override;
    // The bounds of the finite points whose y (byY) or x lies in [lo, hi].
    XYBounds GetBoundsWithin(bool byY, double lo, double hi) const;
    // The bounds of the finite points with x in [xLo, xHi] and y in
    // [yLo, yHi], of all series.
    XYBounds GetBoundsWithin(double xLo, double xHi, double yLo, double yHi) const override;
    // Reduces every series for the view; layers that share the series take
    // turns.
    void Prepare(const chart::LayerView& view) override;
    void Draw(wxDC& dc, const chart::LayerView& view) override;
    // Lines break where consecutive points lie more than step apart in x (a
    // time without records); 0 (the default) joins every point. Shared with
    // the restyled datasets.
    void SetMaxXStep(double step);
    bool NearestX(double x, double& nearest) const override;

private:
    // A series' reduced line and what it was reduced for.
    struct Reduction {
        bool made = false;
        wxRect area;
        chart::Range x, y;
        chart::ReducedLine line;
    };
    struct Lines {
        std::vector<std::shared_ptr<const XYSerie>> series;
        std::vector<Reduction> reduced; // one per series
        double maxXStep = 0;
        std::mutex guard; // held while reductions are made or looked up
    };
    const chart::ReducedLine& Reduced(size_t serie, const chart::LayerView& view);

    std::shared_ptr<Lines> m_lines;
    std::unique_ptr<XYLineRenderer> m_renderer;
};
