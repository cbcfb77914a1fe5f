#include "skychart/history_plots.h"

#include <algorithm>
#include <limits>

namespace himlavy {

namespace {

std::int16_t Clamp16(int v) {
  return static_cast<std::int16_t>(std::clamp<int>(v, std::numeric_limits<std::int16_t>::min(),
                                                   std::numeric_limits<std::int16_t>::max()));
}

constexpr std::size_t Row(int row) {
  return static_cast<std::size_t>(row) * kHistoryPlots;
}

}  // namespace

THistoryMark HistoryMark(bool track, int displayMode, int x, int y) {
  if (displayMode == 1) {
    return {TStarSymbol{false, x - 2, y - 2, x + 2, y + 2},
            track ? kTrackPlotAtlas : kPlanetPlotAtlas};
  }
  return {TStarSymbol{true, x, y, x, y}, track ? kTrackPlotNormal : kPlanetPlotNormal};
}

THistoryPlots::THistoryPlots()
    : plots_(static_cast<std::size_t>(kHistoryBodies + kHistoryTracks) * kHistoryPlots) {}

void THistoryPlots::Clear() {
  std::fill(plots_.begin(), plots_.end(), THistoryPlot{});
}

void THistoryPlots::StorePlanet(int body, int count, int x, int y, int sideX) {
  if (body < 0 || body >= kHistoryBodies || count < 0) return;
  plots_[Row(body) + std::min(count, kMaxHistoryCount)] = {Clamp16(x), Clamp16(y), Clamp16(sideX)};
}

void THistoryPlots::StoreTrack(int track, int count, int x, int y, int sideX) {
  if (track < 0 || track >= kHistoryTracks || count < 0) return;
  plots_[Row(kHistoryBodies + track) + std::min(count, kMaxHistoryCount)] = {Clamp16(x), Clamp16(y),
                                                                             Clamp16(sideX)};
}

std::span<const THistoryPlot> THistoryPlots::PlanetPlots(int body, int upToCount) const {
  if (body < 0 || body >= kHistoryBodies) return {};
  const int n = std::clamp(upToCount, 0, kMaxHistoryCount) + 1;
  return std::span<const THistoryPlot>(plots_).subspan(Row(body), n);
}

std::span<const THistoryPlot> THistoryPlots::TrackPlots(int track, int upToCount) const {
  if (track < 0 || track >= kHistoryTracks) return {};
  const int n = std::clamp(upToCount, 0, kMaxHistoryCount) + 1;
  return std::span<const THistoryPlot>(plots_).subspan(Row(kHistoryBodies + track), n);
}

}  // namespace himlavy
