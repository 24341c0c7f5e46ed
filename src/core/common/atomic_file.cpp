#include "common/atomic_file.h"

#include <filesystem>
#include <fstream>

#include "common/error.h"

namespace kelvado {

void WriteFileAtomically(const std::string& path, const void* data, size_t size) {
  namespace fs = std::filesystem;
  const fs::path target(path);
  const fs::path temp = target.parent_path() / ("~" + target.filename().string() + ".new");
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) throw Error("Cannot create file " + path);
    out.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
    out.flush();
    if (!out) {
      out.close();
      std::error_code ignored;
      fs::remove(temp, ignored);
      throw Error("Stream write error");
    }
  }
  std::error_code ec;
  fs::rename(temp, target, ec);
  if (ec) {
    fs::remove(temp, ec);
    throw Error("Stream write error");
  }
}

}  // namespace kelvado
