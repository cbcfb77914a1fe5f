// The events of a year: the year's range in a time zone, what is collected, the order, and
// the events at the year's ends. Published dates and times are those of the US Naval
// Observatory (phases, seasons, planets) and of NASA's eclipse canons (eclipses).
#include "timecal/almanac_events.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>

#include "timecal/timescales.h"

namespace himlavy {
namespace {

constexpr double kMinute = 1.0 / 1440.0;

double At(int year, int month, int day, double hours = 0.0) {
  return JulianDay(year, month, day) + hours / 24.0;
}

std::vector<const TAlmanacEvent*> OfType(const std::vector<TAlmanacEvent>& events, TEventType type,
                                         int planet = 0) {
  std::vector<const TAlmanacEvent*> out;
  for (const auto& e : events) {
    if (e.Event == type && (planet == 0 || e.Planet == planet)) out.push_back(&e);
  }
  return out;
}

// The local calendar date of an event as "YYYY-MM-DD".
std::string LocalDate(const TAlmanacEvent* e) {
  return LocalClockText(e->LocalJD).substr(0, 10);
}

TEST(AlmanacYearRange, LocalMidnightsInTheZone) {
  // 2001 January 1, 0h = JD 2451910.5; 2002 January 1, 0h = JD 2452275.5. Zone +1: the local
  // midnights are at 23h UT the day before.
  const TAlmanacRange range = AlmanacYearRange(2001, 1.0, 1);
  EXPECT_NEAR(range.Start, 2451910.5 - 1.0 / 24.0, 1e-9);
  EXPECT_NEAR(range.End, 2452275.5 - 1.0 / 24.0, 1e-9);
  EXPECT_EQ(range.DeltaT, 0.0);  // the clock reads TDT
  const TAlmanacRange utc = AlmanacYearRange(2001, -5.0, 0);
  EXPECT_NEAR(utc.Start, 2451910.5 + 5.0 / 24.0, 1e-9);
  EXPECT_GT(utc.DeltaT * 86400.0, 60.0);  // delta T of 2001 is about a minute
  EXPECT_LT(utc.DeltaT * 86400.0, 110.0);
  EXPECT_EQ(AlmanacYearOf(2451910.5 - 1e-6), 2000);
  EXPECT_EQ(AlmanacYearOf(2451910.5), 2001);
}

TEST(CollectYearEvents, TheYear2001) {
  const std::vector<TAlmanacEvent> events = CollectYearEvents(2001, 0.0, 0);

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
    EXPECT_EQ(found[0]->Kind, kAlmanacSeasonEvent);
  }

  // About fifty phases: 12 new moons, 13 first quarters (January 2 ... December 22),
  // 13 full moons (January 9 ... December 30), 12 last quarters.
  EXPECT_EQ(OfType(events, TEventType::NewMoon).size(), 12u);
  EXPECT_EQ(OfType(events, TEventType::FirstQuarter).size(), 13u);
  EXPECT_EQ(OfType(events, TEventType::FullMoon).size(), 13u);
  EXPECT_EQ(OfType(events, TEventType::LastQuarter).size(), 12u);
  EXPECT_EQ(LocalDate(OfType(events, TEventType::FirstQuarter).front()), "2001-01-02");
  EXPECT_EQ(LocalDate(OfType(events, TEventType::FullMoon).back()), "2001-12-30");

