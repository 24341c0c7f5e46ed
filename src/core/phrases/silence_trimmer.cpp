#include "phrases/silence_trimmer.h"

#include <array>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <vector>

#include "common/error.h"
#include "phrases/wave_header.h"

namespace kelvado {

namespace {

namespace fs = std::filesystem;

constexpr size_t kHeaderBytes = kWaveHeaderBytes;
constexpr size_t kBlockBytes = 44100;  // one second of sound
constexpr int64_t kSamplesPerMs = 22;

using File = std::unique_ptr<FILE, int (*)(FILE*)>;

uint16_t Le16(const uint8_t* p) {
  return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

struct LoudSpan {
  int64_t counter = 1;
  int64_t start = 0;
  int64_t end = 0;
  bool found = false;
  bool ended = false;

  void scan(const uint8_t* bytes, int64_t samples, int64_t threshold) {
    for (int64_t i = 0; i < samples; ++i, ++counter) {
      const auto value = static_cast<int16_t>(Le16(bytes + 2 * i));
      if (value <= threshold) continue;
      if (!found) {
        start = counter;
        found = true;
      } else {
        end = counter;
        ended = true;
      }
    }
  }
};

void ReadExactly(FILE* in, uint8_t* buffer, size_t size) {
  if (std::fread(buffer, 1, size, in) != size) throw Error("Stream read error");
}

void WriteExactly(FILE* out, const uint8_t* buffer, size_t size) {
  if (std::fwrite(buffer, 1, size, out) != size) throw Error("Stream write error");
}

void WriteLe32At(FILE* out, long offset, uint32_t value) {
  const uint8_t bytes[4] = {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
                            static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 24)};
  if (std::fseek(out, offset, SEEK_SET) != 0) throw Error("Stream write error");
  WriteExactly(out, bytes, 4);
}

}  // namespace

TrimResult TrimSilence(const std::string& file_name, int32_t keep_begin_ms, int32_t keep_end_ms,
                       int64_t threshold) {
  File in(std::fopen(file_name.c_str(), "rb"), std::fclose);
  if (!in) throw Error("Cannot open file " + file_name);

  std::array<uint8_t, kHeaderBytes> header{};
  if (std::fread(header.data(), 1, header.size(), in.get()) != header.size() ||
      !IsPhraseHeader(header.data()))
    return TrimResult::UnsupportedFormat;  // not a recording of ours: leave it as recorded

  std::error_code ec;
  const auto file_size = static_cast<int64_t>(fs::file_size(file_name, ec));
  if (ec) throw Error("Stream read error");

  // Beside the phrase file, so that the final rename never crosses file systems.
  const fs::path temp = fs::path(file_name).parent_path() / kTrimTempFile;
  File out(std::fopen(temp.string().c_str(), "wb"), std::fclose);
  if (!out) throw Error(std::string("Cannot create file ") + kTrimTempFile);
  bool trimmed = false;
  try {
    WriteExactly(out.get(), header.data(), header.size());

    std::vector<uint8_t> buffer(kBlockBytes);
    LoudSpan span;
    int64_t position = kHeaderBytes;
    while (position < file_size - static_cast<int64_t>(kBlockBytes)) {
      ReadExactly(in.get(), buffer.data(), kBlockBytes);
      span.scan(buffer.data(), kBlockBytes / 2, threshold);
      position += kBlockBytes;
    }
    // The tail leaves out the file's last sample, as the scan always has.
    const int64_t rest = file_size - position;
    if (rest >= 2) {
      ReadExactly(in.get(), buffer.data(), static_cast<size_t>(rest - 2));
      span.scan(buffer.data(), rest / 2 - 1, threshold);
    }

    const int64_t data_bytes = file_size - static_cast<int64_t>(kHeaderBytes);
    int64_t start = span.start;
    int64_t end = span.end;
    if (kSamplesPerMs * keep_begin_ms < start) start -= kSamplesPerMs * keep_begin_ms;
    if (2 * end + 2 * kSamplesPerMs * keep_end_ms < data_bytes) end += kSamplesPerMs * keep_end_ms;
    const int64_t span_samples = end - start;
    // Negative margins (typed, never clamped) must not turn the span inside out.
    const bool sane = start >= 1 && span_samples > 1;
    if (span.found && span.ended && sane &&
        int64_t{keep_begin_ms} + keep_end_ms < span_samples / kSamplesPerMs) {
      if (std::fseek(in.get(), static_cast<long>(kHeaderBytes + 2 * start), SEEK_SET) != 0)
        throw Error("Stream read error");
      int64_t left = 2 * span_samples - 2;
      while (left > 0) {
        const size_t chunk = static_cast<size_t>(std::min<int64_t>(left, kBlockBytes));
        ReadExactly(in.get(), buffer.data(), chunk);
        WriteExactly(out.get(), buffer.data(), chunk);
        left -= static_cast<int64_t>(chunk);
      }
      const auto copied = static_cast<uint32_t>(2 * span_samples - 2);
      WriteLe32At(out.get(), 4, copied + static_cast<uint32_t>(kHeaderBytes - 8));
      WriteLe32At(out.get(), 40, copied);
      if (std::fflush(out.get()) != 0) throw Error("Stream write error");
      trimmed = true;
    }
  } catch (...) {
    out.reset();
    fs::remove(temp, ec);
    throw;
  }
  in.reset();
  const bool closed = std::fclose(out.release()) == 0;
  if (trimmed && closed) {
    fs::rename(temp, file_name, ec);
    if (!ec) return TrimResult::Trimmed;
  }
  fs::remove(temp, ec);
  if (trimmed) throw Error("Stream write error");
  return TrimResult::NothingToTrim;
}

}  // namespace kelvado
