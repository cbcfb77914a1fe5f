#include "shell/status_line.h"

#include <cmath>

#include "base/formatting.h"
#include "base/numtext.h"
#include "base/timescales.h"

namespace himlavy {

namespace {

// " Zon=" zone "   Skala=" scale "   dT=" delta T at the clock reading.
std::string ZoneText(const TObsState& state, const std::string& scale, char decimalSep) {
  const double deltaT = DeltaT(JulianCenturies(state.ClockJD));
  return " Zon=" + FixedText(state.TimeZone, 2, decimalSep) + "   Skala=" + scale +
         "   dT=" + FormatHMShort(deltaT / 3600.0);
}

}  // namespace

std::array<std::string, 9> StatusLineTexts(const TObsState& state, char decimalSep) {
  const TCalDateTime clock = CalendarDateTime(state.ClockJD);

  std::array<std::string, 9> panels;
  panels[0] = " " + std::to_string(clock.Year) + "-" + std::to_string(clock.Month) + "-" +
              GeneralText(clock.Day, 2, decimalSep) + " " +
              std::string(WeekdayName(WeekdayOf(state.ClockJD)));
  panels[1] = " " + FixedText(clock.Hour, 0, decimalSep) + "h" +
              FixedText(clock.Minute, 0, decimalSep) + "m" +
              FixedText(clock.Second, 0, decimalSep) + "s";
  panels[2] = ZoneText(state, state.TimeScale == kTimeScaleTdt ? "TDT" : "UTC", decimalSep);
  panels[3] = " JD=" + FixedText(state.JD_UT, 6, decimalSep);
  if (state.RealTime == 1) {
    panels[4] = " Inkr.= Nu!";
  } else {
    panels[4] = std::string(" Inkr.= ") + (state.StepDays < 0.0 ? "-" : " ") + state.StepLabel;
  }
  panels[5] = " " + state.PlaceName;
  panels[6] = " Latitud=" + FormatDM(std::fabs(state.Latitude) + 0.0001) +
              (state.Latitude < 0.0 ? " S" : " N");
  panels[7] = " Longitud=" + FormatDM(std::fabs(state.Longitude) + 0.0001) +
              (state.Longitude < 0.0 ? " V" : " Ö");
  panels[8] = " Höjd=" + GeneralText(state.Height, 15, decimalSep) + "m";
  return panels;
}

TPrintHeader PrintHeaderTexts(const TObsState& state, int chartZoom, char decimalSep) {
  const std::array<std::string, 9> line = StatusLineTexts(state, decimalSep);
  const TCalDateTime clock = CalendarDateTime(state.ClockJD);
  TPrintHeader h;
  h.Title = "Himlavy 4.6";
  h.Date.assign(1, ' ');  // not = " ": GCC 12 warns (-Wrestrict) about that at -O2
  h.Date += WeekdayName(WeekdayOf(state.ClockJD));
  for (const std::string& part : {GeneralText(clock.Day, 2, decimalSep),
                                  std::to_string(clock.Month), std::to_string(clock.Year)}) {
    h.Date += '-';
    h.Date += part;
  }
  h.Time = line[1];
  h.Zone = ZoneText(state, std::to_string(chartZoom), decimalSep);
  h.JD = line[3];
  h.Place = line[5];
  h.Latitude = line[6];
  h.Longitude = line[7];
  h.Height = line[8];
  return h;
}

}  // namespace himlavy
