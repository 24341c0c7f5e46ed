#include <gtest/gtest.h>

#include <QtTest/qtestspontaneevent.h>
#include <QAbstractItemView>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "form_spin_edit.h"
#include "form_test_support.h"
#include "indicator_buttons.h"
#include "settings/form_colors.h"
#include "settings/settings_record.h"
#include "settings_window.h"

namespace kelvado::qt {
namespace {

using test::FocusedName;

// The settings window, shown and active, bound to a record; every handler counts its calls.
class SettingsWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SettingsHandlers handlers;
    const auto count = [this](const char* name) { return [this, name] { ++calls[name]; }; };
    handlers.btSaveClick = count("btSaveClick");
    handlers.cbSerialNumChange = count("cbSerialNumChange");
    handlers.cbInvChange = count("cbInvChange");
    handlers.rgSerialClick = count("rgSerialClick");
    handlers.rgParallelClick = count("rgParallelClick");
    handlers.rgDTRClick = count("rgDTRClick");
    handlers.rgRTSClick = count("rgRTSClick");
    handlers.sbMixerReciveClick = count("sbMixerReciveClick");
    handlers.sbMixerPlayClick = count("sbMixerPlayClick");
    handlers.sbMixerRecClick = count("sbMixerRecClick");
    handlers.closeRequest = count("closeRequest");
    window.bind(record, handlers);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  }

  template <typename Widget>
  Widget& widget(const char* name) {
    auto* found = window.findChild<Widget*>(QString::fromLatin1(name));
    if (!found) throw std::runtime_error(name);
    return *found;
  }

  QLineEdit& comboEdit(const char* name) { return *widget<QComboBox>(name).lineEdit(); }

  // Tab from the save button round to it again, naming each stop.
  std::vector<std::string> tabChain() {
    widget<QPushButton>("btSave").setFocus();
    std::vector<std::string> stops;
    for (int i = 0; i < 20; ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      stops.push_back(FocusedName(SettingsForm()));
      if (stops.back() == "btSave") break;
    }
    return stops;
  }

  SettingsRecord record;
  SettingsWindow window;
  std::map<std::string, int> calls;
};

TEST_F(SettingsWindowTest, TabStopsAtListsSpinEditsTheSelectedOptionsAndTheSaveButton) {
  EXPECT_EQ(tabChain(),
            (std::vector<std::string>{"seAuto", "cbAdress", "cbSerialNum", "rgDTR", "rgSerial",
                                      "cbInv", "sePorog", "seBegin", "seEnd", "btSave"}));
  record.rgRTS.setSelected(true);
  record.rgParallel.setSelected(true);
  EXPECT_EQ(tabChain(),
            (std::vector<std::string>{"seAuto", "cbAdress", "cbSerialNum", "rgRTS", "rgParallel",
                                      "cbInv", "sePorog", "seBegin", "seEnd", "btSave"}));
}

TEST_F(SettingsWindowTest, ACheckBoxTakesTheFocusOnlyByAClickAndFollowsItsModel) {
  record.chAuto.setState(CheckState::Grayed);
  auto& box = widget<FormCheckBox>("chAuto");
  EXPECT_EQ(box.checkState(), Qt::PartiallyChecked);
  QTest::mouseClick(&box, Qt::LeftButton);
  EXPECT_EQ(FocusedName(SettingsForm()), "chAuto");
  EXPECT_EQ(record.chAuto.state(), CheckState::Checked);
  EXPECT_EQ(box.checkState(), Qt::Checked);
  QTest::keyClick(&box, Qt::Key_Space);
  EXPECT_EQ(record.chAuto.state(), CheckState::Unchecked);
  EXPECT_EQ(box.checkState(), Qt::Unchecked);
}

