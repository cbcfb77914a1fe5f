// The child-window base, the increment and picture windows, the splash screen, the about box
// and the help viewer.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QMdiArea>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <regex>
#include <set>
#include <string>

#include "common/scratch_dir.h"
#include "shell/about_dialog.h"
#include "shell/child_window.h"
#include "shell/help_window.h"
#include "shell/increment_window.h"
#include "shell/main_frame.h"
#include "shell/message_dialog.h"
#include "shell/pictures_window.h"
#include "shell/splash_window.h"
#include "shell_ui/qt_app.h"

namespace himlavy {
namespace {

using testing::EnsureApplication;
using testing::ScratchDir;
using testing::SourceDir;
using testing::WaitFor;
using testing::WaitMs;

QString U(const char* text) {
  return QString::fromUtf8(text);
}

// Collects the messages the program shows, for the length of a test.
class MessageCatcher {
 public:
  MessageCatcher() {
    old_ = SetMessageHook([this](const QString& text) { messages_ << text; });
  }
  ~MessageCatcher() { SetMessageHook(old_); }
  const QStringList& Messages() const { return messages_; }

 private:
  TMessageHook old_;
  QStringList messages_;
};

// --- The child-window base ---

// A window that counts its recomputations and leaves a dot per recomputation on its surface.
class CountingWindow : public TChildWindow {
 public:
  CountingWindow(TObsState& state, const std::filesystem::path& dir, bool fromSpeed)
      : TChildWindow(state, dir) {
    SetPlacement(QRect(10, 20, 200, 150));
    SetRedrawFlag(&TObsState::RedrawCalendar);
    SetFollowTimer(300, fromSpeed);
    SetClientColour(Qt::black);
  }
  int Count = 0;

