// The finite bounds of a set of points.
#pragma once

// The finite bounds of a set of points (points with a NaN or infinite x or y
// are left out). Empty when there is no finite point.
struct XYBounds {
    bool empty = true;
    double minX = 0, maxX = 0, minY = 0, maxY = 0;
    void Include(const XYBounds& other);
    void Include(double x, double y);
};
