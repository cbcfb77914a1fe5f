// What the tests of the calendar, eclipse, Earth, planet, orbit and data-file windows share: a
// shown main frame, a window of it opened, and the pixels of a colour in a box of a picture.
#pragma once

#include <QCoreApplication>
#include <filesystem>
#include <memory>

#include "common/data_folder.h"
#include "frame/main_frame.h"
#include "shell/canvas.h"
#include "shell_ui/qt_app.h"

namespace himlavy::testing {

// A shown main frame over `folder` (data/ unless given) that reads no parametr.dta or clock.
inline std::unique_ptr<TMainFrame> ShownFrame(TObsState& state,
                                              const std::filesystem::path& folder = DataFolder()) {
  EnsureApplication();
  auto frame = std::make_unique<TMainFrame>(state, folder, false);
  frame->show();
  return frame;
}

// The frame's window of `kind` opened, the events that posts delivered.
template <class W>
W* OpenIn(TMainFrame& frame, TWindowKind kind) {
  auto* window = dynamic_cast<W*>(frame.OpenWindow(kind));
  QCoreApplication::processEvents();
  return window;
}

// The pixels of the box (x1..x2-1, y1..y2-1) of a picture that have the colour.
inline int CountPixels(const Canvas& canvas, TColor colour, int x1, int y1, int x2, int y2) {
  int n = 0;
  for (int y = y1; y < y2; ++y)
    for (int x = x1; x < x2; ++x) n += canvas.Pixel(x, y) == colour;
  return n;
}

}  // namespace himlavy::testing
