// What the two windows of Jupiter's large moons show, as data.
//
// The strip ("Jupiters månar sedda från jorden"): Jupiter and Io, Europa, Ganymede and
// Callisto as seen from the Earth, Jupiter's north up, along a long line through Jupiter's
// equator; the bodies are drawn from the farthest to the nearest, so that Jupiter covers a moon
// behind it and a moon in transit is drawn over the disk.
//
// Jupiter in the centre ("Jupiter i centrum"): the moons, and the space probes that orbit
// Jupiter, in two panels at the sky chart's scale: on the left Jupiter's equatorial plane seen
// from its north pole, on the right the same seen edge-on (north to the right).
#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/basic.h"
#include "base/obs_state.h"

namespace himlavy {

// --- The strip ---

inline constexpr std::string_view kJupiterMoonsCaption = "Jupiters månar sedda från jorden";
inline constexpr std::string_view kJupiterMoonsHelpTopic = "HVHELP.XAN_277";
inline constexpr std::string_view kJupiterMoonsPanelHint =
    "| Placera korset över en planet eller måne";
// The strip's centre in the client area, and the half length of the equator line.
inline constexpr int kStripCentreX = 490;
inline constexpr int kStripCentreY = 130;
inline constexpr int kStripEquatorHalf = 470;
// Pixels per Jupiter equatorial radius and the moons' radius in pixels: normal and magnified.
inline constexpr int kStripScale = 16;
inline constexpr int kStripMoonRadius = 2;
inline constexpr int kStripScaleMagnified = 80;
inline constexpr int kStripMoonRadiusMagnified = 4;
// Jupiter's polar radius over its equatorial radius, as the strip draws the disk.
inline constexpr double kStripPolarRatio = 0.933;
// The distance of the north (or zenith) mark from Jupiter's centre, magnified strip only.
inline constexpr int kStripMarkDistance = 67;
// The mouse names a body whose point lies within this many pixels.
inline constexpr int kStripMouseReach = 5;

// Index of Jupiter among the strip's bodies (the moons are 0..3: Io, Europa, Ganymede, Callisto).
inline constexpr int kStripJupiter = 4;

// One body of the strip.
//   Key       the depth key: minus the rounded distance behind Jupiter's centre (Z, in
//             equatorial radii); 0 for Jupiter
//   Box       the ellipse's box (x1, y1, x2, y2)
//   LabelX, LabelY  the body's point (where its name goes, and what the mouse finds)
struct TStripBody {
  int Body = 0;  // 0..3 the moons, kStripJupiter
  int Key = 0;
  std::array<int, 4> Box{};
  int LabelX = 0;
  int LabelY = 0;
};

struct TJupiterMoonsStrip {
  int Scale = kStripScale;
  int MoonRadius = kStripMoonRadius;
  std::array<TStripBody, 5> Bodies{};  // by body: Io, Europa, Ganymede, Callisto, Jupiter
  std::array<int, 5> DrawOrder{};      // indices into Bodies, the first drawn first
  // The "N" over Jupiter's north pole.
  int NorthX = 0;
  int NorthY = 0;
  // The mark of the sky's north ("N") or of the zenith ("Z", parallactic angle on), magnified
  // strip only.
  bool HasDirectionMark = false;
  std::string DirectionText;
  int MarkX = 0;
  int MarkY = 0;
  bool LabelMoons = false;  // LabelPlanets: write the moons' names under their points
};

// The name of a strip body (index 0..4) as the window writes it.
std::string_view StripBodyName(int body);

// LayoutJupiterMoonsStrip: the strip for given apparent places.
//   moons       X, Y, Z of Io .. Callisto in Jupiter equatorial radii (X west, Y north, Z away
//               from the Earth)
//   magnified   the "&+/-" magnification
//   axisAngle   P, position angle of Jupiter's north pole, radians
//   parallactic q, radians (0 when the parallactic angle is not used)
//   zenithUp    the parallactic angle is used: the mark reads "Z", otherwise "N"
//   labelMoons  the moons' names are written
// Keys and points are rounded to the nearest (ties to even). The draw order is that of an
// exchange sort by key: for i < j, entries i and j change places when j's key is smaller.
TJupiterMoonsStrip LayoutJupiterMoonsStrip(const std::array<TVector3, 4>& moons, bool magnified,
                                           double axisAngle, double parallactic, bool zenithUp,
                                           bool labelMoons);

// JupiterMoonsStrip: the strip at the state's moment and site (light time, nutation,
// aberration, parallax and the parallactic angle as the switches say). nullopt when the
// planetary series in `dataDir` cannot be read.
std::optional<TJupiterMoonsStrip> JupiterMoonsStrip(const TObsState& state,
                                                    const std::filesystem::path& dataDir,
                                                    bool magnified);

// StripNameAt: the readout for the mouse at (x, y): " " and the name of the last body (in body
// order, Jupiter last) whose point (px, py) has x - 5 <= px < x + 5 and y - 5 <= py < y + 5;
// empty when none.
std::string StripNameAt(const TJupiterMoonsStrip& strip, int x, int y);

// --- Jupiter in the centre ---

inline constexpr std::string_view kJupiterCentreCaption = "Jupiter i centrum";
inline constexpr std::string_view kJupiterCentreHelpTopic = "HVHELP.XAN_277";
inline constexpr int kCentreLeftX = 100;   // centre of the pole-on panel
inline constexpr int kCentreRightX = 300;  // centre of the edge-on panel
inline constexpr int kCentreY = 100;
inline constexpr int kCentrePanelSize = 200;
// Pixels per AU at ChartScale 1.
inline constexpr double kCentrePixelsPerAu = 6.4;
// Jupiter's equatorial radius in km and the AU in km.
inline constexpr double kJupiterRadiusKm = 71398.0;
inline constexpr double kAuKm = 149597870.0;
// At most this many probe points are kept for the mouse.
inline constexpr std::size_t kCentreMaxPoints = 200;
// The mouse names a body whose point lies within this many pixels.
inline constexpr int kCentreMouseReach = 3;

// A body in both panels: its points, and whether it is behind Jupiter's disk in each panel.
struct TCentreBody {
  std::string Name;
  int LeftX = 0, LeftY = 0;    // in the pole-on panel
  int RightX = 0, RightY = 0;  // in the edge-on panel
  bool HiddenLeft = false;     // south of the equator and within the disk
  bool HiddenRight = false;    // behind the disk as the edge-on panel is seen
  int Radius = 0;              // the moons' disk radius in pixels (probes: 0)
  bool Labelled = false;       // probes: the label is written ('t' in the element line)
};

struct TJupiterCentreView {
  bool Atlas = false;     // DisplayMode 1: silver background, black outlines
  int JupiterRadius = 0;  // pixels
  bool LatitudeCircles = false;
  bool ShowJupiter = false;         // ShowSunPlanets
  bool LabelMoons = false;          // LabelPlanets
  std::vector<TCentreBody> Moons;   // Io .. Callisto when ShowMoons (and ShowSunPlanets)
  std::vector<TCentreBody> Probes;  // the probes about Jupiter in use, in file order
  bool ProbeFileMissing = false;    // probes were asked for and "rymdsond.dta" cannot be read
};

// JupiterCentreView: the view at the state's JD_TT (no light time) and ChartScale.
// Jupiter's radius is round(ChartScale / 326) pixels, at least 2 (3 in atlas mode); grey
// latitude circles from ChartScale 2049 on. The moons come from their jovicentric L, B, R
// (Meeus 1st ed., ch. 43) with k = 6.4 ChartScale pixels per AU: Orientation 0:
// u = r cos B sin(L + 90 deg), v = r cos B cos(L + 90 deg); Orientation 1:
// u = r cos B cos(L + 90 deg), v = -r cos B sin(L + 90 deg); w = r sin B; points
// (100 + k u, 100 + k v) and (300 + k w, 100 + k v). The probes of "rymdsond.dta" whose
// central body is "Jup" (when ShowProbes and ShowSunPlanets) are placed from their elements,
// their jovicentric vector turned into the moons' frame.
TJupiterCentreView JupiterCentreView(const TObsState& state, const std::filesystem::path& dataDir);

// PlaceInPanels: a body at jovicentric longitude `lon` and latitude `lat` (radians, the moons'
// frame) and `r` AU from Jupiter, at `k` pixels per AU, in both panels (see JupiterCentreView).
// The pole-on panel looks down on the north pole, the edge-on panel along +u: a body is hidden
// when it is on the far side (w < 0, or u > 0) and within `jupiterRadius` pixels of the centre
// in that panel.
void PlaceInPanels(TCentreBody& body, double lon, double lat, double r, double k, int orientation,
                   int jupiterRadius);

// JovicentricInMoonFrame: a jovicentric vector of the ecliptic and equinox of date as the
// moons' (L, B, R): L counted in Jupiter's equator as the satellite theory counts it, B over
// the equator, R the length, in the vector's unit.
//   v          the vector
//   t          Julian centuries TT from J2000.0 (for Jupiter's pole and the frame's origin)
TSpherical JovicentricInMoonFrame(const TVector3& v, double t);

// CentreNameAt: the readout for the mouse at (x, y): the name of the last body (the moons,
// then the probes) with a point in either panel at px, py with x - 3 <= px < x + 3 and
// y - 3 <= py < y + 3; empty when none. Only the first kCentreMaxPoints probe points count.
std::string CentreNameAt(const TJupiterCentreView& view, int x, int y);

}  // namespace himlavy
