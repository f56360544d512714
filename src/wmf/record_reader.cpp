#include "wmf/record_reader.h"

namespace plotvale::wmf {

std::uint16_t readU16(std::string_view data, std::size_t offset) {
    if (offset + 2 > data.size()) return 0;
    return static_cast<std::uint16_t>(static_cast<unsigned char>(data[offset]) |
                                      static_cast<unsigned char>(data[offset + 1]) << 8);
}

std::uint32_t readU32(std::string_view data, std::size_t offset) {
    return static_cast<std::uint32_t>(readU16(data, offset)) |
           static_cast<std::uint32_t>(readU16(data, offset + 2)) << 16;
}

std::uint8_t Record::u8(std::size_t offset) const {
    return offset < params_.size() ? static_cast<std::uint8_t>(params_[offset]) : 0;
}
std::uint16_t Record::u16(std::size_t offset) const { return readU16(params_, offset); }
std::int16_t Record::s16(std::size_t offset) const { return static_cast<std::int16_t>(u16(offset)); }
std::uint32_t Record::u32(std::size_t offset) const { return readU32(params_, offset); }

std::optional<Record> RecordReader::next() {
    if (done_ || offset_ + 6 > data_.size()) return std::nullopt;
    const std::uint64_t words = readU32(data_, offset_);
    const std::uint16_t function = readU16(data_, offset_ + 4);
    const std::uint64_t bytes = words * 2;
    if (function == kMetaEof || words < 3 || bytes > data_.size() - offset_) {
        done_ = true;
        return std::nullopt;
    }
    Record record(function, data_.substr(offset_ + 6, static_cast<std::size_t>(bytes - 6)));
    offset_ += static_cast<std::size_t>(bytes);
    return record;
}

}  // namespace plotvale::wmf
