#include <gtest/gtest.h>

#include <set>

#include "common/error.h"
#include "settings/form_colors.h"

namespace kelvado {
namespace {

TEST(FormColors, ColorsAreWrittenAsIdentifiersOrEightHexDigits) {
  struct Case {
    int32_t value;
    const char* text;
  } cases[] = {
      {0x000000, "clBlack"},
      {0x000080, "clMaroon"},
      {0x800000, "clNavy"},
      {0xC0C0C0, "clSilver"},
      {0xFFFFFF, "clWhite"},
      {static_cast<int32_t>(0x80000000), "clScrollBar"},
      {static_cast<int32_t>(0x8000000F), "clBtnFace"},
      {static_cast<int32_t>(0x80000015), "cl3DDkShadow"},
      {static_cast<int32_t>(0x80000018), "clInfoBk"},
      {0x1FFFFFFF, "clNone"},
      {0xE4E4E4, "$00e4e4e4"},
      {static_cast<int32_t>(0x80000019), "$80000019"},
      {-2, "$fffffffe"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ColorToString(c.value), c.text);
    EXPECT_EQ(StringToColor(c.text), c.value) << c.text;
  }
}

TEST(FormColors, EveryIdentifierHasItsOwnValue) {
  std::set<int32_t> values;
  for (const ColorIdent& ident : ColorIdents()) {
    values.insert(ident.value);
    EXPECT_EQ(ColorToString(ident.value), ident.name);
  }
  EXPECT_EQ(ColorIdents().size(), 16u + 25u + 1u);
  EXPECT_EQ(values.size(), ColorIdents().size());
}

TEST(FormColors, ReadsIdentifiersIgnoringCaseAndIntegersOtherwise) {
  EXPECT_EQ(StringToColor("CLRED"), 0x0000FF);
  EXPECT_EQ(StringToColor("clbtnface"), kClBtnFace);
  EXPECT_EQ(StringToColor("255"), 255);
  EXPECT_EQ(StringToColor("$FF"), 255);
  EXPECT_EQ(StringToColor("-1"), -1);
  for (const char* text : {"xyz", "", " clRed", "clRed "}) {
    try {
      StringToColor(text);
      ADD_FAILURE() << text;
    } catch (const ConversionError& e) {
      EXPECT_EQ(e.what(), "'" + std::string(text) + "' is not a valid integer value");
    }
  }
}

TEST(FormFonts, WritesFaceColourStylesAndSize) {
  EXPECT_EQ(FontToString({"Arial", kClWindowText, false, false, false, false, 8}),
            "Arial,clWindowText,N,8");
  EXPECT_EQ(FontToString({"Courier New", 0xE4E4E4, true, true, true, true, -12}),
            "Courier New,$00e4e4e4,BIUS,-12");
  EXPECT_EQ(FontToString({"Tahoma", 0, false, true, false, true, 10}), "Tahoma,clBlack,IS,10");
}

TEST(FormFonts, ReadsFieldsSplitAtCommasOnly) {
  const FormFont before{"Arial", kClWindowText, true, true, true, true, 8};
  struct Case {
    const char* text;
    FormFont font;
  } cases[] = {
      {"Times New Roman,clMaroon,BU,12", {"Times New Roman", 0x80, true, false, true, false, 12}},
      {"Tahoma,$00e4e4e4,xSzIq, 1 4", {"Tahoma", 0xE4E4E4, false, true, false, true, 14}},
      {"Tahoma,0,bius,10", {"Tahoma", 0, false, false, false, false, 10}},
      {"Tahoma,0,N,-3", {"Tahoma", 0, false, false, false, false, -3}},
      {"Tahoma,0,N,abc", {"Tahoma", 0, false, false, false, false, 0}},
      {"Tahoma,0,N,1-2", {"Tahoma", 0, false, false, false, false, 0}},
      {"Tahoma,0,N,+5", {"Tahoma", 0, false, false, false, false, 0}},
      {"Tahoma,0,N,", {"Tahoma", 0, false, false, false, false, 0}},
      {"Tahoma,0", {"Tahoma", 0, false, false, false, false, 0}},
      {"Tahoma,0,B,9,extra", {"Tahoma", 0, true, false, false, false, 9}},
  };
  for (const Case& c : cases) {
    FormFont font = before;
    StringToFont(c.text, font);
    EXPECT_EQ(font, c.font) << c.text;
  }
}

TEST(FormFonts, BadColourRaisesWithTheFaceNameTaken) {
  const FormFont before{"Arial", kClWindowText, true, false, false, false, 8};
  FormFont font = before;
  try {
    StringToFont("Courier New", font);
    FAIL();
  } catch (const ConversionError& e) {
    EXPECT_STREQ(e.what(), "'' is not a valid integer value");
  }
  FormFont expected = before;
  expected.name = "Courier New";
  EXPECT_EQ(font, expected);
}

}  // namespace
}  // namespace kelvado
