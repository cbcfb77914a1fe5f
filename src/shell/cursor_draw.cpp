#include "shell/cursor_draw.h"

#include <QImage>
#include <QPixmap>

namespace himlavy {

namespace {

QCursor CrossHair() {
  constexpr int kSize = 32;
  constexpr int kMid = 15;
  constexpr int kGap = 3;  // pixels left open on each side of the hot spot
  QImage image(kSize, kSize, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  const QRgb black = qRgb(0, 0, 0);
  const QRgb white = qRgb(255, 255, 255);
  for (int i = 0; i < kSize - 1; ++i) {
    if (i >= kMid - kGap && i <= kMid + kGap) continue;
    // The arms: black on the centre line, white beside it.
    image.setPixel(i, kMid, black);
    image.setPixel(kMid, i, black);
    for (const int side : {kMid - 1, kMid + 1}) {
      if (image.pixel(i, side) != black) image.setPixel(i, side, white);
      if (image.pixel(side, i) != black) image.setPixel(side, i, white);
    }
  }
  return QCursor(QPixmap::fromImage(image), kMid, kMid);
}

}  // namespace

QCursor ProgramCursor(std::string_view name) {
  if (name == "CROSSHAIR") return CrossHair();
  return QCursor(Qt::ArrowCursor);
}

}  // namespace himlavy
