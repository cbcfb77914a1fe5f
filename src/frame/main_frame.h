// The main frame "Himlavy 4.6": a multiple-document frame with the toolbar, the menus, the
// status line and the two clock timers.
//
// Every function of the program opens as a child window in the frame's client area. A button
// or menu item that opens a kind of window (TWindowKind) is enabled only while a factory for
// the kind is registered (RegisterWindowFactory in child_window.h); the windows the program
// has are registered by RegisterBuiltWindows().
#pragma once

#include <QMainWindow>
#include <QString>
#include <array>
#include <filesystem>
#include <memory>
#include <vector>

#include "base/obs_state.h"
#include "shell/child_window.h"
#include "shell/status_line.h"

class QAction;
class QLabel;
class QMdiArea;
class QMenu;
class QPrintDialog;
class QTimer;
class QToolButton;

namespace himlavy {

class TAboutDialog;
class TExitDialog;
class TSkyChartWindow;
class TSettingsDialog;

// The program's title and help file: the application is named "Himlavy 4.6" and gets the
// program icon; the help file "HVHELP.HLP" is the folder "help" of `workDir`. No display name
// is set, so that window titles show their own captions ("Inmatningsdialog") and nothing more.
void SetProgramTitleAndHelp(const std::filesystem::path& workDir);

// Registers the factories of every child window the program has. Called by the frame's
// constructor; calling it again changes nothing.
void RegisterBuiltWindows();

class TMainFrame : public QMainWindow {
  Q_OBJECT

 public:
  // `dataDir` is the folder of the data files and "parametr.dta". With `startUp` the first
  // showing loads the parameters and takes the moment from the computer clock; without it
  // the frame shows the state as it is (tests, offscreen rendering).
  TMainFrame(TObsState& state, std::filesystem::path dataDir, bool startUp = true,
             QWidget* parent = nullptr);
  ~TMainFrame() override;

  QMdiArea* MdiArea() const { return mdiArea_; }

  // The dialogs made at start-up. A dialog not given is made on its first use.
  void SetAboutBox(TAboutDialog* dialog) { aboutBox_ = dialog; }
  void SetSettingsDialog(TSettingsDialog* dialog) { settingsDialog_ = dialog; }
  void SetExitDialog(TExitDialog* dialog) { exitDialog_ = dialog; }
  TAboutDialog* AboutBox();
  TSettingsDialog* SettingsDialog();
  TExitDialog* ExitDialog();
  // The print dialog the child windows print through (made on first use), and its printer.
  QPrintDialog* PrintDialog();

  // Opens a new child window of a kind in the client area and shows it. nullptr when the kind
  // has no factory.
  TChildWindow* OpenWindow(TWindowKind kind);

  // The sky chart "Planetarium": made and shown on the first call (at start-up, after the
  // parameters are loaded), the same window afterwards.
  TSkyChartWindow* OpenSkyChart();
  TSkyChartWindow* SkyChart() const { return skyChart_; }

  // The settings dialog, modally, on `page` (0..6), or on the page it showed last (page < 0).
  void ShowSettings(int page);
  // The exit confirmation; "Ja" closes the frame.
  void ShowExitConfirmation();
  // The about box, modally.
  void ShowAbout();

  // Rebuilds the status line from the state.
  void RefreshStatusLine();
  // Enables the buttons and menu items of the kinds with a factory ("i centrum" ones only
  // while CoordSystem is 0).
  void UpdateCommandEnabling();

  // --- Event handlers (public so that tests can run one tick or one click) ---
  void IncrementTimerTick();  // the increment
  void StatusTimerTick();     // the status line, every 100 ms
  void UseComputerClock();    // "Lo"
  void StartStopIncrement();  // "T/F"
  void ReverseIncrement();    // "+/-"

  // --- Controls, for tests ---
  QTimer* IncrementTimer() const { return incrementTimer_; }
  QTimer* StatusTimer() const { return statusTimer_; }
  QLabel* HintPanel() const { return hintPanel_; }
  QLabel* ClockPanel() const { return clockPanel_; }
  // The status line's panel of a field.
  QLabel* StatusPanel(TStatusField field) const {
    return statusPanels_[static_cast<std::size_t>(field)];
  }
  // The toolbar's buttons, left to right.
  const std::vector<QToolButton*>& ToolButtons() const { return toolButtons_; }

  // The text of the clock panel for a local date and time: the short date and the long time
  // format of the user's locale, less the last three characters (the seconds).
  static QString ClockPanelText(const QDateTime& local);

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool event(QEvent* event) override;

 private:
  struct Command {
    TWindowKind Kind;
    QToolButton* Button;  // or nullptr
    QAction* Action;      // or nullptr
  };

  void FormShow();
  void BuildToolbar(QWidget* toolbar);
  void BuildMenus();
  void BuildStatusLine();
  void AddOpenCommand(TWindowKind kind, QToolButton* button, QAction* action);
  void RebuildWindowList();
  void ShowHint(const QString& hint);
  void SetIncrementPanelColours();

  TObsState& state_;
  std::filesystem::path dataDir_;
  bool startUp_;
  bool shown_ = false;
  QMdiArea* mdiArea_ = nullptr;
  std::vector<QToolButton*> toolButtons_;
  QLabel* hintPanel_ = nullptr;
  QLabel* clockPanel_ = nullptr;
  std::array<QLabel*, static_cast<std::size_t>(TStatusField::Count)> statusPanels_{};
  QMenu* fileMenu_ = nullptr;
  std::vector<QAction*> windowListActions_;
  std::vector<Command> commands_;
  QTimer* incrementTimer_ = nullptr;  // the increment
  QTimer* statusTimer_ = nullptr;     // the status line
  QTimer* hintTimer_ = nullptr;       // the pause before a hint shows
  QString pendingHint_;
  TAboutDialog* aboutBox_ = nullptr;
  TSettingsDialog* settingsDialog_ = nullptr;
  TExitDialog* exitDialog_ = nullptr;
  TSkyChartWindow* skyChart_ = nullptr;
};

}  // namespace himlavy
