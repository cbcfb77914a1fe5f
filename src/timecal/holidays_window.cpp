#include "timecal/holidays_window.h"

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

// Layout of the client area (the window is 408 x 304 pixels outside).
const QRect kTitleBox(8, 6, 300, 24);
const QRect kHelpBox(318, 6, 75, 25);

}  // namespace

THolidaysWindow::THolidaysWindow(TObsState& state, const std::filesystem::path& dataDir,
                                 QWidget* parent)
    : TChildWindow(state, dataDir, parent) {
  setObjectName(QStringLiteral("holidaysWindow"));
  setWindowTitle(Utf8Text(kHolidaysCaption));
  SetPlacement(
      QRect(kHolidaysWindowX, kHolidaysWindowY, kHolidaysWindowWidth, kHolidaysWindowHeight));
  SetFixedBorder();
  SetClientColour(ToQColor(colours::kSilver));
  SetRedrawFlag(&TObsState::RedrawHolidays);
  SetFollowTimer(kHolidaysFollowMs, false);
  SetHelpTopic(Utf8Text(kHolidaysHelpTopic));

  titleLabel_ = AddLargeLabel(Client(), QStringLiteral("titleLabel"), kTitleBox);

  QPushButton* help = AddHelpButton(kHelpBox, QStringLiteral("helpButton"));
  help->setFont(ControlFont(QStringLiteral("MS Sans Serif"), 8, true));

  bevel_ = new QFrame(Client());
  bevel_->setObjectName(QStringLiteral("Bevel1"));
  bevel_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  bevel_->setGeometry(kHolidaysAreaX, kHolidaysAreaY, kHolidaysAreaWidth, kHolidaysAreaHeight);

  Client()->installEventFilter(this);
}

void THolidaysWindow::Recompute() {
  const TWaitCursor hourglass;
  drawnClockJD_ = State().ClockJD;
  hasDrawn_ = true;
  report_ = HolidaysReport(State(), LocaleDecimalSeparator());
  titleLabel_->setText(QString::fromStdString(report_.Title));
  DrawHolidayLines(DrawingSurface(), report_, colours::kSilver);
}

bool THolidaysWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Client() && event->type() == QEvent::Paint && hasDrawn_ &&
      State().ClockJD != drawnClockJD_) {
    Recompute();
  }
  return TChildWindow::eventFilter(watched, event);
}

}  // namespace himlavy
