// The space around the Earth at the sky chart's scale: the Earth, the Moon and the artificial
// satellites of "rymdsond.dta" seen in three panels - from 18h and from 6h in the equatorial
// plane, and from above the north celestial pole.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "base/obs_state.h"

namespace himlavy {

// The window's client area and its three 200-pixel panels.
inline constexpr int kEarthCentreClientSize = 398;
enum class TEarthPanel { From18h, FromNorth, From6h };
inline constexpr TEarthPanel kEarthPanels[] = {TEarthPanel::From18h, TEarthPanel::FromNorth,
                                               TEarthPanel::From6h};

struct TPanelBox {
  int Left, Top, Right, Bottom;  // the clip rectangle (right and bottom excluded)
  int CentreX, CentreY;
};
TPanelBox PanelBox(TEarthPanel panel);

// Pixels per astronomical unit at a chart scale of 1.
inline constexpr double kEarthCentrePixelsPerAU = 12.8;

// A geocentric vector in the panels' frame (astronomical units): u to the right in every panel
// but the one from 6h, v into the picture of the panel from 18h, w to the north.
struct TPanelVector {
  double U = 0.0, V = 0.0, W = 0.0;
};

// PanelVector: an equatorial vector (X towards 0h, Z towards the north pole) in the panels'
// frame: orientation 0 puts 0h to the right and 6h up in the panel from the north,
// orientation 1 puts 0h up and 6h to the left.
TPanelVector PanelVector(double x, double y, double z, int orientation);

// Where a panel shows a vector at `pixelsPerAU`, unrounded.
struct TPanelPoint {
  double X = 0.0, Y = 0.0;
};
TPanelPoint PanelPoint(TEarthPanel panel, const TPanelVector& v, double pixelsPerAU);
// Whether the body is on the viewer's side of the Earth in the panel.
bool InFrontOfEarth(TEarthPanel panel, const TPanelVector& v);

// The radius in pixels of the Earth (at least 3) and of the Moon (at least 3 in atlas display
// mode, 2 otherwise) at a chart scale.
int EarthRadiusPixels(double viewScale);
int MoonRadiusPixels(double viewScale, int displayMode);

// A satellite of the Earth at the moment.
struct TEarthSatellite {
  std::string Name;   // columns 1-19 of its line
  std::string Label;  // the name cut after the first blank of its first double blank
  TPanelVector Position;
  bool Ring = false;      // 's': a ring around it
  bool Labelled = false;  // 't': its label written
};

// EarthSatelliteLabel: columns 1-19 of a line cut after the first blank of the first double
// blank (all 19 characters when there is none).
std::string EarthSatelliteLabel(std::string_view name19);

// What the view shows at a moment.
struct TEarthCentreScene {
  double SunRightAscension = 0.0;  // radians, apparent
  double DayFraction = 0.0;        // of the day of JD_UT
  TPanelVector Moon;
  std::vector<TEarthSatellite> Satellites;
  bool MissingFile = false;  // "rymdsond.dta" or the planet series could not be read
};

// EarthCentreScene: the Sun's right ascension (for turning the coastlines), the Moon and the
// satellites whose central body is the Earth ("Jor"), whose show flag is 'j' and whose start
// and stop enclose ClockJD; satellites only while CoordSystem is 0. Light time (CorrLightTime)
// is taken over the satellite's own distance from the Earth.
TEarthCentreScene EarthCentreScene(const TObsState& state, const std::filesystem::path& dataDir);

}  // namespace himlavy
