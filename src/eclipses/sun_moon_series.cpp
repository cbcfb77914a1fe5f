// Analytic series of the Sun and the Moon (Montenbruck & Pfleger, SUN200 and MOON).
#include "eclipses/sun_moon_series.h"

#include <array>
#include <cmath>
#include <span>

#include "base/timescales.h"
#include "eclipses/eclipse_vectors.h"

namespace himlavy {

namespace {

// --- Tables -------------------------------------------------------------------------------

// One perturbation term of the Sun: multiples of M3 and of the planet's mean anomaly, the T
// flag (0: a new argument; 1, 2: the previous term times T), and the cosine and sine
// coefficients of the longitude (arcsec), the distance (1e-6 AU) and the latitude (arcsec).
struct TSunPertTerm {
  int I1, I, IT;
  double Dlc, Dls, Drc, Drs, Dbc, Dbs;
};

// A mean argument in revolutions: C0 + C1 T.
struct TSunArgument {
  double C0, C1;
};

// A long-period term of the Sun's longitude: Amplitude (arcsec) * sin 2pi(C0 + C1 T).
struct TSunLongPeriodTerm {
  double C0, C1, Amplitude;
};

// One solar term of the Moon: coefficients of the longitude (sin), the argument of latitude
// (sin), gamma1*C (cos) and the parallax (cos), in arcsec; multiples of l, l', F, D.
struct TMoonSolarTerm {
  double CoeffL, CoeffS, CoeffG, CoeffP;
  int P, Q, R, S;
};

// One node term N of the Moon's latitude: coefficient (sin, arcsec); multiples of l, l', F, D.
struct TMoonNodeTerm {
  double CoeffN;
  int P, Q, R, S;
};

// A planetary term of the Moon's longitude: Amplitude (arcsec) * sin 2pi(C0 + C1 T).
struct TMoonPlanetaryTerm {
  double Amplitude, C0, C1;
};

// A long-period argument S = sin 2pi(C0 + C1 T) and its coefficients in L0, l, l', F
// (arcsec).
struct TMoonLongPeriodTerm {
  double C0, C1, DL0, DL, DLS, DF;
};

// C0 + C1 T + C2 T^2 (mean elements), or C2 * sin 2pi(C0 + C1 T) (the terms of dgamma).
struct TMoonPolynomial {
  double C0, C1, C2;
};

#include "eclipses/mp_moon_table.inc"
#include "eclipses/mp_sun200_table.inc"

// --- Shared helpers -----------------------------------------------------------------------

// The cosine and sine of one angle.
struct TCosSin {
  double C = 1.0;
  double S = 0.0;
};

// cos(a + b) and sin(a + b) from the cosines and sines of a and b (addition theorem).
constexpr TCosSin AddThe(const TCosSin& a, const TCosSin& b) {
  return TCosSin{a.C * b.C - a.S * b.S, a.S * b.C + a.C * b.S};
}

// --- Sun ----------------------------------------------------------------------------------

constexpr double kSunTwoPi = 6.283185307;                  // 2 pi as SUN200 has it
constexpr double kLightTimeOneAu = 1.581869343676325e-07;  // 8.32 min in Julian centuries

// Multiples of the Earth's mean anomaly that the terms use: -1 .. kSunEarthMax.
constexpr int kSunEarthMax = 7;
// Multiples of a planet's mean anomaly: 0 .. -kSunPlanetMax.
constexpr int kSunPlanetMax = 8;

template <std::size_t N>
constexpr int LargestPlanetMultiple(const std::array<TSunPertTerm, N>& terms) {
  int largest = 0;
  for (const TSunPertTerm& t : terms) {
    if (t.I1 < -1 || t.I1 > kSunEarthMax || t.I > 0 || -t.I > kSunPlanetMax) return -1;
    if (-t.I > largest) largest = -t.I;
  }
  return largest;
}
constexpr int kSunVenusMax = LargestPlanetMultiple(kSunVenusTerms);
constexpr int kSunMarsMax = LargestPlanetMultiple(kSunMarsTerms);
constexpr int kSunJupiterMax = LargestPlanetMultiple(kSunJupiterTerms);
constexpr int kSunSaturnMax = LargestPlanetMultiple(kSunSaturnTerms);
static_assert(kSunVenusMax > 0 && kSunMarsMax > 0 && kSunJupiterMax > 0 && kSunSaturnMax > 0,
              "a multiple outside the tables of multiples");
static_assert(kSunVenusTerms[0].IT == 0 && kSunMarsTerms[0].IT == 0 &&
              kSunJupiterTerms[0].IT == 0 && kSunSaturnTerms[0].IT == 0);

double SunArgument(const TSunArgument& a, double t) {
  return kSunTwoPi * FracPositive(a.C0 + a.C1 * t);
}

// cos and sin of k * M3 at index k + 1, k = -1 .. 7.
using TEarthMultiples = std::array<TCosSin, kSunEarthMax + 2>;
// cos and sin of -k * Mp at index k, k = 0 .. 8.
using TPlanetMultiples = std::array<TCosSin, kSunPlanetMax + 1>;

// The cosines and sines of -M, -2M, ..., -largest M by the addition theorem.
TPlanetMultiples PlanetMultiples(double m, int largest) {
  TPlanetMultiples p{};
  p[1] = TCosSin{std::cos(m), -std::sin(m)};
  for (int k = 2; k <= largest; ++k) p[static_cast<std::size_t>(k)] = AddThe(p[k - 1], p[1]);
  return p;
}

// Perturbation sums in longitude (arcsec), distance (1e-6 AU) and latitude (arcsec).
struct TSunSums {
  double Dl = 0.0;
  double Dr = 0.0;
  double Db = 0.0;
};

void AddSunTerms(std::span<const TSunPertTerm> terms, const TEarthMultiples& earth,
                 const TPlanetMultiples& planet, double t, TSunSums& sums) {
  double u = 0.0;
  double v = 0.0;
  for (const TSunPertTerm& term : terms) {
    if (term.IT == 0) {
      const TCosSin uv = AddThe(earth[static_cast<std::size_t>(term.I1 + 1)],
                                planet[static_cast<std::size_t>(-term.I)]);
      u = uv.C;
      v = uv.S;
    } else {
      u *= t;
      v *= t;
    }
    sums.Dl += term.Dlc * u + term.Dls * v;
    sums.Dr += term.Drc * u + term.Drs * v;
    sums.Db += term.Dbc * u + term.Dbs * v;
  }
}

// --- Moon ---------------------------------------------------------------------------------

// The largest multiples of l, l', F and D in the tables.
constexpr std::array<int, 4> kMoonMaxMultiple = {4, 3, 4, 6};
constexpr int kMoonMultipleSpan = 6;  // the table of multiples runs from -6 to 6

constexpr int AbsInt(int v) {
  return v < 0 ? -v : v;
}

template <typename Term, std::size_t N>
constexpr bool MultiplesWithinTable(const std::array<Term, N>& terms) {
  for (const Term& t : terms) {
    if (AbsInt(t.P) > kMoonMaxMultiple[0] || AbsInt(t.Q) > kMoonMaxMultiple[1] ||
        AbsInt(t.R) > kMoonMaxMultiple[2] || AbsInt(t.S) > kMoonMaxMultiple[3])
      return false;
  }
  return true;
}
static_assert(MultiplesWithinTable(kMoonSolar1Terms) && MultiplesWithinTable(kMoonSolar2Terms) &&
              MultiplesWithinTable(kMoonSolar3Terms) && MultiplesWithinTable(kMoonNodeTerms));

// sin 2pi frac(phi), phi in revolutions.
double MoonSine(double phi) {
  return std::sin(kMoonTwoPi * FracPositive(phi));
}

// The scaled cosines and sines of the multiples -6 .. 6 of the four arguments l, l', F, D:
// Co[k][j + 6] + i Si[k][j + 6] = (FAC_k (cos a_k + i sin a_k))^|j| with the sign of j.
class TMoonMultiples {
 public:
  void Set(int k, double arg, double fac) {
    auto& row = Rows[static_cast<std::size_t>(k)];
    row[kMoonMultipleSpan] = TCosSin{1.0, 0.0};
    const TCosSin one{std::cos(arg) * fac, std::sin(arg) * fac};
    row[kMoonMultipleSpan + 1] = one;
    const int largest = kMoonMaxMultiple[static_cast<std::size_t>(k)];
    for (int j = 2; j <= largest; ++j)
      row[static_cast<std::size_t>(kMoonMultipleSpan + j)] =
          AddThe(row[static_cast<std::size_t>(kMoonMultipleSpan + j - 1)], one);
    for (int j = 1; j <= largest; ++j) {
      const TCosSin& plus = row[static_cast<std::size_t>(kMoonMultipleSpan + j)];
      row[static_cast<std::size_t>(kMoonMultipleSpan - j)] = TCosSin{plus.C, -plus.S};
    }
  }

