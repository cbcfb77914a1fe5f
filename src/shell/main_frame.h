// The main frame: a multiple-document frame with the status line and the two clock timers.
#pragma once

#include <QMainWindow>
#include <array>
#include <filesystem>

#include "shell/obs_state.h"

class QLabel;
class QMdiArea;
class QTimer;

namespace himlavy {

class THimlavy2 : public QMainWindow {
  Q_OBJECT

 public:
  // `dataDir` is the folder of the data files and "parametr.dta". With `startUp` the first
  // showing loads the parameters and takes the moment from the computer clock; without it
  // the frame shows the state as it is (offscreen rendering).
  THimlavy2(TObsState& state, std::filesystem::path dataDir, bool startUp = true,
            QWidget* parent = nullptr);

  QMdiArea* MdiArea() const { return mdiArea_; }
  const TObsState& State() const { return state_; }

  // Rebuilds the status line from the state.
  void RefreshStatusLine();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FormShow();
  void Timer1Timer();
  void Timer2Timer();

  TObsState& state_;
  std::filesystem::path dataDir_;
  bool startUp_;
  bool shown_ = false;
  QMdiArea* mdiArea_ = nullptr;
  std::array<QLabel*, 9> panels_{};
  QTimer* timer1_ = nullptr;  // the increment
  QTimer* timer2_ = nullptr;  // the status line
};

// Interval of the increment and follow timers for a TimerSpeed value (0, 1, 2).
int TimerSpeedInterval(int timerSpeed);

// The user's decimal separator ('.' or ',').
char LocaleDecimalSeparator();

}  // namespace himlavy
