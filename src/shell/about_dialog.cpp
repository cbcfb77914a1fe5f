#include "shell/about_dialog.h"

#include <QFrame>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

#include "shell/emblem_draw.h"
#include "shell/fonts_draw.h"

namespace himlavy {

TAboutDialog::TAboutDialog(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("aboutDialog"));
  setWindowTitle(QStringLiteral("Om Himlavy"));
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
  setModal(true);
  setFixedSize(290, 182);
  setFont(MakeFont(QStringLiteral("MS Sans Serif"), 8));

  auto* panel = new QFrame(this);
  panel->setObjectName(QStringLiteral("aboutPanel"));
  panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  panel->setGeometry(8, 8, 274, 132);

  auto* icon = new QLabel(panel);
  icon->setObjectName(QStringLiteral("ProgramIcon"));
  icon->setPixmap(QPixmap::fromImage(ProgramIconImage(48)));
  icon->setGeometry(12, 12, 48, 48);

  auto* product = new QLabel(QStringLiteral("Himlavy"), panel);
  product->setObjectName(QStringLiteral("ProductName"));
  product->setFont(MakeFont(QStringLiteral("Arial"), 16, true, true));
  product->setGeometry(80, 12, 180, 28);

  auto* platform = new QLabel(QStringLiteral("Windows 95/98/NT/2000"), panel);
  platform->setObjectName(QStringLiteral("Comments"));
  platform->setGeometry(80, 48, 180, 16);

  auto* version = new QLabel(QStringLiteral("version 4.6"), panel);
  version->setObjectName(QStringLiteral("Version"));
  version->setGeometry(80, 70, 180, 16);

  okButton_ = new QPushButton(QStringLiteral("Åter"), this);
  okButton_->setObjectName(QStringLiteral("OKButton"));
  okButton_->setGeometry(107, 148, 75, 25);
  okButton_->setDefault(true);
  connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
}

}  // namespace himlavy
