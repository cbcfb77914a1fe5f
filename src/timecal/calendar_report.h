// The calendar for one day: everything the calendar window shows, as data.
//
// For the local calendar date of the clock reading and the observing site: the Julian day at
// 0 h, the day number, the equation of time, the rising and setting of the Sun with the three
// twilights, the rising and setting of the Moon, and a block of current values (delta T, the
// Julian days in UT and dynamical time, nutation, obliquity and Greenwich sidereal time). The
// window draws the texts of TCalendarReport where the items say; it computes nothing itself.
//
// Times in the day's lines are local clock times of the zone TimeZone, counted from the local
// midnight that starts the date; they come from the day's three positions (yesterday, today and
// tomorrow at local midnight) by Meeus's interpolation method (J. Meeus, Astronomical
// Algorithms, 1st ed., 1991, ch. 14). The Sun's places are geometric positions from the
// planetary series turned to the equator with the mean obliquity; the Moon's are those of
// Meeus's lunar theory (ch. 45).
#pragma once

#include <array>
#include <filesystem>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "astro/reductions.h"
#include "base/obs_state.h"

namespace himlavy {

// --- The window's fixed texts and layout (pixels at 96 dpi) ---
inline constexpr std::string_view kCalendarCaption = "Kalender";
inline constexpr std::string_view kCalendarHelpTopic = "HVHELP.XAN_293";
inline constexpr std::string_view kCalendarAreaHint = "Tiderna gäller för skivans överkant.";
inline constexpr std::string_view kCalendarGroupCaption = "Aktuella beräkningsvärden";
inline constexpr int kCalendarWindowX = 489;
inline constexpr int kCalendarWindowY = 73;
inline constexpr int kCalendarWindowWidth = 527;
inline constexpr int kCalendarWindowHeight = 274;
inline constexpr int kCalendarAreaX = 6;  // the bevelled area in which the day's lines are drawn
inline constexpr int kCalendarAreaY = 66;
inline constexpr int kCalendarAreaWidth = 295;
inline constexpr int kCalendarAreaHeight = 176;
inline constexpr int kCalendarLineHeight = 14;    // line k is drawn at y = 14 k
inline constexpr int kCalendarFirstLine = 5;      // the first line drawn
inline constexpr int kCalendarClearLeft = 10;     // bands are cleared from x = 10 ...
inline constexpr int kCalendarClearRight = 290;   // ... to x = 290
inline constexpr int kCalendarClearBottom = 240;  // below the last line, cleared down to here
inline constexpr int kCalendarLabelStep = 14;     // the group's labels, 14 pixels apart
inline constexpr int kCalendarFollowMs = 300;     // follow timer while the increment runs
// Text columns of the rise and set lines.
inline constexpr int kCalendarNameX = 10;
inline constexpr int kCalendarRiseX = 124;
inline constexpr int kCalendarSetNameX = 172;
inline constexpr int kCalendarSetX = 246;

// --- Stepping the moment with the window's spin buttons ---
enum class TCalendarStep { Year, Month, Day };

// One spin button: its label, its hint and the days one click adds or takes away.
struct TCalendarStepButton {
  std::string_view Label;
  std::string_view Hint;
  double Days;
};

// "År" a tropical year, "Månad" a mean Gregorian month, "Dag" one day, indexed by
// TCalendarStep.
inline constexpr std::array<TCalendarStepButton, 3> kCalendarStepButtons = {{
    {"År", "Öka eller minska år", 365.24219},
    {"Månad", "Öka eller minska månad", 30.4375},
    {"Dag", "Öka eller minska dag", 1.0},
}};

// CalendarStep: one click of a spin button.
//   state      the observation state (in/out)
//   step       which button
//   direction  +1 for up, -1 for down
// Adds direction times the button's days to ClockJD (no clamping), derives JD_UT and JD_TT
// again and sets every redraw flag except the Earth map's (RedrawEarth) to 1, the calendar's
// own included.
void CalendarStep(TObsState& state, TCalendarStep step, int direction);

// --- The day's lines ---

// What a line of the bevelled area says.
enum class TCalendarLineKind {
  JulianDay,             // "Julianskt dagtal vid 0 h=..."
  DayNumber,             // "Dagtal=..."
  EquationOfTime,        // "Tidsekvationen vid 0 h=..."
  Sunrise,               // "Soluppgång" ... "Solnedgång" ...
  SunAlwaysUp,           // "Solen är alltid över horisonten. I meridianen: ..."
  SunNeverRises,         // "Solen går inte upp."
  CivilTwilight,         // "Borgerlig skymning"
  NauticalTwilight,      // "Nautisk skymning"
  AstronomicalTwilight,  // "Astronomisk skymning"
  AlwaysDark,            // "Alltid mörkt."
  Moonrise,              // "Månuppgång" ... "Månnedgång" ...
  MoonAlwaysUp,          // "Månen är alltid över horisonten."
  MoonAlwaysDown,        // "Månen är alltid under horisonten."
};

// Lower-case keys of the line kinds, in the order of TCalendarLineKind.
inline constexpr std::array<std::string_view, 13> kCalendarLineKeys = {
    "julian_day",      "day_number",        "equation_of_time",
    "sunrise",         "sun_always_up",     "sun_never_rises",
    "civil_twilight",  "nautical_twilight", "astronomical_twilight",
    "always_dark",     "moonrise",          "moon_always_up",
    "moon_always_down"};

// One text drawn with its top-left corner at (X, Y), in the window's client coordinates (the
// bevelled area covers x 6..300, y 66..241; line k is at y = 14 k).
struct TTextItem {
  int X = 0;
  int Y = 0;
  std::string Text;
};

// Rising, transit and setting in local clock hours from the local midnight of the date.
struct TRiseSetHours {
  double Rise = 0.0;
  double Transit = 0.0;
  double Set = 0.0;
  TRiseSetStatus Status = TRiseSetStatus::Crosses;
};

// One line of the bevelled area.
struct TCalendarLine {
  TCalendarLineKind Kind = TCalendarLineKind::JulianDay;
  int Line = 0;                  // k: drawn at y = 14 k
  std::vector<TTextItem> Items;  // in drawing order
  // The number the text shows: JD for JulianDay, the day number for DayNumber, the equation of
  // time in hours for EquationOfTime, NaN for the others.
  double Value = std::numeric_limits<double>::quiet_NaN();
  TRiseSetHours Times;  // the event times behind a rise, set, twilight or always-up line
};

// The four solar altitudes of the day's lines, radians: sunrise and sunset (the upper limb
// with refraction, -50'), civil, nautical and astronomical twilight.
inline constexpr std::array<double, 4> kSunAltitudes = {-0.014543828656868749, -6.0 * kDegToRad,
                                                        -12.0 * kDegToRad, -18.0 * kDegToRad};

// Everything the window shows, with the numbers behind it.
struct TCalendarReport {
  std::string Title;                  // the first large label
  std::string Place;                  // the second large label (PlaceName)
  std::vector<TCalendarLine> Lines;   // the bevelled area, top to bottom
  int LastLine = 0;                   // k of the last line; below it the area is cleared
  std::array<std::string, 8> Labels;  // the group "Aktuella beräkningsvärden", top to bottom

