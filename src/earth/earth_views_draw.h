// The drawings of the Earth views: the Earth map with the observing site, the Sun's position
// over the Earth (day and night globes) and the day/night line (globes seen from the side).
#pragma once

#include <filesystem>
#include <optional>

#include "base/obs_state.h"
#include "base/palette.h"
#include "earth/earth_site.h"
#include "earth/sun_position.h"

namespace himlavy {

class Canvas;

// --- The Earth map ---

// What a drawing of the map found and shows beside the globe.
struct TEarthMapResult {
  TSiteTexts Texts;
  bool MissingFile = false;  // a geographic file could not be opened (the caller beeps)
};

// DrawEarthMap: looks the site up (LookUpSite, which may move the site to a typed place and
// sets PlaceName), draws the globe centred on the site with its coastlines, land and ice
// (MapColour = 1) and the places, and records the places drawn in `hits`.
TEarthMapResult DrawEarthMap(Canvas& canvas, TObsState& state, const std::filesystem::path& dataDir,
                             TPlaceHits& hits);

// DrawSiteMarker: the green cross with an open centre at the globe's centre.
void DrawSiteMarker(Canvas& canvas);

// --- The Sun's position and the day/night line ---

// The two globes of both windows.
inline constexpr int kSunGlobeRadius = 240;
inline constexpr int kSunGlobeLeftX = 260;
inline constexpr int kSunGlobeRightX = 760;
inline constexpr int kSunGlobeY = 350;

// The colours of the sunlit and dark parts, coloured (MapColour = 1) or grey.
struct TDaylightColours {
  TColor Day;
  TColor Night;
  TColor DeepNight;  // the Sun more than 18 degrees below the horizon
};
TDaylightColours DaylightColours(int mapColour);

// DrawSunPosition: the daylit hemisphere seen from the Sun (left) and the night hemisphere seen
// from the opposite side (right), with the sub-solar point. Returns the sub-solar point, or
// nullopt (nothing drawn) without the planet series. `missingMap` is set when "karta.dta"
// could not be read.
std::optional<TSubSolarPoint> DrawSunPosition(Canvas& canvas, const TObsState& state,
                                              const std::filesystem::path& dataDir,
                                              bool* missingMap = nullptr);

// DrawDayNight: the hemispheres where the Sun rises (left) and sets (right), seen from the
// side so that the day/night line is their vertical diameter, with the twilight, the
// refraction's widening of the day (CorrRefraction), coastlines and places. Returns as
// DrawSunPosition; `missingFile` covers "karta.dta" and "ortsnamn.dta".
std::optional<TSubSolarPoint> DrawDayNight(Canvas& canvas, const TObsState& state,
                                           const std::filesystem::path& dataDir,
                                           bool* missingFile = nullptr);

}  // namespace himlavy
