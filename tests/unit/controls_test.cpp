#include <gtest/gtest.h>

#include "common/error.h"
#include "common/integer_text.h"
#include "settings/settings_record.h"

namespace kelvado {
namespace {

TEST(IntegerText, ConvertsAsTheSettingsReadIt) {
  struct Case {
    const char* text;
    std::optional<int32_t> value;
  } cases[] = {
      {"200", 200},
      {"-5", -5},
      {"+7", 7},
      {"$378", 0x378},
      {"$3bc", 0x3BC},
      {"$FFFFFFFF", -1},
      {"2147483647", INT32_MAX},
      {"", std::nullopt},
      {"$", std::nullopt},
      {"12a", std::nullopt},
      {" 5", std::nullopt},
      {"5 ", std::nullopt},
      {"2147483648", std::nullopt},
      {"$100000000", std::nullopt},
      {"1.5", std::nullopt},
      {"$-5", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseInteger(c.text), c.value) << c.text;
}

TEST(SpinEdit, ReadsMinimumForNonIntegerAndNeverClamps) {
  SettingsRecord s;
  s.sePorog.setText("");
  EXPECT_EQ(s.sePorog.Value(), 1);
  EXPECT_EQ(s.trimThreshold(), 128);
  s.seBegin.setText("abc");
  EXPECT_EQ(s.seBegin.Value(), 100);
  s.seAuto.setText("500");
  EXPECT_EQ(s.seAuto.Value(), 500);  // read before the focus moves on
  s.seAuto.focusLost();
  EXPECT_EQ(s.seAuto.text(), "120");
  s.seEnd.setText("$12C");  // pasted hexadecimal
  EXPECT_EQ(s.seEnd.Value(), 300);
  s.seEnd.setText("x");
  s.seEnd.focusLost();
  EXPECT_EQ(s.seEnd.text(), "x");  // not an integer: left as typed
}

TEST(SpinEdit, ArrowsStepAndClamp) {
  SettingsRecord s;
  s.seBegin.setValue(1000);
  s.seBegin.stepUp();
  EXPECT_EQ(s.seBegin.Value(), 1000);
  s.seBegin.setValue(100);
  s.seBegin.stepDown();
  EXPECT_EQ(s.seBegin.Value(), 100);
  s.seBegin.stepUp();
  EXPECT_EQ(s.seBegin.Value(), 200);
  s.sePorog.setValue(300);  // a restored value is clamped
  EXPECT_EQ(s.sePorog.Value(), 255);
  s.sePorog.setText("2147483647");
  s.sePorog.stepUp();
  EXPECT_EQ(s.sePorog.Value(), 255);
}

TEST(SpinEdit, KeyFilter) {
  for (char32_t key : {U'0', U'9', U'+', U'-', U',', U'.', U'\b'}) {
    EXPECT_TRUE(SpinEdit::AcceptsKey(key)) << static_cast<int>(key);
  }
  for (char32_t key : {U'a', U'$', U' ', U'\r', U'ж'}) {
    EXPECT_FALSE(SpinEdit::AcceptsKey(key)) << static_cast<int>(key);
  }
}

TEST(CheckBox, GrayedCountsAsOffAndOneClickTicksIt) {
  SettingsRecord s;
  s.chAuto.setState(CheckState::Grayed);
  EXPECT_FALSE(s.chAuto.ticked());
  s.chAuto.click();
  EXPECT_EQ(s.chAuto.state(), CheckState::Checked);
  s.chAuto.click();
  EXPECT_EQ(s.chAuto.state(), CheckState::Unchecked);
}

TEST(OptionButton, SelectingClearsPartnerClearingLeavesIt) {
  SettingsRecord s;
  int partner_refreshes = 0;
  s.rgDTR.changed = [&] { ++partner_refreshes; };
  s.rgRTS.setSelected(true);
  EXPECT_FALSE(s.rgDTR.selected());
  EXPECT_EQ(partner_refreshes, 1);
  s.rgRTS.setSelected(false);
  EXPECT_FALSE(s.rgDTR.selected());  // both cleared, as a settings file can leave them
  EXPECT_FALSE(s.rgRTS.selected());
}

TEST(SettingsRecord, DefaultsAndInterpretations) {
  SettingsRecord s;
  EXPECT_TRUE(s.serialMode());
  EXPECT_EQ(s.serialPortNumber(), 1);
  EXPECT_TRUE(s.rgDTR.selected());
  EXPECT_FALSE(s.inverted());
  EXPECT_EQ(s.parallelAddress(), 0x378);
  EXPECT_EQ(s.dataBitMask(), 0x01);
  EXPECT_TRUE(s.chAuto.ticked());
  EXPECT_EQ(s.trimThreshold(), 100 * 128);
  EXPECT_EQ(s.seBegin.Value(), 200);
  EXPECT_EQ(s.seEnd.Value(), 200);
  EXPECT_FALSE(s.chMixer.ticked());
  EXPECT_FALSE(s.chAutoRepeat.ticked());
  EXPECT_EQ(s.repeatDelayMs(), 10000);
  EXPECT_FALSE(s.chConfRecord.ticked());

  for (auto [text, port] : std::initializer_list<std::pair<const char*, std::optional<int>>>{
           {"COM 12", 1}, {"COM 4", 4}, {"COM1", std::nullopt}, {"COM 5", std::nullopt}}) {
    s.cbSerialNum.setText(text);
    EXPECT_EQ(s.serialPortNumber(), port) << text;
  }
  for (auto [text, inverted] : std::initializer_list<std::pair<const char*, bool>>{
           {"Да", true}, {"да", false}, {"Да ", false}, {"", false}}) {
    s.cbInv.setText(text);
    EXPECT_EQ(s.inverted(), inverted) << text;
  }
  s.cbAdress.setText("3bc");
  EXPECT_EQ(s.parallelAddress(), 0x3BC);
  s.cbAdress.setText("");
  try {
    s.parallelAddress();
    FAIL();
  } catch (const ConversionError& e) {
    EXPECT_STREQ(e.what(), "'$' is not a valid integer value");
  }
  for (CheckBox* bit : s.dataBits()) bit->setState(CheckState::Checked);
  EXPECT_EQ(s.dataBitMask(), 0xFF);
}

TEST(SettingsRecord, FindsStoredPropertiesIgnoringCase) {
  SettingsRecord s;
  auto text = s.findProperty("CBADRESS", "text");
  ASSERT_TRUE(text);
  EXPECT_EQ(text->name, "Text");
  EXPECT_EQ(text->kind, PropertyKind::Text);
  text->setText("278");
  EXPECT_EQ(s.cbAdress.text(), "278");

  auto state = s.findProperty("chAuto", "State");
  ASSERT_TRUE(state);
  EXPECT_EQ(state->names[state->getOrdinal()], "cbChecked");
  state->setOrdinal(2);
  EXPECT_EQ(s.chAuto.state(), CheckState::Grayed);

  auto checked = s.findProperty("chConfRecord", "Checked");
  ASSERT_TRUE(checked);
  EXPECT_EQ(checked->names[checked->getOrdinal()], "False");

  auto value = s.findProperty("sePorog", "Value");
  ASSERT_TRUE(value);
  value->setInteger(300);
  EXPECT_EQ(value->getInteger(), 255);

  auto rts = s.findProperty("rgRTS", "Checked");
  rts->setOrdinal(1);
  EXPECT_FALSE(s.rgDTR.selected());

  EXPECT_FALSE(s.findProperty("cbNothing", "Text"));
  EXPECT_FALSE(s.findProperty("cbAdress", "Value"));
}

}  // namespace
}  // namespace kelvado
