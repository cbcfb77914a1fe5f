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
#include "shell/main_frame.h"
#include "shell/splash_window.h"
#include "shell/status_line.h"
#include "timecal/timecal_window.h"

namespace himlavy {

namespace {

struct TButtonSpec {
  const char* Caption;
  QColor Colour;
  QRect Box;
  const char* Hint;  // "short| long"
};

// BitBtn1 .. BitBtn8 of the button row.
const TButtonSpec kButtons[] = {
    {"&S", QColor(0, 0, 128), QRect(32, 0, 23, 25), "Skriv ut| Skriv ut fönstret på skrivare (S)"},
    {"&R", QColor(0, 128, 0), QRect(0, 0, 32, 25),
     "Rita om| Ritar om planetariet (R). Startar ritning av historikspår, om Historikplottar är "
     "valda."},
    {"&+", QColor(128, 0, 0), QRect(55, 0, 23, 25), "Öka| Ökar förstoringsgraden (+)"},
    {"&-", QColor(128, 0, 0), QRect(78, 0, 23, 25), "Minska| Minskar förstoringsgraden (-)"},
    {"&V", QColor(128, 0, 128), QRect(101, 0, 23, 25), "Vänster| Flyttar åt vänster (V)"},
    {"&H", QColor(128, 0, 128), QRect(124, 0, 23, 25), "Höger| Flyttar åt höger (H)"},
    {"&U", QColor(0, 128, 128), QRect(147, 0, 23, 25), "Upp| Flyttar uppåt (U)"},
    {"&N", QColor(0, 128, 128), QRect(170, 0, 23, 25), "Ned| Flyttar nedåt (N)"},
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

// The header panels of a printed chart: Panel14 over the button row, then the rows Panel4
// (Panel5 .. Panel8) and Panel9 (Panel10 .. Panel13), each panel's left edge and width.
struct TPrintPanel {
  int Number;
  int Left;
  int Width;
};
constexpr TPrintPanel kPrintRow1[] = {{5, 0, 170}, {6, 170, 90}, {7, 260, 300}, {8, 560, 180}};
constexpr TPrintPanel kPrintRow2[] = {{10, 0, 260}, {11, 260, 170}, {12, 430, 170}, {13, 600, 140}};
constexpr int kPrintRowHeight = 17;

}  // namespace

TMDIChild1::TMDIChild1(TObsState& state, const std::filesystem::path& dataDir, QWidget* parent)
    : TChildWindow(state, dataDir, parent), layers_(chart_, dataDir), hooks_(layers_.Hooks()) {
  setObjectName(QStringLiteral("MDIChild1"));
  setWindowTitle(QStringLiteral("Planetarium"));
  SetPlacement(QRect(-3, -22, 1023, 767));
  SetMaximised(true);
  SetClientColour(kTimecalSilver);
  SetRedrawFlag(&TObsState::RedrawChart);
  SetFollowTimer(TimerSpeedInterval(state.TimerSpeed), true);
  SetHelpTopic(QStringLiteral("HVHELP.XAN_275"));
  Client()->setFont(MakeFont(QStringLiteral("Arial Narrow"), 8));
  Client()->setCursor(ProgramCursor("CROSSHAIR"));
  Client()->setMouseTracking(true);

  for (std::size_t i = 0; i < std::size(kButtons); ++i) {
    const TButtonSpec& spec = kButtons[i];
    auto* button = new QPushButton(QString::fromUtf8(spec.Caption), Client());
    button->setObjectName(QStringLiteral("BitBtn%1").arg(i + 1));
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
  buttons_[8] = AddHelpButton(QRect(1, 26, 55, 25), QStringLiteral("BitBtn9"));
  buttons_[8]->setCursor(Qt::ArrowCursor);
  connect(buttons_[0], &QPushButton::clicked, this, &TMDIChild1::BitBtn1Click);
  connect(buttons_[1], &QPushButton::clicked, this, &TMDIChild1::BitBtn2Click);
  connect(buttons_[2], &QPushButton::clicked, this, &TMDIChild1::BitBtn3Click);
  connect(buttons_[3], &QPushButton::clicked, this, &TMDIChild1::BitBtn4Click);
  connect(buttons_[4], &QPushButton::clicked, this, [this] { PanClick(1, 0); });
  connect(buttons_[5], &QPushButton::clicked, this, [this] { PanClick(-1, 0); });
  connect(buttons_[6], &QPushButton::clicked, this, [this] { PanClick(0, 1); });
  connect(buttons_[7], &QPushButton::clicked, this, [this] { PanClick(0, -1); });

  panels_[0] = MakePanel(Client(), QStringLiteral("Panel1"), QRect(385, 0, 233, 25));
  panels_[1] = MakePanel(Client(), QStringLiteral("Panel2"), QRect(203, 17, 182, 17));
  panels_[2] = MakePanel(Client(), QStringLiteral("Panel3"), QRect(203, 0, 182, 17));
  SetHint(panels_[2], QStringLiteral("Hårkorsets koordinater"));
  SetHint(panels_[1], QStringLiteral("Höger musknapp visar/döljer tabeller"));
  panels_[13] = MakePanel(Client(), QStringLiteral("Panel14"), QRect(0, 0, 740, 25));
  panels_[13]->setFont(MakeFont(QStringLiteral("Arial"), 12, true));
  panels_[3] = MakePanel(Client(), QStringLiteral("Panel4"), QRect(0, 25, 740, kPrintRowHeight));
  panels_[8] = MakePanel(Client(), QStringLiteral("Panel9"),
                         QRect(0, 25 + kPrintRowHeight, 740, kPrintRowHeight));
  for (const TPrintPanel& p : kPrintRow1) {
    panels_[p.Number - 1] = MakePanel(panels_[3], QStringLiteral("Panel%1").arg(p.Number),
                                      QRect(p.Left, 0, p.Width, kPrintRowHeight));
  }
  for (const TPrintPanel& p : kPrintRow2) {
    panels_[p.Number - 1] = MakePanel(panels_[8], QStringLiteral("Panel%1").arg(p.Number),
                                      QRect(p.Left, 0, p.Width, kPrintRowHeight));
  }
  for (QLabel* panel : panels_) {
    panel->setCursor(Qt::ArrowCursor);
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, kTimecalSilver);
    palette.setColor(QPalette::WindowText, QColor(0, 0, 128));
    panel->setPalette(palette);
  }

  ShowPrintHeader(false);
  richEdit2_ = MakeTable(Client(), QStringLiteral("RichEdit2"), QRect(203, 34, 250, 126));
  richEdit3_ = MakeTable(Client(), QStringLiteral("RichEdit3"), QRect(453, 34, 300, 126));

  edit1_ = new QLineEdit(Client());
  edit1_->setObjectName(QStringLiteral("Edit1"));
  edit1_->setGeometry(62, 25, 32, 21);
  SetHint(edit1_, QStringLiteral("Max antal historikplottar är 2000 och max antal spår är 100"));
  edit1_->setVisible(state.ShowHistory == 1);
  edit2_ = new QLineEdit(Client());
  edit2_->setObjectName(QStringLiteral("Edit2"));
  edit2_->setGeometry(204, 52, 77, 23);
  edit2_->setToolTip(QStringLiteral("Antal objekt"));
  edit2_->hide();

  chart_ = ChartStateFromObs(state);
  layers_.SetBeep([] { QApplication::beep(); });
  Client()->installEventFilter(this);
  connect(this, &QMdiSubWindow::aboutToActivate, this, [this] {
    if (!isMaximized()) showMaximized();
  });

  // The chart is the last window of the start-up: the splash screen goes now.
  ReleaseSplashScreen();
}

void TMDIChild1::FormShow() {
  // The other windows keep their own size when they are activated over the chart.
  if (QMdiArea* area = mdiArea()) area->setOption(QMdiArea::DontMaximizeSubWindowOnActivation);
  const TObsState& s = State();
  chart_.OffsetX = s.ChartOffsetX;
  chart_.OffsetY = s.ChartOffsetY;
  chart_.ChartZoom = ChartStateFromObs(s).ChartZoom;
}

void TMDIChild1::DrawChart() {
  const TWaitCursor hourglass;
  Canvas& canvas = DrawingSurface();
  if (canvas.Width() <= 0 || canvas.Height() <= 0) return;
  picture_ = DrawChartPicture(canvas, State(), chart_, zoneFlags_, DataDir(), hooks_);
  layers_.RegisterCatalogs(picture_.Catalogs);
  panels_[0]->setText(QString::fromStdString(picture_.Caption));
  int total = 0;
  for (const int n : picture_.Catalogs.Counts) total += n;
  edit2_->setText(QString::number(total));
}

void TMDIChild1::DrawCycle() {
  const TWaitCursor hourglass;
  TObsState& s = State();
  if (s.ShowHistory == 1) {
    chart_.HistoryCount = NextHistoryCount(chart_.HistoryCount);
    edit1_->setText(QString::number(chart_.HistoryCount));
    edit1_->show();
  } else {
    edit1_->hide();
  }
  Canvas& canvas = DrawingSurface();
  if (canvas.Width() <= 0 || canvas.Height() <= 0) return;
  picture_ = DrawChartCycle(canvas, s, chart_, zoneFlags_, DataDir(), hooks_);
  layers_.RegisterCatalogs(picture_.Catalogs);
}

void TMDIChild1::Recompute() {
  // Asked for by another window (or a new size): the tracks start again.
  ClearHistory();
  DrawChart();
}

void TMDIChild1::Redraw() {
  DrawChart();
  Client()->update();
}

void TMDIChild1::ClearHistory() {
  chart_.HistoryCount = 0;
  layers_.History().Clear();
}

void TMDIChild1::ShowPrintHeader(bool show) {
  if (show) {
    const TPrintHeader h = PrintHeaderTexts(State(), chart_.ChartZoom, LocaleDecimalSeparator());
    const std::pair<int, const std::string*> texts[] = {
        {14, &h.Title}, {5, &h.Date},      {6, &h.Time},       {7, &h.Zone},   {8, &h.JD},
        {10, &h.Place}, {11, &h.Latitude}, {12, &h.Longitude}, {13, &h.Height}};
    for (const auto& [number, text] : texts) {
      panels_[number - 1]->setText(QString::fromStdString(*text));
    }
  }
  for (const int number : {14, 4, 9}) {
    QLabel* panel = panels_[number - 1];
    panel->setVisible(show);
    if (show) panel->raise();
  }
}

QImage TMDIChild1::PrintImage() {
  ShowPrintHeader(true);
  const QImage picture = Client()->grab().toImage();
  ShowPrintHeader(false);
  return picture;
}

bool TMDIChild1::PrintPicture(const QImage& picture, QPrinter& printer) {
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

void TMDIChild1::BitBtn1Click() {
  ShowPrintHeader(true);
  const QImage picture = Client()->grab().toImage();
  auto* frame = qobject_cast<THimlavy2*>(window());
  std::unique_ptr<QPrinter> ownPrinter;
  std::unique_ptr<QPrintDialog> ownDialog;
  QPrintDialog* dialog = frame != nullptr ? frame->PrintDialog() : nullptr;
  if (dialog == nullptr) {
    ownPrinter = std::make_unique<QPrinter>();
    ownDialog = std::make_unique<QPrintDialog>(ownPrinter.get(), this);
    dialog = ownDialog.get();
  }
  if (dialog->exec() == QDialog::Accepted) PrintPicture(picture, *dialog->printer());
  ShowPrintHeader(false);
}

void TMDIChild1::BitBtn2Click() {
  State().RedrawEarthCentre = 1;
  State().RedrawJupCentre = 1;
  Redraw();
}

void TMDIChild1::BitBtn3Click() {
  SetChartScales(chart_, State().CoordSystem);
  if (!ZoomIn(chart_, State())) return;
  ClearHistory();
  Redraw();
}

void TMDIChild1::BitBtn4Click() {
  SetChartScales(chart_, State().CoordSystem);
  if (!ZoomOut(chart_, State())) return;
  ClearHistory();
  Redraw();
}

void TMDIChild1::PanClick(int dx, int dy) {
  Pan(chart_, dx, dy);
  ClearHistory();
  Redraw();
}

void TMDIChild1::LeftClick(int x, int y) {
  Recentre(chart_, State().CoordSystem, x, y);
  ClearHistory();
  Redraw();
}

void TMDIChild1::closeEvent(QCloseEvent* event) {
  // The chart lives as long as the program: closing only minimises it.
  event->ignore();
  showMinimized();
}

void TMDIChild1::FormMouseMove(int x, int y) {
  // The picture's own view: the readout describes what is on the screen.
  if (const auto text = CrossHairText(picture_.View, x, y)) {
    panels_[2]->setText(QString::fromStdString(*text));
  }
  bool beeped = false;
  const TReadout readout = SearchIdentification(layers_.Identification(), State(), chart_.ChartZoom,
                                                x, y, DataDir(), &beeped);
  if (beeped) QApplication::beep();
  panels_[1]->setText(QString::fromStdString(readout.Panel2));
  richEdit2_->setPlainText(QString::fromStdString(readout.Left));
  richEdit3_->setPlainText(QString::fromStdString(readout.Right));
}

void TMDIChild1::FormMouseDown(Qt::MouseButton button, int x, int y) {
  if (button == Qt::LeftButton) {
    if (y >= kChartTop) LeftClick(x, y);
  } else if (button == Qt::RightButton) {
    richEdit2_->setVisible(richEdit2_->isHidden());
    richEdit3_->setVisible(richEdit3_->isHidden());
  }
}

bool TMDIChild1::eventFilter(QObject* watched, QEvent* event) {
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
