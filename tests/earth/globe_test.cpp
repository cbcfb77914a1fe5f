// The globe projection against the orthographic projection as Snyder writes it (Map
// Projections - A Working Manual, USGS PP 1395, eqs. 20-3, 20-4, 5-3), and its inverse.
#include "earth/globe.h"

#include <gtest/gtest.h>

#include <cmath>

namespace himlavy {
namespace {

constexpr double kRad = 3.141592653589793 / 180.0;

TEST(ProjectGlobePoint, AgreesWithSnydersOrthographicProjection) {
  const double radius = 310.0;
  const int cx = 365, cy = 330;
  const double centres[][2] = {{59.33, 18.07}, {-33.9, 18.4}, {0.0, -120.0}, {89.0, 170.0}};
  for (const auto& c : centres) {
    for (double lat = -85.0; lat <= 85.0; lat += 17.0) {
      for (double lon = -175.0; lon <= 180.0; lon += 23.0) {
        const double f0 = c[0] * kRad, f = lat * kRad, dl = (lon - c[1]) * kRad;
        const double x = radius * std::cos(f) * std::sin(dl);
        const double y =
            radius * (std::cos(f0) * std::sin(f) - std::sin(f0) * std::cos(f) * std::cos(dl));
        const double cosc = std::sin(f0) * std::sin(f) + std::cos(f0) * std::cos(f) * std::cos(dl);
        const TGlobePoint p = ProjectGlobePoint(lat, lon, c[0], c[1], radius, cx, cy);
        EXPECT_NEAR(p.X, cx + x, 0.5 + 1e-6) << lat << " " << lon;
        EXPECT_NEAR(p.Y, cy - y, 0.5 + 1e-6) << lat << " " << lon;
        EXPECT_NEAR(p.Depth, radius * cosc, 1e-3) << lat << " " << lon;
      }
    }
  }
  // The centre itself, and the point a quarter turn east on the equator (on the rim, visible).
  EXPECT_EQ(ProjectGlobePoint(10.0, 20.0, 10.0, 20.0, 100.0, 0, 0).X, 0);
  EXPECT_NEAR(ProjectGlobePoint(10.0, 20.0, 10.0, 20.0, 100.0, 0, 0).Depth, 100.0, 1e-9);
  EXPECT_FALSE(ProjectGlobePoint(-10.0, -160.0, 10.0, 20.0, 100.0, 0, 0).Visible());
}

TEST(GlobePointAt, InvertsTheProjectionWithin90DegreesAndRefusesTheRim) {
  const double radius = 310.0;
  for (const double centreLat : {59.33, -45.0, 0.0}) {
    for (double lat = -60.0; lat <= 60.0; lat += 30.0) {
      for (double dlon = -80.0; dlon <= 80.0; dlon += 40.0) {
        const double lon = 18.07 + dlon;
        const double f0 = centreLat * kRad, f = lat * kRad, dl = dlon * kRad;
        if (std::sin(f0) * std::sin(f) + std::cos(f0) * std::cos(f) * std::cos(dl) < 0.2) continue;
        // The exact (unrounded) screen point, from Snyder's formulas.
        const double x = radius * std::cos(f) * std::sin(dl);
        const double y =
            radius * (std::cos(f0) * std::sin(f) - std::sin(f0) * std::cos(f) * std::cos(dl));
        const int px = static_cast<int>(std::lround(x)), py = static_cast<int>(std::lround(y));
        const auto back = GlobePointAt(365 + px, 330 - py, centreLat, 18.07, radius, 365, 330);
        ASSERT_TRUE(back);
        // One pixel is 1/310 of the radius: at most about 0.3 degrees on the ground here.
        EXPECT_NEAR(back->Latitude, lat, 0.4) << centreLat << " " << lat << " " << dlon;
        EXPECT_NEAR(back->Longitude, lon, 0.4 / std::cos(f)) << centreLat << " " << lat;
      }
    }
  }
  // The centre keeps the site; a click on the rim or outside changes nothing.
  const auto centre = GlobePointAt(365, 330, 59.33, 18.07, 310.0, 365, 330);
  ASSERT_TRUE(centre);
  EXPECT_NEAR(centre->Latitude, 59.33, 1e-9);
  EXPECT_NEAR(centre->Longitude, 18.07, 1e-9);
  for (const auto& [x, y] : {std::pair{365 + 310, 330}, {365, 330 - 310}, {365 + 300, 330 + 300}})
    EXPECT_FALSE(GlobePointAt(x, y, 59.33, 18.07, 310.0, 365, 330)) << x << "," << y;
  // West of Greenwich comes back negative.
  EXPECT_LT(GlobePointAt(300, 330, 0.0, -10.0, 310.0, 365, 330)->Longitude, -10.0);
}

}  // namespace
}  // namespace himlavy

namespace himlavy {
namespace {

TEST(ProjectSurfacePoint, TheTurningEarthSeenFromTheEclipticPoleAndFromTheSide) {
  const TViewAxes fromPole{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
  const TViewAxes fromMinusX{{0, 0, 1}, {0, 1, 0}, {-1, 0, 0}};
  struct Case {
    double lat, lon, sidereal, obliquity;
    const TViewAxes* axes;
    int x, y;
    double depth;
  };
  const double e = 23.44;
  const Case cases[] = {
      {90, 0, 0, 0, &fromPole, 0, 0, 100},    // the pole faces the viewer
      {0, 0, 0, 0, &fromPole, 100, 0, 0},     // Greenwich towards the equinox: right
      {0, 30, 60, 0, &fromPole, 0, -100, 0},  // right ascension 90: up
      // Tilted: the north pole leans towards ecliptic longitude 90 (up) by the obliquity.
      {90, 0, 0, e, &fromPole, 0, -40, 100 * std::cos(e * kRad)},
      {0, 0, 180, 0, &fromMinusX, 0, 0, 100},  // right ascension 180 faces -x
      {0, 0, 90, 0, &fromMinusX, 0, -100, 0}};
  for (const Case& c : cases) {
    const TGlobePoint p =
        ProjectSurfacePoint(c.lat, c.lon, c.sidereal, c.obliquity, *c.axes, 100.0, 0, 0);
    EXPECT_EQ(p.X, c.x) << c.lat << " " << c.lon << " " << c.sidereal;
    EXPECT_EQ(p.Y, c.y) << c.lat << " " << c.lon << " " << c.sidereal;
    EXPECT_NEAR(p.Depth, c.depth, 1e-9) << c.lat << " " << c.lon << " " << c.sidereal;
  }
}

}  // namespace
}  // namespace himlavy
