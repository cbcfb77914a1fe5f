// Fuzz target: the record decoders of the twelve catalogs and the zone-file reader.
//
// Input: one byte choosing the catalog (its index in kCatalogs, modulo 12), then bytes that
// are decoded as one record and read as a whole zone file. Checks: a decoder refuses exactly
// the buffers shorter than a record and keeps its character fields at their full width; the
// zone reader gives exactly the whole records on the sky, in order, as decoding them one by
// one does.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "catalogs/catalog_records.h"
#include "catalogs/deepsky_records.h"
#include "fuzz_support.h"

namespace himlavy {
namespace {

fuzz::MemFile& File() {
  static fuzz::MemFile file;
  return file;
}

// The character fields of each record, with their widths.
void CheckFields(const TBscRecord& r) {
  HIMLAVY_FUZZ_CHECK(r.Constellation.size() == 3 && r.Bayer.size() == 4 &&
                     r.SpectralClass.size() == 20);
}
void CheckFields(const TSkyRecord& r) {
  HIMLAVY_FUZZ_CHECK(r.SpectralClass.size() == 3 && r.IdText.size() == 2);
}
void CheckFields(const TWdsRecord& r) {
  HIMLAVY_FUZZ_CHECK(r.Discoverer.size() == 7 && r.Components.size() == 5 &&
                     r.SpectralClass.size() == 9 && r.Note.size() == 2);
}
void CheckFields(const TGcvsRecord& r) {
  HIMLAVY_FUZZ_CHECK(r.Name.size() == 10 && r.VarType.size() == 10);
  if (r.PhotometricSystem < kGcvsPhotometricSystems.size()) {
    HIMLAVY_FUZZ_CHECK(kGcvsPhotometricSystems[r.PhotometricSystem].size() <= 2);
  }
}
void CheckFields(const TNgcRecord& r) {
  HIMLAVY_FUZZ_CHECK(r.Type.size() == 3 && r.Constellation.size() == 3 &&
                     r.Description.size() == 50);
  HIMLAVY_FUZZ_CHECK(fuzz::IsUtf8(NgcTypeText(r.Type)));
  (void)ChartMagnitude(r);
}
void CheckFields(const TRc3Record& r) {
  HIMLAVY_FUZZ_CHECK(r.PGC.size() == 8 && r.Name.size() == 14 && r.Type.size() == 7);
  (void)ChartMagnitude(r);
}
void CheckFields(const TPgcRecord& r) {
  HIMLAVY_FUZZ_CHECK(r.Name.size() == 16 && r.Type.size() == 4);
  (void)ChartMagnitude(r);
}
void CheckFields(const TSacRecord& r) {
  HIMLAVY_FUZZ_CHECK(r.Name.size() <= 17 && r.Other.size() <= 18 && r.Type.size() <= 3 &&
                     r.Constellation.size() <= 3 && r.Description.size() <= 120 &&
                     r.Class.size() <= 10);
  HIMLAVY_FUZZ_CHECK(fuzz::IsUtf8(SacTypeText(r.Type)));
  (void)ChartMagnitude(r);
}
void CheckFields(const TGpnRecord& r) {
  HIMLAVY_FUZZ_CHECK(r.PNG.size() == 10 && r.PK.size() == 9 && r.Name.size() == 13);
  (void)ChartMagnitude(r);
}
void CheckFields(const TLbnRecord& r) {
  HIMLAVY_FUZZ_CHECK(r.Id.size() == 8);
  (void)ChartMagnitude(r);
}
void CheckFields(const TOclRecord& r) {
  (void)ChartMagnitude(r);
}
void CheckFields(const TGcmRecord& r) {
  HIMLAVY_FUZZ_CHECK(r.Name.size() == 9 && r.SpectralClass.size() == 11 &&
                     r.Concentration.size() == 4);
  (void)ChartMagnitude(r);
}

bool OnSky(const TSacRecord& r) {
  return IsSacOnSky(r.RA, r.Dec);
}
template <typename Record>
bool OnSky(const Record& r) {
  return IsOnSky(r.RA, r.Dec);
}

bool SameRecord(const TSacRecord& a, const TSacRecord& b) {
  return a.Name == b.Name && a.Description == b.Description && a.PosAngle == b.PosAngle;
}
template <typename Record>
bool SameRecord(const Record& a, const Record& b) {
  return a.RA == b.RA && a.Dec == b.Dec;
}

template <typename Decoder, typename Reader>
void Check(std::string_view bytes, std::size_t recordBytes, Decoder decode, Reader readZone) {
  // One record: refused exactly when short.
  const auto one = decode(bytes);
  HIMLAVY_FUZZ_CHECK(one.has_value() == (bytes.size() >= recordBytes));
  if (one) CheckFields(*one);
  // Every record cut one byte short is refused.
  if (bytes.size() >= recordBytes) {
    HIMLAVY_FUZZ_CHECK(!decode(bytes.substr(0, recordBytes - 1)));
  }

  // The zone file: the whole records on the sky, as decoding them one by one gives.
  const auto zone = readZone(File().Write(bytes));
  HIMLAVY_FUZZ_CHECK(zone.has_value());
  std::size_t k = 0;
  for (std::size_t at = 0; at + recordBytes <= bytes.size(); at += recordBytes) {
    const auto r = decode(bytes.substr(at, recordBytes));
    HIMLAVY_FUZZ_CHECK(r.has_value());
    CheckFields(*r);
    if (!OnSky(*r)) continue;
    HIMLAVY_FUZZ_CHECK(k < zone->size() && SameRecord((*zone)[k], *r));
    ++k;
  }
  HIMLAVY_FUZZ_CHECK(k == zone->size());
}

}  // namespace
}  // namespace himlavy

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace himlavy;
  if (size == 0) return 0;
  const std::size_t which = data[0] % kCatalogs.size();
  const std::string_view bytes = fuzz::Bytes(data + 1, size - 1);
  const std::string_view key = kCatalogs[which].Key;
  const std::size_t recordBytes = kCatalogs[which].RecordBytes;

  if (key == "bsc") Check(bytes, recordBytes, DecodeBscRecord, ReadBscZone);
  if (key == "sky") Check(bytes, recordBytes, DecodeSkyRecord, ReadSkyZone);
  if (key == "wds") Check(bytes, recordBytes, DecodeWdsRecord, ReadWdsZone);
  if (key == "gcvs") Check(bytes, recordBytes, DecodeGcvsRecord, ReadGcvsZone);
  if (key == "ngc") Check(bytes, recordBytes, DecodeNgcRecord, ReadNgcZone);
  if (key == "rc3") Check(bytes, recordBytes, DecodeRc3Record, ReadRc3Zone);
  if (key == "pgc") Check(bytes, recordBytes, DecodePgcRecord, ReadPgcZone);
  if (key == "sac") Check(bytes, recordBytes, DecodeSacRecord, ReadSacZone);
  if (key == "gpn") Check(bytes, recordBytes, DecodeGpnRecord, ReadGpnZone);
  if (key == "lbn") Check(bytes, recordBytes, DecodeLbnRecord, ReadLbnZone);
  if (key == "ocl") Check(bytes, recordBytes, DecodeOclRecord, ReadOclZone);
  if (key == "gcm") Check(bytes, recordBytes, DecodeGcmRecord, ReadGcmZone);

  // The raw zone reader with any record size, including 0.
  std::size_t handed = 0;
  const std::size_t anySize = bytes.empty() ? 0 : static_cast<unsigned char>(bytes[0]);
  const auto count = ReadZoneFile(File().Write(bytes), anySize, [&](std::string_view record) {
    HIMLAVY_FUZZ_CHECK(record.size() == anySize);
    ++handed;
  });
  HIMLAVY_FUZZ_CHECK(
      anySize == 0 ? !count : (count && *count == bytes.size() / anySize && handed == *count));
  return 0;
}
