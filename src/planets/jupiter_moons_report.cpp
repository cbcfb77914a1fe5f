#include "planets/jupiter_moons_report.h"

#include "astro/jupiter_moons.h"
#include "astro/positions.h"
#include "base/timescales.h"

namespace himlavy {

namespace {
constexpr TSeriesPlanet kEarth = TSeriesPlanet::Earth;
constexpr TSeriesPlanet kJupiter = TSeriesPlanet::Jupiter;
}  // namespace

std::optional<TJupiterMoons> JupiterMoonsApparent(double jdTT, bool lightTime,
                                                  const std::filesystem::path& dataDir) {
  double t = JulianCenturies(jdTT);
  TPlanetDataSession planetData(dataDir);
  const bool ok = planetData.Load(kEarth) && planetData.Load(kJupiter);
  TJupiterMoons result;
  if (ok) {
    const TSpherical earth = HeliocentricPlanet(kEarth, t);
    result.Jupiter = GeocentricFromHeliocentric(HeliocentricPlanet(kJupiter, t), earth);
    if (lightTime) {
      t -= kLightTimePerAu * result.Jupiter.R;
      result.Jupiter = GeocentricFromHeliocentric(HeliocentricPlanet(kJupiter, t), earth);
    }
  }
  if (!ok) return std::nullopt;

  const TVector3 poleEcliptic = SatelliteEcliptic(kJupiterPole, t);
  const TVector3 pole =
      SatelliteApparent(kJupiterPole, poleEcliptic, result.Jupiter, false, poleEcliptic);
  for (int i = kIo; i <= kCallisto; ++i) {
    result.Moons[i - 1] =
        SatelliteApparent(i, SatelliteEcliptic(i, t), result.Jupiter, false, pole);
  }
  return result;
}

}  // namespace himlavy
