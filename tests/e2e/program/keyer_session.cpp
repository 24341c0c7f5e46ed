#include "program/keyer_session.h"

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <stdexcept>

#include "line_log.h"
#include "settings/form_description.h"
#include "shell/popup_menu.h"
#include "support/polling.h"
#include "support/temp_directory.h"

namespace kelvado::e2e {
namespace {

// Where VirtualDesktop docks the tray host.
constexpr Rect kTrayHostArea{0, 0, 200, 24};
constexpr int kLeftButton = 1, kRightButton = 3;

const char kSettingsTitle[] = "^Настройки$";

int PixelsWhere(const QImage& image, const std::function<bool(QColor)>& test) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (test(image.pixelColor(x, y))) ++count;
  return count;
}

// Painted, not just mapped: most of a window or menu is light.
bool Drawn(const QImage& image) {
  return PixelsWhere(image, [](QColor c) { return c.value() > 180; }) >
         image.width() * image.height() / 2;
}

template <typename T>
T Must(std::optional<T> value, const std::string& what) {
  if (!value) throw std::runtime_error(what);
  return *value;
}

}  // namespace

KeyerSession::KeyerSession() : work_(scratch_ / "work"), desktop_(scratch_.path()) {
  std::filesystem::create_directory(work_);
  mkdir((scratch_ / "runtime").c_str(), 0700);
  std::filesystem::copy_file(KELVADO_TEMPLATE_WAV, workFile("signature.wav"));
  desktop_.startTrayHost();
}

std::string KeyerSession::workFile(const std::string& name) const {
  return work_ + "/" + name;
}

std::string KeyerSession::settingsFile() const {
  return scratch_ / "config/kelvado/Kelvado.ini";
}

std::string KeyerSession::programOutput() const {
  std::istringstream lines(FileText(scratch_ / "program.log"));
  std::string kept;
  for (std::string line; std::getline(lines, line);)
    if (!line.starts_with("ALSA lib")) kept += line + "\n";
  return kept;
}

std::unique_ptr<ChildProcess> KeyerSession::launch(
    const std::map<std::string, std::string>& changes) {
  std::map<std::string, std::string> environment = {
      {"DISPLAY", display()},
      {"QT_QPA_PLATFORM", "xcb"},
      {"XDG_CONFIG_HOME", scratch_ / "config"},
      {"XDG_RUNTIME_DIR", scratch_ / "runtime"},
      {"LD_PRELOAD", KELVADO_LINE_RECORDER},
      {"KELVADO_LINE_LOG", scratch_ / "lines.log"},
      {"KELVADO_FAKE_PORTS", std::string(kComOne) + "=" + com_one_.slavePath() + ";" + kUsbSerial +
                                 "=" + usb_serial_.slavePath()},
  };
  for (const auto& [name, value] : changes) environment[name] = value;
  return std::make_unique<ChildProcess>(
      std::vector<std::string>{KELVADO_PROGRAM},
      ChildOptions{
          .environment = environment, .directory = work_, .output = scratch_ / "program.log"});
}

Clock::duration KeyerSession::start() {
  program_ = launch();
  if (!WaitForWindow(display(), kSettingsTitle))
    throw std::runtime_error("no settings window at start:\n" + programOutput());
  const auto seen = Clock::now();
  if (!WaitForNoWindow(display(), kSettingsTitle))
    throw std::runtime_error("the settings window stays after the start");
  return Clock::now() - seen;
}

void KeyerSession::press(const std::vector<std::string>& keys) const {
  PressKeys(display(), keys);
}

Rect KeyerSession::trayIcon() const {
  std::optional<Rect> icon;
  WaitUntil([&] {
    for (const std::string& window : WindowsOfProcess(display(), program_->pid())) {
      const std::optional<Rect> place = WindowGeometry(display(), window);
      if (place && place->width > 0 && place->x + place->width <= kTrayHostArea.width &&
          place->y + place->height <= kTrayHostArea.height) {
        // A picture on the host's background: the host has drawn the icon, so clicks there
        // reach it.
        const QImage picture = grab(*place);
        const QColor background = picture.pixelColor(0, 0);
        if (PixelsWhere(picture, [&](QColor c) {
              return std::abs(c.red() - background.red()) +
                         std::abs(c.green() - background.green()) +
                         std::abs(c.blue() - background.blue()) >
                     120;
            }) > place->width) {
          icon = place;
          return true;
        }
      }
    }
    return false;
  });
  return Must(icon, "no tray icon docked in the tray host");
}

