// The windows of Jupiter's moons: controls, the magnification, the mouse readout, the pixels
// of the depth order, the hiding of probes and the trails while the time runs. 2025 Jan 3 0h TT:
// Io in transit (X 0.75, Y -0.28), Ganymede behind Jupiter (Z +15).
#include "planets/jupiter_moons_window.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <memory>

#include "common/data_folder.h"
#include "frame/main_frame.h"
#include "planets/jupiter_moons_draw.h"
#include "shell_ui/qt_app.h"

namespace himlavy {
namespace {

struct Fixture {
  Fixture() {
    testing::EnsureApplication();
    state.TimeScale = kTimeScaleTdt;
    state.ClockJD = 2460678.5;
    state.CoordSystem = 0;
    state.ChartScale = 1024;
    state.ShowSunPlanets = state.ShowMoons = 1;
    state.CorrLightTime = 1;
    DeriveTimes(state);
    frame = std::make_unique<TMainFrame>(state, testing::DataFolder(), false);
    frame->show();
    QCoreApplication::processEvents();
  }
  template <class W>
  W* Open(TWindowKind kind) {
    auto* window = dynamic_cast<W*>(frame->OpenWindow(kind));
    QCoreApplication::processEvents();
    return window;
  }
  TObsState state;
  std::unique_ptr<TMainFrame> frame;
};

int Count(const Canvas& c, TColor colour, int x1, int y1, int x2, int y2) {
  int n = 0;
  for (int y = y1; y < y2; ++y)
    for (int x = x1; x < x2; ++x) n += c.Pixel(x, y) == colour;
  return n;
}

TEST(JupiterMoonsWindowTest, ControlsMagnificationAndMouse) {
  Fixture f;
  auto* w = f.Open<TJupiterMoonsWindow>(TWindowKind::JupiterMoons);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->geometry(), QRect(39, 73, 980, 290));
  EXPECT_EQ(w->windowTitle(), testing::U("Jupiters månar sedda från jorden"));
  EXPECT_EQ(w->MagnifyButton()->text(), QStringLiteral("&+/-"));
  EXPECT_EQ(w->RedrawButton()->geometry(), QRect(0, 25, 60, 25));
  EXPECT_EQ(w->NamePanel()->geometry(), QRect(60, 1, 84, 17));
  EXPECT_EQ(w->HelpTopic(), QStringLiteral("HVHELP.XAN_277"));
  const Canvas& c = w->DrawingSurface();
  EXPECT_EQ(c.Pixel(490, 130), kJupiterColour);
  // Io in transit: its black outline over the disk at (502, 135).
  EXPECT_GT(Count(c, colours::kBlack, 500, 133, 504, 137), 0);
  // Names are off, yet the mouse names Io.
  EXPECT_EQ(Count(c, colours::kWhite, 502, 139, 512, 152), 0);
  QMouseEvent move(QEvent::MouseMove, QPointF(503, 136), QPointF(503, 136), Qt::NoButton,
                   Qt::NoButton, Qt::NoModifier);
  QCoreApplication::sendEvent(w->Client(), &move);
  EXPECT_EQ(w->NamePanel()->text(), QStringLiteral(" Io"));

  // "&+/-": 80 pixels per radius and the "N" mark 67 pixels from the centre, then back.
  w->MagnifyButton()->click();
  ASSERT_TRUE(w->Magnified());
  EXPECT_EQ(w->Strip().Scale, 80);
  const int mx = w->Strip().MarkX;
  const int my = w->Strip().MarkY;
  EXPECT_EQ(w->Strip().DirectionText, "N");
  EXPECT_GT(Count(c, colours::kWhite, mx, my, mx + 10, my + 14), 0);
  w->MagnifyButton()->click();
  EXPECT_EQ(w->Strip().Scale, 16);
  EXPECT_EQ(Count(c, colours::kWhite, mx, my, mx + 10, my + 14), 0);

