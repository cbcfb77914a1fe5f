#include "orbit/orbit_determination.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>

#include "base/numtext.h"
#include "base/textfile.h"
#include "base/timescales.h"
#include "eclipses/eclipse_vectors.h"
#include "eclipses/sun_moon_series.h"

namespace himlavy {

namespace {

constexpr double kRadPerDeg = 0.01745329252;
// Halvings of a secant step that would put eta below its minimum; 60 halvings make any step
// smaller than a rounding error.
constexpr int kMaxEtaHalvings = 60;

std::string LineError(std::size_t lineNumber, std::string_view what) {
  return "Rad " + std::to_string(lineNumber) + " i observ.dta: " + std::string(what);
}

// Blank-separated words of a line.
std::vector<std::string_view> Words(std::string_view line) {
  std::vector<std::string_view> words;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r')) ++i;
    const std::size_t start = i;
    while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r') ++i;
    if (i > start) words.push_back(line.substr(start, i - start));
  }
  return words;
}

// One observation line: the observation or the message for it.
std::optional<TObservation> ParseObservationLine(std::string_view line, std::size_t lineNumber,
                                                 std::string& error) {
  static constexpr std::array<const char*, 11> kFieldNames = {"året",
                                                              "månaden",
                                                              "dagen",
                                                              "timmen",
                                                              "R.A.-timmarna",
                                                              "R.A.-minuterna",
                                                              "R.A.-sekunderna",
                                                              "deklinationens grader",
                                                              "deklinationens minuter",
                                                              "deklinationens sekunder",
                                                              "epoken"};
  // Which fields are whole numbers.
  static constexpr std::array<bool, 11> kInteger = {true,  true, true, false, true, true,
                                                    false, true, true, false, false};
  const auto words = Words(line);
  if (words.size() < kFieldNames.size()) {
    error = LineError(lineNumber, "för få tal (" + std::to_string(words.size()) +
                                      " av 11: år mån dag tim  h m s  ° ′ ″  epok)");
    return std::nullopt;
  }
  std::array<double, 11> v{};
  for (std::size_t k = 0; k < kFieldNames.size(); ++k) {
    if (kInteger[k]) {
      const auto n = ParseInteger(words[k]);
      if (!n || std::abs(*n) > 1000000) {
        error = LineError(lineNumber, std::string(kFieldNames[k]) + " är inte ett heltal: '" +
                                          ValidUtf8(words[k]) + "'");
        return std::nullopt;
      }
      v[k] = static_cast<double>(*n);
    } else {
      const auto x = ParseReal(words[k]);
      if (!x) {
        error = LineError(lineNumber, std::string(kFieldNames[k]) + " är inte ett tal: '" +
                                          ValidUtf8(words[k]) + "'");
        return std::nullopt;
      }
      v[k] = *x;
    }
  }
  const auto outside = [&](std::size_t k, double low, double high) {
    if (v[k] >= low && v[k] <= high) return false;
    error =
        LineError(lineNumber, std::string(kFieldNames[k]) + " ligger utanför " + FixedText(low, 0) +
                                  " … " + FixedText(high, 0) + ": '" + ValidUtf8(words[k]) + "'");
    return true;
  };
  if (outside(0, -4000, 9999) || outside(1, 1, 12) || outside(2, 1, 31) || outside(3, 0, 24) ||
      outside(4, 0, 23) || outside(5, 0, 59) || outside(6, 0, 60) || outside(7, -90, 90) ||
      outside(8, -59, 59) || outside(9, -60, 60) || outside(10, 1000, 3000)) {
    return std::nullopt;
  }
  TObservation obs;
  obs.JD =
      CalendarToMjd(static_cast<int>(v[2]), static_cast<int>(v[1]), static_cast<int>(v[0]), v[3]) +
      kMjdOffset;
  obs.RaDeg = DmsToDeg(static_cast<int>(v[4]), static_cast<int>(v[5]), v[6]) * 15.0;
  // The sign of a declination may stand on any of its fields, also on zero degrees: "-00 30
  // 00" is -0.5 deg (a signed integer zero cannot carry it, so the text is looked at).
  const bool negative =
      words[7].starts_with('-') || words[8].starts_with('-') || words[9].starts_with('-');
  const double dec = std::abs(v[7]) + std::abs(v[8]) / 60.0 + std::abs(v[9]) / 3600.0;
  if (dec > 90.0) {
    error = LineError(lineNumber, "deklinationen är större än 90°");
    return std::nullopt;
  }
  obs.DecDeg = negative ? -dec : dec;
  obs.EquinoxYear = v[10];
  return obs;
}

// The direction and the Sun of one observation, ecliptic J2000.0.
void ReduceOne(const TObservation& obs, TVector3& dir, TVector3& sun) {
  const double tEquinox = (obs.EquinoxYear - 2000.0) / 100.0;
  dir = CartDeg(1.0, obs.DecDeg, obs.RaDeg);
  EquToEclVec(tEquinox, dir);
  ApplyMatrix(PrecessionMatrixEcl(tEquinox, 0.0), dir);
  const double t = (obs.JD - kJ2000) / kDaysPerCentury;
  const TEclipticDeg s = SunSeries(t);
  sun = CartDeg(s.R, s.B, s.L);
  ApplyMatrix(PrecessionMatrixEcl(t, 0.0), sun);
}

bool AllFinite(const TOrbitElements& el) {
  return std::isfinite(el.PerihelionJD) && std::isfinite(el.Q) && std::isfinite(el.E) &&
         std::isfinite(el.Incl) && std::isfinite(el.Node) && std::isfinite(el.Peri);
}

// The field text: `x` with 7 decimals, cut to `width` characters.
std::string CutFixed(double x, std::size_t width) {
  std::string text = FixedText(x, 7);
  if (text.size() > width) text.resize(width);
  while (text.size() < width) text.insert(text.begin(), ' ');
  return text;
}

std::string TrimRight(std::string text) {
  while (!text.empty() && (text.back() == ' ' || text.back() == '\r')) text.pop_back();
  return text;
}

}  // namespace

