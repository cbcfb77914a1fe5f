#include "eclipses/eclipse_tables.h"

#include <algorithm>
#include <cmath>

#include "astro/phenomena.h"
#include "astro/positions.h"
#include "astro/reductions.h"
#include "base/formatting.h"
#include "base/numtext.h"
#include "base/timescales.h"
#include "earth/geo_files.h"
#include "eclipses/eclipse_lib.h"

namespace himlavy {

namespace {

constexpr double kSecondsPerCentury = 3155760000.0;
constexpr double kSecondsPerDay = 86400.0;
constexpr double kDegPerRad = 57.29577951308232;

// The central line is traced over six hours either side of the maximum, every 3 minutes;
// the fits reach about an hour further on each side.
constexpr double kPathHalfSpan = 6.844626967830253e-06;  // 6 hours in Julian centuries
constexpr double kPathStep = 5.703855806525211e-08;      // 3 minutes
constexpr double kFitMargin = 1.14e-06;                  // about an hour
constexpr int kMoonFitDegree = 8;
constexpr int kSunFitDegree = 3;

// How far before the year the searches begin, days. The searches try first a new or full
// moon 0.03 (solar) or 0.53 (lunar) mean months after their start, so a search from the
// year's first moment would pass over an eclipse in the first days of January; starting
// early always reaches back to the lunation before the year's first (those rows are dropped).
constexpr double kSearchLead = 40.0;
// No year needs more search steps than this; it keeps a state far outside the theory's range
// from hanging a window.
constexpr int kMaxSearchSteps = 20;

// The year's local bounds as universal (or, with the TDT clock, dynamical) Julian days.
struct TYearBounds {
  double Start = 0.0;
  double End = 0.0;
  double Z = 0.0;  // -TimeZone / 24
};

TYearBounds YearBounds(int year, double timeZone) {
  TYearBounds b;
  b.Z = -timeZone / 24.0;
  b.Start = JDJanuary0(year) + 1.0 + b.Z;
  b.End = JDJanuary0(year + 1) + 1.0 + b.Z;
  return b;
}

// Delta T in days at a dynamical time: what the clock subtracts (0 on the TDT clock).
double RealDeltaTDays(double jde) {
  return DeltaT(JulianCenturies(jde)) / kSecondsPerDay;
}
double ClockDeltaTDays(double jde, int timeScale) {
  return timeScale == kTimeScaleUtc ? RealDeltaTDays(jde) : 0.0;
}

std::string TitleText(std::string_view what, int year, double timeZone, int timeScale, char sep) {
  return std::string(what) + " " + std::to_string(year) + " (" +
         (timeScale == kTimeScaleTdt ? "TDT" : "UTC") + " " + FixedText(timeZone, 2, sep) + ")";
}

std::string DateText(const TCalDateTime& c) {
  return std::to_string(c.Year) + "-" + std::to_string(c.Month) + "-" +
         std::to_string(static_cast<int>(c.Day));
}

// Hour "h" minute "m" of a local Julian day, the minute truncated.
std::string TruncatedClockText(double localJD) {
  const TCalDateTime c = CalendarDateTime(localJD);
  return std::to_string(c.Hour) + "h" + std::to_string(c.Minute) + "m";
}

}  // namespace

TMapPixel EclipseMapPixel(double latitude, double eastLongitude) {
  return {
      kEclipseMapCentreX + static_cast<int>(RoundHalfEvenToInt(kEclipseMapScaleX * eastLongitude)),
      kEclipseMapCentreY - static_cast<int>(RoundHalfEvenToInt(kEclipseMapScaleY * latitude))};
}

TMapPlace EclipseMapPlace(int x, int y) {
  TMapPlace p;
  p.Latitude = std::clamp(-(y - kEclipseMapCentreY) / kEclipseMapScaleY, -90.0, 90.0);
  p.Longitude = std::clamp((x - kEclipseMapCentreX) / kEclipseMapScaleX, -180.0, 180.0);
  return p;
}

TRoundedClock RoundedClockTexts(double localJD) {
  double day = std::floor(localJD - 0.5) + 0.5;  // 0 h of the date
  // Seconds of the day to the millisecond, so that hh:mm:30 built from a clock reading
  // rounds up however the Julian day's last bit fell.
  const double seconds = std::round((localJD - day) * kSecondsPerDay * 1000.0) / 1000.0;
  long long minutes = static_cast<long long>(std::floor((seconds + 30.0) / 60.0));
  if (minutes >= 1440) {
    minutes -= 1440;
    day += 1.0;
  }
  TRoundedClock out;
  out.Date = DateText(CalendarDayOnly(day + 0.25));
  out.Time = std::to_string(minutes / 60) + "h" + std::to_string(minutes % 60) + "m";
  return out;
}

void SolarEclipsePath(double jde, TSolarEclipseRow& row) {
  const double dtSeconds = DeltaT(JulianCenturies(jde));
  const double dtCenturies = dtSeconds / kSecondsPerCentury;
  const double t0 = (jde - kJ2000) / kDaysPerCentury;
  const double ta = t0 - kPathHalfSpan;
  const double tb = t0 + kPathHalfSpan;
  const auto moon = ChebFit(TEclipseBody::Moon, ta - kFitMargin, tb + kFitMargin, kMoonFitDegree);
  const auto sun = ChebFit(TEclipseBody::Sun, ta - kFitMargin, tb + kFitMargin, kSunFitDegree);
  row.Path.clear();
  row.Central = false;
  row.Latitude = row.Longitude = row.Duration = 0.0;
  if (!moon || !sun) return;

  // CentralLine takes universal time and evaluates the fits at UT + delta T: the fits' own
  // (dynamical) time is T, the Earth's rotation that of T - delta T.
  const int steps = static_cast<int>(std::floor((tb - ta) / kPathStep + 1e-9));
  for (int i = 0; i <= steps; ++i) {
    const double t = ta + i * kPathStep;
    const TCentralLine c = CentralLine(*moon, *sun, dtSeconds, t - dtCenturies);
    if (c.Phase >= TShadowPhase::Annular && c.Lambda != 0.0 &&
        row.Path.size() < static_cast<std::size_t>(kMaxPathPoints)) {
      row.Path.push_back({-c.Lambda, c.Phi, c.Duration});
    }
  }
  const TCentralLine c = CentralLine(*moon, *sun, dtSeconds, t0 - dtCenturies);
  if (c.Phase >= TShadowPhase::Annular) {
    row.Central = true;
    row.Latitude = c.Phi;
    row.Longitude = -c.Lambda;
    row.Duration = c.Duration;
  }
}

TSolarEclipsesReport SolarEclipsesReport(int year, double timeZone, int timeScale,
                                         char decimalSep) {
  TSolarEclipsesReport report;
  report.Year = year;
  report.Title = TitleText("Solförmörkelser", year, timeZone, timeScale, decimalSep);
  const TYearBounds bounds = YearBounds(year, timeZone);
  double j = bounds.Start - kSearchLead;
  for (int step = 0; step < kMaxSearchSteps; ++step) {
    const TSolarEclipse e = NextSolarEclipse(j);
    if (e.Kind == 0) break;
    j = e.JDE;
    const double clock = e.JDE - ClockDeltaTDays(e.JDE, timeScale);  // clock time + z
    if (clock >= bounds.End) break;
    if (clock < bounds.Start) continue;
    if (report.Rows.size() >= static_cast<std::size_t>(kMaxSolarEclipseRows)) break;

    TSolarEclipseRow row;
    row.Number = static_cast<int>(report.Rows.size()) + 1;
    row.JDE = e.JDE;
    row.LocalJD = clock - bounds.Z;
    row.Kind = e.Kind;
    row.Magnitude = e.Kind == kSolarPartial ? e.Magnitude : 0.0;
    SolarEclipsePath(e.JDE, row);

    const TRoundedClock texts = RoundedClockTexts(row.LocalJD);
    row.DateText = std::to_string(row.Number) + "  " + texts.Date;
    row.TimeText = texts.Time;
    row.KindText = kSolarKindTexts[static_cast<std::size_t>(std::clamp(e.Kind, 1, 6) - 1)];
    if (e.Kind == kSolarPartial)
      row.MagnitudeText = PadLeft(FixedText(e.Magnitude, 2, decimalSep), 3);
    if (row.Central) {
      row.DurationText = FormatHMShort(row.Duration / 60.0);
      row.LatitudeText =
          "Lat=" + FormatDM(std::fabs(row.Latitude)) + (row.Latitude < 0.0 ? "S  " : "N  ");
      row.LongitudeText =
          "Lon=" + FormatDM(std::fabs(row.Longitude)) + (row.Longitude < 0.0 ? "V  " : "Ö  ");
      row.MapLabel =
          std::to_string(row.Number) + "," + texts.Date.substr(0, texts.Date.find('-', 1));
    }
    report.Rows.push_back(std::move(row));
  }
  return report;
}

TSolarEclipsesReport SolarEclipsesReport(const TObsState& state, char decimalSep) {
  return SolarEclipsesReport(CalendarDate(state.ClockJD).Year, state.TimeZone, state.TimeScale,
                             decimalSep);
}

void MoveToSolarEclipse(TObsState& state, const TSolarEclipseRow& row) {
  if (row.Central) {
    state.Latitude = row.Latitude;
    state.Longitude = row.Longitude;
    state.PlaceName.clear();
    state.NewPlaceName.clear();
  }
  state.ClockJD = row.LocalJD;
  DeriveTimes(state);
  RaiseAllRedrawFlags(state);
}

TSiteChoice ChooseSiteAt(double latitude, double eastLongitude,
                         const std::vector<TPlaceEntry>& places,
                         const std::vector<TCountryEntry>& countries) {
  TSiteChoice choice;
  choice.Latitude = latitude;
  choice.Longitude = eastLongitude;
  std::string code;
  for (const TPlaceEntry& place : places) {
    double lat = place.Latitude;
    double lon = place.Longitude;
    if (lat == 0.0) lat = 0.001;
    if (lat == 90.0) lat = 89.999;
    if (lon == 90.0) lon = 89.999;
    if (latitude - 0.5 <= lat && lat < latitude + 0.5 && eastLongitude - 0.5 <= lon &&
        lon < eastLongitude + 0.5) {
      choice.PlaceName = place.Name;
      code = place.CountryCode;
    }
  }
  if (!code.empty()) {
    for (const TCountryEntry& country : countries) {
      if (country.Code == code) choice.Country = country.Name;
    }
  }
  return choice;
}

std::string_view LunarKindText(int kind) {
  switch (kind) {
    case kLunarTotal:
      return "Total";
    case kLunarPartial:
      return "Partiell";
    default:
      return "Halvskugga";
  }
}

std::string_view LunarKindKey(int kind) {
  switch (kind) {
    case kLunarTotal:
      return "total";
    case kLunarPartial:
      return "partial";
    default:
      return "penumbral";
  }
}

double MoonAltitudeAt(const TObsState& state, double jde, double deltaTDays) {
  constexpr double kRad = 1.0 / kDegPerRad;
  const double t = JulianCenturies(jde);
  const double eps0 = MeanObliquity(t);
  const TSpherical moon = MoonPosition(t);
  const double sinPi = 6378.14 / moon.R;
  TEquatorial eq = EclipticToEquatorial(moon.Lon, moon.Lat, eps0);
  const double phi = state.Latitude * kRad;
  const double theta =
      GreenwichSiderealTime(JulianCenturies(jde - deltaTDays)) + state.Longitude * kRad;
  if (state.CorrParallax == 1) {
    const TObserverGeocentric obs = ObserverGeocentric(state.Height, phi);
    double scale = 1.0;
    ParallaxRaDec(eq.Alpha, eq.Delta, scale, obs.RhoSinPhi, obs.RhoCosPhi, theta, sinPi);
  }
  double h = EquatorialToHorizontal(eq.Alpha, eq.Delta, theta, phi).Alt;
  if (h > -0.6 * kRad && state.CorrRefraction == 1) h += Refraction(h);
  return h * kDegPerRad;
}

TLunarEclipsesReport LunarEclipsesReport(const TObsState& state, int year, char decimalSep) {
  TLunarEclipsesReport report;
  report.Year = year;
  report.Title = TitleText("Månförmörkelser", year, state.TimeZone, state.TimeScale, decimalSep);
  const TYearBounds bounds = YearBounds(year, state.TimeZone);
  double j = bounds.Start - kSearchLead;
  for (int step = 0; step < kMaxSearchSteps; ++step) {
    const TLunarEclipse e = NextLunarEclipse(0, j - 10.0);
    if (e.Kind == 0) break;
    j = e.JDE;
    const double dt = ClockDeltaTDays(e.JDE, state.TimeScale);
    const double clock = e.JDE - dt;
    if (clock >= bounds.End) break;
    if (clock < bounds.Start) continue;

    TLunarEclipseRow row;
    row.JDE = e.JDE;
    row.LocalJD = clock - bounds.Z;
    row.Kind = e.Kind;
    row.Magnitude = e.Magnitude;
    row.PartialSemi = e.PartialSemi;
    row.TotalSemi = e.TotalSemi;
    const double semi = e.Kind == kLunarTotal     ? e.TotalSemi
                        : e.Kind == kLunarPartial ? e.PartialSemi
                                                  : -1.0;
    row.HasContacts = semi >= 0.0;
    row.DateText = DateText(CalendarDayOnly(row.LocalJD));
    row.KindText = LunarKindText(e.Kind);
    row.MagnitudeText = FixedText(e.Magnitude, 2, decimalSep);
    row.MaximumText = TruncatedClockText(row.LocalJD);
    if (row.HasContacts) {
      row.BeginLocalJD = row.LocalJD - semi;
      row.EndLocalJD = row.LocalJD + semi;
      row.BeginText = TruncatedClockText(row.BeginLocalJD);
      row.EndText = TruncatedClockText(row.EndLocalJD);
    }
    row.Altitude = MoonAltitudeAt(state, e.JDE, RealDeltaTDays(e.JDE));
    row.AltitudeText = FormatDM(row.Altitude);
    report.Rows.push_back(std::move(row));
  }
  return report;
}

TLunarEclipsesReport LunarEclipsesReport(const TObsState& state, char decimalSep) {
  return LunarEclipsesReport(state, CalendarDate(state.ClockJD).Year, decimalSep);
}

}  // namespace himlavy
