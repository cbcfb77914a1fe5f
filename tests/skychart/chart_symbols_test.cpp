// Star symbols by magnitude and zoom, colours by colour index, extinction, deep-sky outlines.
#include "skychart/chart_symbols.h"

#include <gtest/gtest.h>

#include <cmath>

namespace himlavy {
namespace {

// A "bsc" star of magnitude 4.4 in "Normal" mode: at zoom 4 the shifted 3.4 rounds to 3, box
// (x-1, y-1)-(x+2, y+2); at zoom 1 it is 5.4, rounded 5, box (x-1, y-1)-(x+1, y+1). In
// "Atlas" mode the size does not change with the zoom.
TEST(ChartSymbols, StarSizeByMagnitudeAndZoom) {
  const int x = 100;
  const int y = 200;
  struct {
    double Mag;
    int Zoom;
    TStarSymbol Expected;
  } kNormal[] = {
      {4.4, 4, {false, 99, 199, 102, 202}},   {4.4, 1, {false, 99, 199, 101, 201}},
      {-1.46, 1, {false, 98, 198, 103, 203}}, {-1.46, 64, {false, 95, 195, 105, 205}},
      {5.5, 1, {true, 100, 200, 100, 200}},   {-3.0, 2, {false, 97, 197, 104, 204}},
  };
  for (const auto& c : kNormal) {
    SCOPED_TRACE(testing::Message() << c.Mag << " x" << c.Zoom);
    const auto s = NormalStarSymbol(RoundMagnitude(c.Mag + ZoomMagnitudeShift(c.Zoom)), x, y);
    ASSERT_TRUE(s.has_value());
    EXPECT_EQ(*s, c.Expected);
  }
  EXPECT_FALSE(NormalStarSymbol(-7, x, y).has_value());
  EXPECT_TRUE(NormalStarSymbol(-12, x, y, -12).has_value());
  EXPECT_FALSE(NormalStarSymbol(100, x, y).has_value());

  struct {
    int N;
    TStarSymbol Expected;
  } kAtlas[] = {
      {-2, {false, 94, 194, 106, 206}}, {1, {false, 95, 195, 105, 205}},
      {8, {false, 99, 199, 102, 202}},  {10, {false, 99, 199, 101, 201}},
      {11, {true, 100, 200, 100, 200}},
  };
  for (const auto& c : kAtlas) {
    SCOPED_TRACE(c.N);
    EXPECT_EQ(AtlasStarSymbol(c.N, x, y), c.Expected);
  }
  EXPECT_FALSE(AtlasStarSymbol(-3, x, y).has_value());
  EXPECT_TRUE(AtlasStarSymbol(-12, x, y, -12).has_value());
}

TEST(ChartSymbols, ExtinctionByAltitude) {
  const struct {
    double Altitude, Added;
  } kCases[] = {{43, 0},    {42.9, 0.1}, {25.9, 0.3}, {18.9, 0.5}, {10.9, 0.9},
                {7.9, 1.2}, {3.9, 2.0},  {1.9, 2.5},  {1, 2.5},    {0.9, 3.0}};
  for (const auto& c : kCases) EXPECT_EQ(Extinction(c.Altitude), c.Added) << c.Altitude;
}

TEST(ChartSymbols, ColourByColourIndex) {
  const struct {
    int BV;  // hundredths
    int Mode;
    bool Galaxy;
    std::optional<TRgb> Expected;
  } kCases[] = {
      {-50, 0, false, TRgb{121, 123, 208}},  {-20, 0, false, TRgb{91, 185, 230}},
      {14, 0, false, TRgb{244, 251, 255}},   {16, 0, false, TRgb{176, 234, 206}},
      {65, 0, false, TRgb{204, 211, 107}},   {110, 0, false, TRgb{226, 143, 88}},
      {200, 0, false, TRgb{235, 85, 20}},    {200, 0, true, TRgb{224, 224, 224}},
      {190, 0, true, TRgb{235, 85, 20}},     {9900, 0, false, TRgb{255, 255, 255}},
      {9900, 1, false, TRgb{224, 224, 224}}, {-60, 0, false, std::nullopt},
      {210, 0, false, std::nullopt},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.BV);
    EXPECT_EQ(StarColour(ColourIndexClass(c.BV), c.Mode, c.Galaxy), c.Expected);
  }
}

// A round outline of radius 10 on the equator is a circle; at declination 60 degrees its
// east-west extent doubles (1 / cos 60); in the polar system it stays round.
TEST(ChartSymbols, OutlineStretchedByDeclination) {
  TChartView view;
  view.CoordSystem = kEquatorial;
  const double dec60 = 60.0 * 3.14159265358979 / 180.0;
  const auto equator = OutlinePoints(500, 300, 10, 10, 0, 0.0, 0.0, view);
  ASSERT_EQ(equator.size(), 36u);
  EXPECT_EQ(equator[9], (TPixel{490, 300}));  // t = 90: phi = 180, to the left
  const auto north = OutlinePoints(500, 300, 10, 10, 0, dec60, 0.0, view);
  EXPECT_EQ(north[0], (TPixel{500, 290}));  // phi = 90: straight up
  EXPECT_EQ(north[9], (TPixel{480, 300}));  // phi = 180: twice as far sideways
  view.CoordSystem = kEquatorialPolar;
  const auto polar = OutlinePoints(500, 300, 10, 10, 0, dec60, 0.0, view);
  EXPECT_EQ(polar[9], (TPixel{490, 300}));
  EXPECT_EQ(OutlinePoints(0, 0, 5, 5, 0, 0, 0, view, 8).size(), 8u);
}

TEST(ChartSymbols, RadiusFromSize) {
  // r = round(size PixelScale / 120), at least 1.
  EXPECT_EQ(RadiusFromSize(20.0, 2.7), 1);        // 0.45 -> 0 -> 1
  EXPECT_EQ(RadiusFromSize(89.0, 2.7), 2);        // 2.0025
  EXPECT_EQ(RadiusFromSize(60.0, 2.7 * 64), 86);  // 86.4
}

}  // namespace
}  // namespace himlavy