TObservationRead ParseObservations(const std::vector<std::string>& lines) {
  TObservationRead read;
  if (lines.size() < 4) {
    read.Error = "observ.dta har " + std::to_string(lines.size()) +
                 " rader; den ska ha namnet på rad 1 och tre observationer på rad 2-4";
    return read;
  }
  TObservationSet set;
  std::string name = lines[0];
  if (!name.empty() && name.back() == '\r') name.pop_back();
  name.resize(kOrbitNameWidth, ' ');
  for (char& c : name) {
    if (c == '\t') c = ' ';
  }
  set.Name = name;
  for (std::size_t i = 0; i < 3; ++i) {
    const auto obs = ParseObservationLine(lines[i + 1], i + 2, read.Error);
    if (!obs) return read;
    set.Obs[i] = *obs;
  }
  ReduceObservations(set);
  read.Set = std::move(set);
  return read;
}

TObservationRead ReadObservationFile(const std::filesystem::path& path) {
  const auto lines = ReadRawLines(path, 4096, 100);
  if (!lines) {
    TObservationRead read;
    read.Error = "Filen observ.dta kan inte läsas (" + Cp1252ToUtf8(path.string()) + ")";
    return read;
  }
  return ParseObservations(*lines);
}

void ReduceObservations(TObservationSet& set) {
  for (std::size_t i = 0; i < 3; ++i) {
    set.JD[i] = set.Obs[i].JD;
    ReduceOne(set.Obs[i], set.Dir[i], set.Sun[i]);
  }
}

double EtaFunction(double eta, double m, double l) {
  const double w = m / (eta * eta) - l;
  double big;
  if (std::abs(w) < 0.1) {
    // Series of the function W(w) (Montenbruck & Pfleger, eq. 11.28).
    double a = 4.0 / 3.0;
    big = a;
    double n = 0.0;
    do {
      n += 1.0;
      a *= w * (n + 2.0) / (n + 1.5);
      big += a;
    } while (std::abs(a) >= 1e-10);
  } else if (w > 0.0) {
    const double g = 2.0 * std::atan(std::sqrt(w / (1.0 - w)));
    const double s = std::sin(g);
    big = (2.0 * g - std::sin(2.0 * g)) / (s * s * s);
  } else {
    const double g = 2.0 * std::log(std::sqrt(-w) + std::sqrt(1.0 - w));
    const double s = std::sinh(g);
    big = (std::sinh(2.0 * g) - 2.0 * g) / (s * s * s);
  }
  return 1.0 - eta + (w + l) * big;
}