  // With names on, Io's name is written under its point.
  f.state.LabelPlanets = 1;
  w->RedrawButton()->click();
  EXPECT_GT(Count(c, colours::kWhite, 502, 139, 512, 152), 0);
}

TEST(JupiterMoonsWindowTest, DepthOrderPixels) {
  testing::EnsureApplication();
  // Europa at (485, 128) on the disk: covered when 0.4 radii behind, drawn when in front.
  for (const double z : {0.4, -0.6}) {
    const std::array<TVector3, 4> moons = {{{20, 0, 0}, {-0.3, 0.1, z}, {25, 0, 0}, {-25, 0, 0}}};
    Canvas c(980, 260);
    DrawJupiterMoonsStrip(c, LayoutJupiterMoonsStrip(moons, false, 0, 0, false, false));
    EXPECT_EQ(Count(c, colours::kBlack, 483, 126, 487, 130) > 0, z < 0) << z;
  }
}

TEST(JupiterCentreWindowTest, PanelsColoursTrailsAndProbes) {
  Fixture f;
  auto* w = f.Open<TJupiterCentreWindow>(TWindowKind::JupiterCentre);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->Client()->size(), QSize(406, 260));
  EXPECT_EQ(w->NamePanel()->geometry(), QRect(285, 215, 111, 17));
  EXPECT_EQ(w->windowTitle(), QStringLiteral("Jupiter i centrum"));
  const Canvas& c = w->DrawingSurface();
  EXPECT_EQ(c.Pixel(100, 100), kJupiterColour);
  EXPECT_EQ(c.Pixel(300, 100), kJupiterColour);
  EXPECT_EQ(c.Pixel(150, 150), colours::kBlack);
  ASSERT_EQ(w->View().Moons.size(), 4u);
  const TCentreBody io = w->View().Moons[0];
  EXPECT_EQ(c.Pixel(io.LeftX, io.LeftY), colours::kWhite);

  // While the time runs the moons move over the old picture and leave trails.
  f.state.IncrementOn = 1;
  f.state.ClockJD += 0.25;
  DeriveTimes(f.state);
  w->FollowTimerTick();
  const TCentreBody moved = w->View().Moons[0];
  EXPECT_NE(std::make_pair(moved.LeftX, moved.LeftY), std::make_pair(io.LeftX, io.LeftY));
  EXPECT_EQ(c.Pixel(io.LeftX, io.LeftY), colours::kWhite);
  EXPECT_EQ(c.Pixel(moved.LeftX, moved.LeftY), colours::kWhite);

  // Atlas mode: silver, and the redraw clears the trails.
  f.state.IncrementOn = 0;
  f.state.DisplayMode = 1;
  f.state.RedrawJupCentre = 1;
  w->FlagTimerTick();
  EXPECT_EQ(c.Pixel(150, 150), colours::kSilver);
  EXPECT_EQ(c.Pixel(io.LeftX, io.LeftY), colours::kSilver);

  // A probe in front is a green mark, one behind the disk a black pixel.
  TJupiterCentreView view;
  view.ShowJupiter = true;
  view.JupiterRadius = 10;
  view.Probes = {
      {.Name = "a", .LeftX = 50, .LeftY = 50, .RightX = 250, .RightY = 50},
      {.Name = "b", .LeftX = 102, .LeftY = 100, .RightX = 302, .RightY = 100, .HiddenLeft = true}};
  Canvas probes(406, 260);
  DrawJupiterCentre(probes, view);
  EXPECT_EQ(probes.Pixel(50, 50), (TColor{0, 255, 0}));
  EXPECT_EQ(probes.Pixel(250, 50), (TColor{0, 255, 0}));
  EXPECT_EQ(probes.Pixel(102, 100), colours::kBlack);
  EXPECT_EQ(probes.Pixel(302, 100), (TColor{0, 255, 0}));
}

}  // namespace
}  // namespace himlavy
