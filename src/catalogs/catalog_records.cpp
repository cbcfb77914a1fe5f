#include "catalogs/catalog_records.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>

#include "base/formatting.h"
#include "base/numtext.h"
#include "base/textfile.h"
#include "catalogs/record_bytes.h"

namespace himlavy {

using namespace record_bytes;

namespace {

// A fixed column (1-based first column, width) of a line as a number, blanks around it
// allowed, or nullopt when it is blank, missing or not a number.
std::optional<double> ColumnNumber(std::string_view line, std::size_t first, std::size_t width) {
  if (line.size() < first) return std::nullopt;
  return ParseReal(line.substr(first - 1, width));
}

}  // namespace

const TCatalogInfo* FindCatalog(std::string_view key) {
  for (const auto& catalog : kCatalogs) {
    if (catalog.Key == key) return &catalog;
  }
  return nullptr;
}

std::string ZoneFileName(const TCatalogInfo& catalog, int zone) {
  std::string number = std::to_string(zone);
  if (number.size() < static_cast<std::size_t>(catalog.ZoneDigits)) {
    number.insert(0, catalog.ZoneDigits - number.size(), '0');
  }
  return std::string(catalog.Directory) + "/" + number + ".dat";
}

std::optional<std::size_t> ReadZoneFile(const std::filesystem::path& path, std::size_t recordBytes,
                                        const std::function<void(std::string_view)>& onRecord) {
  if (recordBytes == 0) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  // Whole records at a time, about 64 KiB per read.
  const std::size_t perRead = std::max<std::size_t>(1, 65536 / recordBytes);
  std::string buffer(perRead * recordBytes, '\0');
  std::size_t count = 0;
  std::size_t carried = 0;  // bytes of a partial record kept from the previous read
  while (count < kMaxZoneRecords) {
    in.read(buffer.data() + carried, static_cast<std::streamsize>(buffer.size() - carried));
    const std::size_t have = carried + static_cast<std::size_t>(in.gcount());
    const std::size_t whole = have / recordBytes;
    for (std::size_t k = 0; k < whole && count < kMaxZoneRecords; ++k, ++count) {
      onRecord(std::string_view(buffer.data() + k * recordBytes, recordBytes));
    }
    carried = have - whole * recordBytes;
    if (carried > 0) std::memmove(buffer.data(), buffer.data() + whole * recordBytes, carried);
    if (!in) break;  // end of file (or a read error): a partial record left is not a record
  }
  return count;
}

bool IsOnSky(std::int32_t ra, std::int32_t dec) {
  return ra >= 0 && ra <= 36000000 && dec >= -9000000 && dec <= 9000000;
}

std::string_view FieldText(std::string_view field) {
  const auto last = field.find_last_not_of(' ');
  return last == std::string_view::npos ? std::string_view() : field.substr(0, last + 1);
}

std::optional<TBscRecord> DecodeBscRecord(std::string_view b) {
  if (b.size() < kBscRecordBytes) return std::nullopt;
  TBscRecord r;
  r.HD = U32(b, 0);
  r.HR = U32(b, 4);
  r.RA = I32(b, 8);
  r.Dec = I32(b, 12);
  r.PmRA = I16(b, 16);
  r.PmDec = I16(b, 18);
  r.Mag = I16(b, 20);
  r.BV = I16(b, 22);
  r.Constellation = Chars(b, 24, 3);
  r.Flamsteed = U8(b, 27);
  r.Bayer = Chars(b, 28, 4);
  r.SpectralClass = Chars(b, 32, 20);
  return r;
}

std::optional<TSkyRecord> DecodeSkyRecord(std::string_view b) {
  if (b.size() < kSkyRecordBytes) return std::nullopt;
  TSkyRecord r;
  r.RA = I32(b, 0);
  r.Dec = I32(b, 4);
  r.Mag = I16(b, 8);
  r.BV = I16(b, 10);
  r.MagDiff = I16(b, 12);
  r.PmRA = I16(b, 14);
  r.PmDec = I16(b, 16);
  r.Separation = U16(b, 18);
  r.SpectralClass = Chars(b, 20, 3);
  r.IdText = Chars(b, 23, 2);
  r.IdNumber = I32(b, 28);
  r.HD = U32(b, 32);
  r.SAO = U32(b, 36);
  return r;
}

std::optional<TWdsRecord> DecodeWdsRecord(std::string_view b) {
  if (b.size() < kWdsRecordBytes) return std::nullopt;
  TWdsRecord r;
  r.RA = I32(b, 0);
  r.Dec = I32(b, 4);
  r.DM = U32(b, 8);
  r.Year1 = I16(b, 12);
  r.Year2 = I16(b, 14);
  r.PosAngle1 = I16(b, 16);
  r.PosAngle2 = I16(b, 18);
  r.Separation1 = I16(b, 20);
  r.Separation2 = I16(b, 22);
  r.Mag1 = I16(b, 24);
  r.Mag2 = I16(b, 26);
  r.Discoverer = Chars(b, 28, 7);
  r.Components = Chars(b, 35, 5);
  r.SpectralClass = Chars(b, 40, 9);
  r.Note = Chars(b, 49, 2);
  return r;
}

std::optional<TGcvsRecord> DecodeGcvsRecord(std::string_view b) {
  if (b.size() < kGcvsRecordBytes) return std::nullopt;
  TGcvsRecord r;
  r.RA = I32(b, 0);
  r.Dec = I32(b, 4);
  r.StarNumber = I32(b, 8);
  r.Period = F32(b, 12);
  r.MagMax = I16(b, 16);
  r.MagMin = I16(b, 18);
  r.MaxFlag = b[20];
  r.MinFlag = b[21];
  r.PhotometricSystem = U8(b, 22);
  r.Name = Chars(b, 23, 10);
  r.VarType = Chars(b, 33, 10);
  return r;
}

std::optional<std::vector<TBscRecord>> ReadBscZone(const std::filesystem::path& path) {
  return ReadZone(path, kBscRecordBytes, DecodeBscRecord);
}

std::optional<std::vector<TSkyRecord>> ReadSkyZone(const std::filesystem::path& path) {
  return ReadZone(path, kSkyRecordBytes, DecodeSkyRecord);
}

std::optional<std::vector<TWdsRecord>> ReadWdsZone(const std::filesystem::path& path) {
  return ReadZone(path, kWdsRecordBytes, DecodeWdsRecord);
}

std::optional<std::vector<TGcvsRecord>> ReadGcvsZone(const std::filesystem::path& path) {
  return ReadZone(path, kGcvsRecordBytes, DecodeGcvsRecord);
}

std::optional<std::vector<TZoneBounds>> ReadZoneDefinitions(const std::filesystem::path& path) {
  const auto lines = ReadRawLines(path, 25, kMaxTextLines);
  if (!lines) return std::nullopt;
  std::vector<TZoneBounds> zones;
  zones.reserve(lines->size());
  for (const std::string& line : *lines) {
    TZoneBounds z;
    const auto raStart = ColumnNumber(line, 5, 4);
    const auto raEnd = ColumnNumber(line, 10, 4);
    const auto decStart = ColumnNumber(line, 15, 5);
    const auto decEnd = ColumnNumber(line, 21, 5);
    if (raStart && raEnd && decStart && decEnd) {
      z = {*raStart, *raEnd, *decStart, *decEnd, true};
    }
    zones.push_back(z);
  }
  return zones;
}

std::optional<std::vector<TNameEntry>> ReadNameFile(const std::filesystem::path& path,
                                                    std::size_t nameWidth) {
  const auto lines = ReadRawLines(path, 37, kMaxTextLines);
  if (!lines) return std::nullopt;
  std::vector<TNameEntry> names;
  for (const std::string& raw : *lines) {
    const std::string_view line = raw;
    if (line.size() < 14) continue;
    // Right ascension: hours in columns 1-2, minutes in 3-6.
    const auto hours = ColumnNumber(line, 1, 2);
    const auto raMinutes = ColumnNumber(line, 3, 4);
    // Declination: sign in column 8, degrees in 9-10, minutes in 11-12.
    const char sign = line[7];
    const auto degrees = ColumnNumber(line, 9, 2);
    const auto decMinutes = ColumnNumber(line, 11, 2);
    if (!hours || !raMinutes || !degrees || !decMinutes) continue;
    if (sign != '+' && sign != '-' && sign != ' ') continue;
    if (*hours < 0 || *hours >= 24 || *raMinutes < 0 || *raMinutes >= 60) continue;
    if (*degrees < 0 || *degrees > 90 || *decMinutes < 0 || *decMinutes >= 60) continue;
    std::string_view name = line.substr(13, nameWidth);
    if (const auto blanks = name.find("  "); blanks != std::string_view::npos) {
      name = name.substr(0, blanks);
    }
    if (name.find_first_not_of(' ') == std::string_view::npos) continue;
    TNameEntry entry;
    entry.RaHours = ParseDegMin(line.substr(0, 6));
    entry.DecDegrees = ParseSignedDegMin(line.substr(7, 5));
    if (entry.RaHours >= 24.0 || std::abs(entry.DecDegrees) > 90.0) continue;
    entry.Name = Cp1252ToUtf8(name);
    names.push_back(std::move(entry));
  }
  return names;
}

}  // namespace himlavy
