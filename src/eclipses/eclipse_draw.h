// Drawing of the two eclipse windows: the world map with its places, the solar table with the
// central lines, the site marker, and the lunar table.
#pragma once

#include <string>
#include <vector>

#include "earth/geo_files.h"
#include "eclipses/eclipse_tables.h"
#include "shell/canvas.h"

namespace himlavy {

// --- Layout of the solar window's client area (pixels) ---
inline constexpr int kSolarTableX = 76;  // row number and date
inline constexpr int kSolarTimeX = 148;
inline constexpr int kSolarKindX = 194;
inline constexpr int kSolarMagnitudeX = 302;
inline constexpr int kSolarDurationX = 361;
inline constexpr int kSolarLatitudeX = 402;
inline constexpr int kSolarLongitudeX = 472;
inline constexpr int kSolarTableRight = 548;
inline constexpr int kSolarTableBottom = 90;
inline constexpr int kSolarHeadY = 6;
inline constexpr int kSolarFirstRowY = 20;
inline constexpr int kEclipseRowHeight = 14;

// --- Layout of the lunar window's client area ---
inline constexpr int kLunarHeadY = 40;
inline constexpr int kLunarFirstRowY = 54;
inline constexpr int kLunarDateX = 10;
inline constexpr int kLunarKindX = 72;
inline constexpr int kLunarMagnitudeX = 136;
inline constexpr int kLunarBeginX = 196;
inline constexpr int kLunarMaximumX = 252;
inline constexpr int kLunarEndX = 308;
inline constexpr int kLunarAltitudeX = 354;
inline constexpr int kLunarClearRight = 386;
inline constexpr int kLunarClearBottom = 124;

// A place drawn on the map, for the name under the mouse.
struct TPlaceHit {
  int X = 0;
  int Y = 0;
  std::string Name;  // the first 31 characters of its line
};

// The coastlines cut where they cross the date line: the piece on each side is drawn to the
// map's edge at the latitude of the crossing, so that no line runs across the flat map and
// the land areas close against its edges.
std::vector<TMapPoint> CutAtDateLine(const std::vector<TMapPoint>& points);

// The map: the sea (dark blue when `coloured`, else grey-blue), the coastlines of "karta.dta"
// with the land filled when `coloured`, and the right edge.
void DrawEclipseMap(Canvas& canvas, const std::vector<TMapPoint>& coastlines, bool coloured);

// The places as white pixels; returns where each was drawn.
std::vector<TPlaceHit> DrawEclipseMapPlaces(Canvas& canvas, const std::vector<TPlaceEntry>& places);

// The table's heads and rows, the central lines as dots sized by the duration (red, outlined
// red for total and yellow for the other kinds), the labels at the central points, and the
// table cleared below the last row.
void DrawSolarEclipseRows(Canvas& canvas, const TSolarEclipsesReport& report);

// The site as a green cross of four strokes.
void DrawSiteMarker(Canvas& canvas, double latitude, double eastLongitude);

// The lunar table: heads and rows, cleared below the last row.
void DrawLunarEclipseRows(Canvas& canvas, const TLunarEclipsesReport& report);

// The place whose hit lies within 2 pixels of (x, y), or an empty text.
std::string PlaceNameAt(const std::vector<TPlaceHit>& hits, int x, int y);

}  // namespace himlavy
