#include "shell/help_window.h"

#include <QHBoxLayout>
#include <QMap>
#include <QPointer>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "base/textfile.h"
#include "shell/emblem_draw.h"
#include "shell/fonts_draw.h"

namespace himlavy {

namespace {

const QString kContentsPage = QStringLiteral("index.html");

struct HelpSystem {
  QString File = QStringLiteral("HVHELP.HLP");
  QMap<QString, std::filesystem::path> Folders;  // lower-case help file name -> folder
  QPointer<THelpViewer> Viewer;
};

HelpSystem& System() {
  static HelpSystem system;
  return system;
}

THelpViewer* ViewerFor(const QString& helpFile) {
  const std::filesystem::path folder = HelpFolder(helpFile);
  HelpSystem& system = System();
  if (system.Viewer != nullptr && system.Viewer->Folder() != folder) HelpQuit();
  if (system.Viewer == nullptr) system.Viewer = new THelpViewer(folder);
  system.Viewer->show();
  system.Viewer->raise();
  system.Viewer->activateWindow();
  return system.Viewer;
}

}  // namespace

THelpViewer::THelpViewer(std::filesystem::path folder, QWidget* parent)
    : QWidget(parent, Qt::Window), folder_(std::move(folder)) {
  setObjectName(QStringLiteral("HelpViewer"));
  setWindowTitle(QStringLiteral("Himlavy-hjälp"));
  setWindowIcon(ProgramIcon());
  resize(660, 560);

  const QFont font = MakeFont(QStringLiteral("MS Sans Serif"), 8);
  auto* contents = new QPushButton(QStringLiteral("&Innehåll"), this);
  auto* back = new QPushButton(QStringLiteral("&Bakåt"), this);
  auto* forward = new QPushButton(QStringLiteral("&Framåt"), this);
  for (QPushButton* button : {contents, back, forward}) {
    button->setFont(font);
    button->setFixedSize(75, 25);
    button->setFocusPolicy(Qt::TabFocus);
  }
  back->setEnabled(false);
  forward->setEnabled(false);

  browser_ = new QTextBrowser(this);
  browser_->setOpenLinks(true);
  browser_->setOpenExternalLinks(false);
  browser_->setSearchPaths({QString::fromStdString(folder_.string())});
  QFont text = MakeFont(QStringLiteral("Arial"), 10);
  text.setStyleStrategy(QFont::PreferDefault);
  browser_->setFont(text);

  auto* buttons = new QHBoxLayout;
  buttons->setContentsMargins(0, 0, 0, 0);
  buttons->setSpacing(4);
  buttons->addWidget(contents);
  buttons->addWidget(back);
  buttons->addWidget(forward);
  buttons->addStretch(1);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->setSpacing(4);
  layout->addLayout(buttons);
  layout->addWidget(browser_, 1);

  connect(contents, &QPushButton::clicked, this, &THelpViewer::ShowContents);
  connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
  connect(forward, &QPushButton::clicked, browser_, &QTextBrowser::forward);
  connect(browser_, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
  connect(browser_, &QTextBrowser::forwardAvailable, forward, &QPushButton::setEnabled);
}

bool THelpViewer::ShowFile(const QString& fileName) {
  const std::filesystem::path path = ResolveDataPath(folder_, fileName.toStdString());
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return false;
  browser_->setSource(QUrl::fromLocalFile(QString::fromStdString(path.string())));
  return true;
}

bool THelpViewer::ShowTopic(const QString& contextName) {
  if (ShowFile(HelpPageOfContext(contextName))) return true;
  ShowContents();
  return false;
}

void THelpViewer::ShowContents() {
  if (ShowFile(kContentsPage)) return;
  browser_->setHtml(
      QStringLiteral("<h2>Hjälpen saknas</h2><p>Hjälpsidorna finns inte i mappen <tt>%1</tt>. "
                     "De installeras i mappen <tt>help</tt> bredvid programmets datafiler.</p>")
          .arg(QString::fromStdString(folder_.string()).toHtmlEscaped()));
}

QString THelpViewer::CurrentPage() const {
  const QUrl source = browser_->source();
  if (source.isEmpty()) return {};
  return source.fileName();
}

QString HelpPageOfContext(const QString& contextName) {
  const QString name = contextName.trimmed();
  return name.mid(name.lastIndexOf(QLatin1Char('.')) + 1) + QStringLiteral(".html");
}

void SetHelpFile(const QString& helpFile) {
  System().File = helpFile;
}

QString HelpFile() {
  return System().File;
}

void MapHelpFile(const QString& helpFile, const std::filesystem::path& folder) {
  System().Folders.insert(helpFile.toLower(), folder);
}

std::filesystem::path HelpFolder(const QString& helpFile) {
  const QString name = (helpFile.isEmpty() ? System().File : helpFile).toLower();
  const auto found = System().Folders.constFind(name);
  if (found != System().Folders.constEnd()) return *found;
  return std::filesystem::current_path() / "help";
}

bool HelpJump(const QString& contextName, const QString& helpFile) {
  return ViewerFor(helpFile)->ShowTopic(contextName);
}

void HelpContents(const QString& helpFile) {
  ViewerFor(helpFile)->ShowContents();
}

void HelpQuit() {
  HelpSystem& system = System();
  if (system.Viewer == nullptr) return;
  system.Viewer->close();
  delete system.Viewer;
}

THelpViewer* OpenHelpViewer() {
  return System().Viewer;
}

}  // namespace himlavy
