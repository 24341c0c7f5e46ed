#include "settings/form_description.h"

namespace kelvado {

namespace {

WidgetDescription Group(std::string name, std::string caption, int l, int t, int w, int h,
                        int tab) {
  WidgetDescription d =
      DescribeWidget(WidgetKind::GroupBox, std::move(name), {}, l, t, w, h, std::move(caption));
  d.tabOrder = tab;
  return d;
}

WidgetDescription Widget(WidgetKind kind, std::string name, std::string parent, int l, int t, int w,
                         int h, std::string caption = {}, int tab = -1,
                         TabStop stop = TabStop::Never) {
  WidgetDescription d =
      DescribeWidget(kind, std::move(name), std::move(parent), l, t, w, h, std::move(caption));
  d.tabOrder = tab;
  d.tabStop = stop;
  return d;
}

WidgetDescription Label(std::string name, std::string parent, int l, int t, std::string text) {
  return Widget(WidgetKind::Label, std::move(name), std::move(parent), l, t, 0, 0, std::move(text));
}

WidgetDescription Spin(std::string name, std::string parent, int l, int t, int w, int h, int tab,
                       std::string hint) {
  WidgetDescription d = Widget(WidgetKind::SpinEdit, std::move(name), std::move(parent), l, t, w, h,
                               {}, tab, TabStop::Always);
  d.hint = std::move(hint);
  return d;
}

WidgetDescription Combo(std::string name, std::string parent, int l, int t, int w, int h, int tab,
                        std::vector<std::string> items) {
  WidgetDescription d = Widget(WidgetKind::ComboBox, std::move(name), std::move(parent), l, t, w, h,
                               {}, tab, TabStop::Always);
  d.items = std::move(items);
  return d;
}

WidgetDescription Option(std::string name, std::string parent, int l, int t, int w,
                         std::string caption, int tab) {
  return Widget(WidgetKind::OptionButton, std::move(name), std::move(parent), l, t, w, 17,
                std::move(caption), tab, TabStop::WhileSelected);
}

WidgetDescription Check(std::string name, std::string parent, int l, int t, int w,
                        std::string caption, int tab) {
  return Widget(WidgetKind::CheckBox, std::move(name), std::move(parent), l, t, w, 17,
                std::move(caption), tab);
}

// Flat buttons: a click never takes the focus from the field being edited.
WidgetDescription MixerButton(std::string name, int top, std::string caption) {
  WidgetDescription d =
      Widget(WidgetKind::Button, std::move(name), "DsGroup5", 8, top, 213, 25, std::move(caption));
  d.textColor = kMaroon;
  return d;
}

FormDescription BuildSettingsForm() {
  FormDescription f;
  f.name = "fmMain";
  f.caption = "Настройки";
  f.clientWidth = 473;
  f.clientHeight = 353;
  f.left = 263;
  f.top = 170;
  f.font = {"Arial", -11, false, true};
  f.defaultButton = f.cancelButton = "btSave";
  auto& w = f.widgets;

  w.push_back(Group("DsGroup4", "Автоматическое обрезание тишины", 4, 0, 235, 105, 3));
  w.push_back(Check("chAuto", "DsGroup4", 12, 24, 209, "Задействовать обрезание тишины", 0));
  w.push_back(Label("Label5", "DsGroup4", 112, 40, "Оставлять края"));
  w.push_back(Label("Label4", "DsGroup4", 24, 56, "порог"));
  w.push_back(Label("Label6", "DsGroup4", 91, 56, "от начала"));
  w.push_back(Label("Label7", "DsGroup4", 168, 56, "от конца"));
  w.push_back(Widget(WidgetKind::RuledLine, "Shape1", "DsGroup4", 16, 56, 201, 1));
  w.push_back(Widget(WidgetKind::RuledLine, "Shape2", "DsGroup4", 76, 44, 1, 53));
  w.push_back(Widget(WidgetKind::RuledLine, "Shape3", "DsGroup4", 152, 56, 1, 41));
  w.push_back(
      Spin("sePorog", "DsGroup4", 16, 72, 49, 23, 1, "Порог определения наличия сигнала, 1-255"));
  w.push_back(Spin("seBegin", "DsGroup4", 92, 72, 49, 23, 2, "Сколько оставить от начала, мс"));
  w.push_back(Spin("seEnd", "DsGroup4", 168, 72, 49, 23, 3, "Сколько оставить от конца, мс"));

  w.push_back(Group("DsGroup2", "Параллельный порт", 4, 104, 235, 73, 0));
  for (int bit = 0; bit < 8; ++bit) {
    WidgetDescription box = Check("chkBit" + std::to_string(bit + 1), "DsGroup2", 8 + 28 * bit, 20,
                                  bit == 7 ? 25 : 33, std::to_string(bit), bit);
    box.flat = true;
    w.push_back(box);
  }
  w.push_back(Label("Label1", "DsGroup2", 16, 48, "Адрес параллельного порта:"));
  w.push_back(Combo("cbAdress", "DsGroup2", 168, 44, 49, 22, 8, {"378", "278"}));

  w.push_back(Group("DsGroup3", "Последовательный порт", 4, 176, 235, 52, 1));
  w.push_back(Label("Label3", "DsGroup3", 8, 24, "Номер:"));
  w.push_back(
      Combo("cbSerialNum", "DsGroup3", 52, 20, 61, 22, 0, {"COM 1", "COM 2", "COM 3", "COM 4"}));
  w.push_back(Option("rgDTR", "DsGroup3", 128, 24, 45, "DTR", 1));
  w.push_back(Option("rgRTS", "DsGroup3", 176, 24, 45, "RTS", 2));

  w.push_back(Group("DsGroup1", "Выбор типа порта управления PTT", 4, 228, 235, 89, 2));
  w.push_back(Option("rgSerial", "DsGroup1", 8, 28, 121, "Последовательный", 0));
  w.push_back(Option("rgParallel", "DsGroup1", 132, 28, 97, "Параллельный", 1));
  w.push_back(Label("Label2", "DsGroup1", 20, 54, "Инверсия сигнала PTT:"));
  WidgetDescription inv = Combo("cbInv", "DsGroup1", 148, 50, 53, 22, 2, {"Нет", "Да"});
  inv.flat = true;
  w.push_back(inv);

  w.push_back(Group("DsGroup5", "Микшер звуковой платы", 240, 0, 229, 229, 4));
  WidgetDescription note = Widget(
      WidgetKind::Label, "Label8", "DsGroup5", 4, 16, 217, 98,
      "Здесь можно запомнить установки\r\nмикшера звуковой карты раздельно\r\nна время "
      "воспроизведения и записи.\r\nДля изменения установок пользуйтесь\r\nмикшером из "
      "комплекта WINDOWS.\r\nЧтобы запомнить настройки, используйте\r\nкнопки, расположенные "
      "ниже.");
  note.centred = true;
  note.wordWrap = true;
  w.push_back(note);
  w.push_back(MixerButton("sbMixerRecive", 116, "Запомнить как установки при приеме"));
  w.push_back(MixerButton("sbMixerPlay", 144, "Запомнить как установки при передаче"));
  w.push_back(MixerButton("sbMixerRec", 172, "Запомнить как установки при записи"));
  w.push_back(Check("chMixer", "DsGroup5", 8, 204, 213, "Использовать управление микшером", 0));

  w.push_back(Group("DsGroup6", "Настройки автоповтора", 240, 228, 229, 89, 7));
  w.push_back(Check("chAutoRepeat", "DsGroup6", 8, 16, 177, "Автоповтор последней фразы", 0));
  w.push_back(Label("Label9", "DsGroup6", 8, 40, "Задержка перед автоповтором:"));
  w.push_back(Spin("seAuto", "DsGroup6", 176, 35, 45, 23, 1, "Время в секундах"));
  w.push_back(Check("chConfRecord", "DsGroup6", 8, 64, 185, "Подтверждение начала записи", 2));

  WidgetDescription save = Widget(WidgetKind::Button, "btSave", "", 4, 320, 465, 29,
                                  "Запомнить настройки", 5, TabStop::Always);
  save.font = {"Arial", -13, true, true};
  w.push_back(save);
  return f;
}

}  // namespace

const FormDescription& SettingsForm() {
  static const FormDescription form = BuildSettingsForm();
  return form;
}

}  // namespace kelvado
