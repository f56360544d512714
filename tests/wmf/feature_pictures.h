#pragma once
// One small metafile per GDI feature the player implements, each at least
// 240 x 180 pixels with the feature covering most of it. GDI's own pictures
// of them are stored in tests/wmf/features/ (<name>.png beside <name>.wmf).

#include <string>
#include <vector>

namespace plotvale::testing {

struct FeaturePicture {
    std::string name;
    std::string bytes;  // the metafile, placeable
};

std::vector<FeaturePicture> featurePictures();

// Corpus files whose GDI pictures at 192 DPI are stored beside them
// (dpi192/<name>.png); file names in the corpus folder.
std::vector<std::string> highDpiCorpusFiles();
// Feature pictures whose GDI pictures at 192 DPI are stored as dpi192/<name>.png.
std::vector<std::string> highDpiFeatures();

}  // namespace plotvale::testing
