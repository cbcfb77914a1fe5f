// The help system: the viewer window and the calls every window makes to reach its topic.
//
// The program names its help file "HVHELP.HLP" and its topics by context names such as
// "HVHELP.XAN_275". The help is a folder of HTML pages: the contents page "index.html" and
// one page per context, named after the part of the context name behind the last point
// ("HVHELP.XAN_275" -> "XAN_275.html"). A help file name is mapped to its folder with
// MapHelpFile; an unmapped name is looked for as the folder "help" of the working directory.
// Names are matched without regard to case ("hvhelp.hlp" is "HVHELP.HLP").
#pragma once

#include <QString>
#include <QWidget>
#include <filesystem>

class QTextBrowser;

namespace himlavy {

// The help viewer: a top-level window with a text browser and the buttons "&Innehåll",
// "&Bakåt" and "&Framåt".
class THelpViewer : public QWidget {
  Q_OBJECT

 public:
  explicit THelpViewer(std::filesystem::path folder, QWidget* parent = nullptr);

  // Shows the page of a context name. Returns false (and shows the contents) when the folder
  // has no page for it.
  bool ShowTopic(const QString& contextName);

  // Shows the contents page.
  void ShowContents();

  // The page showing, as a file name ("XAN_275.html"), empty when none.
  QString CurrentPage() const;

  QTextBrowser* Browser() const { return browser_; }
  const std::filesystem::path& Folder() const { return folder_; }

 private:
  bool ShowFile(const QString& fileName);

  std::filesystem::path folder_;
  QTextBrowser* browser_ = nullptr;
};

// The page file of a context name: the text behind the last point with ".html" appended
// ("HVHELP.XAN_275" -> "XAN_275.html", "XAN_263" -> "XAN_263.html").
QString HelpPageOfContext(const QString& contextName);

// Sets the application's help file (the file used when a call names none).
void SetHelpFile(const QString& helpFile);

// The application's help file ("HVHELP.HLP" once the program has set it).
QString HelpFile();

// Maps a help file name to the folder that holds its pages.
void MapHelpFile(const QString& helpFile, const std::filesystem::path& folder);

// The folder of a help file (the application's help file when `helpFile` is empty).
std::filesystem::path HelpFolder(const QString& helpFile = {});

// Opens the viewer (creating it when needed) on the topic of a context name. `helpFile`
// names the help file; empty means the application's. Returns false when there is no such
// topic (the viewer then shows the contents).
bool HelpJump(const QString& contextName, const QString& helpFile = {});

// Opens the viewer on the contents page.
void HelpContents(const QString& helpFile = {});

// Tells the viewer to quit: it closes and is destroyed. Nothing happens when none is open.
void HelpQuit();

// The open viewer, or nullptr.
THelpViewer* OpenHelpViewer();

}  // namespace himlavy
