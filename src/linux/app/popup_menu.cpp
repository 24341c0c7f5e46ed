#include "popup_menu.h"

#include <QAction>
#include <QIcon>
#include <QString>

#include "artwork.h"

namespace kelvado::qt {
namespace {

// An entry without an image shows its check mark as its image, in the same column.
QIcon EntryIcon(const MenuEntry& entry) {
  if (entry.image >= 0) return MenuImage(entry.image);
  return entry.checked ? MenuCheckMark() : QIcon();
}

// A tab in an action's text shows what follows it as the shortcut, at the right, without
// binding the key: the global keys act instead.
QString ActionText(const MenuEntry& entry) {
  QString text = QString::fromStdString(entry.caption);
  if (!entry.shortcut.empty()) text += u'\t' + QString::fromStdString(entry.shortcut);
  return text;
}

void Apply(QAction& action, const MenuEntry& entry) {
  action.setText(ActionText(entry));
  action.setIcon(EntryIcon(entry));
  action.setEnabled(entry.enabled);
}

}  // namespace

PopupMenu::PopupMenu(std::function<void(int entry)> on_choose) : on_choose_(std::move(on_choose)) {}

void PopupMenu::setEntries(const std::vector<MenuEntry>& entries) {
  if (!sameShape(entries)) {
    rebuild(entries);
    return;
  }
  const QList<QAction*> actions = menu_.actions();
  for (std::size_t i = 0; i < entries.size(); ++i)
    if (!entries[i].separator()) Apply(*actions[static_cast<qsizetype>(i)], entries[i]);
}

void PopupMenu::popup(QPoint top_left) {
  menu_.popup(top_left);
}

bool PopupMenu::sameShape(const std::vector<MenuEntry>& entries) const {
  const QList<QAction*> actions = menu_.actions();
  if (static_cast<std::size_t>(actions.size()) != entries.size()) return false;
  for (std::size_t i = 0; i < entries.size(); ++i)
    if (actions[static_cast<qsizetype>(i)]->isSeparator() != entries[i].separator()) return false;
  return true;
}

void PopupMenu::rebuild(const std::vector<MenuEntry>& entries) {
  menu_.clear();
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (entries[i].separator()) {
      menu_.addSeparator();
      continue;
    }
    QAction* action = menu_.addAction(QString());
    Apply(*action, entries[i]);
    const int index = static_cast<int>(i);
    QObject::connect(action, &QAction::triggered, &menu_, [this, index] { on_choose_(index); });
  }
}

}  // namespace kelvado::qt
