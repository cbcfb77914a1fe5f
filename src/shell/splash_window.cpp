#include "shell/splash_window.h"

#include <QApplication>
#include <QPainter>
#include <QPointer>
#include <QScreen>

#include "shell/emblem_draw.h"

namespace himlavy {

namespace {

constexpr int kWidth = 205;
constexpr int kHeight = 189;
constexpr int kBevel = 2;   // the raised panel's edge
constexpr int kMargin = 4;  // between the edge and the picture

QPointer<TSplashScreen>& Instance() {
  static QPointer<TSplashScreen> splash;
  return splash;
}

}  // namespace

TSplashScreen::TSplashScreen(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
  setObjectName(QStringLiteral("SplashScreen"));
  setFixedSize(kWidth, kHeight);
  const int inset = kBevel + kMargin;
  picture_ = SkyPicture(QSize(kWidth - 2 * inset, kHeight - 2 * inset), true);
}

void TSplashScreen::paintEvent(QPaintEvent*) {
  QPainter p(this);
  // The raised silver panel: light upper-left edge, dark lower-right edge.
  p.fillRect(rect(), QColor(192, 192, 192));
  const QColor light(255, 255, 255);
  const QColor shade(128, 128, 128);
  const QColor dark(64, 64, 64);
  const int r = width() - 1;
  const int b = height() - 1;
  p.setPen(light);
  p.drawLine(0, 0, r - 1, 0);
  p.drawLine(0, 0, 0, b - 1);
  p.setPen(dark);
  p.drawLine(0, b, r, b);
  p.drawLine(r, 0, r, b);
  p.setPen(shade);
  p.drawLine(1, b - 1, r - 1, b - 1);
  p.drawLine(r - 1, 1, r - 1, b - 1);
  const int inset = kBevel + kMargin;
  // The picture sits in a thin sunken frame.
  p.setPen(shade);
  p.drawLine(inset - 1, inset - 1, width() - inset, inset - 1);
  p.drawLine(inset - 1, inset - 1, inset - 1, height() - inset);
  p.setPen(light);
  p.drawLine(inset - 1, height() - inset, width() - inset, height() - inset);
  p.drawLine(width() - inset, inset - 1, width() - inset, height() - inset);
  p.drawImage(inset, inset, picture_);
}

void ShowSplashScreen() {
  if (Instance() != nullptr) return;
  auto* splash = new TSplashScreen;
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->geometry();
    splash->move(area.center() - QPoint(kWidth / 2, kHeight / 2));
  }
  splash->show();
  splash->repaint();
  QApplication::processEvents();
  Instance() = splash;
}

void ReleaseSplashScreen() {
  if (Instance() == nullptr) return;
  delete Instance().data();
}

TSplashScreen* SplashScreen() {
  return Instance();
}

}  // namespace himlavy
