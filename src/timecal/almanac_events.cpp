#include "timecal/almanac_events.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <utility>

#include "astro/phenomena.h"
#include "base/basic.h"
#include "base/formatting.h"
#include "base/numtext.h"
#include "base/timescales.h"

namespace himlavy {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// How far before the year the eclipse searches begin, days. A search from JD tries first
// the lunation floor((JD - epoch) / month + 1.03), which may already lie after a new or full
// moon in the first days of the year; starting 40 days early always reaches back to the
// lunation before the year's first (the results before the year are skipped).
constexpr double kEclipseSearchLead = 40.0;

constexpr std::array<std::string_view, 4> kSeasonTexts = {"Vårdagjämning", "Sommarsolstånd",
                                                          "Höstdagjämning", "Vintersolstånd"};
constexpr std::array<TEventType, 4> kSeasonTypes = {
    TEventType::MarchEquinox, TEventType::JuneSolstice, TEventType::SeptemberEquinox,
    TEventType::DecemberSolstice};

constexpr std::array<std::string_view, 4> kPhaseTexts = {"Nymåne", "Månen i första kvarteret",
                                                         "Fullmåne", "Månen i tredje kvarteret"};
constexpr std::array<TEventType, 4> kPhaseTypes = {TEventType::NewMoon, TEventType::FirstQuarter,
                                                   TEventType::FullMoon, TEventType::LastQuarter};

// Solar eclipse texts by kind 1..6.
constexpr std::array<std::string_view, 6> kSolarEclipseTexts = {
    "Total solförmörkelse",
    "Ringformig solförmörkelse",
    "Ringformig total solförmörkelse",
    "Icke central total solförmörkelse",
    "Icke central ringformig solförmörkelse",
    "Partiell solförmörkelse, magnitud="};

// The most steps any one search of a year takes. A year holds about fifty Moon phases and a
// handful of every other event; the Moon-phase estimate needs a few steps back at the ends of
// the calendar's range. The bound keeps a window from hanging on a state no search was made
// for (a year far outside the theories' range): the list is then simply incomplete.
constexpr int kMaxSearchSteps = 400;

// The planets of the almanac, in collecting order.
constexpr std::array<TBody, 7> kAlmanacPlanets = {TBody::Mercury, TBody::Venus,  TBody::Mars,
                                                  TBody::Jupiter, TBody::Saturn, TBody::Uranus,
                                                  TBody::Neptune};

std::string_view LunarEclipseText(int kind) {
  switch (kind) {
    case kLunarTotal:
      return "Total månförmörkelse, magnitud=";
    case kLunarPartial:
      return "Partiell månförmörkelse, magnitud=";
    default:
      return "Penumbral månförmörkelse, magnitud=";
  }
}

// Collects the events of one year into a list; Add keeps those inside the year.
class TCollector {
 public:
  explicit TCollector(const TAlmanacRange& range)
      : range_(range), first_(range.Start + range.DeltaT), end_(range.End + range.DeltaT) {}

  // True when JD is not before the end of the year: a search loop stops there.
  bool PastEnd(double jd) const { return !(jd < end_); }

  // Appends the event when it lies in the year.
  void Add(TAlmanacEvent event) {
    if (event.JD < first_ || PastEnd(event.JD)) return;
    event.LocalJD = event.JD - range_.DeltaT - range_.Z;
    events_.push_back(std::move(event));
  }

  std::vector<TAlmanacEvent> Take() { return std::move(events_); }

