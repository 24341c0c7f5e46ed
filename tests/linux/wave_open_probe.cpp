// Opens the wave-audio device once, in a process of its own, so that a test can give it a
// sound system of its choosing through the environment. Usage: wave_open_probe TIMEOUT_MS.
// Prints the result code and its text on two lines.
#include <chrono>
#include <iostream>
#include <string>

#include "devices/portaudio_wave_device.h"

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  kelvado::PortAudioWaveDevice device(std::chrono::milliseconds(std::stoi(argv[1])));
  const uint32_t code = device.open("");
  std::cout << code << '\n' << device.errorText(code).value_or("") << std::endl;
  return 0;
}
