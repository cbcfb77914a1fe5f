// himlavy-cli calendar / holidays: the texts of the calendar and holidays windows.
//
// Text output: one line per line the window shows, top to bottom; items of one line that the
// window draws at different x are put in columns. Numbers written "in the system's number
// format" use a comma, as the program shows them in a Swedish locale.
//
// JSON shapes (one array, one object per line shown, in the same order as the text output):
//
// calendar: every object has "area" ("title": the two large labels; "day": the lines of the
//   bevelled area; "values": the labels of the group "Aktuella beräkningsvärden"), "kind",
//   "line" (title 1-2; day: k, drawn at y = 14 k; values 1-8) and "text" (as in the text
//   output). "day" objects also have "y" and "items" ([{"x","y","text"}], in drawing order).
//   Kinds and their numbers:
//     title                  "year", "month", "day", "weekday", "time_zone"
//     place                  -
//     julian_day             "jd" (0 h of the local date)
//     day_number             "day_of_year"
//     equation_of_time       "minutes"
//     sunrise, civil_twilight, nautical_twilight, astronomical_twilight, moonrise
//                            "rise_h", "set_h" (local clock hours from the local midnight)
//     sun_always_up          "transit_h"
//     sun_never_rises, always_dark, moon_always_up, moon_always_down   -
//     delta_t                "seconds"
//     jd, jde                "jd"
//     nutation_longitude, nutation_obliquity   "arcsec"
//     obliquity              "deg" (mean obliquity + nutation in obliquity)
//     sidereal_time_caption  -
//     sidereal_time          "hours" (Greenwich mean sidereal time at 0 h UT of the date)
//   Every rise/set kind also has "status" (0 crosses, 1 always above, 2 always below).
//
// holidays [--year Y]: first {"kind":"title","line":1,"text","year"}, then for each holiday
//   {"kind":"holiday","line" (k, drawn at y = 14 k),"text","date_text","name","group"
//   ("fixed", "easter", "weekday"),"date" (YYYY-MM-DD),"year","month","day","weekday",
//   "weekday_number" (1 = Monday),"day_of_year","jd"}.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iostream>
#include <optional>

#include "astro/reductions.h"
#include "base/basic.h"
#include "base/numtext.h"
#include "base/textfile.h"
#include "cli/cli.h"
#include "cli/json_writer.h"
#include "timecal/calendar_report.h"
#include "timecal/holidays_report.h"

namespace himlavy::cli {

namespace {

// Pixels per character of the text output's columns (the window's 8-point type).
constexpr int kPixelsPerColumn = 6;
// The kinds of the eight labels of the current values, top to bottom.
constexpr std::array<std::string_view, 8> kLabelKinds = {"delta_t",
                                                         "jd",
                                                         "jde",
                                                         "nutation_longitude",
                                                         "nutation_obliquity",
                                                         "obliquity",
                                                         "sidereal_time_caption",
                                                         "sidereal_time"};
// The column of the holidays' names.
constexpr std::size_t kHolidayNameColumn = 28;

// Pads `line` with blanks to `column` characters, leaving at least two blanks after text.
void PadTo(std::string& line, std::size_t column) {
  const std::size_t length = Utf8Length(line);
  const std::size_t target = length == 0 ? column : std::max(column, length + 2);
  line.append(target - length, ' ');
}

// The items of one line in columns by their x.
std::string LineText(std::vector<TTextItem> items) {
  std::stable_sort(items.begin(), items.end(),
                   [](const TTextItem& a, const TTextItem& b) { return a.X < b.X; });
  std::string line;
  for (const TTextItem& item : items) {
    if (!line.empty() || item.X > kCalendarNameX) {
      PadTo(line,
            static_cast<std::size_t>(std::max(0, item.X - kCalendarNameX) / kPixelsPerColumn));
    }
    line += item.Text;
  }
  return line;
}

std::string ItemsJson(const std::vector<TTextItem>& items) {
  JsonArray out;
  for (const TTextItem& item : items) {
    out.Add(JsonObject().Add("x", item.X).Add("y", item.Y).Add("text", item.Text));
  }
  return out.Text();
}

std::string DateKey(int year, int month, int day) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%d-%02d-%02d", year, month, day);
  return buffer;
}

}  // namespace