double FindEta(const TVector3& ra, const TVector3& rb, double tau, bool* converged) {
  const double sa = Norm(ra);
  const double sb = Norm(rb);
  const double kappa = std::sqrt(2.0 * (sa * sb + Dot(ra, rb)));
  const double m = tau * tau / (kappa * kappa * kappa);
  const double l = (sa + sb) / (2.0 * kappa) - 0.5;
  const double etaMin = std::sqrt(m / (l + 1.0));
  // Hansen's approximation as the start.
  double eta2 = (12.0 + 10.0 * std::sqrt(1.0 + (44.0 / 9.0) * m / (l + 5.0 / 6.0))) / 22.0;
  double eta1 = eta2 + 0.1;
  double f1 = EtaFunction(eta1, m, l);
  double f2 = EtaFunction(eta2, m, l);
  int rounds = 0;
  while (std::abs(f2 - f1) > 1e-9 && rounds < kMaxEtaRounds) {
    double step = -f2 * (eta2 - eta1) / (f2 - f1);
    eta1 = eta2;
    f1 = f2;
    for (int h = 0; h < kMaxEtaHalvings && eta2 + step <= etaMin; ++h) step /= 2.0;
    eta2 += step;
    f2 = EtaFunction(eta2, m, l);
    ++rounds;
  }
  if (converged != nullptr) *converged = !(rounds == kMaxEtaRounds && std::abs(f2 - f1) > 1e-9);
  return eta2;
}

TOrbitElements ElementsFromTwoPositions(double jdA, double jdB, const TVector3& ra,
                                        const TVector3& rb, bool* etaConverged) {
  TOrbitElements el;
  const double tau = kGaussK * std::abs(jdB - jdA);
  const double sa = Norm(ra);
  const TVector3 ea = Scale(ra, 1.0 / sa);
  const double sb = Norm(rb);
  const double fac = Dot(rb, ea);
  const TVector3 r0v = Add(rb, Scale(ea, -fac));
  const double r0 = Norm(r0v);
  const TVector3 e0 = Scale(r0v, 1.0 / r0);

  // The pole of the orbit gives the inclination and the node.
  const TVector3 pole = Cross(ea, e0);
  const TPolarDeg p = PolarDeg({-pole.Y, pole.X, pole.Z});
  el.Node = p.Phi;
  el.Incl = 90.0 - p.Theta;
  // The argument of latitude of the first position.
  double u = DegAtan2(ea.Y * pole.X - ea.X * pole.Y, e0.X * pole.Y - e0.Y * pole.X);
  if (el.Incl == 0.0) u = DegAtan2(ra.X, ra.Y);

  // The semi-latus rectum from the sector-to-triangle ratio, then e and the true anomaly.
  const double eta = FindEta(ra, rb, tau, etaConverged);
  const double semiLatus = std::pow(sa * r0 * eta / tau, 2);
  const double cosDnu = fac / sb;
  const double sinDnu = r0 / sb;
  const double eCosNu = semiLatus / sa - 1.0;
  const double eSinNu = (eCosNu * cosDnu - (semiLatus / sb - 1.0)) / sinDnu;
  const TPolarDeg en = PolarDeg({eCosNu, eSinNu, 0.0});
  const double e = en.R;
  const double nu = en.Phi;
  el.E = e;
  el.Peri = u - nu;
  while (el.Peri < 0.0) el.Peri += 360.0;

  el.Q = semiLatus / (1.0 + e);
  const double a = el.Q / (1.0 - e);
  const double n = kGaussK / std::sqrt(std::abs(a * a * a));
  double meanAnomaly;
  if (e < 1.0) {
    const double ecc =
        DegAtan2(eCosNu + e * e, std::sqrt((1.0 - e) * (1.0 + e)) * eSinNu) * kRadPerDeg;
    meanAnomaly = ecc - e * std::sin(ecc);
  } else {
    const double s = std::sqrt((e - 1.0) * (e + 1.0)) * eSinNu / (e + e * eCosNu);
    meanAnomaly = e * s - std::log(s + std::sqrt(s * s + 1.0));
  }
  el.PerihelionJD = jdA - meanAnomaly / n;
  el.PerihelionT = (el.PerihelionJD - kJ2000) / kDaysPerCentury;
  return el;
}

