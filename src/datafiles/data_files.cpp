#include "datafiles/data_files.h"

#include <cmath>
#include <fstream>
#include <iterator>
#include <system_error>

#include "base/numtext.h"
#include "datafiles/catalog_lines.h"

namespace himlavy {

namespace {

using Heading = std::vector<std::string>;

const Heading kAsteroidHeading = {
    "                                             Halv",
    "                              Elementtid     storaxel  Excentr.  Lutning   Uppst.nod "
    "Perihel.  St.- Med.anom. Star Stop Magn.-par. Visa",
    "Namn_______________________   T0 (ÅMD.d)____-a (a.e.)_ e________ i (°)____-Om (°)___-w "
    "(°)____ epok-M0 (°)___ (Å)  (Å)  H___ G___  jst"};
const Heading kCometHeading = {
    "                                             Perihel.-",
    "                              Periheliumtid  avstånd   Excentr.  Lutning   Uppst.nod "
    "Perihel.  St.- Star Stop Magn.-par.  Visa",
    "Namn_______________________   T0 (ÅMD.d)____ q (a.e.)_ e________ i (°)____-Om (°)___-w "
    "(°)____ epok (Å)  (Å)  g___ k___   jst"};
const Heading kProbeHeading = {
    "                                   Halv",
    "                    Elementtid     storaxel  Excentr.  Lutning   Uppst.nod Periapsis St.- "
    "Med.anom. Starttid     Stopptid     Cent-Visa",
    "Namn_____________   T0 (ÅMD.d)____-a (a.e.)_ e________ i (°)____-Om (°)___-w (°)____ "
    "epok-M0 (°)___ t1 (ÅMD.d)__ t2 (ÅMD.d)__ rum  jst"};
const Heading kConstellationHeading = {"Beteckning", "___ Namn_______________ Svenskt namn___"};
const Heading kNameHeading = {"R.A.   Dekl.", "(hm.m) (°')  Namn__________________."};
const Heading kPlaceHeading = {"                                 Lat    Lon     Tidzon",
                               "Ort [Land] H=huvudstad           (°.')   (°.')      *=sommartid"};
const Heading kCountryHeading = {"För-", "kort-", "ning", "__ Namn___________________________"};

// The Earth's Gaussian constant (AU^1.5 per day) and degrees per radian, as the mean-motion
// calculator uses them.
constexpr double kEarthGaussK = 2.9811446458589675e-05;
constexpr double kDegreesPerRadian = 57.29577951308232;

// x rounded to `significant` significant digits and written with `decimals` decimals; a value
// with more integer digits than `significant` in the general form.
std::string RoundedFixedText(double x, int significant, int decimals, char sep) {
  if (x == 0.0) return FixedText(0.0, decimals, sep);
  if (std::fabs(x) >= std::pow(10.0, significant)) return GeneralText(x, significant, sep);
  const std::optional<double> rounded = ParseReal(GeneralText(x, significant));
  return FixedText(rounded.value_or(x), decimals, sep);
}

char16_t FoldCase(char16_t c) {
  if (c >= u'A' && c <= u'Z') return static_cast<char16_t>(c + 32);
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<char16_t>(c + 32);
  switch (c) {
    case 0x160:
      return 0x161;  // Š
    case 0x152:
      return 0x153;  // Œ
    case 0x17D:
      return 0x17E;  // Ž
    case 0x178:
      return 0xFF;  // Ÿ
    default:
      return c;
  }
}

bool IsWordCharacter(char16_t c) {
  const char16_t f = FoldCase(c);
  return (f >= u'a' && f <= u'z') || (c >= u'0' && c <= u'9') || c == u'_' ||
         (f >= 0xDF && f <= 0xFF && f != 0xF7) || f == 0x161 || f == 0x153 || f == 0x17E ||
         c == 0xAA || c == 0xB5 || c == 0xBA;
}

bool MatchesAt(std::u16string_view text, std::u16string_view pattern, std::size_t at,
               const TFindOptions& options) {
  for (std::size_t k = 0; k < pattern.size(); ++k) {
    const char16_t a = text[at + k];
    const char16_t b = pattern[k];
    if (a != b && (options.MatchCase || FoldCase(a) != FoldCase(b))) return false;
  }
  if (!options.WholeWord) return true;
  const bool before = at > 0 && IsWordCharacter(text[at - 1]);
  const std::size_t end = at + pattern.size();
  const bool after = end < text.size() && IsWordCharacter(text[end]);
  return !before && !after;
}

}  // namespace

const std::array<TDataFileItem, 23> kDataFileItems = {{
    {"Asteroider 1", TDataItemKind::TextFile, "asteroid.dta", ""},
    {"Asteroider 2", TDataItemKind::TextFile, "asteroi2.dta", ""},
    {"Asteroider 3", TDataItemKind::TextFile, "asteroi3.dta", ""},
    {"Kometer, m.fl. ", TDataItemKind::TextFile, "komet.dta", ""},
    {"Rymdsonder", TDataItemKind::TextFile, "rymdsond.dta", ""},
    {"BSC", TDataItemKind::Catalog, "", "bsc"},
    {"SKY", TDataItemKind::Catalog, "", "sky"},
    {"WDS", TDataItemKind::Catalog, "", "wds"},
    {"GCVS", TDataItemKind::Catalog, "", "gcvs"},
    {"NGC", TDataItemKind::Catalog, "", "ngc"},
    {"PGC", TDataItemKind::Catalog, "", "pgc"},
    {"RC3", TDataItemKind::Catalog, "", "rc3"},
    {"SAC", TDataItemKind::Catalog, "", "sac"},
    {"GPN", TDataItemKind::Catalog, "", "gpn"},
    {"LBN", TDataItemKind::Catalog, "", "lbn"},
    {"OCL", TDataItemKind::Catalog, "", "ocl"},
    {"GCM", TDataItemKind::Catalog, "", "gcm"},
    {"Konstellationer", TDataItemKind::TextFile, "stjabild.dta", ""},
    {"Namn på stjärnor", TDataItemKind::TextFile, "stjanamn.dta", ""},
    {"Namn på galaxer m.fl.", TDataItemKind::TextFile, "objnamn.dta", ""},
    {"Ortsnamn", TDataItemKind::TextFile, "ortsnamn.dta", ""},
    {"Land", TDataItemKind::TextFile, "land.dta", ""},
    {" ", TDataItemKind::Nothing, "", ""},
}};

std::vector<std::string> ItemHeading(const TDataFileItem& item) {
  if (item.Kind == TDataItemKind::Catalog) return CatalogHeading(item.CatalogKey);
  const std::string_view file = item.FileName;
  if (file.starts_with("asteroi")) return kAsteroidHeading;
  if (file == "komet.dta") return kCometHeading;
  if (file == "rymdsond.dta") return kProbeHeading;
  if (file == "stjabild.dta") return kConstellationHeading;
  if (file == "stjanamn.dta" || file == "objnamn.dta") return kNameHeading;
  if (file == "ortsnamn.dta") return kPlaceHeading;
  if (file == "land.dta") return kCountryHeading;
  return {};
}

TLoadedText LoadTextDocument(const std::filesystem::path& path) {
  TLoadedText result;
  std::ifstream in(path, std::ios::binary);
  std::error_code error;
  if (!in || std::filesystem::is_directory(path, error)) {
    result.Error = "Cannot open file " + path.filename().string();
    return result;
  }
  const auto size = std::filesystem::file_size(path, error);
  if (!error && size > kMaxLoadBytes) {
    result.Error = "Filen " + path.filename().string() + " är för stor (mer än " +
                   std::to_string(kMaxLoadBytes / (1024 * 1024)) + " MB).";
    return result;
  }
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) {
    result.Error = "Cannot open file " + path.filename().string();
    return result;
  }

