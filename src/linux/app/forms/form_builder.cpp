#include "form_builder.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <algorithm>
#include <map>
#include <vector>

#include "artwork.h"
#include "default_keys.h"
#include "form_fonts.h"
#include "form_label.h"
#include "form_lines.h"
#include "form_metrics.h"
#include "form_spin_edit.h"
#include "indicator_buttons.h"
#include "rounded_group_box.h"
#include "screen_colors.h"

namespace kelvado::qt {
namespace {

// The side of a check box's or option button's mark at 96 pixels per inch.
constexpr int kIndicatorSize = 13;
constexpr int kDefaultPictureSize = 32;

QString Caption(const std::string& text) {
  return QString::fromStdString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

Qt::WindowFlags FrameFlags(BorderStyle border, Qt::WindowType windowType) {
  const Qt::WindowFlags common =
      Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
  if (border == BorderStyle::ToolWindow) return Qt::Tool | common;
  const Qt::WindowType type = windowType == Qt::Dialog ? Qt::Dialog : Qt::Window;
  return type | common | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint;
}

// A tab stop is taken by Tab and by a click. Without one, a control still takes the focus by
// a click; buttons without one (flat speed buttons) and passive widgets never take it.
Qt::FocusPolicy FocusPolicyOf(const WidgetDescription& widget) {
  if (widget.tabStop == TabStop::Always) return Qt::StrongFocus;
  switch (widget.kind) {
    case WidgetKind::CheckBox:
    case WidgetKind::OptionButton:
    case WidgetKind::ComboBox:
    case WidgetKind::SpinEdit:
      return Qt::ClickFocus;
    default:
      return Qt::NoFocus;
  }
}

class FormBuilder {
 public:
  FormBuilder(const FormDescription& form, QWidget& window, int ppi)
      : form_(form), window_(window), ppi_(ppi) {}

  void build() {
    buildWindow();
    for (const WidgetDescription& widget : form_.widgets) made_[widget.name] = create(widget);
    orderTabs();
    InstallDefaultKeys(window_, button(form_.defaultButton), button(form_.cancelButton));
  }

 private:
  int scaled(int designPixels) const { return ScaleToScreen(designPixels, ppi_); }

  void buildWindow() {
    window_.setObjectName(QString::fromStdString(form_.name));
    window_.setWindowTitle(QString::fromStdString(form_.caption));
    window_.setWindowFlags(FrameFlags(form_.border, window_.windowType()));
    window_.setFont(DescribedFont(form_.font, ppi_));
    window_.setFixedSize(scaled(form_.clientWidth), scaled(form_.clientHeight));
    window_.setAutoFillBackground(true);
    if (form_.screenCentre) {
      const QScreen* screen = QGuiApplication::primaryScreen();
      if (screen) window_.move(screen->geometry().center() - window_.rect().center());
    } else {
      window_.move(form_.left, form_.top);
    }
  }

  QWidget* create(const WidgetDescription& described) {
    QWidget* parent = described.parent.empty() ? &window_ : made_.at(described.parent);
    QWidget* widget = newWidget(described, parent);
    widget->setObjectName(QString::fromStdString(described.name));
    if (!described.font.face.empty()) widget->setFont(DescribedFont(described.font, ppi_));
    if (described.textColor != Rgb{}) {
      QPalette colors = widget->palette();
      for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
        colors.setColor(role, ToQColor(described.textColor));
      widget->setPalette(colors);
    }
    if (!described.hint.empty()) widget->setToolTip(QString::fromStdString(described.hint));
    if (described.tabStop != TabStop::WhileSelected)
      widget->setFocusPolicy(FocusPolicyOf(described));
    place(*widget, described);
    return widget;
  }

  // Corners are scaled rather than sizes, so that neighbours stay flush at any scale.
  void place(QWidget& widget, const WidgetDescription& described) const {
    const QPoint topLeft(scaled(described.left), scaled(described.top));
    if (described.width == 0 && described.height == 0) {
      widget.move(topLeft);
      widget.adjustSize();
      return;
    }
    const QPoint bottomRight(scaled(described.left + described.width),
                             scaled(described.top + described.height));
    widget.setGeometry(QRect(topLeft, bottomRight - QPoint(1, 1)));
  }

  QWidget* newWidget(const WidgetDescription& described, QWidget* parent) const {
    const QString caption = Caption(described.caption);
    switch (described.kind) {
      case WidgetKind::GroupBox:
        return new RoundedGroupBox(caption, scaled(kGroupCornerRadius), parent);
      case WidgetKind::CheckBox:
        return new FormCheckBox(caption, described.flat, scaled(kIndicatorSize), parent);
      case WidgetKind::OptionButton:
        return new FormOptionButton(caption, scaled(kIndicatorSize), parent);
      case WidgetKind::ComboBox:
        return newComboBox(described, parent);
      case WidgetKind::SpinEdit:
        return new FormSpinEdit(parent);
      case WidgetKind::Label:
        return newLabel(described, caption, parent);
      case WidgetKind::RuledLine:
        return NewRuledLine(parent);
      case WidgetKind::Button:
        return new QPushButton(caption, parent);
      case WidgetKind::Image:
        return newPicture(described, parent);
      case WidgetKind::Bevel:
        return new BevelLine(parent);
    }
    return new QWidget(parent);
  }

  static QWidget* newComboBox(const WidgetDescription& described, QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->setEditable(true);
    // The operator's text stays as typed: no completion, no new list items.
    box->setCompleter(nullptr);
    box->setInsertPolicy(QComboBox::NoInsert);
    for (const std::string& item : described.items) box->addItem(QString::fromStdString(item));
    box->setMaxVisibleItems(described.dropDownCount);
    box->setFrame(!described.flat);
    return box;
  }

  static QWidget* newLabel(const WidgetDescription& described, const QString& caption,
                           QWidget* parent) {
    auto* label = new FormLabel(caption, described.width == 0 && described.height == 0, parent);
    label->setAlignment((described.centred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
    label->setWordWrap(described.wordWrap);
    if (described.shadow) AddHighlightShadow(*label);
    return label;
  }

  QWidget* newPicture(const WidgetDescription& described, QWidget* parent) const {
    auto* picture = new QLabel(parent);
    const QIcon icon = Picture(described.caption);
    const QList<QSize> sizes = icon.availableSizes();
    const QSize natural =
        sizes.isEmpty() ? QSize(kDefaultPictureSize, kDefaultPictureSize) : sizes.front();
    picture->setPixmap(icon.pixmap(QSize(scaled(natural.width()), scaled(natural.height()))));
    picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return picture;
  }

  QAbstractButton* button(const std::string& name) const {
    const auto found = made_.find(name);
    return found == made_.end() ? nullptr : qobject_cast<QAbstractButton*>(found->second);
  }

  // Group boxes take their place among their siblings, and their controls follow them.
  void appendTabOrder(const std::string& parent, std::vector<QWidget*>& chain) const {
    std::vector<const WidgetDescription*> siblings;
    for (const WidgetDescription& widget : form_.widgets) {
      if (widget.parent == parent && widget.tabOrder >= 0) siblings.push_back(&widget);
    }
    std::stable_sort(siblings.begin(), siblings.end(),
                     [](const auto* a, const auto* b) { return a->tabOrder < b->tabOrder; });
    for (const WidgetDescription* widget : siblings) {
      if (widget->kind == WidgetKind::GroupBox) {
        appendTabOrder(widget->name, chain);
      } else {
        chain.push_back(made_.at(widget->name));
      }
    }
  }

  void orderTabs() const {
    std::vector<QWidget*> chain;
    appendTabOrder({}, chain);
    for (size_t i = 1; i < chain.size(); ++i) QWidget::setTabOrder(chain[i - 1], chain[i]);
    // The first tab stop has the focus when the window first shows.
    const auto first = std::find_if(chain.begin(), chain.end(), [](const QWidget* widget) {
      return (widget->focusPolicy() & Qt::TabFocus) != 0;
    });
    if (first != chain.end()) (*first)->setFocus();
  }

  const FormDescription& form_;
  QWidget& window_;
  int ppi_;
  std::map<std::string, QWidget*> made_;
};

}  // namespace

void BuildForm(const FormDescription& form, QWidget& window, int ppi) {
  FormBuilder(form, window, ppi).build();
}

}  // namespace kelvado::qt
