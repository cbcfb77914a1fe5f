// Deep-sky catalog files: the records of "ngc", "rc3", "pgc", "sac", "gpn", "lbn", "ocl" and
// "gcm", the magnitude each one offers the chart's limit test, and the texts of the deep-sky
// type codes.
//
// The zone files are read as those of the star catalogs (catalog_records.h): plain sequences
// of fixed-size records, little-endian, packed, no header; a trailing partial record is not
// read. Character fields are Windows-1252, blank-padded, not terminated, and are kept as
// stored (raw bytes, full width); the length-prefixed texts of "sac" are kept as their
// characters only. Positions are J2000.0 in units of 0.00001 degree, except "sac", which stores
// right ascension and declination in degrees as 32-bit floats.
//
// Values the data files cannot give (see data/SOURCES.md) are written as kDeepSkyMissing
// (-9990) in the 16- and 32-bit number fields, and an unknown magnitude in a field that the
// limit test reads directly ("ngc", "gpn", "ocl", "gcm") as 99.00, so that such an object is
// drawn only when the limit is 99, as a missing "rc3" or "pgc" magnitude is.
//
// Readers never trust a file: a record that is too short is not decoded, a record whose
// position lies outside the sky (or, in "sac", is not a finite number) is skipped quietly, a
// length byte larger than its field is cut to the field.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogs/catalog_records.h"

namespace himlavy {

// A value that the source lacks, in the 16- and 32-bit number fields of the deep-sky records.
inline constexpr std::int16_t kDeepSkyMissing = -9990;

// The magnitude a missing "rc3" or "pgc" magnitude becomes on reading.
inline constexpr double kMissingMagnitude = 99.0;

// --- "ngc": NGC 2000.0, 76-byte records ---------------------------------------------------------

inline constexpr std::size_t kNgcRecordBytes = 76;

// One "ngc" record (units as stored).
struct TNgcRecord {
  std::int32_t RA = 0;        // 0: right ascension J2000, 0.00001 degree
  std::int32_t Dec = 0;       // 4: declination J2000, 0.00001 degree
  std::int16_t Number = 0;    // 8: NGC or IC number
  char Catalog = ' ';         // 10: 'I' = IC, anything else NGC
  std::string Type;           // 11: char[3], type code (" Gx", " OC", "C+N", ...)
  char MagFlag = ' ';         // 15: 'P' = photographic magnitude
  std::int16_t Mag = 0;       // 16: magnitude, hundredths; 9900 = unknown
  std::int16_t Size = 0;      // 18: size, 0.1 arcminute; 0 = unknown
  std::string Constellation;  // 20: char[3]
  std::string Description;    // 23: char[50]

