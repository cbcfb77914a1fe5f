// The drawing canvas: GDI's rasterisation rules on a QImage (see canvas.h for the conventions).
#include "shell/canvas.h"

#include <QColor>
#include <QHash>
#include <QPainter>
#include <algorithm>
#include <atomic>
#include <climits>
#include <cstring>
#include <memory>
#include <mutex>

#include "shell/fonts_draw.h"

namespace himlavy {

namespace {

__extension__ typedef __int128 Int128;
using i64 = std::int64_t;

// Floor and ceiling of a / b for b > 0. Coordinates are far from the 64-bit limits almost
// always, and a 64-bit division is many times faster than a 128-bit one.
Int128 FloorDiv(Int128 a, Int128 b) {
  constexpr Int128 kSmall = Int128(1) << 62;
  if (a > -kSmall && a < kSmall && b < kSmall) {
    const i64 a64 = static_cast<i64>(a), b64 = static_cast<i64>(b);
    i64 q = a64 / b64;
    if (a64 % b64 != 0 && a64 < 0) --q;
    return q;
  }
  Int128 q = a / b;
  if (a % b != 0 && a < 0) --q;
  return q;
}
Int128 CeilDiv(Int128 a, Int128 b) {
  return -FloorDiv(-a, b);
}

// Offset along the minor axis of pixel t of a line whose major extent is len (> 0) and whose
// signed minor extent is dn (|dn| <= len): the integer nearest to dn * t / len, a half going
// to the smaller coordinate (the upper pixel of an x-major line, the left one of a y-major
// line), as GDI's diamond rule for cosmetic lines prescribes.
i64 MinorOffset(i64 t, i64 dn, i64 len) {
  return static_cast<i64>(CeilDiv(Int128(2) * dn * t - len, Int128(2) * len));
}

// First t in [lo, hi] for which pred (false ... false true ... true over the range) holds;
// hi + 1 when none does.
template <typename Pred>
i64 FirstTrue(i64 lo, i64 hi, Pred pred) {
  i64 a = lo, b = hi + 1;
  while (a < b) {
    const i64 mid = a + (b - a) / 2;
    if (pred(mid)) {
      b = mid;
    } else {
      a = mid + 1;
    }
  }
  return a;
}

struct TBox {
  i64 L, T, R, B;  // columns L..R-1, rows T..B-1
};

TBox Normalise(int x1, int y1, int x2, int y2) {
  return {std::min<i64>(x1, x2), std::min<i64>(y1, y2), std::max<i64>(x1, x2),
          std::max<i64>(y1, y2)};
}

// The lower right quarter of the outline of the ellipse in a w x h box (1 <= w, h <= 65536),
// as offsets from the top-left pixel of the box, from the middle of the right side (w-1, h/2)
// to the bottom row, each point 8-adjacent to the one before.
// Source: A. Zingl, "A Rasterizing Algorithm for Drawing Curves" (2012), ellipse specified by
// its bounding rectangle; the error terms are those of the rectangle of diameters a = w-1,
// b = h-1. A narrow ellipse (w of 3 or less) ends its quarter before the bottom row; its tip
// is completed straight down, as the same paper does.
std::vector<QPoint> QuarterOutline(int w, int h) {
  const i64 a = w - 1, b = h - 1;
  const i64 a8 = 8 * a * a, b8 = 8 * b * b;
  i64 dx = 4 * b * b * (1 - a);
  i64 dy = 4 * a * a * (1 + b % 2);
  i64 err = dx + dy + a * a * (b % 2);
  int x = w - 1, y = h / 2;
  std::vector<QPoint> quarter;
  quarter.reserve(static_cast<std::size_t>(w + h) / 2 + 2);
  while (x >= w / 2 && y <= b) {
    quarter.emplace_back(x, y);
    const i64 e2 = 2 * err;
    if (e2 >= dx) {
      --x;
      dx += b8;
      err += dx;
    }
    if (e2 <= dy) {
      ++y;
      dy += a8;
      err += dy;
    }
  }
  const QPoint tip = quarter.back();
  for (int yy = tip.y() + 1; yy < h; ++yy) quarter.emplace_back(tip.x(), yy);
  return quarter;
}

// A vector in doubled coordinates about the centre of a box, y pointing up.
struct TVec {
  i64 X, Y;
};
Int128 Cross(TVec a, TVec b) {
  return Int128(a.X) * b.Y - Int128(a.Y) * b.X;
}
Int128 Dot(TVec a, TVec b) {
  return Int128(a.X) * b.X + Int128(a.Y) * b.Y;
}

// The pixels a text covers, relative to the top-left corner of its cell, as runs along rows.
struct TTextPixels {
  struct TRun {
    int Y, X0, X1;  // columns X0..X1-1 of row Y
  };
  int Width = 0;       // advance width of the text
  bool Usable = true;  // false: the glyphs have shades, the text is written afresh each time
  std::vector<TRun> Runs;
  int X0 = INT_MAX, Y0 = INT_MAX, X1 = INT_MIN, Y1 = INT_MIN;  // the box of the runs
};

std::atomic<bool> textPixelCacheOn{true};
std::mutex textPixelMutex;
// Keyed by the font's key and the text. Emptied when it grows beyond kMaxTextPixelEntries.
QHash<QString, std::shared_ptr<const TTextPixels>> textPixels;
constexpr qsizetype kMaxTextPixelEntries = 50000;

}  // namespace

void SetTextPixelCache(bool on) {
  textPixelCacheOn = on;
}

Canvas::Canvas(int width, int height, TColor background)
    : image_(std::max(width, 0), std::max(height, 0), QImage::Format_RGB32) {
  if (!image_.isNull()) image_.fill(ToQRgb(background));
  ResetClip();
}

void Canvas::Resize(int width, int height, TColor fill) {
  QImage next(std::max(width, 0), std::max(height, 0), QImage::Format_RGB32);
  if (!next.isNull()) {
    next.fill(ToQRgb(fill));
    const int w = std::min(next.width(), image_.width());
    const int h = std::min(next.height(), image_.height());
    for (int y = 0; y < h; ++y) {
      std::memcpy(next.scanLine(y), image_.constScanLine(y), static_cast<std::size_t>(w) * 4);
    }
  }
  image_ = std::move(next);
  ResetClip();
}

void Canvas::CopyDrawingState(const Canvas& from) {
  clipX0_ = from.clipX0_;
  clipY0_ = from.clipY0_;
  clipX1_ = from.clipX1_;
  clipY1_ = from.clipY1_;
  penColour_ = from.penColour_;
  penStyle_ = from.penStyle_;
  penMode_ = from.penMode_;
  penWidth_ = from.penWidth_;
  penPos_ = from.penPos_;
  brushColour_ = from.brushColour_;
  brushStyle_ = from.brushStyle_;
  backMode_ = from.backMode_;
  backColour_ = from.backColour_;
  fontName_ = from.fontName_;
  fontPoints_ = from.fontPoints_;
  fontStyle_ = from.fontStyle_;
  fontColour_ = from.fontColour_;
  fontDirty_ = from.fontDirty_;
  font_ = from.font_;
  metrics_ = from.metrics_;
  fontKey_ = from.fontKey_;
}

void Canvas::Clear(TColor colour) {
  if (!image_.isNull()) image_.fill(ToQRgb(colour));
}

void Canvas::SetClipRect(int x1, int y1, int x2, int y2) {
  const TBox box = Normalise(x1, y1, x2, y2);
  clipX0_ = static_cast<int>(std::clamp<i64>(box.L, 0, Width()));
  clipX1_ = static_cast<int>(std::clamp<i64>(box.R, 0, Width()));
  clipY0_ = static_cast<int>(std::clamp<i64>(box.T, 0, Height()));
  clipY1_ = static_cast<int>(std::clamp<i64>(box.B, 0, Height()));
  if (clipX0_ >= clipX1_ || clipY0_ >= clipY1_) clipX0_ = clipX1_ = clipY0_ = clipY1_ = 0;
}

void Canvas::ResetClip() {
  clipX0_ = 0;
  clipY0_ = 0;
  clipX1_ = Width();
  clipY1_ = Height();
}

void Canvas::Prepare() {
  bits_ = image_.bits();  // detaches the image from any copy a caller took
  bytesPerLine_ = image_.bytesPerLine();
}

bool Canvas::Opaque() const {
  switch (backMode_) {
    case TBackMode::Brush:
      return brushStyle_ == TBrushStyle::Solid;
    case TBackMode::Opaque:
      return true;
    case TBackMode::Transparent:
      return false;
  }
  return false;
}

QRgb Canvas::BackRgb() const {
  return ToQRgb(backMode_ == TBackMode::Brush ? brushColour_ : backColour_);
}

bool Canvas::DotOn(i64 phase) const {
  if (penStyle_ == TPenStyle::Solid || penWidth_ > 1) return true;
  constexpr i64 kPeriod = kDotOnPixels + kDotOffPixels;
  return ((phase % kPeriod) + kPeriod) % kPeriod < kDotOnPixels;
}

void Canvas::PlotPen(i64 x, i64 y, bool on) {
  QRgb c;
  if (on) {
    c = ToQRgb(penColour_);
  } else if (Opaque()) {
    c = BackRgb();
  } else {
    return;
  }
  if (penWidth_ <= 1) {
    if (InClip(x, y)) Row(y)[x] = c;
    return;
  }
  const i64 x0 = std::max<i64>(x - (penWidth_ - 1) / 2, clipX0_);
  const i64 x1 = std::min<i64>(x + penWidth_ / 2, clipX1_ - 1);
  const i64 y0 = std::max<i64>(y - (penWidth_ - 1) / 2, clipY0_);
  const i64 y1 = std::min<i64>(y + penWidth_ / 2, clipY1_ - 1);
  for (i64 yy = y0; yy <= y1; ++yy) {
    for (i64 xx = x0; xx <= x1; ++xx) Row(yy)[xx] = c;
  }
}

void Canvas::FillSpan(i64 y, i64 xFrom, i64 xTo, QRgb c) {
  if (y < clipY0_ || y >= clipY1_) return;
  xFrom = std::max<i64>(xFrom, clipX0_);
  xTo = std::min<i64>(xTo, clipX1_ - 1);
  if (xFrom > xTo) return;
  QRgb* row = Row(y);
  std::fill(row + xFrom, row + xTo + 1, c);
}

// One cosmetic line from `from` (drawn) to `to` (not drawn). `phase` is the position in the
// dot pattern of the first pixel and is advanced by the number of pixels of the line, drawn
// or clipped.
void Canvas::StrokeSegment(TPt from, TPt to, i64& phase) {
  const i64 dx = to.X - from.X, dy = to.Y - from.Y;
  const i64 adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
  if (adx == 0 && ady == 0) return;
  const bool xMajor = adx > ady;
  const i64 len = xMajor ? adx : ady;  // pixels t = 0 .. len-1
  const i64 phase0 = phase;
  phase += len;
  if (clipX0_ >= clipX1_ || clipY0_ >= clipY1_) return;

  const i64 m0 = xMajor ? from.X : from.Y;
  const i64 n0 = xMajor ? from.Y : from.X;
  const i64 sm = (xMajor ? dx : dy) > 0 ? 1 : -1;
  const i64 dn = xMajor ? dy : dx;
  // A wide pen reaches pixels of the path just outside the clip.
  const i64 grow = penWidth_ > 1 ? penWidth_ : 0;
  const i64 cm0 = (xMajor ? clipX0_ : clipY0_) - grow;
  const i64 cm1 = (xMajor ? clipX1_ : clipY1_) - 1 + grow;
  const i64 cn0 = (xMajor ? clipY0_ : clipX0_) - grow;
  const i64 cn1 = (xMajor ? clipY1_ : clipX1_) - 1 + grow;

  // Pixels whose major coordinate is inside, then (the minor coordinate being monotonic in t)
  // those whose minor coordinate is inside too.
  i64 tA = sm > 0 ? cm0 - m0 : m0 - cm1;
  i64 tB = sm > 0 ? cm1 - m0 : m0 - cm0;
  tA = std::max<i64>(tA, 0);
  tB = std::min<i64>(tB, len - 1);
  if (tA > tB) return;
  auto minorAt = [&](i64 t) { return n0 + MinorOffset(t, dn, len); };
  if (dn >= 0) {
    const i64 first = FirstTrue(tA, tB, [&](i64 t) { return minorAt(t) >= cn0; });
    tB = FirstTrue(first, tB, [&](i64 t) { return minorAt(t) > cn1; }) - 1;
    tA = first;
  } else {
    const i64 first = FirstTrue(tA, tB, [&](i64 t) { return minorAt(t) <= cn1; });
    tB = FirstTrue(first, tB, [&](i64 t) { return minorAt(t) < cn0; }) - 1;
    tA = first;
  }
  if (tA > tB) return;

  // Incremental form of MinorOffset: q = ceil(num / den), rem = q * den - num in [0, den).
  const i64 den = 2 * len, step = 2 * dn;
  const Int128 num = Int128(step) * tA - len;
  i64 q = static_cast<i64>(CeilDiv(num, den));
  i64 rem = static_cast<i64>(Int128(q) * den - num);
  for (i64 t = tA; t <= tB; ++t) {
    const i64 major = m0 + sm * t, minor = n0 + q;
    PlotPen(xMajor ? major : minor, xMajor ? minor : major, DotOn(phase0 + t));
    rem -= step;
    if (rem < 0) {
      rem += den;
      ++q;
    } else if (rem >= den) {
      rem -= den;
      --q;
    }
  }
}

// The closed outline through `points`, one dot pattern running along all sides.
void Canvas::StrokeClosed(const std::vector<TPt>& points) {
  i64 phase = 0;
  for (std::size_t i = 0; i < points.size(); ++i) {
    StrokeSegment(points[i], points[(i + 1) % points.size()], phase);
  }
}

void Canvas::LineTo(int x, int y) {
  const TPt from{penPos_.x(), penPos_.y()};
  penPos_ = QPoint(x, y);
  if (penMode_ == TPenMode::NoOp) return;
  Prepare();
  i64 phase = 0;
  StrokeSegment(from, TPt{x, y}, phase);
}

void Canvas::Rectangle(int x1, int y1, int x2, int y2) {
  if (penMode_ == TPenMode::NoOp) return;
  const TBox box = Normalise(x1, y1, x2, y2);
  if (box.L == box.R || box.T == box.B) return;
  Prepare();
  const i64 r = box.R - 1, b = box.B - 1;  // last column and row
  if (brushStyle_ == TBrushStyle::Solid) {
    const QRgb fill = ToQRgb(brushColour_);
    const i64 yFrom = std::max<i64>(box.T + 1, clipY0_), yTo = std::min<i64>(b - 1, clipY1_ - 1);
    for (i64 y = yFrom; y <= yTo; ++y) FillSpan(y, box.L + 1, r - 1, fill);
  }
  if (box.L == r && box.T == b) {
    PlotPen(r, b, DotOn(0));
    return;
  }
  // Counter-clockwise from the top right corner.
  StrokeClosed({{r, box.T}, {box.L, box.T}, {box.L, b}, {r, b}});
}

void Canvas::FillRect(int x1, int y1, int x2, int y2) {
  if (brushStyle_ == TBrushStyle::Clear) return;
  const TBox box = Normalise(x1, y1, x2, y2);
  Prepare();
  const QRgb fill = ToQRgb(brushColour_);
  const i64 yFrom = std::max<i64>(box.T, clipY0_), yTo = std::min<i64>(box.B - 1, clipY1_ - 1);
  for (i64 y = yFrom; y <= yTo; ++y) FillSpan(y, box.L, box.R - 1, fill);
}

void Canvas::Ellipse(int x1, int y1, int x2, int y2) {
  const TBox box = Normalise(x1, y1, x2, y2);
  EllipseOrChord(box.L, box.T, box.R, box.B, nullptr, nullptr);
}

void Canvas::Chord(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  const TBox box = Normalise(x1, y1, x2, y2);
  const TPt start{x3, y3}, end{x4, y4};
  EllipseOrChord(box.L, box.T, box.R, box.B, &start, &end);
}

// The ellipse in the box l..r-1, t..b-1, or, with the two rays, its chord.
void Canvas::EllipseOrChord(i64 l, i64 t, i64 r, i64 b, const TPt* rayStart, const TPt* rayEnd) {
  if (penMode_ == TPenMode::NoOp) return;
  const i64 w = r - l, h = b - t;
  if (w <= 0 || h <= 0 || w > kMaxShapeSize || h > kMaxShapeSize) return;
  const i64 grow = penWidth_ > 1 ? penWidth_ : 0;
  if (r + grow <= clipX0_ || l - grow >= clipX1_ || b + grow <= clipY0_ || t - grow >= clipY1_) {
    return;
  }
  Prepare();

  const std::vector<QPoint> quarter = QuarterOutline(static_cast<int>(w), static_cast<int>(h));
  const std::size_t n = quarter.size();
  const i64 halfH = h / 2;
  // Innermost column of the quarter in each of its rows halfH .. h-1.
  std::vector<i64> inner(static_cast<std::size_t>(h - halfH), LLONG_MAX);
  for (const QPoint& p : quarter) {
    i64& v = inner[static_cast<std::size_t>(p.y() - halfH)];
    v = std::min<i64>(v, p.x());
  }

  // The whole outline in order, counter-clockwise on the screen from the middle of the right
  // side: upper right, upper left, lower left and lower right quarters.
  std::vector<TPt> outline;
  outline.reserve(4 * n);
  auto add = [&](i64 x, i64 y) {
    const TPt p{l + x, t + y};
    if (outline.empty() || outline.back().X != p.X || outline.back().Y != p.Y) {
      outline.push_back(p);
    }
  };
  for (std::size_t i = 0; i < n; ++i) add(quarter[i].x(), h - 1 - quarter[i].y());
  for (std::size_t i = n; i-- > 0;) add(w - 1 - quarter[i].x(), h - 1 - quarter[i].y());
  for (std::size_t i = 0; i < n; ++i) add(w - 1 - quarter[i].x(), quarter[i].y());
  for (std::size_t i = n; i-- > 0;) add(quarter[i].x(), quarter[i].y());
  if (outline.size() > 1 && outline.front().X == outline.back().X &&
      outline.front().Y == outline.back().Y) {
    outline.pop_back();
  }

  // Chord: the arc is the run of outline pixels whose direction from the centre lies from the
  // start ray (included) counter-clockwise to the end ray (excluded).
  std::vector<TPt> arc;
  if (rayStart != nullptr) {
    const i64 cx2 = l + r - 1, cy2 = t + b - 1;  // twice the centre
    auto toVec = [&](TPt p) { return TVec{2 * p.X - cx2, cy2 - 2 * p.Y}; };
    TVec s = toVec(*rayStart), e = toVec(*rayEnd);
    if (s.X == 0 && s.Y == 0) s = {1, 0};
    if (e.X == 0 && e.Y == 0) e = {1, 0};
    const bool whole = Cross(s, e) == 0 && Dot(s, e) > 0;
    // Angle counted counter-clockwise from s, compared through half-turns and cross products.
    auto halfTurn = [&](TVec v) {
      const Int128 c = Cross(s, v);
      return (c > 0 || (c == 0 && Dot(s, v) > 0)) ? 0 : 1;
    };
    auto before = [&](TVec u, TVec v) {
      const int hu = halfTurn(u), hv = halfTurn(v);
      return hu != hv ? hu < hv : Cross(u, v) > 0;
    };
    auto onArc = [&](const TPt& p) { return whole || before(toVec(p), e); };
    std::size_t first = outline.size();
    for (std::size_t i = 0; i < outline.size(); ++i) {
      if (!onArc(outline[i])) continue;
      if (first == outline.size() || before(toVec(outline[i]), toVec(outline[first]))) first = i;
    }
    if (first == outline.size()) return;
    for (std::size_t k = 0; k < outline.size(); ++k) {
      const TPt& p = outline[(first + k) % outline.size()];
      if (!onArc(p)) break;
      arc.push_back(p);
    }
    if (arc.size() < 2) return;
  }

  // Interior: the pixels between the left and right outline in each row; of a chord, those of
  // them on the arc's side of the secant from the arc's end to its start (or on it).
  if (brushStyle_ == TBrushStyle::Solid) {
    const QRgb fill = ToQRgb(brushColour_);
    const TPt arcEnd = arc.empty() ? TPt{0, 0} : arc.back();
    const i64 sdx = arc.empty() ? 0 : arc.front().X - arcEnd.X;
    const i64 sdy = arc.empty() ? 0 : arc.front().Y - arcEnd.Y;
    for (i64 k = 0; k < h - halfH; ++k) {
      const i64 in = inner[static_cast<std::size_t>(k)];
      const i64 xFrom = l + (w - in), xTo = l + in - 1;
      if (xFrom > xTo) continue;
      const i64 lower = t + halfH + k, upper = t + (h - 1 - halfH - k);
      for (const i64 y : {upper, lower}) {
        if (arc.empty()) {
          FillSpan(y, xFrom, xTo, fill);
        } else if (y >= clipY0_ && y < clipY1_) {
          QRgb* row = Row(y);
          const i64 xa = std::max<i64>(xFrom, clipX0_), xb = std::min<i64>(xTo, clipX1_ - 1);
          for (i64 x = xa; x <= xb; ++x) {
            if (sdy * (x - arcEnd.X) - sdx * (y - arcEnd.Y) >= 0) row[x] = fill;
          }
        }
        if (upper == lower) break;
      }
    }
  }

  if (arc.empty()) {
    for (std::size_t i = 0; i < outline.size(); ++i) {
      PlotPen(outline[i].X, outline[i].Y, DotOn(static_cast<i64>(i)));
    }
  } else {
    // The arc, then the secant from its last pixel back to its first.
    for (std::size_t i = 0; i + 1 < arc.size(); ++i) {
      PlotPen(arc[i].X, arc[i].Y, DotOn(static_cast<i64>(i)));
    }
    i64 phase = static_cast<i64>(arc.size()) - 1;
    StrokeSegment(arc.back(), arc.front(), phase);
  }
}

void Canvas::Polygon(std::span<const QPoint> points) {
  if (penMode_ == TPenMode::NoOp || points.size() < 2) return;
  Prepare();
  // One set of buffers serves every polygon (drawing happens on one thread at a time per
  // thread).
  static thread_local std::vector<TPt> pts;
  static thread_local std::vector<i64> xs;
  pts.clear();
  for (const QPoint& p : points) pts.push_back({p.x(), p.y()});

  if (brushStyle_ == TBrushStyle::Solid) {
    // Each row y is sampled at the points (x, y); an edge counts for rows from its upper end
    // (included) to its lower end (excluded), and a span covers the pixels from its left
    // crossing (included, rounded up) to its right crossing (excluded, rounded up).
    const QRgb fill = ToQRgb(brushColour_);
    i64 yMin = pts[0].Y, yMax = pts[0].Y;
    for (const TPt& p : pts) {
      yMin = std::min(yMin, p.Y);
      yMax = std::max(yMax, p.Y);
    }
    const i64 yFrom = std::max<i64>(yMin, clipY0_), yTo = std::min<i64>(yMax - 1, clipY1_ - 1);
    for (i64 y = yFrom; y <= yTo; ++y) {
      xs.clear();
      for (std::size_t i = 0; i < pts.size(); ++i) {
        TPt a = pts[i], c = pts[(i + 1) % pts.size()];
        if (a.Y == c.Y) continue;
        if (a.Y > c.Y) std::swap(a, c);
        if (y < a.Y || y >= c.Y) continue;
        const i64 x = a.X + static_cast<i64>(CeilDiv(Int128(y - a.Y) * (c.X - a.X), c.Y - a.Y));
        xs.push_back(std::clamp<i64>(x, i64(clipX0_) - 1, i64(clipX1_) + 1));
      }
      std::sort(xs.begin(), xs.end());
      for (std::size_t k = 0; k + 1 < xs.size(); k += 2) FillSpan(y, xs[k], xs[k + 1] - 1, fill);
    }
  }
  StrokeClosed(pts);
}

std::optional<TColor> Canvas::Pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= Width() || y >= Height()) return std::nullopt;
  return FromQRgb(reinterpret_cast<const QRgb*>(image_.constScanLine(y))[x]);
}

