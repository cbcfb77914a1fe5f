// The sky chart's geometry: its seven coordinate systems, the two projections, zoom and pan,
// the coordinate lines with their labels, the caption, and the background and sky colours.
//
// Everything here is computed without drawing a pixel: the results are plain numbers (pixel
// coordinates, colours as red, green, blue) that the chart window hands to its canvas. One
// apparent place serves every system: `ChartCoordinates` turns an apparent right ascension and
// declination of date into the longitude and latitude of the chosen system, and
// `ProjectChartCoords` places them on the chart.
//
// Coordinate systems (`CoordSystem` of the observation state):
//   0 ecliptic, whole sky (heliocentric, the ecliptic plane and a side view, in AU)
//   1 ecliptic   2 equatorial   4 horizontal   6 galactic      -- rectangular projection
//   3 equatorial about the pole   5 horizontal about the zenith   -- polar projection
//
// Pixel conventions: x to the right and y down from the top-left corner of the chart window's
// client area (1023 by 767 pixels unless the window says otherwise); the button row covers
// y < 25. "Rounded" pixel coordinates are the nearest integer with ties to even. A point is
// visible when its rounded coordinates lie strictly inside the client rectangle:
// 0 < x < width and 0 < y < height.
#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "astro/apparent.h"
#include "astro/reductions.h"
#include "base/numtext.h"
#include "base/obs_state.h"
#include "base/palette.h"

