#include "program/paths.h"

#include <QDir>

namespace kelvado::qt {

QString SettingsFolder() {
  QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
  if (base.isEmpty() || !QDir::isAbsolutePath(base)) base = QDir::homePath() + "/.config";
  const QString folder = base + "/kelvado";
  QDir().mkpath(folder);
  return folder;
}

QString SettingsFile() {
  return SettingsFolder() + "/Kelvado.ini";
}

}  // namespace kelvado::qt
