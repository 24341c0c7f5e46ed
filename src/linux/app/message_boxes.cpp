#include "message_boxes.h"

#include <QMessageBox>

namespace kelvado::qt {
namespace {

void ShowBox(QMessageBox::Icon icon, const QString& caption, const QString& text) {
  QMessageBox box(icon, caption, text, QMessageBox::Ok);
  box.setWindowModality(Qt::ApplicationModal);
  box.exec();
}

}  // namespace

void ShowErrorBox(const QString& caption, const QString& text) {
  ShowBox(QMessageBox::Critical, caption, text);
}

void ShowAlreadyRunningBox(const QString& caption) {
  ShowBox(QMessageBox::Information, caption, QStringLiteral("Кельвадо уже запущен."));
}

}  // namespace kelvado::qt
