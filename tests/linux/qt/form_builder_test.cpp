#include <gtest/gtest.h>

#include <QLabel>
#include <QWidget>

#include "dialogs/dialog_descriptions.h"
#include "form_builder.h"
#include "form_metrics.h"
#include "settings/form_description.h"

namespace kelvado::qt {
namespace {

struct Layout {
  const char* form;
  const FormDescription& (*describe)();
  int ppi;
};

class FormLayoutTest : public ::testing::TestWithParam<Layout> {};

// Every widget lies in its described parent at its described place, scaled corner by corner;
// widgets without a size sit at their place with a size of their own.
TEST_P(FormLayoutTest, WidgetsSitAtTheirScaledPlaces) {
  const FormDescription& form = GetParam().describe();
  const int ppi = GetParam().ppi;
  QWidget window;
  BuildForm(form, window, ppi);

  EXPECT_EQ(window.size(),
            QSize(ScaleToScreen(form.clientWidth, ppi), ScaleToScreen(form.clientHeight, ppi)));
  EXPECT_EQ(window.minimumSize(), window.maximumSize()) << "the window must not be resizable";
  for (const WidgetDescription& described : form.widgets) {
    SCOPED_TRACE(described.name);
    const auto* widget = window.findChild<QWidget*>(QString::fromStdString(described.name));
    ASSERT_NE(widget, nullptr);
    const std::string parent = described.parent.empty() ? form.name : described.parent;
    EXPECT_EQ(widget->parentWidget()->objectName().toStdString(), parent);
    const QPoint topLeft(ScaleToScreen(described.left, ppi), ScaleToScreen(described.top, ppi));
    if (described.width == 0) {
      EXPECT_EQ(widget->pos(), topLeft);
      EXPECT_GT(widget->width(), 0);
      continue;
    }
    const QPoint bottomRight(ScaleToScreen(described.left + described.width, ppi),
                             ScaleToScreen(described.top + described.height, ppi));
    EXPECT_EQ(widget->geometry(), QRect(topLeft, bottomRight - QPoint(1, 1)));
  }
}

INSTANTIATE_TEST_SUITE_P(
    FormsAndScreens, FormLayoutTest,
    ::testing::Values(Layout{"Settings", SettingsForm, 96}, Layout{"Settings", SettingsForm, 120},
                      Layout{"Settings", SettingsForm, 144}, Layout{"About", AboutDialog, 120},
                      Layout{"Confirm", ConfirmDialog, 144}),
    [](const auto& instance) {
      return std::string(instance.param.form) + std::to_string(instance.param.ppi);
    });

TEST(FormBuilderTest, CaptionsTakeTheirLineBreaksAndFontsScale) {
  QWidget window;
  BuildForm(AboutDialog(), window, 120);
  const auto* heading = window.findChild<QLabel*>(QStringLiteral("RxLabel1"));
  ASSERT_NE(heading, nullptr);
  EXPECT_EQ(heading->text(), QStringLiteral("Кельвадо\nрадиолюбителя - v2.02"));
  EXPECT_EQ(heading->font().pixelSize(), 20);  // 16 pixels at 96 ppi
  EXPECT_TRUE(heading->font().bold());
  EXPECT_EQ(window.font().pixelSize(), 14);  // 11 pixels at 96 ppi, rounded
  EXPECT_EQ(window.windowTitle(), QStringLiteral("О программе ..."));
}

}  // namespace
}  // namespace kelvado::qt
