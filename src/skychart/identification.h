// What the mouse finds on the sky chart: the identification tables that every drawing fills
// with the objects it drew, the search under the cursor, the readout texts of the catalog
// records, and the cross-hair coordinates.
//
// The drawing registers each object at its pixel; the mouse handler only searches. Bodies of
// the solar system and minor bodies come with their readout lines already composed; catalog
// objects are kept as their decoded records and formatted only when the cursor finds one, so
// that a drawing of many thousand stars spends no time on texts nobody reads.
//
// Texts are UTF-8; lines of a readout are joined by "\n".
#pragma once

#include <array>
#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/basic.h"
#include "base/obs_state.h"
#include "skychart/chart_projection.h"
#include "skychart/zone_selection.h"

namespace himlavy {

// --- Capacities --------------------------------------------------------------------------------

inline constexpr int kBodyCount = 15;
inline constexpr int kMinorCapacity = 3000;
inline constexpr int kStarNameCapacity = 600;
inline constexpr int kDeepSkyNameCapacity = 300;

// Entries per catalog table, by index in kCatalogs ("pgc", "rc3", "bsc", "sky", "wds", "gcvs",
// "ngc", "sac", "gpn", "lbn", "ocl", "gcm").
inline constexpr std::array<int, 12> kCatalogCapacities = {4000, 3000, 3000, 3000, 3000, 2000,
                                                           3000, 4000, 500,  500,  1000, 500};

// The bodies of the solar system by their entry index, each stored with a leading blank.
inline constexpr std::array<std::string_view, kBodyCount> kBodyNames = {
    " Solen",    " Merkurius", " Venus", " Jorden", " Mars",   " Jupiter",   " Saturnus", " Uranus",
    " Neptunus", " Pluto",     " Månen", " Io",     " Europa", " Ganymedes", " Callisto"};

// Field sizes in characters.
inline constexpr std::size_t kBodyLine1Chars = 50;
inline constexpr std::size_t kBodyLine2Chars = 25;
inline constexpr std::size_t kBodyLine3Chars = 25;
inline constexpr std::size_t kBodyLine4Chars = 30;
inline constexpr std::size_t kBodyLine5Chars = 60;
inline constexpr std::size_t kBodyRightChars = 130;
inline constexpr std::size_t kMinorNameChars = 29;
inline constexpr std::array<std::size_t, 5> kMinorLineChars = {60, 15, 20, 30, 15};
inline constexpr std::size_t kStarLabelChars = 19;
inline constexpr std::size_t kDeepSkyLabelChars = 22;

// The position of a body that is not on the chart (it can never be hit).
inline constexpr int kNoPixel = -100;

// --- Entries -----------------------------------------------------------------------------------

// A body of the solar system: two x positions (either may match; system 0 draws each body in
// both panes) and one y, its name and its readout lines.
struct TBodyEntry {
  int X1 = kNoPixel;
  int X2 = kNoPixel;
  int Y = kNoPixel;
  std::string Name;   // empty: the body's own name of kBodyNames
  std::string Line1;  // 50 characters
  std::string Line2;  // 25
  std::string Line3;  // 25
  std::string Line4;  // 30
  std::string Line5;  // 60
  std::string Right;  // 130, the right-hand table
};

// One body of an element file as kept between drawings (chart_minor.cpp).
struct TCachedMinorBody;

// What the readout lines of a minor body are made from (MinorReadoutLines in chart_minor.h):
// kept with the body, so that the lines are written only when the mouse points at it.
struct TMinorReadout {
  std::shared_ptr<const TCachedMinorBody> Body;  // null: five empty lines
  int Group = 0;                                 // 1..5
  double R = 0.0;                                // from the central body, AU
  double Delta = 0.0;                            // from the Earth, AU
  TVector3 Helio;                                // heliocentric and geocentric vectors, AU
  TVector3 Geo;
};

// A minor body (asteroid, comet, space probe).
struct TMinorEntry {
  int X = 0;
  int Y = 0;
  std::string Name;       // up to two consecutive blanks, 29 characters
  TMinorReadout Readout;  // its lines cut to 60, 15, 20, 30, 15 characters when shown
};

// A star or deep-sky name label.
struct TLabelEntry {
  int X = 0;
  int Y = 0;
  std::string Name;  // 19 (stars) or 22 (deep-sky objects) characters
};

// A catalog object: its pixel and its record as stored.
struct TCatalogEntry {
  int X = 0;
  int Y = 0;
  TCatalogRecord Record;
};

// One table of entries with a fixed capacity. Its room is reserved once, on the first entry;
// entries past the capacity are refused. Emptying keeps the entries' storage for reuse.
template <typename TEntry>
class TIdentTable {
 public:
  explicit TIdentTable(int capacity = 0) : capacity_(capacity) {}

