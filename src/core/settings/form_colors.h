#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "settings/form_window.h"

namespace kelvado {

// Colour values as the settings file stores them: a standard colour holds red in bits 0 to
// 7, green in 8 to 15 and blue in 16 to 23; a system colour is 0x80000000 plus the Windows
// system-colour index. Front ends map both to their own screen colours.
constexpr int32_t StandardColor(uint8_t red, uint8_t green, uint8_t blue) {
  return red | green << 8 | blue << 16;
}
constexpr int32_t SystemColor(uint8_t index) {
  return static_cast<int32_t>(0x80000000u | index);
}

inline constexpr int32_t kClWindowText = SystemColor(8);
inline constexpr int32_t kClBtnFace = SystemColor(15);
inline constexpr int32_t kClNone = 0x1FFFFFFF;

struct ColorIdent {
  std::string_view name;
  int32_t value;
};

// Every colour identifier the settings file knows, with its value.
std::span<const ColorIdent> ColorIdents();

// The colour's identifier when it has one, otherwise "$" and eight hexadecimal digits.
std::string ColorToString(int32_t color);
// An identifier (matched ignoring letter case) or an integer ("$" marks hexadecimal);
// raises ConversionError naming the text otherwise.
int32_t StringToColor(std::string_view text);

// "face,colour,styles,size", e.g. "Arial,clWindowText,N,8"; styles "N" or letters of "BIUS".
std::string FontToString(const FormFont& font);
// Reads a font text into `font`, field by field in the order name, colour, styles, size. A
// colour that does not convert raises ConversionError with the name already taken.
void StringToFont(std::string_view text, FormFont& font);

}  // namespace kelvado
