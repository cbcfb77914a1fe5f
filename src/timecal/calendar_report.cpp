// The calendar for one day: texts and numbers of the calendar window.
#include "timecal/calendar_report.h"

#include "astro/positions.h"
#include "base/basic.h"
#include "base/formatting.h"
#include "base/numtext.h"
#include "base/timescales.h"

namespace himlavy {

namespace {

constexpr double kOneDayInCenturies = 1.0 / kDaysPerCentury;
// Seconds to Julian centuries: 1 / (86400 * 36525).
constexpr double kSecondsToCenturies = 3.168808781402895e-10;
// The Earth's equatorial radius in km, for the Moon's horizontal parallax.
// The Value of a line that shows no number.
constexpr double kNoValue = std::numeric_limits<double>::quiet_NaN();
// The blanks that put the sidereal time under the end of its caption.
constexpr int kSiderealIndent = 38;

constexpr std::array<std::string_view, 3> kTwilightNames = {
    "Borgerlig skymning", "Nautisk skymning", "Astronomisk skymning"};
constexpr std::array<TCalendarLineKind, 3> kTwilightKinds = {
    TCalendarLineKind::CivilTwilight, TCalendarLineKind::NauticalTwilight,
    TCalendarLineKind::AstronomicalTwilight};

// A time of day as the calendar prints it: hours and rounded minutes.
std::string TimeText(double hours) {
  return FormatHM(hours);
}

// Rising and setting on one line: name, time, name, time.
std::vector<TTextItem> RiseSetItems(std::string_view riseName, std::string_view setName,
                                    const TRiseSetHours& times, int y) {
  return {{kCalendarNameX, y, std::string(riseName)},
          {kCalendarRiseX, y, TimeText(times.Rise)},
          {kCalendarSetNameX, y, std::string(setName)},
          {kCalendarSetX, y, TimeText(times.Set)}};
}

// The three positions at local midnight of the day before, the day and the day after, turned
// from ecliptic to equatorial coordinates with the obliquity eps.
template <typename Position>
std::array<TEquatorial, 3> ThreeDays(double te, double eps, Position position,
                                     double* todayDistance = nullptr) {
  std::array<TEquatorial, 3> result{};
  for (int i = 0; i < 3; ++i) {
    const TSpherical p = position(te + (i - 1) * kOneDayInCenturies);
    result[i] = EclipticToEquatorial(p.Lon, p.Lat, eps);
    if (i == 1 && todayDistance != nullptr) *todayDistance = p.R;
  }
  return result;
}

}  // namespace

void CalendarStep(TObsState& state, TCalendarStep step, int direction) {
  state.ClockJD += direction * kCalendarStepButtons[static_cast<std::size_t>(step)].Days;
  DeriveTimes(state);
  for (const auto flag : kRedrawFlags) {
    if (flag != &TObsState::RedrawEarth) state.*flag = 1;
  }
}

void StoreChartSharedValues(TObsState& state) {
  if (state.CorrNutation != 1) return;
  const double t = JulianCenturies(state.JD_TT);
  const TNutation nutation = NutationIAU1980(t);
  state.Obliquity = MeanObliquity(t);
  state.NutLon = nutation.DPsi;
  state.NutObl = nutation.DEps;
}

TRiseSetHours RiseSetHours(const std::array<TEquatorial, 3>& positions, double tm, double deltaT,
                           double h0, double lambdaWest, double phi) {
  const TRiseTransitSet events = RiseTransitSet(
      tm, deltaT, positions[0].Alpha, positions[0].Delta, positions[1].Alpha, positions[1].Delta,
      positions[2].Alpha, positions[2].Delta, h0, lambdaWest, phi);
  constexpr double kAngleToHours = 12.0 / kPi;
  return {events.Rise * kAngleToHours, events.Transit * kAngleToHours,
          events.SetTime * kAngleToHours, events.Status};
}

TCalendarReport CalendarReport(const TObsState& state, const std::filesystem::path& dataDir,
                               char decimalSep) {
  TCalendarReport r;

  // The local date of the clock reading and its moments.
  const TCalDateTime date = CalendarDayOnly(state.ClockJD);
  r.Year = date.Year;
  r.Month = date.Month;
  r.Day = static_cast<int>(date.Day);
  r.DayNumber = DayOfYear(TCalDate{date.Year, date.Month, date.Day});
  r.JD0 = JulianDay(date.Year, date.Month, date.Day);
  r.Weekday = WeekdayOf(r.JD0);
  const double z = -state.TimeZone / 24.0;
  r.T0 = JulianCenturies(r.JD0);
  r.Theta0 = GreenwichSiderealTime(r.T0);
  r.Tm = r.T0 + z / kDaysPerCentury;
  r.DeltaT = DeltaT(r.T0);
  r.Te = r.Tm + r.DeltaT * kSecondsToCenturies;
  const double lambdaWest = -state.Longitude * kDegToRad;
  const double phi = state.Latitude * kDegToRad;

  r.Title = "Kalender för " + std::to_string(r.Year) + "-" + std::to_string(r.Month) + "-" +
            std::to_string(r.Day) + " " + std::string(WeekdayName(r.Weekday)) + " (UTC " +
            FixedText(state.TimeZone, 2, decimalSep) + ")";
  r.Place = state.PlaceName;

  int k = kCalendarFirstLine;
  // A line with the event times behind it and, for the first three, the number it shows.
  const auto addLine = [&](TCalendarLineKind kind, std::vector<TTextItem> items,
                           TRiseSetHours times = {}, double value = kNoValue) {
    r.Lines.push_back({kind, k, std::move(items), value, times});
  };
  const auto y = [&] { return kCalendarLineHeight * k; };

  addLine(TCalendarLineKind::JulianDay,
          {{kCalendarNameX, y(), "Julianskt dagtal vid 0 h=" + GeneralText(r.JD0, 13, decimalSep)}},
          {}, r.JD0);
  ++k;
  addLine(TCalendarLineKind::DayNumber,
          {{kCalendarNameX, y(), "Dagtal=" + std::to_string(r.DayNumber)}}, {}, r.DayNumber);

  // The Sun: geometric places from the Earth's series, on the mean equator of date.
  const double eps0 = MeanObliquity(r.Te);
  const TNutation nutation = NutationIAU1980(r.Te);
  {
    TPlanetDataSession planetData(dataDir);
    r.SunComputed = planetData.Load(TSeriesPlanet::Earth);
    if (r.SunComputed) {
      r.Sun =
          ThreeDays(r.Te, eps0, [](double t) { return GeocentricSun(TSeriesPlanet::Earth, t); });
    }
  }

  if (r.SunComputed) {
    r.EquationOfTime = EquationOfTime(nutation.DPsi, eps0, r.Sun[1].Alpha, r.Te);
    const double eotHours = r.EquationOfTime * 12.0 / kPi;
    ++k;
    addLine(TCalendarLineKind::EquationOfTime,
            {{kCalendarNameX, y(), "Tidsekvationen vid 0 h=" + FormatHMShort(eotHours)}}, {},
            eotHours);

    for (std::size_t i = 0; i < kSunAltitudes.size(); ++i) {
      r.SunEvents[i] = RiseSetHours(r.Sun, r.Tm, r.DeltaT, kSunAltitudes[i], lambdaWest, phi);
    }
    const TRiseSetHours& horizon = r.SunEvents[0];
    k += 2;
    if (horizon.Status == TRiseSetStatus::AlwaysAbove) {
      addLine(TCalendarLineKind::SunAlwaysUp,
              {{kCalendarNameX, y(),
                "Solen är alltid över horisonten. I meridianen: " + TimeText(horizon.Transit)}},
              horizon);
    } else {
      if (horizon.Status == TRiseSetStatus::Crosses) {
        addLine(TCalendarLineKind::Sunrise, RiseSetItems("Soluppgång", "Solnedgång", horizon, y()),
                horizon);
      } else {
        addLine(TCalendarLineKind::SunNeverRises, {{kCalendarNameX, y(), "Solen går inte upp."}},
                horizon);
      }
      for (std::size_t i = 1; i < kSunAltitudes.size(); ++i) {
        const TRiseSetHours& twilight = r.SunEvents[i];
        if (twilight.Status != TRiseSetStatus::Crosses) continue;
        ++k;
        // Drawn as the name, the evening time, then the morning time.
        addLine(kTwilightKinds[i - 1],
                {{kCalendarNameX, y(), std::string(kTwilightNames[i - 1])},
                 {kCalendarSetX, y(), TimeText(twilight.Set)},
                 {kCalendarRiseX, y(), TimeText(twilight.Rise)}},
                twilight);
      }
      if (r.SunEvents[3].Status == TRiseSetStatus::AlwaysBelow) {
        k += 2;
        addLine(TCalendarLineKind::AlwaysDark, {{kCalendarNameX, y(), "Alltid mörkt."}},
                r.SunEvents[3]);
      }
    }
  }

  // The Moon: Meeus's lunar theory, on the mean equator of date.
  double moonDistance = 0.0;
  r.Moon = ThreeDays(
      r.Te, eps0, [](double t) { return MoonPosition(t); }, &moonDistance);
  r.MoonParallax = ArcSin(kEarthRadiusKm / moonDistance);
  r.MoonAltitude = MoonStandardAltitude(r.MoonParallax);
  r.MoonEvents = RiseSetHours(r.Moon, r.Tm, r.DeltaT, r.MoonAltitude, lambdaWest, phi);
  k += 2;
  switch (r.MoonEvents.Status) {
    case TRiseSetStatus::Crosses:
      addLine(TCalendarLineKind::Moonrise,
              RiseSetItems("Månuppgång", "Månnedgång", r.MoonEvents, y()), r.MoonEvents);
      break;
    case TRiseSetStatus::AlwaysAbove:
      addLine(TCalendarLineKind::MoonAlwaysUp,
              {{kCalendarNameX, y(), "Månen är alltid över horisonten."}}, r.MoonEvents);
      break;
    default:
      addLine(TCalendarLineKind::MoonAlwaysDown,
              {{kCalendarNameX, y(), "Månen är alltid under horisonten."}}, r.MoonEvents);
      break;
  }
  r.LastLine = k;

  // The current values: the state's moment and the nutation last computed by the sky chart.
  r.DeltaT1 = state.TimeScale == kTimeScaleUtc ? DeltaT(JulianCenturies(state.ClockJD)) : 0.0;
  r.Labels[0] = "Approximativt delta-T=" + FormatHMShort(r.DeltaT1 / 3600.0);
  r.Labels[1] = "JD  =" + GeneralText(state.JD_UT, 13, decimalSep);
  r.Labels[2] = "JDE=" + GeneralText(state.JD_TT, 13, decimalSep);
  r.Labels[3] = "Nut.lon.=" + FormatArcSecFine(state.NutLon * kRadToDeg);
  r.Labels[4] = "Nut.obl.=" + FormatArcSecFine(state.NutObl * kRadToDeg);
  r.Labels[5] =
      "Ekl. obl. + nut.obl.=" + FormatDMSFine((state.Obliquity + state.NutObl) * kRadToDeg);
  r.Labels[6] = "Siderisk tid för Greenwich vid 0 h=";
  r.Labels[7] = std::string(kSiderealIndent, ' ') + FormatHMSFine(r.Theta0 * 12.0 / kPi);
  return r;
}

}  // namespace himlavy
