// The windows of Jupiter's moons: controls, the magnification, the mouse readout, a moon in
// transit drawn over the disk and the trails while the time runs.
// 2025 Jan 3 0h TT: Io in transit (X 0.75, Y -0.28 radii, Z -5.9).
#include "planets/jupiter_moons_window.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

#include "common/frame_windows.h"
#include "planets/jupiter_moons_draw.h"

namespace himlavy {
namespace {
using testing::CountPixels;

// A frame at the moment with a window of `kind` open.
template <class W>
W* Open(TObsState& state, std::unique_ptr<TMainFrame>& frame, TWindowKind kind) {
  state.TimeScale = kTimeScaleTdt;
  state.ClockJD = 2460678.5;
  state.ChartScale = 1024;
  state.ShowSunPlanets = state.ShowMoons = state.CorrLightTime = 1;
  DeriveTimes(state);
  frame = testing::ShownFrame(state);
  return testing::OpenIn<W>(*frame, kind);
}

TEST(JupiterMoonsWindowTest, ControlsMagnificationAndMouse) {
  TObsState state;
  std::unique_ptr<TMainFrame> frame;
  auto* w = Open<TJupiterMoonsWindow>(state, frame, TWindowKind::JupiterMoons);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->geometry(), QRect(39, 73, 980, 290));
  EXPECT_TRUE(w->MagnifyButton()->text() == "&+/-" && w->HelpTopic() == "HVHELP.XAN_277");
  EXPECT_TRUE(w->RedrawButton()->geometry() == QRect(0, 25, 60, 25) &&
              w->NamePanel()->geometry() == QRect(60, 1, 84, 17));
  const Canvas& c = w->DrawingSurface();
  EXPECT_EQ(c.Pixel(490, 130), kJupiterColour);
  // Io in transit: its black outline over the disk at (502, 135). Names are off, yet the mouse
  // names Io.
  EXPECT_GT(CountPixels(c, colours::kBlack, 500, 133, 504, 137), 0);
  EXPECT_EQ(CountPixels(c, colours::kWhite, 502, 139, 512, 152), 0);
  QMouseEvent move(QEvent::MouseMove, QPointF(503, 136), QPointF(503, 136), Qt::NoButton,
                   Qt::NoButton, Qt::NoModifier);
  QCoreApplication::sendEvent(w->Client(), &move);
  EXPECT_EQ(w->NamePanel()->text(), QStringLiteral(" Io"));

  // "&+/-": 80 pixels per radius and the "N" mark 67 pixels from the centre, then back.
  w->MagnifyButton()->click();
  ASSERT_TRUE(w->Magnified() && w->Strip().Scale == 80 && w->Strip().DirectionText == "N");
  const int mx = w->Strip().MarkX;
  const int my = w->Strip().MarkY;
  EXPECT_GT(CountPixels(c, colours::kWhite, mx, my, mx + 10, my + 14), 0);
  w->MagnifyButton()->click();
  EXPECT_EQ(w->Strip().Scale, 16);
  EXPECT_EQ(CountPixels(c, colours::kWhite, mx, my, mx + 10, my + 14), 0);
  state.LabelPlanets = 1;  // now Io's name is written under its point
  w->RedrawButton()->click();
  EXPECT_GT(CountPixels(c, colours::kWhite, 502, 139, 512, 152), 0);
}

TEST(JupiterCentreWindowTest, PanelsColoursTrailsAndProbes) {
  TObsState state;
  std::unique_ptr<TMainFrame> frame;
  auto* w = Open<TJupiterCentreWindow>(state, frame, TWindowKind::JupiterCentre);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->Client()->size(), QSize(406, 260));
  EXPECT_EQ(w->NamePanel()->geometry(), QRect(285, 215, 111, 17));
  const Canvas& c = w->DrawingSurface();
  EXPECT_TRUE(c.Pixel(100, 100) == kJupiterColour && c.Pixel(300, 100) == kJupiterColour);
  EXPECT_EQ(c.Pixel(150, 150), colours::kBlack);
  ASSERT_EQ(w->View().Moons.size(), 4u);
  const TCentreBody io = w->View().Moons[0];
  EXPECT_EQ(c.Pixel(io.LeftX, io.LeftY), colours::kWhite);

  // While the time runs the moons move over the old picture and leave trails.
  state.IncrementOn = 1;
  state.ClockJD += 0.25;
  DeriveTimes(state);
  w->FollowTimerTick();
  const TCentreBody moved = w->View().Moons[0];
  EXPECT_NE(std::make_pair(moved.LeftX, moved.LeftY), std::make_pair(io.LeftX, io.LeftY));
  EXPECT_TRUE(c.Pixel(io.LeftX, io.LeftY) == colours::kWhite &&
              c.Pixel(moved.LeftX, moved.LeftY) == colours::kWhite);

  // Atlas mode: silver, and the redraw clears the trails.
  state.IncrementOn = 0;
  state.DisplayMode = state.RedrawJupCentre = 1;
  w->FlagTimerTick();
  EXPECT_TRUE(c.Pixel(150, 150) == colours::kSilver &&
              c.Pixel(io.LeftX, io.LeftY) == colours::kSilver);
}

}  // namespace
}  // namespace himlavy
