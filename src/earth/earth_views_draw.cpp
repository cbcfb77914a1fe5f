#include "earth/earth_views_draw.h"

#include <cmath>
#include <span>

#include "base/formatting.h"
#include "base/numtext.h"
#include "base/place_lookup.h"
#include "base/textfile.h"
#include "earth/map_draw.h"
#include "shell/canvas.h"

namespace himlavy {

namespace {

constexpr TColor kGreyNight{128, 128, 144};
constexpr TColor kGreyDay{176, 176, 192};
constexpr TColor kDeepNight{96, 96, 112};
// The twilight ring of the night globe: the Sun less than 18 degrees below the horizon.
constexpr int kTwilightRing = 14;
constexpr int kSubSolarDotRadius = 8;
// Places are drawn only this deep on the visible side, clear of the rim.
constexpr double kPlaceDepth = 20.0;

int Round(double x) {
  return static_cast<int>(RoundHalfEvenToInt(x));
}

// A filled circle of radius r about (cx, cy) in the current pen and brush: the pixels cx - r to
// cx + r, so that the disk is centred on the pixel the projection puts the centre on.
void Disk(Canvas& canvas, int cx, int cy, int r) {
  canvas.Ellipse(cx - r, cy - r, cx + r + 1, cy + r + 1);
}

// The globe's disk: a black outline one pixel outside the filled globe of radius r.
void GlobeDisk(Canvas& canvas, int cx, int cy, int r, TColor fill) {
  canvas.SetPenColour(colours::kBlack);
  canvas.SetBrushStyle(TBrushStyle::Solid);
  canvas.SetBrushColour(fill);
  Disk(canvas, cx, cy, r + 1);
  Disk(canvas, cx, cy, r);
}

// A coastline point as the maps project it: latitude 0 and longitude 90 moved off their exact
// values.
TGeoPoint MapCoordinates(double latitude, double longitude) {
  return {latitude == 0.0 ? 0.001 : latitude, longitude == 90.0 ? 89.999 : longitude};
}

// The white two-pixel dot of a place.
void PlaceDot(Canvas& canvas, int x, int y) {
  canvas.MoveTo(x, y);
  canvas.LineTo(x + 1, y);
}

void WriteText(Canvas& canvas, int x, int y, std::string_view text, double points) {
  canvas.SetBackMode(TBackMode::Transparent);
  canvas.SetFont(QStringLiteral("Arial"), points, colours::kBlack, TFontStyle{.Bold = true});
  canvas.TextOut(x, y, text);
}

// A label centred above a globe of the Sun's windows.
void GlobeLabel(Canvas& canvas, int cx, std::string_view text) {
  canvas.SetBackMode(TBackMode::Transparent);
  canvas.SetFont(QStringLiteral("Arial"), 14, colours::kBlack, TFontStyle{.Bold = true});
  canvas.TextOut(cx - canvas.TextWidth(text) / 2, kSunGlobeY - kSunGlobeRadius - 40, text);
}

std::optional<std::vector<TMapPoint>> ReadMap(const std::filesystem::path& dataDir) {
  return ReadMapFile(ResolveDataPath(dataDir, kMapFileName));
}

}  // namespace

TDaylightColours DaylightColours(int mapColour) {
  if (mapColour == 1) return {colours::kBlue, colours::kNavy, kDeepNight};
  return {kGreyDay, kGreyNight, kDeepNight};
}

TEarthMapResult DrawEarthMap(Canvas& canvas, TObsState& state, const std::filesystem::path& dataDir,
                             TPlaceHits& hits) {
  TEarthMapResult result;
  const TFoundPlace found = LookUpSite(state, dataDir, &result.MissingFile);
  const double latitude = state.Latitude;
  const double longitude = state.Longitude;
  const int cx = kEarthMapCentreX;
  const int cy = kEarthMapCentreY;
  const int r = static_cast<int>(kEarthMapRadius);
  const bool coloured = state.MapColour == 1;
  GlobeDisk(canvas, cx, cy, r, coloured ? colours::kNavy : kGreyNight);

  if (const auto map = ReadMap(dataDir)) {
    TCoastlineStyle style;
    style.Fill = coloured ? TMarkFill::FloodSea : TMarkFill::None;
    DrawCoastlines(
        canvas, *map,
        [&](double lat, double lon) {
          const TGeoPoint p = MapCoordinates(lat, lon);
          return ProjectGlobePoint(p.Latitude, p.Longitude, latitude, longitude, kEarthMapRadius,
                                   cx, cy);
        },
        style);
  } else {
    result.MissingFile = true;
  }
  result.Texts = SiteTexts(state, found);

  if (const auto places = ReadPlaceFile(ResolveDataPath(dataDir, kPlaceFileName))) {
    canvas.SetPenColour(colours::kWhite);
    for (const TPlaceEntry& place : *places) {
      const TGeoPoint p = PlaceCoordinates(place);
      const TGlobePoint s =
          ProjectGlobePoint(p.Latitude, p.Longitude, latitude, longitude, kEarthMapRadius, cx, cy);
      if (s.Depth > kPlaceDepth) {
        PlaceDot(canvas, s.X, s.Y);
        hits.Record(place.Line, s.X, s.Y, place.Label);
      }
    }
    canvas.SetPenColour(colours::kBlack);
  }
  return result;
}

void DrawSiteMarker(Canvas& canvas) {
  const int cx = kEarthMapCentreX;
  const int cy = kEarthMapCentreY;
  canvas.SetPenColour(colours::kLime);
  canvas.SetPenMode(TPenMode::Copy);
  const auto stroke = [&canvas](int x1, int y1, int x2, int y2) {
    canvas.MoveTo(x1, y1);
    canvas.LineTo(x2, y2);
  };
  stroke(cx - 5, cy, cx - 2, cy);
  stroke(cx + 2, cy, cx + 5, cy);
  stroke(cx, cy - 5, cx, cy - 2);
  stroke(cx, cy + 2, cx, cy + 5);
  canvas.SetPenColour(colours::kBlack);
}

std::optional<TSubSolarPoint> DrawSunPosition(Canvas& canvas, const TObsState& state,
                                              const std::filesystem::path& dataDir,
                                              bool* missingMap) {
  const auto sun = SubSolarPoint(state, dataDir);
  if (!sun) return std::nullopt;
  const TDaylightColours colours = DaylightColours(state.MapColour);
  const bool coloured = state.MapColour == 1;
  const auto map = ReadMap(dataDir);
  if (missingMap != nullptr) *missingMap = !map;
  const int r = kSunGlobeRadius;
  const int cy = kSunGlobeY;
  WriteText(canvas, 10, 8, "Solens läge över jordytan", 16);

  // The day side, seen from the Sun.
  int cx = kSunGlobeLeftX;
  GlobeDisk(canvas, cx, cy, r, colours.Day);
  TCoastlineStyle style;
  style.Fill = coloured ? TMarkFill::FloodSea : TMarkFill::None;
  if (map) {
    style.Sea = colours.Day;
    DrawCoastlines(
        canvas, *map,
        [&](double lat, double lon) {
          const TGeoPoint p = MapCoordinates(lat, lon);
          return ProjectGlobePoint(p.Latitude, p.Longitude, sun->Latitude, sun->Longitude, r, cx,
                                   cy);
        },
        style);
  }
  canvas.SetPenColour(colours::kYellow);
  canvas.SetBrushColour(colours::kYellow);
  Disk(canvas, cx, cy, kSubSolarDotRadius);
  GlobeLabel(canvas, cx, "Dag");

  // The night side, seen from the opposite direction: the far hemisphere mirrored.
  cx = kSunGlobeRightX;
  GlobeDisk(canvas, cx, cy, r, colours.Night);
  canvas.SetPenColour(colours.DeepNight);
  canvas.SetBrushColour(colours.DeepNight);
  Disk(canvas, cx, cy, r - kTwilightRing);
  if (map) {
    style.Sea = colours.Night;
    DrawCoastlines(
        canvas, *map,
        [&](double lat, double lon) {
          const TGeoPoint p = MapCoordinates(lat, lon);
          const TGlobeVector v =
              GlobeVector(p.Latitude, p.Longitude, sun->Latitude, sun->Longitude, r);
          return TGlobePoint{cx - Round(v.X), cy - Round(v.Height), -v.Depth};
        },
        style);
  }
  GlobeLabel(canvas, cx, "Natt");
  return sun;
}

std::optional<TSubSolarPoint> DrawDayNight(Canvas& canvas, const TObsState& state,
                                           const std::filesystem::path& dataDir,
                                           bool* missingFile) {
  const auto sun = SubSolarPoint(state, dataDir);
  if (!sun) return std::nullopt;
  const TDaylightColours colours = DaylightColours(state.MapColour);
  const double refraction = state.CorrRefraction == 1 ? 0.7 : 0.0;
  const int r = kSunGlobeRadius;
  const int cy = kSunGlobeY;
  const int s18 = Round(r * SinDeg(18.0));
  const int sh = Round(r * SinDeg(refraction));
  const auto map = ReadMap(dataDir);
  const auto places = ReadPlaceFile(ResolveDataPath(dataDir, kPlaceFileName));
  if (missingFile != nullptr) *missingFile = !map || !places;
  WriteText(canvas, 10, 8, "Dag/natt-linjen över jordytan", 16);

  TCoastlineStyle style;
  style.Fill = state.MapColour == 1 ? TMarkFill::Mark : TMarkFill::None;
  // side -1: the sunrise globe seen from the west, the Sun to the right; +1: the sunset globe
  // seen from the east, the Sun to the left.
  for (const int side : {-1, +1}) {
    const int cx = side < 0 ? kSunGlobeLeftX : kSunGlobeRightX;
    const int top = cy - r;
    const int bottom = cy + r;
    canvas.SetPenColour(colours::kGray);
    canvas.SetBrushStyle(TBrushStyle::Solid);
    const auto chord = [&](TColor fill, int x3, int y3, int x4, int y4) {
      canvas.SetBrushColour(fill);
      canvas.Chord(cx - r, cy - r, cx + r + 1, cy + r + 1, x3, y3, x4, y4);
    };
    if (side < 0) {
      chord(colours.Night, cx, top, cx, bottom);
      chord(colours.DeepNight, cx - s18, top, cx - s18, bottom);
      chord(colours.Day, cx - sh, bottom, cx - sh, top);
    } else {
      chord(colours.Night, cx, bottom, cx, top);
      chord(colours.DeepNight, cx + s18, bottom, cx + s18, top);
      chord(colours.Day, cx + sh, top, cx + sh, bottom);
    }
    canvas.SetPenColour(colours::kBlack);
    canvas.SetBrushStyle(TBrushStyle::Clear);
    Disk(canvas, cx, cy, r);
    Disk(canvas, cx, cy, r + 1);
    canvas.SetBrushStyle(TBrushStyle::Solid);

    const auto project = [&](double lat, double lon) {
      const TGlobeVector v = GlobeVector(lat, lon, sun->Latitude, sun->Longitude, r);
      return TGlobePoint{cx - side * Round(v.Depth), cy - Round(v.Height), side * v.X};
    };
    if (map) {
      DrawCoastlines(
          canvas, *map,
          [&](double lat, double lon) {
            const TGeoPoint p = MapCoordinates(lat, lon);
            return project(p.Latitude, p.Longitude);
          },
          style);
    }
    if (places) {
      canvas.SetPenColour(colours::kWhite);
      for (const TPlaceEntry& place : *places) {
        const TGeoPoint p = PlaceCoordinates(place);
        const TGlobePoint s = project(p.Latitude, p.Longitude);
        if (s.Depth > kPlaceDepth) PlaceDot(canvas, s.X, s.Y);
      }
      canvas.SetPenColour(colours::kBlack);
    }
    GlobeLabel(canvas, cx, side < 0 ? "Soluppgång" : "Solnedgång");
  }
  return sun;
}

}  // namespace himlavy
