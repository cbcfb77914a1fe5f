// The calendar, almanac and holidays windows: what they show for a known moment and site, the
// calendar's spin buttons and the flags they raise, following the clock while the increment
// runs, redrawing on the flag and on a paint request, and the help topic.
//
// Published values: P. Schlyter's rise and set table for Sundsvall, 2001 January 1, UTC+1
// (sunrise 9:18, sunset 14:31, moonrise 11:47); weekdays of the civil calendar; delta T by
// Meeus's extrapolation after 2000 (1st ed., ch. 9), 102.3 + 123.5 t + 32.5 t^2 s.
#include <gtest/gtest.h>

#include <QEnterEvent>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <memory>
#include <string>
#include <vector>

#include "common/data_folder.h"
#include "shell/help_window.h"
#include "shell/main_frame.h"
#include "shell_ui/qt_app.h"
#include "timecal/almanac_window.h"
#include "timecal/calendar_window.h"
#include "timecal/holidays_window.h"
#include "timecal/timecal_draw.h"
#include "timecal/timescales.h"

namespace himlavy {
namespace {

using testing::EnsureApplication;
using testing::ScopedLocale;
using testing::SourceDir;
using testing::WaitFor;

constexpr TColor kSilver{192, 192, 192};
constexpr double kDegToRadians = 3.141592653589793 / 180.0;

QString U(const char* text) {
  return QString::fromUtf8(text);
}

// A frame over the repository's data folder, in a Swedish locale, at a local clock reading in
// zone +1 at Sundsvall; it neither reads parametr.dta nor the computer clock.
struct Fixture {
  explicit Fixture(double clockJD) {
    EnsureApplication();
    state.TimeZone = 1.0;
    state.Latitude = 62.392;
    state.Longitude = 17.290;
    state.PlaceName = "Sundsvall";
    state.ClockJD = clockJD;
    DeriveTimes(state);
    frame = std::make_unique<THimlavy2>(state, testing::DataFolder(), false);
    frame->show();
    QCoreApplication::processEvents();
  }
  template <class W>
  W* Open(TWindowKind kind) {
    auto* window = dynamic_cast<W*>(frame->OpenWindow(kind));
    QCoreApplication::processEvents();
    return window;
  }
  void ClearFlags() {
    for (const auto flag : kRedrawFlags) state.*flag = 0;
  }
  ScopedLocale swedish{QLocale(QLocale::Swedish, QLocale::Sweden)};
  TObsState state;
  std::unique_ptr<THimlavy2> frame;
};

double At(int year, int month, int day, double hours) {
  return JulianDay(year, month, day) + hours / 24.0;
}

// The pixels of the box (x1..x2-1, y1..y2-1) of a picture that have the colour.
int CountPixels(const Canvas& canvas, TColor colour, int x1, int y1, int x2, int y2) {
  int n = 0;
  for (int y = y1; y < y2; ++y) {
    for (int x = x1; x < x2; ++x) n += canvas.Pixel(x, y) == colour;
  }
  return n;
}

bool HasBlack(TChildWindow* window, int x1, int y1, int x2, int y2) {
  return CountPixels(window->DrawingSurface(), colours::kBlack, x1, y1, x2, y2) > 0;
}

bool AllSilver(TChildWindow* window, int x1, int y1, int x2, int y2) {
  return CountPixels(window->DrawingSurface(), kSilver, x1, y1, x2, y2) == (x2 - x1) * (y2 - y1);
}

const TCalendarLine* FindLine(const TCalendarReport& r, TCalendarLineKind kind) {
  for (const auto& line : r.Lines) {
    if (line.Kind == kind) return &line;
  }
  return nullptr;
}

// The help button opens the window's topic in the help viewer.
void ExpectHelpTopic(TChildWindow* window) {
  EXPECT_EQ(window->HelpTopic(), U("HVHELP.XAN_293"));
  auto* help = window->Client()->findChild<QPushButton*>(QStringLiteral("BitBtn1"));
  ASSERT_NE(help, nullptr);
  EXPECT_EQ(help->text(), U("&Hjälp"));
  EXPECT_TRUE(help->font().bold());
  MapHelpFile(QStringLiteral("HVHELP.HLP"), SourceDir() / "help");
  help->click();
  ASSERT_NE(OpenHelpViewer(), nullptr);
  EXPECT_EQ(OpenHelpViewer()->CurrentPage(), U("XAN_293.html"));
  HelpQuit();
}

// --- The calendar ---

TEST(CalendarWindow, LayoutTextsAndLinesOfADay) {
  Fixture f(At(2001, 1, 1, 12.0));
  // The shared values as the sky chart leaves them: 0.0047 deg = 16.920".
  f.state.NutLon = -0.0047 * kDegToRadians;
  f.state.NutObl = 0.0047 * kDegToRadians;
  f.state.Obliquity = (23.4392911 - 0.0047) * kDegToRadians;
  auto* w = f.Open<TMDIChild10>(TWindowKind::Calendar);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->windowTitle(), U("Kalender"));
  EXPECT_EQ(w->geometry(), QRect(489, 73, 527, 274));
  EXPECT_EQ(w->minimumSize(), w->maximumSize());  // fixed border
  EXPECT_EQ(w->FlagTimer()->interval(), 100);
  EXPECT_EQ(w->FollowTimer()->interval(), 300);

