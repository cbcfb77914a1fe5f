// The settings file "parametr.dta": its exact layout, round trips and damaged files.
#include "shell/parameter_file.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "common/scratch_dir.h"

namespace himlavy {
namespace {

using testing::ScratchDir;

// A state in which every saved field differs from zero and from its neighbours.
TObsState EveryFieldSet() {
  TObsState s;
  int n = 0;
  for (const auto& field : kParameterFields) {
    ++n;
    switch (field.Kind) {
      case TFieldKind::Integer:
        s.*field.IntField = field.MaxValue == 1 ? 1 : std::min(field.MaxValue, n % 5 + 1);
        break;
      case TFieldKind::Real:
        s.*field.RealField = -1.0 / 3.0 * n * 1e3;
        break;
      case TFieldKind::Text:
        s.*field.TextField = "Åre " + std::to_string(n);
        break;
    }
  }
  s.ChartScale = 64;
  s.StepLabel = " 1 mån";
  return s;
}

std::vector<std::string> SplitCrlf(const std::string& bytes) {
  std::vector<std::string> lines;
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
  s.Height = 0.0;
  s.CoordSystem = 4;
  s.ChartOffsetY = 1234.0;
  s.ChartScale = 16;
  const std::vector<std::string> lines = SplitCrlf(ParameterFileBytes(s));
  ASSERT_EQ(lines.size(), 58u);
  const std::vector<std::string> head(lines.begin(), lines.begin() + 12);
  EXPECT_EQ(head, (std::vector<std::string>{"1", " 1.00000000000000E+0000", "0", "0",
                                            " 1 m\xE5n",  // Windows-1252
                                            " 3.04375000000000E+0001", "0", "G\xF6teborg",
                                            " 5.77000000000000E+0001", "-1.19666666666667E+0001",
                                            " 0.00000000000000E+0000", "4"}));
  EXPECT_EQ(lines[54], "");  // NewPlaceName
  EXPECT_EQ(lines[56], " 1.23400000000000E+0003");
  EXPECT_EQ(lines[57], "16");
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
    switch (field.Kind) {
      case TFieldKind::Integer:
        EXPECT_EQ(loaded.*field.IntField, saved.*field.IntField) << field.Name;
        break;
      case TFieldKind::Real: {
        const double a = saved.*field.RealField;
        EXPECT_NEAR(loaded.*field.RealField, a, std::fabs(a) * 1e-14) << field.Name;
        break;
      }
      case TFieldKind::Text:
        EXPECT_EQ(loaded.*field.TextField, saved.*field.TextField) << field.Name;
        break;
    }
  }
  // The moment, the increment switch and the flags are not in the file.
  EXPECT_EQ(loaded.ClockJD, 0.0);
  EXPECT_EQ(loaded.IncrementOn, 0);
  EXPECT_EQ(loaded.RedrawChart, 0);
  // Saving again gives the same bytes.
  EXPECT_EQ(ParameterFileBytes(loaded), ParameterFileBytes(saved));
}

TEST(ParameterFile, MissingEmptyAndShortFiles) {
  ScratchDir dir;
  const TObsState before = EveryFieldSet();

  TObsState s = before;
  EXPECT_FALSE(LoadParameters(s, dir / "parametr.dta").Opened);
  EXPECT_EQ(ParameterFileBytes(s), ParameterFileBytes(before));

  dir.Write("empty.dta", "");
  EXPECT_TRUE(LoadParameters(s, dir / "empty.dta").Opened);
  EXPECT_EQ(ParameterFileBytes(s), ParameterFileBytes(before));

  // Ten lines set the first ten fields; the rest keep their values.
  dir.Write("short.dta", "0\n-2.5\n1\n2\n 6 tim\n0.25\n0\nLund\n55.7\n13.2");
  TObsState t = before;
  const TLoadResult r = LoadParameters(t, dir / "short.dta");
  EXPECT_EQ(r.LinesRead, 10);
  EXPECT_EQ(r.FieldsRejected, 0);
  EXPECT_EQ(t.TimeZone, -2.5);
  EXPECT_EQ(t.StepLabel, " 6 tim");
  EXPECT_EQ(t.Longitude, 13.2);
  EXPECT_EQ(t.Height, before.Height);
  EXPECT_EQ(t.ChartScale, before.ChartScale);
}

TEST(ParameterFile, DamagedLinesLeaveTheirFieldAndNothingShifts) {
  ScratchDir dir;
  TObsState good;
  good.TimeZone = 2.0;
  good.CoordSystem = 3;
  good.Height = 45.0;
  good.ChartScale = 8;
  std::string bytes = ParameterFileBytes(good);
  // Line 2 (TimeZone) becomes text, line 12 (CoordSystem) out of range, line 4 a real.
  std::vector<std::string> lines = SplitCrlf(bytes);
  lines[1] = "tvÃ¥ timmar";
  lines[3] = "1.5";
  lines[11] = "9";
  lines[10] = " 4.50000000000000E+0001 trailing words are skipped";
  lines[57] = "8 ";
  bytes.clear();
  for (const auto& l : lines) bytes += l + "\n";
  dir.Write("parametr.dta", bytes);

  TObsState s;
  s.TimeZone = 7.0;
  s.CoordSystem = 5;
  s.TimerSpeed = 1;
  const TLoadResult r = LoadParameters(s, dir / "parametr.dta");
  EXPECT_EQ(r.FieldsRejected, 3);
  EXPECT_EQ(s.TimeZone, 7.0);
  EXPECT_EQ(s.TimerSpeed, 1);
  EXPECT_EQ(s.CoordSystem, 5);
  EXPECT_EQ(s.Height, 45.0);
  EXPECT_EQ(s.ChartScale, 8);
}

TEST(ParameterFile, HugeLinesAreCutNotTrusted) {
  ScratchDir dir;
  std::string bytes = "1\r\n";
  bytes += std::string(10 * 1024 * 1024, '7');  // a 10 MB "number" for TimeZone
  bytes += "\r\n0\r\n1\r\n";
  bytes += std::string(10 * 1024 * 1024, 'x');  // a 10 MB StepLabel
  bytes += "\r\n";
  dir.Write("parametr.dta", bytes);
  TObsState s;
  const TLoadResult r = LoadParameters(s, dir / "parametr.dta");
  EXPECT_EQ(r.LinesRead, 5);
  EXPECT_EQ(s.MapColour, 1);
  EXPECT_EQ(s.TimeZone, 0.0);
  EXPECT_EQ(s.TimerSpeed, 1);
  EXPECT_EQ(s.StepLabel, "xxxxxx");  // cut to its six characters
}

// Found by fuzz/parameter_file_fuzz: the largest doubles were written as 1.79769313486232E+0308,
// above the largest double, so the next start refused the line and lost the field.
TEST(ParameterFile, RealsNearTheLargestDoubleReadBack) {
  ScratchDir dir;
  const struct {
    std::string_view line;   // TimeZone, line 2
    std::string_view saved;  // as written again
    double reread;
  } cases[] = {
      {"1.7976931348623157E308", " 1.79769313486231E+0308", 1.79769313486231e308},
      {"1.7976931348623E308", " 1.79769313486230E+0308", 1.7976931348623e308},
  };
  for (const auto& c : cases) {
    dir.Write("parametr.dta", "1\n" + std::string(c.line) + "\n");
    TObsState s;
    ASSERT_EQ(LoadParameters(s, dir / "parametr.dta").FieldsRejected, 0) << c.line;
    const std::vector<std::string> lines = SplitCrlf(ParameterFileBytes(s));
    ASSERT_EQ(lines.size(), 58u);
    EXPECT_EQ(lines[1], c.saved) << c.line;
    ASSERT_TRUE(SaveParameters(s, dir / "parametr.dta"));
    TObsState t;
    const TLoadResult r = LoadParameters(t, dir / "parametr.dta");
    EXPECT_EQ(r.LinesRead, 58) << c.line;
    EXPECT_EQ(r.FieldsRejected, 0) << c.line;
    EXPECT_EQ(t.TimeZone, c.reread) << c.line;
  }
}

TEST(ParameterFile, TextCapacitiesAndLineBreaks) {
  ScratchDir dir;
  TObsState s;
  s.PlaceName = "Ett mycket långt ortsnamn som inte får plats";
  s.NewPlaceName = "två\nrader";
  ASSERT_TRUE(SaveParameters(s, dir / "p.dta"));
  TObsState t;
  LoadParameters(t, dir / "p.dta");
  EXPECT_EQ(t.PlaceName, "Ett mycket långt ortsnamn som ");  // 30 characters
  EXPECT_EQ(t.NewPlaceName, "två rader");
  EXPECT_EQ(t.ChartScale, 0) << "a line break in a text must not shift the later lines";
}

TEST(StateFields, SetByName) {
  TObsState s;
  const TStateField* field = FindStateField("CoordSystem");
  ASSERT_NE(field, nullptr);
  EXPECT_TRUE(SetStateField(s, *field, "2"));
  EXPECT_FALSE(SetStateField(s, *field, "7"));
  EXPECT_EQ(s.CoordSystem, 2);
  EXPECT_EQ(FindStateField("ClockJD"), nullptr);
  EXPECT_FALSE(SetStateField(s, *FindStateField("Height"), "nan"));
}

}  // namespace
}  // namespace himlavy
