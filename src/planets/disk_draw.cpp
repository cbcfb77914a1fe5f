#include "planets/disk_draw.h"

#include <cmath>

#include "base/basic.h"
#include "base/numtext.h"
#include "base/palette.h"

namespace himlavy {

namespace {

constexpr TColor kSky{0, 0, 128};
constexpr TColor kNightSide{80, 40, 100};
constexpr TColor kMarsLit{236, 65, 51};
constexpr TColor kJupiter{243, 181, 65};
constexpr TColor kSaturnGlobe{217, 185, 75};
constexpr TColor kRing{128, 128, 128};

// How each view draws: sky radius (pixels), pixels per arc second, terminator or outline
// points per turn, the illuminated fraction above which the lit part is filled.
struct TDiskStyle {
  int SkyRadius;
  double PixelsPerArcsec;
  int Points;
  double FillAbove;
};

TDiskStyle StyleOf(TBody body) {
  switch (body) {
    case TBody::Mercury:
      return {70, 6.0, 720, 0.03};
    case TBody::Venus:
      return {210, 6.0, 1440, 0.01};
    case TBody::Mars:
      return {90, 6.0, 720, -1.0};
    case TBody::Jupiter:
      return {170, 6.0, 1440, 0.0};
    case TBody::Saturn:
      return {140, 6.0, 720, 0.0};
    default:
      return {140, 0.12, 1440, 0.005};  // the Moon
  }
}

int Round(double x) {
  return static_cast<int>(RoundHalfEvenToInt(x));
}

// Plots points given relative to a direction of position angle `turn` as black or `colour`
// pixels: a point (x, y) at distance rho and direction phi lands at the screen angle
// turn + phi counted counter-clockwise from the right.
void PlotTurned(Canvas& canvas, const std::vector<TDiskPoint>& points, double turn, int cx, int cy,
                TColor colour) {
  for (const TDiskPoint& p : points) {
    const double rho = std::hypot(p.X, p.Y);
    const double angle = turn + std::atan2(p.Y, p.X);
    canvas.SetPixel(cx + Round(rho * std::cos(angle)), cy - Round(rho * std::sin(angle)), colour);
  }
}

std::vector<TDiskPoint> Outline(double a, double b, int count) {
  std::vector<TDiskPoint> points;
  points.reserve(count);
  for (int j = 0; j < count; ++j) {
    const double theta = kTwoPi * j / count;
    points.push_back({a * std::sin(theta), b * std::cos(theta)});
  }
  return points;
}

}  // namespace

void DrawDiskView(Canvas& canvas, const TDiskView& view, int cx, int cy) {
  const TDiskStyle style = StyleOf(view.Body);
  const double q = view.Parallactic;
  const double axis = std::isnan(view.AxisAngle) ? 0.0 : view.AxisAngle;
  canvas.SetFont("Arial", 8, colours::kWhite);
  canvas.SetPenColour(kSky);
  canvas.SetBrushStyle(TBrushStyle::Solid);
  canvas.SetBrushColour(kSky);
  const int sky = style.SkyRadius;
  canvas.Ellipse(cx - sky, cy - sky, cx + sky, cy + sky);

  const bool globe = view.Body == TBody::Jupiter || view.Body == TBody::Saturn;
  double markRadius = 0.0;
  if (globe) {
    const double a = style.PixelsPerArcsec * view.Diameter / 2.0;
    const double b = style.PixelsPerArcsec * view.PolarDiameter / 2.0;
    PlotTurned(canvas, Outline(a, b, style.Points), axis - q, cx, cy, colours::kBlack);
    canvas.SetBrushColour(view.Body == TBody::Jupiter ? kJupiter : kSaturnGlobe);
    canvas.FloodFill(cx + 5, cy + 5, colours::kBlack, TFillMode::Border);
    if (view.Body == TBody::Saturn) {
      PlotTurned(canvas, SaturnRingPoints(view, style.PixelsPerArcsec), axis - q, cx, cy, kRing);
    }
    markRadius = a + 10.0;
  } else {
    const double radius = style.PixelsPerArcsec * view.Diameter / 2.0;
    const int r = Round(radius);
    canvas.SetPenColour(colours::kBlack);
    canvas.SetBrushColour(kNightSide);
    canvas.Ellipse(cx - r, cy - r, cx + r, cy + r);
    const double k = view.IlluminatedFraction;
    const double limb = view.BrightLimbAngle - q;
    PlotTurned(canvas, TerminatorPoints(k, radius, style.Points), limb, cx, cy, colours::kBlack);
    if (view.Body == TBody::Mars) {
      canvas.SetBrushColour(kMarsLit);
      canvas.FloodFill(cx, cy, colours::kBlack, TFillMode::Border);
    } else if (k > style.FillAbove) {
      // Midway between the bright limb and the terminator. In a thin crescent this point can
      // round onto the limb or just outside the disk, where a fill bounded by black would
      // flood the whole window: the lit part is filled only from a point of the disk.
      const int x = cx - Round((1 - k) * radius * std::sin(limb));
      const int y = cy - Round((1 - k) * radius * std::cos(limb));
      if (canvas.Pixel(x, y) == kNightSide) {
        canvas.SetBrushColour(colours::kWhite);
        canvas.FloodFill(x, y, colours::kBlack, TFillMode::Border);
      }
    }
    markRadius = radius + 10.0;
  }
  // The north mark: the body's north pole where the axis is known, else celestial north.
  canvas.SetBackMode(TBackMode::Opaque);
  canvas.SetBackColour(kSky);
  canvas.TextOut(cx - Round(markRadius * std::sin(axis - q)) - 3,
                 cy - Round(markRadius * std::cos(axis - q)) - (globe ? 0 : 5),
                 std::string_view("N"));
}

}  // namespace himlavy
