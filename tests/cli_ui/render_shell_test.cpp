// himlavy-cli render of the application shell's windows.
#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <string>

#include "common/cli_runner.h"
#include "common/scratch_dir.h"

namespace himlavy {
namespace {

using testing::Output;
using testing::RunCli;
using testing::ScratchDir;

TEST(CliRenderShell, WindowSizes) {
  ScratchDir dir;
  // The pictures are looked for in the data folder.
  QImage sun(40, 30, QImage::Format_RGB32);
  sun.fill(QColor(255, 200, 0));
  ASSERT_TRUE(sun.save(QString::fromStdString((dir / "solen.bmp").string()), "BMP"));

  struct Case {
    const char* Window;
    int Width, Height;
  };
  const Case cases[] = {
      {"increment", 160, 85}, {"pictures", 509, 556}, {"splash", 205, 189},
      {"exit", 384, 152},     {"about", 290, 182},
  };
  for (const Case& c : cases) {
    const std::string png = (dir / (std::string(c.Window) + ".png")).string();
    const Output out = RunCli("--data " + dir.Path().string() + " --jd 2451545 render " + c.Window +
                              " --out " + png);
    ASSERT_EQ(out.Status, 0) << c.Window << ": " << out.Text;
    const QImage image(QString::fromStdString(png));
    EXPECT_EQ(image.size(), QSize(c.Width, c.Height)) << c.Window;
  }

  // The picture window shows the whole of the Sun's picture, centred across the window.
  const QImage pictures(QString::fromStdString((dir / "pictures.png").string()));
  int count = 0;
  int left = pictures.width();
  int right = -1;
  for (int y = 0; y < pictures.height(); ++y) {
    for (int x = 0; x < pictures.width(); ++x) {
      if (pictures.pixel(x, y) != qRgb(255, 200, 0)) continue;
      ++count;
      left = std::min(left, x);
      right = std::max(right, x);
    }
  }
  EXPECT_EQ(count, 40 * 30);
  EXPECT_LE(std::abs((left + right) / 2 - pictures.width() / 2), 2);
}

// A picture that cannot be opened: the message on standard error, the window drawn, and a
// status that says something went wrong.
TEST(CliRenderShell, MissingPictureMessage) {
  ScratchDir dir;
  const std::string png = (dir / "pictures.png").string();
  const Output out = RunCli("--data " + dir.Path().string() + " render pictures --out " + png);
  EXPECT_EQ(out.Status, 1) << out.Text;
  EXPECT_NE(out.Text.find("himlavy-cli: Cannot open file solen.bmp\n"), std::string::npos)
      << out.Text;
  EXPECT_FALSE(QImage(QString::fromStdString(png)).isNull());
}

TEST(CliRenderShell, HelpTopics) {
  ScratchDir dir;
  // The help pages of the source folder, next to its data folder.
  std::filesystem::copy(testing::DataFolder().parent_path() / "help", dir / "help");
  const std::string png = (dir / "help.png").string();
  const std::string data = "--data " + dir.Path().string() + " render help --out " + png;
  EXPECT_EQ(RunCli(data).Status, 0);
  EXPECT_EQ(RunCli(data + " --topic HVHELP.XAN_275").Status, 0);
  const Output missing = RunCli(data + " --topic HVHELP.XAN_999");
  EXPECT_EQ(missing.Status, 1) << missing.Text;
  const Output misplaced =
      RunCli("--data " + dir.Path().string() + " render about --topic HVHELP.XAN_275 --out " + png);
  EXPECT_EQ(misplaced.Status, 2) << misplaced.Text;
}

}  // namespace
}  // namespace himlavy
