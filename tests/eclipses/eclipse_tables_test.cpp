// The eclipse tables of a year. The reference eclipses of 1990-2030 are the Swiss
// Ephemeris's (tests/eclipses/eclipse_reference.tsv, tools/accuracy/make_eclipse_fixture.py);
// the other expected values come from the definitions of the clock and the map.
#include "eclipses/eclipse_tables.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <map>
#include <sstream>

#include "astro/phenomena.h"
#include "base/timescales.h"

namespace himlavy {
namespace {

struct TReference {
  char Body = 'S';
  double JdTT = 0.0;
  std::string Kind;
  // S: greatest magnitude, central latitude, east longitude, duration (s);
  // L: umbral and penumbral magnitudes, partial and total semi-durations (min).
  double V[4] = {NAN, NAN, NAN, NAN};
};

std::vector<TReference> ReadReference() {
  std::ifstream in(std::string(HIMLAVY_SOURCE_ROOT) + "/tests/eclipses/eclipse_reference.tsv");
  std::vector<TReference> out;
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream f(line);
    TReference r;
    f >> r.Body >> r.JdTT >> r.Kind;
    for (double& v : r.V) {
      std::string text;
      f >> text;
      v = text == "-" || text.empty() ? NAN : std::stod(text);
    }
    out.push_back(r);
  }
  return out;
}

TEST(EclipseTablesTest, EveryReferenceEclipseOf1990To2030) {
  const std::vector<TReference> reference = ReadReference();
  ASSERT_EQ(reference.size(), 185u);
  TObsState state;  // zone 0, the TDT clock: rows carry the dynamical time of maximum
  state.TimeScale = kTimeScaleTdt;
  std::map<int, TSolarEclipsesReport> solar;
  std::map<int, TLunarEclipsesReport> lunar;
  std::size_t solarRows = 0, lunarRows = 0;
  for (int year = 1990; year <= 2030; ++year) {
    solar[year] = SolarEclipsesReport(year, 0.0, kTimeScaleTdt);
    lunar[year] = LunarEclipsesReport(state, year);
    solarRows += solar[year].Rows.size();
    lunarRows += lunar[year].Rows.size();
  }
  double worstPlace = 0.0, worstDuration = 0.0, worstSemi = 0.0;
  std::size_t solarRefs = 0, lunarRefs = 0, lunarMissedGrazing = 0;
  for (const TReference& r : reference) {
    const int year = CalendarDate(r.JdTT).Year;
    if (r.Body == 'S') {
      ++solarRefs;
      const TSolarEclipseRow* found = nullptr;
      for (const auto& row : solar[year].Rows)
        if (std::fabs(row.JDE - r.JdTT) < 0.05) found = &row;
      ASSERT_NE(found, nullptr) << "solar eclipse at JD " << r.JdTT;
      EXPECT_EQ(kSolarKindKeys[static_cast<std::size_t>(found->Kind - 1)], r.Kind) << r.JdTT;
      if (found->Kind == kSolarPartial) {
        EXPECT_NEAR(found->Magnitude, r.V[0], 0.01) << r.JdTT;
      }
      const double lat = r.V[1], lon = r.V[2], seconds = r.V[3];
      EXPECT_EQ(found->Central, !std::isnan(lat)) << r.JdTT;
      if (!found->Central || std::isnan(lat)) continue;
      const double dLon = std::remainder(found->Longitude - lon, 360.0) * std::cos(lat * M_PI / 180);
      const double place = std::hypot(found->Latitude - lat, dLon);
      const double duration = std::fabs(found->Duration * 60.0 / seconds - 1.0);
      EXPECT_LT(place, 1.0) << r.JdTT;
      // The shadow takes the Moon's diameter as 0.545 Earth radii (k = 0.2725): in eclipses
      // of well under a minute, where the Sun and the Moon differ by a few hundredths of a
      // per cent, that alone moves the duration by up to 7 seconds.
      EXPECT_LT(std::fabs(found->Duration * 60.0 - seconds), std::max(0.10 * seconds, 7.0))
          << r.JdTT;
      worstPlace = std::max(worstPlace, place);
      worstDuration = std::max(worstDuration, duration);
      EXPECT_FALSE(found->Path.empty()) << r.JdTT;
    } else {
      ++lunarRefs;
      const TLunarEclipseRow* found = nullptr;
      for (const auto& row : lunar[year].Rows)
        if (std::fabs(row.JDE - r.JdTT) < 0.05) found = &row;
      // Meeus's shadow search is good to about 0.005 in magnitude: a penumbral eclipse of
      // penumbral magnitude 0.002 may go unseen, and a total eclipse of umbral magnitude
      // 1.0005 may come out partial.
      const double umbral = r.V[0], penumbral = r.V[1];
      if (found == nullptr && penumbral < 0.005) {
        ++lunarMissedGrazing;
        continue;
      }
      ASSERT_NE(found, nullptr) << "lunar eclipse at JD " << r.JdTT;
      if (std::fabs(umbral - 1.0) > 0.005) {
        EXPECT_EQ(LunarKindKey(found->Kind), r.Kind) << r.JdTT;
      }
      EXPECT_NEAR(found->Magnitude, found->Kind == kLunarPenumbral ? penumbral : umbral, 0.02)
          << r.JdTT;
      if (found->Kind == kLunarPenumbral) continue;
      const double semi = std::max(std::fabs(found->PartialSemi * 1440.0 - r.V[2]),
                                   std::fabs(found->TotalSemi * 1440.0 - r.V[3]));
      EXPECT_LT(semi, 2.0) << r.JdTT;
      worstSemi = std::max(worstSemi, semi);
    }
  }
  // No eclipse that the reference does not have.
  EXPECT_EQ(solarRows, solarRefs);
  EXPECT_EQ(lunarRows + lunarMissedGrazing, lunarRefs);
  EXPECT_LE(lunarMissedGrazing, 1u);
  std::cout << "worst central point " << worstPlace << " deg, duration " << worstDuration * 100
            << " %, lunar semi-duration " << worstSemi << " min\n";
}

}  // namespace
}  // namespace himlavy
