#include "earth/globe.h"

#include <cmath>

#include "base/formatting.h"
#include "base/numtext.h"

namespace himlavy {

TGlobeVector GlobeVector(double latitude, double longitude, double centreLatitude,
                         double centreLongitude, double radius) {
  const double x = radius * CosDeg(latitude) * SinDeg(longitude - centreLongitude);
  const double y = radius * SinDeg(latitude);
  const double z = radius * CosDeg(latitude) * CosDeg(longitude - centreLongitude);
  // Turn the (z, y) plane about the x axis by the centre's latitude.
  const double r = std::sqrt(y * y + z * z);
  const double a = ArcTan2Deg(y, z);
  const double height = r * SinDeg(a - centreLatitude);
  const double depth = r * CosDeg(a - centreLatitude);
  return {x, height, depth};
}

TGlobePoint ProjectGlobePoint(double latitude, double longitude, double centreLatitude,
                              double centreLongitude, double radius, int cx, int cy) {
  const TGlobeVector v = GlobeVector(latitude, longitude, centreLatitude, centreLongitude, radius);
  return {cx + static_cast<int>(RoundHalfEvenToInt(v.X)),
          cy - static_cast<int>(RoundHalfEvenToInt(v.Height)), v.Depth};
}

TGlobePoint ProjectSurfacePoint(double latitude, double longitude, double siderealDeg,
                                double obliquityDeg, const TViewAxes& axes, double radius, int cx,
                                int cy) {
  // Equatorial, then turned about the x axis into ecliptic axes.
  const double rightAscension = siderealDeg + longitude;
  const double x = CosDeg(latitude) * CosDeg(rightAscension);
  const double ye = CosDeg(latitude) * SinDeg(rightAscension);
  const double ze = SinDeg(latitude);
  const double v[3] = {x, ye * CosDeg(obliquityDeg) + ze * SinDeg(obliquityDeg),
                       -ye * SinDeg(obliquityDeg) + ze * CosDeg(obliquityDeg)};
  const auto along = [&v](const double(&axis)[3]) {
    return v[0] * axis[0] + v[1] * axis[1] + v[2] * axis[2];
  };
  return {cx + static_cast<int>(RoundHalfEvenToInt(radius * along(axes.Right))),
          cy - static_cast<int>(RoundHalfEvenToInt(radius * along(axes.Up))),
          radius * along(axes.Toward)};
}

std::optional<TGeoPoint> GlobePointAt(int x, int y, double centreLatitude, double centreLongitude,
                                      double radius, int cx, int cy) {
  const double u = (x - cx) / radius;
  const double w = (cy - y) / radius;
  const double inside = 1.0 - u * u - w * w;
  if (!(inside > 0.0)) return std::nullopt;
  TGeoPoint point;
  point.Latitude =
      ArcSinDeg(CosDeg(centreLatitude) * w + SinDeg(centreLatitude) * std::sqrt(inside));
  double longitude = ArcSinDeg(u / CosDeg(point.Latitude)) + centreLongitude;
  Normalize360(longitude);
  while (longitude > 180.0) longitude -= 360.0;
  point.Longitude = longitude;
  return point;
}

}  // namespace himlavy
