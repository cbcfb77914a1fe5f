#include "skychart/chart_symbols.h"

#include <algorithm>
#include <cmath>

#include "base/basic.h"
#include "base/numtext.h"

namespace himlavy {

namespace {

// The nearest integer, ties to even (the default rounding mode), kept within +-limit.
int RoundEven(double v, double limit) {
  if (std::isnan(v)) return static_cast<int>(limit);
  return static_cast<int>(RoundHalfEven(std::clamp(v, -limit, limit)));
}

TStarSymbol Box(int x, int y, int left, int top, int right, int bottom) {
  return TStarSymbol{false, x - left, y - top, x + right, y + bottom};
}

}  // namespace

int ZoomMagnitudeShift(int zoom) {
  if (zoom <= 1) return 1;
  if (zoom == 2) return 0;
  if (zoom <= 4) return -1;
  if (zoom <= 8) return -2;
  if (zoom <= 16) return -3;
  if (zoom <= 32) return -4;
  return -5;
}

double Extinction(double altitude) {
  if (altitude >= 43.0) return 0.0;
  if (altitude >= 26.0) return 0.1;
  if (altitude >= 19.0) return 0.3;
  if (altitude >= 11.0) return 0.5;
  if (altitude >= 8.0) return 0.9;
  if (altitude >= 4.0) return 1.2;
  if (altitude >= 2.0) return 2.0;
  if (altitude >= 1.0) return 2.5;
  return 3.0;
}

int RoundMagnitude(double m) {
  return RoundEven(m, 1000.0);
}

std::optional<TStarSymbol> NormalStarSymbol(int n, int x, int y, int largestFrom) {
  if (n >= largestFrom && n <= -4) return Box(x, y, 5, 5, 5, 5);
  if (n == -3) return Box(x, y, 3, 3, 4, 4);
  if (n == -2 || n == -1) return Box(x, y, 3, 3, 3, 3);
  if (n == 0) return Box(x, y, 2, 2, 3, 3);
  if (n == 1 || n == 2) return Box(x, y, 2, 2, 2, 2);
  if (n == 3) return Box(x, y, 1, 1, 2, 2);
  if (n == 4 || n == 5) return Box(x, y, 1, 1, 1, 1);
  if (n >= 6 && n <= 99) return TStarSymbol{true, x, y, x, y};
  return std::nullopt;
}

std::optional<TStarSymbol> AtlasStarSymbol(int n, int x, int y, int largestFrom) {
  if (n >= largestFrom && n <= 0) return Box(x, y, 6, 6, 6, 6);
  if (n == 1) return Box(x, y, 5, 5, 5, 5);
  if (n == 2) return Box(x, y, 4, 4, 4, 4);
  if (n == 3 || n == 4) return Box(x, y, 3, 3, 3, 3);
  if (n == 5 || n == 6) return Box(x, y, 2, 2, 2, 2);
  if (n == 7 || n == 8) return Box(x, y, 1, 1, 2, 2);
  if (n == 9 || n == 10) return Box(x, y, 1, 1, 1, 1);
  if (n >= 11 && n <= 99) return TStarSymbol{true, x, y, x, y};
  return std::nullopt;
}

int ColourIndexClass(int bvHundredths) {
  return RoundEven(bvHundredths / 10.0, 100000.0);
}

std::optional<TRgb> StarColour(int c, int displayMode, bool galaxy) {
  if (c >= -5 && c <= -3) return TRgb{121, 123, 208};
  if (c == -2 || c == -1) return TRgb{91, 185, 230};
  if (c == 0 || c == 1) return TRgb{244, 251, 255};
  if (c >= 2 && c <= 4) return TRgb{176, 234, 206};
  if (c >= 5 && c <= 7) return TRgb{204, 211, 107};
  if (c >= 8 && c <= 11) return TRgb{226, 143, 88};
  if (galaxy && c == 20) return kChartLightGrey;
  if (c >= 12 && c <= 20) return TRgb{235, 85, 20};
  if (c == 990) return displayMode == 1 ? kChartLightGrey : kChartWhite;
  return std::nullopt;
}

int RadiusFromSize(double sizeArcmin, double pixelScale) {
  return std::max(1, RoundEven(sizeArcmin * pixelScale / 120.0, 1e6));
}

// Below this distance in pixels from a whole pixel every point of an outline rounds to it, with
// room for the rounding of the sum (a point at 0.5 could round either way).
constexpr double kSubPixelReach = 0.49;

std::vector<TPixel> OutlinePoints(int x, int y, double a, double b, double posAngle, double dec,
                                  double ra, const TChartView& view, int count) {
  constexpr double kDeg = kPi / 180.0;
  const bool polar = view.CoordSystem == kEquatorialPolar;
  double base = posAngle + 90.0;
  if (polar) base += (view.Hemisphere == 1 ? 1.0 : -1.0) * ra / kDeg;
  const double stretch = polar ? 1.0 : std::cos(dec);
  // An outline within less than half a pixel of its centre in both directions rounds to the
  // centre at every point (most galaxies at small scales): no point needs computing.
  const double reach = std::max(std::fabs(a), std::fabs(b));
  if (reach < kSubPixelReach && (stretch > 1e-9 ? reach / stretch : 0.0) < kSubPixelReach) {
    return std::vector<TPixel>(static_cast<std::size_t>(std::max(count, 0)), TPixel{x, y});
  }
  const double cosBase = std::cos(base * kDeg);
  const double sinBase = std::sin(base * kDeg);
  // The directions of the usual outlines, computed once (the same values as on the way).
  struct TDirections {
    std::vector<double> Cos, Sin;
    explicit TDirections(int n) {
      for (int i = 0; i < n; ++i) {
        const double t = 360.0 / n * i * kDeg;
        Cos.push_back(std::cos(t));
        Sin.push_back(std::sin(t));
      }
    }
  };
  static const TDirections k36(36), k8(8);
  const TDirections* table = count == 36 ? &k36 : count == 8 ? &k8 : nullptr;
  std::vector<TPixel> points;
  points.reserve(static_cast<std::size_t>(std::max(count, 0)));
  for (int i = 0; i < count; ++i) {
    const double t = 360.0 / count * i * kDeg;
    const std::size_t k = static_cast<std::size_t>(i);
    // The point (a cos t, b sin t) of the outline turned by the base direction.
    const double u = a * (table ? table->Cos[k] : std::cos(t));
    const double v = b * (table ? table->Sin[k] : std::sin(t));
    const double east = u * cosBase - v * sinBase;
    const double north = u * sinBase + v * cosBase;
    const double dx = stretch > 1e-9 ? east / stretch : 0.0;
    points.push_back(RoundPixel(TChartPoint{x + dx, y - north}));
  }
  return points;
}

}  // namespace himlavy