  // The two large labels (font height 19) and the area's hint.
  EXPECT_EQ(w->TitleLabel()->text(), U("Kalender för 2001-1-1 Måndag (UTC 1,00)"));
  EXPECT_EQ(w->PlaceLabel()->text(), U("Sundsvall"));
  EXPECT_EQ(w->TitleLabel()->font().pixelSize(), 19);
  EXPECT_EQ(w->Bevel()->geometry(), QRect(6, 66, 295, 176));
  EXPECT_EQ(w->Bevel()->toolTip(), U("Tiderna gäller för skivans överkant."));

  // The day's lines: Schlyter's sunrise 9:18 and sunset 14:31, moonrise 11:47.
  const TCalendarReport& r = w->Report();
  EXPECT_EQ(r.Lines[0].Items[0].Text, "Julianskt dagtal vid 0 h=2451910,5");
  const TCalendarLine* sunrise = FindLine(r, TCalendarLineKind::Sunrise);
  ASSERT_NE(sunrise, nullptr);
  EXPECT_EQ(sunrise->Items[1].Text, "9h18m");
  EXPECT_EQ(sunrise->Items[3].Text, "14h31m");
  const TCalendarLine* moonrise = FindLine(r, TCalendarLineKind::Moonrise);
  ASSERT_NE(moonrise, nullptr);
  EXPECT_EQ(moonrise->Items[1].Text, "11h47m");

  // Drawn on the window: type in each line's band, the rest of the area down to y = 240
  // cleared to silver; nothing outside the band of x 10 .. 290.
  for (const auto& line : r.Lines) {
    EXPECT_TRUE(HasBlack(w, 10, 14 * line.Line, 290, 14 * line.Line + 14)) << line.Line;
  }
  EXPECT_TRUE(AllSilver(w, 10, 14 * (r.LastLine + 1), 290, 240));

  // The group of current values: nine labels 14 pixels apart.
  EXPECT_EQ(w->ValuesGroup()->title(), U("Aktuella beräkningsvärden"));
  EXPECT_EQ(w->ValueLabel(0)->text(), U("Approximativt delta-T=1m44s"));  // 103.5 s at 2001.0
  EXPECT_EQ(w->ValueLabel(1)->text(), U("JD  =2451910,958333"));
  EXPECT_EQ(w->ValueLabel(5)->text(), U("Ekl. obl. + nut.obl.=23°26'21.448\""));
  EXPECT_EQ(w->ValueLabel(8)->y() - w->ValueLabel(0)->y(), 8 * 14);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);  // the hourglass is gone

  ExpectHelpTopic(w);
  QPointer<TChildWindow> watched(w);
  w->close();
  EXPECT_TRUE(WaitFor([&] { return watched.isNull(); }, 1000));
}

