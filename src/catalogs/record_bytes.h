// Reading the fixed-size binary records of the catalog zone files: little-endian fields of a
// record's bytes, and a whole zone file decoded record by record.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "catalogs/catalog_records.h"

namespace himlavy::record_bytes {

// Little-endian readers; the caller has checked that the record holds the field.
inline std::uint32_t U32(std::string_view b, std::size_t at) {
  const auto byte = [&](std::size_t k) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + k]));
  };
  return byte(0) | (byte(1) << 8) | (byte(2) << 16) | (byte(3) << 24);
}

inline std::int32_t I32(std::string_view b, std::size_t at) {
  return static_cast<std::int32_t>(U32(b, at));
}

inline std::uint16_t U16(std::string_view b, std::size_t at) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(b[at]) |
                                    (static_cast<unsigned char>(b[at + 1]) << 8));
}

inline std::int16_t I16(std::string_view b, std::size_t at) {
  return static_cast<std::int16_t>(U16(b, at));
}

inline std::uint8_t U8(std::string_view b, std::size_t at) {
  return static_cast<unsigned char>(b[at]);
}

inline float F32(std::string_view b, std::size_t at) {
  return std::bit_cast<float>(U32(b, at));
}

inline std::string Chars(std::string_view b, std::size_t at, std::size_t width) {
  return std::string(b.substr(at, width));
}

// The usual test of a decoded record: its stored position lies on the sky.
struct StoredOnSky {
  template <typename Record>
  bool operator()(const Record& r) const {
    return IsOnSky(r.RA, r.Dec);
  }
};

// Every record of a zone file, decoded, keeping those that `onSky` accepts. nullopt when the
// file cannot be read. The record type is the one the decoder returns (std::optional<Record>).
template <typename Decoder, typename OnSky = StoredOnSky,
          typename Record = typename std::invoke_result_t<Decoder, std::string_view>::value_type>
std::optional<std::vector<Record>> ReadZone(const std::filesystem::path& path,
                                            std::size_t recordBytes, Decoder decode,
                                            OnSky onSky = {}) {
  std::vector<Record> records;
  const auto count = ReadZoneFile(path, recordBytes, [&](std::string_view bytes) {
    if (auto r = decode(bytes); r && onSky(*r)) records.push_back(std::move(*r));
  });
  if (!count) return std::nullopt;
  return records;
}

}  // namespace himlavy::record_bytes