Rect KeyerSession::openTrayMenu() const {
  const Rect icon = trayIcon();
  Click(display(), icon.x + icon.width / 2, icon.y + icon.height / 2, kRightButton);
  std::optional<Rect> menu;
  WaitUntil([&] {
    for (const std::string& window : WindowsOfProcess(display(), program_->pid())) {
      const std::optional<Rect> place = WindowGeometry(display(), window);
      if (place && place->height > 4 * icon.height && Drawn(grab(*place))) {
        menu = place;
        return true;
      }
    }
    return false;
  });
  return Must(menu, "the tray menu does not open");
}

void KeyerSession::highlightMenuEntry(const std::string& name) const {
  // Up from no entry goes to the last one, and every arrow skips separators.
  const kelvado::PopupMenu menu;
  const std::vector<MenuEntry>& entries = menu.entries();
  std::vector<std::string> keys = {"Up"};
  bool found = false;
  for (const MenuEntry& entry : entries) {
    if (found && !entry.separator()) keys.push_back("Up");
    found = found || entry.name == name;
  }
  if (!found) throw std::invalid_argument("no menu entry " + name);
  press(keys);
}

void KeyerSession::chooseMenuEntry(const std::string& name) const {
  highlightMenuEntry(name);
  press({"Return"});
}

std::string KeyerSession::openSettingsWindow() const {
  openTrayMenu();
  chooseMenuEntry("mnSetup");
  return settingsWindow();
}

std::string KeyerSession::settingsWindow() const {
  const std::string window =
      Must(WaitForWindow(display(), kSettingsTitle), "the settings window does not open");
  const Rect place = Must(WindowGeometry(display(), window), "the settings window has gone");
  if (!WaitUntil([&] { return Drawn(grab(place)); }))
    throw std::runtime_error("the settings window is not drawn");
  return window;
}

void KeyerSession::clickControl(const std::string& window, const std::string& control) const {
  const FormDescription& form = SettingsForm();
  const WidgetDescription* widget = form.find(control);
  if (widget == nullptr) throw std::invalid_argument("no control " + control);
  int left = widget->left, top = widget->top;
  if (const WidgetDescription* group = form.find(widget->parent)) {
    left += group->left;
    top += group->top;
  }
  const Rect place = Must(WindowGeometry(display(), window), "the settings window has gone");
  // The window is laid out at the screen's pixels per inch; its width gives the scale.
  const double scale = static_cast<double>(place.width) / form.clientWidth;
  const int x = place.x + static_cast<int>((left + std::min(8, widget->width / 2)) * scale);
  const int y = place.y + static_cast<int>((top + widget->height / 2) * scale);
  Click(display(), x, y, kLeftButton);
}

void KeyerSession::typeInto(const std::string& window, const std::string& control,
                            const std::string& text) const {
  clickControl(window, control);
  press({"ctrl+a"});
  TypeText(display(), text);
}

QImage KeyerSession::grab(const Rect& area) const {
  const std::string path = scratch_ / "screen.png";
  Screenshot(display(), path);
  return QImage(QString::fromStdString(path)).copy(area.x, area.y, area.width, area.height);
}

bool KeyerSession::trayIconShows(Tint tint) const {
  const Rect icon = trayIcon();
  return PixelsWhere(grab(icon), [tint](QColor c) {
           const bool hue = tint == Tint::Red ? c.green() < 80 : c.green() >= 80 && c.green() < 180;
           return c.red() > 160 && hue && c.blue() < 80;
         }) > icon.width;
}

std::vector<PttEdge> KeyerSession::pttEdges(const std::string& port) const {
  return ReadSerialLine(test::ReadLineLog(scratch_ / "lines.log"), program_->pid(), port).edges;
}

bool KeyerSession::serialPortOpen(const std::string& port) const {
  return ReadSerialLine(test::ReadLineLog(scratch_ / "lines.log"), program_->pid(), port).open;
}

}  // namespace kelvado::e2e
