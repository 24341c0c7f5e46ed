#pragma once

#include <optional>
#include <string>

namespace kelvado {

// A settings file of named sections holding key=value pairs, read and written one key at a
// time with the rules of the Windows profile functions: section and key names match
// ignoring letter case, a value read loses its surrounding blanks and one pair of enclosing
// quotes, a value written replaces the old one where it stands or is appended to its
// section, and nothing is ever deleted.
class ProfileStore {
 public:
  virtual ~ProfileStore() = default;

  // The key's value, or nothing when the file, the section or the key is missing.
  virtual std::optional<std::string> read(const std::string& section, const std::string& key) = 0;
  // Writes the value to the file at once; false when the file cannot be written.
  virtual bool write(const std::string& section, const std::string& key,
                     const std::string& value) = 0;
};

}  // namespace kelvado
