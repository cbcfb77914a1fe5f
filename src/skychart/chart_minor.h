// The minor bodies of the sky chart: the asteroids, comets and space probes of the five element
// files, placed for one drawing with their symbols, labels and identification texts.
//
// Groups (drawn in this order by the chart, each when its switch is on):
//   1 "asteroid.dta"  2 "asteroi2.dta"  3 "asteroi3.dta"  (ShowAsteroids1..3)
//   4 "komet.dta"     (ShowComets)
//   5 "rymdsond.dta"  (ShowProbes; the caller draws probes only while ShowSunPlanets is on too)
//
// Positions. The elements are referred to the ecliptic and equinox J2000.0 (element_files.h).
// PositionFromElements with the plane constants of the J2000.0 obliquity gives the body's
// vector from its central body, equatorial J2000.0; it is precessed to the mean equator of
// date (IAU 1976) and added to the Sun's geocentric vector of date (SunRectangular with the
// Earth of date) and, for a probe about a planet, to that planet's heliocentric vector of date
// (HeliocentricPlanet). With CorrLightTime on, the body (and its central planet) are taken once
// more at the time the light left them (0.0057755183 days per AU of distance). The mean place of
// date is then reduced as the planets' places are: nutation (CorrNutation), annual aberration
// (CorrAberration; not for satellites of the Earth, which share its motion), topocentric
// parallax (CorrParallax, horizontal parallax 8.794" / Delta), and projected with the chart's
// coordinate system. The place is always referred to the equinox of date, as the planets' are,
// whatever CorrPrecession says. In system 0 (the whole-sky heliocentric view) the body's
// geometric heliocentric position at the moment, referred to the ecliptic of date, is drawn,
// so that a satellite sits on its planet as the planets of the series are drawn.
// Source: Meeus (1991), chapter 32 (2nd ed. 33) and its comet Encke example; chapters 20 and 22.
//
// Speed by the vis-viva equation: v = k sqrt(2/r - 1/a) AU per day with k the Gaussian
// constant of the central body and 1/a = (1 - e)/q, shown in km/s (for the Sun this is
// Meeus's 42.1218 sqrt(1/r - 1/(2a)) km/s). Period (e < 1): 2 pi / n days, in Julian years.
//
// Each group's element file is read once and kept, parsed, until its path, size or
// modification time changes; which lines are used is decided anew at every drawing, as it
// depends on ClockJD. The routine uses the planetary term buffer of positions.h (open, load the
// Earth of date and the central planets of the probes, close), so it must not be called while
// another computation holds that buffer open.
#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "base/obs_state.h"
#include "skychart/chart_projection.h"
#include "skychart/chart_symbols.h"
#include "skychart/identification.h"

namespace himlavy {

// The number of minor-body groups.
inline constexpr int kMinorGroups = 5;

// The name of a probe is shorter than the other minor bodies' (kMinorNameChars, with the
// sizes of the readout lines, kMinorLineChars, in identification.h).
inline constexpr std::size_t kProbeNameChars = 19;

// The label colour of the minor bodies (8 pt, transparent background).
inline constexpr TRgb kMinorLabelColour = kChartGrey;

// SideX of a body outside system 0.
inline constexpr int kNoSideX = -100;

// One minor body drawn on the chart.
//   X, Y     the body's pixel (system 0: in the ecliptic-plane pane)
//   SideX    system 0: the pixel's x in the side-view pane (same Y); kNoSideX otherwise. In
//            system 0 the symbol and the label are drawn in both panes, the right pane's
//            shifted by SideX - X, each clipped to its pane.
//   Symbol   the group's box about (X, Y) ("Normal" or "Atlas" size), filled with Fill and
//            outlined with Outline
//   Track    the line asks for a history track ('t' in column 134 or 125); the caller numbers
//            the tracks of a drawing from 1 and stores the point as plot HistoryCount
//   Name     the identification name (UTF-8)
//   Readout  what its readout lines are made from (MinorReadoutLines)
//   LabelX, LabelY  the top-left corner of the name label (with LabelMinorBodies on):
//            (X - LabelShift(Name), Y - kLabelRise)
struct TChartMinorBody {
  int X = 0;
  int Y = 0;
  int SideX = kNoSideX;
  TStarSymbol Symbol;
  TRgb Fill;
  TRgb Outline;
  bool Track = false;
  std::string Name;
  TMinorReadout Readout;
  int LabelX = 0;
  int LabelY = 0;
};

// MinorGroupFileName: the element file of a group.
//   group    1..5
//   returns  "asteroid.dta", "asteroi2.dta", "asteroi3.dta", "komet.dta", "rymdsond.dta";
//            empty for any other group
std::string_view MinorGroupFileName(int group);

// MinorReadoutLines: the five readout lines of a drawn body (UTF-8, at most kMinorLineChars
// characters each): [0] "delta=" the distance from the Earth in "a.e.", for probes preceded by
// "Centrum=" and the central body's Swedish name; [1] "Magnitud=" (empty when the file gives no
// magnitude parameters); [2] "Hastighet=" in "km/s"; [3] "Omloppstid=" in " år", or
// "Parabel- eller hyperbelbana"; [4] "r=" the distance from the central body in "a.e.".
// Five empty lines for a readout without a body.
std::array<std::string, 5> MinorReadoutLines(const TMinorReadout& readout);

// MinorGroupSymbol: a group's symbol and colours at a pixel.
//   group        1..5 (other values are drawn as asteroids)
//   displayMode  0 "Normal", 1 "Atlas"
//   x, y         the body's pixel
//   returns      the box: asteroids and comets (x-2, y-2)-(x+2, y+2) in "Normal" and
//                (x-3, y-3)-(x+3, y+3) in "Atlas"; probes (x-1, y-1)-(x+2, y+2) and
//                (x-2, y-2)-(x+2, y+2). Fill: asteroids (0, 0, 255), comets (0, 255, 255),
//                probes (0, 255, 0); outline the fill colour in "Normal", black in "Atlas".
TChartMinorBody MinorGroupSymbol(int group, int displayMode, int x, int y);

// ChartMinorGroup: the bodies of one group that the chart shows at the state's moment.
//   group    1..5
//   state    ClockJD (which lines are used), JD_TT, JD_UT, the site, DisplayMode and the
//            correction switches
//   moment   the drawing's shared quantities (ChartMoment of the state)
//   view     the view of the drawing
//   dataDir  the folder of the element files and the planetary series
//   returns  the bodies of the used lines whose rounded pixel lies strictly inside the client
//            rectangle (system 0: strictly inside either pane), in file order; std::nullopt
//            when the element file cannot be opened (the caller beeps and draws nothing of
//            the group). When the planetary series cannot be read no body can be placed and
//            the list is empty.
// Source: Meeus (1991), chapter 32 (2nd ed. 33): positions from elements.
std::optional<std::vector<TChartMinorBody>> ChartMinorGroup(int group, const TObsState& state,
                                                            const TChartMoment& moment,
                                                            const TChartView& view,
                                                            const std::filesystem::path& dataDir);

}  // namespace himlavy
