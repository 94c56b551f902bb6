// Series of (x, y) points and the dataset that groups them for a plot.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

class XYLineRenderer;

// The finite bounds of a set of points (points with a NaN or infinite x or y
// are left out). Empty when there is no finite point.
struct XYBounds {
    bool empty = true;
    double minX = 0, maxX = 0, minY = 0, maxY = 0;
    void Include(const XYBounds& other);
};

class XYSerie {
public:
    // Copies count (x, y) pairs, that is 2 * count doubles, x first.
    XYSerie(const double* interleavedXY, size_t count);

    size_t GetCount() const { return m_count; }
    double GetX(size_t i) const;
    double GetY(size_t i) const;
    // The interleaved points, 2 * GetCount() doubles.
    const double* GetData() const { return m_xy.get(); }
    const XYBounds& GetBounds() const { return m_bounds; }
    // The bounds of the finite points whose y (byY) or x lies in [lo, hi].
    XYBounds GetBoundsWithin(bool byY, double lo, double hi) const;
    // The bounds of the finite points with x in [xLo, xHi] and y in [yLo, yHi].
    XYBounds GetBoundsWithin(double xLo, double xHi, double yLo, double yHi) const;

    // A summary of each run of kBlockSize consecutive points (the last one
    // may be shorter), made while copying, so that drawing can take a whole
    // block that falls into one pixel column at once. Only finite points
    // count; a block without any is empty.
    static const size_t kBlockSize = 64;
    struct Block : XYBounds {
        size_t minYIndex = 0, maxYIndex = 0; // first point with the lowest / highest y
    };
    const std::vector<Block>& GetBlocks() const { return m_blocks; }

private:
    std::unique_ptr<double[]> m_xy;
    size_t m_count = 0;
    XYBounds m_bounds;
    std::vector<Block> m_blocks;
};

class XYSimpleDataset {
public:
    XYSimpleDataset();
    ~XYSimpleDataset();
    XYSimpleDataset(const XYSimpleDataset&) = delete;
    XYSimpleDataset& operator=(const XYSimpleDataset&) = delete;

    void AddSerie(std::unique_ptr<XYSerie> serie);
    void AddSerie(const double* interleavedXY, size_t count);
    size_t GetSerieCount() const { return m_series.size(); }
    const XYSerie* GetSerie(size_t i) const;

    void SetRenderer(std::unique_ptr<XYLineRenderer> renderer);
    const XYLineRenderer* GetRenderer() const { return m_renderer.get(); }

    // The finite bounds of all series.
    XYBounds GetBounds() const;
    // The bounds of the finite points whose y (byY) or x lies in [lo, hi].
    XYBounds GetBoundsWithin(bool byY, double lo, double hi) const;
    XYBounds GetBoundsWithin(double xLo, double xHi, double yLo, double yHi) const;

private:
    std::vector<std::unique_ptr<XYSerie>> m_series;
    std::unique_ptr<XYLineRenderer> m_renderer;
};
