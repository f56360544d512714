#pragma once
// Hostile metafiles that once made the player run away in time or memory,
// rebuilt record by record. Each ends by drawing a red square at (10, 10)
// to (30, 30) in pixels at 96 DPI (units of the placeable box, inch 96) that
// must still appear. write_regression_inputs keeps them in the fuzzing corpus.

#include <string>
#include <vector>

namespace plotvale::testing {

struct RegressionCase {
    std::string name;
    std::string bytes;
};

std::vector<RegressionCase> regressionCases();

// CREATEREGION's parameters for 90 x 90 separate 4-unit squares, 8 units apart.
std::vector<int> squaresRegion();

}  // namespace plotvale::testing
