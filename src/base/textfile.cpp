#include "base/textfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <fstream>
#include <random>
#include <system_error>

#include "base/file_cache.h"

namespace himlavy {

namespace {

// Code points of the bytes 0x80..0x9F in Windows-1252 (0 = undefined).
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// Decodes one UTF-8 sequence at text[i]; advances i. Returns U+FFFD for a malformed sequence
// (consuming one byte).
char32_t NextCodePoint(std::string_view text, std::size_t& i) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char b0 = byte(i);
  if (b0 < 0x80) {
    ++i;
    return b0;
  }
  int extra = 0;
  char32_t cp = 0;
  if ((b0 & 0xE0) == 0xC0) {
    extra = 1;
    cp = b0 & 0x1F;
  } else if ((b0 & 0xF0) == 0xE0) {
    extra = 2;
    cp = b0 & 0x0F;
  } else if ((b0 & 0xF8) == 0xF0) {
    extra = 3;
    cp = b0 & 0x07;
  } else {
    ++i;
    return 0xFFFD;
  }
  if (i + extra >= text.size()) {
    ++i;
    return 0xFFFD;
  }
  for (int k = 1; k <= extra; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) {
      ++i;
      return 0xFFFD;
    }
    cp = (cp << 6) | (byte(i + k) & 0x3F);
  }
  i += extra + 1;
  return cp;
}

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

}  // namespace

std::string Cp1252ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 8);
  for (const char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x80) {
      out += c;
    } else if (b < 0xA0) {
      const char32_t cp = kHighControls[b - 0x80];
      AppendUtf8(out, cp ? cp : 0xFFFD);
    } else {
      AppendUtf8(out, b);  // 0xA0..0xFF equal their Latin-1 code points
    }
  }
  return out;
}

std::string Utf8ToCp1252(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    const char32_t cp = NextCodePoint(text, i);
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
      out += static_cast<char>(cp);
      continue;
    }
    const auto it = std::find(kHighControls.begin(), kHighControls.end(), cp);
    if (cp != 0 && it != kHighControls.end()) {
      out += static_cast<char>(0x80 + (it - kHighControls.begin()));
    } else {
      out += '?';
    }
  }
  return out;
}

namespace {

// The length of the well-formed UTF-8 sequence at text[i] (no overlong forms, no surrogates,
// nothing above U+10FFFF), or 0 when there is none.
std::size_t WellFormedLength(std::string_view text, std::size_t i) {
  const auto byte = [&](std::size_t k) {
    return k < text.size() ? static_cast<unsigned char>(text[k]) : 0u;
  };
  const unsigned b0 = byte(i);
  const auto tail = [&](std::size_t k, unsigned lo = 0x80, unsigned hi = 0xBF) {
    const unsigned b = byte(i + k);
    return i + k < text.size() && b >= lo && b <= hi;
  };
  if (b0 < 0x80) return 1;
  if (b0 >= 0xC2 && b0 <= 0xDF) return tail(1) ? 2 : 0;
  if (b0 >= 0xE0 && b0 <= 0xEF) {
    const unsigned lo = b0 == 0xE0 ? 0xA0 : 0x80;
    const unsigned hi = b0 == 0xED ? 0x9F : 0xBF;
    return tail(1, lo, hi) && tail(2) ? 3 : 0;
  }
  if (b0 >= 0xF0 && b0 <= 0xF4) {
    const unsigned lo = b0 == 0xF0 ? 0x90 : 0x80;
    const unsigned hi = b0 == 0xF4 ? 0x8F : 0xBF;
    return tail(1, lo, hi) && tail(2) && tail(3) ? 4 : 0;
  }
  return 0;
}

}  // namespace

std::string ValidUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t n = WellFormedLength(text, i);
    if (n > 0) {
      out.append(text.substr(i, n));
      i += n;
    } else {
      out += Cp1252ToUtf8(text.substr(i, 1));
      ++i;
    }
  }
  return out;
}

std::size_t Utf8Length(std::string_view text) {
  std::size_t n = 0;
  for (std::size_t i = 0; i < text.size();) {
    NextCodePoint(text, i);
    ++n;
  }
  return n;
}

std::string Utf8Left(std::string_view text, std::size_t maxChars) {
  std::size_t i = 0;
  for (std::size_t n = 0; n < maxChars && i < text.size(); ++n) NextCodePoint(text, i);
  return std::string(text.substr(0, i));
}

std::filesystem::path ResolveDataPath(const std::filesystem::path& dir, std::string_view name) {
  std::string relative(name);
  std::replace(relative.begin(), relative.end(), '\\', '/');
  std::error_code ec;
  // The name as written is found with one look-up; only a name in other letter case is
  // searched part by part.
  if (std::filesystem::path whole = dir / relative; std::filesystem::exists(whole, ec)) {
    return whole;
  }
  std::filesystem::path result = dir;
  for (const auto& part : std::filesystem::path(relative)) {
    const std::filesystem::path exact = result / part;
    if (std::filesystem::exists(exact, ec)) {
      result = exact;
      continue;
    }
    std::filesystem::path found;
    const std::string wanted = Lower(part.string());
    for (std::filesystem::directory_iterator it(result, ec), end; !ec && it != end;
         it.increment(ec)) {
      if (Lower(it->path().filename().string()) == wanted) {
        found = it->path();
        break;
      }
    }
    result = found.empty() ? exact : found;
  }
  return result;
}

