// Star catalog files: the catalog keys and their zone files, the records of the star catalogs
// "bsc", "sky", "wds" and "gcvs", the zone definition files "fil50.dta" and "fil184.dta" and
// the name files "Stjanamn.dta" and "Objnamn.dta".
//
// A zone file is a plain sequence of fixed-size records, little-endian, packed, with no header;
// its record count is the file size divided by the record size (a trailing partial record is
// not read). Character fields are Windows-1252, blank-padded, not terminated; the decoded
// structs keep them as stored (raw bytes, full width). Positions are for equinox and epoch
// J2000.0 in units of 0.00001 degree; magnitudes and colour indices in hundredths.
//
// Readers never trust a file: a file that cannot be opened gives std::nullopt, a record that is
// too short is not decoded, a record whose position lies outside the sky is skipped quietly,
// and no file is read past kMaxZoneRecords records or kMaxTextLines lines.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace himlavy {

// --- Catalog keys and zone files ---------------------------------------------------------------

// One catalog: its key ("bsc"), zone directory ("bsc2000"), number of zones, digits of the
// zone number in the file name, record size in bytes and readout title.
struct TCatalogInfo {
  std::string_view Key;
  std::string_view Directory;
  int Zones;
  int ZoneDigits;
  std::size_t RecordBytes;
  std::string_view Title;
};

// The twelve catalogs in drawing order.
inline constexpr std::array<TCatalogInfo, 12> kCatalogs = {{
    {"pgc", "pgc2000", 50, 2, 44, "Catalogue of Principal Galaxies:"},
    {"rc3", "rc32000", 50, 2, 64, "Third Reference Cat. of Bright Galaxies:"},
    {"bsc", "bsc2000", 50, 2, 52, "The Bright Star Catalogue:"},
    {"sky", "sky2000", 184, 3, 40, "SKY2000 - Master Star Catalog:"},
    {"wds", "wds2000", 50, 2, 52, "The Washington Visual Double Star Catalog:"},
    {"gcvs", "gcvs2000", 50, 2, 44, "Combined General Catalog of Variable Stars:"},
    {"ngc", "ngc2000", 50, 2, 76, "NGC 2000.0:"},
    {"sac", "sac2000", 50, 2, 204, "Saguaro Astronomy Club Database:"},
    {"gpn", "gpn2000", 50, 2, 56, "Strasbourg-ESO Catalogue of Galactic Planetary Nebulae:"},
    {"lbn", "lbn2000", 50, 2, 32, "Lynds' Catalogue of Bright Nebulae:"},
    {"ocl", "ocl2000", 50, 2, 32, "Open Cluster Data 5th Edition:"},
    {"gcm", "gcm2000", 1, 2, 48, "Globular Clusters in the Milky Way:"},
}};

// FindCatalog: the catalog of a key.
//   key      "bsc", "sky", ... (exact, lower case)
//   returns  its entry in kCatalogs, or nullptr for an unknown key
const TCatalogInfo* FindCatalog(std::string_view key);

// ZoneFileName: the name of a zone file, directory + zone number with leading zeros + ".dat",
// with '/' for the backslash: zone 7 of "bsc" is "bsc2000/07.dat", zone 7 of "sky"
// "sky2000/007.dat", zone 123 of "sky" "sky2000/123.dat".
//   catalog  the catalog
//   zone     zone number (from 1)
//   returns  the name relative to the working directory
std::string ZoneFileName(const TCatalogInfo& catalog, int zone);

// No zone file is read past this many records (the largest real zone holds under 10 000).
inline constexpr std::size_t kMaxZoneRecords = 1000000;

// ReadZoneFile: reads a zone file record by record.
//   path         the file
//   recordBytes  the catalog's record size (> 0)
//   onRecord     called with the bytes of each whole record (exactly recordBytes long), in
//                file order; at most kMaxZoneRecords calls
//   returns      the number of records handed over, or std::nullopt when the file cannot be
//                opened (or recordBytes is 0). A trailing partial record is not handed over.
std::optional<std::size_t> ReadZoneFile(const std::filesystem::path& path, std::size_t recordBytes,
                                        const std::function<void(std::string_view)>& onRecord);

// --- Stored units ------------------------------------------------------------------------------

// A stored right ascension or declination (0.00001 degree) in degrees.
inline double StoredDegrees(std::int32_t value) {
  return value / 100000.0;
}

// A stored magnitude, colour index or other hundredths field as a number.
inline double Hundredths(std::int32_t value) {
  return value / 100.0;
}

// The stored value of an unknown magnitude or colour index in "bsc" (99.00).
inline constexpr std::int16_t kUnknownMagnitude = 9900;

// The stored value of a missing year, angle, separation or magnitude in "wds".
inline constexpr std::int16_t kWdsMissing = -999;

// IsOnSky: whether a stored position lies on the sky: right ascension in
// [0, 36 000 000] and declination in [-9 000 000, 9 000 000] (units of 0.00001 degree).
bool IsOnSky(std::int32_t ra, std::int32_t dec);

