#include "settings/form_colors.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <vector>

#include "common/integer_text.h"

namespace kelvado {

namespace {

constexpr std::array kColorIdents = {
    ColorIdent{"clBlack", StandardColor(0, 0, 0)},
    ColorIdent{"clMaroon", StandardColor(128, 0, 0)},
    ColorIdent{"clGreen", StandardColor(0, 128, 0)},
    ColorIdent{"clOlive", StandardColor(128, 128, 0)},
    ColorIdent{"clNavy", StandardColor(0, 0, 128)},
    ColorIdent{"clPurple", StandardColor(128, 0, 128)},
    ColorIdent{"clTeal", StandardColor(0, 128, 128)},
    ColorIdent{"clGray", StandardColor(128, 128, 128)},
    ColorIdent{"clSilver", StandardColor(192, 192, 192)},
    ColorIdent{"clRed", StandardColor(255, 0, 0)},
    ColorIdent{"clLime", StandardColor(0, 255, 0)},
    ColorIdent{"clYellow", StandardColor(255, 255, 0)},
    ColorIdent{"clBlue", StandardColor(0, 0, 255)},
    ColorIdent{"clFuchsia", StandardColor(255, 0, 255)},
    ColorIdent{"clAqua", StandardColor(0, 255, 255)},
    ColorIdent{"clWhite", StandardColor(255, 255, 255)},
    ColorIdent{"clScrollBar", SystemColor(0)},
    ColorIdent{"clBackground", SystemColor(1)},
    ColorIdent{"clActiveCaption", SystemColor(2)},
    ColorIdent{"clInactiveCaption", SystemColor(3)},
    ColorIdent{"clMenu", SystemColor(4)},
    ColorIdent{"clWindow", SystemColor(5)},
    ColorIdent{"clWindowFrame", SystemColor(6)},
    ColorIdent{"clMenuText", SystemColor(7)},
    ColorIdent{"clWindowText", SystemColor(8)},
    ColorIdent{"clCaptionText", SystemColor(9)},
    ColorIdent{"clActiveBorder", SystemColor(10)},
    ColorIdent{"clInactiveBorder", SystemColor(11)},
    ColorIdent{"clAppWorkSpace", SystemColor(12)},
    ColorIdent{"clHighlight", SystemColor(13)},
    ColorIdent{"clHighlightText", SystemColor(14)},
    ColorIdent{"clBtnFace", SystemColor(15)},
    ColorIdent{"clBtnShadow", SystemColor(16)},
    ColorIdent{"clGrayText", SystemColor(17)},
    ColorIdent{"clBtnText", SystemColor(18)},
    ColorIdent{"clInactiveCaptionText", SystemColor(19)},
    ColorIdent{"clBtnHighlight", SystemColor(20)},
    ColorIdent{"cl3DDkShadow", SystemColor(21)},
    ColorIdent{"cl3DLight", SystemColor(22)},
    ColorIdent{"clInfoText", SystemColor(23)},
    ColorIdent{"clInfoBk", SystemColor(24)},
    ColorIdent{"clNone", kClNone},
};

struct FontStyle {
  char letter;
  bool FormFont::*flag;
};
constexpr FontStyle kFontStyles[] = {{'B', &FormFont::bold},
                                     {'I', &FormFont::italic},
                                     {'U', &FormFont::underline},
                                     {'S', &FormFont::strikeOut}};

// The text's fields between commas; fields past the last comma are empty.
std::vector<std::string_view> SplitAtCommas(std::string_view text) {
  std::vector<std::string_view> fields;
  size_t start = 0;
  for (size_t comma; (comma = text.find(',', start)) != std::string_view::npos; start = comma + 1) {
    fields.push_back(text.substr(start, comma - start));
  }
  fields.push_back(text.substr(start));
  return fields;
}

// A size field holding only blanks, digits and "-" converts with its blanks removed; any
// other field, or one that still does not convert, gives 0.
int32_t FontSize(std::string_view field) {
  std::string digits;
  for (char c : field) {
    if (static_cast<unsigned char>(c) <= ' ') continue;
    if ((c < '0' || c > '9') && c != '-') return 0;
    digits += c;
  }
  return ParseInteger(digits).value_or(0);
}

}  // namespace

std::span<const ColorIdent> ColorIdents() {
  return kColorIdents;
}

std::string ColorToString(int32_t color) {
  for (const ColorIdent& ident : kColorIdents) {
    if (ident.value == color) return std::string(ident.name);
  }
  char text[16];
  std::snprintf(text, sizeof text, "$%.8x", static_cast<uint32_t>(color));
  return text;
}

int32_t StringToColor(std::string_view text) {
  for (const ColorIdent& ident : kColorIdents) {
    if (EqualsIgnoringCase(ident.name, text)) return ident.value;
  }
  return StrToInt(text);
}

std::string FontToString(const FormFont& font) {
  std::string letters;
  for (const FontStyle& style : kFontStyles) {
    if (font.*style.flag) letters += style.letter;
  }
  if (letters.empty()) letters = "N";
  return font.name + "," + ColorToString(font.color) + "," + letters + "," +
         std::to_string(font.size);
}

void StringToFont(std::string_view text, FormFont& font) {
  std::vector<std::string_view> fields = SplitAtCommas(text);
  fields.resize(std::max<size_t>(fields.size(), 4));
  font.name = std::string(fields[0]);
  font.color = StringToColor(fields[1]);
  for (const FontStyle& style : kFontStyles) {
    font.*style.flag = fields[2].find(style.letter) != std::string_view::npos;
  }
  font.size = FontSize(fields[3]);
}

}  // namespace kelvado
