// The two eclipse windows inside the frame: rows, radio buttons, the map's mouse and dots.
#include <gtest/gtest.h>

#include <QLabel>
#include <QRadioButton>

#include "base/timescales.h"
#include "common/frame_windows.h"
#include "eclipses/lunar_eclipses_window.h"
#include "eclipses/solar_eclipses_window.h"

namespace himlavy {
namespace {

TEST(EclipseWindows, SolarMapRowsButtonsAndMouse) {
  TObsState state{.ClockJD = JulianDay(2017, 6, 1.0), .MapColour = 1};
  DeriveTimes(state);
  const auto frame = testing::ShownFrame(state);
  auto* solar = testing::OpenIn<TSolarEclipsesWindow>(*frame, TWindowKind::SolarEclipses);
  ASSERT_NE(solar, nullptr);
  ASSERT_EQ(solar->Report().Rows.size(), 2u);
  EXPECT_EQ(solar->TitleLabel()->text(), QStringLiteral("Solförmörkelser 2017 (UTC 0.00)"));
  EXPECT_TRUE(solar->RowButton(1)->isVisibleTo(solar) && !solar->RowButton(2)->isVisibleTo(solar));

  // The total eclipse's dots are red (here over the western United States); the sea is navy.
  const TSolarEclipseRow& total = solar->Report().Rows[1];
  const TPathPoint& dot = total.Path[total.Path.size() / 3];
  EXPECT_LT(dot.Longitude, -100.0);
  const TMapPixel centre = EclipseMapPixel(dot.Latitude, dot.Longitude);
  EXPECT_EQ(solar->DrawingSurface().Pixel(centre.X, centre.Y), colours::kRed);
  const TMapPixel sea = EclipseMapPixel(-40.0, -30.0);  // South Atlantic
  EXPECT_EQ(solar->DrawingSurface().Pixel(sea.X, sea.Y), colours::kNavy);

  solar->RowButton(1)->click();
  EXPECT_EQ(state.ClockJD, total.LocalJD);
  EXPECT_EQ(state.Latitude, total.Latitude);

  // A click 10 pixels left of and 3 below the centre: 3.77 W, 1 S.
  solar->MapMouseDown(kEclipseMapCentreX - 10, kEclipseMapCentreY + 3);
  EXPECT_NEAR(state.Latitude, -1.0, 1e-12);
  EXPECT_NEAR(state.Longitude, -10.0 / 2.65, 1e-12);
  // Stockholm, 59 deg 20' N 18 deg 3' E, is on the map with its name.
  const TMapPixel stockholm = EclipseMapPixel(59.0 + 20.0 / 60.0, 18.05);
  solar->MapMouseMove(stockholm.X, stockholm.Y);
  EXPECT_TRUE(solar->NamePanel()->text().contains(QStringLiteral("Stockholm")))
      << solar->NamePanel()->text().toStdString();
  solar->MapMouseDown(stockholm.X, stockholm.Y);
  EXPECT_TRUE(QString::fromStdString(state.PlaceName).contains(QStringLiteral("[SE]")));
  EXPECT_EQ(solar->CountryLabel()->text().trimmed(), QStringLiteral("Sverige"));

  auto* lunar = testing::OpenIn<TLunarEclipsesWindow>(*frame, TWindowKind::LunarEclipses);
  ASSERT_NE(lunar, nullptr);
  EXPECT_EQ(lunar->TitleLabel()->text(), QStringLiteral("Månförmörkelser 2017 (UTC 0.00)"));
  EXPECT_EQ(lunar->Report().Rows.size(), 2u);  // penumbral Feb 11, partial Aug 7
}

}  // namespace
}  // namespace himlavy
