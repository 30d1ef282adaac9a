// The geometry of the controller and of the curves: how a crank period
// becomes a table entry and a speed, where the points of a curve stand, how
// the controller fires inside an entry, and how a graph maps speed and angle
// to its pixels. Everything that needs one of these asks here.
#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <optional>

namespace ign {

// The controller measures the crank period in TMR1 ticks and takes the high
// byte as the entry: entry e covers the periods e*256 to (e+1)*256 - 1.
inline constexpr int kTicksPerEntry = 256;
inline constexpr int kEntries = 32;  // entries 1..32 are computed
inline constexpr int kFirstEntry = 2;  // the firmware table holds entries 2..31
inline constexpr int kLastEntry = 31;

constexpr std::int32_t entryPeriodTicks(int entry)
{
    return entry * kTicksPerEntry;
}

constexpr int entryOfPeriod(std::int32_t periodTicks)
{
    return periodTicks / kTicksPerEntry;
}

// One period is one crank revolution.
inline double periodRpm(double periodTicks, double tickSec)
{
    return 60 / (periodTicks * tickSec);
}

// The period, in ticks, of a crank speed.
inline double rpmPeriodTicks(double rpm, double tickSec)
{
    return 60 / rpm / tickSec;
}

// The entry speeds are kept in single precision, as the table computes them.
inline float entrySpeedRpm(std::int32_t periodTicks, float tickSec)
{
    return static_cast<float>(periodRpm(periodTicks, tickSec));
}

// The slope byte k counts 1/512 tick of delay per tick of period.
inline constexpr double kSlopeUnit = 512;

// How the controller fires inside an entry: after the sensor's negative pulse
// it waits the integer part of k*T/512 ticks, plus the entry's offset (zero
// or negative). Its multiply is unsigned, so for the bytes it can hold the
// integer part is the floor; a slope outside them, which the listing still
// checks, is cut toward zero.
inline double firedDelayTicks(double slopeByte, double offsetTicks, double periodTicks)
{
    return std::trunc(slopeByte * periodTicks / kSlopeUnit) + offsetTicks;
}

// The points of a curve: point j (0..10) stands at j*1000 rpm, and the top
// value, point kTopPoint, which the graphs place at 14000 rpm.
inline constexpr int kLastGridPoint = 10;
inline constexpr int kTopPoint = 11;
inline constexpr double kPointStepRpm = 1000;
inline constexpr double kTopPointRpm = 14000;

constexpr double pointRpm(int point)
{
    return point == kTopPoint ? kTopPointRpm : kPointStepRpm * point;
}

// The piece of the points curve a speed lies on: j for the line from point j
// to j + 1, kLastGridPoint from 10000 rpm to the top point, kTopPoint at and
// beyond it, and -1 below 0 rpm or for no speed at all.
inline int pointSegment(double rpm)
{
    if (rpm >= kTopPointRpm)
        return kTopPoint;
    if (rpm >= pointRpm(kLastGridPoint))
        return kLastGridPoint;
    if (!(rpm >= 0))
        return -1;
    return static_cast<int>(rpm / kPointStepRpm);
}

// Angles of the points 0..kTopPoint of one curve.
using CurvePoints = std::array<double, kTopPoint + 1>;

// The points curve as the graphs draw it: straight between neighbouring
// points, from 10000 rpm on to the top value, the top value beyond. Not
// defined below 0 rpm.
inline double pointsCurveAt(const CurvePoints& points, double rpm)
{
    const int from = pointSegment(rpm);
    if (from < 0)
        return std::nan("");
    if (from == kTopPoint)
        return points[kTopPoint];
    const int to = from == kLastGridPoint ? kTopPoint : from + 1;
    const double p0 = points[static_cast<std::size_t>(from)];
    const double p1 = points[static_cast<std::size_t>(to)];
    return p0 + (rpm - pointRpm(from)) * (p1 - p0) / (pointRpm(to) - pointRpm(from));
}

// A box of pixels, edges included.
struct PixelBox {
    int left = 0, top = 0, right = 0, bottom = 0;

    bool contains(int x, int y) const
    {
        return x >= left && x <= right && y >= top && y <= bottom;
    }
    bool onEdge(int x, int y) const
    {
        return contains(x, y) && (x == left || x == right || y == top || y == bottom);
    }
};

// A graph's pixels: speed and angle to drawing-area pixels and back, its grid
// and the labels of its two scale strips.
struct GraphScale {
    int rpmPerPixel;
    int bottomRow;
    int pixelsPerDegree;
    // A grid line every gridRpm and every gridDeg. The rows run from y = 0 to
    // lastRow, each from x = 0 to rowEnd; the columns from x = 0 to
    // lastColumn, each from y = 0 to columnEnd. Some lie beyond the drawing
    // area and are cut off.
    int gridRpm;
    double gridDeg;
    int lastRow, rowEnd, lastColumn, columnEnd;
    // Speed labels every 1000 rpm from firstLabelRpm to lastLabelRpm, their
    // left edge labelShift pixels from the speed's column, and on the main
    // graph a "0" at the strip's left edge.
    int firstLabelRpm, lastLabelRpm, labelShift;
    bool zeroAtLeftEdge;
    // Angle labels every labelDeg from firstLabelDeg to lastLabelDeg, their
    // top at the angle's row.
    int firstLabelDeg, lastLabelDeg, labelDeg;

    double x(double rpm) const { return rpm / rpmPerPixel; }
    double y(double deg) const { return bottomRow - pixelsPerDegree * deg; }
    int rpm(int x) const { return rpmPerPixel * x; }
    double angleDeg(int y) const { return double(bottomRow - y) / pixelsPerDegree; }

    // The pixel a fractional position lands on.
    static int pixel(double v) { return static_cast<int>(std::floor(v + 0.5)); }
    // The column of a curve point.
    int pointColumn(int point) const { return static_cast<int>(x(pointRpm(point))); }
};

// The main graph: 0..11000 rpm and 0..50 degrees on 441 x 201 pixels, a line
// every 500 rpm and 5 degrees.
inline constexpr GraphScale kMainGraphScale{25, 200, 4, 500, 5, 500, 500, 500, 500,
                                            1000, 10000, -6, true, 10, 50, 10};
// The points editor: 0..14500 rpm and 0..50 degrees on 726 x 501 pixels, a
// line every 500 rpm and 2.5 degrees.
inline constexpr GraphScale kEditorGraphScale{20, 500, 10, 500, 2.5, 500, 1000, 750, 500,
                                              1000, 14000, -14, false, 0, 50, 5};

// The labels sit this far below the top of the speed strip and right of the
// left edge of the angle strip.
inline constexpr int kScaleLabelInset = 3;

// Each editor point has a square marker of 7 x 7 pixels around it.
inline constexpr int kMarkerHalf = 3;

// The marker of a point at an angle; none where the angle lies so far off the
// graph that no pixel could show it.
inline std::optional<PixelBox> markerBox(const GraphScale& scale, int point, double angle)
{
    const double y = scale.y(angle);
    if (!(y > -1e6 && y < 1e6))
        return std::nullopt;
    const int px = scale.pointColumn(point);
    const int py = GraphScale::pixel(y);
    return PixelBox{px - kMarkerHalf, py - kMarkerHalf, px + kMarkerHalf, py + kMarkerHalf};
}

}  // namespace ign
