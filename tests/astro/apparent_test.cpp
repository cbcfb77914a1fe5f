// Apparent places of the Sun, Moon and planets through the whole pipeline, with the program's
// own planetary series files, against Meeus's worked examples.
#include "astro/apparent.h"

#include <gtest/gtest.h>

#include "astro/reductions.h"
#include "common/data_folder.h"
#include "common/scratch_dir.h"

namespace himlavy {
namespace {

using testing::DataFolder;

constexpr double kArcSec = kPi / 180.0 / 3600.0;

double Hms(double h, double m, double s) { return (h + m / 60.0 + s / 3600.0) * kPi / 12.0; }
double Dms(double d, double m, double s) {
  const double sign = d < 0.0 ? -1.0 : 1.0;
  return sign * (std::fabs(d) + m / 60.0 + s / 3600.0) * kPi / 180.0;
}

TApparentPlace PlaceAt(int body, double jde) {
  const auto places = ApparentPlaces({body}, jde, jde, TSite{}, TCorrections{}, DataFolder());
  EXPECT_TRUE(places.has_value());
  return places ? places->front() : TApparentPlace{};
}

TEST(ApparentPlace, VenusMeeusExample) {
  // Meeus 1st ed. ex. 31.a (2nd ed. 32.a), 1992 December 20, 0h TD: light time, nutation and
  // aberration: alpha = 21h04m41.454s, delta = -18 53'16.84", Delta = 0.910947 AU. The book's
  // abridged series differ from the complete VSOP87 by about 1"; ours are truncated to < 1".
  const TApparentPlace venus = PlaceAt(2, 2448976.5);
  EXPECT_NEAR(venus.Alpha, Hms(21, 4, 41.454), 1.5 * kArcSec);
  EXPECT_NEAR(venus.Delta, Dms(-18, 53, 16.84), 1.5 * kArcSec);
  EXPECT_NEAR(venus.DistanceAU, 0.910947, 2e-6);
}

TEST(ApparentPlace, MoonMeeusExample) {
  // Meeus 1st ed. ex. 45.a, 1992 April 12, 0h TD: apparent alpha = 134.688470 deg,
  // delta = 13.768368 deg, Delta = 368409.7 km. No aberration for the Moon.
  const TApparentPlace moon = PlaceAt(kMoonBody, 2448724.5);
  EXPECT_NEAR(moon.Alpha, 134.688470 * kPi / 180.0, 0.1 * kArcSec);
  EXPECT_NEAR(moon.Delta, 13.768368 * kPi / 180.0, 0.1 * kArcSec);
  EXPECT_NEAR(moon.DistanceKm, 368409.7, 0.1);
}

TEST(ApparentPlace, SunMeeusExample) {
  // Meeus 2nd ed. ex. 25.b (the complete VSOP87), 1992 October 13, 0h TD:
  // alpha = 13h13m30.749s, delta = -7 47'01.74". The book also applies the 0.09" FK5
  // correction, which the program leaves out.
  const TApparentPlace sun = PlaceAt(kSunBody, 2448908.5);
  EXPECT_NEAR(sun.Alpha, Hms(13, 13, 30.749), 0.3 * kArcSec);
  EXPECT_NEAR(sun.Delta, Dms(-7, 47, 1.74), 0.3 * kArcSec);
  EXPECT_NEAR(sun.DistanceAU, 0.99760775, 2e-6);
}

TEST(ApparentPlace, SwitchesAndTopocentre) {
  const double jde = 2448976.5;
  const TSite greenwich{51.4769, 0.0, 46.0};
  TCorrections off;
  off.LightTime = off.Nutation = off.Aberration = false;
  const auto plain = ApparentPlaces({2}, jde, jde, greenwich, off, DataFolder());
  const auto full = ApparentPlaces({2}, jde, jde, greenwich, TCorrections{}, DataFolder());
  ASSERT_TRUE(plain && full);
  // Light time, nutation and aberration move Venus by arcseconds (light time and aberration
  // partly cancel for a planet).
  const double moved = std::hypot((full->front().Alpha - plain->front().Alpha) *
                                      std::cos(plain->front().Delta),
                                  full->front().Delta - plain->front().Delta);
  EXPECT_GT(moved, 2.0 * kArcSec);
  EXPECT_LT(moved, 120.0 * kArcSec);

  // The Moon seen from the site moves by up to its horizontal parallax (about 1 degree).
  TCorrections topo;
  topo.Parallax = true;
  const auto geo = ApparentPlaces({kMoonBody}, jde, jde, greenwich, TCorrections{}, DataFolder());
  const auto top = ApparentPlaces({kMoonBody}, jde, jde, greenwich, topo, DataFolder());
  ASSERT_TRUE(geo && top);
  EXPECT_EQ(geo->front().TopoAlpha, geo->front().Alpha);
  const double shift = std::hypot((top->front().TopoAlpha - top->front().Alpha) *
                                      std::cos(top->front().Delta),
                                  top->front().TopoDelta - top->front().Delta);
  EXPECT_GT(shift, 0.1 * kPi / 180.0);
  EXPECT_LT(shift, 1.05 * kPi / 180.0);

  // Refraction lifts a body near the horizon and leaves one far below it alone.
  TCorrections refracted;
  refracted.Refraction = true;
  const auto low = ApparentPlaces({0, 10, 1, 2, 4, 5, 6, 7, 8, 9}, jde, jde, greenwich,
                                  refracted, DataFolder());
  const auto bare = ApparentPlaces({0, 10, 1, 2, 4, 5, 6, 7, 8, 9}, jde, jde, greenwich,
                                   TCorrections{}, DataFolder());
  ASSERT_TRUE(low && bare);
  for (std::size_t i = 0; i < low->size(); ++i) {
    const double lift = (*low)[i].Altitude - (*bare)[i].Altitude;
    if ((*bare)[i].Altitude > 0.0) {
      EXPECT_GT(lift, 0.0);
      EXPECT_LT(lift, 0.6 * kPi / 180.0);
    } else if ((*bare)[i].Altitude < -1.0 * kPi / 180.0) {
      EXPECT_EQ(lift, 0.0);
    }
    EXPECT_GE((*bare)[i].Azimuth, 0.0);
    EXPECT_LT((*bare)[i].Azimuth, 2.0 * kPi);
  }
}

TEST(ApparentPlace, MissingSeriesFiles) {
  testing::ScratchDir empty;
  EXPECT_FALSE(ApparentPlaces({2}, 2451545.0, 2451545.0, TSite{}, TCorrections{}, empty.Path()));
  // The Moon needs no file.
  const auto moon =
      ApparentPlaces({kMoonBody}, 2448724.5, 2448724.5, TSite{}, TCorrections{}, empty.Path());
  ASSERT_TRUE(moon.has_value());
  EXPECT_NEAR(moon->front().DistanceKm, 368409.7, 0.1);
}

TEST(ApparentPlace, BodyKeys) {
  EXPECT_EQ(BodyFromKey("sun"), 0);
  EXPECT_EQ(BodyFromKey("moon"), kMoonBody);
  EXPECT_EQ(BodyFromKey("pluto"), 9);
  EXPECT_FALSE(BodyFromKey("earth"));
  EXPECT_FALSE(BodyFromKey("Venus"));
}

}  // namespace
}  // namespace himlavy
