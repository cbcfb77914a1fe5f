// The main frame: toolbar, menus and hints, the two clock timers, the increment buttons, the
// enabling of the window commands, and the exit confirmation.
#include "shell/main_frame.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QDateTime>
#include <QEnterEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <cmath>
#include <cstdlib>
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

// A frame over an empty scratch folder that neither reads parametr.dta nor the clock.
struct Fixture {
  Fixture() {
    EnsureApplication();
    state.ClockJD = 2451545.0;
    DeriveTimes(state);
    frame = std::make_unique<THimlavy2>(state, dir.Path(), false);
  }
  QToolButton* Button(const char* name) const {
    return frame->findChild<QToolButton*>(QString::fromLatin1(name));
  }
  // The item of a menu by the texts of the menu and the item.
  QAction* Item(const QString& menuTitle, const QString& text) const {
    for (QAction* menuAction : frame->menuBar()->actions()) {
      if (menuAction->text() != menuTitle || menuAction->menu() == nullptr) continue;
      for (QAction* action : menuAction->menu()->actions()) {
        if (action->text() == text) return action;
      }
    }
    ADD_FAILURE() << "no item " << text.toStdString() << " in " << menuTitle.toStdString();
    return nullptr;
  }

  ScratchDir dir;
  TObsState state;
  std::unique_ptr<THimlavy2> frame;
};

QString U(const char* text) {
  return QString::fromUtf8(text);
}

struct ButtonCase {
  const char* Name;
  const char* Caption;
  const char* LongHint;
  int Red, Green, Blue;
};

// The toolbar, left to right, with the captions, long hints and caption colours of the
// program's description.
const ButtonCase kButtons[] = {
    {"SpeedButton3", "Inm",
     "Inmatning av Tid,Tidinkrement,Plats,Alternativ,Urval,Stjärnor m.fl.,Korrektioner", 255, 0, 0},
    {"SpeedButton1", "Lo", "Datorns lokaltid sätts till programmet", 0, 128, 128},
    {"SpeedButton4", "T/F", "Tidinkrement, till/från", 0, 128, 128},
    {"SpeedButton5", "+/-", "Tidinkrement, plus/minus", 0, 128, 128},
    {"SpeedButton19", "In", "Tidsinkrementering utan spår", 0, 128, 128},
    {"SpeedButton13", "Jo", "Jorden med ortsnamn för val av observationsplats", 0, 128, 0},
    {"SpeedButton14", "So", "Solförmörkelser för valt år", 0, 128, 0},
    {"SpeedButton6", "Sl", "Solens läge i förhållande till jordytan", 0, 128, 0},
    {"SpeedButton22", "Da", "Dag/natt-linjen över jordytan", 0, 128, 0},
    {"SpeedButton18", "Me", "Merkurius sedd från jorden", 128, 0, 128},
    {"SpeedButton7", "Ve", "Venus, sedd från jorden", 128, 0, 128},
    {"SpeedButton8", "Ma", "Mars, sedd från jorden", 128, 0, 128},
    {"SpeedButton9", "Ju", "Jupiter, sedd från jorden", 128, 0, 128},
    {"SpeedButton10", "Sa", "Saturnus, sedd från jorden", 128, 0, 128},
    {"SpeedButton11", "Må", "Månen, sedd från jorden", 128, 0, 128},
    {"SpeedButton12", "Jm", "Jupiter med de julianska månarna sedda från jorden", 128, 0, 128},
    {"SpeedButton20", "Jo", "Jorden i centrum med satelliter i bana", 0, 0, 0},
    {"SpeedButton21", "Ju", "Jupiter i centrum med satelliter i bana", 0, 0, 0},
    {"SpeedButton2", "Må", "Månförmörkelser för valt år", 0, 0, 128},
    {"SpeedButton15", "Ka", "Kalender för vald dag och tidzon", 0, 0, 128},
    {"SpeedButton16", "Al", "Almanacka med astronomisk information för valt år", 0, 0, 128},
    {"SpeedButton17", "He", "Helgdagar i Sverige", 0, 0, 128},
};

