#include "earth/map_draw.h"

#include "base/palette.h"
#include "shell/canvas.h"

namespace himlavy {

namespace {

// The colour of a line-drawing pen code, or nullopt for the other codes.
std::optional<TColor> LineColour(char code, const TCoastlineStyle& style) {
  switch (code) {
    case ' ':
      return colours::kBlack;
    case '.':
      return style.Dotted;
    case ',':
      return style.Comma;
    default:
      return std::nullopt;
  }
}

}  // namespace

void DrawCoastlines(Canvas& canvas, std::span<const TMapPoint> points,
                    const TMapProjection& project, bool fillLand) {
  TCoastlineStyle style;
  style.Fill = fillLand ? TMarkFill::FloodSea : TMarkFill::None;
  DrawCoastlines(canvas, points, project, style);
}

void DrawCoastlines(Canvas& canvas, std::span<const TMapPoint> points,
                    const TMapProjection& project, const TCoastlineStyle& style) {
  canvas.SetPenStyle(TPenStyle::Solid);
  canvas.SetPenMode(TPenMode::Copy);
  canvas.SetBrushStyle(TBrushStyle::Solid);
  double previousDepth = 0.0;
  for (const TMapPoint& point : points) {
    const TGlobePoint p = project(point.Latitude, point.Longitude);
    const double d = p.Depth;
    if ((point.Code == 'P' && d >= 0.0) || (previousDepth < 0.0 && d >= 0.0)) {
      canvas.MoveTo(p.X, p.Y);
    }
    if (point.Code == 'P' && d >= 0.0) canvas.SetPixel(p.X, p.Y, colours::kBlack);
    if (d < 0.0) canvas.SetPenMode(TPenMode::NoOp);
    if (const auto colour = LineColour(point.Code, style)) {
      canvas.SetPenColour(*colour);
      canvas.LineTo(p.X, p.Y);
    }
    canvas.SetPenMode(TPenMode::Copy);
    if (style.Fill != TMarkFill::None) {
      const bool land = (point.Code == 'g' && d > kDeepLandMarkDepth) ||
                        (point.Code == 'G' && d > kLandMarkDepth);
      const bool ice = point.Code == 'V' && d > kIceMarkDepth;
      if (land || ice) {
        const TColor fill = land ? colours::kGreen : colours::kSilver;
        canvas.SetBrushColour(fill);
        if (style.Fill == TMarkFill::Mark) {
          canvas.FloodFill(p.X, p.Y, colours::kBlack, TFillMode::Surface);
        } else {
          canvas.FloodFill(p.X, p.Y, style.Sea, TFillMode::Surface);
          if (ice) canvas.FloodFill(p.X, p.Y, colours::kGreen, TFillMode::Surface);
        }
        canvas.SetPixel(p.X, p.Y, fill);
      }
    }
    previousDepth = d;
  }
  canvas.SetPenColour(colours::kBlack);
}

std::vector<TMapPoint> ParallelLines() {
  std::vector<TMapPoint> points;
  for (int latitude = 60; latitude >= -60; latitude -= 30) {
    for (int longitude = -180; longitude <= 180; longitude += 5) {
      points.push_back({latitude == 0 ? 0.001 : latitude, static_cast<double>(longitude),
                        longitude == -180 ? 'P' : '.'});
    }
  }
  return points;
}

void DrawSmallGlobeDetail(Canvas& canvas, std::span<const TMapPoint> coastlines, int cx, int cy,
                          int radius, double siderealDeg, double obliquityDeg,
                          const TViewAxes& axes) {
  TCoastlineStyle style;
  style.Fill = TMarkFill::None;
  style.Comma = colours::kNavy;
  const std::vector<TMapPoint> parallels =
      coastlines.empty() ? ParallelLines() : std::vector<TMapPoint>{};
  DrawCoastlines(
      canvas, coastlines.empty() ? std::span<const TMapPoint>(parallels) : coastlines,
      [&](double lat, double lon) {
        if (lat == 0.0) lat = 0.001;
        if (lat == 90.0) lat = 89.999;
        if (lon == 90.0) lon = 89.999;
        return ProjectSurfacePoint(lat, lon, siderealDeg, obliquityDeg, axes, radius - 1, cx, cy);
      },
      style);
}

}  // namespace himlavy
