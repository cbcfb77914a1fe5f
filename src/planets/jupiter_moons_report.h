// The apparent positions of Jupiter's four large moons as the Jupiter's-moons window shows
// them: X along Jupiter's equator (positive west), Y toward its north pole, Z along the line
// of sight (negative in front of Jupiter), all in Jupiter equatorial radii.
#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string_view>

#include "base/basic.h"

namespace himlavy {

// The moons' names as the window writes them (Europa's text carries a trailing blank).
inline constexpr std::array<std::string_view, 4> kGalileanNames = {"Io", "Europa ", "Ganymedes",
                                                                   "Callisto"};

struct TJupiterMoons {
  TSpherical Jupiter;               // geocentric lambda0, beta0 (radians), Delta (AU)
  std::array<TVector3, 4> Moons{};  // Io, Europa, Ganymede, Callisto
};

// At JD (TT), with the light-time option: Jupiter's geocentric place from the series in
// `dataDir`, the moment moved back by the light time when asked, the pole and the four moons
// through SatelliteEcliptic and SatelliteApparent (Meeus 1st ed., ch. 43). nullopt when the
// series files are missing or damaged.
std::optional<TJupiterMoons> JupiterMoonsApparent(double jdTT, bool lightTime,
                                                  const std::filesystem::path& dataDir);

}  // namespace himlavy
