#include "frame/main_frame.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPrintDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "base/parameter_file.h"
#include "base/textfile.h"
#include "datafiles/datafiles_window.h"
#include "earth/earth_windows.h"
#include "eclipses/lunar_eclipses_window.h"
#include "eclipses/solar_eclipses_window.h"
#include "orbit/orbit_window.h"
#include "planets/jupiter_moons_window.h"
#include "planets/planet_disk_window.h"
#include "shell/about_dialog.h"
#include "shell/child_window.h"
#include "shell/emblem_draw.h"
#include "shell/exit_dialog.h"
#include "shell/fonts_draw.h"
#include "shell/help_window.h"
#include "shell/increment_window.h"
#include "shell/message_dialog.h"
#include "shell/pictures_window.h"
#include "shell/print_setup.h"
#include "shell/settings_dialog.h"
#include "shell/status_line.h"
#include "shell/user_locale.h"
#include "skychart/skychart_window.h"
#include "timecal/almanac_window.h"
#include "timecal/calendar_window.h"
#include "timecal/holidays_window.h"

namespace himlavy {

namespace {

// The active title bar of the classic Windows colour scheme: the increment panel while running.
const QColor kActiveCaption(0, 0, 128);

enum class ButtonAction { Settings, LocalTime, StartStop, PlusMinus, Open };

struct ToolbarButton {
  const char* Name;
  const char* Caption;
  const char* ShortHint;
  const char* LongHint;
  TColor Colour;  // of the caption
  ButtonAction Action;
  TWindowKind Kind;  // for ButtonAction::Open
};

// The toolbar, left to right.
using namespace colours;
const ToolbarButton kToolbar[] = {
    {"settingsButton", "Inm", "Inmatning",
     "Inmatning av Tid,Tidinkrement,Plats,Alternativ,Urval,Stjärnor m.fl.,Korrektioner", kRed,
     ButtonAction::Settings, TWindowKind::Increment},
    {"localTimeButton", "Lo", "Lokaltid", "Datorns lokaltid sätts till programmet", kTeal,
     ButtonAction::LocalTime, TWindowKind::Increment},
    {"incrementOnOffButton", "T/F", "Till/Från", "Tidinkrement, till/från", kTeal,
     ButtonAction::StartStop, TWindowKind::Increment},
    {"incrementSignButton", "+/-", "Plus/Minus", "Tidinkrement, plus/minus", kTeal,
     ButtonAction::PlusMinus, TWindowKind::Increment},
    {"incrementWindowButton", "In", "Inkrement", "Tidsinkrementering utan spår", kTeal,
     ButtonAction::Open, TWindowKind::Increment},
    {"earthMapButton", "Jo", "Jorden", "Jorden med ortsnamn för val av observationsplats", kGreen,
     ButtonAction::Open, TWindowKind::Earth},
    {"solarEclipsesButton", "So", "Solförmörkelser", "Solförmörkelser för valt år", kGreen,
     ButtonAction::Open, TWindowKind::SolarEclipses},
    {"sunPositionButton", "Sl", "Solläge", "Solens läge i förhållande till jordytan", kGreen,
     ButtonAction::Open, TWindowKind::SunPosition},
    {"dayNightButton", "Da", "Dag/natt", "Dag/natt-linjen över jordytan", kGreen,
     ButtonAction::Open, TWindowKind::DayNight},
    {"mercuryButton", "Me", "Merkurius", "Merkurius sedd från jorden", kPurple, ButtonAction::Open,
     TWindowKind::Mercury},
    {"venusButton", "Ve", "Venus", "Venus, sedd från jorden", kPurple, ButtonAction::Open,
     TWindowKind::Venus},
    {"marsButton", "Ma", "Mars", "Mars, sedd från jorden", kPurple, ButtonAction::Open,
     TWindowKind::Mars},
    {"jupiterButton", "Ju", "Jupiter", "Jupiter, sedd från jorden", kPurple, ButtonAction::Open,
     TWindowKind::Jupiter},
    {"saturnButton", "Sa", "Saturnus", "Saturnus, sedd från jorden", kPurple, ButtonAction::Open,
     TWindowKind::Saturn},
    {"moonButton", "Må", "Månen", "Månen, sedd från jorden", kPurple, ButtonAction::Open,
     TWindowKind::Moon},
    {"jupiterMoonsButton", "Jm", "Jupiters månar",
     "Jupiter med de julianska månarna sedda från jorden", kPurple, ButtonAction::Open,
     TWindowKind::JupiterMoons},
    {"earthCentreButton", "Jo", "Jordsatelliter", "Jorden i centrum med satelliter i bana", kBlack,
     ButtonAction::Open, TWindowKind::EarthCentre},
    {"jupiterCentreButton", "Ju", "Jupitersatelliter", "Jupiter i centrum med satelliter i bana",
     kBlack, ButtonAction::Open, TWindowKind::JupiterCentre},
    {"lunarEclipsesButton", "Må", "Månförmörkelser", "Månförmörkelser för valt år", kNavy,
     ButtonAction::Open, TWindowKind::LunarEclipses},
    {"calendarButton", "Ka", "Kalender", "Kalender för vald dag och tidzon", kNavy,
     ButtonAction::Open, TWindowKind::Calendar},
    {"almanacButton", "Al", "Almanacka", "Almanacka med astronomisk information för valt år", kNavy,
     ButtonAction::Open, TWindowKind::Almanac},
    {"holidaysButton", "He", "Helgdagar", "Helgdagar i Sverige", kNavy, ButtonAction::Open,
     TWindowKind::Holidays},
};

// Toolbar geometry: the panel's height, the buttons' widths and the two text panels.
constexpr int kToolbarHeight = 25;
constexpr int kFirstButtonWidth = 30;
constexpr int kButtonWidth = 23;
constexpr int kButtonTop = 1;
constexpr int kButtonHeight = 23;
constexpr int kHintPanelWidth = 383;
constexpr int kClockPanelWidth = 124;
constexpr int kHintPause = 300;  // ms before a hint shows

QString Utf8(const char* text) {
  return QString::fromUtf8(text);
}

// The long part of a hint ("short|long" -> "long"); a hint without "|" is all long part.
QString LongHint(const QString& hint) {
  const qsizetype bar = hint.indexOf(QLatin1Char('|'));
  return bar < 0 ? hint : hint.mid(bar + 1);
}

bool IsCentreKind(TWindowKind kind) {
  return kind == TWindowKind::EarthCentre || kind == TWindowKind::JupiterCentre;
}

void SetPanelColours(QWidget* panel, const QColor& background, const QColor& text) {
  QPalette palette = panel->palette();
  palette.setColor(QPalette::Window, background);
  palette.setColor(QPalette::WindowText, text);
  panel->setPalette(palette);
}

}  // namespace

void SetProgramTitleAndHelp(const std::filesystem::path& workDir) {
  QApplication::setApplicationName(QString::fromLatin1(kProgramTitle));
  QApplication::setWindowIcon(ProgramIcon());
  SetHelpFile(QStringLiteral("HVHELP.HLP"));
  MapHelpFile(QStringLiteral("HVHELP.HLP"), workDir / "help");
}

void RegisterBuiltWindows() {
  // One line per window kind the program has; its button and menu item are enabled by it.
  RegisterWindowFactory(TWindowKind::Increment, &MakeChildWindow<TIncrementWindow>);
  RegisterWindowFactory(TWindowKind::Pictures, &MakeChildWindow<TPicturesWindow>);
  RegisterWindowFactory(TWindowKind::Calendar, &MakeChildWindow<TCalendarWindow>);
  RegisterWindowFactory(TWindowKind::Almanac, &MakeChildWindow<TAlmanacWindow>);
  RegisterWindowFactory(TWindowKind::Holidays, &MakeChildWindow<THolidaysWindow>);
  RegisterWindowFactory(TWindowKind::JupiterMoons, &MakeChildWindow<TJupiterMoonsWindow>);
  RegisterWindowFactory(TWindowKind::JupiterCentre, &MakeChildWindow<TJupiterCentreWindow>);
  RegisterWindowFactory(TWindowKind::Mercury, PlanetDiskWindowFactory(TBody::Mercury));
  RegisterWindowFactory(TWindowKind::Venus, PlanetDiskWindowFactory(TBody::Venus));
  RegisterWindowFactory(TWindowKind::Mars, PlanetDiskWindowFactory(TBody::Mars));
  RegisterWindowFactory(TWindowKind::Jupiter, PlanetDiskWindowFactory(TBody::Jupiter));
  RegisterWindowFactory(TWindowKind::Saturn, PlanetDiskWindowFactory(TBody::Saturn));
  RegisterWindowFactory(TWindowKind::Moon, PlanetDiskWindowFactory(TBody::Moon));
  RegisterWindowFactory(TWindowKind::DataFiles, &MakeChildWindow<TDataFilesWindow>);
  RegisterWindowFactory(TWindowKind::Orbit, &MakeChildWindow<TOrbitWindow>);
  RegisterWindowFactory(TWindowKind::Earth, &MakeChildWindow<TEarthWindow>);
  RegisterWindowFactory(TWindowKind::SunPosition, &MakeChildWindow<TSunPositionWindow>);
  RegisterWindowFactory(TWindowKind::DayNight, &MakeChildWindow<TDayNightWindow>);
  RegisterWindowFactory(TWindowKind::EarthCentre, &MakeChildWindow<TEarthCentreWindow>);
  RegisterWindowFactory(TWindowKind::SolarEclipses, &MakeChildWindow<TSolarEclipsesWindow>);
  RegisterWindowFactory(TWindowKind::LunarEclipses, &MakeChildWindow<TLunarEclipsesWindow>);
}

TMainFrame::TMainFrame(TObsState& state, std::filesystem::path dataDir, bool startUp,
                       QWidget* parent)
    : QMainWindow(parent), state_(state), dataDir_(std::move(dataDir)), startUp_(startUp) {
  RegisterBuiltWindows();
  setObjectName(QStringLiteral("mainFrame"));
  setWindowTitle(QString::fromLatin1("Himlavy 4.6"));
  setWindowIcon(ProgramIcon());
  setFont(MakeFont(QStringLiteral("MS Sans Serif"), 8));

  // The client: the toolbar panel over the multiple-document area.
  auto* client = new QWidget(this);
  auto* column = new QVBoxLayout(client);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  auto* toolbar = new QWidget(client);
  toolbar->setObjectName(QStringLiteral("toolbar"));
  toolbar->setFixedHeight(kToolbarHeight);
  toolbar->setAutoFillBackground(true);
  // A silver palette with its own light and dark edges, so that the sunken panels show.
  const QColor silverColour = ToQColor(colours::kSilver);
  QPalette silver(silverColour, silverColour);
  for (const auto group : {QPalette::Active, QPalette::Inactive}) {
    silver.setColor(group, QPalette::WindowText, Qt::black);
    silver.setColor(group, QPalette::ButtonText, Qt::black);
  }
  silver.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(128, 128, 128));
  toolbar->setPalette(silver);
  column->addWidget(toolbar);
  mdiArea_ = new QMdiArea(client);
  mdiArea_->setBackground(QColor(128, 128, 128));
  mdiArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  mdiArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  column->addWidget(mdiArea_, 1);
  setCentralWidget(client);

