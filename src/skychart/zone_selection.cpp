// The catalogs on the sky chart: zone selection, limits and the record pipeline. See
// zone_selection.h.
#include "skychart/zone_selection.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>
#include <mutex>
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

// The moment's quantities an apparent place depends on.
struct TReductionKey {
  double T = 0.0, Eps0 = 0.0, DPsi = 0.0, DEps = 0.0;
  bool ProperMotion = false, Precession = false, Nutation = false, Aberration = false;
  explicit TReductionKey(const TChartMoment& m)
      : T(m.T),
        Eps0(m.Eps0),
        DPsi(m.DPsi),
        DEps(m.DEps),
        ProperMotion(m.ProperMotion),
        Precession(m.Precession),
        Nutation(m.Nutation),
        Aberration(m.Aberration) {}
  bool operator==(const TReductionKey&) const = default;
};

// The apparent places of a zone's records at the moment of the last drawing that read the
// zone, each reduced when first asked for: a redraw at the same moment (a zoom, a pan, another
// switch) reduces nothing again. A place not yet reduced has a NaN right ascension.
struct TZonePlaces {
  std::shared_ptr<const void> Records;  // keeps the records (and so the key) alive
  TReductionKey Key;
  std::vector<TEquatorial> Places;
};

class TPlacesCache {
 public:
  // The places of `records` (n records) for `moment`, cleared when the moment changed.
  std::vector<TEquatorial>& For(const std::shared_ptr<const void>& records, std::size_t n,
                                const TChartMoment& moment) {
    const TReductionKey key(moment);
    auto found = zones_.find(records.get());
    if (found == zones_.end()) {
      DropUnused();
      found = zones_.emplace(records.get(), TZonePlaces{records, key, {}}).first;
    }
    TZonePlaces& zone = found->second;
    if (!(zone.Key == key) || zone.Places.size() != n) {
      zone.Key = key;
      zone.Places.assign(n, TEquatorial{kNotReduced, 0.0});
    }
    return zone.Places;
  }
  static constexpr double kNotReduced = std::numeric_limits<double>::quiet_NaN();

 private:
  // Forgets the zones whose records nobody else holds any more (their file changed).
  void DropUnused() {
    std::erase_if(zones_, [](const auto& entry) { return entry.second.Records.use_count() == 1; });
  }
  std::unordered_map<const void*, TZonePlaces> zones_;
};

// The path of a zone file (ResolveDataPath), looked up again at most once a second or after
// the program has written a file, as the file cache examines the files.
std::filesystem::path ZonePath(const std::filesystem::path& dataDir, const std::string& name) {
  struct TFound {
    std::filesystem::path Path;
    std::chrono::steady_clock::time_point Examined;
    std::uint64_t Writes = 0;
  };
  static std::mutex foundMutex;
  static std::unordered_map<std::string, TFound> found;
  const std::string key = dataDir.string() + '\n' + name;
  const auto now = std::chrono::steady_clock::now();
  const std::uint64_t writes = fileWriteCount;
  const std::lock_guard lock(foundMutex);
  const auto it = found.find(key);
  if (it != found.end() && it->second.Writes == writes &&
      now - it->second.Examined < std::chrono::seconds(1)) {
    return it->second.Path;
  }
  if (found.size() > 4096) found.clear();
  TFound& f = found[key];
  f = TFound{ResolveDataPath(dataDir, name), now, writes};
  return f.Path;
}

