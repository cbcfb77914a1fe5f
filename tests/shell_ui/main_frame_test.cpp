// The main frame: toolbar, menus and hints, the two clock timers, the increment buttons, the
// enabling of the window commands, and the exit confirmation.
#include "shell/main_frame.h"

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
#include <array>
#include <map>
#include <memory>
#include <string>

#include "common/scratch_dir.h"
#include "shell/exit_dialog.h"
#include "shell/help_window.h"
#include "shell/settings_dialog.h"
#include "shell_ui/qt_app.h"

namespace himlavy {
namespace {

using testing::EnsureApplication;
using testing::ScopedFactory;
using testing::ScopedLocale;
using testing::ScratchDir;
using testing::WaitFor;
using testing::WaitMs;

QString U(const char* text) {
  return QString::fromUtf8(text);
}

// The computer's local clock as a Julian day, from Qt's own calendar.
double NowJD() {
  const QDateTime now = QDateTime::currentDateTime();
  return static_cast<double>(now.date().toJulianDay()) - 0.5 +
         now.time().msecsSinceStartOfDay() / 86400000.0;
}

// A frame over an empty scratch folder that neither reads parametr.dta nor the clock, at
// JD 2451545.0.
struct Fixture {
  Fixture() {
    state.ClockJD = 2451545.0;
    DeriveTimes(state);
  }
  QToolButton* Button(const char* name) const {
    return frame.findChild<QToolButton*>(QString::fromLatin1(name));
  }
  // The item of a menu by the texts of the menu and the item.
  QAction* Item(const char* menuTitle, const char* text) const {
    for (QAction* menu : frame.menuBar()->actions()) {
      if (menu->text() != U(menuTitle)) continue;
      for (QAction* action : menu->menu()->actions()) {
        if (action->text() == U(text)) return action;
      }
    }
    ADD_FAILURE() << "no item " << text << " in " << menuTitle;
    return nullptr;
  }
  // The texts of a menu's items, separators left out.
  static QStringList Texts(const QMenu* menu) {
    QStringList texts;
    for (const QAction* action : menu->actions()) {
      if (!action->isSeparator()) texts << action->text();
    }
    return texts;
  }

