// The sky chart's full drawing on a canvas: background, coordinate lines, legend, and the
// catalog objects with their symbols. Drawing only: the geometry comes from
// chart_projection.h, zone_selection.h and chart_symbols.h.
//
// The steps that belong to other parts of the chart (constellations, the Sun, Moon and planets,
// minor bodies, history tracks, name labels, identification) are hooks: callables the window
// fills in when those parts exist. A hook left empty draws nothing.
#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "base/obs_state.h"
#include "shell/canvas.h"
#include "skychart/chart_projection.h"
#include "skychart/identification.h"
#include "skychart/zone_selection.h"

namespace himlavy {

class TStillLayers;

// What one drawing step of a hook gets: the canvas (clipped to the chart rectangle), the state,
// the view and the moment of the drawing.
using TChartHook = std::function<void(Canvas&, TObsState&, const TChartView&, const TChartMoment&)>;

// The hooks of DrawChartPicture, in drawing order.
struct TChartHooks {
  TChartHook ResetIdentification;  // step 1: the identification counters and tables
  TChartHook Constellations;       // step 7: boundaries and figures (zoom below 128)
  TChartHook PlanetHistory;        // step 9: history plots of the Sun and planets
  TChartHook SunPlanetsMoons;      // step 10: Sun, planets, Moon (and Galilean moons in 0)
  TChartHook MinorHistory;         // step 11: history tracks of minor bodies
  TChartHook MinorBodies;          // step 12: asteroids 1, 2, 3, comets, probes
  TChartHook Names;                // step 13: constellation, star and deep-sky names
  // The star and deep-sky names' mouse entries, taken after step 13 and given back by a draw
  // cycle that keeps the names (TStillLayers); without them a cycle keeps nothing.
  std::function<TIdentTables::TNameTables()> TakeNames;
  std::function<void(const TIdentTables::TNameTables&)> GiveNames;
};

// What a full drawing leaves for the window.
struct TChartPicture {
  std::string Caption;       // the caption panel's text (UTF-8)
  TCatalogDrawing Catalogs;  // the objects drawn, and their counts per catalog
  TChartView View;           // the view of the drawing
};

// DrawStarObject / DrawDeepSkyObject: one catalog object's symbol (Part of the catalog step),
// the brush left clear afterwards.
//   object       a catalog object of ChartCatalogObjects
//   view         the view of the drawing
//   state        DisplayMode, ColourIndex, CorrExtinction, CoordSystem
void DrawCatalogObject(Canvas& canvas, const TCatalogObject& object, const TChartView& view,
                       const TObsState& state);

// DrawLegend: the symbol legend in the button row (all systems but 0): deep-sky key, the
// magnitude key in "Atlas" mode, variable and multiple keys, the colour key with ColourIndex.
void DrawLegend(Canvas& canvas, int displayMode, bool colourIndex);

// DrawWholeSkyScale: the scale bar in astronomical units that replaces the legend in system 0.
void DrawWholeSkyScale(Canvas& canvas, const TChartView& view);

// DrawChartPicture: a full redraw of the chart (the window's DrawChart): clear to silver,
// scales, legend, background, coordinate lines, the catalogs, and the hooks in their places.
//   canvas   the drawing surface (any size; the client rectangle is its size)
//   state    the observation state (in/out: Obliquity, NutLon, NutObl with CorrNutation on)
//   chart    the chart state (in/out: the scales of SetChartScales)
//   flags    the chart's zone flags (in/out)
//   dataDir  the folder of the data files
//   hooks    the steps of the other parts
//   returns  the caption and the catalog objects
TChartPicture DrawChartPicture(Canvas& canvas, TObsState& state, TChartState& chart,
                               TZoneFlags& flags, const std::filesystem::path& dataDir,
                               const TChartHooks& hooks = {});

// DrawChartCycle: the draw cycle of the time increment over the existing picture (catalogs and
// the moving bodies, steps 7 to 13 without clearing).
//   still  the layers kept from cycle to cycle (see still_layers.h), or nullptr to draw every
//          part afresh
TChartPicture DrawChartCycle(Canvas& canvas, TObsState& state, TChartState& chart,
                             TZoneFlags& flags, const std::filesystem::path& dataDir,
                             const TChartHooks& hooks = {}, TStillLayers* still = nullptr);

}  // namespace himlavy
