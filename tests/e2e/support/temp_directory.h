#pragma once

#include <string>

namespace kelvado::e2e {

// A fresh private directory under /tmp, mode 700, removed with its contents at the end.
class TempDirectory {
 public:
  TempDirectory();
  ~TempDirectory();
  TempDirectory(const TempDirectory&) = delete;
  TempDirectory& operator=(const TempDirectory&) = delete;

  const std::string& path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

// What a file holds now; empty when it does not exist (yet).
std::string FileText(const std::string& path);

}  // namespace kelvado::e2e
