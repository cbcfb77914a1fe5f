// Fuzz target: the settings file "parametr.dta" and the setting of a state field by name.
//
// Input: the file. Checks: no more lines read than the file has fields; every integer field
// inside its range after loading; the bytes the program writes for the loaded state read back
// whole (58 lines, none rejected) to the same bytes; and a "Name=value" first line sets that
// field (by name, as `--set` does) only to a value of its type and range, and the state it
// gives writes and reads back whole, raw bytes that are not UTF-8 included.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_support.h"
#include "base/parameter_file.h"
#include "base/textfile.h"

namespace himlavy {
namespace {

void CheckState(const TObsState& state) {
  for (const TStateField& field : kParameterFields) {
    switch (field.Kind) {
      case TFieldKind::Integer:
        HIMLAVY_FUZZ_CHECK(state.*field.IntField >= field.MinValue &&
                           state.*field.IntField <= field.MaxValue);
        break;
      case TFieldKind::Real:
        HIMLAVY_FUZZ_CHECK(std::isfinite(state.*field.RealField));
        break;
      case TFieldKind::Text:
        HIMLAVY_FUZZ_CHECK(fuzz::IsUtf8(state.*field.TextField));
        HIMLAVY_FUZZ_CHECK(fuzz::CharCount(state.*field.TextField) <= field.Capacity);
        break;
    }
  }
}

// What the program writes for a state, it reads back whole and writes again unchanged.
void CheckRoundTrip(const TObsState& state, fuzz::MemFile& file) {
  const std::string saved = ParameterFileBytes(state);
  TObsState again;
  const TLoadResult reloaded = LoadParameters(again, file.Write(saved));
  HIMLAVY_FUZZ_CHECK(reloaded.Opened);
  HIMLAVY_FUZZ_CHECK(static_cast<std::size_t>(reloaded.LinesRead) == kParameterFields.size());
  HIMLAVY_FUZZ_CHECK(reloaded.FieldsRejected == 0);
  HIMLAVY_FUZZ_CHECK(ParameterFileBytes(again) == saved);
}

}  // namespace
}  // namespace himlavy

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace himlavy;
  const std::string_view text = fuzz::Bytes(data, size);
  static fuzz::MemFile file;

  TObsState state;
  const TLoadResult loaded = LoadParameters(state, file.Write(text));
  HIMLAVY_FUZZ_CHECK(loaded.Opened);
  HIMLAVY_FUZZ_CHECK(loaded.LinesRead >= 0 &&
                     static_cast<std::size_t>(loaded.LinesRead) <= kParameterFields.size());
  HIMLAVY_FUZZ_CHECK(loaded.FieldsRejected >= 0 && loaded.FieldsRejected <= loaded.LinesRead);
  CheckState(state);

  CheckRoundTrip(state, file);

  // "Name=value" on the first line: set by name.
  const std::string_view first = text.substr(0, text.find('\n'));
  if (const auto equals = first.find('='); equals != std::string_view::npos) {
    if (const TStateField* field = FindStateField(first.substr(0, equals))) {
      TObsState byName;
      SetStateField(byName, *field, Cp1252ToUtf8(first.substr(equals + 1)));
      CheckState(byName);
      CheckRoundTrip(byName, file);
      // The raw bytes, as a command line may give them (not always UTF-8).
      TObsState raw;
      SetStateField(raw, *field, first.substr(equals + 1));
      CheckRoundTrip(raw, file);
    }
  }
  return 0;
}
