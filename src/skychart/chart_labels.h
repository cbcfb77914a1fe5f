// The constellations on the sky chart (figures, boundaries and names) and the name labels of
// stars and deep-sky objects.
//
// Every point is taken from its J2000.0 position to the apparent place of the drawing's moment
// with the corrections that are switched on (proper motion never applies), turned into the
// chart's coordinate system and projected exactly as the catalog objects are, so that the
// figures and the labels sit on the stars they belong to. Nothing here draws: the results are
// pixels, texts (UTF-8) and colours that the chart window puts on its canvas.
//
// What the caller decides (the chart's drawing order):
//   - figures (when ShowConstellations is 1) and boundaries (ShowConstBounds 1) only while the
//     chart zoom is below kMaxZoomConstellationLines (128); boundaries before figures;
//   - constellation names when LabelConstellations is 1 (at any zoom); PlotConstellations
//     gives them only when ShowConstellations or ShowConstBounds is 1 as well;
//   - star names when any star catalog ("bsc", "sky", "wds", "gcvs") is enabled, deep-sky names
//     when any deep-sky catalog is; the texts are written when LabelStars / LabelDeepSky is 1;
//   - a constellation file that cannot be opened (LoadConstellationFile gives nullptr) is
//     skipped with the system's question beep.
#pragma once

#include <cstddef>
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/obs_state.h"
#include "catalogs/catalog_records.h"
#include "skychart/chart_projection.h"
#include "skychart/constellation_files.h"

