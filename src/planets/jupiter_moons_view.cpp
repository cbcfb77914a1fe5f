#include "planets/jupiter_moons_view.h"

#include <algorithm>
#include <cmath>

#include "astro/jupiter_moons.h"
#include "astro/positions.h"
#include "base/numtext.h"
#include "base/textfile.h"
#include "base/timescales.h"
#include "catalogs/element_files.h"
#include "planets/disk_view.h"
#include "planets/jupiter_moons_report.h"

namespace himlavy {

namespace {

constexpr std::array<std::string_view, 5> kStripNames = {"Io", "Europa ", "Ganymedes", "Callisto",
                                                         "Jupiter"};

// Points far outside the window are kept within this many pixels, so that they stay ints.
constexpr double kFarPixel = 1.0e6;

// A probe's name is cut to this many characters.
constexpr std::size_t kProbeNameChars = 19;

int Pixel(double x) {
  return static_cast<int>(RoundHalfEvenToInt(std::clamp(x, -kFarPixel, kFarPixel)));
}

// The moons' disks in the centre view: radius ChartScale / D pixels.
constexpr std::array<double, 4> kMoonScaleDivisor = {12827.0, 14838.0, 8848.0, 9700.0};
constexpr double kJupiterScaleDivisor = 326.0;
constexpr int kLatitudeCirclesFrom = 2048;  // drawn when ChartScale is above this

// General precession in longitude since J2000.0, arc seconds (IAU 1976; Meeus 1991, ch. 20).
double GeneralPrecession(double t) {
  return (5029.0966 + (1.11113 - 0.000006 * t) * t) * t;
}

// A probe's name: up to its first double blank, at most kProbeNameChars characters.
std::string ProbeName(const std::string& name) {
  std::string_view text(name);
  text = text.substr(0, std::min(text.find("  "), text.size()));
  std::size_t end = 0;
  for (std::size_t chars = 0; end < text.size() && chars < kProbeNameChars; ++chars) {
    ++end;  // past the lead byte, then past the continuation bytes of a UTF-8 sequence
    while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) ++end;
  }
  text = text.substr(0, end);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return std::string(text);
}

bool Within(int point, int mouse, int reach) {
  return mouse - reach <= point && point < mouse + reach;
}

}  // namespace

std::string_view StripBodyName(int body) {
  return kStripNames[static_cast<std::size_t>(std::clamp(body, 0, kStripJupiter))];
}

TJupiterMoonsStrip LayoutJupiterMoonsStrip(const std::array<TVector3, 4>& moons, bool magnified,
                                           double axisAngle, double parallactic, bool zenithUp,
                                           bool labelMoons) {
  TJupiterMoonsStrip strip;
  strip.Scale = magnified ? kStripScaleMagnified : kStripScale;
  strip.MoonRadius = magnified ? kStripMoonRadiusMagnified : kStripMoonRadius;
  strip.LabelMoons = labelMoons;
  const int s = strip.Scale;
  const int d = strip.MoonRadius;
  constexpr int cx = kStripCentreX;
  constexpr int cy = kStripCentreY;
  for (int i = 0; i < 4; ++i) {
    const TVector3& w = moons[static_cast<std::size_t>(i)];
    TStripBody& b = strip.Bodies[static_cast<std::size_t>(i)];
    b.Body = i;
    b.Key = -Pixel(w.Z);
    b.LabelX = Pixel(s * w.X) + cx;
    b.LabelY = Pixel(-s * w.Y) + cy;
    b.Box = {b.LabelX - d, b.LabelY - d, b.LabelX + d, b.LabelY + d};
  }
  TStripBody& jupiter = strip.Bodies[kStripJupiter];
  jupiter.Body = kStripJupiter;
  jupiter.Key = 0;
  const int polar = Pixel(kStripPolarRatio * s);
  jupiter.Box = {cx - s, cy - polar, cx + s, cy + polar};
  jupiter.LabelX = cx;
  jupiter.LabelY = cy;

  for (int i = 0; i < 5; ++i) strip.DrawOrder[static_cast<std::size_t>(i)] = i;
  auto key = [&strip](std::size_t i) { return strip.Bodies[strip.DrawOrder[i]].Key; };
  for (std::size_t i = 0; i < 4; ++i) {
    for (std::size_t j = i + 1; j < 5; ++j) {
      if (key(j) < key(i)) std::swap(strip.DrawOrder[i], strip.DrawOrder[j]);
    }
  }

  strip.NorthX = cx - 3;
  strip.NorthY = cy - (s + 20) + 2;
  strip.HasDirectionMark = magnified;
  if (magnified) {
    const double angle = -(axisAngle - parallactic);
    strip.DirectionText.assign(1, zenithUp ? 'Z' : 'N');
    strip.MarkX = cx - Pixel(kStripMarkDistance * std::sin(angle)) - 3;
    strip.MarkY = cy - Pixel(kStripMarkDistance * std::cos(angle)) - 6;
  }
  return strip;
}

