// The Earth views drawn: the Earth map's texts and mouse, the colour schemes, and the day/night
// globes' bands (their widths worked from R = 240: sin 18 deg -> 74 px, sin 0.7 deg -> 3 px).
#include <gtest/gtest.h>

#include <QLabel>
#include <QPlainTextEdit>
#include <cmath>

#include "common/data_folder.h"
#include "common/frame_windows.h"
#include "common/scratch_dir.h"
#include "earth/earth_views_draw.h"
#include "earth/earth_windows.h"
#include "shell/canvas.h"

namespace himlavy {
namespace {
using testing::CountPixels;

// 2024-03-20 12:00 UT, in colour.
TObsState SpringEquinoxNoon(double latitude = 0.0, double longitude = 0.0) {
  TObsState s{.JD_UT = 2460390.0, .Latitude = latitude, .Longitude = longitude, .MapColour = 1};
  s.JD_TT = s.JD_UT + 69.2 / 86400.0;
  s.CorrNutation = s.CorrAberration = 1;
  return s;
}

TEST(EarthWindow, SiteTextsNameUnderTheMouseAndClicks) {
  TObsState state{.NewPlaceName = "Stockholm", .RedrawEarth = 1};
  const auto frame = testing::ShownFrame(state);
  auto* w = testing::OpenIn<TEarthWindow>(*frame, TWindowKind::Earth);
  ASSERT_NE(w, nullptr);
  w->FlagTimerTick();
  // "Stockholm [SE] H  59.20  18.04 +1*" in ortsnamn.dta: 59 deg 20', 18 deg 04'.
  EXPECT_EQ(w->PlaceMemo()->toPlainText(), testing::U(" Stockholm [SE] H              \n Sverige"));
  EXPECT_EQ(w->CoordinatesMemo()->toPlainText(),
            testing::U(" Latitud=59°20' N\n Longitud=18°4' Ö"));
  EXPECT_EQ(w->ZoneMemo()->toPlainText(), testing::U(" Tidzon=+1*"));
  EXPECT_EQ(state.PlaceName, "Stockholm [SE] H              ");
  // The site marker, and Stockholm's dot under it.
  EXPECT_EQ(w->DrawingSurface().Pixel(kEarthMapCentreX - 4, kEarthMapCentreY), colours::kLime);
  w->MouseMove(kEarthMapCentreX, kEarthMapCentreY);
  EXPECT_TRUE(w->PlaceNamePanel()->text().startsWith(testing::U(" Stockholm [SE] H")));
  w->MouseMove(5, 5);
  EXPECT_EQ(w->PlaceNamePanel()->text(), QString());

  w->LeftClick(kEarthMapCentreX, kEarthMapCentreY);  // the centre: the same site, flags raised
  EXPECT_EQ(std::tuple(state.RedrawChart, state.RedrawEarthCentre, state.NewPlaceName),
            std::tuple(1, 0, ""));
  EXPECT_EQ(w->PlaceMemo()->toPlainText(), testing::U(" Stockholm [SE] H              \n Sverige"));
}

TEST(EarthViews, ColourSchemesLandAndIceOnlyInColour) {
  testing::EnsureApplication();
  for (const int mapColour : {1, 0}) {
    TObsState state = SpringEquinoxNoon(59.33, 18.07);
    state.MapColour = mapColour;
    Canvas map(1000, 700, colours::kWhite);
    TPlaceHits hits;
    EXPECT_FALSE(DrawEarthMap(map, state, testing::DataFolder(), hits).MissingFile);
    const int green = CountPixels(map, colours::kGreen, 55, 20, 676, 641);
    const int ice = CountPixels(map, colours::kSilver, 100, 30, 650, 300);  // Greenland
    const TColor sea = mapColour == 1 ? colours::kNavy : TColor{128, 128, 144};
    EXPECT_GT(CountPixels(map, sea, 55, 20, 676, 641), 10000) << mapColour;
    Canvas sun(1000, 700, colours::kSilver);
    ASSERT_TRUE(DrawSunPosition(sun, state, testing::DataFolder()));
    const TDaylightColours c =
        mapColour == 1 ? TDaylightColours{colours::kBlue, colours::kNavy, {96, 96, 112}}
                       : TDaylightColours{{176, 176, 192}, {128, 128, 144}, {96, 96, 112}};
    EXPECT_EQ(sun.Pixel(kSunGlobeLeftX - 120, kSunGlobeY + 50), c.Day) << mapColour;  // Atlantic
    EXPECT_EQ(sun.Pixel(kSunGlobeLeftX, kSunGlobeY), colours::kYellow);
    EXPECT_EQ(sun.Pixel(kSunGlobeRightX + 232, kSunGlobeY), c.Night);  // the twilight ring
    if (mapColour == 1) {
      EXPECT_TRUE(green > 20000 && ice > 1000) << green << " " << ice;
      EXPECT_GT(CountPixels(sun, colours::kGreen, 20, 110, 500, 590), 10000);  // Africa and Europe
    } else {
      EXPECT_EQ(std::tuple(green, ice, CountPixels(sun, colours::kGreen, 0, 0, 1000, 700)),
                std::tuple(0, 0, 0));
    }
  }
}

TEST(DayNight, BandsAndTheRefractionSliver) {
  testing::EnsureApplication();
  // The planet series only: no coastlines or places over the bands.
  testing::ScratchDir dir;
  for (const char* name : {"PLANETS.DAT", "PLANETS2.NDX"})
    std::filesystem::copy_file(testing::DataFolder() / name, dir / name);
  const int cy = kSunGlobeY, row = cy + 40;
  int dayWithout[2] = {0, 0};
  for (const int refraction : {0, 1}) {
    TObsState state = SpringEquinoxNoon();
    state.CorrRefraction = refraction;
    Canvas c(1000, 700, colours::kSilver);
    bool missing = false;
    ASSERT_TRUE(DrawDayNight(c, state, dir.Path(), &missing));
    EXPECT_TRUE(missing);
    const TDaylightColours colours = DaylightColours(1);
    for (const int side : {-1, +1}) {
      const int cx = side < 0 ? kSunGlobeLeftX : kSunGlobeRightX;
      // Deep night beyond 74 px on the dark side, twilight within it, day on the Sun's side.
      EXPECT_EQ(c.Pixel(cx + side * 100, row), colours.DeepNight);
      EXPECT_EQ(c.Pixel(cx + side * 60, row), colours.Night);
      EXPECT_EQ(c.Pixel(cx - side * 60, row), colours.Day);
      const int day = CountPixels(c, colours.Day, cx - 239, row, cx + 240, row + 1);
      if (refraction == 0) {
        dayWithout[side > 0] = day;
        EXPECT_NEAR(day, std::sqrt(240.0 * 240.0 - 40.0 * 40.0), 2) << side;  // half the row
      } else {
        EXPECT_EQ(day - dayWithout[side > 0], 3) << side;
      }
    }
  }
}

}  // namespace
}  // namespace himlavy