  // The date and its quantities.
  int Year = 0;
  int Month = 0;
  int Day = 0;
  int DayNumber = 0;                         // 1..366
  int Weekday = 0;                           // 1 = Monday
  double JD0 = 0.0;                          // 0 h of the date
  double T0 = 0.0;                           // Julian centuries of JD0
  double Tm = 0.0;                           // local midnight, UT, Julian centuries
  double Te = 0.0;                           // local midnight, dynamical time, Julian centuries
  double DeltaT = 0.0;                       // seconds, at T0
  double Theta0 = 0.0;                       // Greenwich mean sidereal time at JD0, radians
  bool SunComputed = false;                  // false when the Earth's series could not be loaded
  double EquationOfTime = 0.0;               // radians
  std::array<TEquatorial, 3> Sun{};          // yesterday, today, tomorrow at local midnight
  std::array<TRiseSetHours, 4> SunEvents{};  // at the altitudes of kSunAltitudes
  std::array<TEquatorial, 3> Moon{};
  double MoonParallax = 0.0;  // equatorial horizontal parallax, radians
  double MoonAltitude = 0.0;  // standard altitude h0, radians
  TRiseSetHours MoonEvents;
  double DeltaT1 = 0.0;  // the delta T of the label, seconds (0 when the clock reads TDT)
};

// RiseSetHours: rising, transit and setting of a body for a local date.
//   positions   apparent right ascension and declination at local midnight of the day
//               before, the day and the day after (radians)
//   tm          Julian centuries UT of the local midnight that starts the date
//   deltaT      TT - UT, seconds
//   h0          standard altitude, radians
//   lambdaWest  the observer's longitude, radians, positive WEST
//   phi         the observer's latitude, radians
// Returns the times of RiseTransitSet as hours from that midnight (its angles times 12/pi),
// with its status. Source: Meeus (1991), ch. 14.
TRiseSetHours RiseSetHours(const std::array<TEquatorial, 3>& positions, double tm, double deltaT,
                           double h0, double lambdaWest, double phi);

// CalendarReport: the calendar of the state's local date at the state's site.
//   state       the observation state: ClockJD, TimeZone, TimeScale, Latitude, Longitude,
//               PlaceName, JD_UT, JD_TT and the shared Obliquity, NutLon and NutObl
//   dataDir     folder of the planetary series "PLANETS2.NDX" and "PLANETS.DAT"
//   decimalSep  the user's decimal separator, for the numbers the window writes in the
//               system's number format (the zone, the Julian days); the angle and time texts
//               always use a point
// The Sun's lines are left out when the Earth's series cannot be loaded (SunComputed false);
// the Moon needs no file. Opens and closes the planetary term buffer.
TCalendarReport CalendarReport(const TObsState& state, const std::filesystem::path& dataDir,
                               char decimalSep);

// StoreChartSharedValues: the shared current values as the sky chart leaves them for the
// state's moment, for a calendar drawn where no sky chart runs (himlavy-cli).
//   state  the observation state (in/out): with CorrNutation 1, Obliquity = MeanObliquity(T)
//          and NutLon, NutObl = NutationIAU1980(T) at T = JulianCenturies(JD_TT), radians;
//          with nutation off the chart stores nothing and the three are left as they are
// Source: Meeus (1991), ch. 21: table 21.A (IAU 1980 nutation), formula 21.3 (Laskar).
void StoreChartSharedValues(TObsState& state);

}  // namespace himlavy