namespace himlavy {

// --- Systems, scales and zoom -----------------------------------------------------------------

inline constexpr int kEclipticWhole = 0;
inline constexpr int kEcliptic = 1;
inline constexpr int kEquatorial = 2;
inline constexpr int kEquatorialPolar = 3;
inline constexpr int kHorizontal = 4;
inline constexpr int kHorizontalPolar = 5;
inline constexpr int kGalactic = 6;

// The largest zoom: 1024, and 262144 in the whole-sky ecliptic system 0.
inline constexpr int kMaxChartZoom = 1024;
inline constexpr int kMaxChartZoomWhole = 262144;

// Pixels per degree at zoom 1: 2.7 in the rectangular systems, 3.2 in the polar ones; in
// system 0, 6.4 pixels per astronomical unit.
inline constexpr double kBaseScaleRect = 2.7;
inline constexpr double kBaseScalePolar = 3.2;
inline constexpr double kBaseScaleWhole = 6.4;

// The chart window's client area as the chart is laid out for it.
inline constexpr int kChartClientWidth = 1023;
inline constexpr int kChartClientHeight = 767;

// The top of the chart below the button row; drawing is clipped to (0, 25)-(width, height).
inline constexpr int kChartTop = 25;

// History plots drawn since the last full redraw: at most this many.
inline constexpr int kMaxHistoryCount = 2000;

// IsPolarSystem, IsRectSystem: the projection a system uses (system 0 uses neither).
constexpr bool IsPolarSystem(int coordSystem) {
  return coordSystem == kEquatorialPolar || coordSystem == kHorizontalPolar;
}
constexpr bool IsRectSystem(int coordSystem) {
  return coordSystem == kEcliptic || coordSystem == kEquatorial || coordSystem == kHorizontal ||
         coordSystem == kGalactic;
}

// MaxChartZoom: the zoom limit of a coordinate system.
//   coordSystem  0..6
//   returns      262144 for system 0, 1024 for the others
int MaxChartZoom(int coordSystem);

// BaseScaleFor: pixels per degree (system 0: per astronomical unit) at zoom 1.
//   coordSystem  0..6
//   returns      2.7 for 1, 2, 4, 6; 3.2 for 3 and 5; 6.4 for 0
double BaseScaleFor(int coordSystem);

// The chart's own state, kept by the chart window from one drawing to the next.
struct TChartState {
  int ChartZoom = 1;                   // 1, 2, 4, ... MaxChartZoom; copied from and to ChartScale
  double BaseScale = kBaseScaleRect;   // pixels per degree (system 0: per AU) at zoom 1
  double PixelScale = kBaseScaleRect;  // ChartZoom * BaseScale
  double OffsetX = 0.0;                // pan offsets in pixels at zoom 1
  double OffsetY = 0.0;
  double SideOffsetX = 0.0;  // system 0: the side view's own horizontal offset
  double CentreLon = 180.0;  // rectangular systems: 180 - OffsetX / BaseScale, degrees
  double CentreLat = 75.0;   // rectangular systems: 75 - OffsetY / BaseScale, degrees
  int HistoryCount = 0;      // history plots drawn since the last full redraw, 0..2000
};

// ChartStateFromObs: the chart state when the chart window is shown: the zoom from ChartScale
// (a scale below 1, such as the 0 of an empty parameter file, gives 1; one above the limit of
// the system gives the limit), the offsets from ChartOffsetX and ChartOffsetY, and the scales
// of SetChartScales.
//   state    the observation state
//   returns  the chart state, HistoryCount 0
TChartState ChartStateFromObs(const TObsState& state);

// SetChartScales: the scales of a full redraw for the coordinate system: ChartZoom kept within
// 1..MaxChartZoom(coordSystem), BaseScale, PixelScale = ChartZoom * BaseScale, CentreLon =
// 180 - OffsetX / BaseScale and CentreLat = 75 - OffsetY / BaseScale.
//   chart        the chart state (in/out)
//   coordSystem  0..6
void SetChartScales(TChartState& chart, int coordSystem);

// Everything a projection needs for one drawing: the choices of the observation state, the
// chart state's scales and offsets, and the size of the client area.
struct TChartView {
  int CoordSystem = kEquatorial;
  int CentreDir = 0;    // 0: south / 12h in the middle; 1: north / 0h
  int Hemisphere = 0;   // system 3: 0 north, 1 south
  int Orientation = 0;  // system 0: 0 longitude 0 to the right, 1 longitude 0 up
  int ChartZoom = 1;
  double BaseScale = kBaseScaleRect;
  double PixelScale = kBaseScaleRect;
  double OffsetX = 0.0;
  double OffsetY = 0.0;
  double SideOffsetX = 0.0;
  double CentreLon = 180.0;
  double CentreLat = 75.0;
  int ClientWidth = kChartClientWidth;
  int ClientHeight = kChartClientHeight;
  bool operator==(const TChartView&) const = default;
};

// MakeChartView: the view of one drawing.
//   state         the observation state (CoordSystem, CentreDir, Hemisphere, Orientation)
//   chart         the chart state after SetChartScales
//   clientWidth, clientHeight  the client area in pixels
//   returns       the view
TChartView MakeChartView(const TObsState& state, const TChartState& chart,
                         int clientWidth = kChartClientWidth,
                         int clientHeight = kChartClientHeight);

// --- Zoom, pan and recentring -----------------------------------------------------------------
// Each routine returns true when the chart is to be redrawn in full; the window then also clears
// its stored history plots (ZoomIn, ZoomOut, Pan, Recentre all clear them; a plain redraw keeps
// them).

// ZoomIn ("+"): unless the zoom already equals the system's limit, doubles it (clamped to the
// limit), stores it in ChartScale, resets HistoryCount and raises RedrawEarthCentre and
// RedrawJupCentre.
//   chart   the chart state (in/out)
//   state   the observation state (in/out: ChartScale and the two redraw flags)
//   returns false when nothing changed (the zoom was at its limit)
bool ZoomIn(TChartState& chart, TObsState& state);

// ZoomOut ("-"): at zoom 1 with no offset nothing happens; at zoom 1 with an offset the offsets
// become 0; the zoom is halved (not below 1) and stored, HistoryCount reset and the two redraw
// flags raised as for ZoomIn.
//   chart   the chart state (in/out)
//   state   the observation state (in/out)
//   returns false when nothing changed
bool ZoomOut(TChartState& chart, TObsState& state);

// Pan ("V", "H", "U", "N"): moves the offsets by 50 screen pixels: OffsetX + dx * 50 / ChartZoom
// and OffsetY + dy * 50 / ChartZoom, and resets HistoryCount.
//   chart   the chart state (in/out)
//   dx      +1 for "V" (left), -1 for "H" (right), 0 otherwise
//   dy      +1 for "U" (up), -1 for "N" (down), 0 otherwise
//   returns true (the chart is redrawn)
bool Pan(TChartState& chart, int dx, int dy);

// Recentre (left mouse button): puts the clicked point in the middle of the chart and resets
// HistoryCount. Systems 1, 2, 4, 6: OffsetX -= (x - 498) / ChartZoom and OffsetY -=
// (y - 342) / ChartZoom; systems 3 and 5: (x - 480) and (y - 348); system 0: (x - 354) for
// OffsetX, or for x >= 691 (the side view) (x - 860) for SideOffsetX, and (y - 348) for OffsetY.
//   chart        the chart state (in/out)
//   coordSystem  0..6
//   x, y         the clicked pixel
//   returns      true (the chart is redrawn)
bool Recentre(TChartState& chart, int coordSystem, int x, int y);

// NextHistoryCount: HistoryCount after one draw cycle with history plots on.
//   count    the current count
//   returns  count + 1, not above 2000
int NextHistoryCount(int count);

// --- Pixels -----------------------------------------------------------------------------------

// A projected point in pixels, not rounded.
struct TChartPoint {
  double X = 0.0;
  double Y = 0.0;
};

// A pixel.
struct TPixel {
  int X = 0;
  int Y = 0;
  bool operator==(const TPixel&) const = default;
};

// RoundPixel: the pixel of a projected point, each coordinate rounded to the nearest integer
// with ties to even and kept within +-1e9 (NaN goes to -1e9, far outside the chart).
inline constexpr double kPixelLimit = 1e9;
inline TPixel RoundPixel(const TChartPoint& p) {
  auto one = [](double v) {
    return std::isnan(v)
               ? static_cast<int>(-kPixelLimit)
               : static_cast<int>(std::clamp(RoundHalfEven(v), -kPixelLimit, kPixelLimit));
  };
  return TPixel{one(p.X), one(p.Y)};
}

// IsInsideClient: whether a pixel lies strictly inside the client rectangle:
// 0 < X < ClientWidth and 0 < Y < ClientHeight.
bool IsInsideClient(const TPixel& p, const TChartView& view);

// --- Projections ------------------------------------------------------------------------------

// TSeamWatch: while one lives on a thread, the projections of that thread note how near the
// points they place lie to a line where the projection jumps or cuts them off: the seam
// lon' = 0 / 360 of the rectangular systems (a point crossing it jumps a whole turn across the
// chart), their latitude limits +-75 degrees, and the equator of system 3. A draw cycle that
// reuses an earlier picture asks this of that picture's points (see still_layers.h).
class TSeamWatch {
 public:
  TSeamWatch();
  ~TSeamWatch();
  TSeamWatch(const TSeamWatch&) = delete;
  TSeamWatch& operator=(const TSeamWatch&) = delete;
  // The least distance, degrees of longitude or latitude, of any point projected so far
  // (std::numeric_limits<double>::infinity() before the first).
  double Nearest() const { return nearest_; }
  // For the projections: whether a watch is on, and a point's distance from a seam or limit
  // noted while one is (so that a drawing without a watch computes no distance).
  static bool Watching() { return active_ != nullptr; }
  static void Note(double degrees) {
    if (degrees < active_->nearest_) active_->nearest_ = degrees;
  }

