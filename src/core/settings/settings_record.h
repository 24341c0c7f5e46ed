#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/controls.h"

namespace kelvado {

// How a stored property is converted to and from the settings file.
enum class PropertyKind { Integer, Enumerated, Text };

// One published property of a control ("cbAdress.Text", "chAuto.State", ...), as the form
// storage reads and writes it.
struct ControlProperty {
  Control* control = nullptr;
  std::string name;  // spelled as the control declares it
  PropertyKind kind = PropertyKind::Text;
  std::vector<std::string> names;  // Enumerated: the type's names, by ordinal
  std::function<std::string()> getText;
  std::function<void(const std::string&)> setText;
  std::function<int32_t()> getInteger;
  std::function<void(int32_t)> setInteger;  // clamps where the control has a range
  std::function<size_t()> getOrdinal;
  std::function<void(size_t)> setOrdinal;
};

// The fourteen operator settings, each the live state of one control of the settings window.
class SettingsRecord {
 public:
  SettingsRecord();
  SettingsRecord(const SettingsRecord&) = delete;
  SettingsRecord& operator=(const SettingsRecord&) = delete;

  ComboBox cbAdress{"cbAdress", {"378", "278"}, "378"};
  CheckBox chkBit1{"chkBit1", true}, chkBit2{"chkBit2", false}, chkBit3{"chkBit3", false},
      chkBit4{"chkBit4", false}, chkBit5{"chkBit5", false}, chkBit6{"chkBit6", false},
      chkBit7{"chkBit7", false}, chkBit8{"chkBit8", false};
  OptionButton rgSerial{"rgSerial", true}, rgParallel{"rgParallel", false};
  OptionButton rgDTR{"rgDTR", true}, rgRTS{"rgRTS", false};
  ComboBox cbSerialNum{"cbSerialNum", {"COM 1", "COM 2", "COM 3", "COM 4"}, "COM 1"};
  ComboBox cbInv{"cbInv", {"Нет", "Да"}, "Нет"};
  CheckBox chAuto{"chAuto", true};
  SpinEdit sePorog{"sePorog", 1, 255, 1, 100};
  SpinEdit seBegin{"seBegin", 100, 1000, 100, 200};
  SpinEdit seEnd{"seEnd", 100, 1000, 100, 200};
  CheckBox chMixer{"chMixer", false};
  CheckBox chAutoRepeat{"chAutoRepeat", false};
  SpinEdit seAuto{"seAuto", 3, 120, 1, 10};
  CheckBox chConfRecord{"chConfRecord", false};

  std::array<CheckBox*, 8> dataBits() {
    return {&chkBit1, &chkBit2, &chkBit3, &chkBit4, &chkBit5, &chkBit6, &chkBit7, &chkBit8};
  }
  std::vector<Control*> controls();
  Control* findControl(std::string_view name);

  // Finds "Control.Property", both names matched ignoring letter case.
  std::optional<ControlProperty> findProperty(std::string_view control, std::string_view property);

  // Interpretations shared by the readers.
  uint8_t dataBitMask();
  bool inverted() const { return cbInv.text() == "Да"; }
  bool serialMode() const { return rgSerial.selected(); }
  // The parallel address: "$" + text converted; raises ConversionError with that text.
  int32_t parallelAddress() const;
  int64_t trimThreshold() const { return int64_t{sePorog.Value()} * 128; }
  int64_t repeatDelayMs() const { return int64_t{seAuto.Value()} * 1000; }
  // The serial port number 1 to 4 from the fifth character of cbSerialNum, if any.
  std::optional<int> serialPortNumber() const;
};

}  // namespace kelvado
