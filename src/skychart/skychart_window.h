// The sky chart window "Planetarium": the program's main view, created by the main frame at
// start-up and kept maximised; closing it only minimises it. A row of buttons redraws, prints,
// zooms and pans; a left click puts the clicked point in the middle.
#pragma once

#include <QString>
#include <array>

#include "shell/child_window.h"
#include "skychart/chart_layers_draw.h"
#include "skychart/chart_projection.h"
#include "skychart/skychart_draw.h"
#include "skychart/still_layers.h"
#include "skychart/zone_selection.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPrinter;
class QPushButton;

namespace himlavy {

// The buttons of the chart's button row, and its help button.
enum class TChartButton {
  Print,
  Redraw,
  ZoomIn,
  ZoomOut,
  PanLeft,
  PanRight,
  PanUp,
  PanDown,
  Help,
  Count
};

// The chart's panels. The eleven from PrintRowTop on make the header of a printed chart and
// are shown only while it is taken.
enum class TChartPanel {
  SystemTitle,  // the coordinate system and the zoom
  ObjectName,   // the object under the mouse
  CrossHair,    // the cross-hair's coordinates
  PrintRowTop,  // the first header row: date, clock, zone, Julian day
  PrintDate,
  PrintClock,
  PrintZone,
  PrintJulianDay,
  PrintRowBottom,  // the second header row: place, latitude, longitude, height
  PrintPlace,
  PrintLatitude,
  PrintLongitude,
  PrintHeight,
  PrintTitle,  // the program's title over the button row
  Count
};

class TSkyChartWindow : public TChildWindow {
  Q_OBJECT

 public:
  TSkyChartWindow(TObsState& state, const std::filesystem::path& dataDir,
                  QWidget* parent = nullptr);

  // The chart's own state and the last picture.
  const TChartState& Chart() const { return chart_; }
  const TChartPicture& Picture() const { return picture_; }
  // The hooks of the layers over the catalogs (constellations, bodies, names, identification).
  TChartHooks& Hooks() { return hooks_; }
  TChartLayers& Layers() { return layers_; }

  // The controls: the button row, the panels, the two readout tables beside the object name,
  // the count of history plots and the (hidden) count of objects drawn.
  QPushButton* Button(TChartButton button) const {
    return buttons_[static_cast<std::size_t>(button)];
  }
  QLabel* Panel(TChartPanel panel) const { return panels_[static_cast<std::size_t>(panel)]; }
  QPlainTextEdit* ReadoutLeft() const { return readoutLeft_; }
  QPlainTextEdit* ReadoutRight() const { return readoutRight_; }
  QLineEdit* HistoryCountEdit() const { return historyCountEdit_; }
  QLineEdit* ObjectCountEdit() const { return objectCountEdit_; }

  // --- Handlers (public so that tests can run them) ---
  void DrawChart();               // full redraw
  void DrawCycle();               // one tick of the follow timer
  void PrintChart();              // "S": print the window through the print dialog
  void RedrawKeepingHistory();    // "R": redraw, keeping the history plots
  void ZoomIn();                  // "+"
  void ZoomOut();                 // "-"
  void PanClick(int dx, int dy);  // "V" (1, 0), "H" (-1, 0), "U" (0, 1), "N" (0, -1)
  void LeftClick(int x, int y);   // recentre on the pixel
  // The mouse over the chart: the cross-hair coordinates and the readout of the object under
  // the cursor (its name and the two tables); the left button recentres, the right one shows
  // or hides the two tables.
  void FormMouseMove(int x, int y);
  void FormMouseDown(Qt::MouseButton button, int x, int y);

  // Printing: the window's picture with the header panels shown (they are hidden again
  // afterwards), and that picture printed on a printer (or a PDF file), scaled to the page.
  QImage PrintImage();
  static bool PrintPicture(const QImage& picture, QPrinter& printer);

 protected:
  void Recompute() override;  // RedrawChart raised, or the client area changed size
  void FollowTick() override { DrawCycle(); }
  void FormShow() override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Redraw();  // DrawChart and repaint
  void ClearHistory();

  TChartState chart_;
  TZoneFlags zoneFlags_;
  TChartLayers layers_;
  TStillLayers stillLayers_;  // what the draw cycles keep from one to the next
  TChartHooks hooks_;
  TChartPicture picture_;
  std::array<QPushButton*, static_cast<std::size_t>(TChartButton::Count)> buttons_{};
  void ShowPrintHeader(bool show);

  std::array<QLabel*, static_cast<std::size_t>(TChartPanel::Count)> panels_{};
  QPlainTextEdit* readoutLeft_ = nullptr;
  QPlainTextEdit* readoutRight_ = nullptr;
  QLineEdit* historyCountEdit_ = nullptr;
  QLineEdit* objectCountEdit_ = nullptr;
};

}  // namespace himlavy
