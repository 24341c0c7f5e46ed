#pragma once

#include <cstdint>
#include <string>

namespace kelvado {

// Show commands of a window placement, numbered as the Windows ones.
inline constexpr int32_t kShowHide = 0;
inline constexpr int32_t kShowNormal = 1;
inline constexpr int32_t kShowMinimized = 2;

struct WindowPoint {
  int32_t x = 0;
  int32_t y = 0;
};

struct WindowRect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;
};

// Where the window system keeps a window, as the Windows WINDOWPLACEMENT: the positions it
// takes when minimized and maximized, and its rectangle when neither.
struct WindowPlacement {
  int32_t flags = 0;
  int32_t showCmd = kShowNormal;
  WindowPoint minPosition;
  WindowPoint maxPosition;
  WindowRect normalPosition;
};

// A window's font. The colour is a colour value as the settings file knows it (see
// form_colors.h); the size is in points, as the window's pixels per inch give it.
struct FormFont {
  std::string name;
  int32_t color = 0;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;
  int32_t size = 0;

  bool operator==(const FormFont&) const = default;
};

// What the form storage needs of the main window; each front end implements it.
class FormWindow {
 public:
  virtual ~FormWindow() = default;

  virtual WindowPlacement placement() = 0;
  // Moves the window as the placement says; a show command of kShowHide keeps it hidden.
  virtual void setPlacement(const WindowPlacement& placement) = 0;
  virtual bool visible() = 0;
  // True when this window is the application's main window and the application is
  // minimized (its placement then still reads as normal).
  virtual bool minimizedMainWindow() = 0;

  virtual int32_t screenWidth() = 0;
  virtual int32_t screenHeight() = 0;
  virtual int32_t pixelsPerInch() = 0;
  // A thin window border (SM_CXBORDER, SM_CYBORDER).
  virtual int32_t borderWidth() = 0;
  virtual int32_t borderHeight() = 0;

  // The window's current frame, on the screen.
  virtual int32_t left() = 0;
  virtual int32_t top() = 0;
  virtual int32_t width() = 0;
  virtual int32_t height() = 0;

  virtual int32_t color() = 0;
  virtual void setColor(int32_t color) = 0;
  virtual FormFont font() = 0;
  virtual void setFont(const FormFont& font) = 0;
};

}  // namespace kelvado
