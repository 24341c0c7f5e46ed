#include "devices/audio_library_messages.h"

#include <alsa/asoundlib.h>
#include <dlfcn.h>

#include <mutex>

namespace kelvado {

namespace {

void IgnoreAlsaMessage(const char*, int, const char*, int, const char*, ...) {}
void IgnoreJackMessage(const char*) {}

// libjack is loaded by PortAudio only on some systems, so it is looked up, not linked.
void SilenceJack() {
  using SetHandler = void (*)(void (*)(const char*));
  for (const char* name : {"jack_set_error_function", "jack_set_info_function"}) {
    if (void* symbol = dlsym(RTLD_DEFAULT, name)) {
      reinterpret_cast<SetHandler>(symbol)(IgnoreJackMessage);
    }
  }
}

}  // namespace

void SilenceAudioLibraryMessages() {
  static std::once_flag once;
  std::call_once(once, [] {
    snd_lib_error_set_handler(IgnoreAlsaMessage);
    SilenceJack();
  });
}

}  // namespace kelvado
