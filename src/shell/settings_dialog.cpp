#include "shell/settings_dialog.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>

#include "base/parameter_file.h"
#include "shell/fonts_draw.h"
#include "shell/message_dialog.h"
#include "shell/user_locale.h"

namespace himlavy {

namespace {

QString Q(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string S(const QString& text) {
  return text.toStdString();
}

// The name of a switch field as the parameter file knows it ("CatBSC"), for object names.
QString SwitchName(int TObsState::*field) {
  for (const TStateField& f : kParameterFields) {
    if (f.IntField == field) return Q(f.Name);
  }
  return {};
}

QLabel* MakeLabel(const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setTextFormat(Qt::PlainText);
  return label;
}

QLineEdit* MakeEdit(const char* name, int width, QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(QLatin1String(name));
  edit->setFixedWidth(width);
  return edit;
}

// A radio group: a titled box with one radio button per item, ids 0, 1, ...
QGroupBox* MakeRadioGroup(const char* name, const QString& title, const QStringList& items,
                          QButtonGroup*& group, QWidget* parent, int columns = 1) {
  auto* box = new QGroupBox(title, parent);
  box->setObjectName(QLatin1String(name));
  group = new QButtonGroup(box);
  auto* layout = new QGridLayout(box);
  layout->setContentsMargins(8, 4, 8, 6);
  layout->setVerticalSpacing(2);
  const int rows = (static_cast<int>(items.size()) + columns - 1) / columns;
  for (int i = 0; i < items.size(); ++i) {
    auto* button = new QRadioButton(items[i], box);
    button->setObjectName(QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(i));
    group->addButton(button, i);
    layout->addWidget(button, i % rows, i / rows);
  }
  return box;
}

// Checks the button with `id`, or none when no button has it.
void SetRadioChoice(QButtonGroup* group, int id) {
  if (QAbstractButton* button = group->button(id)) {
    button->setChecked(true);
    return;
  }
  group->setExclusive(false);
  for (QAbstractButton* button : group->buttons()) button->setChecked(false);
  group->setExclusive(true);
}

// The glyphs of the three buttons: a green tick, a red cross and a question mark.
QIcon ButtonGlyph(int kind) {
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing, true);
  if (kind == 0) {
    painter.setPen(QPen(QColor(0, 128, 0), 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QPainterPath tick;
    tick.moveTo(2.5, 8.5);
    tick.lineTo(6.5, 12.5);
    tick.lineTo(13.5, 3.5);
    painter.drawPath(tick);
  } else if (kind == 1) {
    painter.setPen(QPen(QColor(192, 0, 0), 2.6, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(3.5, 3.5), QPointF(12.5, 12.5));
    painter.drawLine(QPointF(12.5, 3.5), QPointF(3.5, 12.5));
  } else {
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 128, 128));
    painter.drawEllipse(QRectF(0.5, 0.5, 15, 15));
    QFont font = MakeFont(QStringLiteral("Arial"), 9, true);
    font.setStyleStrategy(QFont::PreferAntialias);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRectF(0, 0, 16, 16), Qt::AlignCenter, QStringLiteral("?"));
  }
  return QIcon(pixmap);
}

// The dialog's picture: a starry evening sky over a dark horizon with a crescent Moon.
QPixmap SkyPicture(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  QPainter painter(&image);
  QLinearGradient sky(0, 0, 0, height);
  sky.setColorAt(0.0, QColor(0, 0, 40));
  sky.setColorAt(0.75, QColor(20, 40, 110));
  sky.setColorAt(1.0, QColor(70, 90, 150));
  painter.fillRect(image.rect(), sky);
  // Stars at fixed places (a Big Dipper and a few others).
  const QPointF stars[] = {{12, 14}, {22, 11}, {31, 15}, {39, 20}, {42, 31}, {55, 29},
                           {57, 19}, {66, 8},  {8, 40},  {72, 44}, {48, 45}, {27, 33},
                           {63, 55}, {17, 52}, {35, 6},  {76, 26}};
  painter.setPen(Qt::NoPen);
  int n = 0;
  for (const QPointF& p : stars) {
    const QPointF at(p.x() * width / 81.0, p.y() * height / 81.0);
    const double r = (n++ % 3 == 0) ? 1.3 : 0.8;
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setBrush(QColor(255, 255, 230));
    painter.drawEllipse(at, r, r);
  }
  // Crescent Moon.
  const QRectF moon(width * 0.62, height * 0.60, width * 0.16, height * 0.16);
  painter.setBrush(QColor(255, 240, 170));
  painter.drawEllipse(moon);
  painter.setBrush(QColor(22, 44, 115));
  painter.drawEllipse(moon.translated(-width * 0.045, -height * 0.02));
  // Horizon with hills.
  QPainterPath land;
  land.moveTo(0, height);
  land.lineTo(0, height * 0.82);
  land.cubicTo(width * 0.25, height * 0.74, width * 0.45, height * 0.90, width * 0.7,
               height * 0.84);
  land.cubicTo(width * 0.85, height * 0.80, width * 0.95, height * 0.83, width, height * 0.82);
  land.lineTo(width, height);
  land.closeSubpath();
  painter.setBrush(QColor(10, 25, 10));
  painter.drawPath(land);
  painter.end();
  return QPixmap::fromImage(image);
}

}  // namespace

TSettingsDialog::TSettingsDialog(TObsState& state, std::filesystem::path dataDir, QWidget* parent)
    : QDialog(parent), state_(state), dataDir_(std::move(dataDir)) {
  RegisterFontSubstitutions();
  setObjectName(QStringLiteral("settingsDialog"));
  setWindowTitle(QStringLiteral("Inmatningsdialog"));
  setFont(MakeFont(QStringLiteral("MS Sans Serif"), 8));
  // Modal to the main frame only: the help viewer, a window of its own, stays usable while
  // the dialog is open.
  setWindowModality(Qt::WindowModal);
  setModal(true);
  message_ = [](QWidget* parent, const QString& text) { ShowProgramMessage(parent, text); };
  beep_ = [] { QApplication::beep(); };
  available_.fill(true);
  BuildPages();
  FillControls();
}

void TSettingsDialog::SetHelpCallback(std::function<void(QString)> help) {
  help_ = std::move(help);
}

void TSettingsDialog::SetMessageFunction(
    std::function<void(QWidget* parent, const QString& text)> message) {
  message_ = std::move(message);
}

void TSettingsDialog::SetBeepFunction(std::function<void()> beep) {
  beep_ = std::move(beep);
}

int TSettingsDialog::CurrentPage() const {
  return tabs_->currentIndex();
}

QCheckBox* TSettingsDialog::MakeSwitchBox(std::size_t index, QWidget* parent) {
  const TSwitchBox& entry = kSwitchBoxes[index];
  auto* box = new QCheckBox(Q(entry.Caption), parent);
  box->setObjectName(SwitchName(entry.Field));
  if (!entry.Hint.empty()) box->setToolTip(Q(entry.Hint));
  switchBoxes_[index] = box;
  return box;
}

// ---------------------------------------------------------------------------------------------
// Building

void TSettingsDialog::BuildPages() {
  auto* outer = new QHBoxLayout(this);
  outer->setContentsMargins(6, 6, 6, 6);
  outer->setSpacing(6);

  // The pages over a row of tabs.
  auto* left = new QVBoxLayout;
  left->setSpacing(0);
  pages_ = new QStackedWidget(this);
  pages_->setObjectName(QStringLiteral("Pages"));
  pages_->setFrameStyle(QFrame::Panel | QFrame::Raised);
  pages_->addWidget(BuildTimePage());
  pages_->addWidget(BuildIncrementPage());
  pages_->addWidget(BuildPlacePage());
  pages_->addWidget(BuildOptionsPage());
  pages_->addWidget(BuildSelectionPage());
  pages_->addWidget(BuildCatalogPage());
  pages_->addWidget(BuildCorrectionPage());
  tabs_ = new QTabBar(this);
  tabs_->setObjectName(QStringLiteral("TabBar"));
  tabs_->setShape(QTabBar::RoundedSouth);
  tabs_->setExpanding(false);
  tabs_->setDrawBase(false);
  for (const auto caption : kSettingsPageCaptions) tabs_->addTab(Q(caption));
  connect(tabs_, &QTabBar::currentChanged, pages_, &QStackedWidget::setCurrentIndex);
  left->addWidget(pages_, 1);
  left->addWidget(tabs_);
  outer->addLayout(left, 1);
  outer->addWidget(BuildRightColumn());

  // The hidden, disabled box that carries MapColour through the dialog.
  mapColourBox_ = new QCheckBox(this);
  mapColourBox_->setObjectName(QStringLiteral("MapColour"));
  mapColourBox_->setEnabled(false);
  mapColourBox_->hide();

  setFixedSize(sizeHint());
}

QWidget* TSettingsDialog::BuildTimePage() {
  auto* page = new QWidget;
  auto* pageLayout = new QVBoxLayout(page);
  auto* group = new QGroupBox(QStringLiteral("Tid"), page);
  group->setToolTip(QStringLiteral("Tid matas in antingen som JD eller som datum och klockslag"));
  pageLayout->addWidget(group);

  jdEdit_ = MakeEdit("jdEdit", 110, group);
  jdEdit_->setToolTip(QStringLiteral("Ex 1507900,13"));
  yearEdit_ = MakeEdit("yearEdit", 60, group);
  monthEdit_ = MakeEdit("monthEdit", 60, group);
  dayEdit_ = MakeEdit("dayEdit", 60, group);
  dayEdit_->setToolTip(
      QStringLiteral("Med decimaler, ex. 27,5372. Nollställ timme, minut och sekund"));
  hourEdit_ = MakeEdit("hourEdit", 60, group);
  minuteEdit_ = MakeEdit("minuteEdit", 60, group);
  secondEdit_ = MakeEdit("secondEdit", 60, group);
  zoneEdit_ = MakeEdit("zoneEdit", 60, group);
  zoneEdit_->setToolTip(QStringLiteral("Ex. 2,5"));
  QGroupBox* scale =
      MakeRadioGroup("timeScaleButtons", QStringLiteral("Tidskala"),
                     {QStringLiteral("UTC"), QStringLiteral("TDT")}, timeScaleButtons_, group);
  scale->setToolTip(QStringLiteral("TDT = UTC + dT"));

  auto* grid = new QGridLayout(group);
  grid->setContentsMargins(12, 10, 12, 10);
  grid->setHorizontalSpacing(8);
  grid->setVerticalSpacing(6);
  grid->addWidget(MakeLabel(QStringLiteral("JD"), group), 0, 0);
  grid->addWidget(jdEdit_, 0, 1, 1, 2, Qt::AlignLeft);
  grid->addWidget(MakeLabel(QStringLiteral("År"), group), 1, 0);
  grid->addWidget(yearEdit_, 1, 1);
  grid->addWidget(MakeLabel(QStringLiteral("Månad"), group), 2, 0);
  grid->addWidget(monthEdit_, 2, 1);
  grid->addWidget(MakeLabel(QStringLiteral("Dag"), group), 3, 0);
  grid->addWidget(dayEdit_, 3, 1);
  grid->addWidget(MakeLabel(QStringLiteral("Timme"), group), 1, 3);
  grid->addWidget(hourEdit_, 1, 4);
  grid->addWidget(MakeLabel(QStringLiteral("Minut"), group), 2, 3);
  grid->addWidget(minuteEdit_, 2, 4);
  grid->addWidget(MakeLabel(QStringLiteral("Sekund"), group), 3, 3);
  grid->addWidget(secondEdit_, 3, 4);
  grid->addWidget(MakeLabel(QStringLiteral("Tidzon"), group), 4, 0);
  grid->addWidget(zoneEdit_, 4, 1);
  grid->addWidget(scale, 4, 3, 2, 2);
  grid->setColumnMinimumWidth(2, 16);
  grid->setColumnStretch(5, 1);
  grid->setRowStretch(6, 1);

  // Tab order: the date first (the year has the focus), then the clock, the JD and the zone.
  QWidget::setTabOrder(yearEdit_, monthEdit_);
  QWidget::setTabOrder(monthEdit_, dayEdit_);
  QWidget::setTabOrder(dayEdit_, hourEdit_);
  QWidget::setTabOrder(hourEdit_, minuteEdit_);
  QWidget::setTabOrder(minuteEdit_, secondEdit_);
  QWidget::setTabOrder(secondEdit_, jdEdit_);
  QWidget::setTabOrder(jdEdit_, zoneEdit_);
  pageFirst_[kPageTime] = yearEdit_;
  return page;
}

QWidget* TSettingsDialog::BuildIncrementPage() {
  auto* page = new QWidget;
  auto* pageLayout = new QVBoxLayout(page);
  auto* group = new QGroupBox(QStringLiteral("Tidinkrement"), page);
  pageLayout->addWidget(group);

  stepList_ = new QListWidget(group);
  stepList_->setObjectName(QStringLiteral("stepList"));
  stepList_->setSelectionMode(QAbstractItemView::SingleSelection);
  for (const TStepChoice& choice : kStepChoices) stepList_->addItem(Q(choice.Caption));
  stepList_->setFixedWidth(120);
  QGroupBox* speed = MakeRadioGroup(
      "timerSpeedButtons", QStringLiteral("Hastighet"),
      {QStringLiteral("Låg (10s)"), QStringLiteral("Medel (1s)"), QStringLiteral("Hög (min 0,1s)")},
      timerSpeedButtons_, group);

  auto* layout = new QHBoxLayout(group);
  layout->setContentsMargins(12, 10, 12, 10);
  layout->setSpacing(16);
  layout->addWidget(stepList_);
  auto* right = new QVBoxLayout;
  right->addWidget(speed);
  right->addStretch(1);
  layout->addLayout(right);
  layout->addStretch(1);
  pageFirst_[kPageIncrement] = stepList_;
  return page;
}

QWidget* TSettingsDialog::BuildPlacePage() {
  auto* page = new QWidget;
  auto* pageLayout = new QVBoxLayout(page);
  auto* group = new QGroupBox(QStringLiteral("Plats"), page);
  pageLayout->addWidget(group);

  placeSearchEdit_ = MakeEdit("placeSearchEdit", 190, group);
  placeSearchEdit_->setToolTip(QStringLiteral(" För valbara orter se  Verktyg/Datafiler/Ortsnamn"));
  placeNameLabel_ = MakeLabel(QString(), group);
  placeNameLabel_->setObjectName(QStringLiteral("placeNameLabel"));
  placeNameLabel_->setMinimumWidth(190);
  latitudeEdit_ = MakeEdit("latitudeEdit", 70, group);
  latitudeEdit_->setToolTip(QStringLiteral("Latitud skrivs med grader, decimalkomma och minuter"));
  longitudeEdit_ = MakeEdit("longitudeEdit", 70, group);
  longitudeEdit_->setToolTip(
      QStringLiteral("Longitud skrivs med grader, decimalkomma och minuter"));
  heightEdit_ = MakeEdit("heightEdit", 70, group);
  placeZoneLabel_ = MakeLabel(QStringLiteral("Tidzon   "), group);
  placeZoneLabel_->setObjectName(QStringLiteral("placeZoneLabel"));

  auto* grid = new QGridLayout(group);
  grid->setContentsMargins(12, 10, 12, 10);
  grid->setHorizontalSpacing(8);
  grid->setVerticalSpacing(6);
  grid->addWidget(MakeLabel(QStringLiteral("Ny ort"), group), 0, 0);
  grid->addWidget(placeSearchEdit_, 0, 1);
  grid->addWidget(placeNameLabel_, 1, 1);
  grid->addWidget(MakeLabel(QStringLiteral("Latitud   (°,')"), group), 2, 0);
  grid->addWidget(latitudeEdit_, 2, 1, Qt::AlignLeft);
  grid->addWidget(MakeLabel(QStringLiteral("Longitud (°,')"), group), 3, 0);
  grid->addWidget(longitudeEdit_, 3, 1, Qt::AlignLeft);
  grid->addWidget(MakeLabel(QStringLiteral("Höjd       (m)"), group), 4, 0);
  grid->addWidget(heightEdit_, 4, 1, Qt::AlignLeft);
  grid->addWidget(placeZoneLabel_, 5, 1);
  grid->setColumnStretch(2, 1);
  grid->setRowStretch(6, 1);
  pageFirst_[kPagePlace] = placeSearchEdit_;
  return page;
}

QWidget* TSettingsDialog::BuildOptionsPage() {
  auto* page = new QWidget;
  auto* pageLayout = new QVBoxLayout(page);
  auto* group = new QGroupBox(QStringLiteral("Alternativ"), page);
  pageLayout->addWidget(group);

  QStringList systems;
  for (const auto caption : kCoordSystemCaptions) systems << Q(caption);
  groupSystem_ = MakeRadioGroup("systemButtons", QStringLiteral("Koordinatsystem"), systems,
                                systemButtons_, group);
  groupHemisphere_ =
      MakeRadioGroup("hemisphereButtons", QStringLiteral("Hemisfär"),
                     {QStringLiteral("Norra"), QStringLiteral("Södra")}, hemisphereButtons_, group);
  groupCentre_ =
      MakeRadioGroup("centreButtons", QStringLiteral("Mitten="),
                     {QStringLiteral("S/12h"), QStringLiteral("N/0h")}, centreButtons_, group);
  groupOrientation_ =
      MakeRadioGroup("orientationButtons", QStringLiteral("Orientering"),
                     {QStringLiteral("Normal"), QStringLiteral("90°")}, orientationButtons_, group);
  connect(systemButtons_, &QButtonGroup::idClicked, this, [this] { SystemChanged(); });

  auto* layout = new QHBoxLayout(group);
  layout->setContentsMargins(12, 10, 12, 10);
  layout->setSpacing(12);
  auto* systemColumn = new QVBoxLayout;
  systemColumn->addWidget(groupSystem_);
  systemColumn->addStretch(1);
  layout->addLayout(systemColumn);
  auto* right = new QVBoxLayout;
  right->setSpacing(6);
  right->addWidget(groupHemisphere_);
  right->addWidget(groupCentre_);
  right->addWidget(groupOrientation_);
  right->addStretch(1);
  layout->addLayout(right);
  layout->addStretch(1);
  pageFirst_[kPageOptions] = groupSystem_;
  return page;
}

QWidget* TSettingsDialog::BuildSelectionPage() {
  auto* page = new QWidget;
  auto* pageLayout = new QVBoxLayout(page);
  auto* group = new QGroupBox(QStringLiteral("Urval"), page);
  group->setObjectName(QStringLiteral("GroupUrval"));
  pageLayout->addWidget(group);

  auto* layout = new QHBoxLayout(group);
  layout->setContentsMargins(12, 8, 12, 8);
  layout->setSpacing(10);
  auto* boxes = new QGridLayout;
  boxes->setVerticalSpacing(3);
  boxes->setHorizontalSpacing(10);
  int n = 0;
  for (std::size_t i = 0; i < kSwitchBoxes.size(); ++i) {
    if (kSwitchBoxes[i].Group != TSwitchGroup::Selection) continue;
    // Two columns: the bodies first, then the figures on the sky.
    QCheckBox* box = MakeSwitchBox(i, group);
    boxes->addWidget(box, n % 6, n / 6);
    ++n;
  }
  auto* boxColumn = new QVBoxLayout;
  boxColumn->addLayout(boxes);
  boxColumn->addStretch(1);
  layout->addLayout(boxColumn);

  auto* right = new QVBoxLayout;
  right->setSpacing(6);
  QGroupBox* display = MakeRadioGroup("displayButtons", QStringLiteral("Visning"),
                                      {QStringLiteral("Normal"), QStringLiteral("Atlas")},
                                      displayButtons_, group, 2);
  right->addWidget(display);
  auto* labels = new QGroupBox(QStringLiteral("Etiketter"), group);
  labels->setObjectName(QStringLiteral("GroupEtiketter"));
  auto* labelLayout = new QVBoxLayout(labels);
  labelLayout->setContentsMargins(8, 4, 8, 6);
  labelLayout->setSpacing(2);
  for (std::size_t i = 0; i < kSwitchBoxes.size(); ++i) {
    if (kSwitchBoxes[i].Group != TSwitchGroup::Labels) continue;
    QCheckBox* box = MakeSwitchBox(i, labels);
    box->setObjectName(QStringLiteral("Label_") + box->objectName());
    labelLayout->addWidget(box);
  }
  right->addWidget(labels);
  right->addStretch(1);
  layout->addLayout(right);
  layout->addStretch(1);
  pageFirst_[kPageSelection] = group;
  return page;
}

QWidget* TSettingsDialog::BuildCatalogPage() {
  auto* page = new QWidget;
  auto* pageLayout = new QVBoxLayout(page);
  auto* group = new QGroupBox(QStringLiteral("Stjärnor m.fl."), page);
  group->setObjectName(QStringLiteral("GroupStjarnor"));
  pageLayout->addWidget(group);
  const QString hint = QStringLiteral("Grått om filerna inte är installerade");

  auto* stars = new QGroupBox(QStringLiteral("Stjärnor"), group);
  stars->setToolTip(hint);
  auto* starLayout = new QVBoxLayout(stars);
  starLayout->setContentsMargins(8, 4, 8, 6);
  starLayout->setSpacing(2);
  auto* deepSky = new QGroupBox(QStringLiteral("Galaxer m.fl."), group);
  deepSky->setToolTip(hint);
  auto* deepLayout = new QGridLayout(deepSky);
  deepLayout->setContentsMargins(8, 4, 8, 6);
  deepLayout->setVerticalSpacing(2);
  deepLayout->setHorizontalSpacing(16);
  QCheckBox* colourIndex = nullptr;
  int n = 0;
  for (std::size_t i = 0; i < kSwitchBoxes.size(); ++i) {
    switch (kSwitchBoxes[i].Group) {
      case TSwitchGroup::Stars:
        starLayout->addWidget(MakeSwitchBox(i, stars));
        break;
      case TSwitchGroup::DeepSky:
        deepLayout->addWidget(MakeSwitchBox(i, deepSky), n % 4, n / 4);
        ++n;
        break;
      case TSwitchGroup::CatalogPage:
        colourIndex = MakeSwitchBox(i, group);
        break;
      default:
        break;
    }
  }
  starLayout->addStretch(1);

  auto* layout = new QGridLayout(group);
  layout->setContentsMargins(12, 8, 12, 8);
  layout->setHorizontalSpacing(12);
  layout->setVerticalSpacing(8);
  layout->addWidget(stars, 0, 0);
  layout->addWidget(deepSky, 0, 1);
  if (colourIndex != nullptr) layout->addWidget(colourIndex, 1, 0, 1, 2);
  layout->setColumnStretch(2, 1);
  layout->setRowStretch(2, 1);
  pageFirst_[kPageCatalogs] = group;
  return page;
}

QWidget* TSettingsDialog::BuildCorrectionPage() {
  auto* page = new QWidget;
  auto* pageLayout = new QVBoxLayout(page);
  auto* group = new QGroupBox(QStringLiteral("Korrektioner"), page);
  group->setObjectName(QStringLiteral("GroupKorrektioner"));
  pageLayout->addWidget(group);

  auto* apparent = new QGroupBox(QStringLiteral("Apparent position"), group);
  auto* apparentLayout = new QVBoxLayout(apparent);
  apparentLayout->setContentsMargins(8, 4, 8, 6);
  apparentLayout->setSpacing(2);
  auto* topo = new QGroupBox(QStringLiteral("Topocentrisk"), group);
  auto* topoLayout = new QVBoxLayout(topo);
  topoLayout->setContentsMargins(8, 4, 8, 6);
  topoLayout->setSpacing(2);
  for (std::size_t i = 0; i < kSwitchBoxes.size(); ++i) {
    if (kSwitchBoxes[i].Group == TSwitchGroup::Apparent)
      apparentLayout->addWidget(MakeSwitchBox(i, apparent));
    else if (kSwitchBoxes[i].Group == TSwitchGroup::Topocentric)
      topoLayout->addWidget(MakeSwitchBox(i, topo));
  }
  apparentLayout->addStretch(1);
  topoLayout->addStretch(1);

  auto* layout = new QHBoxLayout(group);
  layout->setContentsMargins(12, 8, 12, 8);
  layout->setSpacing(12);
  layout->addWidget(apparent, 0, Qt::AlignTop);
  layout->addWidget(topo, 0, Qt::AlignTop);
  layout->addStretch(1);
  pageFirst_[kPageCorrections] = group;
  return page;
}

QWidget* TSettingsDialog::BuildRightColumn() {
  auto* column = new QWidget(this);
  column->setObjectName(QStringLiteral("RightColumn"));
  auto* layout = new QVBoxLayout(column);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(2);

  auto* picture = new QLabel(column);
  picture->setObjectName(QStringLiteral("emblem"));
  picture->setPixmap(SkyPicture(81, 81));
  picture->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  picture->setAlignment(Qt::AlignCenter);
  layout->addWidget(picture, 0, Qt::AlignHCenter);
  layout->addSpacing(8);

  saveBox_ = new QCheckBox(QStringLiteral("Spara"), column);
  saveBox_->setObjectName(QStringLiteral("Spara"));
  saveBox_->setToolTip(QStringLiteral("Sparar parametrar till filen parametr.dta"));
  layout->addWidget(saveBox_);
  auto* saveCaption = MakeLabel(QStringLiteral("parametrar"), column);
  saveCaption->setContentsMargins(20, 0, 0, 0);
  layout->addWidget(saveCaption);
  layout->addSpacing(6);
  preventBox_ = new QCheckBox(QStringLiteral("Hindra"), column);
  preventBox_->setObjectName(QStringLiteral("Hindra"));
  preventBox_->setToolTip(QStringLiteral("Hindrar omritning av bilden när dialogen stängs med OK"));
  layout->addWidget(preventBox_);
  auto* preventCaption = MakeLabel(QStringLiteral("omritning"), column);
  preventCaption->setContentsMargins(20, 0, 0, 0);
  layout->addWidget(preventCaption);
  layout->addStretch(1);

  okButton_ = new QPushButton(ButtonGlyph(0), QStringLiteral("&OK"), column);
  okButton_->setObjectName(QStringLiteral("OkButton"));
  cancelButton_ = new QPushButton(ButtonGlyph(1), QStringLiteral("&Avbryt"), column);
  cancelButton_->setObjectName(QStringLiteral("CancelButton"));
  helpButton_ = new QPushButton(ButtonGlyph(2), QStringLiteral("&Hjälp"), column);
  helpButton_->setObjectName(QStringLiteral("HelpButton"));
  for (QPushButton* button : {okButton_, cancelButton_, helpButton_}) {
    button->setFixedSize(89, 25);
    button->setAutoDefault(false);
    layout->addWidget(button);
    layout->addSpacing(4);
  }
  okButton_->setDefault(true);
  connect(okButton_, &QPushButton::clicked, this, [this] { OkClick(); });
  connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
  connect(helpButton_, &QPushButton::clicked, this, [this] { HelpClick(); });
  column->setFixedWidth(96);
  return column;
}

// ---------------------------------------------------------------------------------------------
// Showing

int TSettingsDialog::ExecPage(int page) {
  PrepareShow(page);
  // Centred on the desktop, whatever window opened it.
  if (const QScreen* desktop = screen()) {
    move(desktop->availableGeometry().center() - rect().center());
  }
  return exec();
}

void TSettingsDialog::PrepareShow(int page) {
  if (page >= 0 && page < kSettingsPageCount) tabs_->setCurrentIndex(page);
  FillControls();
  FocusFirstControl();
}

void TSettingsDialog::FillControls() {
  const TDialogFields f = FieldsFromState(state_, ReadComputerClock(), LocaleDecimalSeparator());
  jdEdit_->setText(Q(f.JD));
  yearEdit_->setText(Q(f.Year));
  monthEdit_->setText(Q(f.Month));
  dayEdit_->setText(Q(f.Day));
  hourEdit_->setText(Q(f.Hour));
  minuteEdit_->setText(Q(f.Minute));
  secondEdit_->setText(Q(f.Second));
  zoneEdit_->setText(Q(f.Zone));
  SetRadioChoice(timeScaleButtons_, f.TimeScale);

  stepList_->clearSelection();
  if (f.StepIndex >= 0) {
    stepList_->setCurrentRow(f.StepIndex);
    stepList_->scrollToItem(stepList_->item(f.StepIndex));
  } else {
    stepList_->setCurrentRow(-1);
  }
  SetRadioChoice(timerSpeedButtons_, f.TimerSpeed);

  placeSearchEdit_->setText(Q(f.NewPlace));
  placeNameLabel_->setText(Q(state_.PlaceName));
  latitudeEdit_->setText(Q(f.Latitude));
  longitudeEdit_->setText(Q(f.Longitude));
  heightEdit_->setText(Q(f.Height));

  SetRadioChoice(systemButtons_, f.CoordSystem);
  SetRadioChoice(hemisphereButtons_, f.Hemisphere);
  SetRadioChoice(centreButtons_, f.CentreDir);
  SetRadioChoice(orientationButtons_, f.Orientation);
  SetRadioChoice(displayButtons_, f.DisplayMode);
  for (std::size_t i = 0; i < kSwitchBoxes.size(); ++i) {
    switchBoxes_[i]->setChecked(f.Switches[i] != 0);
  }
  mapColourBox_->setChecked(f.MapColour != 0);
  saveBox_->setChecked(false);
  preventBox_->setChecked(false);

  available_ = CatalogAvailability(dataDir_);
  // The table of the system in force first, so that boxes greyed by a system chosen and then
  // cancelled last time come back; then the opening rules.
  ApplyEnabling(SystemChangeEnabling(state_.CoordSystem, available_));
  ApplyEnabling(OpeningEnabling(state_.CoordSystem, available_));
}

void TSettingsDialog::FocusFirstControl() {
  QWidget* first = pageFirst_[static_cast<std::size_t>(CurrentPage())];
  if (first == groupSystem_) {
    // A radio group takes the focus on its checked button.
    QAbstractButton* checked = systemButtons_->checkedButton();
    first = checked != nullptr ? checked : systemButtons_->button(0);
  } else if (auto* group = qobject_cast<QGroupBox*>(first)) {
    // A group box passes the focus to its first control that can take it.
    QWidget* next = group->nextInFocusChain();
    while (next != nullptr && next != group &&
           !(group->isAncestorOf(next) && next->isEnabled() &&
             (next->focusPolicy() & Qt::TabFocus) != 0)) {
      next = next->nextInFocusChain();
    }
    if (next != nullptr && next != group && group->isAncestorOf(next)) first = next;
  }
  first->setFocus(Qt::OtherFocusReason);
}

void TSettingsDialog::ApplyEnabling(const TControlEnabling& enabling) {
  for (std::size_t i = 0; i < kSwitchBoxes.size(); ++i) {
    if (enabling.Boxes[i]) switchBoxes_[i]->setEnabled(*enabling.Boxes[i]);
  }
  groupHemisphere_->setEnabled(enabling.Hemisphere);
  groupCentre_->setEnabled(enabling.CentreDir);
  groupOrientation_->setEnabled(enabling.Orientation);
}

void TSettingsDialog::SystemChanged() {
  const int system = systemButtons_->checkedId();
  if (system < 0) return;
  ApplyEnabling(SystemChangeEnabling(system, available_));
}

// ---------------------------------------------------------------------------------------------
// Buttons

TDialogFields TSettingsDialog::ReadFields() const {
  TDialogFields f;
  f.JD = S(jdEdit_->text());
  f.Year = S(yearEdit_->text());
  f.Month = S(monthEdit_->text());
  f.Day = S(dayEdit_->text());
  f.Hour = S(hourEdit_->text());
  f.Minute = S(minuteEdit_->text());
  f.Second = S(secondEdit_->text());
  f.Zone = S(zoneEdit_->text());
  f.TimeScale = timeScaleButtons_->checkedId();
  const QList<QListWidgetItem*> selected = stepList_->selectedItems();
  f.StepIndex = selected.isEmpty() ? -1 : stepList_->row(selected.front());
  f.TimerSpeed = timerSpeedButtons_->checkedId();
  f.NewPlace = S(placeSearchEdit_->text());
  f.Latitude = S(latitudeEdit_->text());
  f.Longitude = S(longitudeEdit_->text());
  f.Height = S(heightEdit_->text());
  f.CoordSystem = systemButtons_->checkedId();
  f.Hemisphere = hemisphereButtons_->checkedId();
  f.CentreDir = centreButtons_->checkedId();
  f.Orientation = orientationButtons_->checkedId();
  f.DisplayMode = displayButtons_->checkedId();
  for (std::size_t i = 0; i < kSwitchBoxes.size(); ++i) {
    f.Switches[i] = switchBoxes_[i]->isChecked() ? 1 : 0;
  }
  f.MapColour = mapColourBox_->isChecked() ? 1 : 0;
  f.Save = saveBox_->isChecked();
  f.Prevent = preventBox_->isChecked();
  return f;
}

QWidget* TSettingsDialog::FieldWidget(TDialogField field) const {
  switch (field) {
    case TDialogField::Year:
      return yearEdit_;
    case TDialogField::Month:
      return monthEdit_;
    case TDialogField::Day:
      return dayEdit_;
    case TDialogField::Hour:
      return hourEdit_;
    case TDialogField::Minute:
      return minuteEdit_;
    case TDialogField::Second:
      return secondEdit_;
    case TDialogField::JD:
      return jdEdit_;
    case TDialogField::Zone:
      return zoneEdit_;
    case TDialogField::Latitude:
      return latitudeEdit_;
    case TDialogField::Longitude:
      return longitudeEdit_;
    case TDialogField::Height:
      return heightEdit_;
    case TDialogField::None:
      break;
  }
  return nullptr;
}

void TSettingsDialog::OkClick() {
  const TOkResult result = ApplyDialogFields(state_, ReadFields(), CurrentPage(), dataDir_);
  if (!result.Applied) {
    // Nothing has changed: show the field on its page, tell what is wrong, keep the dialog.
    QWidget* field = FieldWidget(result.Error.Field);
    if (field != nullptr) {
      const bool onTimePage = yearEdit_->parentWidget()->isAncestorOf(field);
      tabs_->setCurrentIndex(onTimePage ? kPageTime : kPagePlace);
    }
    if (message_) message_(this, Q(result.Error.Message));
    if (auto* edit = qobject_cast<QLineEdit*>(field)) {
      edit->setFocus(Qt::OtherFocusReason);
      edit->selectAll();
    }
    return;
  }
  if (result.Beep && beep_) beep_();
  if (result.PlaceFound) placeZoneLabel_->setText(Q(result.ZoneLabel));
  state_ = result.State;
  placeNameLabel_->setText(Q(state_.PlaceName));
  // The settings are in use even when the file could not be written; the user is told so.
  if (result.SaveFailed && message_) message_(this, Q(result.SaveMessage));
  accept();
}

void TSettingsDialog::HelpClick() {
  const QString context = Q(kSettingsHelpContexts[static_cast<std::size_t>(CurrentPage())]);
  if (help_) help_(context);
  emit HelpRequested(context);
}

// ---------------------------------------------------------------------------------------------

QImage RenderSettingsDialog(TObsState& state, const std::filesystem::path& dataDir, int page) {
  TSettingsDialog dialog(state, dataDir);
  dialog.PrepareShow(page < 0 ? 0 : page);
  dialog.show();
  QApplication::processEvents();
  const QImage image = dialog.grab().toImage();
  dialog.hide();
  return image;
}

}  // namespace himlavy
