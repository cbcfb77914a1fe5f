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
#include "base/obs_state.h"
#include "catalogs/catalog_records.h"
#include "catalogs/deepsky_records.h"
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

// SelectZones: the flags of one zone set for the chart's field.
//   flags   one flag per zone (in/out); every flag becomes '-' or 'i'
//   zones   the zone definitions (ReadZoneDefinitions), zone n at index n - 1; zones beyond
//           flags.size() are ignored and a zone whose line is not valid stays '-'
//   state   the moment (JD_TT, JD_UT) and the correction switches
//   view    the view (CoordSystem, ChartZoom, CentreDir, Hemisphere, offsets)
// Bounds in hundredths of an hour and of a degree become degrees (right ascension x 15 / 100,
// declination / 100). A zone is in when the places its stars can take at the date overlap the
// window's field: the zone's J2000.0 box widened by the largest stellar proper motion over the
// time from J2000.0 (with CorrProperMotion on), precessed to the date along its edges (with
// CorrPrecession on), widened by 0.1 degree for nutation and aberration; the field is the
// right ascension and declination the window shows (system 2: its two ranges; system 3: the
// declinations between the nearest and farthest point of the window from the pole, the right
// ascensions its corners subtend), with a margin of two pixels. No star inside the field is
// left out, whatever the date. Systems other than 2 and 3 leave every flag '-'.
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
//   skyInstalled  whether the "sky" zone files are there
//   returns  nothing when the catalog is switched off. "pgc", "rc3", "sac" and every catalog
//            from "wds" on: only in systems 2 and 3, the zones flagged 'i' ("gcm": zone 1).
//            "bsc": in systems 2 and 3 the zones flagged 'i', except from scale 8 on while
//            "sky" is switched on and installed (it takes the stars over there); in systems
//            1, 4, 5, 6 all 50 zones; in system 0 none. "sky": in systems 2 and 3 from scale
//            8 the 184-zone flags 'i', otherwise none.
std::vector<int> CatalogZones(int catalog, const TObsState& state, int chartScale,
                              const TZoneFlags& flags, bool skyInstalled = true);

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

// Whether the chart keeps what it computed for one drawing for the next (the apparent places
// of the zones at the same moment, the zones of the date): on from the start; switched off
// only to compare the pictures drawn with and without.
void SetChartShortcuts(bool on);
bool ChartShortcuts();

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

// The parts of CatalogApparentPlace that depend on the moment alone, for reducing a zone:
// CatalogApparentPlace with them gives the same numbers.
struct TCatalogReduction {
  TPrecessionMoment Precession;
  TNutationMoment Nutation;
  TAberrationMoment Aberration;
};
TCatalogReduction CatalogReduction(const TChartMoment& moment);
TEquatorial CatalogApparentPlace(double alpha, double delta, double pmAlpha, double pmDelta,
                                 const TChartMoment& moment, const TCatalogReduction& reduction);

// PlaceDriftBound: how far, at most, any place of CatalogApparentPlace (and any constellation
// or name point reduced the same way) moves between two moments in the coordinates of the
// chart systems 1, 2, 3 and 6, measured as an angle on the sky, arc seconds.
//   jdA, jdB  the two moments, Julian days TT
// The sum of the reductions' speeds of ReductionDriftRates at the larger |T| of the two, the
// precession and the nutation counted twice (the galactic system turns places of date back to
// J2000.0 axes, the ecliptic system turns them by the obliquity of date), the mean obliquity's
// 0.5"/yr, and the largest proper motion in each coordinate; times |jdB - jdA|, and 1 % more
// for the cross terms (each reduction also moves with the place it is applied to, by 1e-4 of
// the motion).
double PlaceDriftBound(double jdA, double jdB);

// KeptApparentPlaces: CatalogApparentPlace without proper motion of each J2000.0 position
// (right ascension, declination in radians), kept under `owner` (the address of the list the
// positions come from) for the next call with the same positions at the same moment, so that
// a series of pans and zooms reduces the constellations and names once.
std::vector<TEquatorial> KeptApparentPlaces(const void* owner,
                                            std::span<const std::array<double, 2>> positions,
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
