#pragma once
// A device-space path: figures of straight and cubic Bezier segments.
// Arcs and ellipses are built from Beziers so every back end can draw them.

#include <vector>

#include "canvas/geometry.h"

namespace plotvale::canvas {

// How far a flattened curve strays from the true one at most, in pixels:
// what Cairo allows itself by default.
inline constexpr double kCurveTolerance = 0.1;

class Path {
public:
    enum class Verb { Move, Line, Cubic, Close };

    void moveTo(Point p);
    void lineTo(Point p);
    void cubicTo(Point c1, Point c2, Point end);
    void close();

    // Polygon or polyline through the points; closed adds a closing segment.
    void addPolygon(const std::vector<Point>& points, bool closed);
    void addRect(const RectD& rect);
    // Full ellipse inscribed in the box.
    void addEllipse(const RectD& box);
    // The same ellipse as a closed polygon whose sides stray at most
    // `tolerance` from it, running the same way round. A small ellipse needs
    // far fewer sides than its Beziers get when they are flattened, which
    // makes many small antialiased ellipses much cheaper to draw.
    void addFlatEllipse(const RectD& box, double tolerance);
    // The band a pen of half-width `half` covers along that ellipse: the
    // ellipse's offset curves out and in by `half`, the inner one running
    // the other way round, for the non-zero rule. Only for a half-width
    // below the ellipse's least radius of curvature (see flatRingFits), where
    // the inner curve does not cross itself.
    void addFlatEllipseRing(const RectD& box, double half, double tolerance);
    static bool flatRingFits(const RectD& box, double half);
    // Elliptical arc of the ellipse inscribed in box, from angle start to
    // start + sweep (radians, y down, positive sweep clockwise on screen).
    // With connect the arc joins the current point with a line.
    void addArc(const RectD& box, double start, double sweep, bool connect);

    bool empty() const { return verbs_.empty(); }
    bool hasCurves() const;
    const std::vector<Verb>& verbs() const { return verbs_; }
    const std::vector<Point>& points() const { return points_; }
    bool hasCurrentPoint() const { return !verbs_.empty() && verbs_.back() != Verb::Close; }

private:
    std::vector<Verb> verbs_;
    std::vector<Point> points_;  // Move/Line: 1 point, Cubic: 3, Close: 0
};

}  // namespace plotvale::canvas
