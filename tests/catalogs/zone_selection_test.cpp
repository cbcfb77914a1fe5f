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
#include <set>
#include <string>
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

std::set<int> Range(int from, int to) {
  std::set<int> zones;
  for (int z = from; z <= to; ++z) zones.insert(z);
  return zones;
}

TObsState Equatorial(int system, int zoom, double offsetX = 0.0, double offsetY = 0.0) {
  TObsState s;
  s.ClockJD = 2451545.0;
  s.JD_TT = 2451545.0;
  s.JD_UT = 2451545.0;
  s.CoordSystem = system;
  s.ChartScale = zoom;
  s.ChartOffsetX = offsetX;
  s.ChartOffsetY = offsetY;
  return s;
}

// --- Sampling, limits, catalogs ------------------------------------------------------------------

TEST(ZoneSelection, SamplingCountByScale) {
  const std::pair<int, int> cases[] = {{1, 1},    {2, 1},     {4, 2},     {8, 2},
                                       {16, 4},   {32, 8},    {64, 16},   {128, 32},
                                       {256, 64}, {512, 128}, {1024, 200}};
  for (const auto& [scale, n] : cases) EXPECT_EQ(SamplingCount(scale), n) << scale;
}

TEST(CatalogLimits, MagnitudeLimitByScale) {
  const int scales[] = {1, 2, 4, 8, 16, 32, 64, 1024};
  struct Case {
    const char* key;
    double limits[8];
  };
  const Case cases[] = {
      {"bsc", {5.0, 5.8, 6.9, 7.9, 9.0, 99, 99, 99}},
      {"sky", {5.0, 5.8, 6.9, 7.9, 9.0, 99, 99, 99}},
      {"wds", {5.0, 5.8, 6.9, 7.9, 9.0, 99, 99, 99}},
      {"gcvs", {5.0, 5.8, 6.9, 7.9, 9.0, 12.0, 12.0, 12.0}},
      {"pgc", {12, 13, 14, 15, 19, 99, 99, 99}},
      {"rc3", {12, 13, 14, 15, 19, 99, 99, 99}},
      {"ngc", {12, 13, 14, 15, 19, 99, 99, 99}},
      {"sac", {12, 13, 14, 15, 19, 99, 99, 99}},
      {"gpn", {12, 13, 14, 15, 19, 99, 99, 99}},
      {"ocl", {12, 13, 14, 15, 19, 99, 99, 99}},
      {"gcm", {12, 13, 14, 15, 19, 99, 99, 99}},
      {"lbn", {1, 1, 2, 3, 5, 6, 6, 6}},
  };
  for (const Case& c : cases) {
    const int catalog = CatalogIndex(c.key);
    ASSERT_GE(catalog, 0) << c.key;
    for (int i = 0; i < 8; ++i) {
      EXPECT_DOUBLE_EQ(MagnitudeLimit(catalog, scales[i]), c.limits[i])
          << c.key << " scale " << scales[i];
    }
  }
  EXPECT_EQ(CatalogIndex("xyz"), -1);
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
  const std::vector<int> none;
  const std::vector<int> seven = {7};
  std::vector<int> all;
  for (int z = 1; z <= 50; ++z) all.push_back(z);
  // Equatorial systems below scale 8: "bsc" over its flagged zones, no "sky".
  for (int system : {2, 3}) {
    EXPECT_EQ(zones("bsc", system, 4), seven);
    EXPECT_EQ(zones("sky", system, 4), none);
    EXPECT_EQ(zones("bsc", system, 8), none);  // "sky" takes its place
    EXPECT_EQ(zones("sky", system, 8), std::vector<int>{123});
    for (const char* key : {"pgc", "rc3", "wds", "gcvs", "ngc", "sac", "gpn", "lbn", "ocl"}) {
      EXPECT_EQ(zones(key, system, 1), seven) << key;
      EXPECT_EQ(zones(key, system, 1024), seven) << key;
    }
    EXPECT_EQ(zones("gcm", system, 1), std::vector<int>{1});
  }
  // The other systems: "bsc" from all 50 zones at any scale, nothing else; system 0 nothing.
  for (int system : {1, 4, 5, 6}) {
    EXPECT_EQ(zones("bsc", system, 1), all) << system;
    EXPECT_EQ(zones("bsc", system, 1024), all) << system;
    for (const char* key :
         {"sky", "pgc", "rc3", "wds", "gcvs", "ngc", "sac", "gpn", "lbn", "ocl", "gcm"}) {
      EXPECT_EQ(zones(key, system, 16), none) << key << " " << system;
    }
  }
  for (int c = 0; c < 12; ++c) {
    s.CoordSystem = 0;
    EXPECT_TRUE(CatalogZones(c, s, 1, flags).empty());
  }
  // A catalog that is switched off reads nothing.
  s.CatNGC = 0;
  EXPECT_EQ(zones("ngc", 2, 1), none);
  EXPECT_FALSE(CatalogEnabled(s, CatalogIndex("ngc")));
  EXPECT_TRUE(CatalogEnabled(s, CatalogIndex("gpn")));
}

