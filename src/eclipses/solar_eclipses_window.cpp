#include "eclipses/solar_eclipses_window.h"

#include <QApplication>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "base/place_lookup.h"
#include "base/textfile.h"
#include "shell/cursor_draw.h"
#include "shell/fonts_draw.h"
#include "shell/user_locale.h"

namespace himlavy {

namespace {

constexpr int kMarkerMs = 1000;
constexpr int kFollowMs = 1000;

}  // namespace

TSolarEclipsesWindow::TSolarEclipsesWindow(TObsState& state, const std::filesystem::path& dataDir,
                                           QWidget* parent)
    : TChildWindow(state, dataDir, parent) {
  setObjectName(QStringLiteral("solarEclipsesWindow"));
  setWindowTitle(QStringLiteral("Solförmörkelser"));
  SetPlacement(QRect(-3, -22, 1024, 768));
  SetMaximised(true);
  SetClientColour(ToQColor(colours::kSilver));
  SetRedrawFlag(&TObsState::RedrawSolarEcl);
  SetFollowTimer(kFollowMs, false);
  SetHelpTopic(QStringLiteral("HVHELP.XAN_279"));
  Client()->setCursor(ProgramCursor("CROSSHAIR"));
  Client()->setMouseTracking(true);

  auto* bevel = new QFrame(Client());
  bevel->setObjectName(QStringLiteral("Bevel1"));
  bevel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  bevel->setGeometry(70, 0, 545, 98);
  bevel->setAttribute(Qt::WA_TransparentForMouseEvents);

  const QFont bold = ControlFont(QStringLiteral("MS Sans Serif"), 8, true);
  QPushButton* close = AddCloseButton(QRect(0, 0, 70, 25));
  auto* redraw = new QPushButton(QStringLiteral("&Rita"), Client());
  redraw->setObjectName(QStringLiteral("redrawButton"));
  redraw->setGeometry(0, 25, 70, 25);
  connect(redraw, &QPushButton::clicked, this, [this] { Recompute(); });
  QPushButton* help = AddHelpButton(QRect(0, 50, 70, 25));
  for (QPushButton* b : {close, redraw, help}) {
    b->setFont(bold);
    b->setCursor(Qt::ArrowCursor);
  }

  auto* group = new QGroupBox(QStringLiteral("Sätt data"), Client());
  group->setObjectName(QStringLiteral("setDataGroup"));
  group->setGeometry(549, 8, 84, 88);
  group->setCursor(Qt::ArrowCursor);
  for (int k = 0; k < kMaxSolarEclipseRows; ++k) {
    auto* radio = new QRadioButton(QString::number(k + 1), group);
    radio->setObjectName(QStringLiteral("rowButton%1").arg(k + 1));
    radio->setGeometry(k < 3 ? 8 : 46, 18 + 22 * (k % 3), 34, 18);
    radio->setVisible(k < 2);
    connect(radio, &QRadioButton::clicked, this, [this, k] { SetDataFromRow(k); });
    rowButtons_[static_cast<std::size_t>(k)] = radio;
  }

  const auto label = [this](const QString& name, const QRect& box, const QFont& font) {
    auto* l = new QLabel(Client());
    l->setObjectName(name);
    l->setTextFormat(Qt::PlainText);
    l->setFont(font);
    l->setGeometry(box);
    return l;
  };
  titleLabel_ = label(QStringLiteral("titleLabel"), QRect(639, 9, 380, 26),
                      MakeFont(QStringLiteral("MS Sans Serif"), 19.0 * 72.0 / 96.0));
  const QFont plain = ControlFont(QStringLiteral("MS Sans Serif"), 8);
  placeLabel_ = label(QStringLiteral("placeLabel"), QRect(639, 40, 380, 16), plain);
  placeLabel_->setText(QString::fromStdString(state.PlaceName));
  countryLabel_ = label(QStringLiteral("countryLabel"), QRect(639, 59, 380, 16), plain);
  namePanel_ = label(QStringLiteral("namePanel"), QRect(635, 82, 250, 17), plain);
  namePanel_->setFrameStyle(QFrame::Panel | QFrame::Sunken);

  markerTimer_ = new QTimer(this);
  markerTimer_->setInterval(kMarkerMs);
  connect(markerTimer_, &QTimer::timeout, this, [this] {
    DrawSiteMarker(DrawingSurface(), State().Latitude, State().Longitude);
    Client()->update();
  });
  markerTimer_->start();

  Client()->installEventFilter(this);
}

void TSolarEclipsesWindow::LoadGeography() {
  if (geographyLoaded_) return;
  geographyLoaded_ = true;
  // A file that cannot be read leaves the map without coastlines or places.
  if (auto map = ReadMapFile(ResolveDataPath(DataDir(), std::string(kMapFileName)))) {
    coastlines_ = CutAtDateLine(*map);
  } else {
    QApplication::beep();
  }
  if (auto places = ReadPlaceFile(ResolveDataPath(DataDir(), std::string(kPlaceFileName)))) {
    places_ = std::move(*places);
  } else {
    QApplication::beep();
  }
  if (auto countries = ReadCountryFile(ResolveDataPath(DataDir(), std::string(kCountryFileName)))) {
    countries_ = std::move(*countries);
  }
}

void TSolarEclipsesWindow::DrawAll() {
  Canvas& canvas = DrawingSurface();
  DrawEclipseMap(canvas, coastlines_, State().MapColour == 1);
  placeHits_ = DrawEclipseMapPlaces(canvas, places_);
  DrawSolarEclipseRows(canvas, report_);
  DrawSiteMarker(canvas, State().Latitude, State().Longitude);
  Client()->update();
}

void TSolarEclipsesWindow::Recompute() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  LoadGeography();
  report_ = SolarEclipsesReport(State(), LocaleDecimalSeparator());
  titleLabel_->setText(QString::fromStdString(report_.Title));
  const int rows = std::max<int>(1, static_cast<int>(report_.Rows.size()));
  for (int k = 0; k < kMaxSolarEclipseRows; ++k) {
    rowButtons_[static_cast<std::size_t>(k)]->setVisible(k < rows);
  }
  DrawAll();
  QApplication::restoreOverrideCursor();
}

