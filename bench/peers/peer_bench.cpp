// The quantities of our series benchmarks measured with two peers through their C APIs, linked
// into one program with our own benchmarks (reductions_bench.cpp, positions_bench.cpp,
// ephemeris_bench.cpp, jupiter_moons_bench.cpp) so that one run gives both sides:
//
//   libnova 0.16 (Debian libnova-dev): VSOP87 and ELP 2000-82B after Meeus;
//   the Swiss Ephemeris 2.10 (Debian libswe-dev with swe-basic-data and swe-sat-data), once
//   from its compressed JPL files (SEFLG_SWIEPH, "SweFile") and once from Moshier's analytic
//   theories (SEFLG_MOSEPH, "SweMoshier").
//
// The moments are those of our benchmarks: 1024 values of T spread over 1900-2100 in a
// scrambled order (the satellites: from 1992 December 16, one minute further each call). Every
// peer keeps a cache keyed by the time (libnova per routine, the Swiss Ephemeris per body and
// for the nutation); the time changes at every call, so the caches never answer a call.
//
// What each peer's "apparent place" is made of:
//   libnova, planets: ln_get_<planet>_equ_coords (light time, FK5) + ln_get_equ_aber (annual
//     aberration) + ln_get_nutation and the first-order nutation in right ascension and
//     declination (Meeus 22.1; libnova 0.16 exports no routine for that step);
//   libnova, Sun: ln_get_solar_equ_coords (nutation and aberration included);
//   libnova, Moon: ln_get_lunar_equ_coords (complete ELP 2000-82B, precision 0);
//   Swiss Ephemeris: swe_calc with SEFLG_EQUATORIAL (light time, deflection, aberration,
//     precession and nutation: the apparent place of date).
// Ours (BM_ApparentPlace) also computes the moment's terms and the horizontal coordinates.
#include <benchmark/benchmark.h>
#include <libnova/libnova.h>
#include <swephexp.h>

#include <array>
#include <cmath>
#include <cstddef>
#include <string>

