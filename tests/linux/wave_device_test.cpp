#include <gtest/gtest.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/un.h>

#include <chrono>
#include <filesystem>
#include <iostream>
#include <string>
#include <thread>

#include "child_process.h"
#include "devices/portaudio_wave_device.h"
#include "devices/unique_fd.h"
#include "devices/wave_errors.h"
#include "playback_timing.h"
#include "unit/wave_fixture.h"

namespace kelvado {
namespace {

using namespace std::chrono_literals;
using test::Clock;
using test::Ms;

constexpr double kToneHz = 1000;

// A 1 kHz tone at half scale, made by sox: `format` is sox's sample options.
void MakeTone(const std::string& path, const std::vector<std::string>& format, double seconds,
              double silence_around = 0) {
  std::vector<std::string> argv = {"sox", "-n"};
  argv.insert(argv.end(), format.begin(), format.end());
  for (const std::string& arg :
       {path, std::string("synth"), std::to_string(seconds), std::string("sine"),
        std::to_string(kToneHz), std::string("vol"), std::string("0.5")}) {
    argv.push_back(arg);
  }
  if (silence_around > 0) {
    argv.insert(argv.end(),
                {"pad", std::to_string(silence_around), std::to_string(silence_around)});
  }
  ASSERT_EQ(test::Run(argv), 0);
}

int ModeOf(WaveAudioDevice& device) {
  uint8_t mode = kModeNotReady;
  EXPECT_EQ(device.mode(mode), 0u);
  return mode;
}

class WaveDeviceTest : public ::testing::Test {
 protected:
  test::ScopedWorkDir dir_;
  PortAudioWaveDevice device_;
};

struct FormatCase {
  const char* name;
  std::vector<std::string> soxFormat;
};

void PrintTo(const FormatCase& format, std::ostream* out) {
  *out << format.name;
}

class PlaybackTest : public WaveDeviceTest, public ::testing::WithParamInterface<FormatCase> {};

// Every sample reaches the sink, in real time and at the file's own rate, before the mode
// leaves playing: the transmitter is released by the poll that sees that change.
TEST_P(PlaybackTest, PlaysWholeFileInRealTimeAndEndsOnlyAfterTheLastSample) {
  MakeTone("F1.wav", GetParam().soxFormat, 1.0);
  const test::PlaybackTiming t = test::PlayAndWatch(device_, "F1.wav");

  EXPECT_TRUE(t.playingWhenPlayReturned) << "play() must return while the sound plays on";
  ASSERT_TRUE(t.sound) << "nothing reached the sink";
  EXPECT_NEAR(t.soundSeconds(), 1.0, 0.01) << "samples lost or added";
  EXPECT_NEAR(test::ZeroCrossingFrequency(t.captured, *t.sound, 22050), kToneHz, 5.0);
  // Paced by the sink, not handed over at once (the upper bound only catches long stalls).
  const double arrival_span = Ms(t.lastArrived - t.firstArrived);
  EXPECT_GT(arrival_span, 900);
  EXPECT_LT(arrival_span, 1600);
  EXPECT_GE(t.releaseGapMs(), 0) << "the mode left playing before the last sample was heard";

  std::cout << GetParam().name << ": start delay " << t.startDelayMs() << " ms, release gap "
            << t.releaseGapMs() << " ms" << std::endl;
  RecordProperty("start_delay_ms", static_cast<int>(t.startDelayMs()));
  RecordProperty("release_gap_ms", static_cast<int>(t.releaseGapMs()));
}

INSTANTIATE_TEST_SUITE_P(
    Formats, PlaybackTest,
    ::testing::Values(FormatCase{"Recording16BitMono22050", {"-r", "22050", "-c", "1", "-b", "16"}},
                      FormatCase{"User16BitStereo44100", {"-r", "44100", "-c", "2", "-b", "16"}},
                      FormatCase{"FloatMono48000",
                                 {"-r", "48000", "-c", "1", "-e", "floating-point", "-b", "32"}}),
    [](const auto& test_case) { return std::string(test_case.param.name); });

TEST_F(WaveDeviceTest, StopEndsPlaybackAtOnce) {
  MakeTone("F1.wav", {"-r", "22050", "-c", "1", "-b", "16"}, 5.0);
  ASSERT_EQ(device_.open("F1.wav"), 0u);
  ASSERT_EQ(device_.play(), 0u);
  EXPECT_EQ(ModeOf(device_), kModePlaying);
  EXPECT_EQ(device_.stop(), 0u);
  EXPECT_EQ(ModeOf(device_), kModeStopped);
  EXPECT_EQ(device_.close(), 0u);
  uint8_t mode;
  EXPECT_NE(device_.mode(mode), 0u) << "no mode without an open element";
}

// A recording stopped at once holds no sound; playing it must still end by itself, and be
// seen playing first, or the transmitter keyed for it would never be released.
TEST_F(WaveDeviceTest, AnEmptyRecordingPlaysAndEndsByItself) {
  std::filesystem::copy_file(KELVADO_TEMPLATE_WAV, "F1.wav");
  ASSERT_EQ(device_.open("F1.wav"), 0u);
  ASSERT_EQ(device_.play(), 0u);
  EXPECT_EQ(ModeOf(device_), kModePlaying);
  const auto deadline = Clock::now() + 10s;
  while (ModeOf(device_) == kModePlaying && Clock::now() < deadline) {
    std::this_thread::sleep_for(1ms);
  }
  EXPECT_EQ(ModeOf(device_), kModeStopped);
}

// The sound server stops answering in the middle of a phrase (here: it is stopped). The
// keyer must not keep the transmitter keyed for ever.
TEST_F(WaveDeviceTest, PlaybackEndsSomeSecondsLateWhenTheSoundServerStalls) {
  MakeTone("F1.wav", {"-r", "22050", "-c", "1", "-b", "16"}, 1.0);
  const pid_t server =
      std::stoi(test::ReadBytes(std::string(getenv("KELVADO_PULSE_DIR")) + "/pids"));
  ASSERT_EQ(device_.open("F1.wav"), 0u);
  ASSERT_EQ(device_.play(), 0u);
  ASSERT_EQ(kill(server, SIGSTOP), 0);
  const auto stopped = Clock::now();
  while (ModeOf(device_) == kModePlaying && Clock::now() < stopped + 30s) {
    std::this_thread::sleep_for(10ms);
  }
  const double ms = Ms(Clock::now() - stopped);
  kill(server, SIGCONT);
  EXPECT_EQ(ModeOf(device_), kModeStopped);
  EXPECT_GE(ms, 1000) << "given up before the sound could have ended";
  EXPECT_EQ(device_.stop(), 0u);
}

// F5: the template is copied and opened, the operator speaks, F9 stops and saves.
TEST_F(WaveDeviceTest, RecordsTheInputIntoTheTemplateAndSavesCanonicalWave) {
  std::filesystem::copy_file(KELVADO_TEMPLATE_WAV, "F1.wav");
  MakeTone("speech.wav", {"-r", "22050", "-c", "1", "-b", "16"}, 1.0, 0.3);
  ASSERT_EQ(device_.open("F1.wav"), 0u);
  ASSERT_EQ(device_.record(), 0u);
  EXPECT_EQ(ModeOf(device_), kModeRecording);
  ASSERT_EQ(test::Run({"paplay", "-d", "mic", "speech.wav"}), 0);
  EXPECT_EQ(ModeOf(device_), kModeRecording);
  ASSERT_EQ(device_.stop(), 0u);
  EXPECT_EQ(ModeOf(device_), kModeStopped);
  ASSERT_EQ(device_.save("F1.wav"), 0u);

  const std::string bytes = test::ReadBytes("F1.wav");
  ASSERT_GT(bytes.size(), 44u);
  std::string header = test::ReadBytes(KELVADO_TEMPLATE_WAV);
  const auto data_size = static_cast<uint32_t>(bytes.size() - 44);
  for (auto [offset, value] : {std::pair{4, data_size + 36}, std::pair{40, data_size}}) {
    for (int i = 0; i < 4; ++i) header[offset + i] = static_cast<char>(value >> (8 * i));
  }
  EXPECT_EQ(bytes.substr(0, 44), header);

  const std::vector<int16_t> samples = test::ReadSamples("F1.wav");
  const auto sound = test::FindLoudSpan(samples, 2000);
  ASSERT_TRUE(sound) << "nothing recorded";
  EXPECT_NEAR(static_cast<double>(sound->length()) / 22050, 1.0, 0.01);
  EXPECT_NEAR(test::ZeroCrossingFrequency(samples, *sound, 22050), kToneHz, 5.0);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator("."), {}), 2)
      << "a temporary file was left behind";
}

