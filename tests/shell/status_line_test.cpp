// The texts of the main window's status line and of the printed chart's header.
#include "shell/status_line.h"

#include <gtest/gtest.h>

namespace himlavy {
namespace {

TObsState Lund1990(double zone) {
  TObsState s;
  s.ClockJD = 2447892.5;  // 1990 January 1, 0h, a Monday; delta T 58 s
  s.TimeZone = zone;
  s.StepDays = -1.0;
  s.StepLabel = "1 dygn";
  s.PlaceName = "Lund";
  s.Latitude = -33.9;
  s.Longitude = 18.4;
  s.Height = 12.5;
  DeriveTimes(s);
  return s;
}

TEST(StatusLine, PanelTexts) {
  EXPECT_EQ(
      StatusLineTexts(Lund1990(1.0), ','),
      (std::array<std::string, 9>{" 1990-1-1 Måndag", " 0h0m0s", " Zon=1,00   Skala=UTC   dT=0m58s",
                                  " JD=2447892,458333", " Inkr.= -1 dygn", " Lund",
                                  " Latitud=33°54' S", " Longitud=18°24' Ö", " Höjd=12,5m"}));

  TObsState s;
  s.ClockJD = 2451545.0 + 13.5 / 24.0 + 45.6 / 86400.0;  // 2000-01-02 01:30:45.6
  s.TimeScale = kTimeScaleTdt;
  s.StepDays = 0.25;
  s.StepLabel = " 6 tim";
  s.Latitude = 59.3293;
  s.Longitude = -0.5;
  DeriveTimes(s);
  auto p = StatusLineTexts(s, '.');
  EXPECT_EQ(p[0], " 2000-1-2 Söndag");
  EXPECT_EQ(p[1], " 1h30m46s");
  EXPECT_EQ(p[2].substr(0, 24), " Zon=0.00   Skala=TDT   ");
  EXPECT_EQ(p[4], " Inkr.=   6 tim");
  EXPECT_EQ(p[6], " Latitud=59°20' N");
  EXPECT_EQ(p[7], " Longitud=0°30' V");
  EXPECT_EQ(p[8], " Höjd=0m");
  s.RealTime = 1;
  EXPECT_EQ(StatusLineTexts(s, '.')[4], " Inkr.= Nu!");
}

TEST(StatusLine, PrintedChartHeader) {
  const TPrintHeader h = PrintHeaderTexts(Lund1990(-5.0), 16, ',');
  EXPECT_EQ(h.Title, "Himlavy 4.6");
  EXPECT_EQ(h.Date, " Måndag-1-1-1990");
  EXPECT_EQ(h.Time, " 0h0m0s");
  EXPECT_EQ(h.Zone, " Zon=-5,00   Skala=16   dT=0m58s");
  EXPECT_EQ(h.JD, " JD=2447892,708333");
  EXPECT_EQ(h.Latitude, " Latitud=33°54' S");
}

}  // namespace
}  // namespace himlavy
