// Decoded file contents kept between reads: a file is decoded again only when its size or
// modification time has changed, so a redraw that reads the same catalog zones, name files
// and element files decodes nothing. A file is examined at most once a second (a redraw reads
// hundreds of zone files), except that any file the program writes makes every cache examine
// its files again at once.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <system_error>
#include <unordered_map>
#include <utility>

namespace himlavy {

// Counts the files the program has written (WriteFileAtomically); a change tells the caches
// to examine their files again.
inline std::atomic<std::uint64_t> fileWriteCount{0};
inline void NoteFileWritten() {
  ++fileWriteCount;
}

template <typename T>
class TFileCache {
 public:
  // The contents of `path`: the kept ones while the file is unchanged, else `read(path)` (an
  // std::optional<T>), kept when `keep` and returned. nullptr when the file cannot be examined
  // or read; a file that disappears is forgotten. The contents handed out stay valid as long
  // as the caller holds them, even when the file changes afterwards.
  template <typename Read>
  std::shared_ptr<const T> Get(const std::filesystem::path& path, Read read, bool keep = true) {
    const std::lock_guard lock(mutex_);
    const std::string key = path.string();
    const auto now = std::chrono::steady_clock::now();
    const std::uint64_t writes = fileWriteCount;
    if (keep) {
      const auto found = entries_.find(key);
      if (found != entries_.end() && found->second.Writes == writes &&
          now - found->second.Examined < kExamineInterval) {
        return found->second.Data;
      }
    }
    std::error_code ec;
    const auto time = std::filesystem::last_write_time(path, ec);
    const auto size = ec ? 0 : std::filesystem::file_size(path, ec);
    if (ec) {
      entries_.erase(key);
      return nullptr;
    }
    if (keep) {
      const auto found = entries_.find(key);
      if (found != entries_.end() && found->second.Time == time && found->second.Size == size) {
        found->second.Examined = now;
        found->second.Writes = writes;
        return found->second.Data;
      }
    }
    std::optional<T> data = read(path);
    if (!data) {
      entries_.erase(key);
      return nullptr;
    }
    auto shared = std::make_shared<const T>(std::move(*data));
    if (keep) entries_[key] = TEntry{time, size, shared, now, writes};
    return shared;
  }

 private:
  static constexpr std::chrono::seconds kExamineInterval{1};
  struct TEntry {
    std::filesystem::file_time_type Time;
    std::uintmax_t Size = 0;
    std::shared_ptr<const T> Data;
    std::chrono::steady_clock::time_point Examined;  // when the file was last examined
    std::uint64_t Writes = 0;                        // fileWriteCount then
  };
  std::mutex mutex_;
  std::unordered_map<std::string, TEntry> entries_;
};

}  // namespace himlavy