  hintTimer_ = new QTimer(this);
  hintTimer_->setSingleShot(true);
  hintTimer_->setInterval(kHintPause);
  connect(hintTimer_, &QTimer::timeout, this, [this] { hintPanel_->setText(pendingHint_); });

  BuildToolbar(toolbar);
  BuildMenus();
  BuildStatusLine();

  incrementTimer_ = new QTimer(this);
  incrementTimer_->setInterval(100);
  connect(incrementTimer_, &QTimer::timeout, this, &TMainFrame::IncrementTimerTick);
  statusTimer_ = new QTimer(this);
  statusTimer_->setInterval(100);
  connect(statusTimer_, &QTimer::timeout, this, &TMainFrame::StatusTimerTick);

  setGeometry(0, 0, 1024, 768);
  RefreshStatusLine();
  SetIncrementPanelColours();
  UpdateCommandEnabling();
  clockPanel_->setText(ClockPanelText(QDateTime::currentDateTime()));
}

TMainFrame::~TMainFrame() {}

void TMainFrame::BuildToolbar(QWidget* toolbar) {
  const QFont bold = ControlFont(QStringLiteral("MS Sans Serif"), 8, true);
  int x = 0;
  for (const ToolbarButton& entry : kToolbar) {
    auto* button = new QToolButton(toolbar);
    button->setObjectName(QString::fromLatin1(entry.Name));
    button->setText(Utf8(entry.Caption));
    button->setFont(bold);
    button->setFocusPolicy(Qt::NoFocus);
    const int width = x == 0 ? kFirstButtonWidth : kButtonWidth;
    button->setGeometry(x, kButtonTop, width, kButtonHeight);
    x += width;
    // Only the long part of the hint is shown, in the hint panel; the short part is kept as
    // the accessible name (no tooltips).
    button->setAccessibleName(Utf8(entry.ShortHint));
    button->setStatusTip(Utf8(entry.LongHint));
    QPalette palette = button->palette();
    const QColor caption(ToQRgb(entry.Colour));
    palette.setColor(QPalette::Active, QPalette::ButtonText, caption);
    palette.setColor(QPalette::Inactive, QPalette::ButtonText, caption);
    button->setPalette(palette);
    toolButtons_.push_back(button);

    switch (entry.Action) {
      case ButtonAction::Settings:
        connect(button, &QToolButton::clicked, this, [this] { ShowSettings(-1); });
        break;
      case ButtonAction::LocalTime:
        connect(button, &QToolButton::clicked, this, &TMainFrame::UseComputerClock);
        break;
      case ButtonAction::StartStop:
        connect(button, &QToolButton::clicked, this, &TMainFrame::StartStopIncrement);
        break;
      case ButtonAction::PlusMinus:
        connect(button, &QToolButton::clicked, this, &TMainFrame::ReverseIncrement);
        break;
      case ButtonAction::Open: {
        const TWindowKind kind = entry.Kind;
        connect(button, &QToolButton::clicked, this, [this, kind] { OpenWindow(kind); });
        AddOpenCommand(kind, button, nullptr);
        break;
      }
    }
  }

  const QFont plain = MakeFont(QStringLiteral("MS Sans Serif"), 8);
  hintPanel_ = new QLabel(toolbar);
  hintPanel_->setObjectName(QStringLiteral("HintPanel"));
  hintPanel_->setFont(plain);
  hintPanel_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  hintPanel_->setGeometry(x, kButtonTop, kHintPanelWidth, kButtonHeight);
  hintPanel_->setIndent(3);
  x += kHintPanelWidth;

  clockPanel_ = new QLabel(toolbar);
  clockPanel_->setObjectName(QStringLiteral("ClockPanel"));
  clockPanel_->setFont(bold);
  clockPanel_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  clockPanel_->setAlignment(Qt::AlignCenter);
  clockPanel_->setGeometry(x, kButtonTop, kClockPanelWidth, kButtonHeight);
}

