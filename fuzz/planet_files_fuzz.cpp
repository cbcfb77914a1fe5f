// Fuzz target: the planetary series files "PLANETS2.NDX" and "PLANETS.DAT".
//
// Input: two bytes giving the length n of the index file (little-endian, cut to what follows),
// the index file's n bytes, and the rest as the terms file. Checks, for every planet 0..8
// loaded alone: the term counter stays within the buffer; a planet whose load failed evaluates
// to (0, 0, 0); a loaded one gives a finite position, L in [0, 2 pi), at every moment from
// Julian day 0 to 5373484.5. Then all nine are loaded in one cycle: a planet fails there when
// it failed alone, and one that loads gives exactly the position it gave alone. Pluto needs
// no file.
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <iterator>
#include <numbers>
#include <string>
#include <string_view>

#include "astro/positions.h"
#include "fuzz_support.h"

namespace himlavy {
namespace {

// Julian centuries from J2000.0 of Julian day 0, of J2000.0, of 2024 and of Julian day
// 5373484.5, the range of the program's moments.
constexpr double kMoments[] = {-2451545.0 / 36525.0, 0.0, 0.24, (5373484.5 - 2451545.0) / 36525.0};

constexpr int kFilePlanets = 9;  // 0..8 come from the files

// A folder holding the two file names as links to in-memory files, removed at exit.
class PlanetFolder {
 public:
  PlanetFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "himlavy-fuzz-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
      std::perror("mkdtemp");
      std::abort();
    }
    path_ = pattern;
    std::filesystem::create_symlink(index_.Path(), path_ / "PLANETS2.NDX");
    std::filesystem::create_symlink(terms_.Path(), path_ / "PLANETS.DAT");
  }
  ~PlanetFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  PlanetFolder(const PlanetFolder&) = delete;
  PlanetFolder& operator=(const PlanetFolder&) = delete;

  void Write(std::string_view index, std::string_view terms) {
    index_.Write(index);
    terms_.Write(terms);
  }
  const std::filesystem::path& Path() const { return path_; }

 private:
  fuzz::MemFile index_;
  fuzz::MemFile terms_;
  std::filesystem::path path_;
};

bool IsZero(const TSpherical& p) {
  return p.Lon == 0.0 && p.Lat == 0.0 && p.R == 0.0;
}

bool Same(const TSpherical& a, const TSpherical& b) {
  return a.Lon == b.Lon && a.Lat == b.Lat && a.R == b.R;
}

}  // namespace
}  // namespace himlavy

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace himlavy;
  static PlanetFolder folder;
  if (size < 2) return 0;
  const std::string_view rest = fuzz::Bytes(data + 2, size - 2);
  const std::size_t indexBytes = std::min<std::size_t>(data[0] | (data[1] << 8), rest.size());
  folder.Write(rest.substr(0, indexBytes), rest.substr(indexBytes));

  // Each planet alone.
  bool loadedAlone[kFilePlanets] = {};
  TSpherical alone[kFilePlanets][std::size(kMoments)] = {};
  for (int planet = 0; planet < kFilePlanets; ++planet) {
    PlanetDataOpen(folder.Path());
    loadedAlone[planet] = PlanetDataLoad(static_cast<TSeriesPlanet>(planet));
    HIMLAVY_FUZZ_CHECK(PlanetTermCount() >= 1 && PlanetTermCount() <= kPlanetTermSlots + 1);
    for (std::size_t m = 0; m < std::size(kMoments); ++m) {
      const TSpherical p = HeliocentricPlanet(static_cast<TSeriesPlanet>(planet), kMoments[m]);
      if (!loadedAlone[planet]) {
        HIMLAVY_FUZZ_CHECK(IsZero(p));
        continue;
      }
      HIMLAVY_FUZZ_CHECK(std::isfinite(p.Lon) && std::isfinite(p.Lat) && std::isfinite(p.R));
      HIMLAVY_FUZZ_CHECK(p.Lon >= 0.0 && p.Lon < 2.0 * std::numbers::pi);
      alone[planet][m] = p;
    }
  }

  // All of them in one cycle.
  PlanetDataOpen(folder.Path());
  bool loaded[kFilePlanets] = {};
  for (int planet = 0; planet < kFilePlanets; ++planet) {
    loaded[planet] = PlanetDataLoad(static_cast<TSeriesPlanet>(planet));
    HIMLAVY_FUZZ_CHECK(!loaded[planet] || loadedAlone[planet]);
  }
  for (int planet = 0; planet < kFilePlanets; ++planet) {
    for (std::size_t m = 0; m < std::size(kMoments); ++m) {
      const TSpherical p = HeliocentricPlanet(static_cast<TSeriesPlanet>(planet), kMoments[m]);
      HIMLAVY_FUZZ_CHECK(loaded[planet] ? Same(p, alone[planet][m]) : IsZero(p));
    }
  }
  HIMLAVY_FUZZ_CHECK(PlanetDataLoad(TSeriesPlanet::Pluto));
  HIMLAVY_FUZZ_CHECK(std::isfinite(HeliocentricPlanet(TSeriesPlanet::Pluto, 0.0).R));
  PlanetDataClose();
  return 0;
}
