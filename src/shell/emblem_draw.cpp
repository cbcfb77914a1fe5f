#include "shell/emblem_draw.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QRadialGradient>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

#include "base/basic.h"
#include "shell/fonts_draw.h"

namespace himlavy {

namespace {

// The seven stars of the Plough: right ascension (hours) and declination (degrees), J2000.0,
// with their visual magnitudes (Bright Star Catalogue).
struct PloughStar {
  double RaHours;
  double DecDeg;
  double Magnitude;
};
constexpr std::array<PloughStar, 7> kPlough = {{
    {11.0621, 61.751, 1.79},  // Dubhe
    {11.0307, 56.382, 2.37},  // Merak
    {11.8972, 53.695, 2.44},  // Phecda
    {12.2571, 57.033, 3.31},  // Megrez
    {12.9005, 55.960, 1.77},  // Alioth
    {13.3988, 54.925, 2.27},  // Mizar
    {13.7923, 49.313, 1.86},  // Alkaid
}};
// The figure: the bowl Dubhe-Merak-Phecda-Megrez-Dubhe and the handle Megrez-...-Alkaid.
constexpr std::array<std::pair<int, int>, 7> kPloughLines = {
    {{0, 1}, {1, 2}, {2, 3}, {3, 0}, {3, 4}, {4, 5}, {5, 6}}};

// A small fixed pseudo-random sequence (a linear congruential generator), so that the
// background stars are the same in every picture.
class Sequence {
 public:
  double Next() {
    state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<double>(state_ >> 11) / 9007199254740992.0;  // [0, 1)
  }

 private:
  std::uint64_t state_ = 0x4a1b5c3d2e6f7081ULL;
};

// The Plough's stars in picture coordinates inside `box` (east to the left, north up).
std::array<QPointF, 7> PloughPoints(const QRectF& box) {
  const double ra0 = 12.4 * 15.0;
  const double dec0 = 55.5;
  const double cosDec = std::cos(dec0 * kPi / 180.0);
  // The figure spans about 25 degrees by 13 degrees.
  const double scale = std::min(box.width() / 26.0, box.height() / 14.0);
  std::array<QPointF, 7> points;
  for (std::size_t i = 0; i < kPlough.size(); ++i) {
    const double x = -(kPlough[i].RaHours * 15.0 - ra0) * cosDec;
    const double y = kPlough[i].DecDeg - dec0;
    points[i] = QPointF(box.center().x() + x * scale, box.center().y() - y * scale);
  }
  return points;
}

void DrawStar(QPainter& p, QPointF at, double radius, QColor colour) {
  QRadialGradient glow(at, radius * 2.2);
  QColor halo = colour;
  halo.setAlpha(90);
  glow.setColorAt(0.0, halo);
  glow.setColorAt(1.0, QColor(0, 0, 0, 0));
  p.setPen(Qt::NoPen);
  p.setBrush(glow);
  p.drawEllipse(at, radius * 2.2, radius * 2.2);
  p.setBrush(colour);
  p.drawEllipse(at, radius, radius);
}

}  // namespace

QImage SkyPicture(QSize size, bool withTitle) {
  QImage image(size, QImage::Format_RGB32);
  const double w = size.width();
  const double h = size.height();
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing, true);

  // The sky: deep blue overhead to a violet glow at the horizon.
  QLinearGradient sky(0.0, 0.0, 0.0, h);
  sky.setColorAt(0.0, QColor(4, 8, 40));
  sky.setColorAt(0.55, QColor(18, 32, 96));
  sky.setColorAt(0.85, QColor(88, 64, 128));
  sky.setColorAt(1.0, QColor(200, 120, 96));
  p.fillRect(image.rect(), sky);

