// himlavy-cli [OPTIONS] COMMAND [ARGS]: what the program computes, as text or JSON.
#include <cmath>
#include <iostream>
#include <map>

#include "base/numtext.h"
#include "base/parameter_file.h"
#include "base/place_lookup.h"
#include "base/textfile.h"
#include "cli/cli.h"

namespace himlavy::cli {

namespace {

constexpr const char* kUsage =
    "användning: himlavy-cli [--data MAPP] [--date ÅÅÅÅ-MM-DD[THH:MM[:SS]] | --jd JD] [--zone "
    "TIMMAR]\n"
    "            [--scale utc|tdt] [--lat GRADER] [--lon GRADER] [--height M] [--place TEXT]\n"
    "            [--set FÄLT=VÄRDE] KOMMANDO [--json] [ARGUMENT]\n"
    "kommandon: state, ephemeris [--bodies sun,moon,...], jupiter-moons, events [--year ÅR],\n"
    "           calendar, holidays [--year ÅR], almanac [--year ÅR],\n"
    "           disk mercury|venus|mars|jupiter|saturn|moon, sun-position,\n"
    "           browse KATALOG ZON,\n"
    "           orbit [FIL],\n"
    "           solar-eclipses [--year ÅR], lunar-eclipses [--year ÅR],\n"
    "           render FÖNSTER --out FIL.png [--page N] [--topic HVHELP.XAN_nnn]\n";

using Command = int (*)(Context&);

const std::map<std::string, Command, std::less<>>& Commands() {
  static const std::map<std::string, Command, std::less<>> commands = {
      {"state", &StateCommand},
      {"render", &RenderCommand},
      {"ephemeris", &EphemerisCommand},
      {"jupiter-moons", &JupiterMoonsCommand},
      {"events", &EventsCommand},
      {"calendar", &CalendarCommand},
      {"holidays", &HolidaysCommand},
      {"almanac", &AlmanacCommand},
      {"disk", &DiskCommand},
      {"browse", &BrowseCommand},
      {"orbit", &OrbitCommand},
      {"sun-position", &SunPositionCommand},
      {"solar-eclipses", &SolarEclipsesCommand},
      {"lunar-eclipses", &LunarEclipsesCommand},
  };
  return commands;
}

int Run(const std::vector<std::string>& args) {
  Context context;
  context.DataDir = std::filesystem::current_path();

  // First pass: the data folder, so that the parameter file is read before the other options.
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--data")
      context.DataDir = TakeValue(args, i);
    else if (!args[i].starts_with("--"))
      break;
    else if (args[i] != "--json" && args[i] != "--help")
      ++i;
  }
  LoadParameters(context.State, ResolveDataPath(context.DataDir, kParameterFileName));

  std::optional<double> clockJD;
  std::string command;
  std::size_t i = 0;
  for (; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (!arg.starts_with("--")) {
      command = arg;
      ++i;
      break;
    }
    if (arg == "--help") {
      std::cout << kUsage;
      return kExitOk;
    }
    if (arg == "--json") {
      context.Json = true;
      continue;
    }
    if (arg == "--data") {
      TakeValue(args, i);
    } else if (arg == "--date") {
      const std::string value = TakeValue(args, i);
      const auto reading = ParseClockText(value);
      if (!reading) throw UsageError("ogiltigt datum för --date: '" + value + "'");
      if (!DateExists(*reading)) {
        throw UsageError("datumet finns inte i kalendern: '" + value + "'");
      }
      clockJD = JulianDayTime(*reading);
    } else if (arg == "--jd") {
      clockJD = NumberOption(arg, TakeValue(args, i));
    } else if (arg == "--zone") {
      context.State.TimeZone = RangedOption(arg, TakeValue(args, i), kMaxZoneHours);
    } else if (arg == "--scale") {
      const std::string value = TakeValue(args, i);
      if (value == "utc" || value == "UTC")
        context.State.TimeScale = kTimeScaleUtc;
      else if (value == "tdt" || value == "TDT")
        context.State.TimeScale = kTimeScaleTdt;
      else
        throw UsageError("--scale ska vara utc eller tdt, inte '" + value + "'");
    } else if (arg == "--lat") {
      context.State.Latitude = RangedOption(arg, TakeValue(args, i), kMaxLatitude);
    } else if (arg == "--lon") {
      context.State.Longitude = RangedOption(arg, TakeValue(args, i), kMaxLongitude);
    } else if (arg == "--height") {
      context.State.Height = NumberOption(arg, TakeValue(args, i));
    } else if (arg == "--place") {
      // The key is matched against the UTF-8 names; bytes that are not UTF-8 are Windows-1252.
      const std::string key = ValidUtf8(TakeValue(args, i));
      const auto found =
          LookUpPlace(context.State, key, ResolveDataPath(context.DataDir, kPlaceFileName));
      if (found.Status == TLookUpStatus::FileMissing) {
        throw UsageError("filen ortsnamn.dta saknas i " + context.DataDir.string());
      }
      if (found.Status == TLookUpStatus::NotFound) {
        throw UsageError("orten '" + key + "' finns inte i ortsnamn.dta");
      }
    } else if (arg == "--set") {
      const std::string value = TakeValue(args, i);
      const auto eq = value.find('=');
      const std::string name = value.substr(0, eq);
      const TStateField* field = FindStateField(name);
      if (eq == std::string::npos || field == nullptr) {
        throw UsageError("okänt fält i --set: '" + name + "'");
      }
      if (!SetStateField(context.State, *field, value.substr(eq + 1))) {
        throw UsageError("ogiltigt värde för " + name + ": '" + value.substr(eq + 1) + "'");
      }
    } else {
      throw UsageError("okänd flagga: " + arg);
    }
  }
  if (command.empty()) throw UsageError("inget kommando angivet (state, render, ...)");
  const auto found = Commands().find(command);
  if (found == Commands().end()) throw UsageError("okänt kommando: " + command);

