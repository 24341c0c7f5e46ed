#pragma once

#include <cstddef>
#include <string>

namespace kelvado {

// Writes the whole content to a temporary file beside `path`, then renames it over `path`,
// so a crash or a full disk never leaves a truncated file. Raises "Cannot create file %s"
// when the temporary file cannot be made and "Stream write error" when a write or the
// rename fails; `path` is then left as it was.
void WriteFileAtomically(const std::string& path, const void* data, size_t size);

}  // namespace kelvado
