// Zone selection, the catalogs a drawing reads, magnitude limits and the record pipeline.
// fil50.dta: bands of 30° with 5, 8, 12 slices from the pole (zones 1-25 north, 26-50 south);
// fil184.dta: bands of 15° with 3, 10, 15, 20, 20, 24 slices. Flags worked out by hand from the
// projection (x = 498 + Z OffsetX + (lon' - 180) 2.7 Z, y = 342.5 + Z OffsetY - 2.7 Z lat;
// polar r = 90 - dec at 3.2 Z px/° about (480, 348)); precessed corners: Meeus 20.3 in Python.
#include "skychart/zone_selection.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <iostream>
#include <random>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "base/timescales.h"
#include "common/data_folder.h"
#include "common/fixture_rows.h"
#include "common/scratch_dir.h"
#include "common/sky_positions.h"

namespace himlavy {
namespace {
using namespace testing;
TChartView View(const TObsState& state) {
  return MakeChartView(state, ChartStateFromObs(state));
}
// The catalog step of a drawing of `s` with the catalogs of `dir`; zone flags kept in `flags`.
TCatalogDrawing Drawing(TObsState& s, TZoneFlags* flags = nullptr,
                        const std::filesystem::path& dir = DataFolder()) {
  TZoneFlags fresh;
  return ChartCatalogObjects(s, View(s), flags ? *flags : fresh, dir);
}
std::set<int> Selected(std::span<const char> flags) {
  std::set<int> zones;
  for (std::size_t k = 0; k < flags.size(); ++k)
    if (flags[k] == kZoneIn) zones.insert(static_cast<int>(k) + 1);
  return zones;
}
// The moment J2000.0 with every correction off, so that a stored position is drawn where it is.
TObsState Equatorial(int system, int zoom, double offsetX = 0.0, double offsetY = 0.0) {
  TObsState s{.ClockJD = 2451545.0, .JD_UT = 2451545.0, .JD_TT = 2451545.0};
  s.CoordSystem = system;
  s.ChartScale = zoom;
  s.ChartOffsetX = offsetX;
  s.ChartOffsetY = offsetY;
  return s;
}
TEST(CatalogZones, WhichCatalogsEachSystemReads) {
  TZoneFlags flags;
  flags.Zones50.fill(kZoneOut);
  flags.Zones184.fill(kZoneOut);
  flags.Zones50[6] = kZoneIn;     // zone 7
  flags.Zones184[122] = kZoneIn;  // zone 123
  TObsState s;
  s.CatBSC = s.CatSKY = s.CatWDS = s.CatGCVS = s.CatNGC = s.CatRC3 = s.CatPGC = s.CatSAC =
      s.CatGCM = s.CatLBN = s.CatOCL = s.CatGPN = 1;
  const auto zones = [&](const char* key, int system, int scale, bool skyInstalled = true) {
    s.CoordSystem = system;
    return CatalogZones(CatalogIndex(key), s, scale, flags, skyInstalled);
  };
  const std::vector<int> none, seven = {7};
  std::vector<int> all;
  for (int z = 1; z <= 50; ++z) all.push_back(z);
  // Equatorial: "bsc" over its flagged zones below scale 8, "sky" from scale 8.
  const std::tuple<const char*, int, int, std::vector<int>> cases[] = {
      {"bsc", kEquatorial, 4, seven},     {"sky", kEquatorial, 4, none},
      {"bsc", kEquatorialPolar, 8, none}, {"sky", kEquatorialPolar, 8, {123}},
      {"ocl", kEquatorial, 1024, seven},  {"gcm", kEquatorial, 1, {1}},
      {"bsc", kHorizontal, 1024, all},    {"ngc", kHorizontal, 16, none},
      {"bsc", kEclipticWhole, 1, none},   {"bsc", kEquatorial, 64, none}};
  for (const auto& [key, system, scale, expected] : cases)
    EXPECT_EQ(zones(key, system, scale), expected) << key << " " << system << " " << scale;
  s.CatNGC = 0;
  EXPECT_EQ(zones("ngc", kEquatorial, 1), none);
  // With "sky" off or not installed, "bsc" keeps the stars at every zoom.
  EXPECT_EQ(zones("bsc", kEquatorial, 64, false), seven);
  s.CatSKY = 0;
  EXPECT_EQ(zones("bsc", kEquatorial, 64), seven);
}
TEST(SelectZones, KnownFieldsMissingFileAndBadLines) {
  const std::set<int> orion184 = {52, 53, 54, 72, 73,  74,  75,  76,
                                  96, 97, 98, 99, 100, 120, 121, 122};
  const std::tuple<const char*, int, double, double, int, int, double, std::set<int>, std::set<int>>
      cases[] = {
          // Zoom 8 (21.6 pixels per degree) on 5h30m, 0: OffsetX = -(277.5 - 180) 2.7. The window
          // spans right ascension 3.95h to 7.04h, declination -19.65 to +15.86; grid points inside:
          // 4h (x = 984), 7h (x = 12), +15 (y = 18.5), -15 (y = 666.5). In fil184: 1.2h slices
          // 3.6h to 7.2h, 1h slices 3h to 8h.
          {"Orion", 8, -263.25, 0, 0, 0, 2451545.0, {15, 16, 17, 27, 28, 29}, orion184},
          // "N/0h" puts the seam at 12h. Zone 10 (12h-15h, +30..+60) lies across it: lon' 0 (12h)
          // to 315. Zoom 64 on 13h, +45 (lon' 345): its grid points at 194.06 and 196.88 degrees
          // fall in the window.
          {"across the seam", 64, -445.5, 121.5, 1, 0, 2451545.0, {10}, {}},
          // Year 3000 (JD 2816787.5): zone 13 (21h-24h, +30..+60) precesses to corners (325.63,
          // 34.27) and (374.19, 65.50): its 24h corner moves past the seam, so a window on 352
          // degrees, +45 finds the zone.
          {"24h corner", 64, 172.0 * 2.7, 45.0 * 2.7, 0, 1, 2816787.5, {13}, {}}};
  for (const auto& [what, zoom, offsetX, offsetY, centreDir, corrPrecession, jd, zones50,
                    zones184] : cases) {
    TObsState s = Equatorial(kEquatorial, zoom, offsetX, offsetY);
    s.CentreDir = centreDir;
    s.CorrPrecession = corrPrecession;
    s.ClockJD = s.JD_TT = s.JD_UT = jd;
    TZoneFlags flags;
    ASSERT_TRUE(SelectZones50(flags, DataFolder(), s, View(s)) &&
                SelectZones184(flags, DataFolder(), s, View(s)));
    EXPECT_EQ(Selected(flags.Zones50), zones50) << what;
    // fil184 only where given.
    EXPECT_EQ(zones184.empty() ? zones184 : Selected(flags.Zones184), zones184) << what;
  }
  // Without the definition file the flags stay as they were (0: never selected).
  TZoneFlags flags;
  ScratchDir empty;
  const TObsState s = Equatorial(kEquatorial, 1);
  EXPECT_FALSE(SelectZones184(flags, empty.Path(), s, View(s)));
  EXPECT_EQ(flags.Zones184[3], '\0');
  // A zone line that cannot be read stays out; the zones after it keep their numbers.
  const std::vector<TZoneBounds> zones = {
      {0, 2400, -3000, 3000, true}, {0, 2400, -3000, 3000, false}, {0, 2400, -3000, 3000, true}};
  std::array<char, 3> three{};
  SelectZones(three, zones, s, View(s));
  EXPECT_EQ(std::string(three.data(), 3), "i-i");
}
// All zones or the selected ones draw the same objects: zone corners and edges, -3000 to 5000.
TEST(SelectZones, NoObjectInTheFieldIsLeftOut) {
  // System, hemisphere, zoom and the field's centre, degrees (J2000.0).
  const std::tuple<int, int, int, double, double> fields[] = {
      {kEquatorial, 0, 4, 30.0, 30.0},       {kEquatorial, 0, 64, 30.0, 0.0},
      {kEquatorial, 0, 64, 0.0, 30.0},       {kEquatorial, 0, 256, 89.95, 6.77},
      {kEquatorial, 0, 16, 88.79, 7.41},     {kEquatorialPolar, 0, 4, 0.0, 80.0},
      {kEquatorialPolar, 1, 16, 90.0, -60.0}};
  for (const double jd : {625673.5, 2451545.0, 2461041.5, 2561118.5, 4277000.5}) {
    for (const auto& [system, hemisphere, zoom, ra, dec] : fields) {
      TObsState s = Equatorial(system, zoom);
      s.Hemisphere = hemisphere;
      s.ClockJD = s.JD_TT = s.JD_UT = jd;
      s.CorrPrecession = s.CorrProperMotion = s.CorrNutation = s.CorrAberration = 1;
      s.CatBSC = s.CatNGC = 1;
      // Centre the field on the precessed place.
      double a = ra * kDegToRad, d = dec * kDegToRad;
      PrecessRaDec(a, d, 0.0, JulianCenturies(jd));
      TChartView view = View(s);
      const TChartMoment moment = ChartMoment(s);
      const auto p = ProjectChartCoords(ChartCoordinates(a, d, moment, view), view);
      ASSERT_TRUE(p.has_value());
      s.ChartOffsetX = ((system == kEquatorial ? 498.0 : 480.0) - p->X) / zoom;
      s.ChartOffsetY = ((system == kEquatorial ? 342.5 : 348.0) - p->Y) / zoom;
      view = View(s);
      TZoneFlags flags;
      ASSERT_TRUE(SelectZones50(flags, DataFolder(), s, view));
      for (const char* key : {"bsc", "ngc"}) {
        const int catalog = CatalogIndex(key);
        const double limit = MagnitudeLimit(catalog, zoom);
        std::vector<TCatalogObject> all, selected;
        for (int zone = 1; zone <= 50; ++zone) {
          ReadCatalogZone(catalog, zone, limit, s, moment, view, DataFolder(), all);
          if (flags.Zones50[zone - 1] == kZoneIn)
            ReadCatalogZone(catalog, zone, limit, s, moment, view, DataFolder(), selected);
        }
        EXPECT_EQ(selected.size(), all.size())
            << key << " jd " << jd << " field " << ra << " " << dec << " zoom " << zoom;
      }
    }
  }
}
// A zero record of `bytes` bytes: RA, Dec (1e-5 degree) at raAt, raAt + 4; int16 {offset, value}.
std::string Record(std::size_t bytes, std::size_t raAt, double raDeg, double decDeg,
                   std::initializer_list<std::pair<std::size_t, int>> fields) {
  std::string r(bytes, '\0');
  const std::int32_t position[] = {static_cast<std::int32_t>(std::lround(raDeg * 100000)),
                                   static_cast<std::int32_t>(std::lround(decDeg * 100000))};
  std::memcpy(r.data() + raAt, position, 8);
  for (const auto& [at, value] : fields) {
    const auto v = static_cast<std::int16_t>(value);
    std::memcpy(r.data() + at, &v, 2);
  }
  return r;
}
// "bsc": HR at 4, magnitude at 20, proper motion at 16 and 18.
std::string Bsc(int hr, double raDeg, double decDeg, int mag100, int pm = 0) {
  return Record(kBscRecordBytes, 8, raDeg, decDeg, {{4, hr}, {20, mag100}, {16, pm}, {18, pm}});
}
// fil50.dta and fil184.dta of the program and zone files written by the test (others missing).
struct TFolder {
  ScratchDir Dir;
  TFolder() {
    std::filesystem::copy_file(DataFolder() / "fil50.dta", Dir / "fil50.dta");
    std::filesystem::copy_file(DataFolder() / "fil184.dta", Dir / "fil184.dta");
  }
  void Add(const char* key, int zone, const std::string& record) const {
    const std::string name = ZoneFileName(*FindCatalog(key), zone);
    std::filesystem::create_directories((Dir / name).parent_path());
    Dir.Write(name, Dir.Read(name) + record);
  }
  // The objects of catalog `key` that a drawing draws.
  std::vector<TCatalogObject> Draw(TObsState& s, const char* key) const {
    std::vector<TCatalogObject> found;
    for (auto& o : Drawing(s, nullptr, Dir.Path()).Objects)
      if (o.Catalog == CatalogIndex(key)) found.push_back(std::move(o));
    return found;
  }
};
TEST(CatalogPipeline, MagnitudeLimitIsInclusiveAndPerChartScale) {
  // On the ecliptic chart "bsc" is read at every scale, and lambda 180, beta 0 (zone 20 of
  // fil50: 12h-14h, 0..+30) lies in the middle of the chart at any zoom: a star exactly at the
  // limit is drawn, one 0.01 fainter is not.
  const std::pair<int, int> limits[] = {{1, 500},  {2, 580},   {4, 690},    {8, 790},
                                        {16, 900}, {32, 9900}, {1024, 9900}};
  for (const auto& [zoom, limit] : limits) {
    TFolder g;
    g.Add("bsc", 20, Bsc(1, 180.0, 0.0, limit + 1) + Bsc(2, 180.0, 0.0, limit));
    TObsState e = Equatorial(kEcliptic, zoom);
    e.CatBSC = 1;
    const auto drawn = g.Draw(e, "bsc");
    ASSERT_EQ(drawn.size(), 1u) << zoom;
    EXPECT_EQ(
        std::tuple(std::get<TBscRecord>(drawn[0].Record).HR, drawn[0].Magnitude, drawn[0].Zone),
        std::tuple(2u, limit / 100.0, 20))
        << zoom;
  }
  // Columns: chart scale 1, 2, 4, 8, 16, and 32 up to 1024; "lbn" in brightness classes.
  using TLimits = std::array<double, 6>;
  const TLimits stars = {5.0, 5.8, 6.9, 7.9, 9.0, 99.0};
  const TLimits variables = {5.0, 5.8, 6.9, 7.9, 9.0, 12.0};
  const TLimits deepSky = {12.0, 13.0, 14.0, 15.0, 19.0, 99.0};
  const TLimits nebulae = {1.0, 1.0, 2.0, 3.0, 5.0, 6.0};
  const std::pair<const char*, const TLimits*> groups[] = {
      {"bsc", &stars},   {"sky", &stars},   {"wds", &stars},   {"gcvs", &variables},
      {"pgc", &deepSky}, {"rc3", &deepSky}, {"ngc", &deepSky}, {"sac", &deepSky},
      {"gpn", &deepSky}, {"ocl", &deepSky}, {"gcm", &deepSky}, {"lbn", &nebulae}};
  for (const auto& [key, limits] : groups) {
    for (int scale = 1, column = 0; scale <= 1024; scale *= 2, column = std::min(column + 1, 5))
      EXPECT_EQ(MagnitudeLimit(CatalogIndex(key), scale), (*limits)[column]) << key << " " << scale;
  }
}
TEST(CatalogPipeline, MissingGalaxyMagnitudesAndNebulaClasses) {
  // "rc3" and "pgc" galaxies without a magnitude (-9990) count as 99: drawn only when the
  // limit is 99, from scale 32. "lbn" nebulae of brightness classes 1-6 against the class
  // limits. Everything stands at 12h, 0 (zone 20), in the middle of the chart at every scale.
  TFolder f;
  f.Add("rc3", 20,
        Record(kRc3RecordBytes, 0, 180, 0, {{52, -9990}}) +
            Record(kRc3RecordBytes, 0, 180, 0, {{52, 1150}}));
  f.Add("pgc", 20, Record(kPgcRecordBytes, 4, 180, 0, {{42, -9990}}));
  for (int c = 1; c <= 6; ++c) f.Add("lbn", 20, Record(kLbnRecordBytes, 0, 180, 0, {{21, c}}));
  const std::tuple<int, std::size_t, std::size_t, std::size_t> cases[] = {
      {2, 1, 0, 1}, {4, 1, 0, 2}, {16, 1, 0, 5}, {32, 2, 1, 6}};
  for (const auto& [zoom, rc3, pgc, lbn] : cases) {
    TObsState s = Equatorial(kEquatorial, zoom);
    s.CatRC3 = s.CatPGC = s.CatLBN = 1;
    EXPECT_EQ(std::tuple(f.Draw(s, "rc3").size(), f.Draw(s, "pgc").size(), f.Draw(s, "lbn").size()),
              std::tuple(rc3, pgc, lbn))
        << zoom;
  }
}
TEST(CatalogPipeline, ProperMotionOnlyForBscAndSkyAndOnlyWhenOn) {
  // 30"/yr in both coordinates over one century (T = 1): 3000" = 0.8333 degree. The chart adds
  // the motion in right ascension without dividing by cos(dec): at +60 the right ascension
  // moves by 0.8333 degree too. At zoom 4 (10.8 px/deg, "bsc") that is 9 pixels; at zoom 8
  // (21.6 px/deg, "sky") 18 pixels. Stars at 12h +60 (lon' 180, x = 498) with OffsetY =
  // 162.1 (y = 342.5 + 0.1 zoom: 342.9 at zoom 4, 343.3 at zoom 8).
  TFolder f;
  f.Add("bsc", 10, Bsc(9, 180.0, 60.0, 100, 30000));  // fil50 zone 10: 12h-15h
  f.Add("sky", 21,                                    // fil184 zone 21: 11.2h-12.8h
        Record(kSkyRecordBytes, 0, 180.0, 60.0, {{8, 100}, {14, 30000}, {16, 30000}}));
  f.Add("wds", 10, Record(kWdsRecordBytes, 0, 180.0, 60.0, {{24, 100}}));
  const std::tuple<const char*, int, int, int, int> cases[] = {
      {"bsc", 4, 0, 498, 343},
      {"bsc", 4, 1, 489, 334},  // 342.9 - 9
      {"sky", 8, 0, 498, 343},
      {"sky", 8, 1, 480, 325},  // 343.3 - 18
      {"wds", 4, 1, 498, 343}   // no proper motion in "wds"
  };
  for (const auto& [key, zoom, pm, x, y] : cases) {
    TObsState s = Equatorial(kEquatorial, zoom, 0.0, 162.1);
    s.ClockJD = s.JD_TT = 2451545.0 + 36525.0;  // T = 1
    s.CorrProperMotion = pm;
    s.CatBSC = s.CatSKY = s.CatWDS = 1;
    const auto found = f.Draw(s, key);
    ASSERT_EQ(found.size(), 1u) << key << " pm " << pm;
    EXPECT_EQ(std::pair(found[0].X, found[0].Y), std::pair(x, y)) << key << " pm " << pm;
  }
}
TEST(CatalogPipeline, NutationOfTheDrawingIsStoredInTheState) {
  // At JD 2460755.3758 (2025 March 20): the IAU 1980 nutation of ERFA's nut80 (the full
  // 106-term series; the 63 terms of Meeus's table 21.A agree to 0.001"), and Laskar's mean
  // obliquity, Meeus (1991) formula 21.3, evaluated in Python.
  TFolder f;
  f.Add("bsc", 20, Bsc(1, 180.0, 10.0, 100));
  TObsState s = Equatorial(kEquatorial, 1);
  s.JD_TT = s.JD_UT = s.ClockJD = 2460755.3758;
  s.CatBSC = s.CorrNutation = 1;
  f.Draw(s, "bsc");
  EXPECT_NEAR(s.NutLon, 3.405713906901417e-06, 5e-9);
  EXPECT_NEAR(s.NutObl, 4.6451823295684813e-05, 5e-9);
  EXPECT_NEAR(s.Obliquity, 0.4090355782312778, 1e-12);
}
// Sirius, Vega and Polaris through a drawing's whole catalog step in every system. Reference
// pixels: reference_places.py (ERFA/pyerfa 2.0 apparent and observed places through the chart's
// formulas written out independently), 2025 March 20, 21:00 UT1, Stockholm; within 0.75 px.
std::vector<TCatalogObject> Find(const TCatalogDrawing& d, std::uint32_t hr) {
  std::vector<TCatalogObject> found;
  for (const TCatalogObject& o : d.Objects)
    if (const auto* b = std::get_if<TBscRecord>(&o.Record); b && b->HR == hr) found.push_back(o);
  return found;
}
TEST(CatalogPipeline, BrightStarsAtTheirReferencePixels) {
  for (const auto& c : FixtureRows("skychart/reference_places.tsv")) {
    SCOPED_TRACE(c[0] + " system " + c[1] + " zoom " + c[5]);
    TObsState state = StockholmMoment();
    state.CoordSystem = std::stoi(c[1]);
    state.CentreDir = std::stoi(c[2]);
    state.Hemisphere = std::stoi(c[3]);
    state.CorrRefraction = std::stoi(c[4]);
    state.ChartScale = std::stoi(c[5]);
    state.ChartOffsetX = std::stod(c[6]);
    state.ChartOffsetY = std::stod(c[7]);
    state.CatBSC = 1;
    const auto found = Find(Drawing(state), static_cast<std::uint32_t>(std::stoul(c[0])));
    ASSERT_FALSE(found.empty());
    for (const TCatalogObject& o : found) {
      EXPECT_NEAR(o.X, std::stod(c[8]), 0.75);
      EXPECT_NEAR(o.Y, std::stod(c[9]), 0.75);
    }
  }
}
// Zoom 1, "bsc" to magnitude 5.0: the BSC5 holds 1600-odd such stars; the equatorial chart shows
// those between declinations -75 and +75 (all but the polar caps).
TEST(CatalogPipeline, WholeSkyViewsDrawTheBrightStars) {
  TObsState state = StockholmMoment();
  state.CoordSystem = kEquatorial;
  state.CatBSC = state.CatNGC = state.ChartScale = 1;
  TZoneFlags flags;
  const TCatalogDrawing d = Drawing(state, &flags);
  for (char f : flags.Zones50) EXPECT_EQ(f, kZoneIn);
  const int bsc = CatalogIndex("bsc");
  EXPECT_GT(d.Counts[bsc], 1400);
  EXPECT_LT(d.Counts[bsc], 1700);
  EXPECT_GT(d.Counts[CatalogIndex("ngc")], 100);
}
// The bound a draw cycle keeps its layers by (still_layers.h) against the places themselves:
// stars anywhere, up to 0.01 degree from the pole, with the largest proper motion, moments of
// 1000-3000 an hour to 60 days apart; each reduction alone against its own speed, and all of
// them in the systems 1, 2 (and 3) and 6 against the whole bound.
TEST(PlaceDriftBound, HoldsForEveryPlaceAndSystem) {
  std::mt19937 random(20261207);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  std::array<double, 4> worst{};  // precession, nutation, aberration alone; everything
  for (int i = 0; i < 400; ++i) {
    const double alpha = 2.0 * M_PI * unit(random);
    const double pole = (i % 20 == 0 ? 1 : -1) * (89.99 - 0.5 * unit(random)) * M_PI / 180;
    const double delta = i % 10 == 0 ? pole : std::asin(2.0 * unit(random) - 1.0);
    const double pmAlpha = 10400.0 * (2.0 * unit(random) - 1.0);
    const double pmDelta = 10400.0 * (2.0 * unit(random) - 1.0);
    const double jdA = 2086302.5 + 730485.0 * unit(random);  // 1000 ... 3000
    const double jdB = jdA + std::array{1.0 / 24.0, 1.0, 10.0, 60.0}[i % 4];
    const TReductionDrift rates =
        ReductionDriftRates(std::max(std::fabs(jdA - kJ2000), std::fabs(jdB - kJ2000)) / 36525.0);
    const std::array<double, 4> bounds = {
        rates.Precession * (jdB - jdA), rates.Nutation * (jdB - jdA),
        rates.Aberration * (jdB - jdA), PlaceDriftBound(jdA, jdB)};
    for (std::size_t k = 0; k < bounds.size(); ++k) {
      TObsState s;
      s.CorrPrecession = k == 0 || k == 3;
      s.CorrNutation = k == 1 || k == 3;
      s.CorrAberration = k == 2 || k == 3;
      s.CorrProperMotion = k == 3;
      s.JD_TT = s.JD_UT = jdA;
      const TChartMoment a = ChartMoment(s);
      s.JD_TT = s.JD_UT = jdB;
      const TChartMoment b = ChartMoment(s);
      const TEquatorial pa = CatalogApparentPlace(alpha, delta, pmAlpha, pmDelta, a);
      const TEquatorial pb = CatalogApparentPlace(alpha, delta, pmAlpha, pmDelta, b);
      for (const int system :
           k == 3 ? std::vector{kEcliptic, kEquatorial, kGalactic} : std::vector{kEquatorial}) {
        TChartView view;
        view.CoordSystem = system;
        const TChartCoords ca = ChartCoordinates(pa.Alpha, pa.Delta, a, view);
        const TChartCoords cb = ChartCoordinates(pb.Alpha, pb.Delta, b, view);
        const double arcsec = SeparationArcsec(ca.Lon, ca.Lat, cb.Lon, cb.Lat);
        EXPECT_LE(arcsec, bounds[k]) << i << " reduction " << k << " system " << system;
        worst[k] = std::max(worst[k], arcsec / bounds[k]);
      }
    }
  }
  std::cout << "largest motion / bound: precession " << worst[0] << ", nutation " << worst[1]
            << ", aberration " << worst[2] << ", all " << worst[3] << "\n";
}

}  // namespace
}  // namespace himlavy
