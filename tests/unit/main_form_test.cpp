#include "shell/main_form.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/error.h"
#include "settings/ini_profile.h"
#include "shell/error_text.h"
#include "unit/fake_form_window.h"
#include "unit/fake_shell.h"
#include "unit/fakes.h"
#include "unit/wave_fixture.h"

namespace kelvado {
namespace {

namespace fs = std::filesystem;
using Calls = std::vector<std::string>;

Calls Registrations(const char* verb, int first, int last) {
  Calls calls;
  for (int f = first; f <= last; ++f) calls.push_back(std::string(verb) + " F" + std::to_string(f));
  return calls;
}

Calls Concat(std::initializer_list<Calls> parts) {
  Calls all;
  for (const Calls& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

// The whole program headless: real settings file and phrase files in a fresh folder, fake
// devices and user interface, virtual time.
class MainFormTest : public ::testing::Test {
 protected:
  MainFormTest() {
    mixer_.destinations = {{test::StandardLine(0, 0, false), {test::StandardLine(9, 9, false)}},
                           {test::StandardLine(0, 0, false), {}}};
    window_.shown = false;
    test::WriteWave("signature.wav", {});
    wave_.recordedSamples = std::vector<int16_t>(3 * 22050, 0);
    for (size_t i = 22050; i < 2 * 22050; ++i) wave_.recordedSamples[i] = 20000;
  }

  MainForm& startProgram() {
    form_.emplace(Devices{wave_, serial_, io_, mixer_}, ui_, window_, profile_);
    clock_.add(form_->Timer);
    clock_.add(form_->TimerAuto);
    clock_.add(form_->TimerHide);
    form_->start();
    return *form_;
  }

  std::string settingsFile() { return test::ReadBytes("Kelvado.ini"); }

  test::ScopedWorkDir dir_;
  test::CallLog log_;
  test::FakeWaveDevice wave_{log_};
  test::FakeSerialPort serial_{log_};
  test::FakeIoPort io_{log_};
  test::FakeMixerDevice mixer_{log_};
  test::FakeFormWindow window_;
  test::FakeShellUi ui_{log_, window_};
  IniProfile profile_{"Kelvado.ini"};
  test::VirtualClock clock_;
  std::optional<MainForm> form_;
};

TEST_F(MainFormTest, StartsInOrderShowsHalfASecondThenLivesInTheTray) {
  MainForm& form = startProgram();
  EXPECT_EQ(log_.take(),
            Concat({{"open <new>"},
                    Registrations("register", 1, 11),
                    {"io open", "serial open \\\\.\\COM1", "DTR off", "show window"}}));
  EXPECT_EQ(ui_.icon, 0);
  EXPECT_TRUE(form.recorderOn());

  clock_.advance(499);
  EXPECT_TRUE(window_.shown);
  clock_.advance(1);
  EXPECT_EQ(form.windowState(), MainForm::WindowState::Hidden);
  // The first poll saw the idle device as a change: the line is released once more.
  EXPECT_EQ(log_.take(), (Calls{"DTR off", "hide window"}));
  clock_.advance(5000);
  EXPECT_TRUE(log_.calls.empty());
  EXPECT_FALSE(fs::exists("Kelvado.ini"));  // the start-up hide saves nothing
}

TEST_F(MainFormTest, CannotStartWithoutTheWaveDevice) {
  wave_.failOpens = true;
  try {
    startProgram();
    FAIL();
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "Файл не найден");
  }
  EXPECT_TRUE(ui_.registeredKeys.empty());
  EXPECT_EQ(StartupFailureReport("EMCIDeviceError", "kelvado", nullptr, "Файл не найден"),
            "Exception EMCIDeviceError in module kelvado at (nil).\nФайл не найден.");
}

TEST_F(MainFormTest, OperatorSession) {
  MainForm& form = startProgram();
  clock_.advance(600);
  log_.take();

  // F1 with F1.wav: keyed, played, released by the poll when it ends.
  test::WriteWave("F1.wav", {1, 2, 3});
  form.hotKey(0);
  clock_.advance(55);
  EXPECT_TRUE(serial_.dtr);
  EXPECT_EQ(ui_.icon, 1);
  wave_.finishPlayback();
  clock_.advance(55);
  EXPECT_FALSE(serial_.dtr);
  EXPECT_EQ(ui_.icon, 0);
  EXPECT_EQ(log_.take(), (Calls{"stop", "DTR on", "close", "open F1.wav", "play", "DTR off"}));

  // F6, then F9: phrase 2 recorded, trimmed, device open on it again; never keyed.
  form.hotKey(5);
  clock_.advance(55);
  EXPECT_EQ(ui_.icon, 2);
  form.hotKey(8);
  clock_.advance(55);
  EXPECT_EQ(log_.take(), (Calls{"stop", "DTR off", "close", "open F2.wav", "record", "stop",
                                "save F2.wav", "close", "open F2.wav", "DTR off"}));
  EXPECT_EQ(test::ReadSamples("F2.wav").size(), 22050u + 2 * 4400 - 2);

  // The settings window from the menu: restored, edited, saved with Esc (btSaveClick).
  form.menuClick("mnSetup");
  EXPECT_TRUE(window_.shown);
  form.settings().chAutoRepeat.click();
  form.settings().seAuto.setText("3");
  form.settings().rgRTS.setSelected(true);
  form.rgRTSClick();
  form.settings().cbAdress.setText("\"3BC\"");
  form.btSaveClick();
  EXPECT_FALSE(window_.shown);
  EXPECT_EQ(log_.take(), (Calls{"show window", "RTS off", "hide window"}));
  const std::string saved = settingsFile();
  EXPECT_NE(saved.find("rgRTS_Checked=True\n"), std::string::npos) << saved;
  EXPECT_NE(saved.find("cbAdress_Text=\"\"3BC\"\"\n"), std::string::npos) << saved;

  // Auto-repeat: F1 plays, ends, waits 3 s, plays again; F9 ends the cycle.
  form.hotKey(0);
  clock_.advance(55);
  wave_.finishPlayback();
  clock_.advance(55);
  EXPECT_EQ(ui_.icon, 4);
  EXPECT_FALSE(serial_.rts);
  clock_.advance(3000);
  EXPECT_TRUE(serial_.rts);
  wave_.finishPlayback();
  clock_.advance(55);
  form.menuClick("mnF9");
  clock_.advance(55);
  EXPECT_EQ(ui_.icon, 0);
  EXPECT_FALSE(serial_.rts);
  log_.take();

  // Off with F11: keys F1..F10 given back, menu greyed, serial port closed, icon 3.
  form.hotKey(10);
  clock_.advance(55);
  EXPECT_EQ(log_.take(), Concat({{"stop"}, Registrations("unregister", 1, 10), {"serial close"}}));
  EXPECT_EQ(ui_.icon, 3);
  EXPECT_EQ(ui_.registeredKeys, std::set<int>{10});
  EXPECT_FALSE(form.menu().entries()[2].enabled);
  form.hotKey(0);  // not registered: never delivered, and ignored if it were
  form.menuClick("mnF1");
  EXPECT_TRUE(log_.calls.empty());

  // On with a left click on the tray icon.
  form.TrayIconClick(MouseButton::Left, 500, 10);
  clock_.advance(55);
  EXPECT_EQ(log_.take(),
            Concat({Registrations("register", 1, 10), {"serial open \\\\.\\COM1", "RTS off"}}));
  EXPECT_EQ(ui_.icon, 0);
  EXPECT_TRUE(form.recorderOn());

  // Exit while a phrase plays: stopped, line released, ports closed, program ends.
  form.hotKey(0);
  clock_.advance(55);
  log_.take();
  form.menuClick("mnExit");
  EXPECT_EQ(log_.take(), (Calls{"stop", "RTS off", "io close", "quit"}));
  EXPECT_FALSE(serial_.rts);
  form_.reset();
  EXPECT_EQ(log_.take(), Concat({{"close"},
                                 Registrations("unregister", 1, 11),
                                 {"tray removed", "RTS off", "serial close"}}));
  // The exit saved the settings; the destruction found them saved and wrote nothing more.
  EXPECT_NE(settingsFile().find("Visible=0\n"), std::string::npos);
}

TEST_F(MainFormTest, SettingsSurviveARestartButTheUnstoredOnesDoNot) {
  {
    MainForm& form = startProgram();
    form.menuClick("mnSetup");
    form.settings().sePorog.setText("55");
    form.settings().cbInv.setText("Да");
    form.settings().chAutoRepeat.click();
    form.closeRequest();  // the close box: saves and hides
    EXPECT_FALSE(window_.shown);
    form.closeRequest();  // hidden: the program ends
    form_.reset();
  }
  // Both saves wrote the same keys in place: one section, in the order of a first save.
  EXPECT_EQ(settingsFile(),
            "[TfmMain]\nFormVersion=0\nFlags=0\nShowCmd=1\nPixelsPerInch=96\n"
            "MinMaxPos(1024x768)=-1,-1,-1,-1\nMinMaxPos=-1,-1,-1,-1\n"
            "NormPos(1024x768)=263,170,742,551\nNormPos=263,170,742,551\nVisible=0\n"
            "cbAdress_Text=378\nrgDTR_Checked=True\nrgRTS_Checked=False\n"
            "rgParallel_Checked=False\nrgSerial_Checked=True\ncbSerialNum_Text=COM 1\n"
            "seBegin_Value=200\nseEnd_Value=200\nsePorog_Value=55\nchAuto_State=cbChecked\n"
            "chkBit1_State=cbChecked\nchkBit2_State=cbUnchecked\nchkBit3_State=cbUnchecked\n"
            "chkBit4_State=cbUnchecked\nchkBit5_State=cbUnchecked\nchkBit6_State=cbUnchecked\n"
            "chkBit7_State=cbUnchecked\nchkBit8_State=cbUnchecked\nchMixer_State=cbUnchecked\n"
            "chConfRecord_Checked=False\nFormColor=clBtnFace\nFormFont=Arial,clWindowText,N,8\n");
  MainForm& form = startProgram();
  EXPECT_EQ(form.settings().sePorog.Value(), 55);
  EXPECT_EQ(form.settings().cbInv.text(), "Нет");
  EXPECT_FALSE(form.settings().chAutoRepeat.ticked());
}

TEST_F(MainFormTest, DestroyingWithoutASaveWritesVisibleOne) {
  startProgram();
  form_.reset();
  EXPECT_NE(settingsFile().find("Visible=1\n"), std::string::npos);
}

TEST_F(MainFormTest, PresetFilesAreReadAtStartAndWrittenAtTheEndOnlyWithAMixer) {
  MainForm& form = startProgram();
  form.mixerPresets().MixerTransmit.lines[0] = {0, 0, 7, 7, 0};
  window_.shown = false;
  form.closeRequest();
  for (const char* f : {"RecMix.dat", "PlayMix.dat", "TransMix.dat"}) {
    EXPECT_EQ(fs::file_size(f), 1000u) << f;
  }
  form_.reset();
  MainForm& again = startProgram();
  EXPECT_EQ(again.mixerPresets().MixerTransmit.lines[0], (MixerLineSetting{0, 0, 7, 7, 0}));
  form_.reset();

  for (const char* f : {"RecMix.dat", "PlayMix.dat", "TransMix.dat"}) fs::remove(f);
  mixer_.devices = 0;
  MainForm& without = startProgram();
  window_.shown = false;
  without.closeRequest();
  EXPECT_FALSE(fs::exists("RecMix.dat"));
}

TEST_F(MainFormTest, ShutdownErrorsAreShownAndTheShutdownCompletes) {
  MainForm& form = startProgram();
  clock_.advance(600);
  fs::create_directory("~RecMix.dat.new");  // RecMix.dat cannot be written
  form.hotKey(4);                           // recording phrase 1
  fs::create_directory("~temp.wav");        // and its trimming fails
  log_.take();
  EXPECT_TRUE(form.closeRequest());
  EXPECT_EQ(ui_.errors, (std::vector<std::string>{"Cannot create file ~temp.wav.",
                                                  "Cannot create file RecMix.dat."}));
  EXPECT_TRUE(fs::exists("PlayMix.dat"));
  EXPECT_EQ(log_.calls.back(), "quit");
  EXPECT_FALSE(serial_.dtr);
}

TEST_F(MainFormTest, TrayClicksAndMenu) {
  MainForm& form = startProgram();
  log_.take();
  form.TrayIconClick(MouseButton::Right, 300, 5);
  form.TrayIconClick(MouseButton::Middle, 300, 5);
  EXPECT_EQ(log_.take(), (Calls{"menu at 290,-5"}));
  EXPECT_TRUE(form.recorderOn());

  const auto& e = form.menu().entries();
  ASSERT_EQ(e.size(), 18u);
  EXPECT_EQ(e[0].caption, "Включить/выключить");
  EXPECT_EQ(e[0].shortcut, "F11");
  EXPECT_TRUE(e[0].checked);
  EXPECT_TRUE(e[1].separator());
  EXPECT_EQ(e[2].caption, "Воспроизвести  фразу 1");
  EXPECT_EQ(e[7].caption, "Записать  фразу 1");
  EXPECT_EQ(e[7].image, 4);
  EXPECT_EQ(e[12].caption, "Стоп");
  EXPECT_EQ(e[14].caption, "Настройки...");
  EXPECT_EQ(e[14].image, 10);
  EXPECT_EQ(e[16].image, -1);
  EXPECT_EQ(e[17].caption, "Выход из программы");
  EXPECT_EQ(e[17].image, 9);
}

TEST_F(MainFormTest, RefusedKeysAreSilentAndRetriedWhenEnabledAgain) {
  ui_.refusedKeys = {0};
  MainForm& form = startProgram();
  EXPECT_EQ(ui_.registeredKeys.count(0), 0u);
  EXPECT_TRUE(ui_.errors.empty());
  form.mnOnOffClick();
  ui_.refusedKeys.clear();
  log_.take();
  form.mnOnOffClick();
  EXPECT_EQ(log_.calls.front(), "register F1");
  EXPECT_EQ(ui_.registeredKeys.count(0), 1u);
}

TEST_F(MainFormTest, OverlappingDialogsEachOwnTheirAnswer) {
  MainForm& form = startProgram();
  form.settings().chConfRecord.setState(CheckState::Checked);
  ui_.whileAboutOpen = [&] { form.mnAboutClick(); };
  log_.take();
  form.mnAboutClick();
  EXPECT_EQ(log_.take(), (Calls{"about dialog", "about dialog", "about closed", "about closed"}));

  // F5 declined while F6 inside its dialog is accepted: phrase 2 records, phrase 1 does not.
  ui_.confirmAnswers = {{2, [&] { form.hotKey(5); }}, {6, {}}};
  form.hotKey(4);
  EXPECT_EQ(wave_.element, "F2.wav");
  EXPECT_EQ(wave_.currentMode(), kModeRecording);
  EXPECT_FALSE(fs::exists("F1.wav"));
}

TEST_F(MainFormTest, ErrorsReachTheErrorBoxAndTheProgramGoesOn) {
  MainForm& form = startProgram();
  form.settings().rgParallel.setSelected(true);
  form.settings().cbAdress.setText("zz");
  form.rgDTRClick();
  EXPECT_EQ(ui_.errors.back(), "'$zz' is not a valid integer value.");

  fs::create_directory("Kelvado.ini");  // the settings file cannot be written
  form.menuClick("mnSetup");
  form.btSaveClick();
  EXPECT_EQ(ui_.errors.back(), "Unable to write to Kelvado.ini.");
  EXPECT_TRUE(window_.shown);  // stays open, values still live

  for (auto [message, shown] : std::initializer_list<std::pair<const char*, const char*>>{
           {"Stream write error", "Stream write error."},
           {"Ends with a dot.", "Ends with a dot."},
           {"", ""},
           {"Ошибка", "Ошибка."},
           {"count: 5", "count: 5."},
           {"(note)", "(note)"}}) {
    EXPECT_EQ(ErrorBoxText(message), shown);
  }
}

}  // namespace
}  // namespace kelvado
