#include "screen_colors.h"

#include <QGuiApplication>
#include <QPalette>
#include <array>

#include "settings/form_colors.h"

namespace kelvado::qt {
namespace {

struct PaletteColor {
  QPalette::ColorGroup group;
  QPalette::ColorRole role;
};

// The Windows system colours by index, as the nearest roles of a Qt palette.
constexpr std::array<PaletteColor, 25> kSystemColors{{
    {QPalette::Active, QPalette::Mid},                // clScrollBar
    {QPalette::Active, QPalette::Window},             // clBackground
    {QPalette::Active, QPalette::Highlight},          // clActiveCaption
    {QPalette::Inactive, QPalette::Highlight},        // clInactiveCaption
    {QPalette::Active, QPalette::Window},             // clMenu
    {QPalette::Active, QPalette::Base},               // clWindow
    {QPalette::Active, QPalette::Shadow},             // clWindowFrame
    {QPalette::Active, QPalette::WindowText},         // clMenuText
    {QPalette::Active, QPalette::WindowText},         // clWindowText
    {QPalette::Active, QPalette::HighlightedText},    // clCaptionText
    {QPalette::Active, QPalette::Window},             // clActiveBorder
    {QPalette::Inactive, QPalette::Window},           // clInactiveBorder
    {QPalette::Active, QPalette::Mid},                // clAppWorkSpace
    {QPalette::Active, QPalette::Highlight},          // clHighlight
    {QPalette::Active, QPalette::HighlightedText},    // clHighlightText
    {QPalette::Active, QPalette::Button},             // clBtnFace
    {QPalette::Active, QPalette::Dark},               // clBtnShadow
    {QPalette::Disabled, QPalette::WindowText},       // clGrayText
    {QPalette::Active, QPalette::ButtonText},         // clBtnText
    {QPalette::Inactive, QPalette::HighlightedText},  // clInactiveCaptionText
    {QPalette::Active, QPalette::Light},              // clBtnHighlight
    {QPalette::Active, QPalette::Shadow},             // cl3DDkShadow
    {QPalette::Active, QPalette::Midlight},           // cl3DLight
    {QPalette::Active, QPalette::ToolTipText},        // clInfoText
    {QPalette::Active, QPalette::ToolTipBase},        // clInfoBk
}};

}  // namespace

QColor ScreenColor(int32_t value) {
  const auto bits = static_cast<uint32_t>(value);
  if (bits & 0x80000000u) {
    const uint32_t index = bits & 0xFFu;
    if ((bits & 0x7FFFFF00u) != 0 || index >= kSystemColors.size()) return {};
    const PaletteColor& color = kSystemColors[index];
    return QGuiApplication::palette().color(color.group, color.role);
  }
  if (value == kClNone || (bits & 0xFF000000u) != 0) return {};
  return QColor(static_cast<int>(bits & 0xFFu), static_cast<int>(bits >> 8 & 0xFFu),
                static_cast<int>(bits >> 16 & 0xFFu));
}

}  // namespace kelvado::qt
