// Trims leading and trailing silence from existing phrase files, as the keyer does after
// each recording.
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

#include "common/error.h"
#include "common/integer_text.h"
#include "phrases/silence_trimmer.h"

namespace {

void Usage() {
  std::fprintf(stderr,
               "usage: kelvado-trim [-b MS] [-e MS] [-t LEVEL] FILE...\n"
               "  -b MS     quiet kept before the first loud sample (default 200)\n"
               "  -e MS     quiet kept after the last loud sample (default 200)\n"
               "  -t LEVEL  loudness threshold 1-255, in steps of 128 (default 100)\n");
}

std::optional<int32_t> Option(const char* value, int32_t min, int32_t max) {
  auto parsed = value ? kelvado::ParseInteger(value) : std::nullopt;
  if (!parsed || *parsed < min || *parsed > max) return std::nullopt;
  return parsed;
}

}  // namespace

int main(int argc, char** argv) {
  int32_t begin = 200, end = 200, level = 100;
  int first_file = 1;
  for (; first_file < argc && argv[first_file][0] == '-'; first_file += 2) {
    const char* flag = argv[first_file];
    const char* value = first_file + 1 < argc ? argv[first_file + 1] : nullptr;
    std::optional<int32_t> parsed;
    if (std::strcmp(flag, "-b") == 0 && (parsed = Option(value, 0, 100000))) {
      begin = *parsed;
    } else if (std::strcmp(flag, "-e") == 0 && (parsed = Option(value, 0, 100000))) {
      end = *parsed;
    } else if (std::strcmp(flag, "-t") == 0 && (parsed = Option(value, 1, 255))) {
      level = *parsed;
    } else {
      std::fprintf(stderr, "kelvado-trim: bad option %s %s\n", flag, value ? value : "");
      Usage();
      return 2;
    }
  }
  if (first_file >= argc) {
    Usage();
    return 2;
  }
  int status = 0;
  for (int i = first_file; i < argc; ++i) {
    try {
      const auto result = kelvado::TrimSilence(argv[i], begin, end, int64_t{level} * 128);
      if (result == kelvado::TrimResult::UnsupportedFormat) {
        std::fprintf(stderr,
                     "kelvado-trim: %s: not a 16-bit mono 22050 Hz wave file with a 44-byte "
                     "header; left unchanged\n",
                     argv[i]);
        status = 1;
      } else if (result == kelvado::TrimResult::NothingToTrim) {
        std::printf("%s: nothing to trim\n", argv[i]);
      } else {
        std::printf("%s: trimmed\n", argv[i]);
      }
    } catch (const kelvado::Error& error) {
      std::fprintf(stderr, "kelvado-trim: %s: %s\n", argv[i], error.what());
      status = 1;
    }
  }
  return status;
}
