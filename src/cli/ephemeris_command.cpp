// himlavy-cli ephemeris / jupiter-moons: apparent places of the Sun, Moon and planets, and the
// apparent positions of Jupiter's four large moons.
#include <cmath>
#include <iostream>
#include <sstream>

#include "astro/reductions.h"
#include "base/formatting.h"
#include "base/numtext.h"
#include "cli/cli.h"
#include "cli/json_writer.h"
#include "planets/ephemeris_report.h"
#include "planets/jupiter_moons_report.h"

namespace himlavy::cli {

namespace {

constexpr std::array<TBody, 10> kDefaultBodies = {
    TBody::Sun,     TBody::Moon,   TBody::Mercury, TBody::Venus,   TBody::Mars,
    TBody::Jupiter, TBody::Saturn, TBody::Uranus,  TBody::Neptune, TBody::Pluto};

std::vector<TBody> ParseBodies(const std::vector<std::string>& args) {
  std::vector<TBody> bodies;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] != "--bodies") throw UsageError("okänt argument till ephemeris: " + args[i]);
    std::stringstream list(TakeValue(args, i));
    for (std::string key; std::getline(list, key, ',');) {
      const auto body = BodyFromKey(key);
      if (!body) throw UsageError("okänd kropp i --bodies: '" + key + "'");
      bodies.push_back(*body);
    }
  }
  if (bodies.empty()) bodies.assign(kDefaultBodies.begin(), kDefaultBodies.end());
  return bodies;
}

}  // namespace

int EphemerisCommand(Context& context) {
  const std::vector<TBody> bodies = ParseBodies(context.Args);
  const auto rows = EphemerisRows(context.State, bodies, context.DataDir);
  if (!rows) return PlanetFilesMissing(context);

  if (context.Json) {
    JsonArray out;
    for (const auto& row : *rows) {
      const TApparentPlace& p = row.Place;
      JsonObject json;
      json.Add("body", BodyKey(p.Body))
          .Add("jd_tt", context.State.JD_TT)
          .Add("ra_deg", p.Alpha * kRadToDeg)
          .Add("dec_deg", p.Delta * kRadToDeg)
          .Add("distance_au", p.DistanceAU)
          .Add("distance_km", p.DistanceKm)
          .Add("alt_deg", p.Altitude * kRadToDeg)
          .Add("az_deg", p.Azimuth * kRadToDeg)
          .Add("magnitude", row.Magnitude);
      out.Add(json);
    }
    std::cout << out.Text() << "\n";
    return kExitOk;
  }
  std::cout << "kropp     rektascension  deklination    avstånd              höjd     azimut   "
               "magnitud\n";
  for (const auto& row : *rows) {
    const TApparentPlace& p = row.Place;
    const std::string distance = p.Body == TBody::Moon ? FixedText(p.DistanceKm, 1) + " km"
                                                       : FixedText(p.DistanceAU, 6) + " a.e.";
    std::cout << PadRight(std::string(BodyKey(p.Body)), 10)
              << PadRight(FormatHMSFine(p.Alpha * 12.0 / kPi), 15)
              << PadRight(FormatDMSFine(p.Delta * kRadToDeg), 15) << PadRight(distance, 21)
              << PadRight(FixedText(p.Altitude * kRadToDeg, 3), 9)
              << PadRight(FixedText(p.Azimuth * kRadToDeg, 3), 9)
              << (std::isnan(row.Magnitude) ? std::string("-") : FixedText(row.Magnitude, 2))
              << "\n";
  }
  return kExitOk;
}

int JupiterMoonsCommand(Context& context) {
  if (!context.Args.empty()) {
    throw UsageError("jupiter-moons tar inga argument: " + context.Args.front());
  }
  const auto moons =
      JupiterMoonsApparent(context.State.JD_TT, context.State.CorrLightTime == 1, context.DataDir);
  if (!moons) return PlanetFilesMissing(context);
  constexpr std::array<std::string_view, 4> kKeys = {"io", "europa", "ganymede", "callisto"};
  if (context.Json) {
    JsonArray out;
    for (std::size_t i = 0; i < kKeys.size(); ++i) {
      const TVector3& w = moons->Moons[i];
      out.Add(JsonObject().Add("moon", kKeys[i]).Add("x", w.X).Add("y", w.Y).Add("z", w.Z));
    }
    std::cout << out.Text() << "\n";
    return kExitOk;
  }
  std::cout << "måne        X         Y         Z\n";
  for (std::size_t i = 0; i < kKeys.size(); ++i) {
    const TVector3& w = moons->Moons[i];
    std::cout << PadRight(std::string(kGalileanNames[i]), 10) << PadLeft(FixedText(w.X, 4), 9)
              << " " << PadLeft(FixedText(w.Y, 4), 9) << " " << PadLeft(FixedText(w.Z, 4), 9)
              << "\n";
  }
  return kExitOk;
}

}  // namespace himlavy::cli
