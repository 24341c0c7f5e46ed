// Кельвадо: the voice keyer's Linux program.
#include <QApplication>
#include <QMessageBox>
#include <cstdio>
#include <memory>

#include "artwork.h"
#include "common/error.h"
#include "devices/alsa_mixer_device.h"
#include "devices/linux_io_port.h"
#include "devices/portaudio_wave_device.h"
#include "devices/termios_serial_port.h"
#include "main_form_handlers.h"
#include "message_boxes.h"
#include "program/paths.h"
#include "program/qt_shell_ui.h"
#include "program/timer_driver.h"
#include "program/unix_signals.h"
#include "settings/ini_profile.h"
#include "settings_window.h"
#include "shell/error_text.h"
#include "shell/main_form.h"
#include "single_instance.h"

namespace {

bool HasDisplay() {
  return !qEnvironmentVariableIsEmpty("DISPLAY") ||
         !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
         !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

void ReportStartupFailure(const kelvado::Error& error) {
  static const char kModule[] = "kelvado";
  const std::string report =
      kelvado::StartupFailureReport("EMCIDeviceError", kModule, &error, error.what());
  std::fprintf(stderr, "%s\n", report.c_str());
  QMessageBox box(QMessageBox::Critical, QString::fromUtf8(kelvado::kStartupFailureTitle),
                  QString::fromStdString(report), QMessageBox::Ok);
  box.exec();
}

}  // namespace

int main(int argc, char** argv) {
  if (!HasDisplay()) {
    std::fprintf(stderr,
                 "kelvado: no graphical desktop here (DISPLAY is not set). The keyer is a tray "
                 "program and needs an X11 desktop session.\n");
    return 1;
  }
  QApplication app(argc, argv);
  QApplication::setApplicationName(QString::fromUtf8(kelvado::kApplicationTitle));
  QApplication::setQuitOnLastWindowClosed(false);
  QApplication::setWindowIcon(kelvado::qt::ApplicationIcon());

  kelvado::qt::SingleInstance instance;
  if (!instance.claimed()) {
    kelvado::qt::ShowAlreadyRunningBox();
    return 1;
  }

  kelvado::PortAudioWaveDevice wave;
  kelvado::TermiosSerialPort serial;
  kelvado::LinuxIoPort io;
  kelvado::AlsaMixerDevice mixer;
  kelvado::IniProfile profile(kelvado::qt::SettingsFile().toStdString());

  kelvado::qt::SettingsWindow window;
  kelvado::qt::QtShellUi ui(window);
  std::unique_ptr<kelvado::MainForm> form;
  try {
    form = std::make_unique<kelvado::MainForm>(kelvado::Devices{wave, serial, io, mixer}, ui,
                                               window.formWindow(), profile,
                                               kelvado::PttControl::DevicePaths::Accepted);
  } catch (const kelvado::Error& error) {
    ReportStartupFailure(error);
    return 1;
  }
  ui.attach(*form);
  window.bind(form->settings(), kelvado::qt::MainFormHandlers(*form));

  kelvado::qt::TimerDriver poll(form->Timer);
  kelvado::qt::TimerDriver repeat(form->TimerAuto);
  kelvado::qt::TimerDriver hide(form->TimerHide);
  // Logout, SIGTERM and SIGINT end the program as the exit command does.
  kelvado::qt::UnixSignals end_signals([&form] { form->endSession(); });
  QObject::connect(&app, &QGuiApplication::commitDataRequest, [&form] { form->endSession(); });

  form->start();
  const int status = QApplication::exec();
  form->destroy();
  return status;
}
