#include "settings/form_storage.h"

#include <exception>
#include <string_view>
#include <utility>

#include "common/error.h"
#include "common/integer_text.h"
#include "settings/form_colors.h"

namespace kelvado {

namespace {

constexpr const char* kFormVersionKey = "FormVersion";
constexpr const char* kFlagsKey = "Flags";
constexpr const char* kPixelsPerInchKey = "PixelsPerInch";
constexpr const char* kMinMaxPosKey = "MinMaxPos";
constexpr const char* kNormPosKey = "NormPos";
constexpr const char* kFormColorKey = "FormColor";
constexpr const char* kFormFontKey = "FormFont";

// Decimal, or hexadecimal after "0x" or "0X"; missing or anything else reads as 0.
int32_t VersionFromText(const std::optional<std::string>& text) {
  if (!text) return 0;
  const std::string_view digits = *text;
  if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
    return ParseInteger("$" + std::string(digits.substr(2))).value_or(0);
  }
  return ParseInteger(digits).value_or(0);
}

std::string PositionText(int32_t a, int32_t b, int32_t c, int32_t d) {
  return std::to_string(a) + "," + std::to_string(b) + "," + std::to_string(c) + "," +
         std::to_string(d);
}

// Words separated by commas and blanks; a run of separators counts as one.
std::vector<std::string> SplitWords(std::string_view text) {
  std::vector<std::string> words;
  std::string word;
  for (char c : text) {
    if (c == ',' || static_cast<unsigned char>(c) <= ' ') {
      if (!word.empty()) words.push_back(std::exchange(word, {}));
    } else {
      word += c;
    }
  }
  if (!word.empty()) words.push_back(word);
  return words;
}

int32_t WordOr(const std::vector<std::string>& words, size_t index, int32_t fallback) {
  return index < words.size() ? ParseInteger(words[index]).value_or(fallback) : fallback;
}

std::string PropertyText(const ControlProperty& property) {
  if (property.kind == PropertyKind::Integer) return std::to_string(property.getInteger());
  if (property.kind == PropertyKind::Enumerated) return property.names.at(property.getOrdinal());
  return std::string(TrimBlanks(property.getText()));
}

// A value enclosed in quotes gets one more pair, which the reader's quote removal takes off.
std::string QuotedForProfile(std::string text) {
  if (!text.empty() && text.front() == text.back() && (text.front() == '"' || text.front() == '\''))
    return '"' + text + '"';
  return text;
}

void ApplyPropertyText(const ControlProperty& property, const std::string& text) {
  switch (property.kind) {
    case PropertyKind::Integer:
      property.setInteger(ParseInteger(text).value_or(0));
      return;
    case PropertyKind::Enumerated:
      // A text that names no value leaves the control as it is.
      for (size_t ordinal = 0; ordinal < property.names.size(); ++ordinal) {
        if (EqualsIgnoringCase(property.names[ordinal], text)) property.setOrdinal(ordinal);
      }
      return;
    case PropertyKind::Text:
      property.setText(text);
      return;
  }
}

}  // namespace

void FormStorage::RestoreSettings() {
  saved_ = false;
  // Set first: a restore that applies nothing, or stops at a bad colour, still counts.
  restored_ = true;
  if (VersionFromText(read(kFormVersionKey)) >= kVersion) {
    restorePosition();
    restoreStoredProps();
    restoreColor();
    restoreFont();
  }
  restoreMaxPosition();
}

void FormStorage::SaveSettings() {
  if (!restored_) return;
  write(kFormVersionKey, std::to_string(kVersion));
  savePosition();
  write("Visible", destroying_ ? "1" : "0");
  saveStoredProps();
  write(kFormColorKey, ColorToString(window_.color()));
  write(kFormFontKey, FontToString(window_.font()));
  saved_ = true;
}

void FormStorage::onDestroy() {
  if (saved_) return;
  destroying_ = true;
  try {
    SaveSettings();
  } catch (...) {
    destroying_ = false;
    throw;
  }
  destroying_ = false;
}

std::optional<std::string> FormStorage::read(const std::string& key) {
  return profile_.read(setup_.iniSection, key);
}

int32_t FormStorage::readInteger(const std::string& key, int32_t fallback) {
  const auto text = read(key);
  return text ? ParseInteger(*text).value_or(fallback) : fallback;
}

std::optional<std::vector<std::string>> FormStorage::readPosition(const std::string& key) {
  std::optional<std::string> text = read(key + screenSizeSuffix());
  if (!text || text->empty()) text = read(key);
  if (!text || text->empty()) return std::nullopt;
  return SplitWords(*text);
}

