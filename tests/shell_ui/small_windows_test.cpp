// Child-window base, increment and picture windows, splash, about box and help viewer.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QMdiArea>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>
#include <fstream>

#include "shell/about_dialog.h"
#include "shell/child_window.h"
#include "shell/help_window.h"
#include "shell/increment_window.h"
#include "shell/message_dialog.h"
#include "shell/pictures_window.h"
#include "shell/splash_window.h"
#include "shell_ui/qt_app.h"

namespace himlavy {
namespace {
using namespace testing;
// A window with a close button that leaves a yellow dot on its surface per recomputation.
class CountingWindow : public TChildWindow {
 public:
  CountingWindow(TObsState& state, const std::filesystem::path& dir) : TChildWindow(state, dir) {
    SetPlacement(QRect(10, 20, 200, 150));
    SetRedrawFlag(&TObsState::RedrawCalendar);
    SetFollowTimer(300, true);
    SetClientColour(Qt::black);
    AddCloseButton(QRect(100, 100, 70, 25));
  }
  int Count = 0;

 protected:
  void Recompute() override { DrawingSurface().SetPixel(Count++, 0, colours::kYellow); }
};
TEST(ChildWindow, FlagTimerFollowTimerTrailsAndClose) {
  ScratchFrame f(true);
  auto* window = new CountingWindow(f.state, f.dir.Path());
  f.frame.MdiArea()->addSubWindow(window);
  window->show();
  QCoreApplication::processEvents();
  // The follow interval until the first flag tick.
  EXPECT_EQ(std::tuple(window->geometry(), window->FollowTimer()->interval()),
            std::tuple(QRect(10, 20, 200, 150), 300));
  const int afterShow = window->Count;
  // The flag: recompute once and clear it; other flags are not touched.
  f.state.RedrawCalendar = f.state.RedrawChart = 1;
  window->FlagTimerTick();
  window->FlagTimerTick();
  EXPECT_EQ(std::tuple(window->Count, f.state.RedrawCalendar, f.state.RedrawChart),
            std::tuple(afterShow + 1, 0, 1));
  // The follow interval comes from TimerSpeed at each flag tick; the follow timer draws only
  // while the increment runs.
  f.state.TimerSpeed = 1;
  window->FlagTimerTick();
  EXPECT_EQ(window->FollowTimer()->interval(), 1000);
  window->FollowTimerTick();
  f.state.IncrementOn = 1;
  window->FollowTimerTick();
  EXPECT_EQ(window->Count, afterShow + 2);
  // What was drawn stays on the surface and on the screen: the dots of every drawing.
  const QImage shown = window->Client()->grab().toImage();
  for (int i = 0; i < window->Count; ++i) EXPECT_EQ(shown.pixel(i, 0), qRgb(255, 255, 0)) << i;
  EXPECT_EQ(shown.pixel(window->Count + 1, 0), qRgb(0, 0, 0));
  // "&Avsluta" closes and destroys the window.
  auto* close = window->Client()->findChild<QPushButton*>(QStringLiteral("closeButton"));
  ASSERT_NE(close, nullptr);
  EXPECT_EQ(close->text(), U("&Avsluta"));
  QPointer<QWidget> watched(window);
  close->click();
  EXPECT_TRUE(WaitFor([&] { return watched.isNull(); }, 1000));
}
TEST(IncrementWindow, StepsAndFlags) {
  ScratchFrame f(true);
  auto* window = dynamic_cast<TIncrementWindow*>(f.frame.OpenWindow(TWindowKind::Increment));
  ASSERT_NE(window, nullptr);
  QCoreApplication::processEvents();
  EXPECT_EQ(std::tuple(window->windowTitle(), window->geometry()),
            std::tuple(U("Inkrementering"), QRect(860, 1, 160, 85)));
  const std::pair<const char*, double> steps[] = {{"År", 365.24219},     {"Mån", 30.4375},
                                                  {"Dag", 1.0},          {"Tim", 1.0 / 24.0},
                                                  {"Min", 1.0 / 1440.0}, {"Sek", 1.0 / 86400.0}};
  for (int i = 0; i < 6; ++i) {
    SCOPED_TRACE(steps[i].first);
    EXPECT_EQ(window->Client()->findChild<QLabel*>(QStringLiteral("Label%1").arg(i + 1))->text(),
              U(steps[i].first));
    const double before = f.state.ClockJD;
    window->SpinButton(i)->UpButton()->click();
    EXPECT_EQ(f.state.ClockJD, before + steps[i].second);
    EXPECT_NEAR(f.state.JD_UT, f.state.ClockJD, 1e-12);  // zone 0, scale UTC
    window->SpinButton(i)->DownButton()->click();
    EXPECT_EQ(f.state.ClockJD, before);  // up then down returns exactly
  }
  // Every flag but the Earth map's and the window's own is raised.
  for (const auto flag : kRedrawFlags) {
    const bool raised = flag != &TObsState::RedrawEarth && flag != &TObsState::RedrawIncrement;
    EXPECT_EQ(f.state.*flag, raised ? 1 : 0);
  }
  // Not clamped: "Dag" down from JD 0.5 goes below zero.
  f.state.ClockJD = 0.5;
  window->SpinButton(2)->DownButton()->click();
  EXPECT_EQ(f.state.ClockJD, -0.5);
  // The window's own timer only clears its flag; it has no follow timer.
  std::tie(f.state.RedrawIncrement, f.state.RedrawChart) = std::tuple(1, 0);
  window->FlagTimerTick();
  EXPECT_EQ(f.state.RedrawIncrement + f.state.RedrawChart, 0);
  EXPECT_EQ(window->FollowTimer(), nullptr);
}
// Pictures from the working folder with credits; one that cannot open: message, old picture.
TEST(PicturesWindow, PicturesCreditsAndMissingFiles) {
  ScratchFrame f(true);
  // Three of the pictures, told apart by their widths.
  for (const auto& [file, width] :
       {std::pair{"solen.bmp", 20}, {"manen.bmp", 21}, {"jupiter.bmp", 22}}) {
    QImage image(width, 10, QImage::Format_RGB32);
    image.fill(Qt::blue);
    ASSERT_TRUE(image.save(QString::fromStdString((f.dir / file).string()), "BMP"));
  }
  QStringList messages;
  const TMessageHook old = SetMessageHook([&](const QString& text) { messages << text; });
  auto* window = dynamic_cast<TPicturesWindow*>(f.frame.OpenWindow(TWindowKind::Pictures));
  ASSERT_NE(window, nullptr);
  QCoreApplication::processEvents();
  EXPECT_EQ(std::tuple(window->windowTitle(), window->geometry()),
            std::tuple(U("Bilder på astronomiska objekt"), QRect(510, 73, 509, 556)));
  // On top, with a fixed border.
  EXPECT_TRUE((window->windowFlags() & Qt::WindowStaysOnTopHint) &&
              window->minimumSize() == window->maximumSize());
  EXPECT_EQ(std::tuple(window->List()->count(), window->List()->itemText(15)),
            std::tuple(16, U("M31")));
  // What is shown: the name, the picture's width and the credit.
  const auto shown = [&] {
    return std::tuple(window->List()->currentText(), window->Picture()->pixmap().width(),
                      window->Credit()->text());
  };
  EXPECT_EQ(shown(), std::tuple(U("Solen"), 20, QString()));
  window->List()->setCurrentIndex(6);
  const QString credit = window->Credit()->text();
  EXPECT_EQ(shown(), std::tuple(U("Jupiter"), 22, credit));
  EXPECT_TRUE(!credit.isEmpty() && messages.isEmpty());
  // Mars is missing: the message, and Jupiter's picture and credit stay.
  window->List()->setCurrentIndex(5);
  EXPECT_EQ(messages, QStringList({U("Cannot open file mars.bmp")}));
  EXPECT_EQ(std::tuple(window->Picture()->pixmap().width(), window->Credit()->text()),
            std::tuple(22, credit));
  // "Månen" empties the credit.
  window->List()->setCurrentIndex(4);
  EXPECT_EQ(shown(), std::tuple(U("Månen"), 21, QString()));
  SetMessageHook(old);
}
TEST(SplashAboutAndHelp, SplashCentredThenReleasedAboutTextsAndEveryHelpTopic) {
  EnsureApplication();
  ShowSplashScreen();
  TSplashScreen* splash = SplashScreen();
  ASSERT_NE(splash, nullptr);
  EXPECT_EQ(std::tuple(splash->isVisible(), splash->size()), std::tuple(true, QSize(205, 189)));
  EXPECT_TRUE(splash->windowFlags().testFlags(Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint));
  const QPoint offset =
      splash->geometry().center() - QGuiApplication::primaryScreen()->geometry().center();
  EXPECT_LE(offset.manhattanLength(), 2);
  // The panel's raised edge: light on the top, dark at the bottom.
  const QImage image = splash->grab().toImage();
  EXPECT_EQ(image.pixel(100, 0), qRgb(255, 255, 255));
  EXPECT_EQ(image.pixel(100, 188), qRgb(64, 64, 64));
  ReleaseSplashScreen();
  EXPECT_EQ(SplashScreen(), nullptr);
  ReleaseSplashScreen();  // a second release does nothing
  TAboutDialog about;
  EXPECT_EQ(about.windowTitle(), U("Om Himlavy"));
  QStringList texts;
  for (const QLabel* label : about.findChildren<QLabel*>()) texts << label->text();
  for (const char* text : {"Himlavy", "Windows 95/98/NT/2000", "version 4.6"})
    EXPECT_TRUE(texts.contains(U(text))) << text;
  EXPECT_EQ(about.OkButton()->text(), U("Åter"));
  QTimer::singleShot(0, [&about] { about.OkButton()->click(); });
  EXPECT_EQ(about.exec(), QDialog::Accepted);
  // Help: every context name the program uses has its page, in Swedish, reachable from the
  // contents.
  const std::filesystem::path folder = SourceDir() / "help";
  THelpViewer viewer(folder);
  std::ifstream indexFile(folder / "index.html");
  const std::string index((std::istreambuf_iterator<char>(indexFile)), {});
  for (const int topic :
       {263, 269, 270, 271, 272, 273, 274, 275, 277, 278, 279, 280, 291, 293, 294}) {
    const QString context = QStringLiteral("HVHELP.XAN_%1").arg(topic);
    const QString page = QStringLiteral("XAN_%1.html").arg(topic);
    SCOPED_TRACE(page.toStdString());
    EXPECT_TRUE(viewer.ShowTopic(context));
    EXPECT_EQ(viewer.CurrentPage(), page);
    EXPECT_GT(viewer.Browser()->toPlainText().size(), 200);
    EXPECT_NE(index.find("href=\"" + page.toStdString() + "\""), std::string::npos);
  }
  EXPECT_EQ(HelpPageOfContext(QStringLiteral(" XAN_291 ")), U("XAN_291.html"));
  // The pages are UTF-8 and shown as such.
  viewer.ShowTopic(QStringLiteral("HVHELP.XAN_271"));
  EXPECT_TRUE(viewer.Browser()->toPlainText().contains(U("57° 42′")));
  // An unknown topic shows the contents.
  EXPECT_FALSE(viewer.ShowTopic(QStringLiteral("HVHELP.XAN_999")));
  EXPECT_EQ(viewer.CurrentPage(), U("index.html"));
  // A jump maps the help file to its folder; "quit" closes the viewer.
  SetHelpFile(QStringLiteral("HVHELP.HLP"));
  MapHelpFile(QStringLiteral("HVHELP.HLP"), folder);
  EXPECT_TRUE(HelpJump(QStringLiteral("HVHELP.XAN_278"), QStringLiteral("hvhelp.hlp")));
  ASSERT_NE(OpenHelpViewer(), nullptr);
  EXPECT_EQ(std::tuple(OpenHelpViewer()->isVisible(), OpenHelpViewer()->CurrentPage()),
            std::tuple(true, U("XAN_278.html")));
  HelpQuit();
  HelpQuit();  // nothing open: nothing happens
}
}  // namespace
}  // namespace himlavy
