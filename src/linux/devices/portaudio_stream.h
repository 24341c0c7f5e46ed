#pragma once

#include <portaudio.h>

#include <memory>

namespace kelvado {

struct PaStreamCloser {
  // Aborts a running stream first; PortAudio then no longer calls its callbacks.
  void operator()(PaStream* stream) const {
    Pa_AbortStream(stream);
    Pa_CloseStream(stream);
  }
};
using PaStreamPtr = std::unique_ptr<PaStream, PaStreamCloser>;

}  // namespace kelvado
