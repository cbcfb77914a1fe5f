// The Swedish holidays of a year against the published calendar: Easter Sunday 2024 March 31,
// 2026 April 5, 2008 March 23 (Ascension Day on May 1), 2023 April 9, 2035 March 25, 2001
// April 15; Midsummer Day the Saturday of 20-26 June and All Saints' Day the Saturday of
// 31 October - 6 November. Weekdays of the Gregorian dates are those of the proleptic
// Gregorian calendar (Python's datetime); Julian dates are converted to Gregorian first.
#include "timecal/holidays_report.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "timecal/timescales.h"

namespace himlavy {
namespace {

struct TExpectedLine {
  const char* Date;
  const char* Name;
};

void ExpectList(int year, const std::vector<TExpectedLine>& expected) {
  SCOPED_TRACE(year);
  const std::vector<THoliday> list = HolidayList(year, ',');
  ASSERT_EQ(list.size(), expected.size());
  for (std::size_t i = 0; i < list.size(); ++i) {
    EXPECT_EQ(list[i].DateText, expected[i].Date) << i;
    EXPECT_EQ(list[i].Name, expected[i].Name) << i;
    EXPECT_EQ(list[i].Line, 3 + static_cast<int>(i));
  }
}

TEST(HolidayList, Year2024LeapYearWithEasterInMarch) {
  ExpectList(2024, {
                       {"2024-Januari-1  Måndag", "Nyårsdagen"},
                       {"2024-Januari-6  Lördag", "Trettondag Jul"},
                       {"2024-Mars-25  Måndag", "Marie Bebådelsedag, gamla"},
                       {"2024-Mars-29  Fredag", "Långfredagen"},
                       {"2024-Mars-31  Söndag", "Påskdagen"},
                       {"2024-April-1  Måndag", "Annandag Påsk"},
                       {"2024-Maj-1  Onsdag", "Första Maj"},
                       {"2024-Maj-9  Torsdag", "Kristi Himmelfärdsdag"},
                       {"2024-Maj-19  Söndag", "Pingstdagen"},
                       {"2024-Maj-20  Måndag", "Annandag Pingst"},
                       {"2024-Juni-22  Lördag", "Midsommardagen (lördag 20/6 - 26/6)"},
                       {"2024-Juni-24  Måndag", "Midsommardagen, gamla"},
                       {"2024-November-2  Lördag", "Alla Helgons dag (lördag 31/10 - 6/11)"},
                       {"2024-December-25  Onsdag", "Juldagen"},
                       {"2024-December-26  Torsdag", "Annandag Jul"},
                   });
}

TEST(HolidayList, Year2026) {
  ExpectList(2026, {
                       {"2026-Januari-1  Torsdag", "Nyårsdagen"},
                       {"2026-Januari-6  Tisdag", "Trettondag Jul"},
                       {"2026-Mars-25  Onsdag", "Marie Bebådelsedag, gamla"},
                       {"2026-April-3  Fredag", "Långfredagen"},
                       {"2026-April-5  Söndag", "Påskdagen"},
                       {"2026-April-6  Måndag", "Annandag Påsk"},
                       {"2026-Maj-1  Fredag", "Första Maj"},
                       {"2026-Maj-14  Torsdag", "Kristi Himmelfärdsdag"},
                       {"2026-Maj-24  Söndag", "Pingstdagen"},
                       {"2026-Maj-25  Måndag", "Annandag Pingst"},
                       {"2026-Juni-20  Lördag", "Midsommardagen (lördag 20/6 - 26/6)"},
                       {"2026-Juni-24  Onsdag", "Midsommardagen, gamla"},
                       {"2026-Oktober-31  Lördag", "Alla Helgons dag (lördag 31/10 - 6/11)"},
                       {"2026-December-25  Fredag", "Juldagen"},
                       {"2026-December-26  Lördag", "Annandag Jul"},
                   });
}

TEST(HolidayList, Year2008EasterBeforeMarchTwentyFifthAndAscensionOnMayDay) {
  // Easter March 23 puts the Easter group before the fixed 25 March; Ascension Day falls on
  // 1 May, and on equal days the fixed table comes first.
  ExpectList(2008, {
                       {"2008-Januari-1  Tisdag", "Nyårsdagen"},
                       {"2008-Januari-6  Söndag", "Trettondag Jul"},
                       {"2008-Mars-21  Fredag", "Långfredagen"},
                       {"2008-Mars-23  Söndag", "Påskdagen"},
                       {"2008-Mars-24  Måndag", "Annandag Påsk"},
                       {"2008-Mars-25  Tisdag", "Marie Bebådelsedag, gamla"},
                       {"2008-Maj-1  Torsdag", "Första Maj"},
                       {"2008-Maj-1  Torsdag", "Kristi Himmelfärdsdag"},
                       {"2008-Maj-11  Söndag", "Pingstdagen"},
                       {"2008-Maj-12  Måndag", "Annandag Pingst"},
                       {"2008-Juni-21  Lördag", "Midsommardagen (lördag 20/6 - 26/6)"},
                       {"2008-Juni-24  Tisdag", "Midsommardagen, gamla"},
                       {"2008-November-1  Lördag", "Alla Helgons dag (lördag 31/10 - 6/11)"},
                       {"2008-December-25  Torsdag", "Juldagen"},
                       {"2008-December-26  Fredag", "Annandag Jul"},
                   });
}

TEST(HolidayList, Year2001AsTheWindowShowsIt) {
  ExpectList(2001, {
                       {"2001-Januari-1  Måndag", "Nyårsdagen"},
                       {"2001-Januari-6  Lördag", "Trettondag Jul"},
                       {"2001-Mars-25  Söndag", "Marie Bebådelsedag, gamla"},
                       {"2001-April-13  Fredag", "Långfredagen"},
                       {"2001-April-15  Söndag", "Påskdagen"},
                       {"2001-April-16  Måndag", "Annandag Påsk"},
                       {"2001-Maj-1  Tisdag", "Första Maj"},
                       {"2001-Maj-24  Torsdag", "Kristi Himmelfärdsdag"},
                       {"2001-Juni-3  Söndag", "Pingstdagen"},
                       {"2001-Juni-4  Måndag", "Annandag Pingst"},
                       {"2001-Juni-23  Lördag", "Midsommardagen (lördag 20/6 - 26/6)"},
                       {"2001-Juni-24  Söndag", "Midsommardagen, gamla"},
                       {"2001-November-3  Lördag", "Alla Helgons dag (lördag 31/10 - 6/11)"},
                       {"2001-December-25  Tisdag", "Juldagen"},
                       {"2001-December-26  Onsdag", "Annandag Jul"},
                   });
}

TEST(HolidayList, EqualDaysKeepTheTableOrder) {
  // 2023: Midsummer Day is 24 June itself; the old fixed Midsummer Day comes first.
  std::vector<THoliday> list = HolidayList(2023);
  ASSERT_EQ(list.size(), 15u);
  EXPECT_EQ(list[10].DateText, "2023-Juni-24  Lördag");
  EXPECT_EQ(list[10].Name, "Midsommardagen, gamla");
  EXPECT_EQ(list[10].Group, THolidayGroup::Fixed);
  EXPECT_EQ(list[11].DateText, "2023-Juni-24  Lördag");
  EXPECT_EQ(list[11].Name, "Midsommardagen (lördag 20/6 - 26/6)");
  EXPECT_EQ(list[11].Group, THolidayGroup::Weekday);
  // 2035: Easter Sunday is 25 March; Lady Day comes before Påskdagen.
  list = HolidayList(2035);
  ASSERT_EQ(list.size(), 15u);
  EXPECT_EQ(list[2].DateText, "2035-Mars-23  Fredag");
  EXPECT_EQ(list[3].DateText, "2035-Mars-25  Söndag");
  EXPECT_EQ(list[3].Name, "Marie Bebådelsedag, gamla");
  EXPECT_EQ(list[4].DateText, "2035-Mars-25  Söndag");
  EXPECT_EQ(list[4].Name, "Påskdagen");
  EXPECT_EQ(list[5].DateText, "2035-Mars-26  Måndag");
}

TEST(HolidayList, SaturdayRulesOverTheirWholeRange) {
  // Midsummer Day (June) and All Saints' Day of 2015-2030: every date of both ranges occurs.
  const struct {
    int year, midsummer, allSaintsMonth, allSaintsDay;
  } cases[] = {{2015, 20, 10, 31}, {2016, 25, 11, 5},  {2017, 24, 11, 4}, {2018, 23, 11, 3},
               {2019, 22, 11, 2},  {2020, 20, 10, 31}, {2021, 26, 11, 6}, {2022, 25, 11, 5},
               {2023, 24, 11, 4},  {2024, 22, 11, 2},  {2025, 21, 11, 1}, {2026, 20, 10, 31},
               {2027, 26, 11, 6},  {2028, 24, 11, 4},  {2029, 23, 11, 3}, {2030, 22, 11, 2}};
  for (const auto& c : cases) {
    int found = 0;
    for (const THoliday& h : HolidayList(c.year)) {
      if (h.Group != THolidayGroup::Weekday) continue;
      EXPECT_EQ(h.Weekday, 6) << c.year;
      if (h.Index == 0) {
        EXPECT_EQ(h.Month, 6) << c.year;
        EXPECT_EQ(h.Day, c.midsummer) << c.year;
      } else {
        EXPECT_EQ(h.Month, c.allSaintsMonth) << c.year;
        EXPECT_EQ(h.Day, c.allSaintsDay) << c.year;
      }
      ++found;
    }
    EXPECT_EQ(found, 2) << c.year;
  }
}

TEST(HolidayList, JulianYearsAndTheReform) {
  // 1500 (Julian): Easter April 19 (Meeus); a Julian leap year, so 25 March is day 85.
  // 1 January 1500 Julian = 10 January Gregorian, a Wednesday; 19 April = 29 April Gregorian,
  // a Sunday.
  const std::vector<THoliday> y1500 = HolidayList(1500);
  ASSERT_EQ(y1500.size(), 15u);
  EXPECT_EQ(y1500[0].DateText, "1500-Januari-1  Onsdag");
  EXPECT_EQ(y1500[2].DateText, "1500-Mars-25  Onsdag");
  EXPECT_EQ(y1500[2].DayNumber, 85);
  EXPECT_EQ(y1500[4].Name, "Påskdagen");
  EXPECT_EQ(y1500[4].DateText, "1500-April-19  Söndag");
  // 1583, the first Gregorian year of the computus: Easter April 10, a Sunday.
  const std::vector<THoliday> y1583 = HolidayList(1583);
  EXPECT_EQ(y1583[0].DateText, "1583-Januari-1  Lördag");
  EXPECT_EQ(y1583[4].DateText, "1583-April-10  Söndag");
}

TEST(HolidayList, YearsBeforeOneHaveNoEasterGroup) {
  // Year 0 (1 BC) is a Julian leap year; 1 January of year 1 was a Saturday, so 1 January of
  // year 0 was a Thursday (366 days before), 25 March (84 days later) a Thursday, 26 December
  // (360 days later) a Sunday, and 1 January of year -1 a Wednesday.
  const std::vector<THoliday> y0 = HolidayList(0);
  ASSERT_EQ(y0.size(), 9u);
  for (const THoliday& h : y0) EXPECT_NE(h.Group, THolidayGroup::Easter);
  EXPECT_EQ(y0[0].DateText, "0-Januari-1  Torsdag");
  EXPECT_EQ(y0[0].Name, "Nyårsdagen");
  EXPECT_EQ(y0[2].DateText, "0-Mars-25  Torsdag");
  EXPECT_EQ(y0.back().DateText, "0-December-26  Söndag");
  EXPECT_EQ(HolidayList(-1)[0].DateText, "-1-Januari-1  Onsdag");
  // From year 1 the Easter group is there.
  EXPECT_EQ(HolidayList(1).size(), 15u);
  EXPECT_EQ(HolidayList(1)[0].DateText, "1-Januari-1  Lördag");
}

TEST(HolidaysReport, TitleAndTheYearOfTheLocalDate) {
  TObsState state;
  state.TimeZone = 1.0;
  state.ClockJD = JulianDay(2024, 12, 31) + 23.5 / 24.0;
  THolidaysReport report = HolidaysReport(state);
  EXPECT_EQ(report.Year, 2024);
  EXPECT_EQ(report.Title, "Helgdagar i Sverige 2024");
  EXPECT_EQ(report.LastLine, 17);
  state.ClockJD = JulianDay(2025, 1, 1) + 0.1 / 24.0;
  report = HolidaysReport(state);
  EXPECT_EQ(report.Title, "Helgdagar i Sverige 2025");
  EXPECT_EQ(report.Lines.front().DateText, "2025-Januari-1  Onsdag");
  EXPECT_EQ(HolidaysReport(0).LastLine, 11);
}

}  // namespace
}  // namespace himlavy
