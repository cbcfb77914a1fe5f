// Windows-1252 text, case-insensitive names, line reading and atomic writes.
#include "base/textfile.h"

#include <gtest/gtest.h>

#include "common/scratch_dir.h"

namespace himlavy {
namespace {

using testing::ScratchDir;
using Strings = std::vector<std::string>;

TEST(Cp1252, SwedishLettersHighControlsAndWhatItCannotHold) {
  EXPECT_EQ(Cp1252ToUtf8("\xE5\xE4\xF6\xC5\xC4\xD6\xE9\xB0\x80\x96\x97\x85"), "åäöÅÄÖé°€–—…");
  EXPECT_EQ(Cp1252ToUtf8("\x81"), "\uFFFD");
  EXPECT_EQ(Utf8ToCp1252("åÖ°€–"), "\xE5\xD6\xB0\x80\x96");
  EXPECT_EQ(Utf8ToCp1252("Ωx\xC3"), "?x?");  // never raw UTF-8 bytes
  EXPECT_EQ(Utf8ToCp1252("\xE2\x82"), "??");
  std::string all;
  for (int b = 0x20; b < 0x100; ++b) {
    if (b != 0x81 && b != 0x8D && b != 0x8F && b != 0x90 && b != 0x9D) all += static_cast<char>(b);
  }
  EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
  EXPECT_EQ(Utf8Length(" 1 mån"), 6u);
  EXPECT_EQ(Utf8Left("Göteborg", 2), "Gö");
  EXPECT_EQ(Utf8Left("ab", 10), "ab");
  // Outside text made valid UTF-8: well-formed sequences stay, stray bytes are Windows-1252
  // (an overlong '/', a lone surrogate half, a cut euro sign, a byte above U+10FFFF's lead).
  EXPECT_EQ(ValidUtf8("Sto\xFFholm"), "Stoÿholm");
  EXPECT_EQ(ValidUtf8("Göteborg €"), "Göteborg €");
  EXPECT_EQ(ValidUtf8("\xC0\xAF"), "À¯");
  EXPECT_EQ(ValidUtf8("\xED\xA0\x80"), "í\u00A0€");
  EXPECT_EQ(ValidUtf8("\xE2\x82"), "â‚");
  EXPECT_EQ(ValidUtf8("\xF5\x80"), "õ€");
}

TEST(DataPath, BackslashesAndCaseInsensitiveNames) {
  ScratchDir dir;
  std::filesystem::create_directories(dir / "bsc2000");
  dir.Write("bsc2000/01.dat", "x");
  dir.Write("Stjanamn.dta", "x");
  EXPECT_EQ(ResolveDataPath(dir.Path(), "stjanamn.dta"), dir / "Stjanamn.dta");
  EXPECT_EQ(ResolveDataPath(dir.Path(), "BSC2000\\01.DAT"), dir / "bsc2000" / "01.dat");
  EXPECT_EQ(ResolveDataPath(dir.Path(), "ny.dta"), dir / "ny.dta");
  EXPECT_EQ(ResolveDataPath(dir / "saknas", "a.dta"), dir / "saknas" / "a.dta");
}

TEST(RawLines, LineEndsLimitsColumnsAndMissingFiles) {
  ScratchDir dir;
  EXPECT_EQ(ReadRawLines(dir.Write("a.txt", "one\r\ntwo\nthree")).value(),
            (Strings{"one", "two", "three"}));
  const auto b = dir.Write("b.txt", "abcdefgh\r\nxy\r\n\r\n");
  EXPECT_EQ(ReadRawLines(b, 4).value(), (Strings{"abcd", "xy", ""}));
  EXPECT_EQ(ReadRawLines(b, 100, 1).value().size(), 1u);
  EXPECT_FALSE(ReadRawLines(dir / "none.txt"));
  EXPECT_EQ(LineColumns("abcdef", 2, 4), "bcd");
  EXPECT_EQ(LineColumns("abc", 2, 9), "bc");
  EXPECT_EQ(LineColumns("ab", 5, 9), "");
}

TEST(AtomicWrite, ReplacesTheFileWhole) {
  ScratchDir dir;
  ASSERT_TRUE(WriteFileAtomically(dir / "f.dta", "first"));
  ASSERT_TRUE(WriteFileAtomically(dir / "f.dta", "second\r\n"));
  EXPECT_EQ(dir.Read("f.dta"), "second\r\n");
  EXPECT_FALSE(WriteFileAtomically(dir / "no" / "f.dta", "x"));
  // Renaming over a folder fails: the folder stays and no temporary file remains.
  std::filesystem::create_directories(dir / "d.dta" / "inner");
  EXPECT_FALSE(WriteFileAtomically(dir / "d.dta", "x"));
  EXPECT_TRUE(std::filesystem::is_directory(dir / "d.dta" / "inner"));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 2);
}

// A write keeps what the user set up: a read-only file is refused and left as it is, a link
// is written through to its target, a file's permissions stay.
TEST(AtomicWrite, ReadOnlyFilesLinksAndPermissions) {
  namespace fs = std::filesystem;
  ScratchDir dir;
  dir.Write("ro.dta", "old");
  fs::permissions(dir / "ro.dta", fs::perms::owner_read | fs::perms::group_read);
  const TWriteResult refused = WriteFileAtomically(dir / "ro.dta", "new");
  EXPECT_FALSE(refused);
  EXPECT_EQ(refused.Error, "filen är skrivskyddad");
  EXPECT_EQ(dir.Read("ro.dta"), "old");
  EXPECT_EQ(fs::status(dir / "ro.dta").permissions(),
            fs::perms::owner_read | fs::perms::group_read);

  fs::create_directories(dir / "real");
  dir.Write("real/target.dta", "old");
  fs::create_symlink("real/target.dta", dir / "link.dta");
  ASSERT_TRUE(WriteFileAtomically(dir / "link.dta", "through"));
  EXPECT_TRUE(fs::is_symlink(dir / "link.dta"));
  EXPECT_EQ(dir.Read("real/target.dta"), "through");
  // A link whose target does not exist yet creates the target.
  fs::create_symlink("real/new.dta", dir / "dangling.dta");
  ASSERT_TRUE(WriteFileAtomically(dir / "dangling.dta", "made"));
  EXPECT_EQ(dir.Read("real/new.dta"), "made");

  dir.Write("private.dta", "old");
  fs::permissions(dir / "private.dta", fs::perms::owner_read | fs::perms::owner_write);
  ASSERT_TRUE(WriteFileAtomically(dir / "private.dta", "new"));
  EXPECT_EQ(fs::status(dir / "private.dta").permissions(),
            fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_EQ(dir.Read("private.dta"), "new");
}

}  // namespace
}  // namespace himlavy
