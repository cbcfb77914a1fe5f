// The history plots of the sky chart: where the Sun, the planets, the Moons and the tracked
// minor bodies stood at each draw cycle while the time increment runs.
//
// Two tables of plots, each plot the triple (x, y, side x): the pixel and, in system 0, the x of
// the side-view pane (same y); outside system 0 side x is whatever the drawing stored (-100
// for the bodies drawn there), off the chart.
//   planets  15 bodies (the identification order "Solen" .. "Callisto", 0..14) x 2001 plots
//   tracks   101 tracks (0..100; a drawing numbers its tracked minor bodies from 1, so at
//            most 100 are used) x 2001 plots
// Plot k of a body is written during the k-th draw cycle (HistoryCount). A count above 2000 is
// stored as plot 2000, so once the count is at its limit the last plot is overwritten at every
// further tick. Clearing sets every coordinate to -10 (off the chart).
//
// Drawing (the chart does it before the bodies themselves, for plots 0..HistoryCount, planet
// tracks of every body and minor-body tracks 0..the number of tracks of the last drawing):
//   planets  "Normal": one magenta (255, 0, 255) pixel at (x, y); "Atlas": a purple
//            (128, 0, 128) ring, the box (x-2, y-2)-(x+2, y+2) outlined, not filled
//   tracks   "Normal": one cyan (0, 255, 255) pixel; "Atlas": a blue (0, 0, 255) ring
// In system 0 each plot is drawn in both panes, (x, y) clipped to the ecliptic-plane pane
// (0, 25)-(689, 767) and (side x, y) to the side view (693, 25)-(1023, 767).
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "skychart/chart_projection.h"
#include "skychart/chart_symbols.h"

namespace himlavy {

inline constexpr int kHistoryBodies = 15;
inline constexpr int kHistoryTracks = 101;
inline constexpr int kHistoryPlots = kMaxHistoryCount + 1;  // 0..2000
inline constexpr int kHistoryCleared = -10;

// One stored plot. Coordinates beyond the 16-bit range are kept at its ends (off the chart).
struct THistoryPlot {
  std::int16_t X = kHistoryCleared;
  std::int16_t Y = kHistoryCleared;
  std::int16_t SideX = kHistoryCleared;
};

// The mark of one plot.
struct THistoryMark {
  TStarSymbol Symbol;  // a pixel at (x, y), or the ring's box
  TRgb Colour;         // the pixel's colour or the ring's outline (the ring is not filled)
};

inline constexpr TRgb kPlanetPlotNormal = kChartMagenta;
inline constexpr TRgb kPlanetPlotAtlas = kChartPurple;
inline constexpr TRgb kTrackPlotNormal = kChartCyan;
inline constexpr TRgb kTrackPlotAtlas = kChartBlue;

// HistoryMark: how one plot is drawn.
//   track        false for the planet table, true for the minor-body tracks
//   displayMode  0 "Normal", 1 "Atlas"
//   x, y         the plot's pixel
//   returns      "Normal": a pixel at (x, y), magenta (planets) or cyan (tracks); "Atlas": the
//                ring box (x-2, y-2)-(x+2, y+2), purple (planets) or blue (tracks)
THistoryMark HistoryMark(bool track, int displayMode, int x, int y);

// The two tables, allocated once (about 1.4 MB) and cleared on creation.
class THistoryPlots {
 public:
  THistoryPlots();

  // Clear: every coordinate of both tables to -10.
  void Clear();

  // StorePlanet: plot `count` of a body.
  //   body   0..14 (other values are ignored)
  //   count  the draw cycle, 0..2000; above 2000 stored as 2000; negative ignored
  //   x, y, sideX  pixels
  void StorePlanet(int body, int count, int x, int y, int sideX);

  // StoreTrack: plot `count` of a minor-body track.
  //   track  0..100 (the 101st track of a drawing and beyond are not stored)
  //   count, x, y, sideX  as for StorePlanet
  void StoreTrack(int track, int count, int x, int y, int sideX);

  // PlanetPlots, TrackPlots: plots 0..upToCount of a body or a track (upToCount kept within
  // 0..2000); empty for a body or track outside the table.
  std::span<const THistoryPlot> PlanetPlots(int body, int upToCount) const;
  std::span<const THistoryPlot> TrackPlots(int track, int upToCount) const;

 private:
  std::vector<THistoryPlot> plots_;  // planets first, then tracks, kHistoryPlots per row
};

}  // namespace himlavy
