#include "earth/earth_windows.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>

#include "base/textfile.h"
#include "earth/earth_views_draw.h"
#include "shell/cursor_draw.h"
#include "shell/fonts_draw.h"

namespace himlavy {

namespace {

// The windows fill the frame; the globes need 1024 x 768.
const QRect kMaximisedPlacement(-3, -22, 1024, 768);
// The column beside the Earth map's globe.
constexpr int kColumnX = 700;
constexpr int kColumnWidth = 300;

QString Text(const std::string& utf8) {
  return QString::fromUtf8(utf8);
}

void SetHint(QWidget* w, const QString& hint) {
  const qsizetype bar = hint.indexOf(QLatin1Char('|'));
  w->setToolTip(bar < 0 ? hint : hint.left(bar));
  w->setStatusTip(hint);
}

QPlainTextEdit* AddMemo(QWidget* parent, const QString& name, const QRect& box) {
  auto* memo = new QPlainTextEdit(parent);
  memo->setObjectName(name);
  memo->setGeometry(box);
  memo->setReadOnly(true);
  memo->setFont(MakeFont(QStringLiteral("MS Sans Serif"), 10));
  memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  memo->setCursor(Qt::ArrowCursor);
  return memo;
}

}  // namespace

TEarthWindow::TEarthWindow(TObsState& state, const std::filesystem::path& dataDir, QWidget* parent)
    : TChildWindow(state, dataDir, parent) {
  setObjectName(QStringLiteral("earthWindow"));
  setWindowTitle(QStringLiteral("Jorden"));
  SetPlacement(kMaximisedPlacement);
  SetMaximised(true);
  SetClientColour(ToQColor(colours::kSilver));
  SetRedrawFlag(&TObsState::RedrawEarth);
  SetHelpTopic(QStringLiteral("HVHELP.XAN_278"));
  Client()->setCursor(ProgramCursor("CROSSHAIR"));
  Client()->setMouseTracking(true);
  Client()->installEventFilter(this);

  auto* heading = new QLabel(QStringLiteral("Jorden med ortsnamn"), Client());
  heading->setObjectName(QStringLiteral("headingLabel"));
  heading->setFont(MakeFont(QStringLiteral("Arial"), 16, true));
  heading->setGeometry(kColumnX, 20, kColumnWidth, 30);
  placeMemo_ =
      AddMemo(Client(), QStringLiteral("placeMemo"), QRect(kColumnX, 60, kColumnWidth, 44));
  coordinatesMemo_ =
      AddMemo(Client(), QStringLiteral("coordinatesMemo"), QRect(kColumnX, 110, kColumnWidth, 44));
  zoneMemo_ = AddMemo(Client(), QStringLiteral("zoneMemo"), QRect(kColumnX, 160, kColumnWidth, 26));
  placeNamePanel_ = new QLabel(Client());
  placeNamePanel_->setObjectName(QStringLiteral("placeNamePanel"));
  placeNamePanel_->setGeometry(kColumnX, 196, kColumnWidth, 21);
  placeNamePanel_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  placeNamePanel_->setTextFormat(Qt::PlainText);
  placeNamePanel_->setFont(MakeFont(QStringLiteral("MS Sans Serif"), 10));
  placeNamePanel_->setCursor(Qt::ArrowCursor);
  SetHint(placeNamePanel_,
          QStringLiteral("| Placera korset över en ort och tryck på vänster musknapp"));
  AddCloseButton(QRect(kColumnX, 230, 75, 25))->setCursor(Qt::ArrowCursor);
  AddHelpButton(QRect(kColumnX + 85, 230, 75, 25))->setCursor(Qt::ArrowCursor);
  connect(this, &QMdiSubWindow::aboutToActivate, this, [this] { showMaximized(); });
}

void TEarthWindow::Recompute() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  Canvas& canvas = DrawingSurface();
  const TEarthMapResult result = DrawEarthMap(canvas, State(), DataDir(), hits_);
  DrawSiteMarker(canvas);
  placeMemo_->setPlainText(Text(result.Texts.PlaceAndCountry));
  coordinatesMemo_->setPlainText(Text(result.Texts.Coordinates));
  zoneMemo_->setPlainText(Text(result.Texts.Zone));
  QApplication::restoreOverrideCursor();
  if (result.MissingFile) QApplication::beep();
}

void TEarthWindow::LeftClick(int x, int y) {
  if (!ChooseSiteAt(State(), x, y)) return;
  Recompute();
  Client()->update();
  RaiseFlagsAfterSiteChange(State());
}

void TEarthWindow::MouseMove(int x, int y) {
  placeNamePanel_->setText(Text(hits_.NameAt(x, y)));
}

bool TEarthWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Client()) {
    if (event->type() == QEvent::MouseButtonPress) {
      const auto* mouse = static_cast<QMouseEvent*>(event);
      const QPoint p = mouse->position().toPoint();
      if (mouse->button() == Qt::LeftButton) LeftClick(p.x(), p.y());
      return true;
    }
    if (event->type() == QEvent::MouseMove) {
      const QPoint p = static_cast<QMouseEvent*>(event)->position().toPoint();
      MouseMove(p.x(), p.y());
    }
  }
  return TChildWindow::eventFilter(watched, event);
}