TEST_F(SettingsWindowTest, EachKeystrokeReachesTheModelAtOnce) {
  QLineEdit& address = comboEdit("cbAdress");
  address.setFocus();
  address.selectAll();
  QTest::keyClick(&address, '3');
  EXPECT_EQ(record.cbAdress.text(), "3");
  EXPECT_EQ(address.text(), QStringLiteral("3")) << "typing is not completed from the list";
  QTest::keyClicks(&address, "BC");
  EXPECT_EQ(record.cbAdress.text(), "3BC");
  EXPECT_EQ(record.parallelAddress(), 0x3BC);

  QLineEdit& serial = comboEdit("cbSerialNum");
  serial.setFocus();
  serial.end(false);
  QTest::keyClick(&serial, '2');
  EXPECT_EQ(record.cbSerialNum.text(), "COM 12");
  EXPECT_EQ(calls["cbSerialNumChange"], 1);

  auto& delay = widget<FormSpinEdit>("seAuto");
  delay.setFocus();
  delay.selectAll();
  QTest::keyClicks(&delay, "500");
  EXPECT_EQ(record.seAuto.text(), "500");
  EXPECT_EQ(record.repeatDelayMs(), 500'000) << "the read does not wait for the focus to move";
  EXPECT_EQ(calls.size(), 1u);
}

TEST_F(SettingsWindowTest, AModelChangeRefreshesTheWidgetsWithoutRunningAHandler) {
  record.cbSerialNum.setText("COM 3");
  record.rgParallel.setSelected(true);
  record.rgRTS.setSelected(true);
  record.seBegin.setValue(5000);
  record.chkBit8.setState(CheckState::Checked);

  EXPECT_EQ(widget<QComboBox>("cbSerialNum").currentText(), QStringLiteral("COM 3"));
  EXPECT_TRUE(widget<FormOptionButton>("rgParallel").isChecked());
  EXPECT_FALSE(widget<FormOptionButton>("rgSerial").isChecked());
  EXPECT_TRUE(widget<FormOptionButton>("rgRTS").isChecked());
  EXPECT_FALSE(widget<FormOptionButton>("rgDTR").isChecked());
  EXPECT_EQ(widget<FormSpinEdit>("seBegin").text(), QStringLiteral("1000"));
  EXPECT_EQ(widget<FormCheckBox>("chkBit8").checkState(), Qt::Checked);
  EXPECT_TRUE(calls.empty());
}

TEST_F(SettingsWindowTest, AnOptionClickRunsItsHandlerAlsoWhenAlreadySelected) {
  auto& serial = widget<FormOptionButton>("rgSerial");
  QTest::mouseClick(&serial, Qt::LeftButton);
  EXPECT_TRUE(record.rgSerial.selected());
  EXPECT_TRUE(serial.isChecked());
  EXPECT_EQ(calls["rgSerialClick"], 1);

  QTest::mouseClick(&widget<FormOptionButton>("rgParallel"), Qt::LeftButton);
  EXPECT_TRUE(record.rgParallel.selected());
  EXPECT_FALSE(record.rgSerial.selected());
  EXPECT_FALSE(serial.isChecked());
  EXPECT_EQ(calls["rgParallelClick"], 1);
  EXPECT_EQ(calls["rgSerialClick"], 1);
}

TEST_F(SettingsWindowTest, AListPickChangesTheTextAndRunsTheHandler) {
  auto& inversion = widget<QComboBox>("cbInv");
  inversion.setFocus();
  QTest::keyClick(&inversion, Qt::Key_Down);
  EXPECT_EQ(record.cbInv.text(), "Да");
  EXPECT_TRUE(record.inverted());
  EXPECT_EQ(calls["cbInvChange"], 1);
}

TEST_F(SettingsWindowTest, EnterAndEscPressTheSaveButtonFromEveryKindOfControl) {
  for (const char* name : {"cbAdress", "cbInv", "sePorog", "seAuto", "rgSerial", "chMixer"}) {
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
      SCOPED_TRACE(std::string(name) + " key " + std::to_string(key));
      calls.clear();
      auto* control = window.findChild<QWidget*>(QString::fromLatin1(name));
      control->setFocus();
      ASSERT_EQ(FocusedName(SettingsForm()), name);
      QTest::keyClick(QApplication::focusWidget(), key);
      EXPECT_EQ(calls, (std::map<std::string, int>{{"btSaveClick", 1}}));
    }
  }
}

