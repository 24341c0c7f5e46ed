#include "phrases/phrase_controller.h"

#include <algorithm>
#include <climits>
#include <filesystem>

#include "common/error.h"
#include "phrases/silence_trimmer.h"

namespace kelvado {

namespace fs = std::filesystem;

std::string PhraseFileName(int slot) {
  return "F" + std::to_string(slot) + ".wav";
}

template <typename Operation>
void PhraseController::guarded(Operation operation) {
  try {
    operation();
  } catch (...) {
    recover();
    throw;
  }
}

void PhraseController::recover() noexcept {
  ptt_.releaseLine();
  Recording = false;
  StopBusy = false;
  if (player_.isOpen()) return;
  // The next stop needs an open device: the current file if it opens, else an empty one.
  try {
    player_.open();
  } catch (...) {
    player_.FileName.clear();
    try {
      player_.open();
    } catch (...) {
      // The device itself is gone; every later command reports it.
    }
  }
}

void PhraseController::applyIfMixer(const MixerSnapshot& preset) {
  if (settings_.chMixer.ticked()) mixer_.applyPreset(preset);
}

void PhraseController::PlayPhrase(int slot) {
  if (StopBusy) return;
  guarded([&] {
    StopAll();
    const std::string file = PhraseFileName(slot);
    std::error_code ec;
    if (!fs::exists(file, ec)) return;
    ptt_.PttOn();
    applyIfMixer(mixer_.MixerTransmit);
    player_.FileName = file;
    player_.open();
    player_.play();
    if (settings_.chAutoRepeat.ticked()) RepeatArmed = 1;
    TimerAuto.setEnabled(false);
  });
}

// The slot's file becomes a copy of the template in one step, so that a missing or
// unreadable template never costs the operator the phrase recorded before.
void PhraseController::replaceWithTemplate(const std::string& file_name) {
  const fs::path temp = "~" + file_name + ".new";
  std::error_code ec;
  if (!fs::copy_file(kTemplateFile, temp, fs::copy_options::overwrite_existing, ec)) {
    fs::remove(temp, ec);
    throw Error(std::string("Cannot open file ") + kTemplateFile);
  }
  fs::rename(temp, file_name, ec);
  if (ec) {
    fs::remove(temp, ec);
    throw Error("Cannot create file " + file_name);
  }
}

void PhraseController::RecordPhrase(int slot) {
  if (StopBusy) return;
  guarded([&] {
    StopAll();
    // A recording never transmits: release a line that playback may have keyed.
    ptt_.releaseLine();
    if (settings_.chConfRecord.ticked()) {
      if (ui_.confirmRecord() != kModalYes) return;
      // Another request may have started a recording while the dialog was open: finish it
      // rather than lose it.
      if (Recording) StopAll();
    }
    applyIfMixer(mixer_.MixerRecord);
    player_.close();
    Recording = true;
    const std::string file = PhraseFileName(slot);
    replaceWithTemplate(file);
    player_.FileName = file;
    player_.open();
    player_.startRecording();
    RepeatArmed = 0;
    TimerAuto.setEnabled(false);
  });
}

void PhraseController::StopAll() {
  guarded([&] {
    StopBusy = true;
    player_.stop();
    if (Recording) {
      player_.save();
      player_.close();
      if (settings_.chAuto.ticked()) {
        TrimSilence(player_.FileName, settings_.seBegin.Value(), settings_.seEnd.Value(),
                    settings_.trimThreshold());
      }
      player_.open();
    }
    Recording = false;
    StopBusy = false;
    applyIfMixer(mixer_.MixerReceive);
    RepeatArmed = 0;
    TimerAuto.setEnabled(false);
  });
}

void PhraseController::TimerTimer() {
  if (player_.mode() != LastMode) {
    if (!IsActiveMode(player_.mode())) {
      try {
        ptt_.PttOff();
      } catch (...) {
        // Report a failed release once per change of mode, not on every tick.
        LastMode = player_.mode();
        throw;
      }
      if (RepeatArmed) {
        TimerAuto.setEnabled(false);
        TimerAuto.setInterval(
            static_cast<int>(std::min<int64_t>(settings_.repeatDelayMs(), INT_MAX)));
        TimerAuto.setEnabled(true);
      }
    }
    LastMode = player_.mode();
  }
  const uint8_t mode = player_.mode();
  int icon = IconState;
  if (mode == kModePlaying) {
    icon = 1;
  } else if (mode == kModeRecording) {
    icon = 2;
  } else if (RepeatArmed) {
    icon = 4;
  }
  ui_.showTrayIcon(icon);
}

void PhraseController::TimerAutoTimer() {
  guarded([&] {
    ptt_.PttOn();
    applyIfMixer(mixer_.MixerTransmit);
    player_.open();
    player_.play();
    TimerAuto.setEnabled(false);
  });
}

}  // namespace kelvado
