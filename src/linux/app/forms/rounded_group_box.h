#pragma once

#include <QString>
#include <QWidget>

namespace kelvado::qt {

// A group box drawn as a frame with rounded corners on a grey face, its caption centred in
// the top edge. Its check boxes and option buttons lie on the same face.
class RoundedGroupBox : public QWidget {
 public:
  RoundedGroupBox(const QString& caption, int cornerRadius, QWidget* parent);

  const QString& caption() const { return caption_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString caption_;
  int cornerRadius_;
};

}  // namespace kelvado::qt
