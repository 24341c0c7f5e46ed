// Renders the settings window and the two dialogs off screen into PNG files for the
// operator's guide: form-screenshots <folder>.
#include <QApplication>
#include <QDir>
#include <QWidget>
#include <cstdio>

#include "dialogs/dialog_descriptions.h"
#include "form_dialog.h"
#include "settings/settings_record.h"
#include "settings_window.h"

namespace {

bool Save(QWidget& window, const QDir& folder, const char* file) {
  window.show();
  QApplication::processEvents();
  const QString path = folder.filePath(QString::fromLatin1(file));
  if (window.grab().save(path)) return true;
  std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
    return 2;
  }
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const QDir folder(QString::fromLocal8Bit(argv[1]));

  kelvado::SettingsRecord record;
  kelvado::qt::SettingsWindow settings;
  settings.bind(record, {});
  kelvado::qt::FormDialog about(kelvado::AboutDialog());
  kelvado::qt::FormDialog confirm(kelvado::ConfirmDialog());
  const bool saved = Save(settings, folder, "settings-window.png") &&
                     Save(about, folder, "about-dialog.png") &&
                     Save(confirm, folder, "confirm-dialog.png");
  return saved ? 0 : 1;
}
