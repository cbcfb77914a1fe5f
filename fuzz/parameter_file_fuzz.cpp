// Fuzz target: the settings file "parametr.dta" and the setting of a state field by name.
//
// Input: the file. Checks: no more lines read than the file has fields; every integer field
// inside its range after loading; the latitude, longitude and zone inside the ranges the
// program relies on (+-90 and +-180 degrees, +-14 hours) once the reader refuses values beyond
// them; an increment tick from the first and from the last moment keeps the clock reading
// within Julian day 0 ... 5373484.5 and derives finite moments (within the zone of the clock
// reading); the bytes the program writes for the loaded state read back whole (58 lines, none
// rejected) to the same bytes; and a "Name=value" first line sets that field (by name, as
// `--set` does) only to a value of its type and range, and the state it gives writes and reads
// back whole, raw bytes that are not UTF-8 included.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "base/obs_state.h"
#include "base/parameter_file.h"
#include "base/textfile.h"
#include "base/timescales.h"
#include "fuzz_support.h"

namespace himlavy {
namespace {

// The ranges of the real fields that the program relies on.
struct TRealRange {
  std::string_view Name;
  double Limit;  // the field lies within -Limit ... +Limit
  bool Refused = false;
};
TRealRange RealRanges[] = {{"Latitude", 90.0}, {"Longitude", 180.0}, {"TimeZone", 14.0}};

// A range is checked on every state once the reader refuses values just beyond it on both
// sides; until then it is reported once and left unchecked.
void FindRefusedRanges() {
  for (TRealRange& range : RealRanges) {
    const TStateField* field = FindStateField(range.Name);
    HIMLAVY_FUZZ_CHECK(field != nullptr && field->Kind == TFieldKind::Real);
    TObsState state;
    range.Refused = !SetStateField(state, *field, std::to_string(range.Limit + 0.5)) &&
                    !SetStateField(state, *field, std::to_string(-range.Limit - 0.5));
    if (!range.Refused) {
      std::fprintf(stderr, "note: the reader takes %s beyond +-%g; that range is not checked\n",
                   std::string(range.Name).c_str(), range.Limit);
    }
  }
}

bool ZoneChecked() {
  return RealRanges[2].Refused;
}

// A clock reading that never changes, for the real-time step.
TCalDateTime FixedClock() {
  return TCalDateTime{2024, 1, 1.0, 0, 0, 0.0};
}

// One increment tick from the first and from the last moment the program takes.
void CheckMoments(const TObsState& loaded) {
  for (const double start : {0.0, kMaxClockJD}) {
    TObsState state = loaded;
    state.ClockJD = start;
    state.IncrementOn = 1;
    IncrementTick(state, &FixedClock);
    HIMLAVY_FUZZ_CHECK(state.ClockJD >= 0.0 && state.ClockJD <= kMaxClockJD);
    HIMLAVY_FUZZ_CHECK(std::isfinite(state.JD_UT) && std::isfinite(state.JD_TT));
    if (ZoneChecked()) {
      const double zoneMoment = state.TimeScale == kTimeScaleUtc ? state.JD_UT : state.JD_TT;
      HIMLAVY_FUZZ_CHECK(std::fabs(zoneMoment - state.ClockJD) <= 14.0 / 24.0 + 1e-6);
    }
  }
}

void CheckState(const TObsState& state) {
  for (const TRealRange& range : RealRanges) {
    if (!range.Refused) continue;
    const double value = state.*FindStateField(range.Name)->RealField;
    HIMLAVY_FUZZ_CHECK(value >= -range.Limit && value <= range.Limit);
  }
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
  static const bool ranges = (FindRefusedRanges(), true);
  (void)ranges;

  TObsState state;
  const TLoadResult loaded = LoadParameters(state, file.Write(text));
  HIMLAVY_FUZZ_CHECK(loaded.Opened);
  HIMLAVY_FUZZ_CHECK(loaded.LinesRead >= 0 &&
                     static_cast<std::size_t>(loaded.LinesRead) <= kParameterFields.size());
  HIMLAVY_FUZZ_CHECK(loaded.FieldsRejected >= 0 && loaded.FieldsRejected <= loaded.LinesRead);
  CheckState(state);
  CheckMoments(state);

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
