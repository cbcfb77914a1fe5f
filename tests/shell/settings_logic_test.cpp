// The settings dialog's rules without widgets: enabling, filling, reading and "OK".
#include "shell/settings_logic.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/scratch_dir.h"
#include "shell/parameter_file.h"

namespace himlavy {
namespace {

using testing::ScratchDir;

// Lines of "ortsnamn.dta": name 1-30, latitude 33-38, longitude 40-46, zone 48-53.
constexpr const char* kStockholm = "Stockholm                        59.20   18.03 +1    \r\n";
constexpr const char* kKiruna = "Kiruna                           67.51   20.13 +1    \r\n";

int Box(int TObsState::*field) {
  const int index = SwitchBoxIndex(field);
  EXPECT_GE(index, 0);
  return index;
}

// A state with whole minutes of arc, whole seconds of time and a few switches on.
TObsState SampleState() {
  TObsState s;
  s.ClockJD = 2451545.0;  // 2000 January 1, 12:00:00
  s.TimeZone = 2.5;
  s.TimeScale = 1;
  s.StepDays = 7.0;
  s.StepLabel = "7 dygn";
  s.TimerSpeed = 1;
  s.PlaceName = "Göteborg                      ";
  s.NewPlaceName = "Göteborg";
  s.Latitude = 57.7;     // 57 deg 42 min
  s.Longitude = -11.75;  // 11 deg 45 min west
  s.Height = 12.5;
  s.CoordSystem = 2;
  s.Hemisphere = 1;
  s.CentreDir = 1;
  s.Orientation = 0;
  s.DisplayMode = 1;
  s.ChartScale = 4;
  s.ShowMoons = 1;
  s.CatBSC = 1;
  s.CorrRefraction = 1;
  s.MapColour = 1;
  return s;
}

TEST(SettingsEnabling, ChangeOfSystemFollowsTheTable) {
  // Rows of the enabling table: which systems 0..6 enable the control ('E') or not ('-').
  struct Row {
    int TObsState::*Field;
    const char* Systems;
  };
  // One row of each kind the table has.
  const std::vector<Row> rows = {
      {&TObsState::ShowConstellations, "-EEEEEE"},
      {&TObsState::ShowCoordLines, "EEEEEEE"},
      {&TObsState::ShowHistory, "EEEEEE-"},
      {&TObsState::LabelStars, "-EEEEEE"},
      {&TObsState::LabelDeepSky, "--EE---"},
      {&TObsState::LabelPlanets, "EEEEEE-"},
      {&TObsState::CatBSC, "-EEEEEE"},
      {&TObsState::CatSKY, "--EE---"},
      {&TObsState::CatPGC, "--EE---"},
  };
  // Not touched by a change of system.
  const std::vector<int TObsState::*> untouched = {
      &TObsState::ShowAsteroids2, &TObsState::LabelMinorBodies, &TObsState::ColourIndex,
      &TObsState::CorrExtinction};
  // "Hemisfär" only in 3, "Mitten=" in 1, 2, 4, 6, "Orientering" only in 0.
  const char* hemisphere = "---E---";
  const char* centre = "-EE-E-E";
  const char* orientation = "E------";

  std::array<bool, kSwitchBoxCount> all{};
  all.fill(true);
  std::array<bool, kSwitchBoxCount> none = CatalogAvailability("/nonexistent-himlavy-dir");
  for (int system = 0; system < 7; ++system) {
    SCOPED_TRACE(system);
    const TControlEnabling e = SystemChangeEnabling(system, all);
    const TControlEnabling missing = SystemChangeEnabling(system, none);
    for (const Row& row : rows) {
      const int i = Box(row.Field);
      ASSERT_TRUE(e.Boxes[i].has_value()) << kSwitchBoxes[i].Caption;
      EXPECT_EQ(*e.Boxes[i], row.Systems[system] == 'E') << kSwitchBoxes[i].Caption;
      // A catalog that is not installed stays grey in every system.
      const bool catalog = !kSwitchBoxes[i].Catalog.empty();
      EXPECT_EQ(*missing.Boxes[i], !catalog && row.Systems[system] == 'E')
          << kSwitchBoxes[i].Caption;
    }
    for (const auto field : untouched) EXPECT_FALSE(e.Boxes[Box(field)].has_value());
    EXPECT_EQ(e.Hemisphere, hemisphere[system] == 'E');
    EXPECT_EQ(e.CentreDir, centre[system] == 'E');
    EXPECT_EQ(e.Orientation, orientation[system] == 'E');
  }
}

TEST(SettingsEnabling, OpeningRules) {
  ScratchDir dir;
  // Only BSC is installed (folder and file names in another case), with two whole records;
  // SKY's file has a broken record; WDS's first zone is a folder, not a file.
  std::filesystem::create_directories(dir / "BSC2000");
  dir.Write("BSC2000/01.DAT", std::string(2 * 52, '\0'));
  std::filesystem::create_directories(dir / "sky2000");
  dir.Write("sky2000/001.dat", std::string(41, '\0'));
  std::filesystem::create_directories(dir / "wds2000/01.dat");
  const auto available = CatalogAvailability(dir.Path());

  const std::vector<int TObsState::*> offInGalactic = {
      &TObsState::ShowSunPlanets, &TObsState::ShowMoons,      &TObsState::ShowAsteroids1,
      &TObsState::ShowAsteroids2, &TObsState::ShowAsteroids3, &TObsState::ShowComets,
      &TObsState::ShowProbes};
  for (int system = 0; system < 7; ++system) {
    SCOPED_TRACE(system);
    const TControlEnabling e = OpeningEnabling(system, available);
    for (const auto field : offInGalactic) EXPECT_EQ(e.Boxes[Box(field)], system != 6);
    // The catalogs by their files only, whatever the system.
    EXPECT_EQ(e.Boxes[Box(&TObsState::CatBSC)], true);
    EXPECT_EQ(e.Boxes[Box(&TObsState::CatSKY)], false);
    EXPECT_EQ(e.Boxes[Box(&TObsState::CatWDS)], false);
    EXPECT_EQ(e.Boxes[Box(&TObsState::CatGCM)], false);
    // Boxes the opening does not name are left alone.
    EXPECT_FALSE(e.Boxes[Box(&TObsState::ShowHistory)].has_value());
    EXPECT_FALSE(e.Boxes[Box(&TObsState::ShowConstellations)].has_value());
    EXPECT_EQ(e.Hemisphere, system == 3);
    EXPECT_EQ(e.CentreDir, system == 1 || system == 2 || system == 4 || system == 6);
    EXPECT_EQ(e.Orientation, system == 0);
  }
}

// The texts a showing puts in the fields: Swedish decimal comma, degrees and minutes, the step
// by its label; with real time the computer's clock, the second in the general form.
TEST(SettingsFields, FilledFromTheState) {
  TObsState s = SampleState();
  const auto texts = [](const TDialogFields& f) {
    return std::vector<std::string>{f.JD,       f.Year,     f.Month,     f.Day,
                                    f.Hour,     f.Minute,   f.Second,    f.Zone,
                                    f.NewPlace, f.Latitude, f.Longitude, f.Height};
  };
  TDialogFields f = FieldsFromState(s, {}, ',');
  EXPECT_EQ(texts(f), (std::vector<std::string>{"", "2000", "1", "1", "12", "0", "0", "2,50",
                                                "Göteborg", "57,42", "-11,45", "12,5"}));
  EXPECT_EQ(f.StepIndex, 11);  // " 7 dygn"
  EXPECT_EQ(f.Switches[Box(&TObsState::CatBSC)], 1);
  EXPECT_EQ(f.Switches[Box(&TObsState::CatSKY)], 0);
  EXPECT_EQ(f.MapColour, 1);

  // A point where the locale says so; a label no step has selects nothing.
  s.StepLabel = "?";
  f = FieldsFromState(s, {}, '.');
  EXPECT_EQ(f.Zone, "2.50");
  EXPECT_EQ(f.Latitude, "57.42");
  EXPECT_EQ(f.StepIndex, -1);

  s.RealTime = 1;
  s.StepLabel = " Nu!  ";
  f = FieldsFromState(s, {2024, 3, 15.0, 9, 5, 7.25}, ',');
  EXPECT_EQ(texts(f), (std::vector<std::string>{"", "2024", "3", "15", "9", "5", "7,25", "2,50",
                                                "Göteborg", "57,42", "-11,45", "12,5"}));
  EXPECT_EQ(f.StepIndex, 0);
}

TEST(SettingsFields, BadFieldsAndTheirMessages) {
  const TDialogFields good = FieldsFromState(SampleState(), {}, ',');
  struct Case {
    std::string TDialogFields::*Field;
    std::string Text;
    TDialogField Which;
    std::string Message;
  };
  const std::vector<Case> cases = {
      {&TDialogFields::Year, "20x0", TDialogField::Year, "'20x0' is not a valid integer value"},
      {&TDialogFields::Minute, "99999999999", TDialogField::Minute,
       "'99999999999' is not a valid integer value"},
      {&TDialogFields::Day, "", TDialogField::Day, "'' is not a valid floating point value"},
      {&TDialogFields::JD, "24515x", TDialogField::JD,
       "'24515x' is not a valid floating point value"},
      {&TDialogFields::Latitude, "59°20", TDialogField::Latitude,
       "'59°20' is not a valid floating point value"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Text);
    TDialogFields f = good;
    f.*c.Field = c.Text;
    const TParseResult r = ParseDialogFields(f);
    EXPECT_FALSE(r.Values.has_value());
    EXPECT_EQ(r.Error.Field, c.Which);
    EXPECT_EQ(r.Error.Message, c.Message);
  }

  // Two bad fields: the one read first is reported.
  TDialogFields two = good;
  two.Height = "x";
  two.Minute = "y";
  EXPECT_EQ(ParseDialogFields(two).Error.Field, TDialogField::Minute);

  // Numbers with blanks around them, a comma or a point, a sign and an exponent are fine; a JD
  // field of blanks is empty.
  TDialogFields fine = good;
  fine.Year = " -44 ";
  fine.Day = "15,5";
  fine.Second = "1.5e1";
  fine.Zone = "-3.5";
  fine.JD = "   ";
  const TParseResult r = ParseDialogFields(fine);
  ASSERT_TRUE(r.Values.has_value());
  EXPECT_EQ(r.Values->Date.Year, -44);
  EXPECT_EQ(r.Values->Date.Day, 15.5);
  EXPECT_EQ(r.Values->Date.Second, 15.0);
  EXPECT_EQ(r.Values->Zone, -3.5);
  EXPECT_FALSE(r.Values->JD.has_value());
}

TEST(SettingsOk, OpeningThenOkReproducesTheState) {
  ScratchDir dir;
  dir.Write("ortsnamn.dta", kStockholm);
  const TObsState before = SampleState();
  const TOkResult r =
      ApplyDialogFields(before, FieldsFromState(before, {}, ','), kPageTime, dir.Path());
  ASSERT_TRUE(r.Applied);
  EXPECT_NEAR(r.State.ClockJD, before.ClockJD, 1e-9);
  EXPECT_EQ(ParameterFileBytes(r.State), ParameterFileBytes(before));
  EXPECT_FALSE(r.PlaceFound);
  EXPECT_FALSE(r.Beep);
}

TEST(SettingsOk, TheMoment) {
  ScratchDir dir;
  TObsState s;
  TDialogFields f = FieldsFromState(s, {}, ',');
  // 1957 October 4.81 is JD 2436116.31 (Meeus, Astronomical Algorithms, example 7.a); the
  // clock reads TDT in zone 1.
  f.Year = "1957";
  f.Month = "10";
  f.Day = "4,81";
  f.Hour = "0";
  f.Minute = "0";
  f.Second = "0";
  f.Zone = "1";
  f.TimeScale = 1;
  const TOkResult r = ApplyDialogFields(s, f, kPageTime, dir.Path());
  ASSERT_TRUE(r.Applied);
  EXPECT_NEAR(r.State.ClockJD, 2436116.31, 1e-8);
  EXPECT_NEAR(r.State.JD_TT, 2436116.31 - 1.0 / 24.0, 1e-8);
  EXPECT_LT(r.State.JD_UT, r.State.JD_TT);
}
TEST(SettingsOk, StepChoices) {
  ScratchDir dir;
  TObsState s;
  s.StepDays = -2.0;
  s.StepLabel = "old   ";
  s.RealTime = 0;
  struct Case {
    int Index;
    double Days;
    const char* Label;
    int RealTime;
  };
  const std::vector<Case> cases = {
      {-1, -2.0, "old   ", 0},          // nothing selected: kept
      {0, -2.0, " Nu!  ", 1},           // real time keeps the step
      {10, 1.00273790935, "24h4m", 0},  // mean solar day, five characters
      {17, 36524.219, "100 år", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Index);
    TDialogFields f = FieldsFromState(s, {}, ',');
    f.StepIndex = c.Index;
    f.TimerSpeed = 2;
    const TOkResult r = ApplyDialogFields(s, f, kPageIncrement, dir.Path());
    ASSERT_TRUE(r.Applied);
    EXPECT_EQ(r.State.StepDays, c.Days);
    EXPECT_EQ(r.State.StepLabel, c.Label);
    EXPECT_EQ(r.State.RealTime, c.RealTime);
    EXPECT_EQ(r.State.TimerSpeed, 2);
  }
}

TEST(SettingsOk, TheSite) {
  ScratchDir dir;
  dir.Write("ortsnamn.dta", std::string(kStockholm) + kKiruna);
  TObsState s = SampleState();
  TDialogFields f = FieldsFromState(s, {}, ',');

  // Degrees and minutes as typed; no place of that name.
  f.NewPlace = "Ingenstans";
  f.Latitude = "59,20";
  f.Longitude = "-0.30";
  f.Height = "1,5e2";
  TOkResult r = ApplyDialogFields(s, f, kPagePlace, dir.Path());
  ASSERT_TRUE(r.Applied);
  EXPECT_NEAR(r.State.Latitude, 59.0 + 20.0 / 60.0, 1e-12);
  EXPECT_NEAR(r.State.Longitude, -0.5, 1e-12);
  EXPECT_EQ(r.State.Height, 150.0);
  EXPECT_EQ(r.State.NewPlaceName, "Ingenstans");
  EXPECT_EQ(r.State.PlaceName, s.PlaceName);  // kept
  EXPECT_FALSE(r.PlaceFound);

  // A place found by name replaces the typed coordinates.
  f.NewPlace = "Kiruna";
  r = ApplyDialogFields(s, f, kPagePlace, dir.Path());
  ASSERT_TRUE(r.Applied);
  EXPECT_TRUE(r.PlaceFound);
  EXPECT_NEAR(r.State.Latitude, 67.0 + 51.0 / 60.0, 1e-12);
  EXPECT_NEAR(r.State.Longitude, 20.0 + 13.0 / 60.0, 1e-12);
  EXPECT_EQ(r.State.PlaceName, "Kiruna                        ");
  EXPECT_EQ(r.ZoneLabel, "Tidzon   +1    ");
  EXPECT_EQ(r.State.Height, 150.0);
  EXPECT_EQ(r.State.TimeZone, s.TimeZone);  // the zone itself is not changed

  // An empty place field empties the place name.
  f.NewPlace = "";
  r = ApplyDialogFields(s, f, kPagePlace, dir.Path());
  EXPECT_EQ(r.State.PlaceName, "");
  EXPECT_FALSE(r.Beep);

  // At most 30 characters are kept (characters, not bytes).
  f.NewPlace = std::string("Å") + std::string(40, 'a');
  r = ApplyDialogFields(s, f, kPagePlace, dir.Path());
  EXPECT_EQ(r.State.NewPlaceName, std::string("Å") + std::string(29, 'a'));

  // Without the place file: the question beep, the typed values stand.
  ScratchDir empty;
  f.NewPlace = "Kiruna";
  r = ApplyDialogFields(s, f, kPagePlace, empty.Path());
  ASSERT_TRUE(r.Applied);
  EXPECT_TRUE(r.Beep);
  EXPECT_NEAR(r.State.Latitude, 59.0 + 20.0 / 60.0, 1e-12);
}

TEST(SettingsOk, ChoicesAndSwitches) {
  ScratchDir dir;
  const TObsState s = SampleState();
  TDialogFields f = FieldsFromState(s, {}, ',');
  f.CoordSystem = 6;
  f.CentreDir = -1;  // no choice keeps the field
  for (auto& sw : f.Switches) sw = 1;
  f.Switches[Box(&TObsState::CorrRefraction)] = 0;
  const TOkResult r = ApplyDialogFields(s, f, kPageOptions, dir.Path());
  ASSERT_TRUE(r.Applied);
  EXPECT_EQ(r.State.CoordSystem, 6);
  EXPECT_EQ(r.State.CentreDir, 1);
  EXPECT_EQ(r.State.CatPGC, 1);
  EXPECT_EQ(r.State.CorrRefraction, 0);
  EXPECT_EQ(r.State.MapColour, 1);  // carried by the hidden box
}
}  // namespace
}  // namespace himlavy