 protected:
  void Recompute() override {
    // No clearing: every dot stays, as trails do.
    DrawingSurface().SetPixel(Count, 0, colours::kYellow);
    ++Count;
  }
};

TEST(ChildWindow, FlagTimerFollowTimerAndTrails) {
  EnsureApplication();
  ScratchDir dir;
  TObsState state;
  THimlavy2 frame(state, dir.Path(), false);
  frame.show();
  auto* window = new CountingWindow(state, dir.Path(), true);
  frame.MdiArea()->addSubWindow(window);
  window->show();
  QCoreApplication::processEvents();
  EXPECT_EQ(window->geometry(), QRect(10, 20, 200, 150));
  EXPECT_EQ(window->FlagTimer()->interval(), 100);
  EXPECT_TRUE(window->FlagTimer()->isActive());
  EXPECT_EQ(window->FollowTimer()->interval(), 300);  // until the first flag tick
  const int afterShow = window->Count;                // the first drawing of the surface

  // The flag: recompute once and clear it; other flags are not touched.
  state.RedrawCalendar = 1;
  state.RedrawChart = 1;
  window->FlagTimerTick();
  EXPECT_EQ(window->Count, afterShow + 1);
  EXPECT_EQ(state.RedrawCalendar, 0);
  EXPECT_EQ(state.RedrawChart, 1);
  window->FlagTimerTick();
  EXPECT_EQ(window->Count, afterShow + 1);

  // The follow interval comes from TimerSpeed at each flag tick.
  const std::pair<int, int> speeds[] = {{0, 10000}, {1, 1000}, {2, 100}};
  for (const auto& [speed, interval] : speeds) {
    state.TimerSpeed = speed;
    window->FlagTimerTick();
    EXPECT_EQ(window->FollowTimer()->interval(), interval);
  }

  // The follow timer draws only while the increment runs.
  window->FollowTimerTick();
  EXPECT_EQ(window->Count, afterShow + 1);
  state.IncrementOn = 1;
  window->FollowTimerTick();
  window->FollowTimerTick();
  EXPECT_EQ(window->Count, afterShow + 3);
  state.IncrementOn = 0;

  // What was drawn stays on the surface and on the screen: the dots of every drawing.
  const QImage shown = window->Client()->grab().toImage();
  for (int i = 0; i < window->Count; ++i) {
    EXPECT_EQ(shown.pixel(i, 0), qRgb(255, 255, 0)) << i;
  }
  EXPECT_EQ(shown.pixel(window->Count + 1, 0), qRgb(0, 0, 0));

  // Closing destroys the window.
  QPointer<TChildWindow> watched(window);
  window->close();
  EXPECT_TRUE(WaitFor([&] { return watched.isNull(); }, 1000));
}

TEST(ChildWindow, FixedFollowIntervalAndMaximised) {
  EnsureApplication();
  ScratchDir dir;
  TObsState state;
  THimlavy2 frame(state, dir.Path(), false);
  frame.show();

  class Big : public TChildWindow {
   public:
    Big(TObsState& s, const std::filesystem::path& d) : TChildWindow(s, d) {
      SetMaximised(true);
      SetFollowTimer(3000, false);
      SetHelpTopic(QStringLiteral("HVHELP.XAN_293"));
      AddCloseButton(QRect(0, 0, 70, 25));
      AddHelpButton(QRect(0, 25, 70, 25));
    }
  };
  auto* window = new Big(state, dir.Path());
  frame.MdiArea()->addSubWindow(window);
  window->show();
  QCoreApplication::processEvents();
  EXPECT_TRUE(window->isMaximized());
  EXPECT_EQ(window->size(), frame.MdiArea()->viewport()->size());
  state.TimerSpeed = 2;
  window->FlagTimerTick();
  EXPECT_EQ(window->FollowTimer()->interval(), 3000);

  auto* close = window->Client()->findChild<QPushButton*>(QStringLiteral("BitBtn1"));
  auto* help = window->Client()->findChild<QPushButton*>(QStringLiteral("BitBtn2"));
  ASSERT_NE(close, nullptr);
  ASSERT_NE(help, nullptr);
  EXPECT_EQ(close->text(), U("&Avsluta"));
  EXPECT_EQ(help->text(), U("&Hjälp"));
  EXPECT_EQ(window->HelpTopic(), U("HVHELP.XAN_293"));

  MapHelpFile(QStringLiteral("HVHELP.HLP"), SourceDir() / "help");
  help->click();
  ASSERT_NE(OpenHelpViewer(), nullptr);
  EXPECT_EQ(OpenHelpViewer()->CurrentPage(), U("XAN_293.html"));
  HelpQuit();

  QPointer<TChildWindow> watched(window);
  close->click();
  EXPECT_TRUE(WaitFor([&] { return watched.isNull(); }, 1000));
}

// --- The increment window ---

TEST(IncrementWindow, StepsAndFlags) {
  EnsureApplication();
  ScratchDir dir;
  TObsState state;
  state.ClockJD = 2451545.0;
  DeriveTimes(state);
  THimlavy2 frame(state, dir.Path(), false);
  frame.show();
  auto* window = dynamic_cast<TMDIChild19*>(frame.OpenWindow(TWindowKind::Increment));
  ASSERT_NE(window, nullptr);
  QCoreApplication::processEvents();
  EXPECT_EQ(window->windowTitle(), U("Inkrementering"));
  EXPECT_EQ(window->geometry(), QRect(860, 1, 160, 85));

  struct Step {
    const char* Label;
    double Days;
  };
  const Step steps[] = {{"År", 365.24219},   {"Mån", 30.4375},      {"Dag", 1.0},
                        {"Tim", 1.0 / 24.0}, {"Min", 1.0 / 1440.0}, {"Sek", 1.0 / 86400.0}};
  for (int i = 0; i < 6; ++i) {
    SCOPED_TRACE(steps[i].Label);
    auto* label = window->Client()->findChild<QLabel*>(QStringLiteral("Label%1").arg(i + 1));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), U(steps[i].Label));
    TSpinButton* spin = window->SpinButton(i);
    EXPECT_EQ(spin->objectName(), QStringLiteral("SpinButton%1").arg(i + 1));

    for (const auto flag : kRedrawFlags) state.*flag = 0;
    const double before = state.ClockJD;
    spin->UpButton()->click();
    EXPECT_EQ(state.ClockJD, before + steps[i].Days);
    EXPECT_NEAR(state.JD_UT, state.ClockJD, 1e-12);  // zone 0, scale UTC
    for (const auto flag : kRedrawFlags) {
      const bool expected = flag != &TObsState::RedrawEarth && flag != &TObsState::RedrawIncrement;
      EXPECT_EQ(state.*flag, expected ? 1 : 0);
    }
    spin->DownButton()->click();
    EXPECT_EQ(state.ClockJD, before);  // up then down returns exactly
  }

