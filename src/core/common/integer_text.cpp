#include "common/integer_text.h"

#include <cctype>

#include "common/error.h"

namespace kelvado {

std::optional<int32_t> ParseInteger(std::string_view text) {
  bool negative = false;
  size_t pos = 0;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
    negative = text[pos] == '-';
    ++pos;
  }
  bool hex = false;
  if (pos < text.size() && text[pos] == '$') {
    hex = true;
    ++pos;
  }
  if (pos == text.size()) return std::nullopt;
  const int64_t base = hex ? 16 : 10;
  // Hexadecimal may fill all 32 bits (as "$FFFFFFFF" gives -1); decimal must fit int32.
  const int64_t limit = hex ? 0xFFFFFFFFLL : (negative ? 0x80000000LL : 0x7FFFFFFFLL);
  int64_t value = 0;
  for (; pos < text.size(); ++pos) {
    const unsigned char c = static_cast<unsigned char>(text[pos]);
    int digit;
    if (std::isdigit(c)) {
      digit = c - '0';
    } else if (hex && std::isxdigit(c)) {
      digit = std::tolower(c) - 'a' + 10;
    } else {
      return std::nullopt;
    }
    value = value * base + digit;
    if (value > limit) return std::nullopt;
  }
  if (negative) value = -value;
  return static_cast<int32_t>(static_cast<uint32_t>(value & 0xFFFFFFFF));
}

int32_t StrToInt(std::string_view text) {
  if (auto value = ParseInteger(text)) return *value;
  throw ConversionError(std::string(text));
}

std::string_view TrimBlanks(std::string_view text) {
  auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

}  // namespace kelvado
