#pragma once

#include <optional>
#include <string>
#include <vector>

#include "settings/form_window.h"
#include "settings/profile_store.h"
#include "settings/settings_record.h"

namespace kelvado {

// How the main window's storage is set up; nothing changes it at run time.
struct FormStorageSetup {
  std::string iniFileName = "Kelvado.ini";  // named in "Unable to write to %s"
  std::string iniSection = "TfmMain";
  // "Control.Property" entries, in the order a save writes them.
  std::vector<std::string> storedProps = {
      "cbAdress.Text",    "rgDTR.Checked",    "rgRTS.Checked", "rgParallel.Checked",
      "rgSerial.Checked", "cbSerialNum.Text", "seBegin.Value", "seEnd.Value",
      "sePorog.Value",    "chAuto.State",     "chkBit1.State", "chkBit2.State",
      "chkBit3.State",    "chkBit4.State",    "chkBit5.State", "chkBit6.State",
      "chkBit7.State",    "chkBit8.State",    "chMixer.State", "chConfRecord.Checked",
  };
};

// Keeps the main window's position, its stored controls, colour and font in the settings
// file. The main form calls the three event hooks; errors from any of them propagate, and
// the caller shows them in the error box and goes on with the event.
class FormStorage {
 public:
  static constexpr int32_t kVersion = 0;

  FormStorage(SettingsRecord& settings, FormWindow& window, ProfileStore& profile,
              FormStorageSetup setup = {})
      : settings_(settings), window_(window), profile_(profile), setup_(std::move(setup)) {}

  // Applies the file to the window: position, stored controls, colour and font. A colour
  // that does not convert raises ConversionError and ends the restore at that step.
  void RestoreSettings();
  // Writes the file, key by key; nothing before the first restore. A key that cannot be
  // written raises "Unable to write to <iniFileName>" and ends the save at that key.
  void SaveSettings();

  // The window turns from hidden to shown (not when shown while already visible).
  void onShowing() { RestoreSettings(); }
  // A close request, which the program always grants.
  void onCloseQuery() { SaveSettings(); }
  // The window is being destroyed: saves, with "Visible" 1, unless saved since the restore.
  void onDestroy();

  bool restored() const { return restored_; }
  bool saved() const { return saved_; }

 private:
  struct StoredProperty {
    std::string key;
    ControlProperty property;
  };

  std::optional<std::string> read(const std::string& key);
  int32_t readInteger(const std::string& key, int32_t fallback);
  // The words of a position: the current screen size's key, else the plain one.
  std::optional<std::vector<std::string>> readPosition(const std::string& key);
  void write(const std::string& key, const std::string& value);
  std::string screenSizeSuffix();
  std::optional<StoredProperty> findStoredProperty(const std::string& entry);

  void restorePosition();
  void restoreStoredProps();
  void restoreColor();
  void restoreFont();
  void restoreMaxPosition();
  void savePosition();
  void saveStoredProps();

  SettingsRecord& settings_;
  FormWindow& window_;
  ProfileStore& profile_;
  FormStorageSetup setup_;
  bool restored_ = false;
  bool saved_ = false;
  bool destroying_ = false;
};

}  // namespace kelvado