// --- Zone selection for known fields -------------------------------------------------------------

TEST(ZoneSelection, WholePolarChartsSelectTheirHemisphere) {
  // Zoom 1: the disc r <= 90 (288 pixels about (480, 348)) lies inside the window, so every
  // zone with a point north of the equator is in; the equator itself (dec 0) is not drawn.
  TZoneFlags flags;
  TObsState s = Equatorial(kEquatorialPolar, 1);
  ASSERT_TRUE(SelectZones50(flags, DataFolder(), s, View(s)));
  EXPECT_EQ(Selected(flags.Zones50), Range(1, 25));
  ASSERT_TRUE(SelectZones184(flags, DataFolder(), s, View(s)));
  EXPECT_EQ(Selected(flags.Zones184), Range(1, 92));
  s.Hemisphere = 1;
  SelectZones50(flags, DataFolder(), s, View(s));
  EXPECT_EQ(Selected(flags.Zones50), Range(26, 50));
  SelectZones184(flags, DataFolder(), s, View(s));
  EXPECT_EQ(Selected(flags.Zones184), Range(93, 184));
}

TEST(ZoneSelection, FieldAroundPolaris) {
  // Polar chart at zoom 64 about the pole: 204.8 pixels per degree, so only the sky within
  // about 2.3 degrees of the pole is on the chart. Every polar zone has a grid point on the
  // pole itself (dec 90, r = 0).
  TZoneFlags flags;
  const TObsState s = Equatorial(kEquatorialPolar, 64);
  SelectZones50(flags, DataFolder(), s, View(s));
  EXPECT_EQ(Selected(flags.Zones50), Range(1, 5));
  SelectZones184(flags, DataFolder(), s, View(s));
  EXPECT_EQ(Selected(flags.Zones184), Range(1, 3));
}

TEST(ZoneSelection, FieldAroundOrion) {
  // Equatorial chart, zoom 8 (21.6 pixels per degree), centred on 5h30m, 0 degrees: lon' 277.5,
  // OffsetX = -(277.5 - 180) 2.7 = -263.25. The window spans lon' 254.4 to 300.8 (right
  // ascension 3.95h to 7.04h) and declination -19.65 to +15.86. Grid corners that land inside:
  // 4h (x = 984), 7h (x = 12) and declination +15 (y = 18.5) and -15 (y = 666.5).
  TZoneFlags flags;
  const TObsState s = Equatorial(kEquatorial, 8, -263.25, 0.0);
  SelectZones50(flags, DataFolder(), s, View(s));
  EXPECT_EQ(Selected(flags.Zones50), (std::set<int>{15, 16, 17, 27, 28, 29}));
  SelectZones184(flags, DataFolder(), s, View(s));
  std::set<int> expected = {52, 53, 54, 120, 121, 122};  // 1.2h slices: 3.6h to 7.2h
  for (int z : Range(72, 76)) expected.insert(z);        // 1h slices: 3h to 8h
  for (int z : Range(96, 100)) expected.insert(z);
  EXPECT_EQ(Selected(flags.Zones184), expected);
}

