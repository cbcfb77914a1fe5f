// The pen codes of "karta.dta" drawn on a small canvas, worked by hand: lines exclude their
// end pixel (GDI's LineTo), a line behind the globe paints nothing and is taken up again where
// it comes into view, land and ice marks flood the sea-coloured area around them.
#include "earth/map_draw.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/palette.h"
#include "common/fixture_rows.h"
#include "shell/canvas.h"
#include "shell_ui/qt_app.h"

namespace himlavy {
namespace {

// '~' navy sea, '#' black, 'g' green, 's' light grey, 't' teal.
std::vector<std::string> Picture(const Canvas& c) {
  std::vector<std::string> rows;
  for (int y = 0; y < c.Height(); ++y) {
    std::string row;
    for (int x = 0; x < c.Width(); ++x) {
      const TColor p = *c.Pixel(x, y);
      row += p == colours::kNavy     ? '~'
             : p == colours::kBlack  ? '#'
             : p == colours::kGreen  ? 'g'
             : p == colours::kSilver ? 's'
             : p == colours::kTeal   ? 't'
                                     : '?';
    }
    rows.push_back(row);
  }
  return rows;
}

// X = longitude, Y = latitude; everything from longitude 20 on lies behind the globe.
TGlobePoint Flat(double latitude, double longitude) {
  return {static_cast<int>(longitude), static_cast<int>(latitude), longitude >= 20 ? -1.0 : 500.0};
}

TEST(DrawCoastlines, PenCodesHiddenStretchesAndFills) {
  testing::EnsureApplication();
  const std::vector<TMapPoint> island = {
      {1, 1, 'P'},  {1, 8, ' '},  {6, 8, ' '}, {6, 1, ' '}, {1, 1, ' '},  // a closed square
      {3, 4, 'G'},                                                        // land inside it
      {7, 2, 'P'},  {7, 25, ','},  // runs behind the globe: only its first pixel shows
      {9, 3, ','},  {9, 6, ','},   // back in view: starts afresh at (3, 9)
      {3, 3, 'V'},                 // ice on the land
      {7, 12, 'P'}, {7, 15, '.'}, {7, 15, 'G'}};  // a mark on its own line: the sea around floods
  Canvas canvas(16, 10, colours::kNavy);
  DrawCoastlines(canvas, island, Flat, false);
  std::vector<std::string> expected;  // tests/earth_ui/coastline_picture.tsv
  for (const auto& f : testing::FixtureRows("earth_ui/coastline_picture.tsv"))
    expected.push_back(f[0]);
  EXPECT_EQ(Picture(canvas), expected);
  Canvas filled(16, 10, colours::kNavy);
  DrawCoastlines(filled, island, Flat, true);
  const auto rows = Picture(filled);
  EXPECT_EQ(rows[3], "g#ssssss#ggggggg");  // ice over the land; the open sea turned green
  EXPECT_EQ(rows[5], "g#ssssss#ggggggg");
  EXPECT_EQ(rows[9], "gggtttgggggggggg");
}

}  // namespace
}  // namespace himlavy
