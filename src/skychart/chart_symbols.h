// What the sky chart draws for a catalog object: the size of a star's symbol by its magnitude
// and the chart zoom, its colour by the colour index, the extinction in the horizontal
// systems, and the outlines of deep-sky objects. Everything here is plain geometry (boxes and
// point lists in pixels, colours as red, green, blue); skychart_draw.cpp puts it on a canvas.
//
// Boxes are GDI-style: an ellipse in the box (X1, Y1)-(X2, Y2) covers X1..X2-1 and Y1..Y2-1.
#pragma once

#include <optional>
#include <vector>

#include "skychart/chart_projection.h"

namespace himlavy {

// A star's symbol: a filled ellipse in a box, or one pixel at (X1, Y1).
struct TStarSymbol {
  bool IsPixel = false;
  int X1 = 0;
  int Y1 = 0;
  int X2 = 0;
  int Y2 = 0;
  bool operator==(const TStarSymbol&) const = default;
};

// ZoomMagnitudeShift: what "Normal" mode adds to a star's magnitude at a zoom.
//   zoom     the chart zoom
//   returns  +1 at zoom 1, 0 at 2, -1 at 4, -2 at 8, -3 at 16, -4 at 32, -5 at 64 and above
int ZoomMagnitudeShift(int zoom);

// Extinction: the magnitudes added to a star at an apparent altitude (horizontal systems with
// CorrExtinction on).
//   altitude  degrees
//   returns   0 from 43, 0.1 from 26, 0.3 from 19, 0.5 from 11, 0.9 from 8, 1.2 from 4,
//             2.0 from 2, 2.5 from 1, 3.0 below 1
double Extinction(double altitude);

// RoundMagnitude: a symbol magnitude rounded to a whole number (ties to even), kept within
// +-1000 so that absurd values fall outside every table.
int RoundMagnitude(double m);

// NormalStarSymbol: the "Normal" symbol of rounded (shifted) magnitude n at pixel (x, y).
//   largestFrom  the lowest n drawn with the largest box (-6; "gcvs" -12)
//   returns      -6..-4 box (x-5, y-5)-(x+5, y+5); -3 (x-3, y-3)-(x+4, y+4); -2, -1
//                (x-3, y-3)-(x+3, y+3); 0 (x-2, y-2)-(x+3, y+3); 1, 2 (x-2, y-2)-(x+2, y+2);
//                3 (x-1, y-1)-(x+2, y+2); 4, 5 (x-1, y-1)-(x+1, y+1); 6..99 a pixel;
//                std::nullopt otherwise
std::optional<TStarSymbol> NormalStarSymbol(int n, int x, int y, int largestFrom = -6);

// AtlasStarSymbol: the "Atlas" symbol of rounded magnitude n (no zoom shift) at (x, y).
//   largestFrom  the lowest n drawn with the largest box (-2; "gcvs" -12)
//   returns      -2..0 box (x-6, y-6)-(x+6, y+6); 1 +-5; 2 +-4; 3, 4 +-3; 5, 6 +-2; 7, 8
//                (x-1, y-1)-(x+2, y+2); 9, 10 (x-1, y-1)-(x+1, y+1); 11..99 a pixel;
//                std::nullopt otherwise
std::optional<TStarSymbol> AtlasStarSymbol(int n, int x, int y, int largestFrom = -2);

// ColourIndexClass: c = round(10 B-V) of a colour index in hundredths of a magnitude (9900,
// unknown, gives 990).
int ColourIndexClass(int bvHundredths);

// StarColour: the colour of colour class c (ColourIndexClass).
//   displayMode  0 "Normal", 1 "Atlas" (the colour of an unknown index, c = 990)
//   galaxy       the galaxy table: c 12..19 red, 20 light grey
//   returns      -5..-3 (121, 123, 208); -2, -1 (91, 185, 230); 0, 1 (244, 251, 255); 2..4
//                (176, 234, 206); 5..7 (204, 211, 107); 8..11 (226, 143, 88); 12..20
//                (235, 85, 20); 990 white ("Normal") or (224, 224, 224) ("Atlas");
//                std::nullopt outside the table
std::optional<TRgb> StarColour(int c, int displayMode, bool galaxy = false);

// RadiusFromSize: the radius in pixels of an object of a size (diameter) in arcminutes.
//   returns  round(size PixelScale / 120), at least 1
int RadiusFromSize(double sizeArcmin, double pixelScale);

// OutlinePoints: the closed outline of a deep-sky object: `count` points (36 for an ellipse,
// 8 for a nebula's eight-point outline) one every 360/count degrees of t, the point at t being
// (a cos t, b sin t) turned by the base direction posAngle + 90 degrees. A point at distance d
// in direction phi is placed at x + d cos(phi) / cos(dec), y - d sin(phi) in the rectangular
// systems; in the polar equatorial system (3) without the division by cos(dec) and with phi
// turned by minus the right ascension (plus it in the southern hemisphere).
//   x, y      the object's pixel
//   a, b      semi-axes, pixels (a = b for a round object)
//   posAngle  position angle, degrees
//   dec, ra   the object's apparent declination and right ascension, radians
//   view      CoordSystem and Hemisphere
//   returns   the pixels, rounded (ties to even)
std::vector<TPixel> OutlinePoints(int x, int y, double a, double b, double posAngle, double dec,
                                  double ra, const TChartView& view, int count = 36);

}  // namespace himlavy
