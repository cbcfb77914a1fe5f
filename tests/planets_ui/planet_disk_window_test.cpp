// The six telescope windows opened from the frame: placement, text box, "Norr"/"Zenit", the
// follow timer and the redraw flag. Venus 1992 Dec 20 0h TD is Meeus's example 41.a [48.a]:
// k = 0.647, Delta = 0.910947 AU, so the diameter is 2 x 8.34" / Delta = 18.3".
#include "planets/planet_disk_window.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPlainTextEdit>
#include <QTimer>
#include <memory>

#include "base/timescales.h"
#include "common/data_folder.h"
#include "frame/main_frame.h"
#include "shell_ui/qt_app.h"

namespace himlavy {
namespace {
using namespace testing;

TEST(PlanetDiskWindow, PlacementTextsFollowTimerAndRedrawFlag) {
  EnsureApplication();
  TObsState state;
  state.TimeScale = kTimeScaleTdt;
  state.ClockJD = 2448976.5;
  state.Latitude = 59.3293;
  state.Longitude = 18.0686;
  state.TimerSpeed = 2;
  state.CorrLightTime = state.CorrNutation = state.CorrAberration = 1;
  DeriveTimes(state);
  TMainFrame frame(state, DataFolder(), false);
  frame.show();
  struct Case {
    TWindowKind kind;
    const char* caption;
    QRect placement;
    QPoint centre;
    int textHeight;
    int TObsState::*flag;
  };
  const Case cases[] = {
      {TWindowKind::Mercury,
       "Merkurius",
       {779, 73, 240, 280},
       {120, 170},
       80,
       &TObsState::RedrawMercury},
      {TWindowKind::Venus, "Venus", {591, 73, 428, 557}, {209, 320}, 80, &TObsState::RedrawVenus},
      {TWindowKind::Mars, "Mars", {774, 73, 245, 318}, {120, 200}, 80, &TObsState::RedrawMars},
      {TWindowKind::Jupiter,
       "Jupiter",
       {672, 73, 347, 467},
       {169, 270},
       67,
       &TObsState::RedrawJupiter},
      {TWindowKind::Saturn,
       "Saturnus",
       {731, 73, 288, 432},
       {140, 265},
       93,
       &TObsState::RedrawSaturn},
      {TWindowKind::Moon, "Månen", {732, 73, 287, 417}, {140, 250}, 80, &TObsState::RedrawMoon}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.caption);
    state.CorrParallactic = 0;
    auto* w = dynamic_cast<TPlanetDiskWindow*>(frame.OpenWindow(c.kind));
    ASSERT_NE(w, nullptr);
    QCoreApplication::processEvents();
    EXPECT_EQ(w->windowTitle(), U(c.caption));
    EXPECT_EQ(w->geometry(), c.placement);
    EXPECT_EQ(w->minimumSize(), w->maximumSize());
    EXPECT_EQ(w->Centre(), c.centre);
    EXPECT_EQ(w->TextBox()->geometry(), QRect(2, 2, 175, c.textHeight));
    EXPECT_TRUE(w->TextBox()->isReadOnly());
    EXPECT_EQ(w->OrientationLabel()->pos(), QPoint(c.centre.x() - 12, c.textHeight + 6));
    EXPECT_EQ(w->OrientationLabel()->text(), U("Norr"));
    const QString text = w->TextBox()->toPlainText();
    EXPECT_TRUE(text.contains(U("\n Parallaktisk vinkel=Ej vald\n"))) << text.toStdString();
    EXPECT_TRUE(text.section(U("\n"), -1).startsWith(U(" Höjd över horisonten=")));
    if (c.kind == TWindowKind::Venus) {
      EXPECT_EQ(text.section(U("\n"), 0, 0), U(" Positionsvinkel, axel=(ej beräkn)0°0'"));
      EXPECT_EQ(text.section(U("\n"), 2, 2), U(" Belyst del=0.65"));
      EXPECT_EQ(text.section(U("\n"), 4, 4), U(" Diameter=18.3\""));
      // k > 0.5: the centre of the disk is lit.
      EXPECT_EQ(w->DrawingSurface().Pixel(c.centre.x(), c.centre.y()), colours::kWhite);
    }
    // The follow timer runs at 300 ms until the first flag tick takes TimerSpeed.
    EXPECT_EQ(w->FollowTimer()->interval(), 300);
    // The state changes; nothing is redrawn until the window's flag is raised.
    state.CorrParallactic = 1;
    w->FlagTimerTick();
    EXPECT_EQ(w->FollowTimer()->interval(), 100);
    EXPECT_EQ(w->OrientationLabel()->text(), U("Norr"));
    state.*c.flag = 1;
    w->FlagTimerTick();
    EXPECT_EQ(state.*c.flag, 0);
    EXPECT_EQ(w->OrientationLabel()->text(), U("Zenit"));
    EXPECT_FALSE(w->TextBox()->toPlainText().contains(U("Ej vald")));
    w->close();
  }
}

}  // namespace
}  // namespace himlavy