void TMainFrame::BuildMenus() {
  QMenuBar* bar = menuBar();
  const auto addItem = [this](QMenu* menu, const char* text, const char* hint) {
    QAction* action = menu->addAction(Utf8(text));
    action->setStatusTip(Utf8(hint));
    return action;
  };
  const auto addOpen = [this, &addItem](QMenu* menu, const char* text, const char* hint,
                                        TWindowKind kind) {
    QAction* action = addItem(menu, text, hint);
    connect(action, &QAction::triggered, this, [this, kind] { OpenWindow(kind); });
    AddOpenCommand(kind, nullptr, action);
    return action;
  };

  fileMenu_ = bar->addMenu(QStringLiteral("&Arkiv"));
  connect(addItem(fileMenu_, "&Avsluta", "Avsluta Himlavy"), &QAction::triggered, this,
          &TMainFrame::ShowExitConfirmation);
  connect(fileMenu_, &QMenu::aboutToShow, this, &TMainFrame::RebuildWindowList);

  QMenu* values = bar->addMenu(Utf8("&Invärden"));
  const std::pair<const char*, const char*> pages[] = {
      {"&Tid", "Inmatning av tid"},
      {"T&idinkrement", "Val av storlek på tidsinkrement"},
      {"&Plats", "Inmatning av observationsplats "},
      {"&Alternativ", "Val av alternativa koordinatsystem"},
      {"&Urval", "Val av visning av sol, måne, planeter, asteroider, kometer och stjärnor"},
      {"&Stjärnor", ""},
      {"&Korrektioner", "Val av korrektioner"},
  };
  for (int page = 0; page < static_cast<int>(std::size(pages)); ++page) {
    connect(addItem(values, pages[page].first, pages[page].second), &QAction::triggered, this,
            [this, page] { ShowSettings(page); });
  }
  addOpen(values, "I&nkrementering", "Inkrementering utan spår", TWindowKind::Increment);

  QMenu* functions = bar->addMenu(QStringLiteral("&Funktioner"));
  addOpen(functions, "M&erkurius", "Merkurius, sedd från jorden", TWindowKind::Mercury);
  addOpen(functions, "&Venus", "Venus, sedd från jorden", TWindowKind::Venus);
  addOpen(functions, "Ma&rs", "Mars, sedd från jorden", TWindowKind::Mars);
  addOpen(functions, "J&upiter", "Jupiter, sedd från jorden", TWindowKind::Jupiter);
  addOpen(functions, "Sa&turnus", "Saturnus, sedd från jorden", TWindowKind::Saturn);
  addOpen(functions, "&Månen", "Månen, sedd från jorden", TWindowKind::Moon);
  addOpen(functions, "Jupiters m&ånar", "Jupiter med de julianska månarna",
          TWindowKind::JupiterMoons);
  addOpen(functions, "&Jorden", "Jorden med orter för val av observationsplats",
          TWindowKind::Earth);
  addOpen(functions, "&Solförmörkelser", "Solförmörkelser för valt år", TWindowKind::SolarEclipses);
  addOpen(functions, "Mån&förmörkelser", "Månförmörkelser för valt år", TWindowKind::LunarEclipses);
  addOpen(functions, "S&olens läge", "Solens läge i förhållande till jordytan",
          TWindowKind::SunPosition);
  addOpen(functions, "&Dag/natt-linje", "Dag/natt-linjen över jordytan", TWindowKind::DayNight);
  addOpen(functions, "&Kalender", "Kalender för vald dag", TWindowKind::Calendar);
  addOpen(functions, "&Almanacka", "Almanacka för valt år", TWindowKind::Almanac);
  addOpen(functions, "&Helger", "Helgdagar i Sverige för valt år", TWindowKind::Holidays);
  addOpen(functions, "Jorden i &centrum", "Jorden i centrum med satelliter i bana",
          TWindowKind::EarthCentre);
  addOpen(functions, "J&upiter i centrum", "Jupiter i centrum med satelliter i bana",
          TWindowKind::JupiterCentre);

  QMenu* tools = bar->addMenu(QStringLiteral("&Verktyg"));
  addOpen(tools, "&Datafiler",
          "Data för ortsnamn, asteroider, kometer, rymdsonder, stjärnor, objekt, namn m.fl.",
          TWindowKind::DataFiles);
  addOpen(tools, "&Bilder", "Bilder på planeter och andra objekt", TWindowKind::Pictures);
  addOpen(tools, "Ban&kalkylering", "Beräkning av banelement från tre observationer",
          TWindowKind::Orbit);

  QMenu* help = bar->addMenu(Utf8("&Hjälp"));
  connect(addItem(help, "&Himlavy-hjälp", "Hjälp för Himlavy"), &QAction::triggered, this,
          [] { HelpContents(); });
  connect(addItem(help, "&Om Himlavy", "Om Himlavy"), &QAction::triggered, this,
          &TMainFrame::ShowAbout);
}

