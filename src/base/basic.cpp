#include "base/basic.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstddef>

namespace himlavy {

void SinCosMultiples(int n, double x, std::span<double> sinTab, std::span<double> cosTab) {
  assert(n < 1 || (static_cast<std::size_t>(n) <= sinTab.size() &&
                   static_cast<std::size_t>(n) <= cosTab.size()));
  if (n < 1) return;
  const std::size_t count = std::min({static_cast<std::size_t>(n), sinTab.size(), cosTab.size()});
  if (count == 0) return;
  const double sinX = std::sin(x);
  const double cosX = std::cos(x);
  sinTab[0] = sinX;
  cosTab[0] = cosX;
  for (std::size_t k = 1; k < count; ++k) {
    sinTab[k] = sinTab[k - 1] * cosX + cosTab[k - 1] * sinX;
    cosTab[k] = cosTab[k - 1] * cosX - sinTab[k - 1] * sinX;
  }
}

TVector3 PolarToCartesian(const TSpherical& p) {
  const double rCosLat = p.R * std::cos(p.Lat);
  return TVector3{rCosLat * std::cos(p.Lon), rCosLat * std::sin(p.Lon), p.R * std::sin(p.Lat)};
}

TSpherical CartesianToPolar(const TVector3& v) {
  TSpherical p;
  p.Lon = Atan2(v.Y, v.X);
  if (p.Lon < 0.0) p.Lon += kTwoPi;
  if (p.Lon >= kTwoPi) p.Lon = 0.0;  // -tiny + 2pi rounds to 2pi; keep Lon below 2pi
  p.R = std::sqrt(v.X * v.X + v.Y * v.Y + v.Z * v.Z);
  p.Lat = (p.R > 0.0) ? ArcSin(v.Z / p.R) : 0.0;
  return p;
}

}  // namespace himlavy
