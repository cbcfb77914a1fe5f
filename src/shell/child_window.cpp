#include "shell/child_window.h"

#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>
#include <QResizeEvent>
#include <QTimer>
#include <QToolButton>
#include <array>
#include <utility>

#include "shell/emblem_draw.h"
#include "shell/fonts_draw.h"
#include "shell/help_window.h"

namespace himlavy {

QFont ControlFont(const QString& name, double points, bool bold) {
  QFont font = MakeFont(name, points, bold);
  if (bold) font.setStyleStrategy(QFont::PreferDefault);
  return font;
}

// The client area: copies the drawing surface to the screen and reports its size changes.
class TChildWindow::Surface : public QWidget {
 public:
  explicit Surface(TChildWindow* owner) : QWidget(owner), owner_(owner) {
    setAttribute(Qt::WA_OpaquePaintEvent);
  }

 protected:
  void paintEvent(QPaintEvent* event) override {
    QPainter painter(this);
    const QRect dirty = event->rect();
    painter.drawImage(dirty, owner_->surface_.Image(), dirty);
  }
  void resizeEvent(QResizeEvent* event) override {
    QWidget::resizeEvent(event);
    owner_->ClientResized();
  }

 private:
  TChildWindow* owner_;
};

TChildWindow::TChildWindow(TObsState& state, std::filesystem::path dataDir, QWidget* parent)
    : QMdiSubWindow(parent),
      state_(state),
      dataDir_(std::move(dataDir)),
      clientColour_(QColor(240, 240, 240)) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowIcon(ProgramIcon());
  client_ = new Surface(this);
  client_->setFont(MakeFont(QStringLiteral("MS Sans Serif"), 8));
  setWidget(client_);

  flagTimer_ = new QTimer(this);
  flagTimer_->setInterval(100);
  connect(flagTimer_, &QTimer::timeout, this, &TChildWindow::FlagTimerTick);
  flagTimer_->start();
}

TChildWindow::~TChildWindow() = default;

void TChildWindow::SetPlacement(const QRect& geometry) {
  placement_ = geometry;
  resize(geometry.size());
}

void TChildWindow::SetMaximised(bool maximised) {
  maximised_ = maximised;
}

void TChildWindow::SetRedrawFlag(int TObsState::*flag) {
  redrawFlag_ = flag;
}

void TChildWindow::SetFollowTimer(int intervalMs, bool fromTimerSpeed) {
  if (followTimer_ == nullptr) {
    followTimer_ = new QTimer(this);
    connect(followTimer_, &QTimer::timeout, this, &TChildWindow::FollowTimerTick);
  }
  followTimer_->setInterval(intervalMs);
  followFromTimerSpeed_ = fromTimerSpeed;
  followTimer_->start();
}

void TChildWindow::SetHelpTopic(const QString& contextName) {
  helpTopic_ = contextName;
}

void TChildWindow::SetClientColour(const QColor& colour) {
  clientColour_ = colour;
  QPalette palette = client_->palette();
  palette.setColor(QPalette::Window, colour);
  client_->setPalette(palette);
  surface_.Clear(FromQRgb(colour.rgb()));
}

void TChildWindow::SetFixedBorder() {
  setWindowFlags(Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                 (windowFlags() & Qt::WindowStaysOnTopHint));
  if (placement_.isValid()) setFixedSize(placement_.size());
}

QPushButton* TChildWindow::AddCloseButton(const QRect& geometry, const QString& name) {
  auto* button = new QPushButton(QStringLiteral("&Avsluta"), client_);
  button->setObjectName(name);
  button->setGeometry(geometry);
  connect(button, &QPushButton::clicked, this, &QWidget::close);
  return button;
}

QPushButton* TChildWindow::AddHelpButton(const QRect& geometry, const QString& name) {
  auto* button = new QPushButton(QStringLiteral("&Hjälp"), client_);
  button->setObjectName(name);
  button->setGeometry(geometry);
  connect(button, &QPushButton::clicked, this, &TChildWindow::ShowHelp);
  return button;
}

void TChildWindow::ShowHelp() {
  if (!helpTopic_.isEmpty()) HelpJump(helpTopic_);
}

void TChildWindow::FlagTimerTick() {
  if (followTimer_ != nullptr && followFromTimerSpeed_) {
    const int interval = TimerSpeedInterval(state_.TimerSpeed);
    if (followTimer_->interval() != interval) followTimer_->setInterval(interval);
  }
  if (redrawFlag_ != nullptr && state_.*redrawFlag_ == 1) {
    Recompute();
    state_.*redrawFlag_ = 0;
    client_->update();
  }
}

void TChildWindow::FollowTimerTick() {
  if (state_.IncrementOn != 1) return;
  FollowTick();
  client_->update();
}

void TChildWindow::ClientResized() {
  if (client_->width() == surface_.Width() && client_->height() == surface_.Height()) return;
  const TColor colour = FromQRgb(clientColour_.rgb());
  surface_.Resize(client_->width(), client_->height(), colour);
  surface_.Clear(colour);
  Recompute();
  client_->update();
}

void TChildWindow::showEvent(QShowEvent* event) {
  QMdiSubWindow::showEvent(event);
  if (placed_) return;
  placed_ = true;
  if (maximised_) {
    setWindowState(windowState() | Qt::WindowMaximized);
  } else if (placement_.isValid()) {
    setGeometry(placement_);
  }
  FormShow();
}

// --- TSpinButton ---

TSpinButton::TSpinButton(QWidget* parent) : QWidget(parent) {
  up_ = new QToolButton(this);
  up_->setObjectName(QStringLiteral("Up"));
  up_->setArrowType(Qt::UpArrow);
  down_ = new QToolButton(this);
  down_->setObjectName(QStringLiteral("Down"));
  down_->setArrowType(Qt::DownArrow);
  for (QToolButton* button : {up_, down_}) {
    button->setAutoRepeat(true);
    button->setAutoRepeatDelay(400);
    button->setAutoRepeatInterval(100);
    button->setFocusPolicy(Qt::NoFocus);
  }
  connect(up_, &QToolButton::clicked, this, &TSpinButton::UpClick);
  connect(down_, &QToolButton::clicked, this, &TSpinButton::DownClick);
}

void TSpinButton::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  const int half = height() / 2;
  up_->setGeometry(0, 0, width(), half);
  down_->setGeometry(0, half, width(), height() - half);
}

// --- Window kinds and their factories ---

namespace {

constexpr std::array<std::string_view, kWindowKindCount> kWindowKindNames = {
    "increment", "earth",         "solar-eclipses", "sun-position",   "day-night",
    "mercury",   "venus",         "mars",           "jupiter",        "saturn",
    "moon",      "jupiter-moons", "earth-centre",   "jupiter-centre", "lunar-eclipses",
    "calendar",  "almanac",       "holidays",       "datafiles",      "pictures",
    "orbit"};

std::array<TWindowFactory, kWindowKindCount>& Factories() {
  static std::array<TWindowFactory, kWindowKindCount> factories;
  return factories;
}

}  // namespace

std::string_view WindowKindName(TWindowKind kind) {
  return kWindowKindNames[static_cast<std::size_t>(kind)];
}

void RegisterWindowFactory(TWindowKind kind, TWindowFactory factory) {
  Factories()[static_cast<std::size_t>(kind)] = std::move(factory);
}

const TWindowFactory* FindWindowFactory(TWindowKind kind) {
  const TWindowFactory& factory = Factories()[static_cast<std::size_t>(kind)];
  return factory ? &factory : nullptr;
}

}  // namespace himlavy
