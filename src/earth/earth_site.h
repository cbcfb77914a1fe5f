// The observing site on the Earth map: the place and country found for the site, the texts the
// map shows about it, the site picked with the mouse, and the place under the mouse.
#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "base/obs_state.h"
#include "earth/geo_files.h"
#include "earth/globe.h"

namespace himlavy {

// The Earth map's globe: radius and centre in client pixels.
inline constexpr double kEarthMapRadius = 310.0;
inline constexpr int kEarthMapCentreX = 365;
inline constexpr int kEarthMapCentreY = 330;

// A place's coordinates as the place drawings and the place search use them: a latitude of
// exactly 0 becomes 0.001 (off the equator's singular depth), and a latitude or longitude of
// exactly 90 becomes 89.999.
TGeoPoint PlaceCoordinates(const TPlaceEntry& place);

// What the place search found: the texts of the matching or nearest place and its country.
struct TFoundPlace {
  std::string PlaceName;    // columns 1-30 of the place's line
  std::string Zone;         // columns 48-53
  std::string CountryCode;  // the two letters after the first "["
  std::string CountryName;  // from "land.dta"
};

// FindPlace: looks the site up in the places, in file order.
//   A place whose name contains state.NewPlaceName (an empty one matches nothing) ends the
//   search: it becomes the site (Latitude, Longitude) and the found place.
//   Otherwise every place within half a degree of the site in both coordinates
//   (site - 0.5 <= place < site + 0.5) becomes the found place in turn, so the last one in the
//   file wins, and the site stays as it was.
// The country name is not filled in (FindCountry).
TFoundPlace FindPlace(TObsState& state, std::span<const TPlaceEntry> places);

// FindCountry: the name of the first country whose code (columns 1-2) contains `code`; empty
// for an empty code or none found.
std::string FindCountry(std::string_view code, std::span<const TCountryEntry> countries);

// The three text boxes beside the globe.
struct TSiteTexts {
  std::string PlaceAndCountry;  // " place" line break " country"
  std::string Coordinates;      // " Latitud=59°20' N" line break " Longitud=18°03' Ö"
  std::string Zone;             // " Tidzon=+1*"
};

// SiteTexts: the texts for the site of `state` and what the search found.
TSiteTexts SiteTexts(const TObsState& state, const TFoundPlace& found);

// LookUpSite: the place search and the country search of a drawing of the map, with the files
// of `dataDir`. A file that cannot be read counts as empty; `missingFile` is set when one of
// "ortsnamn.dta" and "land.dta" could not be opened. Sets PlaceName to the found name.
TFoundPlace LookUpSite(TObsState& state, const std::filesystem::path& dataDir,
                       bool* missingFile = nullptr);

// ChooseSiteAt: a left click at (x, y) on the Earth map makes the point under it the site
// (GlobePointAt about the current site) and empties NewPlaceName. Returns false, changing
// nothing, for a click outside the globe or on its rim. The caller redraws the map and raises
// the other windows' flags (RaiseFlagsAfterSiteChange).
bool ChooseSiteAt(TObsState& state, int x, int y);

// RaiseFlagsAfterSiteChange: the redraw flags of every window that depends on the site, that
// is all but the Earth map itself and the Earth- and Jupiter-centred views.
void RaiseFlagsAfterSiteChange(TObsState& state);

// The places drawn on the map by their line number in "ortsnamn.dta" (1 to 2000), for the name
// under the mouse. An entry keeps the last position its place was drawn at.
class TPlaceHits {
 public:
  static constexpr std::size_t kMaxLine = 2000;
  // Records the place of line `line` drawn at (x, y); lines beyond kMaxLine are not kept.
  void Record(std::size_t line, int x, int y, std::string_view label);
  // The name under the mouse at (x, y): " " + the label of the last entry (by line number) with
  // x - 2 <= X < x + 2 and y - 2 <= Y < y + 2, or empty when there is none.
  std::string NameAt(int x, int y) const;

 private:
  struct THit {
    bool Drawn = false;
    int X = 0;
    int Y = 0;
    std::string Label;
  };
  std::array<THit, kMaxLine + 1> hits_{};
};

}  // namespace himlavy
