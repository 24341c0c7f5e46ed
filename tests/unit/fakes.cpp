#include "unit/fakes.h"

#include <filesystem>

#include "unit/wave_fixture.h"

namespace kelvado::test {

uint32_t FakeWaveDevice::open(const std::string& name) {
  log_.add("open " + (name.empty() ? std::string("<new>") : name));
  if (failOpens || (!name.empty() && name == unopenable) ||
      (!name.empty() && !std::filesystem::exists(name)))
    return kFileNotFound;
  isOpen = true;
  element = name;
  mode_ = kModeStopped;
  return 0;
}

uint32_t FakeWaveDevice::close() {
  log_.add("close");
  if (failCloses) return 263;
  isOpen = false;
  mode_ = kModeNotReady;
  return 0;
}

uint32_t FakeWaveDevice::play() {
  log_.add("play");
  if (!isOpen) return 1;
  mode_ = kModePlaying;
  return 0;
}

uint32_t FakeWaveDevice::record() {
  log_.add("record");
  if (!isOpen) return 1;
  mode_ = kModeRecording;
  return 0;
}

uint32_t FakeWaveDevice::stop() {
  log_.add("stop");
  if (IsActiveMode(mode_)) mode_ = kModeStopped;
  return 0;
}

uint32_t FakeWaveDevice::save(const std::string& file) {
  log_.add("save " + file);
  WriteWave(file, recordedSamples);
  return 0;
}

uint32_t FakeWaveDevice::mode(uint8_t& mode) {
  if (!isOpen) return 1;
  mode = mode_;
  return 0;
}

std::optional<std::string> FakeWaveDevice::errorText(uint32_t code) {
  if (code == kFileNotFound) return "Файл не найден";
  return std::nullopt;
}

bool FakeSerialPort::open(const std::string& name) {
  log_.add("serial open " + name);
  if (failOpen) return false;
  isOpen = true;
  device = name;
  dtr = rts = true;
  return true;
}

void FakeSerialPort::close() {
  log_.add("serial close");
  isOpen = false;
}

void FakeSerialPort::setDtr(bool asserted) {
  log_.add(std::string("DTR ") + (asserted ? "on" : "off"));
  dtr = asserted;
}

void FakeSerialPort::setRts(bool asserted) {
  log_.add(std::string("RTS ") + (asserted ? "on" : "off"));
  rts = asserted;
}

void FakeIoPort::write(uint16_t port, uint8_t value) {
  char text[32];
  std::snprintf(text, sizeof text, "io %04X=%02X", port, value);
  log_.add(text);
  lastByte[port] = value;
}

FakeMixerDevice::Line& FakeMixerDevice::lineAt(const MixerLine& line) {
  Destination& d = destinations.at(static_cast<size_t>(line.destination));
  return line.connection < 0 ? d.line : d.connections.at(static_cast<size_t>(line.connection));
}

size_t FakeMixerDevice::addControl(Line& line, MixerControlInfo info,
                                   std::vector<uint32_t> values) {
  line.controls.push_back(info);
  line.values.push_back(std::move(values));
  line.unreadable.push_back(false);
  return line.controls.size() - 1;
}

bool FakeMixerDevice::getValues(const MixerLine& line, size_t control, int channels,
                                std::vector<uint32_t>& values) {
  Line& l = lineAt(line);
  if (l.unreadable.at(control)) return false;
  const MixerControlInfo& info = l.controls.at(control);
  const size_t count = static_cast<size_t>(channels) * (info.items ? info.items : 1);
  values = l.values.at(control);
  values.resize(count, values.empty() ? 0 : values.back());
  return true;
}

bool FakeMixerDevice::setValues(const MixerLine& line, size_t control, int,
                                const std::vector<uint32_t>& values) {
  std::string call = "mixer " + std::to_string(line.destination) + "," +
                     std::to_string(line.connection) + "#" + std::to_string(control) + "=";
  for (size_t i = 0; i < values.size(); ++i) call += (i ? " " : "") + std::to_string(values[i]);
  log_.add(call);
  lineAt(line).values.at(control) = values;
  return true;
}

FakeMixerDevice::Line StandardLine(uint32_t left, uint32_t right, bool muted) {
  FakeMixerDevice::Line line;
  line.controls = {{kControlTypeVolume, 0, 0}, {kControlTypeMute, kControlFlagUniform, 0}};
  line.values = {{left, right}, {muted ? 1u : 0u}};
  line.unreadable = {false, false};
  return line;
}

int FakePhraseUi::confirmRecord() {
  log_.add("confirm dialog");
  ++dialogsShown;
  if (answers.empty()) return kModalYes;
  Answer answer = answers.front();
  answers.erase(answers.begin());
  if (answer.whileOpen) answer.whileOpen();
  return answer.result;
}

}  // namespace kelvado::test

namespace kelvado::test {

void VirtualClock::add(Timer& timer) {
  const size_t index = entries_.size();
  entries_.push_back({&timer, now_ + timer.interval()});
  timer.onChange = [this, index] {
    entries_[index].due = now_ + entries_[index].timer->interval();
  };
}

void VirtualClock::advance(int ms) {
  for (int i = 0; i < ms; ++i) {
    ++now_;
    for (size_t k = 0; k < entries_.size(); ++k) {
      Entry& e = entries_[k];
      if (!e.timer->enabled() || e.due > now_) continue;
      e.due = now_ + e.timer->interval();
      e.timer->fire();
    }
  }
}

}  // namespace kelvado::test
