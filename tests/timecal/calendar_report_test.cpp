// The calendar for one day: its texts, its numbers against Meeus's worked examples (1st ed.,
// 1991), its times against published almanacs, the polar cases and the spin buttons.
//
// Published times: P. Schlyter, "Solens, Månens och Planeternas upp/nedgångar" for Sundsvall
// (2001) and Östersund (2021), stjarnhimlen.se, Swedish normal time (UTC+1), upper limb on the
// horizon. Where no printed table was at hand, Astronomy Engine 2 (D. Cross; npm
// astronomy-engine, SearchRiseSet / SearchAltitude / HourAngle) is the reference.
#include "timecal/calendar_report.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "common/data_folder.h"
#include "common/scratch_dir.h"
#include "timecal/formatting.h"
#include "timecal/numtext.h"
#include "timecal/timescales.h"

namespace himlavy {
namespace {

using K = TCalendarLineKind;

constexpr double kMinute = 1.0 / 60.0;  // hours
constexpr double kDeg = 3.141592653589793 / 180.0;

// A state at a local clock reading (zone and scale as given) at a site.
TObsState StateAt(int year, int month, int day, double hours, double zone, double latitude,
                  double longitude, int scale = 0) {
  TObsState state;
  state.TimeZone = zone;
  state.TimeScale = scale;
  state.Latitude = latitude;
  state.Longitude = longitude;
  state.ClockJD = JulianDay(year, month, day) + hours / 24.0;
  DeriveTimes(state);
  return state;
}

TCalendarReport ReportAt(const TObsState& state, char sep = ',') {
  return CalendarReport(state, testing::DataFolder(), sep);
}

// The kinds and line numbers k of the day's lines after the Julian day (k = 5) and the day
// number (k = 6): "equation_of_time 7, sunrise 9, ...".
std::string Layout(const TCalendarReport& r) {
  std::string layout;
  for (std::size_t i = 2; i < r.Lines.size(); ++i) {
    if (!layout.empty()) layout += ", ";
    layout += std::string(kCalendarLineKeys[static_cast<std::size_t>(r.Lines[i].Kind)]) + " " +
              std::to_string(r.Lines[i].Line);
  }
  return layout;
}

const TCalendarLine* Find(const TCalendarReport& r, K kind) {
  for (const auto& line : r.Lines) {
    if (line.Kind == kind) return &line;
  }
  return nullptr;
}

TEST(CalendarReport, TitleAndTheDateLines) {
  // 2001 May 27 is a Sunday, day 147 of the year; 0 h is JD 2452056.5. The date is the local
  // one: 23:30 in zone +2 is still the 27th.
  TObsState state = StateAt(2001, 5, 27, 23.5, 2.0, 59.3293, 18.0686);
  state.PlaceName = "Stockholm";
  const TCalendarReport r = ReportAt(state);
  EXPECT_EQ(r.Title, "Kalender för 2001-5-27 Söndag (UTC 2,00)");
  EXPECT_EQ(r.Place, "Stockholm");
  EXPECT_EQ(r.Lines[0].Items[0].Text, "Julianskt dagtal vid 0 h=2452056,5");
  EXPECT_EQ(r.Lines[1].Items[0].Text, "Dagtal=147");
  for (const auto& line : r.Lines) {
    for (const auto& item : line.Items) EXPECT_EQ(item.Y, 14 * line.Line);
  }
  // A zone west of Greenwich and a point as separator; a leap year's last day.
  const TCalendarReport west = ReportAt(StateAt(2024, 1, 1, 0.0, -5.0, 40.7, -74.0), '.');
  EXPECT_EQ(west.Title, "Kalender för 2024-1-1 Måndag (UTC -5.00)");
  EXPECT_EQ(west.Lines[0].Items[0].Text, "Julianskt dagtal vid 0 h=2460310.5");
  EXPECT_EQ(ReportAt(StateAt(2024, 12, 31, 8.0, 1.0, 59.3, 18.1)).Lines[1].Items[0].Text,
            "Dagtal=366");
}

TEST(CalendarReport, GreenwichSiderealTimeAtZeroHoursOfTheLocalDate) {
  // Meeus ex. 11.a: 1987 April 10, 0h UT: mean sidereal time 13h10m46.3668s. The label shows it
  // at 0 h UT of the local date, whatever the clock time and the zone.
  for (const auto& [hours, zone] : {std::pair{0.0, 0.0}, {19.35, 0.0}, {1.0, 2.0}, {22.0, -6.0}}) {
    const TCalendarReport r = ReportAt(StateAt(1987, 4, 10, hours, zone, 50.0, 10.0));
    EXPECT_EQ(r.Labels[6], "Siderisk tid för Greenwich vid 0 h=");
    EXPECT_EQ(r.Labels[7], std::string(38, ' ') + "13h10m46.3668s") << hours << " h, " << zone;
  }
}

TEST(CalendarReport, EquationOfTime) {
  // The calendar feeds the Sun's geometric right ascension on the mean equator into Meeus's
  // equation of time; leaving out aberration and nutation in right ascension moves the result
  // by about 1.5 s at most from the apparent-place value, so 2 s is the tolerance.
  // Meeus ex. 27.a: 1992 October 13, 0h TD: E = +13m42.7s. Astronomy Engine (hour angle of the
  // apparent Sun at Greenwich at 0h UT): 2024 February 11 -14.188 min, 2024 June 21 -1.813 min.
  const struct {
    int year, month, day;
    double minutes;
  } cases[] = {{1992, 10, 13, 13.0 + 42.7 / 60.0}, {2024, 2, 11, -14.188}, {2024, 6, 21, -1.813}};
  for (const auto& c : cases) {
    const TCalendarReport r = ReportAt(StateAt(c.year, c.month, c.day, 0.0, 0.0, 0.0, 0.0));
    const TCalendarLine* line = Find(r, K::EquationOfTime);
    ASSERT_NE(line, nullptr);
    EXPECT_NEAR(line->Value, c.minutes / 60.0, 2.0 / 3600.0) << c.year << "-" << c.month;
  }
  const TCalendarReport meeus = ReportAt(StateAt(1992, 10, 13, 0.0, 0.0, 0.0, 0.0));
  EXPECT_TRUE(std::regex_match(meeus.Lines[2].Items[0].Text,
                               std::regex(R"(Tidsekvationen vid 0 h=13m4[1-4]s)")));
}

TEST(CalendarReport, RiseSetHoursOfMeeusVenusExample) {
  // Meeus ex. 14.a: Venus at Boston (71°05' W, 42°20' N), 1988 March 20, delta T = 56 s,
  // h0 = -0°34'; apparent places at 0h TD of March 19, 20 and 21. Rising 12h25m, transit
  // 19h41m, setting 2h55m UT (m = 0.51766, 0.81980, 0.12130).
  const std::array<TEquatorial, 3> venus = {{{40.68021 * kDeg, 18.04761 * kDeg},
                                             {41.73129 * kDeg, 18.44092 * kDeg},
                                             {42.78204 * kDeg, 18.82742 * kDeg}}};
  const TRiseSetHours h = RiseSetHours(venus, JulianCenturies(2447240.5), 56.0, -0.5667 * kDeg,
                                       (71.0 + 5.0 / 60.0) * kDeg, (42.0 + 20.0 / 60.0) * kDeg);
  EXPECT_EQ(h.Status, 0);
  EXPECT_NEAR(h.Rise, 0.51766 * 24.0, 0.0002 * 24.0);
  EXPECT_NEAR(h.Transit, 0.81980 * 24.0, 0.0002 * 24.0);
  EXPECT_NEAR(h.Set, 0.12130 * 24.0, 0.0002 * 24.0);
}

TEST(CalendarReport, SunAndMoonAgainstPublishedTables) {
  // Schlyter's tables give whole minutes; the calendar's fixed -50' for the Sun and its
  // interpolated geocentric places add well under a minute at these latitudes. Tolerance:
  // 1.5 min for the Sun, 2 min for the Moon.
  const struct {
    double lat, lon;
    int year, month, day;
    double sunrise, sunset, moonrise, moonset;  // hours, UTC+1
  } cases[] = {
      {62.392, 17.290, 2001, 1, 1, 9 + 18 / 60.0, 14 + 31 / 60.0, 11 + 47 / 60.0, 22 + 33 / 60.0},
      {63.178, 14.635, 2021, 1, 1, 9 + 39 / 60.0, 14 + 32 / 60.0, 16 + 56 / 60.0, 11 + 34 / 60.0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.year) + "-" + std::to_string(c.day));
    const TCalendarReport r = ReportAt(StateAt(c.year, c.month, c.day, 12.0, 1.0, c.lat, c.lon));
    const TCalendarLine* sun = Find(r, K::Sunrise);
    const TCalendarLine* moon = Find(r, K::Moonrise);
    ASSERT_NE(sun, nullptr);
    ASSERT_NE(moon, nullptr);
    EXPECT_NEAR(sun->Times.Rise, c.sunrise, 1.5 * kMinute);
    EXPECT_NEAR(sun->Times.Set, c.sunset, 1.5 * kMinute);
    EXPECT_NEAR(moon->Times.Rise, c.moonrise, 2.0 * kMinute);
    EXPECT_NEAR(moon->Times.Set, c.moonset, 2.0 * kMinute);
  }
}

TEST(CalendarReport, StockholmTwilightsAgainstAstronomyEngine) {
  // Stockholm (59.3293 N, 18.0686 E), 2024 December 21, UTC+1; Astronomy Engine: sunrise
  // 8h43.59m, sunset 14h48.39m; the Sun at -6°: 7h47.97m / 15h44.02m, at -12°: 6h52.57m /
  // 16h39.42m, at -18°: 6h02.12m / 17h29.87m; the Moon rises 22h31.15m, sets 11h41.40m.
  const TCalendarReport r = ReportAt(StateAt(2024, 12, 21, 12.0, 1.0, 59.3293, 18.0686));
  EXPECT_EQ(Layout(r),
            "equation_of_time 7, sunrise 9, civil_twilight 10, nautical_twilight 11, "
            "astronomical_twilight 12, moonrise 14");
  EXPECT_EQ(r.LastLine, 14);
  const struct {
    K kind;
    double rise, set;
    const char* name;
  } expected[] = {
      {K::Sunrise, 8 + 43.59 / 60, 14 + 48.39 / 60, "Soluppgång"},
      {K::CivilTwilight, 7 + 47.97 / 60, 15 + 44.02 / 60, "Borgerlig skymning"},
      {K::NauticalTwilight, 6 + 52.57 / 60, 16 + 39.42 / 60, "Nautisk skymning"},
      {K::AstronomicalTwilight, 6 + 2.12 / 60, 17 + 29.87 / 60, "Astronomisk skymning"},
      {K::Moonrise, 22 + 31.15 / 60, 11 + 41.40 / 60, "Månuppgång"},
  };
  for (const auto& e : expected) {
    const TCalendarLine* line = Find(r, e.kind);
    EXPECT_EQ(line->Items[0].Text, e.name);
    EXPECT_NEAR(line->Times.Rise, e.rise, 1.5 * kMinute) << e.name;
    EXPECT_NEAR(line->Times.Set, e.set, 1.5 * kMinute) << e.name;
  }
  // A twilight line: the name at 10, the evening time at 246, then the morning time at 124.
  const TCalendarLine* civil = Find(r, K::CivilTwilight);
  ASSERT_EQ(civil->Items.size(), 3u);
  EXPECT_EQ(civil->Items[1].X, 246);
  EXPECT_EQ(civil->Items[1].Text, FormatHM(civil->Times.Set));
  EXPECT_EQ(civil->Items[2].X, 124);
  EXPECT_EQ(civil->Items[2].Text, FormatHM(civil->Times.Rise));
}

TEST(CalendarReport, HighLatitudes) {
  // 59° N, 18° E, 2001 June 21, UTC+2: the Sun sinks to about -7.5°, so the nautical and
  // astronomical lines are missing. Astronomy Engine: sunrise 3h34.59m, sunset 22h04.90m.
  const TCalendarReport midsummer = ReportAt(StateAt(2001, 6, 21, 12.0, 2.0, 59.0, 18.0));
  EXPECT_EQ(Layout(midsummer), "equation_of_time 7, sunrise 9, civil_twilight 10, moonrise 12");
  EXPECT_NEAR(midsummer.SunEvents[0].Rise, 3 + 34.59 / 60, 1.5 * kMinute);
  EXPECT_NEAR(midsummer.SunEvents[0].Set, 22 + 4.90 / 60, 1.5 * kMinute);

  // 70° N, 20° E, UTC+1. In June the Sun never sets: one line with the transit (Astronomy
  // Engine: 11h41.75m); the Moon at new moon (the solar eclipse of 2001 June 21) stays up.
  const TCalendarReport june = ReportAt(StateAt(2001, 6, 21, 12.0, 1.0, 70.0, 20.0));
  EXPECT_EQ(Layout(june), "equation_of_time 7, sun_always_up 9, moon_always_up 11");
  const TCalendarLine* up = Find(june, K::SunAlwaysUp);
  EXPECT_EQ(up->Items[0].Text,
            "Solen är alltid över horisonten. I meridianen: " + FormatHM(up->Times.Transit));
  EXPECT_NEAR(up->Times.Transit, 11 + 41.75 / 60, kMinute);
  EXPECT_EQ(Find(june, K::MoonAlwaysUp)->Items[0].Text, "Månen är alltid över horisonten.");

  // In December the Sun never rises; the three twilights are still reached (Astronomy Engine:
  // -6° 9h34.52m / 13h41.71m).
  const TCalendarReport december = ReportAt(StateAt(2001, 12, 21, 12.0, 1.0, 70.0, 20.0));
  EXPECT_EQ(Layout(december),
            "equation_of_time 7, sun_never_rises 9, civil_twilight 10, nautical_twilight 11, "
            "astronomical_twilight 12, moonrise 14");
  EXPECT_EQ(Find(december, K::SunNeverRises)->Items[0].Text, "Solen går inte upp.");
  const TCalendarLine* civil = Find(december, K::CivilTwilight);
  EXPECT_NEAR(civil->Times.Rise, 9 + 34.52 / 60, 1.5 * kMinute);
  EXPECT_NEAR(civil->Times.Set, 13 + 41.71 / 60, 1.5 * kMinute);

  // At 85° N in December the Sun stays below -18° (its highest point is about -18.4°): no
  // twilight line, "Alltid mörkt." two lines below "Solen går inte upp.", the Moon (declination
  // about -12°, Astronomy Engine) below the horizon all day, two lines further.
  const TCalendarReport dark = ReportAt(StateAt(2001, 12, 21, 12.0, 1.0, 85.0, 20.0));
  EXPECT_EQ(Layout(dark),
            "equation_of_time 7, sun_never_rises 9, always_dark 11, moon_always_down 13");
  EXPECT_EQ(dark.Lines[4].Items[0].Text, "Alltid mörkt.");
  EXPECT_EQ(dark.Lines[5].Items[0].Text, "Månen är alltid under horisonten.");
}

TEST(CalendarReport, CurrentValueLabels) {
  // Delta T: at the clock reading when the clock reads UTC (1990.0: 58.0 s by the table),
  // 0 when it reads TDT.
  TObsState state = StateAt(1990, 1, 1, 0.0, 0.0, 59.3, 18.1);
  EXPECT_EQ(ReportAt(state).Labels[0], "Approximativt delta-T=0m58s");
  state.TimeScale = 1;
  DeriveTimes(state);
  EXPECT_EQ(ReportAt(state).Labels[0], "Approximativt delta-T=0m0s");

  // The Julian days with 13 significant digits and the user's separator: 2001 May 27,
  // 12:00 in zone +2 is 10:00 UT, JD 2452056.9166667. The shared nutation and obliquity in
  // degrees' arc seconds, one minus sign: 0.0047° = 16.920"; 23.4392911° = 23°26'21.448".
  state = StateAt(2001, 5, 27, 12.0, 2.0, 59.3, 18.1);
  state.NutLon = -0.0047 * kDeg;
  state.NutObl = 0.0047 * kDeg;
  state.Obliquity = (23.4392911 - 0.0047) * kDeg;
  const TCalendarReport r = ReportAt(state);
  EXPECT_EQ(r.Labels[1], "JD  =2452056,916667");
  EXPECT_TRUE(r.Labels[2].starts_with("JDE=2452056,91")) << r.Labels[2];
  EXPECT_EQ(r.Labels[3], "Nut.lon.=-16.920\"");
  EXPECT_EQ(r.Labels[4], "Nut.obl.=16.920\"");
  EXPECT_EQ(r.Labels[5], "Ekl. obl. + nut.obl.=23°26'21.448\"");
}

TEST(CalendarReport, WithoutThePlanetarySeriesTheSunIsLeftOut) {
  const testing::ScratchDir empty;
  const TCalendarReport r =
      CalendarReport(StateAt(2001, 5, 27, 12.0, 2.0, 59.3, 18.1), empty.Path(), ',');
  EXPECT_FALSE(r.SunComputed);
  EXPECT_EQ(Layout(r), "moonrise 8");
}

TEST(CalendarStep, SpinButtonsStepTheClockAndRaiseTheFlags) {
  // A day step from 2001-05-27 moves the moment to 2001-05-28 at the same clock time, the JD of
  // the status line by exactly 1; every window but the Earth map redraws, the calendar too.
  TObsState state = StateAt(2001, 5, 27, 15.25, 2.0, 59.3, 18.1);
  const std::string jdBefore = FixedText(state.JD_UT, 6);
  CalendarStep(state, TCalendarStep::Day, +1);
  const TCalDateTime after = CalendarDateTime(state.ClockJD + 1e-9);
  EXPECT_EQ(after.Day, 28);
  EXPECT_EQ(after.Hour, 15);
  EXPECT_EQ(after.Minute, 15);
  EXPECT_EQ(FixedText(state.JD_UT - 1.0, 6), jdBefore);
  for (const auto flag : kRedrawFlags) {
    EXPECT_EQ(state.*flag, flag == &TObsState::RedrawEarth ? 0 : 1);
  }

  // A month is 30.4375 days: 2001-01-31 00:00 steps to 03-02 10:30, 14:00 to 03-03 00:30.
  const struct {
    double hours;
    int day, hour;
  } months[] = {{0.0, 2, 10}, {14.0, 3, 0}};
  for (const auto& m : months) {
    TObsState s = StateAt(2001, 1, 31, m.hours, 1.0, 59.3, 18.1);
    CalendarStep(s, TCalendarStep::Month, +1);
    const TCalDateTime t = CalendarDateTime(s.ClockJD + 1e-9);
    EXPECT_EQ(t.Month, 3);
    EXPECT_EQ(t.Day, m.day);
    EXPECT_EQ(t.Hour, m.hour);
    EXPECT_EQ(t.Minute, 30);
  }

  // A year is 365.24219 days (5h48m45.2s more than 365 days); down steps go back.
  TObsState year = StateAt(2001, 1, 1, 0.0, 1.0, 59.3, 18.1);
  const double start = year.ClockJD;
  CalendarStep(year, TCalendarStep::Year, +1);
  const TCalDateTime y = CalendarDateTime(year.ClockJD + 1e-9);
  EXPECT_EQ(y.Year, 2002);
  EXPECT_EQ(y.Hour, 5);
  EXPECT_EQ(y.Minute, 48);
  CalendarStep(year, TCalendarStep::Year, -1);
  CalendarStep(year, TCalendarStep::Month, -1);
  CalendarStep(year, TCalendarStep::Day, -1);
  EXPECT_NEAR(year.ClockJD, start - 31.4375, 1e-9);
}

TEST(StoreChartSharedValues, NutationAndMeanObliquityOfTheMoment) {
  // Meeus ex. 21.a (1st ed.): 1987 April 10, 0h TD: dpsi = -3.788", deps = +9.443",
  // eps0 = 23deg26'27.407". The clock reads TDT in zone 0, so JD_TT is the clock reading.
  constexpr double kArcSec = kDeg / 3600.0;
  TObsState state = StateAt(1987, 4, 10, 0.0, 0.0, 59.3, 18.1, 1);
  state.CorrNutation = 1;
  StoreChartSharedValues(state);
  EXPECT_NEAR(state.NutLon / kArcSec, -3.788, 0.0005);
  EXPECT_NEAR(state.NutObl / kArcSec, 9.443, 0.0005);
  EXPECT_NEAR(state.Obliquity / kArcSec, (23 * 60 + 26) * 60 + 27.407, 0.0005);

  // With nutation off the chart stores nothing: the values stay as they were.
  TObsState off = StateAt(1987, 4, 10, 0.0, 0.0, 59.3, 18.1, 1);
  off.CorrNutation = 0;
  off.NutLon = 1.0;
  StoreChartSharedValues(off);
  EXPECT_EQ(off.NutLon, 1.0);
}

TEST(CalendarReport, WeekdayNamesWrapAround) {
  EXPECT_EQ(WeekdayName(7), "Söndag");
  EXPECT_EQ(WeekdayName(0), "Söndag");
  EXPECT_EQ(WeekdayName(-5), "Tisdag");
}

}  // namespace
}  // namespace himlavy