TEST(CalendarWindow, SpinButtonsStepTheMomentAndRaiseTheFlags) {
  Fixture f(At(2001, 1, 31, 14.0));
  auto* w = f.Open<TMDIChild10>(TWindowKind::Calendar);
  ASSERT_NE(w, nullptr);
  const char* hints[] = {"Öka eller minska år", "Öka eller minska månad", "Öka eller minska dag"};
  for (int i = 0; i < 3; ++i) {
    TSpinButton* spin = w->SpinButton(static_cast<TCalendarStep>(i));
    EXPECT_EQ(spin->objectName(), QStringLiteral("SpinButton%1").arg(i + 1));
    EXPECT_EQ(spin->toolTip(), U(hints[i]));
  }
  // The hint reaches the frame's hint panel as the mouse enters the arrow.
  TSpinButton* month = w->SpinButton(TCalendarStep::Month);
  QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
  QCoreApplication::sendEvent(month->UpButton(), &enter);
  EXPECT_TRUE(WaitFor([&] { return f.frame->HintPanel()->text() == U(hints[1]); }, 1000));

  // A click steps the moment and raises the flags; the window's own flag redraws it within
  // 100 ms: 2001-01-31 14:00 plus 30.4375 days is 2001-03-03.
  f.ClearFlags();
  const double before = f.state.ClockJD;
  month->UpButton()->click();
  EXPECT_DOUBLE_EQ(f.state.ClockJD, before + 30.4375);
  EXPECT_EQ(f.state.RedrawEarth, 0);
  EXPECT_TRUE(WaitFor([&] { return f.state.RedrawCalendar == 0; }, 1000));
  EXPECT_EQ(w->TitleLabel()->text(), U("Kalender för 2001-3-3 Lördag (UTC 1,00)"));
  month->DownButton()->click();
  EXPECT_DOUBLE_EQ(f.state.ClockJD, before);
}

TEST(CalendarWindow, FollowsTheClockAndRedrawsOnTheFlag) {
  Fixture f(At(2001, 5, 27, 12.0));
  auto* w = f.Open<TMDIChild10>(TWindowKind::Calendar);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->TitleLabel()->text(), U("Kalender för 2001-5-27 Söndag (UTC 1,00)"));

  // The follow timer redraws only while the increment runs.
  f.ClearFlags();
  f.state.ClockJD += 1.0;
  DeriveTimes(f.state);
  w->FollowTimerTick();
  EXPECT_EQ(w->TitleLabel()->text(), U("Kalender för 2001-5-27 Söndag (UTC 1,00)"));
  f.state.IncrementOn = 1;
  w->FollowTimerTick();
  EXPECT_EQ(w->TitleLabel()->text(), U("Kalender för 2001-5-28 Måndag (UTC 1,00)"));
  f.state.IncrementOn = 0;

  // The flag: a redraw for a polar summer day, whose shorter list leaves nothing of the
  // twilight lines drawn before.
  const int linesBefore = w->Report().LastLine;
  f.state.Latitude = 70.0;
  f.state.Longitude = 20.0;
  f.state.ClockJD = At(2001, 6, 21, 12.0);
  DeriveTimes(f.state);
  w->FlagTimerTick();
  EXPECT_EQ(w->TitleLabel()->text(), U("Kalender för 2001-5-28 Måndag (UTC 1,00)"));  // no flag
  f.state.RedrawCalendar = 1;
  w->FlagTimerTick();
  EXPECT_EQ(f.state.RedrawCalendar, 0);
  EXPECT_EQ(w->TitleLabel()->text(), U("Kalender för 2001-6-21 Torsdag (UTC 1,00)"));
  EXPECT_NE(FindLine(w->Report(), TCalendarLineKind::SunAlwaysUp), nullptr);
  EXPECT_LT(w->Report().LastLine, linesBefore);
  EXPECT_TRUE(AllSilver(w, 10, 14 * (w->Report().LastLine + 1), 290, 240));

  // A paint request redraws when the moment has changed since the last drawing.
  f.state.ClockJD = At(2001, 12, 24, 12.0);
  DeriveTimes(f.state);
  w->Client()->repaint();
  EXPECT_EQ(w->TitleLabel()->text(), U("Kalender för 2001-12-24 Måndag (UTC 1,00)"));
  EXPECT_NE(FindLine(w->Report(), TCalendarLineKind::SunNeverRises), nullptr);
}

// --- The almanac ---

