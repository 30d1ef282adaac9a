// What the graphs show, computed from the field texts: the wanted curves of
// both characteristics as line segments in main-graph pixels. The window only
// strokes them; which segments exist and where is decided here.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/geometry.h"
#include "model/inputs.h"

namespace ign {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kGreen{0, 255, 0};
inline constexpr Rgb kYellow{255, 255, 0};
inline constexpr Rgb kRed{255, 0, 0};
inline constexpr Rgb kBlue{0, 0, 255};

// Colour of a characteristic as a wanted curve (green, yellow) and as a
// computed table or editor marker (red, blue).
inline Rgb wantedColour(int characteristic)
{
    return characteristic == 0 ? kGreen : kYellow;
}
inline Rgb computedColour(int characteristic)
{
    return characteristic == 0 ? kRed : kBlue;
}

// A curve segment between two points of a graph; drawn with the curve stroke
// (twice, the second time one pixel higher).
struct Segment {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    Rgb colour;
};

// The grid of a graph, black one-pixel lines.
std::vector<Segment> gridLines(const GraphScale& scale);

// A scale label: its text, a blank in the place of the sign before the
// number, with its top-left corner at (x, y) of its strip.
struct ScaleLabel {
    int x = 0, y = 0;
    std::string text;
};
std::vector<ScaleLabel> speedLabels(const GraphScale& scale);
std::vector<ScaleLabel> angleLabels(const GraphScale& scale);

// The angles of the drawn curve points, [characteristic][point 1..kTopPoint];
// point 0 is never drawn.
using PointAngles = std::array<std::array<double, kTopPoint + 1>, 2>;

// The point angles as the fields give them by the number rule.
PointAngles pointAngles(const Inputs& in);

// The coefficient curves of both characteristics at the table speeds
// entryRpm(1..31), characteristic 1 first. A point where the formula divides
// by zero or leaves the single range has no segments.
std::vector<Segment> coefficientCurves(const Inputs& in, const std::array<float, 33>& entryRpm);

// The point curves of both characteristics, 1000..10000 rpm and on to the top
// value placed at 14000 rpm, alternating characteristic 1 and 2 as drawn.
std::vector<Segment> pointCurves(const Inputs& in);
// The same curves from the angles on any graph: points 1..10 joined in turn,
// then point 10 to the top point; segment 2k is characteristic 1's and 2k + 1
// characteristic 2's.
std::vector<Segment> pointCurves(const PointAngles& angles, const GraphScale& scale);

}  // namespace ign