  // Not clamped: "Dag" down from JD 0.5 goes below zero.
  state.ClockJD = 0.5;
  window->SpinButton(2)->DownButton()->click();
  EXPECT_EQ(state.ClockJD, -0.5);

  // The window's own timer only clears its flag.
  for (const auto flag : kRedrawFlags) state.*flag = 0;
  state.RedrawIncrement = 1;
  state.RedrawChart = 1;
  window->FlagTimerTick();
  EXPECT_EQ(state.RedrawIncrement, 0);
  EXPECT_EQ(state.RedrawChart, 1);
  EXPECT_EQ(window->FollowTimer(), nullptr);  // no follow timer
}

// --- The picture window ---

struct PictureCase {
  const char* Item;
  const char* File;
  const char* Credit;
};
const PictureCase kPictureCases[] = {
    {"Solen", "solen.bmp", ""},
    {"Merkurius", "merkuriu.bmp", "Fotomosaik (KStars)"},
    {"Venus", "venus.bmp", "UV-bild av molnen (KStars)"},
    {"Jorden", "jorden.bmp", "Rendering, NASA Blue Marble"},
    {"Månen", "manen.bmp", ""},
    {"Mars", "mars.bmp", "Bild från KStars"},
    {"Jupiter", "jupiter.bmp", "Bild från KStars"},
    {"Io", "io.bmp", "Rendering, karta av J. van Vliet"},
    {"Saturnus", "saturnus.bmp", "Bild från KStars"},
    {"Tethys", "tethys.bmp", "Rendering, Cassini-karta (NASA)"},
    {"Uranus", "uranus.bmp", "Infraröd bild (KStars)"},
    {"Neptunus", "neptunus.bmp", "Voyager 2, 1989"},
    {"Pluto", "pluto.bmp", "New Horizons, 2015"},
    {"243 Ida", "ida.bmp", "Rendering, karta från Galileo-bilder"},
    {"C/1996 B2", "c_96_b2.bmp", "Illustration, ingen bild av kometen"},
    {"M31", "m31.bmp", "M31 Andromedagalaxen, foto Herm Perez"},
};

// Writes the sixteen pictures, each with its own width (20 + index pixels).
void WritePictures(const ScratchDir& dir) {
  for (std::size_t i = 0; i < std::size(kPictureCases); ++i) {
    QImage image(20 + static_cast<int>(i), 10, QImage::Format_RGB32);
    image.fill(QColor(10 * static_cast<int>(i), 100, 200));
    ASSERT_TRUE(image.save(QString::fromStdString((dir / kPictureCases[i].File).string()), "BMP"));
  }
}

