#include "earth/earth_site.h"

#include <cmath>

#include "base/formatting.h"
#include "base/place_lookup.h"
#include "base/textfile.h"

namespace himlavy {

TGeoPoint PlaceCoordinates(const TPlaceEntry& place) {
  TGeoPoint p{place.Latitude, place.Longitude};
  if (p.Latitude == 0.0) p.Latitude = 0.001;
  if (p.Latitude == 90.0) p.Latitude = 89.999;
  if (p.Longitude == 90.0) p.Longitude = 89.999;
  return p;
}

TFoundPlace FindPlace(TObsState& state, std::span<const TPlaceEntry> places) {
  TFoundPlace found;
  const auto take = [&found](const TPlaceEntry& place) {
    found.PlaceName = place.Name;
    found.Zone = place.Zone;
    found.CountryCode = place.CountryCode;
  };
  const double latitude = state.Latitude;
  const double longitude = state.Longitude;
  for (const TPlaceEntry& place : places) {
    const TGeoPoint p = PlaceCoordinates(place);
    if (!state.NewPlaceName.empty() && place.Name.find(state.NewPlaceName) != std::string::npos) {
      state.Latitude = p.Latitude;
      state.Longitude = p.Longitude;
      take(place);
      return found;
    }
    if (latitude - 0.5 <= p.Latitude && p.Latitude < latitude + 0.5 &&
        longitude - 0.5 <= p.Longitude && p.Longitude < longitude + 0.5) {
      take(place);
    }
  }
  return found;
}

std::string FindCountry(std::string_view code, std::span<const TCountryEntry> countries) {
  if (code.empty()) return {};
  for (const TCountryEntry& country : countries) {
    if (country.Code.find(code) != std::string::npos) return country.Name;
  }
  return {};
}

TSiteTexts SiteTexts(const TObsState& state, const TFoundPlace& found) {
  TSiteTexts texts;
  texts.PlaceAndCountry = " " + found.PlaceName + "\n " + found.CountryName;
  texts.Coordinates = " Latitud=" + FormatDM(std::fabs(state.Latitude) + 0.0001) +
                      (state.Latitude < 0.0 ? " S" : " N") +
                      "\n Longitud=" + FormatDM(std::fabs(state.Longitude) + 0.0001) +
                      (state.Longitude < 0.0 ? " V" : " Ö");
  texts.Zone = " Tidzon=" + found.Zone;
  return texts;
}

TFoundPlace LookUpSite(TObsState& state, const std::filesystem::path& dataDir, bool* missingFile) {
  const auto places = ReadPlaceFile(ResolveDataPath(dataDir, kPlaceFileName));
  const auto countries = ReadCountryFile(ResolveDataPath(dataDir, kCountryFileName));
  if (missingFile != nullptr) *missingFile = !places || !countries;
  TFoundPlace found = places ? FindPlace(state, *places) : TFoundPlace{};
  if (countries) found.CountryName = FindCountry(found.CountryCode, *countries);
  state.PlaceName = found.PlaceName;
  return found;
}

bool ChooseSiteAt(TObsState& state, int x, int y) {
  const auto point = GlobePointAt(x, y, state.Latitude, state.Longitude, kEarthMapRadius,
                                  kEarthMapCentreX, kEarthMapCentreY);
  if (!point) return false;
  state.Latitude = point->Latitude;
  state.Longitude = point->Longitude;
  state.NewPlaceName.clear();
  return true;
}

void RaiseFlagsAfterSiteChange(TObsState& state) {
  for (int TObsState::*flag : kRedrawFlags) {
    if (flag != &TObsState::RedrawEarth && flag != &TObsState::RedrawEarthCentre &&
        flag != &TObsState::RedrawJupCentre) {
      state.*flag = 1;
    }
  }
}

void TPlaceHits::Record(std::size_t line, int x, int y, std::string_view label) {
  if (line == 0 || line > kMaxLine) return;
  hits_[line] = {true, x, y, std::string(label)};
}

std::string TPlaceHits::NameAt(int x, int y) const {
  std::string name;
  for (const THit& hit : hits_) {
    if (hit.Drawn && x - 2 <= hit.X && hit.X < x + 2 && y - 2 <= hit.Y && hit.Y < y + 2) {
      name = " " + hit.Label;
    }
  }
  return name;
}

}  // namespace himlavy
