#include "planets/planet_disk_window.h"

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>

#include "planets/disk_draw.h"
#include "shell/fonts_draw.h"

namespace himlavy {

namespace {

// Where each view stands in the frame, where its drawing is centred and how tall its text box
// is (the box is 175 pixels wide at (2, 2) in every view).
struct TDiskWindowLayout {
  TBody Body;
  const char* Caption;
  const char* ObjectName;
  QRect Placement;  // left, top, width, height of the whole window
  QPoint Centre;
  int TextHeight;
  const char* LabelFont;
  int TObsState::*RedrawFlag;
};

const TDiskWindowLayout kLayouts[] = {
    {TBody::Mercury, "Merkurius", "mercuryWindow", QRect(779, 73, 240, 280), QPoint(120, 170), 80,
     "MS Sans Serif", &TObsState::RedrawMercury},
    {TBody::Venus, "Venus", "venusWindow", QRect(591, 73, 428, 557), QPoint(209, 320), 80,
     "MS Sans Serif", &TObsState::RedrawVenus},
    {TBody::Mars, "Mars", "marsWindow", QRect(774, 73, 245, 318), QPoint(120, 200), 80, "Arial",
     &TObsState::RedrawMars},
    {TBody::Jupiter, "Jupiter", "jupiterWindow", QRect(672, 73, 347, 467), QPoint(169, 270), 67,
     "Arial", &TObsState::RedrawJupiter},
    {TBody::Saturn, "Saturnus", "saturnWindow", QRect(731, 73, 288, 432), QPoint(140, 265), 93,
     "Arial", &TObsState::RedrawSaturn},
    {TBody::Moon, "Månen", "moonWindow", QRect(732, 73, 287, 417), QPoint(140, 250), 80, "Arial",
     &TObsState::RedrawMoon},
};

const TDiskWindowLayout& LayoutOf(TBody body) {
  for (const TDiskWindowLayout& layout : kLayouts) {
    if (layout.Body == body) return layout;
  }
  return kLayouts[0];
}

constexpr int kTextLeft = 2;
constexpr int kTextTop = 2;
constexpr int kTextWidth = 175;
constexpr int kLabelGap = 4;      // between the text box and the label under it
constexpr int kLabelLeftOf = 12;  // the label starts this far left of the centre
constexpr int kFirstFollowMs = 300;

const QColor kClientColour(0, 0, 128);

}  // namespace

TPlanetDiskWindow::TPlanetDiskWindow(TBody body, TObsState& state,
                                     const std::filesystem::path& dataDir, QWidget* parent)
    : TChildWindow(state, dataDir, parent), body_(body) {
  const TDiskWindowLayout& layout = LayoutOf(body);
  body_ = layout.Body;
  centre_ = layout.Centre;
  setObjectName(QString::fromLatin1(layout.ObjectName));
  setWindowTitle(QString::fromUtf8(layout.Caption));
  SetPlacement(layout.Placement);
  SetFixedBorder();
  // A single border with the system menu (and its close button) only.
  setWindowFlags(Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint);
  SetClientColour(kClientColour);
  SetRedrawFlag(layout.RedrawFlag);
  SetFollowTimer(kFirstFollowMs, true);

  textBox_ = new QPlainTextEdit(Client());
  textBox_->setObjectName(QStringLiteral("textBox"));
  textBox_->setGeometry(kTextLeft, kTextTop, kTextWidth, layout.TextHeight);
  textBox_->setReadOnly(true);
  textBox_->setFrameStyle(QFrame::NoFrame);
  textBox_->setFont(MakeFont(QStringLiteral("Arial Narrow"), 8));
  textBox_->setLineWrapMode(QPlainTextEdit::NoWrap);
  textBox_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  textBox_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  textBox_->document()->setDocumentMargin(1);
  QPalette boxPalette = textBox_->palette();
  boxPalette.setColor(QPalette::Base, boxPalette.color(QPalette::Button));
  textBox_->setPalette(boxPalette);

  orientationLabel_ = new QLabel(Client());
  orientationLabel_->setObjectName(QStringLiteral("orientationLabel"));
  orientationLabel_->setFont(MakeFont(QString::fromLatin1(layout.LabelFont), 8));
  orientationLabel_->setTextFormat(Qt::PlainText);
  QPalette labelPalette = orientationLabel_->palette();
  labelPalette.setColor(QPalette::WindowText, Qt::white);
  orientationLabel_->setPalette(labelPalette);
  orientationLabel_->move(centre_.x() - kLabelLeftOf, kTextTop + layout.TextHeight + kLabelGap);
}

void TPlanetDiskWindow::Recompute() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  view_ = DiskView(body_, State(), DataDir());
  Canvas& canvas = DrawingSurface();
  canvas.Clear(FromQRgb(kClientColour.rgb()));
  if (view_) {
    DrawDiskView(canvas, *view_, centre_.x(), centre_.y());
    QStringList lines;
    for (const std::string& line : view_->Lines) lines << QString::fromStdString(line);
    textBox_->setPlainText(lines.join(QLatin1Char('\n')));
    orientationLabel_->setText(QString::fromStdString(DiskOrientationLabel(*view_)));
  } else {
    textBox_->setPlainText(
        QStringLiteral(" Planetfilerna PLANETS2.NDX och PLANETS.DAT saknas eller är skadade."));
    orientationLabel_->clear();
  }
  orientationLabel_->adjustSize();
  QApplication::restoreOverrideCursor();
}

TWindowFactory PlanetDiskWindowFactory(TBody body) {
  return [body](TObsState& state, const std::filesystem::path& dataDir) -> TChildWindow* {
    return new TPlanetDiskWindow(body, state, dataDir);
  };
}

}  // namespace himlavy