TEST(MainFrameToolbar, CaptionsHintsColoursAndSizes) {
  Fixture f;
  const auto& buttons = f.frame->ToolButtons();
  ASSERT_EQ(buttons.size(), std::size(kButtons));
  int x = 0;
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    const ButtonCase& c = kButtons[i];
    const QToolButton* b = buttons[i];
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(b->objectName(), QString::fromLatin1(c.Name));
    EXPECT_EQ(b->text(), U(c.Caption));
    EXPECT_EQ(b->statusTip(), U(c.LongHint));
    EXPECT_TRUE(b->toolTip().isEmpty());  // no tooltips
    EXPECT_TRUE(b->font().bold());
    EXPECT_EQ(b->palette().color(QPalette::Active, QPalette::ButtonText),
              QColor(c.Red, c.Green, c.Blue));
    EXPECT_EQ(b->x(), x);
    EXPECT_EQ(b->width(), i == 0 ? 30 : 23);
    x += b->width();
  }
  EXPECT_EQ(buttons.front()->parentWidget()->height(), 25);
  EXPECT_EQ(f.frame->HintPanel()->width(), 383);
  EXPECT_EQ(f.frame->HintPanel()->x(), x);
  EXPECT_EQ(f.frame->ClockPanel()->width(), 124);
  EXPECT_TRUE(f.frame->ClockPanel()->font().bold());
}

// The long hint shows in the hint panel after the 300 ms pause, and goes when the mouse
// leaves the button.
TEST(MainFrameToolbar, LongHintInThePanelAfterThePause) {
  Fixture f;
  f.frame->show();
  QToolButton* button = f.Button("SpeedButton4");
  QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
  QCoreApplication::sendEvent(button, &enter);
  WaitMs(150);
  EXPECT_EQ(f.frame->HintPanel()->text(), QString());
  EXPECT_TRUE(WaitFor([&] { return !f.frame->HintPanel()->text().isEmpty(); }, 1000));
  EXPECT_EQ(f.frame->HintPanel()->text(), U("Tidinkrement, till/från"));

  QEvent leave(QEvent::Leave);
  QCoreApplication::sendEvent(button, &leave);
  EXPECT_EQ(f.frame->HintPanel()->text(), QString());
}

