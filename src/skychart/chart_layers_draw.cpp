#include "skychart/chart_layers_draw.h"

#include <QString>

#include "base/basic.h"
#include "base/textfile.h"
#include "earth/geo_files.h"
#include "earth/map_draw.h"
#include "skychart/chart_bodies.h"
#include "skychart/chart_labels.h"
#include "skychart/chart_minor.h"

namespace himlavy {

namespace {

void Clip(Canvas& c, const TClipRect& r) {
  c.SetClipRect(r.Left, r.Top, r.Right, r.Bottom);
}

void ClipToChart(Canvas& c) {
  c.SetClipRect(0, kChartTop, c.Width(), c.Height());
}

// The x of each pane a point is drawn in: the chart itself, or in system 0 both panes.
struct TPane {
  const TClipRect* Clip;  // nullptr: the whole chart
  bool Side;
};
constexpr TPane kChartPanes[] = {{nullptr, false}};
constexpr TPane kWholeSkyPanes[] = {{&kWholeSkyLeftPane, false}, {&kWholeSkyRightPane, true}};

std::span<const TPane> PanesOf(const TChartView& view) {
  if (view.CoordSystem == kEclipticWhole) return kWholeSkyPanes;
  return kChartPanes;
}

void UsePane(Canvas& c, const TPane& pane) {
  if (pane.Clip != nullptr) {
    Clip(c, *pane.Clip);
  } else {
    ClipToChart(c);
  }
}

void DrawMark(Canvas& c, const THistoryMark& mark) {
  if (mark.Symbol.IsPixel) {
    c.SetPixel(mark.Symbol.X1, mark.Symbol.Y1, mark.Colour);
    return;
  }
  c.SetPenColour(mark.Colour);
  c.SetBrushStyle(TBrushStyle::Clear);
  c.Ellipse(mark.Symbol.X1, mark.Symbol.Y1, mark.Symbol.X2, mark.Symbol.Y2);
}

void DrawPlots(Canvas& c, std::span<const THistoryPlot> plots, bool track, const TChartView& view,
               int displayMode) {
  for (const TPane& pane : PanesOf(view)) {
    UsePane(c, pane);
    for (const THistoryPlot& p : plots) {
      const int x = pane.Side ? p.SideX : p.X;
      if (x == kHistoryCleared && p.Y == kHistoryCleared) continue;
      DrawMark(c, HistoryMark(track, displayMode, x, p.Y));
    }
  }
  ClipToChart(c);
}

// The labels' font, Arial 8 pt. Set once per group of labels: a new font is built on the
// first text after it is set.
void UseLabelFont(Canvas& c, TRgb colour, TFontStyle style = {}) {
  c.SetFont(QStringLiteral("Arial"), 8, colour, style);
}

// A label in the current font with a transparent background.
void Label(Canvas& c, int x, int y, std::string_view text) {
  c.SetBackMode(TBackMode::Transparent);
  c.TextOut(x, y, text);
  c.SetBackMode(TBackMode::Brush);
}

bool AnyStarCatalog(const TObsState& s) {
  return s.CatBSC == 1 || s.CatSKY == 1 || s.CatWDS == 1 || s.CatGCVS == 1;
}

bool AnyDeepSkyCatalog(const TObsState& s) {
  return s.CatNGC == 1 || s.CatSAC == 1 || s.CatRC3 == 1 || s.CatPGC == 1 || s.CatGPN == 1 ||
         s.CatLBN == 1 || s.CatOCL == 1 || s.CatGCM == 1;
}

bool GroupShown(int group, const TObsState& s) {
  switch (group) {
    case 1:
      return s.ShowAsteroids1 == 1;
    case 2:
      return s.ShowAsteroids2 == 1;
    case 3:
      return s.ShowAsteroids3 == 1;
    case 4:
      return s.ShowComets == 1;
    default:
      return s.ShowProbes == 1 && s.ShowSunPlanets == 1;
  }
}

}  // namespace

TChartLayers::TChartLayers(const TChartState& chart, std::filesystem::path dataDir)
    : chart_(chart), dataDir_(std::move(dataDir)) {}

TChartHooks TChartLayers::Hooks() {
  const auto bind = [this](auto member) {
    return [this, member](Canvas& c, TObsState& s, const TChartView& v, const TChartMoment& m) {
      (this->*member)(c, s, v, m);
    };
  };
  TChartHooks hooks;
  hooks.ResetIdentification = bind(&TChartLayers::Reset);
  hooks.Constellations = bind(&TChartLayers::Constellations);
  hooks.PlanetHistory = bind(&TChartLayers::PlanetHistory);
  hooks.SunPlanetsMoons = bind(&TChartLayers::SunPlanetsMoons);
  hooks.MinorHistory = bind(&TChartLayers::MinorHistory);
  hooks.MinorBodies = bind(&TChartLayers::MinorBodies);
  hooks.Names = bind(&TChartLayers::Names);
  hooks.TakeNames = [this] { return ident_.Names(); };
  hooks.GiveNames = [this](const TIdentTables::TNameTables& names) { ident_.SetNames(names); };
  return hooks;
}

void TChartLayers::Beep() const {
  if (beep_) beep_();
}

void TChartLayers::Reset(Canvas&, TObsState&, const TChartView&, const TChartMoment&) {
  ident_.Clear();
  minorCounts_ = {};
}

void TChartLayers::RegisterCatalogs(const TCatalogDrawing& drawing) {
  for (const TCatalogObject& o : drawing.Objects) {
    ident_.RegisterCatalog(o.Catalog, o.X, o.Y, o.Record);
  }
}

// Boundaries, then figures: olive and green lines through the points of the two files, the pen
// silent where a step is hidden or far outside the chart.
void TChartLayers::Constellations(Canvas& c, TObsState& s, const TChartView& view,
                                  const TChartMoment& moment) {
  for (const auto& [mode, on] : {std::pair{TConstellationFile::Boundaries, s.ShowConstBounds},
                                 std::pair{TConstellationFile::Figures, s.ShowConstellations}}) {
    if (on != 1) continue;
    const auto points = LoadConstellationFile(dataDir_, mode);
    if (points == nullptr) {
      Beep();
      continue;
    }
    const TConstellationPlot plot = PlotConstellations(mode, *points, s, moment, view);
    c.SetPenColour(plot.Colour);
    for (const TConstellationStep& step : plot.Steps) {
      if (step.Move) {
        c.MoveTo(step.X, step.Y);
        continue;
      }
      c.SetPenMode(step.Hidden ? TPenMode::NoOp : TPenMode::Copy);
      c.SetPenStyle(step.Dotted ? TPenStyle::Dot : TPenStyle::Solid);
      if (step.Circle) {
        c.Ellipse(step.X - 3, step.Y - 3, step.X + 4, step.Y + 4);
      }
      c.LineTo(step.X, step.Y);
    }
    c.SetPenStyle(TPenStyle::Solid);
    c.SetPenMode(TPenMode::Copy);
  }
}

void TChartLayers::PlanetHistory(Canvas& c, TObsState& s, const TChartView& view,
                                 const TChartMoment&) {
  for (int body = 0; body < kBodyCount; ++body) {
    DrawPlots(c, history_.PlanetPlots(body, chart_.HistoryCount), false, view, s.DisplayMode);
  }
}

void TChartLayers::MinorHistory(Canvas& c, TObsState& s, const TChartView& view,
                                const TChartMoment&) {
  for (int track = 1; track <= trackCount_; ++track) {
    DrawPlots(c, history_.TrackPlots(track, chart_.HistoryCount), true, view, s.DisplayMode);
  }
}

// The zooms of system 0 from which the Earth's disk shows its parallels, and its coastlines.
constexpr int kEarthParallelsZoom = 65536;
constexpr int kEarthCoastlinesZoom = 262144;

// The Earth's disk in a pane of system 0 at the largest zooms: seen from the north ecliptic
// pole in the ecliptic-plane pane, and along the side view's line of sight in the other.
void TChartLayers::EarthDetail(Canvas& c, const TObsState& s, const TChartView& view,
                               const TChartMoment& moment, bool side, int x, int y, int radius) {
  if (view.ChartZoom >= kEarthCoastlinesZoom && !earthMap_) {
    earthMap_ = ReadMapFile(ResolveDataPath(dataDir_, kMapFileName));
    if (!earthMap_) {
      Beep();
      earthMap_.emplace();
    }
  }
  const std::span<const TMapPoint> coastlines = view.ChartZoom >= kEarthCoastlinesZoom
                                                    ? std::span<const TMapPoint>(*earthMap_)
                                                    : std::span<const TMapPoint>();
  if (view.ChartZoom >= kEarthCoastlinesZoom && coastlines.empty()) return;
  // Screen axes in ecliptic axes: the panes' X and Y follow ProjectWholeSky.
  TViewAxes axes{};
  if (!side) {
    axes = view.Orientation == 1 ? TViewAxes{{0, -1, 0}, {1, 0, 0}, {0, 0, 1}}
                                 : TViewAxes{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
  } else {
    axes = view.Orientation == 1 ? TViewAxes{{0, 0, 1}, {1, 0, 0}, {0, 1, 0}}
                                 : TViewAxes{{0, 0, 1}, {0, 1, 0}, {-1, 0, 0}};
  }
  const double sidereal = (moment.Theta - s.Longitude / kRadToDeg) * kRadToDeg;
  const double obliquity = (moment.Eps0 + moment.DEps) * kRadToDeg;
  DrawSmallGlobeDetail(c, coastlines, x, y, radius, sidereal, obliquity, axes);
}

void TChartLayers::SunPlanetsMoons(Canvas& c, TObsState& s, const TChartView& view,
                                   const TChartMoment& moment) {
  ident_.ResetBodies();
  const std::vector<TChartBody> bodies = ChartMajorBodies(s, moment, view, dataDir_);
  const bool whole = view.CoordSystem == kEclipticWhole;
  UseLabelFont(c, kBodyLabelColour);
  for (const TChartBody& b : bodies) {
    if (!b.Visible && !b.SideVisible) continue;
    c.SetFontColour(b.LabelColour);
    c.SetPenColour(b.Outline);
    c.SetBrushStyle(TBrushStyle::Solid);
    c.SetBrushColour(b.Fill);
    for (const TPane& pane : PanesOf(view)) {
      if (pane.Side ? !b.SideVisible : !b.Visible) continue;
      UsePane(c, pane);
      const int x = pane.Side ? b.SideX : b.X;
      c.Ellipse(x - b.HalfWidth, b.Y - b.HalfHeight, x + b.HalfWidth + 1, b.Y + b.HalfHeight + 1);
      if (whole && b.Index == kChartEarth && view.ChartZoom >= kEarthParallelsZoom) {
        EarthDetail(c, s, view, moment, pane.Side, x, b.Y, b.HalfWidth);
        c.SetBrushStyle(TBrushStyle::Solid);
        c.SetFontColour(b.LabelColour);
      }
      if (!b.Label.empty()) {
        Label(c, pane.Side ? b.SideLabelX : b.LabelX, b.LabelY, b.Label);
      }
    }
    ClipToChart(c);
    if (s.ShowHistory == 1) {
      history_.StorePlanet(b.Index, chart_.HistoryCount, b.Visible ? b.X : kHistoryCleared, b.Y,
                           whole && b.SideVisible ? b.SideX : kHistoryCleared);
    }
    TBodyEntry entry;
    entry.X1 = b.Visible ? b.X : kNoPixel;
    entry.X2 = whole && b.SideVisible ? b.SideX : kNoPixel;
    entry.Y = b.Y;
    entry.Line1 = b.Line1;
    entry.Line2 = b.Line2;
    entry.Line3 = b.Line3;
    entry.Line4 = b.Line4;
    entry.Line5 = b.Line5;
    entry.Right = b.Right;
    ident_.RegisterBody(b.Index, entry);
  }
  c.SetBrushStyle(TBrushStyle::Clear);
}

void TChartLayers::MinorBodies(Canvas& c, TObsState& s, const TChartView& view,
                               const TChartMoment& moment) {
  trackCount_ = 0;
  const bool labels = s.LabelMinorBodies == 1;
  if (labels) UseLabelFont(c, kMinorLabelColour);
  for (int group = 1; group <= 5; ++group) {
    if (!GroupShown(group, s)) continue;
    const auto bodies = ChartMinorGroup(group, s, moment, view, dataDir_);
    if (!bodies) {
      Beep();
      continue;
    }
    for (const TChartMinorBody& b : *bodies) {
      c.SetPenColour(b.Outline);
      c.SetBrushStyle(TBrushStyle::Solid);
      c.SetBrushColour(b.Fill);
      for (const TPane& pane : PanesOf(view)) {
        const int x = pane.Side ? b.SideX : b.X;
        if (pane.Side && b.SideX == kNoSideX) continue;
        UsePane(c, pane);
        const int dx = x - b.X;
        c.Rectangle(b.Symbol.X1 + dx, b.Symbol.Y1, b.Symbol.X2 + dx, b.Symbol.Y2);
        if (labels) Label(c, b.LabelX + dx, b.LabelY, b.Name);
      }
      ClipToChart(c);
      if (b.Track && trackCount_ < kHistoryTracks - 1) {
        ++trackCount_;
        if (s.ShowHistory == 1) {
          history_.StoreTrack(trackCount_, chart_.HistoryCount, b.X, b.Y, b.SideX);
        }
      }
      ident_.RegisterMinor(b.X, b.Y, b.Name, b.Readout);
      ++minorCounts_[group];
    }
  }
  c.SetBrushStyle(TBrushStyle::Clear);
}

void TChartLayers::Names(Canvas& c, TObsState& s, const TChartView& view,
                         const TChartMoment& moment) {
  if (s.LabelConstellations == 1 && (s.ShowConstellations == 1 || s.ShowConstBounds == 1)) {
    const auto points = LoadConstellationFile(dataDir_, TConstellationFile::Names);
    if (points == nullptr) {
      Beep();
    } else {
      const TConstellationPlot plot =
          PlotConstellations(TConstellationFile::Names, *points, s, moment, view);
      TFontStyle style;
      style.Bold = true;
      style.Italic = true;
      UseLabelFont(c, plot.Colour, style);
      for (const TChartLabel& label : plot.Labels) Label(c, label.X, label.Y, label.Text);
    }
  }
  for (const bool stars : {true, false}) {
    if (stars ? !AnyStarCatalog(s) : !AnyDeepSkyCatalog(s)) continue;
    const auto names = LoadNameFile(dataDir_, stars);
    if (names == nullptr) continue;  // a missing name file is skipped like a catalog
    const bool shown = (stars ? s.LabelStars : s.LabelDeepSky) == 1;
    if (shown) UseLabelFont(c, stars ? kStarNameColour : kDeepSkyNameColour);
    for (const TNameLabel& n : PlaceNames(*names, moment, view)) {
      if (stars) {
        ident_.RegisterStarName(n.X, n.Y, n.Name);
      } else {
        ident_.RegisterDeepSkyName(n.X, n.Y, n.Name);
      }
      if (shown) Label(c, n.TextX, n.TextY, n.Name);
    }
  }
}

}  // namespace himlavy
