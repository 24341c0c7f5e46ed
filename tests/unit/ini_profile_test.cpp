#include <gtest/gtest.h>

#include <filesystem>

#include "settings/ini_profile.h"
#include "unit/wave_fixture.h"

namespace kelvado {
namespace {

namespace fs = std::filesystem;

class IniProfileTest : public ::testing::Test {
 protected:
  test::ScopedWorkDir dir_;
  IniProfile ini_{"Kelvado.ini"};
};

TEST_F(IniProfileTest, ReadsWithTheProfileRules) {
  test::WriteBytes("Kelvado.ini",
                   "top=outside any section\n"
                   "[Other]\n"
                   "Key=other\n"
                   "[tfmmain]\r\n"
                   "  Key  =  spaced value  \r\n"
                   "dq=\"quoted\"\n"
                   "sq='single'\n"
                   "mixed=\"a'\n"
                   "twice=\"\"inner\"\"\n"
                   "padded=\" kept blanks \"\n"
                   "lone=\"\n"
                   "empty=\n"
                   "eq=a=b\n"
                   "utf8=Да\n"
                   "noequals\n"
                   "dup=first\n"
                   "dup=second\n"
                   "[TfmMain]\n"
                   "late=in a second header of the same name");
  struct Case {
    const char* section;
    const char* key;
    std::optional<std::string> value;
  } cases[] = {
      {"TfmMain", "key", "spaced value"}, {"TFMMAIN", "DQ", "quoted"},
      {"TfmMain", "sq", "single"},        {"TfmMain", "mixed", "\"a'"},
      {"TfmMain", "twice", "\"inner\""},  {"TfmMain", "padded", " kept blanks "},
      {"TfmMain", "lone", "\""},          {"TfmMain", "empty", ""},
      {"TfmMain", "eq", "a=b"},           {"TfmMain", "utf8", "Да"},
      {"TfmMain", "dup", "first"},        {"TfmMain", "noequals", std::nullopt},
      {"TfmMain", "late", std::nullopt},  {"TfmMain", "top", std::nullopt},
      {"Other", "Key", "other"},          {"Missing", "Key", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(ini_.read(c.section, c.key), c.value) << c.key;
}

TEST_F(IniProfileTest, ReadTakesAtMost2047CharactersAfterRemovingQuotes) {
  const std::string long_value(3000, 'x');
  const std::string quoted = "\"" + std::string(2047, 'y') + "\"";
  test::WriteBytes("Kelvado.ini", "[TfmMain]\nlong=" + long_value + "\nquoted=" + quoted + "\n");
  EXPECT_EQ(ini_.read("TfmMain", "long"), std::string(2047, 'x'));
  EXPECT_EQ(ini_.read("TfmMain", "quoted"), std::string(2047, 'y'));
}

TEST_F(IniProfileTest, WritesReplaceInPlaceOrAppendAndLeaveEverythingElse) {
  struct Case {
    const char* name;
    std::string before;
    const char* section;
    const char* key;
    const char* value;
    std::string after;
  } cases[] = {
      {"new file", "", "TfmMain", "FormVersion", "0", "[TfmMain]\nFormVersion=0\n"},
      {"replace keeps the file's spelling and line end",
       "[TfmMain]\r\n  formversion = 7 \r\nNext=1\r\n", "TFMMAIN", "FormVersion", "0",
       "[TfmMain]\r\nformversion=0\r\nNext=1\r\n"},
      {"append after the section's last key, before blank lines",
       "; note\n[TfmMain]\nA=1\n; kept\n\n\n[Last]\nB=2\n", "TfmMain", "C", "3",
       "; note\n[TfmMain]\nA=1\n; kept\nC=3\n\n\n[Last]\nB=2\n"},
      {"append to a section of only a header", "[TfmMain]\n\n[Last]\n", "TfmMain", "C", "3",
       "[TfmMain]\nC=3\n\n[Last]\n"},
      {"append after a last line without a line end", "[TfmMain]\r\nA=1", "TfmMain", "B", "2",
       "[TfmMain]\r\nA=1\r\nB=2\r\n"},
      {"new section after the others", "[Other]\nA=1", "TfmMain", "B", "2",
       "[Other]\nA=1\n\n[TfmMain]\nB=2\n"},
      {"new section after a blank line", "[Other]\r\nA=1\r\n\r\n", "TfmMain", "B", "2",
       "[Other]\r\nA=1\r\n\r\n[TfmMain]\r\nB=2\r\n"},
      {"value bytes unchanged", "[TfmMain]\nA=1\n", "TfmMain", "A", " \"Да\" ",
       "[TfmMain]\nA= \"Да\" \n"},
  };
  for (const Case& c : cases) {
    fs::remove("Kelvado.ini");
    if (!c.before.empty()) test::WriteBytes("Kelvado.ini", c.before);
    EXPECT_TRUE(ini_.write(c.section, c.key, c.value)) << c.name;
    EXPECT_EQ(test::ReadBytes("Kelvado.ini"), c.after) << c.name;
  }
}

TEST_F(IniProfileTest, WritesReplaceTheFileWithoutLeavingTemporaries) {
  for (int i = 0; i < 3; ++i) {
    ASSERT_TRUE(ini_.write("TfmMain", "Key" + std::to_string(i), std::to_string(i)));
  }
  ASSERT_TRUE(ini_.write("TfmMain", "Key1", "one"));
  EXPECT_EQ(test::ReadBytes("Kelvado.ini"), "[TfmMain]\nKey0=0\nKey1=one\nKey2=2\n");
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(".")) {
    names.push_back(entry.path().filename().string());
  }
  EXPECT_EQ(names, std::vector<std::string>{"Kelvado.ini"});
}

TEST_F(IniProfileTest, UnwritablePlacesFailWithoutCreatingAnything) {
  IniProfile in_missing_folder("no-such-folder/Kelvado.ini");
  EXPECT_FALSE(in_missing_folder.write("TfmMain", "A", "1"));
  EXPECT_EQ(in_missing_folder.read("TfmMain", "A"), std::nullopt);
  EXPECT_FALSE(fs::exists("no-such-folder"));

  fs::create_directory("Kelvado.ini");
  EXPECT_FALSE(ini_.write("TfmMain", "A", "1"));
  EXPECT_EQ(ini_.read("TfmMain", "A"), std::nullopt);
  EXPECT_TRUE(fs::is_directory("Kelvado.ini"));
}

}  // namespace
}  // namespace kelvado