namespace himlavy {

// Pen colours of the figures and the boundaries; text colours of the names. Constellation
// names are 8 pt bold italic, star and deep-sky names 8 pt regular, all on a transparent
// background.
inline constexpr TRgb kFigureColour = kChartGreen;
inline constexpr TRgb kBoundaryColour = kChartOlive;
inline constexpr TRgb kConstellationNameColour = kChartGrey;
inline constexpr TRgb kStarNameColour = kChartGrey;
inline constexpr TRgb kDeepSkyNameColour = kChartTeal;

// Figures and boundaries are drawn only below this zoom (the caller's rule).
inline constexpr int kMaxZoomConstellationLines = 128;

// The radius in pixels of the circle that marks a point of style 'o'.
inline constexpr int kConstellationCircleRadius = 3;

// A point more than this many pixels outside the client rectangle draws nothing.
inline constexpr int kConstellationPenMargin = 500;

// Only the first this many star / deep-sky names that are placed are searched by the
// identification of the chart.
inline constexpr std::size_t kMaxIdentifiedStarNames = 600;
inline constexpr std::size_t kMaxIdentifiedObjectNames = 300;

// One point of a figure or boundary line, in file order. The drawing is, for each step: the
// pen in no-op mode when Hidden (copy mode otherwise), dotted when Dotted (solid otherwise);
// MoveTo(X, Y) when Move; the circle of radius 3 about (X, Y) when Circle; LineTo(X, Y).
// Afterwards the pen is solid and in copy mode again.
struct TConstellationStep {
  int X = 0;  // the point's pixel, rounded (ties to even)
  int Y = 0;
  bool Move = false;    // pen code 'p': a new line starts at the point
  bool Hidden = false;  // nothing is drawn for this step; the pen position still moves
  bool Dotted = false;  // style 's'
  bool Circle = false;  // style 'o', and the step is not hidden
  bool operator==(const TConstellationStep&) const = default;
};

// What PlotConstellations gives for one file.
struct TConstellationPlot {
  TRgb Colour;                            // pen colour (lines) or text colour (names)
  std::vector<TConstellationStep> Steps;  // figures and boundaries
  std::vector<TChartLabel> Labels;        // names: the text and its top-left corner
};

// ConstellationFileName: the file of a mode.
//   returns  "konst.dta" (figures), "konstgra.dta" (boundaries), "konnamn.dta" (names)
std::string_view ConstellationFileName(TConstellationFile mode);

// LoadConstellationFile: the points of a constellation file in `dataDir` (name matched without
// regard to case), read once and kept while the file's modification time and size stay the
// same.
//   dataDir  the folder of the data files
//   mode     which of the three files
//   returns  the points in file order, or nullptr when the file cannot be opened. The pointer
//            stays valid for the life of the program; its contents are replaced in place when
//            a later call finds the file changed.
std::shared_ptr<const std::vector<TConstellationPoint>> LoadConstellationFile(
    const std::filesystem::path& dataDir, TConstellationFile mode);

// PlotConstellations: the figures, boundaries or names of one drawing.
//   mode    Figures, Boundaries or Names
//   points  the file's points (LoadConstellationFile)
//   state   ShowConstellations and ShowConstBounds (names only)
//   moment  the drawing's shared quantities and correction switches (ChartMoment)
//   view    the view of the drawing
//   returns Colour: figures (0, 128, 0), boundaries (128, 128, 0), names (128, 128, 128).
//           Each point: CatalogApparentPlace without proper motion, ChartCoordinates,
//           ProjectChartCoords rounded (where the projection leaves a point out, its formula is
//           still evaluated so that the pen can move there).
//           Lines (Steps, one per point): in the rectangular systems a step is hidden when the
//           chart longitudes lon' of it and the previous point differ by 180 or more, or when
//           the latitude of either is 75 or more or below -75 (system 4: the altitude with
//           refraction 75 or more or below 0); the first point is compared with itself. In the
//           polar systems a step is hidden when its declination (system 3, sign changed in the
//           southern hemisphere) or altitude with refraction (system 5) is below 3. A step is
//           also hidden when its pixel lies more than 500 pixels outside the client rectangle.
//           Names (Labels, only when ShowConstellations or ShowConstBounds is 1): each point
//           strictly inside the client rectangle and shown (systems 1, 2, 6: -75 < latitude <
//           75; system 4: 3 < altitude without refraction < 75; systems 3, 5 as for lines) gets
//           its name cut after the first blank of the first pair of blanks (all 19 characters
//           when there is no pair), n characters, at (x - round(3.3 n), y - 7).
//           System 0 gives nothing.
// Source: Meeus (1991), chapters 20 (precession) and 22 (nutation, aberration).
TConstellationPlot PlotConstellations(TConstellationFile mode,
                                      std::span<const TConstellationPoint> points,
                                      const TObsState& state, const TChartMoment& moment,
                                      const TChartView& view);

// A star or deep-sky name placed on the chart.
struct TNameLabel {
  int X = 0;  // the object's pixel, strictly inside the client rectangle
  int Y = 0;
  std::string_view Name;  // UTF-8, as read (up to the first pair of blanks); points into the
                          // entries given to PlaceNames
  int TextX = 0;          // the text's top-left corner: X - LabelShift(Name)
  int TextY = 0;          // Y - kLabelRise
};

// NameFileName: "Stjanamn.dta" for stars, "Objnamn.dta" for deep-sky objects.
std::string_view NameFileName(bool stars);

// LoadNameFile: the names of "Stjanamn.dta" (stars, at most 19 characters) or "Objnamn.dta"
// (deep-sky objects, at most 22) in `dataDir`, cached as LoadConstellationFile.
//   returns  the entries in file order, or nullptr when the file cannot be opened
std::shared_ptr<const std::vector<TNameEntry>> LoadNameFile(const std::filesystem::path& dataDir,
                                                            bool stars);

// PlaceNames: the name labels of one drawing.
// Star and deep-sky names are placed alike; the caller writes them in kStarNameColour or
// kDeepSkyNameColour.
//   names   the entries (LoadNameFile)
//   moment  the drawing's shared quantities and correction switches
//   view    the view of the drawing
//   returns in file order, every name whose point (CatalogApparentPlace without proper
//           motion, ChartCoordinates, ProjectChartCoords, rounded) lies strictly inside the
//           client rectangle and is not hidden: in system 3 a declination below 3 degrees, in
//           systems 4 and 5 an apparent altitude below 3 degrees, in system 4 also 75 degrees
//           or more. All are returned; the identification uses the first 600 (stars) or 300
//           (deep-sky objects).
std::vector<TNameLabel> PlaceNames(std::span<const TNameEntry> names, const TChartMoment& moment,
                                   const TChartView& view);

}  // namespace himlavy