TEST_F(SettingsWindowTest, AnOpenDropDownListKeepsEnterAndEscForItself) {
  auto& inversion = widget<QComboBox>("cbInv");
  inversion.setFocus();
  for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Return}) {
    inversion.showPopup();
    ASSERT_NE(QApplication::activePopupWidget(), nullptr);
    QTest::keyClick(inversion.view(), Qt::Key_Down);
    QTest::keyClick(inversion.view(), key);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
  }
  EXPECT_EQ(record.cbInv.text(), "Да");
  EXPECT_EQ(calls, (std::map<std::string, int>{{"cbInvChange", 1}}));
}

TEST_F(SettingsWindowTest, TheMixerButtonsRunTheirHandlersAndLeaveTheFocus) {
  auto& delay = widget<FormSpinEdit>("seAuto");
  delay.setFocus();
  QTest::mouseClick(&widget<QPushButton>("sbMixerPlay"), Qt::LeftButton);
  EXPECT_EQ(calls, (std::map<std::string, int>{{"sbMixerPlayClick", 1}}));
  EXPECT_EQ(FocusedName(SettingsForm()), "seAuto");
}

TEST_F(SettingsWindowTest, TheCloseBoxIsACloseRequestWhileTheProgramsOwnCloseCloses) {
  QCloseEvent closeBox;
  QSpontaneKeyEvent::setSpontaneous(&closeBox);
  QApplication::instance()->notify(&window, &closeBox);
  EXPECT_EQ(calls, (std::map<std::string, int>{{"closeRequest", 1}}));
  EXPECT_TRUE(window.isVisible()) << "the main form decides whether the window hides";

  EXPECT_TRUE(window.close());
  EXPECT_FALSE(window.isVisible());
  EXPECT_EQ(calls["closeRequest"], 1);
}

TEST_F(SettingsWindowTest, APlacementMovesTheFrameAndKeepsItsSizeAndVisibility) {
  FormWindow& form = window.formWindow();
  const QSize size = window.frameGeometry().size();
  WindowPlacement placement = form.placement();
  placement.normalPosition = {300, 200, 310, 210};
  placement.maxPosition = {-1, -1};
  window.hide();
  form.setPlacement(placement);
  EXPECT_FALSE(form.visible());
  window.show();
  EXPECT_EQ(window.frameGeometry().topLeft(), QPoint(300, 200));
  EXPECT_EQ(window.frameGeometry().size(), size);
  const WindowPlacement read = form.placement();
  EXPECT_EQ(read.normalPosition.left, 300);
  EXPECT_EQ(read.normalPosition.bottom, 200 + size.height());
  EXPECT_EQ(read.maxPosition.x, -1);
  EXPECT_EQ(form.left(), 300);
  EXPECT_EQ(form.width(), size.width());
}

TEST_F(SettingsWindowTest, TheFontAndColourAreKeptAsGivenAndShown) {
  FormWindow& form = window.formWindow();
  EXPECT_EQ(form.font(), (FormFont{"Arial", kClWindowText, false, false, false, false, 8}));
  EXPECT_EQ(form.color(), kClBtnFace);

  const FormFont large{"Courier New", StandardColor(0, 0, 128), true, false, false, false, 12};
  form.setFont(large);
  form.setColor(StandardColor(255, 255, 0));
  EXPECT_EQ(form.font(), large);
  EXPECT_EQ(form.color(), StandardColor(255, 255, 0));
  EXPECT_EQ(window.font().pixelSize(), 16);  // 12 points at 96 ppi
  EXPECT_TRUE(window.font().bold());
  EXPECT_EQ(window.palette().color(QPalette::Window), QColor(255, 255, 0));
  EXPECT_EQ(widget<QLabel>("Label1").palette().color(QPalette::WindowText), QColor(0, 0, 128));
  EXPECT_EQ(widget<QPushButton>("sbMixerRec").palette().color(QPalette::ButtonText),
            QColor(128, 0, 0))
      << "the mixer buttons keep their own colour";
  EXPECT_EQ(widget<QPushButton>("btSave").font().pixelSize(), 13) << "and the save button its font";
}

}  // namespace
}  // namespace kelvado::qt
