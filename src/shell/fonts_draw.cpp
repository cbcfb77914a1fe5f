#include "shell/fonts_draw.h"

#include "base/numtext.h"

namespace himlavy {

namespace {

struct Substitution {
  const char* Classic;
  const char* Free;
};

constexpr Substitution kSubstitutions[] = {
    {"Arial", "Liberation Sans"},
    {"Arial Narrow", "Liberation Sans Narrow"},
    {"MS Sans Serif", "Liberation Sans"},
    {"Courier New", "Liberation Mono"},
};

QString FreeFamily(const QString& name) {
  for (const auto& s : kSubstitutions) {
    if (name.compare(QLatin1String(s.Classic), Qt::CaseInsensitive) == 0) {
      return QString::fromLatin1(s.Free);
    }
  }
  return name;
}

}  // namespace

void RegisterFontSubstitutions() {
  for (const auto& s : kSubstitutions) {
    QFont::insertSubstitution(QString::fromLatin1(s.Classic), QString::fromLatin1(s.Free));
  }
}

int PointsToPixels(double points) {
  return static_cast<int>(RoundHalfEvenToInt(points * 96.0 / 72.0));
}

QFont MakeFont(const QString& name, double points, bool bold, bool italic) {
  // The free family is named directly as well, so the result never depends on fontconfig.
  QFont font(FreeFamily(name));
  font.setPixelSize(PointsToPixels(points));
  font.setBold(bold);
  font.setItalic(italic);
  font.setStyleStrategy(QFont::NoAntialias);
  return font;
}

}  // namespace himlavy
