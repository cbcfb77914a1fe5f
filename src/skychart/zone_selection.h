// The catalogs on the sky chart: which zones of the sky are in the chart's field, which catalogs
// a drawing reads and how faint it goes, and the pipeline that takes each record from its
// stored J2000.0 position to a pixel of the chart.
//
// The 50-zone scheme ("fil50.dta") serves every catalog but "sky", the 184-zone scheme
// ("fil184.dta") serves "sky". Zone flags are kept by the chart from one drawing to the next:
// 'i' in the field, '-' not, and 0 before the first selection (which counts as not in the
// field). A drawing reads the catalogs in the fixed order of kCatalogs ("pgc", "rc3", "bsc",
// "sky", "wds", "gcvs", "ngc", "sac", "gpn", "lbn", "ocl", "gcm"); each record that passes its
// catalog's magnitude limit is reduced to the apparent place of date (proper motion for "bsc"
// and "sky", precession, nutation, aberration, each when its switch is on), turned into the
// chart's coordinate system, projected, and kept when it lands strictly inside the client
// rectangle.
#pragma once

#include <array>
#include <filesystem>
#include <span>
#include <string_view>
#include <variant>
#include <vector>

#include "astro/reductions.h"
#include "catalogs/catalog_records.h"
#include "catalogs/deepsky_records.h"
#include "base/obs_state.h"
#include "skychart/chart_projection.h"

