#pragma once
// Builds Windows metafiles record by record for tests: a placeable or
// standard header, then records given as 16-bit parameter words.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace plotvale::testing {

class MetafileWriter {
public:
    // A placeable metafile with the given bounding box and units per inch.
    static MetafileWriter placeable(int left, int top, int right, int bottom, int inch);
    // A standard metafile (no placeable header).
    static MetafileWriter standard();

    MetafileWriter& record(std::uint16_t function, std::initializer_list<int> words);
    MetafileWriter& record(std::uint16_t function, const std::vector<int>& words);
    // A record with raw parameter bytes (padded to whole words).
    MetafileWriter& recordBytes(std::uint16_t function, std::string_view params);
    // Raw bytes appended as they are (for malformed files).
    MetafileWriter& raw(std::string_view bytes);

    // Common records.
    MetafileWriter& pen(int style, int width, std::uint32_t rgb);
    MetafileWriter& brush(int style, std::uint32_t rgb, int hatch = 0);
    MetafileWriter& font(int height, std::string_view face, int escapement = 0, int weight = 400);
    MetafileWriter& select(int index);
    MetafileWriter& remove(int index);
    MetafileWriter& rectangle(int left, int top, int right, int bottom);
    MetafileWriter& textOut(int x, int y, std::string_view text);

    // Slot the last object record took.
    int lastObject() const { return lastObject_; }

    // The file, ending with META_EOF.
    std::string bytes() const;

private:
    // Object records take the lowest free slot, as in playback; the header
    // names the table size and the largest record that playback allocates.
    void trackObjects(std::uint16_t function, std::string_view params);

    std::string header_;
    std::string records_;
    std::vector<bool> slots_;
    std::size_t tableSize_ = 0;
    int lastObject_ = -1;
    std::uint32_t maxRecordWords_ = 3;
};

// Little-endian helpers for building record parameters.
void putU16(std::string& out, int value);
void putU32(std::string& out, std::uint32_t value);

// A DIB with a BITMAPINFOHEADER, the given RGBQUAD palette and pixel bytes.
std::string dibBits(int width, int height, int bits, int compression, const std::vector<std::uint32_t>& palette,
                    const std::string& pixels);

}  // namespace plotvale::testing
