// The splash screen: the first window of the program, shown while the rest is created.
#pragma once

#include <QWidget>

namespace himlavy {

// A borderless window that stays on top, centred on the screen, 205 x 189 pixels: a raised
// silver panel holding the program's sky picture.
class TSplashScreen : public QWidget {
  Q_OBJECT

 public:
  explicit TSplashScreen(QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage picture_;
};

// Creates the splash screen, shows it centred and paints it at once (before the event loop
// runs). A second call leaves the one showing.
void ShowSplashScreen();

// Closes and destroys the splash screen; nothing happens when none is showing. The sky chart
// calls it when it is created.
void ReleaseSplashScreen();

// The splash screen showing, or nullptr.
TSplashScreen* SplashScreen();

}  // namespace himlavy
