// The almanac's lines: the two columns, the date and time texts at the three precisions, the
// cut at 86 lines, and the lines of 2001 against published dates and values (US Naval
// Observatory phases and seasons; F. Espenak's tables of Mercury's and Venus's greatest
// elongations; NASA's eclipse canon for the umbral magnitude of the eclipse of 2001 January 9,
// 1.189). Weekdays are those of the civil calendar.
#include "timecal/almanac_report.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "timecal/timescales.h"

namespace himlavy {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

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
      // A planet event at 14:30 is shown as 15h; before the half hour the hour stays.
      {14, 30, kHair, kAlmanacPlanetEvent, "15h"},
      {14, 29, 59.9, kAlmanacPlanetEvent, "14h"},
      {9, 5, kHair, kAlmanacPlanetEvent, " 9h"},
      {23, 45, kHair, kAlmanacPlanetEvent, "24h"},  // no carry into the day
      // A Moon phase at 14:29:30 is shown as 14h30m; 14:59:40 as 14h60m.
      {14, 29, 30 + kHair, kAlmanacMoonEvent, "14h30m"},
      {14, 29, 29.9, kAlmanacMoonEvent, "14h29m"},
      {14, 59, 40, kAlmanacMoonEvent, "14h60m"},
      {8, 3, kHair, kAlmanacMoonEvent, " 8h 3m"},
      // Equinoxes and solstices to the second, rounded, again without carry.
      {13, 31, 47.6, kAlmanacSeasonEvent, "13h31m48s"},
      {7, 5, 3.2, kAlmanacSeasonEvent, " 7h 5m 3s"},
      {23, 59, 59.7, kAlmanacSeasonEvent, "23h59m60s"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(AlmanacTimeText(At(2001, 3, 20, c.hour, c.minute, c.second), c.kind), c.text)
        << c.hour << ":" << c.minute << ":" << c.second << " kind " << c.kind;
  }
  EXPECT_EQ(AlmanacDateText(At(2001, 12, 30, 11, 30)), "2001-12-30  Söndag");
  EXPECT_EQ(AlmanacDateText(At(2024, 2, 29)), "2024- 2-29  Torsdag");
}

TEST(AlmanacLines, OnlyTheFirst86InTwoColumns) {
  // 100 Moon phases a day apart: 86 lines, lines 3 .. 45 of the left column, then the right.
  std::vector<TAlmanacEvent> events(100);
  for (std::size_t i = 0; i < events.size(); ++i) {
    events[i].LocalJD = At(2001, 1, 1, 12) + static_cast<double>(i);
    events[i].Kind = kAlmanacMoonEvent;
    events[i].Text = "Fullmåne";
  }
  const std::vector<TAlmanacLine> lines = AlmanacLines(events, ',');
  ASSERT_EQ(lines.size(), 86u);
  EXPECT_EQ(lines[0].DateText, "2001- 1- 1  Måndag");
  EXPECT_EQ(lines[0].TimeText, "12h 0m");
  EXPECT_EQ(lines[0].EventText, "Fullmåne");
  const struct {
    std::size_t slot;
    int column, line, x0;
  } slots[] = {{0, 0, 3, 0}, {42, 0, 45, 0}, {43, 1, 3, 402}, {85, 1, 45, 402}};
  for (const auto& s : slots) {
    EXPECT_EQ(lines[s.slot].Slot.Column, s.column) << s.slot;
    EXPECT_EQ(lines[s.slot].Slot.Line, s.line) << s.slot;
    EXPECT_EQ(lines[s.slot].Slot.X0, s.x0) << s.slot;
  }
  EXPECT_EQ(lines[85].DateText, "2001- 3-27  Tisdag");  // the 86th day of the year
}

TEST(AlmanacLines, ValuesInTheUsersNumberFormat) {
  TAlmanacEvent elongation;
  elongation.LocalJD = At(2001, 1, 17, 9, 40);
  elongation.Body = "Venus";
  elongation.Text = " i maximal östlig elongation=";
  elongation.Elongation = 47.12;
  elongation.Magnitude = kNaN;
  elongation.Value = "47.1°";
  TAlmanacEvent eclipse;
  eclipse.LocalJD = At(2001, 7, 5, 15, 55, 10);
  eclipse.Kind = kAlmanacMoonEvent;
  eclipse.Text = "Partiell månförmörkelse, magnitud=";
  eclipse.Elongation = kNaN;
  eclipse.Magnitude = 0.4949;
  eclipse.Value = "0.49";
  TAlmanacEvent total = eclipse;
  total.Text = "Total solförmörkelse";
  total.Magnitude = kNaN;
  total.Value.clear();

  const auto comma = AlmanacLines({elongation, eclipse, total}, ',');
  EXPECT_EQ(comma[0].EventText, "Venus i maximal östlig elongation=47,1°");
  EXPECT_EQ(comma[0].TimeText, "10h");
  EXPECT_EQ(comma[1].EventText, "Partiell månförmörkelse, magnitud=0,49");
  EXPECT_EQ(comma[2].EventText, "Total solförmörkelse");
  EXPECT_EQ(AlmanacLines({eclipse}, '.')[0].EventText, "Partiell månförmörkelse, magnitud=0.49");
}

