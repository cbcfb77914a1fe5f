// The Sun, the Moon, the planets and the four large moons of Jupiter on the sky chart: where
// each is drawn, how large, in which colours, its name label and the texts of its
// identification entry.
//
// Nothing is drawn here. For every body the routine returns its pixel, the half-sizes of its
// filled ellipse, the fill and outline colours, the label and five readout lines plus the text
// of the right-hand table; the chart window draws the disc and registers the entry.
//
// Bodies are numbered 0 to 14 as the identification table numbers them: 0 the Sun, 1 Mercury,
// 2 Venus, 3 the Earth (whole-sky system 0 only), 4 Mars, 5 Jupiter, 6 Saturn, 7 Uranus,
// 8 Neptune, 9 Pluto, 10 the Moon, 11 Io, 12 Europa, 13 Ganymede, 14 Callisto (the four moons
// in system 0 only).
//
// Positions: one apparent place per body (astro/apparent.h) with the corrections the
// observation state switches on; the chart's projection of that place (topocentric when the
// parallax switch is on). In system 0 the heliocentric ecliptic position of date, in AU, in the
// ecliptic-plane pane and in the side view.
//
// Readout composition (field sizes in characters: 50, 25, 25, 30, 60 and 130; a longer text is
// cut). Angles in degrees; azimuth counted from the south towards the west, 0..360, as on the
// horizontal chart; times in the zone of the state's clock:
//   Sun and planets  Line1 heliocentric "L=", "B=", "R=" with " a.e." and the distance
//                    "Delta=" (the Sun: the distance only); Line2 geocentric "lambda=",
//                    "beta="; Line3 "R.A.=", "Dekl="; Line4 "Az =", "Alt="; Line5 rising,
//                    transit and setting ("Upp  =", "I mer.=", "Ned  =") or "Alltid över /
//                    under horisonten"; Right the physical data of the body ("PV,axel=" ...
//                    "Magnitud=", "Diameter=", "Poldiam.=").
//   Moon             Line1 "lambda=", "beta=", "delta=" in km; Line2 "R.A.=", "Dekl=";
//                    Line3 "Az =", "Alt="; Line4 "Delta=" (km, topocentric with parallax on)
//                    and "PV,bel="; Line5 as above; Right "Geo-diam =", "Topo-diam=",
//                    "Belyst del=", "PV,axel=", the librations "l=", "b=", "ld=", "bd=",
//                    "ldd=", "bdd=".
//   Galilean moons   Line1 geocentric "lambda=", "beta=", "delta=" in km.
// The geocentric "lambda=", "beta=" are geometric (light time applied, before nutation and
// aberration); "R.A.=", "Dekl=", "Az =", "Alt=" are those of the drawn place. "PV,bel=" is
// the position angle of the midpoint of the bright limb (Meeus ch. 46); "Mörk del=" the
// greatest defect of illumination in arc seconds; "C=" Saturn's DeltaU, the difference of the
// Saturnicentric longitudes of the Sun and the Earth in the ring plane (Meeus ch. 44).
//   Earth            Line1 heliocentric "L=", "B=", "R=".
#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "astro/bodies.h"
#include "base/obs_state.h"
#include "skychart/chart_projection.h"
#include "skychart/identification.h"

