// himlavy-cli render WINDOW --out FILE.png: draws a window offscreen as the program shows it.
#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <array>
#include <iostream>
#include <memory>
#include <string_view>

#include "cli/cli.h"
#include "cli/json_writer.h"
#include "shell/fonts_draw.h"
#include "shell/main_frame.h"

namespace himlavy::cli {

namespace {

// Qt's own warnings (no runtime folder, size hints the offscreen platform ignores) are noise
// in a command-line program; real failures are reported by the command itself.
void QuietMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg) std::cerr << message.toStdString() << "\n";
}

// Every window the program has, by its command-line name.
constexpr std::array<std::string_view, 28> kWindowNames = {
    "main",           "settings",       "increment",    "pictures",  "about",
    "splash",         "exit",           "skychart",     "mercury",   "venus",
    "mars",           "jupiter",        "saturn",       "moon",      "jupiter-moons",
    "jupiter-centre", "earth",          "sun-position", "day-night", "earth-centre",
    "solar-eclipses", "lunar-eclipses", "calendar",     "almanac",   "holidays",
    "datafiles",      "orbit",          "help"};

}  // namespace

int RenderCommand(Context& context) {
  std::string window;
  std::string out;
  for (std::size_t i = 0; i < context.Args.size(); ++i) {
    if (context.Args[i] == "--out")
      out = TakeValue(context.Args, i);
    else if (window.empty())
      window = context.Args[i];
    else
      throw UsageError("render tar ett fönster: " + context.Args[i]);
  }
  if (window.empty() || out.empty()) throw UsageError("render FÖNSTER --out FIL.png");
  bool known = false;
  for (const auto name : kWindowNames) known = known || name == window;
  if (!known) throw UsageError("okänt fönster: " + window);

  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  if (qEnvironmentVariableIsEmpty("HIMLAVY_QT_MESSAGES")) qInstallMessageHandler(&QuietMessages);
  int argc = 1;
  char name[] = "himlavy-cli";
  char* argv[] = {name, nullptr};
  QApplication app(argc, argv);
  RegisterFontSubstitutions();

  std::unique_ptr<QWidget> widget;
  if (window == "main") {
    widget = std::make_unique<THimlavy2>(context.State, context.DataDir, false);
  } else {
    std::cerr << "himlavy-cli: fönstret '" << window << "' är inte byggt ännu\n";
    return kExitNotBuilt;
  }
  widget->show();
  QApplication::processEvents();
  const QImage image = widget->grab().toImage();
  if (!image.save(QString::fromStdString(out), "PNG")) {
    std::cerr << "himlavy-cli: kunde inte skriva " << out << "\n";
    return kExitFailure;
  }
  if (!context.Json)
    std::cout << out << "\n";
  else
    std::cout << JsonObject().Add("window", window).Add("out", out).Text() << "\n";
  return kExitOk;
}

}  // namespace himlavy::cli