TEST(ZoneSelection, CentreDirectionNorthAcrossTheSeam) {
  // With "N/0h" the chart's seam is at 12h. Zone 10 (12h-15h, +30..+60) lies across it: its
  // bounds become lon' 0 (for 12h, 540 - 180 reduced) and 315. Zoom 64, centred on 13h, +45
  // (lon' 345: OffsetX = -165 x 2.7, OffsetY = 45 x 2.7): the zone's grid points at
  // 194.06 and 196.88 degrees fall in the window, so the zone is in.
  TZoneFlags flags;
  TObsState s = Equatorial(kEquatorial, 64, -445.5, 121.5);
  s.CentreDir = 1;
  SelectZones50(flags, DataFolder(), s, View(s));
  EXPECT_EQ(Selected(flags.Zones50), std::set<int>{10});
}

TEST(ZoneSelection, OtherSystemsSelectNothing) {
  for (int system : {0, 1, 4, 5, 6}) {
    TZoneFlags flags;
    flags.Zones50.fill(kZoneIn);
    TObsState s = Equatorial(system, 1);
    ASSERT_TRUE(SelectZones50(flags, DataFolder(), s, View(s)));
    EXPECT_TRUE(Selected(flags.Zones50).empty()) << system;
    for (char f : flags.Zones50) EXPECT_EQ(f, kZoneOut);
  }
}

TEST(ZoneSelection, MissingDefinitionFileKeepsTheFlags) {
  ScratchDir empty;
  TZoneFlags flags;
  TObsState s = Equatorial(kEquatorial, 1);
  EXPECT_FALSE(SelectZones50(flags, empty.Path(), s, View(s)));
  EXPECT_TRUE(Selected(flags.Zones50).empty());
  for (char f : flags.Zones50) EXPECT_EQ(f, '\0');  // never selected: not in the field
  flags.Zones50[3] = kZoneIn;
  EXPECT_FALSE(SelectZones184(flags, empty.Path(), s, View(s)));
  EXPECT_EQ(flags.Zones50[3], kZoneIn);
  // A zone line that cannot be read stays out; the zones after it keep their numbers.
  std::vector<TZoneBounds> zones(3);
  zones[0] = {0, 2400, -3000, 3000, true};
  zones[1] = {0, 2400, -3000, 3000, false};
  zones[2] = {0, 2400, -3000, 3000, true};
  std::array<char, 3> three{};
  SelectZones(three, zones, s, View(s));
  EXPECT_EQ(std::string(three.data(), 3), "i-i");
}

TEST(ZoneSelection, PrecessionOfTheBoundsFarFrom2000) {
  // Equatorial chart at zoom 64 centred on 61 degrees, +15 (OffsetX = -(299 - 180) 2.7):
  // without precession zone 15 (2h-4h) reaches right ascension 60 degrees, x = 671, and is in.
  // Precessed to JD 2299999 (1585) with Meeus 20.3 its end corner moves to 53.60 degrees,
  // x = 1777, off the window; zone 16's corners move to 54.71 and 83.36 degrees and it stays in.
  TZoneFlags flags;
  TObsState s = Equatorial(kEquatorial, 64, -321.3, 40.5);
  s.CorrPrecession = 1;
  s.ClockJD = s.JD_TT = s.JD_UT = 2300001.0;  // inside 2300000..2600000: bounds as they are
  SelectZones50(flags, DataFolder(), s, View(s));
  EXPECT_EQ(Selected(flags.Zones50), (std::set<int>{15, 16}));
  s.ClockJD = s.JD_TT = s.JD_UT = 2299999.0;
  SelectZones50(flags, DataFolder(), s, View(s));
  EXPECT_EQ(Selected(flags.Zones50), std::set<int>{16});
  s.CorrPrecession = 0;
  SelectZones50(flags, DataFolder(), s, View(s));
  EXPECT_EQ(Selected(flags.Zones50), (std::set<int>{15, 16}));
}