namespace himlavy {

// Body numbers of the chart (the identification table's order).
inline constexpr int kChartSun = 0;
inline constexpr int kChartEarth = 3;
inline constexpr int kChartJupiter = 5;
inline constexpr int kChartPluto = 9;
inline constexpr int kChartMoon = 10;
inline constexpr int kChartIo = 11;
inline constexpr int kChartCallisto = 14;

// The body of a chart number 0..10 (the Sun, the planets with the Earth, the Moon): the two
// numberings agree there.
constexpr TBody ChartIndexBody(int index) {
  return static_cast<TBody>(index);
}
// The bodies (kBodyCount), their names (kBodyNames, stored with a leading blank) and the sizes
// of their readout lines are those of the identification tables.

// The label colours: magenta for the Sun, planets and Moon; grey for Jupiter's moons.
inline constexpr TRgb kBodyLabelColour = kChartMagenta;
inline constexpr TRgb kMoonsLabelColour = kChartGrey;

// One body as the chart shows it. A body is drawn (and registered for the mouse) only where
// Visible (the ecliptic-plane pane in system 0) or SideVisible (system 0's side view) is true.
struct TChartBody {
  int Index = 0;             // 0..14
  std::string Name;          // kBodyNames[Index] without its leading blank
  bool Visible = false;      // the pixel lies strictly inside the client rectangle (system 0:
                             // inside the ecliptic-plane pane (0, 25)-(689, 767))
  bool SideVisible = false;  // system 0: inside the side view (693, 25)-(1023, 767)
  int X = -100;              // the pixel; -100 where the projection does not place the body
  int Y = -100;
  int SideX = -100;   // system 0: x in the side view; -100 in the other systems
  int HalfWidth = 0;  // half-sizes of the filled ellipse, pixels
  int HalfHeight = 0;
  TRgb Fill;
  TRgb Outline;
  std::string Label;  // the name (at most 19 characters); empty with LabelPlanets off
  TRgb LabelColour = kBodyLabelColour;
  int LabelX = 0;      // X - round(2.5 times the label's length)
  int LabelY = 0;      // Y - 15
  int SideLabelX = 0;  // system 0: SideX - round(2.5 times the label's length)
  std::string Line1;   // readout texts (UTF-8), see the file comment; empty when the
  std::string Line2;   // body is visible in no pane
  std::string Line3;
  std::string Line4;
  std::string Line5;
  std::string Right;
};

// Half-sizes of a body's filled ellipse, pixels.
struct TBodyHalfSize {
  int HalfWidth = 0;
  int HalfHeight = 0;
};

// Fill and outline of a body's disc.
struct TBodyColours {
  TRgb Fill;
  TRgb Outline;
};

// BodyHalfSize: the half-sizes of a body's disc in systems 1 to 6.
//   semidiameter  the equatorial semidiameter S, arc seconds
//   dec           the apparent declination, radians (the rectangular systems stretch the
//                 width by 1 / cos(dec))
//   view          the view (CoordSystem, PixelScale)
//   minimum       the smallest half-size, pixels
//   returns       h = round(S / 3600 PixelScale), w = round(S / 3600 PixelScale / cos(dec)) in
//                 the rectangular systems and w = h in the polar ones (ties to even), each at
//                 least `minimum`
TBodyHalfSize BodyHalfSize(double semidiameter, double dec, const TChartView& view, int minimum);

// BodyMinimumHalfSize: the smallest half-size of a body's disc in systems 1 to 6.
//   returns  the Sun 4 ("Normal") or 5 ("Atlas"), the Moon 4, the other bodies 2 or 3
int BodyMinimumHalfSize(int body, int displayMode);

// BodyColours: the fill and outline of a body's disc.
//   body         0..14
//   displayMode  0 "Normal", 1 "Atlas"
//   view         CoordSystem and ChartZoom
//   returns      fill: Sun (255, 255, 0), Mercury (255, 135, 67), Venus (230, 230, 255),
//                Earth (50, 130, 160), Mars (236, 65, 51), Jupiter (243, 181, 65), Saturn
//                (217, 185, 75), Uranus (67, 205, 55), Neptune (27, 155, 175), Pluto
//                (174, 152, 0), the Moon and Jupiter's moons white; outline: the fill in
//                "Normal" mode, black in "Atlas" mode, except the Sun (grey in "Atlas" mode
//                and at zoom 8 or more outside system 0) and the Moon (black in "Atlas", grey
//                at zoom 8 or more, white otherwise)
TBodyColours BodyColours(int body, int displayMode, const TChartView& view);

// WholeSkyBodyRadius: the radius of a body's disc in system 0.
//   body       0..14
//   chartZoom  the chart zoom
//   returns    round(chartZoom / K), at least 3 (the Moon and Jupiter's moons at least 1), where 1
//   / K is the body's equatorial radius in
//              pixels at zoom 1 (6.4 pixels per AU): Jupiter 326, Saturn 388, Uranus 916,
//              Neptune 958, Mars 6860, Pluto 20693; from the equatorial radii (km) 696000 for
//              the Sun, 2439.7 Mercury, 6051.8 Venus, 6378.14 Earth, 1737.4 Moon, 1821.6 Io,
//              1560.8 Europa, 2631.2 Ganymede, 2410.3 Callisto, with 1 AU = 149597870 km
int WholeSkyBodyRadius(int body, int chartZoom);

// ChartMajorBodies: the Sun, planets, Moon and Galilean moons of one drawing.
//   state    the observation state: moment, site, CoordSystem, DisplayMode, ShowSunPlanets,
//            ShowMoons, LabelPlanets, TimeZone and the correction switches CorrLightTime,
//            CorrNutation, CorrAberration, CorrParallax, CorrRefraction
//   moment   the drawing's shared quantities (ChartMoment of the state)
//   view     the drawing's view
//   dataDir  the folder of the planetary series "PLANETS2.NDX" and "PLANETS.DAT"
//   returns  one entry per body computed, in body order: the Sun, Mercury, Venus, (the Earth in
//            system 0), Mars to Pluto, the Moon with ShowMoons on, and in system 0 with
//            ShowMoons on Io, Europa, Ganymede and Callisto; empty with ShowSunPlanets off or
//            when the planetary series cannot be read
// Sizes: systems 1-6 BodyHalfSize of the equatorial semidiameter (Meeus (1991) ch. 53) with
// BodyMinimumHalfSize; system 0 WholeSkyBodyRadius. Rising and setting: Meeus (1991) ch. 14
// with the standard altitudes -50' (Sun), -34' (planets) and 0.7275 pi - 34' (Moon).
std::vector<TChartBody> ChartMajorBodies(const TObsState& state, const TChartMoment& moment,
                                         const TChartView& view,
                                         const std::filesystem::path& dataDir);

}  // namespace himlavy
