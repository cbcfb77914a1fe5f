// What a draw cycle of the time increment may take over from the cycle before it.
//
// A cycle draws the whole scene again over the picture before it (the bodies leave their
// tracks). The constellations and catalogs under the bodies and the names over them hardly move
// between cycles; with the sky turning with the Earth (systems 4 and 5) they do, and nothing is
// kept there. Elsewhere (systems 1, 2, 3, 6) the pixels those parts painted are kept, with the
// catalog objects and the name labels the mouse finds, and stamped again, in their places in the
// drawing order, while the tolerance below holds:
//
//   Every place in a kept layer lies within a quarter of a pixel, in each coordinate of the
//   chart, of where a drawing at the new moment puts it: PlaceDriftBound (arc seconds on the
//   sky) times the projection's largest stretch (1 / cos 75 degrees in the rectangular systems,
//   which cut at +-75; pi / 2 in system 3, whose radius is the polar distance up to 90 degrees)
//   times the pixels per arc second is at most 0.25. So a kept object is drawn on the pixel of
//   its exact place or on one next to it, never farther; and none is near a seam or limit where
//   the projection jumps or cuts off: the layer is not used once the bound, as degrees of chart
//   longitude or latitude, reaches the nearest distance of any of its points from such a line
//   (TSeamWatch).
//
// A layer is also made again when anything else it depends on changes: the view, a switch of
// the catalogs, names, constellations, corrections or display, the canvas size, the data
// folder, a file the program wrote (NoteFileWritten) — and once a second, as the file caches
// examine their files, so that a data file changed by another program shows within a second.
// Making a layer draws those parts once, onto a canvas whose pixels start "unpainted" (alpha 0),
// and stamps what they painted: the same pixels as drawing them directly, since none of them
// reads the canvas (no flood fill, only the copy and no-op pen modes, text without
// antialiasing).
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

#include "base/obs_state.h"
#include "shell/canvas.h"
#include "skychart/chart_projection.h"
#include "skychart/identification.h"
#include "skychart/zone_selection.h"

namespace himlavy {

class TStillLayers {
 public:
  using TClock = std::function<std::chrono::steady_clock::time_point()>;
  explicit TStillLayers(TClock clock = &std::chrono::steady_clock::now);

  enum class TUse { None, Reuse, Make };
  // Start of a draw cycle: Reuse when the kept layers fit this drawing, Make when they are to be
  // made (anything kept is dropped), None where nothing is kept (systems 4, 5, 0; the chart's
  // shortcuts off).
  TUse Begin(const TObsState& state, const TChartView& view, const Canvas& canvas,
             const std::filesystem::path& dataDir);

  // Making. Scratch: a canvas of `like`'s size and drawing state, every pixel unpainted, to draw
  // a layer on. KeepBelow / KeepAbove keep what was drawn on it as the layer under or over the
  // bodies, stamp it onto `canvas` and leave `canvas` in the drawing state the scratch canvas
  // was left in. Made: the layers are complete; seamDegrees is the nearest distance of their
  // points from a seam or limit (TSeamWatch).
  Canvas& Scratch(const Canvas& like);
  void KeepBelow(Canvas& canvas, const TCatalogDrawing& catalogs);
  void KeepAbove(Canvas& canvas, const TIdentTables::TNameTables& names);
  void Made(double seamDegrees);

  // Reusing: the kept layers stamped onto `canvas`, which is left in the drawing state the
  // layer's making left; the kept catalog objects and name labels.
  void StampBelow(Canvas& canvas) const;
  void StampAbove(Canvas& canvas) const;
  const TCatalogDrawing& Catalogs() const { return catalogs_; }
  const TIdentTables::TNameTables& Names() const { return names_; }

 private:
  // The pixels a layer painted, as runs of a row.
  struct TRun {
    int Y = 0;
    int X0 = 0;
    int X1 = 0;             // past the last
    std::size_t First = 0;  // index of its first colour
  };
  struct TLayer {
    std::vector<TRun> Runs;
    std::vector<std::uint32_t> Colours;
    std::optional<Canvas> StateAfter;  // the drawing state its making left (no pixels)
  };
  static void Keep(const Canvas& scratch, TLayer& layer);
  static void Stamp(const TLayer& layer, Canvas& canvas);

  // What the layers depend on besides the moment.
  struct TKey {
    TChartView View;
    int Width = 0, Height = 0;
    std::filesystem::path DataDir;
    std::uint64_t FilesWritten = 0;
    std::array<int, 24> Switches{};
    bool operator==(const TKey&) const = default;
  };
  static TKey KeyOf(const TObsState& state, const TChartView& view, const Canvas& canvas,
                    const std::filesystem::path& dataDir);

  TClock clock_;
  bool valid_ = false;
  TKey key_;
  double jdMade_ = 0.0;
  double seamDegrees_ = 0.0;
  std::chrono::steady_clock::time_point madeAt_;
  std::optional<Canvas> scratch_;
  TLayer below_;
  TLayer above_;
  TCatalogDrawing catalogs_;
  TIdentTables::TNameTables names_;
};

}  // namespace himlavy
