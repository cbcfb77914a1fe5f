// Ends of the apparent-place pipeline against the Swiss Ephemeris (DE431) and ERFA: apparent
// local sidereal time, topocentric place and altitude/azimuth at eight moments and four sites,
// the Moon low (parallax near 1°). Values and provenance: pipeline_reference.tsv (written by
// tools/accuracy/make_pipeline_fixture.py).
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "astro/apparent.h"
#include "common/data_folder.h"
#include "common/fixture_rows.h"

namespace himlavy {
namespace {
constexpr double kArcSec = kPi / 180.0 / 3600.0;
// The angle between two directions given as (longitude, latitude) in radians.
double Separation(double lon1, double lat1, double lon2, double lat2) {
  const double s = std::sin((lat2 - lat1) / 2.0);
  const double t = std::sin((lon2 - lon1) / 2.0);
  return 2.0 * std::asin(std::sqrt(s * s + std::cos(lat1) * std::cos(lat2) * t * t));
}
TEST(ApparentPlace, PipelineEndsAgainstSwissEphemerisAndErfa) {
  // Allowed differences in arcseconds: each method's accuracy in place over 1900-2100, and
  // for altitude/azimuth 1" more; the sidereal time to 0.15" (0.01 s).
  const std::map<std::string, double> placeLimit = {
      {"sun", 5.0},      {"moon", 20.0},   {"mercury", 10.0}, {"venus", 10.0},   {"mars", 10.0},
      {"jupiter", 10.0}, {"saturn", 10.0}, {"uranus", 10.0},  {"neptune", 10.0}, {"pluto", 60.0}};
  TCorrections c;
  c.Parallax = true;
  const auto rows = testing::FixtureRows("astro/pipeline_reference.tsv");
  for (const auto& row : rows) {
    const std::string& key = row[0];
    ASSERT_EQ(row.size(), key == "last" ? 7u : 10u) << key;
    std::vector<double> v;  // jdUT, jdTT, latitude, longitude, height, then the reference values
    for (std::size_t i = 1; i < row.size(); ++i) v.push_back(std::stod(row[i]));
    const TSite site{v[2], v[3], v[4]};
    const std::string line = key + " " + row[1];
    if (key == "last") {
      const double theta = MomentTerms(v[1], v[0], site, c).Theta;
      EXPECT_NEAR(std::remainder(theta - v[5] * kDegToRad, 2.0 * kPi), 0.0, 0.15 * kArcSec) << line;
      continue;
    }
    const auto places =
        ApparentPlaces({*BodyFromKey(key)}, v[1], v[0], site, c, testing::DataFolder());
    ASSERT_TRUE(places.has_value());
    const TApparentPlace& p = places->front();
    const double limit = placeLimit.at(key) * kArcSec;
    EXPECT_LT(Separation(p.TopoAlpha, p.TopoDelta, v[5] * kDegToRad, v[6] * kDegToRad), limit)
        << line;
    EXPECT_LT(Separation(p.Azimuth, p.Altitude, v[7] * kDegToRad, v[8] * kDegToRad),
              limit + kArcSec)
        << line;
  }
  EXPECT_EQ(rows.size(), 8u * 11u);
}
}  // namespace
}  // namespace himlavy
