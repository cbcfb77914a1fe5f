// The drawing canvas: the classic Windows GDI drawing model on a QImage, pixel for pixel.
//
// Every drawing routine of the program draws through one `Canvas`, whether the picture ends up
// in a window or in a PNG file. The canvas reproduces GDI's rasterisation rules with
// antialiasing off, so that a drawing written for the classic canvas gives the same pixels.
//
// Conventions (all of GDI, MM_TEXT mapping, pixel centres at integer coordinates):
// - Colours are `TColor` (red, green, blue), the form the program states colours in. The image
//   is QImage::Format_RGB32; `ToQRgb` / `FromQRgb` convert.
// - Boxes (x1, y1)-(x2, y2) cover columns x1..x2-1 and rows y1..y2-1. An inverted box
//   (x2 < x1 or y2 < y1) is normalised by swapping the coordinates, as GDI does; a box of zero
//   width or height draws nothing.
// - Lines are drawn with the grid-intersection (diamond) rule of GDI's cosmetic lines: one pixel
//   per column of an x-major line (|dx| > |dy|) and one per row otherwise, each the pixel
//   nearest to the ideal line; where the line passes exactly halfway between two pixels, the
//   upper one (x-major) or the left one (y-major) is lit. The first pixel is drawn and the last
//   one is not.
// - The dotted pen (`TPenStyle::Dot`) is GDI's cosmetic PS_DOT: kDotOnPixels pixels on,
//   kDotOffPixels off, counted along the major axis. The pattern starts afresh at each LineTo
//   and at the start of each shape outline and runs on across the sides of an outline. The
//   pixels of the gaps are painted in the background colour when the background is opaque and
//   left alone when it is transparent. A pen wider than 1 pixel is always solid.
// - The background (text cells and the gaps of dotted lines) follows the brush by default, as
//   the classic toolkit's canvas does: opaque in the brush colour while the brush is solid,
//   transparent while it is clear. `SetBackMode` can fix it to opaque (in the background
//   colour) or transparent instead.
// - The no-op pen mode is GDI's R2_NOP foreground mix: it suppresses everything drawn with the
//   pen or the brush (lines, outlines, shape interiors, flood fills, SetPixel), while MoveTo and
//   LineTo still move the current position. Text, FillRect and Clear are not affected.
// - Everything respects the clipping rectangle, which always lies inside the image. Any int
//   coordinates are accepted: lines and polygons are computed exactly (128-bit intermediates)
//   and only their visible part is visited. Ellipses and chords whose box is wider or taller
//   than kMaxShapeSize pixels are not drawn (GDI refuses coordinates beyond 2^27 altogether).
#pragma once

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "base/palette.h"

namespace himlavy {

// TColor -> opaque QRgb (0xffRRGGBB) and back (the alpha byte is ignored).
constexpr QRgb ToQRgb(TColor c) {
  return 0xff000000u | (QRgb(c.R) << 16) | (QRgb(c.G) << 8) | QRgb(c.B);
}
inline QColor ToQColor(TColor c) {
  return QColor(c.R, c.G, c.B);
}
constexpr TColor FromQRgb(QRgb v) {
  return {std::uint8_t((v >> 16) & 0xff), std::uint8_t((v >> 8) & 0xff), std::uint8_t(v & 0xff)};
}

enum class TPenStyle { Solid, Dot };
enum class TPenMode { Copy, NoOp };
enum class TBrushStyle { Solid, Clear };
// Brush: opaque in the brush colour while the brush is solid, transparent while it is clear.
enum class TBackMode { Brush, Opaque, Transparent };
// Border: fill outward until the given colour. Surface: fill the area of the given colour.
enum class TFillMode { Border, Surface };

struct TFontStyle {
  bool Bold = false;
  bool Italic = false;
  bool Underline = false;
};

// Dotted pen pattern along the major axis (GDI's cosmetic PS_DOT: 3 on, 3 off).
inline constexpr int kDotOnPixels = 3;
inline constexpr int kDotOffPixels = 3;

// Largest width or height, in pixels, of the box of an ellipse or chord that is drawn.
inline constexpr std::int64_t kMaxShapeSize = 65536;

class Canvas {
 public:
  // A width x height canvas filled with `background`; negative sizes count as 0. Pen black,
  // solid, width 1, copy mode, at (0, 0); brush white, solid; background following the brush
  // (background colour white); font "MS Sans Serif" 8 pt black regular; clip = whole image.
  Canvas(int width, int height, TColor background = colours::kWhite);

