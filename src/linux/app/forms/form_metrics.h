#pragma once

namespace kelvado::qt {

// Window descriptions are laid out at 96 pixels per inch.
inline constexpr int kDesignPixelsPerInch = 96;

// The primary screen's logical pixels per inch, as a whole number.
int ScreenPixelsPerInch();

// value × numerator / denominator, rounded half away from zero (as Windows' MulDiv).
int MulDiv(int value, int numerator, int denominator);

// A length at 96 pixels per inch, scaled to `ppi`.
inline int ScaleToScreen(int designPixels, int ppi) {
  return MulDiv(designPixels, ppi, kDesignPixelsPerInch);
}

}  // namespace kelvado::qt