  TTextDocument document;
  std::size_t lineFeeds = 0;
  std::size_t crlf = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] != '\n') continue;
    ++lineFeeds;
    if (i > 0 && bytes[i - 1] == '\r') ++crlf;
  }
  const bool useCrlf = lineFeeds == 0 || crlf == lineFeeds;
  document.LineEnd = useCrlf ? "\r\n" : "\n";
  std::size_t start = 0;
  while (start < bytes.size()) {
    const std::size_t end = bytes.find('\n', start);
    if (end == std::string::npos) {
      document.Lines.push_back(Cp1252ToUtf8(std::string_view(bytes).substr(start)));
      break;
    }
    const std::size_t stop = useCrlf ? end - 1 : end;
    document.Lines.push_back(Cp1252ToUtf8(std::string_view(bytes).substr(start, stop - start)));
    start = end + 1;
  }
  document.FinalLineEnd = !bytes.empty() && bytes.back() == '\n';
  if (bytes.empty()) document.FinalLineEnd = true;
  result.Document = std::move(document);
  return result;
}

std::string DocumentBytes(const TTextDocument& document) {
  std::string bytes;
  for (std::size_t i = 0; i < document.Lines.size(); ++i) {
    bytes += Utf8ToCp1252(document.Lines[i]);
    if (i + 1 < document.Lines.size() || document.FinalLineEnd) bytes += document.LineEnd;
  }
  return bytes;
}