 private:
  TAlmanacRange range_;
  double first_;
  double end_;
  std::vector<TAlmanacEvent> events_;
};

TAlmanacEvent MakeEvent(double jd, TEventType type, int kind, std::string_view text) {
  TAlmanacEvent event;
  event.JD = jd;
  event.Event = type;
  event.Kind = kind;
  event.Magnitude = kNaN;
  event.Elongation = kNaN;
  event.Text = std::string(text);
  return event;
}

// A planet event: the planet's number and Swedish name filled in.
TAlmanacEvent MakePlanetEvent(double jd, TEventType type, TBody planet, std::string_view text) {
  TAlmanacEvent event = MakeEvent(jd, type, kAlmanacPlanetEvent, text);
  event.Planet = planet;
  event.Body = std::string(kAlmanacPlanetNames[BodyIndex(planet) - 1]);
  return event;
}

// The equinoxes and solstices that fall in the year's range. Far from our era the Julian
// calendar drifts against the seasons (a day in 128 years), so a season of the year before or
// after may fall inside the range and one of the year itself outside it (before about -1250
// the December solstice lies in January of the next year).
void CollectSeasons(int year, TCollector& out) {
  for (int y = year - 1; y <= year + 1; ++y) {
    for (int which = 0; which < 4; ++which) {
      const auto i = static_cast<std::size_t>(which);
      out.Add(MakeEvent(EquinoxSolstice(y, which), kSeasonTypes[i], kAlmanacSeasonEvent,
                        kSeasonTexts[i]));
    }
  }
}

void CollectSolarEclipses(const TAlmanacRange& range, TCollector& out) {
  double jd = range.Start - kEclipseSearchLead;
  for (int step = 0; step < kMaxSearchSteps; ++step) {
    const TSolarEclipse eclipse = NextSolarEclipse(jd);
    if (out.PastEnd(eclipse.JDE)) break;
    TAlmanacEvent event = MakeEvent(eclipse.JDE, TEventType::SolarEclipse, kAlmanacMoonEvent,
                                    kSolarEclipseTexts[static_cast<std::size_t>(eclipse.Kind - 1)]);
    event.EclipseType = eclipse.Kind;
    if (eclipse.Kind == kSolarPartial) {
      event.Magnitude = eclipse.Magnitude;
      event.Value = FixedText(eclipse.Magnitude, 2);
    }
    out.Add(std::move(event));
    jd = eclipse.JDE;
  }
}

void CollectLunarEclipses(const TAlmanacRange& range, TCollector& out) {
  double jd = range.Start - kEclipseSearchLead;
  for (int step = 0; step < kMaxSearchSteps; ++step) {
    const TLunarEclipse eclipse = NextLunarEclipse(0, jd - 10.0);
    if (out.PastEnd(eclipse.JDE)) break;
    TAlmanacEvent event = MakeEvent(eclipse.JDE, TEventType::LunarEclipse, kAlmanacMoonEvent,
                                    LunarEclipseText(eclipse.Kind));
    event.EclipseType = eclipse.Kind;
    event.Magnitude = eclipse.Magnitude;
    event.Value = FixedText(eclipse.Magnitude, 2);
    out.Add(std::move(event));
    jd = eclipse.JDE;
  }
}

void CollectPlanetEvents(int year, TCollector& out) {
  for (const TBody planet : kAlmanacPlanets) {
    const bool inner = planet == TBody::Mercury || planet == TBody::Venus;
    for (int which = 0; which < 2; ++which) {
      TEventType type;
      std::string_view text;
      if (inner) {
        type = which == 0 ? TEventType::InferiorConjunction : TEventType::SuperiorConjunction;
        text = which == 0 ? " i undre konjunktion med solen" : " i övre konjunktion med solen";
      } else {
        type = which == 0 ? TEventType::Opposition : TEventType::Conjunction;
        text = which == 0 ? " i opposition mot solen" : " i konjunktion med solen";
      }
      const int firstK = PhenomenonK(year, planet, which) - 1;
      for (int k = firstK; k < firstK + kMaxSearchSteps; ++k) {
        const double jde = PlanetPhenomenon(planet, which, k);
        if (out.PastEnd(jde)) break;
        out.Add(MakePlanetEvent(jde, type, planet, text));
      }
    }
  }
}

void CollectElongations(int year, TCollector& out) {
  for (const TBody planet : {TBody::Mercury, TBody::Venus}) {
    for (int side = 0; side < 2; ++side) {
      const TEventType type =
          side == 0 ? TEventType::GreatestElongationEast : TEventType::GreatestElongationWest;
      const std::string_view text =
          side == 0 ? " i maximal östlig elongation=" : " i maximal västlig elongation=";
      const int firstK = PhenomenonK(year, planet, 0) - 1;
      for (int k = firstK; k < firstK + kMaxSearchSteps; ++k) {
        // Mercury and Venus are the first two rows of the phenomena's tables.
        const TElongation elongation = GreatestElongation(static_cast<int>(planet), side, k);
        if (out.PastEnd(elongation.JDE)) break;
        TAlmanacEvent event = MakePlanetEvent(elongation.JDE, type, planet, text);
        event.Elongation = elongation.Elongation;
        event.Value = FixedText(elongation.Elongation, 1) + std::string(kDegreeSign);
        out.Add(std::move(event));
      }
    }
  }
}

void CollectMoonPhases(const TAlmanacRange& range, TCollector& out) {
  // The quarter number q counts phases from the new moon of 2000 January 6: lunation
  // floor(q / 4), phase q mod 4.
  long long q = static_cast<long long>(std::floor((range.Year - 2000) * 4 * 12.3685 - 2.1));
  const auto phaseOf = [](long long quarter) { return ((quarter % 4) + 4) % 4; };
  const auto phaseAt = [&](long long quarter) {
    const long long phase = phaseOf(quarter);
    const long long lunation = (quarter - phase) / 4;
    return MoonPhase(static_cast<int>(lunation), static_cast<int>(phase));
  };
  // The estimate drifts by 0.006 day a year against the calendar (12.3685 mean lunations to
  // a year of 365.2425 days); far from 2000 step back until the first phase tried lies
  // before the year.
  for (int back = 0; back < kMaxSearchSteps && phaseAt(q) >= range.Start + range.DeltaT; ++back) {
    --q;
  }
  for (const long long last = q + kMaxSearchSteps; q < last; ++q) {
    const double jde = phaseAt(q);
    if (out.PastEnd(jde)) break;
    const auto phase = static_cast<std::size_t>(phaseOf(q));
    out.Add(MakeEvent(jde, kPhaseTypes[phase], kAlmanacMoonEvent, kPhaseTexts[phase]));
  }
}

}  // namespace

