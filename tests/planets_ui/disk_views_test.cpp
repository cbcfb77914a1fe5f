// The disk drawing's phase rule: the lit part is filled only above the night-colour limits
// (Mercury 0.03, Venus 0.01, the Moon 0.005), and the north mark stands above the disk. The six
// windows opened from the frame. Venus 1992 Dec 20 0h TD is Meeus's example 41.a [48.a]:
// k = 0.647 and Delta = 0.910947 AU, so the diameter is 2 x 8.34" / Delta = 18.3".
#include <gtest/gtest.h>

#include <QLabel>
#include <QPlainTextEdit>
#include <QTimer>
#include <cmath>
#include <numbers>
#include <tuple>

#include "base/timescales.h"
#include "common/frame_windows.h"
#include "planets/disk_draw.h"
#include "planets/planet_disk_window.h"

namespace himlavy {
namespace {
using namespace testing;

int WhiteInside(const Canvas& canvas, int cx, int cy, int radius) {
  int count = 0;
  for (int y = cy - radius; y <= cy + radius; ++y)
    for (int x = cx - radius; x <= cx + radius; ++x)
      count += std::hypot(x - cx, y - cy) < radius && canvas.Pixel(x, y) == colours::kWhite;
  return count;
}

TEST(DiskDrawTest, NightColourLimitsAndNorthMark) {
  testing::EnsureApplication();
  // The body, k, the diameter for a disk of 60 pixels' radius, lit.
  for (const auto& [body, k, diameter, lit] : {std::tuple{TBody::Mercury, 0.03, 20, false},
                                               {TBody::Mercury, 0.04, 20, true},
                                               {TBody::Venus, 0.01, 20, false},
                                               {TBody::Venus, 0.02, 20, true},
                                               {TBody::Moon, 0.005, 1000, false},
                                               {TBody::Moon, 0.2, 1000, true}}) {
    TDiskView view{.Body = body,
                   .IlluminatedFraction = k,
                   .Diameter = static_cast<double>(diameter),
                   .AxisAngle = std::nan(""),
                   .BrightLimbAngle = 1.0};
    Canvas canvas(300, 300, colours::kNavy);
    DrawDiskView(canvas, view, 150, 150);
    EXPECT_EQ(WhiteInside(canvas, 150, 150, 59) > 0, lit) << k;
    EXPECT_GT(WhiteInside(canvas, 150, 150 - 70 - 5 + 6, 6), 0);  // the "N" above the disk
  }
}

// Thin crescents just above the limits, the bright limb anywhere: the fill stays in the disk.
TEST(DiskDrawTest, ThinCrescentFillStaysInTheDisk) {
  testing::EnsureApplication();
  const std::tuple<TBody, double, double> cases[] = {{TBody::Mercury, 0.031, 9.1},
                                                     {TBody::Mercury, 0.035, 11.0},
                                                     {TBody::Moon, 0.0055, 1833.3},
                                                     {TBody::Moon, 0.0075, 1966.7}};
  for (const auto& [body, k, diameter] : cases) {
    TDiskView view{.Body = body, .IlluminatedFraction = k, .Diameter = diameter};
    for (int degrees = 0; degrees < 360; degrees += 5) {
      view.BrightLimbAngle = degrees * std::numbers::pi / 180;
      Canvas canvas(300, 300, colours::kNavy);
      DrawDiskView(canvas, view, 150, 150);
      EXPECT_EQ(canvas.Pixel(5, 5), colours::kNavy) << k << " " << degrees;
    }
  }
}

TEST(PlanetDiskWindow, PlacementTextsFollowTimerAndRedrawFlag) {
  TObsState state{.ClockJD = 2448976.5, .TimeScale = kTimeScaleTdt, .TimerSpeed = 2};
  state.CorrLightTime = state.CorrNutation = state.CorrAberration = 1;
  DeriveTimes(state);
  const auto frame = ShownFrame(state);
  using K = TWindowKind;
  using S = TObsState;
  const std::tuple<K, const char*, QRect, QPoint, int, int S::*> cases[] = {
      {K::Mercury, "Merkurius", {779, 73, 240, 280}, {120, 170}, 80, &S::RedrawMercury},
      {K::Venus, "Venus", {591, 73, 428, 557}, {209, 320}, 80, &S::RedrawVenus},
      {K::Mars, "Mars", {774, 73, 245, 318}, {120, 200}, 80, &S::RedrawMars},
      {K::Jupiter, "Jupiter", {672, 73, 347, 467}, {169, 270}, 67, &S::RedrawJupiter},
      {K::Saturn, "Saturnus", {731, 73, 288, 432}, {140, 265}, 93, &S::RedrawSaturn},
      {K::Moon, "Månen", {732, 73, 287, 417}, {140, 250}, 80, &S::RedrawMoon}};
  for (const auto& [kind, caption, placement, centre, textHeight, flag] : cases) {
    SCOPED_TRACE(caption);
    state.CorrParallactic = 0;
    auto* w = OpenIn<TPlanetDiskWindow>(*frame, kind);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(std::tuple(w->windowTitle(), w->geometry(), w->Centre(), w->TextBox()->geometry()),
              std::tuple(U(caption), placement, centre, QRect(2, 2, 175, textHeight)));
    EXPECT_EQ(std::pair(w->OrientationLabel()->pos(), w->OrientationLabel()->text()),
              std::pair(QPoint(centre.x() - 12, textHeight + 6), U("Norr")));
    const QStringList lines = w->TextBox()->toPlainText().split(U("\n"));
    EXPECT_EQ(std::tuple(lines.value(1), lines.size()),
              std::tuple(U(" Parallaktisk vinkel=Ej vald"), kind == K::Saturn    ? 7
                                                            : kind == K::Jupiter ? 5
                                                                                 : 6));
    // 300 ms until the first flag tick takes TimerSpeed; a change waits for the window's flag.
    EXPECT_EQ(w->FollowTimer()->interval(), 300);
    state.CorrParallactic = 1;
    w->FlagTimerTick();
    EXPECT_EQ(std::tuple(w->FollowTimer()->interval(), w->OrientationLabel()->text()),
              std::tuple(100, U("Norr")));
    state.*flag = 1;
    w->FlagTimerTick();
    EXPECT_EQ(std::tuple(state.*flag, w->OrientationLabel()->text()), std::tuple(0, U("Zenit")));
    w->close();
  }
}

}  // namespace
}  // namespace himlavy
