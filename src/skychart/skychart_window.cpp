#include "skychart/skychart_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTimer>

#include "shell/cursor_draw.h"
#include "shell/fonts_draw.h"
#include "shell/print_setup.h"
#include "shell/splash_window.h"
#include "shell/status_line.h"
#include "shell/user_locale.h"
#include "timecal/timecal_window.h"

namespace himlavy {

namespace {

struct TButtonSpec {
  const char* Name;  // the object name
  const char* Caption;
  QColor Colour;
  QRect Box;
  const char* Hint;  // "short| long"
};

// The button row, in the order of TChartButton.
const TButtonSpec kButtons[] = {
    {"printButton", "&S", QColor(0, 0, 128), QRect(32, 0, 23, 25),
     "Skriv ut| Skriv ut fönstret på skrivare (S)"},
    {"redrawButton", "&R", QColor(0, 128, 0), QRect(0, 0, 32, 25),
     "Rita om| Ritar om planetariet (R). Startar ritning av historikspår, om Historikplottar är "
     "valda."},
    {"zoomInButton", "&+", QColor(128, 0, 0), QRect(55, 0, 23, 25),
     "Öka| Ökar förstoringsgraden (+)"},
    {"zoomOutButton", "&-", QColor(128, 0, 0), QRect(78, 0, 23, 25),
     "Minska| Minskar förstoringsgraden (-)"},
    {"panLeftButton", "&V", QColor(128, 0, 128), QRect(101, 0, 23, 25),
     "Vänster| Flyttar åt vänster (V)"},
    {"panRightButton", "&H", QColor(128, 0, 128), QRect(124, 0, 23, 25),
     "Höger| Flyttar åt höger (H)"},
    {"panUpButton", "&U", QColor(0, 128, 128), QRect(147, 0, 23, 25), "Upp| Flyttar uppåt (U)"},
    {"panDownButton", "&N", QColor(0, 128, 128), QRect(170, 0, 23, 25), "Ned| Flyttar nedåt (N)"},
};

void SetHint(QWidget* w, const QString& hint) {
  const qsizetype bar = hint.indexOf(QLatin1Char('|'));
  w->setToolTip(bar < 0 ? hint : hint.left(bar));
  w->setStatusTip(hint);
}

QLabel* MakePanel(QWidget* parent, const QString& name, const QRect& box) {
  auto* panel = new QLabel(parent);
  panel->setObjectName(name);
  panel->setGeometry(box);
  panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  panel->setTextFormat(Qt::PlainText);
  panel->setAutoFillBackground(true);
  return panel;
}

QPlainTextEdit* MakeTable(QWidget* parent, const QString& name, const QRect& box) {
  auto* table = new QPlainTextEdit(parent);
  table->setObjectName(name);
  table->setGeometry(box);
  table->setReadOnly(true);
  table->setLineWrapMode(QPlainTextEdit::NoWrap);
  table->setCursor(Qt::ArrowCursor);
  table->hide();
  return table;
}

// The header panels of a printed chart: the title over the button row, then two rows of four
// panels, each panel's object name, left edge and width.
struct TPrintPanel {
  TChartPanel Panel;
  const char* Name;
  int Left;
  int Width;
};
constexpr TPrintPanel kPrintRowTop[] = {
    {TChartPanel::PrintDate, "printDatePanel", 0, 170},
    {TChartPanel::PrintClock, "printClockPanel", 170, 90},
    {TChartPanel::PrintZone, "printZonePanel", 260, 300},
    {TChartPanel::PrintJulianDay, "printJulianDayPanel", 560, 180}};
constexpr TPrintPanel kPrintRowBottom[] = {
    {TChartPanel::PrintPlace, "printPlacePanel", 0, 260},
    {TChartPanel::PrintLatitude, "printLatitudePanel", 260, 170},
    {TChartPanel::PrintLongitude, "printLongitudePanel", 430, 170},
    {TChartPanel::PrintHeight, "printHeightPanel", 600, 140}};
constexpr int kPrintRowHeight = 17;

}  // namespace

TSkyChartWindow::TSkyChartWindow(TObsState& state, const std::filesystem::path& dataDir,
                                 QWidget* parent)
    : TChildWindow(state, dataDir, parent), layers_(chart_, dataDir), hooks_(layers_.Hooks()) {
  setObjectName(QStringLiteral("skyChartWindow"));
  setWindowTitle(QStringLiteral("Planetarium"));
  SetPlacement(QRect(-3, -22, 1023, 767));
  SetMaximised(true);
  SetClientColour(ToQColor(colours::kSilver));
  SetRedrawFlag(&TObsState::RedrawChart);
  SetFollowTimer(TimerSpeedInterval(state.TimerSpeed), true);
  SetHelpTopic(QStringLiteral("HVHELP.XAN_275"));
  Client()->setFont(MakeFont(QStringLiteral("Arial Narrow"), 8));
  Client()->setCursor(ProgramCursor("CROSSHAIR"));
  Client()->setMouseTracking(true);

  for (std::size_t i = 0; i < std::size(kButtons); ++i) {
    const TButtonSpec& spec = kButtons[i];
    auto* button = new QPushButton(QString::fromUtf8(spec.Caption), Client());
    button->setObjectName(QString::fromLatin1(spec.Name));
    button->setGeometry(spec.Box);
    button->setFont(i == 1 ? ControlFont(QStringLiteral("MS Sans Serif"), 14, true)
                           : ControlFont(QStringLiteral("MS Sans Serif"), 8, true));
    QPalette palette = button->palette();
    palette.setColor(QPalette::ButtonText, spec.Colour);
    button->setPalette(palette);
    button->setCursor(Qt::ArrowCursor);
    SetHint(button, QString::fromUtf8(spec.Hint));
    buttons_[i] = button;
  }
  auto button = [this](TChartButton b) -> QPushButton*& {
    return buttons_[static_cast<std::size_t>(b)];
  };
  button(TChartButton::Help) = AddHelpButton(QRect(1, 26, 55, 25), QStringLiteral("helpButton"));
  button(TChartButton::Help)->setCursor(Qt::ArrowCursor);
  connect(button(TChartButton::Print), &QPushButton::clicked, this, &TSkyChartWindow::PrintChart);
  connect(button(TChartButton::Redraw), &QPushButton::clicked, this,
          &TSkyChartWindow::RedrawKeepingHistory);
  connect(button(TChartButton::ZoomIn), &QPushButton::clicked, this, &TSkyChartWindow::ZoomIn);
  connect(button(TChartButton::ZoomOut), &QPushButton::clicked, this, &TSkyChartWindow::ZoomOut);
  connect(button(TChartButton::PanLeft), &QPushButton::clicked, this, [this] { PanClick(1, 0); });
  connect(button(TChartButton::PanRight), &QPushButton::clicked, this, [this] { PanClick(-1, 0); });
  connect(button(TChartButton::PanUp), &QPushButton::clicked, this, [this] { PanClick(0, 1); });
  connect(button(TChartButton::PanDown), &QPushButton::clicked, this, [this] { PanClick(0, -1); });

  auto panel = [this](TChartPanel p) -> QLabel*& { return panels_[static_cast<std::size_t>(p)]; };
  panel(TChartPanel::SystemTitle) =
      MakePanel(Client(), QStringLiteral("systemTitlePanel"), QRect(385, 0, 233, 25));
  panel(TChartPanel::ObjectName) =
      MakePanel(Client(), QStringLiteral("objectNamePanel"), QRect(203, 17, 182, 17));
  panel(TChartPanel::CrossHair) =
      MakePanel(Client(), QStringLiteral("crossHairPanel"), QRect(203, 0, 182, 17));
  SetHint(panel(TChartPanel::CrossHair), QStringLiteral("Hårkorsets koordinater"));
  SetHint(panel(TChartPanel::ObjectName), QStringLiteral("Höger musknapp visar/döljer tabeller"));
  panel(TChartPanel::PrintTitle) =
      MakePanel(Client(), QStringLiteral("printTitlePanel"), QRect(0, 0, 740, 25));
  panel(TChartPanel::PrintTitle)->setFont(MakeFont(QStringLiteral("Arial"), 12, true));
  panel(TChartPanel::PrintRowTop) =
      MakePanel(Client(), QStringLiteral("printRowTopPanel"), QRect(0, 25, 740, kPrintRowHeight));
  panel(TChartPanel::PrintRowBottom) =
      MakePanel(Client(), QStringLiteral("printRowBottomPanel"),
                QRect(0, 25 + kPrintRowHeight, 740, kPrintRowHeight));
  for (const TPrintPanel& p : kPrintRowTop) {
    panel(p.Panel) = MakePanel(panel(TChartPanel::PrintRowTop), QString::fromLatin1(p.Name),
                               QRect(p.Left, 0, p.Width, kPrintRowHeight));
  }
  for (const TPrintPanel& p : kPrintRowBottom) {
    panel(p.Panel) = MakePanel(panel(TChartPanel::PrintRowBottom), QString::fromLatin1(p.Name),
                               QRect(p.Left, 0, p.Width, kPrintRowHeight));
  }
  for (QLabel* panel : panels_) {
    panel->setCursor(Qt::ArrowCursor);
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, ToQColor(colours::kSilver));
    palette.setColor(QPalette::WindowText, QColor(0, 0, 128));
    panel->setPalette(palette);
  }

