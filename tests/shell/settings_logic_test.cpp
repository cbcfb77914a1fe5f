// The settings dialog's rules without widgets: enabling, filling, reading and "OK".
#include "shell/settings_logic.h"

#include <gtest/gtest.h>

#include "base/parameter_file.h"
#include "common/scratch_dir.h"
#include "shell/status_line.h"

namespace himlavy {
namespace {
using testing::ScratchDir;
using Strings = std::vector<std::string>;
using Field = int TObsState::*;
// A line of "ortsnamn.dta": name 1-30, latitude 33-38, longitude 40-46, zone 48-53.
constexpr const char* kPlaces = "Stockholm                        59.20   18.03 +1    \r\n";
int Box(Field field) {
  const int index = SwitchBoxIndex(field);
  EXPECT_GE(index, 0);
  return index;
}
// 2000 January 1, 12:00:00 at 57°42' N, 11°45' W: whole minutes and seconds, a few switches on.
TObsState SampleState() {
  TObsState s;
  std::tie(s.ClockJD, s.TimeZone, s.TimeScale, s.StepDays, s.StepLabel, s.TimerSpeed, s.PlaceName,
           s.NewPlaceName, s.Latitude, s.Longitude, s.Height) =
      std::tuple(2451545.0, 2.5, 1, 7.0, "7 dygn", 1, "Göteborg                      ", "Göteborg",
                 57.7, -11.75, 12.5);
  std::tie(s.CoordSystem, s.CentreDir, s.MapColour, s.CatBSC, s.CorrRefraction) =
      std::tuple(2, 1, 1, 1, 1);
  return s;
}
// A change of system, one row of each kind, and the opening rules (radio groups alike).
TEST(SettingsEnabling, ChangeOfSystemAndOpening) {
  using S = TObsState;
  // The systems 0..6 that enable the box ('E').
  const std::pair<Field, const char*> rows[] = {
      {&S::ShowCoordLines, "EEEEEEE"}, {&S::ShowHistory, "EEEEEE-"},
      {&S::LabelStars, "-EEEEEE"},     {&S::LabelDeepSky, "--EE---"},
      {&S::LabelPlanets, "EEEEEE-"},   {&S::CatBSC, "-EEEEEE"},
      {&S::CatSKY, "--EE---"},         {&S::ShowConstellations, "-EEEEEE"}};
  const Field untouched[] = {&S::ShowAsteroids2, &S::LabelMinorBodies, &S::ColourIndex};
  const Field offInGalactic[] = {&S::ShowSunPlanets, &S::ShowMoons,      &S::ShowAsteroids1,
                                 &S::ShowAsteroids2, &S::ShowAsteroids3, &S::ShowComets,
                                 &S::ShowProbes};
  ScratchDir dir;
  // BSC installed (names in another case); SKY's record broken; WDS's first zone a folder.
  for (const char* folder : {"BSC2000", "sky2000", "wds2000/01.dat"})
    std::filesystem::create_directories(dir / folder);
  dir.Write("BSC2000/01.DAT", std::string(2 * 52, '\0'));
  dir.Write("sky2000/001.dat", std::string(41, '\0'));
  const auto available = CatalogAvailability(dir.Path());
  std::array<bool, kSwitchBoxCount> all;
  all.fill(true);
  const auto none = CatalogAvailability("/nonexistent-himlavy-dir");
  for (int system = 0; system < 7; ++system) {
    SCOPED_TRACE(system);
    const TControlEnabling change = SystemChangeEnabling(system, all);
    const TControlEnabling missing = SystemChangeEnabling(system, none);
    const TControlEnabling opening = OpeningEnabling(system, available);
    for (const auto& [field, systems] : rows) {
      const int i = Box(field);
      ASSERT_TRUE(change.Boxes[i].has_value()) << kSwitchBoxes[i].Caption;
      EXPECT_EQ(*change.Boxes[i], systems[system] == 'E') << kSwitchBoxes[i].Caption;
      // A catalog that is not installed stays grey in every system.
      EXPECT_EQ(*missing.Boxes[i], kSwitchBoxes[i].Catalog.empty() && systems[system] == 'E');
    }
    for (const auto field : untouched) EXPECT_FALSE(change.Boxes[Box(field)].has_value());
    for (const auto field : offInGalactic) EXPECT_EQ(opening.Boxes[Box(field)], system != 6);
    EXPECT_FALSE(opening.Boxes[Box(&S::ShowHistory)].has_value());
    // The catalogs by their files only.
    EXPECT_EQ(std::tuple(opening.Boxes[Box(&S::CatBSC)], opening.Boxes[Box(&S::CatSKY)],
                         opening.Boxes[Box(&S::CatWDS)]),
              std::tuple(true, false, false));
    for (const TControlEnabling& e : {change, opening}) {
      EXPECT_EQ(e.Hemisphere, system == 3);
      EXPECT_EQ(e.CentreDir, system == 1 || system == 2 || system == 4 || system == 6);
      EXPECT_EQ(e.Orientation, system == 0);
    }
  }
}
Strings Texts(const TDialogFields& f) {
  return {f.JD,     f.Year, f.Month,    f.Day,      f.Hour,      f.Minute,
          f.Second, f.Zone, f.NewPlace, f.Latitude, f.Longitude, f.Height};
}
TEST(SettingsFields, FilledFromTheStateBadFieldsAndTheirMessages) {
  TObsState s = SampleState();
  TDialogFields f = FieldsFromState(s, {}, ',');
  EXPECT_EQ(Texts(f), (Strings{"", "2000", "1", "1", "12", "0", "0", "2,50", "Göteborg", "57,42",
                               "-11,45", "12,5"}));
  EXPECT_EQ(std::tuple(f.StepIndex, f.Switches[Box(&TObsState::CatBSC)],
                       f.Switches[Box(&TObsState::CatSKY)], f.MapColour),
            std::tuple(11, 1, 0, 1));  // step " 7 dygn"
  // Real time: the computer's clock, the second in the general form.
  s.RealTime = 1;
  s.StepLabel = " Nu!  ";
  f = FieldsFromState(s, {2024, 3, 15.0, 9, 5, 7.25}, ',');
  EXPECT_EQ(Texts(f), (Strings{"", "2024", "3", "15", "9", "5", "7,25", "2,50", "Göteborg", "57,42",
                               "-11,45", "12,5"}));
  EXPECT_EQ(f.StepIndex, 0);
  // Bad fields and their messages.
  const TDialogFields good = FieldsFromState(SampleState(), {}, ',');
  const std::tuple<std::string TDialogFields::*, std::string, TDialogField, const char*> cases[] = {
      {&TDialogFields::Year, "20x0", TDialogField::Year, "integer"},
      {&TDialogFields::Minute, "99999999999", TDialogField::Minute, "integer"},
      {&TDialogFields::Day, "", TDialogField::Day, "floating point"},
      {&TDialogFields::JD, "24515x", TDialogField::JD, "floating point"},
      {&TDialogFields::Latitude, "59°20", TDialogField::Latitude, "floating point"}};
  for (const auto& [field, text, which, kind] : cases) {
    TDialogFields f = good;
    f.*field = text;
    const TParseResult r = ParseDialogFields(f);
    EXPECT_EQ(std::tuple(r.Values.has_value(), r.Error.Field), std::tuple(false, which)) << text;
    EXPECT_EQ(r.Error.Message, "'" + text + "' is not a valid " + kind + " value");
  }
  TDialogFields two = good;  // the field read first is reported
  std::tie(two.Height, two.Minute) = std::tuple("x", "y");
  EXPECT_EQ(ParseDialogFields(two).Error.Field, TDialogField::Minute);
  // Blanks around, a comma and a sign are fine; blanks are no JD.
  TDialogFields fine = good;
  std::tie(fine.Year, fine.Day, fine.JD) = std::tuple(" -44 ", "15,5", "   ");
  const TParseResult r = ParseDialogFields(fine);
  ASSERT_TRUE(r.Values.has_value());
  EXPECT_EQ(std::tuple(r.Values->Date.Year, r.Values->Date.Day), std::tuple(-44, 15.5));
  EXPECT_FALSE(r.Values->JD.has_value());
}
// "OK" on the sample state's fields, shown as they are, in a scratch folder.
class SettingsOk : public ::testing::Test {
 protected:
  ScratchDir dir;
  TObsState s = SampleState();
  TDialogFields f = FieldsFromState(s, {}, ',');
};
// Moments, zones or sites out of range: a Swedish message naming the field, nothing applied.
TEST_F(SettingsOk, ValuesOutOfRangeAreRefusedAndNothingAppliedAndAFailedSaveIsReported) {
  // Per field: the texts refused, and the ends of the ranges, which are fine (JD 0 and
  // 5373484.5, zone 14, the poles, 180 degrees).
  using F = TDialogFields;
  const std::tuple<std::string F::*, TDialogField, const char*, Strings, Strings> cases[] = {
      {&F::JD, TDialogField::JD, "\"JD\"", {"1e300", "-0,5", "5373485"}, {"0", "5373484,5"}},
      {&F::Year, TDialogField::Year, "\"År\"", {"2000000000", "-4713"}, {}},
      {&F::Zone, TDialogField::Zone, "\"Tidzon\"", {"1e308", "-14,5"}, {"14"}},
      {&F::Latitude, TDialogField::Latitude, "\"Latitud\"", {"95", "-90,01"}, {"-90"}},
      {&F::Longitude, TDialogField::Longitude, "\"Longitud\"", {"180,30"}, {"180"}}};
  for (const auto& [field, which, named, refused, fine] : cases) {
    TDialogFields typed = f;
    typed.Save = true;
    for (const std::string& text : refused) {
      typed.*field = text;
      const TOkResult r = ApplyDialogFields(s, typed, kPageTime, dir.Path());
      EXPECT_EQ(std::tuple(r.Applied, r.Error.Field, r.State.ClockJD),
                std::tuple(false, which, s.ClockJD))
          << text;
      EXPECT_NE(r.Error.Message.find(named), std::string::npos) << r.Error.Message;
      EXPECT_NE(r.Error.Message.find("utanför"), std::string::npos) << r.Error.Message;
      EXPECT_FALSE(std::filesystem::exists(dir / "parametr.dta"));
    }
    typed.Save = false;
    for (const std::string& text : fine) {
      typed.*field = text;
      EXPECT_TRUE(ApplyDialogFields(s, typed, kPageTime, dir.Path()).Applied) << text;
    }
  }
  // A save that fails says where and why; the state is applied and the old file stays.
  dir.Write("parametr.dta", "gammal\r\n");
  using std::filesystem::perms;
  std::filesystem::permissions(dir / "parametr.dta",
                               perms::owner_read | perms::group_read | perms::others_read);
  f.Zone = "3";
  f.Save = true;
  const TOkResult r = ApplyDialogFields(s, f, kPageTime, dir.Path());
  EXPECT_EQ(std::tuple(r.Applied, r.SaveFailed, r.State.TimeZone), std::tuple(true, true, 3.0));
  EXPECT_NE(r.SaveMessage.find((dir / "parametr.dta").string()), std::string::npos);
  EXPECT_NE(r.SaveMessage.find("skrivskyddad"), std::string::npos) << r.SaveMessage;
  EXPECT_EQ(dir.Read("parametr.dta"), "gammal\r\n");
}
TEST_F(SettingsOk, OpeningThenOkReproducesTheStateButTheSecondsFraction) {
  dir.Write("ortsnamn.dta", kPlaces);
  s.ClockJD += 0.4 / 86400.0;  // shown as 12:00:00
  const TOkResult r = ApplyDialogFields(s, FieldsFromState(s, {}, ','), kPageTime, dir.Path());
  EXPECT_EQ(std::tuple(r.Applied, r.PlaceFound, r.Beep), std::tuple(true, false, false));
  EXPECT_NEAR(r.State.ClockJD, 2451545.0, 1e-9);
  EXPECT_EQ(ParameterFileBytes(r.State), ParameterFileBytes(s));
}
TEST_F(SettingsOk, TheMomentAndTheStep) {
  s = {.StepDays = -2.0, .StepLabel = "old   "};
  f = FieldsFromState(s, {}, ',');
  // 1957 October 4.81 is JD 2436116.31 (Meeus, Astronomical Algorithms, example 7.a); the
  // clock reads TDT in zone 1.
  std::tie(f.Year, f.Month, f.Day, f.Hour, f.Minute, f.Second, f.Zone) =
      std::tuple("1957", "10", "4,81", "0", "0", "0", "1");
  f.TimeScale = kTimeScaleTdt;
  TOkResult r = ApplyDialogFields(s, f, kPageTime, dir.Path());
  ASSERT_TRUE(r.Applied);
  EXPECT_NEAR(r.State.ClockJD, 2436116.31, 1e-8);
  EXPECT_NEAR(r.State.JD_TT, 2436116.31 - 1.0 / 24.0, 1e-8);
  EXPECT_LT(r.State.JD_UT, r.State.JD_TT);
  // A JD typed wins over the date, and the next showing has the date and an empty JD field.
  f.Year = "2000";
  f.JD = "2436116,31";
  r = ApplyDialogFields(s, f, kPageTime, dir.Path());
  EXPECT_EQ(r.State.ClockJD, 2436116.31);
  const Strings shown = Texts(FieldsFromState(r.State, {}, ','));
  EXPECT_EQ(Strings(shown.begin(), shown.begin() + 7),
            (Strings{"", "1957", "10", "4", "19", "26", "24"}));  // 4.81 = 19:26:24
  const std::tuple<int, double, const char*, int> steps[] = {
      {-1, -2.0, "old   ", 0},          // nothing selected: kept
      {0, -2.0, " Nu!  ", 1},           // real time keeps the step
      {10, 1.00273790935, "24h4m", 0},  // mean solar day, five characters
      {17, 36524.219, "100 år", 0}};
  for (const auto& [Index, Days, Label, RealTime] : steps) {
    f.StepIndex = Index;
    f.TimerSpeed = 2;
    r = ApplyDialogFields(s, f, kPageIncrement, dir.Path());
    EXPECT_EQ(std::tuple(r.Applied, r.State.StepDays, r.State.StepLabel, r.State.RealTime,
                         r.State.TimerSpeed),
              std::tuple(true, Days, Label, RealTime, 2))
        << Index;
  }
}
TEST_F(SettingsOk, TheSite) {
  dir.Write("ortsnamn.dta", kPlaces);
  // Degrees and minutes as typed; no place of that name.
  std::tie(f.NewPlace, f.Latitude, f.Longitude, f.Height) =
      std::tuple("Ingenstans", "59,20", "-0.30", "1,5e2");
  TOkResult r = ApplyDialogFields(s, f, kPagePlace, dir.Path());
  EXPECT_NEAR(r.State.Latitude, 59.0 + 20.0 / 60.0, 1e-12);
  EXPECT_NEAR(r.State.Longitude, -0.5, 1e-12);
  EXPECT_EQ(std::tuple(r.Applied, r.State.Height, r.State.PlaceName, r.PlaceFound),
            std::tuple(true, 150.0, s.PlaceName, false));
  f.NewPlace = "";  // empties the place name
  EXPECT_EQ(ApplyDialogFields(s, f, kPagePlace, dir.Path()).State.PlaceName, "");
  f.NewPlace = "Å" + std::string(40, 'a');  // 30 characters, not bytes
  EXPECT_EQ(ApplyDialogFields(s, f, kPagePlace, dir.Path()).State.NewPlaceName,
            "Å" + std::string(29, 'a'));
  // Without the place file: the question beep, the typed values stand.
  ScratchDir empty;
  f.NewPlace = "Stockholm";
  r = ApplyDialogFields(s, f, kPagePlace, empty.Path());
  EXPECT_EQ(std::tuple(r.Applied, r.Beep), std::tuple(true, true));
  EXPECT_NEAR(r.State.Latitude, 59.0 + 20.0 / 60.0, 1e-12);
}
TEST_F(SettingsOk, ChoicesAndSwitches) {
  f.CoordSystem = 6;
  f.CentreDir = -1;  // no choice keeps the field
  f.Switches.fill(1);
  f.Switches[Box(&TObsState::CorrRefraction)] = 0;
  const TOkResult r = ApplyDialogFields(s, f, kPageOptions, dir.Path());
  // The map colour is carried by the hidden box.
  EXPECT_EQ(std::tuple(r.Applied, r.State.CoordSystem, r.State.CentreDir, r.State.CatPGC,
                       r.State.CorrRefraction, r.State.MapColour),
            std::tuple(true, 6, 1, 1, 0, 1));
}
// The texts of the main window's status line and of the printed chart's header.
// 1990 January 1, 0h, a Monday; delta T 58 s.
TObsState Lund1990(double zone) {
  TObsState s;
  std::tie(s.ClockJD, s.TimeZone, s.StepDays, s.StepLabel, s.PlaceName, s.Latitude, s.Longitude,
           s.Height) = std::tuple(2447892.5, zone, -1.0, "1 dygn", "Lund", -33.9, 18.4, 12.5);
  DeriveTimes(s);
  return s;
}
TEST(StatusLine, PanelTextsAndPrintedChartHeader) {
  EXPECT_EQ(
      StatusLineTexts(Lund1990(1.0), ','),
      (std::array<std::string, 9>{" 1990-1-1 Måndag", " 0h0m0s", " Zon=1,00   Skala=UTC   dT=0m58s",
                                  " JD=2447892,458333", " Inkr.= -1 dygn", " Lund",
                                  " Latitud=33°54' S", " Longitud=18°24' Ö", " Höjd=12,5m"}));
  // 2000-01-02 01:30:45.6.
  TObsState s;
  std::tie(s.ClockJD, s.TimeScale, s.StepDays, s.StepLabel, s.Latitude, s.Longitude) =
      std::tuple(2451545.0 + 13.5 / 24.0 + 45.6 / 86400.0, 1, 0.25, " 6 tim", 59.3293, -0.5);
  DeriveTimes(s);
  auto p = StatusLineTexts(s, '.');
  EXPECT_EQ(std::tuple(p[0], p[1]), std::tuple(" 2000-1-2 Söndag", " 1h30m46s"));
  EXPECT_EQ(p[2].substr(0, 24), " Zon=0.00   Skala=TDT   ");
  EXPECT_EQ(std::tuple(p[4], p[6]), std::tuple(" Inkr.=   6 tim", " Latitud=59°20' N"));
  EXPECT_EQ(std::tuple(p[7], p[8]), std::tuple(" Longitud=0°30' V", " Höjd=0m"));
  s.RealTime = 1;
  EXPECT_EQ(StatusLineTexts(s, '.')[4], " Inkr.= Nu!");
  // The printed chart's header.
  const TPrintHeader h = PrintHeaderTexts(Lund1990(-5.0), 16, ',');
  EXPECT_EQ(std::tuple(h.Title, h.Date), std::tuple("Himlavy 4.6", " Måndag-1-1-1990"));
  EXPECT_EQ(std::tuple(h.Time, h.Zone), std::tuple(" 0h0m0s", " Zon=-5,00   Skala=16   dT=0m58s"));
  EXPECT_EQ(std::tuple(h.JD, h.Latitude), std::tuple(" JD=2447892,708333", " Latitud=33°54' S"));
}
}  // namespace
}  // namespace himlavy