  bool IsIC() const { return Catalog == 'I'; }
};

// DecodeNgcRecord: one "ngc" record from its bytes.
//   bytes    at least kNgcRecordBytes bytes (more are ignored)
//   returns  the record, or std::nullopt when bytes is shorter than a record
std::optional<TNgcRecord> DecodeNgcRecord(std::string_view bytes);

// --- "rc3": Third Reference Catalogue of Bright Galaxies, 64-byte records
// -----------------------------

inline constexpr std::size_t kRc3RecordBytes = 64;

// The "rc3" position angle that means none.
inline constexpr std::uint8_t kNoPositionAngle = 255;

// One "rc3" record (units as stored; kDeepSkyMissing = missing in every number field but PosAngle).
struct TRc3Record {
  std::int32_t RA = 0;              // 0: right ascension J2000, 0.00001 degree
  std::int32_t Dec = 0;             // 4: declination J2000, 0.00001 degree
  std::int32_t RadialVelocity = 0;  // 8: cz, km/s
  std::string PGC;                  // 12: char[8], PGC number as text
  std::string Name;                 // 20: char[14]
  std::string Type;                 // 34: char[7], morphological type
  std::uint8_t PosAngle = 0;        // 41: position angle of the major axis, degrees; 255 = none
  std::int16_t HubbleStage = 0;     // 42: 0.1
  std::int16_t LumClass = 0;        // 44: luminosity class, 0.1
  std::int16_t LogD25 = 0;          // 46: log10(major axis in 0.1'), hundredths
  std::int16_t LogR25 = 0;          // 48: log10(major/minor axis), hundredths
  std::int16_t LogAe = 0;           // 50: log10(central diameter in 0.1'), hundredths
  std::int16_t MagB = 0;            // 52: total B magnitude, hundredths
  std::int16_t ColourTotal = 0;     // 54: total colour index B-V, hundredths
  std::int16_t ColourCentral = 0;   // 56: central colour index, hundredths
  std::int16_t Mag1 = 0;            // 58: a further magnitude (V), hundredths
  std::int16_t Mag2 = 0;            // 60: a further magnitude, hundredths
};

// DecodeRc3Record: one "rc3" record from its bytes.
//   bytes    at least kRc3RecordBytes bytes
//   returns  the record, or std::nullopt when bytes is shorter than a record
std::optional<TRc3Record> DecodeRc3Record(std::string_view bytes);

// --- "pgc": Catalogue of Principal Galaxies, 44-byte records
// ------------------------------------------

inline constexpr std::size_t kPgcRecordBytes = 44;

// One "pgc" record (units as stored; kDeepSkyMissing = missing in every number field).
struct TPgcRecord {
  std::uint32_t PGC = 0;            // 0: PGC number
  std::int32_t RA = 0;              // 4: right ascension J2000, 0.00001 degree
  std::int32_t Dec = 0;             // 8: declination J2000, 0.00001 degree
  std::int32_t RadialVelocity = 0;  // 12: cz, km/s
  std::string Name;                 // 16: char[16]
  std::string Type;                 // 32: char[4], morphological type
  std::int16_t PosAngle = 0;        // 36: position angle of the major axis, degrees
  std::int16_t MajorAxis = 0;       // 38: 0.01 arcminute
  std::int16_t MinorAxis = 0;       // 40: 0.01 arcminute
  std::int16_t MagB = 0;            // 42: B magnitude, hundredths
};

// DecodePgcRecord: one "pgc" record from its bytes.
//   bytes    at least kPgcRecordBytes bytes
//   returns  the record, or std::nullopt when bytes is shorter than a record
std::optional<TPgcRecord> DecodePgcRecord(std::string_view bytes);

// --- "sac": Saguaro Astronomy Club database layout, 204-byte records
// -----------------------------------

inline constexpr std::size_t kSacRecordBytes = 204;

// One "sac" record. The texts hold the characters their length byte gives (Windows-1252), at
// most the room of the field: Name 17, Other 18, Type 3, Constellation 3, Description 120,
// Class 10.
struct TSacRecord {
  float RA = 0.0f;                 // 0: right ascension J2000, degrees
  float Dec = 0.0f;                // 4: declination J2000, degrees
  float Mag = 0.0f;                // 8: magnitude; 99 = unknown
  float SurfaceBrightness = 0.0f;  // 12: magnitudes per square arcminute; 99 = unknown
  float MajorAxis = 0.0f;          // 16: arcminutes; 0 = unknown
  float MinorAxis = 0.0f;          // 20: arcminutes; 0 = unknown
  std::uint8_t PosAngle = 0;       // 24: degrees; 255 = none
  std::string Name;                // 25: length byte + 17
  std::string Other;               // 43: length byte + 18, another designation
  std::string Type;                // 62: length byte + 3, type code
  std::string Constellation;       // 66: length byte + 3
  std::string Description;         // 70: length byte + 120
  std::string Class;               // 191: length byte + 10
};

// DecodeSacRecord: one "sac" record from its bytes.
//   bytes    at least kSacRecordBytes bytes
//   returns  the record, or std::nullopt when bytes is shorter than a record. A length byte
//            larger than its field's room is cut to the room.
std::optional<TSacRecord> DecodeSacRecord(std::string_view bytes);

// IsSacOnSky: whether a "sac" position is finite and on the sky (right ascension 0..360,
// declination -90..+90 degrees).
bool IsSacOnSky(float ra, float dec);

// --- "gpn": Strasbourg-ESO Catalogue of Galactic Planetary Nebulae, 56-byte records
// --------------------

inline constexpr std::size_t kGpnRecordBytes = 56;

// One "gpn" record (units as stored).
struct TGpnRecord {
  std::int32_t RA = 0;        // 0: right ascension J2000, 0.00001 degree
  std::int32_t Dec = 0;       // 4: declination J2000, 0.00001 degree
  std::int16_t Diameter = 0;  // 8: 0.1 arcsecond; 0 = unknown
  std::int16_t Mag = 0;       // 10: visual magnitude, hundredths; 9900 = unknown
  std::int16_t MagHBeta = 0;  // 12: H-beta magnitude, hundredths
  std::int16_t MagB = 0;      // 14: B, hundredths
  std::int16_t MagV = 0;      // 16: V, hundredths
  std::array<char, 4> Flags{{' ', ' ', ' ', ' '}};  // 18, 19, 21, 22
  std::string PNG;                                  // 23: char[10], PN G designation ("063.1+13.9")
  std::string PK;                                   // 33: char[9], PK designation ("063+13.1")
  std::string Name;                                 // 42: char[13]
};

// DecodeGpnRecord: one "gpn" record from its bytes.
//   bytes    at least kGpnRecordBytes bytes
//   returns  the record, or std::nullopt when bytes is shorter than a record
std::optional<TGpnRecord> DecodeGpnRecord(std::string_view bytes);

// --- "lbn": Lynds' Catalogue of Bright Nebulae, 32-byte records
// -----------------------------------------

inline constexpr std::size_t kLbnRecordBytes = 32;

// One "lbn" record (units as stored).
struct TLbnRecord {
  std::int32_t RA = 0;          // 0: right ascension J2000, 0.00001 degree
  std::int32_t Dec = 0;         // 4: declination J2000, 0.00001 degree
  std::uint32_t LBN = 0;        // 8: LBN number
  std::uint16_t Reserved = 0;   // 12: not used (0)
  std::uint16_t MajorSize = 0;  // 14: arcminutes
  std::uint16_t MinorSize = 0;  // 16: arcminutes
  std::uint16_t Area = 0;       // 18: 0.01 square degree
  std::uint8_t Colour = 0;      // 20: colour class 1-4; 0 = unknown
  std::uint8_t Brightness = 0;  // 21: brightness class 1 (brightest) - 6
  std::string Id;               // 22: char[8], cross identification ("M 42", "Sh2-281")
};

// DecodeLbnRecord: one "lbn" record from its bytes.
//   bytes    at least kLbnRecordBytes bytes
//   returns  the record, or std::nullopt when bytes is shorter than a record
std::optional<TLbnRecord> DecodeLbnRecord(std::string_view bytes);

// --- "ocl": Open Cluster Data, 32-byte records
// ------------------------------------------------------------

inline constexpr std::size_t kOclRecordBytes = 32;

// One "ocl" record (units as stored; kDeepSkyMissing = missing).
struct TOclRecord {
  std::int32_t RA = 0;            // 0: right ascension J2000, 0.00001 degree
  std::int32_t Dec = 0;           // 4: declination J2000, 0.00001 degree
  std::int16_t OclNumber = 0;     // 8: OCL (Lund) number; 0 = none
  std::int16_t Number = 0;        // 10: number in the cluster's main catalogue
  std::int16_t Sequence = 0;      // 12: sequence number
  std::int16_t Diameter = 0;      // 14: 0.1 arcminute; 0 = unknown
  std::int16_t Distance = 0;      // 16: parsecs
  std::int16_t Age = 0;           // 18: millions of years
  std::int16_t MagBrightest = 0;  // 20: magnitude of the brightest stars, hundredths
  std::int16_t MagTotal = 0;      // 22: total magnitude, hundredths; 9900 = unknown
  std::int16_t ColourIndex = 0;   // 24: B-V, hundredths
  std::int16_t StarCount = 0;     // 26: number of stars
  char Concentration = ' ';       // 28: Trumpler concentration '1'-'4' (I-IV)
  char Range = ' ';               // 29: Trumpler range '1'-'3'
  char Richness = ' ';            // 30: Trumpler richness 'p', 'm', 'r'
  char Nebulosity = ' ';          // 31: 'n' = nebulosity
};

// DecodeOclRecord: one "ocl" record from its bytes.
//   bytes    at least kOclRecordBytes bytes
//   returns  the record, or std::nullopt when bytes is shorter than a record
std::optional<TOclRecord> DecodeOclRecord(std::string_view bytes);

// --- "gcm": Globular Clusters in the Milky Way, 48-byte records
// ------------------------------------------

inline constexpr std::size_t kGcmRecordBytes = 48;

// One "gcm" record (units as stored; kDeepSkyMissing = missing).
struct TGcmRecord {
  std::int32_t RA = 0;              // 0: right ascension J2000, 0.00001 degree
  std::int32_t Dec = 0;             // 4: declination J2000, 0.00001 degree
  std::int16_t Distance = 0;        // 8: distance from the Sun, 0.1 kpc
  std::int16_t Mag = 0;             // 10: integrated magnitude, hundredths; 9900 = unknown
  std::int16_t ColourIndex = 0;     // 12: B-V, hundredths
  std::int16_t LogLuminosity = 0;   // 14: log10 of the luminosity (solar units), hundredths
  std::int16_t CoreRadius = 0;      // 16: arcminutes, hundredths
  std::int16_t HalfMassRadius = 0;  // 18: arcminutes, hundredths
  std::int16_t Radius = 0;          // 20: apparent radius, arcminutes, hundredths
  std::string Name;                 // 22: char[9] ("NGC 6205")
  std::string SpectralClass;        // 31: char[11]
  std::string Concentration;        // 42: char[4], Shapley-Sawyer class ("V", "XII")
};

// DecodeGcmRecord: one "gcm" record from its bytes.
//   bytes    at least kGcmRecordBytes bytes
//   returns  the record, or std::nullopt when bytes is shorter than a record
std::optional<TGcmRecord> DecodeGcmRecord(std::string_view bytes);

// --- The value the limit test reads
// ------------------------------------------------------------------------

// ChartMagnitude: the value of a record that the chart compares with its limit: the magnitude
// field of the catalog in magnitudes ("rc3" and "pgc": kDeepSkyMissing becomes
// kMissingMagnitude), or for "lbn" the brightness class.
double ChartMagnitude(const TNgcRecord& r);
double ChartMagnitude(const TRc3Record& r);
double ChartMagnitude(const TPgcRecord& r);
double ChartMagnitude(const TSacRecord& r);
double ChartMagnitude(const TGpnRecord& r);
double ChartMagnitude(const TLbnRecord& r);
double ChartMagnitude(const TOclRecord& r);
double ChartMagnitude(const TGcmRecord& r);

// --- Type codes
// ---------------------------------------------------------------------------------------------

// NgcTypeText, SacTypeText: the Swedish text of a deep-sky type code (three characters, as
// stored: " Gx", "C+N") in the "ngc" and the "sac" readout (UTF-8). A code the catalog does not
// use gives "" for "ngc" and twenty blanks for "sac".
std::string_view NgcTypeText(std::string_view code);
std::string_view SacTypeText(std::string_view code);

// --- Whole zone files
// ---------------------------------------------------------------------------------------

// ReadNgcZone ... ReadGcmZone: every record of a zone file of the catalog, in file order,
// skipping records whose position is not on the sky (IsOnSky; IsSacOnSky for "sac").
//   path     the zone file
//   returns  the records, or std::nullopt when the file cannot be opened
std::optional<std::vector<TNgcRecord>> ReadNgcZone(const std::filesystem::path& path);
std::optional<std::vector<TRc3Record>> ReadRc3Zone(const std::filesystem::path& path);
std::optional<std::vector<TPgcRecord>> ReadPgcZone(const std::filesystem::path& path);
std::optional<std::vector<TSacRecord>> ReadSacZone(const std::filesystem::path& path);
std::optional<std::vector<TGpnRecord>> ReadGpnZone(const std::filesystem::path& path);
std::optional<std::vector<TLbnRecord>> ReadLbnZone(const std::filesystem::path& path);
std::optional<std::vector<TOclRecord>> ReadOclZone(const std::filesystem::path& path);
std::optional<std::vector<TGcmRecord>> ReadGcmZone(const std::filesystem::path& path);

}  // namespace himlavy
