// The disk drawing's phase rule: the lit part is filled only above the night-colour limits
// (Mercury 0.03, Venus 0.01, the Moon 0.005), and the north mark stands above the disk.
#include "planets/disk_draw.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <tuple>

#include "shell_ui/qt_app.h"

namespace himlavy {
namespace {

int WhiteInside(const Canvas& canvas, int cx, int cy, int radius) {
  int count = 0;
  for (int y = cy - radius; y <= cy + radius; ++y) {
    for (int x = cx - radius; x <= cx + radius; ++x) {
      if (std::hypot(x - cx, y - cy) < radius && canvas.Pixel(x, y) == colours::kWhite) ++count;
    }
  }
  return count;
}

TEST(DiskDrawTest, NightColourLimitsAndNorthMark) {
  testing::EnsureApplication();
  struct Case {
    TBody body;
    double k, diameter;  // diameter for a disk of 60 pixels' radius
    bool lit;
  };
  for (const Case& c :
       {Case{TBody::Mercury, 0.03, 20, false}, Case{TBody::Mercury, 0.04, 20, true},
        Case{TBody::Venus, 0.01, 20, false}, Case{TBody::Venus, 0.02, 20, true},
        Case{TBody::Moon, 0.005, 1000, false}, Case{TBody::Moon, 0.2, 1000, true}}) {
    TDiskView view{.Body = c.body,
                   .IlluminatedFraction = c.k,
                   .Diameter = c.diameter,
                   .AxisAngle = std::nan(""),
                   .BrightLimbAngle = 1.0};
    Canvas canvas(300, 300, colours::kNavy);
    DrawDiskView(canvas, view, 150, 150);
    EXPECT_EQ(WhiteInside(canvas, 150, 150, 59) > 0, c.lit) << c.k;
    EXPECT_GT(WhiteInside(canvas, 150, 150 - 70 - 5 + 6, 6), 0);  // the "N" above the disk
  }
}

// Thin crescents just above the limits: wherever the bright limb points, the lit part's fill
// never escapes the disk into the sky around it.
TEST(DiskDrawTest, ThinCrescentFillStaysInTheDisk) {
  testing::EnsureApplication();
  for (const auto& [body, k, diameter] :
       {std::tuple{TBody::Mercury, 0.031, 9.1}, std::tuple{TBody::Mercury, 0.035, 11.0},
        std::tuple{TBody::Moon, 0.0055, 1833.3}, std::tuple{TBody::Moon, 0.0075, 1966.7}}) {
    for (int degrees = 0; degrees < 360; degrees += 5) {
      const TDiskView view{.Body = body,
                           .IlluminatedFraction = k,
                           .Diameter = diameter,
                           .AxisAngle = std::nan(""),
                           .BrightLimbAngle = degrees * std::numbers::pi / 180.0};
      Canvas canvas(300, 300, colours::kNavy);
      DrawDiskView(canvas, view, 150, 150);
      EXPECT_EQ(canvas.Pixel(5, 5), colours::kNavy) << k << " " << degrees;
    }
  }
}

}  // namespace
}  // namespace himlavy
