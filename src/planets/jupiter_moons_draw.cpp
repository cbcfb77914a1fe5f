#include "planets/jupiter_moons_draw.h"

#include <cmath>

#include "base/basic.h"
#include "base/numtext.h"
#include "base/palette.h"

namespace himlavy {

namespace {

int Round(double x) {
  return static_cast<int>(RoundHalfEvenToInt(x));
}

constexpr TColor kProbeGreen{0, 255, 0};

// A name written centred over a point, 15 pixels above it, grey 8 pt on a clear background.
void WriteNameAbove(Canvas& canvas, const std::string& name, int x, int y) {
  const int chars = static_cast<int>(QString::fromStdString(name).size());
  canvas.TextOut(x - Round(chars * 2.5), y - 15, name);
}

// The pole-on panel and the edge-on panel, as clipping boxes.
struct TPanel {
  int Left, Right;
};
constexpr TPanel kPanels[] = {{0, kCentrePanelSize}, {kCentrePanelSize, 2 * kCentrePanelSize}};

}  // namespace

void DrawJupiterMoonsStrip(Canvas& canvas, const TJupiterMoonsStrip& strip) {
  canvas.ResetClip();
  canvas.Clear(kStripSky);
  canvas.SetFont(QStringLiteral("Arial"), 8, colours::kWhite);
  constexpr int cx = kStripCentreX;
  constexpr int cy = kStripCentreY;

  canvas.SetPenColour(kStripEquator);
  canvas.MoveTo(cx - kStripEquatorHalf, cy);
  canvas.LineTo(cx + kStripEquatorHalf, cy);

  canvas.SetPenColour(colours::kBlack);
  canvas.SetBrushStyle(TBrushStyle::Solid);
  canvas.SetBrushColour(kJupiterColour);
  for (const int index : strip.DrawOrder) {
    const auto& box = strip.Bodies[static_cast<std::size_t>(index)].Box;
    canvas.Ellipse(box[0], box[1], box[2], box[3]);
  }

  canvas.SetBrushColour(kStripSky);
  canvas.TextOut(strip.NorthX, strip.NorthY, QStringLiteral("N"));
  if (strip.HasDirectionMark) canvas.TextOut(strip.MarkX, strip.MarkY, strip.DirectionText);

  if (strip.LabelMoons) {
    canvas.SetBackMode(TBackMode::Transparent);
    for (int i = 0; i < kStripJupiter; ++i) {
      const TStripBody& b = strip.Bodies[static_cast<std::size_t>(i)];
      canvas.TextOut(b.LabelX, b.LabelY + 4, StripBodyName(i));
    }
    canvas.SetBackMode(TBackMode::Brush);
  }
}

void DrawJupiterCentre(Canvas& canvas, const TJupiterCentreView& view) {
  canvas.ResetClip();
  canvas.Clear(view.Atlas ? colours::kSilver : colours::kBlack);
  canvas.SetFont(QStringLiteral("Arial"), 8, colours::kGray);
  canvas.SetBackMode(TBackMode::Transparent);
  canvas.SetBrushStyle(TBrushStyle::Clear);

  // The edge-on panel's equatorial plane, south (-) to the left, north (+) to the right.
  canvas.SetPenColour(colours::kNavy);
  canvas.MoveTo(kCentreRightX, 0);
  canvas.LineTo(kCentreRightX, kCentrePanelSize);
  canvas.TextOut(290, 185, QStringLiteral("-    +"));
  // The pole-on panel: a circle and a mark every 15 degrees.
  canvas.Ellipse(6, 6, 194, 194);
  for (int i = 0; i < 24; ++i) {
    const double a = i * 15.0 * kDegToRad;
    canvas.SetPixel(kCentreLeftX + Round(95.0 * std::cos(a)), kCentreY + Round(95.0 * std::sin(a)),
                    colours::kGray);
  }
  if (!view.ShowJupiter) return;

  const int r = view.JupiterRadius;
  canvas.SetPenColour(view.Atlas ? colours::kBlack : kJupiterColour);
  canvas.SetBrushStyle(TBrushStyle::Solid);
  canvas.SetBrushColour(kJupiterColour);
  for (const int cx : {kCentreLeftX, kCentreRightX}) {
    canvas.Ellipse(cx - r, kCentreY - r, cx + r, kCentreY + r);
  }
  if (view.LatitudeCircles) {
    canvas.SetPenColour(colours::kGray);
    canvas.SetBrushStyle(TBrushStyle::Clear);
    for (const int lat : {30, 60}) {
      const int across = Round(r * std::cos(lat * kDegToRad));
      const int up = Round(r * std::sin(lat * kDegToRad));
      canvas.Ellipse(kCentreLeftX - across, kCentreY - across, kCentreLeftX + across,
                     kCentreY + across);
      for (const int side : {-1, 1}) {
        canvas.MoveTo(kCentreRightX + side * up, kCentreY - across);
        canvas.LineTo(kCentreRightX + side * up, kCentreY + across + 1);
      }
    }
    canvas.TextOut(96, 94, QStringLiteral("N"));
  }
  DrawJupiterCentreBodies(canvas, view);
}

void DrawJupiterCentreBodies(Canvas& canvas, const TJupiterCentreView& view) {
  canvas.SetFont(QStringLiteral("Arial"), 8, colours::kGray);
  canvas.SetBackMode(TBackMode::Transparent);
  for (const TPanel& panel : kPanels) {
    canvas.SetClipRect(panel.Left, 0, panel.Right, kCentrePanelSize);
    const bool left = panel.Left == 0;
    canvas.SetPenColour(view.Atlas ? colours::kBlack : colours::kWhite);
    canvas.SetBrushStyle(TBrushStyle::Solid);
    canvas.SetBrushColour(colours::kWhite);
    for (const TCentreBody& moon : view.Moons) {
      const int x = left ? moon.LeftX : moon.RightX;
      const int y = left ? moon.LeftY : moon.RightY;
      const int d = (left ? moon.HiddenLeft : moon.HiddenRight) ? 1 : moon.Radius;
      canvas.Ellipse(x - d, y - d, x + d, y + d);
      if (view.LabelMoons) WriteNameAbove(canvas, moon.Name, x, y);
    }
    canvas.SetPenColour(view.Atlas ? colours::kBlack : kProbeGreen);
    canvas.SetBrushColour(kProbeGreen);
    for (const TCentreBody& probe : view.Probes) {
      const int x = left ? probe.LeftX : probe.RightX;
      const int y = left ? probe.LeftY : probe.RightY;
      if (left ? probe.HiddenLeft : probe.HiddenRight) {
        canvas.SetPixel(x, y, colours::kBlack);
      } else if (view.Atlas) {
        canvas.Ellipse(x - 2, y - 2, x + 2, y + 2);
      } else {
        canvas.Ellipse(x - 1, y - 1, x + 2, y + 2);
      }
      if (probe.Labelled) WriteNameAbove(canvas, probe.Name, x, y);
    }
  }
  canvas.ResetClip();
}

}  // namespace himlavy