void Canvas::SetPixel(int x, int y, TColor c) {
  if (penMode_ == TPenMode::NoOp || !InClip(x, y)) return;
  Prepare();
  Row(y)[x] = ToQRgb(c);
}

bool Canvas::FloodFill(int x, int y, TColor colour, TFillMode mode) {
  if (!InClip(x, y)) return false;
  Prepare();
  const QRgb key = ToQRgb(colour) & 0xffffffu;
  const bool border = mode == TFillMode::Border;
  auto inside = [&](QRgb p) { return ((p & 0xffffffu) == key) != border; };
  if (!inside(Row(y)[x])) return false;

  // Scanline fill with an explicit stack. The area is marked in `seen` and painted at the end,
  // so that it is found on the picture as it was, whatever the brush colour.
  const int x0 = clipX0_, x1 = clipX1_, y0 = clipY0_, y1 = clipY1_;
  const std::size_t stride = static_cast<std::size_t>(x1 - x0);
  std::vector<std::uint8_t> seen(stride * static_cast<std::size_t>(y1 - y0), 0);
  // Marks of row py, indexed by x - x0.
  auto seenRow = [&](int py) { return seen.data() + static_cast<std::size_t>(py - y0) * stride; };
  struct TSpan {
    int Y, L, R;
  };
  std::vector<TSpan> spans;
  std::vector<QPoint> stack{QPoint(x, y)};
  while (!stack.empty()) {
    const QPoint s = stack.back();
    stack.pop_back();
    std::uint8_t* mark = seenRow(s.y());
    if (mark[s.x() - x0] != 0) continue;
    // The run of area pixels through the seed; being maximal, it has no marked pixel yet.
    const QRgb* row = Row(s.y());
    int left = s.x(), right = s.x();
    while (left > x0 && inside(row[left - 1])) --left;
    while (right + 1 < x1 && inside(row[right + 1])) ++right;
    std::fill(mark + (left - x0), mark + (right - x0) + 1, std::uint8_t{1});
    spans.push_back({s.y(), left, right});
    for (const int ny : {s.y() - 1, s.y() + 1}) {
      if (ny < y0 || ny >= y1) continue;
      const QRgb* nrow = Row(ny);
      const std::uint8_t* nmark = seenRow(ny);
      for (int px = left; px <= right;) {
        if (nmark[px - x0] == 0 && inside(nrow[px])) {
          stack.emplace_back(px, ny);
          while (px <= right && nmark[px - x0] == 0 && inside(nrow[px])) ++px;
        } else {
          ++px;
        }
      }
    }
  }

  if (penMode_ == TPenMode::NoOp || brushStyle_ == TBrushStyle::Clear) return true;
  const QRgb fill = ToQRgb(brushColour_);
  for (const TSpan& s : spans) {
    QRgb* row = Row(s.Y);
    std::fill(row + s.L, row + s.R + 1, fill);
  }
  return true;
}