std::string EditorText(const TTextDocument& document) {
  std::string text;
  for (std::size_t i = 0; i < document.Lines.size(); ++i) {
    if (i > 0) text += '\n';
    text += document.Lines[i];
  }
  return text;
}

TTextDocument DocumentFromEditor(std::string_view text, const TTextDocument& loaded) {
  TTextDocument document;
  document.LineEnd = loaded.LineEnd;
  document.FinalLineEnd = loaded.FinalLineEnd;
  if (text.empty() && loaded.Lines.empty()) return document;
  std::size_t start = 0;
  while (true) {
    const std::size_t end = text.find('\n', start);
    document.Lines.emplace_back(
        text.substr(start, end == std::string_view::npos ? end : end - start));
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  return document;
}

std::string UnsavableCharacterText(std::string_view text, std::string_view fileName) {
  if (Cp1252ToUtf8(Utf8ToCp1252(text)) == text) return {};
  for (std::size_t i = 0; i < text.size();) {
    const std::string character = Utf8Left(text.substr(i), 1);
    if (character.empty()) break;
    if (Cp1252ToUtf8(Utf8ToCp1252(character)) != character) {
      return "Tecknet \"" + character + "\" finns inte i teckentabellen för " +
             std::string(fileName) + " (Windows-1252). Ändra det och spara igen.";
    }
    i += character.size();
  }
  return {};
}

TWriteResult SaveTextDocument(const std::filesystem::path& path, const TTextDocument& document) {
  return WriteFileAtomically(path, DocumentBytes(document));
}

std::string SaveFailedText(std::string_view fileName, const TWriteResult& result) {
  return "Kunde inte spara " + std::string(fileName) + ": " + result.Error;
}

TCalculation Calculate(TCalculator calculator, std::string_view input, char sep) {
  TCalculation result;
  double x = 0.0;
  if (!TrimBlanks(input).empty()) {
    const std::optional<double> value = ParseReal(input, true);
    if (!value) {
      result.Error.assign(1, '\'');  // not = "'": GCC 12 warns (-Wrestrict) about that at -O2
      result.Error += input;
      result.Error += "' is not a valid floating point value";
      return result;
    }
    x = *value;
  }
  double value = 0.0;
  int significant = 9;
  int decimals = 8;
  std::string_view unit = " a.e.";
  switch (calculator) {
    case TCalculator::KmToAu:
      value = x / kKmPerAu;
      break;
    case TCalculator::AuToKm:
      value = x * kKmPerAu;
      significant = 15;
      decimals = 4;
      unit = " km";
      break;
    case TCalculator::MeanMotionToAxis:
      if (!(x > 0.0)) {
        result.Error = "Medelrörelsen n måste vara större än 0 varv per dygn.";
        return result;
      }
      value = std::pow(kEarthGaussK * kDegreesPerRadian / (x * 360.0), 2.0 / 3.0);
      break;
  }
  if (!std::isfinite(value)) {
    result.Error = "Talet är för stort.";
    return result;
  }
  result.Text = RoundedFixedText(value, significant, decimals, sep) + std::string(unit);
  return result;
}

std::optional<std::size_t> FindText(std::u16string_view text, std::u16string_view pattern,
                                    std::size_t from, const TFindOptions& options) {
  if (pattern.empty() || pattern.size() > text.size()) return std::nullopt;
  const std::size_t last = text.size() - pattern.size();
  if (options.Down) {
    for (std::size_t at = from; at <= last; ++at) {
      if (MatchesAt(text, pattern, at, options)) return at;
    }
    return std::nullopt;
  }
  if (from < pattern.size()) return std::nullopt;
  for (std::size_t at = std::min(from - pattern.size(), last) + 1; at-- > 0;) {
    if (MatchesAt(text, pattern, at, options)) return at;
  }
  return std::nullopt;
}

std::string NotFoundText(std::string_view pattern) {
  return "Hittar inte \"" + std::string(pattern) + "\".";
}

}  // namespace himlavy
