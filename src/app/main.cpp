// The program: the start-up sequence, then the event loop until the main frame closes.
#include <QApplication>
#include <filesystem>

#include "frame/main_frame.h"
#include "shell/about_dialog.h"
#include "shell/emblem_draw.h"
#include "shell/exit_dialog.h"
#include "shell/fonts_draw.h"
#include "shell/help_window.h"
#include "shell/settings_dialog.h"
#include "shell/splash_window.h"

int main(int argc, char* argv[]) {
  using namespace himlavy;
  QApplication app(argc, argv);
  RegisterFontSubstitutions();
  QApplication::setFont(MakeFont(QStringLiteral("MS Sans Serif"), 8));

  // The splash screen is the first window to appear.
  ShowSplashScreen();

  // Title and help file; the help file's pages are the folder "help" of the working directory.
  const std::filesystem::path workDir = std::filesystem::current_path();
  SetProgramTitleAndHelp(workDir);

  // The forms, in order: main frame, about box, settings dialog, exit confirmation.
  TObsState state;
  TMainFrame frame(state, workDir);
  auto* aboutBox = new TAboutDialog(&frame);
  frame.SetAboutBox(aboutBox);
  auto* settings = new TSettingsDialog(state, workDir, &frame);
  settings->SetHelpCallback([](const QString& context) { HelpJump(context); });
  frame.SetSettingsDialog(settings);
  auto* exitDialog = new TExitDialog(&frame);
  frame.SetExitDialog(exitDialog);
  // Showing the frame loads the parameters and creates the sky chart, which comes last and
  // releases the splash screen.
  frame.show();

  return QApplication::exec();
}
