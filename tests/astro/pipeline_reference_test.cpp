// Ends of the apparent-place pipeline against the Swiss Ephemeris (DE431) and ERFA: apparent
// local sidereal time, topocentric place and altitude/azimuth at eight moments and four sites,
// the Moon low (parallax near 1°). Values and provenance: pipeline_reference.tsv (written by
// tools/accuracy/make_pipeline_fixture.py).
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "astro/apparent.h"
#include "common/data_folder.h"

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
  std::ifstream in(testing::DataFolder().parent_path() / "tests/astro/pipeline_reference.tsv");
  int rows = 0;
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream f(line);
    std::string key;
    double jdUT, jdTT, a, b, az, alt;
    TSite site;
    f >> key >> jdUT >> jdTT >> site.Latitude >> site.Longitude >> site.Height >> a;
    ASSERT_FALSE(f.fail()) << line;
    ++rows;
    if (key == "last") {
      const double theta = MomentTerms(jdTT, jdUT, site, c).Theta;
      EXPECT_NEAR(std::remainder(theta - a * kDegToRad, 2.0 * kPi), 0.0, 0.15 * kArcSec) << line;
      continue;
    }
    f >> b >> az >> alt;
    const auto places =
        ApparentPlaces({*BodyFromKey(key)}, jdTT, jdUT, site, c, testing::DataFolder());
    ASSERT_TRUE(places.has_value());
    const TApparentPlace& p = places->front();
    const double limit = placeLimit.at(key) * kArcSec;
    EXPECT_LT(Separation(p.TopoAlpha, p.TopoDelta, a * kDegToRad, b * kDegToRad), limit) << line;
    EXPECT_LT(Separation(p.Azimuth, p.Altitude, az * kDegToRad, alt * kDegToRad), limit + kArcSec)
        << line;
  }
  EXPECT_EQ(rows, 8 * 11);
}
}  // namespace
}  // namespace himlavy
