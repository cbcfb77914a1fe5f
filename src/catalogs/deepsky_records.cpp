#include "catalogs/deepsky_records.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "catalogs/record_bytes.h"

namespace himlavy {

using namespace record_bytes;

namespace {

// A length-prefixed text: the length byte at `at`, then room for `room` characters. A length
// beyond the room is cut to the room.
std::string Counted(std::string_view b, std::size_t at, std::size_t room) {
  const std::size_t length = std::min<std::size_t>(U8(b, at), room);
  return std::string(b.substr(at + 1, length));
}

}  // namespace

std::optional<TNgcRecord> DecodeNgcRecord(std::string_view b) {
  if (b.size() < kNgcRecordBytes) return std::nullopt;
  TNgcRecord r;
  r.RA = I32(b, 0);
  r.Dec = I32(b, 4);
  r.Number = I16(b, 8);
  r.Catalog = b[10];
  r.Type = Chars(b, 11, 3);
  r.MagFlag = b[15];
  r.Mag = I16(b, 16);
  r.Size = I16(b, 18);
  r.Constellation = Chars(b, 20, 3);
  r.Description = Chars(b, 23, 50);
  return r;
}

std::optional<TRc3Record> DecodeRc3Record(std::string_view b) {
  if (b.size() < kRc3RecordBytes) return std::nullopt;
  TRc3Record r;
  r.RA = I32(b, 0);
  r.Dec = I32(b, 4);
  r.RadialVelocity = I32(b, 8);
  r.PGC = Chars(b, 12, 8);
  r.Name = Chars(b, 20, 14);
  r.Type = Chars(b, 34, 7);
  r.PosAngle = U8(b, 41);
  r.HubbleStage = I16(b, 42);
  r.LumClass = I16(b, 44);
  r.LogD25 = I16(b, 46);
  r.LogR25 = I16(b, 48);
  r.LogAe = I16(b, 50);
  r.MagB = I16(b, 52);
  r.ColourTotal = I16(b, 54);
  r.ColourCentral = I16(b, 56);
  r.Mag1 = I16(b, 58);
  r.Mag2 = I16(b, 60);
  return r;
}

std::optional<TPgcRecord> DecodePgcRecord(std::string_view b) {
  if (b.size() < kPgcRecordBytes) return std::nullopt;
  TPgcRecord r;
  r.PGC = U32(b, 0);
  r.RA = I32(b, 4);
  r.Dec = I32(b, 8);
  r.RadialVelocity = I32(b, 12);
  r.Name = Chars(b, 16, 16);
  r.Type = Chars(b, 32, 4);
  r.PosAngle = I16(b, 36);
  r.MajorAxis = I16(b, 38);
  r.MinorAxis = I16(b, 40);
  r.MagB = I16(b, 42);
  return r;
}

std::optional<TSacRecord> DecodeSacRecord(std::string_view b) {
  if (b.size() < kSacRecordBytes) return std::nullopt;
  TSacRecord r;
  r.RA = F32(b, 0);
  r.Dec = F32(b, 4);
  r.Mag = F32(b, 8);
  r.SurfaceBrightness = F32(b, 12);
  r.MajorAxis = F32(b, 16);
  r.MinorAxis = F32(b, 20);
  r.PosAngle = U8(b, 24);
  r.Name = Counted(b, 25, 17);
  r.Other = Counted(b, 43, 18);
  r.Type = Counted(b, 62, 3);
  r.Constellation = Counted(b, 66, 3);
  r.Description = Counted(b, 70, 120);
  r.Class = Counted(b, 191, 10);
  return r;
}

bool IsSacOnSky(float ra, float dec) {
  return std::isfinite(ra) && std::isfinite(dec) && ra >= 0.0f && ra <= 360.0f && dec >= -90.0f &&
         dec <= 90.0f;
}

std::optional<TGpnRecord> DecodeGpnRecord(std::string_view b) {
  if (b.size() < kGpnRecordBytes) return std::nullopt;
  TGpnRecord r;
  r.RA = I32(b, 0);
  r.Dec = I32(b, 4);
  r.Diameter = I16(b, 8);
  r.Mag = I16(b, 10);
  r.MagHBeta = I16(b, 12);
  r.MagB = I16(b, 14);
  r.MagV = I16(b, 16);
  r.Flags = {b[18], b[19], b[21], b[22]};
  r.PNG = Chars(b, 23, 10);
  r.PK = Chars(b, 33, 9);
  r.Name = Chars(b, 42, 13);
  return r;
}

std::optional<TLbnRecord> DecodeLbnRecord(std::string_view b) {
  if (b.size() < kLbnRecordBytes) return std::nullopt;
  TLbnRecord r;
  r.RA = I32(b, 0);
  r.Dec = I32(b, 4);
  r.LBN = U32(b, 8);
  r.Reserved = U16(b, 12);
  r.MajorSize = U16(b, 14);
  r.MinorSize = U16(b, 16);
  r.Area = U16(b, 18);
  r.Colour = U8(b, 20);
  r.Brightness = U8(b, 21);
  r.Id = Chars(b, 22, 8);
  return r;
}

std::optional<TOclRecord> DecodeOclRecord(std::string_view b) {
  if (b.size() < kOclRecordBytes) return std::nullopt;
  TOclRecord r;
  r.RA = I32(b, 0);
  r.Dec = I32(b, 4);
  r.OclNumber = I16(b, 8);
  r.Number = I16(b, 10);
  r.Sequence = I16(b, 12);
  r.Diameter = I16(b, 14);
  r.Distance = I16(b, 16);
  r.Age = I16(b, 18);
  r.MagBrightest = I16(b, 20);
  r.MagTotal = I16(b, 22);
  r.ColourIndex = I16(b, 24);
  r.StarCount = I16(b, 26);
  r.Concentration = b[28];
  r.Range = b[29];
  r.Richness = b[30];
  r.Nebulosity = b[31];
  return r;
}

std::optional<TGcmRecord> DecodeGcmRecord(std::string_view b) {
  if (b.size() < kGcmRecordBytes) return std::nullopt;
  TGcmRecord r;
  r.RA = I32(b, 0);
  r.Dec = I32(b, 4);
  r.Distance = I16(b, 8);
  r.Mag = I16(b, 10);
  r.ColourIndex = I16(b, 12);
  r.LogLuminosity = I16(b, 14);
  r.CoreRadius = I16(b, 16);
  r.HalfMassRadius = I16(b, 18);
  r.Radius = I16(b, 20);
  r.Name = Chars(b, 22, 9);
  r.SpectralClass = Chars(b, 31, 11);
  r.Concentration = Chars(b, 42, 4);
  return r;
}

double ChartMagnitude(const TNgcRecord& r) {
  return Hundredths(r.Mag);
}

double ChartMagnitude(const TRc3Record& r) {
  return r.MagB == kDeepSkyMissing ? kMissingMagnitude : Hundredths(r.MagB);
}

double ChartMagnitude(const TPgcRecord& r) {
  return r.MagB == kDeepSkyMissing ? kMissingMagnitude : Hundredths(r.MagB);
}

double ChartMagnitude(const TSacRecord& r) {
  return r.Mag;
}

double ChartMagnitude(const TGpnRecord& r) {
  return Hundredths(r.Mag);
}

double ChartMagnitude(const TLbnRecord& r) {
  return r.Brightness;
}

double ChartMagnitude(const TOclRecord& r) {
  return Hundredths(r.MagTotal);
}

double ChartMagnitude(const TGcmRecord& r) {
  return Hundredths(r.Mag);
}

namespace {

struct TTypeText {
  std::string_view Code;
  std::string_view Ngc;  // "" = the "ngc" catalog does not use the code
  std::string_view Sac;  // "" = the "sac" catalog does not use the code
};

constexpr TTypeText kTypeTexts[] = {
    {" Gx", "Galax", "Galax"},
    {"Gcl", "", "Galaxhop"},
    {" OC", "\u00d6ppen stj\u00e4rnhop", "\u00d6ppen stj\u00e4rnhop"},
    {" Gb", "Klotformig stj\u00e4rnhop", "Klotformig stj\u00e4rnhop"},
    {" Nb", "Emissions-/reflektionsnebulosa", "Emiss.-/refl.nebulosa"},
    {"Drk", "", "M\u00f6rk nebulosa"},
    {" Pl", "Planetarisk nebulosa", "Planetarisk nebulosa"},
    {"C+N", "Stj\u00e4rnhop med nebulositet", "Stj\u00e4rnhop m. nebulos."},
    {"Ast", "Asterism", "Asterism"},
    {" Kt", "Nebulosa i yttre galax", ""},
    {"***", "Trippelstj\u00e4rna", "Trippelstj\u00e4rna"},
    {" D*", "Dubbelstj\u00e4rna", "Dubbelstj\u00e4rna"},
    {"  *", "Enkelstj\u00e4rna", "Enkelstj\u00e4rna"},
    {"  ?", "Os\u00e4ker typ/finns inte", ""},
    {"   ", "Oidentifierad/typ ok\u00e4nd", ""},
    {"  -", "Finns inte enligt RNGC", ""},
    {" PD", "Felaktighet i fotopl\u00e5t", ""},
};

constexpr std::string_view kTwentyBlanks = "                    ";

}  // namespace

std::string_view NgcTypeText(std::string_view code) {
  for (const auto& t : kTypeTexts) {
    if (t.Code == code) return t.Ngc;
  }
  return {};
}

std::string_view SacTypeText(std::string_view code) {
  for (const auto& t : kTypeTexts) {
    if (t.Code == code && !t.Sac.empty()) return t.Sac;
  }
  return kTwentyBlanks;
}

std::optional<std::vector<TNgcRecord>> ReadNgcZone(const std::filesystem::path& path) {
  return ReadZone(path, kNgcRecordBytes, DecodeNgcRecord);
}

std::optional<std::vector<TRc3Record>> ReadRc3Zone(const std::filesystem::path& path) {
  return ReadZone(path, kRc3RecordBytes, DecodeRc3Record);
}

std::optional<std::vector<TPgcRecord>> ReadPgcZone(const std::filesystem::path& path) {
  return ReadZone(path, kPgcRecordBytes, DecodePgcRecord);
}

std::optional<std::vector<TSacRecord>> ReadSacZone(const std::filesystem::path& path) {
  return ReadZone(path, kSacRecordBytes, DecodeSacRecord,
                  [](const TSacRecord& r) { return IsSacOnSky(r.RA, r.Dec); });
}

std::optional<std::vector<TGpnRecord>> ReadGpnZone(const std::filesystem::path& path) {
  return ReadZone(path, kGpnRecordBytes, DecodeGpnRecord);
}

std::optional<std::vector<TLbnRecord>> ReadLbnZone(const std::filesystem::path& path) {
  return ReadZone(path, kLbnRecordBytes, DecodeLbnRecord);
}

std::optional<std::vector<TOclRecord>> ReadOclZone(const std::filesystem::path& path) {
  return ReadZone(path, kOclRecordBytes, DecodeOclRecord);
}

std::optional<std::vector<TGcmRecord>> ReadGcmZone(const std::filesystem::path& path) {
  return ReadZone(path, kGcmRecordBytes, DecodeGcmRecord);
}

}  // namespace himlavy
