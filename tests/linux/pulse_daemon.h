#pragma once

namespace kelvado::test {

// Points this process's sound clients (PortAudio, ALSA's "default", pactl, parec, paplay)
// at the daemon that start-pulse.sh started in $KELVADO_PULSE_DIR, by loading DIR/env.
// Fails the test run when the variable or the file is missing.
void UsePulseDaemon();

}  // namespace kelvado::test
