#include "orbit/orbit_window.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <iostream>

#include "base/textfile.h"
#include "shell/fonts_draw.h"
#include "shell/message_dialog.h"

namespace himlavy {

namespace {

// Layout of the client area (the window is 743 x 347 pixels outside, at 4, 73).
constexpr int kWindowX = 4;
constexpr int kWindowY = 73;
constexpr int kWindowWidth = 743;
constexpr int kWindowHeight = 347;
constexpr int kMenuHeight = 21;
constexpr int kLeft = 8;
constexpr int kGuideTop = kMenuHeight + 6;
constexpr int kGuideStep = 16;
const QRect kBoxRect(kLeft, kGuideTop + 3 * kGuideStep + 2, 452, 84);
constexpr int kGroupX = 476;
constexpr int kGroupWidth = 250;
constexpr int kGroupHeight = 48;
constexpr int kGroupStep = 54;
const QRect kGroupButton(12, 18, 90, 24);
const QRect kHelpRect(kGroupX + kGroupWidth - 90, kGuideTop + 3 * kGroupStep + 2, 90, 25);
const QRect kWarningRect(kLeft, 190, 718, 18);
constexpr int kHeaderTop = 214;
constexpr int kHeaderStep = 15;
const QRect kResultRect(kLeft - 3, kHeaderTop + 2 * kHeaderStep + 2, 724, 22);

QString Utf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QLabel* AddGuide(QWidget* parent, std::string_view text, const QFont& font, int x, int y,
                 const QString& name) {
  auto* label = new QLabel(Utf8(text), parent);
  label->setObjectName(name);
  label->setFont(font);
  label->setTextFormat(Qt::PlainText);
  label->adjustSize();
  label->move(x, y);
  return label;
}

QPushButton* AddGroupButton(QWidget* parent, std::string_view caption, std::string_view button,
                            int index, const QString& name) {
  auto* group = new QGroupBox(Utf8(caption), parent);
  group->setObjectName(QStringLiteral("GroupBox%1").arg(index + 1));
  group->setFont(ControlFont(QStringLiteral("MS Sans Serif"), 8));
  group->setGeometry(kGroupX, kGuideTop + index * kGroupStep, kGroupWidth, kGroupHeight);
  auto* push = new QPushButton(Utf8(button), group);
  push->setObjectName(name);
  push->setFont(ControlFont(QStringLiteral("MS Sans Serif"), 8, true));
  push->setGeometry(kGroupButton);
  return push;
}

}  // namespace

TOrbitWindow::TOrbitWindow(TObsState& state, const std::filesystem::path& dataDir, QWidget* parent)
    : TChildWindow(state, dataDir, parent) {
  setObjectName(QStringLiteral("orbitWindow"));
  setWindowTitle(Utf8(kOrbitCaption));
  SetPlacement(QRect(kWindowX, kWindowY, kWindowWidth, kWindowHeight));
  SetFixedBorder();
  SetClientColour(ToQColor(colours::kSilver));
  SetHelpTopic(Utf8(kOrbitHelpTopic));
  setWindowFlag(Qt::WindowStaysOnTopHint);
  setWindowFlag(Qt::WindowMinimizeButtonHint, false);
  setWindowFlag(Qt::WindowMaximizeButtonHint, false);

  const QFont fixedBold = MakeFont(QStringLiteral("Courier New"), 10, true);
  const QFont fixed = MakeFont(QStringLiteral("Courier New"), 8.5);

  menuBar_ = new QMenuBar(Client());
  menuBar_->setObjectName(QStringLiteral("MainMenu1"));
  menuBar_->setGeometry(0, 0, kWindowWidth, kMenuHeight);
  QMenu* edit = menuBar_->addMenu(QStringLiteral("&Redigera"));

  AddGuide(Client(), kOrbitNameGuide, fixedBold, kLeft + 4, kGuideTop, QStringLiteral("Label1"));
  AddGuide(Client(), kOrbitColumnGuide, fixedBold, kLeft + 4, kGuideTop + kGuideStep,
           QStringLiteral("Label2"));
  AddGuide(Client(), kOrbitLayoutGuide, fixedBold, kLeft + 4, kGuideTop + 2 * kGuideStep,
           QStringLiteral("Label3"));

  observationBox_ = new QPlainTextEdit(Client());
  observationBox_->setObjectName(QStringLiteral("Memo1"));
  observationBox_->setFont(fixedBold);
  observationBox_->setLineWrapMode(QPlainTextEdit::NoWrap);
  observationBox_->setStyleSheet(QStringLiteral("background-color: rgb(192, 192, 192);"));
  observationBox_->setGeometry(kBoxRect);

  edit->addAction(QStringLiteral("Klipp ut\tCtrl+X"), QKeySequence::Cut, observationBox_,
                  &QPlainTextEdit::cut);
  edit->addAction(QStringLiteral("Kopiera\tCtrl+C"), QKeySequence::Copy, observationBox_,
                  &QPlainTextEdit::copy);
  edit->addAction(QStringLiteral("Klistra in\tCtrl+V"), QKeySequence::Paste, observationBox_,
                  &QPlainTextEdit::paste);

  saveButton_ = AddGroupButton(Client(), "1. Inmatning av observationer", "Spara", 0,
                               QStringLiteral("saveButton"));
  computeButton_ = AddGroupButton(Client(), "2. Beräknar banparametrar", "Beräkna", 1,
                                  QStringLiteral("computeButton"));
  copyButton_ = AddGroupButton(Client(), "3. Kopierar banparametrar", "Kopiera", 2,
                               QStringLiteral("copyButton"));
  connect(saveButton_, &QPushButton::clicked, this, [this] { SaveObservations(); });
  connect(computeButton_, &QPushButton::clicked, this, [this] { Compute(); });
  connect(copyButton_, &QPushButton::clicked, this, [this] { CopyToCometFile(); });
  QPushButton* help = AddHelpButton(kHelpRect, QStringLiteral("helpButton"));
  help->setFont(ControlFont(QStringLiteral("MS Sans Serif"), 8, true));

  warningLabel_ = new QLabel(Client());
  warningLabel_->setObjectName(QStringLiteral("warningLabel"));
  warningLabel_->setFont(ControlFont(QStringLiteral("MS Sans Serif"), 8, true));
  warningLabel_->setTextFormat(Qt::PlainText);
  warningLabel_->setStyleSheet(QStringLiteral("color: rgb(128, 0, 0);"));
  warningLabel_->setGeometry(kWarningRect);

  AddGuide(Client(), kOrbitHeader1, fixed, kLeft, kHeaderTop, QStringLiteral("Label4"));
  AddGuide(Client(), kOrbitHeader2, fixed, kLeft, kHeaderTop + kHeaderStep,
           QStringLiteral("Label5"));
  resultField_ = new QLineEdit(Client());
  resultField_->setObjectName(QStringLiteral("Edit1"));
  resultField_->setFont(fixed);
  resultField_->setGeometry(kResultRect);

  LoadObservations();
}

void TOrbitWindow::FormShow() {
  LoadObservations();
}

void TOrbitWindow::LoadObservations() {
  const auto lines = ReadRawLines(ResolveDataPath(DataDir(), kObservationFile));
  QStringList text;
  if (lines) {
    for (const std::string& line : *lines) text << Utf8(Cp1252ToUtf8(line));
  }
  observationBox_->setPlainText(text.join(QLatin1Char('\n')));
}

bool TOrbitWindow::SaveObservations() {
  std::string bytes;
  QStringList lines = observationBox_->toPlainText().split(QLatin1Char('\n'));
  if (lines.size() > 1 && lines.back().isEmpty()) lines.removeLast();  // a final line end
  for (const QString& line : lines) {
    bytes += Utf8ToCp1252(line.toStdString());
    bytes += "\r\n";
  }
  const TWriteResult written =
      WriteFileAtomically(ResolveDataPath(DataDir(), kObservationFile), bytes);
  if (!written) {
    ShowProgramMessage(this, Utf8("observ.dta kunde inte sparas: " + written.Error));
    return false;
  }
  return true;
}

void TOrbitWindow::Compute() {
  warningLabel_->clear();
  report_ = DetermineOrbit(ResolveDataPath(DataDir(), kObservationFile));
  if (!report_.Solution.EtaConverged) std::cerr << kEtaConvergenceText << "\n";
  if (!report_.Ok) {
    resultField_->clear();
    ShowProgramMessage(this, Utf8(report_.Error));
    return;
  }
  warningLabel_->setText(Utf8(report_.Warning));
  resultField_->setText(Utf8(Cp1252ToUtf8(report_.Line)));
}

bool TOrbitWindow::CopyToCometFile() {
  const std::string message = AppendToCometFile(ResolveDataPath(DataDir(), kCometFileName),
                                                Utf8ToCp1252(resultField_->text().toStdString()));
  if (!message.empty()) {
    ShowProgramMessage(this, Utf8(message));
    return false;
  }
  State().RedrawChart = 1;  // the sky chart shows the new comet at its next check
  return true;
}

}  // namespace himlavy
