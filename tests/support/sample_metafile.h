#pragma once
// A small, valid placeable metafile for tests that need a file that
// converts: a red rectangle on white, `width` x `height` pixels at 96 DPI.

#include <zlib.h>

#include <cstdint>
#include <string>

namespace plotvale::test {

inline std::string sampleMetafile(int16_t width, int16_t height) {
    std::string bytes;
    const auto word = [&bytes](int value) {
        bytes += static_cast<char>(value & 0xFF);
        bytes += static_cast<char>((value >> 8) & 0xFF);
    };
    const auto dword = [&word](uint32_t value) {
        word(static_cast<int>(value & 0xFFFF));
        word(static_cast<int>(value >> 16));
    };
    // Placeable header: key, handle, box, 96 units per inch, reserved, checksum.
    const int header[] = {0xCDD7, 0x9AC6, 0, 0, 0, width, height, 96, 0, 0};
    int checksum = 0;
    for (int w : header) {
        word(w);
        checksum ^= w;
    }
    word(checksum);
    // Metafile header: type 1, 9 words, version 3.0, size, 1 object, largest record, no members.
    word(1);
    word(9);
    word(0x0300);
    dword(9 + 7 + 4 + 7 + 3);
    word(1);
    dword(7);
    word(0);
    dword(7);  // CREATEBRUSHINDIRECT: solid red
    word(0x02FC);
    word(0);
    dword(0x000000FF);
    word(0);
    dword(4);  // SELECTOBJECT 0
    word(0x012D);
    word(0);
    dword(7);  // RECTANGLE bottom, right, top, left
    word(0x041B);
    word(height - 2);
    word(width - 2);
    word(2);
    word(2);
    dword(3);  // EOF
    word(0);
    return bytes;
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
