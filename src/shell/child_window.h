// The child windows of the main frame: their common base and the list of window kinds.
//
// How to write a child window
// ---------------------------
// Derive from TChildWindow and set the window up in the constructor:
//
//   class TCalendarWindow : public TChildWindow {          // e.g. the calendar
//    public:
//     TCalendarWindow(TObsState& state, const std::filesystem::path& dataDir)
//         : TChildWindow(state, dataDir) {
//       setWindowTitle(QStringLiteral("Kalender"));
//       SetPlacement(QRect(0, 0, 400, 300));         // outer frame in the client area
//       SetRedrawFlag(&TObsState::RedrawCalendar);   // the 100 ms flag timer
//       SetFollowTimer(300, false);                  // fixed follow interval (an animated
//                                                    // view: SetFollowTimer(100, true))
//       SetClientColour(QColor(192, 192, 192));      // silver client area
//       SetFixedBorder();                            // not resizable
//       SetHelpTopic(QStringLiteral("HVHELP.XAN_293"));
//       AddCloseButton(QRect(0, 0, 70, 25));         // "&Avsluta"
//       AddHelpButton(QRect(0, 25, 70, 25));         // "&Hjälp"
//     }
//
//    protected:
//     void Recompute() override { DrawCalendar(DrawingSurface(), State()); }  // a Canvas
//   };
//
// and make the main frame's button and menu item open it with one line in
// RegisterBuiltWindows() (main_frame.cpp):
//
//   RegisterWindowFactory(TWindowKind::Calendar, &MakeChildWindow<TCalendarWindow>);
//
// What the base does:
// - Placement: on its first showing the window takes the geometry given to SetPlacement (left,
//   top, width and height of the whole window inside the frame's client area), or fills the
//   client area when SetMaximised(true) was called.
// - The flag timer (100 ms, from construction to destruction): when the state's flag given to
//   SetRedrawFlag is 1, Recompute() runs and the flag goes back to 0. With
//   SetFollowTimer(ms, true) the same tick first copies the interval of TimerSpeed (10000,
//   1000 or 100 ms) into the follow timer.
// - The follow timer: at each tick, while IncrementOn is 1, FollowTick() runs (by default
//   Recompute()). Until the first flag tick it runs at the interval given to SetFollowTimer.
// - The drawing surface: a picture the size of the client area that lives as long as the
//   window. paintEvent only copies it to the screen, so whatever Recompute() draws stays, and
//   drawing without clearing first leaves trails. When the client area changes size the
//   surface is made anew (in the client colour) and Recompute() draws it again.
// - Controls go on Client() at absolute positions, over the drawing surface.
// - Closing the window destroys it (Qt::WA_DeleteOnClose).
#pragma once

#include <QFont>
#include <QImage>
#include <QMdiSubWindow>
#include <QRect>
#include <QString>
#include <filesystem>
#include <functional>
#include <string_view>

#include "base/obs_state.h"
#include "shell/canvas.h"

class QPushButton;
class QTimer;
class QToolButton;

namespace himlavy {

// A font for controls (buttons, labels, panels): MakeFont's font, except that bold text is
// drawn smoothed, since the free fonts' hinting draws bold stems one pixel wide at 11 pixels
// and the weight would not show.
QFont ControlFont(const QString& name, double points, bool bold = false);

class TChildWindow : public QMdiSubWindow {
  Q_OBJECT

 public:
  // `state` is the program's observation state; `dataDir` the folder of the data files.
  TChildWindow(TObsState& state, std::filesystem::path dataDir, QWidget* parent = nullptr);
  ~TChildWindow() override;

  TObsState& State() const { return state_; }
  const std::filesystem::path& DataDir() const { return dataDir_; }

  // The client area: the parent of the window's controls, painted with the drawing surface.
  QWidget* Client() const { return client_; }

  // The persistent drawing surface (the size of the client area).
  Canvas& DrawingSurface() { return surface_; }

  // The help topic of the window's "&Hjälp" button ("HVHELP.XAN_275"), empty when none.
  const QString& HelpTopic() const { return helpTopic_; }

  QTimer* FlagTimer() const { return flagTimer_; }
  QTimer* FollowTimer() const { return followTimer_; }

  // One tick of each timer, as the timers run them (public for tests).
  void FlagTimerTick();
  void FollowTimerTick();

 protected:
  // --- Set-up, called from the constructor of the derived window ---