 private:
  static thread_local TSeamWatch* active_;
  TSeamWatch* outer_;
  double nearest_;
};

// ChartLonPrime: the chart longitude lon' of a longitude in a rectangular system.
//   lon          degrees: ecliptic longitude, right ascension or galactic longitude in
//                [0, 360]; in system 4 the azimuth from the south, westward positive, in
//                [-180, 180] (as EquatorialToHorizontal returns it)
//   coordSystem  1, 2, 4 or 6
//   centreDir    0 or 1
//   returns      systems 1, 2, 6: 360 - lon, or with centreDir 1 540 - lon, less 360 when that
//                is 360 or more; system 4: lon + 180, with centreDir 1 another 180, less 360
//                when that is 360 or more
double ChartLonPrime(double lon, int coordSystem, int centreDir);

// ProjectRectPrime: the rectangular projection of a chart longitude and latitude.
//   lonPrime  chart longitude lon', degrees (0..360 spans the chart)
//   lat       latitude, degrees
//   view      the view (BaseScale, PixelScale, CentreLon, CentreLat, OffsetX, OffsetY)
//   returns   x = (lon' - CentreLon) PixelScale + BaseScale CentreLon + 12 + OffsetX,
//             y = (75 - lat - CentreLat) PixelScale + BaseScale CentreLat + 140 + OffsetY;
//             std::nullopt when lat >= 75 or lat <= -75 (such points are not drawn)
// With BaseScale 2.7 this is x = 498 + ChartZoom OffsetX + (lon' - 180) PixelScale and
// y = 342.5 + ChartZoom OffsetY - lat PixelScale.
std::optional<TChartPoint> ProjectRectPrime(double lonPrime, double lat, const TChartView& view);

// ProjectRect: ChartLonPrime of the view's system and CentreDir, then ProjectRectPrime.
//   lon, lat  degrees, as for ChartLonPrime
std::optional<TChartPoint> ProjectRect(double lon, double lat, const TChartView& view);

// ProjectPolar: the polar projection about the pole (system 3) or the zenith (system 5).
//   lon   system 3: right ascension, degrees; system 5: azimuth from the south, westward
//         positive, degrees
//   lat   system 3: declination, degrees, its sign already changed in the southern hemisphere
//         (Hemisphere 1); system 5: apparent altitude, degrees
//   view  the view
//   returns with r = 90 - lat:
//     system 3: x = 480 + ChartZoom OffsetX + s r sin(lon) PixelScale (s = 1 in the north,
//               -1 in the south), y = 348 + ChartZoom OffsetY - r cos(lon) PixelScale;
//               std::nullopt when lat <= 0
//     system 5: x = 480 + ChartZoom OffsetX - r sin(lon) PixelScale,
//               y = 348 + ChartZoom OffsetY - r cos(lon) PixelScale
std::optional<TChartPoint> ProjectPolar(double lon, double lat, const TChartView& view);

// A point of the whole-sky heliocentric view (system 0): the ecliptic-plane pane and the side
// view share the row Y.
struct TWholeSkyPoint {
  double X = 0.0;  // in the ecliptic-plane pane (clipped to (0, 25)-(689, 767))
  double Y = 0.0;
  double SideX = 0.0;  // in the side view (clipped to (693, 25)-(1023, 767))
};

// ProjectWholeSky: the projection of system 0, BaseScale 6.4 pixels per AU.
//   x, y, z  heliocentric ecliptic rectangular coordinates, AU (x towards the equinox, z
//            towards the north ecliptic pole)
//   view     the view
//   returns  with Orientation 0 (longitude 0 to the right, 90 degrees up):
//              X = 354 + ChartZoom OffsetX + x PixelScale, Y = 348 + ChartZoom OffsetY -
//              y PixelScale; with Orientation 1 (longitude 0 up, 90 degrees to the left):
//              X = 354 + ChartZoom OffsetX - y PixelScale, Y = 348 + ChartZoom OffsetY -
//              x PixelScale; and SideX = 860 + ChartZoom SideOffsetX + z PixelScale
TWholeSkyPoint ProjectWholeSky(double x, double y, double z, const TChartView& view);

// --- One apparent place in the seven systems ----------------------------------------------------

// Quantities of the moment that every object of one drawing shares.
struct TChartMoment {
  double T = 0.0;      // Julian centuries TT from J2000.0 (from JD_TT)
  double Eps0 = 0.0;   // mean obliquity of the ecliptic, radians
  double DPsi = 0.0;   // nutation in longitude, radians (0 with CorrNutation off)
  double DEps = 0.0;   // nutation in obliquity, radians (0 with CorrNutation off)
  double Theta = 0.0;  // local apparent sidereal time, radians, [0, 2 pi)
  double Phi = 0.0;    // the site's latitude, radians
  bool ProperMotion = false;
  bool Precession = false;
  bool Nutation = false;
  bool Aberration = false;
  bool Refraction = false;
  // From the axes of the chart's places (of date with Precession on, else J2000.0) to
  // galactic axes, row by row.
  std::array<double, 9> Galactic = kJ2000ToGalactic;
};

// ChartMoment: the shared quantities for the state's moment and site.
//   state    JD_TT, JD_UT, Latitude, Longitude and the correction switches
//   returns  T = JulianCenturies(JD_TT); Eps0 = MeanObliquity(T); DPsi, DEps =
//            NutationIAU1980(T) when CorrNutation is 1; Theta = GreenwichSiderealTime(TU) +
//            DPsi cos(Eps0) + east longitude, TU = JulianCenturies(JD_UT), reduced to [0, 2 pi);
//            Galactic = the J2000.0 galactic rotation after the precession from T back to
//            J2000.0 when CorrPrecession is 1
// Source: Meeus (1991), chapters 11 (sidereal time), 20 (precession), 21 (nutation,
// obliquity).
TChartMoment ChartMoment(const TObsState& state);

// The coordinates of a direction in the chart's system, degrees.
struct TChartCoords {
  double Lon = 0.0;  // 1: ecliptic longitude [0, 360); 2, 3: right ascension [0, 360);
                     // 4, 5: azimuth from the south, westward positive, [-180, 180];
                     // 6: galactic longitude [0, 360)
  double Lat = 0.0;  // 1: ecliptic latitude; 2: declination; 3: declination, sign changed in
                     // the southern hemisphere; 4, 5: altitude with refraction when the switch
                     // is on and the true altitude is above -0.6 degrees; 6: galactic latitude
};

// ChartCoordinates: an apparent place of date in the view's system.
//   alpha, delta  apparent right ascension and declination of date, radians
//   moment        the drawing's shared quantities
//   view          the view (CoordSystem, Hemisphere)
//   returns       the system's longitude and latitude, degrees: system 1 by
//                 EquatorialToEcliptic with the mean obliquity; 4 and 5 by
//                 EquatorialToHorizontal with Theta and Phi, then Refraction; 6 by the
//                 moment's Galactic rotation (the place turned back to J2000.0 axes, then
//                 the J2000.0 galactic pole); 0 and 2 give right ascension and declination
// Source: Meeus (1991), chapters 12 and 15.
TChartCoords ChartCoordinates(double alpha, double delta, const TChartMoment& moment,
                              const TChartView& view);

// ProjectChartCoords: ProjectRect (systems 1, 2, 4, 6) or ProjectPolar (3, 5) of chart
// coordinates; std::nullopt where the projection does not draw the point, and in system 0.
std::optional<TChartPoint> ProjectChartCoords(const TChartCoords& c, const TChartView& view);

// --- Inverse projection (the cross-hair readout) ------------------------------------------------

// Chart coordinates under a pixel, degrees.
struct TCrossHair {
  double Lon = 0.0;  // 1, 6: longitude 0..360; 2, 3: right ascension 0..360 (hours x 15);
                     // 4, 5: azimuth from the south, westward, 0..360
  double Lat = 0.0;  // latitude, declination or altitude
};

// InverseRect: the coordinates under a pixel in systems 1, 2, 4, 6: lon' = (x - 498 -
// ChartZoom OffsetX) / PixelScale + 180, lat = -(y - 342 - ChartZoom OffsetY) / PixelScale;
// lon by undoing step 1 of the projection, reduced to [0, 360) and clamped to 0..360; lat
// clamped to -75..75.
TCrossHair InverseRect(double x, double y, const TChartView& view);

// InversePolar: the coordinates under a pixel in systems 3 and 5, from the distance r
// (degrees) and the direction from the pole point (480 + ChartZoom OffsetX, 348 + ChartZoom
// OffsetY): system 3 right ascension and declination 90 - r (negative in the southern
// hemisphere), std::nullopt when r >= 90; system 5 azimuth and altitude 90 - r, std::nullopt
// when r >= 165. The inverse of ProjectPolar.
std::optional<TCrossHair> InversePolar(double x, double y, const TChartView& view);

// --- Coordinate lines -------------------------------------------------------------------------

// The chart's colours are the program's palette's.
using TRgb = TColor;

// The chart's colours by name; every part of the chart takes its colours from these.
inline constexpr TRgb kChartBlack = colours::kBlack;
inline constexpr TRgb kChartWhite = colours::kWhite;
inline constexpr TRgb kChartSilver = colours::kSilver;
inline constexpr TRgb kChartLightGrey = colours::kLightGrey;
inline constexpr TRgb kChartGrey = colours::kGray;
inline constexpr TRgb kChartNavy = colours::kNavy;
inline constexpr TRgb kChartBlue = colours::kBlue;
inline constexpr TRgb kChartRed = colours::kRed;
inline constexpr TRgb kChartMaroon = colours::kMaroon;
inline constexpr TRgb kChartTeal = colours::kTeal;
inline constexpr TRgb kChartPurple = colours::kPurple;
inline constexpr TRgb kChartMagenta = colours::kFuchsia;
inline constexpr TRgb kChartCyan = colours::kAqua;
inline constexpr TRgb kChartLime = colours::kLime;
inline constexpr TRgb kChartGreen = colours::kGreen;
inline constexpr TRgb kChartOlive = colours::kOlive;

// A straight line from (X1, Y1) to (X2, Y2), pixels.
struct TSegment {
  int X1 = 0;
  int Y1 = 0;
  int X2 = 0;
  int Y2 = 0;
  bool operator==(const TSegment&) const = default;
};

// A text with its top-left corner at (X, Y).
struct TChartLabel {
  int X = 0;
  int Y = 0;
  std::string Text;  // UTF-8
};

// A clipping rectangle (Left, Top)-(Right, Bottom), right and bottom excluded.
struct TClipRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
};