namespace {

constexpr std::size_t kCount = 1024;  // a power of two: the index wraps with a mask
constexpr double kJ2000 = 2451545.0;
constexpr double kDegToRad = 0.017453292519943295;

// Julian days (TT) of 1024 moments with T in [-1, 1), stepped by the golden ratio.
std::array<double, kCount> JulianDays() {
  std::array<double, kCount> values{};
  constexpr double kGolden = 0.6180339887498949;
  double fraction = 0.0;
  for (double& jd : values) {
    fraction += kGolden;
    if (fraction >= 1.0) fraction -= 1.0;
    jd = kJ2000 + 36525.0 * (-1.0 + 2.0 * fraction);
  }
  return values;
}

// ---------------------------------------------------------------------------------------------
// libnova

void BM_Libnova_Nutation(benchmark::State& state) {
  const std::array<double, kCount> days = JulianDays();
  std::size_t i = 0;
  for (auto _ : state) {
    ln_nutation nut;
    ln_get_nutation(days[i], &nut);
    benchmark::DoNotOptimize(nut);
    i = (i + 1) & (kCount - 1);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Libnova_Nutation);

// The geometric Moon, complete ELP 2000-82B (precision 0, as ln_get_lunar_equ_coords uses).
void BM_Libnova_Moon(benchmark::State& state) {
  const std::array<double, kCount> days = JulianDays();
  std::size_t i = 0;
  for (auto _ : state) {
    ln_rect_posn moon;
    ln_get_lunar_geo_posn(days[i], &moon, 0.0);
    benchmark::DoNotOptimize(moon);
    i = (i + 1) & (kCount - 1);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Libnova_Moon)->Unit(benchmark::kMicrosecond);

using HelioFunction = void (*)(double, ln_helio_posn*);

void BM_Libnova_Helio(benchmark::State& state, HelioFunction helio) {
  const std::array<double, kCount> days = JulianDays();
  std::size_t i = 0;
  for (auto _ : state) {
    ln_helio_posn p;
    helio(days[i], &p);
    benchmark::DoNotOptimize(p);
    i = (i + 1) & (kCount - 1);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK_CAPTURE(BM_Libnova_Helio, mercury, ln_get_mercury_helio_coords);
BENCHMARK_CAPTURE(BM_Libnova_Helio, venus, ln_get_venus_helio_coords);
BENCHMARK_CAPTURE(BM_Libnova_Helio, earth, ln_get_earth_helio_coords);
BENCHMARK_CAPTURE(BM_Libnova_Helio, mars, ln_get_mars_helio_coords);
BENCHMARK_CAPTURE(BM_Libnova_Helio, jupiter, ln_get_jupiter_helio_coords);
BENCHMARK_CAPTURE(BM_Libnova_Helio, saturn, ln_get_saturn_helio_coords);
BENCHMARK_CAPTURE(BM_Libnova_Helio, uranus, ln_get_uranus_helio_coords);
BENCHMARK_CAPTURE(BM_Libnova_Helio, neptune, ln_get_neptune_helio_coords);
BENCHMARK_CAPTURE(BM_Libnova_Helio, pluto, ln_get_pluto_helio_coords);

using EquFunction = void (*)(double, ln_equ_posn*);

// A planet's place from libnova: light time and FK5 from ln_get_<planet>_equ_coords, then annual
// aberration, then nutation (Meeus 1991, formula 22.1, with the true obliquity).
ln_equ_posn LibnovaApparentPlanet(EquFunction equ, double jd) {
  ln_equ_posn mean;
  equ(jd, &mean);
  ln_equ_posn aberrated;
  ln_get_equ_aber(&mean, jd, &aberrated);
  ln_nutation nut;
  ln_get_nutation(jd, &nut);
  const double alpha = aberrated.ra * kDegToRad;
  const double delta = aberrated.dec * kDegToRad;
  const double eps = (nut.ecliptic + nut.obliquity) * kDegToRad;
  const double dPsi = nut.longitude * kDegToRad;
  const double dEps = nut.obliquity * kDegToRad;
  const double tanDelta = std::tan(delta);
  const double dAlpha = (std::cos(eps) + std::sin(eps) * std::sin(alpha) * tanDelta) * dPsi -
                        std::cos(alpha) * tanDelta * dEps;
  const double dDelta = std::sin(eps) * std::cos(alpha) * dPsi + std::sin(alpha) * dEps;
  return ln_equ_posn{aberrated.ra + dAlpha / kDegToRad, aberrated.dec + dDelta / kDegToRad};
}

// complete: the routine gives the apparent place by itself (the Sun, the Moon).
void BM_Libnova_Apparent(benchmark::State& state, EquFunction equ, bool complete) {
  const std::array<double, kCount> days = JulianDays();
  std::size_t i = 0;
  for (auto _ : state) {
    ln_equ_posn p;
    if (complete) {
      equ(days[i], &p);
    } else {
      p = LibnovaApparentPlanet(equ, days[i]);
    }
    benchmark::DoNotOptimize(p);
    i = (i + 1) & (kCount - 1);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK_CAPTURE(BM_Libnova_Apparent, sun, ln_get_solar_equ_coords, true);
BENCHMARK_CAPTURE(BM_Libnova_Apparent, moon, ln_get_lunar_equ_coords, true)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Libnova_Apparent, mercury, ln_get_mercury_equ_coords, false);
BENCHMARK_CAPTURE(BM_Libnova_Apparent, venus, ln_get_venus_equ_coords, false);
BENCHMARK_CAPTURE(BM_Libnova_Apparent, mars, ln_get_mars_equ_coords, false);
BENCHMARK_CAPTURE(BM_Libnova_Apparent, jupiter, ln_get_jupiter_equ_coords, false);
BENCHMARK_CAPTURE(BM_Libnova_Apparent, saturn, ln_get_saturn_equ_coords, false);
BENCHMARK_CAPTURE(BM_Libnova_Apparent, uranus, ln_get_uranus_equ_coords, false);
BENCHMARK_CAPTURE(BM_Libnova_Apparent, neptune, ln_get_neptune_equ_coords, false);
BENCHMARK_CAPTURE(BM_Libnova_Apparent, pluto, ln_get_pluto_equ_coords, false);

// ---------------------------------------------------------------------------------------------
// Swiss Ephemeris

// One swe_calc at J2000.0 before timing: skips the benchmark with the library's message when
// the call fails or the ephemeris asked for (the files) is not the one used (the library then
// falls back to Moshier's theories and says so).
bool SweReady(benchmark::State& state, int body, int flags) {
  // The library wants its path set before the first call (nullptr: $SE_EPHE_PATH, else the
  // Debian default /usr/share/libswe/ephe).
  static const bool kPathSet = (swe_set_ephe_path(nullptr), true);
  benchmark::DoNotOptimize(kPathSet);
  std::array<double, 6> x{};
  char error[AS_MAXCH] = "";
  const int ret = swe_calc(kJ2000, body, flags, x.data(), error);
  const int wanted = flags & (SEFLG_SWIEPH | SEFLG_MOSEPH);
  if (ret < 0 || (wanted != 0 && (ret & wanted) == 0) || error[0] != 0) {
    const std::string message = std::string("swe_calc: ") + (error[0] != 0 ? error : "fallback");
    state.SkipWithError(message.c_str());
    return false;
  }
  return true;
}

void RunSwe(benchmark::State& state, int body, int flags) {
  if (!SweReady(state, body, flags)) return;
  const std::array<double, kCount> days = JulianDays();
  std::array<double, 6> x{};
  char error[AS_MAXCH];
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(swe_calc(days[i], body, flags, x.data(), error));
    benchmark::DoNotOptimize(x);
    i = (i + 1) & (kCount - 1);
  }
  state.SetItemsProcessed(state.iterations());
}

// Nutation in longitude and obliquity and the obliquity (the library's default model).
void BM_Swe_Nutation(benchmark::State& state) {
  RunSwe(state, SE_ECL_NUT, 0);
}
BENCHMARK(BM_Swe_Nutation);

// The geometric Moon, mean ecliptic and equinox of date.
void BM_SweFile_Moon(benchmark::State& state) {
  RunSwe(state, SE_MOON, SEFLG_SWIEPH | SEFLG_TRUEPOS | SEFLG_NONUT);
}
BENCHMARK(BM_SweFile_Moon);
void BM_SweMoshier_Moon(benchmark::State& state) {
  RunSwe(state, SE_MOON, SEFLG_MOSEPH | SEFLG_TRUEPOS | SEFLG_NONUT);
}
BENCHMARK(BM_SweMoshier_Moon);

// Heliocentric geometric ecliptic position of date (what VSOP87D gives); the Earth also
// referred to J2000.0 (VSOP87B).
constexpr int kSweHelio = SEFLG_HELCTR | SEFLG_TRUEPOS | SEFLG_NONUT;
constexpr int kSweHelioJ2000 = SEFLG_HELCTR | SEFLG_TRUEPOS | SEFLG_J2000;

void BM_SweFile_Helio(benchmark::State& state, int body) {
  RunSwe(state, body, SEFLG_SWIEPH | kSweHelio);
}
void BM_SweMoshier_Helio(benchmark::State& state, int body) {
  RunSwe(state, body, SEFLG_MOSEPH | kSweHelio);
}
void BM_SweFile_HelioJ2000(benchmark::State& state, int body) {
  RunSwe(state, body, SEFLG_SWIEPH | kSweHelioJ2000);
}
void BM_SweMoshier_HelioJ2000(benchmark::State& state, int body) {
  RunSwe(state, body, SEFLG_MOSEPH | kSweHelioJ2000);
}
BENCHMARK_CAPTURE(BM_SweFile_HelioJ2000, earth_j2000, SE_EARTH);
BENCHMARK_CAPTURE(BM_SweFile_Helio, mercury, SE_MERCURY);
BENCHMARK_CAPTURE(BM_SweFile_Helio, venus, SE_VENUS);
BENCHMARK_CAPTURE(BM_SweFile_Helio, earth, SE_EARTH);
BENCHMARK_CAPTURE(BM_SweFile_Helio, mars, SE_MARS);
BENCHMARK_CAPTURE(BM_SweFile_Helio, jupiter, SE_JUPITER);
BENCHMARK_CAPTURE(BM_SweFile_Helio, saturn, SE_SATURN);
BENCHMARK_CAPTURE(BM_SweFile_Helio, uranus, SE_URANUS);
BENCHMARK_CAPTURE(BM_SweFile_Helio, neptune, SE_NEPTUNE);
BENCHMARK_CAPTURE(BM_SweFile_Helio, pluto, SE_PLUTO);
BENCHMARK_CAPTURE(BM_SweMoshier_HelioJ2000, earth_j2000, SE_EARTH);
BENCHMARK_CAPTURE(BM_SweMoshier_Helio, mercury, SE_MERCURY);
BENCHMARK_CAPTURE(BM_SweMoshier_Helio, venus, SE_VENUS);
BENCHMARK_CAPTURE(BM_SweMoshier_Helio, earth, SE_EARTH);
BENCHMARK_CAPTURE(BM_SweMoshier_Helio, mars, SE_MARS);
BENCHMARK_CAPTURE(BM_SweMoshier_Helio, jupiter, SE_JUPITER);
BENCHMARK_CAPTURE(BM_SweMoshier_Helio, saturn, SE_SATURN);
BENCHMARK_CAPTURE(BM_SweMoshier_Helio, uranus, SE_URANUS);
BENCHMARK_CAPTURE(BM_SweMoshier_Helio, neptune, SE_NEPTUNE);
BENCHMARK_CAPTURE(BM_SweMoshier_Helio, pluto, SE_PLUTO);

// The apparent geocentric right ascension and declination of date.
void BM_SweFile_Apparent(benchmark::State& state, int body) {
  RunSwe(state, body, SEFLG_SWIEPH | SEFLG_EQUATORIAL);
}
void BM_SweMoshier_Apparent(benchmark::State& state, int body) {
  RunSwe(state, body, SEFLG_MOSEPH | SEFLG_EQUATORIAL);
}
BENCHMARK_CAPTURE(BM_SweFile_Apparent, sun, SE_SUN);
BENCHMARK_CAPTURE(BM_SweFile_Apparent, moon, SE_MOON);
BENCHMARK_CAPTURE(BM_SweFile_Apparent, mercury, SE_MERCURY);
BENCHMARK_CAPTURE(BM_SweFile_Apparent, venus, SE_VENUS);
BENCHMARK_CAPTURE(BM_SweFile_Apparent, mars, SE_MARS);
BENCHMARK_CAPTURE(BM_SweFile_Apparent, jupiter, SE_JUPITER);
BENCHMARK_CAPTURE(BM_SweFile_Apparent, saturn, SE_SATURN);
BENCHMARK_CAPTURE(BM_SweFile_Apparent, uranus, SE_URANUS);
BENCHMARK_CAPTURE(BM_SweFile_Apparent, neptune, SE_NEPTUNE);
BENCHMARK_CAPTURE(BM_SweFile_Apparent, pluto, SE_PLUTO);
BENCHMARK_CAPTURE(BM_SweMoshier_Apparent, sun, SE_SUN);
BENCHMARK_CAPTURE(BM_SweMoshier_Apparent, moon, SE_MOON);
BENCHMARK_CAPTURE(BM_SweMoshier_Apparent, mercury, SE_MERCURY);
BENCHMARK_CAPTURE(BM_SweMoshier_Apparent, venus, SE_VENUS);
BENCHMARK_CAPTURE(BM_SweMoshier_Apparent, mars, SE_MARS);
BENCHMARK_CAPTURE(BM_SweMoshier_Apparent, jupiter, SE_JUPITER);
BENCHMARK_CAPTURE(BM_SweMoshier_Apparent, saturn, SE_SATURN);
BENCHMARK_CAPTURE(BM_SweMoshier_Apparent, uranus, SE_URANUS);
BENCHMARK_CAPTURE(BM_SweMoshier_Apparent, neptune, SE_NEPTUNE);
BENCHMARK_CAPTURE(BM_SweMoshier_Apparent, pluto, SE_PLUTO);

// The four Galilean satellites' apparent places (Io..Callisto, 9501..9504, from the numerical
// ephemeris files of swe-sat-data; Jupiter itself comes with each), from JD 2448972.5 (1992
// December 16, as our BM_JupiterMoons_NewT) one minute further each call.
void BM_SweFile_JupiterMoons(benchmark::State& state) {
  constexpr int kFlags = SEFLG_SWIEPH | SEFLG_EQUATORIAL;
  for (int k = 501; k <= 504; ++k) {
    if (!SweReady(state, SE_PLMOON_OFFSET + k, kFlags)) return;
  }
  constexpr double kStep = 1.0 / 1440.0;
  double jd = 2448972.5;
  std::array<double, 6> x{};
  char error[AS_MAXCH];
  for (auto _ : state) {
    double sum = 0.0;
    for (int k = 501; k <= 504; ++k) {
      swe_calc(jd, SE_PLMOON_OFFSET + k, kFlags, x.data(), error);
      sum += x[0] + x[1];
    }
    benchmark::DoNotOptimize(sum);
    jd += kStep;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SweFile_JupiterMoons);

}  // namespace
