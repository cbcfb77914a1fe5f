#include "shell/main_frame.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QMdiArea>
#include <QStatusBar>
#include <QTimer>

#include "shell/fonts_draw.h"
#include "shell/parameter_file.h"
#include "shell/status_line.h"
#include "shell/textfile.h"

namespace himlavy {

int TimerSpeedInterval(int timerSpeed) {
  switch (timerSpeed) {
    case 1:
      return 1000;
    case 2:
      return 100;
    default:
      return 10000;
  }
}

char LocaleDecimalSeparator() {
  const QString point = QLocale().decimalPoint();
  return point == QStringLiteral(",") ? ',' : '.';
}

THimlavy2::THimlavy2(TObsState& state, std::filesystem::path dataDir, bool startUp, QWidget* parent)
    : QMainWindow(parent), state_(state), dataDir_(std::move(dataDir)), startUp_(startUp) {
  setObjectName(QStringLiteral("Himlavy2"));
  setWindowTitle(QStringLiteral("Himlavy 4.6"));

  mdiArea_ = new QMdiArea(this);
  mdiArea_->setBackground(QColor(128, 128, 128));
  setCentralWidget(mdiArea_);

  // The status line: nine sunken panels of fixed widths in a bar 22 pixels high.
  auto* bar = new QWidget(this);
  bar->setFixedHeight(22);
  auto* layout = new QHBoxLayout(bar);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  const QFont font = MakeFont(QStringLiteral("MS Sans Serif"), 8);
  for (std::size_t i = 0; i < panels_.size(); ++i) {
    auto* panel = new QLabel(bar);
    panel->setObjectName(QStringLiteral("Panel%1").arg(i + 2));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setFixedWidth(kStatusPanelWidths[i]);
    panel->setFont(font);
    panel->setAutoFillBackground(true);
    layout->addWidget(panel);
    panels_[i] = panel;
  }
  layout->addStretch(1);
  statusBar()->setSizeGripEnabled(false);
  statusBar()->addWidget(bar, 1);

  timer1_ = new QTimer(this);
  timer1_->setInterval(100);
  connect(timer1_, &QTimer::timeout, this, &THimlavy2::Timer1Timer);
  timer2_ = new QTimer(this);
  timer2_->setInterval(100);
  connect(timer2_, &QTimer::timeout, this, &THimlavy2::Timer2Timer);

  setGeometry(0, 0, 1024, 768);
  RefreshStatusLine();
}

void THimlavy2::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (!shown_) {
    shown_ = true;
    FormShow();
  }
}

void THimlavy2::FormShow() {
  move(0, 0);
  resize(1024, 768);
  if (startUp_) {
    LoadParameters(state_, ResolveDataPath(dataDir_, kParameterFileName));
    SetMomentFromComputerClock(state_);
    timer1_->start();
    timer2_->start();
  }
  RefreshStatusLine();
}

void THimlavy2::RefreshStatusLine() {
  const auto texts = StatusLineTexts(state_, LocaleDecimalSeparator());
  for (std::size_t i = 0; i < panels_.size(); ++i) {
    const QString text = QString::fromStdString(texts[i]);
    if (panels_[i]->text() != text) panels_[i]->setText(text);
  }
}

void THimlavy2::Timer1Timer() {
  IncrementTick(state_);
}

void THimlavy2::Timer2Timer() {
  const int interval = TimerSpeedInterval(state_.TimerSpeed);
  if (timer1_->interval() != interval) timer1_->setInterval(interval);
  RefreshStatusLine();
}

}  // namespace himlavy