TEST(ZoneSelection, PrecessedBoundAtTwentyFourHours) {
  // Year 3000 (JD 2816787.5): zone 13 (21h-24h, +30..+60) precesses to corners (325.63, 34.27)
  // and (374.19, 65.50) degrees: its end corner at 24h moves past the seam, to 14.19 degrees
  // if reduced. Kept near 360 + 14, the zone is walked over 325.6..374.2 and a window on
  // 352 degrees, +45 (zoom 64) finds it.
  TZoneFlags flags;
  TObsState s = Equatorial(kEquatorial, 64, -(8.0 - 180.0) * 2.7, 45.0 * 2.7);
  s.CorrPrecession = 1;
  s.ClockJD = s.JD_TT = s.JD_UT = 2816787.5;
  SelectZones50(flags, DataFolder(), s, View(s));
  EXPECT_EQ(Selected(flags.Zones50), std::set<int>{13});
}

// --- The record pipeline -------------------------------------------------------------------------

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

// Little-endian field writers for synthetic records.
template <typename T>
void Put(std::string& r, std::size_t offset, T v) {
  std::memcpy(r.data() + offset, &v, sizeof v);
}

std::string Bsc(std::uint32_t hr, double raDeg, double decDeg, std::int16_t mag100,
                std::int16_t pmRa = 0, std::int16_t pmDec = 0) {
  std::string r(kBscRecordBytes, ' ');
  Put(r, 0, std::uint32_t{0});
  Put(r, 4, hr);
  Put(r, 8, static_cast<std::int32_t>(std::lround(raDeg * 100000)));
  Put(r, 12, static_cast<std::int32_t>(std::lround(decDeg * 100000)));
  Put(r, 16, pmRa);
  Put(r, 18, pmDec);
  Put(r, 20, mag100);
  Put(r, 22, std::int16_t{50});
  r[27] = 0;
  return r;
}

std::string Sky(std::uint32_t hd, double raDeg, double decDeg, std::int16_t mag100,
                std::int16_t pmRa, std::int16_t pmDec) {
  std::string r(kSkyRecordBytes, '\0');
  Put(r, 0, static_cast<std::int32_t>(std::lround(raDeg * 100000)));
  Put(r, 4, static_cast<std::int32_t>(std::lround(decDeg * 100000)));
  Put(r, 8, mag100);
  Put(r, 14, pmRa);
  Put(r, 16, pmDec);
  Put(r, 32, hd);
  return r;
}

std::string Rc3(double raDeg, double decDeg, std::int16_t mag100) {
  std::string r(kRc3RecordBytes, ' ');
  Put(r, 0, static_cast<std::int32_t>(std::lround(raDeg * 100000)));
  Put(r, 4, static_cast<std::int32_t>(std::lround(decDeg * 100000)));
  for (std::size_t off = 42; off < 62; off += 2) Put(r, off, std::int16_t{-9990});
  Put(r, 52, mag100);
  return r;
}

std::string Pgc(std::uint32_t pgc, double raDeg, double decDeg, std::int16_t mag100) {
  std::string r(kPgcRecordBytes, ' ');
  Put(r, 0, pgc);
  Put(r, 4, static_cast<std::int32_t>(std::lround(raDeg * 100000)));
  Put(r, 8, static_cast<std::int32_t>(std::lround(decDeg * 100000)));
  Put(r, 42, mag100);
  return r;
}