  // Faint background stars, fewer towards the horizon.
  Sequence random;
  const int count = static_cast<int>(w * h / 260.0);
  for (int i = 0; i < count; ++i) {
    const double x = random.Next() * w;
    const double y = std::pow(random.Next(), 1.4) * h * 0.8;
    const double bright = random.Next();
    const int level = 120 + static_cast<int>(bright * 135.0);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(level, level, std::min(255, level + 20)));
    const double r = 0.35 + bright * bright * 0.9;
    p.drawEllipse(QPointF(x, y), r, r);
  }

  // The Plough in the upper left, joined by faint lines.
  const QRectF ploughBox(w * 0.04, h * 0.06, w * 0.56, h * 0.36);
  const auto points = PloughPoints(ploughBox);
  p.setPen(QPen(QColor(110, 140, 210, 150), std::max(1.0, w / 300.0)));
  for (const auto& [a, b] : kPloughLines) p.drawLine(points[a], points[b]);
  for (std::size_t i = 0; i < points.size(); ++i) {
    const double radius = std::max(1.2, (4.0 - kPlough[i].Magnitude) * w / 260.0);
    DrawStar(p, points[i], radius, QColor(255, 250, 230));
  }

  // A crescent Moon in the upper right: a bright disc with a sky-coloured disc over it.
  const QPointF moon(w * 0.8, h * 0.22);
  const double moonR = std::min(w, h) * 0.1;
  QPainterPath disc;
  disc.addEllipse(moon, moonR, moonR);
  QPainterPath shadow;
  shadow.addEllipse(moon + QPointF(moonR * 0.45, -moonR * 0.2), moonR * 0.92, moonR * 0.92);
  QRadialGradient moonGlow(moon, moonR * 2.5);
  moonGlow.setColorAt(0.0, QColor(255, 240, 180, 60));
  moonGlow.setColorAt(1.0, QColor(255, 240, 180, 0));
  p.setPen(Qt::NoPen);
  p.setBrush(moonGlow);
  p.drawEllipse(moon, moonR * 2.5, moonR * 2.5);
  p.setBrush(QColor(255, 236, 160));
  p.drawPath(disc.subtracted(shadow));

  // The horizon: two dark hills and a few spruces.
  QPainterPath land;
  land.moveTo(0.0, h);
  land.lineTo(0.0, h * 0.86);
  land.cubicTo(w * 0.2, h * 0.78, w * 0.35, h * 0.84, w * 0.5, h * 0.88);
  land.cubicTo(w * 0.65, h * 0.92, w * 0.8, h * 0.8, w, h * 0.84);
  land.lineTo(w, h);
  land.closeSubpath();
  p.setBrush(QColor(8, 10, 20));
  p.drawPath(land);
  const double treeXs[] = {0.08, 0.12, 0.15, 0.86, 0.9};
  for (const double tx : treeXs) {
    const double x = w * tx;
    const double base = h * 0.86;
    const double treeH = h * (0.1 + 0.03 * std::fmod(tx * 37.0, 1.0));
    QPolygonF tree;
    tree << QPointF(x, base - treeH) << QPointF(x - treeH * 0.22, base)
         << QPointF(x + treeH * 0.22, base);
    p.drawPolygon(tree);
  }

  if (withTitle) {
    QFont title = MakeFont(QStringLiteral("Arial"), std::max(8.0, h * 0.13), true, true);
    title.setStyleStrategy(QFont::PreferAntialias);
    p.setFont(title);
    const QRectF titleBox(0.0, h * 0.44, w, h * 0.2);
    p.setPen(QColor(0, 0, 0, 160));
    p.drawText(titleBox.translated(1.5, 1.5), Qt::AlignCenter, QStringLiteral("Himlavy"));
    p.setPen(QColor(255, 230, 150));
    p.drawText(titleBox, Qt::AlignCenter, QStringLiteral("Himlavy"));
    QFont version = MakeFont(QStringLiteral("Arial"), std::max(6.0, h * 0.05), true);
    version.setStyleStrategy(QFont::PreferAntialias);
    p.setFont(version);
    p.setPen(QColor(220, 225, 255));
    p.drawText(QRectF(0.0, h * 0.62, w, h * 0.1), Qt::AlignCenter, QStringLiteral("version 4.6"));
  }
  return image;
}

QImage ProgramIconImage(int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  const double s = size;
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing, true);

  // The night-sky disc with a thin light rim.
  QRadialGradient sky(QPointF(s * 0.4, s * 0.35), s * 0.7);
  sky.setColorAt(0.0, QColor(40, 64, 160));
  sky.setColorAt(1.0, QColor(6, 10, 48));
  p.setPen(QPen(QColor(200, 210, 240), std::max(1.0, s / 24.0)));
  p.setBrush(sky);
  const double margin = std::max(1.0, s / 24.0);
  p.drawEllipse(QRectF(margin, margin, s - 2 * margin, s - 2 * margin));

  // The crescent Moon.
  const QPointF moon(s * 0.42, s * 0.52);
  const double r = s * 0.24;
  QPainterPath disc;
  disc.addEllipse(moon, r, r);
  QPainterPath shadow;
  shadow.addEllipse(moon + QPointF(r * 0.5, -r * 0.25), r * 0.9, r * 0.9);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 226, 120));
  p.drawPath(disc.subtracted(shadow));

  // A four-pointed star to the upper right.
  const QPointF star(s * 0.7, s * 0.3);
  const double a = s * 0.13;
  const double b = s * 0.035;
  QPolygonF points;
  points << star + QPointF(0, -a) << star + QPointF(b, -b) << star + QPointF(a, 0)
         << star + QPointF(b, b) << star + QPointF(0, a) << star + QPointF(-b, b)
         << star + QPointF(-a, 0) << star + QPointF(-b, -b);
  p.setBrush(QColor(255, 255, 235));
  p.drawPolygon(points);
  // Two small stars.
  p.drawEllipse(QPointF(s * 0.74, s * 0.66), s * 0.03, s * 0.03);
  p.drawEllipse(QPointF(s * 0.28, s * 0.24), s * 0.025, s * 0.025);
  return image;
}

QIcon ProgramIcon() {
  QIcon icon;
  for (const int size : {16, 24, 32, 48, 64})
    icon.addPixmap(QPixmap::fromImage(ProgramIconImage(size)));
  return icon;
}

}  // namespace himlavy
