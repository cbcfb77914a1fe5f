// A year's events: range in a zone, what is collected, order, ends (USNO, NASA eclipse canons).
#include "timecal/almanac_events.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <tuple>
#include <vector>

#include "astro/phenomena.h"
#include "base/timescales.h"
#include "common/angles.h"
#include "common/fixture_rows.h"
#include "timecal/holidays_report.h"

namespace himlavy {
namespace {
using testing::At;
constexpr double kMinute = 1.0 / 1440.0;
std::vector<const TAlmanacEvent*> OfType(const std::vector<TAlmanacEvent>& events, TEventType type,
                                         std::optional<TBody> planet = std::nullopt) {
  std::vector<const TAlmanacEvent*> out;
  for (const auto& e : events)
    if (e.Event == type && (!planet || e.Planet == planet)) out.push_back(&e);
  return out;
}
std::string LocalDate(const TAlmanacEvent* e) {
  return LocalClockText(e->LocalJD).substr(0, 10);
}
TEST(CollectYearEvents, TheYear2001) {
  const std::vector<TAlmanacEvent> events = CollectYearEvents(2001, 0.0, kTimeScaleUtc);
  EXPECT_TRUE(std::is_sorted(events.begin(), events.end(),
                             [](const auto& a, const auto& b) { return a.JD < b.JD; }));
  // The seasons (USNO, UT): March 20 13:31, June 21 07:38, September 22 23:04,
  // December 21 19:21.
  const std::tuple<TEventType, double, const char*> seasons[] = {
      {TEventType::MarchEquinox, At(2001, 3, 20, 13 + 31 / 60.0), "Vårdagjämning"},
      {TEventType::JuneSolstice, At(2001, 6, 21, 7 + 38 / 60.0), "Sommarsolstånd"},
      {TEventType::SeptemberEquinox, At(2001, 9, 22, 23 + 4 / 60.0), "Höstdagjämning"},
      {TEventType::DecemberSolstice, At(2001, 12, 21, 19 + 21 / 60.0), "Vintersolstånd"}};
  for (const auto& [type, ut, text] : seasons) {
    const auto found = OfType(events, type);
    ASSERT_EQ(found.size(), 1u) << text;
    EXPECT_NEAR(found[0]->LocalJD, ut, 1.5 * kMinute) << text;
    EXPECT_EQ(found[0]->Text, text);
  }
  // Fifty phases: 12 new moons, 13 first quarters (January 2 ... December 22), 13 full moons,
  // 12 last quarters.
  EXPECT_EQ(std::count_if(events.begin(), events.end(),
                          [](const auto& e) { return e.Event <= TEventType::LastQuarter; }),
            50);
  EXPECT_EQ(LocalDate(OfType(events, TEventType::FirstQuarter).front()), "2001-01-02");
  // Eclipses (NASA): solar June 21 total and December 14 annular; lunar January 9 total
  // (umbral magnitude 1.19), July 5 partial (0.50), December 30 penumbral.
  // Planets (USNO): Venus at greatest western elongation June 8 (45.8 deg).
  const auto solar = OfType(events, TEventType::SolarEclipse);
  const auto lunar = OfType(events, TEventType::LunarEclipse);
  const auto venusWest = OfType(events, TEventType::GreatestElongationWest, TBody::Venus);
  ASSERT_EQ(std::tuple(solar.size(), lunar.size(), venusWest.size()), std::tuple(2u, 3u, 1u));
  EXPECT_EQ(LocalDate(solar[0]) + " " + solar[0]->Text + ", " + LocalDate(lunar[0]) + " " +
                lunar[0]->Value + ", " + LocalDate(venusWest[0]),
            "2001-06-21 Total solförmörkelse, 2001-01-09 1.19, 2001-06-08");
  EXPECT_EQ(std::pair(solar[1]->EclipseType, lunar[2]->EclipseType), std::pair(2, 7));
  EXPECT_NEAR(lunar[1]->Magnitude, 0.50, 0.01);
  EXPECT_NEAR(venusWest[0]->Elongation, 45.8, 0.05);
}
TEST(CollectYearEvents, EventsAtTheEndsOfTheYear) {
  // The last quarter of 1969 December 31 at 22:52 TD (Meeus's formulas): in zones 0 and +1 it
  // belongs to 1969; in zone +2 it is 1970 January 1, 0:52 local time, the first event of 1970.
  const double quarter = At(1969, 12, 31, 22 + 52 / 60.0);
  const auto hasQuarter = [&](int year, double zone) {
    const std::vector<TAlmanacEvent> events = CollectYearEvents(year, zone, kTimeScaleTdt);
    return std::any_of(events.begin(), events.end(), [&](const TAlmanacEvent& e) {
      return e.Event == TEventType::LastQuarter && std::fabs(e.JD - quarter) < 2 * kMinute;
    });
  };
  EXPECT_TRUE(hasQuarter(1969, 1.0));
  EXPECT_FALSE(hasQuarter(1969, 2.0));
  const TAlmanacEvent first1970 = CollectYearEvents(1970, 2.0, kTimeScaleTdt).front();
  EXPECT_EQ(std::pair(first1970.Event, LocalClockText(first1970.LocalJD).substr(0, 13)),
            std::pair(TEventType::LastQuarter, std::string("1970-01-01T00")));
  // The partial lunar eclipse of 2009 December 31 (NASA: greatest 19:23 UT) and its full moon at
  // 19:13 UT: in zone 0 the last events of 2009; in zone +5 they fall 13 and 23 minutes after local
  // midnight and open 2010.
  const std::vector<TAlmanacEvent> in2009 = CollectYearEvents(2009, 0.0, kTimeScaleUtc);
  EXPECT_NEAR(OfType(in2009, TEventType::LunarEclipse).back()->LocalJD,
              At(2009, 12, 31, 19 + 23 / 60.0), 5 * kMinute);
  const std::vector<TAlmanacEvent> zone5 = CollectYearEvents(2010, 5.0, kTimeScaleUtc);
  ASSERT_GE(zone5.size(), 2u);
  EXPECT_EQ(std::pair(zone5[0].Event, zone5[1].Event),
            std::pair(TEventType::FullMoon, TEventType::LunarEclipse));
}
// No state makes a search run for ever: a zone of 1e308 hours, a start that is not a number.
TEST(CollectYearEvents, EverySearchEndsWhateverTheState) {
  for (const double zone : {1e308, -1e308, 1e20})
    EXPECT_LE(CollectYearEvents(2026, zone, kTimeScaleUtc).size(), 4u + 7u * 400u) << zone;
  const TSolarEclipse solar = NextSolarEclipse(std::nan(""));
  const TLunarEclipse lunar = NextLunarEclipse(0, std::nan(""));
  EXPECT_EQ(std::tuple(solar.Kind, std::isinf(solar.JDE), lunar.Kind, std::isinf(lunar.JDE)),
            std::tuple(0, true, 0, true));
}
TEST(CollectYearEvents, SeasonsOfTheYearsRangeFarFromOurEra) {
  // The Julian calendar gains a day on the seasons in 128 years: the December solstice, near
  // 23 December in year 1, falls in January from about -1250 on backwards (about 8 January in
  // -2000). Every event listed lies in the year's range, each season once.
  for (const int year : {2001, -1300, -2000}) {
    const std::vector<TAlmanacEvent> events = CollectYearEvents(year, 0.0, kTimeScaleTdt);
    for (const TAlmanacEvent& e : events) {
      EXPECT_GE(e.LocalJD, JDJanuary0(year) + 1.0) << year << " " << e.Text;
      EXPECT_LT(e.LocalJD, JDJanuary0(year + 1) + 1.0) << year << " " << e.Text;
    }
    for (const TEventType type : {TEventType::MarchEquinox, TEventType::JuneSolstice,
                                  TEventType::SeptemberEquinox, TEventType::DecemberSolstice})
      EXPECT_EQ(OfType(events, type).size(), 1u) << year;
    for (const TAlmanacEvent* december : OfType(events, TEventType::DecemberSolstice))
      EXPECT_TRUE(year != -2000 || CalendarDate(december->LocalJD).Month == 1);
  }
}
TEST(AlmanacYearOf, YearOfTheClockAndItsLocalText) {
  EXPECT_EQ(AlmanacYearOf(2451910.5 - 1e-6), 2000);  // 2001 January 1, 0h = JD 2451910.5
  EXPECT_EQ(AlmanacYearOf(2451910.5), 2001);
  EXPECT_EQ(LocalClockText(2451544.5 - 0.4 / 86400.0), "2000-01-01T00:00:00");
  EXPECT_EQ(LocalClockText(2451544.5 - 0.6 / 86400.0), "1999-12-31T23:59:59");
  EXPECT_EQ(LocalClockText(1721423.5), "0001-01-01T00:00:00");  // Julian calendar
}
// Swedish holidays against the calendar (tests/timecal/holidays.tsv gives the sources).
std::string Lines(int year) {
  std::string text;
  for (const THoliday& h : HolidayList(year))
    text += h.DateText + ": " + std::string(h.Name) + "\n";
  return text;
}
TEST(HolidayList, TheWholeYear) {
  std::string whole;
  for (const auto& f : testing::FixtureRows("timecal/holidays.tsv"))
    if (f[0] == "whole") whole += f[1] + "\n";
  EXPECT_EQ(Lines(2001), whole);
}
// Lines that the year's list holds: one, or two that follow one another.
TEST(HolidayList, OrderOfMovingAndFixedDaysAndTheSaturdayRules) {
  for (const auto& f : testing::FixtureRows("timecal/holidays.tsv")) {
    if (f[0] != "holds") continue;
    const std::string lines = f.size() == 2 ? f[1] : f[1] + "\n" + f[2] + "\n";
    EXPECT_NE(Lines(std::stoi(lines)).find(lines), std::string::npos) << lines;
  }
}
TEST(HolidayList, NationalDayFrom2005) {
  // Sveriges nationaldag, 6 June, a public holiday from 2005 on (SFS 2004:1322); 6 June 2005
  // was a Monday, 6 June 2026 is a Saturday.
  EXPECT_EQ(Lines(2004).find("nationaldag"), std::string::npos);
  EXPECT_NE(Lines(2005).find("2005-Juni-6  Måndag: Sveriges nationaldag\n"), std::string::npos);
  EXPECT_NE(Lines(2026).find("2026-Juni-6  Lördag: Sveriges nationaldag\n"), std::string::npos);
  EXPECT_EQ(HolidayList(2026).size(), 16u);
}
TEST(HolidayList, JulianYearsAndYearsBeforeOne) {
  // 1500 (Julian): Easter April 19 (Meeus); a Julian leap year, so 25 March is day 85.
  // 1 January 1500 Julian = 10 January Gregorian, a Wednesday; 19 April = 29 April Gregorian,
  // a Sunday.
  const std::vector<THoliday> y1500 = HolidayList(1500);
  EXPECT_EQ(y1500[0].DateText + y1500[4].DateText + HolidayList(1583)[4].DateText,
            "1500-Januari-1  Onsdag1500-April-19  Söndag1583-April-10  Söndag");
  EXPECT_EQ(y1500[2].DayNumber, 85);
  // Year 0 (1 BC) is a Julian leap year without an Easter group; 1 January of year 1 was a
  // Saturday, so 1 January of year 0 was a Thursday (366 days before) and 26 December (360
  // days later) a Sunday.
  const std::vector<THoliday> y0 = HolidayList(0);
  ASSERT_EQ(y0.size(), 9u);
  EXPECT_EQ(y0[0].DateText + "|" + y0.back().DateText,
            "0-Januari-1  Torsdag|0-December-26  Söndag");
  EXPECT_EQ(HolidayList(1).size(), 15u);
}
TEST(HolidaysReport, TitleAndTheYearOfTheLocalDate) {
  TObsState state{.ClockJD = JulianDay(2024, 12, 31) + 23.5 / 24.0, .TimeZone = 1.0};
  THolidaysReport report = HolidaysReport(state);
  EXPECT_EQ(report.Title, "Helgdagar i Sverige 2024");
  // 16 holidays from 2005 on
  EXPECT_EQ(std::pair(report.Lines.front().Line, report.LastLine), std::pair(3, 18));
  EXPECT_EQ(HolidaysReport(0).LastLine, 11);
}
}  // namespace
}  // namespace himlavy
