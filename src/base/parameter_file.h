// The settings file "parametr.dta": 58 lines, one value per line, in a fixed order.
//
// Integers are written in decimal without padding, reals in exponent form with 15 significant
// digits (" 1.23400000000000E+0002"), strings as their characters only (Windows-1252). The
// moment, IncrementOn and the redraw flags are not in the file.
#pragma once

#include <array>
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

#include "base/obs_state.h"
#include "base/textfile.h"

namespace himlavy {

inline constexpr std::string_view kParameterFileName = "parametr.dta";

enum class TFieldKind { Integer, Real, Text };

// One field of the state that is saved, in file order, or settable by name.
struct TStateField {
  std::string_view Name;
  TFieldKind Kind;
  int TObsState::*IntField = nullptr;
  double TObsState::*RealField = nullptr;
  std::string TObsState::*TextField = nullptr;
  std::size_t Capacity = 0;  // characters, for text fields
  int MinValue = 0;          // allowed range of an integer field
  int MaxValue = 0;
  double MaxMagnitude = 0.0;  // a real field's largest allowed magnitude; 0: any finite value
};

// The 58 lines of the parameter file, in order.
extern const std::array<TStateField, 58> kParameterFields;

// The field of that name among kParameterFields, or nullptr.
const TStateField* FindStateField(std::string_view name);

// Sets a field from its text form (as read from the file: a number is the first blank-separated
// word of the text, the rest ignored; text is cut to its capacity). Returns false, leaving the
// field unchanged, when the text is not a valid value of the field's type and range (the
// integers' ranges; TimeZone within +-14 hours, Latitude +-90 and Longitude +-180 degrees).
bool SetStateField(TObsState& state, const TStateField& field, std::string_view text);

// The line the file holds for the field (without line end, UTF-8). A finite real beyond
// +-1.79769313486231E308 is written as that value, so that every line the program writes reads
// back.
std::string StateFieldText(const TObsState& state, const TStateField& field);

// Result of reading the parameter file.
struct TLoadResult {
  bool Opened = false;     // the file existed and could be read
  int LinesRead = 0;       // lines present (at most 58 are used)
  int FieldsRejected = 0;  // lines whose text was not a value of their field
};

// Reads the parameter file into the state. A missing file changes nothing. Each present line
// sets its field; a line that is not a valid value (text where a number belongs, a number out
// of its field's range) leaves that field as it was and reading goes on with the next line, so
// a short or damaged file never shifts the later fields. Lines are read to at most 4096 bytes.
TLoadResult LoadParameters(TObsState& state, const std::filesystem::path& path);

// The file's bytes for the state (Windows-1252, CRLF line ends).
std::string ParameterFileBytes(const TObsState& state);

// Writes the parameter file atomically (WriteFileAtomically). On failure the old file is
// untouched and the result holds the reason.
TWriteResult SaveParameters(const TObsState& state, const std::filesystem::path& path);

}  // namespace himlavy
