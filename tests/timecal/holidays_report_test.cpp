// The Swedish holidays of a year against the published calendar: Easter Sunday 2001 April 15,
// 2008 March 23 (Ascension Day on May 1); Midsummer Day the Saturday of 20-26 June and All
// Saints' Day the Saturday of 31 October - 6 November. Weekdays of the Gregorian dates are
// those of the proleptic Gregorian calendar (Python's datetime); Julian dates are converted to
// Gregorian first.
#include "timecal/holidays_report.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/timescales.h"

namespace himlavy {
namespace {

// The lines of a year as "date: name", one text.
std::string Lines(int year) {
  std::string text;
  for (const THoliday& h : HolidayList(year))
    text += h.DateText + ": " + std::string(h.Name) + "\n";
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
}

TEST(HolidayList, OrderOfMovingAndFixedDays) {
  // 2008: Easter March 23 puts the Easter group before the fixed 25 March; Ascension Day falls
  // on 1 May, and on equal days the fixed table comes first. 2023: Midsummer Day is 24 June.
  for (const char* lines : {"2008-Mars-24  Måndag: Annandag Påsk\n"
                            "2008-Mars-25  Tisdag: Marie Bebådelsedag, gamla\n",
                            "2008-Maj-1  Torsdag: Första Maj\n"
                            "2008-Maj-1  Torsdag: Kristi Himmelfärdsdag\n",
                            "2023-Juni-24  Lördag: Midsommardagen, gamla\n"
                            "2023-Juni-24  Lördag: Midsommardagen (lördag 20/6 - 26/6)\n"}) {
    EXPECT_NE(Lines(std::stoi(lines)).find(lines), std::string::npos) << lines;
  }
}

TEST(HolidayList, NationalDayFrom2005) {
  // Sveriges nationaldag, 6 June, a public holiday from 2005 on (SFS 2004:1322); 6 June 2005
  // was a Monday, 6 June 2026 is a Saturday.
  EXPECT_EQ(Lines(2004).find("nationaldag"), std::string::npos);
  EXPECT_NE(Lines(2005).find("2005-Juni-6  Måndag: Sveriges nationaldag\n"), std::string::npos);
  EXPECT_NE(Lines(2026).find("2026-Juni-6  Lördag: Sveriges nationaldag\n"), std::string::npos);
  EXPECT_EQ(HolidayList(2026).size(), 16u);
}

TEST(HolidayList, SaturdayRulesAtTheEndsOfTheirRanges) {
  // The first and last possible days: Midsummer Day on 20 June, All Saints' Day on 6 November.
  EXPECT_NE(Lines(2015).find("2015-Juni-20  Lördag: Midsommardagen"), std::string::npos);
  EXPECT_NE(Lines(2021).find("2021-November-6  Lördag: Alla Helgons dag"), std::string::npos);
}

TEST(HolidayList, JulianYearsAndYearsBeforeOne) {
  // 1500 (Julian): Easter April 19 (Meeus); a Julian leap year, so 25 March is day 85.
  // 1 January 1500 Julian = 10 January Gregorian, a Wednesday; 19 April = 29 April Gregorian,
  // a Sunday.
  const std::vector<THoliday> y1500 = HolidayList(1500);
  EXPECT_EQ(y1500[0].DateText, "1500-Januari-1  Onsdag");
  EXPECT_EQ(y1500[2].DayNumber, 85);
  EXPECT_EQ(y1500[4].DateText, "1500-April-19  Söndag");
  EXPECT_EQ(HolidayList(1583)[4].DateText, "1583-April-10  Söndag");
  // 1582, the year of the Gregorian reform: Easter April 15 (Julian computus), Christmas on
  // the Gregorian 25 December, a Saturday; All Saints' Day on Saturday 6 November.
  const std::string y1582 = Lines(1582);
  EXPECT_NE(y1582.find("1582-April-15  Söndag: Påskdagen"), std::string::npos) << y1582;
  EXPECT_NE(y1582.find("1582-November-6  Lördag: Alla Helgons dag"), std::string::npos) << y1582;
  EXPECT_NE(y1582.find("1582-December-25  Lördag: Juldagen"), std::string::npos) << y1582;
  // Year 0 (1 BC) is a Julian leap year without an Easter group; 1 January of year 1 was a
  // Saturday, so 1 January of year 0 was a Thursday (366 days before) and 26 December (360
  // days later) a Sunday.
  const std::vector<THoliday> y0 = HolidayList(0);
  ASSERT_EQ(y0.size(), 9u);
  EXPECT_EQ(y0[0].DateText, "0-Januari-1  Torsdag");
  EXPECT_EQ(y0.back().DateText, "0-December-26  Söndag");
  EXPECT_EQ(HolidayList(1).size(), 15u);
}

TEST(HolidaysReport, TitleAndTheYearOfTheLocalDate) {
  TObsState state;
  state.TimeZone = 1.0;
  state.ClockJD = JulianDay(2024, 12, 31) + 23.5 / 24.0;
  THolidaysReport report = HolidaysReport(state);
  EXPECT_EQ(report.Title, "Helgdagar i Sverige 2024");
  EXPECT_EQ(report.Lines.front().Line, 3);
  EXPECT_EQ(report.LastLine, 18);  // 16 holidays from 2005 on
  EXPECT_EQ(HolidaysReport(0).LastLine, 11);
}

}  // namespace
}  // namespace himlavy
