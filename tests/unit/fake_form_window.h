#pragma once

#include <vector>

#include "settings/form_colors.h"
#include "settings/form_window.h"

namespace kelvado::test {

// The main window as the window system shows it at its design place: client area 473 x 353
// inside a fixed frame of 3 pixels and a 22-pixel caption, on a 1024 x 768 screen at 96
// pixels per inch. A placement moves it and, like SetWindowPlacement, shows a hidden
// window unless its show command is hide.
class FakeFormWindow : public FormWindow {
 public:
  static constexpr int32_t kWidth = 473 + 2 * 3;
  static constexpr int32_t kHeight = 353 + 2 * 3 + 22;

  WindowPlacement placement() override { return current; }
  void setPlacement(const WindowPlacement& placement) override {
    applied.push_back(placement);
    current = placement;
    current.showCmd = kShowNormal;
    if (placement.showCmd != kShowHide) shown = true;
  }
  bool visible() override { return shown; }
  bool minimizedMainWindow() override { return applicationMinimized; }
  int32_t screenWidth() override { return screenW; }
  int32_t screenHeight() override { return screenH; }
  int32_t pixelsPerInch() override { return ppi; }
  int32_t borderWidth() override { return borderX; }
  int32_t borderHeight() override { return borderY; }
  int32_t left() override { return current.normalPosition.left; }
  int32_t top() override { return current.normalPosition.top; }
  int32_t width() override { return current.normalPosition.right - current.normalPosition.left; }
  int32_t height() override { return current.normalPosition.bottom - current.normalPosition.top; }
  int32_t color() override { return colour; }
  void setColor(int32_t color) override { colour = color; }
  FormFont font() override { return typeface; }
  void setFont(const FormFont& font) override { typeface = font; }

  WindowPlacement current{
      0, kShowNormal, {-1, -1}, {-1, -1}, {263, 170, 263 + kWidth, 170 + kHeight}};
  std::vector<WindowPlacement> applied;
  bool shown = true;
  bool applicationMinimized = false;
  int32_t screenW = 1024, screenH = 768, ppi = 96;
  int32_t borderX = 1, borderY = 1;
  int32_t colour = kClBtnFace;
  FormFont typeface{"Arial", kClWindowText, false, false, false, false, 8};
};

}  // namespace kelvado::test
