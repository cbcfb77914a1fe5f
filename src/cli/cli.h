// himlavy-cli: the command-line companion. Shared pieces of its commands.
#pragma once

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "base/obs_state.h"

namespace himlavy::cli {

// Exit statuses.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;   // the command ran and failed (a file could not be written)
inline constexpr int kExitUsage = 2;     // bad options or arguments
inline constexpr int kExitNotBuilt = 3;  // a window that does not exist yet

// The decimal separator of the texts the windows show in a Swedish locale (the almanac's and
// the calendar's numbers); every text command writes them so.
inline constexpr char kDecimalSep = ',';

// A bad option or argument: the message is printed as one line and the exit status is 2.
struct UsageError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// What every command receives: the state after the options, and the command's own arguments.
struct Context {
  TObsState State;
  std::filesystem::path DataDir;
  bool Json = false;
  std::vector<std::string> Args;  // the command's arguments, --json removed
};

// Reads "YYYY-MM-DD[THH:MM[:SS]]" (the year may carry a sign). nullopt when malformed.
std::optional<TCalDateTime> ParseClockText(std::string_view text);

// True when the date of a reading is a day of the calendar: no 30 February, and none of the
// ten days 1582-10-05 ... 1582-10-14 that the Gregorian reform left out.
bool DateExists(const TCalDateTime& reading);

// Reads a number option value that must lie within +-maxMagnitude (a zone, a latitude, a
// longitude); throws UsageError naming the option and the range otherwise.
double RangedOption(std::string_view option, std::string_view value, double maxMagnitude);

// Reads a number option value; throws UsageError naming the option when it is not a number.
double NumberOption(std::string_view option, std::string_view value);

// The value following an option that takes one, throwing UsageError when it is missing.
std::string TakeValue(const std::vector<std::string>& args, std::size_t& i);

// The year of the command's only option "--year ÅR" (firstYear ... 9999), or nullopt when the
// option is absent. Throws UsageError for any other argument or a bad year.
std::optional<int> YearOption(const Context& context, std::string_view command, int firstYear);

// Reports on standard error that the planet series files are missing or damaged in the data
// folder; returns kExitFailure.
int PlanetFilesMissing(const Context& context);

int StateCommand(Context& context);
int RenderCommand(Context& context);
int EphemerisCommand(Context& context);
int JupiterMoonsCommand(Context& context);
int EventsCommand(Context& context);
int CalendarCommand(Context& context);
int HolidaysCommand(Context& context);
int AlmanacCommand(Context& context);
int DiskCommand(Context& context);
int BrowseCommand(Context& context);
int OrbitCommand(Context& context);
int SunPositionCommand(Context& context);
int SolarEclipsesCommand(Context& context);
int LunarEclipsesCommand(Context& context);

}  // namespace himlavy::cli