void TMainFrame::BuildStatusLine() {
  // Nine sunken panels of fixed widths in a bar 22 pixels high.
  auto* bar = new QWidget(this);
  bar->setFixedHeight(22);
  auto* layout = new QHBoxLayout(bar);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  const QFont font = MakeFont(QStringLiteral("MS Sans Serif"), 8);
  for (std::size_t i = 0; i < statusPanels_.size(); ++i) {
    auto* panel = new QLabel(bar);
    panel->setObjectName(QStringLiteral("statusPanel%1").arg(i + 1));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setFixedWidth(kStatusPanelWidths[i]);
    panel->setFont(font);
    panel->setAutoFillBackground(true);
    layout->addWidget(panel);
    statusPanels_[i] = panel;
  }
  layout->addStretch(1);
  statusBar()->setSizeGripEnabled(false);
  statusBar()->addWidget(bar, 1);
}

void TMainFrame::AddOpenCommand(TWindowKind kind, QToolButton* button, QAction* action) {
  commands_.push_back(Command{kind, button, action});
}

void TMainFrame::UpdateCommandEnabling() {
  for (const Command& command : commands_) {
    const bool enabled = FindWindowFactory(command.Kind) != nullptr &&
                         (!IsCentreKind(command.Kind) || state_.CoordSystem == 0);
    if (command.Button != nullptr && command.Button->isEnabled() != enabled) {
      command.Button->setEnabled(enabled);
    }
    if (command.Action != nullptr && command.Action->isEnabled() != enabled) {
      command.Action->setEnabled(enabled);
    }
  }
}

