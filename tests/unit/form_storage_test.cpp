#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "common/error.h"
#include "common/integer_text.h"
#include "settings/form_colors.h"
#include "settings/form_storage.h"
#include "settings/ini_profile.h"
#include "unit/fake_form_window.h"
#include "unit/wave_fixture.h"

namespace kelvado {
namespace {

namespace fs = std::filesystem;

// A profile whose writes of one key fail, as a full disk or a lost folder would.
class FailingProfile : public ProfileStore {
 public:
  explicit FailingProfile(ProfileStore& inner) : inner_(inner) {}
  std::optional<std::string> read(const std::string& section, const std::string& key) override {
    return inner_.read(section, key);
  }
  bool write(const std::string& section, const std::string& key,
             const std::string& value) override {
    return key != failingKey && inner_.write(section, key, value);
  }
  std::string failingKey;

 private:
  ProfileStore& inner_;
};

class FormStorageTest : public ::testing::Test {
 protected:
  test::ScopedWorkDir dir_;
  IniProfile ini_{"Kelvado.ini"};
  SettingsRecord settings_;
  test::FakeFormWindow window_;
  FormStorage storage_{settings_, window_, ini_};

  static void WriteIni(const std::string& keys) {
    test::WriteBytes("Kelvado.ini", "[TfmMain]\n" + keys + "\n");
  }
  std::optional<std::string> key(const std::string& name) { return ini_.read("TfmMain", name); }
  // The file's lines from `first` up to, not including, `last`.
  static std::vector<std::string> LinesBetween(const std::string& first, const std::string& last) {
    std::vector<std::string> lines;
    std::istringstream in(test::ReadBytes("Kelvado.ini"));
    bool inside = false;
    for (std::string line; std::getline(in, line);) {
      if (line.starts_with(last + "=")) break;
      if (line.starts_with(first + "=")) inside = true;
      if (inside) lines.push_back(line);
    }
    return lines;
  }
};

TEST_F(FormStorageTest, FirstSaveWritesEveryKeyInOrder) {
  storage_.RestoreSettings();  // from FormCreate, before the file exists
  storage_.onShowing();
  storage_.onCloseQuery();
  EXPECT_EQ(test::ReadBytes("Kelvado.ini"),
            "[TfmMain]\n"
            "FormVersion=0\n"
            "Flags=0\n"
            "ShowCmd=1\n"
            "PixelsPerInch=96\n"
            "MinMaxPos(1024x768)=-1,-1,-1,-1\n"
            "MinMaxPos=-1,-1,-1,-1\n"
            "NormPos(1024x768)=263,170,742,551\n"
            "NormPos=263,170,742,551\n"
            "Visible=0\n"
            "cbAdress_Text=378\n"
            "rgDTR_Checked=True\n"
            "rgRTS_Checked=False\n"
            "rgParallel_Checked=False\n"
            "rgSerial_Checked=True\n"
            "cbSerialNum_Text=COM 1\n"
            "seBegin_Value=200\n"
            "seEnd_Value=200\n"
            "sePorog_Value=100\n"
            "chAuto_State=cbChecked\n"
            "chkBit1_State=cbChecked\n"
            "chkBit2_State=cbUnchecked\n"
            "chkBit3_State=cbUnchecked\n"
            "chkBit4_State=cbUnchecked\n"
            "chkBit5_State=cbUnchecked\n"
            "chkBit6_State=cbUnchecked\n"
            "chkBit7_State=cbUnchecked\n"
            "chkBit8_State=cbUnchecked\n"
            "chMixer_State=cbUnchecked\n"
            "chConfRecord_Checked=False\n"
            "FormColor=clBtnFace\n"
            "FormFont=Arial,clWindowText,N,8\n");
  EXPECT_TRUE(window_.shown);
  EXPECT_EQ(window_.left(), 263);
  EXPECT_EQ(window_.top(), 170);
}

TEST_F(FormStorageTest, SavesThePlacementTheWindowSystemGives) {
  storage_.RestoreSettings();
  window_.current.flags = 2;
  window_.current.minPosition = {-32000, -32000};
  window_.current.normalPosition = {10, 20, 30, 40};
  window_.applicationMinimized = true;
  window_.screenW = 1280;
  window_.screenH = 1024;
  window_.ppi = 120;
  storage_.SaveSettings();
  EXPECT_EQ(LinesBetween("Flags", "Visible"),
            (std::vector<std::string>{"Flags=2", "ShowCmd=2", "PixelsPerInch=120",
                                      "MinMaxPos(1280x1024)=-32000,-32000,-1,-1",
                                      "MinMaxPos=-32000,-32000,-1,-1",
                                      "NormPos(1280x1024)=10,20,30,40", "NormPos=10,20,30,40"}));
}

std::string CheckName(CheckState state) {
  return state == CheckState::Checked ? "ticked" : state == CheckState::Grayed ? "grayed" : "off";
}
std::string PairName(const OptionButton& a, const OptionButton& b) {
  return a.selected() ? (b.selected() ? "both" : a.name()) : (b.selected() ? b.name() : "none");
}

TEST_F(FormStorageTest, RestoresStoredControlsByKind) {
  using Observe = std::string (*)(SettingsRecord&);
  const Observe porog = [](SettingsRecord& s) { return s.sePorog.text(); };
  const Observe begin = [](SettingsRecord& s) { return s.seBegin.text(); };
  const Observe automatic = [](SettingsRecord& s) { return CheckName(s.chAuto.state()); };
  const Observe confirm = [](SettingsRecord& s) { return CheckName(s.chConfRecord.state()); };
  const Observe line = [](SettingsRecord& s) { return PairName(s.rgDTR, s.rgRTS); };
  const Observe kind = [](SettingsRecord& s) { return PairName(s.rgSerial, s.rgParallel); };
  const Observe address = [](SettingsRecord& s) { return s.cbAdress.text(); };
  const Observe serial = [](SettingsRecord& s) { return s.cbSerialNum.text(); };
  const Observe inverted = [](SettingsRecord& s) { return s.cbInv.text(); };
  struct Case {
    const char* keys;
    Observe observe;
    const char* expected;
  } cases[] = {
      {"sePorog_Value=300", porog, "255"},
      {"sePorog_Value=abc", porog, "1"},
      {"sePorog_Value=$20", porog, "32"},
      {"SEPOROG_VALUE= 42 ", porog, "42"},
      {"seBegin_Value=50", begin, "100"},
      {"seBegin_Value=", begin, "100"},
      {"chAuto_State=CBUNCHECKED", automatic, "off"},
      {"chAuto_State=cbGrayed", automatic, "grayed"},
      {"chAuto_State=0", automatic, "ticked"},
      {"chAuto_State=", automatic, "ticked"},
      {"chConfRecord_Checked=true", confirm, "ticked"},
      {"chConfRecord_Checked=1", confirm, "off"},
      {"rgDTR_Checked=True\nrgRTS_Checked=True", line, "rgRTS"},
      {"rgRTS_Checked=True\nrgDTR_Checked=True", line, "rgRTS"},  // the order of StoredProps
      {"rgDTR_Checked=False", line, "none"},
      {"rgParallel_Checked=True\nrgSerial_Checked=True", kind, "rgSerial"},
      {"rgParallel_Checked=True", kind, "rgParallel"},
      {"cbAdress_Text=3BC", address, "3BC"},
      {"cbAdress_Text=", address, ""},
      {"cbAdress_Text=  278  ", address, "278"},
      {"cbAdress_Text=\"\"3BC\"\"", address, "\"3BC\""},
      {"cbSerialNum_Text='COM 2'", serial, "COM 2"},
      {"cbInv_Text=Да", inverted, "Нет"},  // not stored
  };
  for (const Case& c : cases) {
    WriteIni(c.keys);
    SettingsRecord settings;
    test::FakeFormWindow window;
    FormStorage storage(settings, window, ini_);
    storage.RestoreSettings();
    EXPECT_EQ(c.observe(settings), c.expected) << c.keys;
  }
}

TEST_F(FormStorageTest, AControlThatRefusesItsValueDoesNotStopTheRestore) {
  WriteIni("cbAdress_Text=278\ncbSerialNum_Text=COM 3");
  settings_.cbAdress.changed = [] { throw Error("refused"); };
  EXPECT_NO_THROW(storage_.RestoreSettings());
  EXPECT_EQ(settings_.cbSerialNum.text(), "COM 3");
}

TEST_F(FormStorageTest, TextsInQuotesSurviveASaveAndARestore) {
  storage_.RestoreSettings();
  for (std::string text : {"\"3BC\"", "'378'", "\"", "'", "\"a'", "  \"spaced\"  ", "Да"}) {
    settings_.cbAdress.setText(text);
    storage_.SaveSettings();
    settings_.cbAdress.setText("other");
    storage_.RestoreSettings();
    EXPECT_EQ(settings_.cbAdress.text(), TrimBlanks(text)) << text;
  }
  settings_.cbAdress.setText("\"3BC\"");
  storage_.SaveSettings();
  EXPECT_EQ(LinesBetween("cbAdress_Text", "rgDTR_Checked"),
            std::vector<std::string>{"cbAdress_Text=\"\"3BC\"\""});
}

TEST_F(FormStorageTest, StoredPropsNameTheKeysAndUnknownEntriesAreSkipped) {
  FormStorageSetup setup;
  setup.storedProps = {"cbNothing.Text", "cbAdress.Nothing", "sePorog", "SEPOROG.value",
                       "chAuto.Checked"};
  FormStorage storage(settings_, window_, ini_, setup);
  storage.RestoreSettings();
  storage.SaveSettings();
  EXPECT_EQ(LinesBetween("Visible", "FormColor"),
            (std::vector<std::string>{"Visible=0", "SEPOROG_Value=100", "chAuto_Checked=True"}));
}

TEST_F(FormStorageTest, RestoreMovesTheWindowButNeverResizesIt) {
  struct Case {
    const char* keys;
    int32_t left, top;
  } cases[] = {
      {"NormPos=10,20,30,40", 10, 20},
      {"NormPos=7 8", 7, 8},
      {"NormPos=, 7,,8", 7, 8},
      {"NormPos=100", 100, 170},
      {"NormPos=x,y", 263, 170},
      {"NormPos=", 263, 170},
      {"PixelsPerInch=96\nNormPos=10,20", 10, 20},
      {"PixelsPerInch=120\nNormPos=10,20", 263, 170},
      {"NormPos(1024x768)=5,6\nNormPos=50,60", 5, 6},
      {"NormPos(1024x768)=\nNormPos=50,60", 50, 60},
      {"NormPos(800x600)=5,6\nNormPos=50,60", 50, 60},
      {"NormPos=-800,-600", -800, -600},
  };
  for (const Case& c : cases) {
    WriteIni(c.keys);
    SettingsRecord settings;
    test::FakeFormWindow window;
    FormStorage storage(settings, window, ini_);
    storage.RestoreSettings();
    EXPECT_EQ(window.left(), c.left) << c.keys;
    EXPECT_EQ(window.top(), c.top) << c.keys;
    EXPECT_EQ(window.width(), test::FakeFormWindow::kWidth) << c.keys;
    EXPECT_EQ(window.height(), test::FakeFormWindow::kHeight) << c.keys;
  }
}

TEST_F(FormStorageTest, RestoreAppliesThePlacementAndThenTheMaximizedPositionOfTheBorder) {
  WriteIni("Flags=2\nMinMaxPos=7,x\nNormPos=10,20");
  window_.borderX = 4;
  window_.borderY = 2;
  storage_.RestoreSettings();
  ASSERT_EQ(window_.applied.size(), 2u);
  EXPECT_EQ(window_.applied[0].flags, 2);
  EXPECT_EQ(window_.applied[0].minPosition.x, 7);
  EXPECT_EQ(window_.applied[0].minPosition.y, 0);
  EXPECT_EQ(window_.applied[0].maxPosition.y, 0);
  EXPECT_EQ(window_.applied[0].showCmd, kShowNormal);
  EXPECT_EQ(window_.applied[1].maxPosition.x, -4);
  EXPECT_EQ(window_.applied[1].maxPosition.y, -2);
  EXPECT_EQ(window_.applied[1].normalPosition.left, 10);
  storage_.SaveSettings();
  EXPECT_EQ(key("MinMaxPos"), "7,0,-4,-2");
}

TEST_F(FormStorageTest, RestoreDoesNotPlaceAWindowWithoutWidth) {
  WriteIni("NormPos=10,20");
  window_.current.normalPosition = {263, 170, 263, 170};
  storage_.RestoreSettings();
  ASSERT_EQ(window_.applied.size(), 1u);  // only the maximized position
  EXPECT_EQ(window_.left(), 263);
}

TEST_F(FormStorageTest, RestoreKeepsAHiddenWindowHidden) {
  WriteIni("NormPos=10,20");
  window_.shown = false;
  storage_.RestoreSettings();
  ASSERT_EQ(window_.applied.size(), 2u);
  EXPECT_EQ(window_.applied[0].showCmd, kShowHide);
  EXPECT_EQ(window_.applied[1].showCmd, kShowHide);
  EXPECT_FALSE(window_.shown);
  EXPECT_EQ(window_.left(), 10);
}

TEST_F(FormStorageTest, EachScreenSizeKeepsItsOwnPosition) {
  auto run = [this](int32_t width, int32_t height, int32_t move_to_left) {
    SettingsRecord settings;
    test::FakeFormWindow window;
    window.screenW = width;
    window.screenH = height;
    FormStorage storage(settings, window, ini_);
    storage.RestoreSettings();
    const int32_t restored_left = window.left();
    WindowPlacement moved = window.placement();
    moved.normalPosition = {move_to_left, 200, move_to_left + 479, 200 + 381};
    window.setPlacement(moved);
    storage.onCloseQuery();
    return restored_left;
  };
  EXPECT_EQ(run(1024, 768, 300), 263);
  EXPECT_EQ(run(1280, 1024, 400), 300);  // the first run at a new size takes the plain keys
  EXPECT_EQ(LinesBetween("FormFont", "none"),
            (std::vector<std::string>{"FormFont=Arial,clWindowText,N,8",
                                      "MinMaxPos(1280x1024)=-1,-1,-1,-1",
                                      "NormPos(1280x1024)=400,200,879,581"}));
  EXPECT_EQ(run(1024, 768, 300), 300);
  EXPECT_EQ(run(1280, 1024, 400), 400);
}

TEST_F(FormStorageTest, FormVersionBelowZeroAppliesNothing) {
  struct Case {
    const char* version;
    bool applies;
  } cases[] = {
      {"-1", false}, {"$FFFFFFFF", false}, {"0XFFFFFFFF", false}, {"0", true}, {"0x10", true},
      {"abc", true}, {"", true},
  };
  for (const Case& c : cases) {
    WriteIni(std::string("FormVersion=") + c.version +
             "\nNormPos=10,20\nsePorog_Value=7\nFormColor=clRed\nFormFont=Times,clRed,B,12");
    SettingsRecord settings;
    test::FakeFormWindow window;
    FormStorage storage(settings, window, ini_);
    storage.RestoreSettings();
    EXPECT_TRUE(storage.restored());
    EXPECT_EQ(window.left(), c.applies ? 10 : 263) << c.version;
    EXPECT_EQ(settings.sePorog.Value(), c.applies ? 7 : 100) << c.version;
    EXPECT_EQ(window.colour, c.applies ? 0xFF : kClBtnFace) << c.version;
    EXPECT_EQ(window.typeface.name, c.applies ? "Times" : "Arial") << c.version;
    storage.SaveSettings();
    EXPECT_EQ(key("FormVersion"), "0");
    EXPECT_EQ(key("sePorog_Value"), c.applies ? "7" : "100");
  }
}

TEST_F(FormStorageTest, RestoresColourAndFont) {
  WriteIni("FormColor=$00E4E4E4\nFormFont=Times New Roman,clMaroon,BS,12");
  storage_.RestoreSettings();
  EXPECT_EQ(window_.colour, 0xE4E4E4);
  EXPECT_EQ(window_.typeface, (FormFont{"Times New Roman", 0x80, true, false, false, true, 12}));
  storage_.SaveSettings();
  EXPECT_EQ(key("FormColor"), "$00e4e4e4");
  EXPECT_EQ(key("FormFont"), "Times New Roman,clMaroon,BS,12");

  WriteIni("FormColor=CLAQUA");
  storage_.RestoreSettings();
  EXPECT_EQ(window_.colour, 0xFFFF00);
  EXPECT_EQ(window_.typeface.name, "Times New Roman");  // no key: unchanged
}

TEST_F(FormStorageTest, BadColourEndsTheRestoreAtThatStep) {
  const FormFont font = window_.typeface;
  window_.borderX = 4;
  WriteIni("NormPos=10,20\nsePorog_Value=7\nFormColor=xyz\nFormFont=Times,clRed,B,12");
  try {
    storage_.RestoreSettings();
    FAIL();
  } catch (const ConversionError& e) {
    EXPECT_STREQ(e.what(), "'xyz' is not a valid integer value");
  }
  EXPECT_EQ(window_.left(), 10);
  EXPECT_EQ(settings_.sePorog.Value(), 7);
  EXPECT_EQ(window_.colour, kClBtnFace);
  EXPECT_EQ(window_.typeface, font);
  EXPECT_EQ(window_.current.maxPosition.x, -1);  // the border step did not run
  EXPECT_TRUE(storage_.restored());
  EXPECT_FALSE(storage_.saved());
}

TEST_F(FormStorageTest, BadFontColourKeepsTheFaceName) {
  WriteIni("FormColor=clRed\nFormFont=Courier New");
  try {
    storage_.RestoreSettings();
    FAIL();
  } catch (const ConversionError& e) {
    EXPECT_STREQ(e.what(), "'' is not a valid integer value");
  }
  EXPECT_EQ(window_.colour, 0xFF);
  EXPECT_EQ(window_.typeface,
            (FormFont{"Courier New", kClWindowText, false, false, false, false, 8}));
}

TEST_F(FormStorageTest, UnwritableFileRaisesWithTheFileName) {
  for (const char* place : {"no-such-folder/Kelvado.ini", "folder-in-place"}) {
    fs::create_directory("folder-in-place");
    IniProfile profile(place);
    FormStorage storage(settings_, window_, profile);
    storage.RestoreSettings();
    try {
      storage.SaveSettings();
      ADD_FAILURE() << place;
    } catch (const Error& e) {
      EXPECT_STREQ(e.what(), "Unable to write to Kelvado.ini") << place;
    }
    EXPECT_FALSE(storage.saved()) << place;
  }
}

TEST_F(FormStorageTest, FailingWriteEndsTheSaveAndKeepsWhatWasWritten) {
  FailingProfile profile(ini_);
  FormStorage storage(settings_, window_, profile);
  storage.RestoreSettings();
  profile.failingKey = "cbSerialNum_Text";
  EXPECT_THROW(storage.SaveSettings(), Error);
  EXPECT_EQ(key("rgSerial_Checked"), "True");
  EXPECT_EQ(key("cbSerialNum_Text"), std::nullopt);
  EXPECT_EQ(key("seBegin_Value"), std::nullopt);
  EXPECT_EQ(key("FormFont"), std::nullopt);
  EXPECT_FALSE(storage.saved());

  profile.failingKey.clear();
  storage.SaveSettings();
  EXPECT_TRUE(storage.saved());
  profile.failingKey = "FormFont";
  EXPECT_THROW(storage.SaveSettings(), Error);
  EXPECT_TRUE(storage.saved());  // as it was
}

TEST_F(FormStorageTest, SavesOnlyAfterARestoreAndAtDestructionOnlyWhenUnsaved) {
  storage_.SaveSettings();
  storage_.onCloseQuery();
  storage_.onDestroy();
  EXPECT_FALSE(fs::exists("Kelvado.ini"));
  EXPECT_FALSE(storage_.restored());
  EXPECT_FALSE(storage_.saved());

  storage_.RestoreSettings();
  EXPECT_TRUE(storage_.restored());
  EXPECT_FALSE(storage_.saved());
  storage_.onCloseQuery();
  EXPECT_TRUE(storage_.saved());
  EXPECT_EQ(key("Visible"), "0");

  settings_.sePorog.setValue(50);
  storage_.onDestroy();  // saved since the restore: nothing more
  EXPECT_EQ(key("sePorog_Value"), "100");

  storage_.onShowing();  // the unsaved change gives way to the file
  EXPECT_FALSE(storage_.saved());
  EXPECT_EQ(settings_.sePorog.Value(), 100);

  settings_.sePorog.setValue(50);
  storage_.onDestroy();
  EXPECT_TRUE(storage_.saved());
  EXPECT_EQ(key("Visible"), "1");
  EXPECT_EQ(key("sePorog_Value"), "50");
  storage_.SaveSettings();
  EXPECT_EQ(key("Visible"), "0");
}

TEST_F(FormStorageTest, FailedSaveAtDestructionLeavesLaterSavesOrdinary) {
  FailingProfile profile(ini_);
  FormStorage storage(settings_, window_, profile);
  storage.RestoreSettings();
  profile.failingKey = "cbAdress_Text";
  EXPECT_THROW(storage.onDestroy(), Error);
  EXPECT_EQ(key("Visible"), "1");
  EXPECT_FALSE(storage.saved());
  profile.failingKey.clear();
  storage.SaveSettings();
  EXPECT_EQ(key("Visible"), "0");
}

}  // namespace
}  // namespace kelvado