  // Eclipses (NASA): solar June 21 total and December 14 annular; lunar January 9 total
  // (umbral magnitude 1.19), July 5 partial (0.50), December 30 penumbral.
  const auto solar = OfType(events, TEventType::SolarEclipse);
  ASSERT_EQ(solar.size(), 2u);
  EXPECT_EQ(LocalDate(solar[0]), "2001-06-21");
  EXPECT_EQ(solar[0]->Text, "Total solförmörkelse");
  EXPECT_TRUE(solar[0]->Value.empty());
  EXPECT_EQ(LocalDate(solar[1]), "2001-12-14");
  EXPECT_EQ(solar[1]->EclipseType, 2);
  const auto lunar = OfType(events, TEventType::LunarEclipse);
  ASSERT_EQ(lunar.size(), 3u);
  EXPECT_EQ(LocalDate(lunar[0]), "2001-01-09");
  EXPECT_EQ(lunar[0]->Value, "1.19");
  EXPECT_EQ(LocalDate(lunar[1]), "2001-07-05");
  EXPECT_EQ(lunar[1]->EclipseType, 6);
  EXPECT_NEAR(lunar[1]->Magnitude, 0.50, 0.01);
  EXPECT_EQ(LocalDate(lunar[2]), "2001-12-30");
  EXPECT_EQ(lunar[2]->EclipseType, 7);

