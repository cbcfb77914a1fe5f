// The constellations and the name labels of the sky chart. See chart_labels.h.
#include "skychart/chart_labels.h"

#include <cmath>
#include <optional>
#include <system_error>
#include <utility>

#include "astro/reductions.h"
#include "base/file_cache.h"
#include "base/numtext.h"
#include "base/textfile.h"
#include "skychart/zone_selection.h"

namespace himlavy {
namespace {

// The apparent places of J2000.0 positions given in hours and degrees (no proper motion),
// kept for the next drawing at the same moment.
template <typename P>
std::vector<TEquatorial> ApparentPlaces(std::span<const P> points, const TChartMoment& moment) {
  std::vector<std::array<double, 2>> positions;
  positions.reserve(points.size());
  for (const P& p : points) {
    positions.push_back({p.RaHours * 15.0 * kDegToRad, p.DecDegrees * kDegToRad});
  }
  return KeptApparentPlaces(points.data(), positions, moment);
}

// The pixel of chart coordinates. Where the chart's projection leaves the point out (beyond
// +-75 degrees in the rectangular systems, south of the equator in system 3) its formula is
// evaluated all the same: a line's pen still has to move there.
TPixel LinePixel(const TChartCoords& c, const TChartView& view) {
  if (const auto p = ProjectChartCoords(c, view)) return RoundPixel(*p);
  if (IsRectSystem(view.CoordSystem)) {
    const double lonPrime = ChartLonPrime(c.Lon, view.CoordSystem, view.CentreDir);
    return RoundPixel({(lonPrime - view.CentreLon) * view.PixelScale +
                           view.BaseScale * view.CentreLon + 12.0 + view.OffsetX,
                       (75.0 - c.Lat - view.CentreLat) * view.PixelScale +
                           view.BaseScale * view.CentreLat + 140.0 + view.OffsetY});
  }
  // System 3 with a declination of 0 or less.
  const double r = 90.0 - c.Lat;
  const double s = view.Hemisphere == 1 ? -1.0 : 1.0;
  return RoundPixel(
      {480.0 + view.ChartZoom * view.OffsetX +
           s * r * std::sin(c.Lon * kDegToRad) * view.PixelScale,
       348.0 + view.ChartZoom * view.OffsetY - r * std::cos(c.Lon * kDegToRad) * view.PixelScale});
}

// Whether a latitude keeps a line step of a rectangular system hidden.
bool LatitudeHidesLine(double lat, int coordSystem) {
  if (coordSystem == kHorizontal) return lat >= 75.0 || lat < 0.0;
  return lat >= 75.0 || lat < -75.0;
}

// Whether a pixel lies more than the pen margin outside the client rectangle.
bool FarOutside(const TPixel& p, const TChartView& view) {
  return p.X < -kConstellationPenMargin || p.X > view.ClientWidth + kConstellationPenMargin ||
         p.Y < -kConstellationPenMargin || p.Y > view.ClientHeight + kConstellationPenMargin;
}

// A constellation name up to and including the first blank of its first pair of blanks.
std::string_view CutName(std::string_view name) {
  const auto pair = name.find("  ");
  return pair == std::string_view::npos ? name : name.substr(0, pair + 1);
}

std::vector<TConstellationStep> LineSteps(std::span<const TConstellationPoint> points,
                                          const TChartMoment& moment, const TChartView& view) {
  std::vector<TConstellationStep> steps;
  steps.reserve(points.size());
  const bool rect = IsRectSystem(view.CoordSystem);
  double prevLon = 0.0;
  double prevLat = 0.0;
  bool first = true;
  const std::vector<TEquatorial> places = ApparentPlaces(points, moment);
  for (std::size_t i = 0; i < points.size(); ++i) {
    const TConstellationPoint& point = points[i];
    const TEquatorial& place = places[i];
    const TChartCoords c = ChartCoordinates(place.Alpha, place.Delta, moment, view);
    const TPixel pixel = LinePixel(c, view);
    bool hidden;
    double lon = c.Lon;
    if (rect) {
      // The chart longitude lon' (measured along the chart from its left edge), so that the
      // seam test follows the chart's own seam whatever its centre.
      lon = ChartLonPrime(c.Lon, view.CoordSystem, view.CentreDir);
      if (first) {
        prevLon = lon;
        prevLat = c.Lat;
      }
      hidden = std::abs(lon - prevLon) >= 180.0 || LatitudeHidesLine(c.Lat, view.CoordSystem) ||
               LatitudeHidesLine(prevLat, view.CoordSystem);
    } else {
      hidden = c.Lat < 3.0;
    }
    hidden = hidden || FarOutside(pixel, view);
    steps.push_back(TConstellationStep{pixel.X, pixel.Y, point.StartsLine(), hidden,
                                       point.Style == 's', point.Style == 'o' && !hidden});
    prevLon = lon;
    prevLat = c.Lat;
    first = false;
  }
  return steps;
}

std::vector<TChartLabel> NameLabels(std::span<const TConstellationPoint> points,
                                    const TChartMoment& moment, const TChartView& view) {
  std::vector<TChartLabel> labels;
  TChartMoment airless = moment;  // system 4 judges names by the altitude without refraction
  airless.Refraction = false;
  const std::vector<TEquatorial> places = ApparentPlaces(points, moment);
  for (std::size_t i = 0; i < points.size(); ++i) {
    const TConstellationPoint& point = points[i];
    const TEquatorial& place = places[i];
    const TChartCoords c = ChartCoordinates(place.Alpha, place.Delta, moment, view);
    const auto projected = ProjectChartCoords(c, view);
    if (!projected) continue;
    const TPixel pixel = RoundPixel(*projected);
    if (!IsInsideClient(pixel, view)) continue;
    bool shown;
    switch (view.CoordSystem) {
      case kHorizontal: {
        const double alt = moment.Refraction
                               ? ChartCoordinates(place.Alpha, place.Delta, airless, view).Lat
                               : c.Lat;
        shown = alt > 3.0 && alt < 75.0;
        break;
      }
      case kEquatorialPolar:
      case kHorizontalPolar:
        shown = c.Lat >= 3.0;
        break;
      default:
        shown = c.Lat > -75.0 && c.Lat < 75.0;
        break;
    }
    if (!shown) continue;
    const std::string_view text = CutName(point.Name);
    const auto n = static_cast<double>(Utf8Length(text));
    labels.push_back(TChartLabel{pixel.X - static_cast<int>(RoundHalfEvenToInt(n * 3.3)),
                                 pixel.Y - 7, std::string(text)});
  }
  return labels;
}

}  // namespace

std::string_view ConstellationFileName(TConstellationFile mode) {
  switch (mode) {
    case TConstellationFile::Figures:
      return kFigureFileName;
    case TConstellationFile::Boundaries:
      return kBoundaryFileName;
    case TConstellationFile::Names:
      break;
  }
  return kConstellationNameFileName;
}

std::shared_ptr<const std::vector<TConstellationPoint>> LoadConstellationFile(
    const std::filesystem::path& dataDir, TConstellationFile mode) {
  static TFileCache<std::vector<TConstellationPoint>> cache;
  return cache.Get(
      ResolveDataPath(dataDir, ConstellationFileName(mode)),
      [mode](const std::filesystem::path& p) { return ReadConstellationFile(p, mode); });
}

TConstellationPlot PlotConstellations(TConstellationFile mode,
                                      std::span<const TConstellationPoint> points,
                                      const TObsState& state, const TChartMoment& moment,
                                      const TChartView& view) {
  TConstellationPlot plot;
  switch (mode) {
    case TConstellationFile::Figures:
      plot.Colour = kFigureColour;
      break;
    case TConstellationFile::Boundaries:
      plot.Colour = kBoundaryColour;
      break;
    case TConstellationFile::Names:
      plot.Colour = kConstellationNameColour;
      break;
  }
  if (!IsRectSystem(view.CoordSystem) && !IsPolarSystem(view.CoordSystem)) return plot;
  if (mode == TConstellationFile::Names) {
    if (state.ShowConstellations == 1 || state.ShowConstBounds == 1) {
      plot.Labels = NameLabels(points, moment, view);
    }
  } else {
    plot.Steps = LineSteps(points, moment, view);
  }
  return plot;
}

std::string_view NameFileName(bool stars) {
  return stars ? "Stjanamn.dta" : "Objnamn.dta";
}

std::shared_ptr<const std::vector<TNameEntry>> LoadNameFile(const std::filesystem::path& dataDir,
                                                            bool stars) {
  static TFileCache<std::vector<TNameEntry>> cache;
  const std::size_t width = stars ? kStarNameWidth : kObjectNameWidth;
  return cache.Get(ResolveDataPath(dataDir, NameFileName(stars)),
                   [width](const std::filesystem::path& p) { return ReadNameFile(p, width); });
}

std::vector<TNameLabel> PlaceNames(std::span<const TNameEntry> names, const TChartMoment& moment,
                                   const TChartView& view) {
  std::vector<TNameLabel> labels;
  if (!IsRectSystem(view.CoordSystem) && !IsPolarSystem(view.CoordSystem)) return labels;
  const bool horizontal = view.CoordSystem == kHorizontal || view.CoordSystem == kHorizontalPolar;
  const std::vector<TEquatorial> places = ApparentPlaces(names, moment);
  for (std::size_t i = 0; i < names.size(); ++i) {
    const TNameEntry& entry = names[i];
    const TEquatorial& place = places[i];
    const TChartCoords c = ChartCoordinates(place.Alpha, place.Delta, moment, view);
    if ((horizontal || view.CoordSystem == kEquatorialPolar) && c.Lat < 3.0) continue;
    if (view.CoordSystem == kHorizontal && c.Lat >= 75.0) continue;
    const auto projected = ProjectChartCoords(c, view);
    if (!projected) continue;
    const TPixel pixel = RoundPixel(*projected);
    if (!IsInsideClient(pixel, view)) continue;
    labels.push_back(TNameLabel{pixel.X, pixel.Y, entry.Name, pixel.X - LabelShift(entry.Name),
                                pixel.Y - kLabelRise});
  }
  return labels;
}

}  // namespace himlavy