  int Width() const { return image_.width(); }
  int Height() const { return image_.height(); }
  const QImage& Image() const { return image_; }
  QImage& Image() { return image_; }

  // Takes over another canvas's drawing state (pen, brush, background, clip, font), not its
  // pixels: what a drawing step left behind on a canvas of the same size.
  void CopyDrawingState(const Canvas& from);

  // New size; the overlapping top-left part is kept, new pixels get `fill`. The clip is reset
  // to the whole image. A size the system cannot allocate leaves an empty (0 x 0) canvas.
  void Resize(int width, int height, TColor fill = colours::kWhite);
  // Fills the whole image (not limited by the clip or the pen mode).
  void Clear(TColor colour);

  // Pen.
  void SetPenColour(TColor c) { penColour_ = c; }
  void SetPenStyle(TPenStyle s) { penStyle_ = s; }
  void SetPenMode(TPenMode m) { penMode_ = m; }
  // Width in pixels, 1 to 64 (values outside are brought to the nearer end). A wider pen
  // stamps a width x width square centred on every pixel of the 1-pixel path (an
  // approximation of GDI's geometric pens, whose ends and joins are round).
  void SetPenWidth(int w) { penWidth_ = w < 1 ? 1 : (w > 64 ? 64 : w); }

  // Brush.
  void SetBrushColour(TColor c) { brushColour_ = c; }
  void SetBrushStyle(TBrushStyle s) { brushStyle_ = s; }

  // Background of text cells and of the gaps of dotted lines.
  void SetBackMode(TBackMode m) { backMode_ = m; }
  void SetBackColour(TColor c) { backColour_ = c; }

  // Clipping to the box (x1, y1)-(x2, y2) (columns x1..x2-1, rows y1..y2-1) within the image.
  void SetClipRect(int x1, int y1, int x2, int y2);
  void ResetClip();
  QRect ClipRect() const { return QRect(clipX0_, clipY0_, clipX1_ - clipX0_, clipY1_ - clipY0_); }

  // Current position; LineTo draws from it to (x, y), without the end pixel, and moves it there.
  void MoveTo(int x, int y) { penPos_ = QPoint(x, y); }
  void LineTo(int x, int y);
  QPoint PenPos() const { return penPos_; }

