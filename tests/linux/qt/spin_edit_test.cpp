#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QTest>
#include <QVBoxLayout>

#include "control_bindings.h"
#include "form_spin_edit.h"
#include "settings/controls.h"

namespace kelvado::qt {
namespace {

// A spin edit bound to a model with the range of seBegin (100 to 1000, step 100), and a
// second field to take the focus.
class SpinEditTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(edit);
    layout->addWidget(other);
    other->setFocusPolicy(Qt::StrongFocus);
    BindSpinEdit(*edit, model, window);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    edit->setFocus();
  }

  void type(const char* text) {
    edit->selectAll();
    QTest::keyClicks(edit, text);
  }

  SpinEdit model{"seBegin", 100, 1000, 100, 200};
  QWidget window;
  FormSpinEdit* edit = new FormSpinEdit(&window);
  QWidget* other = new QWidget(&window);
};

TEST_F(SpinEditTest, TypingKeepsOnlyTheAcceptedCharacters) {
  type("1a2,x-+.3");
  EXPECT_EQ(edit->text(), QStringLiteral("12,-+.3"));
  EXPECT_EQ(model.text(), "12,-+.3");
  EXPECT_EQ(model.Value(), 100) << "not an integer: the minimum";
}

TEST_F(SpinEditTest, PastingIsNotFiltered) {
  QApplication::clipboard()->setText(QStringLiteral("$1F"));
  edit->selectAll();
  QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(model.text(), "$1F");
  EXPECT_EQ(model.Value(), 0x1F);
}

struct Step {
  const char* start;
  Qt::Key key;
  const char* after;
};

TEST_F(SpinEditTest, ArrowKeysStepAndClampToTheRange) {
  for (const Step& step : {Step{"1000", Qt::Key_Up, "1000"}, Step{"1000", Qt::Key_Down, "900"},
                           Step{"100", Qt::Key_Down, "100"}, Step{"250", Qt::Key_Up, "350"},
                           Step{"1,5", Qt::Key_Up, "200"}, Step{"5000", Qt::Key_Down, "1000"}}) {
    SCOPED_TRACE(std::string(step.start) + (step.key == Qt::Key_Up ? " up" : " down"));
    type(step.start);
    QTest::keyClick(edit, step.key);
    EXPECT_EQ(model.text(), step.after);
    EXPECT_EQ(edit->text(), QString::fromLatin1(step.after));
  }
}

TEST_F(SpinEditTest, TheArrowButtonsStep) {
  type("500");
  QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(edit->width() - 4, edit->height() / 4));
  EXPECT_EQ(model.text(), "600");
  QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(edit->width() - 4, edit->height() * 3 / 4));
  EXPECT_EQ(model.text(), "500");
}

TEST_F(SpinEditTest, LosingTheFocusClampsAnIntegerAndLeavesOtherText) {
  for (const auto& [typed, kept] : {std::pair{"5000", "1000"}, std::pair{"7", "100"},
                                    std::pair{"300", "300"}, std::pair{"1,5", "1,5"}}) {
    SCOPED_TRACE(typed);
    edit->setFocus();
    type(typed);
    EXPECT_EQ(model.text(), typed) << "unclamped until the focus moves";
    other->setFocus();
    EXPECT_EQ(model.text(), kept);
    EXPECT_EQ(edit->text(), QString::fromLatin1(kept));
  }
}

}  // namespace
}  // namespace kelvado::qt
