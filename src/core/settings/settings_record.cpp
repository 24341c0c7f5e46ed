#include "settings/settings_record.h"

#include "common/error.h"
#include "common/integer_text.h"

namespace kelvado {

namespace {

const std::vector<std::string> kBooleanNames = {"False", "True"};
const std::vector<std::string> kCheckStateNames = {"cbUnchecked", "cbChecked", "cbGrayed"};

ControlProperty Property(Control& control, std::string name, PropertyKind kind,
                         std::vector<std::string> names = {}) {
  ControlProperty p;
  p.control = &control;
  p.name = std::move(name);
  p.kind = kind;
  p.names = std::move(names);
  return p;
}

ControlProperty TextProperty(ComboBox& box) {
  ControlProperty p = Property(box, "Text", PropertyKind::Text);
  p.getText = [&box] { return box.text(); };
  p.setText = [&box](const std::string& text) { box.setText(text); };
  return p;
}

ControlProperty ValueProperty(SpinEdit& edit) {
  ControlProperty p = Property(edit, "Value", PropertyKind::Integer);
  p.getInteger = [&edit] { return edit.Value(); };
  p.setInteger = [&edit](int32_t value) { edit.setValue(value); };
  return p;
}

ControlProperty StateProperty(CheckBox& box) {
  ControlProperty p = Property(box, "State", PropertyKind::Enumerated, kCheckStateNames);
  p.getOrdinal = [&box] { return static_cast<size_t>(box.state()); };
  p.setOrdinal = [&box](size_t ordinal) { box.setState(static_cast<CheckState>(ordinal)); };
  return p;
}

// A check box's Checked is its ticked state; setting it True ticks, False unticks.
ControlProperty CheckedProperty(CheckBox& box) {
  ControlProperty p = Property(box, "Checked", PropertyKind::Enumerated, kBooleanNames);
  p.getOrdinal = [&box] { return box.ticked() ? 1u : 0u; };
  p.setOrdinal = [&box](size_t ordinal) {
    box.setState(ordinal ? CheckState::Checked : CheckState::Unchecked);
  };
  return p;
}

ControlProperty CheckedProperty(OptionButton& button) {
  ControlProperty p = Property(button, "Checked", PropertyKind::Enumerated, kBooleanNames);
  p.getOrdinal = [&button] { return button.selected() ? 1u : 0u; };
  p.setOrdinal = [&button](size_t ordinal) { button.setSelected(ordinal != 0); };
  return p;
}

}  // namespace

SettingsRecord::SettingsRecord() {
  OptionButton::Pair(rgSerial, rgParallel);
  OptionButton::Pair(rgDTR, rgRTS);
}

std::vector<Control*> SettingsRecord::controls() {
  return {&cbAdress, &chkBit1,     &chkBit2,      &chkBit3,  &chkBit4,     &chkBit5,
          &chkBit6,  &chkBit7,     &chkBit8,      &rgSerial, &rgParallel,  &rgDTR,
          &rgRTS,    &cbSerialNum, &cbInv,        &chAuto,   &sePorog,     &seBegin,
          &seEnd,    &chMixer,     &chAutoRepeat, &seAuto,   &chConfRecord};
}

Control* SettingsRecord::findControl(std::string_view name) {
  for (Control* control : controls()) {
    if (EqualsIgnoringCase(control->name(), name)) return control;
  }
  return nullptr;
}

std::optional<ControlProperty> SettingsRecord::findProperty(std::string_view control,
                                                            std::string_view property) {
  Control* found = findControl(control);
  if (!found) return std::nullopt;
  std::vector<ControlProperty> published;
  if (auto* combo = dynamic_cast<ComboBox*>(found)) {
    published = {TextProperty(*combo)};
  } else if (auto* spin = dynamic_cast<SpinEdit*>(found)) {
    published = {ValueProperty(*spin)};
  } else if (auto* check = dynamic_cast<CheckBox*>(found)) {
    published = {StateProperty(*check), CheckedProperty(*check)};
  } else if (auto* option = dynamic_cast<OptionButton*>(found)) {
    published = {CheckedProperty(*option)};
  }
  for (ControlProperty& p : published) {
    if (EqualsIgnoringCase(p.name, property)) return p;
  }
  return std::nullopt;
}

uint8_t SettingsRecord::dataBitMask() {
  uint8_t mask = 0;
  auto bits = dataBits();
  for (size_t n = 0; n < bits.size(); ++n) {
    if (bits[n]->ticked()) mask = static_cast<uint8_t>(mask | (1u << n));
  }
  return mask;
}

int32_t SettingsRecord::parallelAddress() const {
  return StrToInt("$" + cbAdress.text());
}

std::optional<int> SettingsRecord::serialPortNumber() const {
  const std::string& text = cbSerialNum.text();
  if (text.size() < 5 || text[4] < '1' || text[4] > '4') return std::nullopt;
  return text[4] - '0';
}

}  // namespace kelvado
