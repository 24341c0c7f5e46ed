#pragma once

#include <QDialog>

#include "settings/form_description.h"

namespace kelvado::qt {

// A modal dialog built from its description. A button with a modal result ends the modal
// wait with it; Enter and Esc press the default and cancel buttons; the close box gives
// kModalCancel.
class FormDialog : public QDialog {
 public:
  explicit FormDialog(const FormDescription& form);

  void reject() override;
};

// Each call creates its own dialog without an owner, runs it modally in a nested event loop
// (timers, global keys and the tray keep working), destroys it and gives its modal result.
// A call made while another dialog is open opens a second one over it.
int RunConfirmDialog();
void RunAboutDialog();

}  // namespace kelvado::qt
