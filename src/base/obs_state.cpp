#include "base/obs_state.h"

#include <chrono>
#include <ctime>

namespace himlavy {

const std::array<TStepChoice, 18> kStepChoices = {{
    {" Nu!", 0.0, " Nu!  ", true},
    {" 6 sek", 6.0 / 86400.0, " 6 sek", false},
    {"30 sek", 30.0 / 86400.0, "30 sek", false},
    {" 1 min", 60.0 / 86400.0, " 1 min", false},
    {" 6 min", 360.0 / 86400.0, " 6 min", false},
    {"30 min", 1800.0 / 86400.0, "30 min", false},
    {" 1 tim", 3600.0 / 86400.0, " 1 tim", false},
    {" 6 tim", 0.25, " 6 tim", false},
    {" 1 stjärndygn", 0.99726956633, "23h56m", false},
    {" 1 dygn", 1.0, "1 dygn", false},
    {" 1 medelsoldygn", 1.00273790935, "24h4m", false},
    {" 7 dygn", 7.0, "7 dygn", false},
    {" 1 mån", 30.4375, " 1 mån", false},
    {" 3 mån", 91.3125, " 3 mån", false},
    {" 1 år", 365.24219, " 1 år ", false},
    {" 5 år", 1826.21095, " 5 år ", false},
    {"20 år", 7304.8438, "20 år ", false},
    {"100 år", 36524.219, "100 år", false},
}};

void DeriveTimes(TObsState& state) {
  const double deltaT = DeltaT(JulianCenturies(state.ClockJD)) / 86400.0;
  const double z = -state.TimeZone / 24.0;
  if (state.TimeScale == kTimeScaleTdt) {
    state.JD_UT = state.ClockJD - deltaT + z;
    state.JD_TT = state.ClockJD + z;
  } else {
    state.JD_UT = state.ClockJD + z;
    state.JD_TT = deltaT + state.ClockJD + z;
  }
}

void SetMomentFromClockReading(TObsState& state, const TCalDateTime& reading) {
  state.ClockJD = JulianDayTime(reading);
  DeriveTimes(state);
}

TCalDateTime ReadComputerClock() {
  const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
  std::tm local{};
  localtime_r(&now, &local);
  TCalDateTime reading;
  reading.Year = local.tm_year + 1900;
  reading.Month = local.tm_mon + 1;
  reading.Day = local.tm_mday;
  reading.Hour = local.tm_hour;
  reading.Minute = local.tm_min;
  reading.Second = local.tm_sec;
  return reading;
}

void SetMomentFromComputerClock(TObsState& state) {
  SetMomentFromClockReading(state, ReadComputerClock());
}

void RaiseAllRedrawFlags(TObsState& state) {
  for (const auto flag : kRedrawFlags) state.*flag = 1;
}

void IncrementTick(TObsState& state, TCalDateTime (*readClock)()) {
  if (state.IncrementOn == 0) return;
  if (state.RealTime == 1) {
    SetMomentFromClockReading(state, readClock());
    return;
  }
  state.ClockJD += state.StepDays;
  if (state.ClockJD > kMaxClockJD) state.ClockJD = kMaxClockJD;
  if (state.ClockJD < 0.0) state.ClockJD = 0.0;
  DeriveTimes(state);
}

void ApplyStepChoice(TObsState& state, const TStepChoice& choice) {
  if (choice.RealTime) {
    state.RealTime = 1;
  } else {
    state.RealTime = 0;
    state.StepDays = choice.Days;
  }
  state.StepLabel = std::string(choice.Label);
}

void StepMoment(TObsState& state, double days) {
  state.ClockJD += days;
  DeriveTimes(state);
  for (const auto flag : kRedrawFlags) {
    if (flag != &TObsState::RedrawEarth && flag != &TObsState::RedrawIncrement) state.*flag = 1;
  }
}

int TimerSpeedInterval(int timerSpeed) {
  switch (timerSpeed) {
    case 1:
      return 1000;
    case 2:
      return 100;
    default:
      return 10000;
  }
}

}  // namespace himlavy
