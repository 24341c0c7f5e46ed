#pragma once

namespace kelvado {

// ALSA, and JACK when PortAudio probes it, print diagnostics on stderr while devices are
// enumerated (dozens of lines on a machine without a sound card). The program has no console
// for them, and they bury test output, so they are turned off before the first audio call.
// Idempotent and safe from any thread.
void SilenceAudioLibraryMessages();

}  // namespace kelvado