void TSolarEclipsesWindow::SetDataFromRow(int k) {
  if (k < 0 || k >= static_cast<int>(report_.Rows.size())) return;
  MoveToSolarEclipse(State(), report_.Rows[static_cast<std::size_t>(k)]);
  placeLabel_->setText(QString::fromStdString(State().PlaceName));
}

void TSolarEclipsesWindow::MapMouseDown(int x, int y) {
  const TMapPlace point = EclipseMapPlace(x, y);
  const TSiteChoice site = ChooseSiteAt(point.Latitude, point.Longitude, places_, countries_);
  State().PlaceName = site.PlaceName;
  State().NewPlaceName.clear();
  State().Latitude = site.Latitude;
  State().Longitude = site.Longitude;
  placeLabel_->setText(QString::fromStdString(site.PlaceName));
  countryLabel_->setText(QString::fromStdString(site.Country));
  // Every window showing the site follows it.
  RaiseAllRedrawFlags(State());
}

void TSolarEclipsesWindow::MapMouseMove(int x, int y) {
  namePanel_->setText(QString::fromStdString(PlaceNameAt(placeHits_, x, y)));
}

bool TSolarEclipsesWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Client()) {
    if (event->type() == QEvent::MouseButtonPress) {
      const auto* mouse = static_cast<QMouseEvent*>(event);
      if (mouse->button() == Qt::LeftButton) {
        const QPoint p = mouse->position().toPoint();
        MapMouseDown(p.x(), p.y());
        return true;
      }
    } else if (event->type() == QEvent::MouseMove) {
      const QPoint p = static_cast<QMouseEvent*>(event)->position().toPoint();
      MapMouseMove(p.x(), p.y());
    }
  }
  return TChildWindow::eventFilter(watched, event);
}

}  // namespace himlavy
