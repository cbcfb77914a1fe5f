// What the drawing benchmarks share: text on a canvas needs the application's fonts, so one
// offscreen application serves the whole run. Where the widgets are built in, it is a
// QApplication, so that window benchmarks can share it.
#pragma once

#include <QGuiApplication>
#ifdef HIMLAVY_BENCH_WIDGETS
#include <QApplication>
#endif

namespace himlavy {

inline bool EnsureGuiApplication() {
  if (QGuiApplication::instance() != nullptr) return true;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "himlavy_bench";
  static char* argv[] = {name, nullptr};
#ifdef HIMLAVY_BENCH_WIDGETS
  static QApplication app(argc, argv);
#else
  static QGuiApplication app(argc, argv);
#endif
  return true;
}

}  // namespace himlavy
