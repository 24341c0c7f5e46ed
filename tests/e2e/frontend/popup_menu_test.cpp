#include <gtest/gtest.h>
#include <QAction>
#include <QGuiApplication>
#include <QScreen>
#include <optional>
#include <string>
#include <vector>

#include "frontend_session.h"
#include "popup_menu.h"
#include "support/x_tools.h"
#include "x11_global_keys.h"

namespace kelvado::e2e {
namespace {

constexpr int kLeft = 1, kRight = 3;

int IndexOf(const std::vector<MenuEntry>& entries, const std::string& name) {
  for (std::size_t i = 0; i < entries.size(); ++i)
    if (entries[i].name == name) return static_cast<int>(i);
  return -1;
}

class PopupMenuTest : public testing::Test {
 protected:
  void SetUp() override { menu_.setEntries(model_.entries()); }

  void open(QPoint top_left = {100, 100}) {
    menu_.popup(top_left);
    ASSERT_TRUE(ProcessEventsUntil([&] { return menu_.menu().isVisible(); }));
  }

  QAction* action(const std::string& name) {
    return menu_.menu().actions().at(IndexOf(model_.entries(), name));
  }

  void clickOn(const std::string& name, int button) {
    const QRect area = menu_.menu().actionGeometry(action(name));
    const QPoint centre = menu_.menu().mapToGlobal(area.center());
    Click(Display(), centre.x(), centre.y(), button);
  }

  kelvado::PopupMenu model_;
  std::vector<int> chosen_;
  std::function<void()> after_choice_;
  qt::PopupMenu menu_{[this](int entry) {
    chosen_.push_back(entry);
    if (after_choice_) after_choice_();
  }};
};

TEST_F(PopupMenuTest, ShowsCoresEntriesWithShortcutsAtTheRightAndTheirImages) {
  const std::vector<MenuEntry>& entries = model_.entries();
  const QList<QAction*> actions = menu_.menu().actions();
  ASSERT_EQ(static_cast<std::size_t>(actions.size()), entries.size());
  for (std::size_t i = 0; i < entries.size(); ++i) {
    SCOPED_TRACE(entries[i].name);
    const QAction& shown = *actions[static_cast<qsizetype>(i)];
    EXPECT_EQ(shown.isSeparator(), entries[i].separator());
    if (entries[i].separator()) continue;
    const QStringList parts = shown.text().split(u'\t');
    EXPECT_EQ(parts.value(0).toStdString(), entries[i].caption);
    EXPECT_EQ(parts.value(1).toStdString(), entries[i].shortcut);
    EXPECT_TRUE(shown.shortcut().isEmpty()) << "the keys act only as global keys";
    EXPECT_EQ(!shown.icon().isNull(), entries[i].image >= 0 || entries[i].checked);
  }
}

TEST_F(PopupMenuTest, OnOffEntryShowsItsCheckMarkInTheImageColumn) {
  EXPECT_FALSE(action("mnOnOff")->icon().isNull());
  EXPECT_FALSE(action("mnOnOff")->isCheckable()) << "no separate check-mark column";
  model_.entry("mnOnOff").checked = false;
  menu_.setEntries(model_.entries());
  EXPECT_TRUE(action("mnOnOff")->icon().isNull());
}

TEST_F(PopupMenuTest, EitherMouseButtonChoosesAnEntry) {
  for (const auto& [name, button] : {std::pair{"mnF9", kLeft}, std::pair{"mnF2", kRight}}) {
    SCOPED_TRACE(name);
    open();
    clickOn(name, button);
    ASSERT_TRUE(ProcessEventsUntil([&] { return !chosen_.empty(); }));
    EXPECT_EQ(chosen_, std::vector{IndexOf(model_.entries(), name)});
    EXPECT_FALSE(menu_.menu().isVisible());
    chosen_.clear();
  }
}

TEST_F(PopupMenuTest, EntriesChangedByAChoiceOrWhileOpenActAtOnce) {
  after_choice_ = [this] {  // as the on/off switch does
    for (const char* name :
         {"mnF1", "mnF2", "mnF3", "mnF4", "mnF5", "mnF6", "mnF7", "mnF8", "mnF9"})
      model_.entry(name).enabled = false;
    model_.entry("mnOnOff").checked = false;
    menu_.setEntries(model_.entries());
  };
  open();
  clickOn("mnOnOff", kLeft);
  ASSERT_TRUE(ProcessEventsUntil([&] { return !chosen_.empty(); }));
  EXPECT_FALSE(action("mnF1")->isEnabled());
  EXPECT_TRUE(action("mnOnOff")->icon().isNull());

  after_choice_ = nullptr;
  chosen_.clear();
  open();
  clickOn("mnF1", kLeft);  // greyed: chooses nothing and leaves the menu open
  clickOn("mnAbout", kLeft);
  ASSERT_TRUE(ProcessEventsUntil([&] { return !chosen_.empty(); }));
  EXPECT_EQ(chosen_, std::vector{IndexOf(model_.entries(), "mnAbout")});

  chosen_.clear();
  open();
  model_.entry("mnF1").enabled = true;
  menu_.setEntries(model_.entries());
  clickOn("mnF1", kLeft);
  ASSERT_TRUE(ProcessEventsUntil([&] { return !chosen_.empty(); }));
  EXPECT_EQ(chosen_, std::vector{IndexOf(model_.entries(), "mnF1")});
}

TEST_F(PopupMenuTest, OpensAtTheCornerAskedOrMovedOntoTheScreen) {
  open({100, 120});
  EXPECT_EQ(menu_.menu().geometry().topLeft(), QPoint(100, 120));
  menu_.menu().hide();

  open({1000, 750});
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  EXPECT_TRUE(screen.contains(menu_.menu().frameGeometry()));
}

TEST_F(PopupMenuTest, GlobalKeysActWhileTheMenuIsOpen) {
  std::vector<int> keys;
  qt::X11GlobalKeys global_keys([&](int id) { keys.push_back(id); });
  ASSERT_TRUE(global_keys.registerKey(0, 0x70));
  open();
  PressKeys(Display(), {"F1"});
  EXPECT_TRUE(ProcessEventsUntil([&] { return keys == std::vector{0}; }));
}

}  // namespace
}  // namespace kelvado::e2e