  QApplication& app = EnsureApplication();
  ScratchDir dir;
  TObsState state;
  THimlavy2 frame{state, dir.Path(), false};
};

TEST(MainFrameToolbar, CaptionsHintsColoursAndSizes) {
  struct Button {
    const char* Name;
    const char* Caption;
    const char* LongHint;
    TColor Colour;
  };
  using namespace colours;
  const Button buttons[] = {
      {"SpeedButton3", "Inm",
       "Inmatning av Tid,Tidinkrement,Plats,Alternativ,Urval,Stjärnor m.fl.,Korrektioner", kRed},
      {"SpeedButton1", "Lo", "Datorns lokaltid sätts till programmet", kTeal},
      {"SpeedButton4", "T/F", "Tidinkrement, till/från", kTeal},
      {"SpeedButton5", "+/-", "Tidinkrement, plus/minus", kTeal},
      {"SpeedButton19", "In", "Tidsinkrementering utan spår", kTeal},
      {"SpeedButton13", "Jo", "Jorden med ortsnamn för val av observationsplats", kGreen},
      {"SpeedButton14", "So", "Solförmörkelser för valt år", kGreen},
      {"SpeedButton6", "Sl", "Solens läge i förhållande till jordytan", kGreen},
      {"SpeedButton22", "Da", "Dag/natt-linjen över jordytan", kGreen},
      {"SpeedButton18", "Me", "Merkurius sedd från jorden", kPurple},
      {"SpeedButton7", "Ve", "Venus, sedd från jorden", kPurple},
      {"SpeedButton8", "Ma", "Mars, sedd från jorden", kPurple},
      {"SpeedButton9", "Ju", "Jupiter, sedd från jorden", kPurple},
      {"SpeedButton10", "Sa", "Saturnus, sedd från jorden", kPurple},
      {"SpeedButton11", "Må", "Månen, sedd från jorden", kPurple},
      {"SpeedButton12", "Jm", "Jupiter med de julianska månarna sedda från jorden", kPurple},
      {"SpeedButton20", "Jo", "Jorden i centrum med satelliter i bana", kBlack},
      {"SpeedButton21", "Ju", "Jupiter i centrum med satelliter i bana", kBlack},
      {"SpeedButton2", "Må", "Månförmörkelser för valt år", kNavy},
      {"SpeedButton15", "Ka", "Kalender för vald dag och tidzon", kNavy},
      {"SpeedButton16", "Al", "Almanacka med astronomisk information för valt år", kNavy},
      {"SpeedButton17", "He", "Helgdagar i Sverige", kNavy},
  };
  Fixture f;
  const auto& tools = f.frame.ToolButtons();
  ASSERT_EQ(tools.size(), std::size(buttons));
  int x = 0;
  for (std::size_t i = 0; i < tools.size(); ++i) {
    const QToolButton* b = tools[i];
    SCOPED_TRACE(buttons[i].Name);
    EXPECT_EQ(b->objectName(), QString::fromLatin1(buttons[i].Name));
    EXPECT_EQ(b->text(), U(buttons[i].Caption));
    EXPECT_EQ(b->statusTip(), U(buttons[i].LongHint));
    EXPECT_TRUE(b->toolTip().isEmpty());  // no tooltips
    EXPECT_TRUE(b->font().bold());
    EXPECT_EQ(b->palette().color(QPalette::Active, QPalette::ButtonText).rgb(),
              ToQRgb(buttons[i].Colour));
    EXPECT_EQ(b->geometry().left(), x);
    x += i == 0 ? 30 : 23;
  }
  EXPECT_EQ(tools.front()->parentWidget()->height(), 25);
  EXPECT_EQ(f.frame.HintPanel()->x(), x);
  EXPECT_EQ(f.frame.HintPanel()->width(), 383);
  EXPECT_EQ(f.frame.ClockPanel()->width(), 124);
  EXPECT_TRUE(f.frame.ClockPanel()->font().bold());

  // The long hint shows in the hint panel after the 300 ms pause, and goes when the mouse
  // leaves the button.
  f.frame.show();
  QToolButton* button = f.Button("SpeedButton4");
  QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
  QCoreApplication::sendEvent(button, &enter);
  WaitMs(150);
  EXPECT_EQ(f.frame.HintPanel()->text(), QString());
  EXPECT_TRUE(WaitFor([&] { return !f.frame.HintPanel()->text().isEmpty(); }, 1000));
  EXPECT_EQ(f.frame.HintPanel()->text(), U("Tidinkrement, till/från"));
  QEvent leave(QEvent::Leave);
  QCoreApplication::sendEvent(button, &leave);
  EXPECT_EQ(f.frame.HintPanel()->text(), QString());
}

TEST(MainFrameMenus, ItemsAndHints) {
  const std::array<const char*, 3> items[] = {
      {"&Arkiv", "&Avsluta", "Avsluta Himlavy"},
      {"&Invärden", "&Tid", "Inmatning av tid"},
      {"&Invärden", "T&idinkrement", "Val av storlek på tidsinkrement"},
      {"&Invärden", "&Plats", "Inmatning av observationsplats "},
      {"&Invärden", "&Alternativ", "Val av alternativa koordinatsystem"},
      {"&Invärden", "&Urval",
       "Val av visning av sol, måne, planeter, asteroider, kometer och stjärnor"},
      {"&Invärden", "&Stjärnor", ""},
      {"&Invärden", "&Korrektioner", "Val av korrektioner"},
      {"&Invärden", "I&nkrementering", "Inkrementering utan spår"},
      {"&Funktioner", "M&erkurius", "Merkurius, sedd från jorden"},
      {"&Funktioner", "&Venus", "Venus, sedd från jorden"},
      {"&Funktioner", "Ma&rs", "Mars, sedd från jorden"},
      {"&Funktioner", "J&upiter", "Jupiter, sedd från jorden"},
      {"&Funktioner", "Sa&turnus", "Saturnus, sedd från jorden"},
      {"&Funktioner", "&Månen", "Månen, sedd från jorden"},
      {"&Funktioner", "Jupiters m&ånar", "Jupiter med de julianska månarna"},
      {"&Funktioner", "&Jorden", "Jorden med orter för val av observationsplats"},
      {"&Funktioner", "&Solförmörkelser", "Solförmörkelser för valt år"},
      {"&Funktioner", "Mån&förmörkelser", "Månförmörkelser för valt år"},
      {"&Funktioner", "S&olens läge", "Solens läge i förhållande till jordytan"},
      {"&Funktioner", "&Dag/natt-linje", "Dag/natt-linjen över jordytan"},
      {"&Funktioner", "&Kalender", "Kalender för vald dag"},
      {"&Funktioner", "&Almanacka", "Almanacka för valt år"},
      {"&Funktioner", "&Helger", "Helgdagar i Sverige för valt år"},
      {"&Funktioner", "Jorden i &centrum", "Jorden i centrum med satelliter i bana"},
      {"&Funktioner", "J&upiter i centrum", "Jupiter i centrum med satelliter i bana"},
      {"&Verktyg", "&Datafiler",
       "Data för ortsnamn, asteroider, kometer, rymdsonder, stjärnor, objekt, namn m.fl."},
      {"&Verktyg", "&Bilder", "Bilder på planeter och andra objekt"},
      {"&Verktyg", "Ban&kalkylering", "Beräkning av banelement från tre observationer"},
      {"&Hjälp", "&Himlavy-hjälp", "Hjälp för Himlavy"},
      {"&Hjälp", "&Om Himlavy", "Om Himlavy"},
  };
  Fixture f;
  // The menus in order, each with its items in order and their hints.
  std::map<QString, QStringList> expected;
  QStringList titles;
  for (const auto& [menu, text, hint] : items) {
    if (!expected.contains(U(menu))) titles << U(menu);
    expected[U(menu)] << U(text);
    const QAction* action = f.Item(menu, text);
    ASSERT_NE(action, nullptr);
    EXPECT_EQ(action->statusTip(), U(hint)) << text;
  }
  QStringList shown;
  for (QAction* menu : f.frame.menuBar()->actions()) {
    shown << menu->text();
    EXPECT_EQ(Fixture::Texts(menu->menu()), expected[menu->text()]) << menu->text().toStdString();
  }
  EXPECT_EQ(shown, titles);

  // A menu item's hint reaches the hint panel as the mouse moves over it.
  f.frame.show();
  f.Item("&Verktyg", "&Bilder")->showStatusText(f.frame.menuBar());
  EXPECT_TRUE(WaitFor([&] { return !f.frame.HintPanel()->text().isEmpty(); }, 1000));
  EXPECT_EQ(f.frame.HintPanel()->text(), U("Bilder på planeter och andra objekt"));
}

// Each window button and menu item is enabled exactly while its window kind has a factory;
// the two "i centrum" ones only while the coordinate system is "Ekliptikalt, hel" (0), which
// shows within a status tick.
TEST(MainFrameCommands, EnabledByFactoryAndCoordinateSystem) {
  Fixture f;
  const TWindowFactory dummy = [](TObsState& s, const std::filesystem::path& d) {
    return new TChildWindow(s, d);
  };
  const auto enabled = [&](const char* button, const char* menu, const char* item) {
    const bool on = f.Item(menu, item)->isEnabled();
    if (button != nullptr) {
      EXPECT_EQ(f.Button(button)->isEnabled(), on) << item;
    }
    return on;
  };
  {
    const ScopedFactory none(TWindowKind::Earth, {});
    const ScopedFactory noFiles(TWindowKind::DataFiles, {});
    f.frame.Timer2Timer();
    EXPECT_FALSE(enabled("SpeedButton13", "&Funktioner", "&Jorden"));
    EXPECT_FALSE(enabled(nullptr, "&Verktyg", "&Datafiler"));
  }
  const ScopedFactory earth(TWindowKind::Earth, dummy);
  const ScopedFactory files(TWindowKind::DataFiles, dummy);
  f.frame.Timer2Timer();
  EXPECT_TRUE(enabled("SpeedButton13", "&Funktioner", "&Jorden"));
  EXPECT_TRUE(enabled(nullptr, "&Verktyg", "&Datafiler"));
  // The windows of this part of the program are there from the start; the settings, clock
  // and increment buttons need no window.
  EXPECT_TRUE(enabled("SpeedButton19", "&Invärden", "I&nkrementering"));
  EXPECT_TRUE(enabled(nullptr, "&Verktyg", "&Bilder"));
  for (const char* name : {"SpeedButton3", "SpeedButton1", "SpeedButton4", "SpeedButton5"}) {
    EXPECT_TRUE(f.Button(name)->isEnabled()) << name;
  }

  const ScopedFactory earthCentre(TWindowKind::EarthCentre, dummy);
  const ScopedFactory jupiterCentre(TWindowKind::JupiterCentre, dummy);
  for (const int system : {0, 1, 6}) {
    f.state.CoordSystem = system;
    f.frame.Timer2Timer();
    EXPECT_EQ(enabled("SpeedButton20", "&Funktioner", "Jorden i &centrum"), system == 0);
    EXPECT_EQ(enabled("SpeedButton21", "&Funktioner", "J&upiter i centrum"), system == 0);
  }
  f.state.CoordSystem = 0;
  f.frame.show();
  EXPECT_TRUE(WaitFor([&] { return f.Button("SpeedButton20")->isEnabled(); }, 1000));
  f.state.CoordSystem = 4;
  EXPECT_TRUE(WaitFor([&] { return !f.Button("SpeedButton21")->isEnabled(); }, 250));
}

// With TimerSpeed 0 the increment ticks every 10 s; a new speed is taken over at the next
// status tick, and an unchanged speed leaves the running timer alone.
TEST(MainFrameTimers, SpeedChangeWithinOneStatusTick) {
  Fixture f;
  EXPECT_EQ(f.frame.IncrementTimer()->interval(), 100);  // until the first status tick
  const std::pair<int, int> speeds[] = {{1, 1000}, {2, 100}, {0, 10000}};
  for (const auto& [speed, interval] : speeds) {
    f.state.TimerSpeed = speed;
    f.frame.Timer2Timer();
    EXPECT_EQ(f.frame.IncrementTimer()->interval(), interval) << speed;
  }
  f.frame.show();
  WaitMs(300);
  const int remaining = f.frame.IncrementTimer()->remainingTime();
  f.frame.Timer2Timer();  // same speed: the running timer is not restarted
  EXPECT_LE(f.frame.IncrementTimer()->remainingTime(), remaining);
  f.state.TimerSpeed = 2;
  EXPECT_TRUE(WaitFor([&] { return f.frame.IncrementTimer()->interval() == 100; }, 250));

  // Running at the high speed, the moment moves several steps a second.
  f.state.StepDays = 1.0;
  f.state.IncrementOn = 1;
  EXPECT_TRUE(WaitFor([&] { return f.state.ClockJD >= 2451547.0; }, 3000));
}

// "T/F" starts and stops the increment and colours the increment panel; stopped, the moment
// stays where it is. "+/-" reverses the direction at the next tick.
TEST(MainFrameIncrement, StartStopAndPlusMinus) {
  Fixture f;
  f.state.StepDays = 0.5;
  QLabel* panel = f.frame.StatusPanel(6);
  const QColor face = f.frame.palette().color(QPalette::Button);
  EXPECT_EQ(panel->palette().color(QPalette::Window), face);
  f.Button("SpeedButton4")->click();
  EXPECT_EQ(f.state.IncrementOn, 1);
  EXPECT_EQ(panel->palette().color(QPalette::Window), QColor(0, 0, 128));
  EXPECT_EQ(panel->palette().color(QPalette::WindowText), QColor(Qt::white));
  f.frame.Timer1Timer();
  EXPECT_EQ(f.state.ClockJD, 2451545.5);
  f.Button("SpeedButton5")->click();
  EXPECT_EQ(f.state.StepDays, -0.5);
  f.frame.Timer1Timer();
  f.frame.Timer1Timer();
  EXPECT_EQ(f.state.ClockJD, 2451544.5);
  f.frame.RefreshStatusLine();
  EXPECT_TRUE(panel->text().startsWith(U(" Inkr.= -")));
  f.Button("SpeedButton5")->click();

  f.Button("SpeedButton4")->click();
  EXPECT_EQ(f.state.IncrementOn, 0);
  EXPECT_EQ(panel->palette().color(QPalette::Window), face);
  EXPECT_EQ(panel->palette().color(QPalette::WindowText), QColor(Qt::black));
  f.frame.Timer1Timer();
  // With the timers running: frozen means frozen, and the increment raises no flags.
  f.state.TimerSpeed = 2;
  f.frame.show();
  WaitMs(400);
  EXPECT_EQ(f.state.ClockJD, 2451544.5);
  EXPECT_EQ(f.state.RedrawChart, 0);
}

// "Lo" while the increment runs: the moment jumps to the computer clock, every window is told
// to redraw, and stepping goes on from there.
TEST(MainFrameIncrement, LocalTimeWhileRunning) {
  Fixture f;
  f.state.StepDays = 0.25;
  f.state.IncrementOn = 1;
  f.Button("SpeedButton1")->click();
  EXPECT_NEAR(f.state.ClockJD, NowJD(), 3.0 / 86400.0);
  for (const auto flag : kRedrawFlags) EXPECT_EQ(f.state.*flag, 1);
  const double jumped = f.state.ClockJD;
  f.frame.Timer1Timer();
  EXPECT_EQ(f.state.ClockJD, jumped + 0.25);
}

// The first showing loads parametr.dta and takes the moment from the computer clock; a
// missing file leaves the zero state.
TEST(MainFrameStartUp, ParametersAndComputerClock) {
  EnsureApplication();
  ScratchDir dir;
  std::string params;
  for (int line = 1; line <= 58; ++line) {
    params += line == 2 ? " -5.00000000000000E+0000" : line == 8 ? "Lund" : "0";
    params += "\r\n";
  }
  dir.Write("parametr.dta", params);
  for (const bool withFile : {true, false}) {
    if (!withFile) std::filesystem::remove(dir / "parametr.dta");
    TObsState state;
    THimlavy2 frame(state, dir.Path(), true);
    frame.show();
    EXPECT_EQ(frame.pos(), QPoint(0, 0));
    EXPECT_EQ(frame.size(), QSize(1024, 768));
    EXPECT_EQ(state.TimeZone, withFile ? -5.0 : 0.0);
    EXPECT_NEAR(state.ClockJD, NowJD(), 3.0 / 86400.0);
    EXPECT_EQ(frame.StatusPanel(7)->text(), withFile ? U(" Lund") : U(" "));
    EXPECT_TRUE(frame.IncrementTimer()->isActive());
    EXPECT_TRUE(frame.StatusTimer()->isActive());
  }
}

TEST(MainFrameClock, ShortDateAndLongTimeLessTheSeconds) {
  EnsureApplication();
  const ScopedLocale swedish(QLocale(QLocale::Swedish, QLocale::Sweden));
  const QDateTime moment(QDate(2024, 3, 5), QTime(14, 7, 9));
  EXPECT_EQ(THimlavy2::ClockPanelText(moment), U("2024-03-05 14:07"));
}

// Buttons and menu items open a new window each time; closing a window destroys it; the
// "&Arkiv" menu lists the open windows.
TEST(MainFrameWindows, OpenListAndClose) {
  Fixture f;
  f.frame.show();
  TChildWindow* first = f.frame.OpenWindow(TWindowKind::Increment);
  ASSERT_NE(first, nullptr);
  f.Item("&Invärden", "I&nkrementering")->trigger();
  f.Button("SpeedButton19")->click();
  QMenu* file = f.frame.menuBar()->actions().front()->menu();
  emit file->aboutToShow();
  EXPECT_EQ(Fixture::Texts(file), QStringList({U("&Avsluta"), U("&1 Inkrementering"),
                                               U("&2 Inkrementering"), U("&3 Inkrementering")}));
  QPointer<TChildWindow> watched(first);
  first->close();
  EXPECT_TRUE(WaitFor([&] { return watched.isNull(); }, 1000));
  EXPECT_EQ(f.frame.MdiArea()->subWindowList().size(), 2);
}

// "Inm" opens the settings dialog on the page it showed last; the "&Invärden" items open it
// on their own pages.
TEST(MainFrameWindows, SettingsDialogPages) {
  Fixture f;
  f.frame.show();
  int seenPage = -1;
  const auto closeWhenShown = [&] {
    QTimer::singleShot(0, [&] {
      seenPage = f.frame.SettingsDialog()->CurrentPage();
      f.frame.SettingsDialog()->reject();
    });
  };
  const char* items[] = {"&Tid",   "T&idinkrement", "&Plats",       "&Alternativ",
                         "&Urval", "&Stjärnor",     "&Korrektioner"};
  for (int page = 0; page < 7; ++page) {
    closeWhenShown();
    f.Item("&Invärden", items[page])->trigger();
    EXPECT_EQ(seenPage, page) << items[page];
  }
  closeWhenShown();
  f.Button("SpeedButton3")->click();
  EXPECT_EQ(seenPage, 6);  // the page shown last
}

// "Nej" keeps the program running; "Ja" closes the main window, which tells the help viewer
// to quit.
TEST(MainFrameExit, ConfirmationDialogAndHelp) {
  Fixture f;
  f.frame.show();
  MapHelpFile(QStringLiteral("HVHELP.HLP"), testing::SourceDir() / "help");
  f.Item("&Hjälp", "&Himlavy-hjälp")->trigger();
  ASSERT_NE(OpenHelpViewer(), nullptr);
  EXPECT_EQ(OpenHelpViewer()->CurrentPage(), U("index.html"));

  TBtnRightDlg* dialog = f.frame.ExitDialog();
  EXPECT_EQ(dialog->windowTitle(), U("Avsluta Himlavy"));
  EXPECT_EQ(dialog->YesButton()->text(), U("Ja"));
  EXPECT_EQ(dialog->NoButton()->text(), U("Nej"));
  EXPECT_EQ(dialog->YesButton()->palette().color(QPalette::ButtonText), QColor(0, 128, 0));
  EXPECT_EQ(dialog->NoButton()->palette().color(QPalette::ButtonText), QColor(255, 0, 0));
  QTimer::singleShot(0, [dialog] { dialog->NoButton()->click(); });
  f.Item("&Arkiv", "&Avsluta")->trigger();
  EXPECT_TRUE(f.frame.isVisible());
  QTimer::singleShot(0, [dialog] { dialog->YesButton()->click(); });
  f.Item("&Arkiv", "&Avsluta")->trigger();
  EXPECT_FALSE(f.frame.isVisible());
  EXPECT_EQ(OpenHelpViewer(), nullptr);
}

}  // namespace
}  // namespace himlavy
