// The almanac of a year: everything the almanac window shows, as data.
//
// The year's events (almanac_events.h) in time order, each written as one line: the local date
// and weekday, the local clock time to the hour, minute or second by the event's kind, and the
// body name with the event text and its value. The window has room for 86 lines in two
// columns of 43; events after the 86th are not shown. The window draws the texts of
// TAlmanacReport where the lines say; it computes nothing itself.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/obs_state.h"
#include "timecal/almanac_events.h"

namespace himlavy {

// --- The window's fixed texts and layout (pixels at 96 dpi) ---
inline constexpr std::string_view kAlmanacCaption = "Almanacka";
inline constexpr std::string_view kAlmanacHelpTopic = "HVHELP.XAN_293";
inline constexpr int kAlmanacWindowWidth = 820;
inline constexpr int kAlmanacWindowHeight = 634;
inline constexpr int kAlmanacColumnY = 35;  // the two bevelled columns, at x 6 and 408
inline constexpr int kAlmanacColumnWidth = 398;
inline constexpr int kAlmanacColumnHeight = 566;
inline constexpr int kAlmanacLeftColumnX = 6;
inline constexpr int kAlmanacRightColumnX = 408;
inline constexpr int kAlmanacLineHeight = 13;     // line k is drawn at y = 13 k
inline constexpr int kAlmanacFirstLine = 3;       // each column from line 3 ...
inline constexpr int kAlmanacLastLine = 45;       // ... to line 45
inline constexpr int kAlmanacColumnOffset = 402;  // x0 of the right column (0 for the left)
inline constexpr int kAlmanacDateX = 10;          // x0 + 10: the date and weekday
inline constexpr int kAlmanacTimeX = 117;         // x0 + 117: the clock time
// x0 + 180: body, event and value; the longest line (Mercury's elongation) ends inside the bevel.
inline constexpr int kAlmanacTextX = 180;
inline constexpr int kAlmanacClearRight = 402;  // each slot is cleared from x0 + 10 to here
inline constexpr int kAlmanacSlots = 86;        // lines shown: 2 columns of 43
inline constexpr int kAlmanacFollowMs = 3000;   // follow timer while the increment runs

// One slot of the two columns.
struct TAlmanacSlot {
  int Column = 0;  // 0 left, 1 right
  int Line = 0;    // k: drawn at y = 13 k
  int X0 = 0;      // 0 for the left column, 402 for the right
};

// AlmanacSlot: where the n-th line goes.
//   index  the slot, 0 .. 85
// Returns the left column's lines 3 .. 45 for slots 0 .. 42 and the right column's lines
// 3 .. 45 for slots 43 .. 85.
TAlmanacSlot AlmanacSlot(int index);

// One line of the almanac.
struct TAlmanacLine {
  TAlmanacSlot Slot;
  std::string DateText;   // at x0 + 10, e.g. "2001- 3-20  Tisdag"
  std::string TimeText;   // at x0 + 117, e.g. "15h", "14h30m", "13h31m47s"
  std::string EventText;  // at x0 + 180: body name + event text + value
  TAlmanacEvent Event;    // the event behind the line
};

// Everything the almanac window shows.
struct TAlmanacReport {
  int Year = 0;
  TAlmanacRange Range;
  std::string Title;                // the large label
  std::vector<TAlmanacLine> Lines;  // at most kAlmanacSlots, in time order
  int EventCount = 0;               // events of the year, before the cut at 86
};

// AlmanacDateText: the date and weekday of a local clock reading.
//   localJD  local clock reading, Julian day
// Returns the year right-aligned in 4 characters, "-", the month right-aligned in 2, "-", the
// day right-aligned in 2, two blanks and the weekday name (of WeekdayOf), at most 20
// characters in all: e.g. "2001- 3-20  Tisdag".
std::string AlmanacDateText(double localJD);

// AlmanacTimeText: the clock time of a local clock reading at an event's print precision.
//   localJD  local clock reading, Julian day
//   kind     kAlmanacPlanetEvent: the hour, one more when the minute is 30 or more: "15h";
//            kAlmanacMoonEvent: the hour, "h", the minute (one more when the second is 30 or
//            more) and "m": "14h30m"; kAlmanacSeasonEvent: hour, minute and the second with 0
//            decimals: "13h31m47s"
// Hour, minute and second are each right-aligned in 2 characters. A part rounded up does not
// carry into the part before it ("14h60m", "24h").
std::string AlmanacTimeText(double localJD, int kind);

// AlmanacLines: the lines of a list of events.
//   events      the year's events in time order (CollectYearEvents)
//   decimalSep  the user's decimal separator, for the elongations and eclipse magnitudes
// Returns one line for each of the first kAlmanacSlots events, in slot order; the events after
// them are not shown.
std::vector<TAlmanacLine> AlmanacLines(const std::vector<TAlmanacEvent>& events,
                                       char decimalSep = '.');

// The value written after an event's text: the elongation with 1 decimal and "°", or the
// eclipse magnitude with 2 decimals, with `decimalSep`; empty for events without a value.
std::string AlmanacValueText(const TAlmanacEvent& event, char decimalSep);

// The almanac's title: "Almanacka för år " + year + " (" + "UTC" or "TDT" + " " + timeZone with
// 2 decimals and `decimalSep` + ")".
std::string AlmanacTitle(int year, double timeZone, int timeScale, char decimalSep);

// AlmanacReport: the almanac of a year.
//   year        calendar year
//   timeZone    hours, east positive
//   timeScale   kTimeScaleUtc (the clock reads UTC) or kTimeScaleTdt
//   decimalSep  the user's decimal separator, for the numbers written in the system's number
//               format (the zone in the title, the elongations and eclipse magnitudes)
// Returns the title "Almanacka för år " + year + " (" + "UTC" or "TDT" + " " + timeZone with
// 2 decimals + ")" and the lines of the first 86 events of CollectYearEvents.
TAlmanacReport AlmanacReport(int year, double timeZone, int timeScale, char decimalSep = '.');

// AlmanacReport: the almanac of the year of the state's clock reading (CalendarDate of
// ClockJD), in the state's zone and scale.
TAlmanacReport AlmanacReport(const TObsState& state, char decimalSep = '.');

}  // namespace himlavy
