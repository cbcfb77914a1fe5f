#include "astro/jupiter_moons.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <cmath>
#include <cstdint>
#include <limits>
#include <utility>

namespace himlavy {
namespace {

constexpr double kDegree = kPi / 180.0;

// c0 + c1 t, degrees, t in days from JD 2443000.5.
struct TSatLinear {
  double C0;
  double C1;
};

// The linear mean elements of one satellite: mean longitude, perijove, node.
struct TSatElementRates {
  TSatLinear MeanLon;
  TSatLinear Perijove;
  TSatLinear Node;
};

// One term of Gamma: Amp sin(C0 + C1 t), degrees.
struct TSatGammaTerm {
  double Amp;
  double C0;
  double C1;
};

// The arguments the periodic terms are built from. kArgSigma is the satellite's own
// longitude perturbation; it appears in latitude terms only.
enum TSatArg : std::uint8_t {
  kArgL1,
  kArgL2,
  kArgL3,
  kArgL4,
  kArgPi1,
  kArgPi2,
  kArgPi3,
  kArgPi4,
  kArgOmega1,
  kArgOmega2,
  kArgOmega3,
  kArgOmega4,
  kArgPerihelion,
  kArgG,
  kArgGPrime,
  kArgPsi,
  kArgPhiLambda,
  kArgSigma,
  kArgCount
};

using TSatArguments = std::array<double, kArgCount>;

// One periodic term: Amp times the sine or cosine of Const + sum Mult[k] * argument Arg[k]
// over the first Count arguments.
struct TSatTerm {
  double Amp;
  double Const;
  int Count;
  std::array<TSatArg, 4> Arg;
  std::array<double, 4> Mult;
};

// First term and number of terms of one series in kSatTerms.
struct TSatRange {
  int First;
  int Count;
};

struct TSatSeriesRanges {
  TSatRange Longitude;
  TSatRange Latitude;
  TSatRange Radius;
};

#include "astro/jupiter_moons_table.inc"

constexpr double kPerihelion = kSatPerihelionDeg * kDegree;  // Pi, 0.23509483795267...

// Constants of the light-time correction, one per satellite (Meeus, 1st ed., chapter 43).
constexpr std::array<double, 4> kLightTimeK = {17295.0, 21819.0, 27558.0, 36548.0};

// The module state and the arguments built from it, both for State.T.
TSatState State = [] {
  TSatState s;
  s.T = std::numeric_limits<double>::quiet_NaN();
  return s;
}();
TSatArguments Arguments{};

double Linear(const TSatLinear& c, double t) {
  return c.C0 + c.C1 * t;
}

// Brings the mean elements, Gamma and the arguments to T; nothing is done when the state
// already belongs to T.
void RefreshState(double centuries) {
  if (centuries == State.T) return;
  const double t = 36525.0 * centuries + 8544.5;
  State.T = centuries;
  State.Days = t;
  for (int k = 0; k < 4; ++k) {
    const TSatElementRates& rates = kSatElementRates[k];
    TSatMeanElements& e = State.SatMeanElements[k];
    e.MeanLon = Mod2Pi(Linear(rates.MeanLon, t) * kDegree);
    e.Perijove = Linear(rates.Perijove, t) * kDegree;
    e.Node = Linear(rates.Node, t) * kDegree;
    Arguments[kArgL1 + k] = e.MeanLon;
    Arguments[kArgPi1 + k] = e.Perijove;
    Arguments[kArgOmega1 + k] = e.Node;
  }
  double gammaDeg = 0.0;
  for (const TSatGammaTerm& g : kSatGammaTerms) {
    gammaDeg += g.Amp * std::sin((g.C0 + g.C1 * t) * kDegree);
  }
  State.Gamma = gammaDeg * kDegree;
  State.PhiLambda = Linear(kSatPhiLambda, t) * kDegree;
  State.Psi = Linear(kSatPsi, t) * kDegree;
  State.G = (Linear(kSatG, t) + gammaDeg) * kDegree;
  State.GPrime = Linear(kSatGPrime, t) * kDegree;
  Arguments[kArgPerihelion] = kPerihelion;
  Arguments[kArgG] = State.G;
  Arguments[kArgGPrime] = State.GPrime;
  Arguments[kArgPsi] = State.Psi;
  Arguments[kArgPhiLambda] = State.PhiLambda;
  Arguments[kArgSigma] = 0.0;
  ++State.RefreshCount;
}

// Sum of the terms of one series, each Amp sin(argument) or Amp cos(argument).
template <bool kCosine>
double SumSeries(const TSatRange& range, const TSatArguments& args) {
  double sum = 0.0;
  for (int n = range.First; n < range.First + range.Count; ++n) {
    const TSatTerm& term = kSatTerms[n];
    double angle = term.Const;
    for (int k = 0; k < term.Count; ++k) angle += term.Mult[k] * args[term.Arg[k]];
    sum += term.Amp * (kCosine ? std::cos(angle) : std::sin(angle));
  }
  return sum;
}

}  // namespace

const TSatState& SatState() {
  return State;
}

TSpherical SatelliteJovicentric(int i, double t) {
  assert(i >= 1 && i <= 4);
  if (i < 1 || i > 4) return TSpherical{};
  RefreshState(t);
  const int k = i - 1;
  const TSatSeriesRanges& ranges = kSatSeriesRanges[k];

  const double sigma = SumSeries<false>(ranges.Longitude, Arguments) * kDegree;
  State.SatSigma[k] = sigma;
  const double lon = State.SatMeanElements[k].MeanLon + sigma;

  // The latitude series reads the satellite's mean longitude raised by Sigma (so that it is
  // L) and Sigma itself; the raised value lives in a copy and never in the module state.
  TSatArguments raised = Arguments;
  raised[kArgL1 + k] = lon;
  raised[kArgSigma] = sigma;
  const double lat = std::atan(SumSeries<false>(ranges.Latitude, raised));

  const double r = kSatRadiusFactors[k] * (1.0 + SumSeries<true>(ranges.Radius, Arguments));
  return TSpherical{lon, lat, r};
}

TVector3 SatelliteEcliptic(int i, double t) {
  assert(i >= 1 && i <= 5);
  if (i < 1 || i > 5) return TVector3{};
  // Node of Jupiter's equator on the ecliptic, psi of the theory written with T.
  const double psi = (316.50043 - 0.075972 * t) * kDegree;

  TVector3 v{0.0, 0.0, 1.0};
  if (i != kJupiterPole) {
    TSpherical p = SatelliteJovicentric(i, t);
    p.Lon -= psi;
    v = PolarToCartesian(p);
  }

  // Inclination of Jupiter's equator on its orbit; Meeus counts its T from 1900.0, which is
  // T + 1 here.
  const double incl = (3.120262 + 0.0006 * (t + 1.0)) * kDegree;
  v = RotateAboutX(v, std::cos(incl), std::sin(incl));

  // Ascending node of Jupiter's orbit on the ecliptic of date (Meeus, 1st ed., table 30.A),
  // and the precession in longitude since B1950.0, the equinox of the theory.
  const double node = Poly3({100.464441, 1.020955, 0.00040117, 0.000000569}, t) * kDegree;
  const double t1950 = t + 0.5000020944558522;
  const double precession = (1.3966626 + 0.0003088 * t1950) * t1950 * kDegree;
  const double phi = psi + precession - node;
  v = RotateAboutZ(v, std::cos(phi), std::sin(phi));

  // Inclination of Jupiter's orbit on the ecliptic of date (table 30.A), then the node.
  const double inclOrbit = Poly3({1.30327, -0.0054966, 0.00000465, -0.000000004}, t) * kDegree;
  v = RotateAboutX(v, std::cos(inclOrbit), std::sin(inclOrbit));
  return RotateAboutZ(v, std::cos(node), std::sin(node));
}

TVector3 SatelliteApparent(int i, const TVector3& v, const TSpherical& jupiter, bool scaleY,
                           const TVector3& pole) {
  assert(i >= 1 && i <= 5);
  if (i < 1 || i > 5) return TVector3{};
  // Turn the x axis to lambda0 - 90 degrees (cos(90 - lambda0) = sin lambda0), put the line
  // of sight on the third axis, and tilt by beta0.
  TVector3 w = RotateAboutZ(v, std::sin(jupiter.Lon), std::cos(jupiter.Lon));
  std::swap(w.Y, w.Z);
  w = RotateAboutX(w, std::cos(jupiter.Lat), std::sin(jupiter.Lat));
  if (i == kJupiterPole) return w;

  // Rotate about the line of sight until Jupiter's pole points along +Y.
  const double rho = std::hypot(pole.X, pole.Y);
  if (rho > 0.0) w = RotateAboutZ(w, pole.Y / rho, pole.X / rho);

  if (scaleY) w.Y *= kJupiterPolarScale;

  // Differential light time: a satellite behind or before Jupiter is seen where it was |Z|
  // light-radii earlier.
  const double r = std::sqrt(v.X * v.X + v.Y * v.Y + v.Z * v.Z);
  const double ratio = (r > 0.0) ? w.X / r : 0.0;
  w.X += std::fabs(w.Z) / kLightTimeK[i - 1] * std::sqrt(std::max(0.0, 1.0 - ratio * ratio));

  // Perspective: 2095 is the number of Jupiter equatorial radii in one AU.
  const double f = jupiter.R / (jupiter.R + w.Z / 2095.0);
  w.X *= f;
  w.Y *= f;
  return w;
}

}  // namespace himlavy