  ShowPrintHeader(false);
  readoutLeft_ = MakeTable(Client(), QStringLiteral("readoutLeft"), QRect(203, 34, 250, 126));
  readoutRight_ = MakeTable(Client(), QStringLiteral("readoutRight"), QRect(453, 34, 300, 126));

  historyCountEdit_ = new QLineEdit(Client());
  historyCountEdit_->setObjectName(QStringLiteral("historyCountEdit"));
  historyCountEdit_->setGeometry(62, 25, 32, 21);
  SetHint(historyCountEdit_,
          QStringLiteral("Max antal historikplottar är 2000 och max antal spår är 100"));
  historyCountEdit_->setVisible(state.ShowHistory == 1);
  objectCountEdit_ = new QLineEdit(Client());
  objectCountEdit_->setObjectName(QStringLiteral("objectCountEdit"));
  objectCountEdit_->setGeometry(204, 52, 77, 23);
  objectCountEdit_->setToolTip(QStringLiteral("Antal objekt"));
  objectCountEdit_->hide();

  chart_ = ChartStateFromObs(state);
  layers_.SetBeep([] { QApplication::beep(); });
  Client()->installEventFilter(this);
  connect(this, &QMdiSubWindow::aboutToActivate, this, [this] {
    if (!isMaximized()) showMaximized();
  });