void TMainFrame::RebuildWindowList() {
  for (QAction* action : windowListActions_) {
    fileMenu_->removeAction(action);
    delete action;
  }
  windowListActions_.clear();
  const QList<QMdiSubWindow*> windows = mdiArea_->subWindowList();
  if (windows.isEmpty()) return;
  windowListActions_.push_back(fileMenu_->addSeparator());
  QMdiSubWindow* active = mdiArea_->activeSubWindow();
  int number = 1;
  for (QMdiSubWindow* window : windows) {
    const QString caption = window->windowTitle();
    QAction* action = fileMenu_->addAction(
        number <= 9 ? QStringLiteral("&%1 %2").arg(number).arg(caption) : caption);
    action->setCheckable(true);
    action->setChecked(window == active);
    connect(action, &QAction::triggered, this, [this, window] {
      if (window->isMinimized()) window->showNormal();
      mdiArea_->setActiveSubWindow(window);
    });
    windowListActions_.push_back(action);
    ++number;
  }
}

TAboutDialog* TMainFrame::AboutBox() {
  if (aboutBox_ == nullptr) aboutBox_ = new TAboutDialog(this);
  return aboutBox_;
}

TSettingsDialog* TMainFrame::SettingsDialog() {
  if (settingsDialog_ == nullptr) {
    settingsDialog_ = new TSettingsDialog(state_, dataDir_, this);
    settingsDialog_->SetHelpCallback([](const QString& context) { HelpJump(context); });
  }
  return settingsDialog_;
}