TGaussSolution GaussOrbit(const TObservationSet& set) {
  TGaussSolution sol;
  const std::array<TVector3, 3>& e = set.Dir;
  const std::array<TVector3, 3>& sun = set.Sun;
  const std::array<double, 3>& t0 = set.JD;

  double tau1 = kGaussK * (t0[2] - t0[1]);
  double tau2 = kGaussK * (t0[2] - t0[0]);
  double tau3 = kGaussK * (t0[1] - t0[0]);
  std::array<double, 3> n = {tau1 / tau2, -1.0, tau3 / tau2};

  const std::array<TVector3, 3> d = {Cross(e[1], e[2]), Cross(e[2], e[0]), Cross(e[0], e[1])};
  const double det = Dot(e[0], d[0]);
  std::array<std::array<double, 3>, 3> dd{};
  for (std::size_t i = 0; i < 3; ++i) {
    for (std::size_t j = 0; j < 3; ++j) dd[i][j] = Dot(d[i], sun[j]);
  }

  std::array<double, 3> t = t0;
  double rho2Old = 0.0;
  bool etaOk = true;
  for (sol.Rounds = 1; sol.Rounds <= kMaxGaussRounds; ++sol.Rounds) {
    rho2Old = sol.Rho[1];
    for (std::size_t i = 0; i < 3; ++i) {
      sol.Rho[i] = (n[0] * dd[i][0] - dd[i][1] + n[2] * dd[i][2]) / (n[i] * det);
    }
    // The light time: the body was where it is seen at the times less rho / c.
    for (std::size_t i = 0; i < 3; ++i) t[i] = t0[i] - kLightDaysPerAu * sol.Rho[i];
    tau1 = kGaussK * (t[2] - t[1]);
    tau2 = kGaussK * (t[2] - t[0]);
    tau3 = kGaussK * (t[1] - t[0]);
    for (std::size_t i = 0; i < 3; ++i)
      sol.Helio[i] = Add(Scale(e[i], sol.Rho[i]), Scale(sun[i], -1.0));
    bool ok1 = true, ok2 = true, ok3 = true;
    const double eta1 = FindEta(sol.Helio[1], sol.Helio[2], tau1, &ok1);
    const double eta2 = FindEta(sol.Helio[0], sol.Helio[2], tau2, &ok2);
    const double eta3 = FindEta(sol.Helio[0], sol.Helio[1], tau3, &ok3);
    etaOk = ok1 && ok2 && ok3;
    n[0] = (tau1 / eta1) / (tau2 / eta2);
    n[2] = (tau3 / eta3) / (tau2 / eta2);
    // A difference that is not a number ends the loop as well (the solution is then no orbit).
    if (!(std::abs(sol.Rho[1] - rho2Old) >= kGaussTolerance)) {
      sol.Converged = std::isfinite(sol.Rho[1]);
      break;
    }
  }
  if (sol.Rounds > kMaxGaussRounds) sol.Rounds = kMaxGaussRounds;
  sol.RetardedJD = t;
  bool elementsEtaOk = true;
  sol.Elements = ElementsFromTwoPositions(t[0], t[2], sol.Helio[0], sol.Helio[2], &elementsEtaOk);
  sol.EtaConverged = etaOk && elementsEtaOk;
  sol.Finite = AllFinite(sol.Elements) && std::isfinite(sol.Rho[0]) && std::isfinite(sol.Rho[2]) &&
               sol.Elements.Q > 0.0;
  return sol;
}

std::string PlausibilityWarning(double sunDotDirection, double q, double e, bool converged) {
  std::string warning;
  if (sunDotDirection > 0.0) warning = kWarningConjunction;
  if (e > 1.1) warning = kWarningUnrealistic;
  if (std::abs(q - 0.985) < 0.1 && std::abs(e - 0.015) < 0.05) warning = kWarningEarthOrbit;
  if (!converged) warning = kWarningNotConverged;
  return warning;
}

