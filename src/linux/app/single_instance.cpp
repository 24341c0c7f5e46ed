#include "single_instance.h"

#include <QFile>
#include <QStandardPaths>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace kelvado::qt {

SingleInstance::SingleInstance(const QString& lock_path) {
  descriptor_ =
      ::open(QFile::encodeName(lock_path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  // A lock file that cannot be made claims nothing: better two copies than none.
  claimed_ = descriptor_ < 0 || ::flock(descriptor_, LOCK_EX | LOCK_NB) == 0;
}

SingleInstance::~SingleInstance() {
  if (descriptor_ >= 0) ::close(descriptor_);
}

QString SingleInstance::DefaultLockPath() {
  return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) +
         QStringLiteral("/kelvado.lock");
}

}  // namespace kelvado::qt