  // The chart is the last window of the start-up: the splash screen goes now.
  ReleaseSplashScreen();
}

void TSkyChartWindow::FormShow() {
  // The other windows keep their own size when they are activated over the chart.
  if (QMdiArea* area = mdiArea()) area->setOption(QMdiArea::DontMaximizeSubWindowOnActivation);
  const TObsState& s = State();
  chart_.OffsetX = s.ChartOffsetX;
  chart_.OffsetY = s.ChartOffsetY;
  chart_.ChartZoom = ChartStateFromObs(s).ChartZoom;
}

void TSkyChartWindow::DrawChart() {
  const TWaitCursor hourglass;
  Canvas& canvas = DrawingSurface();
  if (canvas.Width() <= 0 || canvas.Height() <= 0) return;
  picture_ = DrawChartPicture(canvas, State(), chart_, zoneFlags_, DataDir(), hooks_);
  layers_.RegisterCatalogs(picture_.Catalogs);
  Panel(TChartPanel::SystemTitle)->setText(QString::fromStdString(picture_.Caption));
  int total = 0;
  for (const int n : picture_.Catalogs.Counts) total += n;
  objectCountEdit_->setText(QString::number(total));
}

void TSkyChartWindow::DrawCycle() {
  const TWaitCursor hourglass;
  TObsState& s = State();
  if (s.ShowHistory == 1) {
    chart_.HistoryCount = NextHistoryCount(chart_.HistoryCount);
    historyCountEdit_->setText(QString::number(chart_.HistoryCount));
    historyCountEdit_->show();
  } else {
    historyCountEdit_->hide();
  }
  Canvas& canvas = DrawingSurface();
  if (canvas.Width() <= 0 || canvas.Height() <= 0) return;
  picture_ = DrawChartCycle(canvas, s, chart_, zoneFlags_, DataDir(), hooks_, &stillLayers_);
  layers_.RegisterCatalogs(picture_.Catalogs);
}

void TSkyChartWindow::Recompute() {
  // Asked for by another window (or a new size): the tracks start again.
  ClearHistory();
  DrawChart();
}

void TSkyChartWindow::Redraw() {
  DrawChart();
  Client()->update();
}

void TSkyChartWindow::ClearHistory() {
  chart_.HistoryCount = 0;
  layers_.History().Clear();
}

