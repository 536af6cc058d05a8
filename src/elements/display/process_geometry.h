#pragma once

#include "elements/core/rect.h"
#include "platform/colors.h"

#include <QPoint>

#include <array>
#include <exception>
#include <optional>
#include <span>
#include <vector>

namespace ovanto {

// The arithmetic of the process and drive symbols, apart from any canvas.
// Coordinates go through ToCoord, so a result beyond the int range raises
// and the element disappears for that paint. "div" is C++ integer division
// on the 64-bit product, as the symbols' rules ask.

// A straight piece of a symbol, both end points included.
struct Segment {
    QPoint from;
    QPoint to;
};

// How far a pen of this line type reaches beyond the line it strokes, and a
// pixel for the end point that LineTo leaves out.
int StrokeMargin(int penWidth);
// The box of the points, grown by margin; the right and bottom edges are exclusive.
Rect PaintBox(std::span<const QPoint> points, int margin);
Rect UniteBoxes(const Rect& a, const Rect& b);
// The lower-left box (x, y - h, x + w, y), normalised.
Rect CornerBox(int x, int y, long long w, long long h);

// --- tank ----------------------------------------------------------------------------

// Pixels of liquid for a fill percentage: round(percent * h / 100) within 0..h;
// a value that is not a number shows an empty vessel.
int FillLevel(long double percent, int h);

struct VesselOutline {
    // The interior, clockwise from the upper left corner; for an open vessel
    // the stroked outline is this polygon without its closing top edge.
    std::vector<QPoint> points;
    bool openTop = true;
};
// Shapes 0..5; any other shape has no vessel (empty points).
VesselOutline TankVessel(int shape, int x, int y, int w, int h);

// The part of a polygon on or below the row `level` (y >= level).
std::vector<QPoint> ClipBelow(std::span<const QPoint> polygon, int level);
// The part on or above the row (y <= level), only where the cut is exact:
// every edge crossing the row meets it on a whole pixel and has a slope the
// scan converter's 16.16 steps hold without rounding. Then the rows above come
// out as the whole polygon's and the rows below as ClipBelow's, pixel for pixel.
std::optional<std::vector<QPoint>> ClipAboveExact(std::span<const QPoint> polygon, int level);
// The points without those lying on a straight run between their neighbours
// whose slope the scan converter steps exactly; first and last stay, so an
// open outline keeps its ends. Fills and outlines come out the same with fewer edges.
std::vector<QPoint> WithoutStraightVertices(std::span<const QPoint> points);

struct Agitator {
    Segment shaft;
    std::array<QPoint, 4> blade;
};
Agitator TankAgitator(int x, int y, int w, int h);

// --- pipes -----------------------------------------------------------------------------

// The long sides and end caps of a pipe. Along runs from the start end (left or
// top) to the finish end; `first` is the bottom side of a horizontal pipe and
// the left side of a vertical one.
std::vector<Segment> PipeStrokes(bool horizontal, const Rect& box, int startEnd, int finishEnd);

// --- valves ----------------------------------------------------------------------------

// The bow-tie body; even orientations stand on the left and right edges.
std::array<QPoint, 4> ValveBody(int orientation, int x, int y, int w, int h);
// The actuator stem and bar of orientations 4..11 (none below).
std::vector<Segment> ValveActuator(int orientation, int x, int y, int w, int h);
// The open part of a proportional valve at v / OnValue, empty when nothing is open.
std::optional<std::array<QPoint, 4>> ValveOpening(int orientation, int x, int y, int w, int h, long double ratio);

// Branch 1 points left, 2 up, 3 right, 4 down.
std::array<QPoint, 3> Valve3Branch(int branch, int x, int y, int w, int h);
// The same branch cut off at `reach` pixels from the centre.
std::array<QPoint, 3> Valve3BranchPart(int branch, int x, int y, int w, int h, long double reach);
// The branch an orientation leaves out (orientation mod 4: 0 -> 2, 1 -> 3, 2 -> 4, 3 -> 1).
int Valve3MissingBranch(int orientation);
struct Valve3Ports {
    int common = 0;
    int a = 0;
    int b = 0;
};
// For |FixJunction| 1..3; none for other values.
std::optional<Valve3Ports> Valve3PortsFor(int orientation, int fixJunction);

// 0..limit pixels for v / OnValue times `full`; not a number gives 0.
int OpenReach(long double ratio, long double full, int limit);

// --- cylinder --------------------------------------------------------------------------

struct CylinderLayout {
    Rect box;           // the cylinder
    Rect chamber;       // the pressure chamber, from the closed end
    std::vector<QPoint> outline; // the walls, the moving end left open
    Segment piston;
    Segment rod;
    Segment cap;
};
// Orientation 0..3 (rod up, right, down, left); w is the diameter, h the length.
std::optional<CylinderLayout> HydCylinder(int orientation, int x, int y, int w, int h, long double percent,
                                          int sliderSize);

// --- fill colour ------------------------------------------------------------------------

// Off colour below `on`, on colour from there; mode 1 blends per component by
// (v - off) / (on - off) clamped to 0..1 (0 when that fails).
TColor FillColorFor(int mode, long double v, long double onValue, long double offValue, TColor on, TColor off);

// --- drives ------------------------------------------------------------------------------

// The pump's flow arrow for orientations 0..3.
std::optional<std::array<QPoint, 3>> PumpArrow(int orientation, int x, int y, int w);
// A line through (cx, cy) at clockwise angle a with half-length r.
Segment SpokeLine(int cx, int cy, long double r, long double angle);
// The same line from its rounded end offsets: it runs from (cx - s, cy + c) to (cx + s, cy - c).
struct SpokeTurn {
    long double s = 0;
    long double c = 0;
};
SpokeTurn SpokeTurnOf(long double r, long double angle);
Segment SpokeLine(int cx, int cy, const SpokeTurn& turn);
// Three spokes 60 degrees apart, the first at the phase: the same for every
// wheel of a belt and for every paint while the phase stays.
std::array<SpokeTurn, 3> SpokeTurns(long double r, long double phase);
// The motor's three lines, turned by the phase.
std::array<Segment, 3> MotorSpokes(int x, int y, int w, long double phase);
std::array<Segment, 3> MotorSpokes(int x, int y, int w, const std::array<SpokeTurn, 3>& turns);
std::optional<std::array<QPoint, 9>> HeatingCoil(int orientation, int x, int y, int w, int h);
// At most maxSections zigzags, so an absurd count costs no more than the pixels it has.
std::optional<std::vector<QPoint>> SpringLine(int orientation, int x, int y, int w, int h, int sections,
                                              int pinLength);

struct BeltLayout {
    std::vector<QPoint> wheels; // centres
    Segment upper;
    Segment lower;
    std::array<QPoint, 4> strip;
    long double radius = 0;
};
BeltLayout Belt(int x, int y, int w, int h, long double angle, int wheels);

// A roll: the turned rectangle with corner (x, y), side w across, side h along the axis.
struct RollFrame {
    long double x = 0, y = 0;
    long double ux = 1, uy = 0; // across the roll (w)
    long double vx = 0, vy = -1; // along the axis (h)
    QPoint at(long double across, long double along) const;
};
RollFrame RollAt(int x, int y, long double alpha);
std::array<QPoint, 4> RollCorners(const RollFrame& frame, int w, int h);
// Where the turning stripe lies across a roll of width w at step 0..10.
long double RollStripe(int w, int step);
// Distance from one roll of a conveyor to the next.
int RollPitch(int w);

// What one roll paints, in painting order: body, highlight, turning stripe,
// axis. A part whose coordinates leave the int range ends the list there and
// is kept as the failure, so that the parts before it are still drawn first.
struct RollShape {
    std::array<QPoint, 4> corners{};
    std::optional<Segment> highlight;
    std::optional<Segment> stripe;
    std::optional<Segment> axis;
    int parts = 0; // of the four, worked out before the failure
    std::exception_ptr failure;
};
RollShape RollShapeOf(const RollFrame& frame, int w, int h, int axisWidth, int step, bool turning);

} // namespace ovanto