void FormStorage::write(const std::string& key, const std::string& value) {
  if (!profile_.write(setup_.iniSection, key, value)) {
    throw Error("Unable to write to " + setup_.iniFileName);
  }
}

std::string FormStorage::screenSizeSuffix() {
  return "(" + std::to_string(window_.screenWidth()) + "x" +
         std::to_string(window_.screenHeight()) + ")";
}

std::optional<FormStorage::StoredProperty> FormStorage::findStoredProperty(
    const std::string& entry) {
  const size_t dot = entry.find('.');
  if (dot == std::string::npos) return std::nullopt;
  const std::string control = entry.substr(0, dot);
  auto property = settings_.findProperty(control, std::string_view(entry).substr(dot + 1));
  if (!property) return std::nullopt;
  // The control as the entry spells it, the property as the control declares it.
  return StoredProperty{control + "_" + property->name, std::move(*property)};
}

void FormStorage::restorePosition() {
  WindowPlacement placement = window_.placement();
  if (!window_.visible()) placement.showCmd = kShowHide;
  placement.flags = readInteger(kFlagsKey, placement.flags);
  const auto min_max = readPosition(kMinMaxPosKey);
  if (min_max) {
    placement.minPosition = {WordOr(*min_max, 0, 0), WordOr(*min_max, 1, 0)};
    placement.maxPosition = {WordOr(*min_max, 2, 0), WordOr(*min_max, 3, 0)};
  }
  WindowRect& rect = placement.normalPosition;
  const auto norm = readPosition(kNormPosKey);
  if (norm) {
    rect.left = WordOr(*norm, 0, window_.left());
    rect.top = WordOr(*norm, 1, window_.top());
  }
  if (!min_max && !norm) return;
  // A position saved at another pixels-per-inch setting does not fit this layout.
  if (readInteger(kPixelsPerInchKey, window_.pixelsPerInch()) != window_.pixelsPerInch()) return;
  // The border is not sizeable: only the top-left corner comes from the file.
  rect.right = rect.left + window_.width();
  rect.bottom = rect.top + window_.height();
  if (rect.right > rect.left) window_.setPlacement(placement);
}

void FormStorage::restoreStoredProps() {
  for (const std::string& entry : setup_.storedProps) {
    const auto stored = findStoredProperty(entry);
    if (!stored) continue;
    // The current value is the default, so a missing key leaves the control as it is.
    const std::string text(TrimBlanks(read(stored->key).value_or(PropertyText(stored->property))));
    try {
      ApplyPropertyText(stored->property, text);
    } catch (const std::exception&) {
      // One control that refuses its value does not keep the others from theirs.
    }
  }
}

void FormStorage::restoreColor() {
  const std::string text = read(kFormColorKey).value_or(ColorToString(window_.color()));
  window_.setColor(StringToColor(text));
}

void FormStorage::restoreFont() {
  FormFont font = window_.font();
  const std::string text = read(kFormFontKey).value_or(FontToString(font));
  try {
    StringToFont(text, font);
  } catch (const ConversionError&) {
    window_.setFont(font);  // the face name, taken before the bad colour, stays
    throw;
  }
  window_.setFont(font);
}

// A maximized window covers the screen except its thin border; the next save stores this.
void FormStorage::restoreMaxPosition() {
  WindowPlacement placement = window_.placement();
  placement.maxPosition = {-window_.borderWidth(), -window_.borderHeight()};
  if (!window_.visible()) placement.showCmd = kShowHide;
  window_.setPlacement(placement);
}

void FormStorage::savePosition() {
  WindowPlacement placement = window_.placement();
  if (window_.minimizedMainWindow()) placement.showCmd = kShowMinimized;
  const std::string min_max = PositionText(placement.minPosition.x, placement.minPosition.y,
                                           placement.maxPosition.x, placement.maxPosition.y);
  const WindowRect& rect = placement.normalPosition;
  const std::string norm = PositionText(rect.left, rect.top, rect.right, rect.bottom);
  const std::string suffix = screenSizeSuffix();
  write(kFlagsKey, std::to_string(placement.flags));
  write("ShowCmd", std::to_string(placement.showCmd));
  write(kPixelsPerInchKey, std::to_string(window_.pixelsPerInch()));
  write(kMinMaxPosKey + suffix, min_max);
  write(kMinMaxPosKey, min_max);
  write(kNormPosKey + suffix, norm);
  write(kNormPosKey, norm);
}

void FormStorage::saveStoredProps() {
  for (const std::string& entry : setup_.storedProps) {
    if (const auto stored = findStoredProperty(entry)) {
      write(stored->key, QuotedForProfile(PropertyText(stored->property)));
    }
  }
}

}  // namespace kelvado