  // cos and sin of p l + q l' + r F + s D (with the scale factors).
  TCosSin Term(int p, int q, int r, int s) const {
    const int multiples[4] = {p, q, r, s};
    TCosSin xy{1.0, 0.0};
    for (std::size_t k = 0; k < 4; ++k) {
      if (multiples[k] != 0)
        xy = AddThe(xy, Rows[k][static_cast<std::size_t>(kMoonMultipleSpan + multiples[k])]);
    }
    return xy;
  }

 private:
  std::array<std::array<TCosSin, 2 * kMoonMultipleSpan + 1>, 4> Rows{};
};

// The sums of the solar terms, in arcsec.
struct TMoonSums {
  double DLam = 0.0;
  double DS = 0.0;
  double Gam1C = 0.0;
  double SinPi = kMoonSinPiStart;
};

void AddMoonSolarTerms(std::span<const TMoonSolarTerm> terms, const TMoonMultiples& mult,
                       TMoonSums& sums) {
  for (const TMoonSolarTerm& term : terms) {
    const TCosSin xy = mult.Term(term.P, term.Q, term.R, term.S);
    sums.DLam += term.CoeffL * xy.S;
    sums.DS += term.CoeffS * xy.S;
    sums.Gam1C += term.CoeffG * xy.C;
    sums.SinPi += term.CoeffP * xy.C;
  }
}

// Ecliptic coordinates of date turned to the true equator and equinox of date (SUNEQU and
// MOONEQU after the series).
TEquatorialDeg EquatorialOfDate(const TEclipticDeg& ecl, double t) {
  TVector3 v = CartDeg(ecl.R, ecl.B, ecl.L);
  EclToEquVec(t, v);
  NutateEquVec(t, v);
  const TPolarDeg p = PolarDeg(v);
  return TEquatorialDeg{p.Phi, p.Theta, p.R};
}

}  // namespace

TEclipticDeg SunSeries(double t) {
  const double m2 = SunArgument(kSunMeanAnomalyVenus, t);
  const double m3 = SunArgument(kSunMeanAnomalyEarth, t);
  const double m4 = SunArgument(kSunMeanAnomalyMars, t);
  const double m5 = SunArgument(kSunMeanAnomalyJupiter, t);
  const double m6 = SunArgument(kSunMeanAnomalySaturn, t);
  const double d = SunArgument(kSunMoonElongation, t);
  const double a = SunArgument(kSunMoonAnomaly, t);
  const double uu = SunArgument(kSunMoonLatitudeArgument, t);

  TEarthMultiples earth{};
  earth[1] = TCosSin{1.0, 0.0};
  earth[2] = TCosSin{std::cos(m3), std::sin(m3)};
  earth[0] = TCosSin{earth[2].C, -earth[2].S};
  for (int k = 2; k <= kSunEarthMax; ++k)
    earth[static_cast<std::size_t>(k + 1)] = AddThe(earth[static_cast<std::size_t>(k)], earth[2]);

  TSunSums sums;
  AddSunTerms(kSunVenusTerms, earth, PlanetMultiples(m2, kSunVenusMax), t, sums);
  AddSunTerms(kSunMarsTerms, earth, PlanetMultiples(m4, kSunMarsMax), t, sums);
  AddSunTerms(kSunJupiterTerms, earth, PlanetMultiples(m5, kSunJupiterMax), t, sums);
  AddSunTerms(kSunSaturnTerms, earth, PlanetMultiples(m6, kSunSaturnMax), t, sums);

  // The Earth's centre about the Earth-Moon barycentre.
  sums.Dl += 6.45 * std::sin(d) - 0.42 * std::sin(d - a) + 0.18 * std::sin(d + a) +
             0.17 * std::sin(d - m3) - 0.06 * std::sin(d + m3);
  sums.Dr += 30.76 * std::cos(d) - 3.06 * std::cos(d - a) + 0.85 * std::cos(d + a) -
             0.58 * std::cos(d + m3) + 0.57 * std::cos(d - m3);
  sums.Db += 0.576 * std::sin(uu);

  for (const TSunLongPeriodTerm& lp : kSunLongPeriodTerms)
    sums.Dl += lp.Amplitude * std::sin(kSunTwoPi * (lp.C0 + lp.C1 * t));

  TEclipticDeg sun;
  sun.L = 360.0 * FracPositive(kSunLongitudeC0 + m3 / kSunTwoPi +
                               ((kSunLongitudeC1 + kSunLongitudeC2 * t) * t + sums.Dl) / 1296.0e3);
  sun.R = kSunDistanceC0 + kSunDistanceC1 * t + sums.Dr * 1e-6;
  sun.B = sums.Db / 3600.0;
  return sun;
}

TEquatorialDeg SunEquatorial(double t) {
  return EquatorialOfDate(SunSeries(t - kLightTimeOneAu), t);
}

TEclipticDeg MoonSeries(double t) {
  // Long-period changes of the mean elements and dgamma.
  double dl0 = 0.0;
  double dl = 0.0;
  double dls = 0.0;
  double df = 0.0;
  for (const TMoonLongPeriodTerm& lp : kMoonLongPeriodTerms) {
    const double s = MoonSine(lp.C0 + lp.C1 * t);
    dl0 += lp.DL0 * s;
    dl += lp.DL * s;
    dls += lp.DLS * s;
    df += lp.DF * s;
  }
  const double dd = dl0 - dls;
  double dgam = 0.0;
  for (const TMoonPolynomial& g : kMoonDgamTerms) dgam += g.C2 * MoonSine(g.C0 + g.C1 * t);

  // Mean elements L0, l, l', F, D in radians.
  const double t2 = t * t;
  const std::array<double, 5> corrections = {dl0, dl, dls, df, dd};
  std::array<double, 5> elements{};
  for (std::size_t k = 0; k < elements.size(); ++k) {
    const TMoonPolynomial& e = kMoonMeanElements[k];
    elements[k] =
        kMoonTwoPi * FracPositive(e.C0 + e.C1 * t + e.C2 * t2) + corrections[k] / kMoonArc;
  }
  const double l0 = elements[0];
  const double f = elements[3];
  const double facF = kMoonFacF0 + kMoonFacFDgam * dgam;

  TMoonMultiples mult;
  mult.Set(0, elements[1], kMoonFacL);
  mult.Set(1, elements[2], kMoonFacLs0 + kMoonFacLs1 * t);
  mult.Set(2, f, facF);
  mult.Set(3, elements[4], kMoonFacD);

  TMoonSums sums;
  AddMoonSolarTerms(kMoonSolar1Terms, mult, sums);
  AddMoonSolarTerms(kMoonSolar2Terms, mult, sums);
  AddMoonSolarTerms(kMoonSolar3Terms, mult, sums);

  double n = 0.0;
  for (const TMoonNodeTerm& term : kMoonNodeTerms)
    n += term.CoeffN * mult.Term(term.P, term.Q, term.R, term.S).S;

  for (const TMoonPlanetaryTerm& term : kMoonPlanetaryTerms)
    sums.DLam += term.Amplitude * MoonSine(term.C0 + term.C1 * t);

  TEclipticDeg moon;
  moon.L = 360.0 * FracPositive((l0 + sums.DLam / kMoonArc) / kMoonTwoPi);
  const double s = f + sums.DS / kMoonArc;
  moon.B = (facF * (kMoonBeta0 + kMoonBeta1 + sums.Gam1C) * std::sin(s) +
            kMoonBeta3S * std::sin(3.0 * s) + n) /
           3600.0;
  moon.R = kMoonArc / (sums.SinPi * kMoonSinPiScale);
  return moon;
}

TEquatorialDeg MoonEquatorial(double t) {
  return EquatorialOfDate(MoonSeries(t), t);
}

}  // namespace himlavy