  // Rectangle: outline with the pen on the border pixels of the box, interior with the brush.
  void Rectangle(int x1, int y1, int x2, int y2);
  // FillRect: the whole box with the brush colour (nothing when the brush is clear).
  void FillRect(int x1, int y1, int x2, int y2);
  // Ellipse inscribed in the box: outline with the pen (touching all four sides of the box,
  // symmetric about both axes of the box), interior with the brush. The outline is the one of
  // A. Zingl, "A Rasterizing Algorithm for Drawing Curves" (2012), ellipse in a rectangle.
  void Ellipse(int x1, int y1, int x2, int y2);
  // Chord: the part of the ellipse inscribed in the box cut off by a secant. The arc runs
  // counter-clockwise (as seen on the screen) from the ray from the centre through (x3, y3)
  // to the ray through (x4, y4); the secant joins its end to its start. Equal rays give the
  // whole ellipse.
  void Chord(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
  // Polygon: closed outline through the points with the pen; interior with the brush by the
  // alternate (even-odd) rule: pixel (x, y) is inside when the point (x, y) is, points on a
  // left or top edge counting as inside. Fewer than 2 points draw nothing.
  void Polygon(std::span<const QPoint> points);

  // The colour of pixel (x, y); nothing outside the image (reading ignores the clip).
  std::optional<TColor> Pixel(int x, int y) const;
  // Sets one pixel (inside the clip, unless the pen mode is no-op).
  void SetPixel(int x, int y, TColor c);

  // Flood fill with the brush from (x, y), through 4-connected pixels inside the clip: in
  // border mode the pixels not of `colour`, in surface mode the pixels of `colour`. The area
  // is found on the picture as it was before the fill. Returns false, changing nothing, when
  // (x, y) is outside the clip or is not such a pixel; a clear brush or the no-op pen mode
  // paints nothing.
  bool FloodFill(int x, int y, TColor colour, TFillMode mode);

  // Font: a classic font name (mapped to Liberation by fonts_draw.h), size in points at 96 dpi.
  void SetFont(const QString& name, double points, TColor colour, TFontStyle style = {});
  void SetFontName(const QString& name);
  void SetFontSize(double points);
  void SetFontColour(TColor c) { fontColour_ = c; }
  void SetFontStyle(TFontStyle style);
  // Writes `text` with the top-left corner of its cell at (x, y); with an opaque background
  // the cell (TextWidth x TextHeight) is filled with the background colour first. Needs a
  // QGuiApplication. Does not move the current position (GDI's TextOut does not).
  void TextOut(int x, int y, const QString& text);
  void TextOut(int x, int y, std::string_view utf8) { TextOut(x, y, QString::fromUtf8(utf8)); }
  // Advance width of `text` and cell height (ascent + descent) of the font, in pixels.
  int TextWidth(const QString& text) const;
  int TextWidth(std::string_view utf8) const { return TextWidth(QString::fromUtf8(utf8)); }
  int TextHeight() const;

 private:
  bool TextOutCached(int x, int y, const QString& text);
  struct TPt {
    std::int64_t X, Y;
  };

  void Prepare();
  QRgb* Row(std::int64_t y) { return reinterpret_cast<QRgb*>(bits_ + y * bytesPerLine_); }
  bool InClip(std::int64_t x, std::int64_t y) const {
    return x >= clipX0_ && x < clipX1_ && y >= clipY0_ && y < clipY1_;
  }
  bool Opaque() const;
  QRgb BackRgb() const;
  bool DotOn(std::int64_t phase) const;
  void PlotPen(std::int64_t x, std::int64_t y, bool on);
  void FillSpan(std::int64_t y, std::int64_t xFrom, std::int64_t xTo, QRgb c);
  void StrokeSegment(TPt from, TPt to, std::int64_t& phase);
  void StrokeClosed(const std::vector<TPt>& points);
  void EllipseOrChord(std::int64_t l, std::int64_t t, std::int64_t r, std::int64_t b,
                      const TPt* rayStart, const TPt* rayEnd);
  void EnsureFont() const;

  QImage image_;
  uchar* bits_ = nullptr;
  qsizetype bytesPerLine_ = 0;
  int clipX0_ = 0, clipY0_ = 0, clipX1_ = 0, clipY1_ = 0;  // x0 <= x < x1, y0 <= y < y1

  TColor penColour_ = colours::kBlack;
  TPenStyle penStyle_ = TPenStyle::Solid;
  TPenMode penMode_ = TPenMode::Copy;
  int penWidth_ = 1;
  QPoint penPos_{0, 0};
  TColor brushColour_ = colours::kWhite;
  TBrushStyle brushStyle_ = TBrushStyle::Solid;
  TBackMode backMode_ = TBackMode::Brush;
  TColor backColour_ = colours::kWhite;

  QString fontName_ = QStringLiteral("MS Sans Serif");
  double fontPoints_ = 8.0;
  TFontStyle fontStyle_;
  TColor fontColour_ = colours::kBlack;
  mutable bool fontDirty_ = true;
  mutable QFont font_;
  mutable std::optional<QFontMetrics> metrics_;
  mutable QString fontKey_;
};

// Texts written with a transparent background are kept as the pixels their glyphs cover, per
// font and text, and copied on the next writing of the same text in any colour: a chart writes
// thousands of labels on every drawing, and shaping and rasterising them anew costs more than
// the rest of it. The pixels are the same either way (glyphs are drawn without antialiasing,
// so each pixel is either the text colour or left alone; a text whose glyphs come out in
// other shades is not kept). On by default; off writes every text afresh.
void SetTextPixelCache(bool on);

}  // namespace himlavy
