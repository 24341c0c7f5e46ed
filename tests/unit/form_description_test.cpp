#include <gtest/gtest.h>

#include <set>

#include "dialogs/dialog_descriptions.h"
#include "settings/form_description.h"
#include "settings/settings_record.h"

namespace kelvado {
namespace {

// Every widget lies inside its parent, and every parent exists.
void ExpectContained(const FormDescription& form) {
  for (const WidgetDescription& w : form.widgets) {
    int width = form.clientWidth, height = form.clientHeight;
    if (!w.parent.empty()) {
      const WidgetDescription* parent = form.find(w.parent);
      ASSERT_TRUE(parent) << w.name;
      EXPECT_EQ(parent->kind, WidgetKind::GroupBox) << w.name;
      width = parent->width;
      height = parent->height;
    }
    EXPECT_GE(w.left, 0) << form.name << "." << w.name;
    EXPECT_GE(w.top, 0) << form.name << "." << w.name;
    EXPECT_LE(w.left + w.width, width) << form.name << "." << w.name;
    EXPECT_LE(w.top + w.height, height) << form.name << "." << w.name;
  }
}

TEST(FormDescriptions, WidgetsLieInsideTheirParents) {
  ExpectContained(SettingsForm());
  ExpectContained(AboutDialog());
  ExpectContained(ConfirmDialog());
}

TEST(FormDescriptions, EverySettingHasItsWidgetOfTheRightKind) {
  SettingsRecord settings;
  const FormDescription& form = SettingsForm();
  for (Control* control : settings.controls()) {
    const WidgetDescription* w = form.find(control->name());
    ASSERT_TRUE(w) << control->name();
    WidgetKind expected = WidgetKind::CheckBox;
    if (dynamic_cast<ComboBox*>(control)) expected = WidgetKind::ComboBox;
    if (dynamic_cast<SpinEdit*>(control)) expected = WidgetKind::SpinEdit;
    if (dynamic_cast<OptionButton*>(control)) expected = WidgetKind::OptionButton;
    EXPECT_EQ(w->kind, expected) << control->name();
    if (auto* combo = dynamic_cast<ComboBox*>(control)) {
      EXPECT_EQ(w->items, combo->items()) << control->name();
    }
  }
}

TEST(FormDescriptions, TabStopsAreTheListsSpinEditsOptionsAndSaveButton) {
  std::set<std::string> stops;
  for (const WidgetDescription& w : SettingsForm().widgets) {
    if (w.tabStop != TabStop::Never) stops.insert(w.name);
    if (w.kind == WidgetKind::OptionButton) {
      EXPECT_EQ(w.tabStop, TabStop::WhileSelected) << w.name;
    }
  }
  EXPECT_EQ(stops, (std::set<std::string>{"cbAdress", "cbSerialNum", "rgDTR", "rgRTS", "rgSerial",
                                          "rgParallel", "cbInv", "sePorog", "seBegin", "seEnd",
                                          "seAuto", "btSave"}));
  // Sibling tab orders are unique.
  std::set<std::pair<std::string, int>> orders;
  for (const WidgetDescription& w : SettingsForm().widgets) {
    if (w.tabOrder >= 0) {
      EXPECT_TRUE(orders.insert({w.parent, w.tabOrder}).second) << w.name;
    }
  }
}

TEST(FormDescriptions, DialogButtonsCarryTheirModalResults) {
  EXPECT_EQ(ConfirmDialog().find(ConfirmDialog().defaultButton)->modalResult, 6);
  EXPECT_EQ(ConfirmDialog().find(ConfirmDialog().cancelButton)->modalResult, 2);
  EXPECT_EQ(AboutDialog().find(AboutDialog().defaultButton)->modalResult, 1);
  EXPECT_EQ(AboutDialog().defaultButton, AboutDialog().cancelButton);
  EXPECT_EQ(SettingsForm().defaultButton, "btSave");
  EXPECT_EQ(SettingsForm().cancelButton, "btSave");
}

}  // namespace
}  // namespace kelvado