void TSkyChartWindow::ShowPrintHeader(bool show) {
  if (show) {
    const TPrintHeader h = PrintHeaderTexts(State(), chart_.ChartZoom, LocaleDecimalSeparator());
    using P = TChartPanel;
    const std::pair<TChartPanel, const std::string*> texts[] = {
        {P::PrintTitle, &h.Title},       {P::PrintDate, &h.Date},
        {P::PrintClock, &h.Time},        {P::PrintZone, &h.Zone},
        {P::PrintJulianDay, &h.JD},      {P::PrintPlace, &h.Place},
        {P::PrintLatitude, &h.Latitude}, {P::PrintLongitude, &h.Longitude},
        {P::PrintHeight, &h.Height}};
    for (const auto& [panel, text] : texts) Panel(panel)->setText(QString::fromStdString(*text));
  }
  for (const TChartPanel p :
       {TChartPanel::PrintTitle, TChartPanel::PrintRowTop, TChartPanel::PrintRowBottom}) {
    QLabel* panel = Panel(p);
    panel->setVisible(show);
    if (show) panel->raise();
  }
}

QImage TSkyChartWindow::PrintImage() {
  ShowPrintHeader(true);
  const QImage picture = Client()->grab().toImage();
  ShowPrintHeader(false);
  return picture;
}

bool TSkyChartWindow::PrintPicture(const QImage& picture, QPrinter& printer) {
  QPainter painter;
  if (picture.isNull() || !painter.begin(&printer)) return false;
  // The picture as large as the page allows, its proportions kept, at the top of the page.
  const QRect page = painter.viewport();
  QSize size = picture.size();
  size.scale(page.size(), Qt::KeepAspectRatio);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawImage(QRect(page.left() + (page.width() - size.width()) / 2, page.top(), size.width(),
                          size.height()),
                    picture);
  return painter.end();
}

void TSkyChartWindow::PrintChart() {
  ShowPrintHeader(true);
  const QImage picture = Client()->grab().toImage();
  QPrintDialog* dialog = SharedPrintDialog(this);
  if (dialog->exec() == QDialog::Accepted) PrintPicture(picture, *dialog->printer());
  ShowPrintHeader(false);
}

void TSkyChartWindow::RedrawKeepingHistory() {
  State().RedrawEarthCentre = 1;
  State().RedrawJupCentre = 1;
  Redraw();
}

void TSkyChartWindow::ZoomIn() {
  SetChartScales(chart_, State().CoordSystem);
  if (!himlavy::ZoomIn(chart_, State())) return;
  ClearHistory();
  Redraw();
}

void TSkyChartWindow::ZoomOut() {
  SetChartScales(chart_, State().CoordSystem);
  if (!himlavy::ZoomOut(chart_, State())) return;
  ClearHistory();
  Redraw();
}

void TSkyChartWindow::PanClick(int dx, int dy) {
  Pan(chart_, dx, dy);
  ClearHistory();
  Redraw();
}

void TSkyChartWindow::LeftClick(int x, int y) {
  Recentre(chart_, State().CoordSystem, x, y);
  ClearHistory();
  Redraw();
}

void TSkyChartWindow::closeEvent(QCloseEvent* event) {
  // The chart lives as long as the program: closing only minimises it.
  event->ignore();
  showMinimized();
}

void TSkyChartWindow::FormMouseMove(int x, int y) {
  // The picture's own view: the readout describes what is on the screen.
  if (const auto text = CrossHairText(picture_.View, x, y)) {
    Panel(TChartPanel::CrossHair)->setText(QString::fromStdString(*text));
  }
  bool beeped = false;
  const TReadout readout = SearchIdentification(layers_.Identification(), State(), chart_.ChartZoom,
                                                x, y, DataDir(), &beeped);
  if (beeped) QApplication::beep();
  Panel(TChartPanel::ObjectName)->setText(QString::fromStdString(readout.ObjectName));
  readoutLeft_->setPlainText(QString::fromStdString(readout.Left));
  readoutRight_->setPlainText(QString::fromStdString(readout.Right));
}

void TSkyChartWindow::FormMouseDown(Qt::MouseButton button, int x, int y) {
  if (button == Qt::LeftButton) {
    if (y >= kChartTop) LeftClick(x, y);
  } else if (button == Qt::RightButton) {
    readoutLeft_->setVisible(readoutLeft_->isHidden());
    readoutRight_->setVisible(readoutRight_->isHidden());
  }
}

bool TSkyChartWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Client()) {
    if (event->type() == QEvent::MouseButtonPress) {
      const auto* mouse = static_cast<QMouseEvent*>(event);
      const QPoint p = mouse->position().toPoint();
      FormMouseDown(mouse->button(), p.x(), p.y());
      return true;
    }
    if (event->type() == QEvent::MouseMove) {
      const QPoint p = static_cast<QMouseEvent*>(event)->position().toPoint();
      FormMouseMove(p.x(), p.y());
    }
  }
  return TChildWindow::eventFilter(watched, event);
}

}  // namespace himlavy
