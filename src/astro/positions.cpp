#include "astro/positions.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iostream>
#include <numbers>
#include <vector>

#include "astro/anomaly.h"
#include "astro/reductions.h"
#include "base/basic.h"
#include "base/textfile.h"
#include "base/timescales.h"

namespace himlavy {

namespace {

// ---------------------------------------------------------------------------------------------
// Cosine and sine for the periodic series
//
// The series evaluate thousands of cosines per position, nearly all of the time spent in the
// C library's general routine. These replace it by a reduction x = k pi + r, |r| <= pi/2, and
// the Taylor polynomials of cos r and sin r, without branches:
//   - k is x / pi rounded to the nearest integer by adding and subtracting 1.5 * 2^52; the
//     sum's lowest mantissa bit is the parity of k, which gives the sign (-1)^k;
//   - r = ((x - k PiHi) - k PiMid) - k PiLo (Cody and Waite): PiHi and PiMid carry 30
//     significant bits each, so k PiHi and k PiMid are exact and the first subtraction is
//     exact for |k| < 2^23 (|x| < 2.6e7 rad); PiHi + PiMid + PiLo equals pi to 2e-35;
//   - cos r through the term in r^20, sin r through r^21: the truncation errors are below
//     (pi/2)^22 / 22! = 1.9e-17 and (pi/2)^23 / 23! = 1.3e-18.
// With the rounding of the reduction and of Horner's scheme, the absolute error is below
// 5e-16 for |x| < 2.6e7 rad (1e-15 is the bound the tests hold it to); larger arguments, up to
// 2^51 pi, lose about one unit in the last place of x, no more than the argument itself
// carries. A NaN or an infinite argument gives NaN.

constexpr double kInvPi = 0.3183098861837907;
constexpr double kPiHi = 3.1415926553308964;        // 0x1.921fb548p+1
constexpr double kPiMid = -1.7411031384001463e-09;  // -0x1.de973dc8p-30
constexpr double kPiLo = -7.00686879617986e-19;
constexpr double kRoundingShift = 6755399441055744.0;  // 1.5 * 2^52

// x = k pi + r: r and (-1)^k.
struct TReducedAngle {
  double R;
  double Sign;
};

inline TReducedAngle ReduceByPi(double x) {
  static constexpr double kSigns[2] = {1.0, -1.0};
  const double shifted = x * kInvPi + kRoundingShift;
  std::uint64_t bits;
  std::memcpy(&bits, &shifted, sizeof bits);
  const double k = shifted - kRoundingShift;
  return TReducedAngle{((x - k * kPiHi) - k * kPiMid) - k * kPiLo, kSigns[bits & 1U]};
}

// The Taylor coefficients (-1)^n / (2n)! of cos r for r^2 .. r^20, and (-1)^n / (2n+1)! of
// sin r for r^3 .. r^21.
constexpr std::array<double, 10> kCosTaylor = {-1.0 / 2.0,
                                               1.0 / 24.0,
                                               -1.0 / 720.0,
                                               1.0 / 40320.0,
                                               -1.0 / 3628800.0,
                                               1.0 / 479001600.0,
                                               -1.0 / 87178291200.0,
                                               1.0 / 20922789888000.0,
                                               -1.0 / 6402373705728000.0,
                                               1.0 / 2432902008176640000.0};
constexpr std::array<double, 10> kSinTaylor = {-1.0 / 6.0,
                                               1.0 / 120.0,
                                               -1.0 / 5040.0,
                                               1.0 / 362880.0,
                                               -1.0 / 39916800.0,
                                               1.0 / 6227020800.0,
                                               -1.0 / 1307674368000.0,
                                               1.0 / 355687428096000.0,
                                               -1.0 / 121645100408832000.0,
                                               1.0 / 51090942171709440000.0};

// Sum of c[i] z^i over the coefficients, by Horner's scheme.
inline double Horner(const std::array<double, 10>& c, double z) {
  double p = c[9];
  for (int i = 8; i >= 0; --i) p = p * z + c[i];
  return p;
}

// cos r for |r| <= pi/2, given z = r^2.
inline double CosPolynomial(double z) {
  return 1.0 + z * Horner(kCosTaylor, z);
}

// sin r for |r| <= pi/2, given r and z = r^2.
inline double SinPolynomial(double r, double z) {
  return r + r * z * Horner(kSinTaylor, z);
}

// cos x, absolute error below 1e-15 for |x| < 2.6e7 rad (see above).
inline double SeriesCos(double x) {
  const TReducedAngle a = ReduceByPi(x);
  return a.Sign * CosPolynomial(a.R * a.R);
}

// sin x and cos x together, each within 1e-15 for |x| < 2.6e7 rad.
struct TSinCos {
  double Sin;
  double Cos;
};

inline TSinCos SeriesSinCos(double x) {
  const TReducedAngle a = ReduceByPi(x);
  const double z = a.R * a.R;
  return TSinCos{a.Sign * SinPolynomial(a.R, z), a.Sign * CosPolynomial(z)};
}

// ---------------------------------------------------------------------------------------------
// The Moon (Meeus 1991, chapter 45)

// Fundamental arguments, degrees, as quartic polynomials in T (1st edition).
constexpr TPoly4 kMoonMeanLongitude{218.3164591, 481267.88134236, -0.0013268, 1.0 / 538841.0,
                                    -1.0 / 65194000.0};
constexpr TPoly4 kMoonElongation{297.8502042, 445267.1115168, -0.0016300, 1.0 / 545868.0,
                                 -1.0 / 113065000.0};
constexpr TPoly4 kSunMeanAnomaly{357.5291092, 35999.0502909, -0.0001536, 1.0 / 24490000.0, 0.0};
constexpr TPoly4 kMoonMeanAnomaly{134.9634114, 477198.8676313, 0.0089970, 1.0 / 69699.0,
                                  -1.0 / 14712000.0};
constexpr TPoly4 kMoonArgumentOfLatitude{93.2720993, 483202.0175273, -0.0034029, -1.0 / 3526000.0,
                                         1.0 / 863310000.0};
constexpr TPoly4 kMoonNode{125.0445550, -1934.1361849, 0.0020762, 1.0 / 467410.0,
                           -1.0 / 60616000.0};
constexpr TPoly2 kEccentricityFactor{1.0, -0.002516, -0.0000074};

// Mean distance of the Moon, km.
constexpr double kMoonMeanDistance = 385000.56;

// One row of table 45.A: multiples of D, M, M', F; the sine coefficient of the longitude
// (0.000001 degree) and the cosine coefficient of the distance (0.001 km).
struct TMoonLongitudeDistanceTerm {
  std::int8_t D, M, MPrime, F;
  std::int32_t SigmaL, SigmaR;
};

// One row of table 45.B: multiples of D, M, M', F; the sine coefficient of the latitude
// (0.000001 degree).
struct TMoonLatitudeTerm {
  std::int8_t D, M, MPrime, F;
  std::int32_t SigmaB;
};

#include "astro/moon_table.inc"

// The Moon's arguments of the last MoonPosition call, read by the three sums.
struct TMoonArgs {
  double D = 0.0;
  double M = 0.0;
  double MPrime = 0.0;
  double F = 0.0;
  double E = 1.0;
  double E2 = 1.0;
};
TMoonArgs MoonArgs;

// The factor of a term with |multiple of M| = 0, 1 or 2: 1, E or E^2.
double EccentricityPower(int multipleOfM) {
  switch (multipleOfM) {
    case 1:
    case -1:
      return MoonArgs.E;
    case 2:
    case -2:
      return MoonArgs.E2;
    default:
      return 1.0;
  }
}

// The largest multiple of D, M, M' or F in tables 45.A and 45.B.
constexpr int kMoonMaxMultiple = 4;

template <typename Table>
constexpr bool MultiplesWithin(const Table& table, int limit) {
  for (const auto& term : table) {
    if (term.D < -limit || term.D > limit || term.M < -limit || term.M > limit ||
        term.MPrime < -limit || term.MPrime > limit || term.F < -limit || term.F > limit) {
      return false;
    }
  }
  return true;
}
static_assert(MultiplesWithin(kMoonLongitudeDistanceTerms, kMoonMaxMultiple));
static_assert(MultiplesWithin(kMoonLatitudeTerms, kMoonMaxMultiple));

using TAngleMultiples = TSignedMultiples<kMoonMaxMultiple>;

TAngleMultiples AngleMultiples(double x) {
  return SignedMultiples<kMoonMaxMultiple>(x);
}

// The multiples of the four arguments D, M, M', F of one moment.
struct TMoonMultiples {
  TAngleMultiples D, M, MPrime, F;
};

// sin and cos of a term's argument D d + M m + M' m' + F f, by the addition theorem from the
// tables of multiples (no call of the library's sine or cosine).
template <typename Term>
TSinCos MoonTermSinCos(const Term& term, const TMoonMultiples& mm) {
  double s = mm.D.Sin[term.D + kMoonMaxMultiple];
  double c = mm.D.Cos[term.D + kMoonMaxMultiple];
  const auto add = [&s, &c](const TAngleMultiples& t, int multiple) {
    const double sm = t.Sin[multiple + kMoonMaxMultiple];
    const double cm = t.Cos[multiple + kMoonMaxMultiple];
    const double sum = s * cm + c * sm;
    c = c * cm - s * sm;
    s = sum;
  };
  add(mm.M, term.M);
  add(mm.MPrime, term.MPrime);
  add(mm.F, term.F);
  return TSinCos{s, c};
}

// Sigma l (0.000001 degree) and Sigma r (0.001 km) of table 45.A; the sine of each longitude
// term and the cosine of each distance term.
void MoonLongitudeDistanceSums(const TMoonMultiples& mm, double& sigmaL, double& sigmaR) {
  sigmaL = 0.0;
  sigmaR = 0.0;
  for (const TMoonLongitudeDistanceTerm& term : kMoonLongitudeDistanceTerms) {
    const TSinCos sc = MoonTermSinCos(term, mm);
    const double factor = EccentricityPower(term.M);
    sigmaL += term.SigmaL * factor * sc.Sin;
    sigmaR += term.SigmaR * factor * sc.Cos;
  }
}

// Sigma b of table 45.B (0.000001 degree).
double MoonLatitudeSum(const TMoonMultiples& mm) {
  double sigmaB = 0.0;
  for (const TMoonLatitudeTerm& term : kMoonLatitudeTerms) {
    sigmaB += term.SigmaB * EccentricityPower(term.M) * MoonTermSinCos(term, mm).Sin;
  }
  return sigmaB;
}

// ---------------------------------------------------------------------------------------------
// Pluto (Meeus 1991, chapter 36)

// One row of table 36.A: multiples of J, S, P; coefficients of sin and cos of the argument for
// the longitude and the latitude (0.000001 degree) and the radius vector (0.0000001 AU).
struct TPlutoTerm {
  std::int8_t I, J, K;
  std::int32_t LonA, LonB, LatA, LatB, RadA, RadB;
};

#include "astro/pluto_table.inc"

// ---------------------------------------------------------------------------------------------
// The planetary term buffer

constexpr int kSeriesPerPlanet = 18;                             // L0..L5, B0..B5, R0..R5
constexpr int kPowersOfTau = 6;                                  // series per coordinate
constexpr int kIndexPlanets = 9;                                 // index records 0..8
constexpr std::size_t kIndexRecordBytes = 8 * kSeriesPerPlanet;  // 144
constexpr std::size_t kTermRecordBytes = 24;

// Bounds of a sound term. The complete VSOP87 series (all planets, versions B and D) have
// amplitudes up to 26088.1 (Mercury's L1, its mean motion), phases in [0, 2 pi) and
// frequencies in [0, 417406.5] radians per millennium; a negative phase or frequency is the
// same term written another way. A term beyond these bounds comes from a damaged file.
constexpr double kMaxTermAmplitude = 1e5;
constexpr double kMaxTermPhase = 2.0 * std::numbers::pi + 1e-6;  // room for a rounded 2 pi
constexpr double kMaxTermFrequency = 1e6;                        // radians per millennium

// One periodic term A cos(B + C tau).
struct TPlanetTerm {
  double A = 0.0;
  double B = 0.0;
  double C = 0.0;
};

// A series in the buffer: its first slot (from 0) and its number of terms.
struct TSeries {
  int First = 0;
  int Count = 0;
};

// A planet's index entry, its series pointing into the buffer; valid only when Loaded.
struct TPlanetIndexEntry {
  bool Loaded = false;
  std::array<TSeries, kSeriesPerPlanet> Series{};
};

std::vector<TPlanetTerm> PlanetTermBuffer;  // kPlanetTermSlots slots while open, else empty
int TermCount = 0;                          // the next free slot, counted from 1
std::filesystem::path PlanetDataDir;
std::array<TPlanetIndexEntry, kIndexPlanets> PlanetIndex{};

std::int32_t Int32LittleEndian(const unsigned char* p) {
  const std::uint32_t u =
      static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
      (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
  std::int32_t value;
  std::memcpy(&value, &u, sizeof value);
  return value;
}

double DoubleLittleEndian(const unsigned char* p) {
  std::uint64_t u = 0;
  for (int k = 7; k >= 0; --k) u = (u << 8) | p[k];
  double value;
  std::memcpy(&value, &u, sizeof value);
  return value;
}

// Reads exactly `count` bytes from `in`; false when the file ends first or a read fails.
bool ReadExactly(std::ifstream& in, unsigned char* out, std::size_t count) {
  in.read(reinterpret_cast<char*>(out), static_cast<std::streamsize>(count));
  return in && static_cast<std::size_t>(in.gcount()) == count;
}

// The size of an open file in bytes (the read position is left at the start), or -1.
std::int64_t FileSize(std::ifstream& in) {
  in.seekg(0, std::ios::end);
  const std::streamoff size = in.tellg();
  in.seekg(0, std::ios::beg);
  return in && size >= 0 ? static_cast<std::int64_t>(size) : -1;
}

// Whether a term read from the data file is a sound VSOP87 term.
bool IsSoundTerm(const TPlanetTerm& term) {
  return std::isfinite(term.A) && std::isfinite(term.B) && std::isfinite(term.C) &&
         std::fabs(term.A) <= kMaxTermAmplitude && std::fabs(term.B) <= kMaxTermPhase &&
         std::fabs(term.C) <= kMaxTermFrequency;
}

// The outcome of reading one planet's terms.
enum class TLoadResult { kLoaded, kFileError, kOverflow };

// Reads planet p's index record and terms into the buffer from slot TermCount - 1 on,
// recording the series in `entry`. TermCount advances with every term read.
TLoadResult ReadPlanetTerms(int planet, TPlanetIndexEntry& entry) {
  const std::filesystem::path dir =
      PlanetDataDir.empty() ? std::filesystem::path(".") : PlanetDataDir;
  std::ifstream index(ResolveDataPath(dir, "PLANETS2.NDX"), std::ios::binary);
  std::ifstream terms(ResolveDataPath(dir, "PLANETS.DAT"), std::ios::binary);
  if (!index || !terms) return TLoadResult::kFileError;
  // Both files hold whole records only.
  const std::int64_t indexBytes = FileSize(index);
  const std::int64_t termBytes = FileSize(terms);
  if (indexBytes < 0 || termBytes < 0 || indexBytes % kIndexRecordBytes != 0 ||
      termBytes % kTermRecordBytes != 0) {
    return TLoadResult::kFileError;
  }
  const std::int64_t termRecords = termBytes / static_cast<std::int64_t>(kTermRecordBytes);

  std::array<unsigned char, kIndexRecordBytes> record{};
  index.seekg(static_cast<std::streamoff>(planet) * static_cast<std::streamoff>(kIndexRecordBytes));
  if (!index || !ReadExactly(index, record.data(), record.size())) return TLoadResult::kFileError;
  // The series must lie one after another from first(L0) (an absent series may give any
  // first) and end inside the data file; reading then needs first(L0) and the counts only.
  const std::int32_t firstL0 = Int32LittleEndian(&record[0]);
  if (firstL0 < 0) return TLoadResult::kFileError;
  std::array<std::int32_t, kSeriesPerPlanet> counts{};
  std::int64_t next = firstL0;
  for (int s = 0; s < kSeriesPerPlanet; ++s) {
    const std::int32_t first = Int32LittleEndian(&record[8 * s]);
    counts[s] = Int32LittleEndian(&record[8 * s + 4]);
    if (counts[s] < 0 || (counts[s] > 0 && first != next)) return TLoadResult::kFileError;
    next += counts[s];
  }
  if (next > termRecords) return TLoadResult::kFileError;

  terms.seekg(static_cast<std::streamoff>(firstL0) * static_cast<std::streamoff>(kTermRecordBytes));
  if (!terms) return TLoadResult::kFileError;

  // The series lie one after another from first(L0); each is placed where it is read, which is
  // first + (TermCount - first(L0) - 1) for a file whose firsts are contiguous.
  std::vector<unsigned char> bytes;
  for (int s = 0; s < kSeriesPerPlanet; ++s) {
    entry.Series[s] = TSeries{TermCount - 1, counts[s]};
    std::int64_t remaining = counts[s];
    while (remaining > 0) {
      if (TermCount > kPlanetTermSlots) {
        std::cerr << kTooManyPlanetaryTerms << '\n';
        return TLoadResult::kOverflow;
      }
      const std::int64_t freeSlots = kPlanetTermSlots - (TermCount - 1);
      const std::size_t n = static_cast<std::size_t>(remaining < freeSlots ? remaining : freeSlots);
      bytes.resize(n * kTermRecordBytes);
      if (!ReadExactly(terms, bytes.data(), bytes.size())) return TLoadResult::kFileError;
      for (std::size_t k = 0; k < n; ++k) {
        const unsigned char* p = &bytes[k * kTermRecordBytes];
        const TPlanetTerm term{DoubleLittleEndian(p), DoubleLittleEndian(p + 8),
                               DoubleLittleEndian(p + 16)};
        if (!IsSoundTerm(term)) return TLoadResult::kFileError;
        PlanetTermBuffer[static_cast<std::size_t>(TermCount - 1)] = term;
        ++TermCount;
      }
      remaining -= static_cast<std::int64_t>(n);
    }
  }
  return TLoadResult::kLoaded;
}

// Sum of A cos(B + C tau) over one series of a loaded planet (the cosine by SeriesCos).
double SeriesSum(const TSeries& series, double tau) {
  double sum = 0.0;
  const TPlanetTerm* term = PlanetTermBuffer.data() + series.First;
  for (int k = 0; k < series.Count; ++k, ++term) {
    sum += term->A * SeriesCos(term->B + term->C * tau);
  }
  return sum;
}

// One coordinate (0 L, 1 B, 2 R) of a loaded planet: sum over j of tau^j times series j.
double CoordinateSum(const TPlanetIndexEntry& entry, int coordinate, double tau) {
  double value = 0.0;
  double tauPower = 1.0;
  for (int j = 0; j < kPowersOfTau; ++j) {
    value += tauPower * SeriesSum(entry.Series[coordinate * kPowersOfTau + j], tau);
    tauPower *= tau;
  }
  return value;
}

// Whether a planet's series place it where a planet can be at J2000.0: between 0.1 and 100 AU
// from the Sun (Mercury's perihelion is 0.31 AU, Neptune's aphelion 30.4 AU) and at a
// heliocentric latitude within +-90 degrees. Files of sound terms that fail this (all zeros,
// for one) are damaged.
bool IsPlausiblePlanet(const TPlanetIndexEntry& entry) {
  const double latitude = CoordinateSum(entry, 1, 0.0);
  const double distance = CoordinateSum(entry, 2, 0.0);
  return std::fabs(latitude) <= kPi / 2.0 && distance >= 0.1 && distance <= 100.0;
}

// ---------------------------------------------------------------------------------------------
// Other constants

// The Earth's figure (Meeus 1991, chapter 10; IAU 1976).
constexpr double kEarthAxisRatio = 0.9966471868221031;  // b/a

// Rotation from the J2000.0 ecliptic of VSOP87 to the FK5 equator (Meeus 1991, chapter 25).
constexpr double kFk5XY = 0.00000044036;
constexpr double kFk5XZ = -0.000000190919;
constexpr double kFk5YX = -0.000000479966;
constexpr double kFk5YY = 0.917482137087;
constexpr double kFk5YZ = -0.397776982902;
constexpr double kFk5ZY = 0.397776982902;
constexpr double kFk5ZZ = 0.917482137087;

// Reduction of elements from B1950.0 (FK4) to J2000.0 (FK5) (Meeus 1991, chapter 23).
constexpr double kB1950L = 0.09073202483985779;  // 5.19856209 degrees
constexpr double kB1950SinJ = 0.0001137895329;   // J = 0.00651966 degrees
constexpr double kB1950CosJ = 0.9999999936;
constexpr double kB1950Psi = 0.07854011095132257;  // 4.50001688 degrees

}  // namespace

// ---------------------------------------------------------------------------------------------

TMoonArguments MoonArguments(double t) {
  TMoonArguments args;
  args.Node = Mod2Pi(Poly4(kMoonNode, t) * kDegToRad);
  args.D = Mod2Pi(Poly4(kMoonElongation, t) * kDegToRad);
  args.M = Mod2Pi(Poly4(kSunMeanAnomaly, t) * kDegToRad);
  args.E = Poly2(kEccentricityFactor, t);
  args.F = Mod2Pi(Poly4(kMoonArgumentOfLatitude, t) * kDegToRad);
  args.MPrime = Mod2Pi(Poly4(kMoonMeanAnomaly, t) * kDegToRad);
  return args;
}

TSpherical MoonPosition(double t) {
  const TMoonArguments args = MoonArguments(t);
  MoonArgs.D = args.D;
  MoonArgs.M = args.M;
  MoonArgs.MPrime = args.MPrime;
  MoonArgs.F = args.F;
  MoonArgs.E = args.E;
  MoonArgs.E2 = args.E * args.E;
  const double lPrime = Mod2Pi(Poly4(kMoonMeanLongitude, t) * kDegToRad);

  const TSinCos a1 = SeriesSinCos((119.75 + 131.849 * t) * kDegToRad);
  const TSinCos a2 = SeriesSinCos((53.09 + 479264.290 * t) * kDegToRad);
  const TSinCos a3 = SeriesSinCos((313.45 + 481266.484 * t) * kDegToRad);
  const TSinCos l = SeriesSinCos(lPrime);

  const TMoonMultiples mm{AngleMultiples(args.D), AngleMultiples(args.M),
                          AngleMultiples(args.MPrime), AngleMultiples(args.F)};
  double sigmaL = 0.0;
  double sigmaR = 0.0;
  MoonLongitudeDistanceSums(mm, sigmaL, sigmaR);
  sigmaL *= 0.000001;  // degrees
  sigmaR *= 0.001;     // km
  double sigmaB = MoonLatitudeSum(mm) * 0.000001;

  // Additive terms (Venus, Jupiter, the flattening of the Earth), degrees. The published pair
  // 0.000175 sin(A1 - F) + 0.000175 sin(A1 + F) is the product 0.00035 sin A1 cos F; the
  // sines of L' - F and L' +- M' by the addition theorem.
  const double sinF = mm.F.Sin[kMoonMaxMultiple + 1];
  const double cosF = mm.F.Cos[kMoonMaxMultiple + 1];
  const double sinMPrime = mm.MPrime.Sin[kMoonMaxMultiple + 1];
  const double cosMPrime = mm.MPrime.Cos[kMoonMaxMultiple + 1];
  const double sinLMinusF = l.Sin * cosF - l.Cos * sinF;
  const double sinLMinusMPrime = l.Sin * cosMPrime - l.Cos * sinMPrime;
  const double sinLPlusMPrime = l.Sin * cosMPrime + l.Cos * sinMPrime;
  sigmaL += 0.003958 * a1.Sin + 0.001962 * sinLMinusF + 0.000318 * a2.Sin;
  sigmaB += -0.002235 * l.Sin + 0.000382 * a3.Sin + 0.00035 * a1.Sin * cosF +
            0.000127 * sinLMinusMPrime - 0.000115 * sinLPlusMPrime;

  TSpherical p;
  p.Lon = lPrime + sigmaL * kDegToRad;
  if (p.Lon < 0.0) p.Lon += kTwoPi;
  p.Lat = sigmaB * kDegToRad;
  p.R = kMoonMeanDistance + sigmaR;
  return p;
}

void PlanetDataOpen(const std::filesystem::path& dir) {
  PlanetTermBuffer.assign(kPlanetTermSlots, TPlanetTerm{});
  TermCount = 1;
  PlanetDataDir = dir;
  PlanetIndex = {};
}

bool PlanetDataLoad(TSeriesPlanet planet) {
  const int record = static_cast<int>(planet);
  if (record >= kIndexPlanets) return true;  // Pluto and beyond need no data
  if (record < 0 || PlanetTermBuffer.empty()) return false;
  TPlanetIndexEntry& entry = PlanetIndex[SeriesIndex(planet)];
  entry.Loaded = false;
  const int termCountBefore = TermCount;
  TLoadResult result = ReadPlanetTerms(record, entry);
  if (result == TLoadResult::kLoaded && !IsPlausiblePlanet(entry)) {
    result = TLoadResult::kFileError;
  }
  if (result == TLoadResult::kFileError) TermCount = termCountBefore;
  entry.Loaded = (result == TLoadResult::kLoaded);
  return entry.Loaded;
}

void PlanetDataClose() {
  PlanetTermBuffer.clear();
  PlanetTermBuffer.shrink_to_fit();
  TermCount = 0;
  PlanetIndex = {};
}

int PlanetTermCount() {
  return TermCount;
}

TSpherical HeliocentricPlanet(TSeriesPlanet planet, double t) {
  if (planet == TSeriesPlanet::Pluto) return PlutoPosition(t);
  const int record = static_cast<int>(planet);
  if (record < 0 || record >= kIndexPlanets) return TSpherical{};
  const TPlanetIndexEntry& entry = PlanetIndex[SeriesIndex(planet)];
  if (!entry.Loaded) return TSpherical{};
  const double tau = t / 10.0;
  TSpherical p;
  p.Lon = Mod2Pi(CoordinateSum(entry, 0, tau));
  p.Lat = CoordinateSum(entry, 1, tau);
  p.R = CoordinateSum(entry, 2, tau);
  return p;
}

TSpherical PlutoPosition(double t) {
  const double j = (34.35 + 3034.9057 * t) * kDegToRad;
  const double s = (50.08 + 1222.1138 * t) * kDegToRad;
  const double p = (238.96 + 144.96 * t) * kDegToRad;
  double sigmaL = 0.0;
  double sigmaB = 0.0;
  double sigmaR = 0.0;
  for (const TPlutoTerm& term : kPlutoTerms) {
    const double alpha = term.I * j + term.J * s + term.K * p;
    const TSinCos sc = SeriesSinCos(alpha);
    const double sinAlpha = sc.Sin;
    const double cosAlpha = sc.Cos;
    sigmaL += term.LonA * sinAlpha + term.LonB * cosAlpha;
    sigmaB += term.LatA * sinAlpha + term.LatB * cosAlpha;
    sigmaR += term.RadA * sinAlpha + term.RadB * cosAlpha;
  }
  TSpherical result;
  result.Lon = Mod2Pi((238.956785 + 144.96 * t + sigmaL * 1e-6) * kDegToRad);
  result.Lat = (-3.908202 + sigmaB * 1e-6) * kDegToRad;
  result.R = 40.7247248 + sigmaR * 1e-7;
  return result;
}

TSpherical GeocentricSun(TSeriesPlanet planet, double t) {
  const TSpherical earth = HeliocentricPlanet(planet, t);
  return TSpherical{Mod2Pi(earth.Lon + kPi), -earth.Lat, earth.R};
}

TVector3 SunRectangular(TSeriesPlanet planet, double eps, double t) {
  const TVector3 v = PolarToCartesian(GeocentricSun(planet, t));
  if (planet != TSeriesPlanet::EarthJ2000) return RotateAboutX(v, std::cos(eps), std::sin(eps));
  return TVector3{v.X + kFk5XY * v.Y + kFk5XZ * v.Z, kFk5YX * v.X + kFk5YY * v.Y + kFk5YZ * v.Z,
                  kFk5ZY * v.Y + kFk5ZZ * v.Z};
}

TObserverGeocentric ObserverGeocentric(double height, double phi) {
  const double u = std::atan(kEarthAxisRatio * std::tan(phi));
  const double h = height / kEarthRadiusM;
  TObserverGeocentric result;
  result.RhoSinPhi = kEarthAxisRatio * std::sin(u) + h * std::sin(phi);
  result.RhoCosPhi = std::cos(u) + h * std::cos(phi);
  return result;
}

TOrbitPlane OrbitPlaneConstants(const TElements& elements, double eps) {
  const double sinNode = std::sin(elements.Node);
  const double cosNode = std::cos(elements.Node);
  const double sinIncl = std::sin(elements.Incl);
  const double cosIncl = std::cos(elements.Incl);
  const double sinEps = std::sin(eps);
  const double cosEps = std::cos(eps);
  const double f = cosNode;
  const double g = sinNode * cosEps;
  const double h = sinNode * sinEps;
  const double p = -sinNode * cosIncl;
  const double q = cosNode * cosIncl * cosEps - sinIncl * sinEps;
  const double r = cosNode * cosIncl * sinEps + sinIncl * cosEps;
  TOrbitPlane plane;
  plane.A = Atan2(f, p);
  plane.B = Atan2(g, q);
  plane.C = Atan2(h, r);
  plane.a = std::sqrt(f * f + p * p);
  plane.b = std::sqrt(g * g + q * q);
  plane.c = std::sqrt(h * h + r * r);
  return plane;
}

TVector3 PositionFromElements(const TElements& el, const TOrbitPlane& plane, double t) {
  double v = 0.0;
  double r = 0.0;
  if (el.Ecc < 1.0) {
    const double m = (t - el.Epoch) * kDaysPerCentury * el.DailyMotion + el.M0;
    v = KeplerTrueAnomaly(el.Ecc, m);
    r = el.SemiMajor * (1.0 - el.Ecc * el.Ecc) / (1.0 + el.Ecc * std::cos(v));
  } else if (el.Ecc == 1.0) {
    v = ParabolicTrueAnomaly(el.PeriDist, t - el.Epoch);
    r = 2.0 * el.PeriDist / (1.0 + std::cos(v));
  } else {
    v = NearParabolicTrueAnomaly(el.Ecc, el.PeriDist, t - el.Epoch);
    r = (1.0 + el.Ecc) * el.PeriDist / (1.0 + el.Ecc * std::cos(v));
  }
  const double u = el.ArgPeri + v;
  return TVector3{r * plane.a * std::sin(plane.A + u), r * plane.b * std::sin(plane.B + u),
                  r * plane.c * std::sin(plane.C + u)};
}

void ElementsB1950ToJ2000(TElements& elements) {
  const double w = kB1950L + elements.Node;
  const double sinW = std::sin(w);
  const double cosW = std::cos(w);
  const double sinIncl = std::sin(elements.Incl);
  const double cosIncl = std::cos(elements.Incl);

  const double a = sinW * sinIncl;
  const double b = cosW * sinIncl * kB1950CosJ + cosIncl * kB1950SinJ;
  double incl = ArcSin(std::sqrt(a * a + b * b));
  double node = Atan2(a, b) - kB1950Psi;
  const double deltaArgPeri =
      Atan2(sinW * kB1950SinJ, cosW * cosIncl * kB1950SinJ + sinIncl * kB1950CosJ);
  const double argPeri = Mod2Pi(elements.ArgPeri + deltaArgPeri);
  // ArcSin gives i' in [0, pi/2]; a retrograde orbit (cos i' < 0) has i' = pi - that. Its
  // node needs no turning: sin i' > 0 either way, so Atan2(a, b) is already in the right
  // quadrant (adding pi here would put the node on the wrong side of the orbit).
  if (cosIncl * kB1950CosJ - cosW * sinIncl * kB1950SinJ < 0.0) {
    incl = kPi - incl;
    node = Mod2Pi(node);
  }
  elements.ArgPeri = argPeri;
  elements.Node = node;
  elements.Incl = incl;
}

TSpherical GeocentricFromHeliocentric(const TSpherical& planet, const TSpherical& earth) {
  const TVector3 b = PolarToCartesian(planet);
  const TVector3 e = PolarToCartesian(earth);
  return CartesianToPolar(TVector3{b.X - e.X, b.Y - e.Y, b.Z - e.Z});
}

TSpherical VectorSumToPolar(const TVector3& v1, const TVector3& v2) {
  return CartesianToPolar(TVector3{v1.X + v2.X, v1.Y + v2.Y, v1.Z + v2.Z});
}

}  // namespace himlavy
