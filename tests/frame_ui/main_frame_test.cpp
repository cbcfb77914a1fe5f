// The main frame: toolbar, menus, hints, clock timers, increment, enabling and exit.
#include "frame/main_frame.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QDateTime>
#include <QEnterEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

#include "common/fixture_rows.h"
#include "shell/exit_dialog.h"
#include "shell/help_window.h"
#include "shell/settings_dialog.h"
#include "shell_ui/qt_app.h"

namespace himlavy {
namespace {
using namespace testing;
double NowJD() {
  const QDateTime now = QDateTime::currentDateTime();
  return static_cast<double>(now.date().toJulianDay()) - 0.5 +
         now.time().msecsSinceStartOfDay() / 86400000.0;
}
// The fields of a fixture row as one text, "a|b|c".
QString Joined(const std::vector<std::string>& row) {
  return QString::fromStdString(row[0] + "|" + row[1] + "|" + row[2]);
}
// The shared frame over an empty folder, with its toolbar buttons and menu items by name.
struct Fixture : ScratchFrame {
  explicit Fixture(bool shown = false) : ScratchFrame(shown) {}
  QToolButton* Button(const char* name) const {
    return frame.findChild<QToolButton*>(QString::fromLatin1(name));
  }
  QAction* Item(const char* text) const {
    for (QAction* action : frame.findChildren<QAction*>())
      if (action->text() == U(text)) return action;
    ADD_FAILURE() << "no item " << text;
    return nullptr;
  }
  // Every menu item as "menu|item|hint", separators left out.
  QStringList Items() const {
    QStringList items;
    for (QAction* menu : frame.menuBar()->actions()) {
      for (const QAction* a : menu->menu()->actions())
        if (!a->isSeparator()) items << menu->text() + "|" + a->text() + "|" + a->statusTip();
    }
    return items;
  }
};
TEST(MainFrame, ToolbarAndMenuCaptionsHintsColoursAndSizes) {
  using namespace colours;
  const TColor captionColours[] = {
      kRed,    kTeal,   kTeal,   kTeal,   kTeal,   kGreen, kGreen, kGreen, kGreen, kPurple, kPurple,
      kPurple, kPurple, kPurple, kPurple, kPurple, kBlack, kBlack, kNavy,  kNavy,  kNavy,   kNavy};
  Fixture f;
  const auto& tools = f.frame.ToolButtons();
  const auto buttons = FixtureRows("frame_ui/toolbar_buttons.tsv");
  ASSERT_EQ(tools.size(), buttons.size());
  int x = 0;
  for (std::size_t i = 0; i < tools.size(); ++i) {
    const QToolButton* b = tools[i];
    EXPECT_EQ(b->objectName() + "|" + b->text() + "|" + b->statusTip(), Joined(buttons[i]));
    EXPECT_TRUE(b->toolTip().isEmpty() && b->font().bold()) << buttons[i][0];
    EXPECT_EQ(b->palette().color(QPalette::Active, QPalette::ButtonText).rgb(),
              ToQRgb(captionColours[i]))
        << i;
    EXPECT_EQ(b->geometry().left(), x) << i;
    x += i == 0 ? 30 : 23;
  }
  EXPECT_EQ(tools.front()->parentWidget()->height(), 25);
  EXPECT_EQ(std::tuple(f.frame.HintPanel()->x(), f.frame.HintPanel()->width()), std::tuple(x, 383));
  EXPECT_EQ(std::tuple(f.frame.ClockPanel()->width(), f.frame.ClockPanel()->font().bold()),
            std::tuple(124, true));
  // The long hint shows in the hint panel after the 300 ms pause, and goes when the mouse
  // leaves the button.
  f.frame.show();
  QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
  QCoreApplication::sendEvent(f.Button("incrementOnOffButton"), &enter);
  WaitMs(150);
  EXPECT_EQ(f.frame.HintPanel()->text(), QString());
  EXPECT_TRUE(WaitFor([&] { return !f.frame.HintPanel()->text().isEmpty(); }, 1000));
  EXPECT_EQ(f.frame.HintPanel()->text(), U("Tidinkrement, till/från"));
  QEvent leave(QEvent::Leave);
  QCoreApplication::sendEvent(f.Button("incrementOnOffButton"), &leave);
  EXPECT_EQ(f.frame.HintPanel()->text(), QString());
  // The menu items; an item's hint reaches the hint panel as the mouse moves over it.
  QStringList expected;
  for (const auto& row : FixtureRows("frame_ui/menu_items.tsv")) expected << Joined(row);
  EXPECT_EQ(f.Items(), expected);
  f.Item("&Bilder")->showStatusText(f.frame.menuBar());
  EXPECT_TRUE(WaitFor([&] { return !f.frame.HintPanel()->text().isEmpty(); }, 1000));
  EXPECT_EQ(f.frame.HintPanel()->text(), U("Bilder på planeter och andra objekt"));
}
// Commands enabled while their kind has a factory; "i centrum" only in system 0, within a tick.
TEST(MainFrame, CommandsEnabledByFactoryAndCoordinateSystem) {
  Fixture f;
  const auto enabled = [&](const char* button, const char* item) {
    f.frame.StatusTimerTick();
    EXPECT_EQ(f.Item(item)->isEnabled(), f.Button(button)->isEnabled()) << item;
    return f.Button(button)->isEnabled();
  };
  const TWindowFactory dummy = [](TObsState& s, const std::filesystem::path& d) {
    return new TChildWindow(s, d);
  };
  const ScopedFactory earthCentre(TWindowKind::EarthCentre, dummy);
  {
    const ScopedFactory none(TWindowKind::JupiterCentre, {});
    EXPECT_FALSE(enabled("jupiterCentreButton", "J&upiter i centrum"));
  }
  const ScopedFactory jupiterCentre(TWindowKind::JupiterCentre, dummy);
  for (const int system : {0, 1, 6}) {
    f.state.CoordSystem = system;
    EXPECT_EQ(enabled("earthCentreButton", "Jorden i &centrum"), system == 0);
    EXPECT_EQ(enabled("jupiterCentreButton", "J&upiter i centrum"), system == 0);
  }
  f.state.CoordSystem = 0;
  f.frame.show();
  EXPECT_TRUE(WaitFor([&] { return f.Button("earthCentreButton")->isEnabled(); }, 1000));
  f.state.CoordSystem = 4;
  EXPECT_TRUE(WaitFor([&] { return !f.Button("jupiterCentreButton")->isEnabled(); }, 250));
}
// TimerSpeed 0 ticks every 10 s; a new speed is taken at the next status tick, not restarted.
TEST(MainFrame, TimerSpeedWithinOneStatusTick) {
  Fixture f;
  EXPECT_EQ(f.frame.IncrementTimer()->interval(), 100);  // until the first status tick
  for (const auto& [speed, interval] : {std::pair{1, 1000}, {2, 100}, {0, 10000}}) {
    f.state.TimerSpeed = speed;
    f.frame.StatusTimerTick();
    EXPECT_EQ(f.frame.IncrementTimer()->interval(), interval) << speed;
  }
  f.frame.show();
  WaitMs(300);
  const int remaining = f.frame.IncrementTimer()->remainingTime();
  f.frame.StatusTimerTick();
  EXPECT_LE(f.frame.IncrementTimer()->remainingTime(), remaining);
  f.state.TimerSpeed = 2;
  EXPECT_TRUE(WaitFor([&] { return f.frame.IncrementTimer()->interval() == 100; }, 250));
  std::tie(f.state.StepDays, f.state.IncrementOn) = std::tuple(1.0, 1);
  EXPECT_TRUE(WaitFor([&] { return f.state.ClockJD >= 2451547.0; }, 3000));
}
// "T/F" starts, stops and colours the increment panel; "+/-" reverses at the next tick.
TEST(MainFrame, IncrementStartStopAndPlusMinus) {
  Fixture f;
  f.state.StepDays = 0.5;
  QLabel* panel = f.frame.StatusPanel(TStatusField::Increment);
  const QColor face = f.frame.palette().color(QPalette::Button);
  f.Button("incrementOnOffButton")->click();
  const auto shown = [&] {
    return std::tuple(f.state.IncrementOn, panel->palette().color(QPalette::Window),
                      panel->palette().color(QPalette::WindowText));
  };
  EXPECT_EQ(shown(), std::tuple(1, QColor(0, 0, 128), QColor(Qt::white)));
  f.frame.IncrementTimerTick();
  EXPECT_EQ(f.state.ClockJD, 2451545.5);
  f.Button("incrementSignButton")->click();
  EXPECT_EQ(f.state.StepDays, -0.5);
  f.frame.IncrementTimerTick();
  f.frame.IncrementTimerTick();
  EXPECT_EQ(f.state.ClockJD, 2451544.5);
  f.Button("incrementOnOffButton")->click();
  EXPECT_EQ(shown(), std::tuple(0, face, QColor(Qt::black)));
  // With the timers running: frozen means frozen, and the increment raises no flags.
  f.state.TimerSpeed = 2;
  f.frame.show();
  WaitMs(400);
  EXPECT_EQ(std::tuple(f.state.ClockJD, f.state.RedrawChart), std::tuple(2451544.5, 0));
}
// "Lo" while running: the clock's moment, every redraw flag, and stepping on from there.
TEST(MainFrame, LocalTimeWhileRunning) {
  Fixture f;
  std::tie(f.state.StepDays, f.state.IncrementOn) = std::tuple(0.25, 1);
  f.Button("localTimeButton")->click();
  EXPECT_NEAR(f.state.ClockJD, NowJD(), 3.0 / 86400.0);
  for (const auto flag : kRedrawFlags) EXPECT_EQ(f.state.*flag, 1);
  const double jumped = f.state.ClockJD;
  f.frame.IncrementTimerTick();
  EXPECT_EQ(f.state.ClockJD, jumped + 0.25);
}
// The first showing places the frame, loads parametr.dta and reads the computer clock.
TEST(MainFrame, StartUpParametersComputerClockProgramTitleAndClockText) {
  EnsureApplication();
  ScratchDir dir;
  std::string params;
  for (int line = 1; line <= 58; ++line)
    params += line == 2 ? " -5.00000000000000E+0000\r\n" : line == 8 ? "Lund\r\n" : "0\r\n";
  dir.Write("parametr.dta", params);
  for (const bool withFile : {true, false}) {
    if (!withFile) std::filesystem::remove(dir / "parametr.dta");
    TObsState state;
    TMainFrame frame(state, dir.Path(), true);
    frame.show();
    EXPECT_EQ(std::tuple(frame.pos(), frame.size()), std::tuple(QPoint(0, 0), QSize(1024, 768)));
    EXPECT_EQ(std::tuple(state.TimeZone, frame.StatusPanel(TStatusField::Place)->text()),
              withFile ? std::tuple(-5.0, U(" Lund")) : std::tuple(0.0, U(" ")));
    EXPECT_NEAR(state.ClockJD, NowJD(), 3.0 / 86400.0);
    EXPECT_TRUE(frame.IncrementTimer()->isActive() && frame.StatusTimer()->isActive());
  }
  // Captions alone: once set, the display name is added to every title ("... — Himlavy 4.6").
  // The clock: the short date and the long time less the seconds.
  SetProgramTitleAndHelp(std::filesystem::current_path());
  EXPECT_EQ(QApplication::applicationName(), U("Himlavy 4.6"));
  QApplication::setApplicationName(U("test_shell_ui"));
  EXPECT_EQ(QApplication::applicationDisplayName(), U("test_shell_ui"))
      << "an explicit display name would be added to every window title";
  EXPECT_EQ(HelpFile(), U("HVHELP.HLP"));
  const testing::ScopedLocale swedish(QLocale(QLocale::Swedish, QLocale::Sweden));
  const QDateTime moment(QDate(2024, 3, 5), QTime(14, 7, 9));
  EXPECT_EQ(TMainFrame::ClockPanelText(moment), U("2024-03-05 14:07"));
}
// Each command opens a new window; closing destroys it; "&Arkiv" lists the open windows.
TEST(MainFrame, WindowsOpenListAndClose) {
  Fixture f(true);
  QPointer<TChildWindow> first(f.frame.OpenWindow(TWindowKind::Increment));
  ASSERT_NE(first, nullptr);
  f.Item("I&nkrementering")->trigger();
  f.Button("incrementWindowButton")->click();
  emit f.frame.menuBar()->actions().front()->menu()->aboutToShow();
  EXPECT_EQ(f.Items().filter(U("&Arkiv|")),
            QStringList({U("&Arkiv|&Avsluta|Avsluta Himlavy"), U("&Arkiv|&1 Inkrementering|"),
                         U("&Arkiv|&2 Inkrementering|"), U("&Arkiv|&3 Inkrementering|")}));
  first->close();
  EXPECT_TRUE(WaitFor([&] { return first.isNull(); }, 1000));
  EXPECT_EQ(f.frame.MdiArea()->subWindowList().size(), 2);
}
// "Inm" opens the settings on the page shown last; the "&Invärden" items on their own pages.
TEST(MainFrame, SettingsDialogPages) {
  Fixture f(true);
  int seenPage = -1;
  const auto pageShownBy = [&](const std::function<void()>& command) {
    QTimer::singleShot(0, [&] {
      seenPage = f.frame.SettingsDialog()->CurrentPage();
      f.frame.SettingsDialog()->reject();
    });
    command();
    return seenPage;
  };
  const char* items[] = {"&Tid",   "T&idinkrement", "&Plats",       "&Alternativ",
                         "&Urval", "&Stjärnor",     "&Korrektioner"};
  for (int page = 0; page < 7; ++page) {
    EXPECT_EQ(pageShownBy([&] { f.Item(items[page])->trigger(); }), page) << items[page];
  }
  EXPECT_EQ(pageShownBy([&] { f.Button("settingsButton")->click(); }), 6);
}
// "Nej" keeps the program running; "Ja" closes it, and the help viewer with it.
TEST(MainFrame, ExitConfirmationAndHelp) {
  Fixture f(true);
  MapHelpFile(QStringLiteral("HVHELP.HLP"), testing::SourceDir() / "help");
  f.Item("&Himlavy-hjälp")->trigger();
  ASSERT_NE(OpenHelpViewer(), nullptr);
  EXPECT_EQ(OpenHelpViewer()->CurrentPage(), U("index.html"));
  TExitDialog* dialog = f.frame.ExitDialog();
  EXPECT_EQ(
      std::tuple(dialog->windowTitle(), dialog->YesButton()->text(), dialog->NoButton()->text()),
      std::tuple(U("Avsluta Himlavy"), U("Ja"), U("Nej")));
  EXPECT_EQ(std::tuple(dialog->YesButton()->palette().color(QPalette::ButtonText),
                       dialog->NoButton()->palette().color(QPalette::ButtonText)),
            std::tuple(QColor(0, 128, 0), QColor(255, 0, 0)));
  QTimer::singleShot(0, [dialog] { dialog->NoButton()->click(); });
  f.Item("&Avsluta")->trigger();
  EXPECT_TRUE(f.frame.isVisible());
  QTimer::singleShot(0, [dialog] { dialog->YesButton()->click(); });
  f.Item("&Avsluta")->trigger();
  EXPECT_EQ(std::tuple(f.frame.isVisible(), OpenHelpViewer()), std::tuple(false, nullptr));
}
}  // namespace
}  // namespace himlavy
