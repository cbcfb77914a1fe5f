// The layers a draw cycle keeps. See still_layers.h.
#include "skychart/still_layers.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "base/basic.h"
#include "base/file_cache.h"

namespace himlavy {
namespace {

// An unpainted pixel of a scratch canvas: the canvas writes every colour opaque (alpha 0xff).
constexpr std::uint32_t kUnpainted = 0u;
constexpr std::uint32_t kOpaque = 0xff000000u;

// The largest factor by which the projection turns an angle on the sky into chart coordinates.
double ProjectionStretch(int coordSystem) {
  if (coordSystem == kEquatorialPolar) return kPi / 2.0;
  return 1.0 / std::cos(75.0 * kDegToRad);
}

// A layer is made again at least this often (the file caches examine their files as often).
constexpr std::chrono::seconds kLongestKeep{1};

// The tolerance of a kept layer, pixels in each chart coordinate.
constexpr double kStillTolerancePixels = 0.25;

// The systems whose sky does not turn with the Earth.
bool StillSystem(int coordSystem) {
  return coordSystem == kEcliptic || coordSystem == kEquatorial ||
         coordSystem == kEquatorialPolar || coordSystem == kGalactic;
}

// Whether a layer made at jdMade still fits a drawing at jdNow (see still_layers.h), seamDegrees
// being the nearest distance of its points from a seam or limit.
bool StillLayerFits(const TChartView& view, double jdMade, double jdNow, double seamDegrees) {
  const double chartArcsec = PlaceDriftBound(jdMade, jdNow) * ProjectionStretch(view.CoordSystem);
  return chartArcsec * view.PixelScale / 3600.0 <= kStillTolerancePixels &&
         chartArcsec / 3600.0 < seamDegrees;
}

}  // namespace

TStillLayers::TStillLayers(TClock clock) : clock_(std::move(clock)) {}

TStillLayers::TKey TStillLayers::KeyOf(const TObsState& s, const TChartView& view,
                                       const Canvas& canvas, const std::filesystem::path& dataDir) {
  TKey key;
  key.View = view;
  key.Width = canvas.Width();
  key.Height = canvas.Height();
  key.DataDir = dataDir;
  key.FilesWritten = fileWriteCount;
  key.Switches = {s.DisplayMode,
                  s.ColourIndex,
                  s.ShowConstellations,
                  s.ShowConstBounds,
                  s.LabelStars,
                  s.LabelDeepSky,
                  s.LabelConstellations,
                  s.CatBSC,
                  s.CatSKY,
                  s.CatGCVS,
                  s.CatWDS,
                  s.CatNGC,
                  s.CatRC3,
                  s.CatPGC,
                  s.CatSAC,
                  s.CatGCM,
                  s.CatLBN,
                  s.CatOCL,
                  s.CatGPN,
                  s.CorrAberration,
                  s.CorrNutation,
                  s.CorrPrecession,
                  s.CorrProperMotion,
                  s.CorrExtinction};
  return key;
}

TStillLayers::TUse TStillLayers::Begin(const TObsState& state, const TChartView& view,
                                       const Canvas& canvas, const std::filesystem::path& dataDir) {
  if (!ChartShortcuts() || !StillSystem(view.CoordSystem)) {
    valid_ = false;
    return TUse::None;
  }
  TKey key = KeyOf(state, view, canvas, dataDir);
  if (valid_ && key == key_ && clock_() - madeAt_ < kLongestKeep &&
      StillLayerFits(view, jdMade_, state.JD_TT, seamDegrees_)) {
    return TUse::Reuse;
  }
  valid_ = false;
  key_ = std::move(key);
  jdMade_ = state.JD_TT;
  return TUse::Make;
}

Canvas& TStillLayers::Scratch(const Canvas& like) {
  if (!scratch_ || scratch_->Width() != like.Width() || scratch_->Height() != like.Height()) {
    scratch_.emplace(like.Width(), like.Height());
  }
  QImage& image = scratch_->Image();
  for (int y = 0; y < image.height(); ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(image.scanLine(y));
    std::fill(row, row + image.width(), kUnpainted);
  }
  scratch_->CopyDrawingState(like);
  return *scratch_;
}

void TStillLayers::Keep(const Canvas& scratch, TLayer& layer) {
  layer.Runs.clear();
  layer.Colours.clear();
  const QImage& image = scratch.Image();
  for (int y = 0; y < image.height(); ++y) {
    const auto* row = reinterpret_cast<const std::uint32_t*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      if ((row[x] & kOpaque) != kOpaque) continue;
      int end = x + 1;
      while (end < image.width() && (row[end] & kOpaque) == kOpaque) ++end;
      layer.Runs.push_back({y, x, end, layer.Colours.size()});
      layer.Colours.insert(layer.Colours.end(), row + x, row + end);
      x = end;
    }
  }
  layer.StateAfter.emplace(0, 0);
  layer.StateAfter->CopyDrawingState(scratch);
}

void TStillLayers::Stamp(const TLayer& layer, Canvas& canvas) {
  QImage& image = canvas.Image();
  uchar* const bits = image.bits();
  const qsizetype bytesPerLine = image.bytesPerLine();
  const std::uint32_t* colours = layer.Colours.data();
  for (const TRun& run : layer.Runs) {
    auto* row = reinterpret_cast<std::uint32_t*>(bits + run.Y * bytesPerLine);
    // Most runs are a pixel or a few: a plain copy beats a call of memcpy.
    std::copy(colours + run.First, colours + run.First + (run.X1 - run.X0), row + run.X0);
  }
  if (layer.StateAfter) canvas.CopyDrawingState(*layer.StateAfter);
}

void TStillLayers::KeepBelow(Canvas& canvas, const TCatalogDrawing& catalogs) {
  Keep(*scratch_, below_);
  Stamp(below_, canvas);
  catalogs_ = catalogs;
}

void TStillLayers::KeepAbove(Canvas& canvas, const TIdentTables::TNameTables& names) {
  Keep(*scratch_, above_);
  Stamp(above_, canvas);
  names_ = names;
}

void TStillLayers::Made(double seamDegrees) {
  seamDegrees_ = seamDegrees;
  madeAt_ = clock_();
  valid_ = true;
}

void TStillLayers::StampBelow(Canvas& canvas) const {
  Stamp(below_, canvas);
}

void TStillLayers::StampAbove(Canvas& canvas) const {
  Stamp(above_, canvas);
}

}  // namespace himlavy