TExitDialog* TMainFrame::ExitDialog() {
  if (exitDialog_ == nullptr) exitDialog_ = new TExitDialog(this);
  return exitDialog_;
}

QPrintDialog* TMainFrame::PrintDialog() {
  return SharedPrintDialog(this);
}

TChildWindow* TMainFrame::OpenWindow(TWindowKind kind) {
  const TWindowFactory* factory = FindWindowFactory(kind);
  if (factory == nullptr) return nullptr;
  TChildWindow* window = (*factory)(state_, dataDir_);
  if (window == nullptr) return nullptr;
  mdiArea_->addSubWindow(window, window->windowFlags());
  window->show();
  return window;
}

TSkyChartWindow* TMainFrame::OpenSkyChart() {
  if (skyChart_ != nullptr) return skyChart_;
  skyChart_ = new TSkyChartWindow(state_, dataDir_);
  mdiArea_->addSubWindow(skyChart_, skyChart_->windowFlags());
  skyChart_->show();
  return skyChart_;
}

void TMainFrame::ShowSettings(int page) {
  SettingsDialog()->ExecPage(page);
  RefreshStatusLine();
}

void TMainFrame::ShowExitConfirmation() {
  if (ExitDialog()->exec() == QDialog::Accepted) close();
}

void TMainFrame::ShowAbout() {
  AboutBox()->exec();
}

