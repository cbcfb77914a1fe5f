// Calendar, almanac, holidays windows. Delta T after 2000: Meeus AA1 ch. 9, 102.3 + 123.5 t + 32.5
// t^2 s.
#include <gtest/gtest.h>

#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QToolButton>
#include <vector>

#include "base/timescales.h"
#include "common/angles.h"
#include "common/frame_windows.h"
#include "shell/help_window.h"
#include "timecal/almanac_window.h"
#include "timecal/calendar_window.h"
#include "timecal/holidays_window.h"
#include "timecal/timecal_draw.h"

namespace himlavy {
namespace {
using namespace testing;
constexpr TColor kSilver{192, 192, 192};
// A frame over data/ in a Swedish locale at Sundsvall, zone +1, reading no parametr.dta or clock.
struct Fixture {
  explicit Fixture(double clockJD) {
    MoveClock(clockJD);
    frame = ShownFrame(state);
    QCoreApplication::processEvents();
  }
  template <class W>
  W* Open(TWindowKind kind) {
    return OpenIn<W>(*frame, kind);
  }
  // Moves the local clock reading; the windows see it at their next redraw.
  void MoveClock(double clockJD) { state.ClockJD = clockJD, DeriveTimes(state); }
  // Moves the clock and lets the window redraw on its flag, which it lowers.
  void RedrawOnFlag(TChildWindow* w, int TObsState::*flag, double clockJD) {
    MoveClock(clockJD);
    state.*flag = 1;
    w->FlagTimerTick();
    EXPECT_EQ(state.*flag, 0);
  }
  ScopedLocale swedish{QLocale(QLocale::Swedish, QLocale::Sweden)};
  TObsState state{.TimeZone = 1, .PlaceName = "Sundsvall", .Latitude = 62.392, .Longitude = 17.29};
  std::unique_ptr<TMainFrame> frame;
};
bool HasBlack(TChildWindow* window, int x1, int y1, int x2, int y2) {
  return CountPixels(window->DrawingSurface(), colours::kBlack, x1, y1, x2, y2) > 0;
}
bool AllSilver(TChildWindow* window, int x1, int y1, int x2, int y2) {
  return CountPixels(window->DrawingSurface(), kSilver, x1, y1, x2, y2) == (x2 - x1) * (y2 - y1);
}
// The almanac lines of the events drawn on a silver canvas whose brush was red before.
Canvas DrawnAlmanac(const std::vector<TAlmanacEvent>& events, int width) {
  EnsureApplication();
  TAlmanacReport report;
  report.Lines = AlmanacLines(events);
  Canvas canvas(width, 610, kSilver);
  canvas.SetBrushColour(colours::kRed);  // the routine sets its own brush
  DrawAlmanacLines(canvas, report, kSilver);
  return canvas;
}

// --- The calendar ---
TEST(CalendarWindow, TextsAndTheDrawnLines) {
  Fixture f(At(2001, 1, 1, 12.0));
  auto* w = f.Open<TCalendarWindow>(TWindowKind::Calendar);
  ASSERT_NE(w, nullptr);
  // A fixed border.
  EXPECT_EQ(std::tuple(w->geometry(), w->minimumSize(), w->TitleLabel()->font().pixelSize()),
            std::tuple(QRect(489, 73, 527, 274), w->maximumSize(), 19));
  const std::vector<std::pair<QString, const char*>> texts = {
      {w->windowTitle(), "Kalender"},
      {w->TitleLabel()->text(), "Kalender för 2001-1-1 Måndag (UTC 1,00)"},
      {w->PlaceLabel()->text(), "Sundsvall"},
      {w->Bevel()->toolTip(), "Tiderna gäller för skivans överkant."},
      {w->ValuesGroup()->title(), "Aktuella beräkningsvärden"},
      {w->ValueLabel(0)->text(), "Approximativt delta-T=1m44s"},  // 103.5 s at 2001.0
      {w->ValueLabel(1)->text(), "JD  =2451910,958333"}};
  for (const auto& [shown, expected] : texts) EXPECT_EQ(shown, U(expected));
  EXPECT_EQ(w->ValueLabel(8)->y() - w->ValueLabel(0)->y(), 8 * 14);
  // Drawn on the window: type in the last line's band, the rest of the area down to y = 240
  // cleared to silver.
  const int last = w->Report().LastLine;
  EXPECT_TRUE(HasBlack(w, 10, 14 * last, 290, 14 * last + 14));
  EXPECT_TRUE(AllSilver(w, 10, 14 * (last + 1), 290, 240));
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);  // the hourglass is gone
  // The help button opens the window's topic in the help viewer.
  auto* help = w->Client()->findChild<QPushButton*>(QStringLiteral("helpButton"));
  ASSERT_NE(help, nullptr);
  EXPECT_EQ(help->text(), U("&Hjälp"));
  MapHelpFile(QStringLiteral("HVHELP.HLP"), SourceDir() / "help");
  help->click();
  ASSERT_NE(OpenHelpViewer(), nullptr);
  EXPECT_EQ(OpenHelpViewer()->CurrentPage(), U("XAN_293.html"));
  HelpQuit();
}
TEST(CalendarWindow, SpinButtonsStepTheMomentAndRaiseTheFlags) {
  Fixture f(At(2001, 1, 31, 14.0));
  auto* w = f.Open<TCalendarWindow>(TWindowKind::Calendar);
  ASSERT_NE(w, nullptr);
  for (const auto& [i, what] : {std::pair{0, "år"}, {1, "månad"}, {2, "dag"}})
    EXPECT_EQ(w->SpinButton(static_cast<TCalendarStep>(i))->toolTip(),
              U("Öka eller minska ") + U(what));
  TSpinButton* month = w->SpinButton(TCalendarStep::Month);
  // A click steps the moment and raises the flags; the window's own flag redraws it within
  // 100 ms: 2001-01-31 14:00 plus 30.4375 days is 2001-03-03.
  for (const auto flag : kRedrawFlags) f.state.*flag = 0;
  const double before = f.state.ClockJD;
  month->UpButton()->click();
  EXPECT_TRUE(WaitFor([&] { return f.state.RedrawCalendar == 0; }, 1000));
  EXPECT_EQ(w->TitleLabel()->text(), U("Kalender för 2001-3-3 Lördag (UTC 1,00)"));
  month->DownButton()->click();
  EXPECT_DOUBLE_EQ(f.state.ClockJD, before);
}
TEST(CalendarWindow, FollowsTheClockAndRedrawsOnTheFlag) {
  Fixture f(At(2001, 5, 27, 12.0));
  auto* w = f.Open<TCalendarWindow>(TWindowKind::Calendar);
  ASSERT_NE(w, nullptr);
  const int linesBefore = w->Report().LastLine;
  // The follow timer redraws only while the increment runs.
  f.MoveClock(At(2001, 5, 28, 12.0));
  w->FollowTimerTick();
  EXPECT_EQ(w->TitleLabel()->text(), U("Kalender för 2001-5-27 Söndag (UTC 1,00)"));
  f.state.IncrementOn = 1;
  w->FollowTimerTick();
  EXPECT_EQ(w->TitleLabel()->text(), U("Kalender för 2001-5-28 Måndag (UTC 1,00)"));
  f.state.IncrementOn = 0;
  // The flag: a redraw for a polar summer day, whose shorter list leaves nothing of the
  // twilight lines drawn before.
  f.state.Latitude = 70.0;
  f.state.Longitude = 20.0;
  f.RedrawOnFlag(w, &TObsState::RedrawCalendar, At(2001, 6, 21, 12.0));
  EXPECT_EQ(w->TitleLabel()->text(), U("Kalender för 2001-6-21 Torsdag (UTC 1,00)"));
  EXPECT_LT(w->Report().LastLine, linesBefore);
  EXPECT_TRUE(AllSilver(w, 10, 14 * (w->Report().LastLine + 1), 290, 240));
  // A paint request redraws when the moment has changed since the last drawing.
  f.MoveClock(At(2001, 12, 24, 12.0));
  w->Client()->repaint();
  EXPECT_EQ(w->TitleLabel()->text(), U("Kalender för 2001-12-24 Måndag (UTC 1,00)"));
}

// --- The almanac ---
TEST(AlmanacWindow, TheYearOfTheClockInTwoColumns) {
  Fixture f(At(2001, 5, 27, 12.0));
  auto* w = f.Open<TAlmanacWindow>(TWindowKind::Almanac);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->windowTitle() + w->TitleLabel()->text() + w->HelpTopic(),
            U("AlmanackaAlmanacka för år 2001 (UTC 1,00)HVHELP.XAN_293"));
  EXPECT_EQ(w->Column(0)->geometry(), QRect(6, 35, 398, 566));
  // Drawn: the first line at y = 13 k, the empty slots cleared.
  const int y = 13 * AlmanacSlot(0).Line;
  EXPECT_TRUE(HasBlack(w, 10, y, 390, y + 13));
  for (int i = static_cast<int>(w->Report().Lines.size()); i < 86; ++i) {
    const TAlmanacSlot s = AlmanacSlot(i);
    EXPECT_TRUE(AllSilver(w, s.X0 + 10, 13 * s.Line, s.X0 + 402, 13 * s.Line + 13)) << i;
  }
  // Its own flag redraws it: the clock in TDT.
  f.state.TimeScale = kTimeScaleTdt;
  f.RedrawOnFlag(w, &TObsState::RedrawAlmanac, f.state.ClockJD);
  EXPECT_EQ(w->TitleLabel()->text(), U("Almanacka för år 2001 (TDT 1,00)"));
}
// The longest line stays inside its bevelled column, as clear of the bevel as the date is.
TEST(AlmanacDrawing, TheLongestLineFitsItsColumn) {
  TAlmanacEvent e;
  e.LocalJD = At(2001, 12, 27, 23.0 + 59.0 / 60.0 + 57.0 / 3600.0);  // a Thursday
  e.Kind = kAlmanacSeasonEvent;
  e.Body = "Merkurius";
  e.Text = " i maximal västlig elongation=";
  e.Value = "27.9°";
  const Canvas canvas = DrawnAlmanac(std::vector(44, e), 830);
  const int leftEdge = kAlmanacLeftColumnX + kAlmanacColumnWidth - 6;
  const int rightEdge = kAlmanacRightColumnX + kAlmanacColumnWidth - 6;
  EXPECT_GT(CountPixels(canvas, colours::kBlack, 300, 39, leftEdge, 52), 0);  // the text
  EXPECT_EQ(CountPixels(canvas, colours::kBlack, leftEdge, 0, kAlmanacRightColumnX + 2, 610), 0);
  EXPECT_GT(CountPixels(canvas, colours::kBlack, 700, 39, rightEdge, 52), 0);
  EXPECT_EQ(CountPixels(canvas, colours::kBlack, rightEdge, 0, 830, 610), 0);
  // The date, the time to the second and the text keep a gap of 4 pixels between them.
  for (const int x0 : {0, kAlmanacColumnOffset}) {
    for (const int x : {kAlmanacTimeX, kAlmanacTextX})
      EXPECT_EQ(CountPixels(canvas, colours::kBlack, x0 + x - 4, 39, x0 + x, 52), 0) << x0 + x;
  }
}

