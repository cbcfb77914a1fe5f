// The calendar of a day: texts, Meeus AA1 examples, Schlyter's Sundsvall table of 2001
// (stjarnhimlen.se, UTC+1, upper limb) or Astronomy Engine 2 where no table was at hand, the
// polar cases and the spin buttons.
#include "timecal/calendar_report.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <tuple>

#include "base/basic.h"
#include "base/formatting.h"
#include "base/timescales.h"
#include "common/data_folder.h"
#include "common/scratch_dir.h"
#include "timecal/almanac_report.h"

namespace himlavy {
namespace {
using K = TCalendarLineKind;
constexpr double kMinute = 1.0 / 60.0;  // hours
// A state at a local clock reading (zone and scale as given) at a site.
TObsState StateAt(int year, int month, int day, double hours, double zone, double latitude,
                  double longitude, int scale = 0) {
  TObsState state{.ClockJD = JulianDay(year, month, day) + hours / 24.0,
                  .TimeZone = zone,
                  .TimeScale = scale,
                  .Latitude = latitude,
                  .Longitude = longitude};
  DeriveTimes(state);
  return state;
}
TCalendarReport ReportAt(const TObsState& state, char sep = ',') {
  return CalendarReport(state, testing::DataFolder(), sep);
}
// Kinds and line numbers k after the Julian day (5) and day number (6): "equation_of_time 7, ...".
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
  for (const auto& line : r.Lines)
    if (line.Kind == kind) return &line;
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
  // 1582 had 355 days: 31 December is day 355.
  EXPECT_EQ(ReportAt(StateAt(1582, 12, 31, 12.0, 0.0, 0.0, 0.0)).Lines[1].Items[0].Text,
            "Dagtal=355");
  EXPECT_EQ(ReportAt(StateAt(2024, 1, 1, 0.0, -5.0, 40.7, -74.0), '.').Title,
            "Kalender för 2024-1-1 Måndag (UTC -5.00)");
}
TEST(CalendarReport, GreenwichSiderealTimeAtZeroHoursOfTheLocalDate) {
  // Meeus ex. 11.a: 1987 April 10, 0h UT: mean sidereal time 13h10m46.3668s. The label shows it
  // at 0 h UT of the local date, whatever the clock time and the zone.
  const TCalendarReport r = ReportAt(StateAt(1987, 4, 10, 22.0, -6.0, 50.0, 10.0));
  EXPECT_EQ(r.Labels[6], "Siderisk tid för Greenwich vid 0 h=");
  EXPECT_EQ(r.Labels[7], std::string(38, ' ') + "13h10m46.3668s");
}
TEST(CalendarReport, EquationOfTime) {
  // Meeus ex. 27.a: 1992 October 13, 0h TD: E = +13m42.7s. The calendar feeds the Sun's
  // geometric right ascension on the mean equator into it, which moves the result by about
  // 1.5 s at most.
  const TCalendarReport r = ReportAt(StateAt(1992, 10, 13, 0.0, 0.0, 0.0, 0.0));
  EXPECT_NEAR(Find(r, K::EquationOfTime)->Value, (13.0 + 42.7 / 60.0) / 60.0, 2.0 / 3600.0);
  EXPECT_TRUE(r.Lines[2].Items[0].Text.starts_with("Tidsekvationen vid 0 h=13m4"));
}
TEST(CalendarReport, RiseSetHoursOfMeeusVenusExample) {
  // Meeus ex. 14.a: Venus at Boston (71°05' W, 42°20' N), 1988 March 20, delta T = 56 s,
  // h0 = -0°34'; apparent places at 0h TD of March 19, 20 and 21. Rising 12h25m, transit
  // 19h41m, setting 2h55m UT (m = 0.51766, 0.81980, 0.12130).
  constexpr double d = kDegToRad;
  const TRiseSetHours h = RiseSetHours(
      {{{40.68021 * d, 18.04761 * d}, {41.73129 * d, 18.44092 * d}, {42.78204 * d, 18.82742 * d}}},
      JulianCenturies(2447240.5), 56.0, -0.5667 * d, (71 + 5 / 60.0) * d, (42 + 20 / 60.0) * d);
  EXPECT_EQ(h.Status, TRiseSetStatus::Crosses);
  for (const auto& [got, m] : {std::pair{h.Rise, 0.51766}, {h.Transit, 0.81980}, {h.Set, 0.12130}})
    EXPECT_NEAR(got, m * 24.0, 0.0002 * 24.0) << m;
}
TEST(CalendarReport, SunMoonAndTwilights) {
  // Sundsvall (62.392 N, 17.290 E), 2001 January 1, UTC+1 (Schlyter, whole minutes): sunrise
  // 9:18, sunset 14:31, moonrise 11:47, moonset 22:33.
  const TCalendarReport sundsvall = ReportAt(StateAt(2001, 1, 1, 12.0, 1.0, 62.392, 17.290));
  // Stockholm (59.3293 N, 18.0686 E), 2024 December 21, UTC+1; Astronomy Engine: the Sun at
  // -6°: 7h47.97m / 15h44.02m. ERFA (pyerfa 2.0, atco13 without refraction), the Sun at -12°
  // and -18°. The name (of the Stockholm lines), rise, set, and the tolerance in minutes.
  const TCalendarReport r = ReportAt(StateAt(2024, 12, 21, 12.0, 1.0, 59.3293, 18.0686));
  const std::tuple<const TCalendarReport*, K, const char*, double, double, double> times[] = {
      {&sundsvall, K::Sunrise, "Solen", 9 + 18 / 60.0, 14 + 31 / 60.0, 1.5},
      {&sundsvall, K::Moonrise, "Månen", 11 + 47 / 60.0, 22 + 33 / 60.0, 2.0},
      {&r, K::CivilTwilight, "Borgerlig skymning", 7 + 47.97 / 60, 15 + 44.02 / 60, 1.5},
      {&r, K::NauticalTwilight, "Nautisk skymning", 6 + 52.55 / 60, 16 + 39.44 / 60, 1.5},
      {&r, K::AstronomicalTwilight, "Astronomisk skymning", 6 + 2.10 / 60, 17 + 29.89 / 60, 1.5}};
  for (const auto& [report, kind, name, rise, set, minutes] : times) {
    const TCalendarLine* line = Find(*report, kind);
    EXPECT_TRUE(report != &r || line->Items[0].Text == name) << line->Items[0].Text;
    EXPECT_NEAR(line->Times.Rise, rise, minutes * kMinute) << name;
    EXPECT_NEAR(line->Times.Set, set, minutes * kMinute) << name;
  }
  EXPECT_EQ(Layout(r),
            "equation_of_time 7, sunrise 9, civil_twilight 10, nautical_twilight 11, "
            "astronomical_twilight 12, moonrise 14");
  const TCalendarLine* civil = Find(r, K::CivilTwilight);
  // A twilight line: the name at 10, the evening time at 246, then the morning time at 124.
  ASSERT_EQ(civil->Items.size(), 3u);
  EXPECT_EQ(
      std::tuple(civil->Items[0].X, civil->Items[0].Text, civil->Items[1].X, civil->Items[2].X),
      std::tuple(10, std::string("Borgerlig skymning"), 246, 124));
  EXPECT_EQ(civil->Items[1].Text, FormatHM(civil->Times.Set));
}
TEST(CalendarReport, HighLatitudes) {
  // 59° N on midsummer day: the Sun sinks to about -7.5°, so the nautical and astronomical
  // lines are missing.
  EXPECT_EQ(Layout(ReportAt(StateAt(2001, 6, 21, 12.0, 2.0, 59.0, 18.0))),
            "equation_of_time 7, sunrise 9, civil_twilight 10, moonrise 12");
  // 70° N, 20° E, UTC+1. In June the Sun never sets: one line with the transit (Astronomy
  // Engine: 11h41.75m); the Moon at new moon (the solar eclipse of 2001 June 21) stays up.
  const TCalendarReport june = ReportAt(StateAt(2001, 6, 21, 12.0, 1.0, 70.0, 20.0));
  EXPECT_EQ(Layout(june), "equation_of_time 7, sun_always_up 9, moon_always_up 11");
  const TCalendarLine* up = Find(june, K::SunAlwaysUp);
  EXPECT_EQ(up->Items[0].Text,
            "Solen är alltid över horisonten. I meridianen: " + FormatHM(up->Times.Transit));
  EXPECT_NEAR(up->Times.Transit, 11 + 41.75 / 60, kMinute);
  EXPECT_EQ(Find(june, K::MoonAlwaysUp)->Items[0].Text, "Månen är alltid över horisonten.");
  // In December the Sun never rises; the three twilights are still reached.
  const TCalendarReport december = ReportAt(StateAt(2001, 12, 21, 12.0, 1.0, 70.0, 20.0));
  EXPECT_EQ(Layout(december),
            "equation_of_time 7, sun_never_rises 9, civil_twilight 10, nautical_twilight 11, "
            "astronomical_twilight 12, moonrise 14");
  EXPECT_EQ(Find(december, K::SunNeverRises)->Items[0].Text, "Solen går inte upp.");
  // At 85° N in December the Sun stays below -18° (its highest point is about -18.4°) and the
  // Moon (declination about -12°, Astronomy Engine) below the horizon all day.
  const TCalendarReport dark = ReportAt(StateAt(2001, 12, 21, 12.0, 1.0, 85.0, 20.0));
  EXPECT_EQ(Layout(dark),
            "equation_of_time 7, sun_never_rises 9, always_dark 11, moon_always_down 13");
  EXPECT_EQ(dark.Lines[4].Items[0].Text + dark.Lines[5].Items[0].Text,
            "Alltid mörkt.Månen är alltid under horisonten.");
}
TEST(CalendarReport, CurrentValueLabels) {
  // Delta T: at the clock reading when the clock reads UTC (1990.0: 58.0 s by the table),
  // 0 when it reads TDT.
  for (const auto& [scale, text] : {std::pair{0, "0m58s"}, {1, "0m0s"}}) {
    EXPECT_EQ(ReportAt(StateAt(1990, 1, 1, 0.0, 0.0, 59.3, 18.1, scale)).Labels[0],
              std::string("Approximativt delta-T=") + text);
  }
  // 2001 May 27, 12:00 in zone +2 is 10:00 UT, JD 2452056.9166667. The shared nutation and
  // obliquity in arc seconds, one minus sign: 0.0047° = 16.920"; 23.4392911° = 23°26'21.448".
  TObsState state = StateAt(2001, 5, 27, 12.0, 2.0, 59.3, 18.1);
  state.NutLon = -0.0047 * kDegToRad;
  state.NutObl = 0.0047 * kDegToRad;
  state.Obliquity = (23.4392911 - 0.0047) * kDegToRad;
  const TCalendarReport r = ReportAt(state);
  EXPECT_EQ(std::tuple(r.Labels[1], r.Labels[3], r.Labels[5]),
            std::tuple("JD  =2452056,916667", "Nut.lon.=-16.920\"",
                       "Ekl. obl. + nut.obl.=23°26'21.448\""));
}
TEST(CalendarReport, WithoutThePlanetarySeriesTheSunIsLeftOut) {
  const testing::ScratchDir empty;
  const TCalendarReport r =
      CalendarReport(StateAt(2001, 5, 27, 12.0, 2.0, 59.3, 18.1), empty.Path(), ',');
  EXPECT_FALSE(r.SunComputed);
  EXPECT_EQ(Layout(r), "moonrise 8");
}
TEST(CalendarStep, SpinButtonsStepTheClockAndRaiseTheFlags) {
  // A day step moves the moment to the next day at the same clock time; every window but the
  // Earth map redraws, the calendar too.
  TObsState state = StateAt(2001, 5, 27, 15.25, 2.0, 59.3, 18.1);
  const double before = state.JD_UT;
  CalendarStep(state, TCalendarStep::Day, +1);
  EXPECT_NEAR(state.JD_UT - before, 1.0, 1e-9);
  for (const auto flag : kRedrawFlags)
    EXPECT_EQ(state.*flag, flag == &TObsState::RedrawEarth ? 0 : 1);
  // A month is 30.4375 days: 2001-01-31 00:00 steps to 03-02 10:30, 14:00 to 03-03 00:30.
  for (const auto& [hours, day, hour] : {std::tuple{0.0, 2.0, 10}, {14.0, 3.0, 0}}) {
    TObsState s = StateAt(2001, 1, 31, hours, 1.0, 59.3, 18.1);
    CalendarStep(s, TCalendarStep::Month, +1);
    const TCalDateTime t = CalendarDateTime(s.ClockJD + 1e-9);
    EXPECT_EQ(std::tuple(t.Month, t.Day, t.Hour, t.Minute), std::tuple(3, day, hour, 30));
  }
  // A year is 365.24219 days (5h48m45.2s more than 365 days); down steps go back.
  TObsState year = StateAt(2001, 1, 1, 0.0, 1.0, 59.3, 18.1);
  const double start = year.ClockJD;
  CalendarStep(year, TCalendarStep::Year, +1);
  const TCalDateTime y = CalendarDateTime(year.ClockJD + 1e-9);
  EXPECT_EQ(std::tuple(y.Year, y.Hour, y.Minute), std::tuple(2002, 5, 48));
  CalendarStep(year, TCalendarStep::Year, -1);
  CalendarStep(year, TCalendarStep::Month, -1);
  EXPECT_NEAR(year.ClockJD, start - 30.4375, 1e-9);
}
TEST(StoreChartSharedValues, NutationAndMeanObliquityOfTheMoment) {
  // Meeus ex. 21.a (1st ed.): 1987 April 10, 0h TD: dpsi = -3.788", deps = +9.443",
  // eps0 = 23deg26'27.407". The clock reads TDT in zone 0, so JD_TT is the clock reading.
  constexpr double kArcSec = kDegToRad / 3600.0;
  TObsState state = StateAt(1987, 4, 10, 0.0, 0.0, 59.3, 18.1, 1);
  state.CorrNutation = 1;
  StoreChartSharedValues(state);
  EXPECT_NEAR(state.NutLon / kArcSec, -3.788, 0.0005);
  EXPECT_NEAR(state.NutObl / kArcSec, 9.443, 0.0005);
  EXPECT_NEAR(state.Obliquity / kArcSec, (23 * 60 + 26) * 60 + 27.407, 0.0005);
}
// Almanac lines: two columns, time texts at three precisions, the 86-line cut, and 2001 against
// USNO, Espenak's Venus elongations and NASA's canon (umbral magnitude 1.189 on January 9).
double At(int year, int month, int day, int hour = 0, int minute = 0, double second = 0.0) {
  return JulianDay(year, month, day) + (hour + minute / 60.0 + second / 3600.0) / 24.0;
}
const TAlmanacLine* FindLine(const TAlmanacReport& r, const std::string& text) {
  for (const auto& line : r.Lines)
    if (line.EventText == text) return &line;
  return nullptr;
}
TEST(AlmanacTimeText, ThreePrecisionsWithoutCarry) {
  constexpr double kHair = 0.01;  // so that the clock reading is not a hair before the time
  const std::tuple<int, int, double, int, const char*> cases[] = {
      {14, 30, kHair, kAlmanacPlanetEvent, "15h"},
      {14, 29, 59.9, kAlmanacPlanetEvent, "14h"},
      {9, 5, kHair, kAlmanacPlanetEvent, " 9h"},
      {23, 45, kHair, kAlmanacPlanetEvent, "24h"},
      {14, 29, 30 + kHair, kAlmanacMoonEvent, "14h30m"},
      {14, 59, 40, kAlmanacMoonEvent, "14h60m"},
      {8, 3, kHair, kAlmanacMoonEvent, " 8h 3m"},
      {7, 5, 3.2, kAlmanacSeasonEvent, " 7h 5m 3s"},
      {23, 59, 59.7, kAlmanacSeasonEvent, "23h59m60s"}};
  for (const auto& [hour, minute, second, kind, text] : cases)
    EXPECT_EQ(AlmanacTimeText(At(2001, 3, 20, hour, minute, second), kind), text) << text;
  EXPECT_EQ(AlmanacDateText(At(2024, 2, 29)), "2024- 2-29  Torsdag");
}
TEST(AlmanacLines, OnlyTheFirst86InTwoColumnsWithTheUsersSeparator) {
  // 100 Moon phases a day apart: 86 lines, lines 3 .. 45 of the left column, then the right.
  std::vector<TAlmanacEvent> events(100);
  for (std::size_t i = 0; i < events.size(); ++i) {
    events[i].LocalJD = At(2001, 1, 1, 12) + static_cast<double>(i);
    events[i].Kind = kAlmanacMoonEvent;
    events[i].Text = "Partiell månförmörkelse, magnitud=";
    events[i].Elongation = std::nan("");
    events[i].Magnitude = 0.4949;
    events[i].Value = "0.49";
  }
  const std::vector<TAlmanacLine> lines = AlmanacLines(events, ',');
  ASSERT_EQ(lines.size(), 86u);
  EXPECT_EQ(lines[0].DateText + "|" + lines[0].TimeText + "|" + lines[0].EventText,
            "2001- 1- 1  Måndag|12h 0m|Partiell månförmörkelse, magnitud=0,49");
  const std::tuple<std::size_t, int, int, int> slots[] = {
      {0, 0, 3, 0}, {42, 0, 45, 0}, {43, 1, 3, 402}, {85, 1, 45, 402}};
  for (const auto& [slot, column, line, x0] : slots) {
    const TAlmanacSlot& got = lines[slot].Slot;
    EXPECT_EQ(std::vector({got.Column, got.Line, got.X0}), std::vector({column, line, x0}));
  }
  EXPECT_EQ(lines[85].DateText, "2001- 3-27  Tisdag");  // the 86th day of the year
  EXPECT_EQ(AlmanacLines({events[0]}, '.')[0].EventText, "Partiell månförmörkelse, magnitud=0.49");
}
TEST(AlmanacReport, TheYear2001InZoneOneAndWithTheClockInDynamicalTime) {
  const TAlmanacReport r = AlmanacReport(2001, 1.0, kTimeScaleUtc, ',');
  EXPECT_EQ(r.Title, "Almanacka för år 2001 (UTC 1,00)");
  EXPECT_EQ(static_cast<int>(r.Lines.size()), r.EventCount);  // fewer than 86: all are shown
  // The first event: the first quarter of January 2, 22:31 UT (USNO), 23:31 in zone 1.
  EXPECT_EQ(r.Lines[0].DateText + r.Lines[0].TimeText.substr(0, 4) + r.Lines[0].EventText,
            "2001- 1- 2  Tisdag23h3Månen i första kvarteret");
  // Values: the total lunar eclipse of January 9, Venus at 47.1 deg east on January 17; planet
  // events to the hour.
  const TAlmanacLine* eclipse = FindLine(r, "Total månförmörkelse, magnitud=1,19");
  const TAlmanacLine* venus = FindLine(r, "Venus i maximal östlig elongation=47,1°");
  ASSERT_TRUE(eclipse && venus);
  EXPECT_EQ(eclipse->DateText + "|" + venus->DateText, "2001- 1- 9  Tisdag|2001- 1-17  Onsdag");
  EXPECT_EQ(venus->TimeText.size(), 3u);
  // With the clock in TDT the title says so and the times lose the delta T correction, taken
  // at mid-year: by Meeus's extrapolation after 2000 (1st ed., ch. 9), 102.3 + 123.5 t +
  // 32.5 t^2 s with t = 0.015 centuries, 104.16 s. The same event is printed that much later.
  const TAlmanacReport tdt = AlmanacReport(2001, 1.0, kTimeScaleTdt, ',');
  EXPECT_EQ(tdt.Title, "Almanacka för år 2001 (TDT 1,00)");
  const TAlmanacLine* a = FindLine(r, "Vårdagjämning");
  const TAlmanacLine* b = FindLine(tdt, "Vårdagjämning");
  ASSERT_TRUE(a && b);
  EXPECT_NEAR((b->Event.LocalJD - a->Event.LocalJD) * 86400.0, 104.16, 0.05);
}
}  // namespace
}  // namespace himlavy
