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
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "catalogs/zone_selection.h"
#include "common/data_folder.h"
#include "common/scratch_dir.h"

namespace himlavy {
namespace {

using testing::DataFolder;
using testing::ScratchDir;

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

struct TStar {
  std::string_view Name;
  std::uint32_t Id;  // "bsc": HR number; "sky": HD number
  std::int32_t Ra;   // stored J2000.0 position, 0.00001 degree ("sky" records only)
  std::int32_t Dec;
  std::int16_t PmRa;  // 0.001"/yr
  std::int16_t PmDec;
  std::int16_t Mag;
};

// The "bsc" stars are the records of data/bsc2000; the "sky" stars are written by the test
// with the Hipparcos (van Leeuwen 2007) J2000.0 positions.
const TStar kStars[] = {
    {"bsc Sirius", 2491, 0, 0, 0, 0, 0},
    {"bsc Vega", 7001, 0, 0, 0, 0, 0},
    {"bsc Polaris", 424, 0, 0, 0, 0, 0},
    {"sky Sirius", 48915, 10128716, -1671612, -546, -1223, -146},
    {"sky Vega", 172167, 27923473, 3878369, 201, 286, 3},
    {"sky Polaris", 8890, 3795456, 8926411, 44, -12, 202},
};

const TStar& Star(std::string_view name) {
  for (const TStar& s : kStars) {
    if (s.Name == name) return s;
  }
  throw std::runtime_error("no such star");
}

template <typename T>
void Put(std::string& bytes, std::size_t offset, T value) {
  std::memcpy(bytes.data() + offset, &value, sizeof value);  // little-endian host
}

// A 40-byte "sky" record.
std::string SkyRecord(const TStar& s) {
  std::string r(kSkyRecordBytes, '\0');
  Put(r, 0, s.Ra);
  Put(r, 4, s.Dec);
  Put(r, 8, s.Mag);
  Put(r, 14, s.PmRa);
  Put(r, 16, s.PmDec);
  std::memcpy(r.data() + 20, "A0 HI", 5);
  Put(r, 32, s.Id);
  return r;
}

// A data folder with fil184.dta and each "sky" star in the zone file of its position.
void WriteSkyFolder(const ScratchDir& dir) {
  std::filesystem::copy_file(DataFolder() / "fil184.dta", dir / "fil184.dta");
  std::filesystem::create_directories(dir / "sky2000");
  const auto zones = ReadZoneDefinitions(DataFolder() / "fil184.dta");
  ASSERT_TRUE(zones);
  const TCatalogInfo& sky = *FindCatalog("sky");
  for (const TStar& s : kStars) {
    if (s.Name.substr(0, 3) != "sky") continue;
    const double raHundredths = s.Ra / 100000.0 / 15.0 * 100.0;
    const double decHundredths = s.Dec / 1000.0;
    for (std::size_t k = 0; k < zones->size(); ++k) {
      const TZoneBounds& z = (*zones)[k];
      if (raHundredths >= z.RaStart && raHundredths < z.RaEnd && decHundredths >= z.DecStart &&
          decHundredths < z.DecEnd) {
        const std::string name = ZoneFileName(sky, static_cast<int>(k) + 1);
        dir.Write(name, dir.Read(name) + SkyRecord(s));
      }
    }
  }
}

// The objects of a star in a drawing.
std::vector<TCatalogObject> Find(const TCatalogDrawing& d, const TStar& s) {
  std::vector<TCatalogObject> found;
  for (const TCatalogObject& o : d.Objects) {
    if (const auto* b = std::get_if<TBscRecord>(&o.Record); b && b->HR == s.Id) {
      found.push_back(o);
    }
    if (const auto* k = std::get_if<TSkyRecord>(&o.Record); k && k->HD == s.Id) {
      found.push_back(o);
    }
  }
  return found;
}

struct TCase {
  std::string_view Star;
  int System;
  int CentreDir;
  int Hemisphere;
  int Refraction;
  int Zoom;
  double OffsetX;
  double OffsetY;
  double X;  // reference pixel, not rounded
  double Y;
};

// Output of reference_places.py.
const TCase kCases[] = {
    {"bsc Sirius", 2, 0, 0, 0, 4, -211.77, -45.23, 498.005, 342.518},
    {"bsc Vega", 2, 1, 0, 0, 4, -217.49, 104.76, 498.018, 342.491},
    {"bsc Sirius", 2, 0, 0, 0, 1, 0.00, 0.00, 709.771, 387.735},
    {"bsc Vega", 3, 0, 0, 0, 1, 0.00, 0.00, 318.385, 321.110},
    {"bsc Polaris", 3, 0, 0, 0, 4, 0.00, 0.00, 485.728, 342.402},
    {"bsc Sirius", 3, 0, 1, 0, 1, 0.00, 0.00, 250.371, 394.995},
    {"bsc Sirius", 1, 0, 0, 0, 1024, -204.04, -106.95, 494.237, 344.912},
    {"bsc Vega", 1, 1, 0, 0, 1024, -200.70, 166.66, 502.846, 347.213},
    {"bsc Sirius", 6, 0, 0, 0, 1024, 128.71, -22.16, 499.081, 344.945},
    {"bsc Vega", 6, 0, 0, 0, 1024, -303.24, 50.74, 496.923, 341.940},
    {"bsc Sirius", 4, 0, 0, 0, 1024, -128.11, 10.07, 496.831, 338.767},
    {"bsc Vega", 4, 1, 0, 0, 1024, -108.49, 46.44, 493.715, 347.443},
    {"bsc Sirius", 4, 0, 0, 1, 64, -128.11, 10.61, 497.927, 342.527},
    {"bsc Polaris", 5, 0, 0, 0, 1024, 2.02, -98.69, 479.703, 351.962},
    {"bsc Vega", 5, 0, 0, 0, 2, 0.00, 0.00, 780.614, 703.982},
    {"sky Sirius", 2, 0, 0, 0, 1024, -211.77, -45.23, 499.327, 347.213},
    {"sky Vega", 2, 1, 0, 0, 1024, -217.49, 104.76, 502.600, 340.118},
    {"sky Polaris", 3, 0, 0, 0, 1024, -1.43, 1.40, 482.497, 348.738},
    {"sky Sirius", 3, 0, 1, 0, 1024, 229.63, -46.99, 480.958, 352.985},
};

TEST(CatalogPipeline, BrightStarsAtTheirReferencePixels) {
  ScratchDir skyFolder;
  WriteSkyFolder(skyFolder);
  for (const TCase& c : kCases) {
    const TStar& star = Star(c.Star);
    const bool sky = c.Star.substr(0, 3) == "sky";
    TObsState state = MomentState();
    state.CoordSystem = c.System;
    state.CentreDir = c.CentreDir;
    state.Hemisphere = c.Hemisphere;
    state.CorrRefraction = c.Refraction;
    state.ChartScale = c.Zoom;
    state.ChartOffsetX = c.OffsetX;
    state.ChartOffsetY = c.OffsetY;
    (sky ? state.CatSKY : state.CatBSC) = 1;
    const TChartState chart = ChartStateFromObs(state);
    const TChartView view = MakeChartView(state, chart);
    TZoneFlags flags;
    const TCatalogDrawing d =
        ChartCatalogObjects(state, view, flags, sky ? skyFolder.Path() : DataFolder());
    const auto found = Find(d, star);
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
  state.Hemisphere = 0;
  TChartView view = MakeChartView(state, ChartStateFromObs(state));
  const TCatalogDrawing north = ChartCatalogObjects(state, view, flags, DataFolder());
  EXPECT_EQ(Find(north, Star("bsc Polaris")).size(), 1u);
  EXPECT_TRUE(Find(north, Star("bsc Sirius")).empty());
  state.Hemisphere = 1;
  view = MakeChartView(state, ChartStateFromObs(state));
  const TCatalogDrawing south = ChartCatalogObjects(state, view, flags, DataFolder());
  EXPECT_TRUE(Find(south, Star("bsc Polaris")).empty());
  EXPECT_EQ(Find(south, Star("bsc Sirius")).size(), 1u);
  // Only objects south of the equator: every star of the southern chart has delta < 0.
  ASSERT_FALSE(south.Objects.empty());
  for (const TCatalogObject& o : south.Objects) EXPECT_LT(o.Delta, 0.0);
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
  // The nutation of the drawing is left in the state.
  EXPECT_NE(state.NutLon, 0.0);
  EXPECT_NE(state.Obliquity, 0.0);
}

}  // namespace
}  // namespace himlavy