  int Capacity() const { return capacity_; }
  int Count() const { return count_; }
  void Clear() { count_ = 0; }
  const TEntry& operator[](int i) const { return entries_[static_cast<std::size_t>(i)]; }

  // The slot of the next entry, or nullptr when the table is full.
  TEntry* Next() {
    if (count_ >= capacity_) return nullptr;
    if (entries_.capacity() == 0) entries_.reserve(static_cast<std::size_t>(capacity_));
    if (static_cast<std::size_t>(count_) == entries_.size()) entries_.emplace_back();
    return &entries_[static_cast<std::size_t>(count_++)];
  }

 private:
  int capacity_;
  int count_ = 0;
  std::vector<TEntry> entries_;
};

// --- The tables of one picture -----------------------------------------------------------------

// The identification tables of the last picture drawn.
class TIdentTables {
 public:
  TIdentTables();

  // Clear: empties every table (counts to 0) and takes every body off the chart (ResetBodies),
  // so that a body not drawn in the new picture cannot be found. Called at the start of each
  // full drawing and each draw cycle.
  void Clear();

  // ResetBodies: sets both x positions and the y of every body to -100 (not on the chart);
  // names and lines are kept. Called before the planets are drawn.
  void ResetBodies();

  // RegisterBody: fills a body's entry.
  //   index    0 (Sun) .. 14 (Callisto), as kBodyNames
  //   entry    the pixel positions and texts; each text is cut to its size in characters; an
  //            empty Name keeps the body's own name; "\r\n" in a line becomes "\n"
  //   returns  false for an index outside 0..14
  bool RegisterBody(int index, const TBodyEntry& entry);

  // RegisterMinor: appends a minor body.
  //   x, y     pixel
  //   name     the name field; cut at its first two consecutive blanks, then to 29 characters,
  //            trailing blanks dropped
  //   readout  what its five readout lines are made from
  //   returns  false when the table is full (3000)
  bool RegisterMinor(int x, int y, std::string_view name, TMinorReadout readout);

  // RegisterStarName, RegisterDeepSkyName: appends a name label (cut to 19 or 22 characters).
  //   returns  false when the table is full (600 or 300)
  bool RegisterStarName(int x, int y, std::string_view name);
  bool RegisterDeepSkyName(int x, int y, std::string_view name);

  // RegisterCatalog: appends a catalog object.
  //   catalog  index in kCatalogs; must equal record.index()
  //   x, y     pixel
  //   record   the record as stored
  //   returns  false when the table is full (kCatalogCapacities) or the catalog does not match
  bool RegisterCatalog(int catalog, int x, int y, const TCatalogRecord& record);

  // The star and deep-sky name labels registered so far, and the same put back (a draw cycle
  // that reuses the names of the cycle before registers them this way).
  struct TNameTables {
    TIdentTable<TLabelEntry> Stars;
    TIdentTable<TLabelEntry> DeepSky;
  };
  TNameTables Names() const { return {starNames_, deepSkyNames_}; }
  void SetNames(const TNameTables& names) {
    starNames_ = names.Stars;
    deepSkyNames_ = names.DeepSky;
  }

  // Entries registered so far.
  int MinorCount() const { return minor_.Count(); }
  int StarNameCount() const { return starNames_.Count(); }
  int DeepSkyNameCount() const { return deepSkyNames_.Count(); }
  int CatalogCount(int catalog) const;

  const std::array<TBodyEntry, kBodyCount>& Bodies() const { return bodies_; }
  const TIdentTable<TMinorEntry>& Minor() const { return minor_; }
  const TIdentTable<TLabelEntry>& StarNames() const { return starNames_; }
  const TIdentTable<TLabelEntry>& DeepSkyNames() const { return deepSkyNames_; }
  const TIdentTable<TCatalogEntry>& Catalog(int catalog) const {
    return catalogs_[static_cast<std::size_t>(catalog)];
  }