  for (; i < args.size(); ++i) {
    if (args[i] == "--json")
      context.Json = true;
    else
      context.Args.push_back(args[i]);
  }

  if (clockJD) {
    if (!(*clockJD >= 0.0 && *clockJD <= kMaxClockJD)) {
      throw UsageError("tidpunkten ligger utanför JD 0 ... 5373484.5");
    }
    context.State.ClockJD = *clockJD;
    DeriveTimes(context.State);
  } else {
    SetMomentFromComputerClock(context.State);
  }
  return found->second(context);
}

}  // namespace

std::optional<TCalDateTime> ParseClockText(std::string_view text) {
  // [sign]YYYY-MM-DD, then optionally THH:MM and :SS (seconds may carry decimals).
  std::size_t pos = 0;
  const auto number = [&](std::size_t minDigits, std::size_t maxDigits) -> std::optional<int> {
    const std::size_t start = pos;
    while (pos < text.size() && pos - start < maxDigits && text[pos] >= '0' && text[pos] <= '9') {
      ++pos;
    }
    if (pos - start < minDigits) return std::nullopt;
    return std::stoi(std::string(text.substr(start, pos - start)));
  };
  const auto expect = [&](char c) {
    if (pos < text.size() && text[pos] == c) {
      ++pos;
      return true;
    }
    return false;
  };
  TCalDateTime reading;
  const bool negative = expect('-');
  if (!negative) expect('+');
  const auto year = number(1, 7);
  if (!year || !expect('-')) return std::nullopt;
  const auto month = number(1, 2);
  if (!month || !expect('-')) return std::nullopt;
  const auto day = number(1, 2);
  if (!day) return std::nullopt;
  reading.Year = negative ? -*year : *year;
  reading.Month = *month;
  reading.Day = *day;
  if (*month < 1 || *month > 12 || *day < 1 || *day > 31) return std::nullopt;
  if (pos < text.size()) {
    if (!expect('T') && !expect(' ')) return std::nullopt;
    const auto hour = number(1, 2);
    if (!hour || !expect(':')) return std::nullopt;
    const auto minute = number(1, 2);
    if (!minute || *hour > 23 || *minute > 59) return std::nullopt;
    reading.Hour = *hour;
    reading.Minute = *minute;
    if (expect(':')) {
      const auto second = ParseReal(text.substr(pos));
      if (!second || *second < 0.0 || *second >= 60.0) return std::nullopt;
      reading.Second = *second;
      pos = text.size();
    }
  }
  if (pos != text.size()) return std::nullopt;
  return reading;
}

bool DateExists(const TCalDateTime& reading) {
  const double jd = JulianDay(reading.Year, reading.Month, reading.Day);
  // Before JD 0 the calendar conversion has no meaning; the range check refuses such dates.
  if (!(jd >= 0.0)) return true;
  const TCalDate back = CalendarDate(jd);
  return back.Year == reading.Year && back.Month == reading.Month &&
         static_cast<int>(back.Day) == static_cast<int>(reading.Day);
}

double RangedOption(std::string_view option, std::string_view value, double maxMagnitude) {
  const double number = NumberOption(option, value);
  if (!(std::fabs(number) <= maxMagnitude)) {
    throw UsageError(std::string(option) + " ska ligga mellan -" + GeneralText(maxMagnitude, 15) +
                     " och " + GeneralText(maxMagnitude, 15) + ", inte '" + std::string(value) +
                     "'");
  }
  return number;
}

double NumberOption(std::string_view option, std::string_view value) {
  const auto number = ParseReal(value);
  if (!number) {
    throw UsageError("ogiltigt tal för " + std::string(option) + ": '" + std::string(value) + "'");
  }
  return *number;
}

std::string TakeValue(const std::vector<std::string>& args, std::size_t& i) {
  if (i + 1 >= args.size()) throw UsageError(args[i] + " saknar värde");
  return args[++i];
}

std::optional<int> YearOption(const Context& context, std::string_view command, int firstYear) {
  std::optional<int> year;
  for (std::size_t i = 0; i < context.Args.size(); ++i) {
    if (context.Args[i] != "--year") {
      throw UsageError("okänt argument till " + std::string(command) + ": " + context.Args[i]);
    }
    const std::string value = TakeValue(context.Args, i);
    const auto number = ParseInteger(value);
    if (!number || *number < firstYear || *number > 9999) {
      throw UsageError("ogiltigt år för --year: '" + value + "'");
    }
    year = static_cast<int>(*number);
  }
  return year;
}

int PlanetFilesMissing(const Context& context) {
  std::cerr << "himlavy-cli: planetfilerna PLANETS2.NDX och PLANETS.DAT saknas eller är skadade i "
            << context.DataDir.string() << "\n";
  return kExitFailure;
}

}  // namespace himlavy::cli

int main(int argc, char* argv[]) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  try {
    return himlavy::cli::Run(args);
  } catch (const himlavy::cli::UsageError& error) {
    std::cerr << "himlavy-cli: " << error.what() << "\n";
    return himlavy::cli::kExitUsage;
  }
}
