// himlavy-cli state: the moment and the site as the program derives them.
#include <cmath>
#include <iostream>

#include "astro/apparent.h"
#include "base/basic.h"
#include "base/numtext.h"
#include "cli/cli.h"
#include "cli/json_writer.h"

namespace himlavy::cli {

int StateCommand(Context& context) {
  if (!context.Args.empty()) throw UsageError("state tar inga argument: " + context.Args.front());
  const TObsState& s = context.State;
  const double deltaT = DeltaT(JulianCenturies(s.ClockJD));
  const double gmstHours = GreenwichSiderealTime(JulianCenturies(s.JD_UT)) * 12.0 / kPi;
  // Local apparent sidereal time: the mean time corrected by the equation of the equinoxes.
  const TMomentTerms terms =
      MomentTerms(s.JD_TT, s.JD_UT, TSite{s.Latitude, s.Longitude, s.Height}, TCorrections{});
  const double lastHours = terms.Theta * 12.0 / kPi;
  const char* scale = s.TimeScale == kTimeScaleTdt ? "TDT" : "UTC";

  if (context.Json) {
    JsonObject json;
    json.Add("ClockJD", s.ClockJD)
        .Add("JD_UT", s.JD_UT)
        .Add("JD_TT", s.JD_TT)
        .Add("DeltaT_s", deltaT)
        .Add("GMST_h", gmstHours)
        .Add("LAST_h", lastHours)
        .Add("Latitude", s.Latitude)
        .Add("Longitude", s.Longitude)
        .Add("Height", s.Height)
        .Add("PlaceName", s.PlaceName)
        .Add("TimeZone", s.TimeZone)
        .Add("TimeScale", scale);
    std::cout << json.Text() << "\n";
    return kExitOk;
  }
  std::cout << "ClockJD    " << FixedText(s.ClockJD, 6) << "\n"
            << "JD_UT      " << FixedText(s.JD_UT, 6) << "\n"
            << "JD_TT      " << FixedText(s.JD_TT, 6) << "\n"
            << "DeltaT     " << FixedText(deltaT, 2) << " s\n"
            << "GMST       " << FixedText(gmstHours, 6) << " h\n"
            << "LAST       " << FixedText(lastHours, 6) << " h\n"
            << "Latitude   " << GeneralText(s.Latitude) << "\n"
            << "Longitude  " << GeneralText(s.Longitude) << "\n"
            << "Height     " << GeneralText(s.Height) << " m\n"
            << "PlaceName  " << s.PlaceName << "\n"
            << "TimeZone   " << GeneralText(s.TimeZone) << " h\n"
            << "TimeScale  " << scale << "\n";
  return kExitOk;
}

}  // namespace himlavy::cli
