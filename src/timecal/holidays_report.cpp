// The Swedish public holidays of a year.
#include "timecal/holidays_report.h"

#include <cmath>

#include "base/numtext.h"
#include "base/timescales.h"
#include "timecal/calendar_report.h"

namespace himlavy {

namespace {

// The value of a table that is used up; larger than any day number of a year.
constexpr int kUsedUp = 367;

// JD of January 0.0 of the year. JDJanuary0 from year 1 on; before it, JDJanuary0's
// truncation of 365.25 (year - 1) toward zero puts the date a day late in three years out of
// four, so the same date is taken from JulianDay, whose INT acts on a positive number there.
double January0(int year) {
  return year >= 1 ? JDJanuary0(year) : JulianDay(year, 1, 0.0);
}

// month * 100 + day of the date of a JD.
int MonthDayNumber(double jd) {
  const TCalDate date = CalendarDate(jd);
  return date.Month * 100 + static_cast<int>(date.Day);
}

// The day number of a weekday rule: the n-th given weekday of the month, moved a week back
// when it falls after the range and a week on when it falls before it (both tests on the
// first date).
int WeekdayRuleDay(int year, double j0, const TWeekdayHoliday& rule) {
  const int firstOfMonth = DayOfYear(TCalDate{year, rule.Month, 1.0});
  const int weekdayOfFirst = WeekdayOf(j0 + firstOfMonth);
  const int first = firstOfMonth + ((rule.Weekday - weekdayOfFirst) % 7 + 7) % 7;
  int d = first + (rule.Nth - 1) * 7;
  const int m = MonthDayNumber(j0 + d);
  if (m > rule.Latest) d = first + (rule.Nth - 2) * 7;
  if (m < rule.Earliest) d = first + rule.Nth * 7;
  return d;
}

}  // namespace

std::vector<THoliday> HolidayList(int year, char decimalSep) {
  const double j0 = January0(year);

  // The day numbers and names of each table, in table order.
  struct TEntry {
    int Day;
    std::string_view Name;
    int Index;  // the entry of its constant table
  };
  std::array<std::vector<TEntry>, 3> tables;
  for (std::size_t i = 0; i < kFixedHolidays.size(); ++i) {
    const TFixedHoliday& h = kFixedHolidays[i];
    if (year < h.FromYear) continue;
    tables[0].push_back({DayOfYear(TCalDate{year, h.Month, static_cast<double>(h.Day)}), h.Name,
                         static_cast<int>(i)});
  }
  if (year >= 1) {
    const TMonthDay easter = EasterSunday(year);
    const int easterDay = DayOfYear(TCalDate{year, easter.Month, static_cast<double>(easter.Day)});
    for (std::size_t i = 0; i < kEasterHolidays.size(); ++i) {
      tables[1].push_back(
          {easterDay + kEasterHolidays[i].Offset, kEasterHolidays[i].Name, static_cast<int>(i)});
    }
  }
  for (std::size_t i = 0; i < kWeekdayHolidays.size(); ++i) {
    tables[2].push_back({WeekdayRuleDay(year, j0, kWeekdayHolidays[i]), kWeekdayHolidays[i].Name,
                         static_cast<int>(i)});
  }

  std::vector<THoliday> list;
  std::array<std::size_t, 3> next = {0, 0, 0};
  int line = kHolidaysFirstLine;
  for (;;) {
    // The smallest current value; on equal values the earlier table wins.
    int group = -1;
    int best = kUsedUp;
    for (int g = 0; g < 3; ++g) {
      const int value = next[g] < tables[g].size() ? tables[g][next[g]].Day : kUsedUp;
      if (value < best) {
        best = value;
        group = g;
      }
    }
    if (group < 0) break;

    THoliday h;
    h.Group = static_cast<THolidayGroup>(group);
    h.Index = tables[group][next[group]].Index;
    h.Name = tables[group][next[group]].Name;
    ++next[group];
    h.DayNumber = best;
    h.JD = j0 + best;
    const TCalDate date = CalendarDate(h.JD);
    h.Year = date.Year;
    h.Month = date.Month;
    h.Day = static_cast<int>(date.Day);
    h.Weekday = WeekdayOf(h.JD);
    h.DateText = std::to_string(h.Year) + "-" +
                 std::string(kMonthNames[static_cast<std::size_t>((h.Month + 11) % 12)]) + "-" +
                 GeneralText(std::trunc(date.Day), 15, decimalSep) + "  " +
                 std::string(WeekdayName(h.Weekday));
    h.Line = line++;
    list.push_back(std::move(h));
  }
  return list;
}

THolidaysReport HolidaysReport(int year, char decimalSep) {
  THolidaysReport report;
  report.Year = year;
  report.Title = "Helgdagar i Sverige " + std::to_string(year);
  report.Lines = HolidayList(year, decimalSep);
  report.LastLine = report.Lines.empty() ? kHolidaysFirstLine - 1 : report.Lines.back().Line;
  return report;
}

THolidaysReport HolidaysReport(const TObsState& state, char decimalSep) {
  return HolidaysReport(CalendarDayOnly(state.ClockJD).Year, decimalSep);
}

}  // namespace himlavy
