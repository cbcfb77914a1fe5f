#include "planets/jupiter_moons_window.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

#include "planets/jupiter_moons_draw.h"
#include "shell/cursor_draw.h"
#include "shell/fonts_draw.h"

namespace himlavy {

namespace {

QString Utf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The sunken panel that shows the name under the mouse.
QLabel* AddNamePanel(QWidget* parent, const QRect& box) {
  auto* panel = new QLabel(parent);
  panel->setObjectName(QStringLiteral("Panel1"));
  panel->setGeometry(box);
  panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  panel->setTextFormat(Qt::PlainText);
  panel->setAutoFillBackground(true);
  panel->setFont(MakeFont(QStringLiteral("MS Sans Serif"), 8));
  QPalette palette = panel->palette();
  palette.setColor(QPalette::Window, ToQColor(colours::kSilver));
  palette.setColor(QPalette::WindowText, ToQColor(colours::kBlack));
  panel->setPalette(palette);
  return panel;
}

// Shows the hourglass for its lifetime.
class TBusyCursor {
 public:
  TBusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~TBusyCursor() { QApplication::restoreOverrideCursor(); }
  TBusyCursor(const TBusyCursor&) = delete;
  TBusyCursor& operator=(const TBusyCursor&) = delete;
};

// The mouse moves over the client area of `window`: calls move(x, y).
template <class Move>
void FollowMouse(QObject* watched, QWidget* client, QEvent* event, Move move) {
  if (watched == client && event->type() == QEvent::MouseMove) {
    const QPoint p = static_cast<QMouseEvent*>(event)->position().toPoint();
    move(p.x(), p.y());
  }
}

void PrepareClient(QWidget* client) {
  client->setCursor(ProgramCursor("CROSSHAIR"));
  client->setMouseTracking(true);
}

constexpr int kCentreClientWidth = 406;
constexpr int kCentreClientHeight = 260;

}  // namespace

// --- The strip ---

TJupiterMoonsWindow::TJupiterMoonsWindow(TObsState& state, const std::filesystem::path& dataDir,
                                         QWidget* parent)
    : TChildWindow(state, dataDir, parent) {
  setObjectName(QStringLiteral("jupiterMoonsWindow"));
  setWindowTitle(Utf8(kJupiterMoonsCaption));
  SetPlacement(QRect(39, 73, 980, 290));
  SetClientColour(ToQColor(kStripSky));
  SetRedrawFlag(&TObsState::RedrawJupMoons);
  SetFollowTimer(100, true);
  SetHelpTopic(Utf8(kJupiterMoonsHelpTopic));
  PrepareClient(Client());

  const QFont bold = ControlFont(QStringLiteral("MS Sans Serif"), 8, true);
  magnifyButton_ = new QPushButton(QStringLiteral("&+/-"), Client());
  magnifyButton_->setObjectName(QStringLiteral("magnifyButton"));
  magnifyButton_->setGeometry(0, 0, 60, 25);
  connect(magnifyButton_, &QPushButton::clicked, this, &TJupiterMoonsWindow::ToggleMagnification);
  redrawButton_ = new QPushButton(QStringLiteral("&Rita"), Client());
  redrawButton_->setObjectName(QStringLiteral("redrawButton"));
  redrawButton_->setGeometry(0, 25, 60, 25);
  connect(redrawButton_, &QPushButton::clicked, this, [this] {
    Recompute();
    Client()->update();
  });
  QPushButton* help = AddHelpButton(QRect(0, 50, 60, 25));
  for (QPushButton* button : {magnifyButton_, redrawButton_, help}) {
    button->setFont(bold);
    button->setCursor(Qt::ArrowCursor);
  }
  namePanel_ = AddNamePanel(Client(), QRect(60, 1, 84, 17));
  const QString hint = Utf8(kJupiterMoonsPanelHint);
  namePanel_->setToolTip(hint.mid(hint.indexOf(QLatin1Char('|')) + 1).trimmed());
  namePanel_->setStatusTip(namePanel_->toolTip());
  Client()->installEventFilter(this);
}

void TJupiterMoonsWindow::ToggleMagnification() {
  magnified_ = !magnified_;
  Recompute();
  Client()->update();
}

void TJupiterMoonsWindow::Recompute() {
  const TBusyCursor busy;
  const auto strip = JupiterMoonsStrip(State(), DataDir(), magnified_);
  strip_ = strip.value_or(TJupiterMoonsStrip{});
  hasStrip_ = strip.has_value();
  if (strip) {
    DrawJupiterMoonsStrip(DrawingSurface(), strip_);
  } else {
    DrawingSurface().Clear(kStripSky);
    QApplication::beep();
  }
}

void TJupiterMoonsWindow::FormMouseMove(int x, int y) {
  namePanel_->setText(hasStrip_ ? QString::fromStdString(StripNameAt(strip_, x, y)) : QString());
}

bool TJupiterMoonsWindow::eventFilter(QObject* watched, QEvent* event) {
  FollowMouse(watched, Client(), event, [this](int x, int y) { FormMouseMove(x, y); });
  return TChildWindow::eventFilter(watched, event);
}

// --- Jupiter in the centre ---

TJupiterCentreWindow::TJupiterCentreWindow(TObsState& state, const std::filesystem::path& dataDir,
                                           QWidget* parent)
    : TChildWindow(state, dataDir, parent) {
  setObjectName(QStringLiteral("jupiterCentreWindow"));
  setWindowTitle(Utf8(kJupiterCentreCaption));
  // The outer size is brought to a client area of 406 x 260 when the window is shown.
  SetPlacement(QRect(39, 370, kCentreClientWidth + 8, kCentreClientHeight + 30));
  SetClientColour(ToQColor(state.DisplayMode == 1 ? colours::kSilver : colours::kBlack));
  SetRedrawFlag(&TObsState::RedrawJupCentre);
  SetFollowTimer(100, false);
  SetHelpTopic(Utf8(kJupiterCentreHelpTopic));
  PrepareClient(Client());
  namePanel_ = AddNamePanel(Client(), QRect(285, 215, 111, 17));
  Client()->installEventFilter(this);
}

void TJupiterCentreWindow::FormShow() {
  const QSize client = Client()->size();
  resize(size() +
         QSize(kCentreClientWidth - client.width(), kCentreClientHeight - client.height()));
}

void TJupiterCentreWindow::Recompute() {
  const TBusyCursor busy;
  view_ = JupiterCentreView(State(), DataDir());
  SetClientColour(ToQColor(view_.Atlas ? colours::kSilver : colours::kBlack));
  DrawJupiterCentre(DrawingSurface(), view_);
  if (view_.ProbeFileMissing) QApplication::beep();
}

void TJupiterCentreWindow::FollowTick() {
  view_ = JupiterCentreView(State(), DataDir());
  DrawJupiterCentreBodies(DrawingSurface(), view_);
}

void TJupiterCentreWindow::FormMouseMove(int x, int y) {
  namePanel_->setText(QString::fromStdString(CentreNameAt(view_, x, y)));
}

bool TJupiterCentreWindow::eventFilter(QObject* watched, QEvent* event) {
  FollowMouse(watched, Client(), event, [this](int x, int y) { FormMouseMove(x, y); });
  return TChildWindow::eventFilter(watched, event);
}

}  // namespace himlavy
