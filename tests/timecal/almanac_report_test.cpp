// The almanac's lines: the two columns, the date and time texts at the three precisions, the
// cut at 86 lines, and the lines of 2001 against published dates and values (US Naval
// Observatory phases and seasons; F. Espenak's tables of Venus's greatest elongations; NASA's
// eclipse canon for the umbral magnitude of the eclipse of 2001 January 9, 1.189). Weekdays
// are those of the civil calendar.
#include "timecal/almanac_report.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "base/timescales.h"

namespace himlavy {
namespace {

// Local clock reading of a date and time.
double At(int year, int month, int day, int hour = 0, int minute = 0, double second = 0.0) {
  return JulianDay(year, month, day) + (hour + minute / 60.0 + second / 3600.0) / 24.0;
}

const TAlmanacLine* FindLine(const TAlmanacReport& r, const std::string& text) {
  for (const auto& line : r.Lines) {
    if (line.EventText == text) return &line;
  }
  return nullptr;
}

TEST(AlmanacTimeText, ThreePrecisionsWithoutCarry) {
  constexpr double kHair = 0.01;  // so that the clock reading is not a hair before the time
  const struct {
    int hour, minute;
    double second;
    int kind;
    const char* text;
  } cases[] = {
      {14, 30, kHair, kAlmanacPlanetEvent, "15h"},
      {14, 29, 59.9, kAlmanacPlanetEvent, "14h"},
      {9, 5, kHair, kAlmanacPlanetEvent, " 9h"},
      {23, 45, kHair, kAlmanacPlanetEvent, "24h"},
      {14, 29, 30 + kHair, kAlmanacMoonEvent, "14h30m"},
      {14, 59, 40, kAlmanacMoonEvent, "14h60m"},
      {8, 3, kHair, kAlmanacMoonEvent, " 8h 3m"},
      {7, 5, 3.2, kAlmanacSeasonEvent, " 7h 5m 3s"},
      {23, 59, 59.7, kAlmanacSeasonEvent, "23h59m60s"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(AlmanacTimeText(At(2001, 3, 20, c.hour, c.minute, c.second), c.kind), c.text)
        << c.hour << ":" << c.minute << ":" << c.second << " kind " << c.kind;
  }
  EXPECT_EQ(AlmanacDateText(At(2024, 2, 29)), "2024- 2-29  Torsdag");
}

TEST(AlmanacLines, OnlyTheFirst86InTwoColumnsWithTheUsersSeparator) {
  // 100 Moon phases a day apart: 86 lines, lines 3 .. 45 of the left column, then the right.
  std::vector<TAlmanacEvent> events(100);
  for (std::size_t i = 0; i < events.size(); ++i) {
    events[i].LocalJD = At(2001, 1, 1, 12) + static_cast<double>(i);
    events[i].Kind = kAlmanacMoonEvent;
    events[i].Text = "Partiell månförmörkelse, magnitud=";
    events[i].Elongation = std::nan("");
    events[i].Magnitude = 0.4949;
    events[i].Value = "0.49";
  }
  const std::vector<TAlmanacLine> lines = AlmanacLines(events, ',');
  ASSERT_EQ(lines.size(), 86u);
  EXPECT_EQ(lines[0].DateText + "|" + lines[0].TimeText + "|" + lines[0].EventText,
            "2001- 1- 1  Måndag|12h 0m|Partiell månförmörkelse, magnitud=0,49");
  const struct {
    std::size_t slot;
    int column, line, x0;
  } slots[] = {{0, 0, 3, 0}, {42, 0, 45, 0}, {43, 1, 3, 402}, {85, 1, 45, 402}};
  for (const auto& s : slots) {
    const TAlmanacSlot& got = lines[s.slot].Slot;
    EXPECT_EQ(std::vector({got.Column, got.Line, got.X0}), std::vector({s.column, s.line, s.x0}));
  }
  EXPECT_EQ(lines[85].DateText, "2001- 3-27  Tisdag");  // the 86th day of the year
  EXPECT_EQ(AlmanacLines({events[0]}, '.')[0].EventText, "Partiell månförmörkelse, magnitud=0.49");
}

TEST(AlmanacReport, TheYear2001InZoneOne) {
  const TAlmanacReport r = AlmanacReport(2001, 1.0, kTimeScaleUtc, ',');
  EXPECT_EQ(r.Title, "Almanacka för år 2001 (UTC 1,00)");
  EXPECT_EQ(static_cast<int>(r.Lines.size()), r.EventCount);  // fewer than 86: all are shown
  // The first event: the first quarter of January 2, 22:31 UT (USNO), 23:31 in zone 1.
  EXPECT_EQ(r.Lines[0].DateText, "2001- 1- 2  Tisdag");
  EXPECT_TRUE(r.Lines[0].TimeText.starts_with("23h3")) << r.Lines[0].TimeText;
  EXPECT_EQ(r.Lines[0].EventText, "Månen i första kvarteret");
  // Values: the total lunar eclipse of January 9, Venus at 47.1 deg east on January 17; planet
  // events to the hour.
  const TAlmanacLine* eclipse = FindLine(r, "Total månförmörkelse, magnitud=1,19");
  ASSERT_NE(eclipse, nullptr);
  EXPECT_EQ(eclipse->DateText, "2001- 1- 9  Tisdag");
  const TAlmanacLine* venus = FindLine(r, "Venus i maximal östlig elongation=47,1°");
  ASSERT_NE(venus, nullptr);
  EXPECT_EQ(venus->DateText, "2001- 1-17  Onsdag");
  EXPECT_EQ(venus->TimeText.size(), 3u);
}

TEST(AlmanacReport, DynamicalTimeAndTheYearOfTheClock) {
  // With the clock in TDT the title says so and the times lose the delta T correction, taken
  // at mid-year: by Meeus's extrapolation after 2000 (1st ed., ch. 9), 102.3 + 123.5 t +
  // 32.5 t^2 s with t = 0.015 centuries, 104.16 s. The same event is printed that much later.
  const TAlmanacReport utc = AlmanacReport(2001, 1.0, kTimeScaleUtc, ',');
  const TAlmanacReport tdt = AlmanacReport(2001, 1.0, kTimeScaleTdt, ',');
  EXPECT_EQ(tdt.Title, "Almanacka för år 2001 (TDT 1,00)");
  const TAlmanacLine* a = FindLine(utc, "Vårdagjämning");
  const TAlmanacLine* b = FindLine(tdt, "Vårdagjämning");
  ASSERT_TRUE(a && b);
  EXPECT_NEAR((b->Event.LocalJD - a->Event.LocalJD) * 86400.0, 104.16, 0.05);
}

}  // namespace
}  // namespace himlavy