TEST(WaveTemplate, IsAnEmptyCanonical16BitMono22050Recording) {
  const std::string bytes = test::ReadBytes(KELVADO_TEMPLATE_WAV);
  ASSERT_EQ(bytes.size(), 44u);
  EXPECT_EQ(bytes.substr(0, 4), "RIFF");
  EXPECT_EQ(test::Le32At(bytes, 4), 36u);
  EXPECT_EQ(bytes.substr(8, 8), "WAVEfmt ");
  EXPECT_EQ(test::Le32At(bytes, 16), 16u);
  EXPECT_EQ(test::Le32At(bytes, 20), 1u | (1u << 16));  // PCM, mono
  EXPECT_EQ(test::Le32At(bytes, 24), 22050u);
  EXPECT_EQ(test::Le32At(bytes, 28), 44100u);
  EXPECT_EQ(test::Le32At(bytes, 32), 2u | (16u << 16));  // 2 bytes a frame, 16 bits
  EXPECT_EQ(bytes.substr(36, 4), "data");
  EXPECT_EQ(test::Le32At(bytes, 40), 0u);
}

struct OpenFailure {
  const char* name;
  const char* content;  // nullptr: no file
  uint32_t code;
  const char* text;
};

void PrintTo(const OpenFailure& failure, std::ostream* out) {
  *out << failure.name;
}

