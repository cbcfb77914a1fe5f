#include "timecal/almanac_window.h"

#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include "shell/fonts_draw.h"
#include "shell/user_locale.h"
#include "timecal/timecal_draw.h"
#include "timecal/timecal_window.h"

namespace himlavy {

namespace {

// The window's place in the frame's client area (its size is 820 x 634 pixels).
constexpr int kWindowX = 100;
constexpr int kWindowY = 0;

// Layout of the client area.
const QRect kTitleBox(8, 4, 600, 24);
const QRect kHelpBox(730, 4, 75, 25);

}  // namespace

TAlmanacWindow::TAlmanacWindow(TObsState& state, const std::filesystem::path& dataDir,
                               QWidget* parent)
    : TChildWindow(state, dataDir, parent) {
  setObjectName(QStringLiteral("almanacWindow"));
  setWindowTitle(Utf8Text(kAlmanacCaption));
  SetPlacement(QRect(kWindowX, kWindowY, kAlmanacWindowWidth, kAlmanacWindowHeight));
  SetFixedBorder();
  SetClientColour(ToQColor(colours::kSilver));
  SetRedrawFlag(&TObsState::RedrawAlmanac);
  SetFollowTimer(kAlmanacFollowMs, false);
  SetHelpTopic(Utf8Text(kAlmanacHelpTopic));

  titleLabel_ = AddLargeLabel(Client(), QStringLiteral("titleLabel"), kTitleBox);

  QPushButton* help = AddHelpButton(kHelpBox, QStringLiteral("helpButton"));
  help->setFont(ControlFont(QStringLiteral("MS Sans Serif"), 8, true));

  const int columnX[] = {kAlmanacLeftColumnX, kAlmanacRightColumnX};
  for (int i = 0; i < 2; ++i) {
    auto* column = new QFrame(Client());
    column->setObjectName(QStringLiteral("Bevel%1").arg(i + 1));
    column->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    column->setGeometry(columnX[i], kAlmanacColumnY, kAlmanacColumnWidth, kAlmanacColumnHeight);
    (i == 0 ? leftColumn_ : rightColumn_) = column;
  }

  Client()->installEventFilter(this);
}

TAlmanacWindow::TInputs TAlmanacWindow::CurrentInputs() const {
  return {State().ClockJD, State().TimeZone, State().TimeScale};
}

void TAlmanacWindow::Recompute() {
  const TWaitCursor hourglass;
  drawn_ = CurrentInputs();
  hasDrawn_ = true;
  report_ = AlmanacReport(State(), LocaleDecimalSeparator());
  titleLabel_->setText(QString::fromStdString(report_.Title));
  DrawAlmanacLines(DrawingSurface(), report_, colours::kSilver);
}

bool TAlmanacWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Client() && event->type() == QEvent::Paint && hasDrawn_ &&
      !(CurrentInputs() == drawn_)) {
    Recompute();
  }
  return TChildWindow::eventFilter(watched, event);
}

}  // namespace himlavy