// The system 0 panes: the ecliptic plane (left) and the side view (right), as
// (left, top)-(right, bottom); a point is shown in a pane when it lies strictly inside it.
inline constexpr TClipRect kWholeSkyLeftPane{0, 25, 689, 767};
inline constexpr TClipRect kWholeSkyRightPane{693, 25, 1023, 767};

// IsInsidePane: whether a pixel lies strictly inside a rectangle.
constexpr bool IsInsidePane(const TPixel& p, const TClipRect& r) {
  return p.X > r.Left && p.X < r.Right && p.Y > r.Top && p.Y < r.Bottom;
}

// Name labels of bodies, minor bodies, stars and deep-sky objects have their top-left corner
// at (x - LabelShift(name), y - kLabelRise) of the object's pixel (x, y).
inline constexpr int kLabelRise = 15;

// LabelShift: round(2.5 n) (ties to even) for a name of n characters (UTF-8).
int LabelShift(std::string_view name);

// The coordinate lines of one drawing: navy segments with a clear brush, labels in "Arial"
// 8 pt in LabelColour, everything clipped to Clip.
struct TCoordLines {
  std::vector<TSegment> Segments;
  std::vector<TChartLabel> Labels;
  TRgb LineColour = kChartNavy;
  TRgb LabelColour = kChartGrey;
  TClipRect Clip;
};