// FieldText: a stored character field without its trailing blanks (still Windows-1252).
std::string_view FieldText(std::string_view field);

// --- "bsc": the Bright Star Catalogue, 52-byte records
// --------------------------------------------

inline constexpr std::size_t kBscRecordBytes = 52;

// One "bsc" record (units as stored).
struct TBscRecord {
  std::uint32_t HD = 0;        // 0: HD number, 0 = none
  std::uint32_t HR = 0;        // 4: Bright Star (HR) number, 0 = none
  std::int32_t RA = 0;         // 8: right ascension J2000, 0.00001 degree
  std::int32_t Dec = 0;        // 12: declination J2000, 0.00001 degree
  std::int16_t PmRA = 0;       // 16: proper motion in right ascension, 0.001"/yr
  std::int16_t PmDec = 0;      // 18: proper motion in declination, 0.001"/yr
  std::int16_t Mag = 0;        // 20: visual magnitude, hundredths
  std::int16_t BV = 0;         // 22: colour index B-V, hundredths; 9900 = unknown
  std::string Constellation;   // 24: char[3], constellation abbreviation
  std::uint8_t Flamsteed = 0;  // 27: Flamsteed number, 0 = none
  std::string Bayer;           // 28: char[4], Bayer letter and index digit ("Alp1", "Alp ")
  std::string SpectralClass;   // 32: char[20]
};

// DecodeBscRecord: one "bsc" record from its bytes.
//   bytes    at least kBscRecordBytes bytes (more are ignored)
//   returns  the record, or std::nullopt when bytes is shorter than a record
std::optional<TBscRecord> DecodeBscRecord(std::string_view bytes);

// --- "sky": the master star catalogue, 40-byte records
// --------------------------------------------

inline constexpr std::size_t kSkyRecordBytes = 40;

// One "sky" record (units as stored).
struct TSkyRecord {
  std::int32_t RA = 0;           // 0: right ascension J2000, 0.00001 degree
  std::int32_t Dec = 0;          // 4: declination J2000, 0.00001 degree
  std::int16_t Mag = 0;          // 8: visual magnitude, hundredths
  std::int16_t BV = 0;           // 10: colour index B-V, hundredths
  std::int16_t MagDiff = 0;      // 12: magnitude difference of a double star, hundredths
  std::int16_t PmRA = 0;         // 14: proper motion in right ascension, 0.001"/yr
  std::int16_t PmDec = 0;        // 16: proper motion in declination, 0.001"/yr
  std::uint16_t Separation = 0;  // 18: separation of a double star, 0.01"
  std::string SpectralClass;     // 20: char[3]
  std::string IdText;            // 23: char[2], identification ("HI" Hipparcos, "TY" Tycho)
  std::int32_t IdNumber = 0;     // 28: identification number (Hipparcos number, 0 = none)
  std::uint32_t HD = 0;          // 32: HD number, 0 = none
  std::uint32_t SAO = 0;         // 36: SAO number, 0 = none
};

// DecodeSkyRecord: one "sky" record from its bytes.
//   bytes    at least kSkyRecordBytes bytes
//   returns  the record, or std::nullopt when bytes is shorter than a record
std::optional<TSkyRecord> DecodeSkyRecord(std::string_view bytes);

// --- "wds": the Washington Double Star Catalog, 52-byte records
// ------------------------------------

inline constexpr std::size_t kWdsRecordBytes = 52;

// One "wds" record (units as stored; kWdsMissing = missing).
struct TWdsRecord {
  std::int32_t RA = 0;           // 0: right ascension J2000, 0.00001 degree
  std::int32_t Dec = 0;          // 4: declination J2000, 0.00001 degree
  std::uint32_t DM = 0;          // 8: DM (BD) number, 0 = none
  std::int16_t Year1 = 0;        // 12: first year of observation
  std::int16_t Year2 = 0;        // 14: last year of observation
  std::int16_t PosAngle1 = 0;    // 16: first position angle, degrees
  std::int16_t PosAngle2 = 0;    // 18: last position angle, degrees
  std::int16_t Separation1 = 0;  // 20: first separation, 0.01"
  std::int16_t Separation2 = 0;  // 22: last separation, 0.01"
  std::int16_t Mag1 = 0;         // 24: magnitude of the primary, hundredths
  std::int16_t Mag2 = 0;         // 26: magnitude of the secondary, hundredths
  std::string Discoverer;        // 28: char[7], discoverer code and number ("STF2272")
  std::string Components;        // 35: char[5]
  std::string SpectralClass;     // 40: char[9]
  std::string Note;              // 49: char[2]
};

// DecodeWdsRecord: one "wds" record from its bytes.
//   bytes    at least kWdsRecordBytes bytes
//   returns  the record, or std::nullopt when bytes is shorter than a record
std::optional<TWdsRecord> DecodeWdsRecord(std::string_view bytes);

// --- "gcvs": the General Catalogue of Variable Stars, 44-byte records
// ------------------------------

inline constexpr std::size_t kGcvsRecordBytes = 44;

