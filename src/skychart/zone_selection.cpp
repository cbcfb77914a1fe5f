// The catalogs on the sky chart: zone selection, limits and the record pipeline. See
// zone_selection.h.
#include "skychart/zone_selection.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>

#include "base/basic.h"
#include "base/file_cache.h"
#include "base/textfile.h"
#include "base/timescales.h"

namespace himlavy {
namespace {


// Indices in kCatalogs of the catalogs that have rules of their own.
constexpr int kBsc = 2;
constexpr int kSky = 3;
constexpr int kWds = 4;
constexpr int kGcvs = 5;
constexpr int kLbn = 9;
constexpr int kGcm = 11;

// The switch of each catalog, in the order of kCatalogs.
constexpr std::array<int TObsState::*, 12> kCatalogSwitches = {
    &TObsState::CatPGC, &TObsState::CatRC3,  &TObsState::CatBSC, &TObsState::CatSKY,
    &TObsState::CatWDS, &TObsState::CatGCVS, &TObsState::CatNGC, &TObsState::CatSAC,
    &TObsState::CatGPN, &TObsState::CatLBN,  &TObsState::CatOCL, &TObsState::CatGCM};

// Magnitude limits by the column of the chart scale (1, 2, 4, 8, 16, 32 and more).
constexpr std::array<double, 6> kStarLimits = {5.0, 5.8, 6.9, 7.9, 9.0, 99.0};
constexpr std::array<double, 6> kVariableLimits = {5.0, 5.8, 6.9, 7.9, 9.0, 12.0};
constexpr std::array<double, 6> kDeepSkyLimits = {12.0, 13.0, 14.0, 15.0, 19.0, 99.0};
constexpr std::array<double, 6> kBrightNebulaLimits = {1.0, 1.0, 2.0, 3.0, 5.0, 6.0};

// Proper motion of 0.001"/yr in radians per century: / 1000 x 100 x one arcsecond.
constexpr double kPmToRadPerCentury = 0.1 * kArcSecToRad;

int ScaleColumn(int chartScale) {
  if (chartScale <= 1) return 0;
  if (chartScale <= 2) return 1;
  if (chartScale <= 4) return 2;
  if (chartScale <= 8) return 3;
  if (chartScale <= 16) return 4;
  return 5;
}

bool IsEquatorialSystem(int coordSystem) {
  return coordSystem == kEquatorial || coordSystem == kEquatorialPolar;
}

// A right ascension sample put into 0..360 (360 itself kept, as a bound of 24h is).
double SampleRa(double ra) {
  if (ra < 0.0) ra += 360.0;
  if (ra > 360.0) ra -= 360.0;
  return ra;
}

// A precessed right ascension (degrees) within 180 degrees of its J2000.0 value.
double NearRa(double precessed, double j2000) {
  return j2000 + ModPi((precessed - j2000) * kDegToRad) * kRadToDeg;
}

// --- What the pipeline reads of each record ----------------------------------------------------

struct TStored {
  double RaDeg;
  double DecDeg;
  double Magnitude;
  double PmRa = 0.0;  // 0.001"/yr; only "bsc" and "sky" give a proper motion
  double PmDec = 0.0;
};

template <typename R>
TStored Stored(const R& r) {
  return {StoredDegrees(r.RA), StoredDegrees(r.Dec), ChartMagnitude(r)};
}
TStored Stored(const TBscRecord& r) {
  return {StoredDegrees(r.RA), StoredDegrees(r.Dec), Hundredths(r.Mag), double(r.PmRA),
          double(r.PmDec)};
}
TStored Stored(const TSkyRecord& r) {
  return {StoredDegrees(r.RA), StoredDegrees(r.Dec), Hundredths(r.Mag), double(r.PmRA),
          double(r.PmDec)};
}
TStored Stored(const TWdsRecord& r) {
  return {StoredDegrees(r.RA), StoredDegrees(r.Dec), Hundredths(r.Mag1)};
}
TStored Stored(const TGcvsRecord& r) {
  return {StoredDegrees(r.RA), StoredDegrees(r.Dec), Hundredths(r.MagMax)};
}
TStored Stored(const TSacRecord& r) {
  return {double(r.RA), double(r.Dec), ChartMagnitude(r)};
}

// The records of one zone file, through the catalog's reader.
template <typename R>
using TReader = std::optional<std::vector<R>> (*)(const std::filesystem::path&);

// The decoded records of the zone files read so far, kept while a file is unchanged: a redraw
// then decodes nothing. The "sky" catalogue is not kept (600 000 records, read only in small
// fields from zoom 8).
template <typename R>
std::shared_ptr<const std::vector<R>> CachedZone(TReader<R> reader,
                                                 const std::filesystem::path& path, bool keep) {
  static TFileCache<std::vector<R>> cache;
  return cache.Get(path, reader, keep);
}

template <typename R, TReader<R> Reader>
bool ReadZoneRecords(int catalog, int zone, double limit, TObsState& state,
                     const TChartMoment& moment, const TChartView& view,
                     const std::filesystem::path& dataDir, std::vector<TCatalogObject>& out) {
  const std::string name = ZoneFileName(kCatalogs[catalog], zone);
  const auto records = CachedZone(Reader, ResolveDataPath(dataDir, name), catalog != kSky);
  if (!records) return false;
  if (moment.Nutation) {
    state.Obliquity = moment.Eps0;
    state.NutLon = moment.DPsi;
    state.NutObl = moment.DEps;
  }
  for (const R& r : *records) {
    const TStored s = Stored(r);
    if (!(s.Magnitude <= limit)) continue;
    const TEquatorial place =
        CatalogApparentPlace(s.RaDeg * kDegToRad, s.DecDeg * kDegToRad, s.PmRa, s.PmDec, moment);
    const TChartCoords coords = ChartCoordinates(place.Alpha, place.Delta, moment, view);
    const auto point = ProjectChartCoords(coords, view);
    if (!point) continue;
    const TPixel pixel = RoundPixel(*point);
    if (!IsInsideClient(pixel, view)) continue;
    TCatalogObject object;
    object.Catalog = catalog;
    object.Zone = zone;
    object.Record.template emplace<R>(r);
    object.X = pixel.X;
    object.Y = pixel.Y;
    object.Magnitude = s.Magnitude;
    object.Alpha = place.Alpha;
    object.Delta = place.Delta;
    object.Coords = coords;
    out.push_back(std::move(object));
  }
  return true;
}

// The zone reader of each catalog, in the order of kCatalogs (and of TCatalogRecord).
using TZoneRecordsReader = bool (*)(int, int, double, TObsState&, const TChartMoment&,
                                    const TChartView&, const std::filesystem::path&,
                                    std::vector<TCatalogObject>&);
constexpr std::array<TZoneRecordsReader, 12> kZoneRecordsReaders = {
    &ReadZoneRecords<TPgcRecord, &ReadPgcZone>, &ReadZoneRecords<TRc3Record, &ReadRc3Zone>,
    &ReadZoneRecords<TBscRecord, &ReadBscZone>, &ReadZoneRecords<TSkyRecord, &ReadSkyZone>,
    &ReadZoneRecords<TWdsRecord, &ReadWdsZone>, &ReadZoneRecords<TGcvsRecord, &ReadGcvsZone>,
    &ReadZoneRecords<TNgcRecord, &ReadNgcZone>, &ReadZoneRecords<TSacRecord, &ReadSacZone>,
    &ReadZoneRecords<TGpnRecord, &ReadGpnZone>, &ReadZoneRecords<TLbnRecord, &ReadLbnZone>,
    &ReadZoneRecords<TOclRecord, &ReadOclZone>, &ReadZoneRecords<TGcmRecord, &ReadGcmZone>,
};

}  // namespace

int SamplingCount(int chartScale) {
  if (chartScale <= 2) return 1;
  if (chartScale <= 8) return 2;
  if (chartScale <= 16) return 4;
  if (chartScale <= 32) return 8;
  if (chartScale <= 64) return 16;
  if (chartScale <= 128) return 32;
  if (chartScale <= 256) return 64;
  if (chartScale <= 512) return 128;
  return 200;
}

bool ZoneInField(double raStart, double raEnd, double decStart, double decEnd, int n,
                 const TChartView& view) {
  if (n < 1) n = 1;
  const double raStep = (raEnd - raStart) / n;
  const double decStep = (decEnd - decStart) / n;

  if (view.CoordSystem == kEquatorial) {
    // x depends on the right ascension only and y on the declination only, so a grid point
    // is inside exactly when its column and its row are.
    bool column = false;
    for (int i = 0; i <= n && !column; ++i) {
      const double lonPrime =
          ChartLonPrime(SampleRa(raStart + i * raStep), kEquatorial, view.CentreDir);
      const auto p = ProjectRectPrime(lonPrime, 0.0, view);
      const TPixel q = RoundPixel(*p);
      column = q.X > 0 && q.X < view.ClientWidth;
    }
    if (!column) return false;
    for (int j = 0; j <= n; ++j) {
      const auto p = ProjectRectPrime(180.0, decStart + j * decStep, view);
      if (!p) continue;
      const TPixel q = RoundPixel(*p);
      if (q.Y > 0 && q.Y < view.ClientHeight) return true;
    }
    return false;
  }

  if (view.CoordSystem == kEquatorialPolar) {
    std::vector<double> sines(n + 1);
    std::vector<double> cosines(n + 1);
    for (int i = 0; i <= n; ++i) {
      const double ra = SampleRa(raStart + i * raStep) * kDegToRad;
      sines[i] = std::sin(ra);
      cosines[i] = std::cos(ra);
    }
    const double s = view.Hemisphere == 1 ? -1.0 : 1.0;
    const double cx = 480.0 + view.ChartZoom * view.OffsetX;
    const double cy = 348.0 + view.ChartZoom * view.OffsetY;
    // A row of the grid is a circle about the pole point; only circles that reach the window
    // can hold a point inside it (a point that rounds to a pixel of the window lies within
    // 0.71 pixel of it, hence the margin of 1).
    const double w = view.ClientWidth;
    const double h = view.ClientHeight;
    const double nearest = std::hypot(cx - std::clamp(cx, 0.0, w), cy - std::clamp(cy, 0.0, h));
    const double farthest = std::hypot(std::max(std::fabs(cx), std::fabs(cx - w)),
                                       std::max(std::fabs(cy), std::fabs(cy - h)));
    for (int j = 0; j <= n; ++j) {
      const double dec = decStart + j * decStep;
      if (dec <= 0.0) continue;
      const double r = (90.0 - dec) * view.PixelScale;
      if (r < nearest - 1.0 || r > farthest + 1.0) continue;
      for (int i = 0; i <= n; ++i) {
        const TPixel q = RoundPixel({cx + s * r * sines[i], cy - r * cosines[i]});
        if (IsInsideClient(q, view)) return true;
      }
    }
    return false;
  }
  return false;
}

void SelectZones(std::span<char> flags, std::span<const TZoneBounds> zones, const TObsState& state,
                 const TChartView& view) {
  std::fill(flags.begin(), flags.end(), kZoneOut);
  if (!IsEquatorialSystem(view.CoordSystem)) return;
  const int n = SamplingCount(view.ChartZoom);
  const bool precess = state.CorrPrecession == 1 &&
                       (state.ClockJD < kZonePrecessionFrom || state.ClockJD > kZonePrecessionTo);
  const double t = JulianCenturies(state.JD_TT);
  const bool south = view.CoordSystem == kEquatorialPolar && state.Hemisphere == 1;
  const std::size_t count = std::min(flags.size(), zones.size());
  for (std::size_t k = 0; k < count; ++k) {
    const TZoneBounds& z = zones[k];
    if (!z.Valid) continue;
    double ra0 = z.RaStart * 15.0 / 100.0;
    double ra1 = z.RaEnd * 15.0 / 100.0;
    double dec0 = z.DecStart / 100.0;
    double dec1 = z.DecEnd / 100.0;
    if (precess) {
      double a0 = ra0 * kDegToRad;
      double d0 = dec0 * kDegToRad;
      double a1 = ra1 * kDegToRad;
      double d1 = dec1 * kDegToRad;
      PrecessRaDec(a0, d0, 0.0, t);
      PrecessRaDec(a1, d1, 0.0, t);
      ra0 = NearRa(a0 * kRadToDeg, ra0);
      ra1 = NearRa(a1 * kRadToDeg, ra1);
      dec0 = d0 * kRadToDeg;
      dec1 = d1 * kRadToDeg;
    }
    if (south) {
      dec0 = -dec0;
      dec1 = -dec1;
    }
    if (ZoneInField(ra0, ra1, dec0, dec1, n, view)) flags[k] = kZoneIn;
  }
}

bool SelectZones50(TZoneFlags& flags, const std::filesystem::path& dataDir, const TObsState& state,
                   const TChartView& view) {
  const auto zones = ReadZoneDefinitions(ResolveDataPath(dataDir, "fil50.dta"));
  if (!zones) return false;
  SelectZones(flags.Zones50, *zones, state, view);
  return true;
}

bool SelectZones184(TZoneFlags& flags, const std::filesystem::path& dataDir, const TObsState& state,
                    const TChartView& view) {
  const auto zones = ReadZoneDefinitions(ResolveDataPath(dataDir, "fil184.dta"));
  if (!zones) return false;
  SelectZones(flags.Zones184, *zones, state, view);
  return true;
}

int CatalogIndex(std::string_view key) {
  const TCatalogInfo* catalog = FindCatalog(key);
  return catalog ? static_cast<int>(catalog - kCatalogs.data()) : -1;
}

bool CatalogEnabled(const TObsState& state, int catalog) {
  if (catalog < 0 || catalog >= static_cast<int>(kCatalogSwitches.size())) return false;
  return state.*kCatalogSwitches[catalog] == 1;
}

double MagnitudeLimit(int catalog, int chartScale) {
  const int column = ScaleColumn(chartScale);
  switch (catalog) {
    case kBsc:
    case kSky:
    case kWds:
      return kStarLimits[column];
    case kGcvs:
      return kVariableLimits[column];
    case kLbn:
      return kBrightNebulaLimits[column];
    default:
      return kDeepSkyLimits[column];
  }
}

std::vector<int> CatalogZones(int catalog, const TObsState& state, int chartScale,
                              const TZoneFlags& flags) {
  std::vector<int> zones;
  if (!CatalogEnabled(state, catalog)) return zones;
  const int system = state.CoordSystem;
  const bool equatorial = IsEquatorialSystem(system);
  auto flagged = [&zones](std::span<const char> set) {
    for (std::size_t k = 0; k < set.size(); ++k) {
      if (set[k] == kZoneIn) zones.push_back(static_cast<int>(k) + 1);
    }
  };
  switch (catalog) {
    case kBsc:
      if (equatorial) {
        if (chartScale < 8) flagged(flags.Zones50);
      } else if (system != kEclipticWhole) {
        for (int z = 1; z <= 50; ++z) zones.push_back(z);
      }
      break;
    case kSky:
      if (equatorial && chartScale >= 8) flagged(flags.Zones184);
      break;
    case kGcm:
      if (equatorial) zones.push_back(1);
      break;
    default:
      if (equatorial) flagged(flags.Zones50);
      break;
  }
  return zones;
}

TEquatorial CatalogApparentPlace(double alpha, double delta, double pmAlpha, double pmDelta,
                                 const TChartMoment& moment) {
  if (moment.ProperMotion) {
    alpha += pmAlpha * kPmToRadPerCentury * moment.T;
    delta += pmDelta * kPmToRadPerCentury * moment.T;
  }
  if (moment.Precession) PrecessRaDec(alpha, delta, 0.0, moment.T);
  if (moment.Nutation) NutationRaDec(alpha, delta, moment.Eps0, moment.DEps, moment.DPsi);
  if (moment.Aberration) AberrationRaDec(TAberrationTerms::WithETerms, alpha, delta, moment.Eps0, moment.T);
  return TEquatorial{Mod2Pi(alpha), delta};
}

bool ReadCatalogZone(int catalog, int zone, double magnitudeLimit, TObsState& state,
                     const TChartMoment& moment, const TChartView& view,
                     const std::filesystem::path& dataDir, std::vector<TCatalogObject>& out) {
  if (catalog < 0 || catalog >= static_cast<int>(kZoneRecordsReaders.size())) return false;
  return kZoneRecordsReaders[catalog](catalog, zone, magnitudeLimit, state, moment, view, dataDir,
                                      out);
}

TCatalogDrawing ChartCatalogObjects(TObsState& state, const TChartView& view, TZoneFlags& flags,
                                    const std::filesystem::path& dataDir) {
  TCatalogDrawing drawing;
  if (IsEquatorialSystem(state.CoordSystem)) {
    bool any = false;
    for (int c = 0; c < static_cast<int>(kCatalogs.size()); ++c)
      any = any || CatalogEnabled(state, c);
    if (any) SelectZones50(flags, dataDir, state, view);
    if (state.CatSKY == 1) SelectZones184(flags, dataDir, state, view);
  }
  const TChartMoment moment = ChartMoment(state);
  for (int c = 0; c < static_cast<int>(kCatalogs.size()); ++c) {
    const std::vector<int> zones = CatalogZones(c, state, view.ChartZoom, flags);
    if (zones.empty()) continue;
    const double limit = MagnitudeLimit(c, view.ChartZoom);
    const std::size_t before = drawing.Objects.size();
    for (const int zone : zones) {
      ReadCatalogZone(c, zone, limit, state, moment, view, dataDir, drawing.Objects);
    }
    drawing.Counts[c] = static_cast<int>(drawing.Objects.size() - before);
  }
  return drawing;
}

}  // namespace himlavy
