// The orthographic globe of the Earth views: a point of the Earth's surface as seen from far
// away above a chosen centre, and the way back from the screen to the surface.
#pragma once

#include <optional>

namespace himlavy {

// A surface point on the screen: pixel X, Y and the depth towards the viewer in pixels
// (positive on the visible hemisphere, negative behind it).
struct TGlobePoint {
  int X = 0;
  int Y = 0;
  double Depth = 0.0;
  bool Visible() const { return Depth >= 0.0; }
};

// The unrounded orthographic coordinates of a surface point, in pixels: X to the right of the
// centre, Height upwards and Depth towards the viewer.
struct TGlobeVector {
  double X = 0.0;
  double Height = 0.0;
  double Depth = 0.0;
};

// GlobeVector: (latitude, longitude) in degrees on a globe of radius `radius` seen from above
// (centreLatitude, centreLongitude). ProjectGlobePoint rounds it to the screen; the views that
// look at the globe from the side or from behind turn it first.
TGlobeVector GlobeVector(double latitude, double longitude, double centreLatitude,
                         double centreLongitude, double radius);

// ProjectGlobePoint: the orthographic projection of (latitude, longitude) in degrees (north
// and east positive) on a globe of radius `radius` pixels centred on the screen at (cx, cy),
// whose centre shows (centreLatitude, centreLongitude). The x and y pixel offsets are rounded
// to the nearest, ties to even; the screen y axis points down.
TGlobePoint ProjectGlobePoint(double latitude, double longitude, double centreLatitude,
                              double centreLongitude, double radius, int cx, int cy);

// A latitude and longitude in degrees.
struct TGeoPoint {
  double Latitude = 0.0;
  double Longitude = 0.0;
};

// GlobePointAt: the surface point under the screen point (x, y) of the globe above, or
// std::nullopt outside the globe and on its rim. The longitude comes from an arcsine, so the
// inverse is exact within 90 degrees of longitude of the centre; it is reduced to -180..180.
std::optional<TGeoPoint> GlobePointAt(int x, int y, double centreLatitude, double centreLongitude,
                                      double radius, int cx, int cy);

// The screen's axes for a globe seen from any direction, as unit vectors in the ecliptic axes
// of date (x towards the equinox, z towards the north ecliptic pole): right, up, and towards
// the viewer (right x up).
struct TViewAxes {
  double Right[3];
  double Up[3];
  double Toward[3];
};

// ProjectSurfacePoint: the point (latitude, longitude) in degrees of the turning Earth, at the
// Greenwich sidereal time `siderealDeg` (degrees) and obliquity `obliquityDeg`, on a globe of
// radius `radius` pixels about (cx, cy) seen along `axes`; the depth is positive on the side
// facing the viewer. Offsets are rounded to the nearest, ties to even.
TGlobePoint ProjectSurfacePoint(double latitude, double longitude, double siderealDeg,
                                double obliquityDeg, const TViewAxes& axes, double radius, int cx,
                                int cy);

}  // namespace himlavy