// --- The holidays ---
TEST(HolidaysWindow, TheHolidaysOfTheYear) {
  Fixture f(At(2001, 5, 27, 12.0));
  auto* w = f.Open<THolidaysWindow>(TWindowKind::Holidays);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->windowTitle() + w->TitleLabel()->text() + w->HelpTopic(),
            U("HelgerHelgdagar i Sverige 2001HVHELP.XAN_293"));
  EXPECT_EQ(std::pair(w->geometry(), w->Bevel()->geometry()),
            std::pair(QRect(611, 73, 408, 304), QRect(6, 37, 388, 234)));
  // Date and name of the last line drawn.
  const int y = 14 * w->Report().LastLine;
  EXPECT_TRUE(HasBlack(w, 10, y, 175, y + 14));
  EXPECT_TRUE(HasBlack(w, 175, y, 380, y + 14));
  // Year 0 has no Easter group: fewer lines, and the area below them is cleared on the flag.
  f.RedrawOnFlag(w, &TObsState::RedrawHolidays, At(0, 6, 1, 12.0));
  EXPECT_EQ(w->TitleLabel()->text(), U("Helgdagar i Sverige 0"));
  EXPECT_TRUE(AllSilver(w, 10, 14 * (w->Report().LastLine + 1), 380, 266));
  // From 2005 on, with Sveriges nationaldag, 16 lines: the last one inside the bevelled area.
  f.RedrawOnFlag(w, &TObsState::RedrawHolidays, At(2026, 6, 1, 12.0));
  const int last = w->Report().LastLine;
  EXPECT_TRUE(HasBlack(w, 175, 14 * last, 380, 14 * last + 14));
  EXPECT_LE(14 * last + 14, w->Bevel()->geometry().bottom() - 1);
}

// --- The frame opens them ---
TEST(TimecalWindows, ToolbarButtonsOpenThem) {
  Fixture f(At(2001, 5, 27, 12.0));
  f.frame->StatusTimerTick();
  // "Ka" twice: several of a kind may be open at once.
  for (const char* button :
       {"calendarButton", "almanacButton", "holidaysButton", "calendarButton"}) {
    f.frame->findChild<QToolButton*>(QString::fromLatin1(button))->click();
    QCoreApplication::processEvents();
  }
  QStringList titles;
  for (QMdiSubWindow* window : f.frame->MdiArea()->subWindowList()) titles << window->windowTitle();
  EXPECT_EQ(titles.mid(titles.size() - 4),
            QStringList({U("Kalender"), U("Almanacka"), U("Helger"), U("Kalender")}));
}
}  // namespace
}  // namespace himlavy
