// The coastlines of "karta.dta" drawn through any map projection: the globe of the Earth
// views, the flat world map of the solar eclipses, the Earth on the sky chart.
#pragma once

#include <functional>
#include <span>
#include <vector>

#include "base/palette.h"
#include "earth/geo_files.h"
#include "earth/globe.h"

namespace himlavy {

class Canvas;

// Where a projection puts a point of "karta.dta" (latitude, longitude in degrees as read; a
// projection applies its own replacements of 0 and 90). A flat map gives every point a large
// positive depth.
using TMapProjection = std::function<TGlobePoint(double latitude, double longitude)>;

// The depths a land or ice mark must exceed before its area is filled: deep enough on the
// visible side that the area around it is not cut by the rim.
inline constexpr double kDeepLandMarkDepth = 100.0;  // 'g'
inline constexpr double kLandMarkDepth = 10.0;       // 'G'
inline constexpr double kIceMarkDepth = 50.0;        // 'V'

// DrawCoastlines: walks the points with their pen codes.
//   'P' starts a line (a black pixel where visible); ' ', '.' and ',' draw in black, dark blue
//   and blue-green to the point, with the pen moving but painting nothing while the point is
//   behind the globe; a line is taken up again where it comes back into view.
//   With `fillLand`, 'g' and 'G' flood the dark-blue area around a deep enough point with
//   green, and 'V' floods the dark-blue and then the green area with light grey; the mark's own
//   pixel takes the fill colour. The sea must therefore be dark blue (colours::kNavy).
// The pen is left solid, black and in copy mode.
void DrawCoastlines(Canvas& canvas, std::span<const TMapPoint> points,
                    const TMapProjection& project, bool fillLand);

// How the land and ice marks are filled.
enum class TMarkFill {
  None,      // no fills
  FloodSea,  // the sea-coloured area around the mark (and, for ice, the green one)
  Mark,      // only the black pixels connected to the mark, then the mark's own pixel
};

// The colours and fills of a coastline drawing; the defaults are those of the Earth map.
struct TCoastlineStyle {
  TMarkFill Fill = TMarkFill::FloodSea;
  TColor Sea = colours::kNavy;     // the colour FloodSea floods
  TColor Dotted = colours::kNavy;  // the line colour of '.'
  TColor Comma = colours::kTeal;   // the line colour of ','
};

// DrawCoastlines with a style: the same walk, the sea, the line colours and the fills chosen.
void DrawCoastlines(Canvas& canvas, std::span<const TMapPoint> points,
                    const TMapProjection& project, const TCoastlineStyle& style);

// The parallels of 60, 30, 0, -30 and -60 degrees as lines of map points ('P' then '.' every
// 5 degrees of longitude), to be drawn like the coastlines.
std::vector<TMapPoint> ParallelLines();

// DrawSmallGlobeDetail: the Earth's parallels (`coastlines` empty) or its coastlines on a small
// globe of radius `radius` about (cx, cy), in navy and black without fills, turned to the
// sidereal time and seen along `axes` (ProjectSurfacePoint).
void DrawSmallGlobeDetail(Canvas& canvas, std::span<const TMapPoint> coastlines, int cx, int cy,
                          int radius, double siderealDeg, double obliquityDeg,
                          const TViewAxes& axes);

}  // namespace himlavy
