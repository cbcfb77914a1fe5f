// Solar eclipses: Chebyshev approximations of the Sun and the Moon, the Moon's shadow on the
// Earth and the central line.
//
// After O. Montenbruck & T. Pfleger, Astronomy on the Personal Computer (Springer), chapters 8
// (Chebyshev approximation) and 9 (the ECLIPSE program). The right ascension, declination and
// distance of the Sun and the Moon are fitted by Chebyshev polynomials over a short interval
// so that the shadow can be traced every few minutes without the full series. Angles are
// degrees; T is Julian centuries since J2000.0; lengths in the shadow geometry are Earth
// radii. The routines keep no state.
//
// This header also brings in the degree vectors (eclipse_vectors.h) and the Sun and Moon
// series (sun_moon_series.h).
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "base/basic.h"
#include "eclipses/eclipse_vectors.h"
#include "eclipses/sun_moon_series.h"

namespace himlavy {

// The Earth's polar radius over its equatorial radius.
inline constexpr double kEarthPolarRatio = 0.996633;
// Earth radii per astronomical unit.
inline constexpr double kEarthRadiiPerAu = 23454.78;
// Diameter of the Sun minus that of the Moon, and their sum, in Earth radii (the Moon's
// diameter being 0.545).
inline constexpr double kSunMinusMoonDiameter = 217.705;
inline constexpr double kSunPlusMoonDiameter = 218.795;
inline constexpr double kMoonDiameter = 0.545;

// The largest degree of a Chebyshev approximation.
inline constexpr int kChebMaxDegree = 13;

// The texts written to standard error when ChebFit refuses a degree above kChebMaxDegree
// (the Sun's text names the Moon's routine, as it always has).
inline constexpr const char* kChebFitSunTooLarge = " N too large in T_FIT_MOON";
inline constexpr const char* kChebFitMoonTooLarge = " N too large in T_fit_moon";

// One Chebyshev approximation f(T) = sum' C[k] T_k(tau), tau = (2T - A - B) / (B - A).
//   M     degree, 0..13
//   A, B  interval, Julian centuries
//   C     coefficients c[0..M] (C[0] counts half)
struct TChebPoly {
  std::int32_t M = 0;
  double A = 0.0;
  double B = 0.0;
  std::array<double, kChebMaxDegree + 1> C{};
};

// The three approximations of one body: right ascension and declination (degrees) and
// distance (AU for the Sun, Earth radii for the Moon).
struct TChebFit {
  TChebPoly Ra;
  TChebPoly Dec;
  TChebPoly R;
};

// The body ChebFit approximates.
enum class TEclipseBody { Sun, Moon };

// The phase of a solar eclipse as the shadow axis meets the Earth (a one-byte code).
enum class TShadowPhase : std::uint8_t {
  None = 0,               // no eclipse
  Partial = 1,            // partial
  NonCentralAnnular = 2,  // non-central annular
  NonCentralTotal = 3,    // non-central total
  Annular = 4,            // annular (central)
  Total = 5,              // total (central)
};

// The Moon and the Sun at one moment, as EvalSunMoon gives them: right ascensions and
// declinations in degrees, distances in Earth radii.
struct TSunMoonPos {
  double MoonRa = 0.0;
  double MoonDec = 0.0;
  double MoonR = 0.0;
  double SunRa = 0.0;
  double SunDec = 0.0;
  double SunR = 0.0;
};

// Where the Moon's shadow axis meets the Earth.
//   Point  the point on the Earth's surface (equatorial, Earth radii; (0, 0, 0) when the axis
//          misses the Earth)
//   Axis   unit vector of the shadow axis from the Sun towards the Moon (in the frame whose
//          z is divided by kEarthPolarRatio)
//   D      diameter of the umbra (negative) or antumbra (positive) in Earth radii, at the
//          point when the axis meets the Earth, else on the fundamental plane
//   Phase  the phase code
struct TShadow {
  TVector3 Point;
  TVector3 Axis;
  double D = 0.0;
  TShadowPhase Phase = TShadowPhase::None;
};

// A point of the central line.
//   Phase     the phase code at that moment
//   Lambda    west longitude, degrees in [-180, 180] (0 unless Phase is 4 or 5)
//   Phi       geographic latitude, degrees (0 unless Phase is 4 or 5)
//   Duration  duration of the central phase at that point, minutes (0 unless Phase is 4 or 5)
struct TCentralLine {
  TShadowPhase Phase = TShadowPhase::None;
  double Lambda = 0.0;
  double Phi = 0.0;
  double Duration = 0.0;
};

// ChebFit: Chebyshev approximations of the Sun's or the Moon's equatorial coordinates.
//   body    Sun (SunEquatorial) or Moon (MoonEquatorial)
//   ta, tb  the interval, Julian centuries since J2000.0 (TT), ta < tb
//   n       degree, 0..13
// Returns the approximations of right ascension, declination and distance, each with M = n,
// A = ta, B = tb. The function is sampled at the n + 1 Chebyshev nodes; the right ascension is
// unwrapped across 0 h, so the approximation may run below 0 or above 360 degrees. A degree
// above 13 is refused: kChebFitSunTooLarge or kChebFitMoonTooLarge is written to standard
// error and nothing is returned.
// Source: Montenbruck & Pfleger, T_FIT_MOON (chapter 8).
std::optional<TChebFit> ChebFit(TEclipseBody body, double ta, double tb, int n);

// ChebEval: the value of a Chebyshev approximation (Clenshaw's recurrence).
//   f  the approximation
//   t  Julian centuries; outside [A, B] the polynomial is extrapolated
// Returns the approximated value.
// Source: Montenbruck & Pfleger, T_EVAL.
double ChebEval(const TChebPoly& f, double t);

// EvalSunMoon: the Moon and the Sun from their approximations.
//   moon, sun  the fits of ChebFit
//   t          Julian centuries (TT)
// Returns right ascensions and declinations (degrees) and distances in Earth radii (the
// Sun's fitted distance in AU times kEarthRadiiPerAu).
TSunMoonPos EvalSunMoon(const TChebFit& moon, const TChebFit& sun, double t);

// ShadowIntersect: the Moon's shadow axis and the flattened Earth.
//   moonRa, moonDec, moonR  the Moon: degrees, degrees, Earth radii
//   sunRa, sunDec, sunR     the Sun: degrees, degrees, Earth radii
// Returns the point where the axis meets the Earth, the axis, the umbra diameter D and the
// phase: 5 (total) when the axis meets the Earth and D <= 0, 4 (annular) when it meets it
// and D > 0; else 3 or 2 (non-central total or annular) when the umbra or antumbra touches
// the Earth, 1 (partial) within the penumbra, 0 otherwise.
// Source: Montenbruck & Pfleger, ECLIPSE (chapter 9).
TShadow ShadowIntersect(double moonRa, double moonDec, double moonR, double sunRa, double sunDec,
                        double sunR);

// CentralLine: the central point of a solar eclipse and the duration of the central phase.
//   moon, sun  the fits of ChebFit (TT)
//   deltaT     TT - UT in seconds
//   t          Julian centuries since J2000.0 in universal time
// Returns the phase, the west longitude and geographic latitude of the point where the shadow
// axis meets the Earth (degrees) and the duration of totality or annularity there (minutes,
// from the shadow's motion over 0.1 minute); longitude, latitude and duration are 0 when the
// eclipse is not central (phase below 4).
// Source: Montenbruck & Pfleger, ECLIPSE (chapter 9).
TCentralLine CentralLine(const TChebFit& moon, const TChebFit& sun, double deltaT, double t);

}  // namespace himlavy