  // Left, top, width and height of the whole window in the frame's client area.
  void SetPlacement(const QRect& geometry);
  // Fill the frame's client area on showing.
  void SetMaximised(bool maximised);
  // The window's redraw flag, checked every 100 ms. Without one the flag timer does nothing.
  void SetRedrawFlag(int TObsState::*flag);
  // Creates the follow timer with its first interval; with `fromTimerSpeed` every flag tick
  // sets its interval from TimerSpeed. Windows without a call have no follow timer.
  void SetFollowTimer(int intervalMs, bool fromTimerSpeed);
  // The topic of the help button.
  void SetHelpTopic(const QString& contextName);
  // The colour of the client area and of a new drawing surface.
  void SetClientColour(const QColor& colour);
  // Fixed size (the size given to SetPlacement, so call it after that); no maximise button.
  void SetFixedBorder();

  // "&Avsluta": closes the window.
  QPushButton* AddCloseButton(const QRect& geometry,
                              const QString& name = QStringLiteral("closeButton"));
  // "&Hjälp": opens the window's help topic.
  QPushButton* AddHelpButton(const QRect& geometry,
                             const QString& name = QStringLiteral("helpButton"));

  // --- What derived windows fill in ---

  // Recompute from the state and draw onto the drawing surface (the flag was raised, or the
  // client area changed size). The client area is repainted afterwards.
  virtual void Recompute() {}
  // The follow timer's tick while IncrementOn is 1. The default recomputes.
  virtual void FollowTick() { Recompute(); }
  // After placement, on the first showing.
  virtual void FormShow() {}

  // Opens the help topic (the "&Hjälp" buttons call it).
  void ShowHelp();

  void showEvent(QShowEvent* event) override;

 private:
  class Surface;
  friend class Surface;
  void ClientResized();

  TObsState& state_;
  std::filesystem::path dataDir_;
  QWidget* client_ = nullptr;  // a Surface
  Canvas surface_{0, 0};
  QColor clientColour_;
  QRect placement_;
  bool maximised_ = false;
  bool placed_ = false;
  int TObsState::*redrawFlag_ = nullptr;
  bool followFromTimerSpeed_ = false;
  QString helpTopic_;
  QTimer* flagTimer_ = nullptr;
  QTimer* followTimer_ = nullptr;
};

// A spin button: two small arrow buttons one above the other. Each click (and each repeat
// while a button is held down) emits UpClick or DownClick.
class TSpinButton : public QWidget {
  Q_OBJECT

 public:
  explicit TSpinButton(QWidget* parent = nullptr);

  QToolButton* UpButton() const { return up_; }
  QToolButton* DownButton() const { return down_; }

 signals:
  void UpClick();
  void DownClick();

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  QToolButton* up_ = nullptr;
  QToolButton* down_ = nullptr;
};

// --- The kinds of child window the frame opens, and how each is made ---

enum class TWindowKind {
  Increment,      // "In", "I&nkrementering"
  Earth,          // "Jo", "&Jorden"
  SolarEclipses,  // "So", "&Solförmörkelser"
  SunPosition,    // "Sl", "S&olens läge"
  DayNight,       // "Da", "&Dag/natt-linje"
  Mercury,
  Venus,
  Mars,
  Jupiter,
  Saturn,
  Moon,
  JupiterMoons,   // "Jm", "Jupiters m&ånar"
  EarthCentre,    // "Jo" (black), "Jorden i &centrum"
  JupiterCentre,  // "Ju" (black), "J&upiter i centrum"
  LunarEclipses,  // "Må" (navy), "Mån&förmörkelser"
  Calendar,
  Almanac,
  Holidays,
  DataFiles,  // "&Datafiler"
  Pictures,   // "&Bilder"
  Orbit,      // "Ban&kalkylering"
};

inline constexpr int kWindowKindCount = static_cast<int>(TWindowKind::Orbit) + 1;

// The window's name on himlavy-cli's command line ("increment", "earth", "jupiter-moons", ...).
std::string_view WindowKindName(TWindowKind kind);

// Makes a new window of a kind (not yet shown, without a parent).
using TWindowFactory =
    std::function<TChildWindow*(TObsState& state, const std::filesystem::path& dataDir)>;

// Registers the factory of a kind; the frame's button and menu item of the kind are enabled
// while a factory is registered. An empty factory removes the registration.
void RegisterWindowFactory(TWindowKind kind, TWindowFactory factory);

// The factory of a kind, or nullptr when none is registered.
const TWindowFactory* FindWindowFactory(TWindowKind kind);

// The factory of a window class constructed as W(state, dataDir).
template <class W>
TChildWindow* MakeChildWindow(TObsState& state, const std::filesystem::path& dataDir) {
  return new W(state, dataDir);
}

}  // namespace himlavy
