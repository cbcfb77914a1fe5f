// Zone selection, the catalogs a drawing reads, their magnitude limits and the record
// pipeline.
//
// Zone sets: "fil50.dta" has declination bands of 30 degrees with 5, 8, 12 slices of right
// ascension from the pole to the equator (zones 1-5, 6-13, 14-25 in the north, 26-37, 38-45,
// 46-50 in the south); "fil184.dta" has bands of 15 degrees with 3, 10, 15, 20, 20, 24 slices
// (zones 1-3, 4-13, 14-28, 29-48, 49-68, 69-92 in the north, then 93-116, 117-136, ... 182-184).
// The expected flags are worked out by hand from the chart's projection (at zoom Z in the
// equatorial system, x = 498 + Z OffsetX + (lon' - 180) Z 2.7 and y = 342.5 + Z OffsetY -
// lat Z 2.7; in the polar one r = 90 - dec degrees at Z 3.2 pixels per degree about
// (480, 348)); the precessed zone corners come from Meeus (1991) formula 20.3 evaluated in
// Python.
#include "catalogs/zone_selection.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <initializer_list>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "common/data_folder.h"
#include "common/scratch_dir.h"

namespace himlavy {
namespace {

using testing::DataFolder;
using testing::ScratchDir;

constexpr double kDeg = 0.017453292519943295;

TChartView View(const TObsState& state) {
  return MakeChartView(state, ChartStateFromObs(state));
}

std::set<int> Selected(std::span<const char> flags) {
  std::set<int> zones;
  for (std::size_t k = 0; k < flags.size(); ++k) {
    if (flags[k] == kZoneIn) zones.insert(static_cast<int>(k) + 1);
  }
  return zones;
}

std::set<int> Range(int from, int to, std::set<int> more = {}) {
  for (int z = from; z <= to; ++z) more.insert(z);
  return more;
}

// The moment J2000.0 with every correction off, so that a stored position is drawn where it is.
TObsState Equatorial(int system, int zoom, double offsetX = 0.0, double offsetY = 0.0) {
  TObsState s;
  s.ClockJD = s.JD_TT = s.JD_UT = 2451545.0;
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
  auto zones = [&](const char* key, int system, int scale) {
    s.CoordSystem = system;
    return CatalogZones(CatalogIndex(key), s, scale, flags);
  };
  const std::vector<int> none, seven = {7};
  std::vector<int> all;
  for (int z = 1; z <= 50; ++z) all.push_back(z);
  // Equatorial systems: "bsc" over its flagged zones below scale 8, "sky" from scale 8.
  for (int system : {2, 3}) {
    EXPECT_EQ(zones("bsc", system, 4), seven);
    EXPECT_EQ(zones("sky", system, 4), none);
    EXPECT_EQ(zones("bsc", system, 8), none);
    EXPECT_EQ(zones("sky", system, 8), std::vector<int>{123});
    for (const char* key : {"pgc", "rc3", "wds", "gcvs", "ngc", "sac", "gpn", "lbn", "ocl"}) {
      EXPECT_EQ(zones(key, system, 1024), seven) << key;
    }
    EXPECT_EQ(zones("gcm", system, 1), std::vector<int>{1});
  }
  // The other systems: "bsc" from all 50 zones at any scale, nothing else; system 0 nothing.
  for (int system : {1, 4, 5, 6}) {
    EXPECT_EQ(zones("bsc", system, 1024), all) << system;
    for (const char* key : {"sky", "pgc", "ngc", "gcm"}) {
      EXPECT_EQ(zones(key, system, 16), none) << key << " " << system;
    }
  }
  EXPECT_EQ(zones("bsc", 0, 1), none);
  // A catalog that is switched off reads nothing.
  s.CatNGC = 0;
  EXPECT_EQ(zones("ngc", 2, 1), none);
  EXPECT_EQ(CatalogIndex("xyz"), -1);
}

TEST(SelectZones, KnownFields) {
  struct Case {
    const char* what;
    int system, zoom;
    double offsetX, offsetY;
    int hemisphere, centreDir, corrPrecession;
    double jd;
    std::set<int> zones50;
    std::optional<std::set<int>> zones184;
  };
  const Case cases[] = {
      // Zoom 1: the disc r <= 90 (288 pixels about (480, 348)) lies inside the window, so every
      // zone with a point north of the equator is in; the equator itself is not drawn.
      {"whole north", kEquatorialPolar, 1, 0, 0, 0, 0, 0, 2451545.0, Range(1, 25), Range(1, 92)},
      {"whole south", kEquatorialPolar, 1, 0, 0, 1, 0, 0, 2451545.0, Range(26, 50), Range(93, 184)},
      // Zoom 64 about the pole: 204.8 pixels per degree, only the sky within about 2.3 degrees
      // of the pole; every polar zone has a grid point on the pole itself.
      {"Polaris", kEquatorialPolar, 64, 0, 0, 0, 0, 0, 2451545.0, Range(1, 5), Range(1, 3)},
      // Zoom 8 (21.6 pixels per degree) on 5h30m, 0: OffsetX = -(277.5 - 180) 2.7. The window
      // spans right ascension 3.95h to 7.04h, declination -19.65 to +15.86; grid points inside:
      // 4h (x = 984), 7h (x = 12), +15 (y = 18.5), -15 (y = 666.5). In fil184: 1.2h slices
      // 3.6h to 7.2h, 1h slices 3h to 8h.
      {"Orion",
       kEquatorial,
       8,
       -263.25,
       0,
       0,
       0,
       0,
       2451545.0,
       {15, 16, 17, 27, 28, 29},
       Range(72, 76, Range(96, 100, {52, 53, 54, 120, 121, 122}))},
      // "N/0h" puts the seam at 12h. Zone 10 (12h-15h, +30..+60) lies across it: lon' 0 (12h)
      // to 315. Zoom 64 on 13h, +45 (lon' 345): its grid points at 194.06 and 196.88 degrees
      // fall in the window.
      {"across the seam", kEquatorial, 64, -445.5, 121.5, 0, 1, 0, 2451545.0, {10}, {}},
      // Zoom 64 on 61 degrees, +15: zone 15 (2h-4h) reaches 60 degrees, x = 671. Precessed to
      // JD 2299999 (1585) its end corner moves to 53.60 degrees, x = 1777, off the window;
      // zone 16's corners move to 54.71 and 83.36 degrees and it stays in. Inside 2300000 ..
      // 2600000, or with the switch off, the bounds stay as they are.
      {"precession off", kEquatorial, 64, -321.3, 40.5, 0, 0, 0, 2299999.0, {15, 16}, {}},
      {"inside the years", kEquatorial, 64, -321.3, 40.5, 0, 0, 1, 2300001.0, {15, 16}, {}},
      {"1585", kEquatorial, 64, -321.3, 40.5, 0, 0, 1, 2299999.0, {16}, {}},
      // Year 3000 (JD 2816787.5): zone 13 (21h-24h, +30..+60) precesses to corners (325.63,
      // 34.27) and (374.19, 65.50): its 24h corner moves past the seam, kept near 360 + 14, so
      // a window on 352 degrees, +45 finds the zone.
      {"24h corner", kEquatorial, 64, 172.0 * 2.7, 45.0 * 2.7, 0, 0, 1, 2816787.5, {13}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TObsState s = Equatorial(c.system, c.zoom, c.offsetX, c.offsetY);
    s.Hemisphere = c.hemisphere;
    s.CentreDir = c.centreDir;
    s.CorrPrecession = c.corrPrecession;
    s.ClockJD = s.JD_TT = s.JD_UT = c.jd;
    TZoneFlags flags;
    ASSERT_TRUE(SelectZones50(flags, DataFolder(), s, View(s)));
    EXPECT_EQ(Selected(flags.Zones50), c.zones50);
    if (c.zones184) {
      ASSERT_TRUE(SelectZones184(flags, DataFolder(), s, View(s)));
      EXPECT_EQ(Selected(flags.Zones184), *c.zones184);
    }
  }
}

TEST(SelectZones, OtherSystemsMissingFilesAndBadLines) {
  for (int system : {0, 1, 4, 5, 6}) {
    TZoneFlags flags;
    flags.Zones50.fill(kZoneIn);
    const TObsState s = Equatorial(system, 1);
    ASSERT_TRUE(SelectZones50(flags, DataFolder(), s, View(s)));
    EXPECT_EQ(std::string(flags.Zones50.begin(), flags.Zones50.end()), std::string(50, kZoneOut));
  }
  // Without the definition file the flags stay as they were (0: never selected, not in the
  // field).
  ScratchDir empty;
  TZoneFlags flags;
  flags.Zones184[3] = kZoneIn;
  const TObsState s = Equatorial(kEquatorial, 1);
  EXPECT_FALSE(SelectZones50(flags, empty.Path(), s, View(s)));
  EXPECT_FALSE(SelectZones184(flags, empty.Path(), s, View(s)));
  EXPECT_EQ(std::string(flags.Zones50.begin(), flags.Zones50.end()), std::string(50, '\0'));
  EXPECT_EQ(flags.Zones184[3], kZoneIn);
  // A zone line that cannot be read stays out; the zones after it keep their numbers.
  const std::vector<TZoneBounds> zones = {
      {0, 2400, -3000, 3000, true}, {0, 2400, -3000, 3000, false}, {0, 2400, -3000, 3000, true}};
  std::array<char, 3> three{};
  SelectZones(three, zones, s, View(s));
  EXPECT_EQ(std::string(three.data(), 3), "i-i");
}

TEST(CatalogApparentPlace, ThetaPersei) {
  // Meeus, Astronomical Algorithms, 1st ed. example 22.b (2nd ed. 23.a): theta Persei, J2000.0
  // 2h44m11.986s +49 13' 42.48", proper motion +0.03425 s and -0.0895" a year, at
  // JDE 2462088.69 (2028 Nov 13.19 TD): apparent 41.5599646, +49.3520685 degrees. The proper
  // motion in right ascension enters as 0.03425 x 15 = 0.51375" a year of right ascension.
  TChartMoment m;
  m.T = (2462088.69 - 2451545.0) / 36525.0;
  m.Eps0 = MeanObliquity(m.T);
  const TNutation n = NutationIAU1980(m.T);
  m.DPsi = n.DPsi;
  m.DEps = n.DEps;
  m.ProperMotion = m.Precession = m.Nutation = m.Aberration = true;
  const double alpha = (2.0 + 44.0 / 60.0 + 11.986 / 3600.0) * 15.0 * kDeg;
  const double delta = (49.0 + 13.0 / 60.0 + 42.48 / 3600.0) * kDeg;
  const TEquatorial p = CatalogApparentPlace(alpha, delta, 513.75, -89.5, m);
  EXPECT_NEAR(p.Alpha / kDeg, 41.5599646, 0.05 / 3600.0);
  EXPECT_NEAR(p.Delta / kDeg, 49.3520685, 0.05 / 3600.0);
  // Every correction off: the catalog place itself.
  const TEquatorial q = CatalogApparentPlace(alpha, delta, 513.75, -89.5, TChartMoment{});
  EXPECT_DOUBLE_EQ(q.Alpha, alpha);
  EXPECT_DOUBLE_EQ(q.Delta, delta);
}

// A synthetic little-endian record of `bytes` zero bytes: right ascension and declination
// (0.00001 degree) at raAt and raAt + 4, and 16-bit fields {offset, value}.
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

// A data folder: fil50.dta and fil184.dta of the program, and zone files written by the test.
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
  TCatalogDrawing Draw(TObsState& s) const {
    TZoneFlags flags;
    return ChartCatalogObjects(s, View(s), flags, Dir.Path());
  }
};

std::vector<const TCatalogObject*> Of(const TCatalogDrawing& d, const char* key) {
  std::vector<const TCatalogObject*> found;
  for (const auto& o : d.Objects) {
    if (o.Catalog == CatalogIndex(key)) found.push_back(&o);
  }
  return found;
}

TEST(CatalogPipeline, MagnitudeLimitIsInclusive) {
  // Zoom 1, 12h +10.1 (zone 20 of fil50: 12h-14h, 0..+30): x = 498, y = 342.5 - 27.27.
  TFolder f;
  f.Add("bsc", 20, Bsc(1, 180.0, 10.1, 500) + Bsc(2, 180.0, 10.1, 501));
  TObsState s = Equatorial(kEquatorial, 1);
  s.CatBSC = 1;
  const TCatalogDrawing d = f.Draw(s);
  const auto stars = Of(d, "bsc");
  ASSERT_EQ(stars.size(), 1u);
  EXPECT_EQ(std::get<TBscRecord>(stars[0]->Record).HR, 1u);
  EXPECT_EQ(stars[0]->X, 498);
  EXPECT_EQ(stars[0]->Y, 315);
  EXPECT_DOUBLE_EQ(stars[0]->Magnitude, 5.0);
  EXPECT_EQ(stars[0]->Zone, 20);
  EXPECT_EQ(d.Counts[CatalogIndex("bsc")], 1);
  // At scale 32 (ecliptic chart, where "bsc" is read at every scale) the limit is 99; lambda
  // 180, beta 0 lies in the middle of the chart at any zoom.
  TFolder g;
  g.Add("bsc", 20, Bsc(1, 180.0, 0.0, 500) + Bsc(2, 180.0, 0.0, 1500) + Bsc(3, 180.0, 0.0, 9900));
  TObsState e = Equatorial(kEcliptic, 32);
  e.CatBSC = 1;
  EXPECT_EQ(Of(g.Draw(e), "bsc").size(), 3u);
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
  const struct {
    int zoom;
    std::size_t rc3, pgc, lbn;
  } cases[] = {{1, 1, 0, 1},  {2, 1, 0, 1},  {4, 1, 0, 2}, {8, 1, 0, 3},
               {16, 1, 0, 5}, {32, 2, 1, 6}, {64, 2, 1, 6}};
  for (const auto& c : cases) {
    TObsState s = Equatorial(kEquatorial, c.zoom);
    s.CatRC3 = s.CatPGC = s.CatLBN = 1;
    const TCatalogDrawing d = f.Draw(s);
    EXPECT_EQ(Of(d, "rc3").size(), c.rc3) << c.zoom;
    EXPECT_EQ(Of(d, "pgc").size(), c.pgc) << c.zoom;
    EXPECT_EQ(Of(d, "lbn").size(), c.lbn) << c.zoom;
    for (const auto* o : Of(d, "pgc")) EXPECT_DOUBLE_EQ(o->Magnitude, 99.0);
  }
}

TEST(CatalogPipeline, HorizontalChartsShowOnlyTheBrightStarCatalogue) {
  // A star and a galaxy in the middle of every zone: on the horizontal chart only "bsc" is
  // read, from all 50 zones. Seen from the equator a star of declination d never rises above
  // 90 - |d|: the zone middles (+-15, +-45, +-75) all stay below 75 degrees of altitude, so
  // every zone gives its star.
  TFolder f;
  const auto zones = ReadZoneDefinitions(DataFolder() / "fil50.dta");
  ASSERT_TRUE(zones);
  for (int z = 1; z <= 50; ++z) {
    const TZoneBounds& b = (*zones)[z - 1];
    const double ra = (b.RaStart + b.RaEnd) / 2 * 0.15;
    const double dec = (b.DecStart + b.DecEnd) / 200.0;
    f.Add("bsc", z, Bsc(z, ra, dec, 100));
    f.Add("ngc", z, Record(kNgcRecordBytes, 0, ra, dec, {{8, z}, {16, 100}}));
  }
  TObsState s = Equatorial(kHorizontal, 1);
  s.Latitude = 0.0;
  s.CatBSC = s.CatNGC = 1;
  const TCatalogDrawing d = f.Draw(s);
  std::set<int> seen;
  for (const auto* o : Of(d, "bsc")) seen.insert(o->Zone);
  EXPECT_EQ(seen.size(), 50u);
  EXPECT_EQ(d.Objects.size(), 50u);
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
  const struct {
    const char* key;
    int zoom, pm, x, y;
  } cases[] = {
      {"bsc", 4, 0, 498, 343}, {"bsc", 4, 1, 489, 334},  // 342.9 - 9
      {"sky", 8, 0, 498, 343}, {"sky", 8, 1, 480, 325},  // 343.3 - 18
      {"wds", 4, 1, 498, 343},                           // no proper motion in "wds"
  };
  for (const auto& c : cases) {
    TObsState s = Equatorial(kEquatorial, c.zoom, 0.0, 162.1);
    s.ClockJD = s.JD_TT = 2451545.0 + 36525.0;  // T = 1
    s.CorrProperMotion = c.pm;
    s.CatBSC = s.CatSKY = s.CatWDS = 1;
    const auto found = Of(f.Draw(s), c.key);
    ASSERT_EQ(found.size(), 1u) << c.key << " pm " << c.pm;
    EXPECT_EQ(found[0]->X, c.x) << c.key << " pm " << c.pm;
    EXPECT_EQ(found[0]->Y, c.y) << c.key << " pm " << c.pm;
  }
}

TEST(CatalogPipeline, MissingZoneFilesAreSkipped) {
  // Only zone 20 exists; the other 49 "bsc" files are missing and skipped without harm.
  TFolder f;
  f.Add("bsc", 20, Bsc(1, 180.0, 10.0, 100));
  TObsState s = Equatorial(kEquatorial, 1);
  s.CatBSC = s.CatNGC = 1;
  EXPECT_EQ(f.Draw(s).Objects.size(), 1u);
  std::vector<TCatalogObject> out;
  const int bsc = CatalogIndex("bsc");
  EXPECT_FALSE(ReadCatalogZone(bsc, 21, 99.0, s, TChartMoment{}, View(s), f.Dir.Path(), out));
  EXPECT_TRUE(ReadCatalogZone(bsc, 20, 99.0, s, TChartMoment{}, View(s), f.Dir.Path(), out));
  EXPECT_EQ(out.size(), 1u);
}

TEST(CatalogPipeline, NutationOfTheDrawingIsStoredInTheState) {
  // At JD 2460755.3758 (2025 March 20): the IAU 1980 nutation of ERFA's nut80 (the full
  // 106-term series; the 63 terms of Meeus's table 21.A agree to 0.001"), and Laskar's mean
  // obliquity, Meeus (1991) formula 21.3, evaluated in Python.
  TFolder f;
  f.Add("bsc", 20, Bsc(1, 180.0, 10.0, 100));
  TObsState s = Equatorial(kEquatorial, 1);
  s.JD_TT = s.JD_UT = s.ClockJD = 2460755.3758;
  s.CatBSC = 1;
  s.CorrNutation = 0;
  f.Draw(s);
  EXPECT_EQ(s.NutLon, 0.0);
  EXPECT_EQ(s.Obliquity, 0.0);
  s.CorrNutation = 1;
  f.Draw(s);
  EXPECT_NEAR(s.NutLon, 3.405713906901417e-06, 5e-9);
  EXPECT_NEAR(s.NutObl, 4.6451823295684813e-05, 5e-9);
  EXPECT_NEAR(s.Obliquity, 0.4090355782312778, 1e-12);
}

}  // namespace
}  // namespace himlavy
