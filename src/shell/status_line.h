// The texts of the main window's status line, built from the observation state.
#pragma once

#include <array>
#include <string>

#include "shell/obs_state.h"

namespace himlavy {

// Widths in pixels of the nine status panels, left to right.
inline constexpr std::array<int, 9> kStatusPanelWidths = {111, 68, 188, 112, 85, 155, 108, 112, 74};

// The nine panel texts, left to right: date and weekday, clock time, zone, scale and delta T,
// JD (UT), increment, place, latitude, longitude and height. `decimalSep` is the user's
// decimal separator (numbers "in the system's number format").
std::array<std::string, 9> StatusLineTexts(const TObsState& state, char decimalSep);

}  // namespace himlavy