// Photometric systems of the "gcvs" records by their code (index); code 0 = not given.
inline constexpr std::array<std::string_view, 17> kGcvsPhotometricSystems = {
    "", "V", "p", "B", "U", "R", "I", "J", "H", "K", "Hp", "b", "v", "y", "Y", "T", "*"};

// One "gcvs" record (units as stored).
struct TGcvsRecord {
  std::int32_t RA = 0;                 // 0: right ascension J2000, 0.00001 degree
  std::int32_t Dec = 0;                // 4: declination J2000, 0.00001 degree
  std::int32_t StarNumber = 0;         // 8: GCVS number (constellation * 10000 + star), 0 = none
  float Period = 0.0f;                 // 12: period in days, 0 = none
  std::int16_t MagMax = 0;             // 16: magnitude at maximum, hundredths
  std::int16_t MagMin = 0;             // 18: magnitude at minimum, hundredths; 9900 = none
  char MaxFlag = ' ';                  // 20: flag written after the maximum
  char MinFlag = ' ';                  // 21: flag written after the minimum
  std::uint8_t PhotometricSystem = 0;  // 22: code, see kGcvsPhotometricSystems
  std::string Name;                    // 23: char[10], GCVS name ("R And", "del Cep")
  std::string VarType;                 // 33: char[10], variability type
};

// DecodeGcvsRecord: one "gcvs" record from its bytes.
//   bytes    at least kGcvsRecordBytes bytes
//   returns  the record, or std::nullopt when bytes is shorter than a record
std::optional<TGcvsRecord> DecodeGcvsRecord(std::string_view bytes);

// --- Whole zone files of the star catalogs
// ----------------------------------------------------------

// ReadBscZone, ReadSkyZone, ReadWdsZone, ReadGcvsZone: every record of a zone file of the
// catalog, in file order, skipping records whose position is not on the sky (IsOnSky).
//   path     the zone file
//   returns  the records, or std::nullopt when the file cannot be opened
std::optional<std::vector<TBscRecord>> ReadBscZone(const std::filesystem::path& path);
std::optional<std::vector<TSkyRecord>> ReadSkyZone(const std::filesystem::path& path);
std::optional<std::vector<TWdsRecord>> ReadWdsZone(const std::filesystem::path& path);
std::optional<std::vector<TGcvsRecord>> ReadGcvsZone(const std::filesystem::path& path);

// --- Zone definition files
// ---------------------------------------------------------------------------

// No text file of this module is read past this many lines.
inline constexpr std::size_t kMaxTextLines = 100000;

// One line of "fil50.dta" or "fil184.dta": the bounds of a zone in the file's units.
struct TZoneBounds {
  double RaStart = 0.0;   // columns 5-8: right ascension where the zone begins, 0.01 hour
  double RaEnd = 0.0;     // columns 10-13: where it ends, 0.01 hour
  double DecStart = 0.0;  // columns 15-19: declination where it begins, 0.01 degree
  double DecEnd = 0.0;    // columns 21-25: where it ends, 0.01 degree
  bool Valid = false;     // false when a value is missing or not a number
};

// ReadZoneDefinitions: the zones of a zone definition file, one per line in zone order.
//   path     "fil50.dta" or "fil184.dta"
//   returns  one entry per line (line n = zone n; only the first 25 characters of a line are
//            read; each value is a decimal number, blanks around it allowed). A line whose
//            values cannot all be read keeps its place with Valid false, so later zones keep
//            their numbers. std::nullopt when the file cannot be opened.
std::optional<std::vector<TZoneBounds>> ReadZoneDefinitions(const std::filesystem::path& path);

// --- Name files
// ----------------------------------------------------------------------------------------

// Name widths: 19 characters in "Stjanamn.dta", 22 in "Objnamn.dta".
inline constexpr std::size_t kStarNameWidth = 19;
inline constexpr std::size_t kObjectNameWidth = 22;

// One line of a name file.
struct TNameEntry {
  double RaHours = 0.0;     // right ascension J2000, hours
  double DecDegrees = 0.0;  // declination J2000, degrees
  std::string Name;         // UTF-8
};

// ReadNameFile: the names of "Stjanamn.dta" or "Objnamn.dta".
//   path       the file
//   nameWidth  kStarNameWidth or kObjectNameWidth
//   returns    the entries in file order, or std::nullopt when the file cannot be opened.
//              At most 37 characters of a line are read: columns 1-6 right ascension, hours
//              and minutes ("0645.1", read as ParseDegMin reads it), columns 8-12 declination,
//              sign, degrees and minutes ("-1643", as ParseSignedDegMin), the name from
//              column 14, at most nameWidth characters, up to the first two consecutive
//              blanks. A line is skipped quietly when a coordinate is not a number or is out
//              of range (hours >= 24, degrees > 90, minutes >= 60) or the name is empty.
std::optional<std::vector<TNameEntry>> ReadNameFile(const std::filesystem::path& path,
                                                    std::size_t nameWidth);

}  // namespace himlavy
