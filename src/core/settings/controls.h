#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace kelvado {

// The live models of the settings window's controls. Each setting lives only here; the
// window's widgets mirror them both ways. `changed` tells a bound widget to refresh; it
// never runs a settings handler (those run only on the operator's own clicks and edits).
class Control {
 public:
  explicit Control(std::string name) : name_(std::move(name)) {}
  virtual ~Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  const std::string& name() const { return name_; }
  std::function<void()> changed;

 protected:
  void notify() {
    if (changed) changed();
  }

 private:
  std::string name_;
};

enum class CheckState { Unchecked, Checked, Grayed };

// Tri-state check box. Only a settings file can make it grayed; grayed counts as off.
class CheckBox : public Control {
 public:
  CheckBox(std::string name, bool ticked)
      : Control(std::move(name)), state_(ticked ? CheckState::Checked : CheckState::Unchecked) {}

  CheckState state() const { return state_; }
  void setState(CheckState state);
  bool ticked() const { return state_ == CheckState::Checked; }
  // A click or the space bar: a ticked box becomes unticked, any other ticked.
  void click() { setState(ticked() ? CheckState::Unchecked : CheckState::Checked); }

 private:
  CheckState state_;
};

// One option button of a pair. Selecting it clears its partner; clearing it leaves the
// partner as it is (so a settings file can leave both cleared).
class OptionButton : public Control {
 public:
  OptionButton(std::string name, bool selected) : Control(std::move(name)), selected_(selected) {}

  static void Pair(OptionButton& a, OptionButton& b) {
    a.partner_ = &b;
    b.partner_ = &a;
  }

  bool selected() const { return selected_; }
  void setSelected(bool selected);

 private:
  bool selected_;
  OptionButton* partner_ = nullptr;
};

// Editable drop-down list: the text is free; the items only offer values.
class ComboBox : public Control {
 public:
  ComboBox(std::string name, std::vector<std::string> items, std::string text)
      : Control(std::move(name)), items_(std::move(items)), text_(std::move(text)) {}

  const std::vector<std::string>& items() const { return items_; }
  const std::string& text() const { return text_; }
  void setText(std::string text);

 private:
  std::vector<std::string> items_;
  std::string text_;
};

// Spin edit holding its value as the text of its edit field.
class SpinEdit : public Control {
 public:
  SpinEdit(std::string name, int32_t min, int32_t max, int32_t step, int32_t value)
      : Control(std::move(name)), min_(min), max_(max), step_(step), text_(std::to_string(value)) {}

  int32_t minValue() const { return min_; }
  int32_t maxValue() const { return max_; }
  int32_t step() const { return step_; }
  const std::string& text() const { return text_; }

  // The read: the text as an integer ("$" marks hexadecimal), the minimum when it is not
  // one; never clamped.
  int32_t Value() const;
  // Typing or pasting: the text as it stands, unchecked.
  void setText(std::string text);
  // A value from code (the restore): clamped into the range.
  void setValue(int32_t value);
  // Arrow keys and arrow buttons: Value ± step, clamped.
  void stepUp() { stepBy(step_); }
  void stepDown() { stepBy(-step_); }
  // Losing the focus: an out-of-range integer goes to the nearest bound; other text stays.
  void focusLost();
  // The typing filter: digits, signs, decimal separators and control keys other than Enter.
  static bool AcceptsKey(char32_t key);

 private:
  int32_t clamp(int64_t value) const;
  void stepBy(int64_t delta) { setText(std::to_string(clamp(Value() + delta))); }

  int32_t min_, max_, step_;
  std::string text_;
};

}  // namespace kelvado
