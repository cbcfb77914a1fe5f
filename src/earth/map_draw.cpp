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

}  // namespace himlavy
