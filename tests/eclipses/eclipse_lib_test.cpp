// Eclipse library: degree vectors, the Montenbruck & Pfleger Sun and Moon series, Chebyshev
// fits, the Moon's shadow and the central line. References: Meeus, Astronomical Algorithms 1991
// (AA1) and 1998 (AA2) worked examples; an independent Python sum of the published M&P series
// (tools/tables/mp_*.tsv, every term from its full argument) to 1e-8 degree; F. Espenak's NASA
// bulletin and astronomy-engine 2.1.19 for the eclipse of 1999 August 11.
#include "eclipses/eclipse_lib.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <optional>
#include <tuple>

#include "common/angles.h"

namespace himlavy {
namespace {
using testing::Centuries;
constexpr double kArcSecDeg = 1.0 / 3600.0;  // one arc second in degrees
double CenturiesFromMjd(double mjd) {
  return (mjd - 51544.5) / 36525.0;
}
double AngleArcSec(const TVector3& a, const TVector3& b) {
  return std::atan2(Norm(Cross(a, b)), Dot(a, b)) * 180.0 / std::numbers::pi * 3600.0;
}
TEquatorialDeg SeriesOf(TEclipseBody body, double t) {
  return body == TEclipseBody::Sun ? SunEquatorial(t) : MoonEquatorial(t);
}
TEST(EclipseVectorsTest, DegreeUtilities) {
  const std::tuple<double, double, double> angles[] = {
      {0.0, 0.0, 0.0}, {-1.0, -0.0, 180.0}, {-1.0, -1.0, -135.0}, {std::sqrt(3.0), 1.0, 30.0}};
  for (const auto& [x, y, expected] : angles)
    EXPECT_NEAR(DegAtan2(x, y), expected, 1e-12) << x << y;
  // The sign may sit in any field: -0 deg 30' is written DmsToDeg(0, -30, 0).
  EXPECT_NEAR(DmsToDeg(0, 0, -30.0), -30.0 / 3600.0, 1e-15);
  EXPECT_NEAR(DmsToDeg(0, 30, 0.0), 0.5, 1e-15);
  EXPECT_NEAR(DmsToDeg(0, -30, 0.0), -0.5, 1e-15);
  EXPECT_NEAR(DmsToDeg(12, -15, 0.0), -12.25, 1e-15);
  // r = 2, theta = -30, phi = 315 (PolarDeg makes the longitude positive).
  const TVector3 v{std::sqrt(1.5), -std::sqrt(1.5), -1.0};
  EXPECT_LT(Norm(Add(CartDeg(2.0, -30.0, 315.0), Scale(v, -1.0))), 1e-15);
  const TPolarDeg p = PolarDeg(v), origin = PolarDeg(TVector3{});
  EXPECT_NEAR(p.R, 2.0, 1e-15);
  EXPECT_NEAR(p.Theta, -30.0, 1e-12);
  EXPECT_NEAR(p.Phi, 315.0, 1e-12);
  EXPECT_TRUE(origin.R == 0.0 && origin.Theta == 0.0 && origin.Phi == 0.0);
}
TEST(EclipseVectorsTest, ReductionsFollowMeeusExamples) {
  // AA1 example 12.b: Pollux gives lambda = 113.215630, beta = +6.684170.
  TVector3 v = CartDeg(1.0, 28.026183, 116.328942);
  EquToEclVec(0.0, v);
  EXPECT_NEAR(PolarDeg(v).Phi, 113.215630, 5e-7);
  EXPECT_NEAR(PolarDeg(v).Theta, 6.684170, 5e-7);
  EclToEquVec(0.0, v);
  EXPECT_NEAR(PolarDeg(v).Phi, 116.328942, 1e-12);
  // AA2 example 21.c: Venus precessed to -214 June 30.0 TD: 118.704, +1.615 (AA2 eq. 21.7 in
  // Python: 118.70416775, 1.61533201), and back to a few thousandths of an arc second.
  const double t2 = Centuries(1643074.5);
  TVector3 w = CartDeg(1.0, 1.76549, 149.48194);
  ApplyMatrix(PrecessionMatrixEcl(0.0, t2), w);
  EXPECT_NEAR(PolarDeg(w).Phi, 118.70416775, 2e-7);
  EXPECT_NEAR(PolarDeg(w).Theta, 1.61533201, 2e-7);
  ApplyMatrix(PrecessionMatrixEcl(t2, 0.0), w);
  EXPECT_LT(AngleArcSec(w, CartDeg(1.0, 1.76549, 149.48194)), 0.01);
  // AA1 example 21.a: Dpsi = -3.788", Deps = +9.443"; the short series agrees with the exact
  // rotation to 0.1".
  const double t = Centuries(2446895.5);
  const double eps = 0.4090928 - 2.2696e-4 * t;  // radians, as the routine takes it
  const double dPsi = -3.788 * testing::kArcSec, e2 = eps + 9.443 * testing::kArcSec;
  for (const TVector3& start : {TVector3{0.0, 0.0, 1.0}, CartDeg(1.0, -60.0, 300.0)}) {
    TVector3 nutated = start;
    NutateEquVec(t, nutated);
    const TVector3 ecliptic = RotateAboutX(start, std::cos(eps), -std::sin(eps));
    const TVector3 exact = RotateAboutX(RotateAboutZ(ecliptic, std::cos(dPsi), std::sin(dPsi)),
                                        std::cos(e2), std::sin(e2));
    EXPECT_LT(AngleArcSec(nutated, exact), 0.1) << start.Z;
    EXPECT_GT(AngleArcSec(nutated, start), 2.0) << start.Z;
  }
}
// The independent Python sums at the ends of 1900-2100 (L, B, R and Ra, Dec, R).
TEST(SunMoonSeriesTest, SeriesMatchThePublishedSeries) {
  const std::tuple<TEclipseBody, double, double, double, double, double, double, double, double,
                   double>
      cases[] = {{TEclipseBody::Sun, -1, 279.6443833711, 0.0000490998, 0.983267605497,
                  280.4931070014, -23.1008563562, 0.983267645952, 1e-9, 1e-11},
                 {TEclipseBody::Sun, 0.99998631074606437, 280.6076048445, 0.0000550592,
                  0.983357039319, 281.5307778411, -23.0053868859, 0.983357122475, 1e-9, 1e-11},
                 {TEclipseBody::Moon, -1, 265.2934112976, 0.4615900287, 58.086559881,
                  264.8948596130, -22.9067431256, 58.086560092, 1e-8, 1e-8},
                 {TEclipseBody::Moon, 0.99998631074606437, 157.3996659520, 1.0924111078,
                  58.277764726, 159.5083501901, 9.8029525379, 58.277764741, 1e-8, 1e-8}};
  for (const auto& [body, t, l, b, r, ra, dec, rEqu, bTol, rTol] : cases) {
    SCOPED_TRACE(t);
    const TEclipticDeg ecl = body == TEclipseBody::Sun ? SunSeries(t) : MoonSeries(t);
    EXPECT_NEAR(ecl.L, l, 1e-8);
    EXPECT_NEAR(ecl.B, b, bTol);
    EXPECT_NEAR(ecl.R, r, rTol);
    const TEquatorialDeg equ = SeriesOf(body, t);
    EXPECT_NEAR(equ.Ra, ra, 1e-8);
    EXPECT_NEAR(equ.Dec, dec, 1e-8);
    EXPECT_NEAR(equ.R, rEqu, rTol);
  }
}
// The Chebyshev nodes of a fit of degree n over [ta, tb].
double Node(double ta, double tb, int n, int k) {
  return std::cos((2 * k - 1) * std::numbers::pi / (2 * n + 2)) * (tb - ta) / 2.0 + (tb + ta) / 2.0;
}
TEST(ChebTest, ChebEvalOfKnownCoefficients) {
  // c0/2 + c1 T1 + c2 T2 + c3 T3 with tau = (2t - 24) / 4; the coefficient beyond M unused.
  const TChebPoly f{.M = 3, .A = 10.0, .B = 14.0, .C = {2.0, 3.0, 4.0, -1.0, 1000.0}};
  for (double t : {10.0, 13.5, 14.0, 16.0 /* extrapolated */}) {
    const double tau = (2.0 * t - 24.0) / 4.0;
    EXPECT_NEAR(ChebEval(f, t),
                1.0 + 3.0 * tau + 4.0 * (2.0 * tau * tau - 1.0) - (4.0 * tau * tau - 3.0) * tau,
                1e-12)
        << t;
  }
}
TEST(ChebTest, FitsReproduceTheSeriesAtTheNodesAndBetween) {
  // The search's fits (Moon degree 8, Sun 3, over 1999 August 11 04-18 TT) and degree 13.
  const double ta = CenturiesFromMjd(51401.0 + 4.0 / 24.0), tb = CenturiesFromMjd(51401.75);
  const std::tuple<TEclipseBody, int> cases[] = {
      {TEclipseBody::Moon, 8}, {TEclipseBody::Sun, 3}, {TEclipseBody::Moon, 13}};
  for (const auto& [body, n] : cases) {
    SCOPED_TRACE(n);
    const std::optional<TChebFit> fit = ChebFit(body, ta, tb, n);
    ASSERT_TRUE(fit.has_value());
    // The nodes, then 57 points over the whole span.
    for (int k = 1; k <= n + 1; ++k) {
      const double t = Node(ta, tb, n, k);
      const TEquatorialDeg s = SeriesOf(body, t);
      EXPECT_NEAR(ChebEval(fit->Ra, t), s.Ra, 1e-9) << "node " << k;
      EXPECT_NEAR(ChebEval(fit->Dec, t), s.Dec, 1e-9) << "node " << k;
      EXPECT_NEAR(ChebEval(fit->R, t), s.R, 1e-9 * s.R) << "node " << k;
    }
    for (int i = 0; i <= 56; ++i) {
      const double t = ta + (tb - ta) * i / 56.0;
      const TEquatorialDeg s = SeriesOf(body, t);
      EXPECT_NEAR(ChebEval(fit->Ra, t), s.Ra, 0.001 * kArcSecDeg) << "step " << i;
      EXPECT_NEAR(ChebEval(fit->Dec, t), s.Dec, 0.001 * kArcSecDeg) << "step " << i;
    }
  }
}
TEST(ChebTest, RightAscensionIsUnwrappedAcrossZeroHours) {
  // Sun at 0h at the equinox 2000 March 20 07:35 UT, the Moon 2000 January 11 ~15:30 TT.
  const std::tuple<TEclipseBody, int, double> cases[] = {
      {TEclipseBody::Sun, 3, 51623.0 + 1.0 / 24.0}, {TEclipseBody::Moon, 8, 51555.35}};
  for (const auto& [body, n, mjdA] : cases) {
    const double ta = CenturiesFromMjd(mjdA), tb = CenturiesFromMjd(mjdA + 14.0 / 24.0);
    const std::optional<TChebFit> fit = ChebFit(body, ta, tb, n);
    ASSERT_TRUE(fit.has_value());
    EXPECT_NEAR(ChebEval(fit->Ra, ta), SeriesOf(body, ta).Ra - 360.0, 1e-6) << mjdA;
    EXPECT_NEAR(ChebEval(fit->Ra, tb), SeriesOf(body, tb).Ra, 1e-6) << mjdA;
  }
}
TEST(ChebTest, ChebFitRefusesDegreesAbove13) {
  const double ta = CenturiesFromMjd(51401.0), tb = CenturiesFromMjd(51401.0 + 14.0 / 24.0);
  const std::tuple<TEclipseBody, int, const char*> cases[] = {
      {TEclipseBody::Sun, 14, " N too large in T_FIT_MOON\n"},
      {TEclipseBody::Moon, 1000, " N too large in T_fit_moon\n"}};
  for (const auto& [body, n, message] : cases) {
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(ChebFit(body, ta, tb, n).has_value()) << n;
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), message);
  }
}
TEST(ShadowTest, PhasesFromTheGeometry) {
  // The Sun on the x axis at 23455 Earth radii, the Moon at 0h and the given declination; r0 and
  // the limits computed independently.
  const std::tuple<double, double, TShadowPhase, const char*> cases[] = {
      {57.0, 0.5, TShadowPhase::Total, "r0 0.500, umbra on the Earth"},
      {60.25, 0.5, TShadowPhase::Annular, "r0 0.53, antumbra on the Earth"},
      {57.0, 1.003, TShadowPhase::NonCentralTotal, "r0 1.0036 < 1.0074"},
      {60.25, 0.95, TShadowPhase::NonCentralAnnular, "r0 1.0049 < 1.0078"},
      {57.0, 1.3, TShadowPhase::Partial, "r0 1.30 < 1.539"},
      {60.25, 1.5, TShadowPhase::None, "r0 1.587 > 1.554"}};
  for (const auto& [moonR, moonDec, phase, what] : cases) {
    SCOPED_TRACE(what);
    const TShadow s = ShadowIntersect(0.0, moonDec, moonR, 0.0, 0.0, 23455.0);
    EXPECT_EQ(s.Phase, phase);
    EXPECT_NEAR(s.Axis.X, -1.0, 1e-6);
    if (phase >= TShadowPhase::Annular) {
      // On the surface of the flattened Earth, on the side facing the Moon.
      const double z = s.Point.Z / kEarthPolarRatio;
      EXPECT_NEAR(s.Point.X * s.Point.X + s.Point.Y * s.Point.Y + z * z, 1.0, 1e-12);
      EXPECT_GT(s.Point.X, 0.0);
    }
  }
}
TEST(ShadowTest, UmbraOfDiameterExactlyZeroIsTotal) {
  // Moon and Sun in line with the centre: at 23728.17889908257 Earth radii the umbra diameter is
  // exactly 0 in doubles (found in Python); one ulp nearer the antumbra reaches the Earth.
  const std::tuple<double, int, TShadowPhase> cases[] = {
      {23728.17889908257, 0, TShadowPhase::Total},
      {23728.178899082566, 1, TShadowPhase::Annular},
      {23728.178899082573, -1, TShadowPhase::Total}};
  for (const auto& [sunR, sign, phase] : cases) {
    const TShadow s = ShadowIntersect(0.0, 0.0, 60.25, 0.0, 0.0, sunR);
    EXPECT_EQ((s.D > 0.0) - (s.D < 0.0), sign) << sunR;
    EXPECT_EQ(s.Phase, phase) << sunR;
  }
}
TEST(CentralLineTest, GreatestEclipseOf1999August11) {
  // Greatest eclipse 11:03:01.856 UT at 45.08866 N, 24.31837 E (astronomy-engine), totality
  // 2 min 23 s (NASA). 1" in the Moon's place is ~2 km on the ground: 0.03°/0.04°; k = 0.2725
  // against NASA's 0.272281 lengthens totality by 3-5 s.
  const double ta = CenturiesFromMjd(51401.0 + 4.0 / 24.0), tb = CenturiesFromMjd(51401.75);
  const TChebFit moon = *ChebFit(TEclipseBody::Moon, ta, tb, 8);
  const TChebFit sun = *ChebFit(TEclipseBody::Sun, ta, tb, 3);
  const TCentralLine line = CentralLine(
      moon, sun, 63.7, CenturiesFromMjd(51401.0 + (11.0 + 3.0 / 60.0 + 1.856 / 3600.0) / 24.0));
  EXPECT_EQ(line.Phase, TShadowPhase::Total);
  EXPECT_NEAR(line.Phi, 45.08866, 0.03);
  EXPECT_NEAR(-line.Lambda, 24.31837, 0.04);
  EXPECT_GT(line.Duration, 2.0 + 23.0 / 60.0);
  EXPECT_NEAR(line.Duration, 2.0 + 23.0 / 60.0, 0.1);
  // Penumbra on the Earth at 08:26 UT, umbra at 09:30 UT; outside the central phase all but the
  // phase is 0.
  for (const auto& [hourUt, phase] : {std::pair{6.0, TShadowPhase::None},
                                      {9.0, TShadowPhase::Partial},
                                      {13.5, TShadowPhase::Partial},
                                      {16.0, TShadowPhase::None}}) {
    const TCentralLine l = CentralLine(moon, sun, 63.7, CenturiesFromMjd(51401.0 + hourUt / 24.0));
    EXPECT_EQ(l.Phase, phase) << hourUt;
    EXPECT_TRUE(l.Lambda == 0.0 && l.Phi == 0.0 && l.Duration == 0.0) << hourUt;
  }
}
}  // namespace
}  // namespace himlavy
