#include "settings/controls.h"

#include <algorithm>

#include "common/integer_text.h"

namespace kelvado {

void CheckBox::setState(CheckState state) {
  if (state == state_) return;
  state_ = state;
  notify();
}

void OptionButton::setSelected(bool selected) {
  if (selected && partner_ && partner_->selected_) {
    partner_->selected_ = false;
    partner_->notify();
  }
  if (selected == selected_) return;
  selected_ = selected;
  notify();
}

void ComboBox::setText(std::string text) {
  if (text == text_) return;
  text_ = std::move(text);
  notify();
}

int32_t SpinEdit::Value() const {
  return ParseInteger(text_).value_or(min_);
}

void SpinEdit::setText(std::string text) {
  if (text == text_) return;
  text_ = std::move(text);
  notify();
}

int32_t SpinEdit::clamp(int64_t value) const {
  return static_cast<int32_t>(std::clamp<int64_t>(value, min_, max_));
}

void SpinEdit::setValue(int32_t value) {
  setText(std::to_string(clamp(value)));
}

void SpinEdit::focusLost() {
  if (auto value = ParseInteger(text_)) setText(std::to_string(clamp(*value)));
}

bool SpinEdit::AcceptsKey(char32_t key) {
  if (key >= '0' && key <= '9') return true;
  if (key == '+' || key == '-' || key == '.' || key == ',') return true;
  return key < 0x20 && key != '\r' && key != '\n';
}

}  // namespace kelvado
