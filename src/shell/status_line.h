// The texts of the main window's status line, built from the observation state.
#pragma once

#include <array>
#include <string>

#include "base/obs_state.h"

namespace himlavy {

// The fields of the status line, in the order of StatusLineTexts.
enum class TStatusField {
  Date,
  Clock,
  Zone,
  JulianDay,
  Increment,
  Place,
  Latitude,
  Longitude,
  Height,
  Count
};

// Widths in pixels of the nine status panels, left to right.
inline constexpr std::array<int, 9> kStatusPanelWidths = {111, 68, 188, 112, 85, 155, 108, 112, 74};

// The nine panel texts, left to right: date and weekday, clock time, zone, scale and delta T,
// JD (UT), increment, place, latitude, longitude and height. `decimalSep` is the user's
// decimal separator (numbers "in the system's number format").
std::array<std::string, 9> StatusLineTexts(const TObsState& state, char decimalSep);

// The header of a printed sky chart: the program and the moment, zone and site it was drawn for.
struct TPrintHeader {
  std::string Title;  // the program's name and version
  std::string Date;   // weekday name, day, month and year of ClockJD joined by "-"
  std::string Time;   // the clock time, as on the status line
  std::string Zone;   // " Zon=" zone (two decimals), "   Skala=" chart zoom, "   dT=" delta T
  std::string JD;     // " JD=" JD_UT with six decimals
  std::string Place;  // the place name, latitude, longitude and height as on the status line
  std::string Latitude;
  std::string Longitude;
  std::string Height;
};

// PrintHeaderTexts: the header texts of a printed chart.
//   state       the observation state
//   chartZoom   the chart's zoom
//   decimalSep  the user's decimal separator
TPrintHeader PrintHeaderTexts(const TObsState& state, int chartZoom, char decimalSep);

}  // namespace himlavy
