// Prints how the wave-audio device times playback on a real sound server: the delay from
// play() to the first sample reaching the sink, and the gap from the last sample reaching the
// sink to the mode leaving playing, which is when the keyer releases the transmitter (never
// negative). Starts a private PulseAudio daemon of its own with the test scripts.
// Usage: wave_timing_bench [RUNS]
#include <stdlib.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "child_process.h"
#include "devices/portaudio_wave_device.h"
#include "playback_timing.h"
#include "pulse_daemon.h"

namespace {

void PrintFigures(const char* name, std::vector<double> values) {
  std::sort(values.begin(), values.end());
  std::printf("%-40s min %7.1f  median %7.1f  max %7.1f ms\n", name, values.front(),
              values[values.size() / 2], values.back());
}

}  // namespace

int main(int argc, char** argv) {
  using kelvado::test::Run;
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
  char dir_template[] = "/tmp/kelvado-bench-XXXXXX";
  const std::string dir = mkdtemp(dir_template);
  const std::string scripts = KELVADO_PULSE_SCRIPTS;
  if (Run({scripts + "/start-pulse.sh", dir + "/pulse"}) != 0) return 1;
  setenv("KELVADO_PULSE_DIR", (dir + "/pulse").c_str(), 1);
  kelvado::test::UsePulseDaemon();

  const std::string tone = dir + "/tone.wav";
  int status = Run({"sox", "-n", "-r", "22050", "-c", "1", "-b", "16", tone, "synth", "1", "sine",
                    "1000", "vol", "0.5"});
  std::vector<double> delays, gaps, seconds;
  {
    kelvado::PortAudioWaveDevice device;
    for (int i = 0; status == 0 && i < runs; ++i) {
      const auto timing = kelvado::test::PlayAndWatch(device, tone);
      if (!timing.sound) {
        std::fprintf(stderr, "run %d: nothing reached the sink\n", i + 1);
        status = 1;
        break;
      }
      delays.push_back(timing.startDelayMs());
      gaps.push_back(timing.releaseGapMs());
      seconds.push_back(timing.soundSeconds() * 1000);
    }
  }
  Run({scripts + "/stop-pulse.sh", dir + "/pulse"});
  std::filesystem::remove_all(dir);
  if (status != 0 || delays.empty()) return 1;

  std::printf("Playback of a 1 s tone, %d runs, PulseAudio null sink:\n", runs);
  PrintFigures("play() to first sample at the sink", delays);
  PrintFigures("last sample at the sink to not playing", gaps);
  PrintFigures("sound that reached the sink", seconds);
  return 0;
}
