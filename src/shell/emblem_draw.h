// The program's own pictures: the sky picture of the splash screen and the exit dialog, and
// the program icon. They are drawn, not loaded, so the program needs no picture files for them.
#pragma once

#include <QIcon>
#include <QImage>
#include <QSize>

namespace himlavy {

// A stylised evening sky of `size` pixels: a deep blue gradient with stars, the Plough joined
// by faint lines, a crescent Moon and a dark horizon of hills. With `withTitle` the name
// "Himlavy" and "version 4.6" are written across the sky. The picture is the same at every
// call (the stars come from a fixed sequence).
QImage SkyPicture(QSize size, bool withTitle);

// The program icon, `size` x `size` pixels: a round patch of night sky with a crescent Moon
// and a star, on a transparent background.
QImage ProgramIconImage(int size);

// The icon in the sizes a window system asks for (16, 24, 32, 48, 64 pixels).
QIcon ProgramIcon();

}  // namespace himlavy
