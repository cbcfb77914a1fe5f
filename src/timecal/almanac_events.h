// The astronomical events of a calendar year, as the almanac lists them.
//
// The year runs from local midnight of 1 January to the next, in the zone and time scale of
// the clock. Its events are collected by the searches of the periodic-phenomena module
// (astro/phenomena.h) in a fixed order (seasons, solar eclipses, lunar eclipses, conjunctions
// and oppositions, greatest elongations, Moon phases), then sorted by time. Every event
// carries its time as a Julian Ephemeris Day and as the local clock reading the almanac
// prints, with the body name, event text and value text the almanac shows.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "astro/bodies.h"
#include "base/obs_state.h"

namespace himlavy {

// What happens.
enum class TEventType {
  NewMoon,
  FirstQuarter,
  FullMoon,
  LastQuarter,
  MarchEquinox,
  JuneSolstice,
  SeptemberEquinox,
  DecemberSolstice,
  SolarEclipse,
  LunarEclipse,
  InferiorConjunction,
  SuperiorConjunction,
  Opposition,
  Conjunction,
  GreatestElongationEast,
  GreatestElongationWest,
};

// Lower-case keys of the event types, in the order of TEventType ("new_moon", ...).
inline constexpr std::array<std::string_view, 16> kEventTypeKeys = {
    "new_moon",
    "first_quarter",
    "full_moon",
    "last_quarter",
    "march_equinox",
    "june_solstice",
    "september_equinox",
    "december_solstice",
    "solar_eclipse",
    "lunar_eclipse",
    "inferior_conjunction",
    "superior_conjunction",
    "opposition",
    "conjunction",
    "greatest_elongation_east",
    "greatest_elongation_west",
};

// Print precision of an event (the almanac's kind).
inline constexpr int kAlmanacPlanetEvent = 0;  // to the hour
inline constexpr int kAlmanacMoonEvent = 2;    // Moon phases and eclipses: to the minute
inline constexpr int kAlmanacSeasonEvent = 4;  // equinoxes and solstices: to the second

// Swedish planet names, Mercury to Neptune (index: the planet's TBody number - 1).
inline constexpr std::array<std::string_view, 8> kAlmanacPlanetNames = {
    "Merkurius", "Venus", "Jorden", "Mars", "Jupiter", "Saturnus", "Uranus", "Neptunus"};

// The time range of an almanac year.
struct TAlmanacRange {
  int Year = 0;
  double Start = 0.0;   // local midnight of 1 January, as a UT (or TT) Julian day
  double End = 0.0;     // local midnight of the next 1 January, same scale
  double Z = 0.0;       // -TimeZone / 24, days
  double DeltaT = 0.0;  // TT - UT at mid-year in days when the clock reads UTC, else 0
};

// One event.
struct TAlmanacEvent {
  double JD = 0.0;       // Julian Ephemeris Day (dynamical time)
  double LocalJD = 0.0;  // local clock reading: JD - DeltaT - Z of the year's range
  TEventType Event = TEventType::NewMoon;
  int Kind = 0;  // print precision: kAlmanacPlanetEvent, ...MoonEvent, ...SeasonEvent
  std::optional<TBody> Planet;  // the planet of a planet event, none otherwise
  int EclipseType = 0;          // solar 1..6, lunar 1, 6, 7; 0 for other events
  double Magnitude = 0.0;       // eclipse magnitude; NaN for other events and for solar
                                // eclipses other than partial ones
  double Elongation = 0.0;      // greatest elongation, degrees; NaN for other events
  std::string Body;             // Swedish planet name, empty for events without a body
  std::string Text;             // the almanac's event text
  std::string Value;            // the almanac's value text, empty when there is none
};

// AlmanacYearOf: the almanac's year for a clock reading.
//   clockJD  clock reading (Julian day in the clock's zone and scale)
// Returns the year of CalendarDate(clockJD).
int AlmanacYearOf(double clockJD);

// AlmanacYearRange: the time range of a year.
//   year       calendar year
//   timeZone   hours, east positive
//   timeScale  kTimeScaleUtc (the clock reads UTC) or kTimeScaleTdt
// Returns Z = -timeZone/24, Start = JDJanuary0(year) + 1 + Z, End = JDJanuary0(year + 1) +
// 1 + Z, and DeltaT = DeltaT(JulianCenturies((Start + End) / 2)) / 86400 for kTimeScaleUtc
// (0 for kTimeScaleTdt). An event of Julian Ephemeris Day JD belongs to the year when its local
// clock reading JD - DeltaT - Z lies in [Start - Z, End - Z), i.e. Start + DeltaT <= JD <
// End + DeltaT.
TAlmanacRange AlmanacYearRange(int year, double timeZone, int timeScale);

// CollectYearEvents: every event of a year, in time order.
//   year, timeZone, timeScale  as for AlmanacYearRange
// Returns the equinoxes and solstices, solar and lunar eclipses, conjunctions and oppositions
// of Mercury to Neptune, greatest elongations of Mercury and Venus and the Moon's phases that
// fall in the year, sorted by JD (events at the same JD keep the collecting order). The list
// is complete: a window that shows only the first ones cuts it itself.
// Sources: J. Meeus, Astronomical Algorithms (1991), chapters 26, 47 and 52; (1998) ch. 36.
std::vector<TAlmanacEvent> CollectYearEvents(int year, double timeZone, int timeScale);

// LocalClockText: a local clock reading as "YYYY-MM-DDTHH:MM:SS", rounded to the second.
//   localJD  clock reading, Julian day >= 0
// Returns the date and time; the year has at least four digits (a minus sign before a
// negative year).
std::string LocalClockText(double localJD);

}  // namespace himlavy
