#include "form_dialog.h"

#include <QPushButton>

#include "dialogs/dialog_descriptions.h"
#include "form_builder.h"
#include "form_metrics.h"

namespace kelvado::qt {

FormDialog::FormDialog(const FormDescription& form) {
  BuildForm(form, *this, ScreenPixelsPerInch());
  for (const WidgetDescription& widget : form.widgets) {
    if (widget.modalResult == 0) continue;
    auto* button = findChild<QPushButton*>(QString::fromStdString(widget.name));
    connect(button, &QPushButton::clicked, this,
            [this, result = widget.modalResult] { done(result); });
  }
}

void FormDialog::reject() {
  done(kModalCancel);
}

int RunConfirmDialog() {
  FormDialog dialog(ConfirmDialog());
  return dialog.exec();
}

void RunAboutDialog() {
  FormDialog dialog(AboutDialog());
  dialog.exec();
}

}  // namespace kelvado::qt
