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
  double IlluminatedFraction = 0.0;  // k; NaN for Jupiter and Saturn
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

}  // namespace himlavy