TEST(AlmanacWindow, TheYearOfTheClockInTwoColumns) {
  Fixture f(At(2001, 5, 27, 12.0));
  auto* w = f.Open<TMDIChild11>(TWindowKind::Almanac);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->windowTitle(), U("Almanacka"));
  EXPECT_EQ(w->size(), QSize(820, 634));
  EXPECT_EQ(w->minimumSize(), w->maximumSize());
  EXPECT_EQ(w->FollowTimer()->interval(), 3000);
  EXPECT_EQ(w->Column(0)->geometry(), QRect(6, 35, 398, 566));
  EXPECT_EQ(w->TitleLabel()->font().pixelSize(), 19);
  EXPECT_EQ(w->TitleLabel()->text(), U("Almanacka för år 2001 (UTC 1,00)"));

  // 2001 starts with the first quarter of January 2, 22:31 UT (USNO): 23:3x in zone 1.
  const TAlmanacReport& r = w->Report();
  ASSERT_FALSE(r.Lines.empty());
  EXPECT_EQ(r.Lines[0].DateText, "2001- 1- 2  Tisdag");
  EXPECT_TRUE(r.Lines[0].TimeText.starts_with("23h3"));
  EXPECT_EQ(r.Lines[0].EventText, "Månen i första kvarteret");
  EXPECT_EQ(static_cast<int>(r.Lines.size()), std::min(r.EventCount, 86));

  // Drawn: each line at y = 13 k in its column, the empty slots cleared.
  for (std::size_t i = 0; i < r.Lines.size(); ++i) {
    const TAlmanacSlot s = AlmanacSlot(static_cast<int>(i));
    const int y = 13 * s.Line;
    EXPECT_TRUE(HasBlack(w, s.X0 + 10, y, s.X0 + 120, y + 13)) << i;   // the date
    EXPECT_TRUE(HasBlack(w, s.X0 + 120, y, s.X0 + 190, y + 13)) << i;  // the time
    EXPECT_TRUE(HasBlack(w, s.X0 + 190, y, s.X0 + 390, y + 13)) << i;  // the event
  }
  for (int i = static_cast<int>(r.Lines.size()); i < 86; ++i) {
    const TAlmanacSlot s = AlmanacSlot(i);
    EXPECT_TRUE(AllSilver(w, s.X0 + 10, 13 * s.Line, s.X0 + 402, 13 * s.Line + 13)) << i;
  }
  ExpectHelpTopic(w);
}

TEST(AlmanacWindow, FollowsTheClockAndRedrawsOnTheFlag) {
  Fixture f(At(2001, 12, 31, 23.5));
  auto* w = f.Open<TMDIChild11>(TWindowKind::Almanac);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->TitleLabel()->text(), U("Almanacka för år 2001 (UTC 1,00)"));

  // Into the next year: the follow timer redraws only while the increment runs.
  f.state.ClockJD += 1.0;
  DeriveTimes(f.state);
  w->FollowTimerTick();
  EXPECT_EQ(w->Report().Year, 2001);
  f.state.IncrementOn = 1;
  w->FollowTimerTick();
  f.state.IncrementOn = 0;
  EXPECT_EQ(w->TitleLabel()->text(), U("Almanacka för år 2002 (UTC 1,00)"));
  EXPECT_EQ(w->Report().Lines[0].DateText.substr(0, 4), "2002");

  // The flag: the clock in TDT.
  f.state.TimeScale = 1;
  DeriveTimes(f.state);
  f.state.RedrawAlmanac = 1;
  w->FlagTimerTick();
  EXPECT_EQ(f.state.RedrawAlmanac, 0);
  EXPECT_EQ(w->TitleLabel()->text(), U("Almanacka för år 2002 (TDT 1,00)"));

  // A paint request redraws for a changed zone.
  f.state.TimeZone = -5.0;
  DeriveTimes(f.state);
  w->Client()->repaint();
  EXPECT_EQ(w->TitleLabel()->text(), U("Almanacka för år 2002 (TDT -5,00)"));
}

// A year with more than 86 events shows only the first 86: the 86th at the foot of the right
// column, nothing below it.
TEST(AlmanacDrawing, OnlyTheFirst86Lines) {
  EnsureApplication();
  std::vector<TAlmanacEvent> events(90);
  for (std::size_t i = 0; i < events.size(); ++i) {
    events[i].LocalJD = At(2001, 1, 1, 12.0) + static_cast<double>(i);
    events[i].Kind = kAlmanacMoonEvent;
    events[i].Text = "Nymåne";
  }
  TAlmanacReport report;
  report.Lines = AlmanacLines(events);
  ASSERT_EQ(report.Lines.size(), 86u);
  Canvas canvas(812, 610, kSilver);
  canvas.SetBrushColour(colours::kRed);  // the routine sets its own brush
  DrawAlmanacLines(canvas, report, kSilver);
  const auto hasBlack = [&](int x1, int y1, int x2, int y2) {
    return CountPixels(canvas, colours::kBlack, x1, y1, x2, y2) > 0;
  };
  EXPECT_TRUE(hasBlack(10, 39, 120, 52));     // slot 1: left column, line 3
  EXPECT_TRUE(hasBlack(10, 585, 120, 598));   // slot 43: left column, line 45
  EXPECT_TRUE(hasBlack(412, 39, 522, 52));    // slot 44: right column, line 3
  EXPECT_TRUE(hasBlack(412, 585, 522, 598));  // slot 86: right column, line 45
  EXPECT_FALSE(hasBlack(0, 598, 812, 610));   // no 87th line
  EXPECT_FALSE(hasBlack(0, 0, 812, 39));
}

