#include "score_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "image_compare.h"

namespace plotvale::imagetest {

bool scorePicture(const std::string& name, FIBITMAP* actual, const std::filesystem::path& expectedPath,
                  const std::filesystem::path& outDir, bool lenient, bool alwaysDiff, double perFile,
                  std::vector<Score>& scores) {
    const auto expected = loadImage(expectedPath.string());
    if (!expected) return false;
    const double share = matchingShare(actual, expected.get());
    scores.push_back({name, std::max(share, 0.0), lenient});
    if (share < perFile || alwaysDiff)
        writeDiffImage(actual, expected.get(), (outDir / (std::filesystem::path(name).filename().string() + ".diff.png")).string());
    return share >= 0;
}

void checkScores(std::vector<Score> scores, const Marks& marks) {
    ASSERT_FALSE(scores.empty());
    std::sort(scores.begin(), scores.end(), [](const Score& a, const Score& b) { return a.share < b.share; });
    std::printf("%-70s %8s\n", "file", "match");
    std::vector<double> shares;
    for (const auto& s : scores) {
        std::printf("%-70s %8.4f%s\n", s.name.c_str(), s.share, s.lenient ? "  (lenient)" : "");
        shares.push_back(s.share);
        if (!s.lenient) {
            EXPECT_GE(s.share, marks.perFile) << s.name;
        }
    }
    const std::size_t n = shares.size();
    const double median = n % 2 ? shares[n / 2] : (shares[n / 2 - 1] + shares[n / 2]) / 2;
    const auto below = std::count_if(scores.begin(), scores.end(),
                                     [&](const Score& s) { return !s.lenient && s.share < marks.perFile; });
    std::printf("files scored: %zu, median %.4f, below %.2f (strict): %ld\n", n, median, marks.perFile,
                static_cast<long>(below));
    EXPECT_GE(median, marks.median);
}

}  // namespace plotvale::imagetest
