#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "common/timer.h"
#include "mixer/mixer_device.h"
#include "phrases/phrase_controller.h"
#include "phrases/wave_device.h"
#include "ptt/port_devices.h"

namespace kelvado::test {

// Every device call in order, across all fakes that share it.
struct CallLog {
  std::vector<std::string> calls;
  void add(std::string call) { calls.push_back(std::move(call)); }
  std::vector<std::string> take() { return std::exchange(calls, {}); }
};

inline constexpr uint32_t kFileNotFound = 275;

// A wave-audio device whose playback ends when the test says so, and whose save writes a
// real wave file of `recordedSamples`.
class FakeWaveDevice : public WaveAudioDevice {
 public:
  explicit FakeWaveDevice(CallLog& log) : log_(log) {}

  uint32_t open(const std::string& element) override;
  uint32_t close() override;
  uint32_t play() override;
  uint32_t record() override;
  uint32_t stop() override;
  uint32_t save(const std::string& file) override;
  uint32_t mode(uint8_t& mode) override;
  std::optional<std::string> errorText(uint32_t code) override;

  void finishPlayback() { mode_ = kModeStopped; }

  std::vector<int16_t> recordedSamples = std::vector<int16_t>(100, 0);
  bool failOpens = false;
  std::string unopenable;  // an element that fails to open
  bool failCloses = false;
  bool isOpen = false;
  std::string element;
  uint8_t currentMode() const { return mode_; }

 private:
  CallLog& log_;
  uint8_t mode_ = kModeNotReady;
};

class FakeSerialPort : public SerialPortDevice {
 public:
  explicit FakeSerialPort(CallLog& log) : log_(log) {}
  bool open(const std::string& device_name) override;
  void close() override;
  void setDtr(bool asserted) override;
  void setRts(bool asserted) override;

  bool failOpen = false;
  bool isOpen = false;
  bool dtr = false, rts = false;
  std::string device;

 private:
  CallLog& log_;
};

class FakeIoPort : public IoPortDevice {
 public:
  explicit FakeIoPort(CallLog& log) : log_(log) {}
  void open() override { log_.add("io open"); }
  void close() override { log_.add("io close"); }
  void write(uint16_t port, uint8_t value) override;

  std::map<uint16_t, uint8_t> lastByte;

 private:
  CallLog& log_;
};

// A mixer built by the test: destinations with their own controls, and connections.
class FakeMixerDevice : public MixerDevice {
 public:
  struct Line {
    int channels = 2;
    std::vector<MixerControlInfo> controls;
    std::vector<std::vector<uint32_t>> values;  // per control
    std::vector<bool> unreadable;               // per control
  };
  struct Destination {
    Line line;
    std::vector<Line> connections;
  };

  explicit FakeMixerDevice(CallLog& log) : log_(log) {}

  int deviceCount() override { return devices; }
  bool open() override { return !failOpen; }
  int destinationCount() override { return static_cast<int>(destinations.size()); }
  int connectionCount(int d) override {
    return static_cast<int>(destinations.at(static_cast<size_t>(d)).connections.size());
  }
  int channelCount(const MixerLine& line) override { return lineAt(line).channels; }
  std::vector<MixerControlInfo> controls(const MixerLine& line) override {
    return lineAt(line).controls;
  }
  bool getValues(const MixerLine& line, size_t control, int channels,
                 std::vector<uint32_t>& values) override;
  bool setValues(const MixerLine& line, size_t control, int channels,
                 const std::vector<uint32_t>& values) override;

  Line& lineAt(const MixerLine& line);
  // Adds a control with its initial values; returns its index.
  size_t addControl(Line& line, MixerControlInfo info, std::vector<uint32_t> values);

  int devices = 1;
  bool failOpen = false;
  std::vector<Destination> destinations;

 private:
  CallLog& log_;
};

// A standard line: volume fader (two channels) and mute switch, both uniform where asked.
FakeMixerDevice::Line StandardLine(uint32_t left, uint32_t right, bool muted);

class FakePhraseUi : public PhraseUi {
 public:
  explicit FakePhraseUi(CallLog& log) : log_(log) {}
  int confirmRecord() override;
  void showTrayIcon(int index) override { icon = index; }

  // Answers for the next dialogs, first first; each may run an action while "open".
  struct Answer {
    int result = kModalYes;
    std::function<void()> whileOpen;
  };
  std::vector<Answer> answers;
  int icon = -1;
  int dialogsShown = 0;

 private:
  CallLog& log_;
};

}  // namespace kelvado::test

namespace kelvado::test {

// Runs core timers on virtual time: enabling a timer or changing its interval restarts its
// period, as a real timer does.
class VirtualClock {
 public:
  void add(Timer& timer);
  void advance(int ms);
  int64_t now() const { return now_; }

 private:
  struct Entry {
    Timer* timer;
    int64_t due;
  };
  std::vector<Entry> entries_;
  int64_t now_ = 0;
};

}  // namespace kelvado::test
