// The repository's data/ folder, for tests that read the program's own data files.
#pragma once

#include <cstdlib>
#include <filesystem>

namespace himlavy::testing {
inline std::filesystem::path DataFolder() {
  if (const char* source = std::getenv("HIMLAVY_SOURCE_DIR")) {
    return std::filesystem::path(source) / "data";
  }
  return std::filesystem::path(HIMLAVY_SOURCE_ROOT) / "data";
}
}  // namespace himlavy::testing
