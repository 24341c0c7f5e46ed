#pragma once

#include <QWidget>

#include "settings/form_window.h"

namespace kelvado::qt {

// A top-level widget as the settings storage sees a window. Positions are the frame's, in
// screen pixels. Applying a placement moves the window (its size never changes) and leaves
// its visibility alone. The colour and font are kept as the values they were given and shown
// through the widget's palette and font.
class WidgetFormWindow : public FormWindow {
 public:
  WidgetFormWindow(QWidget& window, int32_t color, FormFont font);

  WindowPlacement placement() override;
  void setPlacement(const WindowPlacement& placement) override;
  bool visible() override { return window_.isVisible(); }
  bool minimizedMainWindow() override { return window_.isMinimized(); }

  int32_t screenWidth() override;
  int32_t screenHeight() override;
  int32_t pixelsPerInch() override;
  int32_t borderWidth() override { return 1; }
  int32_t borderHeight() override { return 1; }

  int32_t left() override { return window_.frameGeometry().left(); }
  int32_t top() override { return window_.frameGeometry().top(); }
  int32_t width() override { return window_.frameGeometry().width(); }
  int32_t height() override { return window_.frameGeometry().height(); }

  int32_t color() override { return color_; }
  void setColor(int32_t color) override;
  FormFont font() override { return font_; }
  void setFont(const FormFont& font) override;

 private:
  QWidget& window_;
  // What the window system keeps of a placement besides the frame.
  int32_t flags_ = 0;
  WindowPoint minPosition_{-1, -1};
  WindowPoint maxPosition_{-1, -1};
  int32_t color_;
  FormFont font_;
};

}  // namespace kelvado::qt
