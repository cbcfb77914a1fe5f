// What the telescope views of Mercury, Venus, Mars, Jupiter, Saturn and the Moon show at the
// state's moment and site: the apparent place with the corrections the state's switches ask
// for, the phase, the apparent diameters, the position angles of the axis and of the bright
// limb, the parallactic angle, the altitude, Saturn's ring and the text lines of the views.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "astro/bodies.h"
#include "base/obs_state.h"

namespace himlavy {

// Angles are radians, diameters arc seconds. NaN marks a quantity the view does not compute.
struct TDiskView {
  TBody Body = TBody::Mercury;
  double IlluminatedFraction = 0.0;  // k (the Jupiter and Saturn views do not show it)
  double Diameter = 0.0;             // equatorial apparent diameter
  double PolarDiameter = 0.0;        // polar apparent diameter (the diameter for round disks)
  double AxisAngle = 0.0;            // position angle of the north pole; NaN for Mercury, Venus
  double BrightLimbAngle = 0.0;      // position angle chi of the bright limb; NaN for Jupiter,
                                     // Saturn
  double Parallactic = 0.0;          // q; 0 when the parallactic switch is off
  bool ParallacticOn = false;
  double Altitude = 0.0;  // apparent altitude, refracted when asked for and above -0.6 deg
  double RingA = 0.0;     // Saturn: major and minor axes of the outer ring; NaN elsewhere
  double RingB = 0.0;
  double RingTilt = 0.0;   // Saturn: B, the Earth's Saturnicentric latitude; NaN elsewhere
  double PhysicalT = 0.0;  // Julian centuries TT at which the body was computed (light time)
  std::vector<std::string> Lines;  // the view's text lines
};

// The bodies that have a disk view.
bool HasDiskView(TBody body);

// The disk view of `body` (Mercury, Venus, Mars, Jupiter, Saturn or the Moon) at the state's
// moment and site. Light time (not for the Moon), nutation, aberration (not for the Moon),
// parallax, parallactic angle and refraction follow the state's switches; the physical
// ephemerides (Meeus 1st ed., ch. 41, 42, 44, 51) are taken at the light-retarded moment.
// nullopt when the planetary series files in `dataDir` are missing or damaged.
std::optional<TDiskView> DiskView(TBody body, const TObsState& state,
                                  const std::filesystem::path& dataDir);

// The label above the drawing: "Zenit" when the view is turned by the parallactic angle,
// otherwise "Norr".
std::string DiskOrientationLabel(const TDiskView& view);

// A point of a drawing relative to the disk's centre, in pixels, before the turn by the
// position angle: X along the body's equator, Y toward its north pole (the Sun for the
// terminator).
struct TDiskPoint {
  double X = 0.0;
  double Y = 0.0;
};

// The half of the terminator ellipse on the side away from the Sun, for a disk of `radius`
// pixels and illuminated fraction k, sampled at `count` equal steps of the full circle: the
// points x = R sin t, y = (2k - 1) R cos t with y of opposite sign to 2k - 1; none at k = 0.5.
std::vector<TDiskPoint> TerminatorPoints(double k, double radius, int count);

// The visible points of Saturn's outer, middle and inner rings (180 points of 2 deg, 180 of
// 2 deg, 90 of 4 deg at 1, 0.85 and 0.65 times the outer ring's size) at `pixelsPerArcsec`.
// A point is hidden behind the globe beyond the limit f c a sin B (c = 2.25, 2.2, 1.9) on the
// far side. Empty when the ring's minor axis b is at most 0.03" or B is 0 (edge-on).
std::vector<TDiskPoint> SaturnRingPoints(const TDiskView& view, double pixelsPerArcsec);

}  // namespace himlavy
