// The eclipse tables of a year. The reference eclipses of 1990-2030 are the Swiss
// Ephemeris's (tests/eclipses/eclipse_reference.tsv, tools/accuracy/make_eclipse_fixture.py);
// the other expected values come from the definitions of the clock and the map.
#include "eclipses/eclipse_tables.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "astro/phenomena.h"
#include "base/timescales.h"
#include "common/fixture_rows.h"

namespace himlavy {
namespace {

TEST(EclipseTablesTest, EveryReferenceEclipseOf1990To2030) {
  // S: greatest magnitude, central latitude, east longitude, duration (s); L: umbral and
  // penumbral magnitudes, partial and total semi-durations (min). "-" where none.
  const auto reference = testing::FixtureRows("eclipses/eclipse_reference.tsv");
  ASSERT_EQ(reference.size(), 185u);
  // Zone 0, the TDT clock: rows carry the dynamical time of maximum.
  const TObsState state{.TimeScale = kTimeScaleTdt};
  std::map<int, TSolarEclipsesReport> solar;
  std::map<int, TLunarEclipsesReport> lunar;
  std::size_t solarRows = 0, lunarRows = 0;
  for (int year = 1990; year <= 2030; ++year) {
    solar[year] = SolarEclipsesReport(year, 0.0, kTimeScaleTdt);
    lunar[year] = LunarEclipsesReport(state, year);
    solarRows += solar[year].Rows.size();
    lunarRows += lunar[year].Rows.size();
  }
  double worstPlace = 0.0, worstDuration = 0.0, worstSemi = 0.0, worstSolarTime = 0.0,
         worstLunarTime = 0.0;
  std::size_t solarRefs = 0, lunarRefs = 0, lunarMissedGrazing = 0;
  for (const auto& f : reference) {
    const double jdTT = std::stod(f[1]);
    const auto V = [&](std::size_t i) { return f[3 + i] == "-" ? NAN : std::stod(f[3 + i]); };
    const int year = CalendarDate(jdTT).Year;
    if (f[0] == "S") {
      ++solarRefs;
      const TSolarEclipseRow* found = nullptr;
      for (const auto& row : solar[year].Rows)
        if (std::fabs(row.JDE - jdTT) < 0.05) found = &row;
      ASSERT_NE(found, nullptr) << "solar eclipse at JD " << jdTT;
      worstSolarTime = std::max(worstSolarTime, std::fabs(found->JDE - jdTT) * 1440.0);
      EXPECT_LT(std::fabs(found->JDE - jdTT) * 1440.0, 2.0) << jdTT;
      EXPECT_EQ(kSolarKindKeys[static_cast<std::size_t>(found->Kind - 1)], f[2]) << jdTT;
      if (found->Kind == kSolarPartial) {
        EXPECT_NEAR(found->Magnitude, V(0), 0.01) << jdTT;
      }
      const double lat = V(1), lon = V(2), seconds = V(3);
      EXPECT_EQ(found->Central, !std::isnan(lat)) << jdTT;
      if (!found->Central || std::isnan(lat)) continue;
      const double place =
          std::hypot(found->Latitude - lat,
                     std::remainder(found->Longitude - lon, 360.0) * std::cos(lat * M_PI / 180));
      EXPECT_LT(place, 1.0) << jdTT;
      // The shadow takes the Moon's diameter as 0.545 Earth radii (k = 0.2725): in eclipses
      // of well under a minute, where the Sun and the Moon differ by a few hundredths of a
      // per cent, that alone moves the duration by up to 7 seconds.
      EXPECT_LT(std::fabs(found->Duration * 60.0 - seconds), std::max(0.10 * seconds, 7.0)) << jdTT;
      worstPlace = std::max(worstPlace, place);
      worstDuration = std::max(worstDuration, std::fabs(found->Duration * 60.0 / seconds - 1.0));
      EXPECT_FALSE(found->Path.empty()) << jdTT;
    } else {
      ++lunarRefs;
      const TLunarEclipseRow* found = nullptr;
      for (const auto& row : lunar[year].Rows)
        if (std::fabs(row.JDE - jdTT) < 0.05) found = &row;
      // Meeus's shadow search is good to about 0.005 in magnitude: a penumbral eclipse of
      // penumbral magnitude 0.002 may go unseen, and a total eclipse of umbral magnitude
      // 1.0005 may come out partial.
      const double umbral = V(0), penumbral = V(1);
      if (found == nullptr && penumbral < 0.005) {
        ++lunarMissedGrazing;
        continue;
      }
      ASSERT_NE(found, nullptr) << "lunar eclipse at JD " << jdTT;
      worstLunarTime = std::max(worstLunarTime, std::fabs(found->JDE - jdTT) * 1440.0);
      EXPECT_LT(std::fabs(found->JDE - jdTT) * 1440.0, 4.0) << jdTT;
      if (std::fabs(umbral - 1.0) > 0.005) {
        EXPECT_EQ(LunarKindKey(found->Kind), f[2]) << jdTT;
      }
      EXPECT_NEAR(found->Magnitude, found->Kind == kLunarPenumbral ? penumbral : umbral, 0.02)
          << jdTT;
      if (found->Kind == kLunarPenumbral) continue;
      const double semi = std::max(std::fabs(found->PartialSemi * 1440.0 - V(2)),
                                   std::fabs(found->TotalSemi * 1440.0 - V(3)));
      EXPECT_LT(semi, 2.0) << jdTT;
      worstSemi = std::max(worstSemi, semi);
    }
  }
  // No eclipse that the reference does not have.
  EXPECT_EQ(solarRows, solarRefs);
  EXPECT_EQ(lunarRows + lunarMissedGrazing, lunarRefs);
  EXPECT_LE(lunarMissedGrazing, 1u);
  std::cout << "worst central point " << worstPlace << " deg, duration " << worstDuration * 100
            << " %, lunar semi-duration " << worstSemi << " min; maxima " << worstSolarTime
            << " and " << worstLunarTime << " min\n";
}

// The partial lunar eclipse of 2009 Dec 31, greatest at 19:23 UT, is in 2010 five hours east
// of Greenwich but not at Greenwich. 2027 has only penumbral eclipses (Feb 20, Jul 18 and
// Aug 17; the one of Jul 18 is too slight for the search). The Moon's altitudes are those
// of the Swiss Ephemeris (geocentric, of date) for Stockholm at the given moments.
TEST(EclipseTablesTest, LunarRows) {
  TObsState state{.Latitude = 59.3293, .Longitude = 18.0686};
  for (const auto& [zone, firstDate] : {std::pair{0, "2010-6-26"}, {5, "2010-1-1"}}) {
    state.TimeZone = zone;
    const TLunarEclipsesReport report = LunarEclipsesReport(state, 2010);
    ASSERT_FALSE(report.Rows.empty());
    EXPECT_EQ(report.Rows[0].DateText + " " + report.Rows[0].KindText,
              firstDate + std::string(" Partiell"));
    EXPECT_FALSE(report.Rows[0].BeginText.empty() || report.Rows[0].EndText.empty());
  }
  state.TimeZone = 1.0;
  state.TimeScale = kTimeScaleTdt;
  const TLunarEclipsesReport penumbral = LunarEclipsesReport(state, 2027, ',');
  EXPECT_EQ(penumbral.Title, "Månförmörkelser 2027 (TDT 1,00)");
  ASSERT_EQ(penumbral.Rows.size(), 2u);
  for (const TLunarEclipseRow& row : penumbral.Rows) {
    EXPECT_EQ(row.KindText, "Halvskugga");
    EXPECT_TRUE(row.BeginText.empty() && row.EndText.empty() && !row.MaximumText.empty());
    EXPECT_DOUBLE_EQ(row.LocalJD, row.JDE + 1.0 / 24.0);
  }
  for (const auto& [jdTT, deltaTDays, altitude] :
       {std::tuple{2460748.79161, 0.0007984, -12.5313}, {2451564.697, 0.0007390, 18.9193}})
    EXPECT_NEAR(MoonAltitudeAt(state, jdTT, deltaTDays), altitude, 0.05) << jdTT;
  // Shown in degrees and minutes, negative below the horizon (2025 Mar 14 from Stockholm).
  state.TimeScale = kTimeScaleUtc;
  const TLunarEclipsesReport y2025 = LunarEclipsesReport(state, 2025);
  ASSERT_EQ(y2025.Rows.size(), 2u);
  EXPECT_EQ(y2025.Rows[0].AltitudeText.substr(0, 1), "-");
  EXPECT_NEAR(y2025.Rows[0].Altitude, -12.5, 1.0);
}

// A row's radio button: a non-central eclipse (the annular of 2017 Feb 26 made so) moves
// only the moment, a central one the site too.
TEST(EclipseTablesTest, ARowMovesTheMomentAndOnlyACentralOneTheSite) {
  const TSolarEclipsesReport report = SolarEclipsesReport(2017, 1.0, kTimeScaleUtc);
  ASSERT_EQ(report.Rows.size(), 2u);
  TSolarEclipseRow partial = report.Rows[0];
  partial.Central = false;
  for (const TSolarEclipseRow& row : {partial, report.Rows[1]}) {
    TObsState state{.TimeZone = 1.0, .PlaceName = "Stockholm", .Latitude = 59.3, .Longitude = 18.1};
    MoveToSolarEclipse(state, row);
    EXPECT_NEAR(state.JD_TT, row.JDE, 1e-6);
    EXPECT_EQ(std::tuple(state.ClockJD, state.RedrawSolarEcl, state.Latitude, state.Longitude,
                         state.PlaceName),
              std::tuple(row.LocalJD, 1, row.Central ? row.Latitude : 59.3,
                         row.Central ? row.Longitude : 18.1, row.Central ? "" : "Stockholm"));
  }
}

// The clock texts of the solar table: 30 seconds and more go up, with carry into the hour
// and the date.
TEST(EclipseTablesTest, TimeRoundedToTheMinuteWithCarry) {
  const std::tuple<TCalDateTime, const char*, const char*> cases[] = {
      {{2024, 3, 31, 10, 59, 30.0}, "2024-3-31", "11h0m"},
      {{2024, 3, 31, 10, 59, 29.9}, "2024-3-31", "10h59m"},
      {{2024, 3, 31, 23, 59, 45.0}, "2024-4-1", "0h0m"},
      {{2024, 12, 31, 23, 59, 30.0}, "2025-1-1", "0h0m"},
      {{2024, 1, 1, 0, 0, 29.0}, "2024-1-1", "0h0m"}};
  for (const auto& [clock, date, time] : cases) {
    const TRoundedClock texts = RoundedClockTexts(JulianDayTime(clock));
    EXPECT_EQ(texts.Date + " " + texts.Time, date + std::string(" ") + time);
  }
}

// 2000 had four partial solar eclipses and no central one (Espenak & Meeus; the greatest
// magnitude of 2000 Feb 5 is 0.580). 2017: the annular eclipse of Feb 26 and the total of
// Aug 21, greatest near 36.97 N, 87.67 W lasting 2m40s (NASA).
TEST(EclipseTablesTest, SolarRowsAndTitle) {
  const TSolarEclipsesReport none = SolarEclipsesReport(2000, 0.0, kTimeScaleUtc, ',');
  EXPECT_EQ(none.Title, "Solförmörkelser 2000 (UTC 0,00)");
  ASSERT_EQ(none.Rows.size(), 4u);
  for (const TSolarEclipseRow& row : none.Rows) {
    EXPECT_EQ(row.KindText, "Partiell");
    EXPECT_FALSE(row.Central);
    EXPECT_TRUE(row.Path.empty() && row.LatitudeText.empty() && row.LongitudeText.empty() &&
                row.DurationText.empty() && row.MapLabel.empty());
  }
  EXPECT_EQ(none.Rows[0].DateText + " " + none.Rows[0].MagnitudeText, "1  2000-2-5 0,58");
  const TSolarEclipsesReport with = SolarEclipsesReport(2017, 0.0, kTimeScaleUtc, ',');
  ASSERT_EQ(with.Rows.size(), 2u);
  EXPECT_TRUE(with.Rows[0].MagnitudeText.empty());
  const TSolarEclipseRow& total = with.Rows[1];
  EXPECT_EQ(std::tuple(with.Rows[0].KindText, total.KindText, total.MapLabel,
                       total.LatitudeText.substr(0, 4)),
            std::tuple("Ringformig", "Total", "2,2017", "Lat="));
  EXPECT_TRUE(total.LatitudeText.ends_with("N  ") && total.LongitudeText.ends_with("V  "));
  // With the clock in dynamical time no delta T is subtracted.
  const TSolarEclipsesReport tdt = SolarEclipsesReport(2017, 1.0, kTimeScaleTdt);
  EXPECT_EQ(tdt.Title, "Solförmörkelser 2017 (TDT 1.00)");
  EXPECT_DOUBLE_EQ(tdt.Rows[1].LocalJD, tdt.Rows[1].JDE + 1.0 / 24.0);
}

}  // namespace
}  // namespace himlavy