void TMainFrame::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (!shown_) {
    shown_ = true;
    FormShow();
  }
}

void TMainFrame::closeEvent(QCloseEvent* event) {
  // A data-files window with unsaved edits asks first; its "Avbryt" keeps the program open.
  for (QMdiSubWindow* window : mdiArea_->subWindowList()) {
    if (qobject_cast<TDataFilesWindow*>(window) != nullptr && !window->close()) {
      event->ignore();
      return;
    }
  }
  HelpQuit();
  QMainWindow::closeEvent(event);
  if (startUp_) QApplication::quit();
}

bool TMainFrame::event(QEvent* event) {
  // Every hint of the frame and its windows arrives here as a status tip: the hint panel
  // shows its long part after the hint pause; leaving a control empties the panel at once.
  if (event->type() == QEvent::StatusTip) {
    ShowHint(LongHint(static_cast<QStatusTipEvent*>(event)->tip()));
    return true;
  }
  return QMainWindow::event(event);
}

void TMainFrame::ShowHint(const QString& hint) {
  pendingHint_ = hint;
  if (hint.isEmpty()) {
    hintTimer_->stop();
    hintPanel_->clear();
  } else {
    hintTimer_->start();
  }
}

void TMainFrame::FormShow() {
  move(0, 0);
  resize(1024, 768);
  if (startUp_) {
    LoadParameters(state_, ResolveDataPath(dataDir_, kParameterFileName));
    SetMomentFromComputerClock(state_);
  }
  RefreshStatusLine();
  UpdateCommandEnabling();
  incrementTimer_->start();
  statusTimer_->start();
  // The sky chart is the last window of the start-up; it releases the splash screen.
  if (startUp_) OpenSkyChart();
}

void TMainFrame::RefreshStatusLine() {
  const auto texts = StatusLineTexts(state_, LocaleDecimalSeparator());
  for (std::size_t i = 0; i < statusPanels_.size(); ++i) {
    const QString text = QString::fromStdString(texts[i]);
    if (statusPanels_[i]->text() != text) statusPanels_[i]->setText(text);
  }
}

QString TMainFrame::ClockPanelText(const QDateTime& local) {
  const QLocale locale;
  // The long time format without the zone, which the classic format does not have.
  QString timeFormat = locale.timeFormat(QLocale::LongFormat);
  static const QRegularExpression zone(QStringLiteral("\\s*\\bt+\\b\\s*"));
  timeFormat.replace(zone, QString());
  QString text = locale.toString(local.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
                 locale.toString(local.time(), timeFormat.trimmed());
  text.chop(3);
  return text;
}

void TMainFrame::SetIncrementPanelColours() {
  QLabel* panel = StatusPanel(TStatusField::Increment);
  if (state_.IncrementOn == 1) {
    SetPanelColours(panel, kActiveCaption, Qt::white);
  } else {
    SetPanelColours(panel, palette().color(QPalette::Button), Qt::black);
  }
}

void TMainFrame::IncrementTimerTick() {
  IncrementTick(state_);
}

void TMainFrame::StatusTimerTick() {
  const int interval = TimerSpeedInterval(state_.TimerSpeed);
  if (incrementTimer_->interval() != interval) incrementTimer_->setInterval(interval);
  RefreshStatusLine();
  UpdateCommandEnabling();
  const QString clock = ClockPanelText(QDateTime::currentDateTime());
  if (clockPanel_->text() != clock) clockPanel_->setText(clock);
}

void TMainFrame::UseComputerClock() {
  SetMomentFromComputerClock(state_);
  RaiseAllRedrawFlags(state_);
}

void TMainFrame::StartStopIncrement() {
  state_.IncrementOn = state_.IncrementOn == 1 ? 0 : 1;
  SetIncrementPanelColours();
}

void TMainFrame::ReverseIncrement() {
  state_.StepDays = -state_.StepDays;
}

}  // namespace himlavy
