// The repository's data/ folder, for tests that read the program's own data files.
#pragma once

#include <cstdlib>
#include <filesystem>

namespace himlavy::testing {

inline std::filesystem::path DataFolder() {
  if (const char* source = std::getenv("HIMLAVY_SOURCE_DIR")) {
    return std::filesystem::path(source) / "data";
  }
#ifdef HIMLAVY_SOURCE_FOLDER
  // Set by the build: __FILE__ may be relative to the build folder (ccache's base folder).
  return std::filesystem::path(HIMLAVY_SOURCE_FOLDER) / "data";
#else
  return std::filesystem::path(__FILE__).parent_path().parent_path().parent_path() / "data";
#endif
}

}  // namespace himlavy::testing
