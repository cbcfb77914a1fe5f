// himlavy-cli sun-position: where the Sun stands over the Earth.
#include <iostream>

#include "cli/cli.h"
#include "cli/json_writer.h"
#include "earth/sun_position.h"

namespace himlavy::cli {

int SunPositionCommand(Context& context) {
  if (!context.Args.empty()) throw UsageError("sun-position tar inga argument");
  const auto point = SubSolarPoint(context.State, context.DataDir);
  if (!point) return PlanetFilesMissing(context);
  const std::vector<std::string> lines = SunPositionLines(*point);
  if (context.Json) {
    std::cout << JsonObject()
                     .Add("subsolar_lat_deg", point->Latitude)
                     .Add("subsolar_lon_deg", point->Longitude)
                     .AddRaw("lines", JsonStrings(lines))
                     .Text()
              << "\n";
    return kExitOk;
  }
  for (const std::string& line : lines) std::cout << line << "\n";
  return kExitOk;
}

}  // namespace himlavy::cli
