#include "catalogs/element_files.h"

#include <algorithm>
#include <cmath>

#include "astro/reductions.h"
#include "base/numtext.h"
#include "base/textfile.h"
#include "base/timescales.h"
#include "catalogs/catalog_records.h"

namespace himlavy {

namespace {

// The mean daily motion in degrees of a body at 1 AU from the Sun, with which the epoch of a
// probe on an open orbit is moved back to its perihelion.
constexpr double kDegreesPerDayAt1AU = 0.98563;

// A comet eccentricity of exactly 1 is read as this (the position routines then take the
// near-parabolic branch).
constexpr double kParabolicEcc = 1.0000001;

// Columns (counted from 1, both ends included) of the fields a layout has in common.
struct TColumns {
  std::size_t NameLast;
  std::size_t EpochFirst;    // year first..+3, month +4..+5, day +6..+13
  std::size_t DistFirst;     // a (asteroids, probes) or q (comets), 10 columns
  std::size_t EccFirst;      // 9 columns
  std::size_t InclFirst;     // 8 columns
  std::size_t NodeFirst;     // 10 columns
  std::size_t PeriFirst;     // 10 columns
  std::size_t EquinoxFirst;  // 4 columns
  std::size_t AnomalyFirst;  // 10 columns; 0 = none (comets)
  std::size_t LastElement;   // the last column the elements need
  std::size_t Mag1First;     // 4 columns; 0 = none (probes)
  std::size_t Mag2First;     // 4 columns
  std::size_t FlagColumn;    // 'j'
};

constexpr TColumns kAsteroidColumns{30, 31, 45, 56, 66, 75, 85, 96, 100, 109, 121, 126, 132};
constexpr TColumns kCometColumns{30, 31, 45, 56, 66, 75, 85, 96, 0, 99, 111, 116, 123};
constexpr TColumns kProbeColumns{20, 21, 35, 46, 56, 65, 75, 86, 90, 99, 0, 0, 132};

// Asteroid and comet year fields, and the probe's start and stop dates.
constexpr std::size_t kAsteroidFirstYear = 111;
constexpr std::size_t kAsteroidLastYear = 116;
constexpr std::size_t kCometFirstYear = 101;
constexpr std::size_t kCometLastYear = 106;
constexpr std::size_t kProbeStart = 101;   // year 101-104, month 105-106, day 107-112
constexpr std::size_t kProbeStop = 114;    // year 114-117, month 118-119, day 120-125
constexpr std::size_t kProbeCentre = 127;  // 127-129

constexpr std::size_t kRingColumn = 133;
constexpr std::size_t kTrackColumn = 134;
constexpr std::size_t kTrackColumnComet = 125;

const TColumns& ColumnsOf(TElementFileKind kind) {
  switch (kind) {
    case TElementFileKind::Asteroid:
      return kAsteroidColumns;
    case TElementFileKind::Comet:
      return kCometColumns;
    case TElementFileKind::Probe:
      break;
  }
  return kProbeColumns;
}

// The line as it is read: at most kElementLineChars characters.
std::string_view Cut(std::string_view line) {
  return line.substr(0, std::min(line.size(), kElementLineChars));
}

bool IsComment(std::string_view line) {
  return !line.empty() && line.front() == ';';
}

// Columns first..first+width-1 of a line (counted from 1); shorter or empty where the line
// ends before them.
std::string_view Field(std::string_view line, std::size_t first, std::size_t width) {
  if (first == 0 || line.size() < first) return {};
  return line.substr(first - 1, width);
}

// The character in a column, or '\0' where the line is shorter.
char At(std::string_view line, std::size_t column) {
  return line.size() >= column ? line[column - 1] : '\0';
}

std::optional<double> Real(std::string_view line, std::size_t first, std::size_t width) {
  return ParseReal(Field(line, first, width));
}

std::optional<int> Integer(std::string_view line, std::size_t first, std::size_t width) {
  const std::optional<long long> v = ParseInteger(Field(line, first, width));
  if (!v || *v < -999999 || *v > 999999) return std::nullopt;
  return static_cast<int>(*v);
}

// A calendar date in three fields (year 4, month 2, day `dayWidth` columns) as a Julian day;
// std::nullopt when a field is not a number or the month or day lies outside the calendar.
std::optional<double> DateAt(std::string_view line, std::size_t first, std::size_t dayWidth) {
  const std::optional<int> year = Integer(line, first, 4);
  const std::optional<int> month = Integer(line, first + 4, 2);
  const std::optional<double> day = Real(line, first + 6, dayWidth);
  if (!year || !month || !day) return std::nullopt;
  if (*month < 1 || *month > 12 || *day < 0.0 || *day > 32.0) return std::nullopt;
  return JulianDay(*year, *month, *day);
}

bool IsBlankYear(std::string_view line, std::size_t first) {
  return Field(line, first, 4) == "    ";
}

// 1 January, 0 h, of the year in columns first..first+3.
std::optional<double> YearStart(std::string_view line, std::size_t first) {
  const std::optional<int> year = Integer(line, first, 4);
  if (!year) return std::nullopt;
  return JulianDay(*year, 1, 1.0);
}

bool AllFinite(const TElements& e) {
  for (double v :
       {e.Epoch, e.M0, e.SemiMajor, e.PeriDist, e.DailyMotion, e.Ecc, e.ArgPeri, e.Node, e.Incl}) {
    if (!std::isfinite(v)) return false;
  }
  return true;
}

std::string NameOf(std::string_view line, std::size_t width) {
  return Cp1252ToUtf8(FieldText(Field(line, 1, width)));
}

}  // namespace

const TCentralBody* FindCentralBody(std::string_view text) {
  for (const TCentralBody& body : kCentralBodies) {
    if (body.Text == text) return &body;
  }
  return nullptr;
}

TElementLineUse ElementLineUseOf(std::string_view line, TElementFileKind kind) {
  TElementLineUse use;
  use.Never = true;
  line = Cut(line);
  if (IsComment(line)) return use;
  const TColumns& cols = ColumnsOf(kind);
  if (line.size() < cols.FlagColumn) return use;  // reaches neither years nor flag
  std::optional<double> start;
  std::optional<double> stop;
  if (kind == TElementFileKind::Probe) {
    start = DateAt(line, kProbeStart, 6);
    stop = DateAt(line, kProbeStop, 6);
  } else {
    const std::size_t first =
        kind == TElementFileKind::Asteroid ? kAsteroidFirstYear : kCometFirstYear;
    const std::size_t last =
        kind == TElementFileKind::Asteroid ? kAsteroidLastYear : kCometLastYear;
    if (IsBlankYear(line, first) || IsBlankYear(line, last)) {
      use.Never = false;
      use.Always = true;
      return use;
    }
    start = YearStart(line, first);
    stop = YearStart(line, last);
  }
  if (!start || !stop || At(line, cols.FlagColumn) != 'j') return use;
  use.Never = false;
  use.Start = *start;
  use.Stop = *stop;
  return use;
}

bool ElementLineUsed(std::string_view line, TElementFileKind kind, double clockJD) {
  return ElementLineUseOf(line, kind).At(clockJD);
}

std::optional<TMinorBody> ElementLineToBody(std::string_view line, TElementFileKind kind) {
  line = Cut(line);
  if (IsComment(line)) return std::nullopt;
  const TColumns& cols = ColumnsOf(kind);
  const bool probe = kind == TElementFileKind::Probe;
  if (line.size() < (probe ? kProbeCentre + 2 : cols.LastElement)) return std::nullopt;

  // Asteroids and comets go round the Sun, the first central body.
  const TCentralBody* centre =
      probe ? FindCentralBody(Field(line, kProbeCentre, 3)) : &kCentralBodies[0];
  if (centre == nullptr) return std::nullopt;
  TMinorBody body;
  body.Centre = centre->Text;
  body.GaussK = centre->GaussK;

  std::optional<double> epochJD = DateAt(line, cols.EpochFirst, 8);
  const std::optional<double> dist = Real(line, cols.DistFirst, 10);
  std::optional<double> ecc = Real(line, cols.EccFirst, 9);
  const std::optional<double> incl = Real(line, cols.InclFirst, 8);
  const std::optional<double> node = Real(line, cols.NodeFirst, 10);
  const std::optional<double> peri = Real(line, cols.PeriFirst, 10);
  const std::optional<double> anomaly =
      cols.AnomalyFirst != 0 ? Real(line, cols.AnomalyFirst, 10) : std::optional<double>(0.0);
  if (!epochJD || !dist || !ecc || !incl || !node || !peri || !anomaly) return std::nullopt;
  if (*ecc < 0.0) return std::nullopt;

  TElements& el = body.Elements;
  el.Ecc = *ecc;
  el.Incl = *incl * kDegToRad;
  el.Node = *node * kDegToRad;
  el.ArgPeri = *peri * kDegToRad;
  el.M0 = *anomaly * kDegToRad;
  const double k = body.GaussK;

  switch (kind) {
    case TElementFileKind::Asteroid: {
      const double a = *dist;
      if (a <= 0.0 || el.Ecc >= 1.0) return std::nullopt;
      el.SemiMajor = a;
      el.PeriDist = a * (1.0 - el.Ecc);
      el.DailyMotion = k / (a * std::sqrt(a));
      break;
    }
    case TElementFileKind::Comet: {
      const double q = *dist;
      if (q <= 0.0) return std::nullopt;
      if (el.Ecc == 1.0) el.Ecc = kParabolicEcc;
      el.PeriDist = q;
      el.M0 = 0.0;
      if (el.Ecc < 1.0) {
        const double a = q / (1.0 - el.Ecc);
        el.SemiMajor = a;
        el.DailyMotion = k / (a * std::sqrt(a));
      }
      break;
    }
    case TElementFileKind::Probe: {
      const double a = *dist;
      if (el.Ecc >= 1.0) {
        el.SemiMajor = a;
        el.PeriDist = (1.0 - el.Ecc) * a;
        if (el.PeriDist <= 0.0) return std::nullopt;
        if (*anomaly != 0.0) {
          *epochJD -= std::pow(std::fabs(a), 1.5) * *anomaly / kDegreesPerDayAt1AU;
        }
        el.M0 = 0.0;
      } else {
        if (a <= 0.0) return std::nullopt;
        el.SemiMajor = a;
        el.PeriDist = a * (1.0 - el.Ecc);
        el.DailyMotion = k / (a * std::sqrt(a));
      }
      break;
    }
  }
  // No orbit of the solar system or around a planet is larger than this; a bigger number is a
  // damaged line, and squaring it in the position routines would overflow.
  constexpr double kLargestOrbit = 1e7;  // AU
  if (std::fabs(el.SemiMajor) > kLargestOrbit || el.PeriDist > kLargestOrbit) return std::nullopt;
  el.Epoch = JulianCenturies(*epochJD);

  const std::optional<double> equinox = Real(line, cols.EquinoxFirst, 4);
  if (equinox && *equinox == 1950.0) ElementsB1950ToJ2000(el);
  if (!AllFinite(el)) return std::nullopt;

  body.Name = NameOf(line, cols.NameLast);
  if (cols.Mag1First != 0) {
    body.Mag1 = Real(line, cols.Mag1First, 4);
    body.Mag2 = Real(line, cols.Mag2First, 4);
  }
  body.Track = At(line, kTrackColumn) == 't' || At(line, kTrackColumnComet) == 't';
  body.Ring = At(line, kRingColumn) == 's';
  return body;
}

std::optional<std::vector<TMinorBody>> ReadUsedElementLines(const std::filesystem::path& path,
                                                            TElementFileKind kind, double clockJD) {
  const std::optional<std::vector<std::string>> lines =
      ReadRawLines(path, kElementLineChars, kMaxElementLines);
  if (!lines) return std::nullopt;
  std::vector<TMinorBody> bodies;
  for (const std::string& line : *lines) {
    if (!ElementLineUsed(line, kind, clockJD)) continue;
    if (std::optional<TMinorBody> body = ElementLineToBody(line, kind)) {
      bodies.push_back(std::move(*body));
    }
  }
  return bodies;
}

}  // namespace himlavy
