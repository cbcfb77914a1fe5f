#include "skychart/skychart_draw.h"

#include <QPoint>
#include <QString>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string_view>
#include <variant>
#include <vector>

#include "base/basic.h"
#include "base/numtext.h"
#include "skychart/chart_symbols.h"
#include "skychart/still_layers.h"

namespace himlavy {

namespace {

// Catalog indexes in kCatalogs.
enum : int { kPgc, kRc3, kBsc, kSky, kWds, kGcvs, kNgc, kSac, kGpn, kLbn, kOcl, kGcm };

constexpr int kMissing = -9990;  // a missing 16-bit field of the deep-sky catalogs

// --- Small canvas helpers --------------------------------------------------------------------

void SetPen(Canvas& c, TRgb colour, TPenStyle style = TPenStyle::Solid) {
  c.SetPenColour(colour);
  c.SetPenStyle(style);
}

void SetBrush(Canvas& c, std::optional<TRgb> fill) {
  if (fill) {
    c.SetBrushStyle(TBrushStyle::Solid);
    c.SetBrushColour(*fill);
  } else {
    c.SetBrushStyle(TBrushStyle::Clear);
  }
}

// A star symbol: an ellipse in its box, or one pixel in `pixel`.
void DrawSymbol(Canvas& c, const TStarSymbol& s, TRgb pen, std::optional<TRgb> fill, TRgb pixel) {
  if (s.IsPixel) {
    c.SetPixel(s.X1, s.Y1, pixel);
    return;
  }
  SetPen(c, pen);
  SetBrush(c, fill);
  c.Ellipse(s.X1, s.Y1, s.X2, s.Y2);
}

void Outline(Canvas& c, const std::vector<TPixel>& points) {
  // One buffer serves every outline of a drawing.
  static thread_local std::vector<QPoint> q;
  q.clear();
  // A small outline repeats its pixels: a repeated vertex adds neither an edge nor a stroke.
  for (const TPixel& p : points) {
    if (q.empty() || q.back() != QPoint(p.X, p.Y)) q.emplace_back(p.X, p.Y);
  }
  while (q.size() > 1 && q.back() == q.front()) q.pop_back();
  c.Polygon(q);
}

// A disc whose box is larger than the canvas draws ellipses (from zoom 128 in the polar
// systems): filled row by row over the visible rows, with the ellipse's box convention.
void FillLargeDisc(Canvas& c, const TChartBackground& bg) {
  const double cx = 0.5 * (bg.Left + bg.Right - 1);
  const double cy = 0.5 * (bg.Top + bg.Bottom - 1);
  const double r = 0.5 * (bg.Right - bg.Left);
  for (int y = std::max(bg.Top, 0); y < std::min(bg.Bottom, c.Height()); ++y) {
    const double dy = y - cy;
    if (std::fabs(dy) >= r) continue;
    const double half = std::sqrt(r * r - dy * dy);
    const double left = std::max(std::ceil(cx - half), -1.0);
    const double right = std::min(std::floor(cx + half), static_cast<double>(c.Width()));
    if (left <= right) c.FillRect(static_cast<int>(left), y, static_cast<int>(right) + 1, y + 1);
  }
}

// --- Stars -------------------------------------------------------------------------------------

double ExtinctionFor(const TCatalogObject& o, const TObsState& state) {
  const bool horizontal = state.CoordSystem == kHorizontal || state.CoordSystem == kHorizontalPolar;
  return horizontal && state.CorrExtinction == 1 ? Extinction(o.Coords.Lat) : 0.0;
}

std::optional<TRgb> IndexColour(int bvHundredths, int displayMode) {
  return StarColour(ColourIndexClass(bvHundredths), displayMode);
}

void DrawPlainStar(Canvas& c, const TCatalogObject& o, double mag, int bv, const TObsState& s,
                   const TChartView& view) {
  const double ext = ExtinctionFor(o, s);
  const bool colour = s.ColourIndex == 1;
  if (s.DisplayMode == 1) {
    const auto sym = AtlasStarSymbol(RoundMagnitude(mag + ext), o.X, o.Y);
    if (!sym) return;
    const TRgb fill = colour ? IndexColour(bv, 1).value_or(kChartLightGrey) : kChartLightGrey;
    DrawSymbol(c, *sym, kChartBlack, fill, kChartBlack);
  } else {
    const auto sym =
        NormalStarSymbol(RoundMagnitude(mag + ZoomMagnitudeShift(view.ChartZoom) + ext), o.X, o.Y);
    if (!sym) return;
    // A colour index outside the table (B-V of 2.1 and more, or below -0.5) draws white.
    const TRgb col = colour ? IndexColour(bv, 0).value_or(kChartWhite) : kChartWhite;
    DrawSymbol(c, *sym, col, col, col);
  }
}

// The pixel colour of a "wds" or "gcvs" star in "Normal" mode: white to n = 6, silver fainter.
TRgb FaintPixel(int n) {
  return n <= 6 ? kChartWhite : kChartSilver;
}

void DrawMultipleStar(Canvas& c, const TCatalogObject& o, const TWdsRecord& r, const TObsState& s,
                      const TChartView& view) {
  const double m = r.Mag1 / 100.0 + ExtinctionFor(o, s);
  if (s.DisplayMode == 1) {
    const auto sym = AtlasStarSymbol(RoundMagnitude(m), o.X, o.Y);
    if (!sym) return;
    if (sym->IsPixel) {
      c.SetPixel(o.X, o.Y, kChartBlack);
      SetPen(c, kChartPurple);
      c.MoveTo(o.X - 2, o.Y);
      c.LineTo(o.X + 3, o.Y);
      return;
    }
    DrawSymbol(c, *sym, kChartPurple, std::nullopt, kChartPurple);
    SetPen(c, kChartPurple);
    c.MoveTo(sym->X1 - 1, o.Y);
    c.LineTo(sym->X2, o.Y);
  } else {
    const int n = RoundMagnitude(m + ZoomMagnitudeShift(view.ChartZoom));
    const auto sym = NormalStarSymbol(n, o.X, o.Y);
    if (sym) DrawSymbol(c, *sym, kChartWhite, kChartWhite, FaintPixel(n));
  }
}

void DrawVariableStar(Canvas& c, const TCatalogObject& o, const TGcvsRecord& r, const TObsState& s,
                      const TChartView& view) {
  const double ext = ExtinctionFor(o, s);
  const double maxMag = r.MagMax / 100.0 + ext;
  const double minMag = r.MagMin / 100.0 + ext;
  if (s.DisplayMode == 1) {
    for (const double m : {maxMag, minMag}) {
      if (const auto sym = AtlasStarSymbol(RoundMagnitude(m), o.X, o.Y, -12)) {
        DrawSymbol(c, *sym, kChartMaroon, std::nullopt, kChartMaroon);
      }
    }
  } else {
    const int shift = ZoomMagnitudeShift(view.ChartZoom);
    const int nMax = RoundMagnitude(maxMag + shift);
    if (const auto ring = NormalStarSymbol(nMax, o.X, o.Y, -12)) {
      DrawSymbol(c, *ring, kChartWhite, std::nullopt, FaintPixel(nMax));
    }
    const int nMin = RoundMagnitude(minMag + shift);
    if (const auto disc = NormalStarSymbol(nMin, o.X, o.Y, -12)) {
      DrawSymbol(c, *disc, kChartWhite, kChartWhite, FaintPixel(nMin));
    }
  }
}

// --- Deep-sky objects --------------------------------------------------------------------------

// A round 36-point outline, an eight-point one, or an ellipse, in the current pen and brush.
void RoundOutline(Canvas& c, const TCatalogObject& o, double r, const TChartView& view,
                  int count = 36) {
  Outline(c, OutlinePoints(o.X, o.Y, r, r, 0.0, o.Delta, o.Alpha, view, count));
}

void EllipseOutline(Canvas& c, const TCatalogObject& o, double a, double b, double pa,
                    const TChartView& view) {
  Outline(c, OutlinePoints(o.X, o.Y, a, b, pa, o.Delta, o.Alpha, view, 36));
}

// The cross of a globular cluster: horizontal half-length r / cos(dec), vertical r.
void Cross(Canvas& c, const TCatalogObject& o, double r, const TChartView& view) {
  const double stretch = view.CoordSystem == kEquatorialPolar ? 1.0 : std::cos(o.Delta);
  const int h = static_cast<int>(std::lround(stretch > 1e-9 ? r / stretch : r));
  const int v = static_cast<int>(std::lround(r));
  c.MoveTo(o.X - h, o.Y);
  c.LineTo(o.X + h + 1, o.Y);
  c.MoveTo(o.X, o.Y - v);
  c.LineTo(o.X, o.Y + v + 1);
}

// The symbol of an "ngc" or "sac" type code, round (r) or elongated (a, b at pa).
void DrawTypedObject(Canvas& c, const TCatalogObject& o, std::string_view code, double a, double b,
                     double pa, const TChartView& view) {
  SetBrush(c, std::nullopt);
  const auto ellipse = [&] { EllipseOutline(c, o, a, b, pa, view); };
  const double r = a;
  if (code == " Gx") {
    SetPen(c, kChartRed);
    ellipse();
  } else if (code == "Gcl") {
    SetPen(c, kChartRed, TPenStyle::Dot);
    ellipse();
  } else if (code == " OC") {
    SetPen(c, kChartBlue);
    ellipse();
  } else if (code == " Gb") {
    SetPen(c, kChartBlue);
    ellipse();
    Cross(c, o, r, view);
  } else if (code == " Nb") {
    SetPen(c, kChartMaroon);
    RoundOutline(c, o, r, view, 8);
  } else if (code == "Drk") {
    SetPen(c, kChartMaroon, TPenStyle::Dot);
    RoundOutline(c, o, r, view, 8);
  } else if (code == "C+N") {
    SetPen(c, kChartBlue);
    ellipse();
    SetPen(c, kChartMaroon);
    RoundOutline(c, o, r, view, 8);
  } else if (code == " Pl") {
    SetPen(c, kChartTeal);
    ellipse();
  } else if (code == "Ast" || code == " Kt" || code == "***" || code == " D*" || code == "  *" ||
             code == "  ?" || code == "   " || code == "  -" || code == " PD") {
    SetPen(c, kChartNavy);
    ellipse();
  }
  c.SetPenStyle(TPenStyle::Solid);
}

// The "sac" type code as three characters, right-aligned as the "ngc" codes are.
std::string SacCode(const std::string& type) {
  std::string code = type.substr(0, 3);
  while (code.size() < 3) code.insert(code.begin(), ' ');
  return code;
}

double PosAngleOr90(int pa) {
  return pa == 255 ? 90.0 : pa;
}

// An "rc3" axis: 10^(log / 100) tenths of an arcminute, 1 pixel when missing.
double Rc3Axis(int logField, double divisorLog, double pixelScale) {
  if (logField == kMissing) return 1.0;
  const double v = std::pow(10.0, logField / 100.0) / std::pow(10.0, divisorLog / 100.0);
  return std::max(1.0, std::round(v * pixelScale / 1200.0));
}

std::optional<TRgb> GalaxyColour(int bv, bool colourIndex) {
  if (!colourIndex) return kChartLightGrey;
  const int c = bv == kMissing ? 20 : ColourIndexClass(bv);
  return StarColour(c, 0, true).value_or(kChartLightGrey);
}

void DrawDeepSky(Canvas& c, const TCatalogObject& o, const TChartView& view, const TObsState& s) {
  const double ps = view.PixelScale;
  const bool colourIndex = s.ColourIndex == 1;
  if (const auto* r = std::get_if<TNgcRecord>(&o.Record)) {
    const double rad = RadiusFromSize(r->Size / 10.0, ps);
    DrawTypedObject(c, o, r->Type, rad, rad, 0.0, view);
  } else if (const auto* r = std::get_if<TSacRecord>(&o.Record)) {
    const double a = RadiusFromSize(r->MajorAxis, ps);
    const double b = RadiusFromSize(r->MinorAxis, ps);
    DrawTypedObject(c, o, SacCode(r->Type), a, b, PosAngleOr90(r->PosAngle), view);
  } else if (const auto* r = std::get_if<TRc3Record>(&o.Record)) {
    const double a = Rc3Axis(r->LogD25, 0.0, ps);
    const double b = r->LogD25 == kMissing
                         ? 1.0
                         : Rc3Axis(r->LogD25, r->LogR25 == kMissing ? 0.0 : r->LogR25, ps);
    const double pa = PosAngleOr90(r->PosAngle);
    SetPen(c, kChartGrey);
    SetBrush(c, GalaxyColour(r->ColourTotal, colourIndex));
    EllipseOutline(c, o, a, b, pa, view);
    if (r->LogAe != kMissing) {
      const double core = Rc3Axis(r->LogAe, 0.0, ps) / 2.0;
      const auto fill = GalaxyColour(r->ColourCentral, colourIndex);
      SetPen(c, *fill);
      SetBrush(c, fill);
      EllipseOutline(c, o, core, core, pa, view);
    }
  } else if (const auto* r = std::get_if<TPgcRecord>(&o.Record)) {
    const double a = RadiusFromSize(r->MajorAxis / 100.0, ps);
    const double b = RadiusFromSize(r->MinorAxis / 100.0, ps);
    SetPen(c, kChartGrey);
    SetBrush(c, kChartLightGrey);
    EllipseOutline(c, o, a, b, r->PosAngle == kMissing ? 90.0 : r->PosAngle, view);
  } else if (const auto* r = std::get_if<TGpnRecord>(&o.Record)) {
    SetPen(c, kChartTeal);
    SetBrush(c, std::nullopt);
    RoundOutline(c, o, RadiusFromSize(r->Diameter / 600.0, ps), view);
  } else if (const auto* r = std::get_if<TLbnRecord>(&o.Record)) {
    constexpr TRgb kLbnColours[] = {
        kChartGrey, kChartBlue, {235, 235, 235}, {255, 98, 98}, {221, 0, 0}};
    const int rad = (static_cast<int>(RoundHalfEven(r->MajorSize * ps / 120.0)) +
                     static_cast<int>(RoundHalfEven(r->MinorSize * ps / 120.0))) /
                    2;
    SetPen(c, kLbnColours[r->Colour <= 4 ? r->Colour : 0]);
    SetBrush(c, std::nullopt);
    RoundOutline(c, o, rad, view, 8);
  } else if (const auto* r = std::get_if<TOclRecord>(&o.Record)) {
    const double rad = RadiusFromSize(r->Diameter / 10.0, ps);
    SetBrush(c, std::nullopt);
    SetPen(c, kChartBlue);
    RoundOutline(c, o, rad, view);
    if (r->Nebulosity == 'n') {
      SetPen(c, kChartMaroon);
      RoundOutline(c, o, rad, view, 8);
    }
  } else if (const auto* r = std::get_if<TGcmRecord>(&o.Record)) {
    // The radii are radii: twice them is the size the rule of diameters takes.
    const double core = RadiusFromSize(2.0 * r->CoreRadius / 100.0, ps);
    const double half = RadiusFromSize(2.0 * r->HalfMassRadius / 100.0, ps);
    SetBrush(c, std::nullopt);
    SetPen(c, kChartBlue);
    RoundOutline(c, o, core, view);
    Cross(c, o, core, view);
    SetPen(c, kChartBlue, TPenStyle::Dot);
    RoundOutline(c, o, half, view);
    c.SetPenStyle(TPenStyle::Solid);
  }
}

// --- Legend --------------------------------------------------------------------------------------

void EightPoint(Canvas& c, std::initializer_list<QPoint> points) {
  c.Polygon(std::vector<QPoint>(points));
}

}  // namespace

void DrawCatalogObject(Canvas& canvas, const TCatalogObject& object, const TChartView& view,
                       const TObsState& state) {
  canvas.SetPenStyle(TPenStyle::Solid);
  if (const auto* r = std::get_if<TBscRecord>(&object.Record)) {
    DrawPlainStar(canvas, object, r->Mag / 100.0, r->BV, state, view);
  } else if (const auto* r = std::get_if<TSkyRecord>(&object.Record)) {
    DrawPlainStar(canvas, object, r->Mag / 100.0, r->BV, state, view);
  } else if (const auto* r = std::get_if<TWdsRecord>(&object.Record)) {
    DrawMultipleStar(canvas, object, *r, state, view);
  } else if (const auto* r = std::get_if<TGcvsRecord>(&object.Record)) {
    DrawVariableStar(canvas, object, *r, state, view);
  } else {
    DrawDeepSky(canvas, object, view, state);
  }
  canvas.SetBrushStyle(TBrushStyle::Clear);
}

void DrawLegend(Canvas& c, int displayMode, bool colourIndex) {
  c.SetPenStyle(TPenStyle::Solid);
  c.SetBrushStyle(TBrushStyle::Clear);
  // 1. Deep-sky key.
  SetPen(c, kChartRed);
  c.Ellipse(620, 1, 634, 15);
  SetPen(c, kChartBlue);
  c.Ellipse(636, 1, 650, 15);
  c.Ellipse(651, 1, 665, 15);
  c.MoveTo(652, 8);
  c.LineTo(663, 8);
  c.MoveTo(658, 2);
  c.LineTo(658, 13);
  SetPen(c, kChartMaroon);
  EightPoint(c,
             {{673, 1}, {678, 3}, {680, 8}, {678, 13}, {673, 15}, {668, 13}, {666, 8}, {668, 3}});
  SetPen(c, kChartTeal);
  c.Ellipse(681, 1, 695, 15);
  SetPen(c, kChartBlue);
  c.Ellipse(696, 1, 710, 15);
  SetPen(c, kChartMaroon);
  EightPoint(c,
             {{703, 1}, {708, 3}, {710, 8}, {708, 13}, {703, 15}, {698, 13}, {696, 8}, {698, 3}});
  c.SetFont(QStringLiteral("Arial"), 7, colours::kBlack);
  c.SetBackMode(TBackMode::Transparent);
  c.TextOut(621, 14, QStringLiteral("Gx OC Gb Nb Pl C+N"));

  // 2. Magnitude key ("Atlas" only).
  c.SetBackMode(TBackMode::Opaque);
  c.SetBackColour(colours::kSilver);
  if (displayMode == 1) {
    SetPen(c, kChartBlack);
    SetBrush(c, kChartLightGrey);
    c.Ellipse(738, 2, 750, 14);
    c.Ellipse(753, 3, 763, 13);
    c.Ellipse(768, 4, 776, 12);
    c.Ellipse(783, 5, 789, 11);
    c.Ellipse(798, 6, 802, 10);
    c.Ellipse(813, 7, 816, 10);
    c.Ellipse(827, 7, 829, 9);
    c.SetPixel(842, 8, colours::kBlack);
    c.TextOut(726, 14, QStringLiteral("Mv 0   1   2   4   6   8  10   >"));
  }

  // 3. Variable and multiple stars.
  SetBrush(c, std::nullopt);
  SetPen(c, kChartMaroon);
  c.Ellipse(854, 3, 864, 13);
  c.Ellipse(858, 6, 861, 10);
  SetPen(c, kChartPurple);
  c.Ellipse(871, 3, 881, 13);
  c.MoveTo(870, 8);
  c.LineTo(881, 8);
  c.TextOut(853, 14, QStringLiteral("Var Mult "));

  // 4. Colour key.
  if (colourIndex) {
    constexpr int kClasses[] = {-5, -2, 0, 2, 5, 8, 20};
    int x = 915;
    for (const int cls : kClasses) {
      SetPen(c, kChartBlack);
      SetBrush(c, StarColour(cls, 0));
      c.Ellipse(x, 4, x + 8, 12);
      x += 14;
    }
    c.TextOut(892, 14, QStringLiteral("B-V -0,4-0,2 0 0,3 0,6 0,9 1,5"));
  }
  c.SetBackMode(TBackMode::Brush);
  c.SetBrushStyle(TBrushStyle::Clear);
}

void DrawWholeSkyScale(Canvas& c, const TChartView& view) {
  // The longest of 1, 2, 5 times a power of ten astronomical units that fits in 200 pixels.
  double length = 1000.0;
  for (double decade = 1000.0; decade >= 1e-4; decade /= 10.0) {
    for (const double f : {5.0, 2.0, 1.0}) {
      length = f * decade;
      if (length * view.PixelScale <= 200.0) goto found;
    }
  }
found:
  const int pixels = static_cast<int>(std::lround(length * view.PixelScale));
  SetPen(c, kChartBlack);
  c.MoveTo(620, 8);
  c.LineTo(620 + pixels + 1, 8);
  c.MoveTo(620, 4);
  c.LineTo(620, 13);
  c.MoveTo(620 + pixels, 4);
  c.LineTo(620 + pixels, 13);
  c.SetFont(QStringLiteral("Arial"), 7, colours::kBlack);
  c.SetBackMode(TBackMode::Transparent);
  QString text = QString::number(length, 'g', 4);
  text.replace(QLatin1Char('.'), QLatin1Char(','));
  c.TextOut(626 + pixels, 2, text + QStringLiteral(" a.e."));
  c.SetBackMode(TBackMode::Brush);
}

namespace {

// Steps 7 and 8: the constellations and the catalogs, the parts under the bodies that a draw
// cycle may keep.
void DrawStillBelow(Canvas& canvas, TObsState& state, const TChartView& view,
                    const TChartMoment& moment, TRgb brush, TZoneFlags& flags,
                    const std::filesystem::path& dataDir, const TChartHooks& hooks,
                    TChartPicture& picture) {
  // 7. Constellations below zoom 128.
  if (view.ChartZoom < 128) {
    canvas.SetBrushStyle(TBrushStyle::Solid);
    canvas.SetBrushColour(brush);
    if (hooks.Constellations) hooks.Constellations(canvas, state, view, moment);
  }
  // 8. The catalogs.
  canvas.SetBrushStyle(TBrushStyle::Solid);
  canvas.SetBrushColour(brush);
  picture.Catalogs = ChartCatalogObjects(state, view, flags, dataDir);
  for (const TCatalogObject& object : picture.Catalogs.Objects) {
    DrawCatalogObject(canvas, object, view, state);
  }
}

// Steps 9 to 12: the bodies and their tracks.
void DrawMoving(Canvas& canvas, TObsState& state, const TChartView& view,
                const TChartMoment& moment, const TChartHooks& hooks) {
  if (state.ShowHistory == 1 && state.ShowSunPlanets == 1 && hooks.PlanetHistory) {
    hooks.PlanetHistory(canvas, state, view, moment);
  }
  if (state.ShowSunPlanets == 1 && hooks.SunPlanetsMoons) {
    hooks.SunPlanetsMoons(canvas, state, view, moment);
  }
  const bool minor = state.ShowAsteroids1 == 1 || state.ShowAsteroids2 == 1 ||
                     state.ShowAsteroids3 == 1 || state.ShowComets == 1 || state.ShowProbes == 1;
  if (state.ShowHistory == 1 && minor && hooks.MinorHistory) {
    hooks.MinorHistory(canvas, state, view, moment);
  }
  if (hooks.MinorBodies) hooks.MinorBodies(canvas, state, view, moment);
}

// Steps 7 to 13: what both the full redraw and the draw cycle draw. A draw cycle with kept
// layers stamps the constellations and catalogs (7, 8) and the names (13) instead of drawing
// them, or draws them once onto a scratch canvas to keep them.
void DrawScene(Canvas& canvas, TObsState& state, const TChartView& view, const TChartMoment& moment,
               TRgb brush, TZoneFlags& flags, const std::filesystem::path& dataDir,
               const TChartHooks& hooks, TChartPicture& picture, TStillLayers* still = nullptr) {
  const TStillLayers::TUse use = still != nullptr && hooks.TakeNames && hooks.GiveNames
                                     ? still->Begin(state, view, canvas, dataDir)
                                     : TStillLayers::TUse::None;
  if (use == TStillLayers::TUse::Reuse) {
    still->StampBelow(canvas);
    picture.Catalogs = still->Catalogs();
    DrawMoving(canvas, state, view, moment, hooks);
    still->StampAbove(canvas);
    hooks.GiveNames(still->Names());
    return;
  }
  if (use == TStillLayers::TUse::None) {
    DrawStillBelow(canvas, state, view, moment, brush, flags, dataDir, hooks, picture);
    DrawMoving(canvas, state, view, moment, hooks);
    if (hooks.Names) hooks.Names(canvas, state, view, moment);
    return;
  }
  const TSeamWatch seams;
  DrawStillBelow(still->Scratch(canvas), state, view, moment, brush, flags, dataDir, hooks,
                 picture);
  still->KeepBelow(canvas, picture.Catalogs);
  {
    const TSeamWatch bodies;  // takes the bodies' points: they are not kept
    DrawMoving(canvas, state, view, moment, hooks);
  }
  // The names' mouse entries as the names register them now, the bodies' left alone.
  if (hooks.Names) hooks.Names(still->Scratch(canvas), state, view, moment);
  still->KeepAbove(canvas, hooks.TakeNames());
  still->Made(seams.Nearest());
}

// The shared quantities of a drawing, with the mean obliquity and the nutation left in the
// state's shared values for the other windows (with CorrNutation on).
TChartMoment MomentOfDrawing(TObsState& state) {
  const TChartMoment moment = ChartMoment(state);
  if (state.CorrNutation == 1) {
    state.Obliquity = moment.Eps0;
    state.NutLon = moment.DPsi;
    state.NutObl = moment.DEps;
  }
  return moment;
}

// Steps 2 and 3 and the identification reset: the scales, the view and the caption of the
// picture; returns the moment of the drawing.
TChartMoment StartPicture(Canvas& canvas, TObsState& state, TChartState& chart,
                          const TChartHooks& hooks, TChartPicture& picture) {
  SetChartScales(chart, state.CoordSystem);
  picture.View = MakeChartView(state, chart, canvas.Width(), canvas.Height());
  picture.Caption = ChartCaption(state.CoordSystem, chart.ChartZoom);
  const TChartMoment moment = MomentOfDrawing(state);
  if (hooks.ResetIdentification) hooks.ResetIdentification(canvas, state, picture.View, moment);
  return moment;
}

TRgb SkyOf(const TObsState& state, const std::filesystem::path& dataDir) {
  if (state.CoordSystem != kHorizontal && state.CoordSystem != kHorizontalPolar) {
    return kChartBlack;
  }
  const auto altitude = SunAltitude(state, dataDir);
  return altitude ? SkyColour(*altitude) : kChartBlack;
}

}  // namespace

TChartPicture DrawChartPicture(Canvas& canvas, TObsState& state, TChartState& chart,
                               TZoneFlags& flags, const std::filesystem::path& dataDir,
                               const TChartHooks& hooks) {
  TChartPicture picture;
  // 1. Identification reset; clear to silver.
  canvas.ResetClip();
  canvas.SetPenMode(TPenMode::Copy);
  canvas.Clear(colours::kSilver);
  // 2, 3. Scales and caption.
  const TChartMoment moment = StartPicture(canvas, state, chart, hooks, picture);
  const TChartView& view = picture.View;
  // 4. Legend or scale bar.
  if (state.CoordSystem == kEclipticWhole) {
    DrawWholeSkyScale(canvas, view);
  } else {
    DrawLegend(canvas, state.DisplayMode, state.ColourIndex == 1);
  }
  // 5. Clip to the chart; the background.
  canvas.SetClipRect(0, kChartTop, canvas.Width(), canvas.Height());
  const TRgb sky = SkyOf(state, dataDir);
  const TChartBackground bg = ChartBackground(view, state.DisplayMode, sky);
  if (bg.Shape != TBackgroundShape::None) {
    SetPen(canvas, bg.Colour);
    SetBrush(canvas, bg.Colour);
    if (bg.Shape == TBackgroundShape::Rectangle) {
      canvas.FillRect(bg.Left, bg.Top, bg.Right, bg.Bottom);
    } else if (std::int64_t{bg.Right} - bg.Left <= kMaxShapeSize) {
      canvas.Ellipse(bg.Left, bg.Top, bg.Right, bg.Bottom);
    } else {
      FillLargeDisc(canvas, bg);
    }
  }
  // 6. Coordinate lines.
  if (state.ShowCoordLines == 1) {
    const TCoordLines lines = CoordLines(view, state.DisplayMode);
    canvas.SetClipRect(lines.Clip.Left, lines.Clip.Top, lines.Clip.Right, lines.Clip.Bottom);
    SetPen(canvas, lines.LineColour);
    canvas.SetBrushStyle(TBrushStyle::Clear);
    for (const TSegment& s : lines.Segments) {
      canvas.MoveTo(s.X1, s.Y1);
      canvas.LineTo(s.X2, s.Y2);
    }
    canvas.SetFont(QStringLiteral("Arial"), 8, lines.LabelColour);
    canvas.SetBackMode(TBackMode::Transparent);
    for (const TChartLabel& label : lines.Labels) {
      canvas.TextOut(label.X, label.Y, std::string_view(label.Text));
    }
    canvas.SetBackMode(TBackMode::Brush);
    canvas.SetClipRect(0, kChartTop, canvas.Width(), canvas.Height());
  }
  // 7 .. 13.
  DrawScene(canvas, state, view, moment, BrushBackground(state.CoordSystem, state.DisplayMode, sky),
            flags, dataDir, hooks, picture);
  canvas.ResetClip();
  return picture;
}

TChartPicture DrawChartCycle(Canvas& canvas, TObsState& state, TChartState& chart,
                             TZoneFlags& flags, const std::filesystem::path& dataDir,
                             const TChartHooks& hooks, TStillLayers* still) {
  TChartPicture picture;
  const TChartMoment moment = StartPicture(canvas, state, chart, hooks, picture);
  canvas.SetClipRect(0, kChartTop, canvas.Width(), canvas.Height());
  const TRgb sky = SkyOf(state, dataDir);
  DrawScene(canvas, state, picture.View, moment,
            BrushBackground(state.CoordSystem, state.DisplayMode, sky), flags, dataDir, hooks,
            picture, still);
  canvas.ResetClip();
  return picture;
}

}  // namespace himlavy
