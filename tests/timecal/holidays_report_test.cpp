// The Swedish holidays of a year against the published calendar: Easter Sunday 2001 April 15,
// 2008 March 23 (Ascension Day on May 1), 2023 April 9, 2035 March 25; Midsummer Day the
// Saturday of 20-26 June and All Saints' Day the Saturday of 31 October - 6 November. Weekdays
// of the Gregorian dates are those of the proleptic Gregorian calendar (Python's datetime);
// Julian dates are converted to Gregorian first.
#include "timecal/holidays_report.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "timecal/timescales.h"

namespace himlavy {
namespace {

// The lines of a year as "date: name", one text.
std::string Lines(int year, char sep = ',') {
  std::string text;
  for (const THoliday& h : HolidayList(year, sep)) {
    text += h.DateText + ": " + std::string(h.Name) + "\n";
  }
  return text;
}

TEST(HolidayList, TheWholeYear) {
  EXPECT_EQ(Lines(2001),
            "2001-Januari-1  Måndag: Nyårsdagen\n"
            "2001-Januari-6  Lördag: Trettondag Jul\n"
            "2001-Mars-25  Söndag: Marie Bebådelsedag, gamla\n"
            "2001-April-13  Fredag: Långfredagen\n"
            "2001-April-15  Söndag: Påskdagen\n"
            "2001-April-16  Måndag: Annandag Påsk\n"
            "2001-Maj-1  Tisdag: Första Maj\n"
            "2001-Maj-24  Torsdag: Kristi Himmelfärdsdag\n"
            "2001-Juni-3  Söndag: Pingstdagen\n"
            "2001-Juni-4  Måndag: Annandag Pingst\n"
            "2001-Juni-23  Lördag: Midsommardagen (lördag 20/6 - 26/6)\n"
            "2001-Juni-24  Söndag: Midsommardagen, gamla\n"
            "2001-November-3  Lördag: Alla Helgons dag (lördag 31/10 - 6/11)\n"
            "2001-December-25  Tisdag: Juldagen\n"
            "2001-December-26  Onsdag: Annandag Jul\n");
  // Easter March 23 puts the Easter group before the fixed 25 March; Ascension Day falls on
  // 1 May, and on equal days the fixed table comes first.
  EXPECT_EQ(Lines(2008),
            "2008-Januari-1  Tisdag: Nyårsdagen\n"
            "2008-Januari-6  Söndag: Trettondag Jul\n"
            "2008-Mars-21  Fredag: Långfredagen\n"
            "2008-Mars-23  Söndag: Påskdagen\n"
            "2008-Mars-24  Måndag: Annandag Påsk\n"
            "2008-Mars-25  Tisdag: Marie Bebådelsedag, gamla\n"
            "2008-Maj-1  Torsdag: Första Maj\n"
            "2008-Maj-1  Torsdag: Kristi Himmelfärdsdag\n"
            "2008-Maj-11  Söndag: Pingstdagen\n"
            "2008-Maj-12  Måndag: Annandag Pingst\n"
            "2008-Juni-21  Lördag: Midsommardagen (lördag 20/6 - 26/6)\n"
            "2008-Juni-24  Tisdag: Midsommardagen, gamla\n"
            "2008-November-1  Lördag: Alla Helgons dag (lördag 31/10 - 6/11)\n"
            "2008-December-25  Torsdag: Juldagen\n"
            "2008-December-26  Fredag: Annandag Jul\n");
}

TEST(HolidayList, EqualDaysKeepTheTableOrder) {
  // 2023: Midsummer Day is 24 June itself; the old fixed Midsummer Day comes first.
  EXPECT_NE(Lines(2023).find("2023-Juni-24  Lördag: Midsommardagen, gamla\n"
                             "2023-Juni-24  Lördag: Midsommardagen (lördag 20/6 - 26/6)\n"),
            std::string::npos);
  // 2035: Easter Sunday is 25 March; Lady Day comes before Påskdagen.
  EXPECT_NE(Lines(2035).find("2035-Mars-23  Fredag: Långfredagen\n"
                             "2035-Mars-25  Söndag: Marie Bebådelsedag, gamla\n"
                             "2035-Mars-25  Söndag: Påskdagen\n"),
            std::string::npos);
}

TEST(HolidayList, SaturdayRulesOverTheirWholeRange) {
  // Midsummer Day (June) and All Saints' Day of 2015-2030: every date of both ranges occurs.
  const struct {
    int year, midsummer, allSaintsMonth, allSaintsDay;
  } cases[] = {{2015, 20, 10, 31}, {2016, 25, 11, 5}, {2017, 24, 11, 4}, {2018, 23, 11, 3},
               {2019, 22, 11, 2},  {2021, 26, 11, 6}, {2025, 21, 11, 1}, {2027, 26, 11, 6}};
  for (const auto& c : cases) {
    const std::vector<THoliday> list = HolidayList(c.year);
    ASSERT_EQ(list.size(), 15u);
    std::vector<const THoliday*> saturdays;
    for (const THoliday& h : list) {
      if (h.Group == THolidayGroup::Weekday) saturdays.push_back(&h);
    }
    ASSERT_EQ(saturdays.size(), 2u) << c.year;
    EXPECT_EQ(saturdays[0]->Month * 100 + saturdays[0]->Day, 600 + c.midsummer) << c.year;
    EXPECT_EQ(saturdays[1]->Month * 100 + saturdays[1]->Day,
              c.allSaintsMonth * 100 + c.allSaintsDay)
        << c.year;
    EXPECT_EQ(saturdays[1]->Weekday, 6) << c.year;
  }
}

TEST(HolidayList, JulianYearsAndYearsBeforeOne) {
  // 1500 (Julian): Easter April 19 (Meeus); a Julian leap year, so 25 March is day 85.
  // 1 January 1500 Julian = 10 January Gregorian, a Wednesday; 19 April = 29 April Gregorian,
  // a Sunday.
  const std::vector<THoliday> y1500 = HolidayList(1500);
  EXPECT_EQ(y1500[0].DateText, "1500-Januari-1  Onsdag");
  EXPECT_EQ(y1500[2].DayNumber, 85);
  EXPECT_EQ(y1500[4].DateText, "1500-April-19  Söndag");
  // 1583, the first Gregorian year of the computus: Easter April 10, a Sunday.
  EXPECT_EQ(HolidayList(1583)[4].DateText, "1583-April-10  Söndag");

  // Year 0 (1 BC) is a Julian leap year without an Easter group; 1 January of year 1 was a
  // Saturday, so 1 January of year 0 was a Thursday (366 days before), 25 March (84 days later)
  // a Thursday, 26 December (360 days later) a Sunday, and 1 January of year -1 a Wednesday.
  const std::vector<THoliday> y0 = HolidayList(0);
  ASSERT_EQ(y0.size(), 9u);
  EXPECT_EQ(y0[0].DateText, "0-Januari-1  Torsdag");
  EXPECT_EQ(y0[2].DateText, "0-Mars-25  Torsdag");
  EXPECT_EQ(y0.back().DateText, "0-December-26  Söndag");
  EXPECT_EQ(HolidayList(-1)[0].DateText, "-1-Januari-1  Onsdag");
  EXPECT_EQ(HolidayList(1).size(), 15u);
  EXPECT_EQ(HolidayList(1)[0].DateText, "1-Januari-1  Lördag");
}

TEST(HolidaysReport, TitleAndTheYearOfTheLocalDate) {
  TObsState state;
  state.TimeZone = 1.0;
  state.ClockJD = JulianDay(2024, 12, 31) + 23.5 / 24.0;
  THolidaysReport report = HolidaysReport(state);
  EXPECT_EQ(report.Title, "Helgdagar i Sverige 2024");
  EXPECT_EQ(report.LastLine, 17);
  EXPECT_EQ(report.Lines.front().Line, 3);
  state.ClockJD = JulianDay(2025, 1, 1) + 0.1 / 24.0;
  report = HolidaysReport(state);
  EXPECT_EQ(report.Title, "Helgdagar i Sverige 2025");
  EXPECT_EQ(report.Lines.front().DateText, "2025-Januari-1  Onsdag");
  EXPECT_EQ(HolidaysReport(0).LastLine, 11);
}

}  // namespace
}  // namespace himlavy
