// himlavy-cli events --year Y: every event the almanac collects for a year, in time order.
#include <algorithm>
#include <cmath>
#include <iostream>
#include <optional>

#include "astro/apparent.h"
#include "base/numtext.h"
#include "cli/cli.h"
#include "cli/json_writer.h"
#include "timecal/almanac_events.h"
#include "timecal/almanac_report.h"

namespace himlavy::cli {

namespace {

// The event type's key followed by blanks to 26 characters.
std::string KeyColumn(TEventType type) {
  std::string key(kEventTypeKeys[static_cast<std::size_t>(type)]);
  key.resize(std::max<std::size_t>(key.size() + 1, 26), ' ');
  return key;
}

std::string JsonOrNull(double value) {
  return std::isnan(value) ? std::string("null") : JsonNumber(value);
}

}  // namespace

int EventsCommand(Context& context) {
  const int year =
      YearOption(context, "events", -4711).value_or(AlmanacYearOf(context.State.ClockJD));
  const std::vector<TAlmanacEvent> events =
      CollectYearEvents(year, context.State.TimeZone, context.State.TimeScale);

  if (context.Json) {
    JsonArray out;
    for (const TAlmanacEvent& event : events) {
      JsonObject json;
      json.Add("kind", kEventTypeKeys[static_cast<std::size_t>(event.Event)])
          .Add("body", event.Planet ? BodyKey(*event.Planet) : std::string_view())
          .Add("jde", event.JD)
          .Add("local", LocalClockText(event.LocalJD))
          .AddRaw("type", event.EclipseType > 0 ? std::to_string(event.EclipseType) : "null")
          .AddRaw("magnitude", JsonOrNull(event.Magnitude))
          .AddRaw("value", JsonOrNull(event.Elongation));
      out.Add(json);
    }
    std::cout << out.Text() << "\n";
    return kExitOk;
  }
  std::cout << AlmanacTitle(year, context.State.TimeZone, context.State.TimeScale, kDecimalSep)
            << "\n";
  for (const TAlmanacEvent& event : events) {
    std::cout << LocalClockText(event.LocalJD) << "  " << KeyColumn(event.Event) << event.Body
              << event.Text << AlmanacValueText(event, kDecimalSep) << "\n";
  }
  return kExitOk;
}

}  // namespace himlavy::cli