TEST(AlmanacReport, TheYear2001InZoneOne) {
  const TAlmanacReport r = AlmanacReport(2001, 1.0, 0, ',');
  EXPECT_EQ(r.Title, "Almanacka för år 2001 (UTC 1,00)");
  // Fewer than 86 events: every one is shown.
  EXPECT_GT(r.EventCount, 70);
  EXPECT_EQ(static_cast<int>(r.Lines.size()), r.EventCount);

  // The first event: the first quarter of January 2, 22:31 UT (USNO), 23:31 in zone 1.
  EXPECT_EQ(r.Lines[0].DateText, "2001- 1- 2  Tisdag");
  EXPECT_TRUE(r.Lines[0].TimeText.starts_with("23h3")) << r.Lines[0].TimeText;
  EXPECT_EQ(r.Lines[0].EventText, "Månen i första kvarteret");

  // The March equinox, March 20 13:31 UT (USNO): to the second, 14h3.. in zone 1.
  const TAlmanacLine* equinox = FindLine(r, "Vårdagjämning");
  ASSERT_NE(equinox, nullptr);
  EXPECT_EQ(equinox->DateText, "2001- 3-20  Tisdag");
  EXPECT_TRUE(equinox->TimeText.starts_with("14h3")) << equinox->TimeText;
  EXPECT_EQ(equinox->TimeText.size(), 9u) << equinox->TimeText;

  // Values: the total lunar eclipse of January 9 (umbral magnitude 1.189), Venus at 47.1 deg
  // east on January 17, Mercury at 18.4 deg east on January 28 and 27.5 deg west on March 11;
  // planet events to the hour.
  const struct {
    const char* text;
    const char* date;
  } values[] = {
      {"Total månförmörkelse, magnitud=1,19", "2001- 1- 9  Tisdag"},
      {"Venus i maximal östlig elongation=47,1°", "2001- 1-17  Onsdag"},
      {"Merkurius i maximal östlig elongation=18,4°", "2001- 1-28  Söndag"},
      {"Merkurius i maximal västlig elongation=27,5°", "2001- 3-11  Söndag"},
      {"Venus i undre konjunktion med solen", "2001- 3-30  Fredag"},
  };
  for (const auto& v : values) {
    const TAlmanacLine* line = FindLine(r, v.text);
    ASSERT_NE(line, nullptr) << v.text;
    EXPECT_EQ(line->DateText, v.date) << v.text;
  }
  EXPECT_EQ(FindLine(r, values[4].text)->TimeText.size(), 3u);
}

TEST(AlmanacReport, DynamicalTimeAndTheYearOfTheClock) {
  // With the clock in TDT the title says so and the times lose the delta T correction, taken
  // at mid-year: by Meeus's extrapolation after 2000 (1st ed., ch. 9), 102.3 + 123.5 t +
  // 32.5 t^2 s with t = 0.015 centuries, 104.16 s. The same event is printed that much later.
  const TAlmanacReport utc = AlmanacReport(2001, 1.0, 0, ',');
  const TAlmanacReport tdt = AlmanacReport(2001, 1.0, 1, ',');
  EXPECT_EQ(tdt.Title, "Almanacka för år 2001 (TDT 1,00)");
  const TAlmanacLine* a = FindLine(utc, "Vårdagjämning");
  const TAlmanacLine* b = FindLine(tdt, "Vårdagjämning");
  ASSERT_NE(a, nullptr);
  ASSERT_NE(b, nullptr);
  EXPECT_NEAR((b->Event.LocalJD - a->Event.LocalJD) * 86400.0, 104.16, 0.05);

  // The year is that of the clock reading, whatever the zone: the last minutes of 2001 in
  // zone -5 and the first of 2002.
  TObsState state;
  state.TimeZone = -5.0;
  state.ClockJD = At(2001, 12, 31, 23, 50);
  DeriveTimes(state);
  EXPECT_EQ(AlmanacReport(state, '.').Title, "Almanacka för år 2001 (UTC -5.00)");
  state.ClockJD = At(2002, 1, 1, 0, 10);
  EXPECT_EQ(AlmanacReport(state, '.').Year, 2002);
}

}  // namespace
}  // namespace himlavy
