// The solar and lunar eclipses of a calendar year, as the two eclipse windows list them.
//
// The eclipses are found with the periodic-term search of Meeus (astro/phenomena.h:
// NextSolarEclipse, NextLunarEclipse). For a solar eclipse the central line on the Earth is
// traced with the Chebyshev fits and the shadow geometry of Montenbruck & Pfleger
// (eclipses/eclipse_lib.h) every 3 minutes over six hours either side of the maximum; for a
// lunar eclipse the Moon's altitude at maximum is computed for the observing site (Meeus,
// chapters 12, 39 and 45).
//
// Times: the searches give dynamical time (JDE). A row's local clock time is JDE - delta T -
// z with z = -TimeZone/24 (delta T taken as 0 when the clock reads dynamical time). The
// geography of the shadow always uses the real delta T, so the sidereal time of the central
// point is that of universal time.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "base/obs_state.h"

namespace himlavy {

// --- The solar-eclipse window's map: an equirectangular world map ---
inline constexpr int kEclipseMapCentreX = 505;
inline constexpr int kEclipseMapCentreY = 380;
inline constexpr double kEclipseMapScaleX = 2.65;  // pixels per degree of longitude
inline constexpr double kEclipseMapScaleY = 3.0;   // pixels per degree of latitude

// A year holds at most five solar eclipses; the window has one radio button for each.
inline constexpr int kMaxSolarEclipseRows = 5;
// The central line keeps at most this many points.
inline constexpr int kMaxPathPoints = 200;

// The "Typ" texts of the solar kinds 1 ... 6 (kSolarTotal ... kSolarPartial).
inline constexpr std::array<std::string_view, 6> kSolarKindTexts = {
    "Total",   "Ringformig", "Ringformig total", "Total, ej central", "Ringformig, ej central",
    "Partiell"};
// Their keys in himlavy-cli's JSON.
inline constexpr std::array<std::string_view, 6> kSolarKindKeys = {
    "total", "annular", "hybrid", "total_noncentral", "annular_noncentral", "partial"};

// A pixel of the eclipse map: X = cx + round(2.65 lon), Y = cy - round(3 lat).
struct TMapPixel {
  int X = 0;
  int Y = 0;
};
TMapPixel EclipseMapPixel(double latitude, double eastLongitude);

// The point of the eclipse map at a pixel, limited to +-90 and +-180 degrees.
struct TMapPlace {
  double Latitude = 0.0;
  double Longitude = 0.0;  // east positive
};
TMapPlace EclipseMapPlace(int x, int y);

// One point of a central line.
struct TPathPoint {
  double Longitude = 0.0;  // degrees, east positive
  double Latitude = 0.0;   // degrees
  double Duration = 0.0;   // minutes of totality or annularity there
};

// One row of the solar-eclipse table.
struct TSolarEclipseRow {
  int Number = 0;          // 1 ... 5
  double JDE = 0.0;        // greatest eclipse, dynamical time
  double LocalJD = 0.0;    // its local clock time
  int Kind = 0;            // 1 ... 6 (astro/phenomena.h)
  double Magnitude = 0.0;  // partial eclipses only
  bool Central = false;    // the shadow axis meets the Earth at the maximum
  double Latitude = 0.0;   // central point at the maximum, degrees (0 when not central)
  double Longitude = 0.0;  // east positive
  double Duration = 0.0;   // minutes at the central point (0 when not central)
  std::vector<TPathPoint> Path;
  // The texts of the row.
  std::string DateText;       // "1  1999-8-11"
  std::string TimeText;       // "11h3m" (rounded to the minute)
  std::string KindText;       // "Total" ...
  std::string MagnitudeText;  // partial eclipses: "0.52"; else empty
  std::string DurationText;   // "2m23s"; empty when not central
  std::string LatitudeText;   // "Lat=45°4'N  "; empty when not central
  std::string LongitudeText;  // "Lon=24°18'Ö  "; empty when not central
  std::string MapLabel;       // "1,1999" at the central point
};

struct TSolarEclipsesReport {
  int Year = 0;
  std::string Title;  // "Solförmörkelser 1999 (UTC 1.00)"
  std::vector<TSolarEclipseRow> Rows;
};

// The solar eclipses of a year in clock time (zone in hours, scale kTimeScaleUtc/Tdt).
TSolarEclipsesReport SolarEclipsesReport(int year, double timeZone, int timeScale,
                                         char decimalSep = '.');
// The same for the year of the state's clock reading.
TSolarEclipsesReport SolarEclipsesReport(const TObsState& state, char decimalSep = '.');

// SolarEclipsePath: the central line of the solar eclipse whose maximum is at jde, and the
// central point at the maximum, into `row` (Central, Latitude, Longitude, Duration, Path).
void SolarEclipsePath(double jde, TSolarEclipseRow& row);

// The clock time of a row as the solar table shows it: hour "h" minute "m", rounded to the
// minute (30 seconds and more go up, 60 minutes carry into the hour and the date), and the
// rounded moment's date as year "-" month "-" day.
struct TRoundedClock {
  std::string Date;
  std::string Time;
};
TRoundedClock RoundedClockTexts(double localJD);

// Moves the moment, and for a central eclipse the site, to a row: ClockJD (then DeriveTimes),
// and Latitude and Longitude with the place names emptied. Raises every redraw flag.
void MoveToSolarEclipse(TObsState& state, const TSolarEclipseRow& row);

// The site a click on the map chooses: the point itself, named after the last place of the
// place file within half a degree of it (latitude and longitude each), with its country.
struct TSiteChoice {
  double Latitude = 0.0;
  double Longitude = 0.0;  // east positive
  std::string PlaceName;   // columns 1-30 of the place's line; empty when none is near
  std::string Country;     // the country of its code in the country file; empty when none
};
struct TPlaceEntry;
struct TCountryEntry;
TSiteChoice ChooseSiteAt(double latitude, double eastLongitude,
                         const std::vector<TPlaceEntry>& places,
                         const std::vector<TCountryEntry>& countries);

// --- Lunar eclipses ---

// The "Typ" text and the JSON key of a lunar kind (1 total, 6 partial, 7 penumbral).
std::string_view LunarKindText(int kind);
std::string_view LunarKindKey(int kind);

struct TLunarEclipseRow {
  double JDE = 0.0;           // greatest eclipse, dynamical time
  double LocalJD = 0.0;       // its local clock time
  int Kind = 0;               // 1 total, 6 partial, 7 penumbral
  double Magnitude = 0.0;     // umbral (penumbral for kind 7)
  double PartialSemi = 0.0;   // days (the penumbral phase's for kind 7)
  double TotalSemi = 0.0;     // days
  bool HasContacts = false;   // kinds 1 and 6: BeginLocalJD and EndLocalJD are set
  double BeginLocalJD = 0.0;  // totality (kind 1) or the partial phase (kind 6)
  double EndLocalJD = 0.0;
  double Altitude = 0.0;  // the Moon's altitude at the maximum, degrees
  std::string DateText;   // "2000-1-21"
  std::string KindText;
  std::string MagnitudeText;  // "1.33"
  std::string BeginText;      // "3h1m"; empty for kind 7
  std::string MaximumText;
  std::string EndText;
  std::string AltitudeText;  // "-12°5'"
};

struct TLunarEclipsesReport {
  int Year = 0;
  std::string Title;  // "Månförmörkelser 2000 (UTC 1.00)"
  std::vector<TLunarEclipseRow> Rows;
};

// The lunar eclipses of the year of the state's clock reading, with the altitudes for the
// state's site and corrections.
TLunarEclipsesReport LunarEclipsesReport(const TObsState& state, char decimalSep = '.');
// The same for a given year.
TLunarEclipsesReport LunarEclipsesReport(const TObsState& state, int year, char decimalSep = '.');

// The Moon's altitude in degrees at a dynamical time for the state's site: geometric Moon
// (Meeus ch. 45), mean obliquity, no nutation, Greenwich mean sidereal time of universal time;
// parallax and refraction by CorrParallax and CorrRefraction.
double MoonAltitudeAt(const TObsState& state, double jde, double deltaTDays);

}  // namespace himlavy
