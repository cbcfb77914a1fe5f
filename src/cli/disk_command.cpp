// himlavy-cli disk: what the telescope view of a planet or of the Moon shows.
#include <iostream>
#include <limits>

#include "astro/apparent.h"
#include "base/basic.h"
#include "cli/cli.h"
#include "cli/json_writer.h"
#include "planets/disk_view.h"

namespace himlavy::cli {

int DiskCommand(Context& context) {
  const auto& args = context.Args;
  if (args.size() != 1) {
    throw UsageError("disk tar en kropp: mercury, venus, mars, jupiter, saturn eller moon");
  }
  const auto body = BodyFromKey(args[0]);
  if (!body || !HasDiskView(*body)) throw UsageError("ingen skivvy för '" + args[0] + "'");
  const auto view = DiskView(*body, context.State, context.DataDir);
  if (!view) return PlanetFilesMissing(context);

  if (context.Json) {
    const auto deg = [](double radians) { return radians * kRadToDeg; };
    JsonObject json;
    json.Add("body", BodyKey(*body))
        .Add("illuminated_fraction", view->IlluminatedFraction)
        .Add("diameter_arcsec", view->Diameter)
        .Add("polar_diameter_arcsec", view->PolarDiameter)
        .Add("axis_pa_deg", deg(view->AxisAngle))
        .Add("bright_limb_pa_deg", deg(view->BrightLimbAngle))
        .Add("parallactic_deg", view->ParallacticOn ? deg(view->Parallactic)
                                                    : std::numeric_limits<double>::quiet_NaN())
        .Add("altitude_deg", deg(view->Altitude))
        .Add("ring_a_arcsec", view->RingA)
        .Add("ring_b_arcsec", view->RingB)
        .AddRaw("lines", JsonStrings(view->Lines));
    std::cout << json.Text() << "\n";
    return kExitOk;
  }
  for (const auto& line : view->Lines) std::cout << line << "\n";
  return kExitOk;
}

}  // namespace himlavy::cli