TEST(MainFrameMenus, ItemsAndHints) {
  Fixture f;
  struct Item {
    const char* Menu;
    const char* Text;
    const char* Hint;
  };
  const Item items[] = {
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
  // The menus in order, and each menu's items in order.
  QStringList titles;
  for (QAction* menu : f.frame->menuBar()->actions()) titles << menu->text();
  EXPECT_EQ(titles, QStringList({U("&Arkiv"), U("&Invärden"), U("&Funktioner"), U("&Verktyg"),
                                 U("&Hjälp")}));
  std::map<QString, QStringList> expectedOrder;
  for (const Item& item : items) {
    expectedOrder[U(item.Menu)] << U(item.Text);
    const QAction* action = f.Item(U(item.Menu), U(item.Text));
    ASSERT_NE(action, nullptr);
    EXPECT_EQ(action->statusTip(), U(item.Hint)) << item.Text;
  }
  for (QAction* menu : f.frame->menuBar()->actions()) {
    QStringList texts;
    for (QAction* action : menu->menu()->actions()) {
      if (!action->isSeparator()) texts << action->text();
    }
    EXPECT_EQ(texts, expectedOrder[menu->text()]) << menu->text().toStdString();
  }

  // A menu item's hint reaches the hint panel as the mouse moves over it.
  f.frame->show();
  f.Item(U("&Verktyg"), U("&Bilder"))->showStatusText(f.frame->menuBar());
  EXPECT_TRUE(WaitFor([&] { return !f.frame->HintPanel()->text().isEmpty(); }, 1000));
  EXPECT_EQ(f.frame->HintPanel()->text(), U("Bilder på planeter och andra objekt"));
}

// Each window button and menu item is enabled exactly while its window kind has a factory:
// the windows the program does not have yet are present but greyed out.
TEST(MainFrameCommands, DisabledUntilTheWindowExists) {
  Fixture f;
  struct Command {
    TWindowKind Kind;
    const char* Button;  // nullptr: menu only
    const char* Menu;
    const char* Item;
  };
  const Command commands[] = {
      {TWindowKind::Increment, "SpeedButton19", "&Invärden", "I&nkrementering"},
      {TWindowKind::Earth, "SpeedButton13", "&Funktioner", "&Jorden"},
      {TWindowKind::SolarEclipses, "SpeedButton14", "&Funktioner", "&Solförmörkelser"},
      {TWindowKind::SunPosition, "SpeedButton6", "&Funktioner", "S&olens läge"},
      {TWindowKind::DayNight, "SpeedButton22", "&Funktioner", "&Dag/natt-linje"},
      {TWindowKind::Mercury, "SpeedButton18", "&Funktioner", "M&erkurius"},
      {TWindowKind::Venus, "SpeedButton7", "&Funktioner", "&Venus"},
      {TWindowKind::Mars, "SpeedButton8", "&Funktioner", "Ma&rs"},
      {TWindowKind::Jupiter, "SpeedButton9", "&Funktioner", "J&upiter"},
      {TWindowKind::Saturn, "SpeedButton10", "&Funktioner", "Sa&turnus"},
      {TWindowKind::Moon, "SpeedButton11", "&Funktioner", "&Månen"},
      {TWindowKind::JupiterMoons, "SpeedButton12", "&Funktioner", "Jupiters m&ånar"},
      {TWindowKind::EarthCentre, "SpeedButton20", "&Funktioner", "Jorden i &centrum"},
      {TWindowKind::JupiterCentre, "SpeedButton21", "&Funktioner", "J&upiter i centrum"},
      {TWindowKind::LunarEclipses, "SpeedButton2", "&Funktioner", "Mån&förmörkelser"},
      {TWindowKind::Calendar, "SpeedButton15", "&Funktioner", "&Kalender"},
      {TWindowKind::Almanac, "SpeedButton16", "&Funktioner", "&Almanacka"},
      {TWindowKind::Holidays, "SpeedButton17", "&Funktioner", "&Helger"},
      {TWindowKind::DataFiles, nullptr, "&Verktyg", "&Datafiler"},
      {TWindowKind::Pictures, nullptr, "&Verktyg", "&Bilder"},
      {TWindowKind::Orbit, nullptr, "&Verktyg", "Ban&kalkylering"},
  };
  const auto enabled = [&](const Command& c) {
    const bool item = f.Item(U(c.Menu), U(c.Item))->isEnabled();
    if (c.Button != nullptr) {
      EXPECT_EQ(f.Button(c.Button)->isEnabled(), item) << c.Item;
    }
    return item;
  };
  const TWindowFactory dummy = [](TObsState& s, const std::filesystem::path& d) {
    return new TChildWindow(s, d);
  };
  for (const Command& c : commands) {
    SCOPED_TRACE(c.Item);
    {
      const ScopedFactory none(c.Kind, {});
      f.frame->Timer2Timer();
      EXPECT_FALSE(enabled(c));
    }
    {
      const ScopedFactory some(c.Kind, dummy);
      f.frame->Timer2Timer();
      EXPECT_TRUE(enabled(c));
    }
  }
  // The windows of this part of the program are there from the start.
  f.frame->Timer2Timer();
  EXPECT_TRUE(enabled(commands[0]));   // increment
  EXPECT_TRUE(enabled(commands[19]));  // pictures
  // The settings, clock and help commands need no window.
  for (const char* name : {"SpeedButton3", "SpeedButton1", "SpeedButton4", "SpeedButton5"}) {
    EXPECT_TRUE(f.Button(name)->isEnabled()) << name;
  }
}

// Choosing a coordinate system other than "Ekliptikalt, hel" greys out the two "i centrum"
// buttons and items within 100 ms (one status tick), even when their windows exist.
TEST(MainFrameCommands, CentreWindowsOnlyInTheWholeEclipticSystem) {
  Fixture f;
  const TWindowFactory dummy = [](TObsState& s, const std::filesystem::path& d) {
    return new TChildWindow(s, d);
  };
  const ScopedFactory earth(TWindowKind::EarthCentre, dummy);
  const ScopedFactory jupiter(TWindowKind::JupiterCentre, dummy);
  QToolButton* b20 = f.Button("SpeedButton20");
  QToolButton* b21 = f.Button("SpeedButton21");
  QAction* i20 = f.Item(U("&Funktioner"), U("Jorden i &centrum"));
  QAction* i21 = f.Item(U("&Funktioner"), U("J&upiter i centrum"));
  for (int system = 0; system <= 6; ++system) {
    f.state.CoordSystem = system;
    f.frame->Timer2Timer();
    const bool expected = system == 0;
    EXPECT_EQ(b20->isEnabled(), expected) << system;
    EXPECT_EQ(b21->isEnabled(), expected) << system;
    EXPECT_EQ(i20->isEnabled(), expected) << system;
    EXPECT_EQ(i21->isEnabled(), expected) << system;
  }
  // With the timers running the change shows within a status tick.
  f.state.CoordSystem = 0;
  f.frame->show();
  EXPECT_TRUE(WaitFor([&] { return b20->isEnabled(); }, 1000));
  f.state.CoordSystem = 4;
  EXPECT_TRUE(WaitFor([&] { return !b20->isEnabled() && !i21->isEnabled(); }, 250));
}

// With TimerSpeed 0 the increment ticks every 10 s; a new speed is taken over at the next
// status tick, and an unchanged speed leaves the running timer alone.
TEST(MainFrameTimers, SpeedChangeWithinOneStatusTick) {
  Fixture f;
  EXPECT_EQ(f.frame->IncrementTimer()->interval(), 100);  // until the first status tick
  EXPECT_EQ(f.frame->StatusTimer()->interval(), 100);
  const std::pair<int, int> speeds[] = {{0, 10000}, {1, 1000}, {2, 100}};
  for (const auto& [speed, interval] : speeds) {
    f.state.TimerSpeed = speed;
    f.frame->Timer2Timer();
    EXPECT_EQ(f.frame->IncrementTimer()->interval(), interval) << speed;
  }

  f.state.TimerSpeed = 0;
  f.frame->show();
  EXPECT_TRUE(WaitFor([&] { return f.frame->IncrementTimer()->interval() == 10000; }, 1000));
  WaitMs(300);
  const int remaining = f.frame->IncrementTimer()->remainingTime();
  f.frame->Timer2Timer();  // same speed: the running timer is not restarted
  EXPECT_LE(f.frame->IncrementTimer()->remainingTime(), remaining);

  f.state.TimerSpeed = 2;
  EXPECT_TRUE(WaitFor([&] { return f.frame->IncrementTimer()->interval() == 100; }, 250));

  // Running at the high speed, the moment moves several steps a second.
  f.state.StepDays = 1.0;
  f.state.IncrementOn = 1;
  EXPECT_TRUE(WaitFor([&] { return f.state.ClockJD >= 2451547.0; }, 3000));
  f.state.IncrementOn = 0;
}

// "T/F" starts and stops the increment and colours the increment panel; stopped, the moment
// stays where it is.
TEST(MainFrameIncrement, StartStopFreezesAndColoursThePanel) {
  Fixture f;
  f.state.StepDays = 0.5;
  QLabel* panel = f.frame->StatusPanel(6);
  const QColor face = f.frame->palette().color(QPalette::Button);
  EXPECT_EQ(panel->palette().color(QPalette::Window), face);

  f.Button("SpeedButton4")->click();
  EXPECT_EQ(f.state.IncrementOn, 1);
  EXPECT_EQ(panel->palette().color(QPalette::Window), QColor(0, 0, 128));
  EXPECT_EQ(panel->palette().color(QPalette::WindowText), QColor(Qt::white));
  f.frame->Timer1Timer();
  EXPECT_EQ(f.state.ClockJD, 2451545.5);

  f.Button("SpeedButton4")->click();
  EXPECT_EQ(f.state.IncrementOn, 0);
  EXPECT_EQ(panel->palette().color(QPalette::Window), face);
  EXPECT_EQ(panel->palette().color(QPalette::WindowText), QColor(Qt::black));
  f.frame->Timer1Timer();
  EXPECT_EQ(f.state.ClockJD, 2451545.5);

  // With the timers running: frozen means frozen.
  f.state.TimerSpeed = 2;
  f.frame->show();
  WaitMs(400);
  EXPECT_EQ(f.state.ClockJD, 2451545.5);
  EXPECT_EQ(f.state.RedrawChart, 0);  // the increment raises no flags
}

// "+/-" while running reverses the direction at the next tick.
TEST(MainFrameIncrement, PlusMinusReversesAtTheNextTick) {
  Fixture f;
  f.state.StepDays = 1.0;
  f.state.IncrementOn = 1;
  f.frame->Timer1Timer();
  EXPECT_EQ(f.state.ClockJD, 2451546.0);
  f.Button("SpeedButton5")->click();
  EXPECT_EQ(f.state.StepDays, -1.0);
  f.frame->Timer1Timer();
  f.frame->Timer1Timer();
  EXPECT_EQ(f.state.ClockJD, 2451544.0);
  f.frame->RefreshStatusLine();
  EXPECT_TRUE(f.frame->StatusPanel(6)->text().startsWith(U(" Inkr.= -")));
  f.Button("SpeedButton5")->click();
  EXPECT_EQ(f.state.StepDays, 1.0);
}

// "Lo" while the increment runs: the moment jumps to the computer clock, every window is told
// to redraw, and stepping goes on from there.
TEST(MainFrameIncrement, LocalTimeWhileRunning) {
  Fixture f;
  f.state.ClockJD = 2000000.5;
  f.state.StepDays = 0.25;
  f.state.IncrementOn = 1;
  f.Button("SpeedButton1")->click();
  // The computer's local clock as a Julian day, from Qt's own calendar.
  const QDateTime now = QDateTime::currentDateTime();
  const double nowJD = static_cast<double>(now.date().toJulianDay()) - 0.5 +
                       now.time().msecsSinceStartOfDay() / 86400000.0;
  EXPECT_NEAR(f.state.ClockJD, nowJD, 3.0 / 86400.0);
  for (const auto flag : kRedrawFlags) EXPECT_EQ(f.state.*flag, 1);
  EXPECT_EQ(f.state.IncrementOn, 1);
  const double jumped = f.state.ClockJD;
  f.frame->Timer1Timer();
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
    EXPECT_EQ(state.PlaceName, withFile ? "Lund" : "");
    const QDateTime now = QDateTime::currentDateTime();
    const double nowJD = static_cast<double>(now.date().toJulianDay()) - 0.5 +
                         now.time().msecsSinceStartOfDay() / 86400000.0;
    EXPECT_NEAR(state.ClockJD, nowJD, 3.0 / 86400.0);
    EXPECT_EQ(frame.StatusPanel(7)->text(), withFile ? U(" Lund") : U(" "));
    EXPECT_TRUE(frame.IncrementTimer()->isActive());
    EXPECT_TRUE(frame.StatusTimer()->isActive());
  }
}