// GridBand: the density band of the coordinate lines and the caption.
//   zoom     the chart zoom
//   returns  0 (A) for zoom up to 4, 1 (B) for 8 to 32, 2 (C) for 64 to 1024, 3 for 2048 and
//            more
int GridBand(int zoom);

// CoordLines: the coordinate lines and their labels.
//   view         the view
//   displayMode  0 "Normal" (grey labels), 1 "Atlas" (black labels)
//   returns      Rectangular systems 1, 2, 4, 6: parallels from lon' 0 to 360 and meridians
//                from latitude +75 to -75 (system 4: to 0), each one segment between its end
//                points, each end rounded, clamped into 0..ClientWidth, 0..ClientHeight and
//                moved by (-1, -1); band A: every 15 degrees, B: every 2.5, C: every 0.5
//                (parallels of system 4 from -15 in band A, from 0 in B and C); none from zoom
//                2048. Parallels are labelled with their latitude and meridians with the
//                longitude they stand for (system 2: right ascension in hours; system 4:
//                azimuth from the south, 0..360), FormatD / FormatH in band A and FormatDM /
//                FormatHM in B and C; a label only where its top-left corner lies more than 20
//                pixels inside the client rectangle. Parallel labels sit above their line, 4
//                pixels right of its visible start (at least x = 24); meridian labels 2 pixels
//                right of their line, 4 pixels below its visible top (at least y = 56).
//                Polar systems 3, 5 and system 0: radial lines every 15 degrees as segments of
//                10, 5 or 1 units (bands A, B, C; systems 3 and 5 only to zoom 1024), circles
//                10, 20 .. 90 of 72 chords; from zoom 8 radial lines every 5 degrees from 40 to
//                90 and circles every 2 units; from zoom 64 radial lines every degree from 68
//                to 90 and circles every 0.5 unit; each segment only when both ends lie within
//                the client rectangle widened by 500 pixels. Grid point (rho, a): x = x0 +
//                ChartZoom OffsetX + cos(a) rho k, y = 348 + ChartZoom OffsetY - sin(a) rho k
//                with x0 = 480, k = PixelScale (3, 5) or x0 = 354, k = PixelScale / 2 (0: rho
//                in half AU). The 24 radial lines are labelled just outside rho = 90 with the
//                hour (system 3, FormatH), the azimuth from the south (system 5) or the
//                heliocentric longitude (system 0), FormatD, under the same 20-pixel rule.
//                System 0's lines are clipped to the ecliptic-plane pane (0, 25)-(689, 767);
//                the side view gets none.
TCoordLines CoordLines(const TChartView& view, int displayMode);

