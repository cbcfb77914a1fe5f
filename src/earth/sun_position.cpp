#include "earth/sun_position.h"

#include <cmath>

#include "astro/positions.h"
#include "astro/reductions.h"
#include "base/basic.h"
#include "base/formatting.h"
#include "base/timescales.h"

namespace himlavy {

double SubSolarLongitude(double dayFraction, double equationHours) {
  return 180.0 - 15.0 * (24.0 * dayFraction + equationHours);
}

std::optional<TSubSolarPoint> SubSolarPoint(const TObsState& state,
                                            const std::filesystem::path& dataDir) {
  const double t = JulianCenturies(state.JD_TT);
  const TCalDate date = CalendarDate(state.JD_UT);
  const double dayFraction = date.Day - std::floor(date.Day);
  const double eps0 = MeanObliquity(t);
  TNutation nutation{};
  if (state.CorrNutation == 1) nutation = NutationIAU1980(t);

  TSpherical sun{};
  {
    TPlanetDataSession planetData(dataDir);
    if (!planetData.Load(TSeriesPlanet::EarthJ2000) || !planetData.Load(TSeriesPlanet::Earth)) {
      return std::nullopt;
    }
    sun = GeocentricSun(TSeriesPlanet::Earth, t);
  }
  TEquatorial equatorial =
      EclipticToEquatorial(sun.Lon + nutation.DPsi, sun.Lat, eps0 + nutation.DEps);
  if (state.CorrAberration == 1) {
    AberrationRaDec(TAberrationTerms::WithETerms, equatorial.Alpha, equatorial.Delta, eps0, t);
  }
  const double equationHours =
      EquationOfTime(nutation.DPsi, eps0, equatorial.Alpha, t) * 12.0 / kPi;

  TSubSolarPoint point;
  point.Latitude = equatorial.Delta * kRadToDeg;
  double longitude = std::fmod(SubSolarLongitude(dayFraction, equationHours), 360.0);
  if (longitude <= -180.0) longitude += 360.0;
  if (longitude > 180.0) longitude -= 360.0;
  point.Longitude = longitude;
  point.RightAscension = equatorial.Alpha;
  point.DayFraction = dayFraction;
  return point;
}

std::vector<std::string> SunPositionLines(const TSubSolarPoint& point) {
  return {"Solens läge över jordytan",
          " Latitud=" + FormatDM(std::fabs(point.Latitude) + 0.0001) +
              (point.Latitude < 0.0 ? " S" : " N"),
          " Longitud=" + FormatDM(std::fabs(point.Longitude) + 0.0001) +
              (point.Longitude < 0.0 ? " V" : " Ö")};
}

}  // namespace himlavy