std::optional<std::vector<std::string>> ReadRawLines(const std::filesystem::path& path,
                                                     std::size_t maxLineBytes,
                                                     std::size_t maxLines) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::vector<std::string> lines;
  std::string line;
  bool overlong = false;
  bool pending = false;  // bytes read since the last line end
  char buffer[65536];
  while (lines.size() < maxLines && in) {
    in.read(buffer, sizeof buffer);
    const std::streamsize got = in.gcount();
    for (std::streamsize k = 0; k < got && lines.size() < maxLines; ++k) {
      const char c = buffer[k];
      if (c == '\n') {
        if (!line.empty() && line.back() == '\r' && !overlong) line.pop_back();
        lines.push_back(std::move(line));
        line.clear();
        overlong = false;
        pending = false;
        continue;
      }
      pending = true;
      if (line.size() < maxLineBytes) {
        line += c;
      } else if (c != '\r') {
        overlong = true;
      }
    }
  }
  if (pending && lines.size() < maxLines) {
    if (!line.empty() && line.back() == '\r' && !overlong) line.pop_back();
    lines.push_back(std::move(line));
  }
  return lines;
}

std::string_view LineColumns(std::string_view line, std::size_t first, std::size_t last) {
  if (line.size() < first) return {};
  return line.substr(first - 1, last - first + 1);
}

std::string SystemErrorText(int error) {
  switch (error) {
    case EACCES:
    case EPERM:
      return "åtkomst nekas";
    case EROFS:
      return "filsystemet är skrivskyddat";
    case ENOSPC:
      return "disken är full";
    case EDQUOT:
      return "diskkvoten är slut";
    case EISDIR:
      return "en mapp har samma namn";
    case ENOENT:
      return "mappen finns inte";
    case ENOTDIR:
      return "en del av sökvägen är inte en mapp";
    case ELOOP:
      return "för många symboliska länkar";
    case EIO:
      return "in- eller utmatningsfel";
    case ENAMETOOLONG:
      return "namnet är för långt";
    default:
      return "systemfel " + std::to_string(error);
  }
}

namespace {

// The file a write of `path` replaces: `path` itself, or the end of its chain of symbolic links
// (which may not exist yet). nullopt when the chain loops.
std::optional<std::filesystem::path> FollowLinks(std::filesystem::path path) {
  for (int hops = 0; hops < 40; ++hops) {
    std::error_code ec;
    if (!std::filesystem::is_symlink(path, ec)) return path;
    const std::filesystem::path target = std::filesystem::read_symlink(path, ec);
    if (ec) return std::nullopt;
    path = target.is_absolute() ? target : path.parent_path() / target;
  }
  return std::nullopt;
}

// Flushes a folder's entries (a rename inside it) to disk. Some file systems cannot; the file
// itself is already on disk then, so a failure here is not reported.
void SyncFolder(const std::filesystem::path& folder) {
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

TWriteResult WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
  // However it ends, the file caches examine their files again.
  struct TNoteWrite {
    ~TNoteWrite() { NoteFileWritten(); }
  } noteWrite;
  const auto target = FollowLinks(path);
  if (!target) return {SystemErrorText(ELOOP)};
  const std::filesystem::path folder = target->parent_path();

  // An existing file keeps its permissions; one that may not be written is left alone.
  mode_t mode = 0644;
  struct stat old {};
  if (::stat(target->c_str(), &old) == 0) {
    if (S_ISDIR(old.st_mode)) return {SystemErrorText(EISDIR)};
    if ((old.st_mode & 0222) == 0) return {"filen är skrivskyddad"};
    if (::access(target->c_str(), W_OK) != 0) return {SystemErrorText(errno)};
    mode = old.st_mode & 07777;
  }

  std::random_device rd;
  const std::filesystem::path temp =
      folder / (target->filename().string() + ".tmp-" + std::to_string(rd()));
  const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (fd < 0) return {SystemErrorText(errno)};
  int error = 0;
  std::size_t done = 0;
  while (error == 0 && done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno != EINTR) error = errno;
    } else {
      done += static_cast<std::size_t>(n);
    }
  }
  if (error == 0 && ::fchmod(fd, mode) != 0) error = errno;
  if (error == 0 && ::fsync(fd) != 0) error = errno;
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error == 0 && std::rename(temp.c_str(), target->c_str()) != 0) error = errno;
  if (error != 0) {
    std::error_code ec;
    std::filesystem::remove(temp, ec);
    return {SystemErrorText(error)};
  }
  SyncFolder(folder);
  return {};
}

}  // namespace himlavy