TEST(MainFrameClock, ShortDateAndLongTimeLessTheSeconds) {
  Fixture f;
  const ScopedLocale swedish(QLocale(QLocale::Swedish, QLocale::Sweden));
  const QDateTime moment(QDate(2024, 3, 5), QTime(14, 7, 9));
  EXPECT_EQ(THimlavy2::ClockPanelText(moment), U("2024-03-05 14:07"));
}

// Buttons and menu items open a new window each time; closing a window destroys it; the
// "&Arkiv" menu lists the open windows.
TEST(MainFrameWindows, OpenListAndClose) {
  Fixture f;
  f.frame->show();
  TChildWindow* first = f.frame->OpenWindow(TWindowKind::Increment);
  ASSERT_NE(first, nullptr);
  f.Item(U("&Invärden"), U("I&nkrementering"))->trigger();
  f.Button("SpeedButton19")->click();
  EXPECT_EQ(f.frame->MdiArea()->subWindowList().size(), 3);
  EXPECT_TRUE(first->testAttribute(Qt::WA_DeleteOnClose));

  QMenu* file = f.frame->menuBar()->actions().front()->menu();
  emit file->aboutToShow();
  QStringList texts;
  for (QAction* action : file->actions()) {
    if (!action->isSeparator()) texts << action->text();
  }
  EXPECT_EQ(texts, QStringList({U("&Avsluta"), U("&1 Inkrementering"), U("&2 Inkrementering"),
                                U("&3 Inkrementering")}));

  QPointer<TChildWindow> watched(first);
  first->close();
  EXPECT_TRUE(WaitFor([&] { return watched.isNull(); }, 1000));
  EXPECT_EQ(f.frame->MdiArea()->subWindowList().size(), 2);
}

