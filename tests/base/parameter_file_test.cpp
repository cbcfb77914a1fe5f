// The settings file "parametr.dta": its exact layout, round trips and damaged files.
#include "base/parameter_file.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "common/data_folder.h"
#include "common/scratch_dir.h"

namespace himlavy {
namespace {

using testing::ScratchDir;
using Strings = std::vector<std::string>;

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
  for (std::size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(bytes.substr(start, end - start));
  }
  EXPECT_EQ(start, bytes.size()) << "every line ends in CRLF";
  return lines;
}

TEST(ParameterFile, ExactLayout) {
  TObsState s;
  s.MapColour = 1;
  s.TimeZone = 1.0;
  s.StepLabel = " 1 mån";
  s.StepDays = 30.4375;
  s.PlaceName = "Göteborg";
  s.Latitude = 57.7;
  s.Longitude = -11.966666666666667;
  s.CoordSystem = 4;
  s.ChartOffsetY = 1234.0;
  s.ChartScale = 16;
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
  EXPECT_TRUE(result.Opened);
  EXPECT_EQ(result.LinesRead, 58);
  EXPECT_EQ(result.FieldsRejected, 0);
  for (const auto& field : kParameterFields) {
    if (field.Kind == TFieldKind::Integer)
      EXPECT_EQ(loaded.*field.IntField, saved.*field.IntField) << field.Name;
    else if (field.Kind == TFieldKind::Real)
      EXPECT_NEAR(loaded.*field.RealField, saved.*field.RealField,
                  std::fabs(saved.*field.RealField) * 1e-14)
          << field.Name;
    else
      EXPECT_EQ(loaded.*field.TextField, saved.*field.TextField) << field.Name;
  }
  EXPECT_EQ(loaded.ClockJD, 0.0);  // not in the file, nor the switch and the flags
  EXPECT_EQ(loaded.IncrementOn, 0);
  EXPECT_EQ(loaded.RedrawChart, 0);
}

TEST(ParameterFile, MissingAndShortFiles) {
  ScratchDir dir;
  const TObsState before = EveryFieldSet();
  TObsState s = before;
  EXPECT_FALSE(LoadParameters(s, dir / "parametr.dta").Opened);
  EXPECT_EQ(ParameterFileBytes(s), ParameterFileBytes(before));
  // Ten lines set the first ten fields; the rest keep their values.
  dir.Write("short.dta", "0\n-2.5\n1\n2\n 6 tim\n0.25\n0\nLund\n55.7\n13.2");
  const TLoadResult r = LoadParameters(s, dir / "short.dta");
  EXPECT_EQ(r.LinesRead, 10);
  EXPECT_EQ(r.FieldsRejected, 0);
  EXPECT_EQ(s.TimeZone, -2.5);
  EXPECT_EQ(s.StepLabel, " 6 tim");
  EXPECT_EQ(s.Longitude, 13.2);
  EXPECT_EQ(s.Height, before.Height);
  EXPECT_EQ(s.ChartScale, before.ChartScale);
}

TEST(ParameterFile, DamagedLinesLeaveTheirFieldAndNothingShifts) {
  ScratchDir dir;
  TObsState good;
  good.Height = 45.0;
  good.ChartScale = 8;
  Strings lines = SplitCrlf(ParameterFileBytes(good));
  lines[1] = "tvÃ¥ timmar";  // TimeZone: text
  lines[3] = "1.5";          // TimerSpeed: a real
  lines[11] = "9";           // CoordSystem: out of range
  lines[10] = " 4.50000000000000E+0001 trailing words are skipped";
  lines[57] = "8 ";
  std::string bytes;
  for (const auto& l : lines) bytes += l + "\n";
  dir.Write("parametr.dta", bytes);
  TObsState s;
  s.TimeZone = 7.0;
  s.CoordSystem = 5;
  s.TimerSpeed = 1;
  EXPECT_EQ(LoadParameters(s, dir / "parametr.dta").FieldsRejected, 3);
  EXPECT_EQ(s.TimeZone, 7.0);
  EXPECT_EQ(s.TimerSpeed, 1);
  EXPECT_EQ(s.CoordSystem, 5);
  EXPECT_EQ(s.Height, 45.0);
  EXPECT_EQ(s.ChartScale, 8);
}

// A zone beyond 14 hours or a site off the globe is a damaged line like any other.
TEST(ParameterFile, ZoneAndSiteOutsideTheEarthAreRefused) {
  const struct {
    std::string_view Field, Text;
    bool Taken;
  } cases[] = {{"TimeZone", "14", true},     {"TimeZone", "-14", true},
               {"TimeZone", "14.01", false}, {"TimeZone", "1E308", false},
               {"Latitude", "-90", true},    {"Latitude", "90.001", false},
               {"Longitude", "180", true},   {"Longitude", "-180.5", false},
               {"Longitude", "400", false},  {"Height", "1E300", true}};
  for (const auto& c : cases) {
    TObsState s;
    EXPECT_EQ(SetStateField(s, *FindStateField(c.Field), c.Text), c.Taken) << c.Field << c.Text;
  }
}

// The settings shipped with the program: tonight's sky over Stockholm, the place look-up's
// entry "Stockholm [SE] H  59.20 18.04 +1", 59 deg 20 min north, 18 deg 4 min east.
TEST(ParameterFile, ShippedSettingsShowStockholm) {
  TObsState s;
  const TLoadResult r = LoadParameters(s, testing::DataFolder() / "parametr.dta");
  ASSERT_TRUE(r.Opened);
  EXPECT_EQ(r.LinesRead, 58);
  EXPECT_EQ(r.FieldsRejected, 0);
  EXPECT_EQ(s.PlaceName.substr(0, 16), "Stockholm [SE] H");
  EXPECT_NEAR(s.Latitude, 59.0 + 20.0 / 60.0, 1e-12);
  EXPECT_NEAR(s.Longitude, 18.0 + 4.0 / 60.0, 1e-12);
  EXPECT_EQ(s.TimeZone, 1.0);
  EXPECT_EQ(s.StepLabel, " 1 tim");
  EXPECT_NEAR(s.StepDays, 1.0 / 24.0, 1e-15);
  EXPECT_EQ(s.TimerSpeed, 1);
  EXPECT_TRUE(s.CoordSystem == 4 || s.CoordSystem == 5);  // the sky above the horizon
  for (const int TObsState::*on :
       {&TObsState::CatBSC, &TObsState::CatNGC, &TObsState::ShowSunPlanets,
        &TObsState::ShowConstellations, &TObsState::LabelConstellations, &TObsState::ColourIndex,
        &TObsState::CorrRefraction, &TObsState::CorrPrecession, &TObsState::CorrNutation}) {
    EXPECT_EQ(s.*on, 1);
  }
  EXPECT_GE(s.ChartScale, 1);
}

// Found by fuzzing: the largest doubles were written as 1.79769313486232E+0308, above the
// largest double, so the next start refused the line and lost the field.
TEST(ParameterFile, RealsNearTheLargestDoubleReadBack) {
  ScratchDir dir;
  const struct {
    std::string Line, Saved;
    double Reread;
  } cases[] = {
      {"1.7976931348623157E308", " 1.79769313486231E+0308", 1.79769313486231e308},
      {"1.7976931348623E308", " 1.79769313486230E+0308", 1.7976931348623e308},
  };
  for (const auto& c : cases) {
    dir.Write("parametr.dta", "1\n0\n0\n0\n 1 tim\n" + c.Line + "\n");  // StepDays
    TObsState s;
    ASSERT_EQ(LoadParameters(s, dir / "parametr.dta").FieldsRejected, 0) << c.Line;
    EXPECT_EQ(SplitCrlf(ParameterFileBytes(s)).at(5), c.Saved);
    ASSERT_TRUE(SaveParameters(s, dir / "parametr.dta"));
    EXPECT_EQ(LoadParameters(s, dir / "parametr.dta").FieldsRejected, 0) << c.Line;
    EXPECT_EQ(s.StepDays, c.Reread);
  }
}

TEST(ParameterFile, TextCapacitiesAndLineBreaks) {
  ScratchDir dir;
  TObsState s;
  s.PlaceName = "Ett mycket långt ortsnamn som inte får plats";
  s.NewPlaceName = "två\nrader";
  s.ChartScale = 2;
  ASSERT_TRUE(SaveParameters(s, dir / "p.dta"));
  TObsState t;
  LoadParameters(t, dir / "p.dta");
  EXPECT_EQ(t.PlaceName, "Ett mycket långt ortsnamn som ");  // 30 characters
  EXPECT_EQ(t.NewPlaceName, "två rader");
  EXPECT_EQ(t.ChartScale, 2) << "a line break in a text must not shift the later lines";
}

}  // namespace
}  // namespace himlavy
