#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kelvado {

// A window described as data, at 96 pixels per inch; each front end builds its widgets
// from it and scales to the screen. Nothing about layout or wording is written twice.

enum class WidgetKind {
  GroupBox,      // rounded frame (radius 10) with a centred caption and a grey face
  CheckBox,      // raised box, or flat where `flat`
  OptionButton,  // diamond mark; selecting one clears the other of its group box
  ComboBox,      // editable drop-down list
  SpinEdit,
  Label,
  RuledLine,  // a 1-pixel line (horizontal or vertical by its size)
  Button,
  Image,
  Bevel,  // a lowered line along the bottom edge of its area
};

enum class TabStop { Never, Always, WhileSelected };

struct FontDescription {
  std::string face;
  int heightPx = -11;  // negative: character height in pixels at 96 ppi
  bool bold = false;
  bool cyrillic = true;
  bool operator==(const FontDescription&) const = default;
};

struct Rgb {
  uint8_t red = 0, green = 0, blue = 0;
  bool operator==(const Rgb&) const = default;
};

struct WidgetDescription {
  std::string name;
  WidgetKind kind = WidgetKind::Label;
  std::string parent;  // the group box it lies in; empty for the window itself
  int left = 0, top = 0, width = 0, height = 0;  // width and height 0: sized to its text
  std::string caption;             // lines separated by "\r\n"; for an Image, the picture's name
  std::vector<std::string> items;  // drop-down list items
  int tabOrder = -1;               // among its siblings
  TabStop tabStop = TabStop::Never;
  std::string hint;
  bool flat = false;
  bool centred = false;
  bool wordWrap = false;
  bool shadow = false;   // a one-pixel highlight shadow towards the upper left
  Rgb textColor{};       // black unless set
  FontDescription font;  // empty face: the window's font
  int modalResult = 0;   // buttons of a dialog
  int dropDownCount = 8;
};

enum class BorderStyle { Single, ToolWindow };

struct FormDescription {
  std::string name;
  std::string caption;
  int clientWidth = 0, clientHeight = 0;
  int left = 0, top = 0;  // design position on the screen
  bool screenCentre = false;
  BorderStyle border = BorderStyle::Single;
  FontDescription font;
  std::string defaultButton, cancelButton;
  std::vector<WidgetDescription> widgets;

  const WidgetDescription* find(const std::string& widget) const;
};

// A widget at its place, with its caption; everything else keeps its default.
WidgetDescription DescribeWidget(WidgetKind kind, std::string name, std::string parent, int left,
                                 int top, int width, int height, std::string caption = {});

inline constexpr Rgb kGroupFace{228, 228, 228};
inline constexpr Rgb kMaroon{128, 0, 0};
inline constexpr int kGroupCornerRadius = 10;

// The settings window "Настройки".
const FormDescription& SettingsForm();

}  // namespace kelvado
