#include "shell/status_line.h"

#include <cmath>

#include "timecal/formatting.h"
#include "timecal/numtext.h"

namespace himlavy {

std::array<std::string, 9> StatusLineTexts(const TObsState& state, char decimalSep) {
  const TCalDateTime clock = CalendarDateTime(state.ClockJD);
  const int weekday = WeekdayOf(state.ClockJD);
  const double deltaT = DeltaT(JulianCenturies(state.ClockJD));

  std::array<std::string, 9> panels;
  panels[0] = " " + std::to_string(clock.Year) + "-" + std::to_string(clock.Month) + "-" +
              GeneralText(clock.Day, 2, decimalSep) + " " +
              std::string(kWeekdayNames[(weekday - 1) % 7]);
  panels[1] = " " + FixedText(clock.Hour, 0, decimalSep) + "h" +
              FixedText(clock.Minute, 0, decimalSep) + "m" +
              FixedText(clock.Second, 0, decimalSep) + "s";
  panels[2] = " Zon=" + FixedText(state.TimeZone, 2, decimalSep) +
              "   Skala=" + (state.TimeScale == 1 ? "TDT" : "UTC") +
              "   dT=" + FormatHMShort(deltaT / 3600.0);
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

}  // namespace himlavy