std::optional<TJupiterMoonsStrip> JupiterMoonsStrip(const TObsState& state,
                                                    const std::filesystem::path& dataDir,
                                                    bool magnified) {
  const auto moons = JupiterMoonsApparent(state.JD_TT, state.CorrLightTime == 1, dataDir);
  if (!moons) return std::nullopt;
  // The axis and the parallactic angle as the disk view of Jupiter computes them.
  const auto disk = DiskView(TBody::Jupiter, state, dataDir);
  if (!disk) return std::nullopt;
  return LayoutJupiterMoonsStrip(moons->Moons, magnified, disk->AxisAngle, disk->Parallactic,
                                 disk->ParallacticOn, state.LabelPlanets == 1);
}

std::string StripNameAt(const TJupiterMoonsStrip& strip, int x, int y) {
  std::string name;
  for (const TStripBody& b : strip.Bodies) {
    if (Within(b.LabelX, x, kStripMouseReach) && Within(b.LabelY, y, kStripMouseReach)) {
      name.assign(1, ' ');
      name += StripBodyName(b.Body);
    }
  }
  return name;
}

TSpherical JovicentricInMoonFrame(const TVector3& v, double t) {
  // Jupiter's equator as the satellite theory turns it into the ecliptic of date: its pole,
  // and the ascending node on the ecliptic as the origin of an angle in the equator. The
  // theory counts its longitudes from another origin in the same plane; Io's longitude and
  // vector at the same moment give the difference.
  const TVector3 pole = SatelliteEcliptic(kJupiterPole, t);
  const TVector3 axisZ{0.0, 0.0, 1.0};
  TVector3 node = Cross(axisZ, pole);
  node = Scale(node, 1.0 / Norm(node));
  const TVector3 across = Cross(pole, node);
  auto angleInEquator = [&](const TVector3& u) { return Atan2(Dot(u, across), Dot(u, node)); };
  const double origin =
      SatelliteJovicentric(kIo, t).Lon - angleInEquator(SatelliteEcliptic(kIo, t));
  const double r = Norm(v);
  if (r == 0.0) return {};
  return {Mod2Pi(angleInEquator(v) + origin), ArcSin(Dot(v, pole) / r), r};
}

void PlaceInPanels(TCentreBody& body, double lon, double lat, double r, double k, int orientation,
                   int jupiterRadius) {
  const double a = lon + kPiHalf;
  const double inPlane = r * std::cos(lat);
  const double u = orientation == 1 ? inPlane * std::cos(a) : inPlane * std::sin(a);
  const double v = orientation == 1 ? -inPlane * std::sin(a) : inPlane * std::cos(a);
  const double w = r * std::sin(lat);
  body.LeftX = Pixel(kCentreLeftX + k * u);
  body.LeftY = Pixel(kCentreY + k * v);
  body.RightX = Pixel(kCentreRightX + k * w);
  body.RightY = body.LeftY;
  // (u, v, w) is a left-handed triple: the pole-on panel (u right, v down) looks down on the
  // north pole (along -w), the edge-on panel (w right, v down) looks along +u. A body on the
  // far side is hidden within the disk's radius.
  const double rJ = jupiterRadius;
  body.HiddenLeft = w < 0.0 && std::hypot(k * u, k * v) <= rJ;
  body.HiddenRight = u > 0.0 && std::hypot(k * w, k * v) <= rJ;
}

