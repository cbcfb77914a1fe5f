#include "shell/exit_dialog.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>

#include "shell/child_window.h"
#include "shell/emblem_draw.h"
#include "shell/fonts_draw.h"

namespace himlavy {

namespace {

QPushButton* MakeButton(const QString& text, const QColor& colour, const QRect& geometry,
                        QWidget* parent) {
  auto* button = new QPushButton(text, parent);
  button->setGeometry(geometry);
  button->setFont(ControlFont(QStringLiteral("MS Sans Serif"), 8, true));
  QPalette palette = button->palette();
  palette.setColor(QPalette::ButtonText, colour);
  button->setPalette(palette);
  return button;
}

}  // namespace

TExitDialog::TExitDialog(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("exitDialog"));
  setWindowTitle(QStringLiteral("Avsluta Himlavy"));
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
  setModal(true);
  setFixedSize(384, 152);
  setFont(MakeFont(QStringLiteral("MS Sans Serif"), 8));

  // The picture in a sunken bevel on the left.
  auto* bevel = new QFrame(this);
  bevel->setObjectName(QStringLiteral("Bevel1"));
  bevel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  bevel->setGeometry(8, 8, 285, 136);
  auto* picture = new QLabel(bevel);
  picture->setObjectName(QStringLiteral("exitPicture"));
  picture->setGeometry(2, 2, 281, 132);
  picture->setPixmap(QPixmap::fromImage(SkyPicture(QSize(281, 132), false)));

  // The buttons on the right.
  yesButton_ = MakeButton(QStringLiteral("Ja"), QColor(0, 128, 0), QRect(301, 8, 75, 25), this);
  yesButton_->setObjectName(QStringLiteral("OKBtn"));
  yesButton_->setDefault(true);
  noButton_ = MakeButton(QStringLiteral("Nej"), QColor(255, 0, 0), QRect(301, 38, 75, 25), this);
  noButton_->setObjectName(QStringLiteral("CancelBtn"));
  connect(yesButton_, &QPushButton::clicked, this, &QDialog::accept);
  connect(noButton_, &QPushButton::clicked, this, &QDialog::reject);
}

void TExitDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // Centred on the screen, whatever the parent.
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - rect().center());
  }
}

}  // namespace himlavy