// --- Caption, background and sky colour ---------------------------------------------------------

// ChartCaption: the text of the caption panel: the system's name, the zoom and the spacing of
// the coordinate lines, e.g. " Ekvatoriala koord. x4 (1h/15°)    " (UTF-8).
//   coordSystem  0..6
//   zoom         the chart zoom
std::string ChartCaption(int coordSystem, int zoom);

// SkyColour: the colour of the sky in the horizontal systems by the Sun's altitude.
//   sunAltitude  the Sun's apparent altitude, degrees; rounded to a whole number (ties to even)
//   returns      -90..-19 black; -18..-13 (0, 0, 70); -12..-7 (0, 0, 128); -6..-1
//                (0, 0, 210); 0..5 (100, 100, 255); 6..11 (150, 150, 255); 12..17
//                (190, 190, 255); 18..35 (220, 220, 255); 36..90 (240, 240, 255)
TRgb SkyColour(double sunAltitude);

// StateCorrections, StateSite: the corrections switched on in the state (light time, nutation,
// aberration, parallax, refraction) and its observing site, for the apparent-place pipeline.
TCorrections StateCorrections(const TObsState& state);
TSite StateSite(const TObsState& state);

// SunAltitude: the Sun's apparent altitude for the state's moment and site, degrees, from the
// planetary series in `dataDir`, with the state's nutation, aberration, parallax and refraction
// switches (light time does not apply to the Sun).
//   returns  std::nullopt when the planetary series cannot be read
std::optional<double> SunAltitude(const TObsState& state, const std::filesystem::path& dataDir);

