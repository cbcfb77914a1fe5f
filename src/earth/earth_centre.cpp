#include "earth/earth_centre.h"

#include <cmath>

#include "astro/positions.h"
#include "astro/reductions.h"
#include "base/basic.h"
#include "base/numtext.h"
#include "base/textfile.h"
#include "base/timescales.h"
#include "catalogs/element_files.h"
#include "earth/sun_position.h"

namespace himlavy {

namespace {

constexpr double kKilometresPerAU = 149597870.0;
// The obliquity of J2000.0 (23.4392911 degrees): the satellites' elements are referred to it.
constexpr double kObliquityJ2000 = 0.40909280420293637;
// Light time for one astronomical unit, in Julian centuries.
constexpr double kLightTimeCenturiesPerAU = 1.5812507323750856e-07;
constexpr std::size_t kSatelliteNameChars = 19;

}  // namespace

TPanelBox PanelBox(TEarthPanel panel) {
  switch (panel) {
    case TEarthPanel::From18h:
      return {0, 0, 199, 199, 100, 100};
    case TEarthPanel::FromNorth:
      return {0, 201, 199, 400, 100, 300};
    case TEarthPanel::From6h:
      break;
  }
  return {201, 0, 400, 199, 300, 100};
}

TPanelVector PanelVector(double x, double y, double z, int orientation) {
  if (orientation == 1) return {-y, -x, z};
  return {x, -y, z};
}

TPanelPoint PanelPoint(TEarthPanel panel, const TPanelVector& v, double pixelsPerAU) {
  const double k = pixelsPerAU;
  switch (panel) {
    case TEarthPanel::From18h:
      return {100.0 + k * v.U, 100.0 - k * v.W};
    case TEarthPanel::FromNorth:
      return {100.0 + k * v.U, 300.0 + k * v.V};
    case TEarthPanel::From6h:
      break;
  }
  return {300.0 - k * v.U, 100.0 - k * v.W};
}

bool InFrontOfEarth(TEarthPanel panel, const TPanelVector& v) {
  switch (panel) {
    case TEarthPanel::From18h:
      return v.V > 0.0;
    case TEarthPanel::FromNorth:
      return v.W > 0.0;
    case TEarthPanel::From6h:
      break;
  }
  return v.V < 0.0;
}

int EarthRadiusPixels(double viewScale) {
  return std::max(3, static_cast<int>(RoundHalfEvenToInt(viewScale / 3650.0)));
}

int MoonRadiusPixels(double viewScale, int displayMode) {
  return std::max(displayMode == 1 ? 3 : 2,
                  static_cast<int>(RoundHalfEvenToInt(viewScale / 13395.0)));
}

std::string EarthSatelliteLabel(std::string_view name19) {
  const std::size_t gap = name19.find("  ");
  return std::string(gap == std::string_view::npos ? name19 : name19.substr(0, gap + 1));
}

TEarthCentreScene EarthCentreScene(const TObsState& state, const std::filesystem::path& dataDir) {
  TEarthCentreScene scene;
  if (const auto sun = SubSolarPoint(state, dataDir)) {
    scene.SunRightAscension = sun->RightAscension;
    scene.DayFraction = sun->DayFraction;
  } else {
    scene.MissingFile = true;
  }
  const double t = JulianCenturies(state.JD_TT);
  const double eps0 = MeanObliquity(t);

  const TSpherical moon = MoonPosition(t);
  const double r = moon.R / kKilometresPerAU;
  const double x = r * std::cos(moon.Lat) * std::cos(moon.Lon);
  const double y = r * std::cos(moon.Lat) * std::sin(moon.Lon);
  const double z = r * std::sin(moon.Lat);
  scene.Moon = PanelVector(x, y * std::cos(eps0) - z * std::sin(eps0),
                           y * std::sin(eps0) + z * std::cos(eps0), state.Orientation);

  if (state.CoordSystem != 0) return scene;
  const auto bodies = ReadUsedElementLines(ResolveDataPath(dataDir, kProbeFile),
                                           TElementFileKind::Probe, state.ClockJD);
  if (!bodies) {
    scene.MissingFile = true;
    return scene;
  }
  for (const TMinorBody& body : *bodies) {
    if (body.Centre != "Jor") continue;
    const TOrbitPlane plane = OrbitPlaneConstants(body.Elements, kObliquityJ2000);
    TVector3 v = PositionFromElements(body.Elements, plane, t);
    if (state.CorrLightTime == 1) {
      const double distance = std::sqrt(v.X * v.X + v.Y * v.Y + v.Z * v.Z);
      v = PositionFromElements(body.Elements, plane, t - kLightTimeCenturiesPerAU * distance);
    }
    if (!std::isfinite(v.X) || !std::isfinite(v.Y) || !std::isfinite(v.Z)) continue;
    TEarthSatellite satellite;
    std::string name = body.Name;
    name.resize(std::max(name.size(), kSatelliteNameChars), ' ');
    satellite.Name = name.substr(0, kSatelliteNameChars);
    satellite.Label = EarthSatelliteLabel(satellite.Name);
    satellite.Position = PanelVector(v.X, v.Y, v.Z, state.Orientation);
    satellite.Ring = body.Ring;
    satellite.Labelled = body.Track;
    scene.Satellites.push_back(std::move(satellite));
  }
  return scene;
}

}  // namespace himlavy
