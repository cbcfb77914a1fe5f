#include "datafiles/catalog_lines.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <system_error>

#include "base/formatting.h"
#include "base/numtext.h"
#include "base/textfile.h"
#include "catalogs/deepsky_records.h"

namespace himlavy {

namespace {

// One column: caption and unit (the two heading lines), width in characters, alignment, and
// the blanks written before it.
struct TColumn {
  std::string_view Caption;
  std::string_view Unit;
  int Width;
  bool Left = false;
  int Gap = 0;
};

using Fields = std::vector<std::string>;

// The text of a column, padded (or a longer text cut) to its width.
void Append(std::string& line, const TColumn& column, std::string_view text) {
  line.append(static_cast<std::size_t>(column.Gap), ' ');
  std::string cell =
      column.Left ? Utf8Left(text, static_cast<std::size_t>(column.Width)) : std::string(text);
  const std::size_t length = Utf8Length(cell);
  const std::size_t width = static_cast<std::size_t>(column.Width);
  const std::string blanks(length < width ? width - length : 0, ' ');
  line += column.Left ? cell + blanks : blanks + cell;
}

std::string Join(const std::vector<TColumn>& columns, const Fields& fields) {
  std::string line;
  for (std::size_t i = 0; i < columns.size(); ++i) {
    Append(line, columns[i], i < fields.size() ? std::string_view(fields[i]) : "");
  }
  return line;
}

std::vector<std::string> Heading(const std::vector<TColumn>& columns) {
  Fields captions;
  Fields units;
  for (const TColumn& c : columns) {
    captions.emplace_back(c.Caption);
    units.emplace_back(c.Unit);
  }
  return {Join(columns, captions), Join(columns, units)};
}

// --- Field texts ---

std::string Number(double x) {
  return GeneralText(x, 15);
}
std::string Float(float x, int significant = 7) {
  return GeneralText(static_cast<double>(x), significant);
}
// A stored number, empty when it is the value meaning none.
std::string NumberOr(long long stored, long long none, double scale = 1.0) {
  return stored == none ? std::string() : Number(static_cast<double>(stored) / scale);
}
std::string Hundredths(std::int16_t stored, std::int16_t none) {
  return NumberOr(stored, none, 100.0);
}
// A deep-sky magnitude or colour index: empty when unknown (99.00) or missing (-99.90).
std::string Magnitude(std::int16_t stored) {
  return stored == kDeepSkyMissing ? std::string() : Hundredths(stored, kUnknownMagnitude);
}
std::string Whole(std::uint32_t number) {
  return number == 0 ? std::string() : std::to_string(number);
}
std::string Text(std::string_view field) {
  return Cp1252ToUtf8(FieldText(field));
}
std::string Character(char c) {
  if (static_cast<unsigned char>(c) < 0x20) return " ";
  return Cp1252ToUtf8(std::string_view(&c, 1));
}
std::string RaText(std::int32_t ra) {
  return FormatHMS(StoredDegrees(ra) / 15.0);
}
std::string DecText(std::int32_t dec) {
  return FormatDMS(StoredDegrees(dec));
}

const TColumn kRa{"R.A.2000", "(h m s)", 10};
const TColumn kDec{"Dekl.2000", "(° ' \")", 11};

// --- The columns and fields of each catalog ---

const std::vector<TColumn> kBscColumns = {{"HD", "", 6},
                                          {"BS", "", 5},
                                          kRa,
                                          kDec,
                                          {"Magn", "(V)", 6},
                                          {"B-V", "", 6},
                                          {"Fl.", "", 4},
                                          {"Bay.", "", 5},
                                          {"Kon", "", 4},
                                          {"Eg.RA", "\"/år", 7},
                                          {"Eg.De", "\"/år", 7},
                                          {" Spektralklass", "", 21, true}};

Fields BscFields(const TBscRecord& r) {
  return {Whole(r.HD),
          Whole(r.HR),
          RaText(r.RA),
          DecText(r.Dec),
          Hundredths(r.Mag, kUnknownMagnitude),
          Hundredths(r.BV, kUnknownMagnitude),
          Whole(r.Flamsteed),
          Text(r.Bayer),
          Text(r.Constellation),
          Number(r.PmRA / 1000.0),
          Number(r.PmDec / 1000.0),
          Text(r.SpectralClass)};
}

const std::vector<TColumn> kSkyColumns = {kRa,
                                          kDec,
                                          {"Magn", "(V)", 6},
                                          {"B-V", "", 6},
                                          {"Mdiff", "", 6},
                                          {"Eg.RA", "\"/år", 8},
                                          {"Eg.De", "\"/år", 8},
                                          {"Sep.", "(\")", 7},
                                          {"Sp", "", 3, true, 1},
                                          {"Id", "", 2, true, 1},
                                          {"Nummer", "", 8},
                                          {"HD", "", 7},
                                          {"SAO", "", 7}};

Fields SkyFields(const TSkyRecord& r) {
  return {RaText(r.RA),
          DecText(r.Dec),
          Hundredths(r.Mag, kUnknownMagnitude),
          Hundredths(r.BV, kUnknownMagnitude),
          Hundredths(r.MagDiff, 0),
          Number(r.PmRA / 1000.0),
          Number(r.PmDec / 1000.0),
          NumberOr(r.Separation, 0, 100.0),
          Text(r.SpectralClass),
          Text(r.IdText),
          NumberOr(r.IdNumber, 0),
          Whole(r.HD),
          Whole(r.SAO)};
}

const std::vector<TColumn> kWdsColumns = {kRa,
                                          kDec,
                                          {"BD", "", 8},
                                          {"År 1", "", 5},
                                          {"År 2", "", 5},
                                          {"PV 1", "(°)", 5},
                                          {"PV 2", "(°)", 5},
                                          {"Sep. 1", "(\")", 7},
                                          {"Sep. 2", "(\")", 7},
                                          {"Magn 1", "", 7},
                                          {"Magn 2", "", 7},
                                          {"Id.", "", 7, true, 1},
                                          {"Komp.", "", 5, true, 1},
                                          {"Spektrum", "", 9, true, 1},
                                          {"Not", "", 3, true, 1}};

Fields WdsFields(const TWdsRecord& r) {
  return {RaText(r.RA),
          DecText(r.Dec),
          Whole(r.DM),
          NumberOr(r.Year1, kWdsMissing),
          NumberOr(r.Year2, kWdsMissing),
          NumberOr(r.PosAngle1, kWdsMissing),
          NumberOr(r.PosAngle2, kWdsMissing),
          Hundredths(r.Separation1, kWdsMissing),
          Hundredths(r.Separation2, kWdsMissing),
          Hundredths(r.Mag1, kWdsMissing),
          Hundredths(r.Mag2, kWdsMissing),
          Text(r.Discoverer),
          Text(r.Components),
          Text(r.SpectralClass),
          Text(r.Note)};
}

const std::vector<TColumn> kGcvsColumns = {kRa,
                                           kDec,
                                           {"Nummer", "", 8},
                                           {"Period", "(d)", 13},
                                           {"Max", "", 7},
                                           {"", "", 1, true},
                                           {"Min", "", 7},
                                           {"", "", 1, true},
                                           {"Syst", "", 4, true, 1},
                                           {"Namn", "", 10, true, 1},
                                           {"Variabeltyp", "", 11, true, 1}};

Fields GcvsFields(const TGcvsRecord& r) {
  const std::string_view system = r.PhotometricSystem < kGcvsPhotometricSystems.size()
                                      ? kGcvsPhotometricSystems[r.PhotometricSystem]
                                      : std::string_view();
  return {RaText(r.RA),
          DecText(r.Dec),
          NumberOr(r.StarNumber, 0),
          r.Period == 0.0f ? std::string() : Float(r.Period),
          Hundredths(r.MagMax, kUnknownMagnitude),
          Character(r.MaxFlag),
          Hundredths(r.MagMin, kUnknownMagnitude),
          Character(r.MinFlag),
          std::string(system),
          Text(r.Name),
          Text(r.VarType)};
}

const std::vector<TColumn> kNgcColumns = {kRa,
                                          kDec,
                                          {"Nummer", "", 8, true, 1},
                                          {"Typ", "", 3, true, 1},
                                          {"Magn", "", 6},
                                          {"", "", 1, true},
                                          {"Storl.", "(')", 7},
                                          {"Kon", "", 3, true, 1},
                                          {"Beskrivning", "", 50, true, 1}};

Fields NgcFields(const TNgcRecord& r) {
  return {RaText(r.RA),
          DecText(r.Dec),
          (r.IsIC() ? "IC " : "NGC ") + std::to_string(r.Number),
          Cp1252ToUtf8(r.Type),
          Magnitude(r.Mag),
          Character(r.MagFlag),
          NumberOr(r.Size, 0, 10.0),
          Text(r.Constellation),
          Text(r.Description)};
}

const std::vector<TColumn> kRc3Columns = {kRa,
                                          kDec,
                                          {"Namn", "", 14, true, 1},
                                          {"PGC", "", 8, true, 1},
                                          {"Typ", "", 7, true, 1},
                                          {"Radhast.", "(km/s)", 9},
                                          {"PV", "(°)", 5},
                                          {"Hubble", "", 7},
                                          {"Ljk", "", 6},
                                          {"logD25", "", 7},
                                          {"logR25", "", 7},
                                          {"logAe", "", 6},
                                          {"Magn B", "", 7},
                                          {"B-V t", "", 6},
                                          {"B-V c", "", 6},
                                          {"Magn 1", "", 7},
                                          {"Magn 2", "", 7}};

Fields Rc3Fields(const TRc3Record& r) {
  return {RaText(r.RA),
          DecText(r.Dec),
          Text(r.Name),
          Text(r.PGC),
          Text(r.Type),
          NumberOr(r.RadialVelocity, kDeepSkyMissing),
          NumberOr(r.PosAngle, kNoPositionAngle),
          NumberOr(r.HubbleStage, kDeepSkyMissing, 10.0),
          NumberOr(r.LumClass, kDeepSkyMissing, 10.0),
          Hundredths(r.LogD25, kDeepSkyMissing),
          Hundredths(r.LogR25, kDeepSkyMissing),
          Hundredths(r.LogAe, kDeepSkyMissing),
          Magnitude(r.MagB),
          Magnitude(r.ColourTotal),
          Magnitude(r.ColourCentral),
          Magnitude(r.Mag1),
          Magnitude(r.Mag2)};
}

const std::vector<TColumn> kPgcColumns = {{"PGC", "", 8},
                                          kRa,
                                          kDec,
                                          {"Radhast.", "(km/s)", 9},
                                          {"Namn", "", 16, true, 1},
                                          {"Typ", "", 4, true, 1},
                                          {"PV", "(°)", 5},
                                          {"Storaxel", "(')", 9},
                                          {"Lillaxel", "(')", 9},
                                          {"Magn B", "", 7}};

Fields PgcFields(const TPgcRecord& r) {
  return {Whole(r.PGC),
          RaText(r.RA),
          DecText(r.Dec),
          NumberOr(r.RadialVelocity, kDeepSkyMissing),
          Text(r.Name),
          Text(r.Type),
          NumberOr(r.PosAngle, kDeepSkyMissing),
          Hundredths(r.MajorAxis, kDeepSkyMissing),
          Hundredths(r.MinorAxis, kDeepSkyMissing),
          Magnitude(r.MagB)};
}

const std::vector<TColumn> kSacColumns = {kRa,
                                          kDec,
                                          {"Magn", "", 6},
                                          {"Ljusst.", "", 8},
                                          {"Storaxel", "(')", 9},
                                          {"Lillaxel", "(')", 9},
                                          {"PV", "(°)", 5},
                                          {"Namn", "", 17, true, 1},
                                          {"Annan beteckning", "", 18, true, 1},
                                          {"Typ", "", 3, true, 1},
                                          {"Kon", "", 3, true, 1},
                                          {"Klass", "", 10, true, 1},
                                          {"Beskrivning", "", 120, true, 1}};

Fields SacFields(const TSacRecord& r) {
  // Magnitudes to 0.01, sizes to 4 significant digits.
  const auto floatOr = [](float x, float none, int significant) {
    return x == none ? std::string() : Float(x, significant);
  };
  const auto magnitude = [&](float x) { return floatOr(x, 99.0f, std::fabs(x) < 10 ? 3 : 4); };
  return {FormatHMS(static_cast<double>(r.RA) / 15.0),
          FormatDMS(static_cast<double>(r.Dec)),
          magnitude(r.Mag),
          magnitude(r.SurfaceBrightness),
          floatOr(r.MajorAxis, 0.0f, 4),
          floatOr(r.MinorAxis, 0.0f, 4),
          NumberOr(r.PosAngle, kNoPositionAngle),
          Cp1252ToUtf8(r.Name),
          Cp1252ToUtf8(r.Other),
          Cp1252ToUtf8(r.Type),
          Cp1252ToUtf8(r.Constellation),
          Cp1252ToUtf8(r.Class),
          Cp1252ToUtf8(r.Description)};
}

const std::vector<TColumn> kGpnColumns = {kRa,
                                          kDec,
                                          {"Diam.", "(\")", 7},
                                          {"Visuell", "", 8},
                                          {"", "", 1, true},
                                          {"HBeta", "", 7},
                                          {"", "", 1, true},
                                          {"Magn B", "", 7},
                                          {"", "", 1, true},
                                          {"Magn V", "", 7},
                                          {"", "", 1, true},
                                          {"PNG", "", 10, true, 1},
                                          {"PK", "", 9, true, 1},
                                          {"Namn", "", 13, true, 1}};

Fields GpnFields(const TGpnRecord& r) {
  return {RaText(r.RA),
          DecText(r.Dec),
          NumberOr(r.Diameter, 0, 10.0),
          Magnitude(r.Mag),
          Character(r.Flags[0]),
          Magnitude(r.MagHBeta),
          Character(r.Flags[1]),
          Magnitude(r.MagB),
          Character(r.Flags[2]),
          Magnitude(r.MagV),
          Character(r.Flags[3]),
          Text(r.PNG),
          Text(r.PK),
          Text(r.Name)};
}

const std::vector<TColumn> kLbnColumns = {kRa,
                                          kDec,
                                          {"LBN", "", 6},
                                          {"Storaxel", "(')", 9},
                                          {"Lillaxel", "(')", 9},
                                          {"Area", "(°²)", 7},
                                          {"Färg", "(1-4)", 6},
                                          {"Ljus", "(1-6)", 6},
                                          {"Id.", "", 8, true, 1}};

Fields LbnFields(const TLbnRecord& r) {
  return {RaText(r.RA),
          DecText(r.Dec),
          Whole(r.LBN),
          NumberOr(r.MajorSize, 0),
          NumberOr(r.MinorSize, 0),
          NumberOr(r.Area, 0, 100.0),
          NumberOr(r.Colour, 0),
          NumberOr(r.Brightness, 0),
          Text(r.Id)};
}

const std::vector<TColumn> kOclColumns = {kRa,
                                          kDec,
                                          {"OCL", "", 6},
                                          {"Nummer", "", 7},
                                          {"Sekv.", "", 6},
                                          {"Diam.", "(')", 6},
                                          {"Avst.", "(pc)", 6},
                                          {"Ålder", "(Må)", 6},
                                          {"Ljusast", "", 8},
                                          {"Magn", "", 6},
                                          {"B-V", "", 6},
                                          {"Antal", "", 6},
                                          {"Trumpler", "", 8, true, 1}};

// The Trumpler class: concentration as a Roman numeral, range, richness and "n".
std::string TrumplerText(const TOclRecord& r) {
  static constexpr std::string_view kRoman[] = {"I", "II", "III", "IV"};
  std::string text;
  if (r.Concentration >= '1' && r.Concentration <= '4') {
    text += kRoman[r.Concentration - '1'];
  } else if (r.Concentration != ' ') {
    text += Character(r.Concentration);
  }
  for (const char c : {r.Range, r.Richness, r.Nebulosity}) {
    if (c == ' ' || c == '\0') continue;
    if (!text.empty()) text += ' ';
    text += Character(c);
  }
  return text;
}

Fields OclFields(const TOclRecord& r) {
  return {RaText(r.RA),
          DecText(r.Dec),
          NumberOr(r.OclNumber, 0),
          NumberOr(r.Number, 0),
          NumberOr(r.Sequence, 0),
          NumberOr(r.Diameter, 0, 10.0),
          NumberOr(r.Distance, kDeepSkyMissing),
          NumberOr(r.Age, kDeepSkyMissing),
          Magnitude(r.MagBrightest),
          Magnitude(r.MagTotal),
          Magnitude(r.ColourIndex),
          NumberOr(r.StarCount, kDeepSkyMissing),
          TrumplerText(r)};
}

const std::vector<TColumn> kGcmColumns = {kRa,
                                          kDec,
                                          {"Namn", "", 9, true, 1},
                                          {"Avst.", "(kpc)", 6},
                                          {"Magn", "", 6},
                                          {"B-V", "", 6},
                                          {"Lum.", "(sol)", 9},
                                          {"Kärnr.", "(')", 7},
                                          {"Halvm.r.", "(')", 9},
                                          {"Radie", "(')", 7},
                                          {"Spektrum", "", 11, true, 1},
                                          {"Konc.", "", 5, true, 1}};

Fields GcmFields(const TGcmRecord& r) {
  return {RaText(r.RA),
          DecText(r.Dec),
          Text(r.Name),
          NumberOr(r.Distance, kDeepSkyMissing, 10.0),
          Magnitude(r.Mag),
          Magnitude(r.ColourIndex),
          r.LogLuminosity == kDeepSkyMissing ? std::string()
                                             : GeneralText(Pow10(r.LogLuminosity / 100.0), 4),
          Hundredths(r.CoreRadius, kDeepSkyMissing),
          Hundredths(r.HalfMassRadius, kDeepSkyMissing),
          Hundredths(r.Radius, kDeepSkyMissing),
          Text(r.SpectralClass),
          Text(r.Concentration)};
}

template <typename Record>
std::optional<std::vector<std::string>> Lines(const std::optional<std::vector<Record>>& records,
                                              const std::vector<TColumn>& columns,
                                              Fields (*fields)(const Record&)) {
  if (!records) return std::nullopt;
  std::vector<std::string> lines;
  lines.reserve(records->size());
  for (const Record& r : *records) lines.push_back(Join(columns, fields(r)));
  return lines;
}

const std::vector<TColumn>* ColumnsOf(std::string_view key) {
  if (key == "bsc") return &kBscColumns;
  if (key == "sky") return &kSkyColumns;
  if (key == "wds") return &kWdsColumns;
  if (key == "gcvs") return &kGcvsColumns;
  if (key == "ngc") return &kNgcColumns;
  if (key == "rc3") return &kRc3Columns;
  if (key == "pgc") return &kPgcColumns;
  if (key == "sac") return &kSacColumns;
  if (key == "gpn") return &kGpnColumns;
  if (key == "lbn") return &kLbnColumns;
  if (key == "ocl") return &kOclColumns;
  if (key == "gcm") return &kGcmColumns;
  return nullptr;
}

}  // namespace

std::vector<std::string> CatalogHeading(std::string_view key) {
  const std::vector<TColumn>* columns = ColumnsOf(key);
  return columns ? Heading(*columns) : std::vector<std::string>();
}

std::string BscLine(const TBscRecord& record) {
  return Join(kBscColumns, BscFields(record));
}

std::optional<std::vector<std::string>> CatalogZoneLines(std::string_view key,
                                                         const std::filesystem::path& path) {
  if (key == "bsc") return Lines(ReadBscZone(path), kBscColumns, &BscFields);
  if (key == "sky") return Lines(ReadSkyZone(path), kSkyColumns, &SkyFields);
  if (key == "wds") return Lines(ReadWdsZone(path), kWdsColumns, &WdsFields);
  if (key == "gcvs") return Lines(ReadGcvsZone(path), kGcvsColumns, &GcvsFields);
  if (key == "ngc") return Lines(ReadNgcZone(path), kNgcColumns, &NgcFields);
  if (key == "rc3") return Lines(ReadRc3Zone(path), kRc3Columns, &Rc3Fields);
  if (key == "pgc") return Lines(ReadPgcZone(path), kPgcColumns, &PgcFields);
  if (key == "sac") return Lines(ReadSacZone(path), kSacColumns, &SacFields);
  if (key == "gpn") return Lines(ReadGpnZone(path), kGpnColumns, &GpnFields);
  if (key == "lbn") return Lines(ReadLbnZone(path), kLbnColumns, &LbnFields);
  if (key == "ocl") return Lines(ReadOclZone(path), kOclColumns, &OclFields);
  if (key == "gcm") return Lines(ReadGcmZone(path), kGcmColumns, &GcmFields);
  return std::nullopt;
}

std::vector<std::string> ZoneFileNames(const std::filesystem::path& dataDir,
                                       const TCatalogInfo& catalog) {
  std::vector<std::string> names;
  const std::filesystem::path dir = ResolveDataPath(dataDir, catalog.Directory);
  std::error_code error;
  for (std::filesystem::directory_iterator it(dir, error), end; !error && it != end;
       it.increment(error)) {
    if (!it->is_regular_file(error)) continue;
    std::string name = it->path().filename().string();
    std::string lower = name;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (lower.size() > 4 && lower.ends_with(".dat")) names.push_back(std::move(name));
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace himlavy
