#include "form_fonts.h"

#include <QString>
#include <QStringList>
#include <cstdlib>

#include "form_metrics.h"
#include "settings/form_colors.h"

namespace kelvado::qt {
namespace {

constexpr int kPointsPerInch = 72;

void InstallFontSubstitutes() {
  static const bool installed = [] {
    QFont::insertSubstitutions(QStringLiteral("Arial"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                                QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(QStringLiteral("Courier New"),
                               {QStringLiteral("Liberation Mono"), QStringLiteral("Cousine"),
                                QStringLiteral("DejaVu Sans Mono")});
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                                QStringLiteral("DejaVu Sans")});
    return true;
  }();
  (void)installed;
}

QFont Face(const std::string& name) {
  InstallFontSubstitutes();
  QFont font(QString::fromStdString(name));
  const bool fixedPitch = name.find("Courier") != std::string::npos;
  font.setStyleHint(fixedPitch ? QFont::TypeWriter : QFont::SansSerif);
  return font;
}

}  // namespace

QFont DescribedFont(const FontDescription& described, int ppi) {
  QFont font = Face(described.face);
  font.setPixelSize(ScaleToScreen(std::abs(described.heightPx), ppi));
  font.setBold(described.bold);
  return font;
}

FormFont DescribedFormFont(const FontDescription& described) {
  FormFont font;
  font.name = described.face;
  font.color = kClWindowText;
  font.bold = described.bold;
  font.size = MulDiv(std::abs(described.heightPx), kPointsPerInch, kDesignPixelsPerInch);
  return font;
}

QFont ScreenFont(const FormFont& form, int ppi, int fallbackPixelSize) {
  QFont font = Face(form.name);
  font.setPixelSize(form.size > 0 ? MulDiv(form.size, ppi, kPointsPerInch) : fallbackPixelSize);
  font.setBold(form.bold);
  font.setItalic(form.italic);
  font.setUnderline(form.underline);
  font.setStrikeOut(form.strikeOut);
  return font;
}

}  // namespace kelvado::qt