// --- The holidays ---

TEST(HolidaysWindow, TheHolidaysOfTheYear) {
  Fixture f(At(2001, 5, 27, 12.0));
  auto* w = f.Open<TMDIChild13>(TWindowKind::Holidays);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->windowTitle(), U("Helger"));
  EXPECT_EQ(w->geometry(), QRect(611, 73, 408, 290));
  EXPECT_EQ(w->minimumSize(), w->maximumSize());
  EXPECT_EQ(w->FollowTimer()->interval(), 3000);
  EXPECT_EQ(w->Bevel()->geometry(), QRect(6, 37, 388, 220));
  EXPECT_EQ(w->TitleLabel()->text(), U("Helgdagar i Sverige 2001"));
  EXPECT_EQ(w->TitleLabel()->font().pixelSize(), 19);

  // 2001: New Year's Day a Monday.
  const THolidaysReport& r = w->Report();
  ASSERT_EQ(r.Lines.size(), 15u);
  EXPECT_EQ(r.Lines[0].DateText, "2001-Januari-1  Måndag");
  EXPECT_EQ(r.Lines[0].Name, "Nyårsdagen");
  for (const auto& h : r.Lines) {
    EXPECT_TRUE(HasBlack(w, 10, 14 * h.Line, 175, 14 * h.Line + 14)) << h.Line;
    EXPECT_TRUE(HasBlack(w, 175, 14 * h.Line, 380, 14 * h.Line + 14)) << h.Line;
  }
  EXPECT_TRUE(AllSilver(w, 10, 14 * (r.LastLine + 1), 380, 252));

  // Year 0 has no Easter group: fewer lines, and the area below them is cleared.
  f.state.ClockJD = At(0, 6, 1, 12.0);
  DeriveTimes(f.state);
  f.state.RedrawHolidays = 1;
  w->FlagTimerTick();
  EXPECT_EQ(f.state.RedrawHolidays, 0);
  EXPECT_EQ(w->TitleLabel()->text(), U("Helgdagar i Sverige 0"));
  EXPECT_EQ(w->Report().Lines.size(), 9u);
  EXPECT_TRUE(AllSilver(w, 10, 14 * (w->Report().LastLine + 1), 380, 252));

  ExpectHelpTopic(w);
}

// --- The frame opens them ---

TEST(TimecalWindows, ToolbarButtonsOpenThem) {
  Fixture f(At(2001, 5, 27, 12.0));
  f.frame->Timer2Timer();
  const struct {
    const char* button;
    const char* caption;
  } buttons[] = {
      {"SpeedButton15", "Kalender"}, {"SpeedButton16", "Almanacka"}, {"SpeedButton17", "Helger"}};
  for (const auto& b : buttons) {
    SCOPED_TRACE(b.button);
    auto* button = f.frame->findChild<QToolButton*>(QString::fromLatin1(b.button));
    ASSERT_NE(button, nullptr);
    const qsizetype before = f.frame->MdiArea()->subWindowList().size();
    button->click();
    QCoreApplication::processEvents();
    const auto windows = f.frame->MdiArea()->subWindowList();
    ASSERT_EQ(windows.size(), before + 1);
    EXPECT_EQ(windows.back()->windowTitle(), U(b.caption));
  }
  // Several of a kind may be open at once.
  f.frame->findChild<QToolButton*>(QStringLiteral("SpeedButton15"))->click();
  QCoreApplication::processEvents();
  int calendars = 0;
  for (QMdiSubWindow* window : f.frame->MdiArea()->subWindowList()) {
    calendars += dynamic_cast<TMDIChild10*>(window) != nullptr;
  }
  EXPECT_EQ(calendars, 2);
}

}  // namespace
}  // namespace himlavy
