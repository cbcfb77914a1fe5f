// Text and file helpers shared by every reader and writer of the program's data files.
//
// The data files are Windows-1252 text: one byte per character, so fixed columns are byte
// columns. In memory the program keeps UTF-8; bytes are decoded on reading and encoded on
// writing. Every write replaces the file atomically (temporary file, flush, rename), so a crash
// or a full disk never leaves a half-written file. File names are matched case-insensitively
// and backslashes in names stand for '/'.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace himlavy {

// The line end written to text files (the files come from and go back to Windows machines;
// readers accept both CRLF and LF).
inline constexpr std::string_view kLineEnd = "\r\n";

// Windows-1252 bytes to UTF-8. The five undefined bytes map to U+FFFD.
std::string Cp1252ToUtf8(std::string_view bytes);

// UTF-8 text to Windows-1252 bytes. Characters the code page cannot hold, and malformed
// UTF-8, become '?'.
std::string Utf8ToCp1252(std::string_view text);

// Text from outside the program (a command line, a file of unknown origin) as valid UTF-8:
// well-formed UTF-8 sequences are kept, and every other byte is read as Windows-1252, the
// code page of the program's files ("Sto\xffholm" becomes "Stoÿholm").
std::string ValidUtf8(std::string_view text);

// Number of characters (code points) of a UTF-8 text.
std::size_t Utf8Length(std::string_view text);

// The first `maxChars` characters of a UTF-8 text (never splits a character).
std::string Utf8Left(std::string_view text, std::size_t maxChars);

// Resolves a data-file name inside `dir`: backslashes become '/', and each path component is
// matched case-insensitively against what exists. Returns the exact name when nothing matches
// (so that a writer creates it under the name given).
std::filesystem::path ResolveDataPath(const std::filesystem::path& dir, std::string_view name);

// Reads a text file into lines of raw bytes (no decoding), without their line ends. A line
// longer than `maxLineBytes` is cut to that length (the rest of it is skipped), and reading
// stops after `maxLines` lines. Returns nullopt when the file cannot be opened.
std::optional<std::vector<std::string>> ReadRawLines(const std::filesystem::path& path,
                                                     std::size_t maxLineBytes = 4096,
                                                     std::size_t maxLines = 1000000);

// Columns first..last (1-based, both included) of a fixed-column line, as far as the line
// reaches; empty when the line ends before `first`.
std::string_view LineColumns(std::string_view line, std::size_t first, std::size_t last);

// The outcome of a file write: an empty Error when the file was written, else the reason in
// Swedish ("filen är skrivskyddad", "disken är full", ...).
struct TWriteResult {
  std::string Error;
  explicit operator bool() const { return Error.empty(); }
};

// The reason of a failed system call, in Swedish, for an errno value.
std::string SystemErrorText(int error);

// The one way the program writes a file. Replaces `path` with `bytes` atomically: writes
// "<name>.tmp-<random>" in the same folder, flushes it to disk, renames it over the old file
// and flushes the folder, so that the new name survives a crash. A symbolic link is followed:
// its target is replaced and the link stays. A file that exists keeps its permissions; a file
// without write permission is refused as read-only, as is one the user may not write. On
// failure the old file is untouched, the temporary file is removed and the reason returned.
TWriteResult WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);

}  // namespace himlavy
