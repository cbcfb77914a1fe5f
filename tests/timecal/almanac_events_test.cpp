// The events of a year: the year's range in a time zone, what is collected, the order, and
// the events at the year's ends. Published dates and times are those of the US Naval
// Observatory (phases, seasons, planets) and of NASA's eclipse canons (eclipses).
#include "timecal/almanac_events.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "astro/phenomena.h"
#include "base/timescales.h"

namespace himlavy {
namespace {

constexpr double kMinute = 1.0 / 1440.0;

double At(int year, int month, int day, double hours = 0.0) {
  return JulianDay(year, month, day) + hours / 24.0;
}

std::vector<const TAlmanacEvent*> OfType(const std::vector<TAlmanacEvent>& events, TEventType type,
                                         std::optional<TBody> planet = std::nullopt) {
  std::vector<const TAlmanacEvent*> out;
  for (const auto& e : events) {
    if (e.Event == type && (!planet || e.Planet == planet)) out.push_back(&e);
  }
  return out;
}

// The local calendar date of an event as "YYYY-MM-DD".
std::string LocalDate(const TAlmanacEvent* e) {
  return LocalClockText(e->LocalJD).substr(0, 10);
}

TEST(CollectYearEvents, TheYear2001) {
  const std::vector<TAlmanacEvent> events = CollectYearEvents(2001, 0.0, kTimeScaleUtc);
  EXPECT_TRUE(std::is_sorted(events.begin(), events.end(),
                             [](const auto& a, const auto& b) { return a.JD < b.JD; }));
  // The seasons (USNO, UT): March 20 13:31, June 21 07:38, September 22 23:04,
  // December 21 19:21.
  const struct {
    TEventType type;
    double ut;
    const char* text;
  } seasons[] = {
      {TEventType::MarchEquinox, At(2001, 3, 20, 13 + 31 / 60.0), "Vårdagjämning"},
      {TEventType::JuneSolstice, At(2001, 6, 21, 7 + 38 / 60.0), "Sommarsolstånd"},
      {TEventType::SeptemberEquinox, At(2001, 9, 22, 23 + 4 / 60.0), "Höstdagjämning"},
      {TEventType::DecemberSolstice, At(2001, 12, 21, 19 + 21 / 60.0), "Vintersolstånd"},
  };
  for (const auto& s : seasons) {
    const auto found = OfType(events, s.type);
    ASSERT_EQ(found.size(), 1u) << s.text;
    EXPECT_NEAR(found[0]->LocalJD, s.ut, 1.5 * kMinute) << s.text;
    EXPECT_EQ(found[0]->Text, s.text);
  }
  // Fifty phases: 12 new moons, 13 first quarters (January 2 ... December 22), 13 full moons,
  // 12 last quarters.
  EXPECT_EQ(std::count_if(events.begin(), events.end(),
                          [](const auto& e) { return e.Event <= TEventType::LastQuarter; }),
            50);
  EXPECT_EQ(LocalDate(OfType(events, TEventType::FirstQuarter).front()), "2001-01-02");

  // Eclipses (NASA): solar June 21 total and December 14 annular; lunar January 9 total
  // (umbral magnitude 1.19), July 5 partial (0.50), December 30 penumbral.
  const auto solar = OfType(events, TEventType::SolarEclipse);
  ASSERT_EQ(solar.size(), 2u);
  EXPECT_EQ(LocalDate(solar[0]) + " " + solar[0]->Text, "2001-06-21 Total solförmörkelse");
  EXPECT_EQ(solar[1]->EclipseType, 2);
  const auto lunar = OfType(events, TEventType::LunarEclipse);
  ASSERT_EQ(lunar.size(), 3u);
  EXPECT_EQ(LocalDate(lunar[0]) + " " + lunar[0]->Value, "2001-01-09 1.19");
  EXPECT_NEAR(lunar[1]->Magnitude, 0.50, 0.01);
  EXPECT_EQ(lunar[2]->EclipseType, 7);

  // Planets (USNO): Venus at greatest western elongation June 8 (45.8 deg).
  const auto venusWest = OfType(events, TEventType::GreatestElongationWest, TBody::Venus);
  ASSERT_EQ(venusWest.size(), 1u);
  EXPECT_EQ(LocalDate(venusWest[0]), "2001-06-08");
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
  const std::vector<TAlmanacEvent> in1970 = CollectYearEvents(1970, 2.0, kTimeScaleTdt);
  EXPECT_EQ(in1970.front().Event, TEventType::LastQuarter);
  EXPECT_EQ(LocalClockText(in1970.front().LocalJD).substr(0, 13), "1970-01-01T00");

  // The partial lunar eclipse of 2009 December 31 (NASA: greatest 19:23 UT) and its full moon at
  // 19:13 UT: in zone 0 the last events of 2009; in zone +5 they fall 13 and 23 minutes after local
  // midnight and open 2010.
  const std::vector<TAlmanacEvent> in2009 = CollectYearEvents(2009, 0.0, kTimeScaleUtc);
  const auto lunar2009 = OfType(in2009, TEventType::LunarEclipse);
  EXPECT_NEAR(lunar2009.back()->LocalJD, At(2009, 12, 31, 19 + 23 / 60.0), 5 * kMinute);
  const std::vector<TAlmanacEvent> zone5 = CollectYearEvents(2010, 5.0, kTimeScaleUtc);
  ASSERT_GE(zone5.size(), 2u);
  EXPECT_EQ(zone5[0].Event, TEventType::FullMoon);
  EXPECT_EQ(zone5[1].Event, TEventType::LunarEclipse);
}

// No state makes a search run for ever: a zone of 1e308 hours (the year's range pushed out of
// reach of whole lunations) and a start that is not a number end with what was found.
TEST(CollectYearEvents, EverySearchEndsWhateverTheState) {
  for (const double zone : {1e308, -1e308, 1e20}) {
    const std::vector<TAlmanacEvent> events = CollectYearEvents(2026, zone, kTimeScaleUtc);
    EXPECT_LE(events.size(), 4u + 7u * 400u) << zone;
  }
  const TSolarEclipse solar = NextSolarEclipse(std::nan(""));
  EXPECT_EQ(solar.Kind, 0);
  EXPECT_TRUE(std::isinf(solar.JDE));
  const TLunarEclipse lunar = NextLunarEclipse(0, std::nan(""));
  EXPECT_EQ(lunar.Kind, 0);
  EXPECT_TRUE(std::isinf(lunar.JDE));
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
                                  TEventType::SeptemberEquinox, TEventType::DecemberSolstice}) {
      EXPECT_EQ(OfType(events, type).size(), 1u) << year;
    }
  }
  const std::vector<TAlmanacEvent> early = CollectYearEvents(-2000, 0.0, kTimeScaleTdt);
  const auto december = OfType(early, TEventType::DecemberSolstice);
  ASSERT_EQ(december.size(), 1u);
  EXPECT_EQ(CalendarDate(december[0]->LocalJD).Month, 1);
}

TEST(AlmanacYearOf, YearOfTheClockAndItsLocalText) {
  EXPECT_EQ(AlmanacYearOf(2451910.5 - 1e-6), 2000);  // 2001 January 1, 0h = JD 2451910.5
  EXPECT_EQ(AlmanacYearOf(2451910.5), 2001);
  EXPECT_EQ(LocalClockText(2451544.5 - 0.4 / 86400.0), "2000-01-01T00:00:00");
  EXPECT_EQ(LocalClockText(2451544.5 - 0.6 / 86400.0), "1999-12-31T23:59:59");
  EXPECT_EQ(LocalClockText(1721423.5), "0001-01-01T00:00:00");  // Julian calendar
}

}  // namespace
}  // namespace himlavy
