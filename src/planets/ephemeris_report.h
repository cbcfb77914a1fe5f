// The ephemeris of the Sun, the Moon and the planets for the state's moment and site: the
// apparent places with their visual magnitudes, as himlavy-cli reports them.
#pragma once

#include <filesystem>
#include <optional>
#include <vector>

#include "astro/apparent.h"
#include "base/obs_state.h"

namespace himlavy {

struct TEphemerisRow {
  TApparentPlace Place;
  double Magnitude;  // NaN where there is no formula (the Sun, the Moon)
};

// The corrections of the state: light time, nutation and aberration always (an apparent place
// of date), parallax and refraction as the state's switches say.
TCorrections EphemerisCorrections(const TObsState& state);

// Apparent places of `bodies` at the state's moment and site.
// nullopt when the planetary series files in `dataDir` are missing or damaged.
std::optional<std::vector<TEphemerisRow>> EphemerisRows(const TObsState& state,
                                                        const std::vector<TBody>& bodies,
                                                        const std::filesystem::path& dataDir);

// The visual magnitude of a planet (1..9) from its apparent place (Meeus ch. 40); NaN for
// other bodies.
double ApparentMagnitude(const TApparentPlace& place, const TMomentTerms& m);

}  // namespace himlavy