std::string Lbn(std::uint32_t number, double raDeg, double decDeg, std::uint8_t brightness) {
  std::string r(kLbnRecordBytes, ' ');
  Put(r, 0, static_cast<std::int32_t>(std::lround(raDeg * 100000)));
  Put(r, 4, static_cast<std::int32_t>(std::lround(decDeg * 100000)));
  Put(r, 8, number);
  r[20] = 1;
  r[21] = static_cast<char>(brightness);
  return r;
}

std::string Ngc(std::int16_t number, double raDeg, double decDeg, std::int16_t mag100) {
  std::string r(kNgcRecordBytes, ' ');
  Put(r, 0, static_cast<std::int32_t>(std::lround(raDeg * 100000)));
  Put(r, 4, static_cast<std::int32_t>(std::lround(decDeg * 100000)));
  Put(r, 8, number);
  std::memcpy(r.data() + 11, " Gx", 3);
  Put(r, 16, mag100);
  Put(r, 18, std::int16_t{10});
  return r;
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
};

// The moment J2000.0 with every correction off, so that a stored position is drawn where it is.
TObsState Plain(int system, int zoom) {
  TObsState s = Equatorial(system, zoom);
  return s;
}

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
  TObsState s = Plain(kEquatorial, 1);
  s.CatBSC = 1;
  TZoneFlags flags;
  const TCatalogDrawing d = ChartCatalogObjects(s, View(s), flags, f.Dir.Path());
  const auto stars = Of(d, "bsc");
  ASSERT_EQ(stars.size(), 1u);
  EXPECT_EQ(std::get<TBscRecord>(stars[0]->Record).HR, 1u);
  EXPECT_EQ(stars[0]->X, 498);
  EXPECT_EQ(stars[0]->Y, 315);
  EXPECT_DOUBLE_EQ(stars[0]->Magnitude, 5.0);
  EXPECT_EQ(stars[0]->Zone, 20);
  EXPECT_EQ(d.Counts[CatalogIndex("bsc")], 1);

  // At scale 32 (ecliptic chart, where "bsc" is read at every scale) the limit is 99.
  TFolder g;
  g.Add("bsc", 20, Bsc(1, 180.0, 0.0, 500) + Bsc(2, 180.0, 0.0, 1500) + Bsc(3, 180.0, 0.0, 9900));
  TObsState e = Plain(kEcliptic, 32);
  e.CatBSC = 1;
  // lambda 180, beta 0 lies at lon' 180: the middle of the chart at any zoom.
  const TCatalogDrawing all = ChartCatalogObjects(e, View(e), flags, g.Dir.Path());
  EXPECT_EQ(Of(all, "bsc").size(), 3u);
}

TEST(CatalogPipeline, MissingGalaxyMagnitudesOnlyFromScale32) {
  // "rc3" and "pgc" galaxies without a magnitude (-9990) count as 99: drawn only when the
  // limit is 99, from scale 32. The galaxies stand at 12h, 0 (zone 20 and zone 32 border:
  // declination 0 belongs to zone 20), in the middle of the chart at every scale.
  TFolder f;
  f.Add("rc3", 20, Rc3(180.0, 0.0, -9990) + Rc3(180.0, 0.0, 1150));
  f.Add("pgc", 20, Pgc(7, 180.0, 0.0, -9990));
  for (int zoom : {1, 2, 4, 8, 16, 32, 64}) {
    TObsState s = Plain(kEquatorial, zoom);
    s.CatRC3 = s.CatPGC = 1;
    TZoneFlags flags;
    const TCatalogDrawing d = ChartCatalogObjects(s, View(s), flags, f.Dir.Path());
    const std::size_t expected = zoom >= 32 ? 2u : 1u;
    EXPECT_EQ(Of(d, "rc3").size(), expected) << zoom;
    EXPECT_EQ(Of(d, "pgc").size(), zoom >= 32 ? 1u : 0u) << zoom;
    for (const auto* o : Of(d, "pgc")) EXPECT_DOUBLE_EQ(o->Magnitude, 99.0);
  }
}