  // Planets (USNO): Venus at greatest western elongation June 8 (45.8 deg); Mars in
  // opposition June 13.
  const auto venusWest = OfType(events, TEventType::GreatestElongationWest, 2);
  ASSERT_EQ(venusWest.size(), 1u);
  EXPECT_EQ(LocalDate(venusWest[0]), "2001-06-08");
  EXPECT_NEAR(venusWest[0]->Elongation, 45.8, 0.05);
  const auto mars = OfType(events, TEventType::Opposition, 4);
  ASSERT_EQ(mars.size(), 1u);
  EXPECT_EQ(LocalDate(mars[0]), "2001-06-13");
  EXPECT_EQ(mars[0]->Body + mars[0]->Text, "Mars i opposition mot solen");
  // Mercury has three or four of each of its events in a year.
  for (TEventType type : {TEventType::InferiorConjunction, TEventType::SuperiorConjunction,
                          TEventType::GreatestElongationEast, TEventType::GreatestElongationWest}) {
    const auto mercury = OfType(events, type, 1);
    EXPECT_GE(mercury.size(), 3u) << static_cast<int>(type);
    EXPECT_LE(mercury.size(), 4u) << static_cast<int>(type);
  }
  // No Earth, and the body name only for planet events.
  for (const auto& e : events) {
    EXPECT_NE(e.Planet, 3);
    EXPECT_EQ(e.Body.empty(), e.Planet == 0);
  }
}

TEST(CollectYearEvents, OrderCountsAndRangeOverManyYears) {
  for (int year = 1985; year <= 2030; ++year) {
    const double zone = (year % 5) - 2.0;  // zones -2 .. +2
    const int scale = year % 2;
    const std::vector<TAlmanacEvent> events = CollectYearEvents(year, zone, scale);
    const TAlmanacRange range = AlmanacYearRange(year, zone, scale);
    EXPECT_TRUE(std::is_sorted(events.begin(), events.end(), [](const auto& a, const auto& b) {
      return a.JD < b.JD;
    })) << year;
    std::map<TEventType, int> count;
    const TAlmanacEvent* previousPhase = nullptr;
    for (const auto& e : events) {
      ++count[e.Event];
      // Every event's local time lies in the year, and is JD - delta T - zone.
      EXPECT_EQ(LocalClockText(e.LocalJD).substr(0, 4), std::to_string(year));
      EXPECT_NEAR(e.LocalJD, e.JD - range.DeltaT - range.Z, 1e-9);
      // The Moon's phases follow each other in their order, about 7.4 days apart.
      if (e.Event > TEventType::LastQuarter) continue;
      if (previousPhase != nullptr) {
        EXPECT_EQ(static_cast<int>(e.Event), (static_cast<int>(previousPhase->Event) + 1) % 4);
        EXPECT_NEAR(e.JD - previousPhase->JD, 7.38, 1.0);
      }
      previousPhase = &e;
    }
    EXPECT_GE(count[TEventType::NewMoon], 12) << year;
    EXPECT_LE(count[TEventType::NewMoon], 13) << year;
    for (TEventType season : {TEventType::MarchEquinox, TEventType::JuneSolstice,
                              TEventType::SeptemberEquinox, TEventType::DecemberSolstice}) {
      EXPECT_EQ(count[season], 1) << year;
    }
    // Two to five solar eclipses a year, at most five lunar ones.
    EXPECT_GE(count[TEventType::SolarEclipse], 2) << year;
    EXPECT_LE(count[TEventType::SolarEclipse], 5) << year;
    EXPECT_LE(count[TEventType::LunarEclipse], 5) << year;
  }
}

TEST(CollectYearEvents, EventsAtTheEndsOfTheYear) {
  // The last quarter of 1969 December 31 at 22:52 TD (Meeus's formulas): in zones 0 and +1 it
  // belongs to 1969; in zone +2 it is 1970 January 1, 0:52 local time, the first event of 1970.
  const double quarter = At(1969, 12, 31, 22 + 52 / 60.0);
  const auto hasQuarter = [&](int year, double zone) {
    const std::vector<TAlmanacEvent> events = CollectYearEvents(year, zone, 1);
    return std::any_of(events.begin(), events.end(), [&](const TAlmanacEvent& e) {
      return e.Event == TEventType::LastQuarter && std::fabs(e.JD - quarter) < 2 * kMinute;
    });
  };
  EXPECT_TRUE(hasQuarter(1969, 0.0));
  EXPECT_FALSE(hasQuarter(1970, 0.0));
  EXPECT_TRUE(hasQuarter(1969, 1.0));
  EXPECT_FALSE(hasQuarter(1969, 2.0));
  const std::vector<TAlmanacEvent> in1970 = CollectYearEvents(1970, 2.0, 1);
  EXPECT_EQ(in1970.front().Event, TEventType::LastQuarter);
  EXPECT_EQ(LocalClockText(in1970.front().LocalJD).substr(0, 13), "1970-01-01T00");

  // The partial lunar eclipse of 2009 December 31 (NASA: greatest 19:23 UT, umbral
  // magnitude 0.08) and its full moon at 19:13 UT: in zone 0 the last events of 2009; in
  // zone +5 they fall 13 and 23 minutes after local midnight and open 2010.
  const std::vector<TAlmanacEvent> zone0 = CollectYearEvents(2009, 0.0, 0);
  const auto* eclipse = OfType(zone0, TEventType::LunarEclipse).back();
  EXPECT_EQ(eclipse->EclipseType, 6);
  EXPECT_NEAR(eclipse->LocalJD, At(2009, 12, 31, 19 + 23 / 60.0), 5 * kMinute);
  EXPECT_NEAR(eclipse->Magnitude, 0.08, 0.01);
  EXPECT_NE(LocalDate(OfType(CollectYearEvents(2010, 0.0, 0), TEventType::LunarEclipse)[0]),
            "2010-01-01");
  const std::vector<TAlmanacEvent> zone5 = CollectYearEvents(2010, 5.0, 0);
  ASSERT_GE(zone5.size(), 2u);
  EXPECT_EQ(zone5[0].Event, TEventType::FullMoon);
  EXPECT_EQ(zone5[1].Event, TEventType::LunarEclipse);
  EXPECT_EQ(LocalClockText(zone5[1].LocalJD).substr(0, 13), "2010-01-01T00");
  const std::vector<TAlmanacEvent> before5 = CollectYearEvents(2009, 5.0, 0);
  EXPECT_EQ(LocalDate(OfType(before5, TEventType::LunarEclipse).back()), "2009-08-06");
}

TEST(LocalClockText, RoundsToTheSecondAndCarries) {
  EXPECT_EQ(LocalClockText(2451545.0), "2000-01-01T12:00:00");
  EXPECT_EQ(LocalClockText(2451544.5 - 0.4 / 86400.0), "2000-01-01T00:00:00");
  EXPECT_EQ(LocalClockText(2451544.5 - 0.6 / 86400.0), "1999-12-31T23:59:59");
  EXPECT_EQ(LocalClockText(1721423.5), "0001-01-01T00:00:00");  // Julian calendar
}

}  // namespace
}  // namespace himlavy
