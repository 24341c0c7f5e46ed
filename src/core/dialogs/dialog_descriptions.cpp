#include "dialogs/dialog_descriptions.h"

#include "phrases/phrase_controller.h"

namespace kelvado {

namespace {

WidgetDescription Item(WidgetKind kind, std::string name, int l, int t, int w, int h,
                       std::string caption = {}) {
  return DescribeWidget(kind, std::move(name), {}, l, t, w, h, std::move(caption));
}

WidgetDescription DialogButton(std::string name, int l, int t, int w, int h, std::string caption,
                               int result, int tab) {
  WidgetDescription d = Item(WidgetKind::Button, std::move(name), l, t, w, h, std::move(caption));
  d.modalResult = result;
  d.tabOrder = tab;
  d.tabStop = TabStop::Always;
  return d;
}

WidgetDescription CentredText(std::string name, int l, int t, int w, int h, std::string text) {
  WidgetDescription d = Item(WidgetKind::Label, std::move(name), l, t, w, h, std::move(text));
  d.centred = true;
  d.wordWrap = true;
  return d;
}

FormDescription BuildAbout() {
  FormDescription f;
  f.name = "fmAbout";
  f.caption = "О программе ...";
  f.border = BorderStyle::ToolWindow;
  f.clientWidth = 272;
  f.clientHeight = 180;
  f.screenCentre = true;
  f.font = {"Arial", -11, false, true};
  f.defaultButton = f.cancelButton = "Button1";
  auto& w = f.widgets;
  w.push_back(Item(WidgetKind::Image, "Image1", 12, 4, 33, 33, "about"));
  WidgetDescription heading =
      CentredText("RxLabel1", 56, 4, 212, 36, "Кельвадо\r\nрадиолюбителя - v2.02");
  heading.font = {"Courier New", -16, true, true};
  heading.shadow = true;
  w.push_back(heading);
  w.push_back(Item(WidgetKind::Bevel, "Bevel1", 8, 44, 257, 5));
  w.push_back(CentredText("Label1", 8, 52, 257, 89,
                          "Программа оперативной записи-\r\nвоспроизведения 4-х фраз "
                          "неограниченной\r\nдлины. Автоматическое управление\r\nприемом-"
                          "передачей, удаление тишины,\r\nавтоповтор. Удобно для "
                          "соревнований\r\nв сочетании с аппаратным журналом."));
  w.push_back(Item(WidgetKind::Bevel, "Bevel2", 8, 140, 257, 5));
  w.push_back(CentredText("Label2", 8, 148, 158, 28, "Свободная программа\r\nдля Linux и Windows"));
  WidgetDescription close = DialogButton("Button1", 184, 148, 83, 25, "Закрыть", kModalOk, 0);
  close.font = {"Arial", -12, true, true};
  w.push_back(close);
  return f;
}

FormDescription BuildConfirm() {
  FormDescription f;
  f.name = "fmConfirm";
  f.caption = "Вы уверены?";
  f.border = BorderStyle::ToolWindow;
  f.clientWidth = 236;
  f.clientHeight = 51;
  f.screenCentre = true;
  f.font = {"MS Sans Serif", -11, false, false};
  f.defaultButton = "BitBtn1";
  f.cancelButton = "BitBtn2";
  auto& w = f.widgets;
  w.push_back(Item(WidgetKind::Image, "Image1", 8, 8, 32, 32, "confirm"));
  w.push_back(
      Item(WidgetKind::Label, "Label1", 52, 4, 174, 13, "Нажмите \"ДА\" для начала записи"));
  w.push_back(DialogButton("BitBtn1", 52, 20, 75, 25, "ДА", kModalYes, 0));
  w.push_back(DialogButton("BitBtn2", 152, 20, 75, 25, "Отмена", kModalCancel, 1));
  return f;
}

}  // namespace

const FormDescription& AboutDialog() {
  static const FormDescription form = BuildAbout();
  return form;
}

const FormDescription& ConfirmDialog() {
  static const FormDescription form = BuildConfirm();
  return form;
}

}  // namespace kelvado