// The shape the chart background fills (no outline).
enum class TBackgroundShape { None, Rectangle, Disc };

// The chart background: a filled box or the disc inscribed in the box (Left, Top)-(Right,
// Bottom), boxes covering Left..Right-1 and Top..Bottom-1.
struct TChartBackground {
  TBackgroundShape Shape = TBackgroundShape::None;
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  TRgb Colour = kChartBlack;
};

// ChartBackground: what is filled after the client area has been cleared to silver.
//   view         the view
//   displayMode  0 "Normal", 1 "Atlas" (nothing is filled)
//   sky          the sky colour (systems 4 and 5)
//   returns      "Normal": systems 1, 2, 6 the map rectangle lon' 0..360, latitude 75..-75,
//                black; system 0 the whole client area, black; system 3 a black disc of
//                radius 90 PixelScale about (481 + ChartZoom OffsetX, 349 + ChartZoom OffsetY);
//                system 4 the rectangle lon' 0..360, latitude 75..0, and system 5 the disc as
//                in system 3, both in the sky colour
TChartBackground ChartBackground(const TChartView& view, int displayMode, TRgb sky);

// BrushBackground: the canvas brush colour set before the constellations and catalogs are
// drawn: "Atlas" silver; "Normal" the sky colour in systems 4 and 5, black in the others.
TRgb BrushBackground(int coordSystem, int displayMode, TRgb sky);

}  // namespace himlavy
