#include "astro/phenomena.h"

#include <array>
#include <cassert>
#include <cmath>
#include <cstdint>
#include <limits>

#include "astro/positions.h"
#include "astro/reductions.h"
#include "base/basic.h"
#include "base/timescales.h"

namespace himlavy {

namespace {

// One periodic term of the phases of the Moon: multiples of M, M', F; amplitude (days) and
// power of E for new moon [0], full moon [1] and the quarters [2].
struct TPhaseTerm {
  std::int8_t M, MPrime, F;
  std::array<double, 3> Amplitude;
  std::array<std::int8_t, 3> EPower;
};

// One term of the quarters' W: multiples of M, M', F, power of E, cosine coefficient (days).
struct TQuarterWTerm {
  std::int8_t M, MPrime, F, EPower;
  double Coef;
};

// An additional argument of the phases: C0 + Ck k + CT2 T^2 degrees, and its amplitude (days).
struct TPlanetaryArg {
  double C0, Ck, CT2, Amplitude;
};

// A periodic term of the equinoxes and solstices: A cos(B + C T), B and C in degrees.
struct TSeasonTerm {
  double A, B, C;
};

// Table 36.A for one planet: A and M0 of the first and second phenomenon, B and M1.
struct TPhenomenonMeanRow {
  std::array<double, 2> A;
  double B;
  std::array<double, 2> M0;
  double M1;
};

// Number of harmonics of M and the first row of a series.
struct TTermIndex {
  int Harmonics, First;
};

// One row of the phenomena's series: the quadratic in T of the first and of the second
// phenomenon.
struct TPhenomenonTerm {
  TPoly2 First, Second;
};

// An argument C0 + C1 T, degrees.
struct TLinearArg {
  double C0, C1;
};

// A term of Jupiter .. Neptune in an additional argument: planet row, argument 0 = a .. 6 = g,
// sine and cosine coefficient.
struct TPhenomenonExtraTerm {
  int PlanetRow, Arg;
  TPoly2 Sin, Cos;
};

// One row of the elongations' series: the time (days) and the elongation (degrees).
struct TElongationTerm {
  TPoly2 Time, Angle;
};

#include "astro/phenomena_table.inc"

// Lunation length and epoch of the mean new moon, from the first row of the table.
constexpr double kLunationEpoch = kLunationPoly[0][0];
constexpr double kSynodicMonth = kLunationPoly[0][1];

// The most harmonics any series uses.
constexpr int kMaxHarmonics = 5;

// The factor E^p, p = 0, 1 or 2.
double EPowerFactor(int p, double e) {
  return p == 0 ? 1.0 : (p == 1 ? e : e * e);
}

// The planet row (1 Mercury .. 7 Neptune) of a planet.
int PlanetRowOf(TBody planet) {
  const int number = static_cast<int>(planet);
  return number > 2 ? number - 1 : number;
}

// The first lunation a forward eclipse search tries from JD.
double FirstLunation(double jd) {
  return FloorReal((jd - kLunationEpoch) / kSynodicMonth + 1.03);
}

// The shadow constants (P, U, T) of a lunar eclipse search: penumbra, umbra, totality.
struct TShadowSet {
  double P, U, T;
};
constexpr std::array<TShadowSet, 2> kShadowSets = {
    {{1.5573, 1.0128, 0.4678}, {1.571, 1.0157, 0.4707}}};

}  // namespace

double LunationValue(int row, double t, double k) {
  assert(row >= 0 && row < 5);
  const TPoly4& c = kLunationPoly[static_cast<std::size_t>(row)];
  const double t2 = t * t;
  return c[0] + c[1] * k + ((c[4] * t + c[3]) * t + c[2]) * t2;
}

double MoonPhase(int lunation, int phase) {
  assert(phase >= 0 && phase <= 3);
  const double k = lunation + phase / 4.0;
  const double T = k / 1236.85;
  double jde = LunationValue(0, T, k);
  const double m = Mod2Pi(LunationValue(1, T, k) * kDegToRad);
  const double mPrime = Mod2Pi(LunationValue(2, T, k) * kDegToRad);
  const double f = Mod2Pi(LunationValue(3, T, k) * kDegToRad);
  const double node = Mod2Pi(LunationValue(4, T, k) * kDegToRad);
  jde += kPhaseNodeAmplitude * std::sin(node);
  const double e = Poly2(kPhaseEccentricity, T);

  const std::size_t column = phase == kNewMoon ? 0 : (phase == kFullMoon ? 1 : 2);
  double sum = 0.0;
  for (const TPhaseTerm& term : kPhaseTerms) {
    const double amplitude = term.Amplitude[column];
    if (amplitude == 0.0) continue;
    const double argument = term.M * m + term.MPrime * mPrime + term.F * f;
    sum += amplitude * EPowerFactor(term.EPower[column], e) * std::sin(argument);
  }
  jde += sum;

  if (phase == kFirstQuarter || phase == kLastQuarter) {
    double w = 0.0;
    for (const TQuarterWTerm& term : kQuarterWTerms) {
      const double argument = term.M * m + term.MPrime * mPrime + term.F * f;
      w += term.Coef * EPowerFactor(term.EPower, e) * std::cos(argument);
    }
    jde += phase == kFirstQuarter ? w : -w;
  }

  double planetary = 0.0;
  for (const TPlanetaryArg& arg : kPlanetaryArgs) {
    planetary += arg.Amplitude * std::sin((arg.C0 + arg.Ck * k + arg.CT2 * T * T) * kDegToRad);
  }
  return jde + planetary;
}

double EquinoxSolstice(int year, int which) {
  assert(which >= 0 && which <= 3);
  const bool early = year < 1000;
  const double y = early ? year / 1000.0 : (year - 2000) / 1000.0;
  const double jde0 = Poly4(kSeasonPoly[early ? 0 : 1][static_cast<std::size_t>(which)], y);
  const double T = JulianCenturies(jde0);
  const double w = (35999.373 * T - 2.47) * kDegToRad;
  const double dLambda = 1.0 + 0.0334 * std::cos(w) + 0.0007 * std::cos(2.0 * w);
  double s = 0.0;
  for (const TSeasonTerm& term : kSeasonTerms) {
    s += term.A * std::cos((term.B + term.C * T) * kDegToRad);
  }
  return jde0 + 0.00001 * s / dLambda;
}

TLunationEclipse EclipseAtLunation(double k) {
  TLunationEclipse result;
  const double T = k / 1236.85;
  result.JDE = LunationValue(0, T, k);
  const TMoonArguments args = MoonArguments(JulianCenturies(result.JDE));
  const double m = args.M;
  const double mPrime = args.MPrime;
  const double f = args.F;
  const double node = args.Node;
  const double e = args.E;
  result.MPrime = mPrime;
  if (std::fabs(std::sin(f)) >= 0.36) {
    result.U = 0.0;
    result.Gamma = 2.0;
    return result;
  }

  const double f1 = f - 0.0004651302456564888 * std::sin(node);  // F - 0.02665 deg sin Omega
  const double a1 = (299.77 + 0.107408 * k - 0.009173 * T * T) * kDegToRad;
  using std::cos;
  using std::sin;
  result.JDE += -0.4075 * sin(mPrime) + 0.1721 * e * sin(m) + 0.0161 * sin(2.0 * mPrime) -
                0.0097 * sin(2.0 * f1) + 0.0073 * e * sin(mPrime - m) -
                0.0050 * e * sin(mPrime + m) - 0.0023 * sin(mPrime - 2.0 * f1) +
                0.0021 * e * sin(2.0 * m) + 0.0012 * sin(mPrime + 2.0 * f1) +
                0.0006 * e * sin(2.0 * mPrime + m) - 0.0004 * sin(3.0 * mPrime) -
                0.0003 * e * sin(m + 2.0 * f1) + 0.0003 * sin(a1) - 0.0002 * e * sin(m - 2.0 * f1) -
                0.0002 * e * sin(2.0 * mPrime - m) - 0.0002 * sin(node);

  const double p = 0.2070 * e * sin(m) + 0.0024 * e * sin(2.0 * m) - 0.0392 * sin(mPrime) +
                   0.0116 * sin(2.0 * mPrime) - 0.0073 * e * sin(mPrime + m) +
                   0.0067 * e * sin(mPrime - m) + 0.0118 * sin(2.0 * f1);
  const double q = 5.2207 - 0.0048 * e * cos(m) + 0.0020 * e * cos(2.0 * m) - 0.3299 * cos(mPrime) -
                   0.0060 * e * cos(mPrime + m) + 0.0041 * e * cos(mPrime - m);
  result.Gamma = std::fabs((p * cos(f1) + q * sin(f1)) * (1.0 - 0.0048 * std::fabs(cos(f1))));
  result.U = 0.0059 + 0.0046 * e * cos(m) - 0.0182 * cos(mPrime) + 0.0004 * cos(2.0 * mPrime) -
             0.0005 * cos(m + mPrime);
  return result;
}

TSolarEclipse NextSolarEclipse(double jd) {
  const double first = FirstLunation(jd);
  TLunationEclipse ecl;
  bool found = false;
  for (int step = 0; step < kMaxEclipseLunations && !found; ++step) {
    ecl = EclipseAtLunation(first + step);
    found = ecl.Gamma < 1.5433 + ecl.U;
  }
  TSolarEclipse result;
  if (!found) {
    result.JDE = std::numeric_limits<double>::infinity();
    return result;
  }

  result.JDE = ecl.JDE;
  const double u = ecl.U;
  const double gamma = ecl.Gamma;
  if (gamma >= 0.9972) {
    if (gamma >= 0.9972 + std::fabs(u)) {
      result.Kind = kSolarPartial;
      result.Magnitude = (1.5433 + u - gamma) / (0.5461 + 2.0 * u);
    } else {
      // Where the shadow only grazes the Earth the surface lies near the fundamental plane, so
      // the sign of the cone's radius there decides: an umbra (u < 0) gives a total, an
      // antumbra an annular eclipse (Meeus leaves the kind of a non-central eclipse open).
      result.Kind = u < 0.0 ? kSolarNonCentralTotal : kSolarNonCentralAnnular;
    }
  } else if (u < 0.0) {
    result.Kind = kSolarTotal;
  } else if (u > 0.0047) {
    result.Kind = kSolarAnnular;
  } else {
    result.Kind = 0.00464 * std::sqrt(1.0 - gamma * gamma) > u ? kSolarAnnularTotal : kSolarAnnular;
  }
  return result;
}

TLunarEclipse NextLunarEclipse(int set, double jd) {
  assert(set == 0 || set == 1);
  const TShadowSet& shadow = kShadowSets[set == 1 ? 1 : 0];
  const double first = FirstLunation(jd) + 0.5;
  TLunationEclipse ecl;
  TLunarEclipse result;
  bool found = false;
  for (int step = 0; step < kMaxEclipseLunations && !found; ++step) {
    ecl = EclipseAtLunation(first + step);
    result.Kind = kLunarTotal;
    result.Magnitude = (shadow.U - ecl.U - ecl.Gamma) / 0.545;
    if (result.Magnitude < 0.0) {
      result.Kind = kLunarPenumbral;
      result.Magnitude = (shadow.P + ecl.U - ecl.Gamma) / 0.545;
    }
    found = result.Magnitude > 0.0;
  }
  if (!found) {
    result = TLunarEclipse{};
    result.JDE = std::numeric_limits<double>::infinity();
    return result;
  }

  result.JDE = ecl.JDE;
  const double u = ecl.U;
  const double gamma = ecl.Gamma;
  const double n = 24.0 * (0.5458 + 0.04 * std::cos(ecl.MPrime));
  double p = 0.0;
  if (result.Kind == kLunarPenumbral) {
    p = shadow.P + u;
  } else {
    p = shadow.U - u;
    const double t = shadow.T - u;
    if (gamma >= t) {
      result.Kind = kLunarPartial;
    } else {
      result.TotalSemi = std::sqrt(t * t - gamma * gamma) / n;
    }
  }
  result.PartialSemi = gamma >= p ? 0.0 : std::sqrt(p * p - gamma * gamma) / n;
  return result;
}

int PhenomenonK(int year, TBody planet, int which) {
  const int row = PlanetRowOf(planet);
  assert(row >= 1 && row <= 7 && (which == 0 || which == 1));
  const TPhenomenonMeanRow& mean = kPhenomenonMean[static_cast<std::size_t>(row - 1)];
  const double a = mean.A[static_cast<std::size_t>(which)];
  return static_cast<int>(std::trunc((year * 365.2425 + 1721060.0 - a) / mean.B));
}

TPhenomenonMean PhenomenonMeanTime(int planetRow, int which, int k) {
  assert(planetRow >= 1 && planetRow <= 7 && (which == 0 || which == 1));
  const TPhenomenonMeanRow& mean = kPhenomenonMean[static_cast<std::size_t>(planetRow - 1)];
  const auto column = static_cast<std::size_t>(which);
  TPhenomenonMean result;
  result.JDE0 = mean.A[column] + mean.B * k;
  result.M = (mean.M0[column] + mean.M1 * k) * kDegToRad;
  return result;
}

double PlanetPhenomenon(TBody planet, int which, int k) {
  const int row = PlanetRowOf(planet);
  const TPhenomenonMean mean = PhenomenonMeanTime(row, which, k);
  const double T = JulianCenturies(mean.JDE0);
  const TTermIndex& index = kPhenomenonIndex[static_cast<std::size_t>(row - 1)];
  std::array<double, kMaxHarmonics> sinM{};
  std::array<double, kMaxHarmonics> cosM{};
  SinCosMultiples(index.Harmonics, mean.M, sinM, cosM);

  const auto column = [which](const TPhenomenonTerm& term) -> const TPoly2& {
    return which == 0 ? term.First : term.Second;
  };
  const TPhenomenonTerm* terms = &kPhenomenonTerms[static_cast<std::size_t>(index.First)];
  double corr = Poly2(column(terms[0]), T);
  for (int j = 1; j <= index.Harmonics; ++j) {
    const auto i = static_cast<std::size_t>(j - 1);
    corr += Poly2(column(terms[2 * j - 1]), T) * sinM[i] + Poly2(column(terms[2 * j]), T) * cosM[i];
  }
  for (const TPhenomenonExtraTerm& term : kPhenomenonExtraTerms) {
    if (term.PlanetRow != row) continue;
    const TLinearArg& arg = kPhenomenonArgs[static_cast<std::size_t>(term.Arg)];
    const double x = (arg.C0 + arg.C1 * T) * kDegToRad;
    corr += Poly2(term.Sin, T) * std::sin(x) + Poly2(term.Cos, T) * std::cos(x);
  }
  return mean.JDE0 + corr;
}

TElongation GreatestElongation(int planetRow, int side, int k) {
  assert((planetRow == 1 || planetRow == 2) && (side == 0 || side == 1));
  const TPhenomenonMean mean = PhenomenonMeanTime(planetRow, 0, k);
  const double T = JulianCenturies(mean.JDE0);
  const TTermIndex& index = kElongationIndex[static_cast<std::size_t>(2 * (planetRow - 1) + side)];
  std::array<double, kMaxHarmonics> sinM{};
  std::array<double, kMaxHarmonics> cosM{};
  SinCosMultiples(index.Harmonics, mean.M, sinM, cosM);

  const TElongationTerm* terms = &kElongationTerms[static_cast<std::size_t>(index.First)];
  double time = Poly2(terms[0].Time, T);
  double angle = Poly2(terms[0].Angle, T);
  for (int j = 1; j <= index.Harmonics; ++j) {
    const auto i = static_cast<std::size_t>(j - 1);
    time += Poly2(terms[2 * j - 1].Time, T) * sinM[i] + Poly2(terms[2 * j].Time, T) * cosM[i];
    angle += Poly2(terms[2 * j - 1].Angle, T) * sinM[i] + Poly2(terms[2 * j].Angle, T) * cosM[i];
  }
  TElongation result;
  result.JDE = mean.JDE0 + time;
  result.Elongation = angle;
  return result;
}

}  // namespace himlavy
