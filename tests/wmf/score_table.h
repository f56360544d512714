#pragma once
// Scores of rendered pictures against GDI's: the table printed worst first,
// the per-file mark and the median checked, diff images for files below it.

#include <filesystem>
#include <string>
#include <vector>

#include "canvas/freeimage_bitmap.h"

namespace plotvale::imagetest {

struct Score {
    std::string name;
    double share = 0;
    bool lenient = false;  // counts toward the median only
};

struct Marks {
    double perFile = 0.97;
    double median = 0.995;
};

// Scores actual against the PNG at expectedPath and adds it to scores; writes
// outDir/<name>.diff.png when it falls below the per-file mark (or always).
// False when the reference cannot be read or the sizes differ.
bool scorePicture(const std::string& name, FIBITMAP* actual, const std::filesystem::path& expectedPath,
                  const std::filesystem::path& outDir, bool lenient, bool alwaysDiff, double perFile,
                  std::vector<Score>& scores);

// Prints the table worst first with the median; checks the marks with
// GoogleTest expectations.
void checkScores(std::vector<Score> scores, const Marks& marks);

}  // namespace plotvale::imagetest
