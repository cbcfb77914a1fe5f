// The drawing of the Earth-centred view: the three panels with the Earth, the Moon and the
// satellites (earth_centre.h computes where they are).
#pragma once

#include <span>
#include <string>
#include <vector>

#include "base/obs_state.h"
#include "earth/earth_centre.h"
#include "earth/geo_files.h"

namespace himlavy {

class Canvas;

// The bodies drawn, for the name under the mouse: at most kMaxEntries are kept.
class TEarthCentrePoints {
 public:
  static constexpr std::size_t kMaxEntries = 200;
  void Clear() { entries_.clear(); }
  void Add(int x, int y, const std::string& name);
  std::size_t Count() const { return entries_.size(); }
  // The label of the last entry with x - 3 <= X < x + 3 and y - 3 <= Y < y + 3, or empty.
  std::string NameAt(int x, int y) const;

 private:
  struct TEntry {
    int X, Y;
    std::string Name;
  };
  std::vector<TEntry> entries_;
};

// The chart scale from which the Earth shows its parallels, and from which its coastlines.
inline constexpr int kParallelsScale = 32768;
inline constexpr int kCoastlinesScale = 262144;

// DrawEarthCentre: the whole picture: background, the equator lines and hour circle with its
// marks and labels, then (ShowSunPlanets) the Earth, (ShowMoons) the Moon and (ShowProbes) the
// satellites, which are recorded in `points`. `map` holds the points of "karta.dta" (empty
// when it could not be read).
void DrawEarthCentre(Canvas& canvas, const TObsState& state, const TEarthCentreScene& scene,
                     double viewScale, double pixelsPerAU, std::span<const TMapPoint> map,
                     TEarthCentrePoints& points);

// The three Earth disks with their parallels (from kParallelsScale) or coastlines turned to the
// moment (from kCoastlinesScale).
void DrawEarthGlobes(Canvas& canvas, const TObsState& state, const TEarthCentreScene& scene,
                     double viewScale, std::span<const TMapPoint> map);

// The Moon and the satellites in the three panels, over what is drawn (the increment's trails).
void DrawEarthCentreBodies(Canvas& canvas, const TObsState& state, const TEarthCentreScene& scene,
                           double viewScale, double pixelsPerAU, TEarthCentrePoints& points);

}  // namespace himlavy
