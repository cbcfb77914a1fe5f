#include "planets/ephemeris_report.h"

#include <cmath>

#include "planets/physical.h"

namespace himlavy {

TCorrections EphemerisCorrections(const TObsState& state) {
  TCorrections c;
  c.LightTime = true;
  c.Nutation = true;
  c.Aberration = true;
  c.Parallax = state.CorrParallax == 1;
  c.Refraction = state.CorrRefraction == 1;
  return c;
}

double ApparentMagnitude(const TApparentPlace& place, const TMomentTerms& m) {
  if (place.Body < TBody::Mercury || place.Body > TBody::Pluto) return std::nan("");
  const double r = place.Helio.R;
  const double delta = place.Geo.R;
  const double i = PhaseAngle(delta, place.Earth.R, r);
  double ringB = 0.0;
  double ringDU = 0.0;
  if (place.Body == TBody::Saturn) {
    const auto ring =
        SaturnRing(place.Helio, place.Geo, place.Earth.Lon, m.DEps, m.DPsi, m.Eps0, m.T);
    ringB = ring[0];
    ringDU = ring[3];
  }
  return PlanetMagnitude(place.Body, ringB, ringDU, i, r, delta);
}

std::optional<std::vector<TEphemerisRow>> EphemerisRows(const TObsState& state,
                                                        const std::vector<TBody>& bodies,
                                                        const std::filesystem::path& dataDir) {
  const TSite site{state.Latitude, state.Longitude, state.Height};
  const TCorrections c = EphemerisCorrections(state);
  const auto places = ApparentPlaces(bodies, state.JD_TT, state.JD_UT, site, c, dataDir);
  if (!places) return std::nullopt;
  const TMomentTerms m = MomentTerms(state.JD_TT, state.JD_UT, site, c);
  std::vector<TEphemerisRow> rows;
  rows.reserve(places->size());
  for (const auto& place : *places) rows.push_back({place, ApparentMagnitude(place, m)});
  return rows;
}

}  // namespace himlavy
