// The planetary series are summed with a cosine of their own (a reduction by pi and Taylor
// polynomials) instead of the C library's. These tests hold it to the library's: the cosine
// itself within 1e-15 over small and large arguments, and every record of the program's own
// data/PLANETS.DAT within 1e-12 rad / AU of a plain std::cos summation read straight from the
// files, over 1800-2200.
#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <numbers>
#include <random>
#include <string>
#include <vector>

#include "astro/basic.h"
#include "astro/positions.h"
#include "common/data_folder.h"
#include "common/scratch_dir.h"
#include "shell/textfile.h"

namespace himlavy {
namespace {

void AppendLittleEndian(std::string& out, std::uint64_t u, int bytes) {
  for (int k = 0; k < bytes; ++k) out.push_back(static_cast<char>((u >> (8 * k)) & 0xFF));
}

std::uint64_t LittleEndian(const std::string& bytes, std::size_t at, int count) {
  std::uint64_t u = 0;
  for (int k = count - 1; k >= 0; --k) u = (u << 8) | static_cast<unsigned char>(bytes[at + k]);
  return u;
}

// A record whose B0 series is the single term 1 cos(0 + 1 tau): the latitude HeliocentricPlanet
// returns is then the series' cosine of tau = T / 10 itself, which is compared with std::cos
// (correctly rounded or nearly, well below the 1e-15 allowed).
TEST(SeriesCosineTest, WithinOneInTenToTheFifteenOfStdCos) {
  std::string index;
  for (int s = 0; s < 18; ++s) {
    AppendLittleEndian(index, 0, 4);               // first: record 0
    AppendLittleEndian(index, s == 6 ? 1 : 0, 4);  // count: one term in B0 (series 6)
  }
  std::string data;
  for (double x : {1.0, 0.0, 1.0}) AppendLittleEndian(data, std::bit_cast<std::uint64_t>(x), 8);
  testing::ScratchDir dir;
  dir.Write("PLANETS2.NDX", index);
  dir.Write("PLANETS.DAT", data);
  PlanetDataOpen(dir.Path());
  ASSERT_TRUE(PlanetDataLoad(0));

  const auto error = [](double x) {
    return std::fabs(HeliocentricPlanet(0, 10.0 * x).Lat - std::cos((10.0 * x) / 10.0));
  };
  EXPECT_EQ(HeliocentricPlanet(0, 0.0).Lat, 1.0);
  // The seams of the reduced range at odd multiples of pi/2.
  for (int k = -40; k <= 40; ++k) {
    for (const double offset : {-1e-9, -1e-15, 0.0, 1e-15, 1e-9}) {
      EXPECT_LE(error(k * std::numbers::pi / 2.0 + offset), 1e-15) << k << " " << offset;
    }
  }
  // Many arguments, uniformly within each range, up to 2.6e7 rad (the largest argument of the
  // files over +-100 centuries is 2.3e5 rad).
  std::mt19937_64 random(20240611);
  for (const double limit : {4.0, 1e4, 1e6, 2.6e7}) {
    std::uniform_real_distribution<double> uniform(-limit, limit);
    double worst = 0.0;
    for (int i = 0; i < 50000; ++i) worst = std::fmax(worst, error(uniform(random)));
    EXPECT_LE(worst, 1e-15) << "|x| <= " << limit;
  }
  PlanetDataClose();
}

// The nine records of the program's files against a plain sum with std::cos, read from the
// files here: L (compared modulo 2 pi), B and R within 1e-12 rad and AU from 1800 to 2200.
TEST(SeriesEquivalenceTest, EveryRecordMatchesTheStdCosSum) {
  const std::filesystem::path dir = testing::DataFolder();
  const auto readAll = [](const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  };
  const std::string index = readAll(ResolveDataPath(dir, "PLANETS2.NDX"));
  const std::string data = readAll(ResolveDataPath(dir, "PLANETS.DAT"));
  ASSERT_GE(index.size(), 9u * 144u);

  PlanetDataOpen(dir);
  for (int planet = 0; planet < 9; ++planet) ASSERT_TRUE(PlanetDataLoad(planet)) << planet;
  for (int planet = 0; planet < 9; ++planet) {
    // The 18 series lie one after another from first(L0).
    std::int64_t record = static_cast<std::int32_t>(LittleEndian(index, 144 * planet, 4));
    std::array<std::vector<std::array<double, 3>>, 18> series;
    for (int s = 0; s < 18; ++s) {
      const auto count =
          static_cast<std::int32_t>(LittleEndian(index, 144 * planet + 8 * s + 4, 4));
      for (int k = 0; k < count; ++k, ++record) {
        std::array<double, 3> term{};
        for (int j = 0; j < 3; ++j) {
          const auto at = static_cast<std::size_t>(24 * record + 8 * j);
          term[j] = std::bit_cast<double>(LittleEndian(data, at, 8));
        }
        series[s].push_back(term);
      }
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
          for (const auto& x : series[6 * coordinate + j]) sum += x[0] * std::cos(x[1] + x[2] * tau);
          reference[coordinate] += tauPower * sum;
          tauPower *= tau;
        }
      }
      const TSpherical p = HeliocentricPlanet(planet, t);
      // L reduced as HeliocentricPlanet reduces it. Mercury's unreduced L reaches 5200 rad in
      // 1800 and 2200, where one unit in the last place is 9e-13 rad.
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

}  // namespace
}  // namespace himlavy
