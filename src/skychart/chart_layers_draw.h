// The layers of the sky chart over its catalogs: the constellations, the Sun, Moon and planets,
// the minor bodies, the history tracks and the name labels, with the identification tables the
// mouse searches. `TChartLayers` keeps what outlives one drawing (the tables and the stored
// history plots) and gives the drawing its hooks.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

#include "earth/geo_files.h"
#include "skychart/history_plots.h"
#include "skychart/identification.h"
#include "skychart/skychart_draw.h"

namespace himlavy {

class TChartLayers {
 public:
  // chart   the chart state whose HistoryCount the drawings read (kept by the caller)
  // dataDir the folder of the data files
  TChartLayers(const TChartState& chart, std::filesystem::path dataDir);

  // The hooks of DrawChartPicture and DrawChartCycle, bound to this object.
  TChartHooks Hooks();

  // RegisterCatalogs: the catalog objects of a drawing into the identification tables (each
  // table takes as many as its capacity).
  void RegisterCatalogs(const TCatalogDrawing& drawing);

  // The question beep for a file that cannot be opened (none until the window sets it).
  void SetBeep(std::function<void()> beep) { beep_ = std::move(beep); }

  const TIdentTables& Identification() const { return ident_; }
  THistoryPlots& History() { return history_; }
  const THistoryPlots& History() const { return history_; }
  // Tracks numbered in the last drawing of the minor bodies (0..100).
  int TrackCount() const { return trackCount_; }
  // Minor bodies drawn in the last drawing, per group 1..5 (index 0 unused).
  const std::array<int, 6>& MinorCounts() const { return minorCounts_; }

 private:
  void Reset(Canvas&, TObsState&, const TChartView&, const TChartMoment&);
  void Constellations(Canvas&, TObsState&, const TChartView&, const TChartMoment&);
  void PlanetHistory(Canvas&, TObsState&, const TChartView&, const TChartMoment&);
  void SunPlanetsMoons(Canvas&, TObsState&, const TChartView&, const TChartMoment&);
  void EarthDetail(Canvas& c, const TObsState& s, const TChartView& view,
                   const TChartMoment& moment, bool side, int x, int y, int radius);
  void MinorHistory(Canvas&, TObsState&, const TChartView&, const TChartMoment&);
  void MinorBodies(Canvas&, TObsState&, const TChartView&, const TChartMoment&);
  void Names(Canvas&, TObsState&, const TChartView&, const TChartMoment&);
  void Beep() const;

  const TChartState& chart_;
  std::filesystem::path dataDir_;
  std::optional<std::vector<TMapPoint>> earthMap_;  // "karta.dta", read at the first need
  TIdentTables ident_;
  THistoryPlots history_;
  int trackCount_ = 0;
  std::array<int, 6> minorCounts_{};
  std::function<void()> beep_;
};

}  // namespace himlavy
