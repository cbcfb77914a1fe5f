// himlavy-cli solar-eclipses|lunar-eclipses [--year Y]: the eclipse windows' tables.
#include <iostream>
#include <string>

#include "base/timescales.h"
#include "cli/cli.h"
#include "cli/json_writer.h"
#include "eclipses/eclipse_tables.h"
#include "timecal/almanac_events.h"

namespace himlavy::cli {

namespace {

// A text followed by blanks to `width` characters (UTF-8 characters counted once).
std::string Column(std::string_view text, std::size_t width) {
  std::size_t chars = 0;
  for (const char c : text) chars += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  std::string out(text);
  if (chars < width) out.append(width - chars, ' ');
  return out;
}

std::string NumberOrNull(bool present, double value) {
  return present ? JsonNumber(value) : std::string("null");
}

// The year of --year, else that of the clock reading.
int TableYear(const Context& context, std::string_view command) {
  return YearOption(context, command, 1).value_or(CalendarDate(context.State.ClockJD).Year);
}

}  // namespace

int SolarEclipsesCommand(Context& context) {
  const int year = TableYear(context, "solar-eclipses");
  const TSolarEclipsesReport report =
      SolarEclipsesReport(year, context.State.TimeZone, context.State.TimeScale, kDecimalSep);
  if (context.Json) {
    JsonArray out;
    for (const TSolarEclipseRow& row : report.Rows) {
      JsonArray path;
      for (const TPathPoint& p : row.Path) {
        path.AddRaw(JsonArray().Add(p.Longitude).Add(p.Latitude).Add(p.Duration).Text());
      }
      JsonObject json;
      json.Add("jd_tt", row.JDE)
          .Add("local", LocalClockText(row.LocalJD))
          .Add("kind", kSolarKindKeys[static_cast<std::size_t>(row.Kind - 1)])
          .AddRaw("magnitude", NumberOrNull(row.Kind == 6, row.Magnitude))
          .AddRaw("central_lat_deg", NumberOrNull(row.Central, row.Latitude))
          .AddRaw("central_lon_deg", NumberOrNull(row.Central, row.Longitude))
          .AddRaw("duration_s", NumberOrNull(row.Central, row.Duration * 60.0))
          .AddRaw("path", path.Text());
      out.Add(json);
    }
    std::cout << out.Text() << "\n";
    return kExitOk;
  }
  std::cout << report.Title << "\n"
            << Column("   Datum", 14) << Column("Tid", 8) << Column("Typ", 24)
            << Column("Magnitud", 10) << Column("Längd", 8) << "Plats för maximum\n";
  for (const TSolarEclipseRow& row : report.Rows) {
    std::string line = Column(row.DateText, 14) + Column(row.TimeText, 8) +
                       Column(row.KindText, 24) + Column(row.MagnitudeText, 10) +
                       Column(row.DurationText, 8) + row.LatitudeText + row.LongitudeText;
    while (!line.empty() && line.back() == ' ') line.pop_back();
    std::cout << line << "\n";
  }
  return kExitOk;
}

int LunarEclipsesCommand(Context& context) {
  const int year = TableYear(context, "lunar-eclipses");
  const TLunarEclipsesReport report = LunarEclipsesReport(context.State, year, kDecimalSep);
  if (context.Json) {
    JsonArray out;
    for (const TLunarEclipseRow& row : report.Rows) {
      const bool penumbral = !row.HasContacts;
      JsonObject json;
      json.Add("jd_tt", row.JDE)
          .Add("local", LocalClockText(row.LocalJD))
          .Add("kind", LunarKindKey(row.Kind))
          .Add("magnitude", row.Magnitude)
          .AddRaw("begin_local", penumbral ? "null" : JsonString(LocalClockText(row.BeginLocalJD)))
          .AddRaw("end_local", penumbral ? "null" : JsonString(LocalClockText(row.EndLocalJD)))
          .Add("partial_semi_duration_min", penumbral ? 0.0 : row.PartialSemi * 1440.0)
          .Add("total_semi_duration_min", row.TotalSemi * 1440.0)
          .Add("altitude_deg", row.Altitude);
      out.Add(json);
    }
    std::cout << out.Text() << "\n";
    return kExitOk;
  }
  std::cout << report.Title << "\n"
            << Column("Datum", 11) << Column("Typ", 11) << Column("Magnitud", 9)
            << Column("Börjar", 8) << Column("Maximum", 8) << Column("Slutar", 8)
            << "Höjd vid max.\n";
  for (const TLunarEclipseRow& row : report.Rows) {
    std::cout << Column(row.DateText, 11) << Column(row.KindText, 11)
              << Column(row.MagnitudeText, 9) << Column(row.BeginText, 8)
              << Column(row.MaximumText, 8) << Column(row.EndText, 8) << row.AltitudeText << "\n";
  }
  return kExitOk;
}

}  // namespace himlavy::cli
