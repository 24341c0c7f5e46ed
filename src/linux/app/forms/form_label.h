#pragma once

#include <QLabel>

namespace kelvado::qt {

// A label that, when it has no described size, sizes itself to its text, also after the
// window's font changes.
class FormLabel : public QLabel {
 public:
  FormLabel(const QString& text, bool autoSize, QWidget* parent);

 protected:
  void changeEvent(QEvent* event) override;

 private:
  bool autoSize_;
};

// A one-pixel shadow in the button-highlight colour towards the upper left of `label`'s text.
void AddHighlightShadow(QLabel& label);

}  // namespace kelvado::qt
