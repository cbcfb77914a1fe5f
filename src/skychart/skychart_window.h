// The sky chart window "Planetarium": the program's main view, created by the main frame at
// start-up and kept maximised; closing it only minimises it. A row of buttons redraws, prints,
// zooms and pans; a left click puts the clicked point in the middle.
#pragma once

#include <QString>
#include <array>

#include "catalogs/zone_selection.h"
#include "shell/child_window.h"
#include "skychart/chart_layers_draw.h"
#include "skychart/chart_projection.h"
#include "skychart/skychart_draw.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPrinter;
class QPushButton;

namespace himlavy {

class TMDIChild1 : public TChildWindow {
  Q_OBJECT

 public:
  TMDIChild1(TObsState& state, const std::filesystem::path& dataDir, QWidget* parent = nullptr);

  // The chart's own state and the last picture.
  const TChartState& Chart() const { return chart_; }
  const TChartPicture& Picture() const { return picture_; }
  // The hooks of the layers over the catalogs (constellations, bodies, names, identification).
  TChartHooks& Hooks() { return hooks_; }
  TChartLayers& Layers() { return layers_; }

  // Buttons BitBtn1 .. BitBtn9 by number, the panels Panel1 .. Panel14, Edit1 and Edit2, and the
  // two readout tables RichEdit2 and RichEdit3.
  QPushButton* Button(int number) const { return buttons_[number - 1]; }
  QLabel* Panel(int number) const { return panels_[number - 1]; }
  QPlainTextEdit* RichEdit2() const { return richEdit2_; }
  QPlainTextEdit* RichEdit3() const { return richEdit3_; }
  QLineEdit* Edit1() const { return edit1_; }
  QLineEdit* Edit2() const { return edit2_; }
  // Timer1: the draw cycle (the follow timer); Timer2: the 100 ms poll (the flag timer).
  QTimer* Timer1() const { return FollowTimer(); }
  QTimer* Timer2() const { return FlagTimer(); }

  // --- Handlers (public so that tests can run them) ---
  void DrawChart();  // full redraw
  void DrawCycle();  // Timer1
  void Timer1Timer() { FollowTimerTick(); }
  void Timer2Timer() { FlagTimerTick(); }
  void BitBtn1Click();            // "S": print the window through the print dialog
  void BitBtn2Click();            // "R": redraw, keeping the history plots
  void BitBtn3Click();            // "+"
  void BitBtn4Click();            // "-"
  void PanClick(int dx, int dy);  // "V" (1, 0), "H" (-1, 0), "U" (0, 1), "N" (0, -1)
  void LeftClick(int x, int y);   // recentre on the pixel
  // The mouse over the chart: the cross-hair coordinates in Panel3 and the readout of the
  // object under the cursor (Panel2, RichEdit2, RichEdit3); the left button recentres, the
  // right one shows or hides the two tables.
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
  TChartHooks hooks_;
  TChartPicture picture_;
  std::array<QPushButton*, 9> buttons_{};
  void ShowPrintHeader(bool show);

  std::array<QLabel*, 14> panels_{};
  QPlainTextEdit* richEdit2_ = nullptr;
  QPlainTextEdit* richEdit3_ = nullptr;
  QLineEdit* edit1_ = nullptr;
  QLineEdit* edit2_ = nullptr;
};

}  // namespace himlavy
