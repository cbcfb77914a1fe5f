#include "timecal/calendar_window.h"

#include <QEvent>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

#include "shell/fonts_draw.h"
#include "shell/user_locale.h"
#include "timecal/timecal_draw.h"
#include "timecal/timecal_window.h"

namespace himlavy {

namespace {

// Layout of the client area (the window is 527 x 274 pixels outside).
const QRect kTitleBox(8, 6, 420, 24);
const QRect kPlaceBox(8, 34, 290, 24);
const QRect kHelpBox(440, 4, 75, 25);
// The spin buttons, each with its label to its left, in a row under the help button.
constexpr int kSpinTop = 33;
constexpr int kSpinWidth = 17;
constexpr int kSpinHeight = 28;
constexpr int kLabelTop = 40;
constexpr std::array<int, 3> kSpinLabelX = {325, 367, 436};
constexpr std::array<int, 3> kSpinX = {343, 405, 460};
// The group of the current values and its nine labels, 14 pixels apart.
const QRect kGroupBox(305, kCalendarAreaY, 211, kCalendarAreaHeight);
constexpr int kValueLabelX = 4;
constexpr int kValueLabelTop = 20;
constexpr int kValueLabelWidth = 205;

}  // namespace

TCalendarWindow::TCalendarWindow(TObsState& state, const std::filesystem::path& dataDir,
                                 QWidget* parent)
    : TChildWindow(state, dataDir, parent) {
  setObjectName(QStringLiteral("calendarWindow"));
  setWindowTitle(Utf8Text(kCalendarCaption));
  SetPlacement(
      QRect(kCalendarWindowX, kCalendarWindowY, kCalendarWindowWidth, kCalendarWindowHeight));
  SetFixedBorder();
  SetClientColour(ToQColor(colours::kSilver));
  SetRedrawFlag(&TObsState::RedrawCalendar);
  SetFollowTimer(kCalendarFollowMs, false);
  SetHelpTopic(Utf8Text(kCalendarHelpTopic));

  const QFont small = MakeFont(QStringLiteral("MS Sans Serif"), 8);
  titleLabel_ = AddLargeLabel(Client(), QStringLiteral("titleLabel"), kTitleBox);
  placeLabel_ = AddLargeLabel(Client(), QStringLiteral("placeLabel"), kPlaceBox);

  QPushButton* help = AddHelpButton(kHelpBox, QStringLiteral("helpButton"));
  help->setFont(ControlFont(QStringLiteral("MS Sans Serif"), 8, true));

  for (std::size_t i = 0; i < spinButtons_.size(); ++i) {
    const TCalendarStepButton& button = kCalendarStepButtons[i];
    auto* label = new QLabel(Utf8Text(button.Label), Client());
    label->setObjectName(QStringLiteral("Label%1").arg(i + 3));
    label->setFont(small);
    label->adjustSize();
    label->move(kSpinLabelX[i], kLabelTop);

    auto* spin = new TSpinButton(Client());
    spin->setObjectName(QStringLiteral("SpinButton%1").arg(i + 1));
    spin->setGeometry(kSpinX[i], kSpinTop, kSpinWidth, kSpinHeight);
    for (QWidget* part : {static_cast<QWidget*>(spin), static_cast<QWidget*>(spin->UpButton()),
                          static_cast<QWidget*>(spin->DownButton())}) {
      part->setToolTip(Utf8Text(button.Hint));
      part->setStatusTip(Utf8Text(button.Hint));
    }
    const auto step = static_cast<TCalendarStep>(i);
    connect(spin, &TSpinButton::UpClick, this, [this, step] { SpinButtonClick(step, +1); });
    connect(spin, &TSpinButton::DownClick, this, [this, step] { SpinButtonClick(step, -1); });
    spinButtons_[i] = spin;
  }

  bevel_ = new QFrame(Client());
  bevel_->setObjectName(QStringLiteral("Bevel1"));
  bevel_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  bevel_->setGeometry(kCalendarAreaX, kCalendarAreaY, kCalendarAreaWidth, kCalendarAreaHeight);
  bevel_->setToolTip(Utf8Text(kCalendarAreaHint));
  bevel_->setStatusTip(Utf8Text(kCalendarAreaHint));

  valuesGroup_ = new QGroupBox(Utf8Text(kCalendarGroupCaption), Client());
  valuesGroup_->setObjectName(QStringLiteral("valuesGroup"));
  valuesGroup_->setFont(small);
  valuesGroup_->setGeometry(kGroupBox);
  for (std::size_t i = 0; i < valueLabels_.size(); ++i) {
    auto* label = new QLabel(valuesGroup_);
    label->setObjectName(QStringLiteral("Label%1").arg(i + 6));
    label->setFont(small);
    label->setTextFormat(Qt::PlainText);
    label->setGeometry(kValueLabelX, kValueLabelTop + kCalendarLabelStep * static_cast<int>(i),
                       kValueLabelWidth, kCalendarLabelStep);
    valueLabels_[i] = label;
  }

  Client()->installEventFilter(this);
}

void TCalendarWindow::SpinButtonClick(TCalendarStep step, int direction) {
  CalendarStep(State(), step, direction);
}

TCalendarWindow::TInputs TCalendarWindow::CurrentInputs() const {
  const TObsState& s = State();
  return {s.ClockJD,   s.TimeZone, s.Latitude, s.Longitude, s.JD_UT,    s.JD_TT,
          s.Obliquity, s.NutLon,   s.NutObl,   s.TimeScale, s.PlaceName};
}

void TCalendarWindow::Recompute() {
  const TWaitCursor hourglass;
  drawn_ = CurrentInputs();
  hasDrawn_ = true;
  report_ = CalendarReport(State(), DataDir(), LocaleDecimalSeparator());
  titleLabel_->setText(QString::fromStdString(report_.Title));
  placeLabel_->setText(QString::fromStdString(report_.Place));
  for (std::size_t i = 0; i < valueLabels_.size(); ++i) {
    valueLabels_[i]->setText(i < report_.Labels.size() ? QString::fromStdString(report_.Labels[i])
                                                       : QString());
  }
  DrawCalendarLines(DrawingSurface(), report_, colours::kSilver);
}

bool TCalendarWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Client() && event->type() == QEvent::Paint && hasDrawn_ &&
      !(CurrentInputs() == drawn_)) {
    Recompute();
  }
  return TChildWindow::eventFilter(watched, event);
}

}  // namespace himlavy
