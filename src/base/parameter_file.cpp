#include "base/parameter_file.h"

#include <cmath>
#include <limits>

#include "base/numtext.h"
#include "base/textfile.h"

namespace himlavy {

namespace {

constexpr int kIntMax = std::numeric_limits<int>::max();

// The largest magnitude whose 15-digit text reads back. A larger double (up to the largest,
// 1.7976931348623157E308) would be written rounded up, as 1.79769313486232E+0308, which lies
// beyond every double and would be refused on reading.
constexpr double kLargestSavedReal = 1.79769313486231e308;

constexpr TStateField Int(std::string_view name, int TObsState::*field, int lo, int hi) {
  return TStateField{name, TFieldKind::Integer, field, nullptr, nullptr, 0, lo, hi};
}
constexpr TStateField Switch(std::string_view name, int TObsState::*field) {
  return Int(name, field, 0, 1);
}
constexpr TStateField Real(std::string_view name, double TObsState::*field,
                           double maxMagnitude = 0.0) {
  return TStateField{name, TFieldKind::Real, nullptr, field, nullptr, 0, 0, 0, maxMagnitude};
}
constexpr TStateField Text(std::string_view name, std::string TObsState::*field,
                           std::size_t capacity) {
  return TStateField{name, TFieldKind::Text, nullptr, nullptr, field, capacity, 0, 0};
}

// The first blank-separated word of a line: the part a typed read of a number consumes.
std::string_view FirstWord(std::string_view text) {
  const auto begin = text.find_first_not_of(" \t");
  if (begin == std::string_view::npos) return {};
  const auto end = text.find_first_of(" \t", begin);
  return text.substr(begin, end == std::string_view::npos ? std::string_view::npos : end - begin);
}

}  // namespace

// Fields outside their range are treated as damaged lines: every value the program itself
// writes lies inside, the windows index tables by the integers, and the searches of a year
// and the site's computations rely on the zone and the site being on Earth.
const std::array<TStateField, 58> kParameterFields = {{
    Switch("MapColour", &TObsState::MapColour),
    Real("TimeZone", &TObsState::TimeZone, kMaxZoneHours),
    Int("TimeScale", &TObsState::TimeScale, kTimeScaleUtc, kTimeScaleTdt),
    Int("TimerSpeed", &TObsState::TimerSpeed, 0, 2),
    Text("StepLabel", &TObsState::StepLabel, 6),
    Real("StepDays", &TObsState::StepDays),
    Switch("RealTime", &TObsState::RealTime),
    Text("PlaceName", &TObsState::PlaceName, 30),
    Real("Latitude", &TObsState::Latitude, kMaxLatitude),
    Real("Longitude", &TObsState::Longitude, kMaxLongitude),
    Real("Height", &TObsState::Height),
    Int("CoordSystem", &TObsState::CoordSystem, 0, 6),
    Int("Orientation", &TObsState::Orientation, 0, 1),
    Int("CentreDir", &TObsState::CentreDir, 0, 1),
    Int("Hemisphere", &TObsState::Hemisphere, 0, 1),
    Switch("ShowCoordLines", &TObsState::ShowCoordLines),
    Switch("ShowSunPlanets", &TObsState::ShowSunPlanets),
    Switch("ShowMoons", &TObsState::ShowMoons),
    Switch("ShowAsteroids1", &TObsState::ShowAsteroids1),
    Switch("ShowAsteroids2", &TObsState::ShowAsteroids2),
    Switch("ShowAsteroids3", &TObsState::ShowAsteroids3),
    Switch("ShowComets", &TObsState::ShowComets),
    Switch("ShowProbes", &TObsState::ShowProbes),
    Int("DisplayMode", &TObsState::DisplayMode, 0, 1),
    Switch("ShowConstellations", &TObsState::ShowConstellations),
    Switch("ShowConstBounds", &TObsState::ShowConstBounds),
    Switch("LabelStars", &TObsState::LabelStars),
    Switch("LabelDeepSky", &TObsState::LabelDeepSky),
    Switch("LabelPlanets", &TObsState::LabelPlanets),
    Switch("LabelMinorBodies", &TObsState::LabelMinorBodies),
    Switch("LabelConstellations", &TObsState::LabelConstellations),
    Switch("ShowHistory", &TObsState::ShowHistory),
    Switch("CatBSC", &TObsState::CatBSC),
    Switch("CatSKY", &TObsState::CatSKY),
    Switch("ColourIndex", &TObsState::ColourIndex),
    Switch("CatGCVS", &TObsState::CatGCVS),
    Switch("CatWDS", &TObsState::CatWDS),
    Switch("CatNGC", &TObsState::CatNGC),
    Switch("CatRC3", &TObsState::CatRC3),
    Switch("CatPGC", &TObsState::CatPGC),
    Switch("CatSAC", &TObsState::CatSAC),
    Switch("CatGCM", &TObsState::CatGCM),
    Switch("CatLBN", &TObsState::CatLBN),
    Switch("CatOCL", &TObsState::CatOCL),
    Switch("CatGPN", &TObsState::CatGPN),
    Switch("CorrLightTime", &TObsState::CorrLightTime),
    Switch("CorrNutation", &TObsState::CorrNutation),
    Switch("CorrAberration", &TObsState::CorrAberration),
    Switch("CorrParallax", &TObsState::CorrParallax),
    Switch("CorrRefraction", &TObsState::CorrRefraction),
    Switch("CorrExtinction", &TObsState::CorrExtinction),
    Switch("CorrParallactic", &TObsState::CorrParallactic),
    Switch("CorrProperMotion", &TObsState::CorrProperMotion),
    Switch("CorrPrecession", &TObsState::CorrPrecession),
    Text("NewPlaceName", &TObsState::NewPlaceName, 30),
    Real("ChartOffsetX", &TObsState::ChartOffsetX),
    Real("ChartOffsetY", &TObsState::ChartOffsetY),
    Int("ChartScale", &TObsState::ChartScale, 0, kIntMax),
}};

const TStateField* FindStateField(std::string_view name) {
  for (const auto& field : kParameterFields) {
    if (field.Name == name) return &field;
  }
  return nullptr;
}

bool SetStateField(TObsState& state, const TStateField& field, std::string_view text) {
  switch (field.Kind) {
    case TFieldKind::Integer: {
      const auto value = ParseInteger(FirstWord(text));
      if (!value || *value < field.MinValue || *value > field.MaxValue) return false;
      state.*field.IntField = static_cast<int>(*value);
      return true;
    }
    case TFieldKind::Real: {
      const auto value = ParseReal(FirstWord(text));
      if (!value) return false;
      if (field.MaxMagnitude > 0.0 && !(std::fabs(*value) <= field.MaxMagnitude)) return false;
      state.*field.RealField = *value;
      return true;
    }
    case TFieldKind::Text:
      // Texts are kept as UTF-8; bytes from outside that are not are read as Windows-1252.
      state.*field.TextField = Utf8Left(ValidUtf8(text), field.Capacity);
      return true;
  }
  return false;
}

std::string StateFieldText(const TObsState& state, const TStateField& field) {
  switch (field.Kind) {
    case TFieldKind::Integer:
      return std::to_string(state.*field.IntField);
    case TFieldKind::Real: {
      double value = state.*field.RealField;
      if (std::isfinite(value) && std::fabs(value) > kLargestSavedReal) {
        value = std::copysign(kLargestSavedReal, value);
      }
      return ParamRealText(value);
    }
    case TFieldKind::Text: {
      // A line break inside a text would shift every later line of the file.
      std::string text = state.*field.TextField;
      for (char& c : text) {
        if (c == '\r' || c == '\n') c = ' ';
      }
      return text;
    }
  }
  return {};
}

TLoadResult LoadParameters(TObsState& state, const std::filesystem::path& path) {
  TLoadResult result;
  const auto lines = ReadRawLines(path, 4096, kParameterFields.size());
  if (!lines) return result;
  result.Opened = true;
  result.LinesRead = static_cast<int>(lines->size());
  for (std::size_t i = 0; i < lines->size(); ++i) {
    if (!SetStateField(state, kParameterFields[i], Cp1252ToUtf8((*lines)[i]))) {
      ++result.FieldsRejected;
    }
  }
  return result;
}

std::string ParameterFileBytes(const TObsState& state) {
  std::string bytes;
  for (const auto& field : kParameterFields) {
    bytes += Utf8ToCp1252(StateFieldText(state, field));
    bytes += kLineEnd;
  }
  return bytes;
}

TWriteResult SaveParameters(const TObsState& state, const std::filesystem::path& path) {
  return WriteFileAtomically(path, ParameterFileBytes(state));
}

}  // namespace himlavy
