// Sirius, Vega and Polaris through the whole catalog step of a drawing, in every coordinate
// system: zone selection, reading, the reduction to the apparent place and the projection.
//
// The expected pixels come from reference_places.py in this folder: ERFA's apparent and
// observed places (IAU 2006/2000A, pyerfa 2.0) of each star's stored J2000.0 position and
// proper motion, put through the chart's projection formulas written out independently. The
// moment is 2025 March 20, 21:00 UT1 (TT - UT1 = 69.2 s), the site Stockholm. At the largest
// zooms a pixel is 1.3 arcseconds or less; the models differ by less than 0.2 arcsecond, and
// the rounded pixel may lie at most 0.75 pixel from the reference (0.5 for the rounding).
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "common/data_folder.h"
#include "skychart/zone_selection.h"

namespace himlavy {
namespace {

using testing::DataFolder;

constexpr double kJdUt = 2460755.375;
constexpr double kJdTt = kJdUt + 69.2 / 86400.0;

TObsState MomentState() {
  TObsState s;
  s.ClockJD = kJdUt;
  s.JD_UT = kJdUt;
  s.JD_TT = kJdTt;
  s.Latitude = 59.33;
  s.Longitude = 18.07;
  s.CorrProperMotion = 1;
  s.CorrPrecession = 1;
  s.CorrNutation = 1;
  s.CorrAberration = 1;
  return s;
}

// Records of data/bsc2000 by HR number.
constexpr std::uint32_t kSirius = 2491, kVega = 7001, kPolaris = 424;

// The objects of a star in a drawing.
std::vector<TCatalogObject> Find(const TCatalogDrawing& d, std::uint32_t hr) {
  std::vector<TCatalogObject> found;
  for (const TCatalogObject& o : d.Objects) {
    if (const auto* b = std::get_if<TBscRecord>(&o.Record); b && b->HR == hr) {
      found.push_back(o);
    }
  }
  return found;
}

struct TCase {
  std::uint32_t Star;
  int System, CentreDir, Hemisphere, Refraction, Zoom;
  double OffsetX, OffsetY, X, Y;  // the reference pixel (X, Y) is not rounded
};

// Output of reference_places.py.
const TCase kCases[] = {
    {kVega, 2, 1, 0, 0, 4, -217.49, 104.76, 498.018, 342.491},
    {kSirius, 2, 0, 0, 0, 1, 0.00, 0.00, 709.771, 387.735},
    {kVega, 3, 0, 0, 0, 1, 0.00, 0.00, 318.385, 321.110},
    {kSirius, 3, 0, 1, 0, 1, 0.00, 0.00, 250.371, 394.995},
    {kSirius, 1, 0, 0, 0, 1024, -204.04, -106.95, 494.237, 344.912},
    {kSirius, 6, 0, 0, 0, 1024, 127.54, -24.02, 495.532, 343.867},
    {kVega, 4, 1, 0, 0, 1024, -108.49, 46.44, 493.715, 347.443},
    {kSirius, 4, 0, 0, 1, 64, -128.11, 10.61, 497.927, 342.527},
    {kPolaris, 5, 0, 0, 0, 1024, 2.02, -98.69, 479.703, 351.962},
};

TEST(CatalogPipeline, BrightStarsAtTheirReferencePixels) {
  for (const TCase& c : kCases) {
    TObsState state = MomentState();
    state.CoordSystem = c.System;
    state.CentreDir = c.CentreDir;
    state.Hemisphere = c.Hemisphere;
    state.CorrRefraction = c.Refraction;
    state.ChartScale = c.Zoom;
    state.ChartOffsetX = c.OffsetX;
    state.ChartOffsetY = c.OffsetY;
    state.CatBSC = 1;
    const TChartState chart = ChartStateFromObs(state);
    const TChartView view = MakeChartView(state, chart);
    TZoneFlags flags;
    const TCatalogDrawing d = ChartCatalogObjects(state, view, flags, DataFolder());
    const auto found = Find(d, c.Star);
    ASSERT_FALSE(found.empty()) << c.Star << " system " << c.System << " zoom " << c.Zoom;
    for (const TCatalogObject& o : found) {
      EXPECT_NEAR(o.X, c.X, 0.75) << c.Star << " system " << c.System << " zoom " << c.Zoom;
      EXPECT_NEAR(o.Y, c.Y, 0.75) << c.Star << " system " << c.System << " zoom " << c.Zoom;
    }
  }
}

TEST(CatalogPipeline, PolarisOnlyOnTheNorthernPolarChart) {
  TObsState state = MomentState();
  state.CoordSystem = kEquatorialPolar;
  state.CatBSC = 1;
  state.ChartScale = 1;
  TZoneFlags flags;
  for (const int hemisphere : {0, 1}) {
    state.Hemisphere = hemisphere;
    const TChartView view = MakeChartView(state, ChartStateFromObs(state));
    const TCatalogDrawing d = ChartCatalogObjects(state, view, flags, DataFolder());
    EXPECT_EQ(Find(d, kPolaris).size(), hemisphere == 0 ? 1u : 0u);
    EXPECT_EQ(Find(d, kSirius).size(), hemisphere == 1 ? 1u : 0u);
    ASSERT_FALSE(d.Objects.empty());
    for (const TCatalogObject& o : d.Objects) EXPECT_EQ(o.Delta < 0.0, hemisphere == 1);
  }
}

TEST(CatalogPipeline, WholeSkyEquatorialViewDrawsTheBrightStars) {
  // Zoom 1, "bsc" to magnitude 5.0: the BSC5 holds 1600-odd such stars; the chart shows those
  // between declinations -75 and +75 (all but the polar caps).
  TObsState state = MomentState();
  state.CoordSystem = kEquatorial;
  state.CatBSC = 1;
  state.CatNGC = 1;
  state.ChartScale = 1;
  TZoneFlags flags;
  const TChartView view = MakeChartView(state, ChartStateFromObs(state));
  const TCatalogDrawing d = ChartCatalogObjects(state, view, flags, DataFolder());
  for (char f : flags.Zones50) EXPECT_EQ(f, kZoneIn);
  const int bsc = CatalogIndex("bsc");
  EXPECT_GT(d.Counts[bsc], 1400);
  EXPECT_LT(d.Counts[bsc], 1700);
  EXPECT_GT(d.Counts[CatalogIndex("ngc")], 100);
  for (const TCatalogObject& o : d.Objects) EXPECT_LE(o.Magnitude, o.Catalog == bsc ? 5.0 : 12.0);
}

}  // namespace
}  // namespace himlavy