void Canvas::SetFont(const QString& name, double points, TColor colour, TFontStyle style) {
  fontName_ = name;
  fontPoints_ = points;
  fontColour_ = colour;
  fontStyle_ = style;
  fontDirty_ = true;
}

void Canvas::SetFontName(const QString& name) {
  fontName_ = name;
  fontDirty_ = true;
}

void Canvas::SetFontSize(double points) {
  fontPoints_ = points;
  fontDirty_ = true;
}

void Canvas::SetFontStyle(TFontStyle style) {
  fontStyle_ = style;
  fontDirty_ = true;
}

void Canvas::EnsureFont() const {
  if (!fontDirty_) return;
  font_ = MakeFont(fontName_, fontPoints_, fontStyle_.Bold, fontStyle_.Italic);
  font_.setUnderline(fontStyle_.Underline);
  metrics_.emplace(font_);
  fontKey_ = font_.key() + QChar(0x1f);
  fontDirty_ = false;
}

int Canvas::TextWidth(const QString& text) const {
  EnsureFont();
  return metrics_->horizontalAdvance(text);
}

int Canvas::TextHeight() const {
  EnsureFont();
  return metrics_->ascent() + metrics_->descent();
}

void Canvas::TextOut(int x, int y, const QString& text) {
  if (clipX0_ >= clipX1_ || clipY0_ >= clipY1_) return;
  EnsureFont();
  if (textPixelCacheOn && !Opaque() && TextOutCached(x, y, text)) return;
  const int width = metrics_->horizontalAdvance(text);
  const int height = metrics_->ascent() + metrics_->descent();
  // A cell far outside the clip shows nothing (glyphs overhang their cell by a few pixels at
  // most); skipping it also keeps the painter's coordinates small.
  const i64 margin = i64(height) + 16;
  if (i64(x) + width + margin < clipX0_ || i64(x) - margin >= clipX1_ ||
      i64(y) + height + margin < clipY0_ || i64(y) - margin >= clipY1_) {
    return;
  }
  QPainter painter(&image_);
  painter.setClipRect(ClipRect());
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setRenderHint(QPainter::TextAntialiasing, false);
  if (Opaque() && width > 0)
    painter.fillRect(QRect(x, y, width, height), QColor::fromRgb(BackRgb()));
  painter.setFont(font_);
  painter.setPen(QColor::fromRgb(ToQRgb(fontColour_)));
  painter.drawText(QPoint(x, y + metrics_->ascent()), text);
}

