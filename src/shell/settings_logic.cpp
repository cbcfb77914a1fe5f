#include "shell/settings_logic.h"

#include <climits>
#include <fstream>
#include <system_error>

#include "base/formatting.h"
#include "base/numtext.h"
#include "base/parameter_file.h"
#include "base/place_lookup.h"
#include "base/textfile.h"
#include "catalogs/catalog_records.h"

namespace himlavy {

namespace {

// Coordinate-system masks: bit n set = enabled in system n.
constexpr std::uint8_t kAll = 0b1111111;          // 0..6
constexpr std::uint8_t kNotWhole = 0b1111110;     // 1..6
constexpr std::uint8_t kNotGalactic = 0b0111111;  // 0..5
constexpr std::uint8_t kEquatorial = 0b0001100;   // 2, 3
constexpr std::uint8_t kKeep = 0;                 // not changed by a change of system

constexpr std::string_view kNoHint;
constexpr std::string_view kNoCatalog;

using G = TSwitchGroup;
using S = TObsState;

}  // namespace

const std::array<TSwitchBox, kSwitchBoxCount> kSwitchBoxes = {{
    // Page "Urval".
    {"Koordinatstreck", kNoHint, &S::ShowCoordLines, G::Selection, kAll, false, kNoCatalog},
    {"Sol och planeter", kNoHint, &S::ShowSunPlanets, G::Selection, kNotGalactic, true, kNoCatalog},
    {"Asteroider 1", "Ljusstarka asteroider", &S::ShowAsteroids1, G::Selection, kNotGalactic, true,
     kNoCatalog},
    {"Asteroider 2", "Asteroider nära jorden och ovanliga", &S::ShowAsteroids2, G::Selection, kKeep,
     true, kNoCatalog},
    {"Asteroider 3", "Avlägsna asteroider (Centaurer och transneptuner) och de på kritiska listan",
     &S::ShowAsteroids3, G::Selection, kKeep, true, kNoCatalog},
    {"Kometer", kNoHint, &S::ShowComets, G::Selection, kNotGalactic, true, kNoCatalog},
    {"Konstellationer", kNoHint, &S::ShowConstellations, G::Selection, kNotWhole, false,
     kNoCatalog},
    {"Månar", kNoHint, &S::ShowMoons, G::Selection, kNotGalactic, true, kNoCatalog},
    {"Rymdsonder", kNoHint, &S::ShowProbes, G::Selection, kNotGalactic, true, kNoCatalog},
    {"Historikplottar", kNoHint, &S::ShowHistory, G::Selection, kNotGalactic, false, kNoCatalog},
    {"Konstellationsgränser", kNoHint, &S::ShowConstBounds, G::Selection, kNotWhole, false,
     kNoCatalog},
    // Page "Urval", group "Etiketter".
    {"Planeter m.fl.", "Etiketter för sol, planeter och månar", &S::LabelPlanets, G::Labels,
     kNotGalactic, false, kNoCatalog},
    {"Konstellationer", "Etiketter för konstellationer", &S::LabelConstellations, G::Labels,
     kNotWhole, false, kNoCatalog},
    {"Stjärnor", "Etiketter för stjärnor", &S::LabelStars, G::Labels, kNotWhole, false, kNoCatalog},
    {"Galaxer m.fl.", "Etiketter för galaxer, nebulosor och stjärnhopar", &S::LabelDeepSky,
     G::Labels, kEquatorial, false, kNoCatalog},
    {"Asteroider m.fl.", "Etiketter för asteroider, kometer och rymdsonder", &S::LabelMinorBodies,
     G::Labels, kKeep, false, kNoCatalog},
    // Page "Stjärnor m.fl.", group "Stjärnor".
    {"BSC", "Bright Star Catalogue, 5th Rev. Ed. (Hoffleit+ 1991)", &S::CatBSC, G::Stars, kNotWhole,
     false, "bsc"},
    {"GCVS", "General Catalog of Variable Stars (Kholopov+ 1998)", &S::CatGCVS, G::Stars,
     kEquatorial, false, "gcvs"},
    {"WDS", "The Washington Visual Double Star Catalog  (USNO, 2000)", &S::CatWDS, G::Stars,
     kEquatorial, false, "wds"},
    {"SKY", "SKY2000 - Master Star Catalog (Sande+ 1998)  Från skalfaktor x8", &S::CatSKY, G::Stars,
     kEquatorial, false, "sky"},
    // Page "Stjärnor m.fl.", group "Galaxer m.fl.".
    {"NGC", "NGC 2000.0 (Sky Publishing, ed. Sinnott 1988)", &S::CatNGC, G::DeepSky, kEquatorial,
     false, "ngc"},
    {"RC3", "Third Reference Cat. of Bright Galaxies (RC3) (de Vaucouleurs+ 1991)", &S::CatRC3,
     G::DeepSky, kEquatorial, false, "rc3"},
    {"GPN", "Strasbourg-ESO Catalogue of Galactic Planetary Nebulae (Acker+ 1992)", &S::CatGPN,
     G::DeepSky, kEquatorial, false, "gpn"},
    {"LBN", "Lynds' Catalogue of Bright Nebulae (Lynds 1965)", &S::CatLBN, G::DeepSky, kEquatorial,
     false, "lbn"},
    {"OCL", "Open Cluster Data, 5th Edition (Lynga 1987)", &S::CatOCL, G::DeepSky, kEquatorial,
     false, "ocl"},
    {"GCM", "Globular Clusters in the Milky Way (Harris 1997)", &S::CatGCM, G::DeepSky, kEquatorial,
     false, "gcm"},
    {"PGC", "Catalogue of Principal Galaxies (PGC) (Paturel+ 1999)", &S::CatPGC, G::DeepSky,
     kEquatorial, false, "pgc"},
    {"SAC", "Saguaro Astronomy Club Database version 7.1 (2000)", &S::CatSAC, G::DeepSky,
     kEquatorial, false, "sac"},
    // Page "Stjärnor m.fl.", outside the groups.
    {"Färgindex", kNoHint, &S::ColourIndex, G::CatalogPage, kKeep, false, kNoCatalog},
    // Page "Korrektioner", group "Apparent position".
    {"Ljustid", "Påverkar solen, planeter och asteroider m.fl.", &S::CorrLightTime, G::Apparent,
     kKeep, false, kNoCatalog},
    {"Aberration", "Påverkar solen, planeter, asteroider m.fl. och stjärnor m.fl.",
     &S::CorrAberration, G::Apparent, kKeep, false, kNoCatalog},
    {"Nutation", "Påverkar solen, planeter, månen, asteroider m.fl. och stjärnor m.fl.",
     &S::CorrNutation, G::Apparent, kKeep, false, kNoCatalog},
    {"Precession", "Påverkar stjärnor m.fl.", &S::CorrPrecession, G::Apparent, kKeep, false,
     kNoCatalog},
    {"Egenrörelse", "Påverkar stjärnor", &S::CorrProperMotion, G::Apparent, kKeep, false,
     kNoCatalog},
    // Page "Korrektioner", group "Topocentrisk".
    {"Parallax", "Påverkar solen, planeter, månen och asteroider m.fl.", &S::CorrParallax,
     G::Topocentric, kKeep, false, kNoCatalog},
    {"Parallaktisk", "Påverkar ritningen av Merkurius, Venus, Mars, Jupiter, Saturnus och månen",
     &S::CorrParallactic, G::Topocentric, kKeep, false, kNoCatalog},
    {"Refraktion", "Påverkar solen, planeter, månen, asteroider m.fl. och stjärnor m.fl.",
     &S::CorrRefraction, G::Topocentric, kKeep, false, kNoCatalog},
    {"Extinktion", "Påverkar ritningen av stjärnor", &S::CorrExtinction, G::Topocentric, kKeep,
     false, kNoCatalog},
}};

int SwitchBoxIndex(int TObsState::*field) {
  for (std::size_t i = 0; i < kSwitchBoxes.size(); ++i) {
    if (kSwitchBoxes[i].Field == field) return static_cast<int>(i);
  }
  return -1;
}

bool CatalogFileReadable(const std::filesystem::path& dataDir, std::string_view file,
                         int recordBytes) {
  if (recordBytes <= 0) return false;
  const std::filesystem::path path = ResolveDataPath(dataDir, file);
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return false;
  const auto size = std::filesystem::file_size(path, error);
  if (error) return false;
  std::ifstream stream(path, std::ios::binary);
  if (!stream.is_open()) return false;
  return size % static_cast<std::uintmax_t>(recordBytes) == 0;
}

std::array<bool, kSwitchBoxCount> CatalogAvailability(const std::filesystem::path& dataDir) {
  std::array<bool, kSwitchBoxCount> available{};
  for (std::size_t i = 0; i < kSwitchBoxes.size(); ++i) {
    const TSwitchBox& box = kSwitchBoxes[i];
    if (box.Catalog.empty()) {
      available[i] = true;
      continue;
    }
    const TCatalogInfo* catalog = FindCatalog(box.Catalog);
    available[i] =
        catalog != nullptr && CatalogFileReadable(dataDir, ZoneFileName(*catalog, 1),
                                                  static_cast<int>(catalog->RecordBytes));
  }
  return available;
}

namespace {

// The three radio groups' enabling, common to opening and a change of system.
void SetGroupEnabling(TControlEnabling& enabling, int system) {
  enabling.Hemisphere = system == 3;
  enabling.CentreDir = system == 1 || system == 2 || system == 4 || system == 6;
  enabling.Orientation = system == 0;
}

bool InMask(std::uint8_t mask, int system) {
  return system >= 0 && system < 7 && ((mask >> system) & 1u) != 0;
}

}  // namespace

TControlEnabling OpeningEnabling(int system, const std::array<bool, kSwitchBoxCount>& available) {
  TControlEnabling enabling;
  SetGroupEnabling(enabling, system);
  for (std::size_t i = 0; i < kSwitchBoxes.size(); ++i) {
    const TSwitchBox& box = kSwitchBoxes[i];
    if (box.OffWhenGalactic) enabling.Boxes[i] = system != 6;
    if (!box.Catalog.empty()) enabling.Boxes[i] = available[i];
  }
  return enabling;
}

TControlEnabling SystemChangeEnabling(int system,
                                      const std::array<bool, kSwitchBoxCount>& available) {
  TControlEnabling enabling;
  SetGroupEnabling(enabling, system);
  for (std::size_t i = 0; i < kSwitchBoxes.size(); ++i) {
    const TSwitchBox& box = kSwitchBoxes[i];
    if (box.SystemMask == kKeep) continue;
    // A catalog that is not installed stays grey whatever the system.
    enabling.Boxes[i] = InMask(box.SystemMask, system) && available[i];
  }
  return enabling;
}

TDialogFields FieldsFromState(const TObsState& state, const TCalDateTime& now, char sep) {
  TDialogFields fields;
  const bool realTime = state.RealTime == 1;
  const TCalDateTime dt = realTime ? now : CalendarDateTime(state.ClockJD);
  fields.Year = std::to_string(dt.Year);
  fields.Month = std::to_string(dt.Month);
  fields.Day = FixedText(dt.Day, 0, sep);
  fields.Hour = std::to_string(dt.Hour);
  fields.Minute = std::to_string(dt.Minute);
  fields.Second = realTime ? GeneralText(dt.Second, 15, sep) : FixedText(dt.Second, 0, sep);
  fields.Zone = FixedText(state.TimeZone, 2, sep);
  fields.TimeScale = state.TimeScale;

  for (std::size_t i = 0; i < kStepChoices.size(); ++i) {
    if (kStepChoices[i].Label == state.StepLabel) {
      fields.StepIndex = static_cast<int>(i);
      break;
    }
  }
  fields.TimerSpeed = state.TimerSpeed;

  fields.NewPlace = state.NewPlaceName;
  fields.Latitude = FixedText(DegToDegMin(state.Latitude), 2, sep);
  fields.Longitude = FixedText(DegToDegMin(state.Longitude), 2, sep);
  fields.Height = GeneralText(state.Height, 15, sep);

  fields.CoordSystem = state.CoordSystem;
  fields.Hemisphere = state.Hemisphere;
  fields.CentreDir = state.CentreDir;
  fields.Orientation = state.Orientation;
  fields.DisplayMode = state.DisplayMode;
  for (std::size_t i = 0; i < kSwitchBoxes.size(); ++i) {
    fields.Switches[i] = state.*(kSwitchBoxes[i].Field) == 1 ? 1 : 0;
  }
  fields.MapColour = state.MapColour == 1 ? 1 : 0;
  return fields;
}

namespace {

std::string IntegerMessage(const std::string& text) {
  return "'" + text + "' is not a valid integer value";
}

std::string RealMessage(const std::string& text) {
  return "'" + text + "' is not a valid floating point value";
}

// An int field: blanks around, an optional sign, decimal digits, within the int range.
std::optional<int> ReadInt(const std::string& text) {
  const auto value = ParseInteger(text);
  if (!value || *value < INT_MIN || *value > INT_MAX) return std::nullopt;
  return static_cast<int>(*value);
}

std::optional<double> ReadReal(const std::string& text) {
  return ParseReal(text, /*allowComma=*/true);
}

bool IsBlank(std::string_view text) {
  return text.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

// "Värdet '1e300' i fältet "JD" ligger utanför 0 … 5373484,5."
std::string RangeMessage(std::string_view text, std::string_view label, std::string_view range) {
  return "Värdet '" + std::string(text) + "' i fältet \"" + std::string(label) +
         "\" ligger utanför " + std::string(range) + ".";
}

bool Within(double value, double lo, double hi) {
  return value >= lo && value <= hi;  // false for NaN
}

}  // namespace

TFieldError CheckDialogRanges(const TDialogFields& fields, const TParsedFields& values) {
  if (values.JD) {
    if (!Within(*values.JD, 0.0, kMaxClockJD)) {
      return {TDialogField::JD, RangeMessage(fields.JD, "JD", "0 … 5373484,5")};
    }
  } else if (!Within(JulianDayTime(values.Date), 0.0, kMaxClockJD)) {
    return {TDialogField::Year,
            "Datumet " + fields.Year + "-" + fields.Month + "-" + fields.Day +
                " i fälten \"År\", \"Månad\" och \"Dag\" ligger utanför JD 0 … 5373484,5."};
  }
  if (!Within(values.Zone, -kMaxZoneHours, kMaxZoneHours)) {
    return {TDialogField::Zone, RangeMessage(fields.Zone, "Tidzon", "-14 … 14 timmar")};
  }
  if (!Within(DegMinToDeg(values.Latitude), -kMaxLatitude, kMaxLatitude)) {
    return {TDialogField::Latitude, RangeMessage(fields.Latitude, "Latitud", "-90° … 90°")};
  }
  if (!Within(DegMinToDeg(values.Longitude), -kMaxLongitude, kMaxLongitude)) {
    return {TDialogField::Longitude, RangeMessage(fields.Longitude, "Longitud", "-180° … 180°")};
  }
  return {};
}

TParseResult ParseDialogFields(const TDialogFields& fields) {
  TParseResult result;
  TParsedFields values;
  auto failInt = [&](TDialogField field, const std::string& text) {
    result.Error = {field, IntegerMessage(text)};
    return result;
  };
  auto failReal = [&](TDialogField field, const std::string& text) {
    result.Error = {field, RealMessage(text)};
    return result;
  };

  const auto year = ReadInt(fields.Year);
  if (!year) return failInt(TDialogField::Year, fields.Year);
  const auto month = ReadInt(fields.Month);
  if (!month) return failInt(TDialogField::Month, fields.Month);
  const auto day = ReadReal(fields.Day);
  if (!day) return failReal(TDialogField::Day, fields.Day);
  const auto hour = ReadInt(fields.Hour);
  if (!hour) return failInt(TDialogField::Hour, fields.Hour);
  const auto minute = ReadInt(fields.Minute);
  if (!minute) return failInt(TDialogField::Minute, fields.Minute);
  const auto second = ReadReal(fields.Second);
  if (!second) return failReal(TDialogField::Second, fields.Second);
  values.Date = {*year, *month, *day, *hour, *minute, *second};

  if (!IsBlank(fields.JD)) {
    const auto jd = ReadReal(fields.JD);
    if (!jd) return failReal(TDialogField::JD, fields.JD);
    values.JD = *jd;
  }
  const auto zone = ReadReal(fields.Zone);
  if (!zone) return failReal(TDialogField::Zone, fields.Zone);
  values.Zone = *zone;

  const auto latitude = ReadReal(fields.Latitude);
  if (!latitude) return failReal(TDialogField::Latitude, fields.Latitude);
  values.Latitude = *latitude;
  const auto longitude = ReadReal(fields.Longitude);
  if (!longitude) return failReal(TDialogField::Longitude, fields.Longitude);
  values.Longitude = *longitude;
  const auto height = ReadReal(fields.Height);
  if (!height) return failReal(TDialogField::Height, fields.Height);
  values.Height = *height;

  result.Values = values;
  return result;
}

TOkResult ApplyDialogFields(const TObsState& state, const TDialogFields& fields, int page,
                            const std::filesystem::path& dataDir) {
  TOkResult result;
  result.State = state;
  const TParseResult parsed = ParseDialogFields(fields);
  if (!parsed.Values) {
    result.Error = parsed.Error;
    return result;
  }
  const TParsedFields& values = *parsed.Values;
  const TFieldError outOfRange = CheckDialogRanges(fields, values);
  if (outOfRange.Field != TDialogField::None) {
    result.Error = outOfRange;
    return result;
  }
  TObsState& s = result.State;

  // The moment: date and time, or the JD when one is given.
  s.ClockJD = JulianDayTime(values.Date);
  if (values.JD) s.ClockJD = *values.JD;
  s.TimeZone = values.Zone;
  if (fields.TimeScale == kTimeScaleUtc || fields.TimeScale == kTimeScaleTdt) {
    s.TimeScale = fields.TimeScale;
  }
  DeriveTimes(s);

  // The increment.
  if (fields.StepIndex >= 0 && fields.StepIndex < static_cast<int>(kStepChoices.size())) {
    ApplyStepChoice(s, kStepChoices[static_cast<std::size_t>(fields.StepIndex)]);
  }
  if (fields.TimerSpeed >= 0 && fields.TimerSpeed <= 2) s.TimerSpeed = fields.TimerSpeed;

  // The site; a place found by name overrides the typed coordinates.
  s.NewPlaceName = Utf8Left(fields.NewPlace, 30);
  s.Latitude = DegMinToDeg(values.Latitude);
  s.Longitude = DegMinToDeg(values.Longitude);
  s.Height = values.Height;
  const TLookUpResult lookUp =
      LookUpPlace(s, s.NewPlaceName, ResolveDataPath(dataDir, kPlaceFileName));
  if (lookUp.Status == TLookUpStatus::FileMissing) result.Beep = true;
  if (lookUp.Status == TLookUpStatus::Found) {
    result.PlaceFound = true;
    result.ZoneLabel = "Tidzon   " + lookUp.ZoneText;
  }
  if (s.NewPlaceName.empty()) s.PlaceName.clear();

  // Chart choices and switches.
  auto choose = [](int value, int count, int& field) {
    if (value >= 0 && value < count) field = value;
  };
  choose(fields.CoordSystem, 7, s.CoordSystem);
  choose(fields.Hemisphere, 2, s.Hemisphere);
  choose(fields.CentreDir, 2, s.CentreDir);
  choose(fields.Orientation, 2, s.Orientation);
  choose(fields.DisplayMode, 2, s.DisplayMode);
  for (std::size_t i = 0; i < kSwitchBoxes.size(); ++i) {
    s.*(kSwitchBoxes[i].Field) = fields.Switches[i] != 0 ? 1 : 0;
  }
  s.MapColour = fields.MapColour != 0 ? 1 : 0;

  if (fields.Save) {
    const std::filesystem::path file = ResolveDataPath(dataDir, kParameterFileName);
    const TWriteResult written = SaveParameters(s, file);
    result.Saved = static_cast<bool>(written);
    result.SaveFailed = !result.Saved;
    if (result.SaveFailed) {
      result.SaveMessage = "Inställningarna kunde inte sparas i filen " + file.string() + ": " +
                           written.Error + ". De gäller tills programmet avslutas.";
    }
  }
  if (page != kPageIncrement && !fields.Prevent) {
    RaiseAllRedrawFlags(s);
    result.FlagsRaised = true;
  }
  result.Applied = true;
  return result;
}

}  // namespace himlavy