TEST(CatalogPipeline, BrightNebulaeByBrightnessClass) {
  TFolder f;
  std::string records;
  for (std::uint8_t c = 1; c <= 6; ++c) records += Lbn(c, 180.0, 0.0, c);
  f.Add("lbn", 20, records);
  const std::pair<int, std::size_t> cases[] = {{1, 1}, {2, 1}, {4, 2}, {8, 3}, {16, 5}, {32, 6}};
  for (const auto& [zoom, count] : cases) {
    TObsState s = Plain(kEquatorial, zoom);
    s.CatLBN = 1;
    TZoneFlags flags;
    const TCatalogDrawing d = ChartCatalogObjects(s, View(s), flags, f.Dir.Path());
    EXPECT_EQ(Of(d, "lbn").size(), count) << zoom;
  }
}

TEST(CatalogPipeline, HorizontalChartsShowOnlyTheBrightStarCatalogue) {
  // A star and a galaxy in every zone: on the horizontal chart only "bsc" is read, from all
  // 50 zones (each zone's star at its own direction).
  TFolder f;
  const auto zones = ReadZoneDefinitions(DataFolder() / "fil50.dta");
  ASSERT_TRUE(zones);
  for (int z = 1; z <= 50; ++z) {
    const TZoneBounds& b = (*zones)[z - 1];
    const double ra = (b.RaStart + b.RaEnd) / 2 * 0.15;
    const double dec = (b.DecStart + b.DecEnd) / 200.0;
    f.Add("bsc", z, Bsc(z, ra, dec, 100));
    f.Add("ngc", z, Ngc(z, ra, dec, 100));
  }
  TObsState s = Plain(kHorizontal, 1);
  s.Latitude = 0.0;  // on the equator every direction rises
  s.CatBSC = s.CatNGC = 1;
  TZoneFlags flags;
  const TCatalogDrawing d = ChartCatalogObjects(s, View(s), flags, f.Dir.Path());
  EXPECT_TRUE(Of(d, "ngc").empty());
  std::set<int> seen;
  for (const auto* o : Of(d, "bsc")) seen.insert(o->Zone);
  // Seen from the equator a star of declination d never rises above 90 - |d|: the zone
  // middles (declinations +-15, +-45, +-75) all stay below 75 degrees of altitude (the nearest,
  // at 1h30m hour angle... 285 degrees against a sidereal time of 280.46, reaches 74.7), so every
  // zone gives its star.
  EXPECT_EQ(seen.size(), 50u);
  for (int c = 0; c < 12; ++c) {
    if (c != CatalogIndex("bsc")) {
      EXPECT_EQ(d.Counts[c], 0);
    }
  }
}

