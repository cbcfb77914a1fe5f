// Helpers shared by the fuzz targets.
//
// The readers take a path, so every target hands its input over as a file: an in-memory file
// (memfd) that lives as long as the process, rewritten for each input and opened by the
// readers through /proc/self/fd. Nothing touches the disk.
#pragma once

#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

namespace himlavy::fuzz {

// An in-memory file with a path.
class MemFile {
 public:
  MemFile() : fd_(::memfd_create("himlavy-fuzz", MFD_CLOEXEC)) {
    if (fd_ < 0) {
      std::perror("memfd_create");
      std::abort();
    }
    path_ = "/proc/self/fd/" + std::to_string(fd_);
  }
  MemFile(const MemFile&) = delete;
  MemFile& operator=(const MemFile&) = delete;

  // Replaces the file's content with `bytes` and returns its path.
  const std::filesystem::path& Write(std::string_view bytes) {
    if (::ftruncate(fd_, 0) != 0) std::abort();
    std::size_t done = 0;
    while (done < bytes.size()) {
      const ssize_t n =
          ::pwrite(fd_, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
      if (n <= 0) std::abort();
      done += static_cast<std::size_t>(n);
    }
    return path_;
  }

  const std::filesystem::path& Path() const { return path_; }

 private:
  int fd_;
  std::filesystem::path path_;
};

// The input as bytes.
inline std::string_view Bytes(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

// Whether a text is well-formed UTF-8 (what every reader promises to give).
inline bool IsUtf8(std::string_view s) {
  for (std::size_t i = 0; i < s.size();) {
    const auto b = static_cast<unsigned char>(s[i]);
    std::size_t extra = 0;
    if (b < 0x80) {
      extra = 0;
    } else if ((b & 0xE0) == 0xC0) {
      extra = 1;
    } else if ((b & 0xF0) == 0xE0) {
      extra = 2;
    } else if ((b & 0xF8) == 0xF0) {
      extra = 3;
    } else {
      return false;
    }
    if (i + extra >= s.size()) return false;
    for (std::size_t k = 1; k <= extra; ++k) {
      if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
    }
    i += extra + 1;
  }
  return true;
}

// Number of characters of a UTF-8 text.
inline std::size_t CharCount(std::string_view s) {
  std::size_t n = 0;
  for (const char c : s) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return n;
}

// Stops the run with a message when a reader broke one of its promises; libFuzzer keeps the
// input as a crash.
#define HIMLAVY_FUZZ_CHECK(condition)                                                    \
  do {                                                                                   \
    if (!(condition)) {                                                                  \
      std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                      \
    }                                                                                    \
  } while (false)

}  // namespace himlavy::fuzz
