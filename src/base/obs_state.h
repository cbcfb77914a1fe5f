// The observation state: when, where and how the sky is shown.
//
// There is one TObsState for the whole program. Every window reads it when it computes; only a
// few places write it, and each writer of the moment or the site calls DeriveTimes straight
// after writing and, outside an increment tick, RaiseAllRedrawFlags. Every field starts at zero
// or empty; the parameter file supplies the saved values and the moment comes from the
// computer clock at start-up.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "base/timescales.h"

namespace himlavy {

// What the clock reading (ClockJD) counts: UTC or dynamical time (TDT). Saved as 0 or 1.
enum TTimeScale : int { kTimeScaleUtc = 0, kTimeScaleTdt = 1 };

struct TObsState {
  // --- The moment ---
  double ClockJD = 0.0;   // entered clock reading, in TimeZone and TimeScale; 0..kMaxClockJD
  double JD_UT = 0.0;     // derived by DeriveTimes only
  double JD_TT = 0.0;     // derived by DeriveTimes only
  double TimeZone = 0.0;  // hours, east positive
  int TimeScale = kTimeScaleUtc;  // TTimeScale: kTimeScaleUtc or kTimeScaleTdt

  // --- The time increment ---
  unsigned char IncrementOn = 0;  // 1 while the increment runs; not saved
  double StepDays = 0.0;          // added to ClockJD at each tick; negative runs backwards
  std::string StepLabel;          // at most 6 characters
  int RealTime = 0;               // 1: each tick reads the computer clock
  int TimerSpeed = 0;             // 0 = 10000 ms, 1 = 1000 ms, 2 = 100 ms

  // --- The site ---
  std::string PlaceName;     // at most 30 characters
  std::string NewPlaceName;  // at most 30 characters: last text typed as "Ny ort"
  double Latitude = 0.0;     // degrees, north positive
  double Longitude = 0.0;    // degrees, east positive
  double Height = 0.0;       // metres

  // --- Sky-chart choices ---
  int CoordSystem = 0;  // 0..6
  int Hemisphere = 0;   // 0 north, 1 south
  int CentreDir = 0;    // 0 "S/12h", 1 "N/0h"
  int Orientation = 0;  // 0 normal, 1 turned 90 degrees
  int DisplayMode = 0;  // 0 normal, 1 atlas
  int ChartScale = 0;
  double ChartOffsetX = 0.0;
  double ChartOffsetY = 0.0;

  // --- Show, label, catalog and correction switches (1 on, 0 off) ---
  int ShowCoordLines = 0;
  int ShowSunPlanets = 0;
  int ShowMoons = 0;
  int ShowAsteroids1 = 0;
  int ShowAsteroids2 = 0;
  int ShowAsteroids3 = 0;
  int ShowComets = 0;
  int ShowProbes = 0;
  int ShowConstellations = 0;
  int ShowConstBounds = 0;
  int ShowHistory = 0;
  int LabelStars = 0;
  int LabelDeepSky = 0;
  int LabelPlanets = 0;
  int LabelMinorBodies = 0;
  int LabelConstellations = 0;
  int MapColour = 0;  // Earth maps: 1 coloured, 0 grey
  int CatBSC = 0;
  int CatSKY = 0;
  int ColourIndex = 0;
  int CatGCVS = 0;
  int CatWDS = 0;
  int CatNGC = 0;
  int CatRC3 = 0;
  int CatPGC = 0;
  int CatSAC = 0;
  int CatGCM = 0;
  int CatLBN = 0;
  int CatOCL = 0;
  int CatGPN = 0;
  int CorrLightTime = 0;
  int CorrAberration = 0;
  int CorrNutation = 0;
  int CorrPrecession = 0;
  int CorrProperMotion = 0;
  int CorrParallax = 0;
  int CorrParallactic = 0;
  int CorrRefraction = 0;
  int CorrExtinction = 0;

  // --- Shared current values (radians), written by the windows that compute them ---
  double Obliquity = 0.0;
  double NutLon = 0.0;
  double NutObl = 0.0;

