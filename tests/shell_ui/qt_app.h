// What the window tests share: one QApplication for the test program, waiting with the event
// loop running, a window factory registered for the length of a test, and a main frame over a
// scratch folder.
#pragma once

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLocale>
#include <cstdlib>
#include <filesystem>
#include <functional>

#include "common/scratch_dir.h"
#include "frame/main_frame.h"
#include "shell/child_window.h"
#include "shell/fonts_draw.h"

namespace himlavy::testing {
inline QString U(const char* text) {
  return QString::fromUtf8(text);
}

// The test program's QApplication (offscreen platform, set by CTest), made on first use and
// kept to the end of the program.
inline QApplication& EnsureApplication() {
  static int argc = 1;
  static char name[] = "test_shell_ui";
  static char* argv[] = {name, nullptr};
  static QApplication* app = [] {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    auto* application = new QApplication(argc, argv);
    RegisterFontSubstitutions();
    return application;
  }();
  return *app;
}
// The source folder (for the help pages): HIMLAVY_SOURCE_DIR when set, else the folder the
// tests were built from.
inline std::filesystem::path SourceDir() {
  if (const char* source = std::getenv("HIMLAVY_SOURCE_DIR"); source != nullptr && *source) {
    return source;
  }
  return std::filesystem::path(HIMLAVY_SOURCE_ROOT);
}
// Runs the event loop for `ms` milliseconds (timers fire, posted events are delivered).
inline void WaitMs(int ms) {
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}
// Runs the event loop until `done` holds or `ms` milliseconds have passed; returns `done()`.
// Objects whose deletion was deferred (closed windows) are deleted on the way, as the event
// loop of the program does.
inline bool WaitFor(const std::function<bool()>& done, int ms) {
  QElapsedTimer clock;
  clock.start();
  while (!done() && clock.elapsed() < ms) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  return done();
}
// Registers a factory for one test and puts back the one before it afterwards.
class ScopedFactory {
 public:
  ScopedFactory(TWindowKind kind, TWindowFactory factory) : kind_(kind) {
    if (const TWindowFactory* old = FindWindowFactory(kind)) old_ = *old;
    RegisterWindowFactory(kind, std::move(factory));
  }
  ~ScopedFactory() { RegisterWindowFactory(kind_, old_); }
  ScopedFactory(const ScopedFactory&) = delete;
  ScopedFactory& operator=(const ScopedFactory&) = delete;

 private:
  TWindowKind kind_;
  TWindowFactory old_;
};
// Sets the default locale for one test and puts back the one before it afterwards.
class ScopedLocale {
 public:
  explicit ScopedLocale(const QLocale& locale) : old_(QLocale()) { QLocale::setDefault(locale); }
  ~ScopedLocale() { QLocale::setDefault(old_); }

 private:
  QLocale old_;
};
// A frame over a scratch folder at JD 2451545.0, reading neither parametr.dta nor the clock.
struct ScratchFrame {
  explicit ScratchFrame(bool shown) {
    state.ClockJD = 2451545.0;
    DeriveTimes(state);
    if (shown) frame.show();
  }
  QApplication& app = EnsureApplication();
  ScratchDir dir;
  TObsState state;
  TMainFrame frame{state, dir.Path(), false};
};
}  // namespace himlavy::testing
