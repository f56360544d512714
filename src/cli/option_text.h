#pragma once
// How an option's name and value are read from one parameter, and the
// number rules shared by the option scan and the profile reader.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace plotvale::cli {

// The parameter trimmed of blanks; for "--" parameters the part before the
// first "="; for "-" parameters all of it; otherwise empty. Upper case.
std::string optionName(std::string_view parameter);

// The parameter trimmed of blanks; for a "--" parameter with "=", the part
// after the first "=". Keeps its case.
std::string optionValue(std::string_view parameter);

// Optional blanks, optional sign, then "$" and hex digits, "%" and binary
// digits, or decimal digits, up to the first other character. No digits
// read as 0. The caller keeps the low 32 bits.
int64_t readNumber(std::string_view text);

// When the value opens a double quote it does not close, appends the option
// values of the following parameters (one blank before each) until it ends
// with a quote or none is left. `position` is moved past what was consumed.
std::string joinQuotedValue(std::string value, const std::vector<std::string>& parameters,
                            size_t& position);

// Removes every leading and trailing double quote.
std::string stripQuotes(std::string_view value);

}  // namespace plotvale::cli
