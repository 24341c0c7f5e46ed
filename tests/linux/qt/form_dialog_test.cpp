#include <gtest/gtest.h>

#include <QApplication>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <functional>

#include "dialogs/dialog_descriptions.h"
#include "form_dialog.h"
#include "phrases/phrase_controller.h"

namespace kelvado::qt {
namespace {

// Runs `act` on the modal dialog once its modal wait has begun.
void WhenModal(std::function<void(QWidget&)> act) {
  QTimer::singleShot(0, [act = std::move(act)] {
    QWidget* dialog = QApplication::activeModalWidget();
    ASSERT_NE(dialog, nullptr);
    dialog->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
    act(*dialog);
  });
}

void Press(QWidget& dialog, Qt::Key key) {
  QWidget* focused = QApplication::focusWidget();
  QTest::keyClick(focused ? focused : &dialog, key);
}

enum class Answer { Enter, Esc, CloseBox, TabThenEnter };

struct Case {
  const char* name;
  const FormDescription& (*describe)();
  Answer answer;
  int result;
};

class FormDialogTest : public ::testing::TestWithParam<Case> {};

TEST_P(FormDialogTest, GivesTheResultOfTheOperatorsAnswer) {
  FormDialog dialog(GetParam().describe());
  WhenModal([answer = GetParam().answer](QWidget& modal) {
    switch (answer) {
      case Answer::Enter:
        return Press(modal, Qt::Key_Return);
      case Answer::Esc:
        return Press(modal, Qt::Key_Escape);
      case Answer::CloseBox:
        modal.close();
        return;
      case Answer::TabThenEnter:
        Press(modal, Qt::Key_Tab);
        return Press(modal, Qt::Key_Return);
    }
  });
  EXPECT_EQ(dialog.exec(), GetParam().result);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, FormDialogTest,
    ::testing::Values(Case{"ConfirmEnter", ConfirmDialog, Answer::Enter, kModalYes},
                      Case{"ConfirmEsc", ConfirmDialog, Answer::Esc, kModalCancel},
                      Case{"ConfirmCloseBox", ConfirmDialog, Answer::CloseBox, kModalCancel},
                      Case{"ConfirmEnterOnCancel", ConfirmDialog, Answer::TabThenEnter,
                           kModalCancel},
                      Case{"AboutEnter", AboutDialog, Answer::Enter, kModalOk},
                      Case{"AboutEsc", AboutDialog, Answer::Esc, kModalOk},
                      Case{"AboutCloseBox", AboutDialog, Answer::CloseBox, kModalCancel}),
    [](const auto& instance) { return std::string(instance.param.name); });

TEST(RunDialogTest, ASecondRequestOpensItsOwnDialogAndEachGetsItsOwnAnswer) {
  int inner = -1;
  WhenModal([&inner](QWidget& outer) {
    const QPointer<QWidget> first(&outer);
    WhenModal([first](QWidget& second) {
      EXPECT_NE(&second, first.data());
      Press(second, Qt::Key_Return);
    });
    inner = RunConfirmDialog();
    ASSERT_TRUE(first) << "the first dialog outlives the second";
    Press(*first, Qt::Key_Escape);
  });
  const int outer = RunConfirmDialog();
  EXPECT_EQ(inner, kModalYes);
  EXPECT_EQ(outer, kModalCancel);
  for (QWidget* window : QApplication::topLevelWidgets())
    EXPECT_NE(window->objectName(), QStringLiteral("fmConfirm")) << "each dialog is destroyed";
}

TEST(RunDialogTest, TheAboutDialogEndsWithItsButton) {
  WhenModal([](QWidget& about) { Press(about, Qt::Key_Return); });
  RunAboutDialog();
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

}  // namespace
}  // namespace kelvado::qt