int CalendarCommand(Context& context) {
  if (!context.Args.empty()) {
    throw UsageError("calendar tar inga argument: " + context.Args.front());
  }
  // The sky chart, open from start-up in the program, leaves these for the moment.
  StoreChartSharedValues(context.State);
  const TObsState& s = context.State;
  const TCalendarReport report = CalendarReport(s, context.DataDir, kDecimalSep);
  if (!report.SunComputed) {
    return PlanetFilesMissing(context);
  }

  if (!context.Json) {
    std::cout << report.Title << "\n" << report.Place << "\n";
    for (const TCalendarLine& line : report.Lines) std::cout << LineText(line.Items) << "\n";
    for (const std::string& label : report.Labels) std::cout << label << "\n";
    return kExitOk;
  }

  JsonArray objects;
  objects.Add(JsonObject()
                  .Add("area", "title")
                  .Add("kind", "title")
                  .Add("line", 1)
                  .Add("text", report.Title)
                  .Add("year", report.Year)
                  .Add("month", report.Month)
                  .Add("day", report.Day)
                  .Add("weekday", WeekdayName(report.Weekday))
                  .Add("time_zone", s.TimeZone));
  objects.Add(JsonObject()
                  .Add("area", "title")
                  .Add("kind", "place")
                  .Add("line", 2)
                  .Add("text", report.Place));
  for (const TCalendarLine& line : report.Lines) {
    JsonObject json;
    json.Add("area", "day")
        .Add("kind", kCalendarLineKeys[static_cast<std::size_t>(line.Kind)])
        .Add("line", line.Line)
        .Add("y", kCalendarLineHeight * line.Line)
        .Add("text", LineText(line.Items))
        .AddRaw("items", ItemsJson(line.Items));
    switch (line.Kind) {
      case TCalendarLineKind::JulianDay:
        json.Add("jd", line.Value);
        break;
      case TCalendarLineKind::DayNumber:
        json.Add("day_of_year", static_cast<int>(line.Value));
        break;
      case TCalendarLineKind::EquationOfTime:
        json.Add("minutes", line.Value * 60.0);
        break;
      case TCalendarLineKind::Sunrise:
      case TCalendarLineKind::CivilTwilight:
      case TCalendarLineKind::NauticalTwilight:
      case TCalendarLineKind::AstronomicalTwilight:
      case TCalendarLineKind::Moonrise:
        json.Add("rise_h", line.Times.Rise).Add("set_h", line.Times.Set);
        json.Add("status", static_cast<int>(line.Times.Status));
        break;
      case TCalendarLineKind::SunAlwaysUp:
        json.Add("transit_h", line.Times.Transit)
            .Add("status", static_cast<int>(line.Times.Status));
        break;
      default:
        json.Add("status", static_cast<int>(line.Times.Status));
        break;
    }
    objects.Add(json);
  }
  for (std::size_t i = 0; i < report.Labels.size(); ++i) {
    JsonObject json;
    json.Add("area", "values")
        .Add("kind", kLabelKinds[i])
        .Add("line", static_cast<int>(i) + 1)
        .Add("text", report.Labels[i]);
    switch (i) {
      case 0:
        json.Add("seconds", report.DeltaT1);
        break;
      case 1:
        json.Add("jd", s.JD_UT);
        break;
      case 2:
        json.Add("jd", s.JD_TT);
        break;
      case 3:
        json.Add("arcsec", s.NutLon * kRadToDeg * 3600.0);
        break;
      case 4:
        json.Add("arcsec", s.NutObl * kRadToDeg * 3600.0);
        break;
      case 5:
        json.Add("deg", (s.Obliquity + s.NutObl) * kRadToDeg);
        break;
      case 7:
        json.Add("hours", report.Theta0 * 12.0 / kPi);
        break;
      default:
        break;
    }
    objects.Add(json);
  }
  std::cout << objects.Text() << "\n";
  return kExitOk;
}

int HolidaysCommand(Context& context) {
  const std::optional<int> year = YearOption(context, "holidays", -4712);
  const THolidaysReport report =
      year ? HolidaysReport(*year, kDecimalSep) : HolidaysReport(context.State, kDecimalSep);
  const auto lineText = [](const THoliday& h) {
    std::string line = h.DateText;
    PadTo(line, kHolidayNameColumn);
    return line + std::string(h.Name);
  };

  if (!context.Json) {
    std::cout << report.Title << "\n";
    for (const THoliday& h : report.Lines) std::cout << lineText(h) << "\n";
    return kExitOk;
  }
  JsonArray out;
  out.Add(JsonObject()
              .Add("kind", "title")
              .Add("line", 1)
              .Add("text", report.Title)
              .Add("year", report.Year));
  for (const THoliday& h : report.Lines) {
    out.Add(JsonObject()
                .Add("kind", "holiday")
                .Add("line", h.Line)
                .Add("text", lineText(h))
                .Add("date_text", h.DateText)
                .Add("name", h.Name)
                .Add("group", kHolidayGroupKeys[static_cast<std::size_t>(h.Group)])
                .Add("date", DateKey(h.Year, h.Month, h.Day))
                .Add("year", h.Year)
                .Add("month", h.Month)
                .Add("day", h.Day)
                .Add("weekday", WeekdayName(h.Weekday))
                .Add("weekday_number", h.Weekday)
                .Add("day_of_year", h.DayNumber)
                .Add("jd", h.JD));
  }
  std::cout << out.Text() << "\n";
  return kExitOk;
}

}  // namespace himlavy::cli