class OpenFailureTest : public WaveDeviceTest, public ::testing::WithParamInterface<OpenFailure> {};

TEST_P(OpenFailureTest, FailsWithTheReasonAndLeavesNothingOpen) {
  if (GetParam().content) test::WriteBytes("F1.wav", GetParam().content);
  const uint32_t code = device_.open("F1.wav");
  EXPECT_EQ(code, GetParam().code);
  EXPECT_EQ(device_.errorText(code), GetParam().text);
  EXPECT_EQ(device_.play(), kWaveNoDeviceOpen);
  uint8_t mode;
  EXPECT_NE(device_.mode(mode), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Files, OpenFailureTest,
    ::testing::Values(
        OpenFailure{"Missing", nullptr, kWaveFileNotFound,
                    "Не удалось открыть файл F1.wav: файл не найден"},
        OpenFailure{"NotSound", "RIFF\x10\0\0\0WAVEjunkjunkjunk", kWaveFileNotDecodable,
                    "Не удалось открыть файл F1.wav: это не звуковой файл или его формат не "
                    "поддерживается"},
        OpenFailure{"Empty", "", kWaveFileNotDecodable,
                    "Не удалось открыть файл F1.wav: это не звуковой файл или его формат не "
                    "поддерживается"}),
    [](const auto& test_case) { return std::string(test_case.param.name); });

TEST_F(WaveDeviceTest, HasNoTextForCodesItDoesNotKnow) {
  EXPECT_EQ(device_.errorText(0), std::nullopt);
  EXPECT_EQ(device_.errorText(12345), std::nullopt);
}

// Opens the device in a process of its own, with `environment` ("NAME=value" items) for
// its sound system. Returns all the process wrote, on standard output (the result code and
// its text, on two lines) and on standard error (nothing: the sound libraries are silenced).
std::string ProbeOpen(const std::vector<std::string>& environment, int timeout_ms,
                      double* ms = nullptr) {
  std::vector<std::string> argv = {"timeout", "60", "env"};
  argv.insert(argv.end(), environment.begin(), environment.end());
  argv.insert(argv.end(), {KELVADO_WAVE_OPEN_PROBE, std::to_string(timeout_ms)});
  std::string output;
  const auto start = Clock::now();
  EXPECT_EQ(test::Run(argv, &output, test::Captured::StdoutAndStderr), 0);
  if (ms) *ms = Ms(Clock::now() - start);
  return output;
}

std::string ProbeOutput(uint32_t code, const std::string& text) {
  return std::to_string(code) + "\n" + text + "\n";
}

TEST_F(WaveDeviceTest, OpensTheSoundServerQuietly) {
  EXPECT_EQ(ProbeOpen({}, 5000), ProbeOutput(0, ""));
}

TEST_F(WaveDeviceTest, OpenFailsWithATextWhenTheSystemHasNoSoundDevice) {
  // The default device names a sound card that is not there, and no sound server runs.
  test::WriteBytes("asound.conf", "pcm.!default { type hw card 99 }\n");
  EXPECT_EQ(ProbeOpen({"ALSA_CONFIG_PATH=" + dir_.path() + "/asound.conf"}, 5000),
            ProbeOutput(kWaveNoSoundDevice,
                        "Не удалось открыть звуковое устройство: в системе нет устройства "
                        "воспроизведения и записи звука"));
}

// A server that accepts connections and never answers makes the sound libraries wait
// forever; the device gives up after its timeout.
TEST_F(WaveDeviceTest, OpenGivesUpOnASoundServerThatDoesNotAnswer) {
  const std::string socket_path = dir_.path() + "/frozen";
  UniqueFd server(socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  socket_path.copy(address.sun_path, sizeof address.sun_path - 1);
  ASSERT_EQ(bind(server.get(), reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  ASSERT_EQ(listen(server.get(), 8), 0);

  double ms = 0;
  EXPECT_EQ(ProbeOpen({"PULSE_SERVER=unix:" + socket_path}, 1000, &ms),
            ProbeOutput(kWaveSoundSystemNotResponding,
                        "Не удалось открыть звуковое устройство: звуковой сервер не отвечает"));
  EXPECT_GE(ms, 1000);
  EXPECT_LT(ms, 30000);
}

}  // namespace
}  // namespace kelvado
