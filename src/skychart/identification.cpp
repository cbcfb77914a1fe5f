#include "skychart/identification.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <type_traits>
#include <utility>
#include <variant>

#include "base/formatting.h"
#include "base/numtext.h"
#include "base/textfile.h"
#include "skychart/chart_minor.h"
#include "skychart/constellation_files.h"

namespace himlavy {

namespace {

constexpr int CatalogIndexOf(std::string_view key) {
  for (std::size_t i = 0; i < kCatalogs.size(); ++i) {
    if (kCatalogs[i].Key == key) return static_cast<int>(i);
  }
  return -1;
}

constexpr int kBscIndex = CatalogIndexOf("bsc");
constexpr int kSkyIndex = CatalogIndexOf("sky");

// The zoom from which the search looks at "sky" stars.
constexpr int kSkyMinZoom = 8;

// The x from which the whole-sky chart shows its side view, and the side view's centre.
constexpr int kSideViewFrom = 691;
constexpr double kSideViewCentreX = 860.0;
constexpr double kWholeSkyCentreX = 354.0;
constexpr double kWholeSkyCentreY = 348.0;

// A text cut to `chars` characters with every "\r\n" turned into "\n".
std::string CutLine(std::string_view text, std::size_t chars) {
  std::string cut = Utf8Left(text, chars);
  std::string out;
  out.reserve(cut.size());
  for (std::size_t i = 0; i < cut.size(); ++i) {
    if (cut[i] == '\r' && i + 1 < cut.size() && cut[i + 1] == '\n') continue;
    out += cut[i];
  }
  return out;
}

std::string_view TrimTrailing(std::string_view s) {
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

// The last entry of a table in the cursor's box, or nullptr.
template <typename TEntry>
const TEntry* LastHit(const TIdentTable<TEntry>& table, int x, int y) {
  const TEntry* hit = nullptr;
  const int count = std::min(table.Count(), table.Capacity());
  for (int i = 0; i < count; ++i) {
    if (IsHit(table[i].X, table[i].Y, x, y)) hit = &table[i];
  }
  return hit;
}

// --- Readout texts ---------------------------------------------------------------------------

// Lines joined by "\n".
class TLines {
 public:
  void Add(std::string_view line) {
    if (!first_) text_ += '\n';
    first_ = false;
    text_ += line;
  }
  // A labelled value; an empty value leaves out its unit as well.
  void Add(std::string_view label, std::string_view value, std::string_view unit = {}) {
    if (!first_) text_ += '\n';
    first_ = false;
    text_ += label;
    if (!value.empty()) {
      text_ += value;
      text_ += unit;
    }
  }
  std::string Take() { return std::move(text_); }

 private:
  std::string text_;
  bool first_ = true;
};

// A stored character field without trailing blanks, as UTF-8.
std::string FieldUtf8(std::string_view raw) {
  return Cp1252ToUtf8(FieldText(raw));
}

std::string IntText(long long v) {
  return FixedText(static_cast<double>(v), 0);
}

// A number, empty when 0.
std::string NumberOrEmpty(long long v) {
  return v == 0 ? std::string() : IntText(v);
}

// A value stored in hundredths with `decimals` decimals, empty when it is one of the missing
// markers.
std::string Hundredths(std::int32_t v, std::initializer_list<std::int32_t> missing,
                       int decimals = 2) {
  for (const auto m : missing) {
    if (v == m) return {};
  }
  return FixedText(v / 100.0, decimals);
}

// A magnitude or colour index in hundredths: empty at 99.00 and at the deep-sky marker.
std::string Magnitude(std::int32_t v) {
  return Hundredths(v, {kUnknownMagnitude, kDeepSkyMissing});
}

// A proper motion in 0.001"/yr as arcseconds per year.
std::string ProperMotion(std::int32_t v) {
  return FixedText(v / 1000.0, 3);
}

// A value in tenths with one decimal, empty for 0 and the deep-sky marker.
std::string Tenths(std::int32_t v) {
  if (v == 0 || v == kDeepSkyMissing) return {};
  return FixedText(v / 10.0, 1);
}

// A one-character field, empty when blank.
std::string CharText(char c) {
  if (c == ' ' || c == '\0') return {};
  return Cp1252ToUtf8(std::string_view(&c, 1));
}

// A magnitude followed by its flag character.
std::string MagnitudeWithFlag(std::int32_t v, char flag) {
  std::string text = Magnitude(v);
  if (!text.empty()) text += CharText(flag);
  return text;
}

// 10 to the power of a logarithm stored in hundredths, times `scale`, empty when missing.
std::string AntiLog(std::int16_t v, double scale, int decimals) {
  if (v == kDeepSkyMissing) return {};
  return FixedText(Pow10(v / 100.0) * scale, decimals);
}

// A float value, empty when it equals `missing` or is not finite.
std::string FloatText(float v, float missing, int decimals) {
  if (!std::isfinite(v) || v == missing) return {};
  return FixedText(v, decimals);
}

constexpr std::string_view kArcSec = "\"";
constexpr std::string_view kArcMin = "'";
constexpr std::string_view kPerYear = "\"/år";
constexpr std::string_view kKmPerSecond = "km/s";

// Title, right ascension and declination (J2000.0, degrees) of every readout.
void AddPosition(TLines& left, std::string_view title, double raDegrees, double decDegrees) {
  left.Add(title);
  left.Add("R.A.2000=", FormatHMS(raDegrees / 15.0));
  left.Add("Dekl.2000=", FormatDMS(decDegrees));
}

void AddPosition(TLines& left, int catalog, std::int32_t ra, std::int32_t dec) {
  AddPosition(left, kCatalogs[static_cast<std::size_t>(catalog)].Title, StoredDegrees(ra),
              StoredDegrees(dec));
}

// Each catalog's readout.
struct TReadoutMaker {
  const std::filesystem::path& DataDir;
  bool* Beeped;
  TLines Left;
  TLines Right;

  void operator()(const TBscRecord& r) {
    AddPosition(Left, kBscIndex, r.RA, r.Dec);
    const std::string constellation = FieldUtf8(r.Constellation);
    Left.Add(NumberOrEmpty(r.Flamsteed) + " " + FieldUtf8(r.Bayer) + " " + constellation);
    const auto names = ConstellationNames(constellation, DataDir);
    if (!names && Beeped) *Beeped = true;
    Left.Add(names.value_or(std::string()));
    Left.Add("HD ", NumberOrEmpty(r.HD));
    Left.Add("BS ", NumberOrEmpty(r.HR));
    Right.Add("Magnitud=", Magnitude(r.Mag));
    Right.Add("Färgindex=", Magnitude(r.BV));
    Right.Add("Spektralklass=", FieldUtf8(r.SpectralClass));
    Right.Add("Egenrörelse,R.A.=        ", ProperMotion(r.PmRA), kPerYear);
    Right.Add("Egenrörelse,dekl.=        ", ProperMotion(r.PmDec), kPerYear);
  }

  void operator()(const TSkyRecord& r) {
    AddPosition(Left, kSkyIndex, r.RA, r.Dec);
    Left.Add("HD ", NumberOrEmpty(r.HD));
    Left.Add("SAO ", NumberOrEmpty(r.SAO));
    std::string id = FieldUtf8(r.IdText);
    if (r.IdNumber != 0) id += " " + IntText(r.IdNumber);
    Left.Add(id);
    Right.Add("Separation=", Hundredths(r.Separation, {0}), kArcSec);
    Right.Add("Magn.diff.=", Hundredths(r.MagDiff, {0}));
    Right.Add("Magnitud=", Magnitude(r.Mag));
    Right.Add("Färgindex=", Magnitude(r.BV));
    Right.Add("Spektralklass=", FieldUtf8(r.SpectralClass));
    Right.Add("Egenrörelse,R.A.=        ", ProperMotion(r.PmRA), kPerYear);
    Right.Add("Egenrörelse,dekl.=        ", ProperMotion(r.PmDec), kPerYear);
  }

  void operator()(const TWdsRecord& r) {
    AddPosition(Left, CatalogIndexOf("wds"), r.RA, r.Dec);
    Left.Add("BD ", NumberOrEmpty(r.DM));
    std::string id = FieldUtf8(r.Discoverer);
    const std::string components = FieldUtf8(r.Components);
    if (!components.empty()) id += " " + components;
    Left.Add("Id.=", id);
    auto missingOr = [](std::int16_t v) { return v == kWdsMissing ? std::string() : IntText(v); };
    auto year = [](std::int16_t v) { return v == kWdsMissing ? std::string() : NumberOrEmpty(v); };
    Right.Add("Separation,1=", Hundredths(r.Separation1, {kWdsMissing}), kArcSec);
    Right.Add("Separation,2=", Hundredths(r.Separation2, {kWdsMissing}), kArcSec);
    Right.Add("Magnitud,1=", Hundredths(r.Mag1, {kWdsMissing, kUnknownMagnitude}));
    Right.Add("Magnitud,2=", Hundredths(r.Mag2, {kWdsMissing, kUnknownMagnitude}));
    Right.Add("Spektralklass=", FieldUtf8(r.SpectralClass));
    Right.Add("Årtal,1=", year(r.Year1));
    Right.Add("Årtal,2=", year(r.Year2));
    Right.Add("Pos.vinkel,1=", missingOr(r.PosAngle1), kDegreeSign);
    Right.Add("Pos.vinkel,2=", missingOr(r.PosAngle2), kDegreeSign);
    Right.Add("Anmärkning=", FieldUtf8(r.Note));
  }

  void operator()(const TGcvsRecord& r) {
    AddPosition(Left, CatalogIndexOf("gcvs"), r.RA, r.Dec);
    Left.Add(FieldUtf8(r.Name));
    const std::string_view system = r.PhotometricSystem < kGcvsPhotometricSystems.size()
                                        ? kGcvsPhotometricSystems[r.PhotometricSystem]
                                        : std::string_view();
    Right.Add("Fotometriksystem=", system);
    // The period is stored in days and shown in hours.
    const double hours = static_cast<double>(r.Period) * 24.0;
    Right.Add("Period=", std::isfinite(hours) && hours > 0.0 ? GeneralText(hours, 7) : "", "h");
    Right.Add("Magnitud,max=", MagnitudeWithFlag(r.MagMax, r.MaxFlag));
    Right.Add("Magnitud,min=", MagnitudeWithFlag(r.MagMin, r.MinFlag));
    Right.Add("Variabeltyp=", FieldUtf8(r.VarType));
  }

  void operator()(const TNgcRecord& r) {
    AddPosition(Left, CatalogIndexOf("ngc"), r.RA, r.Dec);
    std::string id = (r.IsIC() ? "IC " : "NGC ") + IntText(r.Number);
    const std::string constellation = FieldUtf8(r.Constellation);
    if (!constellation.empty()) id += " " + constellation;
    Left.Add(id);
    std::string magnitude = Magnitude(r.Mag);
    if (!magnitude.empty() && r.MagFlag == 'P') magnitude += 'P';
    Right.Add("Magnitud=", magnitude);
    Right.Add("Diameter=", Tenths(r.Size), kArcMin);
    Right.Add("Beskrivning=", FieldUtf8(r.Description));
    Right.Add(NgcTypeText(r.Type));
  }

  void operator()(const TPgcRecord& r) {
    AddPosition(Left, CatalogIndexOf("pgc"), r.RA, r.Dec);
    Left.Add("PGC=", NumberOrEmpty(r.PGC));
    const std::string name = FieldUtf8(r.Name);
    if (!name.empty()) Left.Add(name);
    Right.Add("Typ=", FieldUtf8(r.Type));
    Right.Add("Storaxel=", Hundredths(r.MajorAxis, {kDeepSkyMissing}), kArcMin);
    Right.Add("Lillaxel=", Hundredths(r.MinorAxis, {kDeepSkyMissing}), kArcMin);
    Right.Add("Magnitud (B)=", Magnitude(r.MagB));
    Right.Add("Pos.vinkel st.axel=",
              r.PosAngle == kDeepSkyMissing ? std::string() : IntText(r.PosAngle), kDegreeSign);
    Right.Add("Radialhast.=",
              r.RadialVelocity == kDeepSkyMissing ? std::string() : IntText(r.RadialVelocity),
              kKmPerSecond);
  }

  void operator()(const TSacRecord& r) {
    AddPosition(Left, kCatalogs[static_cast<std::size_t>(CatalogIndexOf("sac"))].Title, r.RA,
                r.Dec);
    const std::string name = FieldUtf8(r.Name);
    const std::string other = FieldUtf8(r.Other);
    if (!name.empty()) Left.Add(name);
    if (!other.empty()) Left.Add(other);
    Left.Add("Konstellation=", FieldUtf8(r.Constellation));
    Right.Add("Pos.-vinkel=", r.PosAngle == kNoPositionAngle ? std::string() : IntText(r.PosAngle),
              kDegreeSign);
    Right.Add("Storaxel=", FloatText(r.MajorAxis, 0.0f, 1), kArcMin);
    Right.Add("Lillaxel=", FloatText(r.MinorAxis, 0.0f, 1), kArcMin);
    Right.Add("Magnitud=", FloatText(r.Mag, 99.0f, 2));
    Right.Add("Ljusstyrka=", FloatText(r.SurfaceBrightness, 99.0f, 2));
    Right.Add("Klass=", FieldUtf8(r.Class));
    Right.Add("Beskr.=", FieldUtf8(r.Description));
    Right.Add(SacTypeText(r.Type));
  }

  void operator()(const TRc3Record& r) {
    AddPosition(Left, CatalogIndexOf("rc3"), r.RA, r.Dec);
    Left.Add("PGC ", FieldUtf8(TrimBlanks(r.PGC)));
    const std::string name = FieldUtf8(r.Name);
    if (!name.empty()) Left.Add(name);
    auto tenths = [](std::int16_t v) {
      return v == kDeepSkyMissing ? std::string() : FixedText(v / 10.0, 1);
    };
    Right.Add("Typ=", FieldUtf8(r.Type));
    Right.Add("Hubble stadium=", tenths(r.HubbleStage));
    Right.Add("Ljusfärgsklass=", tenths(r.LumClass));
    Right.Add("Magnitud (B)=", Magnitude(r.MagB));
    Right.Add("Pos.vinkel st.axel=",
              r.PosAngle == kNoPositionAngle ? std::string() : IntText(r.PosAngle), kDegreeSign);
    // log D25 and log Ae are logarithms of 0.1'; log R25 of the axis ratio.
    Right.Add("Storaxel=", AntiLog(r.LogD25, 0.1, 2), kArcMin);
    Right.Add("Stor/lillaxel=", AntiLog(r.LogR25, 1.0, 2));
    Right.Add("Centr.diam.=", AntiLog(r.LogAe, 0.1, 2), kArcMin);
    Right.Add("Färgind.,tot.=", Magnitude(r.ColourTotal));
    Right.Add("Färgind.,centr.=", Magnitude(r.ColourCentral));
    Right.Add("Magnitud 1=", Magnitude(r.Mag1));
    Right.Add("Magnitud 2=", Magnitude(r.Mag2));
    Right.Add("Radialhast.=",
              r.RadialVelocity == kDeepSkyMissing ? std::string() : IntText(r.RadialVelocity),
              kKmPerSecond);
  }

  void operator()(const TGpnRecord& r) {
    AddPosition(Left, CatalogIndexOf("gpn"), r.RA, r.Dec);
    Left.Add("PNG ", FieldUtf8(r.PNG));
    Left.Add("PK67 ", FieldUtf8(r.PK));
    const std::string name = FieldUtf8(r.Name);
    if (!name.empty()) Left.Add(name);
    Right.Add("Diameter=", Tenths(r.Diameter), kArcSec);
    Right.Add("Magn., visuell=", MagnitudeWithFlag(r.Mag, r.Flags[0]));
    Right.Add("Magn., HBeta=", MagnitudeWithFlag(r.MagHBeta, r.Flags[1]));
    Right.Add("Magn., B=", MagnitudeWithFlag(r.MagB, r.Flags[2]));
    Right.Add("Magn., V=", MagnitudeWithFlag(r.MagV, r.Flags[3]));
  }

  void operator()(const TLbnRecord& r) {
    AddPosition(Left, CatalogIndexOf("lbn"), r.RA, r.Dec);
    Left.Add("LBN ", NumberOrEmpty(r.LBN));
    Left.Add("Id.=", FieldUtf8(r.Id));
    Right.Add("Storaxel=", NumberOrEmpty(r.MajorSize), kArcMin);
    Right.Add("Lillaxel=", NumberOrEmpty(r.MinorSize), kArcMin);
    Right.Add("Area=", Hundredths(r.Area, {0}), "°²");
    Right.Add("Ljusstyrka(1-6)=", NumberOrEmpty(r.Brightness));
    Right.Add("Färg(1-4)=", NumberOrEmpty(r.Colour));
  }

  void operator()(const TOclRecord& r) {
    AddPosition(Left, CatalogIndexOf("ocl"), r.RA, r.Dec);
    auto number = [](std::int16_t v) {
      return v == kDeepSkyMissing ? std::string() : NumberOrEmpty(v);
    };
    Left.Add("OCL ", number(r.OclNumber));
    Left.Add("Nummer=", number(r.Number));
    Left.Add("Sekvens=", number(r.Sequence));
    // Trumpler's concentration classes are written I to IV.
    static constexpr std::array<std::string_view, 4> kRoman = {"I", "II", "III", "IV"};
    const std::string concentration =
        r.Concentration >= '1' && r.Concentration <= '4'
            ? std::string(kRoman[static_cast<std::size_t>(r.Concentration - '1')])
            : CharText(r.Concentration);
    Right.Add("Diameter=", Tenths(r.Diameter), kArcMin);
    Right.Add("Avstånd=", number(r.Distance), "pc");
    Right.Add("Magn., total=", Magnitude(r.MagTotal));
    Right.Add("Magn., ljusstarka=", Magnitude(r.MagBrightest));
    Right.Add("Färgindex=", Magnitude(r.ColourIndex));
    Right.Add("Antal stjärnor=", number(r.StarCount));
    Right.Add("Koncentration=", concentration);
    Right.Add("Område=", CharText(r.Range));
    Right.Add("Rikedom=", CharText(r.Richness));
    Right.Add("Nebulositet=", CharText(r.Nebulosity));
    Right.Add("Ålder=", number(r.Age), "Mår");
  }

  void operator()(const TGcmRecord& r) {
    AddPosition(Left, CatalogIndexOf("gcm"), r.RA, r.Dec);
    Left.Add(FieldUtf8(r.Name));
    Right.Add("Kärnradie=", Hundredths(r.CoreRadius, {kDeepSkyMissing}), kArcMin);
    Right.Add("Halvmasseradie=", Hundredths(r.HalfMassRadius, {kDeepSkyMissing}), kArcMin);
    Right.Add("Luminositet=", AntiLog(r.LogLuminosity, 1.0, 0));
    Right.Add("Magnitud=", Magnitude(r.Mag));
    Right.Add("Färgindex=", Magnitude(r.ColourIndex));
    Right.Add("Spektralklass=", FieldUtf8(r.SpectralClass));
    Right.Add("Koncentration=", FieldUtf8(r.Concentration));
    Right.Add("Solavstånd=", Tenths(r.Distance), "kpc");
    Right.Add("Radie=", Hundredths(r.Radius, {kDeepSkyMissing}), kArcMin);
  }
};

}  // namespace

const std::array<int, 12> kIdentSearchOrder = {
    CatalogIndexOf("bsc"), CatalogIndexOf("sky"), CatalogIndexOf("wds"), CatalogIndexOf("gcvs"),
    CatalogIndexOf("ngc"), CatalogIndexOf("pgc"), CatalogIndexOf("sac"), CatalogIndexOf("rc3"),
    CatalogIndexOf("gpn"), CatalogIndexOf("lbn"), CatalogIndexOf("ocl"), CatalogIndexOf("gcm")};

// --- Tables ------------------------------------------------------------------------------------

TIdentTables::TIdentTables() {
  for (std::size_t i = 0; i < catalogs_.size(); ++i) {
    catalogs_[i] = TIdentTable<TCatalogEntry>(kCatalogCapacities[i]);
  }
  for (std::size_t i = 0; i < bodies_.size(); ++i) bodies_[i].Name = kBodyNames[i];
}

void TIdentTables::Clear() {
  ResetBodies();
  minor_.Clear();
  starNames_.Clear();
  deepSkyNames_.Clear();
  for (auto& table : catalogs_) table.Clear();
}

void TIdentTables::ResetBodies() {
  for (auto& body : bodies_) {
    body.X1 = kNoPixel;
    body.X2 = kNoPixel;
    body.Y = kNoPixel;
  }
}

bool TIdentTables::RegisterBody(int index, const TBodyEntry& entry) {
  if (index < 0 || index >= kBodyCount) return false;
  TBodyEntry& body = bodies_[static_cast<std::size_t>(index)];
  body.X1 = entry.X1;
  body.X2 = entry.X2;
  body.Y = entry.Y;
  body.Name = entry.Name.empty() ? std::string(kBodyNames[static_cast<std::size_t>(index)])
                                 : CutLine(entry.Name, kStarLabelChars);
  body.Line1 = CutLine(entry.Line1, kBodyLine1Chars);
  body.Line2 = CutLine(entry.Line2, kBodyLine2Chars);
  body.Line3 = CutLine(entry.Line3, kBodyLine3Chars);
  body.Line4 = CutLine(entry.Line4, kBodyLine4Chars);
  body.Line5 = CutLine(entry.Line5, kBodyLine5Chars);
  body.Right = CutLine(entry.Right, kBodyRightChars);
  return true;
}

bool TIdentTables::RegisterMinor(int x, int y, std::string_view name, TMinorReadout readout) {
  TMinorEntry* entry = minor_.Next();
  if (!entry) return false;
  entry->X = x;
  entry->Y = y;
  const auto twoBlanks = name.find("  ");
  if (twoBlanks != std::string_view::npos) name = name.substr(0, twoBlanks);
  entry->Name = Utf8Left(name, kMinorNameChars);
  entry->Name.resize(TrimTrailing(entry->Name).size());
  entry->Readout = std::move(readout);
  return true;
}

bool TIdentTables::RegisterStarName(int x, int y, std::string_view name) {
  TLabelEntry* entry = starNames_.Next();
  if (!entry) return false;
  entry->X = x;
  entry->Y = y;
  entry->Name = Utf8Left(name, kStarLabelChars);
  return true;
}

bool TIdentTables::RegisterDeepSkyName(int x, int y, std::string_view name) {
  TLabelEntry* entry = deepSkyNames_.Next();
  if (!entry) return false;
  entry->X = x;
  entry->Y = y;
  entry->Name = Utf8Left(name, kDeepSkyLabelChars);
  return true;
}

bool TIdentTables::RegisterCatalog(int catalog, int x, int y, const TCatalogRecord& record) {
  if (catalog < 0 || catalog >= static_cast<int>(catalogs_.size()) ||
      static_cast<int>(record.index()) != catalog) {
    return false;
  }
  TCatalogEntry* entry = catalogs_[static_cast<std::size_t>(catalog)].Next();
  if (!entry) return false;
  entry->X = x;
  entry->Y = y;
  entry->Record = record;
  return true;
}

int TIdentTables::CatalogCount(int catalog) const {
  if (catalog < 0 || catalog >= static_cast<int>(catalogs_.size())) return 0;
  return catalogs_[static_cast<std::size_t>(catalog)].Count();
}

// --- Search ------------------------------------------------------------------------------------

TReadout SearchIdentification(const TIdentTables& tables, const TObsState& state, int chartZoom,
                              int x, int y, const std::filesystem::path& dataDir, bool* beeped) {
  TReadout out;

  // Bodies: the readout starts empty and keeps the last body hit.
  const TBodyEntry* body = nullptr;
  for (const auto& b : tables.Bodies()) {
    if (IsHit(b.X1, b.Y, x, y) || IsHit(b.X2, b.Y, x, y)) body = &b;
  }
  if (body) {
    out.ObjectName = std::string(TrimBlanks(body->Name));
    out.Left = body->Line1 + "\n" + body->Line2 + "\n" + body->Line3 + "\n" + body->Line4 + "\n" +
               body->Line5;
    out.Right = body->Right;
  }

  if (const TMinorEntry* minor = LastHit(tables.Minor(), x, y)) {
    out.ObjectName = minor->Name;
    const std::array<std::string, 5> lines = MinorReadoutLines(minor->Readout);
    out.Left = CutLine(lines[0], kMinorLineChars[0]);
    for (std::size_t i = 1; i < lines.size(); ++i) {
      out.Left += '\n';
      out.Left += CutLine(lines[i], kMinorLineChars[i]);
    }
    out.Right.clear();
  }
  if (const TLabelEntry* name = LastHit(tables.StarNames(), x, y)) out.ObjectName = name->Name;
  if (const TLabelEntry* name = LastHit(tables.DeepSkyNames(), x, y)) out.ObjectName = name->Name;

  // Catalogs: only the last hit shows, so only it is formatted.
  const TCatalogEntry* last = nullptr;
  const TCatalogEntry* lastBsc = nullptr;
  for (const int catalog : kIdentSearchOrder) {
    if (!CatalogEnabled(state, catalog)) continue;
    if (catalog == kSkyIndex && chartZoom < kSkyMinZoom) continue;
    if (const TCatalogEntry* hit = LastHit(tables.Catalog(catalog), x, y)) {
      last = hit;
      if (catalog == kBscIndex) lastBsc = hit;
    }
  }
  if (last) {
    TCatalogReadout readout = CatalogReadout(last->Record, dataDir, beeped);
    out.Left = std::move(readout.Left);
    out.Right = std::move(readout.Right);
  }
  // A "bsc" star covered by a later catalog still looked its constellation up.
  if (lastBsc && lastBsc != last && beeped) {
    const auto& star = std::get<TBscRecord>(lastBsc->Record);
    if (!ConstellationNames(FieldUtf8(star.Constellation), dataDir)) *beeped = true;
  }
  return out;
}

// --- Catalog readouts --------------------------------------------------------------------------

std::optional<std::string> ConstellationNames(std::string_view abbreviation,
                                              const std::filesystem::path& dataDir) {
  const auto entries =
      ReadConstellationInfoFile(ResolveDataPath(dataDir, kConstellationInfoFileName));
  if (!entries) return std::nullopt;
  abbreviation = TrimTrailing(abbreviation);
  const TConstellationInfo* match = nullptr;
  for (const auto& entry : *entries) {
    if (TrimTrailing(entry.Abbreviation) == abbreviation) match = &entry;
  }
  if (!match) return std::string();
  return std::string(TrimTrailing(match->LatinName)) + "\n" +
         std::string(TrimTrailing(match->SwedishName));
}

TCatalogReadout CatalogReadout(const TCatalogRecord& record, const std::filesystem::path& dataDir,
                               bool* beeped) {
  TReadoutMaker maker{dataDir, beeped, {}, {}};
  std::visit(maker, record);
  return {maker.Left.Take(), maker.Right.Take()};
}

// --- Cross-hair --------------------------------------------------------------------------------

std::optional<std::string> CrossHairText(const TChartView& view, int x, int y) {
  const auto joined = [](const std::string& a, const std::string& b) { return a + " / " + b; };
  switch (view.CoordSystem) {
    case kEquatorial: {
      const TCrossHair c = InverseRect(x, y, view);
      return joined(FormatHMS(c.Lon / 15.0), FormatDMS(c.Lat));
    }
    case kEcliptic:
    case kHorizontal:
    case kGalactic: {
      const TCrossHair c = InverseRect(x, y, view);
      return joined(FormatDMS(c.Lon), FormatDMS(c.Lat));
    }
    case kEquatorialPolar: {
      const auto c = InversePolar(x, y, view);
      if (!c) return std::nullopt;
      return joined(FormatHMS(c->Lon / 15.0), FormatDMS(c->Lat));
    }
    case kHorizontalPolar: {
      const auto c = InversePolar(x, y, view);
      if (!c) return std::nullopt;
      return joined(FormatDMS(c->Lon), FormatDMS(c->Lat));
    }
    case kEclipticWhole: {
      const auto au = [](double v) { return FixedText(v, 4) + "a.e."; };
      if (x >= kSideViewFrom) {
        const double z =
            (x - kSideViewCentreX - view.ChartZoom * view.SideOffsetX) / view.PixelScale;
        return "Z=" + au(z);
      }
      const double u = (x - kWholeSkyCentreX - view.ChartZoom * view.OffsetX) / view.PixelScale;
      const double v = -(y - kWholeSkyCentreY - view.ChartZoom * view.OffsetY) / view.PixelScale;
      // Orientation 1 turns the plane by 90 degrees: longitude 0 up.
      const double ex = view.Orientation == 1 ? v : u;
      const double ey = view.Orientation == 1 ? -u : v;
      return joined("X=" + au(ex), "Y=" + au(ey));
    }
    default:
      return std::nullopt;
  }
}

}  // namespace himlavy
