// The program: the main frame over the data files of the working directory.
#include <QApplication>
#include <filesystem>

#include "shell/fonts_draw.h"
#include "shell/main_frame.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Himlavy 4.6"));
  himlavy::RegisterFontSubstitutions();

  himlavy::TObsState state;
  himlavy::THimlavy2 frame(state, std::filesystem::current_path());
  frame.show();
  return QApplication::exec();
}
