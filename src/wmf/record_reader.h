#pragma once
// Walks the records of a Windows metafile. Every record is checked against
// the bytes that remain; sizes are in 16-bit words; the walk ends at META_EOF,
// at the end of the data, or at a record that cannot fit (a record size below
// three words or one running past the data). The header's own size field is
// never consulted.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace plotvale::wmf {

// One record's function and parameter bytes. Reading past the parameters
// gives 0, so a short record never reads outside its own bytes.
class Record {
public:
    Record(std::uint16_t function, std::string_view params) : function_(function), params_(params) {}
    std::uint16_t function() const { return function_; }
    std::size_t size() const { return params_.size(); }          // bytes of parameters
    std::size_t words() const { return params_.size() / 2; }
    std::string_view bytes() const { return params_; }
    std::uint8_t u8(std::size_t offset) const;
    std::uint16_t u16(std::size_t offset) const;                 // byte offset
    std::int16_t s16(std::size_t offset) const;
    std::uint32_t u32(std::size_t offset) const;
    // Parameter word i (16-bit), signed and unsigned.
    std::int16_t word(std::size_t i) const { return s16(2 * i); }
    std::uint16_t uword(std::size_t i) const { return u16(2 * i); }
    std::string_view tail(std::size_t offset) const {
        return offset >= params_.size() ? std::string_view() : params_.substr(offset);
    }

private:
    std::uint16_t function_;
    std::string_view params_;
};

inline constexpr std::uint16_t kMetaEof = 0x0000;

class RecordReader {
public:
    // data starts at the first record (after the 18-byte metafile header).
    explicit RecordReader(std::string_view data) : data_(data) {}
    // The next record, or nullopt at META_EOF, at the end, or at a record
    // that does not fit.
    std::optional<Record> next();
    std::size_t offset() const { return offset_; }

private:
    std::string_view data_;
    std::size_t offset_ = 0;
    bool done_ = false;
};

std::uint16_t readU16(std::string_view data, std::size_t offset);
std::uint32_t readU32(std::string_view data, std::size_t offset);

}  // namespace plotvale::wmf