std::string FormatElementsLine(std::string_view name, const TOrbitElements& elements) {
  std::string line(name.substr(0, std::min(name.size(), kOrbitNameWidth)));
  line.resize(kOrbitNameWidth, ' ');
  line += ' ';
  const TMjdDate date = MjdToCalendar(elements.PerihelionJD - kMjdOffset);
  char head[16];
  std::snprintf(head, sizeof head, "%04d%02d", date.Year, date.Month);
  line += head;
  // The day with its fraction: 7 decimals, a leading zero below 10, cut to 8 characters.
  std::string day = FixedText(date.Day + date.Hour / 24.0, 7);
  if (day.size() < 10) day.insert(day.begin(), '0');
  day.resize(8);
  line += day;
  line += ' ';
  for (double x : {elements.Q, elements.E, elements.Incl, elements.Node, elements.Peri}) {
    line += CutFixed(x, 9);
    line += ' ';
  }
  line += "2000";
  return line;
}

TOrbitReport DetermineOrbit(const std::filesystem::path& path) {
  TObservationRead read = ReadObservationFile(path);
  if (!read.Set) {
    TOrbitReport report;
    report.Error = read.Error;
    return report;
  }
  return DetermineOrbit(std::move(*read.Set));
}

TOrbitReport DetermineOrbit(TObservationSet set) {
  TOrbitReport report;
  report.Name = TrimRight(Cp1252ToUtf8(set.Name));
  report.Solution = GaussOrbit(set);
  if (!report.Solution.Finite) {
    report.Error =
        "Ingen bana kunde beräknas ur observationerna (samma tider, eller riktningar i ett "
        "plan genom jorden?)";
    return report;
  }
  // The line has four characters for the year: a perihelion outside the years -999 ... 9999
  // (only an absurd solution gives one) cannot be written.
  const double tp = report.Solution.Elements.PerihelionJD;
  const int year = tp >= 0.0 && tp <= kMaxClockJD ? MjdToCalendar(tp - kMjdOffset).Year : -5000;
  if (year < -999) {
    report.Error = "Ingen rimlig bana: perihelietiden ligger utanför åren -999 … 9999";
    return report;
  }
  report.Ok = true;
  report.Elements = report.Solution.Elements;
  report.Line = FormatElementsLine(set.Name, report.Elements);
  report.Warning = PlausibilityWarning(Dot(set.Sun[1], set.Dir[1]), report.Elements.Q,
                                       report.Elements.E, report.Solution.Converged);
  return report;
}

std::string AppendToCometFile(const std::filesystem::path& path, std::string_view line) {
  if (TrimBlanks(line).empty()) return "Det finns inga banelement att kopiera; tryck Beräkna först";
  // The file is kept byte for byte; the line goes after it with the file's own line ends.
  std::string bytes;
  std::error_code error;
  if (std::filesystem::exists(path, error)) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return "Filen komet.dta kan inte läsas";
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in.bad()) return "Filen komet.dta kan inte läsas";
  }
  std::size_t lines = 0;
  for (char c : bytes) lines += c == '\n' ? 1 : 0;
  if (!bytes.empty() && bytes.back() != '\n') ++lines;  // a last line without its end
  if (lines >= kCometFileMaxLines) {
    return "komet.dta har redan " + std::to_string(kCometFileMaxLines) +
           " rader; ta bort någon komet i Datafiler först";
  }
  const std::size_t firstEnd = bytes.find('\n');
  const std::string lineEnd =
      firstEnd == std::string::npos || (firstEnd > 0 && bytes[firstEnd - 1] == '\r') ? "\r\n"
                                                                                     : "\n";
  if (!bytes.empty() && bytes.back() != '\n') bytes += lineEnd;
  bytes += line;
  bytes += lineEnd;
  const TWriteResult written = WriteFileAtomically(path, bytes);
  if (!written) return "komet.dta kunde inte sparas: " + written.Error;
  return {};
}

}  // namespace himlavy
