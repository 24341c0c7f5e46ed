#pragma once

#include <optional>
#include <string>

#include "settings/profile_store.h"

namespace kelvado {

// A profile file of our own, with the Windows profile rules, for systems without the
// Windows profile functions. Bytes pass through unchanged; every write replaces the whole
// file atomically, so a crash never leaves a truncated settings file. Lines end as the
// file's first line does ("\n" in a new file); other lines keep their bytes.
class IniProfile : public ProfileStore {
 public:
  // The longest value a read returns, as the Windows functions' 2048-character buffer.
  static constexpr size_t kMaxValueLength = 2047;

  explicit IniProfile(std::string path) : path_(std::move(path)) {}

  const std::string& path() const { return path_; }

  std::optional<std::string> read(const std::string& section, const std::string& key) override;
  bool write(const std::string& section, const std::string& key, const std::string& value) override;

 private:
  std::string path_;
};

}  // namespace kelvado