TEST(PicturesWindow, ItemsPicturesAndCredits) {
  EnsureApplication();
  ScratchDir dir;
  WritePictures(dir);
  TObsState state;
  THimlavy2 frame(state, dir.Path(), false);
  frame.show();
  MessageCatcher messages;
  auto* window = dynamic_cast<TMDIChild15*>(frame.OpenWindow(TWindowKind::Pictures));
  ASSERT_NE(window, nullptr);
  QCoreApplication::processEvents();
  EXPECT_EQ(window->windowTitle(), U("Bilder på astronomiska objekt"));
  EXPECT_EQ(window->geometry(), QRect(510, 73, 509, 556));
  EXPECT_TRUE(window->windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_EQ(window->minimumSize(), window->maximumSize());  // fixed border
  EXPECT_EQ(window->Credit()->palette().color(QPalette::WindowText), QColor(192, 192, 192));

  ASSERT_EQ(window->List()->count(), 16);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(window->List()->itemText(i), U(kPictureCases[i].Item));

  // Shown: the first item, the Sun's picture and an empty credit.
  EXPECT_EQ(window->List()->currentIndex(), 0);
  EXPECT_EQ(window->Picture()->pixmap().width(), 20);
  EXPECT_EQ(window->Credit()->text(), QString());

  // Every item, in a mixed order so that each empty credit follows a filled one.
  const int order[] = {3, 4, 15, 0, 1, 2, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14};
  for (const int i : order) {
    window->List()->setCurrentIndex(i);
    EXPECT_EQ(window->Picture()->pixmap().width(), 20 + i) << kPictureCases[i].Item;
    EXPECT_EQ(window->Credit()->text(), U(kPictureCases[i].Credit)) << kPictureCases[i].Item;
  }
  EXPECT_TRUE(messages.Messages().isEmpty());
}

// A picture that cannot be opened gives the message and keeps the previous picture.
TEST(PicturesWindow, MissingPicture) {
  EnsureApplication();
  ScratchDir dir;
  WritePictures(dir);
  std::filesystem::remove(dir / "mars.bmp");
  TObsState state;
  THimlavy2 frame(state, dir.Path(), false);
  frame.show();
  MessageCatcher messages;
  auto* window = dynamic_cast<TMDIChild15*>(frame.OpenWindow(TWindowKind::Pictures));
  ASSERT_NE(window, nullptr);
  window->List()->setCurrentIndex(6);  // Jupiter
  window->List()->setCurrentIndex(5);  // Mars: missing
  ASSERT_EQ(messages.Messages().size(), 1);
  EXPECT_EQ(messages.Messages().front(), U("Cannot open file mars.bmp"));
  EXPECT_EQ(window->Picture()->pixmap().width(), 26);  // still Jupiter
  EXPECT_EQ(window->Credit()->text(), U("Bild från KStars"));

  // A folder without pictures: the message as the window opens, and no picture.
  ScratchDir empty;
  THimlavy2 bare(state, empty.Path(), false);
  bare.show();
  auto* second = dynamic_cast<TMDIChild15*>(bare.OpenWindow(TWindowKind::Pictures));
  ASSERT_NE(second, nullptr);
  ASSERT_EQ(messages.Messages().size(), 2);
  EXPECT_EQ(messages.Messages().back(), U("Cannot open file solen.bmp"));
  EXPECT_TRUE(second->Picture()->pixmap().isNull());
}

// --- Splash screen and about box ---

TEST(SplashScreen, ShownCentredThenReleased) {
  EnsureApplication();
  ShowSplashScreen();
  TSplashScreen* splash = SplashScreen();
  ASSERT_NE(splash, nullptr);
  EXPECT_TRUE(splash->isVisible());
  EXPECT_EQ(splash->size(), QSize(205, 189));
  EXPECT_TRUE(splash->windowFlags() & Qt::FramelessWindowHint);
  EXPECT_TRUE(splash->windowFlags() & Qt::WindowStaysOnTopHint);
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  EXPECT_LE(std::abs(splash->geometry().center().x() - screen.center().x()), 1);
  EXPECT_LE(std::abs(splash->geometry().center().y() - screen.center().y()), 1);
  // The panel's raised edge: light on the top, dark at the bottom.
  const QImage image = splash->grab().toImage();
  EXPECT_EQ(image.pixel(100, 0), qRgb(255, 255, 255));
  EXPECT_EQ(image.pixel(100, 188), qRgb(64, 64, 64));
  ReleaseSplashScreen();
  EXPECT_EQ(SplashScreen(), nullptr);
  ReleaseSplashScreen();  // a second release does nothing
}

TEST(AboutBox, TextsAndButton) {
  EnsureApplication();
  TAboutBox about;
  EXPECT_EQ(about.windowTitle(), U("Om Himlavy"));
  EXPECT_TRUE(about.isModal());
  QStringList texts;
  for (const QLabel* label : about.findChildren<QLabel*>()) {
    if (!label->text().isEmpty()) texts << label->text();
  }
  EXPECT_TRUE(texts.contains(U("Himlavy")));
  EXPECT_TRUE(texts.contains(U("Windows 95/98/NT/2000")));
  EXPECT_TRUE(texts.contains(U("version 4.6")));
  EXPECT_EQ(about.OkButton()->text(), U("Åter"));
  QTimer::singleShot(0, [&about] { about.OkButton()->click(); });
  EXPECT_EQ(about.exec(), QDialog::Accepted);
}

// --- Help ---

TEST(Help, PageOfContextName) {
  const std::pair<const char*, const char*> cases[] = {
      {"HVHELP.XAN_275", "XAN_275.html"},
      {"HVHELP.XAN_263", "XAN_263.html"},
      {"XAN_291", "XAN_291.html"},
      {" HVHELP.XAN_294 ", "XAN_294.html"},
  };
  for (const auto& [context, page] : cases) {
    EXPECT_EQ(HelpPageOfContext(U(context)), U(page)) << context;
  }
}

// Every context name the program uses has its page, in Swedish, reachable from the contents.
TEST(Help, EveryTopicHasAPage) {
  EnsureApplication();
  const std::filesystem::path folder = SourceDir() / "help";
  THelpViewer viewer(folder);
  const char* contexts[] = {"HVHELP.XAN_263", "HVHELP.XAN_269", "HVHELP.XAN_270", "HVHELP.XAN_271",
                            "HVHELP.XAN_272", "HVHELP.XAN_273", "HVHELP.XAN_274", "HVHELP.XAN_275",
                            "HVHELP.XAN_277", "HVHELP.XAN_278", "HVHELP.XAN_279", "HVHELP.XAN_280",
                            "HVHELP.XAN_291", "HVHELP.XAN_293", "HVHELP.XAN_294"};
  std::ifstream indexFile(folder / "index.html");
  const std::string index((std::istreambuf_iterator<char>(indexFile)), {});
  for (const char* context : contexts) {
    SCOPED_TRACE(context);
    EXPECT_TRUE(viewer.ShowTopic(U(context)));
    const QString page = HelpPageOfContext(U(context));
    EXPECT_EQ(viewer.CurrentPage(), page);
    EXPECT_GT(viewer.Browser()->toPlainText().size(), 200);
    EXPECT_NE(index.find("href=\"" + page.toStdString() + "\""), std::string::npos);
  }
  // The pages are UTF-8 and shown as such.
  viewer.ShowTopic(QStringLiteral("HVHELP.XAN_270"));
  EXPECT_TRUE(viewer.Browser()->toPlainText().contains(U("Hastighet")));
  EXPECT_TRUE(viewer.Browser()->toPlainText().contains(U("stjärndygn")));
  viewer.ShowTopic(QStringLiteral("HVHELP.XAN_271"));
  EXPECT_TRUE(viewer.Browser()->toPlainText().contains(U("57° 42′")));

  // An unknown topic shows the contents.
  EXPECT_FALSE(viewer.ShowTopic(QStringLiteral("HVHELP.XAN_999")));
  EXPECT_EQ(viewer.CurrentPage(), U("index.html"));

  // Every link of every page leads to a page that exists.
  const std::regex link("href=\"([^\"#]+)\"");
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    std::ifstream in(entry.path());
    const std::string text((std::istreambuf_iterator<char>(in)), {});
    for (std::sregex_iterator it(text.begin(), text.end(), link), end; it != end; ++it) {
      EXPECT_TRUE(std::filesystem::exists(folder / (*it)[1].str()))
          << entry.path().filename() << " -> " << (*it)[1];
    }
  }
}

TEST(Help, JumpMapsTheHelpFileAndQuits) {
  EnsureApplication();
  SetHelpFile(QStringLiteral("HVHELP.HLP"));
  MapHelpFile(QStringLiteral("HVHELP.HLP"), SourceDir() / "help");
  EXPECT_TRUE(HelpJump(QStringLiteral("HVHELP.XAN_278"), QStringLiteral("hvhelp.hlp")));
  ASSERT_NE(OpenHelpViewer(), nullptr);
  EXPECT_TRUE(OpenHelpViewer()->isVisible());
  EXPECT_EQ(OpenHelpViewer()->CurrentPage(), U("XAN_278.html"));
  HelpContents();
  EXPECT_EQ(OpenHelpViewer()->CurrentPage(), U("index.html"));
  HelpQuit();
  EXPECT_EQ(OpenHelpViewer(), nullptr);
  HelpQuit();  // nothing open: nothing happens
}

}  // namespace
}  // namespace himlavy