TEST(CatalogPipeline, ProperMotionOnlyForBscAndSkyAndOnlyWhenOn) {
  // 30"/yr in both coordinates over one century (T = 1): 3000" = 0.8333 degree. The chart adds
  // the motion in right ascension without dividing by cos(dec): at +60 the right ascension
  // moves by 0.8333 degree too. At zoom 4 (10.8 px/deg, "bsc") that is 9 pixels; at zoom 8
  // (21.6 px/deg, "sky") 18 pixels. Stars at 12h +60 (lon' 180, x = 498) with OffsetY =
  // 162.1 (y = 342.5 + 0.1 zoom: 342.9 at zoom 4, 343.3 at zoom 8).
  TFolder f;
  f.Add("bsc", 10, Bsc(9, 180.0, 60.0, 100, 30000, 30000));   // fil50 zone 10: 12h-15h
  f.Add("sky", 21, Sky(77, 180.0, 60.0, 100, 30000, 30000));  // fil184 zone 21: 11.2h-12.8h
  f.Add("wds", 10, [] {
    std::string r(kWdsRecordBytes, ' ');
    Put(r, 0, std::int32_t{18000000});
    Put(r, 4, std::int32_t{6000000});
    Put(r, 24, std::int16_t{100});
    return r;
  }());
  struct Case {
    const char* key;
    int zoom;
    int pm;
    int x;
    int y;
  };
  const Case cases[] = {
      {"bsc", 4, 0, 498, 343}, {"bsc", 4, 1, 489, 334},  // 342.9 - 9
      {"sky", 8, 0, 498, 343}, {"sky", 8, 1, 480, 325},  // 343.3 - 18
      {"wds", 4, 1, 498, 343},                           // no proper motion in "wds"
  };
  for (const Case& c : cases) {
    TObsState s = Equatorial(kEquatorial, c.zoom, 0.0, 162.1);
    s.JD_TT = 2451545.0 + 36525.0;  // T = 1
    s.ClockJD = s.JD_TT;
    s.CorrProperMotion = c.pm;
    s.CatBSC = s.CatSKY = s.CatWDS = 1;
    TZoneFlags flags;
    const TCatalogDrawing d = ChartCatalogObjects(s, View(s), flags, f.Dir.Path());
    const auto found = Of(d, c.key);
    ASSERT_EQ(found.size(), 1u) << c.key << " pm " << c.pm;
    EXPECT_EQ(found[0]->X, c.x) << c.key << " pm " << c.pm;
    EXPECT_EQ(found[0]->Y, c.y) << c.key << " pm " << c.pm;
  }
}

TEST(CatalogPipeline, MissingZoneFilesAreSkipped) {
  // Only zone 20 exists; the other 49 "bsc" files are missing and skipped without harm.
  TFolder f;
  f.Add("bsc", 20, Bsc(1, 180.0, 10.0, 100));
  TObsState s = Plain(kEquatorial, 1);
  s.CatBSC = s.CatNGC = 1;
  TZoneFlags flags;
  const TCatalogDrawing d = ChartCatalogObjects(s, View(s), flags, f.Dir.Path());
  EXPECT_EQ(d.Objects.size(), 1u);
  std::vector<TCatalogObject> out;
  TChartMoment m;
  EXPECT_FALSE(ReadCatalogZone(CatalogIndex("bsc"), 21, 99.0, s, m, View(s), f.Dir.Path(), out));
  EXPECT_TRUE(ReadCatalogZone(CatalogIndex("bsc"), 20, 99.0, s, m, View(s), f.Dir.Path(), out));
  EXPECT_EQ(out.size(), 1u);
}

TEST(CatalogPipeline, NutationOfTheDrawingIsStoredInTheState) {
  // At JD 2460755.3758 (2025 March 20): the IAU 1980 nutation of ERFA's nut80 (the full
  // 106-term series; the 63 terms of Meeus's table 21.A agree to 0.001"), and Laskar's mean
  // obliquity, Meeus (1991) formula 21.3, evaluated in Python.
  constexpr double kNutLon2025 = 3.405713906901417e-06;
  constexpr double kNutObl2025 = 4.6451823295684813e-05;
  constexpr double kObliquity2025 = 0.4090355782312778;
  TFolder f;
  f.Add("bsc", 20, Bsc(1, 180.0, 10.0, 100));
  TObsState s = Plain(kEquatorial, 1);
  s.JD_TT = s.JD_UT = s.ClockJD = 2460755.3758;
  s.CatBSC = 1;
  s.CorrNutation = 0;
  TZoneFlags flags;
  ChartCatalogObjects(s, View(s), flags, f.Dir.Path());
  EXPECT_EQ(s.NutLon, 0.0);
  EXPECT_EQ(s.Obliquity, 0.0);
  s.CorrNutation = 1;
  ChartCatalogObjects(s, View(s), flags, f.Dir.Path());
  EXPECT_NEAR(s.NutLon, kNutLon2025, 5e-9);
  EXPECT_NEAR(s.NutObl, kNutObl2025, 5e-9);
  EXPECT_NEAR(s.Obliquity, kObliquity2025, 1e-12);
}

}  // namespace
}  // namespace himlavy
