// What the drawing benchmarks share: text on a canvas needs the application's fonts, so one
// offscreen application serves the whole run.
#pragma once

#include <QGuiApplication>

namespace himlavy {

inline bool EnsureGuiApplication() {
  if (QGuiApplication::instance() != nullptr) return true;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "himlavy_bench";
  static char* argv[] = {name, nullptr};
  static QGuiApplication app(argc, argv);
  return true;
}

}  // namespace himlavy
