// himlavy-cli render WINDOW --out FILE.png: draws a window offscreen as the program shows it.
#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <algorithm>
#include <array>
#include <iostream>
#include <memory>
#include <optional>
#include <string_view>

#include "cli/cli.h"
#include "cli/json_writer.h"
#include "frame/main_frame.h"
#include "shell/about_dialog.h"
#include "shell/exit_dialog.h"
#include "shell/fonts_draw.h"
#include "shell/help_window.h"
#include "shell/message_dialog.h"
#include "shell/settings_dialog.h"
#include "shell/splash_window.h"
#include "skychart/skychart_window.h"
#include "timecal/calendar_report.h"

namespace himlavy::cli {

namespace {

// Qt's own warnings (no runtime folder, size hints the offscreen platform ignores) are noise
// in a command-line program; real failures are reported by the command itself.
void QuietMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg) std::cerr << message.toStdString() << "\n";
}

// The windows that are not child windows, by their command-line names; the child windows go
// by WindowKindName.
constexpr std::array<std::string_view, 7> kShellWindowNames = {
    "main", "settings", "about", "splash", "exit", "skychart", "help"};

// The window kind of a command-line name, when the name is one.
std::optional<TWindowKind> KindOfName(std::string_view name) {
  for (int i = 0; i < kWindowKindCount; ++i) {
    const auto kind = static_cast<TWindowKind>(i);
    if (WindowKindName(kind) == name) return kind;
  }
  return std::nullopt;
}

// The help folder: "help" in the data folder, else in the working directory.
std::filesystem::path HelpFolderFor(const std::filesystem::path& dataDir) {
  std::error_code error;
  if (std::filesystem::is_directory(dataDir / "help", error)) return dataDir / "help";
  return std::filesystem::current_path() / "help";
}

}  // namespace

int RenderCommand(Context& context) {
  std::string window;
  std::string out;
  std::string topic;
  std::optional<int> page;
  for (std::size_t i = 0; i < context.Args.size(); ++i) {
    if (context.Args[i] == "--out")
      out = TakeValue(context.Args, i);
    else if (context.Args[i] == "--page") {
      const std::string value = TakeValue(context.Args, i);
      const double number = NumberOption("--page", value);
      if (number != static_cast<int>(number) || number < 0 || number > 6) {
        throw UsageError("--page ska vara 0 ... 6, inte '" + value + "'");
      }
      page = static_cast<int>(number);
    } else if (context.Args[i] == "--topic")
      topic = TakeValue(context.Args, i);
    else if (window.empty())
      window = context.Args[i];
    else
      throw UsageError("render tar ett fönster: " + context.Args[i]);
  }
  if (window.empty() || out.empty()) throw UsageError("render FÖNSTER --out FIL.png");
  const bool known = std::find(kShellWindowNames.begin(), kShellWindowNames.end(), window) !=
                         kShellWindowNames.end() ||
                     KindOfName(window).has_value();
  if (!known) throw UsageError("okänt fönster: " + window);
  if (!topic.empty() && window != "help") throw UsageError("--topic gäller bara render help");
  if (page && window != "settings") throw UsageError("--page gäller bara render settings");

  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  if (qEnvironmentVariableIsEmpty("HIMLAVY_QT_MESSAGES")) qInstallMessageHandler(&QuietMessages);
  int argc = 1;
  char name[] = "himlavy-cli";
  char* argv[] = {name, nullptr};
  QApplication app(argc, argv);
  RegisterFontSubstitutions();
  QApplication::setFont(MakeFont(QStringLiteral("MS Sans Serif"), 8));

  // Messages the window shows go to standard error, and the exit status says there were some.
  bool messages = false;
  SetMessageHook([&messages](const QString& text) {
    std::cerr << "himlavy-cli: " << text.toStdString() << "\n";
    messages = true;
  });
  struct HookRemover {
    ~HookRemover() { SetMessageHook({}); }
  } hookRemover;

  std::unique_ptr<QWidget> widget;
  QWidget* shown = nullptr;  // what is drawn: the widget, or a window inside the frame
  QImage image;              // or the picture itself, for the settings dialog
  RegisterBuiltWindows();
  if (window == "settings") {
    image = RenderSettingsDialog(context.State, context.DataDir, page.value_or(0));
  } else if (window == "main" || window == "skychart") {
    // What the program shows after start-up: the frame with the sky chart, which the frame
    // makes last, maximised and drawn. "skychart" is the chart window alone.
    auto frame = std::make_unique<TMainFrame>(context.State, context.DataDir, false);
    frame->show();
    QApplication::processEvents();
    TSkyChartWindow* chart = frame->OpenSkyChart();
    if (window == "skychart") shown = chart;
    widget = std::move(frame);
  } else if (window == "about") {
    widget = std::make_unique<TAboutDialog>();
  } else if (window == "exit") {
    widget = std::make_unique<TExitDialog>();
  } else if (window == "splash") {
    widget = std::make_unique<TSplashScreen>();
  } else if (window == "help") {
    auto viewer = std::make_unique<THelpViewer>(HelpFolderFor(context.DataDir));
    if (topic.empty()) {
      viewer->ShowContents();
    } else if (!viewer->ShowTopic(QString::fromStdString(topic))) {
      std::cerr << "himlavy-cli: hjälpen har inget ämne " << topic << "\n";
      return kExitFailure;
    }
    widget = std::move(viewer);
  } else if (const auto kind = KindOfName(window); kind && FindWindowFactory(*kind) != nullptr) {
    // A child window is drawn as it looks inside the frame. The calendar shows the shared
    // values that the sky chart, open from start-up in the program, leaves for the moment.
    if (*kind == TWindowKind::Calendar) StoreChartSharedValues(context.State);
    auto frame = std::make_unique<TMainFrame>(context.State, context.DataDir, false);
    frame->show();
    QApplication::processEvents();
    shown = frame->OpenWindow(*kind);
    widget = std::move(frame);
  } else {
    std::cerr << "himlavy-cli: fönstret '" << window << "' är inte byggt ännu\n";
    return kExitNotBuilt;
  }
  if (widget) {
    widget->show();
    QApplication::processEvents();
    if (shown == nullptr) shown = widget.get();
    image = shown->grab().toImage();
  }
  if (!image.save(QString::fromStdString(out), "PNG")) {
    std::cerr << "himlavy-cli: kunde inte skriva " << out << "\n";
    return kExitFailure;
  }
  if (!context.Json)
    std::cout << out << "\n";
  else
    std::cout << JsonObject().Add("window", window).Add("out", out).Text() << "\n";
  return messages ? kExitFailure : kExitOk;
}

}  // namespace himlavy::cli
