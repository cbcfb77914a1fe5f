// Windows-1252 text, case-insensitive names, line reading and atomic writes.
#include "base/textfile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <string>
#include <tuple>
#include <vector>

#include "base/parameter_file.h"
#include "base/place_lookup.h"
#include "common/data_folder.h"
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
  for (int b = 0x20; b < 0x100; ++b)
    if (b != 0x81 && b != 0x8D && b != 0x8F && b != 0x90 && b != 0x9D) all += static_cast<char>(b);
  EXPECT_EQ(std::tuple(Utf8ToCp1252(Cp1252ToUtf8(all)), Utf8Length(" 1 mån")), std::tuple(all, 6u));
  EXPECT_EQ(std::tuple(Utf8Left("Göteborg", 2), Utf8Left("ab", 10)), std::tuple("Gö", "ab"));
  // Outside text made valid UTF-8: well-formed sequences stay, stray bytes are Windows-1252
  // (an overlong '/', a lone surrogate half, a cut euro sign, a byte above U+10FFFF's lead).
  EXPECT_EQ(ValidUtf8("Sto\xFFholm"), "Stoÿholm");
  EXPECT_EQ(ValidUtf8("Göteborg €"), "Göteborg €");
  EXPECT_EQ(ValidUtf8("\xC0\xAF"), "À¯");
  EXPECT_EQ(ValidUtf8("\xED\xA0\x80"), "í\u00A0€");
  EXPECT_EQ(std::tuple(ValidUtf8("\xE2\x82"), ValidUtf8("\xF5\x80")), std::tuple("â‚", "õ€"));
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
  EXPECT_EQ(std::tuple(LineColumns("abc", 2, 9), LineColumns("ab", 5, 9)), std::tuple("bc", ""));
}
TEST(AtomicWrite, ReplacesTheFileWhole) {
  ScratchDir dir;
  ASSERT_TRUE(WriteFileAtomically(dir / "f.dta", "first") &&
              WriteFileAtomically(dir / "f.dta", "second\r\n"));
  EXPECT_EQ(dir.Read("f.dta"), "second\r\n");
  // Replaced, not rewritten in place: a reader of the old file still reads it whole.
  std::ifstream reader(dir / "f.dta", std::ios::binary);
  ASSERT_TRUE(WriteFileAtomically(dir / "f.dta", "third"));
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(reader), {}), "second\r\n");
  EXPECT_FALSE(WriteFileAtomically(dir / "no" / "f.dta", "x"));
  // Renaming over a folder fails: the folder stays and no temporary file remains.
  std::filesystem::create_directories(dir / "d.dta" / "inner");
  EXPECT_FALSE(WriteFileAtomically(dir / "d.dta", "x"));
  EXPECT_TRUE(std::filesystem::is_directory(dir / "d.dta" / "inner"));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 2);
}
// A write keeps the user's set-up: read-only refused, links written through, permissions kept.
TEST(AtomicWrite, ReadOnlyFilesLinksAndPermissions) {
  namespace fs = std::filesystem;
  ScratchDir dir;
  const auto readOnly = fs::perms::owner_read | fs::perms::group_read;
  fs::permissions(dir.Write("ro.dta", "old"), readOnly);
  const TWriteResult refused = WriteFileAtomically(dir / "ro.dta", "new");
  EXPECT_EQ(std::tuple(static_cast<bool>(refused), refused.Error, dir.Read("ro.dta")),
            std::tuple(false, "filen är skrivskyddad", "old"));
  EXPECT_EQ(fs::status(dir / "ro.dta").permissions(), readOnly);
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
  const auto privateFile = fs::perms::owner_read | fs::perms::owner_write;
  fs::permissions(dir.Write("private.dta", "old"), privateFile);
  ASSERT_TRUE(WriteFileAtomically(dir / "private.dta", "new"));
  EXPECT_EQ(std::tuple(fs::status(dir / "private.dta").permissions(), dir.Read("private.dta")),
            std::tuple(privateFile, "new"));
}
// The settings file "parametr.dta": its exact layout, round trips and damaged files.
// A state in which every saved field differs from zero and from its neighbours.
TObsState EveryFieldSet() {
  TObsState s;
  int n = 0;
  for (const auto& field : kParameterFields) {
    ++n;
    if (field.Kind == TFieldKind::Integer)
      s.*field.IntField = field.MaxValue == 1 ? 1 : std::min(field.MaxValue, n % 5 + 1);
    else if (field.Kind == TFieldKind::Real)
      s.*field.RealField = -1.0 / 3.0 * n * (field.MaxMagnitude > 0.0 ? 0.1 : 1e3);
    else
      s.*field.TextField = "Åre " + std::to_string(n);
  }
  s.ChartScale = 64;
  s.StepLabel = " 1 mån";
  return s;
}
Strings SplitCrlf(const std::string& bytes) {
  Strings lines;
  std::size_t start = 0;
  for (std::size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(bytes.substr(start, end - start));
  EXPECT_EQ(start, bytes.size()) << "every line ends in CRLF";
  return lines;
}
TEST(ParameterFile, ExactLayout) {
  TObsState s{.TimeZone = 1.0,
              .StepDays = 30.4375,
              .StepLabel = " 1 mån",
              .PlaceName = "Göteborg",
              .Latitude = 57.7,
              .Longitude = -11.966666666666667,
              .CoordSystem = 4,
              .ChartScale = 16,
              .ChartOffsetY = 1234.0,
              .MapColour = 1};
  const Strings lines = SplitCrlf(ParameterFileBytes(s));
  ASSERT_EQ(lines.size(), 58u);
  EXPECT_EQ(Strings(lines.begin(), lines.begin() + 12),
            (Strings{"1", " 1.00000000000000E+0000", "0", "0", " 1 m\xE5n" /* Windows-1252 */,
                     " 3.04375000000000E+0001", "0", "G\xF6teborg", " 5.77000000000000E+0001",
                     "-1.19666666666667E+0001", " 0.00000000000000E+0000", "4"}));
  EXPECT_EQ(Strings(lines.begin() + 54, lines.end()),
            (Strings{"", " 0.00000000000000E+0000", " 1.23400000000000E+0003", "16"}));
}
TEST(ParameterFile, RoundTripOfEveryField) {
  ScratchDir dir;
  const TObsState saved = EveryFieldSet();
  ASSERT_TRUE(SaveParameters(saved, dir / "parametr.dta"));
  TObsState loaded;
  const TLoadResult result = LoadParameters(loaded, dir / "parametr.dta");
  EXPECT_EQ(std::tuple(result.Opened, result.LinesRead, result.FieldsRejected),
            std::tuple(true, 58, 0));
  for (const auto& field : kParameterFields) {
    if (field.Kind == TFieldKind::Integer) {
      EXPECT_EQ(loaded.*field.IntField, saved.*field.IntField) << field.Name;
    } else if (field.Kind == TFieldKind::Real)
      EXPECT_NEAR(loaded.*field.RealField, saved.*field.RealField,
                  std::fabs(saved.*field.RealField) * 1e-14)
          << field.Name;
    else
      EXPECT_EQ(loaded.*field.TextField, saved.*field.TextField) << field.Name;
  }
  // The moment is not in the file, nor the switch and the flags.
  EXPECT_EQ(std::tuple(loaded.ClockJD, loaded.IncrementOn, loaded.RedrawChart),
            std::tuple(0.0, 0, 0));
}
// Missing, short and damaged files: what is not read keeps its value, and nothing shifts.
TEST(ParameterFile, MissingShortAndDamagedFiles) {
  ScratchDir dir;
  const TObsState before = EveryFieldSet();
  TObsState s = before;
  EXPECT_FALSE(LoadParameters(s, dir / "parametr.dta").Opened);
  EXPECT_EQ(ParameterFileBytes(s), ParameterFileBytes(before));
  // Ten lines set the first ten fields; the rest keep their values.
  dir.Write("short.dta", "0\n-2.5\n1\n2\n 6 tim\n0.25\n0\nLund\n55.7\n13.2");
  const TLoadResult r = LoadParameters(s, dir / "short.dta");
  EXPECT_EQ(std::tuple(r.LinesRead, r.FieldsRejected, s.TimeZone), std::tuple(10, 0, -2.5));
  EXPECT_EQ(std::tuple(s.StepLabel, s.Longitude), std::tuple(" 6 tim", 13.2));
  EXPECT_EQ(std::tuple(s.Height, s.ChartScale), std::tuple(before.Height, before.ChartScale));
  // Damaged lines leave their field.
  Strings lines = SplitCrlf(ParameterFileBytes({.Height = 45.0, .ChartScale = 8}));
  lines[1] = "tvÃ¥ timmar";  // TimeZone: text
  lines[3] = "1.5";          // TimerSpeed: a real
  lines[11] = "9";           // CoordSystem: out of range
  lines[10] = " 4.50000000000000E+0001 trailing words are skipped";
  lines[57] = "8 ";
  std::string bytes;
  for (const auto& l : lines) bytes += l + "\n";
  dir.Write("parametr.dta", bytes);
  TObsState t{.TimeZone = 7.0, .TimerSpeed = 1, .CoordSystem = 5};
  EXPECT_EQ(LoadParameters(t, dir / "parametr.dta").FieldsRejected, 3);
  EXPECT_EQ(std::tuple(t.TimeZone, t.TimerSpeed, t.CoordSystem, t.Height, t.ChartScale),
            std::tuple(7.0, 1, 5, 45.0, 8));
}
// A zone beyond 14 hours or a site off the globe is a damaged line like any other.
TEST(ParameterFile, ZoneAndSiteOutsideTheEarthAreRefused) {
  const std::tuple<std::string_view, std::string_view, bool> cases[] = {
      {"TimeZone", "14", true},     {"TimeZone", "-14", true},      {"TimeZone", "14.01", false},
      {"TimeZone", "1E308", false}, {"Latitude", "-90", true},      {"Latitude", "90.001", false},
      {"Longitude", "180", true},   {"Longitude", "-180.5", false}, {"Longitude", "400", false},
      {"Height", "1E300", true}};
  for (const auto& [Field, Text, Taken] : cases) {
    TObsState s;
    EXPECT_EQ(SetStateField(s, *FindStateField(Field), Text), Taken) << Field << Text;
  }
}
// Shipped settings: Stockholm, "Stockholm [SE] H  59.20 18.04 +1" (59°20' N, 18°4' E).
TEST(ParameterFile, ShippedSettingsShowStockholm) {
  TObsState s;
  const TLoadResult r = LoadParameters(s, testing::DataFolder() / "parametr.dta");
  ASSERT_EQ(std::tuple(r.Opened, r.LinesRead, r.FieldsRejected), std::tuple(true, 58, 0));
  EXPECT_EQ(s.PlaceName.substr(0, 16), "Stockholm [SE] H");
  EXPECT_NEAR(s.Latitude, 59.0 + 20.0 / 60.0, 1e-12);
  EXPECT_NEAR(s.Longitude, 18.0 + 4.0 / 60.0, 1e-12);
  EXPECT_EQ(std::tuple(s.TimeZone, s.StepLabel, s.TimerSpeed), std::tuple(1.0, " 1 tim", 1));
  EXPECT_NEAR(s.StepDays, 1.0 / 24.0, 1e-15);
  EXPECT_TRUE(s.CoordSystem == 4 || s.CoordSystem == 5);  // the sky above the horizon
  for (const int TObsState::*on :
       {&TObsState::CatBSC, &TObsState::CatNGC, &TObsState::ShowSunPlanets,
        &TObsState::ShowConstellations, &TObsState::LabelConstellations, &TObsState::ColourIndex,
        &TObsState::CorrRefraction, &TObsState::CorrPrecession, &TObsState::CorrNutation})
    EXPECT_EQ(s.*on, 1);
  EXPECT_GE(s.ChartScale, 1);
}
// Found by fuzzing: the largest doubles were written above the largest double and lost. Texts
// are cut to their room, and a line break in one must not shift the later lines.
TEST(ParameterFile, RealsNearTheLargestDoubleTextCapacitiesAndLineBreaks) {
  ScratchDir dir;
  const std::tuple<std::string, std::string, double> cases[] = {
      {"1.7976931348623157E308", " 1.79769313486231E+0308", 1.79769313486231e308},
      {"1.7976931348623E308", " 1.79769313486230E+0308", 1.7976931348623e308}};
  for (const auto& [Line, Saved, Reread] : cases) {
    dir.Write("parametr.dta", "1\n0\n0\n0\n 1 tim\n" + Line + "\n");  // StepDays
    TObsState s;
    ASSERT_EQ(LoadParameters(s, dir / "parametr.dta").FieldsRejected, 0) << Line;
    EXPECT_EQ(SplitCrlf(ParameterFileBytes(s)).at(5), Saved);
    ASSERT_TRUE(SaveParameters(s, dir / "parametr.dta"));
    EXPECT_EQ(LoadParameters(s, dir / "parametr.dta").FieldsRejected, 0) << Line;
    EXPECT_EQ(s.StepDays, Reread);
  }
  const TObsState s{.PlaceName = "Ett mycket långt ortsnamn som inte får plats",
                    .NewPlaceName = "två\nrader",
                    .ChartScale = 2};
  ASSERT_TRUE(SaveParameters(s, dir / "p.dta"));
  TObsState t;
  LoadParameters(t, dir / "p.dta");
  // 30 characters
  EXPECT_EQ(std::tuple(t.PlaceName, t.NewPlaceName, t.ChartScale),
            std::tuple("Ett mycket långt ortsnamn som ", "två rader", 2));
}
// Site look-up in "ortsnamn.dta": name 1-30 (Windows-1252), lat 33-38, lon 40-46, zone 48-53.
constexpr const char* kPlaces =
    "Stockholm P\xE5 M\xE5nen              100.65  18.03 +1    \r\n"
    "Stockholm                        59.20   18.03 +1    \r\n"
    "Lund                             55.42   13.11 +1    \r\n"
    "Lunda                            59.01   17.00 +1    \r\n"
    "\xC5re                              63.24   13.05 +1    \r\n"
    "Kapstaden                       -33.54   18.25 +2    \r\n"
    "Quito                             0.00  -78.30 -5    \r\n"
    "Nordpolen                        90.00   90.00 0     \r\n"
    "Trasig rad                         abc   18.03 +1    \r\n"
    "Bortom                           10.00  181.00 +1    \r\n";
// The first name containing the key, signs and special latitudes; no match or no file changes
// nothing.
TEST(LookUpPlace, FirstNameContainingTheKeyOrNothingChanges) {
  testing::ScratchDir dir;
  const auto file = dir.Write("ortsnamn.dta", kPlaces);
  const std::tuple<const char*, double, double, const char*, const char*> cases[] = {
      {"holm", 59.0 + 20.0 / 60.0, 18.05, "Stockholm", "+1    "},  // the end of a name
      {"Lund", 55.7, 13.0 + 11.0 / 60.0, "Lund", "+1    "},        // before "Lunda"
      {"Åre", 63.4, 13.0 + 5.0 / 60.0, "Åre", "+1    "},
      {"Kapstaden", -33.9, 18.0 + 25.0 / 60.0, "Kapstaden", "+2    "},
      {"Quito", 0.001, -78.5, "Quito", "-5    "},
      {"Nordpolen", 89.999, 89.999, "Nordpolen", "0     "}};
  for (const auto& [Key, Latitude, Longitude, Name, Zone] : cases) {
    TObsState s;
    const TLookUpResult r = LookUpPlace(s, Key, file);
    EXPECT_EQ(r.Status, TLookUpStatus::Found) << Key;
    EXPECT_EQ(r.ZoneText, Zone) << Key;
    EXPECT_NEAR(s.Latitude, Latitude, 1e-12) << Key;
    EXPECT_NEAR(s.Longitude, Longitude, 1e-12) << Key;
    // 30 columns, trailing blanks kept
    EXPECT_EQ(s.PlaceName, std::string(Name) + std::string(30 - Utf8Length(Name), ' '));
  }
  // Empty, case differs, absent, a damaged line, text of the coordinate columns.
  // Lines off the globe (latitude 100.65, longitude 181) are damaged lines.
  for (const char* key :
       {"", "stockholm", "Uppsala", "Trasig", "59.20", "saknas", "Månen", "Bortom"}) {
    TObsState s{.PlaceName = "Förra", .Latitude = 1.0, .Longitude = 2.0};
    const bool missing = key == std::string("saknas");
    EXPECT_EQ(LookUpPlace(s, missing ? "Lund" : key, missing ? dir / "saknas.dta" : file).Status,
              missing ? TLookUpStatus::FileMissing : TLookUpStatus::NotFound)
        << key;
    EXPECT_EQ(std::tuple(s.Latitude, s.Longitude, s.PlaceName), std::tuple(1.0, 2.0, "Förra"));
  }
}
}  // namespace
}  // namespace himlavy
