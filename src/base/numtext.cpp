// Number texts: rounding, fixed and general number forms, the real form of the parameter file,
// and reading numbers back from text.
#include "base/numtext.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <string>
#include <system_error>

namespace himlavy {

namespace {

constexpr int kMaxFixedDecimals = 340;  // enough to show the smallest subnormal exactly
constexpr int kMaxSignificant = 17;     // enough to tell any two doubles apart

// Text for a value that is not finite.
std::string NonFiniteText(double x) {
  if (std::isnan(x)) return "NAN";
  return x < 0 ? "-INF" : "INF";
}

// Drops a leading "+" (std::from_chars takes only "-"); refuses "+-" and "++".
bool SkipPlusSign(std::string_view& text) {
  if (text.empty() || text.front() != '+') return true;
  text.remove_prefix(1);
  return !text.empty() && text.front() != '-' && text.front() != '+';
}

// x in scientific form with `significant` digits, split into its parts.
struct Scientific {
  bool negative = false;
  std::string digits;  // significant digits, no point
  int exponent = 0;    // value = 0.d1d2d3... * 10^(exponent + 1)
};

Scientific ToScientific(double x, int significant) {
  char buf[64];
  const auto res =
      std::to_chars(buf, buf + sizeof buf, x, std::chars_format::scientific, significant - 1);
  const std::string_view text(buf, static_cast<std::size_t>(res.ptr - buf));
  Scientific sci;
  std::size_t i = 0;
  if (i < text.size() && text[i] == '-') {
    sci.negative = true;
    ++i;
  }
  for (; i < text.size() && text[i] != 'e'; ++i) {
    if (text[i] != '.') sci.digits.push_back(text[i]);
  }
  if (i < text.size()) {
    ++i;  // the 'e'
    std::string_view exp = text.substr(i);
    if (!exp.empty() && exp.front() == '+') exp.remove_prefix(1);
    std::from_chars(exp.data(), exp.data() + exp.size(), sci.exponent);
  }
  return sci;
}

}  // namespace

long long RoundHalfEvenToInt(double x) {
  const double r = RoundHalfEven(x);
  if (std::isnan(r)) return 0;
  if (r >= 9223372036854775808.0) return LLONG_MAX;  // 2^63
  if (r < -9223372036854775808.0) return LLONG_MIN;
  return static_cast<long long>(r);
}

std::string FixedText(double x, int decimals, char sep) {
  if (!std::isfinite(x)) return NonFiniteText(x);
  decimals = std::clamp(decimals, 0, kMaxFixedDecimals);
  // At most 309 integer digits, a sign, a point and the decimals.
  std::string text(static_cast<std::size_t>(320 + decimals), '\0');
  const auto res =
      std::to_chars(text.data(), text.data() + text.size(), x, std::chars_format::fixed, decimals);
  text.resize(static_cast<std::size_t>(res.ptr - text.data()));
  if (!text.empty() && text.front() == '-' && text.find_first_not_of("-0.") == std::string::npos) {
    text.erase(0, 1);  // rounds to zero: no "-0"
  }
  if (sep != '.') std::replace(text.begin(), text.end(), '.', sep);
  return text;
}

std::string GeneralText(double x, int significant, char sep) {
  if (!std::isfinite(x)) return NonFiniteText(x);
  if (x == 0) return "0";
  significant = std::clamp(significant, 1, kMaxSignificant);
  Scientific sci = ToScientific(x, significant);
  while (sci.digits.size() > 1 && sci.digits.back() == '0') sci.digits.pop_back();
  const int e = sci.exponent;
  const int n = static_cast<int>(sci.digits.size());

  std::string text = sci.negative ? "-" : "";
  if (e < significant && e >= -5) {
    if (e >= 0) {
      // Integer part: the first e + 1 digits, padded with zeros.
      for (int i = 0; i <= e; ++i) text.push_back(i < n ? sci.digits[i] : '0');
      if (n > e + 1) {
        text.push_back(sep);
        text.append(sci.digits, static_cast<std::size_t>(e + 1));
      }
    } else {
      text.push_back('0');
      text.push_back(sep);
      text.append(static_cast<std::size_t>(-e - 1), '0');
      text.append(sci.digits);
    }
  } else {
    text.push_back(sci.digits[0]);
    if (n > 1) {
      text.push_back(sep);
      text.append(sci.digits, 1);
    }
    text.push_back('E');
    text.append(std::to_string(e));
  }
  return text;
}

std::string ParamRealText(double x) {
  if (!std::isfinite(x)) {
    const std::string t = NonFiniteText(x);
    return t.front() == '-' ? t : " " + t;
  }
  if (x == 0) x = 0.0;  // no negative zero
  const Scientific sci = ToScientific(x, 15);
  std::string text;
  text.push_back(sci.negative ? '-' : ' ');
  text.push_back(sci.digits[0]);
  text.push_back('.');
  text.append(sci.digits, 1);
  text.push_back('E');
  text.push_back(sci.exponent < 0 ? '-' : '+');
  const std::string exp = std::to_string(std::abs(sci.exponent));
  if (exp.size() < 4) text.append(4 - exp.size(), '0');
  text.append(exp);
  return text;
}

std::string_view TrimBlanks(std::string_view text) {
  auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

std::optional<double> ParseReal(std::string_view text, bool allowComma) {
  text = TrimBlanks(text);
  if (!SkipPlusSign(text) || text.empty()) return std::nullopt;
  std::string withPoint;
  if (allowComma && text.find(',') != std::string_view::npos) {
    withPoint.assign(text);
    std::replace(withPoint.begin(), withPoint.end(), ',', '.');
    text = withPoint;
  }
  double value = 0.0;
  const char* last = text.data() + text.size();
  const auto res = std::from_chars(text.data(), last, value, std::chars_format::general);
  if (res.ec != std::errc() || res.ptr != last || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::optional<long long> ParseInteger(std::string_view text) {
  text = TrimBlanks(text);
  if (!SkipPlusSign(text) || text.empty()) return std::nullopt;
  long long value = 0;
  const char* last = text.data() + text.size();
  const auto res = std::from_chars(text.data(), last, value, 10);
  if (res.ec != std::errc() || res.ptr != last) return std::nullopt;
  return value;
}

}  // namespace himlavy
