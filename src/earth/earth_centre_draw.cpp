#include "earth/earth_centre_draw.h"

#include <cmath>

#include "base/basic.h"
#include "base/formatting.h"
#include "base/numtext.h"
#include "base/palette.h"
#include "earth/globe.h"
#include "earth/map_draw.h"
#include "shell/canvas.h"

namespace himlavy {

namespace {

constexpr TColor kEarthBlue{50, 130, 160};
constexpr int kHourCircleRadius = 84;

int Round(double x) {
  return static_cast<int>(RoundHalfEvenToInt(x));
}

void ClipToPanel(Canvas& canvas, TEarthPanel panel) {
  const TPanelBox box = PanelBox(panel);
  canvas.SetClipRect(box.Left, box.Top, box.Right, box.Bottom);
}

void Line(Canvas& canvas, int x1, int y1, int x2, int y2) {
  canvas.MoveTo(x1, y1);
  canvas.LineTo(x2, y2);
}

void Label(Canvas& canvas, int x, int y, const std::string& text) {
  canvas.SetBackMode(TBackMode::Transparent);
  canvas.SetFont(QStringLiteral("Arial"), 8, colours::kGray);
  const int n = static_cast<int>(QString::fromUtf8(text).size());
  canvas.TextOut(x - Round(n * 2.5), y - 15, text);
}

// The Earth's coastlines in one panel: the globe turned by the Sun's right ascension and the
// time of day, seen from the panel's side (tilt 0) or from the north (tilt 90).
void DrawCoastlineView(Canvas& canvas, std::span<const TMapPoint> map, TEarthPanel panel,
                       double rotation, double radius, double sunRightAscension) {
  const TPanelBox box = PanelBox(panel);
  const double tilt = panel == TEarthPanel::FromNorth ? 90.0 : 0.0;
  const double turn = panel == TEarthPanel::From6h ? 270.0 : 90.0;
  const double centreLongitude = rotation - sunRightAscension * kRadToDeg - turn;
  TCoastlineStyle style;
  style.Fill = TMarkFill::None;
  style.Comma = colours::kNavy;
  // Seen from the side (tilt 0) the height is rho sin(lat) and the depth rho cos(lat)
  // cos(lon'); from the north (tilt 90) the height is -rho cos(lat) cos(lon') and the depth
  // rho sin(lat): the turn by the tilt written out, which saves the arc tangent per point.
  const bool fromNorth = tilt != 0.0;
  DrawCoastlines(
      canvas, map,
      [&](double lat, double lon) {
        if (lat == 0.0) lat = 0.001;
        if (lat == 90.0) lat = 89.999;
        if (lon == 90.0) lon = 89.999;
        const double phi = lat * kDegToRad;
        const double turned = (lon - centreLongitude) * kDegToRad;
        const double across = radius * std::cos(phi);
        const double x = across * std::sin(turned);
        const double along = across * std::cos(turned);
        const double north = radius * std::sin(phi);
        const double height = fromNorth ? -along : north;
        const double depth = fromNorth ? north : along;
        return TGlobePoint{box.CentreX + Round(x), box.CentreY - Round(height), depth};
      },
      style);
}

}  // namespace

void TEarthCentrePoints::Add(int x, int y, const std::string& name) {
  if (entries_.size() < kMaxEntries) entries_.push_back({x, y, name});
}

std::string TEarthCentrePoints::NameAt(int x, int y) const {
  std::string name;
  for (const TEntry& e : entries_) {
    if (x - 3 <= e.X && e.X < x + 3 && y - 3 <= e.Y && e.Y < y + 3) {
      name = EarthSatelliteLabel(e.Name);
    }
  }
  return name;
}

void DrawEarthGlobes(Canvas& canvas, const TObsState& state, const TEarthCentreScene& scene,
                     double viewScale, std::span<const TMapPoint> map) {
  const int rE = EarthRadiusPixels(viewScale);
  canvas.SetPenMode(TPenMode::Copy);
  canvas.SetPenStyle(TPenStyle::Solid);
  canvas.SetPenColour(state.DisplayMode == 1 ? colours::kBlack : kEarthBlue);
  canvas.SetBrushStyle(TBrushStyle::Solid);
  canvas.SetBrushColour(kEarthBlue);
  for (const TEarthPanel panel : kEarthPanels) {
    const TPanelBox b = PanelBox(panel);
    canvas.Ellipse(b.CentreX - rE, b.CentreY - rE, b.CentreX + rE, b.CentreY + rE);
  }
  const double rotation = (state.Orientation == 1 ? 90.0 : 180.0) - 360.0 * scene.DayFraction;
  for (const TEarthPanel panel : kEarthPanels) {
    ClipToPanel(canvas, panel);
    const TPanelBox b = PanelBox(panel);
    if (viewScale >= kParallelsScale && viewScale < kCoastlinesScale) {
      canvas.SetPenColour(colours::kNavy);
      if (panel == TEarthPanel::FromNorth) {
        canvas.SetBrushStyle(TBrushStyle::Clear);
        for (int i = 1; i <= 3; ++i) {
          const int c = Round(rE * CosDeg(30.0 * i));
          canvas.Ellipse(100 - c, 300 - c, 100 + c, 300 + c);
        }
        canvas.SetBrushStyle(TBrushStyle::Solid);
      } else {
        for (int i = 1; i <= 5; ++i) {
          const int w = Round(rE * SinDeg(30.0 * i));
          const int h = Round(rE * CosDeg(30.0 * i));
          Line(canvas, b.CentreX + 1 - w, b.CentreY - h, b.CentreX - 1 + w, b.CentreY - h);
        }
      }
    } else if (viewScale >= kCoastlinesScale) {
      DrawCoastlineView(canvas, map, panel, rotation, rE - 1, scene.SunRightAscension);
    }
  }
  canvas.ResetClip();
}

void DrawEarthCentreBodies(Canvas& canvas, const TObsState& state, const TEarthCentreScene& scene,
                           double viewScale, double pixelsPerAU, TEarthCentrePoints& points) {
  if (state.ShowSunPlanets != 1) return;
  const int rE = EarthRadiusPixels(viewScale);
  const bool atlas = state.DisplayMode == 1;
  const auto hidden = [&](TEarthPanel panel, const TPanelVector& v, double x, double y) {
    const TPanelBox b = PanelBox(panel);
    return !InFrontOfEarth(panel, v) && std::hypot(x - b.CentreX, y - b.CentreY) <= rE;
  };
  canvas.SetPenMode(TPenMode::Copy);
  canvas.SetBrushStyle(TBrushStyle::Solid);
  if (state.ShowMoons == 1) {
    const int rM = MoonRadiusPixels(viewScale, state.DisplayMode);
    for (const TEarthPanel panel : kEarthPanels) {
      ClipToPanel(canvas, panel);
      const TPanelPoint p = PanelPoint(panel, scene.Moon, pixelsPerAU);
      const int x = Round(p.X), y = Round(p.Y);
      canvas.SetPenColour(atlas ? colours::kBlack : colours::kWhite);
      canvas.SetBrushColour(colours::kWhite);
      const int size = hidden(panel, scene.Moon, p.X, p.Y) ? 1 : rM;
      canvas.Ellipse(x - size, y - size, x + size, y + size);
      if (state.LabelPlanets == 1) Label(canvas, x, y, " Månen");
    }
  }
  points.Clear();
  if (state.ShowProbes == 1) {
    for (const TEarthSatellite& satellite : scene.Satellites) {
      for (const TEarthPanel panel : kEarthPanels) {
        ClipToPanel(canvas, panel);
        const TPanelPoint p = PanelPoint(panel, satellite.Position, pixelsPerAU);
        const int x = Round(p.X), y = Round(p.Y);
        points.Add(x, y, satellite.Name);
        canvas.SetPenColour(atlas ? colours::kBlack : colours::kLime);
        canvas.SetBrushColour(colours::kLime);
        if (hidden(panel, satellite.Position, p.X, p.Y)) {
          canvas.SetPixel(x, y, colours::kBlack);
        } else if (atlas) {
          canvas.Ellipse(x - 2, y - 2, x + 2, y + 2);
        } else {
          canvas.Ellipse(x - 1, y - 1, x + 2, y + 2);
        }
        if (satellite.Ring) {
          canvas.SetBrushStyle(TBrushStyle::Clear);
          canvas.Ellipse(x - 10, y - 10, x + 10, y + 10);
          canvas.SetBrushStyle(TBrushStyle::Solid);
        }
        if (satellite.Labelled) Label(canvas, x, y, satellite.Label);
      }
    }
  }
  canvas.ResetClip();
}

void DrawEarthCentre(Canvas& canvas, const TObsState& state, const TEarthCentreScene& scene,
                     double viewScale, double pixelsPerAU, std::span<const TMapPoint> map,
                     TEarthCentrePoints& points) {
  canvas.ResetClip();
  canvas.Clear(state.DisplayMode == 1 ? colours::kSilver : colours::kBlack);
  canvas.SetPenMode(TPenMode::Copy);
  canvas.SetPenStyle(TPenStyle::Solid);
  canvas.SetBrushStyle(TBrushStyle::Clear);
  canvas.SetPenColour(colours::kNavy);
  Line(canvas, 5, 100, 198, 100);
  canvas.Ellipse(100 - kHourCircleRadius, 300 - kHourCircleRadius, 100 + kHourCircleRadius,
                 300 + kHourCircleRadius);
  Line(canvas, 202, 100, 395, 100);
  for (int k = 1; k <= 24; ++k) {
    canvas.SetPixel(Round(85.0 * SinDeg(15.0 * k) + 100.0), Round(85.0 * CosDeg(15.0 * k) + 300.0),
                    colours::kBlack);
  }
  canvas.SetBackMode(TBackMode::Transparent);
  canvas.SetFont(QStringLiteral("Arial"), 8, colours::kBlack);
  const char* labels0[] = {"0h", "6h", "12h", "18h"};
  const char* labels1[] = {"18h", "0h", "6h", "12h"};
  const int places[][2] = {{188, 293}, {94, 202}, {0, 293}, {92, 385}};
  for (int i = 0; i < 4; ++i) {
    canvas.TextOut(places[i][0], places[i][1],
                   std::string_view(state.Orientation == 1 ? labels1[i] : labels0[i]));
  }
  canvas.SetBrushStyle(TBrushStyle::Solid);
  points.Clear();
  if (state.ShowSunPlanets != 1) return;
  DrawEarthGlobes(canvas, state, scene, viewScale, map);
  DrawEarthCentreBodies(canvas, state, scene, viewScale, pixelsPerAU, points);
}

}  // namespace himlavy
