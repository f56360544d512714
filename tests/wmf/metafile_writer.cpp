#include "metafile_writer.h"

#include <algorithm>

namespace plotvale::testing {

void putU16(std::string& out, int value) {
    const auto v = static_cast<std::uint16_t>(value);
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>(v >> 8));
}

void putU32(std::string& out, std::uint32_t value) {
    putU16(out, static_cast<int>(value & 0xFFFF));
    putU16(out, static_cast<int>(value >> 16));
}

std::string dibBits(int width, int height, int bits, int compression, const std::vector<std::uint32_t>& palette,
                    const std::string& pixels) {
    std::string d;
    putU32(d, 40);
    putU32(d, static_cast<std::uint32_t>(width));
    putU32(d, static_cast<std::uint32_t>(height));
    putU16(d, 1);
    putU16(d, bits);
    putU32(d, static_cast<std::uint32_t>(compression));
    putU32(d, static_cast<std::uint32_t>(pixels.size()));
    putU32(d, 0);
    putU32(d, 0);
    putU32(d, static_cast<std::uint32_t>(compression == 3 ? 0 : palette.size()));  // masks are no colours
    putU32(d, 0);
    for (auto c : palette) putU32(d, c);
    return d + pixels;
}

MetafileWriter MetafileWriter::placeable(int left, int top, int right, int bottom, int inch) {
    MetafileWriter w;
    putU32(w.header_, 0x9AC6CDD7u);
    putU16(w.header_, 0);
    for (int v : {left, top, right, bottom, inch}) putU16(w.header_, v);
    putU32(w.header_, 0);
    putU16(w.header_, 0);
    return w;
}

MetafileWriter MetafileWriter::standard() { return MetafileWriter(); }

MetafileWriter& MetafileWriter::record(std::uint16_t function, std::initializer_list<int> words) {
    return record(function, std::vector<int>(words));
}

MetafileWriter& MetafileWriter::record(std::uint16_t function, const std::vector<int>& words) {
    std::string params;
    for (int w : words) putU16(params, w);
    return recordBytes(function, params);
}

MetafileWriter& MetafileWriter::recordBytes(std::uint16_t function, std::string_view params) {
    std::string p(params);
    if (p.size() % 2) p.push_back('\0');
    trackObjects(function, p);
    const auto words = static_cast<std::uint32_t>(3 + p.size() / 2);
    maxRecordWords_ = std::max(maxRecordWords_, words);
    putU32(records_, words);
    putU16(records_, function);
    records_ += p;
    return *this;
}

void MetafileWriter::trackObjects(std::uint16_t function, std::string_view params) {
    switch (function) {
    case 0x00F7: case 0x01F9: case 0x02FA: case 0x02FB: case 0x02FC: case 0x06FF: case 0x0142: {
        const auto free = std::find(slots_.begin(), slots_.end(), false);
        lastObject_ = static_cast<int>(free - slots_.begin());
        if (free == slots_.end()) slots_.push_back(true);
        else *free = true;
        tableSize_ = std::max(tableSize_, slots_.size());
        break;
    }
    case 0x01F0:
        if (params.size() >= 2) {
            const std::size_t slot = static_cast<std::uint8_t>(params[0]) | static_cast<std::uint8_t>(params[1]) << 8;
            if (slot < slots_.size()) slots_[slot] = false;
        }
        break;
    default: break;
    }
}

MetafileWriter& MetafileWriter::raw(std::string_view bytes) {
    records_ += bytes;
    return *this;
}

MetafileWriter& MetafileWriter::pen(int style, int width, std::uint32_t rgb) {
    return record(0x02FA, {style, width, 0, static_cast<int>(rgb & 0xFFFF), static_cast<int>(rgb >> 16)});
}

MetafileWriter& MetafileWriter::brush(int style, std::uint32_t rgb, int hatch) {
    return record(0x02FC, {style, static_cast<int>(rgb & 0xFFFF), static_cast<int>(rgb >> 16), hatch});
}

MetafileWriter& MetafileWriter::font(int height, std::string_view face, int escapement, int weight) {
    std::string p;
    for (int v : {height, 0, escapement, escapement, weight}) putU16(p, v);
    p += std::string(8, '\0');  // italic, underline, strike-out, charset, precision, quality, pitch
    std::string name(face);
    name.resize(32, '\0');
    p += name;
    return recordBytes(0x02FB, p);
}

MetafileWriter& MetafileWriter::select(int index) { return record(0x012D, {index}); }
MetafileWriter& MetafileWriter::remove(int index) { return record(0x01F0, {index}); }

MetafileWriter& MetafileWriter::rectangle(int left, int top, int right, int bottom) {
    return record(0x041B, {bottom, right, top, left});
}

MetafileWriter& MetafileWriter::textOut(int x, int y, std::string_view text) {
    std::string p;
    putU16(p, static_cast<int>(text.size()));
    p += text;
    if (text.size() % 2) p.push_back('\0');
    putU16(p, y);
    putU16(p, x);
    return recordBytes(0x0521, p);
}

std::string MetafileWriter::bytes() const {
    std::string out = header_;
    std::string meta;
    putU16(meta, 1);
    putU16(meta, 9);
    putU16(meta, 0x0300);
    putU32(meta, static_cast<std::uint32_t>((18 + records_.size() + 6) / 2));
    putU16(meta, static_cast<int>(tableSize_));
    putU32(meta, maxRecordWords_);
    putU16(meta, 0);
    out += meta;
    out += records_;
    putU32(out, 3);
    putU16(out, 0);
    return out;
}

}  // namespace plotvale::testing