 private:
  std::array<TBodyEntry, kBodyCount> bodies_;
  TIdentTable<TMinorEntry> minor_{kMinorCapacity};
  TIdentTable<TLabelEntry> starNames_{kStarNameCapacity};
  TIdentTable<TLabelEntry> deepSkyNames_{kDeepSkyNameCapacity};
  std::array<TIdentTable<TCatalogEntry>, 12> catalogs_;
};

// --- The search --------------------------------------------------------------------------------

// The readout of the chart window: the name panel and the two tables.
struct TReadout {
  std::string ObjectName;  // the name of the object
  std::string Left;        // the left table
  std::string Right;       // the right table
  bool operator==(const TReadout&) const = default;
};

// IsHit: whether an entry at (ex, ey) lies in the 6 by 6 pixel box of the cursor (x, y):
// x - 3 <= ex < x + 3 and y - 3 <= ey < y + 3.
constexpr bool IsHit(int ex, int ey, int x, int y) {
  return x - 3 <= ex && ex < x + 3 && y - 3 <= ey && ey < y + 3;
}

// The catalogs in the order the search visits them, as indices in kCatalogs: "bsc", "sky",
// "wds", "gcvs", "ngc", "pgc", "sac", "rc3", "gpn", "lbn", "ocl", "gcm".
extern const std::array<int, 12> kIdentSearchOrder;

// SearchIdentification: the readout for the cursor at (x, y).
//   tables     the tables of the last picture
//   state      the catalog switches (CatBSC, CatSKY, ...)
//   chartZoom  the chart zoom ("sky" is searched only from zoom 8, with CatSKY on)
//   x, y       the cursor, pixels
//   dataDir    the folder of "stjabild.dta" (constellation names of a "bsc" star)
//   beeped     when given, set to true when a "bsc" star was found and "stjabild.dta" could not
//              be read (the caller sounds the system's question beep); left alone otherwise
//   returns    the readout. The tables are searched in the order bodies (Sun to Callisto),
//              minor bodies, star names, deep-sky names, then the enabled catalogs in
//              kIdentSearchOrder, each up to its count (at most its capacity); every hit
//              overwrites, so the last one stays. The bodies start the readout empty: no body
//              under the cursor leaves all three texts empty before the other tables are
//              searched. A body gives all three (ObjectName its name without the leading blank,
//              Left its five lines, Right its text); a minor body ObjectName and Left (Right
//              empty); a name label ObjectName only; a catalog object Left and Right only
//              (CatalogReadout).
TReadout SearchIdentification(const TIdentTables& tables, const TObsState& state, int chartZoom,
                              int x, int y, const std::filesystem::path& dataDir,
                              bool* beeped = nullptr);

// --- Catalog readouts --------------------------------------------------------------------------

// The two tables of a catalog object.
struct TCatalogReadout {
  std::string Left;   // identity: title, position, numbers, designations
  std::string Right;  // physical values
  bool operator==(const TCatalogReadout&) const = default;
};

// ConstellationNames: the names of a constellation for the "bsc" readout, from the last line
// of "stjabild.dta" whose abbreviation matches.
//   abbreviation  "Lyr" (trailing blanks ignored)
//   dataDir       the folder of "stjabild.dta" (name matched without regard to case)
//   returns       the first name, "\n", the second name, each without trailing blanks; "" when
//                 no line matches; std::nullopt when the file cannot be opened
std::optional<std::string> ConstellationNames(std::string_view abbreviation,
                                              const std::filesystem::path& dataDir);

// CatalogReadout: the readout texts of a catalog record. Right ascension with FormatHMS and
// declination with FormatDMS (the catalog's J2000.0 values). An empty field stands for a value
// the record lacks: a number 0, a magnitude or colour index of 99.00, the catalog's missing
// value (-9990 in the deep-sky records, -999 in "wds", 255 for a position angle); its unit
// is then left out too.
//   "bsc"   Left: title; "R.A.2000="; "Dekl.2000="; Flamsteed number, blank, Bayer letter,
//           blank, constellation abbreviation; the constellation's two names (two lines, or
//           one empty line when "stjabild.dta" cannot be read or has no match); "HD ";
//           "BS ". Right: "Magnitud="; "Färgindex="; "Spektralklass="; the proper motions
//           "Egenrörelse,R.A.=        " and "Egenrörelse,dekl.=        " in arcseconds per
//           year with '"' and "/år".
//   others  Left: title, "R.A.2000=", "Dekl.2000=", then the catalog's numbers and
//           designations; Right: its physical values; each pane keeps the order of the
//           catalog's labels.
//   dataDir  the folder of "stjabild.dta"
//   beeped   when given, set to true when a "bsc" record needs "stjabild.dta" and it cannot
//            be read
TCatalogReadout CatalogReadout(const TCatalogRecord& record, const std::filesystem::path& dataDir,
                               bool* beeped = nullptr);

// --- Cross-hair coordinates --------------------------------------------------------------------

// CrossHairText: the coordinates under the cursor for the cross-hair panel, the longitude-like
// text, " / " and the latitude-like text.
//   view   the view of the last picture
//   x, y   the cursor, pixels
//   returns  systems 1 and 6 longitude and latitude (FormatDMS), 2 right ascension (FormatHMS)
//            and declination (FormatDMS), 4 azimuth from the south, westward, 0..360, and
//            altitude (FormatDMS), all by InverseRect; 3 right ascension and declination, 5
//            azimuth and altitude, by InversePolar, std::nullopt beyond 90 (3) or 165 (5)
//            degrees from the pole; system 0 the heliocentric ecliptic x and y in AU from the
//            centre of the ecliptic-plane pane, "X=" x "a.e. / Y=" y "a.e.", or for x >= 691
//            the height in the side view, "Z=" z "a.e.", four decimals
std::optional<std::string> CrossHairText(const TChartView& view, int x, int y);

}  // namespace himlavy
