#pragma once

#include <cstdint>
#include <string>

namespace kelvado {

inline constexpr const char* kTrimTempFile = "~temp.wav";

// Cuts the quiet before the first and after the last loud sample (value > threshold) from a
// 16-bit mono 22050 Hz wave file, keeping `keep_begin_ms` and `keep_end_ms` of it, through
// "~temp.wav" beside the file, which then replaces it atomically. A file of any other layout,
// or one with too little sound to trim, is left exactly as it is. Memory use does not depend
// on the file's length. Raises "Cannot open file %s", "Cannot create file %s",
// "Stream read error" or "Stream write error"; the phrase file is then left as it was.
enum class TrimResult { Trimmed, NothingToTrim, UnsupportedFormat };

TrimResult TrimSilence(const std::string& file_name, int32_t keep_begin_ms, int32_t keep_end_ms,
                       int64_t threshold);

}  // namespace kelvado
