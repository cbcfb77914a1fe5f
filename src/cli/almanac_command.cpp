// himlavy-cli almanac [--year Y]: the texts of the almanac window.
//
// Text output: the title, then one line per line the window shows (at most 86), in the
// window's order (the left column, then the right): the date and weekday, the clock time and
// the body with the event text and value, in columns. Numbers written in the system's number
// format (the zone, elongations and eclipse magnitudes) use a comma, as the program shows
// them in a Swedish locale. Without --year the year is that of the clock reading.
//
// JSON (one array, one object per line shown, in the same order as the text output):
//   {"kind":"title","line":1,"text","year","scale" ("UTC" or "TDT"),"time_zone",
//    "events" (the events of the year),"shown" (the lines drawn: at most 86)}
//   then for each line {"kind":"event","slot" (1..86),"column" (1 left, 2 right),"line" (k,
//   drawn at y = 13 k),"x" (of the date),"y","text","date_text","time_text","event_text",
//   "event" (the event key of himlavy-cli events),"body" (a body key or ""),"jde","local"
//   (YYYY-MM-DDTHH:MM:SS, rounded to the second),"precision" ("hour", "minute", "second")}.
#include <iostream>
#include <optional>

#include "astro/apparent.h"
#include "base/formatting.h"
#include "base/numtext.h"
#include "cli/cli.h"
#include "cli/json_writer.h"
#include "timecal/almanac_report.h"

namespace himlavy::cli {

namespace {

// Columns of the text output: the time after the date, the text after the time.
constexpr int kTimeColumn = 22;
constexpr int kTextColumnAfterTime = 11;

std::string LineText(const TAlmanacLine& line) {
  return PadRight(line.DateText, kTimeColumn) + PadRight(line.TimeText, kTextColumnAfterTime) +
         line.EventText;
}

std::string_view PrecisionKey(int kind) {
  switch (kind) {
    case kAlmanacPlanetEvent:
      return "hour";
    case kAlmanacMoonEvent:
      return "minute";
    default:
      return "second";
  }
}

}  // namespace

int AlmanacCommand(Context& context) {
  const std::optional<int> year = YearOption(context, "almanac", -4711);
  const TObsState& s = context.State;
  const TAlmanacReport report = year ? AlmanacReport(*year, s.TimeZone, s.TimeScale, kDecimalSep)
                                     : AlmanacReport(s, kDecimalSep);
  if (!context.Json) {
    std::cout << report.Title << "\n";
    for (const TAlmanacLine& line : report.Lines) std::cout << LineText(line) << "\n";
    return kExitOk;
  }
  JsonArray out;
  out.Add(JsonObject()
              .Add("kind", "title")
              .Add("line", 1)
              .Add("text", report.Title)
              .Add("year", report.Year)
              .Add("scale", s.TimeScale == kTimeScaleTdt ? "TDT" : "UTC")
              .Add("time_zone", s.TimeZone)
              .Add("events", report.EventCount)
              .Add("shown", static_cast<int>(report.Lines.size())));
  int slot = 0;
  for (const TAlmanacLine& line : report.Lines) {
    const TAlmanacEvent& e = line.Event;
    out.Add(JsonObject()
                .Add("kind", "event")
                .Add("slot", ++slot)
                .Add("column", line.Slot.Column + 1)
                .Add("line", line.Slot.Line)
                .Add("x", line.Slot.X0 + kAlmanacDateX)
                .Add("y", kAlmanacLineHeight * line.Slot.Line)
                .Add("text", LineText(line))
                .Add("date_text", line.DateText)
                .Add("time_text", line.TimeText)
                .Add("event_text", line.EventText)
                .Add("event", kEventTypeKeys[static_cast<std::size_t>(e.Event)])
                .Add("body", e.Planet ? BodyKey(*e.Planet) : std::string_view())
                .Add("jde", e.JD)
                .Add("local", LocalClockText(e.LocalJD))
                .Add("precision", PrecisionKey(e.Kind)));
  }
  std::cout << out.Text() << "\n";
  return kExitOk;
}

}  // namespace himlavy::cli
