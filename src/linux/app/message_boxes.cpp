#include "message_boxes.h"

#include <QMessageBox>

#include "shell/popup_menu.h"

namespace kelvado::qt {
namespace {

void ShowBox(QMessageBox::Icon icon, const QString& text) {
  QMessageBox box(icon, QString::fromUtf8(kApplicationTitle), text, QMessageBox::Ok);
  box.setWindowModality(Qt::ApplicationModal);
  box.exec();
}

}  // namespace

void ShowErrorBox(const QString& text) {
  ShowBox(QMessageBox::Critical, text);
}

void ShowAlreadyRunningBox() {
  ShowBox(QMessageBox::Information, QStringLiteral("Кельвадо уже запущен."));
}

}  // namespace kelvado::qt
