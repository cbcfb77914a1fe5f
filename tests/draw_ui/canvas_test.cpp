// Pixel tests of the drawing canvas against the rules of GDI (Microsoft's documentation):
// boxes exclude their right and bottom edges ("Rectangle function"); lines follow the diamond
// rule of "Cosmetic Lines" (nearest pixel per major step, ties to the top/left vertex, last
// pixel excluded: "LineTo function"); R2_NOP leaves the screen alone; ExtFloodFill's BORDER and
// SURFACE modes. Ellipses: A. Zingl's ellipse-in-rectangle algorithm (2012, as in Wine's GDI)
// worked by hand. PS_DOT: 3 on, 3 off, restarted at each LineTo and at a rectangle's top right
// corner, its outline running counter-clockwise.
#include "shell/canvas.h"

#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <map>
#include <set>

#include "common/fixture_rows.h"
#include "shell_ui/qt_app.h"

namespace himlavy {
namespace {
using namespace colours;
using Pixels = std::set<std::pair<int, int>>;
using Rows = std::vector<std::string>;
// The canvas as text: '.' white, '#' black, 'o' red, 'y' yellow, 'g' green, 'b' blue, 's' silver.
Rows Picture(const Canvas& c) {
  const std::map<std::array<int, 3>, char> legend = {
      {{255, 255, 255}, '.'}, {{0, 0, 0}, '#'},   {{255, 0, 0}, 'o'},    {{255, 255, 0}, 'y'},
      {{0, 128, 0}, 'g'},     {{0, 0, 255}, 'b'}, {{192, 192, 192}, 's'}};
  Rows rows(static_cast<std::size_t>(c.Height()));
  for (int y = 0; y < c.Height(); ++y) {
    for (int x = 0; x < c.Width(); ++x) {
      const TColor p = *c.Pixel(x, y);
      const auto it = legend.find({p.R, p.G, p.B});
      rows[static_cast<std::size_t>(y)] += it == legend.end() ? '?' : it->second;
    }
  }
  return rows;
}
Pixels PixelsOf(const Canvas& c, TColor colour) {
  Pixels s;
  for (int y = 0; y < c.Height(); ++y) {
    for (int x = 0; x < c.Width(); ++x)
      if (*c.Pixel(x, y) == colour) s.insert({x, y});
  }
  return s;
}
int Count(const Canvas& c, TColor colour) {
  return static_cast<int>(PixelsOf(c, colour).size());
}
// Pen black, brush red: outlines '#', interiors 'o'.
Canvas BlackOnRed(int w, int h) {
  Canvas c(w, h);
  c.SetBrushColour(kRed);
  return c;
}
Canvas Dotted(int w, int h, TColor background = kWhite) {
  Canvas c(w, h, background);
  c.SetPenStyle(TPenStyle::Dot);
  c.SetBrushStyle(TBrushStyle::Clear);
  return c;
}
void Line(Canvas& c, int x1, int y1, int x2, int y2) {
  c.MoveTo(x1, y1);
  c.LineTo(x2, y2);
}
TEST(Canvas, RectangleAndFillRectBoxesResizeAndClear) {
  // Rectangle(0, 0, 4, 3) covers columns 0..3 and rows 0..2; an inverted box is the same.
  Canvas c = BlackOnRed(6, 4);
  c.Rectangle(4, 3, 0, 0);
  EXPECT_EQ(Picture(c), (Rows{"####..", "#oo#..", "####..", "......"}));
  // One pixel, one column, one row; an empty box draws nothing; shapes leave the position.
  Canvas d = BlackOnRed(5, 4);
  d.Rectangle(0, 0, 1, 1);
  d.Rectangle(2, 0, 3, 4);
  d.Rectangle(3, 3, 5, 4);
  d.Rectangle(4, 0, 4, 3);
  EXPECT_EQ(Picture(d), (Rows{"#.#..", "..#..", "..#..", "..###"}));
  EXPECT_EQ(d.PenPos(), QPoint(0, 0));
  // FillRect: the whole box with the brush, nothing with a clear brush.
  Canvas f(5, 4);
  f.SetBrushColour(kGreen);
  f.FillRect(3, 3, 1, 1);
  f.SetBrushStyle(TBrushStyle::Clear);
  f.FillRect(0, 0, 5, 4);
  EXPECT_EQ(Picture(f), (Rows{".....", ".gg..", ".gg..", "....."}));
  // Resize and Clear.
  Canvas r(4, 3);
  r.SetPixel(3, 2, kBlue);
  r.SetClipRect(0, 0, 1, 1);
  r.Resize(6, 4, kYellow);
  EXPECT_EQ(r.ClipRect(), QRect(0, 0, 6, 4));
  EXPECT_EQ(Picture(r), (Rows{"....yy", "....yy", "...byy", "yyyyyy"}));
  r.SetClipRect(0, 0, 1, 1);
  r.Clear(kGreen);  // not limited by the clip
  r.Resize(2, 2);
  EXPECT_EQ(Picture(r), (Rows{"gg", "gg"}));
  // An empty canvas draws nothing and reads nothing.
  r.Resize(-5, 3);
  EXPECT_EQ(r.Width(), 0);
  r.SetPixel(0, 0, kBlue);
  r.LineTo(5, 5);
  r.Ellipse(0, 0, 5, 5);
  EXPECT_FALSE(r.FloodFill(0, 0, kBlack, TFillMode::Border));
  r.TextOut(0, 0, QStringLiteral("x"));
  EXPECT_EQ(r.Pixel(0, 0), std::nullopt);
}
TEST(Canvas, LinePixelsAndNoOpPenMovesWithoutDrawing) {
  for (const auto& row : testing::FixtureRows("draw_ui/line_pixels.tsv")) {
    SCOPED_TRACE(row[0] + "," + row[1] + " to " + row[2] + "," + row[3]);
    Canvas c(8, 8);
    Line(c, std::stoi(row[0]), std::stoi(row[1]), std::stoi(row[2]), std::stoi(row[3]));
    Pixels pixels;
    for (std::size_t i = 4; i < row.size(); ++i)
      pixels.insert({std::stoi(row[i]), std::stoi(row[i].substr(row[i].find(',') + 1))});
    EXPECT_EQ(PixelsOf(c, kBlack), pixels);
    EXPECT_EQ(c.PenPos(), QPoint(std::stoi(row[2]), std::stoi(row[3])));
  }
  // The no-op pen moves without drawing.
  Canvas c = BlackOnRed(6, 5);
  c.SetPenMode(TPenMode::NoOp);
  c.LineTo(5, 0);
  EXPECT_EQ(c.PenPos(), QPoint(5, 0));
  c.Rectangle(0, 0, 6, 5);
  c.Ellipse(0, 0, 6, 5);
  c.Chord(0, 0, 6, 5, 6, 0, 0, 0);
  c.Polygon(std::array{QPoint(0, 0), QPoint(5, 0), QPoint(0, 4)});
  c.SetPixel(2, 2, kBlack);
  EXPECT_TRUE(c.FloodFill(2, 2, kBlack, TFillMode::Border));
  EXPECT_EQ(Count(c, kWhite), 30);
  // Back in copy mode the line continues from where the no-op line ended.
  c.SetPenMode(TPenMode::Copy);
  c.LineTo(5, 3);
  EXPECT_EQ(PixelsOf(c, kBlack), (Pixels{{5, 0}, {5, 1}, {5, 2}}));
}
TEST(Canvas, DottedPen) {
  // Rows: transparent gaps; opaque gaps in the background colour; the pattern restarting at
  // each LineTo; gaps in the brush colour while the background follows a solid brush.
  Canvas c = Dotted(15, 4, kYellow);
  c.SetBackMode(TBackMode::Transparent);
  c.LineTo(14, 0);
  c.SetBackMode(TBackMode::Opaque);
  Line(c, 0, 1, 14, 1);
  c.SetBackMode(TBackMode::Transparent);
  Line(c, 0, 2, 4, 2);
  c.LineTo(8, 2);
  c.SetBackMode(TBackMode::Brush);
  c.SetBrushStyle(TBrushStyle::Solid);
  c.SetBrushColour(kGreen);
  Line(c, 13, 3, 0, 3);
  EXPECT_EQ(Picture(c),
            (Rows{"###yyy###yyy##y", "###...###...##y", "###y###yyyyyyyy", "y#ggg###ggg###y"}));
  // ... and transparent while the brush is clear. Steps count along the major axis.
  Canvas d = Dotted(3, 8, kYellow);
  d.LineTo(2, 7);
  EXPECT_EQ(Picture(d), (Rows{"#yy", "#yy", "y#y", "yyy", "yyy", "yyy", "yy#", "yyy"}));
  // A rectangle's outline is one pattern, counter-clockwise from the top right corner.
  Canvas r = Dotted(5, 4);
  r.Rectangle(0, 0, 5, 4);
  EXPECT_EQ(Picture(r), (Rows{"..###", "....#", "#...#", "##..."}));
  // A pen wider than one pixel is always solid.
  Canvas w = Dotted(10, 5);
  w.SetPenWidth(3);
  Line(w, 2, 2, 8, 2);
  EXPECT_EQ(Picture(w),
            (Rows{"..........", ".########.", ".########.", ".########.", ".........."}));
  // A dotted ellipse: the solid outline's pixels, on or in the gap colour, the pattern
  // starting at the top of the middle of the right side and running counter-clockwise.
  Canvas solid(10, 10);
  solid.SetBrushStyle(TBrushStyle::Clear);
  solid.Ellipse(0, 0, 10, 10);
  Canvas dotted = Dotted(10, 10);
  dotted.SetBackMode(TBackMode::Opaque);
  dotted.SetBackColour(kYellow);
  dotted.Ellipse(0, 0, 10, 10);
  Pixels on = PixelsOf(dotted, kBlack);
  on.merge(PixelsOf(dotted, kYellow));
  EXPECT_EQ(std::tuple(on, *dotted.Pixel(8, 2)), std::tuple(PixelsOf(solid, kBlack), kBlack));
  EXPECT_EQ(*dotted.Pixel(7, 1), kYellow);
}
TEST(Canvas, EllipsePicturesAndChordHalves) {
  for (const auto& row : testing::FixtureRows("draw_ui/ellipse_pictures.tsv")) {
    const Rows expected(row.begin() + 4, row.end());
    Canvas c = BlackOnRed(static_cast<int>(expected[0].size()), static_cast<int>(expected.size()));
    c.Ellipse(std::stoi(row[0]), std::stoi(row[1]), std::stoi(row[2]), std::stoi(row[3]));
    EXPECT_EQ(Picture(c), expected) << row[2] << "x" << row[3];
  }
  Canvas c = BlackOnRed(5, 5);
  c.Ellipse(0, 0, 0, 5);
  c.Ellipse(0, 3, 5, 3);
  EXPECT_EQ(Count(c, kWhite), 25);
  // Chords: a circle in a 7 x 7 box. The arc runs counter-clockwise from the ray through the start
  // point (included) to the ray through the end point (excluded); the secant goes from the arc's
  // last pixel back to its first, drawn by the line rule.
  Canvas left = BlackOnRed(7, 7);
  left.Chord(0, 0, 7, 7, 3, 0, 3, 6);  // from the top to the bottom: the left half
  EXPECT_EQ(Picture(left),
            (Rows{"..##...", ".#o#...", "#oo#...", "#o#....", "#o#....", ".##....", "..#...."}));
  Canvas right = BlackOnRed(7, 7);
  right.Chord(0, 0, 7, 7, 3, 6, 3, 0);  // from the bottom to the top: the right half
  EXPECT_EQ(Picture(right),
            (Rows{"....#..", "....##.", "....#o#", "...#oo#", "...#oo#", "...#o#.", "...##.."}));
  // Rays through points far away are directions only.
  Canvas far = BlackOnRed(7, 7);
  far.Chord(0, 0, 7, 7, 3, -1000000, 3, 1000000);
  EXPECT_EQ(Picture(far), Picture(left));
  // Equal rays, also through the centre: the whole ellipse.
  Canvas ellipse = BlackOnRed(10, 10);
  ellipse.Ellipse(0, 0, 10, 10);
  for (const QPoint ray : {QPoint(7, 3), QPoint(3, 3), QPoint(0, 0)}) {
    Canvas whole = BlackOnRed(10, 10);
    whole.Chord(0, 0, 10, 10, ray.x(), ray.y(), ray.x(), ray.y());
    EXPECT_EQ(Picture(whole), Picture(ellipse)) << ray.x() << "," << ray.y();
  }
}
TEST(Canvas, PolygonFill) {
  // Pixel (x, y) is inside when the point (x, y) is; the outline is drawn over the interior.
  Canvas c = BlackOnRed(8, 8);
  c.Polygon(std::array{QPoint(0, 0), QPoint(6, 0), QPoint(0, 6)});
  EXPECT_EQ(Picture(c), (Rows{"#######.", "#oooo#..", "#ooo#...", "#oo#....", "#o#.....",
                              "##......", "#.......", "........"}));
  // Alternate rule: the pentagon in the middle of a pentagram is crossed twice, so outside.
  Canvas star = BlackOnRed(21, 20);
  star.Polygon(
      std::array{QPoint(10, 0), QPoint(16, 19), QPoint(0, 7), QPoint(20, 7), QPoint(4, 19)});
  EXPECT_EQ(*star.Pixel(10, 8), kWhite);
  EXPECT_EQ(*star.Pixel(10, 4), kRed);  // top point
  EXPECT_EQ(*star.Pixel(3, 8), kRed);   // left point
  // Two points: a line there and back; one point or none: nothing.
  Canvas two = BlackOnRed(6, 3);
  two.Polygon(std::array{QPoint(1, 1), QPoint(4, 1)});
  two.Polygon(std::array{QPoint(0, 0)});
  two.Polygon({});
  EXPECT_EQ(Picture(two), (Rows{"......", ".####.", "......"}));
}
TEST(Canvas, FloodFillBorderAndSurface) {
  // Fills outward from the start until the border colour; stops at the border.
  Canvas c(12, 12);
  c.SetBrushStyle(TBrushStyle::Clear);
  c.Rectangle(1, 1, 11, 11);
  c.SetBrushStyle(TBrushStyle::Solid);
  c.SetBrushColour(kGreen);
  EXPECT_TRUE(c.FloodFill(5, 5, kBlack, TFillMode::Border));
  EXPECT_EQ(std::tuple(Count(c, kGreen), Count(c, kBlack)), std::tuple(64, 36));
  // Starting on the border colour fills nothing.
  c.SetBrushColour(kBlue);
  EXPECT_FALSE(c.FloodFill(1, 1, kBlack, TFillMode::Border));
  EXPECT_EQ(Count(c, kBlue), 0);
  // Border mode crosses any colour but the border: the green inside stays green.
  EXPECT_TRUE(c.FloodFill(0, 0, kBlack, TFillMode::Border));
  EXPECT_EQ(std::tuple(Count(c, kBlue), Count(c, kGreen)), std::tuple(144 - 64 - 36, 64));
  // Four-connected: a diagonal line (8-connected) is a closed border.
  Canvas d(10, 10);
  Line(d, 0, 9, 10, -1);
  d.SetBrushColour(kGreen);
  EXPECT_TRUE(d.FloodFill(0, 0, kBlack, TFillMode::Border));
  EXPECT_EQ(std::tuple(Count(d, kGreen), Count(d, kWhite)), std::tuple(45, 45));
  // A whole 1024 x 768 picture in one fill, both modes.
  Canvas big(1024, 768);
  big.SetBrushColour(kGreen);
  EXPECT_TRUE(big.FloodFill(512, 400, kBlack, TFillMode::Border));
  big.SetBrushColour(kBlue);
  EXPECT_TRUE(big.FloodFill(0, 767, kGreen, TFillMode::Surface));
  EXPECT_EQ(Count(big, kBlue), 1024 * 768);
  // Surface mode.
  Canvas s(10, 10);
  s.SetBrushColour(kRed);
  s.FillRect(0, 0, 4, 4);
  s.FillRect(6, 6, 10, 10);
  s.SetPixel(4, 4, kRed);  // touches the first square only at a corner
  s.SetBrushColour(kBlue);
  EXPECT_TRUE(s.FloodFill(1, 2, kRed, TFillMode::Surface));
  EXPECT_EQ(std::tuple(Count(s, kBlue), Count(s, kRed)), std::tuple(16, 17));
  // The start must be of the surface colour.
  EXPECT_FALSE(s.FloodFill(5, 5, kRed, TFillMode::Surface));
  // Filling a surface with its own colour ends and changes nothing.
  s.SetBrushColour(kRed);
  EXPECT_TRUE(s.FloodFill(7, 7, kRed, TFillMode::Surface));
  EXPECT_EQ(Count(s, kRed), 17);
  // A clear brush finds the area but paints nothing.
  s.SetBrushStyle(TBrushStyle::Clear);
  EXPECT_TRUE(s.FloodFill(9, 0, kWhite, TFillMode::Surface));
  EXPECT_EQ(Count(s, kWhite), 100 - 16 - 17);
  // Outside the image.
  EXPECT_FALSE(s.FloodFill(10, 0, kWhite, TFillMode::Border));
  EXPECT_FALSE(s.FloodFill(INT_MIN, INT_MAX, kWhite, TFillMode::Border));
}
// With a clip: inside it the pixels of the unclipped drawing, outside it nothing.
TEST(Canvas, ClippingOfEveryPrimitive) {
  // Each drawing with its pen style and width.
  const std::vector<std::tuple<const char*, TPenStyle, int, std::function<void(Canvas&)>>> draws = {
      {"line", TPenStyle::Solid, 1, [](Canvas& c) { Line(c, -3, 11, 14, 0); }},
      {"dotted line", TPenStyle::Dot, 1, [](Canvas& c) { Line(c, 0, 1, 13, 9); }},
      {"wide line", TPenStyle::Solid, 3, [](Canvas& c) { c.LineTo(12, 10); }},
      {"rectangle", TPenStyle::Solid, 1, [](Canvas& c) { c.Rectangle(1, 1, 11, 9); }},
      {"ellipse", TPenStyle::Solid, 1, [](Canvas& c) { c.Ellipse(0, 0, 13, 10); }},
      {"chord", TPenStyle::Solid, 1, [](Canvas& c) { c.Chord(0, 0, 13, 10, 13, 0, 0, 10); }},
      {"polygon", TPenStyle::Solid, 1,
       [](Canvas& c) {
         c.Polygon(std::array{QPoint(0, 5), QPoint(6, -2), QPoint(12, 5), QPoint(6, 12)});
       }},
      {"flood fill", TPenStyle::Solid, 1,
       [](Canvas& c) { c.FloodFill(4, 3, kBlack, TFillMode::Border); }},
      {"text", TPenStyle::Solid, 1, [](Canvas& c) { c.TextOut(1, 0, QStringLiteral("Mål")); }}};
  // Opaque gaps and text cells in yellow.
  const auto prepared = [](TPenStyle style, int width) {
    Canvas c = BlackOnRed(13, 10);
    c.SetPenStyle(style);
    c.SetPenWidth(width);
    c.SetBackMode(TBackMode::Opaque);
    c.SetBackColour(kYellow);
    c.SetFont(QStringLiteral("Arial"), 8, kBlack);
    return c;
  };
  testing::EnsureApplication();
  for (const auto& [name, style, width, draw] : draws) {
    Canvas full = prepared(style, width);
    draw(full);
    Canvas clipped = prepared(style, width);
    clipped.SetClipRect(9, 8, 3, 2);  // inverted: columns 3..8, rows 2..7
    EXPECT_EQ(clipped.ClipRect(), QRect(3, 2, 6, 6));
    draw(clipped);
    bool changedInside = false;
    for (int y = 0; y < 10; ++y) {
      for (int x = 0; x < 13; ++x) {
        const bool inside = x >= 3 && x < 9 && y >= 2 && y < 8;
        const TColor want = inside ? *full.Pixel(x, y) : kWhite;
        ASSERT_EQ(*clipped.Pixel(x, y), want) << name << " at " << x << "," << y;
        changedInside = changedInside || (inside && want != kWhite);
      }
    }
    EXPECT_TRUE(changedInside) << name;
  }
  // A flood fill starting outside the clip fills nothing.
  Canvas f(10, 10);
  f.SetClipRect(2, 2, 6, 7);
  EXPECT_FALSE(f.FloodFill(0, 0, kBlack, TFillMode::Border));
  // The clip is kept inside the image; ResetClip restores the whole image.
  Canvas c(5, 5);
  c.SetClipRect(INT_MIN, -3, INT_MAX, 2);
  EXPECT_EQ(c.ClipRect(), QRect(0, 0, 5, 2));
  c.SetClipRect(7, 7, 9, 9);
  c.SetBrushColour(kRed);
  c.FillRect(0, 0, 5, 5);
  EXPECT_EQ(Count(c, kRed), 0);
  c.ResetClip();
  EXPECT_EQ(c.ClipRect(), QRect(0, 0, 5, 5));
}
TEST(Canvas, CoordinatesFarOutside) {
  // Long lines are exact: the diagonal stays on x = y, and a line 4e9 pixels long with a rise
  // of one pixel crosses over at its middle (x = 0, where y = 5.5 exactly: the upper pixel).
  Canvas c(20, 12);
  Line(c, INT_MIN, INT_MIN, INT_MAX, INT_MAX);
  Pixels diagonal;
  for (int k = 0; k < 12; ++k) diagonal.insert({k, k});
  EXPECT_EQ(PixelsOf(c, kBlack), diagonal);
  Canvas d(20, 12);
  Line(d, -2000000000, 5, 2000000000, 6);
  Line(d, INT_MAX, INT_MIN, INT_MIN, INT_MAX);  // passes far from the image: nothing
  Pixels crossing{{0, 5}};
  for (int x = 1; x < 20; ++x) crossing.insert({x, 6});
  EXPECT_EQ(PixelsOf(d, kBlack), crossing);
  // Huge boxes: the rectangle's and the polygon's interiors cover the image; an ellipse beyond
  // kMaxShapeSize is not drawn, one just within it is.
  Canvas e = BlackOnRed(20, 12);
  e.Rectangle(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
  EXPECT_EQ(Count(e, kRed), 240);
  Canvas p = BlackOnRed(20, 12);
  p.Polygon(std::array{QPoint(INT_MIN, INT_MIN), QPoint(INT_MAX, INT_MIN), QPoint(0, INT_MAX)});
  EXPECT_EQ(Count(p, kRed), 240);
  Canvas f = BlackOnRed(20, 12);
  f.Ellipse(-40000, -40000, 40000, 40000);
  f.Chord(INT_MIN, 0, INT_MAX, 10, INT_MAX, INT_MIN, INT_MIN, INT_MAX);
  EXPECT_EQ(Count(f, kWhite), 240);
  f.Ellipse(-30000, -30000, 30000, 30000);
  EXPECT_EQ(Count(f, kRed), 240);
  testing::EnsureApplication();
  Canvas t(20, 12);
  t.SetBackMode(TBackMode::Opaque);
  t.TextOut(INT_MAX, INT_MIN, QStringLiteral("far"));
  t.TextOut(INT_MIN, 0, QStringLiteral("far"));
  EXPECT_EQ(Count(t, kWhite), 240);
}
TEST(Canvas, Text) {
  testing::EnsureApplication();
  // 8 pt at 96 dpi is an 11-pixel em; the cell (ascent + descent) is a little taller.
  Canvas t(40, 24, kSilver);
  t.SetFont(QStringLiteral("Arial"), 8, kBlack);
  const int height = t.TextHeight(), width = t.TextWidth(QStringLiteral("Hög"));
  EXPECT_TRUE(height >= 11 && height <= 15) << height;
  // Transparent: glyph pixels in the font colour and nothing else (no antialiasing).
  t.SetBrushStyle(TBrushStyle::Clear);
  t.TextOut(5, 4, QStringLiteral("Hög"));
  const Pixels ink = PixelsOf(t, kBlack);
  ASSERT_FALSE(ink.empty());
  EXPECT_EQ(static_cast<int>(ink.size()) + Count(t, kSilver), 40 * 24);
  // Opaque (background following a solid brush): the cell, its top-left corner at (x, y), is
  // filled first, the same glyphs drawn over it.
  Canvas o(40, 24, kWhite);
  o.SetFont(QStringLiteral("Arial"), 8, kBlack);
  o.SetBrushColour(kSilver);
  o.TextOut(5, 4, QStringLiteral("Hög"));
  EXPECT_EQ(PixelsOf(o, kBlack), ink);
  for (int y = 0; y < 24; ++y) {
    for (int x = 0; x < 40; ++x) {
      const bool inCell = x >= 5 && x < 5 + width && y >= 4 && y < 4 + height;
      const TColor p = *o.Pixel(x, y);
      ASSERT_TRUE(inCell ? (p == kBlack || p == kSilver) : p == kWhite) << x << "," << y;
    }
  }
  // An explicit opaque background colour, whatever the brush.
  o.SetBrushStyle(TBrushStyle::Clear);
  o.SetBackMode(TBackMode::Opaque);
  o.SetBackColour(kYellow);
  o.TextOut(5, 4, QStringLiteral("Hög"));
  EXPECT_EQ(Count(o, kYellow) + static_cast<int>(ink.size()), width * height);
  // Font colour and style; text is not affected by the no-op pen mode.
  Canvas r(40, 24);
  r.SetFont(QStringLiteral("Arial"), 8, kRed);
  r.SetBackMode(TBackMode::Transparent);
  r.SetPenMode(TPenMode::NoOp);
  r.TextOut(5, 4, QStringLiteral("Hög"));
  EXPECT_EQ(PixelsOf(r, kRed), ink);
  r.SetFontStyle(TFontStyle{.Bold = true});
  r.TextOut(5, 4, QStringLiteral("Hög"));
  EXPECT_GT(Count(r, kRed), static_cast<int>(ink.size()));  // bold
  // The classic names map to fonts that are found; "Courier New" is fixed-pitch.
  r.SetFont(QStringLiteral("Courier New"), 10, kBlack);
  EXPECT_EQ(r.TextWidth(QStringLiteral("iiii")), r.TextWidth(QStringLiteral("MMMM")));
  r.SetFontName(QStringLiteral("MS Sans Serif"));
  r.SetFontSize(8);
  EXPECT_EQ(r.TextHeight(), height);  // the same Liberation Sans as "Arial"
}
}  // namespace
}  // namespace himlavy