int AlmanacYearOf(double clockJD) {
  return CalendarDate(clockJD).Year;
}

TAlmanacRange AlmanacYearRange(int year, double timeZone, int timeScale) {
  TAlmanacRange range;
  range.Year = year;
  range.Z = -timeZone / 24.0;
  range.Start = JDJanuary0(year) + 1.0 + range.Z;
  range.End = JDJanuary0(year + 1) + 1.0 + range.Z;
  range.DeltaT = timeScale == kTimeScaleUtc
                     ? DeltaT(JulianCenturies((range.Start + range.End) / 2.0)) / 86400.0
                     : 0.0;
  return range;
}

std::vector<TAlmanacEvent> CollectYearEvents(int year, double timeZone, int timeScale) {
  const TAlmanacRange range = AlmanacYearRange(year, timeZone, timeScale);
  TCollector collector(range);
  CollectSeasons(year, collector);
  CollectSolarEclipses(range, collector);
  CollectLunarEclipses(range, collector);
  CollectPlanetEvents(year, collector);
  CollectElongations(year, collector);
  CollectMoonPhases(range, collector);
  std::vector<TAlmanacEvent> events = collector.Take();
  std::stable_sort(events.begin(), events.end(),
                   [](const TAlmanacEvent& a, const TAlmanacEvent& b) { return a.JD < b.JD; });
  return events;
}

std::string LocalClockText(double localJD) {
  double midnight = std::floor(localJD + 0.5) - 0.5;
  long long seconds = RoundHalfEvenToInt((localJD - midnight) * 86400.0);
  if (seconds >= 86400) {
    midnight += 1.0;
    seconds -= 86400;
  }
  const TCalDate date = CalendarDate(midnight + 0.5);
  const int day = static_cast<int>(date.Day);
  char buffer[48];
  std::snprintf(buffer, sizeof buffer, "%s%04d-%02d-%02dT%02lld:%02lld:%02lld",
                date.Year < 0 ? "-" : "", std::abs(date.Year), date.Month, day, seconds / 3600,
                seconds / 60 % 60, seconds % 60);
  return buffer;
}

}  // namespace himlavy
