#include "settings_window.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QPushButton>
#include <string_view>
#include <utility>

#include "control_bindings.h"
#include "form_builder.h"
#include "form_fonts.h"
#include "form_metrics.h"
#include "settings/form_colors.h"
#include "settings/form_description.h"

namespace kelvado::qt {
namespace {

using Handler = std::function<void()> SettingsHandlers::*;

struct NamedHandler {
  std::string_view widget;
  Handler handler;
};

// The controls and buttons whose operator actions run a handler.
constexpr NamedHandler kHandlers[] = {
    {"btSave", &SettingsHandlers::btSaveClick},
    {"cbSerialNum", &SettingsHandlers::cbSerialNumChange},
    {"cbInv", &SettingsHandlers::cbInvChange},
    {"rgSerial", &SettingsHandlers::rgSerialClick},
    {"rgParallel", &SettingsHandlers::rgParallelClick},
    {"rgDTR", &SettingsHandlers::rgDTRClick},
    {"rgRTS", &SettingsHandlers::rgRTSClick},
    {"sbMixerRecive", &SettingsHandlers::sbMixerReciveClick},
    {"sbMixerPlay", &SettingsHandlers::sbMixerPlayClick},
    {"sbMixerRec", &SettingsHandlers::sbMixerRecClick},
};

Handler HandlerOf(std::string_view widget) {
  for (const NamedHandler& named : kHandlers) {
    if (named.widget == widget) return named.handler;
  }
  return nullptr;
}

}  // namespace

SettingsWindow::SettingsWindow()
    : formWindow_(*this, kClBtnFace, DescribedFormFont(SettingsForm().font)) {
  BuildForm(SettingsForm(), *this, ScreenPixelsPerInch());
  formWindow_.setColor(kClBtnFace);
}

SettingsWindow::~SettingsWindow() {
  // Nothing the widgets do while they are torn down reaches the record.
  delete bindings_;
}

void SettingsWindow::runHandler(Handler handler) const {
  if (handler && handlers_.*handler) (handlers_.*handler)();
}

void SettingsWindow::bind(SettingsRecord& record, SettingsHandlers handlers) {
  Q_ASSERT(!bindings_);
  bindings_ = new QObject(this);
  handlers_ = std::move(handlers);
  const auto handlerFor = [this](const std::string& name) -> std::function<void()> {
    const Handler handler = HandlerOf(name);
    if (!handler) return {};
    return [this, handler] { runHandler(handler); };
  };

  for (Control* control : record.controls()) {
    const QString name = QString::fromStdString(control->name());
    if (auto* combo = dynamic_cast<ComboBox*>(control)) {
      BindComboBox(*findChild<QComboBox*>(name), *combo, *bindings_, handlerFor(control->name()));
    } else if (auto* check = dynamic_cast<CheckBox*>(control)) {
      BindCheckBox(*findChild<FormCheckBox*>(name), *check, *bindings_);
    } else if (auto* option = dynamic_cast<OptionButton*>(control)) {
      BindOptionButton(*findChild<FormOptionButton*>(name), *option, *bindings_,
                       handlerFor(control->name()));
    } else if (auto* spin = dynamic_cast<SpinEdit*>(control)) {
      BindSpinEdit(*findChild<FormSpinEdit*>(name), *spin, *bindings_);
    }
  }
  for (auto* button : findChildren<QPushButton*>()) {
    if (const Handler handler = HandlerOf(button->objectName().toStdString())) {
      connect(button, &QPushButton::clicked, bindings_, [this, handler] { runHandler(handler); });
    }
  }
}

void SettingsWindow::closeEvent(QCloseEvent* event) {
  if (!event->spontaneous()) {
    event->accept();
    return;
  }
  event->ignore();
  runHandler(&SettingsHandlers::closeRequest);
}

}  // namespace kelvado::qt
