#pragma once

#include <cstdint>
#include <string>

#include "common/timer.h"
#include "mixer/mixer_presets.h"
#include "phrases/media_player.h"
#include "ptt/ptt_control.h"
#include "settings/settings_record.h"

namespace kelvado {

// What the phrase controller asks of the user interface.
class PhraseUi {
 public:
  virtual ~PhraseUi() = default;
  // Shows a new record-confirmation dialog modally and returns its modal result (6 is yes).
  // Other operations may run while it is open.
  virtual int confirmRecord() = 0;
  virtual void showTrayIcon(int index) = 0;
};

inline constexpr int kModalYes = 6;
inline constexpr const char* kTemplateFile = "signature.wav";

// "F1.wav" to "F4.wav".
std::string PhraseFileName(int slot);

// Plays, records, stops and repeats the four phrases, and releases the transmitter when the
// poll sees playback end. Every operation that fails leaves a safe state behind: the PTT
// line released, no recording pending, a device open and StopBusy clear.
class PhraseController {
 public:
  PhraseController(SettingsRecord& settings, MediaPlayer& player, PttControl& ptt,
                   MixerPresets& mixer, Timer& timer_auto, PhraseUi& ui)
      : settings_(settings),
        player_(player),
        ptt_(ptt),
        mixer_(mixer),
        TimerAuto(timer_auto),
        ui_(ui) {}

  void PlayPhrase(int slot);
  void RecordPhrase(int slot);
  void StopAll();
  void TimerTimer();
  void TimerAutoTimer();

  bool Recording = false;
  bool StopBusy = false;
  uint8_t RepeatArmed = 0;
  uint8_t LastMode = 0;
  uint8_t IconState = 0;  // written by the on/off switch

 private:
  template <typename Operation>
  void guarded(Operation operation);
  void recover() noexcept;
  void applyIfMixer(const MixerSnapshot& preset);
  void replaceWithTemplate(const std::string& file_name);

  SettingsRecord& settings_;
  MediaPlayer& player_;
  PttControl& ptt_;
  MixerPresets& mixer_;
  Timer& TimerAuto;
  PhraseUi& ui_;
};

}  // namespace kelvado
