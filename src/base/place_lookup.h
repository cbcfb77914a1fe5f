// Looking up the observing site by name in "ortsnamn.dta".
//
// Each line holds a place name in columns 1-30, latitude and longitude as degrees.minutes in
// columns 33-38 and 40-46 (north and east positive) and a time-zone text in columns 48-53.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "base/obs_state.h"

namespace himlavy {

inline constexpr std::string_view kPlaceFileName = "ortsnamn.dta";

enum class TLookUpStatus { Found, NotFound, FileMissing };

struct TLookUpResult {
  TLookUpStatus Status = TLookUpStatus::NotFound;
  std::string ZoneText;  // the found place's time-zone text (columns 48-53)
};

// Searches the place file for the first line whose name field (columns 1-30) contains `key`
// (case-sensitive substring; an empty key matches nothing). On a match Latitude, Longitude and
// PlaceName (trailing blanks kept) are set and the zone text returned; the zone itself is not
// changed. A latitude of exactly 0 becomes 0.001, and a latitude or longitude of exactly 90
// becomes 89.999. A missing file (the caller sounds the question beep) or no match changes
// nothing. Lines whose coordinates are not numbers, or lie off the globe (a latitude beyond
// +-90 or a longitude beyond +-180 degrees), are skipped.
TLookUpResult LookUpPlace(TObsState& state, std::string_view key,
                          const std::filesystem::path& placeFile);

}  // namespace himlavy
