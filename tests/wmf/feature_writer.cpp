// Writes every feature picture as <folder>/<name>.wmf, to be drawn by GDI
// and stored beside them as the expected pictures.

#include <cstdio>
#include <fstream>

#include "feature_pictures.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: wmf_feature_writer FOLDER\n");
        return 2;
    }
    for (const auto& picture : plotvale::testing::featurePictures()) {
        std::ofstream out(std::string(argv[1]) + "/" + picture.name + ".wmf", std::ios::binary);
        out << picture.bytes;
        if (!out) {
            std::fprintf(stderr, "cannot write %s\n", picture.name.c_str());
            return 1;
        }
    }
    return 0;
}
