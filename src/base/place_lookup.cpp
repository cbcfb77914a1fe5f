#include "base/place_lookup.h"

#include <cmath>

#include "base/formatting.h"
#include "base/numtext.h"
#include "base/textfile.h"

namespace himlavy {

TLookUpResult LookUpPlace(TObsState& state, std::string_view key,
                          const std::filesystem::path& placeFile) {
  TLookUpResult result;
  const auto lines = ReadRawLines(placeFile, 54);
  if (!lines) {
    result.Status = TLookUpStatus::FileMissing;
    return result;
  }
  if (key.empty()) return result;
  for (const std::string& line : *lines) {
    const auto latText = ParseReal(LineColumns(line, 33, 38));
    const auto lonText = ParseReal(LineColumns(line, 40, 46));
    if (!latText || !lonText) continue;
    const std::string name = Cp1252ToUtf8(LineColumns(line, 1, 30));
    if (name.find(key) == std::string::npos) continue;
    double latitude = DegMinToDeg(*latText);
    double longitude = DegMinToDeg(*lonText);
    // A place off the globe is a damaged line.
    if (!(std::fabs(latitude) <= kMaxLatitude && std::fabs(longitude) <= kMaxLongitude)) continue;
    if (latitude == 0.0) latitude = 0.001;
    if (latitude == 90.0) latitude = 89.999;
    if (longitude == 90.0) longitude = 89.999;
    state.Latitude = latitude;
    state.Longitude = longitude;
    state.PlaceName = name;
    result.Status = TLookUpStatus::Found;
    result.ZoneText = Cp1252ToUtf8(LineColumns(line, 48, 53));
    return result;
  }
  return result;
}

}  // namespace himlavy