template <typename R, TReader<R> Reader>
bool ReadZoneRecords(int catalog, int zone, double limit, TObsState& state,
                     const TChartMoment& moment, const TChartView& view,
                     const std::filesystem::path& dataDir, std::vector<TCatalogObject>& out) {
  const std::string name = ZoneFileName(kCatalogs[catalog], zone);
  const auto records = CachedZone(Reader, ZonePath(dataDir, name), catalog != kSky);
  if (!records) return false;
  if (moment.Nutation) {
    state.Obliquity = moment.Eps0;
    state.NutLon = moment.DPsi;
    state.NutObl = moment.DEps;
  }
  // "sky" is read in small fields and not kept: its places are not kept either.
  static TPlacesCache cache;
  static std::mutex cacheMutex;
  std::unique_lock lock(cacheMutex, std::defer_lock);
  std::vector<TEquatorial>* kept = nullptr;
  if (catalog != kSky && ChartShortcuts()) {
    lock.lock();
    kept = &cache.For(records, records->size(), moment);
  }
  const TCatalogReduction reduction = CatalogReduction(moment);
  for (std::size_t i = 0; i < records->size(); ++i) {
    const R& r = (*records)[i];
    const TStored s = Stored(r);
    if (!(s.Magnitude <= limit)) continue;
    TEquatorial place;
    if (kept && !std::isnan((*kept)[i].Alpha)) {
      place = (*kept)[i];
    } else {
      place = CatalogApparentPlace(s.RaDeg * kDegToRad, s.DecDeg * kDegToRad, s.PmRa, s.PmDec,
                                   moment, reduction);
      if (kept) (*kept)[i] = place;
    }
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

namespace {

// How far a place drawn on the chart may lie from its J2000.0 place carried to the date by
// precession alone, degrees: nutation (at most 17.2" in longitude, 9.2" in obliquity) and
// annual aberration (20.5") stay below 1', and the zone's edges are followed at 48 points
// each, whose arcs bulge by less than 0.05 degree between them.
constexpr double kPlaceMargin = 0.1;
// The largest proper motion of any star, Barnard's star's 10.4"/yr, in degrees per century.
constexpr double kLargestProperMotion = 10.4 * 100.0 / 3600.0;
constexpr int kEdgePoints = 48;

// A closed interval of right ascension (degrees, From <= To, To - From < 360) or the whole
// circle, and one of declination.
struct TFieldBox {
  bool AllRa = false;
  double RaFrom = 0.0, RaTo = 0.0;
  double DecFrom = 0.0, DecTo = 0.0;
  bool operator==(const TFieldBox&) const = default;
};

bool RaOverlap(const TFieldBox& a, const TFieldBox& b) {
  if (a.AllRa || b.AllRa) return true;
  const double shift = std::floor(a.RaFrom / 360.0) * 360.0 - std::floor(b.RaFrom / 360.0) * 360.0;
  for (const double k : {-360.0, 0.0, 360.0}) {
    if (a.RaFrom - shift + k <= b.RaTo && b.RaFrom <= a.RaTo - shift + k) return true;
  }
  return false;
}

bool Overlap(const TFieldBox& a, const TFieldBox& b) {
  return a.DecFrom <= b.DecTo && b.DecFrom <= a.DecTo && RaOverlap(a, b);
}

// The right ascension and declination of date (degrees) that the chart's window can show,
// with a margin of two pixels. Polar charts of the south have the declinations' signs changed
// back.
TFieldBox FieldOfView(const TChartView& view) {
  TFieldBox f;
  const double margin = 2.0;
  const double w = view.ClientWidth;
  const double h = view.ClientHeight;
  const double ps = view.PixelScale;
  if (view.CoordSystem == kEquatorial) {
    const double cx = 498.0 + view.ChartZoom * view.OffsetX;
    const double cy = 342.5 + view.ChartZoom * view.OffsetY;
    const double lonFrom = (-margin - cx) / ps + 180.0;
    const double lonTo = (w + margin - cx) / ps + 180.0;
    // lon' = 360 - ra, or 540 - ra reduced below 360 with CentreDir 1.
    const double a = view.CentreDir == 1 ? 540.0 : 360.0;
    f.RaFrom = a - lonTo;
    f.RaTo = a - lonFrom;
    f.AllRa = f.RaTo - f.RaFrom >= 360.0;
    f.DecFrom = (cy - h - margin) / ps;
    f.DecTo = (cy + margin) / ps;
    return f;
  }
  // Polar: r = (90 - lat) PixelScale about the pole point, x = cx + s r sin(ra),
  // y = cy - r cos(ra).
  const double cx = 480.0 + view.ChartZoom * view.OffsetX;
  const double cy = 348.0 + view.ChartZoom * view.OffsetY;
  const double x0 = -margin, x1 = w + margin, y0 = -margin, y1 = h + margin;
  const double nearest = std::hypot(cx - std::clamp(cx, x0, x1), cy - std::clamp(cy, y0, y1));
  const double farthest = std::hypot(std::max(std::fabs(cx - x0), std::fabs(cx - x1)),
                                     std::max(std::fabs(cy - y0), std::fabs(cy - y1)));
  const double latTo = 90.0 - nearest / ps;
  const double latFrom = 90.0 - farthest / ps;
  const bool south = view.Hemisphere == 1;
  f.DecFrom = south ? -latTo : latFrom;
  f.DecTo = south ? -latFrom : latTo;
  if (nearest == 0.0) {
    f.AllRa = true;
    return f;
  }
  // The pole point lies outside the window: the window subtends less than 180 degrees, the
  // extremes of right ascension at its corners.
  const double s = south ? -1.0 : 1.0;
  double first = 0.0;
  bool any = false;
  for (const double x : {x0, x1}) {
    for (const double y : {y0, y1}) {
      double ra = std::atan2(s * (x - cx), cy - y) * kRadToDeg;
      if (!any) {
        first = ra;
        f.RaFrom = f.RaTo = ra;
        any = true;
        continue;
      }
      ra = first + std::remainder(ra - first, 360.0);
      f.RaFrom = std::min(f.RaFrom, ra);
      f.RaTo = std::max(f.RaTo, ra);
    }
  }
  return f;
}

// Whether a J2000.0 place (degrees) lies in the zone's box.
bool InZone(double ra, double dec, const TFieldBox& zone) {
  if (dec < zone.DecFrom || dec > zone.DecTo) return false;
  if (zone.AllRa) return true;
  const double r = zone.RaFrom + std::fmod(std::fmod(ra - zone.RaFrom, 360.0) + 360.0, 360.0);
  return r <= zone.RaTo;
}

// The most a place of date moves in half a day, degrees, with room to spare: precession at
// most 50.3"/yr (0.07"), proper motion at most 10.4"/yr, nutation and aberration together
// below 0.6"/day; one arcsecond.
constexpr double kHalfDayDrift = 1.0 / 3600.0;

// Widens a box of date by an angle on the sky: near a pole a small step on the sky is a large
// one in right ascension.
void WidenBy(TFieldBox& box, double angle) {
  box.DecFrom -= angle;
  box.DecTo += angle;
  const double widest = std::max(std::fabs(box.DecFrom), std::fabs(box.DecTo));
  if (widest >= 89.0) {
    box.AllRa = true;
  } else if (!box.AllRa) {
    const double raMargin = angle / std::cos(widest * kDegToRad);
    box.RaFrom -= raMargin;
    box.RaTo += raMargin;
    box.AllRa = box.RaTo - box.RaFrom >= 360.0;
  }
}

// Where the places of a zone (a J2000.0 box, degrees) can be drawn: the box widened by the
// largest proper motion over the time from J2000.0, carried to the date by precession along
// its edges (a rotation keeps extremes on the edge unless the box holds a pole of the date),
// widened again for nutation and aberration.
TFieldBox ZoneOfDate(TFieldBox zone, const TChartMoment& moment) {
  if (moment.ProperMotion) {
    const double drift = kLargestProperMotion * std::fabs(moment.T);
    zone.RaFrom -= drift;
    zone.RaTo += drift;
    zone.AllRa = zone.AllRa || zone.RaTo - zone.RaFrom >= 360.0;
    zone.DecFrom -= drift;
    zone.DecTo += drift;
  }
  zone.DecFrom = std::max(zone.DecFrom, -90.0);
  zone.DecTo = std::min(zone.DecTo, 90.0);
  TFieldBox out = zone;
  if (moment.Precession && moment.T != 0.0) {
    const double raFrom = zone.AllRa ? 0.0 : zone.RaFrom;
    const double raTo = zone.AllRa ? 360.0 : zone.RaTo;
    const double raMid = (raFrom + raTo) / 2.0;
    bool first = true;
    const auto add = [&](double ra, double dec) {
      double a = ra * kDegToRad;
      double d = dec * kDegToRad;
      PrecessRaDec(a, d, 0.0, moment.T);
      const double r = raMid + std::remainder(a * kRadToDeg - raMid, 360.0);
      const double decDeg = d * kRadToDeg;
      if (first) {
        out.RaFrom = out.RaTo = r;
        out.DecFrom = out.DecTo = decDeg;
        first = false;
      }
      out.RaFrom = std::min(out.RaFrom, r);
      out.RaTo = std::max(out.RaTo, r);
      out.DecFrom = std::min(out.DecFrom, decDeg);
      out.DecTo = std::max(out.DecTo, decDeg);
    };
    for (int i = 0; i <= kEdgePoints; ++i) {
      const double ra = raFrom + (raTo - raFrom) * i / kEdgePoints;
      const double dec = zone.DecFrom + (zone.DecTo - zone.DecFrom) * i / kEdgePoints;
      add(ra, zone.DecFrom);
      add(ra, zone.DecTo);
      add(raFrom, dec);
      add(raTo, dec);
    }
    out.AllRa = zone.AllRa || out.RaTo - out.RaFrom >= 360.0;
    // A pole of the date inside the box: every right ascension, and that declination limit.
    for (const double poleDec : {90.0, -90.0}) {
      double a = 0.0;
      double d = poleDec * kDegToRad;
      PrecessRaDec(a, d, moment.T, 0.0);
      if (InZone(a * kRadToDeg, d * kRadToDeg, zone)) {
        out.AllRa = true;
        (poleDec > 0.0 ? out.DecTo : out.DecFrom) = poleDec;
      }
    }
  }
  WidenBy(out, kPlaceMargin);
  return out;
}

}  // namespace

namespace {

// The J2000.0 box of a zone definition, degrees.
TFieldBox ZoneBox(const TZoneBounds& z) {
  TFieldBox box;
  box.RaFrom = z.RaStart * 15.0 / 100.0;
  box.RaTo = z.RaEnd * 15.0 / 100.0;
  if (box.RaTo < box.RaFrom) box.RaTo += 360.0;
  box.AllRa = box.RaTo - box.RaFrom >= 360.0;
  box.DecFrom = std::min(z.DecStart, z.DecEnd) / 100.0;
  box.DecTo = std::max(z.DecStart, z.DecEnd) / 100.0;
  return box;
}

// The zones of the date of one set of zone boxes, kept for the next drawing at the same
// moment: a pan or a zoom then only compares boxes.
struct TZonesOfDate {
  std::vector<std::optional<TFieldBox>> Boxes;  // J2000.0; nullopt for an invalid definition
  double T = 0.0;
  bool ProperMotion = false, Precession = false;
  std::vector<TFieldBox> OfDate;
};

const std::vector<TFieldBox>& ZonesOfDate(const std::vector<std::optional<TFieldBox>>& boxes,
                                          const TChartMoment& moment,
                                          std::vector<TZonesOfDate>& kept) {
  for (const TZonesOfDate& k : kept) {
    if (k.T == moment.T && k.ProperMotion == moment.ProperMotion &&
        k.Precession == moment.Precession && k.Boxes == boxes) {
      return k.OfDate;
    }
  }
  if (kept.size() >= 4) kept.erase(kept.begin());
  TZonesOfDate& k = kept.emplace_back();
  k.Boxes = boxes;
  k.T = moment.T;
  k.ProperMotion = moment.ProperMotion;
  k.Precession = moment.Precession;
  for (const auto& box : boxes) k.OfDate.push_back(box ? ZoneOfDate(*box, moment) : TFieldBox{});
  return k.OfDate;
}

}  // namespace

void SelectZones(std::span<char> flags, std::span<const TZoneBounds> zones, const TObsState& state,
                 const TChartView& view) {
  std::fill(flags.begin(), flags.end(), kZoneOut);
  if (!IsEquatorialSystem(view.CoordSystem)) return;
  const TChartMoment moment = ChartMoment(state);
  const TFieldBox field = FieldOfView(view);
  const std::size_t count = std::min(flags.size(), zones.size());
  std::vector<std::optional<TFieldBox>> boxes(count);
  for (std::size_t k = 0; k < count; ++k) {
    if (zones[k].Valid) boxes[k] = ZoneBox(zones[k]);
  }
  static std::mutex keptMutex;
  static std::vector<TZonesOfDate> kept;
  const std::lock_guard lock(keptMutex);
  if (!ChartShortcuts()) kept.clear();
  // While time runs every tick has a new moment; the zones are then taken for the nearest
  // whole day and widened by what a place can move in half a day, so that they hold the
  // zones of the moment itself. Reading a zone more only adds places outside the field.
  TChartMoment zoneMoment = moment;
  if (ChartShortcuts()) zoneMoment.T = std::round(moment.T * kDaysPerCentury) / kDaysPerCentury;
  std::vector<TFieldBox> ofDate = ZonesOfDate(boxes, zoneMoment, kept);
  if (ChartShortcuts()) {
    for (TFieldBox& box : ofDate) WidenBy(box, kHalfDayDrift);
  }
  for (std::size_t k = 0; k < count; ++k) {
    if (boxes[k] && Overlap(ofDate[k], field)) flags[k] = kZoneIn;
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
                              const TZoneFlags& flags, bool skyInstalled) {
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
        const bool skyTakesOver = chartScale >= 8 && state.CatSKY == 1 && skyInstalled;
        if (!skyTakesOver) flagged(flags.Zones50);
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

namespace {
std::atomic<bool> chartShortcutsOn{true};
}  // namespace

void SetChartShortcuts(bool on) {
  chartShortcutsOn = on;
}

bool ChartShortcuts() {
  return chartShortcutsOn;
}

TCatalogReduction CatalogReduction(const TChartMoment& moment) {
  TCatalogReduction r;
  if (moment.Precession) r.Precession = PrecessionMoment(0.0, moment.T);
  if (moment.Nutation) r.Nutation = NutationMoment(moment.Eps0, moment.DEps, moment.DPsi);
  if (moment.Aberration) {
    r.Aberration = AberrationMoment(TAberrationTerms::WithETerms, moment.Eps0, moment.T);
  }
  return r;
}

TEquatorial CatalogApparentPlace(double alpha, double delta, double pmAlpha, double pmDelta,
                                 const TChartMoment& moment, const TCatalogReduction& r) {
  if (moment.ProperMotion) {
    alpha += pmAlpha * kPmToRadPerCentury * moment.T;
    delta += pmDelta * kPmToRadPerCentury * moment.T;
  }
  if (moment.Precession) PrecessRaDec(alpha, delta, r.Precession);
  if (moment.Nutation) NutationRaDec(alpha, delta, r.Nutation);
  if (moment.Aberration) AberrationRaDec(alpha, delta, r.Aberration);
  return TEquatorial{Mod2Pi(alpha), delta};
}

TEquatorial CatalogApparentPlace(double alpha, double delta, double pmAlpha, double pmDelta,
                                 const TChartMoment& moment) {
  return CatalogApparentPlace(alpha, delta, pmAlpha, pmDelta, moment, CatalogReduction(moment));
}

double PlaceDriftBound(double jdA, double jdB) {
  const double tAbs = std::max(std::fabs(jdA - kJ2000), std::fabs(jdB - kJ2000)) / 36525.0;
  const TReductionDrift rates = ReductionDriftRates(tAbs);
  constexpr double kObliquityPerDay = 0.5 / 365.25;
  const double properMotionPerDay = 2.0 * kLargestProperMotion * 3600.0 / 36525.0;
  const double perDay = 2.0 * rates.Precession + 2.0 * rates.Nutation + rates.Aberration +
                        kObliquityPerDay + properMotionPerDay;
  return 1.01 * perDay * std::fabs(jdB - jdA);
}

std::vector<TEquatorial> KeptApparentPlaces(const void* owner,
                                            std::span<const std::array<double, 2>> positions,
                                            const TChartMoment& moment) {
  struct TKept {
    std::vector<std::array<double, 2>> Positions;
    TReductionKey Key;
    std::vector<TEquatorial> Places;
  };
  static std::mutex keptMutex;
  static std::unordered_map<const void*, TKept> kept;
  const TReductionKey key(moment);
  const std::lock_guard lock(keptMutex);
  if (ChartShortcuts()) {
    const auto found = kept.find(owner);
    if (found != kept.end() && found->second.Key == key &&
        std::ranges::equal(found->second.Positions, positions)) {
      return found->second.Places;
    }
  }
  std::vector<TEquatorial> places;
  places.reserve(positions.size());
  const TCatalogReduction reduction = CatalogReduction(moment);
  for (const auto& [alpha, delta] : positions) {
    places.push_back(CatalogApparentPlace(alpha, delta, 0.0, 0.0, moment, reduction));
  }
  if (kept.size() >= 64) kept.clear();
  kept.insert_or_assign(owner, TKept{{positions.begin(), positions.end()}, key, places});
  return places;
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
  std::error_code ec;
  const bool skyInstalled =
      std::filesystem::exists(ResolveDataPath(dataDir, ZoneFileName(kCatalogs[kSky], 1)), ec);
  if (IsEquatorialSystem(state.CoordSystem)) {
    bool any = false;
    for (int c = 0; c < static_cast<int>(kCatalogs.size()); ++c)
      any = any || CatalogEnabled(state, c);
    if (any) SelectZones50(flags, dataDir, state, view);
    if (state.CatSKY == 1) SelectZones184(flags, dataDir, state, view);
  }
  const TChartMoment moment = ChartMoment(state);
  for (int c = 0; c < static_cast<int>(kCatalogs.size()); ++c) {
    const std::vector<int> zones = CatalogZones(c, state, view.ChartZoom, flags, skyInstalled);
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