// "Inm" opens the settings dialog on the page it showed last; the "&Invärden" items open it
// on their own pages.
TEST(MainFrameWindows, SettingsDialogPages) {
  Fixture f;
  f.frame->show();
  int seenPage = -1;
  const auto closeWhenShown = [&] {
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<TMultPageDlg*>(QApplication::activeModalWidget());
      if (dialog == nullptr) dialog = f.frame->SettingsDialog();
      seenPage = dialog->CurrentPage();
      dialog->reject();
    });
  };
  const char* items[] = {"&Tid",   "T&idinkrement", "&Plats",       "&Alternativ",
                         "&Urval", "&Stjärnor",     "&Korrektioner"};
  for (int page = 0; page < 7; ++page) {
    closeWhenShown();
    f.Item(U("&Invärden"), U(items[page]))->trigger();
    EXPECT_EQ(seenPage, page) << items[page];
  }
  closeWhenShown();
  f.Button("SpeedButton3")->click();
  EXPECT_EQ(seenPage, 6);  // the page shown last
}

// "Nej" keeps the program running; "Ja" closes the main window.
TEST(MainFrameExit, ConfirmationDialog) {
  Fixture f;
  f.frame->show();
  TBtnRightDlg* dialog = f.frame->ExitDialog();
  EXPECT_EQ(dialog->windowTitle(), U("Avsluta Himlavy"));
  EXPECT_EQ(dialog->YesButton()->text(), U("Ja"));
  EXPECT_EQ(dialog->NoButton()->text(), U("Nej"));
  EXPECT_EQ(dialog->YesButton()->palette().color(QPalette::ButtonText), QColor(0, 128, 0));
  EXPECT_EQ(dialog->NoButton()->palette().color(QPalette::ButtonText), QColor(255, 0, 0));

  QTimer::singleShot(0, [dialog] { dialog->NoButton()->click(); });
  f.Item(U("&Arkiv"), U("&Avsluta"))->trigger();
  EXPECT_TRUE(f.frame->isVisible());

  QTimer::singleShot(0, [dialog] { dialog->YesButton()->click(); });
  f.Item(U("&Arkiv"), U("&Avsluta"))->trigger();
  EXPECT_FALSE(f.frame->isVisible());
}

// The help menu opens the contents; closing the main window tells the viewer to quit.
TEST(MainFrameHelp, ContentsAndQuitOnClose) {
  Fixture f;
  MapHelpFile(QStringLiteral("HVHELP.HLP"), testing::SourceDir() / "help");
  f.frame->show();
  f.Item(U("&Hjälp"), U("&Himlavy-hjälp"))->trigger();
  ASSERT_NE(OpenHelpViewer(), nullptr);
  EXPECT_EQ(OpenHelpViewer()->CurrentPage(), U("index.html"));
  f.frame->close();
  EXPECT_EQ(OpenHelpViewer(), nullptr);
}

}  // namespace
}  // namespace himlavy
