// Renders every corpus metafile aliased at 96 DPI and compares it with the
// GDI reference render beside it. Prints the table worst first and writes a
// diff image (expected | difference | actual) for every file below the
// per-file target (every file when PLOTVALE_FIDELITY_ALL_DIFFS is set)
// into the build folder.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>

#include "image_compare.h"
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

struct Score {
    std::string name;
    double share = 0;
    bool lenient = false;
};

}  // namespace

TEST(CorpusFidelity, MatchesGdiReferences) {
    if (!fs::is_directory(kCorpus / "wmf")) GTEST_SKIP() << "corpus not available";
    const fs::path outDir = fs::current_path() / "fidelity";
    fs::remove_all(outDir);  // no stale diff images from earlier runs
    fs::create_directories(outDir);
    const auto lenient = lenientNames();
    std::vector<Score> scores;
    for (const auto& entry : fs::directory_iterator(kCorpus / "wmf")) {
        const std::string name = entry.path().stem().string();
        wmf::RenderOptions options;
        options.antialias = false;
        const auto result = wmf::renderMetafile(readFile(entry.path()), options);
        ASSERT_TRUE(result.bitmap) << name << " did not render";
        const fs::path refPath = kCorpus / "reference" / (name + ".png");
        if (!fs::exists(refPath)) continue;  // GDI could not render it: not scored
        FreeImage_Save(FIF_PNG, result.bitmap.get(), (outDir / (name + ".png")).c_str(), 0);
        const auto reference = imagetest::loadImage(refPath.string());
        ASSERT_TRUE(reference) << name;
        EXPECT_EQ(FreeImage_GetWidth(result.bitmap.get()), FreeImage_GetWidth(reference.get())) << name;
        EXPECT_EQ(FreeImage_GetHeight(result.bitmap.get()), FreeImage_GetHeight(reference.get())) << name;
        const double share = imagetest::matchingShare(result.bitmap.get(), reference.get());
        scores.push_back({name, std::max(share, 0.0), lenient.count(name) > 0});
        if (share < kPerFileTarget || std::getenv("PLOTVALE_FIDELITY_ALL_DIFFS"))
            imagetest::writeDiffImage(result.bitmap.get(), reference.get(), (outDir / (name + ".diff.png")).string());
    }
    ASSERT_FALSE(scores.empty());
    std::sort(scores.begin(), scores.end(), [](const Score& a, const Score& b) { return a.share < b.share; });
    std::vector<double> shares;
    std::printf("%-70s %8s\n", "file", "match");
    for (const auto& s : scores) {
        std::printf("%-70s %8.4f%s\n", s.name.c_str(), s.share, s.lenient ? "  (lenient)" : "");
        shares.push_back(s.share);
        if (!s.lenient) {
            EXPECT_GE(s.share, kPerFileTarget) << s.name;
        }
    }
    const double median = shares.size() % 2 ? shares[shares.size() / 2]
                                             : (shares[shares.size() / 2 - 1] + shares[shares.size() / 2]) / 2;
    const auto below = std::count_if(scores.begin(), scores.end(), [](const Score& s) { return !s.lenient && s.share < kPerFileTarget; });
    std::printf("files scored: %zu, median %.4f, below %.2f (strict): %ld\n", scores.size(), median, kPerFileTarget, static_cast<long>(below));
    EXPECT_GE(median, kMedianFloor);
}
