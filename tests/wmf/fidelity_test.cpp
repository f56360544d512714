// Renders every corpus metafile aliased at 96 DPI and compares it with the
// GDI reference render beside it. Prints the table worst first and writes a
// diff image (expected | difference | actual) for every file below the
// per-file target (every file when PLOTVALE_FIDELITY_ALL_DIFFS is set)
// into the build folder.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>

#include "score_table.h"
#include "wmf/render_metafile.h"

namespace fs = std::filesystem;
using namespace plotvale;

namespace {

const fs::path kCorpus = fs::path(PLOTVALE_SHARED_DIR) / "corpus";
// Every strict file must match at least this share, the corpus median at
// least kMedianFloor; lenient files count toward the median only.
constexpr double kPerFileTarget = 0.97;
constexpr double kMedianFloor = 0.995;

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::set<std::string> lenientNames() {
    std::set<std::string> names;
    std::istringstream lines(readFile(kCorpus / "reference" / "lenient.txt"));
    for (std::string line; std::getline(lines, line);) {
        const auto end = line.find_first_of(" \t#");
        if (end != 0 && !line.empty()) names.insert(line.substr(0, end));
    }
    return names;
}

}  // namespace

TEST(CorpusFidelity, MatchesGdiReferences) {
    if (!fs::is_directory(kCorpus / "wmf")) GTEST_SKIP() << "corpus not available";
    const fs::path outDir = fs::current_path() / "fidelity";
    fs::remove_all(outDir);  // no stale diff images from earlier runs
    fs::create_directories(outDir);
    const auto lenient = lenientNames();
    std::vector<imagetest::Score> scores;
    for (const auto& entry : fs::directory_iterator(kCorpus / "wmf")) {
        const std::string name = entry.path().stem().string();
        wmf::RenderOptions options;
        options.antialias = false;
        const auto result = wmf::renderMetafile(readFile(entry.path()), options);
        ASSERT_TRUE(result.bitmap) << name << " did not render";
        const fs::path refPath = kCorpus / "reference" / (name + ".png");
        if (!fs::exists(refPath)) continue;  // GDI could not render it: not scored
        FreeImage_Save(FIF_PNG, result.bitmap.get(), (outDir / (name + ".png")).c_str(), 0);
        EXPECT_TRUE(imagetest::scorePicture(name, result.bitmap.get(), refPath, outDir, lenient.count(name) > 0,
                                            std::getenv("PLOTVALE_FIDELITY_ALL_DIFFS") != nullptr, kPerFileTarget,
                                            scores))
            << name << ": no reference or another size";
    }
    imagetest::checkScores(scores, {kPerFileTarget, kMedianFloor});
}
