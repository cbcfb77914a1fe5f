#include "earth/map_draw.h"

#include "base/palette.h"
#include "shell/canvas.h"

namespace himlavy {

namespace {

// The colour of a line-drawing pen code, or nullopt for the other codes.
std::optional<TColor> LineColour(char code) {
  switch (code) {
    case ' ':
      return colours::kBlack;
    case '.':
      return colours::kNavy;
    case ',':
      return colours::kTeal;
    default:
      return std::nullopt;
  }
}

}  // namespace

void DrawCoastlines(Canvas& canvas, std::span<const TMapPoint> points,
                    const TMapProjection& project, bool fillLand) {
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
    if (const auto colour = LineColour(point.Code)) {
      canvas.SetPenColour(*colour);
      canvas.LineTo(p.X, p.Y);
    }
    canvas.SetPenMode(TPenMode::Copy);
    if (fillLand) {
      const bool land = (point.Code == 'g' && d > kDeepLandMarkDepth) ||
                        (point.Code == 'G' && d > kLandMarkDepth);
      if (land) {
        canvas.SetBrushColour(colours::kGreen);
        canvas.FloodFill(p.X, p.Y, colours::kNavy, TFillMode::Surface);
        canvas.SetPixel(p.X, p.Y, colours::kGreen);
      } else if (point.Code == 'V' && d > kIceMarkDepth) {
        canvas.SetBrushColour(colours::kSilver);
        canvas.FloodFill(p.X, p.Y, colours::kNavy, TFillMode::Surface);
        canvas.FloodFill(p.X, p.Y, colours::kGreen, TFillMode::Surface);
        canvas.SetPixel(p.X, p.Y, colours::kSilver);
      }
    }
    previousDepth = d;
  }
  canvas.SetPenColour(colours::kBlack);
}

}  // namespace himlavy
