#include "eclipses/lunar_eclipses_window.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include "eclipses/eclipse_draw.h"
#include "shell/fonts_draw.h"
#include "shell/user_locale.h"

namespace himlavy {

namespace {

constexpr int kFollowMs = 3000;

}  // namespace

TLunarEclipsesWindow::TLunarEclipsesWindow(TObsState& state, const std::filesystem::path& dataDir,
                                           QWidget* parent)
    : TChildWindow(state, dataDir, parent) {
  setObjectName(QStringLiteral("lunarEclipsesWindow"));
  setWindowTitle(QStringLiteral("Månförmörkelser"));
  SetPlacement(QRect(570, 73, 449, 160));
  SetFixedBorder();
  SetClientColour(palette().color(QPalette::Button));
  SetRedrawFlag(&TObsState::RedrawLunarEcl);
  SetFollowTimer(kFollowMs, false);
  SetHelpTopic(QStringLiteral("HVHELP.XAN_294"));

  titleLabel_ = new QLabel(Client());
  titleLabel_->setObjectName(QStringLiteral("titleLabel"));
  titleLabel_->setTextFormat(Qt::PlainText);
  titleLabel_->setFont(MakeFont(QStringLiteral("MS Sans Serif"), 19.0 * 72.0 / 96.0));
  titleLabel_->setGeometry(10, 9, 370, 24);

  QPushButton* help = AddHelpButton(QRect(384, 0, 60, 25));
  help->setFont(ControlFont(QStringLiteral("MS Sans Serif"), 8, true));

  auto* bevel = new QFrame(Client());
  bevel->setObjectName(QStringLiteral("Bevel1"));
  bevel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  bevel->setGeometry(6, 37, 429, 90);
}

void TLunarEclipsesWindow::Recompute() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  report_ = LunarEclipsesReport(State(), LocaleDecimalSeparator());
  titleLabel_->setText(QString::fromStdString(report_.Title));
  DrawLunarEclipseRows(DrawingSurface(), report_);
  Client()->update();
  QApplication::restoreOverrideCursor();
}

}  // namespace himlavy