namespace himlavy {

// --- Zone selection -----------------------------------------------------------------------------

inline constexpr char kZoneIn = 'i';
inline constexpr char kZoneOut = '-';

// The chart's zone flags of both zone sets (0 = never selected).
struct TZoneFlags {
  std::array<char, 50> Zones50{};
  std::array<char, 184> Zones184{};
};

// ClockJD outside this interval has the zone bounds precessed (with CorrPrecession on).
inline constexpr double kZonePrecessionFrom = 2300000.0;
inline constexpr double kZonePrecessionTo = 2600000.0;

// SamplingCount: the grid of n by n cells walked over each zone.
//   chartScale  the chart zoom
//   returns     1 for scale 1 and 2; 2 for 4 and 8; 4 for 16; 8 for 32; 16 for 64; 32 for
//               128; 64 for 256; 128 for 512; 200 for 1024 (and beyond)
int SamplingCount(int chartScale);

// ZoneInField: whether one zone touches the chart's field.
//   raStart, raEnd    right ascension bounds, degrees (the zone runs from raStart eastward to
//                     raEnd; raEnd may exceed 360)
//   decStart, decEnd  declination bounds, degrees, with their signs already changed for the
//                     southern polar chart
//   n                 SamplingCount of the zoom
//   view              the view; only systems 2 and 3 project anything
//   returns           true when one point of the (n+1) by (n+1) grid from the start corner in
//                     steps of (end - start) / n projects strictly inside the client rectangle:
//                     in system 2 with ProjectRect of the right ascension reduced into
//                     0..360 (so that a zone across the chart's seam, 12h with CentreDir 1,
//                     is walked over its own width), in system 3 with ProjectPolar (points
//                     south of the equator skipped); false in the other systems
bool ZoneInField(double raStart, double raEnd, double decStart, double decEnd, int n,
                 const TChartView& view);

// SelectZones: the flags of one zone set for the chart's field.
//   flags   one flag per zone (in/out); every flag becomes '-' or 'i'
//   zones   the zone definitions (ReadZoneDefinitions), zone n at index n - 1; zones beyond
//           flags.size() are ignored and a zone whose line is not valid stays '-'
//   state   CorrPrecession, ClockJD, JD_TT, Hemisphere
//   view    the view (CoordSystem, ChartZoom and the projection)
// Bounds in hundredths of an hour and of a degree become degrees (right ascension x 15 / 100,
// declination / 100). With CorrPrecession on and ClockJD below 2300000 or above 2600000 the
// two corners (start and end) are precessed from J2000.0 to JD_TT with PrecessRaDec, each
// right ascension kept within 180 degrees of its J2000.0 value (so that a bound of 0h or 24h
// does not jump across the seam). With CoordSystem 3 and Hemisphere 1 both declinations
// change sign. Systems other than 2 and 3 leave every flag '-'.
// Source: Meeus (1991), chapter 20 (precession).
void SelectZones(std::span<char> flags, std::span<const TZoneBounds> zones, const TObsState& state,
                 const TChartView& view);

// SelectZones50, SelectZones184: SelectZones for "fil50.dta" or "fil184.dta" read from
// `dataDir` (name matched without regard to case).
//   returns  false when the file cannot be opened; the flags are then left as they were
bool SelectZones50(TZoneFlags& flags, const std::filesystem::path& dataDir, const TObsState& state,
                   const TChartView& view);
bool SelectZones184(TZoneFlags& flags, const std::filesystem::path& dataDir, const TObsState& state,
                    const TChartView& view);

// --- Catalogs, their order and their limits ------------------------------------------------------

// CatalogIndex: the index of a catalog key in kCatalogs (the drawing order), or -1.
int CatalogIndex(std::string_view key);

// CatalogEnabled: whether the state's switch of a catalog (CatBSC, CatSKY, ...) is on.
//   catalog  index in kCatalogs
bool CatalogEnabled(const TObsState& state, int catalog);

// MagnitudeLimit: the faintest magnitude a catalog draws at a chart scale (for "lbn" the
// faintest brightness class). A record passes when its magnitude is at most the limit.
//   catalog     index in kCatalogs
//   chartScale  the chart zoom; columns 1, 2, 4, 8, 16 and 32 up to 1024
//   returns     "bsc", "sky", "wds": 5.0, 5.8, 6.9, 7.9, 9.0, 99; "gcvs": the same but 12.0
//               from 32; "pgc", "rc3", "ngc", "sac", "gpn", "ocl", "gcm": 12, 13, 14, 15, 19,
//               99; "lbn": 1, 1, 2, 3, 5, 6
double MagnitudeLimit(int catalog, int chartScale);

// CatalogZones: the zones a drawing reads of one catalog, in zone order.
//   catalog  index in kCatalogs
//   state    CoordSystem and the catalog switches
//   chartScale  the chart zoom
//   flags    the zone flags of this drawing
//   returns  nothing when the catalog is switched off. "pgc", "rc3", "sac" and every catalog
//            from "wds" on: only in systems 2 and 3, the zones flagged 'i' ("gcm": zone 1).
//            "bsc": in systems 2 and 3 below scale 8 the zones flagged 'i', from scale 8 none;
//            in systems 1, 4, 5, 6 all 50 zones; in system 0 none. "sky": in systems 2 and 3
//            from scale 8 the 184-zone flags 'i', otherwise none.
std::vector<int> CatalogZones(int catalog, const TObsState& state, int chartScale,
                              const TZoneFlags& flags);

// --- The record pipeline -------------------------------------------------------------------------

// A decoded record of any catalog; the alternative's index is the catalog's index in kCatalogs.
using TCatalogRecord =
    std::variant<TPgcRecord, TRc3Record, TBscRecord, TSkyRecord, TWdsRecord, TGcvsRecord,
                 TNgcRecord, TSacRecord, TGpnRecord, TLbnRecord, TOclRecord, TGcmRecord>;

// One catalog object that the drawing draws.
struct TCatalogObject {
  int Catalog = 0;        // index in kCatalogs
  int Zone = 0;           // zone number (from 1)
  TCatalogRecord Record;  // the record as stored
  int X = 0;              // pixel, strictly inside the client rectangle
  int Y = 0;
  double Magnitude = 0.0;  // the value compared with the limit (for "lbn" the class)
  double Alpha = 0.0;      // apparent right ascension of date, radians, [0, 2 pi)
  double Delta = 0.0;      // apparent declination of date, radians
  TChartCoords Coords;     // in the chart's system, degrees (horizontal: azimuth, altitude)
};

// CatalogApparentPlace: a catalog position of J2000.0 reduced to the apparent place of date.
//   alpha, delta        J2000.0 right ascension and declination, radians
//   pmAlpha, pmDelta    proper motion, 0.001 arcsecond per year (pass 0 for catalogs without)
//   moment              T and the nutation of the drawing, and the correction switches
//   returns             with ProperMotion on: alpha + pmAlpha / 1000 x 100 x 4.84813681109536e-6
//                       x T (no division by cos delta) and the same for delta; with
//                       Precession on: PrecessRaDec from J2000.0 to T; with Nutation on:
//                       NutationRaDec with the mean obliquity and the drawing's DEps, DPsi;
//                       with Aberration on: AberrationRaDec (with the e-terms) with the mean
//                       obliquity. Alpha reduced to [0, 2 pi).
// Source: Meeus (1991), chapters 20 (precession), 22 (nutation and aberration in right
// ascension and declination).
TEquatorial CatalogApparentPlace(double alpha, double delta, double pmAlpha, double pmDelta,
                                 const TChartMoment& moment);

// ReadCatalogZone: reads one zone file of a catalog and appends the objects it draws.
//   catalog         index in kCatalogs
//   zone            zone number (from 1); the file is ZoneFileName(catalog, zone) in dataDir
//   magnitudeLimit  MagnitudeLimit of the drawing
//   state           the correction switches (in); receives Obliquity, NutLon and NutObl (the
//                   mean obliquity and the nutation of the drawing) when CorrNutation is on
//                   and the file can be read
//   moment, view    the drawing's shared quantities and projection
//   out             the objects are appended in file order
//   returns         false when the file cannot be opened (skipped without a message)
// Each record: its position (right ascension and declination; "sac" floats in degrees) and
// magnitude (the catalog's magnitude field; "rc3" and "pgc" missing magnitudes as 99);
// dropped unless magnitude <= limit; CatalogApparentPlace (proper motion only for "bsc" and
// "sky"); ChartCoordinates; ProjectChartCoords; dropped unless the rounded point lies strictly
// inside the client rectangle.
bool ReadCatalogZone(int catalog, int zone, double magnitudeLimit, TObsState& state,
                     const TChartMoment& moment, const TChartView& view,
                     const std::filesystem::path& dataDir, std::vector<TCatalogObject>& out);

// The catalog objects of one drawing.
struct TCatalogDrawing {
  std::vector<TCatalogObject> Objects;  // in drawing order: catalog by catalog, zone by zone
  std::array<int, 12> Counts{};         // objects per catalog (index in kCatalogs)
};

// ChartCatalogObjects: the catalog step of a drawing: the zone flags (SelectZones50 when the
// system is 2 or 3 and any catalog is on, SelectZones184 when it is 2 or 3 and "sky" is on),
// then every catalog in order with its MagnitudeLimit over its CatalogZones.
//   state    the observation state (in/out: Obliquity, NutLon, NutObl as ReadCatalogZone)
//   view     the view of the drawing
//   flags    the chart's zone flags (in/out)
//   dataDir  the folder of the zone definition and zone files
TCatalogDrawing ChartCatalogObjects(TObsState& state, const TChartView& view, TZoneFlags& flags,
                                    const std::filesystem::path& dataDir);

}  // namespace himlavy
