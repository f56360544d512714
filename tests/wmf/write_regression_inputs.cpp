// Writes the rebuilt hostile metafiles into a folder (the fuzzing corpus):
//   write_regression_inputs tests/fuzz/corpus

#include <cstdio>
#include <fstream>

#include "regression_cases.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: write_regression_inputs FOLDER\n");
        return 2;
    }
    for (const auto& c : plotvale::testing::regressionCases()) {
        const std::string path = std::string(argv[1]) + "/" + c.name + ".wmf";
        std::ofstream out(path, std::ios::binary);
        out << c.bytes;
        if (!out.flush()) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