  // --- Redraw flags: 1 = the window recomputes at its next check. Not saved. ---
  int RedrawChart = 0;
  int RedrawMercury = 0;
  int RedrawVenus = 0;
  int RedrawMars = 0;
  int RedrawJupiter = 0;
  int RedrawSaturn = 0;
  int RedrawMoon = 0;
  int RedrawJupMoons = 0;
  int RedrawJupCentre = 0;
  int RedrawEarth = 0;
  int RedrawSunPos = 0;
  int RedrawDayNight = 0;
  int RedrawEarthCentre = 0;
  int RedrawSolarEcl = 0;
  int RedrawLunarEcl = 0;
  int RedrawCalendar = 0;
  int RedrawAlmanac = 0;
  int RedrawHolidays = 0;
  int RedrawIncrement = 0;
};

// The nineteen redraw flags, for code that treats them alike.
inline constexpr std::array<int TObsState::*, 19> kRedrawFlags = {
    &TObsState::RedrawChart,       &TObsState::RedrawMercury,  &TObsState::RedrawVenus,
    &TObsState::RedrawMars,        &TObsState::RedrawJupiter,  &TObsState::RedrawSaturn,
    &TObsState::RedrawMoon,        &TObsState::RedrawJupMoons, &TObsState::RedrawJupCentre,
    &TObsState::RedrawEarth,       &TObsState::RedrawSunPos,   &TObsState::RedrawDayNight,
    &TObsState::RedrawEarthCentre, &TObsState::RedrawSolarEcl, &TObsState::RedrawLunarEcl,
    &TObsState::RedrawCalendar,    &TObsState::RedrawAlmanac,  &TObsState::RedrawHolidays,
    &TObsState::RedrawIncrement};

// The ranges of the zone and the site. A zone beyond 14 hours or a site off the globe is
// refused wherever it is typed or read: every computation of the moment and the site relies
// on them.
inline constexpr double kMaxZoneHours = 14.0;  // Kiribati's Line Islands keep UTC+14
inline constexpr double kMaxLatitude = 90.0;
inline constexpr double kMaxLongitude = 180.0;

// One choice of the time step: the settings dialog's caption, the step and its label.
struct TStepChoice {
  std::string_view Caption;
  double Days;  // ignored for the real-time choice
  std::string_view Label;
  bool RealTime;
};

// The eighteen step choices in the order the settings dialog lists them.
extern const std::array<TStepChoice, 18> kStepChoices;

// Recomputes JD_UT and JD_TT from ClockJD, TimeZone and TimeScale. Delta T is taken at the
// clock reading's T (not at the UT moment).
void DeriveTimes(TObsState& state);

// Sets ClockJD from a clock reading (year, month, day, hour, minute, second), then DeriveTimes.
void SetMomentFromClockReading(TObsState& state, const TCalDateTime& reading);

// Reads the computer's local date and time to the second.
TCalDateTime ReadComputerClock();

// Sets the moment from the computer's local clock (milliseconds dropped), then DeriveTimes.
void SetMomentFromComputerClock(TObsState& state);

// Sets all nineteen redraw flags to 1.
void RaiseAllRedrawFlags(TObsState& state);

// One tick of the time increment. Nothing while IncrementOn is 0; with RealTime 1 the moment
// comes from `readClock`; otherwise ClockJD += StepDays, clamped to 0..kMaxClockJD, then
// DeriveTimes. Raises no redraw flags.
void IncrementTick(TObsState& state, TCalDateTime (*readClock)() = &ReadComputerClock);

// Applies a step choice as the settings dialog does: RealTime 1 for the real-time choice
// (StepDays kept), else RealTime 0, StepDays positive and the choice's label.
void ApplyStepChoice(TObsState& state, const TStepChoice& choice);

// The steps of the increment window, in days: a tropical year, a mean Gregorian month, a day,
// an hour, a minute and a second ("År", "Mån", "Dag", "Tim", "Min", "Sek").
inline constexpr std::array<double, 6> kMomentSteps = {365.24219,  30.4375,      1.0,
                                                       1.0 / 24.0, 1.0 / 1440.0, 1.0 / 86400.0};

// Steps the moment by `days` (negative steps back) as the increment window does:
// ClockJD += days with no clamping (a step may leave 0..kMaxClockJD), then DeriveTimes, then
// raises the redraw flag of every window that shows the moment: all flags except RedrawEarth
// (the Earth map shows only the site) and RedrawIncrement (the increment window itself).
void StepMoment(TObsState& state, double days);

// Interval in milliseconds of the increment and follow timers for a TimerSpeed value: 10 s
// for 0 (slow), 1 s for 1, 100 ms for 2 (fast).
int TimerSpeedInterval(int timerSpeed);

}  // namespace himlavy