TJupiterCentreView JupiterCentreView(const TObsState& state, const std::filesystem::path& dataDir) {
  TJupiterCentreView view;
  view.Atlas = state.DisplayMode == 1;
  const int least = view.Atlas ? 3 : 2;
  const double scale = state.ChartScale;
  view.JupiterRadius = std::max(least, Pixel(scale / kJupiterScaleDivisor));
  view.LatitudeCircles = state.ChartScale > kLatitudeCirclesFrom;
  view.ShowJupiter = state.ShowSunPlanets == 1;
  view.LabelMoons = state.LabelPlanets == 1;
  if (!view.ShowJupiter) return view;

  const double t = JulianCenturies(state.JD_TT);
  const double k = scale * kCentrePixelsPerAu;
  constexpr double kRadiusAu = kJupiterRadiusKm / kAuKm;
  if (state.ShowMoons == 1) {
    for (int i = kIo; i <= kCallisto; ++i) {
      const TSpherical p = SatelliteJovicentric(i, t);
      TCentreBody moon;
      moon.Name = std::string(kStripNames[static_cast<std::size_t>(i - 1)]);
      moon.Radius =
          std::max(least, Pixel(scale / kMoonScaleDivisor[static_cast<std::size_t>(i - 1)]));
      PlaceInPanels(moon, p.Lon, p.Lat, p.R * kRadiusAu, k, state.Orientation, view.JupiterRadius);
      view.Moons.push_back(std::move(moon));
    }
  }

  if (state.ShowProbes == 1) {
    const auto probes = ReadUsedElementLines(ResolveDataPath(dataDir, kProbeFile),
                                             TElementFileKind::Probe, state.ClockJD);
    view.ProbeFileMissing = !probes;
    if (probes) {
      // The elements are referred to the ecliptic and equinox J2000.0: the plane constants of
      // a zero obliquity give ecliptic coordinates, turned to the equinox of date by the
      // general precession (the ecliptic's own slow turn is left out).
      const double p = GeneralPrecession(t) * kDegToRad / 3600.0;
      for (const TMinorBody& probe : *probes) {
        if (probe.Centre != "Jup") continue;
        const TOrbitPlane plane = OrbitPlaneConstants(probe.Elements, 0.0);
        const TVector3 v =
            RotateAboutZ(PositionFromElements(probe.Elements, plane, t), std::cos(p), std::sin(p));
        const TSpherical q = JovicentricInMoonFrame(v, t);
        if (!std::isfinite(q.Lon) || !std::isfinite(q.Lat) || !std::isfinite(q.R)) continue;
        TCentreBody body;
        body.Name = ProbeName(probe.Name);
        body.Labelled = probe.Track;
        PlaceInPanels(body, q.Lon, q.Lat, q.R, k, state.Orientation, view.JupiterRadius);
        view.Probes.push_back(std::move(body));
      }
    }
  }
  return view;
}

std::string CentreNameAt(const TJupiterCentreView& view, int x, int y) {
  std::string name;
  auto look = [&](const TCentreBody& b) {
    if ((Within(b.LeftX, x, kCentreMouseReach) && Within(b.LeftY, y, kCentreMouseReach)) ||
        (Within(b.RightX, x, kCentreMouseReach) && Within(b.RightY, y, kCentreMouseReach))) {
      name = b.Name;
    }
  };
  for (const TCentreBody& moon : view.Moons) look(moon);
  const std::size_t kept = std::min(view.Probes.size(), kCentreMaxPoints);
  for (std::size_t i = 0; i < kept; ++i) look(view.Probes[i]);
  return name;
}

}  // namespace himlavy
