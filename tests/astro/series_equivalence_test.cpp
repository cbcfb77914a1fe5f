// The planetary series are summed with a cosine of their own (a reduction by pi and Taylor
// polynomials) instead of the C library's. These tests hold it to the library's: the cosine
// itself within 1e-15 over small and large arguments, and every record of the program's own
// data/PLANETS.DAT within 1e-12 rad / AU of a plain std::cos summation read straight from the
// files, over 1800-2200. They also check that the apparent place takes the Earth once and
// forms the Sun from it.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <random>
#include <string>
#include <vector>

#include "astro/apparent.h"
#include "astro/basic.h"
#include "astro/positions.h"
#include "common/data_folder.h"
#include "common/scratch_dir.h"
#include "shell/textfile.h"

namespace himlavy {
namespace {

using testing::DataFolder;
using testing::ScratchDir;

void AppendLittleEndian(std::string& out, std::uint64_t u, int bytes) {
  for (int k = 0; k < bytes; ++k) out.push_back(static_cast<char>((u >> (8 * k)) & 0xFF));
}

void AppendDouble(std::string& out, double value) {
  std::uint64_t u;
  std::memcpy(&u, &value, sizeof u);
  AppendLittleEndian(out, u, 8);
}

std::uint64_t LittleEndian(const std::string& bytes, std::size_t at, int count) {
  std::uint64_t u = 0;
  for (int k = count - 1; k >= 0; --k) u = (u << 8) | static_cast<unsigned char>(bytes[at + k]);
  return u;
}

std::string ReadAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class SeriesCosineTest : public ::testing::Test {
 protected:
  void TearDown() override { PlanetDataClose(); }
  ScratchDir dir_;
};

// A record whose B0 series is the single term 1 cos(0 + 1 tau): the latitude HeliocentricPlanet
// returns is then the series' cosine of tau = T / 10 itself, which is compared with std::cos
// (correctly rounded or nearly, well below the 1e-15 allowed).
TEST_F(SeriesCosineTest, WithinOneInTenToTheFifteenOfStdCos) {
  std::string index;
  for (int s = 0; s < 18; ++s) {
    AppendLittleEndian(index, 0, 4);               // first: record 0
    AppendLittleEndian(index, s == 6 ? 1 : 0, 4);  // count: one term in B0 (series 6)
  }
  std::string data;
  AppendDouble(data, 1.0);  // A
  AppendDouble(data, 0.0);  // B
  AppendDouble(data, 1.0);  // C
  dir_.Write("PLANETS2.NDX", index);
  dir_.Write("PLANETS.DAT", data);
  PlanetDataOpen(dir_.Path());
  ASSERT_TRUE(PlanetDataLoad(0));

  const auto check = [](double tau) {
    const double t = 10.0 * tau;
    const double x = t / 10.0;  // the argument the sum forms
    const double error = std::fabs(HeliocentricPlanet(0, t).Lat - std::cos(x));
    EXPECT_LE(error, 1e-15) << "x = " << x;
    return error;
  };

  // Exact points, the ends of the reduced range and its seams at odd multiples of pi/2.
  EXPECT_EQ(HeliocentricPlanet(0, 0.0).Lat, 1.0);
  for (int k = -40; k <= 40; ++k) {
    const double seam = k * std::numbers::pi / 2.0;
    for (const double offset : {-1e-9, -1e-15, 0.0, 1e-15, 1e-9}) check(seam + offset);
  }
  // Many arguments, uniformly within each of the ranges, up to 2.6e7 rad (the largest
  // argument of the files over +-100 centuries is 2.3e5 rad).
  std::mt19937_64 random(20240611);
  struct TRange {
    double Limit;
    int Count;
  };
  const std::array<TRange, 6> ranges = {
      {{4.0, 200000}, {100.0, 100000}, {1e4, 100000}, {1e5, 50000}, {1e6, 50000}, {2.6e7, 50000}}};
  for (const TRange& range : ranges) {
    std::uniform_real_distribution<double> uniform(-range.Limit, range.Limit);
    double worst = 0.0;
    for (int i = 0; i < range.Count; ++i) worst = std::fmax(worst, check(uniform(random)));
    EXPECT_LE(worst, 1e-15) << "|x| <= " << range.Limit;
  }
}

// The nine records of the program's files against a plain sum with std::cos, read from the
// files here: L (compared modulo 2 pi), B and R within 1e-12 rad and AU from 1800 to 2200.
TEST(SeriesEquivalenceTest, EveryRecordMatchesTheStdCosSum) {
  const std::filesystem::path dir = DataFolder();
  const std::string index = ReadAll(ResolveDataPath(dir, "PLANETS2.NDX"));
  const std::string data = ReadAll(ResolveDataPath(dir, "PLANETS.DAT"));
  if (index.size() < 9 * 144 || data.empty()) GTEST_SKIP() << "no planetary series in " << dir;

  struct TTerm {
    double A, B, C;
  };
  const auto term = [&data](std::int64_t record) {
    std::array<double, 3> v{};
    for (int k = 0; k < 3; ++k) {
      const std::uint64_t u = LittleEndian(data, static_cast<std::size_t>(24 * record + 8 * k), 8);
      std::memcpy(&v[k], &u, sizeof u);
    }
    return TTerm{v[0], v[1], v[2]};
  };

  PlanetDataOpen(dir);
  for (int planet = 0; planet < 9; ++planet) ASSERT_TRUE(PlanetDataLoad(planet)) << planet;

  for (int planet = 0; planet < 9; ++planet) {
    // The 18 series lie one after another from first(L0).
    std::int64_t record = static_cast<std::int32_t>(LittleEndian(index, 144 * planet, 4));
    std::array<std::vector<TTerm>, 18> series;
    for (int s = 0; s < 18; ++s) {
      const auto count =
          static_cast<std::int32_t>(LittleEndian(index, 144 * planet + 8 * s + 4, 4));
      for (int k = 0; k < count; ++k) series[s].push_back(term(record++));
    }
    std::array<double, 3> worst{};
    for (int i = 0; i <= 2000; ++i) {
      const double t = -2.0 + 0.002 * i + 1e-4 * std::sin(i);  // 1800-2200, irregular steps
      const double tau = t / 10.0;
      std::array<double, 3> reference{};
      for (int coordinate = 0; coordinate < 3; ++coordinate) {
        double tauPower = 1.0;
        for (int j = 0; j < 6; ++j) {
          double sum = 0.0;
          for (const TTerm& x : series[6 * coordinate + j]) sum += x.A * std::cos(x.B + x.C * tau);
          reference[coordinate] += tauPower * sum;
          tauPower *= tau;
        }
      }
      const TSpherical p = HeliocentricPlanet(planet, t);
      // L reduced as HeliocentricPlanet reduces it. Mercury's unreduced L reaches 5200 rad in
      // 1800 and 2200, where one unit in the last place is 9e-13 rad: the two sums may differ
      // by that much there, and by far less elsewhere.
      const double dl = std::remainder(p.Lon - Mod2Pi(reference[0]), 2.0 * std::numbers::pi);
      worst[0] = std::fmax(worst[0], std::fabs(dl));
      worst[1] = std::fmax(worst[1], std::fabs(p.Lat - reference[1]));
      worst[2] = std::fmax(worst[2], std::fabs(p.R - reference[2]));
    }
    EXPECT_LT(worst[0], 1e-12) << "record " << planet << ": L";
    EXPECT_LT(worst[1], 1e-12) << "record " << planet << ": B";
    EXPECT_LT(worst[2], 1e-12) << "record " << planet << ": R";
  }
  PlanetDataClose();
}

// The apparent place computes the Earth of date once: the place carries it for every body but
// the Moon, the Sun is its reverse (GeocentricSun), and a planet's geometric place is the
// difference of the planet at the light-time moment and that same Earth.
TEST(SeriesEquivalenceTest, ApparentPlaceTakesTheEarthOnce) {
  const std::filesystem::path dir = DataFolder();
  PlanetDataOpen(dir);
  for (int planet = 0; planet < 9; ++planet) {
    if (!PlanetDataLoad(planet)) {
      PlanetDataClose();
      GTEST_SKIP() << "no planetary series in " << dir;
    }
  }
  TCorrections c;
  c.Nutation = c.Aberration = false;
  for (const double jd : {2378496.5, 2451545.0, 2488069.5}) {  // 1800, 2000, 2100
    const TMomentTerms m = MomentTerms(jd, jd, TSite{}, c);
    const TSpherical earth = HeliocentricPlanet(3, m.T);
    for (int body = 0; body <= 10; ++body) {
      if (body == 3) continue;
      const TApparentPlace p = ApparentPlace(body, m, c);
      if (body == kMoonBody) {
        EXPECT_EQ(p.Earth.R, 0.0);
        continue;
      }
      EXPECT_EQ(p.Earth.Lon, earth.Lon) << body;
      EXPECT_EQ(p.Earth.Lat, earth.Lat) << body;
      EXPECT_EQ(p.Earth.R, earth.R) << body;
      if (body == kSunBody) {
        const TSpherical sun = GeocentricSun(3, m.T);
        EXPECT_EQ(p.Geo.Lon, sun.Lon);
        EXPECT_EQ(p.Geo.Lat, sun.Lat);
        EXPECT_EQ(p.Geo.R, sun.R);
      } else if (body != kPlutoPlanet) {
        const TSpherical geo = GeocentricFromHeliocentric(p.Helio, earth);
        EXPECT_EQ(p.Geo.Lon, geo.Lon) << body;
        EXPECT_EQ(p.Geo.Lat, geo.Lat) << body;
        EXPECT_EQ(p.Geo.R, geo.R) << body;
      }
    }
  }
  PlanetDataClose();
}

}  // namespace
}  // namespace himlavy
