#include "eclipses/eclipse_draw.h"

#include <QString>
#include <algorithm>
#include <cmath>
#include <string_view>

#include "base/numtext.h"
#include "base/palette.h"
#include "earth/map_draw.h"

namespace himlavy {

using namespace std::string_view_literals;

namespace {

// The map occupies (cx - 477, cy - 270) to (cx + 478, cy + 270); dots are drawn a pixel
// inside it.
constexpr int kMapLeft = kEclipseMapCentreX - 477;
constexpr int kMapTop = kEclipseMapCentreY - 270;
constexpr int kMapRight = kEclipseMapCentreX + 478;
constexpr int kMapBottom = kEclipseMapCentreY + 270;
constexpr TColor kGreySea{128, 128, 144};
constexpr double kFlatMapDepth = 1.0e6;  // every point of the flat map is "in front"
constexpr int kLabelReach = 458;         // a label's offset from cx at most

void PrepareText(Canvas& canvas, bool bold) {
  TFontStyle style;
  style.Bold = bold;
  canvas.SetFont(QStringLiteral("MS Sans Serif"), 8, colours::kBlack, style);
  canvas.SetBrushStyle(TBrushStyle::Solid);
  canvas.SetBrushColour(colours::kSilver);
  canvas.SetBackColour(colours::kSilver);
  canvas.SetBackMode(TBackMode::Opaque);
  canvas.SetPenMode(TPenMode::Copy);
  canvas.ResetClip();
}

}  // namespace

std::vector<TMapPoint> CutAtDateLine(const std::vector<TMapPoint>& points) {
  std::vector<TMapPoint> out;
  out.reserve(points.size() + 16);
  const TMapPoint* previous = nullptr;  // the last point of the current line
  for (const TMapPoint& point : points) {
    const bool line = point.Code == ' ' || point.Code == '.' || point.Code == ',';
    if (line && previous != nullptr && std::fabs(point.Longitude - previous->Longitude) > 180.0) {
      // Where the segment meets the date line, going the short way round.
      const double side = previous->Longitude > 0.0 ? 180.0 : -180.0;
      const double span = 360.0 - std::fabs(point.Longitude - previous->Longitude);
      const double part = span > 0.0 ? std::fabs(side - previous->Longitude) / span : 0.5;
      const double latitude = previous->Latitude + part * (point.Latitude - previous->Latitude);
      out.push_back({latitude, side, point.Code});
      out.push_back({latitude, -side, 'P'});
    }
    out.push_back(point);
    if (point.Code == 'P' || line) previous = &point;
  }
  return out;
}

void DrawEclipseMap(Canvas& canvas, const std::vector<TMapPoint>& coastlines, bool coloured) {
  canvas.ResetClip();
  canvas.SetPenStyle(TPenStyle::Solid);
  canvas.SetPenMode(TPenMode::Copy);
  canvas.SetPenColour(colours::kBlack);
  canvas.SetBrushStyle(TBrushStyle::Solid);
  canvas.SetBrushColour(coloured ? colours::kNavy : kGreySea);
  canvas.Rectangle(kMapLeft, kMapTop, kMapRight, kMapBottom);
  DrawCoastlines(
      canvas, coastlines,
      [](double latitude, double longitude) {
        const TMapPixel p = EclipseMapPixel(latitude, longitude);
        return TGlobePoint{p.X, p.Y, kFlatMapDepth};
      },
      coloured);
  canvas.SetPenColour(colours::kBlack);
  canvas.MoveTo(kEclipseMapCentreX + 477, kMapTop);
  canvas.LineTo(kEclipseMapCentreX + 477, kMapBottom);
}

std::vector<TPlaceHit> DrawEclipseMapPlaces(Canvas& canvas,
                                            const std::vector<TPlaceEntry>& places) {
  std::vector<TPlaceHit> hits;
  hits.reserve(places.size());
  for (const TPlaceEntry& place : places) {
    const TMapPixel p = EclipseMapPixel(place.Latitude, place.Longitude);
    canvas.SetPixel(p.X, p.Y, colours::kWhite);
    hits.push_back({p.X, p.Y, place.Label});
  }
  return hits;
}

void DrawSolarEclipseRows(Canvas& canvas, const TSolarEclipsesReport& report) {
  PrepareText(canvas, true);
  canvas.TextOut(89, kSolarHeadY, "Datum"sv);
  canvas.TextOut(kSolarTimeX, kSolarHeadY, "Tid"sv);
  canvas.TextOut(kSolarKindX, kSolarHeadY, "Typ"sv);
  canvas.TextOut(kSolarMagnitudeX, kSolarHeadY, "Magnitud"sv);
  canvas.TextOut(kSolarDurationX, kSolarHeadY, "Längd"sv);
  canvas.TextOut(kSolarLatitudeX, kSolarHeadY, "Plats för maximum"sv);

  int y = kSolarFirstRowY;
  for (const TSolarEclipseRow& row : report.Rows) {
    // The central line: dots inside the map, half-size 0.7 x the duration in minutes.
    canvas.SetClipRect(kMapLeft + 1, kMapTop + 1, kMapRight - 1, kMapBottom - 1);
    canvas.SetBrushStyle(TBrushStyle::Solid);
    canvas.SetBrushColour(colours::kRed);
    canvas.SetPenColour(row.Kind == 1 ? colours::kRed : colours::kYellow);
    for (const TPathPoint& point : row.Path) {
      const TMapPixel p = EclipseMapPixel(point.Latitude, point.Longitude);
      const int s = std::max(1, static_cast<int>(RoundHalfEvenToInt(0.7 * point.Duration)));
      canvas.Ellipse(p.X - s, p.Y - s, p.X + s, p.Y + s);
    }
    canvas.ResetClip();

    PrepareText(canvas, false);
    canvas.TextOut(kSolarTableX, y, row.DateText);
    canvas.TextOut(kSolarTimeX, y, row.TimeText);
    if (row.Central) {
      const TMapPixel p = EclipseMapPixel(row.Latitude, row.Longitude);
      const int x =
          kEclipseMapCentreX + std::clamp(p.X - kEclipseMapCentreX, -kLabelReach, kLabelReach);
      PrepareText(canvas, true);
      canvas.SetBackMode(TBackMode::Transparent);
      canvas.TextOut(x - 17, p.Y - 7, row.MapLabel);
      PrepareText(canvas, false);
      canvas.TextOut(kSolarDurationX, y, row.DurationText);
      canvas.TextOut(kSolarLatitudeX, y, row.LatitudeText);
      canvas.TextOut(kSolarLongitudeX, y, row.LongitudeText);
    }
    canvas.TextOut(kSolarKindX, y, row.KindText);
    canvas.TextOut(kSolarMagnitudeX, y, row.MagnitudeText);
    y += kEclipseRowHeight;
  }
  PrepareText(canvas, false);
  if (y < kSolarTableBottom) canvas.FillRect(kSolarTableX, y, kSolarTableRight, kSolarTableBottom);
}

void DrawSiteMarker(Canvas& canvas, double latitude, double eastLongitude) {
  const TMapPixel p = EclipseMapPixel(latitude, eastLongitude);
  canvas.ResetClip();
  canvas.SetPenStyle(TPenStyle::Solid);
  canvas.SetPenMode(TPenMode::Copy);
  canvas.SetPenColour(colours::kLime);
  canvas.MoveTo(p.X - 5, p.Y);
  canvas.LineTo(p.X - 1, p.Y);
  canvas.MoveTo(p.X + 2, p.Y);
  canvas.LineTo(p.X + 6, p.Y);
  canvas.MoveTo(p.X, p.Y - 5);
  canvas.LineTo(p.X, p.Y - 1);
  canvas.MoveTo(p.X, p.Y + 2);
  canvas.LineTo(p.X, p.Y + 6);
}

void DrawLunarEclipseRows(Canvas& canvas, const TLunarEclipsesReport& report) {
  PrepareText(canvas, true);
  canvas.TextOut(kLunarDateX, kLunarHeadY, "Datum"sv);
  canvas.TextOut(kLunarKindX, kLunarHeadY, "Typ"sv);
  canvas.TextOut(kLunarMagnitudeX, kLunarHeadY, "Magnitud"sv);
  canvas.TextOut(kLunarBeginX, kLunarHeadY, "Börjar"sv);
  canvas.TextOut(kLunarMaximumX, kLunarHeadY, "Maximum"sv);
  canvas.TextOut(kLunarEndX, kLunarHeadY, "Slutar"sv);
  canvas.TextOut(kLunarAltitudeX, kLunarHeadY, "Höjd vid max."sv);
  PrepareText(canvas, false);
  int y = kLunarFirstRowY;
  canvas.FillRect(kLunarDateX, y, kLunarClearRight, kLunarClearBottom);
  for (const TLunarEclipseRow& row : report.Rows) {
    canvas.TextOut(kLunarDateX, y, row.DateText);
    canvas.TextOut(kLunarKindX, y, row.KindText);
    canvas.TextOut(kLunarMagnitudeX, y, row.MagnitudeText);
    canvas.TextOut(kLunarBeginX, y, row.BeginText);
    canvas.TextOut(kLunarMaximumX, y, row.MaximumText);
    canvas.TextOut(kLunarEndX, y, row.EndText);
    canvas.TextOut(kLunarAltitudeX, y, row.AltitudeText);
    y += kEclipseRowHeight;
  }
}

std::string PlaceNameAt(const std::vector<TPlaceHit>& hits, int x, int y) {
  std::string name;
  for (const TPlaceHit& hit : hits) {
    if (x - 2 <= hit.X && hit.X < x + 2 && y - 2 <= hit.Y && hit.Y < y + 2) name = " " + hit.Name;
  }
  return name;
}

}  // namespace himlavy
