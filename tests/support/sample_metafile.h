#pragma once
// Small, valid placeable metafiles for tests that need a file that
// converts: a red rectangle on white, or four flat quadrants of known
// colours, `width` x `height` pixels at 96 DPI.

#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <initializer_list>
#include <string>

namespace plotvale::test {

inline void appendWord(std::string& bytes, int value) {
    bytes += static_cast<char>(value & 0xFF);
    bytes += static_cast<char>((value >> 8) & 0xFF);
}

inline void appendDword(std::string& bytes, uint32_t value) {
    appendWord(bytes, static_cast<int>(value & 0xFFFF));
    appendWord(bytes, static_cast<int>(value >> 16));
}

// A record: its size in words, its function, its parameter words.
inline void appendRecord(std::string& bytes, int function, std::initializer_list<int> words) {
    appendDword(bytes, static_cast<uint32_t>(3 + words.size()));
    appendWord(bytes, function);
    for (int w : words) appendWord(bytes, w);
}

// The size in words of the longest record.
inline uint32_t largestRecord(const std::string& records) {
    uint32_t largest = 0;
    for (size_t at = 0; at + 4 <= records.size();) {
        const auto byte = [&](size_t i) {
            return static_cast<uint32_t>(static_cast<uint8_t>(records[at + i]));
        };
        const uint32_t words = byte(0) | byte(1) << 8 | byte(2) << 16 | byte(3) << 24;
        if (words < 3) break;
        largest = std::max(largest, words);
        at += 2 * static_cast<size_t>(words);
    }
    return largest;
}

// Placeable and metafile headers for `records` (EOF added), `width` x
// `height` pixels at 96 DPI, with `objects` object slots.
inline std::string placeableMetafile(int16_t width, int16_t height, int objects,
                                     const std::string& records) {
    std::string bytes;
    // Placeable header: key, handle, box, 96 units per inch, reserved, checksum.
    const int header[] = {0xCDD7, 0x9AC6, 0, 0, 0, width, height, 96, 0, 0};
    int checksum = 0;
    for (int w : header) {
        appendWord(bytes, w);
        checksum ^= w;
    }
    appendWord(bytes, checksum);
    // Metafile header: type 1, 9 words, version 3.0, size, objects, largest record, no members.
    std::string body = records;
    appendRecord(body, 0, {});  // EOF
    appendWord(bytes, 1);
    appendWord(bytes, 9);
    appendWord(bytes, 0x0300);
    appendDword(bytes, static_cast<uint32_t>(9 + body.size() / 2));
    appendWord(bytes, objects);
    appendDword(bytes, largestRecord(body));
    appendWord(bytes, 0);
    return bytes + body;
}

// A solid brush of an 0x00BBGGRR colour.
inline void appendBrush(std::string& records, uint32_t colour) {
    appendRecord(records, 0x02FC,
                 {0, static_cast<int>(colour & 0xFFFF), static_cast<int>(colour >> 16), 0});
}

inline void appendRectangle(std::string& records, int left, int top, int right, int bottom) {
    appendRecord(records, 0x041B, {bottom, right, top, left});
}

inline std::string sampleMetafile(int16_t width, int16_t height) {
    std::string records;
    appendBrush(records, 0x000000FF);    // solid red
    appendRecord(records, 0x012D, {0});  // SELECTOBJECT
    appendRectangle(records, 2, 2, width - 2, height - 2);
    return placeableMetafile(width, height, 1, records);
}

// Four flat quadrants without outlines, in 0x00BBGGRR colours: top left, top
// right, bottom left, bottom right.
inline std::string quadrantMetafile(int16_t width, int16_t height,
                                    const std::array<uint32_t, 4>& colours) {
    std::string records;
    appendRecord(records, 0x02FA, {5, 0, 0, 0, 0});  // CREATEPENINDIRECT: PS_NULL
    appendRecord(records, 0x012D, {0});
    const int halfWidth = width / 2;
    const int halfHeight = height / 2;
    for (size_t i = 0; i < colours.size(); ++i) {
        const int left = i % 2 == 0 ? 0 : halfWidth;
        const int top = i < 2 ? 0 : halfHeight;
        appendBrush(records, colours[i]);
        appendRecord(records, 0x012D, {1});
        // A null pen leaves out the right and bottom edge: one more on each side.
        appendRectangle(records, left, top, left + halfWidth + 1, top + halfHeight + 1);
        appendRecord(records, 0x01F0, {1});  // DELETEOBJECT
    }
    return placeableMetafile(width, height, 2, records);
}

// The bytes gzip-compressed, as a ".wmz" file holds them.
inline std::string gzipped(const std::string& bytes) {
    z_stream stream{};
    deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, 15 + 16, 8, Z_DEFAULT_STRATEGY);
    std::string out(deflateBound(&stream, static_cast<uLong>(bytes.size())), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
    stream.avail_in = static_cast<uInt>(bytes.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    return out;
}

}  // namespace plotvale::test
