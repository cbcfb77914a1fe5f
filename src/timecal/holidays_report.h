// The Swedish public holidays of a year, as the holidays window lists them.
//
// Three tables drive the list: eight holidays on fixed dates, six counted from Easter Sunday
// and two that fall on the Saturday within a range of dates (Midsummer Day and All Saints'
// Day). Each holiday is a day number within the year; the list is the merge of the three
// tables in date order, the fixed table first and the Easter table second among holidays of
// the same day. Easter is that of the Gregorian computus from 1583 and of the Julian computus
// before (J. Meeus, Astronomical Algorithms, 1st ed., 1991, ch. 8).
#pragma once

#include <array>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "base/obs_state.h"

namespace himlavy {

// --- The window's fixed texts and layout (pixels at 96 dpi) ---
inline constexpr std::string_view kHolidaysCaption = "Helger";
inline constexpr std::string_view kHolidaysHelpTopic = "HVHELP.XAN_293";
inline constexpr int kHolidaysWindowX = 611;
inline constexpr int kHolidaysWindowY = 73;
inline constexpr int kHolidaysWindowWidth = 408;
inline constexpr int kHolidaysWindowHeight = 304;  // room for 16 lines
inline constexpr int kHolidaysAreaX = 6;           // the bevelled area in which the list is drawn
inline constexpr int kHolidaysAreaY = 37;
inline constexpr int kHolidaysAreaWidth = 388;
inline constexpr int kHolidaysAreaHeight = 234;
inline constexpr int kHolidaysLineHeight = 14;  // line k is drawn at y = 14 k
inline constexpr int kHolidaysFirstLine = 3;
inline constexpr int kHolidaysDateX = 10;         // the date and weekday
inline constexpr int kHolidaysNameX = 175;        // the holiday's name
inline constexpr int kHolidaysClearRight = 380;   // each line's band is cleared from 10 to 380
inline constexpr int kHolidaysClearBottom = 266;  // below the last line, cleared down to here
inline constexpr int kHolidaysFollowMs = 3000;    // follow timer while the increment runs

// A holiday on a fixed date, kept from a given year on.
struct TFixedHoliday {
  std::string_view Name;
  int Day = 0;
  int Month = 0;
  int FromYear = std::numeric_limits<int>::min();  // the first year it is a holiday
};

// A holiday a number of days from Easter Sunday.
struct TEasterHoliday {
  std::string_view Name;
  int Offset = 0;  // days after Easter Sunday (negative before)
};

// A holiday on the n-th given weekday of a month, kept within a range of dates written as
// month * 100 + day.
struct TWeekdayHoliday {
  std::string_view Name;
  int Weekday = 0;  // 1 = Monday ... 7 = Sunday
  int Month = 0;
  int Nth = 0;
  int Earliest = 0;
  int Latest = 0;
};

// In date order. Sveriges nationaldag has been a public holiday since 2005 (SFS 2004:1322).
inline constexpr std::array<TFixedHoliday, 8> kFixedHolidays = {{
    {"Nyårsdagen", 1, 1},
    {"Trettondag Jul", 6, 1},
    {"Marie Bebådelsedag, gamla", 25, 3},
    {"Första Maj", 1, 5},
    {"Sveriges nationaldag", 6, 6, 2005},
    {"Midsommardagen, gamla", 24, 6},
    {"Juldagen", 25, 12},
    {"Annandag Jul", 26, 12},
}};

inline constexpr std::array<TEasterHoliday, 6> kEasterHolidays = {{
    {"Långfredagen", -2},
    {"Påskdagen", 0},
    {"Annandag Påsk", 1},
    {"Kristi Himmelfärdsdag", 39},
    {"Pingstdagen", 49},
    {"Annandag Pingst", 50},
}};

inline constexpr std::array<TWeekdayHoliday, 2> kWeekdayHolidays = {{
    {"Midsommardagen (lördag 20/6 - 26/6)", 6, 6, 4, 620, 626},
    {"Alla Helgons dag (lördag 31/10 - 6/11)", 6, 10, 5, 1031, 1106},
}};

// Swedish month names, indexed by month - 1.
inline constexpr std::array<std::string_view, 12> kMonthNames = {
    "Januari", "Februari", "Mars",      "April",   "Maj",      "Juni",
    "Juli",    "Augusti",  "September", "Oktober", "November", "December"};

// The table a holiday comes from, in the order that breaks ties between equal days.
enum class THolidayGroup { Fixed, Easter, Weekday };

// Lower-case keys of the groups, in the order of THolidayGroup.
inline constexpr std::array<std::string_view, 3> kHolidayGroupKeys = {"fixed", "easter", "weekday"};

// One line of the list. Positions are the window's client coordinates (the bevelled area covers
// x 6..393, y 37..270).
struct THoliday {
  THolidayGroup Group = THolidayGroup::Fixed;
  int Index = 0;          // the entry of its table
  std::string_view Name;  // drawn at x = 175
  int DayNumber = 0;      // d: 1 = 1 January of the year (may run past the year's end)
  double JD = 0.0;        // 0 h of the date: J0 + d
  int Year = 0;           // the date of JD
  int Month = 0;
  int Day = 0;
  int Weekday = 0;       // 1 = Monday
  std::string DateText;  // drawn at x = 10: e.g. "2024-Mars-31  Söndag"
  int Line = 0;          // k: drawn at y = 14 k
};

// HolidayList: the holidays of a year in the order the window lists them.
//   year        the year (astronomical numbering)
//   decimalSep  the user's decimal separator, for the day written in the general number form
// Returns every holiday of the three tables (none of the Easter table for years before 1),
// lines numbered from 3.
// Source: the Swedish calendar; Easter Sunday from EasterSunday (Meeus 1991, ch. 8).
std::vector<THoliday> HolidayList(int year, char decimalSep = '.');

// Everything the holidays window shows.
struct THolidaysReport {
  int Year = 0;
  std::string Title;  // the large label: "Helgdagar i Sverige " + year
  std::vector<THoliday> Lines;
  int LastLine = 0;  // k of the last line; below it the area is cleared
};

// HolidaysReport: the holidays of the year of the state's clock reading (its local calendar
// date).
THolidaysReport HolidaysReport(const TObsState& state, char decimalSep = '.');

// HolidaysReport: the holidays of a given year.
THolidaysReport HolidaysReport(int year, char decimalSep = '.');

}  // namespace himlavy
