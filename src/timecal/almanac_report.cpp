// The almanac of a year: texts of the almanac window.
#include "timecal/almanac_report.h"

#include <algorithm>
#include <cmath>

#include "base/formatting.h"
#include "base/numtext.h"
#include "base/textfile.h"
#include "base/timescales.h"
#include "timecal/calendar_report.h"

namespace himlavy {

namespace {

// The date and weekday take at most this many characters.
constexpr std::size_t kDateTextMax = 20;

// An integer right-aligned in `width` characters (a longer number is written whole).
std::string RightAligned(long long value, int width) {
  return PadLeft(std::to_string(value), width);
}

}  // namespace

TAlmanacSlot AlmanacSlot(int index) {
  constexpr int kPerColumn = kAlmanacLastLine - kAlmanacFirstLine + 1;
  TAlmanacSlot slot;
  slot.Column = index < kPerColumn ? 0 : 1;
  slot.Line = kAlmanacFirstLine + index - slot.Column * kPerColumn;
  slot.X0 = slot.Column * kAlmanacColumnOffset;
  return slot;
}

std::string AlmanacDateText(double localJD) {
  const TCalDateTime t = CalendarDateTime(localJD);
  const std::string text = RightAligned(t.Year, 4) + "-" + RightAligned(t.Month, 2) + "-" +
                           RightAligned(static_cast<long long>(t.Day), 2) + "  " +
                           std::string(WeekdayName(WeekdayOf(localJD)));
  return Utf8Left(text, kDateTextMax);
}

std::string AlmanacTimeText(double localJD, int kind) {
  const TCalDateTime t = CalendarDateTime(localJD);
  switch (kind) {
    case kAlmanacPlanetEvent:
      return RightAligned(t.Hour + (t.Minute >= 30 ? 1 : 0), 2) + "h";
    case kAlmanacMoonEvent:
      return RightAligned(t.Hour, 2) + "h" +
             RightAligned(t.Minute + (t.Second >= 30.0 ? 1 : 0), 2) + "m";
    default: {
      return RightAligned(t.Hour, 2) + "h" + RightAligned(t.Minute, 2) + "m" +
             PadLeft(FixedText(t.Second, 0), 2) + "s";
    }
  }
}

std::vector<TAlmanacLine> AlmanacLines(const std::vector<TAlmanacEvent>& events, char decimalSep) {
  const std::size_t shown = std::min<std::size_t>(events.size(), kAlmanacSlots);
  std::vector<TAlmanacLine> lines;
  lines.reserve(shown);
  for (std::size_t i = 0; i < shown; ++i) {
    const TAlmanacEvent& event = events[i];
    TAlmanacLine line;
    line.Slot = AlmanacSlot(static_cast<int>(i));
    line.DateText = AlmanacDateText(event.LocalJD);
    line.TimeText = AlmanacTimeText(event.LocalJD, event.Kind);
    line.EventText = event.Body + event.Text + AlmanacValueText(event, decimalSep);
    line.Event = event;
    lines.push_back(std::move(line));
  }
  return lines;
}

std::string AlmanacValueText(const TAlmanacEvent& event, char decimalSep) {
  if (event.Value.empty()) return {};
  if (!std::isnan(event.Elongation)) {
    return FixedText(event.Elongation, 1, decimalSep) + std::string(kDegreeSign);
  }
  if (!std::isnan(event.Magnitude)) return FixedText(event.Magnitude, 2, decimalSep);
  return event.Value;
}

std::string AlmanacTitle(int year, double timeZone, int timeScale, char decimalSep) {
  return "Almanacka för år " + std::to_string(year) + " (" +
         (timeScale == kTimeScaleTdt ? "TDT" : "UTC") + " " + FixedText(timeZone, 2, decimalSep) +
         ")";
}

TAlmanacReport AlmanacReport(int year, double timeZone, int timeScale, char decimalSep) {
  TAlmanacReport report;
  report.Year = year;
  report.Range = AlmanacYearRange(year, timeZone, timeScale);
  report.Title = AlmanacTitle(year, timeZone, timeScale, decimalSep);
  const std::vector<TAlmanacEvent> events = CollectYearEvents(year, timeZone, timeScale);
  report.EventCount = static_cast<int>(events.size());
  report.Lines = AlmanacLines(events, decimalSep);
  return report;
}

TAlmanacReport AlmanacReport(const TObsState& state, char decimalSep) {
  return AlmanacReport(AlmanacYearOf(state.ClockJD), state.TimeZone, state.TimeScale, decimalSep);
}

}  // namespace himlavy