TSunPositionWindow::TSunPositionWindow(TObsState& state, const std::filesystem::path& dataDir,
                                       QWidget* parent)
    : TChildWindow(state, dataDir, parent) {
  setObjectName(QStringLiteral("sunPositionWindow"));
  setWindowTitle(QStringLiteral("Solens läge"));
  SetPlacement(kMaximisedPlacement);
  SetMaximised(true);
  SetClientColour(ToQColor(colours::kSilver));
  SetRedrawFlag(&TObsState::RedrawSunPos);
  SetFollowTimer(TimerSpeedInterval(state.TimerSpeed), true);
  SetHelpTopic(QStringLiteral("HVHELP.XAN_280"));
  AddCloseButton(QRect(920, 8, 75, 25));
  AddHelpButton(QRect(920, 38, 75, 25));
  connect(this, &QMdiSubWindow::aboutToActivate, this, [this] { showMaximized(); });
}

void TSunPositionWindow::Recompute() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  bool missingMap = false;
  DrawingSurface().Clear(colours::kSilver);
  const auto sun = DrawSunPosition(DrawingSurface(), State(), DataDir(), &missingMap);
  QApplication::restoreOverrideCursor();
  if (!sun || missingMap) QApplication::beep();
}

TDayNightWindow::TDayNightWindow(TObsState& state, const std::filesystem::path& dataDir,
                                 QWidget* parent)
    : TChildWindow(state, dataDir, parent) {
  setObjectName(QStringLiteral("dayNightWindow"));
  setWindowTitle(QStringLiteral("Dag/natt-linje"));
  SetPlacement(kMaximisedPlacement);
  SetMaximised(true);
  SetClientColour(ToQColor(colours::kSilver));
  SetRedrawFlag(&TObsState::RedrawDayNight);
  SetFollowTimer(TimerSpeedInterval(state.TimerSpeed), true);
  SetHelpTopic(QStringLiteral("HVHELP.XAN_280"));
  AddCloseButton(QRect(920, 8, 75, 25));
  AddHelpButton(QRect(920, 38, 75, 25));
  connect(this, &QMdiSubWindow::aboutToActivate, this, [this] { showMaximized(); });
}

void TDayNightWindow::Recompute() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  bool missingFile = false;
  DrawingSurface().Clear(colours::kSilver);
  const auto sun = DrawDayNight(DrawingSurface(), State(), DataDir(), &missingFile);
  QApplication::restoreOverrideCursor();
  if (!sun || missingFile) QApplication::beep();
}

TEarthCentreWindow::TEarthCentreWindow(TObsState& state, const std::filesystem::path& dataDir,
                                       QWidget* parent)
    : TChildWindow(state, dataDir, parent) {
  setObjectName(QStringLiteral("earthCentreWindow"));
  setWindowTitle(QStringLiteral("Jorden i centrum"));
  SetPlacement(QRect(300, 120, 406, 425));
  SetFixedBorder();
  SetClientColour(ToQColor(state.DisplayMode == 1 ? colours::kSilver : colours::kBlack));
  SetRedrawFlag(&TObsState::RedrawEarthCentre);
  SetFollowTimer(100, false);
  setWindowFlag(Qt::WindowStaysOnTopHint);
  SetHint(this, QStringLiteral("| Ekvatoriala koordinater"));
  Client()->setCursor(ProgramCursor("CROSSHAIR"));
  Client()->setMouseTracking(true);
  Client()->installEventFilter(this);
  namePanel_ = new QLabel(Client());
  namePanel_->setObjectName(QStringLiteral("namePanel"));
  namePanel_->setGeometry(285, 379, 111, 17);
  namePanel_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  namePanel_->setTextFormat(Qt::PlainText);
  namePanel_->setAutoFillBackground(true);
  namePanel_->setFont(MakeFont(QStringLiteral("MS Sans Serif"), 8));
}

void TEarthCentreWindow::LoadMap() {
  if (mapRead_) return;
  mapRead_ = true;
  if (auto map = ReadMapFile(ResolveDataPath(DataDir(), kMapFileName))) {
    map_ = std::move(*map);
  } else {
    QApplication::beep();
  }
}

void TEarthCentreWindow::Recompute() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const TObsState& state = State();
  if (state.CoordSystem == 0) pixelsPerAU_ = kEarthCentrePixelsPerAU;
  const double viewScale = state.ChartScale;
  if (viewScale >= kCoastlinesScale) LoadMap();
  const TEarthCentreScene scene = EarthCentreScene(state, DataDir());
  DrawEarthCentre(DrawingSurface(), state, scene, viewScale, viewScale * pixelsPerAU_, map_,
                  points_);
  QApplication::restoreOverrideCursor();
  if (scene.MissingFile) QApplication::beep();
}

void TEarthCentreWindow::FollowTick() {
  const TObsState& state = State();
  const double viewScale = state.ChartScale;
  const TEarthCentreScene scene = EarthCentreScene(state, DataDir());
  if (viewScale >= kCoastlinesScale) {
    LoadMap();
    DrawEarthGlobes(DrawingSurface(), state, scene, viewScale, map_);
  }
  DrawEarthCentreBodies(DrawingSurface(), state, scene, viewScale, viewScale * pixelsPerAU_,
                        points_);
}

void TEarthCentreWindow::MouseMove(int x, int y) {
  namePanel_->setText(Text(points_.NameAt(x, y)));
}

bool TEarthCentreWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Client() && event->type() == QEvent::MouseMove) {
    const QPoint p = static_cast<QMouseEvent*>(event)->position().toPoint();
    MouseMove(p.x(), p.y());
  }
  return TChildWindow::eventFilter(watched, event);
}

}  // namespace himlavy
