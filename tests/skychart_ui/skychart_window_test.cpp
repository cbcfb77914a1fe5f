// The sky chart window: made at start-up, closing minimises, zoom limits, Sirius in place.
#include "skychart/skychart_window.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPrinter>
#include <QPushButton>
#include <QTimer>
#include <chrono>
#include <optional>
#include <tuple>

#include "base/basic.h"
#include "base/file_cache.h"
#include "common/data_folder.h"
#include "common/fixture_rows.h"
#include "common/scratch_dir.h"
#include "common/sky_positions.h"
#include "frame/main_frame.h"
#include "shell_ui/qt_app.h"
#include "skychart/chart_layers_draw.h"
#include "skychart/still_layers.h"
#include "skychart/zone_selection.h"

namespace himlavy {
namespace {
using namespace testing;
// The moment of the catalog pipeline's reference places (2025-03-20 21:00 UT), Stockholm.
TObsState MomentState() {
  TObsState s = StockholmMoment();
  s.CoordSystem = kEquatorial;
  s.ChartScale = s.CatBSC = 1;
  return s;
}
// A main frame on `State` with its chart open, reading the program's data or an empty folder.
struct TOpened {
  TObsState State = MomentState();
  ScratchDir Dir;
  std::optional<TMainFrame> Frame;
  TSkyChartWindow* Open(bool data = false, bool draw = true, bool startUp = false) {
    EnsureApplication();
    Frame.emplace(State, data ? DataFolder() : Dir.Path(), startUp);
    Frame->show();
    TSkyChartWindow* chart = startUp ? Frame->SkyChart() : Frame->OpenSkyChart();
    if (draw) chart->DrawChart();
    return chart;
  }
};
TEST(SkyChartWindow, MadeAtStartUpKeptMaximisedAndClosingMinimises) {
  TOpened w{.State = {}};
  QPointer<TSkyChartWindow> chart = w.Open(false, false, true);
  ASSERT_NE(chart, nullptr);
  EXPECT_EQ(chart->windowTitle(), QStringLiteral("Planetarium"));
  EXPECT_TRUE(chart->isMaximized());
  EXPECT_EQ(w.Frame->OpenSkyChart(), chart.data());  // one chart only
  chart->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  ASSERT_FALSE(chart.isNull());
  EXPECT_TRUE(chart->isMinimized());
  EXPECT_EQ(std::tuple(chart->FlagTimer()->interval(), chart->FlagTimer()->isActive()),
            std::tuple(100, true));
}
TEST(SkyChartWindow, ButtonsHintsAndCaption) {
  TOpened w;
  TSkyChartWindow* chart = w.Open();
  const auto rows = FixtureRows("skychart_ui/chart_buttons.tsv");
  ASSERT_EQ(rows.size(), 8u);
  for (int k = 0; k < 8; ++k) {
    const QPushButton* b = chart->Button(static_cast<TChartButton>(k));
    EXPECT_EQ(b->text() + "|" + b->statusTip(),
              QString::fromStdString(rows[k][0] + "|" + rows[k][1]));
  }
  EXPECT_EQ(chart->Button(TChartButton::Help)->text(), QStringLiteral("&Hjälp"));
  EXPECT_EQ(chart->Button(TChartButton::Redraw)->geometry(), QRect(0, 0, 32, 25));
  EXPECT_EQ(chart->Button(TChartButton::PanDown)->geometry(), QRect(170, 0, 23, 25));
  EXPECT_EQ(chart->Panel(TChartPanel::SystemTitle)->text(),
            QString::fromUtf8(" Ekvatoriala koord. x1 (1h/15°)    "));
}
// Sirius at zoom 1: size 0, (x-2, y-2)-(x+3, y+3), (244, 251, 255), at (709.771, 387.735).
TEST(SkyChartWindow, SiriusSymbolAtItsPlace) {
  TOpened w;
  w.State.ColourIndex = 1;
  const Canvas& canvas = w.Open(true)->DrawingSurface();
  ASSERT_GT(canvas.Height(), 400);
  const TColor star{244, 251, 255}, black{0, 0, 0};
  for (const auto& [dx, dy, colour] : {std::tuple{0, 0, star},
                                       {-2, 0, star},
                                       {2, 0, star},
                                       {0, -2, star},
                                       {0, 2, star},
                                       {3, 0, black},
                                       {-3, 0, black}})
    EXPECT_EQ(canvas.Pixel(710 + dx, 388 + dy), colour) << dx << "," << dy;
  // The shared values of the moment are left for the other windows.
  EXPECT_NEAR(w.State.Obliquity, 23.436011 * kPi / 180.0, 2e-6);  // Meeus (1991), eq. 21.2
  EXPECT_NE(w.State.NutLon, 0.0);
}
// Deep-sky key: red circle (620, 1)-(634, 15), teal (681, 1)-(695, 15); colour key only with it on.
TEST(SkyChartWindow, LegendKeys) {
  for (const int colourIndex : {0, 1}) {
    TOpened w;
    w.State.ColourIndex = colourIndex;
    const Canvas& canvas = w.Open()->DrawingSurface();
    EXPECT_EQ(canvas.Pixel(627, 1), (TColor{255, 0, 0}));
    EXPECT_EQ(canvas.Pixel(688, 1), (TColor{0, 128, 128}));
    // The colour key's first disc (915, 4)-(923, 12), filled (121, 123, 208).
    EXPECT_EQ(canvas.Pixel(919, 8) == (TColor{121, 123, 208}), colourIndex == 1);
  }
}
// Printing: the header panels show program, moment and site while the picture is taken.
TEST(SkyChartWindow, PrintedPictureHasItsHeader) {
  TOpened w;
  w.State.PlaceName = "Stockholm";
  w.State.TimeZone = 1.0;
  DeriveTimes(w.State);
  TSkyChartWindow* chart = w.Open();
  const QImage picture = chart->PrintImage();
  ASSERT_FALSE(picture.isNull());
  // 2025-03-20 22:00 zone time was a Thursday.
  const auto text = [&](TChartPanel p) { return chart->Panel(p)->text(); };
  EXPECT_EQ(text(TChartPanel::PrintTitle) + "|" + text(TChartPanel::PrintDate) + "|" +
                text(TChartPanel::PrintPlace),
            QStringLiteral("Himlavy 4.6| Torsdag-20-3-2025| Stockholm"));
  for (const TChartPanel p :
       {TChartPanel::PrintRowTop, TChartPanel::PrintRowBottom, TChartPanel::PrintTitle})
    EXPECT_TRUE(chart->Panel(p)->isHidden()) << static_cast<int>(p);
  // The picture goes to a PDF file as to a printer.
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  const QString pdf = QString::fromStdString((w.Dir.Path() / "chart.pdf").string());
  printer.setOutputFileName(pdf);
  ASSERT_TRUE(TSkyChartWindow::PrintPicture(picture, printer));
  QFile file(pdf);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_TRUE(file.read(5) == "%PDF-");
}
// Mouse: Mars's name and tables, empty sky nothing; the right button toggles; middle 12h, 0°.
TEST(SkyChartWindow, MouseReadoutAndTables) {
  TOpened w;
  w.State.ShowSunPlanets = 1;
  TSkyChartWindow* chart = w.Open(true);
  const TBodyEntry& mars = chart->Layers().Identification().Bodies()[4];
  ASSERT_GT(mars.X1, 0);
  const auto left = [&] { return chart->ReadoutLeft()->toPlainText(); };
  const auto right = [&] { return chart->ReadoutRight()->toPlainText(); };
  chart->FormMouseMove(mars.X1 + 1, mars.Y - 2);
  EXPECT_EQ(chart->Panel(TChartPanel::ObjectName)->text(), QStringLiteral("Mars"));
  EXPECT_TRUE(left().contains(QStringLiteral("R.A.=")) && !right().isEmpty());
  chart->FormMouseMove(500, 700);  // below the map: no object
  EXPECT_TRUE(chart->Panel(TChartPanel::ObjectName)->text().isEmpty() && left().isEmpty() &&
              right().isEmpty());
  EXPECT_TRUE(chart->ReadoutLeft()->isHidden());
  chart->FormMouseDown(Qt::RightButton, 400, 400);
  EXPECT_EQ(std::pair(chart->ReadoutLeft()->isHidden(), chart->ReadoutRight()->isHidden()),
            std::pair(false, false));
  chart->FormMouseDown(Qt::RightButton, 400, 400);
  EXPECT_TRUE(chart->ReadoutRight()->isHidden());
  chart->FormMouseMove(498, 342);
  EXPECT_TRUE(chart->Panel(TChartPanel::CrossHair)->text().startsWith(QStringLiteral("12h")))
      << chart->Panel(TChartPanel::CrossHair)->text().toStdString();
}
// History plots: each tick stores the planets' places; "R" keeps them, "+" clears them.
TEST(SkyChartWindow, HistoryPlotsKeptByRedrawClearedByZoom) {
  TOpened w;
  w.State.ShowSunPlanets = w.State.ShowHistory = 1;
  TSkyChartWindow* chart = w.Open(true);
  for (int tick = 0; tick < 3; ++tick) {
    w.State.JD_TT += 1.0;
    w.State.JD_UT += 1.0;
    chart->DrawCycle();
  }
  EXPECT_EQ(chart->HistoryCountEdit()->text(), QStringLiteral("3"));
  const auto mars = [&] { return chart->Layers().History().PlanetPlots(4, 3); };
  const auto plots = mars();
  ASSERT_EQ(plots.size(), 4u);
  EXPECT_NE(plots[0].X, plots[3].X);  // Mars moved in three days
  chart->RedrawKeepingHistory();
  EXPECT_EQ(std::tuple(chart->Chart().HistoryCount, mars()[1].X), std::tuple(3, plots[1].X));
  chart->ZoomIn();
  EXPECT_EQ(std::tuple(chart->Chart().HistoryCount, mars()[1].X), std::tuple(0, kHistoryCleared));
}
// What the chart keeps between drawings (label texts, apparent places, the zones of the date)
// gives the very pixels of a drawing made afresh: every system at zoom 1 and 16, "Normal" and
// "Atlas", everything on, a full drawing and a tick; the kept things come from the drawings
// before, at the same moment in other systems and zooms.
TEST(SkyChartWindow, KeptThingsDrawTheSamePixels) {
  EnsureApplication();
  const auto picture = [](int system, int zoom, int mode, bool keep) {
    SetTextPixelCache(keep);
    SetChartShortcuts(keep);
    TObsState s = MomentState();
    s.CoordSystem = system;
    s.ChartScale = zoom;
    s.DisplayMode = mode;
    s.CorrRefraction = s.CorrLightTime = s.ShowHistory = 1;
    s.CatSKY = s.CatWDS = s.CatGCVS = s.CatNGC = s.CatSAC = s.CatRC3 = s.CatPGC = 1;
    s.CatGPN = s.CatLBN = s.CatOCL = s.CatGCM = 1;
    s.ShowCoordLines = s.ShowConstellations = s.ShowConstBounds = s.ShowSunPlanets = 1;
    s.ShowMoons = s.ShowAsteroids1 = s.ShowAsteroids2 = s.ShowAsteroids3 = s.ShowComets = 1;
    s.ShowProbes = s.LabelConstellations = s.LabelStars = s.LabelDeepSky = s.LabelPlanets = 1;
    s.LabelMinorBodies = 1;
    TChartState chart = ChartStateFromObs(s);
    TZoneFlags flags;
    TChartLayers layers(chart, DataFolder());
    Canvas canvas(kChartClientWidth, kChartClientHeight);
    DrawChartPicture(canvas, s, chart, flags, DataFolder(), layers.Hooks());
    // A tick half a day later, over the picture (it makes the layers a cycle keeps), and one
    // at the same moment (it stamps them).
    TStillLayers still;
    s.JD_UT = s.JD_TT += 0.5;
    DrawChartCycle(canvas, s, chart, flags, DataFolder(), layers.Hooks(), &still);
    DrawChartCycle(canvas, s, chart, flags, DataFolder(), layers.Hooks(), &still);
    // With the same star and deep-sky names for the mouse.
    const TIdentTables& ident = layers.Identification();
    return std::tuple(canvas.Image(), ident.StarNames().Count(), ident.DeepSkyNames().Count());
  };
  for (int system = kEclipticWhole; system <= kGalactic; ++system) {
    for (const int zoom : {1, 16}) {
      for (const int mode : {0, 1}) {
        SCOPED_TRACE(::testing::Message() << system << " " << zoom << " " << mode);
        const auto fresh = picture(system, zoom, mode, false);
        EXPECT_TRUE(picture(system, zoom, mode, true) == fresh);  // kept on the way
        EXPECT_TRUE(picture(system, zoom, mode, true) == fresh);  // everything kept before
      }
    }
  }
  SetTextPixelCache(true);
  SetChartShortcuts(true);
}
// When a draw cycle may stamp the layers it kept, and when it must draw them again.
TEST(StillLayers, KeptWhileTheyFitMadeAgainOnAnyChange) {
  EnsureApplication();
  auto now = std::chrono::steady_clock::time_point{};
  TStillLayers still([&now] { return now; });
  TObsState s = MomentState();
  s.CoordSystem = kEquatorial;
  const Canvas canvas(kChartClientWidth, kChartClientHeight);
  // A cycle `days` after s at `zoom`, with one field of the state set to `value`.
  const auto begin = [&](double days = 0.0, int zoom = 1, int TObsState::*field = nullptr,
                         int value = 0) {
    TObsState z = s;
    z.JD_TT += days;
    z.ChartScale = zoom;
    if (field != nullptr) z.*field = value;
    return still.Begin(z, MakeChartView(z, ChartStateFromObs(z)), canvas, DataFolder());
  };
  using enum TStillLayers::TUse;
  const auto made = [&](double seam = 90.0) {
    EXPECT_EQ(begin(), Make);
    still.Made(seam);
    EXPECT_EQ(begin(), Reuse);
  };
  // The sky turns with the Earth (or system 0).
  for (const int system : {kEclipticWhole, kHorizontal, kHorizontalPolar}) {
    EXPECT_EQ(begin(0.0, 1, &TObsState::CoordSystem, system), None) << system;
  }
  made();
  EXPECT_EQ(begin(1.0 / 24.0), Reuse);  // an hour: far below a quarter pixel at zoom 1
  EXPECT_EQ(begin(365.25), Make);       // a year: aberration alone moves places up to 41"
  made();
  EXPECT_EQ(begin(0.0, 1, &TObsState::CatNGC, 1 - s.CatNGC), Make);
  made();
  NoteFileWritten();
  EXPECT_EQ(begin(), Make);
  made();
  now += std::chrono::milliseconds(999);
  EXPECT_EQ(begin(), Reuse);
  now += std::chrono::milliseconds(1);
  EXPECT_EQ(begin(), Make);  // a second: another program may have changed a data file
  // Zoom 1024 (2765 pixels a degree): a day moves places by a pixel or so.
  EXPECT_EQ(begin(0.0, 1024), Make);
  still.Made(90.0);
  EXPECT_EQ(begin(1.0, 1024), Make);
  // A point 0.0005 degree from the seam: the layer lasts while the places move less.
  made(0.0005);
  EXPECT_EQ(begin(0.05), Reuse);
  EXPECT_EQ(begin(1.0), Make);
  SetChartShortcuts(false);
  EXPECT_EQ(begin(), None);
  SetChartShortcuts(true);
}

}  // namespace
}  // namespace himlavy
