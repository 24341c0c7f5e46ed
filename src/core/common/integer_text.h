#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kelvado {

// Converts a signed integer as the settings read it: optional sign, decimal digits, or
// hexadecimal digits after a leading "$"; the whole text must be used and fit in 32 bits.
std::optional<int32_t> ParseInteger(std::string_view text);

// As ParseInteger, but raises ConversionError naming the text.
int32_t StrToInt(std::string_view text);

// Removes leading and trailing blanks (spaces and control characters).
std::string_view TrimBlanks(std::string_view text);

// Compares ASCII letters ignoring case; other bytes must match exactly.
bool EqualsIgnoringCase(std::string_view a, std::string_view b);

}  // namespace kelvado