// Writes a text with a transparent background from its kept pixels (made on its first
// writing); false when its glyphs have shades, and it must be written afresh.
bool Canvas::TextOutCached(int x, int y, const QString& text) {
  const QString key = fontKey_ + text;
  std::shared_ptr<const TTextPixels> pixels;
  {
    const std::lock_guard lock(textPixelMutex);
    pixels = textPixels.value(key);
  }
  const int height = metrics_->ascent() + metrics_->descent();
  const int margin = height + 16;  // beyond any overhang of the glyphs over their cell
  if (pixels == nullptr) {
    auto made = std::make_shared<TTextPixels>();
    made->Width = metrics_->horizontalAdvance(text);
    QImage mask(made->Width + 2 * margin, height + 2 * margin, QImage::Format_RGB32);
    mask.fill(Qt::black);
    {
      QPainter painter(&mask);
      painter.setRenderHint(QPainter::Antialiasing, false);
      painter.setRenderHint(QPainter::TextAntialiasing, false);
      painter.setFont(font_);
      painter.setPen(Qt::white);
      painter.drawText(QPoint(margin, margin + metrics_->ascent()), text);
    }
    const int maskWidth = mask.width();
    for (int row = 0; row < mask.height() && made->Usable; ++row) {
      const auto* line = reinterpret_cast<const QRgb*>(mask.constScanLine(row));
      for (int col = 0; col < maskWidth; ++col) {
        const QRgb v = line[col] & 0xffffffu;
        if (v == 0) continue;
        if (v != 0xffffffu) {
          made->Usable = false;
          break;
        }
        int end = col + 1;
        while (end < maskWidth && (line[end] & 0xffffffu) == 0xffffffu) ++end;
        made->Runs.push_back({row - margin, col - margin, end - margin});
        made->X0 = std::min(made->X0, col - margin);
        made->X1 = std::max(made->X1, end - margin);
        made->Y0 = std::min(made->Y0, row - margin);
        made->Y1 = std::max(made->Y1, row - margin + 1);
        col = end - 1;
      }
    }
    pixels = made;
    const std::lock_guard lock(textPixelMutex);
    if (textPixels.size() >= kMaxTextPixelEntries) textPixels.clear();
    textPixels.insert(key, pixels);
  }
  if (!pixels->Usable) return false;
  // The same culling as a text written afresh.
  if (i64(x) + pixels->Width + margin < clipX0_ || i64(x) - margin >= clipX1_ ||
      i64(y) + height + margin < clipY0_ || i64(y) - margin >= clipY1_) {
    return true;
  }
  Prepare();
  const QRgb colour = ToQRgb(fontColour_);
  if (i64(x) + pixels->X0 >= clipX0_ && i64(x) + pixels->X1 <= clipX1_ &&
      i64(y) + pixels->Y0 >= clipY0_ && i64(y) + pixels->Y1 <= clipY1_) {
    for (const TTextPixels::TRun& run : pixels->Runs) {  // wholly inside the clip
      QRgb* row = Row(i64(y) + run.Y) + x;
      std::fill(row + run.X0, row + run.X1, colour);
    }
    return true;
  }
  for (const TTextPixels::TRun& run : pixels->Runs) {
    const i64 row = i64(y) + run.Y;
    if (row < clipY0_ || row >= clipY1_) continue;
    const i64 from = std::max<i64>(i64(x) + run.X0, clipX0_);
    const i64 to = std::min<i64>(i64(x) + run.X1, clipX1_);
    if (from < to) std::fill(Row(row) + from, Row(row) + to, colour);
  }
  return true;
}

}  // namespace himlavy
