#pragma once
// The pixels inside any of many small figures (the bands and pen ends of a
// wide line), worked out figure by figure rather than by one sweep over
// every edge of the set: the same pixels the polygon rule gives the set.

#include <algorithm>
#include <span>
#include <vector>

#include "canvas/geometry.h"

namespace plotvale::canvas {

// Collects the pixels polygonSpans gives each figure alone (integer points
// inside it, top and left edges included) within bounds; their union is
// what polygonSpans(figures, NonZero) gives figures that are each simple and
// all run the same way round. A figure whose edges cross each of its rows
// twice (any convex or row-monotone one) costs two crossings a row.
class SpanUnion {
public:
    struct Run {
        int y, left, right;
    };

    explicit SpanUnion(RectI bounds) : bounds_(bounds) {}

    // Adds the figure's runs at the end of runs(), rows top to bottom, and
    // counts its crossings.
    void add(std::span<const Point> figure);
    // Only counts the figure's crossings.
    void count(std::span<const Point> figure);
    // Adds runs worked out elsewhere, each within bounds.
    void addRuns(std::span<const Run> runs) { runs_.insert(runs_.end(), runs.begin(), runs.end()); }

    // The runs added so far, figure by figure; dropRuns(n) takes back all
    // but the first n (their crossings stay counted).
    const std::vector<Run>& runs() const { return runs_; }
    void dropRuns(std::size_t n) { runs_.resize(std::min(n, runs_.size())); }

    RectI bounds() const { return bounds_; }

    // Edge-row crossings of the figures added so far, as edgeRowCrossings
    // counts them.
    long long crossings() const;

    // The pixels, one rectangle per run, rows top to bottom and runs left to
    // right, adjacent runs merged.
    std::vector<RectI> spans() const;

private:
    bool addTwoCrossingRuns(std::span<const Point> figure);

    RectI bounds_;
    double crossings_ = 0;
    std::vector<Run> runs_;
    std::vector<double> lo_, hi_;
    std::vector<int> count_;
};

}  // namespace plotvale::canvas
