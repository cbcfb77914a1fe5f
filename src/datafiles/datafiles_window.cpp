#include "datafiles/datafiles_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>

#include "base/palette.h"
#include "catalogs/catalog_records.h"
#include "datafiles/catalog_lines.h"
#include "shell/fonts_draw.h"
#include "shell/message_dialog.h"
#include "shell/user_locale.h"

namespace himlavy {

namespace {

QString Text(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void SetHint(QWidget* widget, const char* hint) {
  widget->setToolTip(QString::fromUtf8(hint));
  widget->setStatusTip(QString::fromUtf8(hint));
}

// Layout of the client area (the window is 996 x 530 pixels outside).
constexpr int kMenuHeight = 20;
const QRect kFileListBox(4, 24, 150, 318);
const QRect kZoneNameBox(4, 346, 150, 21);
const QRect kZoneListBox(4, 370, 150, 128);
const QRect kHeadingBox(160, 24, 824, 58);
const QRect kEditorBox(160, 84, 824, 318);
const QRect kFileLabelBox(160, 410, 170, 20);
const QRect kCountBox(334, 408, 70, 21);
const QRect kWarningBox(410, 410, 150, 20);
const QRect kSaveBox(740, 406, 75, 25);
const QRect kFindBox(822, 406, 75, 25);
const QRect kHelpBox(904, 406, 75, 25);
const QRect kCalculatorGroupBox(160, 436, 824, 62);
constexpr int kCalculatorTop = 24;
constexpr int kCalculatorStep = 274;
constexpr int kCalculatorEditWidth = 140;
constexpr int kCalculatorButtonWidth = 58;
constexpr int kControlHeight = 23;
// The editor's text starts this far from its left edge (frame and document margin).
constexpr int kEditorMargin = 4;

constexpr const char* kInitialCount = "   Antal";

struct TCalculatorText {
  const char* Name;
  const char* Hint;
};
constexpr std::array<TCalculatorText, 3> kCalculatorTexts = {{
    {"Edit1", "| Omvandlar från km till a.e."},
    {"Edit2", "| Omvandlar från a.e. till km"},
    {"Edit5", "| Beräknar för jordsatelliter halva storaxeln, a, från medelhastigheten, n"},
}};

}  // namespace

TDataFilesWindow::TDataFilesWindow(TObsState& state, const std::filesystem::path& dataDir,
                                   QWidget* parent)
    : TChildWindow(state, dataDir, parent) {
  setObjectName(QStringLiteral("dataFilesWindow"));
  setWindowTitle(QStringLiteral("Datafiler"));
  setWindowFlag(Qt::WindowStaysOnTopHint, true);
  SetPlacement(QRect(4, 73, 996, 530));
  SetFixedBorder();
  SetClientColour(ToQColor(colours::kSilver));
  SetHelpTopic(QStringLiteral("HVHELP.XAN_263"));

  const QFont small = MakeFont(QStringLiteral("MS Sans Serif"), 8);
  BuildEditMenu();

  fileList_ = new QListWidget(Client());
  fileList_->setObjectName(QStringLiteral("ListBox1"));
  fileList_->setFont(small);
  fileList_->setGeometry(kFileListBox);
  for (const TDataFileItem& item : kDataFileItems) fileList_->addItem(Text(item.Caption));
  SetHint(fileList_,
          "Spara innan växling eller avslutning!| Spara ändringar av data innan växling av "
          "filer eller avslutning av Datafiler!");
  connect(fileList_, &QListWidget::currentRowChanged, this, &TDataFilesWindow::FileListRowChanged);

  zoneNameEdit_ = new QLineEdit(Client());
  zoneNameEdit_->setObjectName(QStringLiteral("Edit3"));
  zoneNameEdit_->setFont(small);
  zoneNameEdit_->setGeometry(kZoneNameBox);
  zoneNameEdit_->setReadOnly(true);
  zoneList_ = new QListWidget(Client());
  zoneList_->setObjectName(QStringLiteral("FileListBox1"));
  zoneList_->setFont(small);
  zoneList_->setGeometry(kZoneListBox);
  connect(zoneList_, &QListWidget::itemDoubleClicked, this,
          [this](QListWidgetItem* item) { BrowseZone(item->text()); });
  zoneNameEdit_->hide();
  zoneList_->hide();

  headingClip_ = new QWidget(Client());
  headingClip_->setObjectName(QStringLiteral("headingPanel"));
  headingClip_->setGeometry(kHeadingBox);
  headingClip_->setAutoFillBackground(true);
  heading_ = new QLabel(headingClip_);
  heading_->setObjectName(QStringLiteral("headingLines"));
  heading_->setFont(ControlFont(QStringLiteral("Courier New"), 8, true));
  heading_->setTextFormat(Qt::PlainText);
  heading_->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
  heading_->setGeometry(kEditorMargin, 0, 4000, kHeadingBox.height());

  editor_ = new QPlainTextEdit(Client());
  editor_->setObjectName(QStringLiteral("RichEdit1"));
  editor_->setFont(MakeFont(QStringLiteral("Courier New"), 8));
  editor_->setGeometry(kEditorBox);
  editor_->setLineWrapMode(QPlainTextEdit::NoWrap);
  editor_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  editor_->document()->setDocumentMargin(kEditorMargin - editor_->frameWidth());
  connect(editor_->horizontalScrollBar(), &QScrollBar::valueChanged, this,
          [this](int value) { heading_->move(kEditorMargin - value, 0); });
  // The editor comes first in the focus chain: a list that takes the focus on showing
  // chooses its first item, and no file is chosen before the user chooses one.
  QWidget::setTabOrder(editor_, fileList_);

  fileLabel_ = new QLabel(Client());
  fileLabel_->setObjectName(QStringLiteral("Label4"));
  fileLabel_->setFont(small);
  fileLabel_->setTextFormat(Qt::PlainText);
  fileLabel_->setGeometry(kFileLabelBox);
  countEdit_ = new QLineEdit(QString::fromLatin1(kInitialCount), Client());
  countEdit_->setObjectName(QStringLiteral("Edit4"));
  countEdit_->setFont(small);
  countEdit_->setGeometry(kCountBox);
  countEdit_->setReadOnly(true);
  warningLabel_ = new QLabel(Client());
  warningLabel_->setObjectName(QStringLiteral("Label6"));
  warningLabel_->setFont(ControlFont(QStringLiteral("MS Sans Serif"), 8, true));
  warningLabel_->setTextFormat(Qt::PlainText);
  warningLabel_->setGeometry(kWarningBox);
  QPalette warningPalette = warningLabel_->palette();
  warningPalette.setColor(QPalette::WindowText, ToQColor(colours::kRed));
  warningLabel_->setPalette(warningPalette);

  saveButton_ = new QPushButton(QStringLiteral("Spara"), Client());
  saveButton_->setObjectName(QStringLiteral("saveButton"));
  saveButton_->setGeometry(kSaveBox);
  saveButton_->setEnabled(false);
  SetHint(saveButton_, "| Sparar ändringar i filen");
  connect(saveButton_, &QPushButton::clicked, this, [this] { Save(); });
  findButton_ = new QPushButton(QStringLiteral("&Sök"), Client());
  findButton_->setObjectName(QStringLiteral("findButton"));
  findButton_->setGeometry(kFindBox);
  SetHint(findButton_, "| Sök efter ord i filerna (Alt+S)");
  connect(findButton_, &QPushButton::clicked, this, &TDataFilesWindow::ShowFindDialog);
  AddHelpButton(kHelpBox);

  BuildCalculators();
}

void TDataFilesWindow::FormShow() {
  editor_->setFocus();
}

void TDataFilesWindow::BuildEditMenu() {
  auto* bar = new QMenuBar(Client());
  bar->setObjectName(QStringLiteral("editMenuBar"));
  bar->setNativeMenuBar(false);
  bar->setGeometry(0, 0, 200, kMenuHeight);
  editMenu_ = bar->addMenu(QStringLiteral("&Redigera"));
  editMenu_->setObjectName(QStringLiteral("editMenu"));
  connect(editMenu_->addAction(QStringLiteral("Klipp ut  Ctrl+X")), &QAction::triggered, this,
          [this] { editor_->cut(); });
  connect(editMenu_->addAction(QStringLiteral("Kopiera  Ctrl+C")), &QAction::triggered, this,
          [this] { editor_->copy(); });
  connect(editMenu_->addAction(QStringLiteral("Klistra in  Ctrl+V")), &QAction::triggered, this,
          [this] { editor_->paste(); });
}

void TDataFilesWindow::BuildCalculators() {
  auto* group = new QGroupBox(QStringLiteral("Kalkylatorer"), Client());
  group->setObjectName(QStringLiteral("calculatorGroup"));
  group->setGeometry(kCalculatorGroupBox);
  for (std::size_t i = 0; i < calculators_.size(); ++i) {
    const auto calculator = static_cast<TCalculator>(i);
    const int x = 8 + kCalculatorStep * static_cast<int>(i);
    TCalculatorControls& c = calculators_[i];
    c.Edit = new QLineEdit(group);
    c.Edit->setObjectName(QString::fromLatin1(kCalculatorTexts[i].Name));
    c.Edit->setGeometry(x, kCalculatorTop, kCalculatorEditWidth, kControlHeight);
    SetHint(c.Edit, kCalculatorTexts[i].Hint);
    c.Calculate = new QPushButton(QStringLiteral("Beräkna"), group);
    c.Calculate->setObjectName(QStringLiteral("calculateButton%1").arg(i + 1));
    c.Calculate->setGeometry(x + kCalculatorEditWidth + 2, kCalculatorTop, kCalculatorButtonWidth,
                             kControlHeight);
    c.Clear = new QPushButton(QStringLiteral("Radera"), group);
    c.Clear->setObjectName(QStringLiteral("clearButton%1").arg(i + 1));
    c.Clear->setGeometry(x + kCalculatorEditWidth + kCalculatorButtonWidth + 4, kCalculatorTop,
                         kCalculatorButtonWidth, kControlHeight);
    connect(c.Calculate, &QPushButton::clicked, this,
            [this, calculator] { Calculate(calculator); });
    connect(c.Clear, &QPushButton::clicked, this, [edit = c.Edit] {
      edit->clear();
      edit->setFocus();
    });
  }
}

void TDataFilesWindow::Calculate(TCalculator calculator) {
  QLineEdit* edit = calculators_[Index(calculator)].Edit;
  const TCalculation result =
      himlavy::Calculate(calculator, edit->text().toStdString(), LocaleDecimalSeparator());
  if (!result.Error.empty()) {
    ShowProgramMessage(this, Text(result.Error));
    return;
  }
  edit->setText(Text(result.Text));
}

void TDataFilesWindow::SetHeading(const std::vector<std::string>& lines) {
  QStringList texts;
  for (const std::string& line : lines) texts << Text(line);
  heading_->setText(texts.join(QLatin1Char('\n')));
}

void TDataFilesWindow::ShowText(const QString& text) {
  editor_->setPlainText(text);
  editor_->document()->setModified(false);
  editor_->horizontalScrollBar()->setValue(0);
}

void TDataFilesWindow::FileListRowChanged(int row) {
  if (row == currentRow_) return;
  if (!ChooseItem(row)) {
    const QSignalBlocker blocker(fileList_);
    fileList_->setCurrentRow(currentRow_);
  }
}

bool TDataFilesWindow::ChooseItem(int row) {
  if (row < 0 || row >= static_cast<int>(kDataFileItems.size())) return false;
  if (!ResolveUnsavedChanges()) return false;
  currentRow_ = row;
  if (fileList_->currentRow() != row) {
    const QSignalBlocker blocker(fileList_);
    fileList_->setCurrentRow(row);
  }
  const TDataFileItem& item = kDataFileItems[static_cast<std::size_t>(row)];
  currentFile_.clear();
  currentName_.clear();
  catalog_ = nullptr;
  loaded_ = {};
  ShowText({});
  warningLabel_->clear();
  fileLabel_->clear();
  countEdit_->setText(QString::fromLatin1(kInitialCount));
  saveButton_->setEnabled(false);
  SetHeading(ItemHeading(item));
  zoneList_->clear();
  zoneList_->setVisible(item.Kind == TDataItemKind::Catalog);
  zoneNameEdit_->setVisible(item.Kind == TDataItemKind::Catalog);
  if (item.Kind == TDataItemKind::TextFile) LoadFile(item);
  if (item.Kind == TDataItemKind::Catalog) ShowCatalog(item);
  return true;
}

void TDataFilesWindow::LoadFile(const TDataFileItem& item) {
  const std::filesystem::path path = ResolveDataPath(DataDir(), item.FileName);
  const TLoadedText loaded = LoadTextDocument(path);
  if (!loaded.Document) {
    ShowProgramMessage(this, Text(loaded.Error));
    return;
  }
  loaded_ = *loaded.Document;
  currentFile_ = path;
  currentName_ = std::string(item.FileName);
  ShowText(Text(EditorText(loaded_)));
  fileLabel_->setText(Text(item.FileName));
  countEdit_->setText(QString::number(loaded_.Lines.size()));
  const bool tooMany = loaded_.Lines.size() > kMaxEditableLines;
  if (tooMany) warningLabel_->setText(Text(kTooManyLinesText));
  saveButton_->setEnabled(!tooMany);
}

void TDataFilesWindow::ShowCatalog(const TDataFileItem& item) {
  catalog_ = FindCatalog(item.CatalogKey);
  if (catalog_ == nullptr) return;
  zoneNameEdit_->setText(Text(catalog_->Directory) + QStringLiteral("\\*.dat"));
  for (const std::string& name : ZoneFileNames(DataDir(), *catalog_)) {
    zoneList_->addItem(QString::fromStdString(name));
  }
}

void TDataFilesWindow::BrowseZone(const QString& fileName) {
  if (catalog_ == nullptr) return;
  const std::string name = std::string(catalog_->Directory) + "/" + fileName.toStdString();
  const std::filesystem::path path = ResolveDataPath(DataDir(), name);
  const auto lines = CatalogZoneLines(catalog_->Key, path);
  zoneNameEdit_->setText(fileName);
  if (!lines) {
    ShowText({});
    ShowProgramMessage(this, QStringLiteral("Cannot open file %1").arg(Text(name)));
    return;
  }
  QString text;
  for (std::size_t i = 0; i < lines->size(); ++i) {
    if (i > 0) text += QLatin1Char('\n');
    text += Text((*lines)[i]);
  }
  ShowText(text);
  countEdit_->setText(QString::number(lines->size()));
}

bool TDataFilesWindow::HasUnsavedChanges() const {
  return !currentFile_.empty() && saveButton_->isEnabled() && editor_->document()->isModified();
}

bool TDataFilesWindow::Save() {
  if (currentFile_.empty() || !saveButton_->isEnabled()) return false;
  const std::string text = editor_->toPlainText().toStdString();
  // A character the file's code page lacks would be written as '?': the user changes it first.
  if (const std::string unsavable = UnsavableCharacterText(text, currentName_);
      !unsavable.empty()) {
    ShowProgramMessage(this, Text(unsavable));
    return false;
  }
  const TTextDocument document = DocumentFromEditor(text, loaded_);
  const TWriteResult written = SaveTextDocument(currentFile_, document);
  if (!written) {
    ShowProgramMessage(this, Text(SaveFailedText(currentName_, written)));
    return false;
  }
  loaded_ = document;
  editor_->document()->setModified(false);
  fileLabel_->setText(Text(kSavedText));
  countEdit_->setText(QString::number(document.Lines.size()));
  return true;
}

TSaveAnswer TDataFilesWindow::AskSaveQuestion() {
  if (question_) return question_();
  QMessageBox box(QMessageBox::Question, QString::fromLatin1(kProgramTitle),
                  Text(kSaveQuestionText), QMessageBox::NoButton, this);
  QPushButton* yes = box.addButton(QStringLiteral("Ja"), QMessageBox::YesRole);
  QPushButton* no = box.addButton(QStringLiteral("Nej"), QMessageBox::NoRole);
  QPushButton* cancel = box.addButton(QStringLiteral("Avbryt"), QMessageBox::RejectRole);
  box.setDefaultButton(yes);
  box.setEscapeButton(cancel);
  box.exec();
  if (box.clickedButton() == yes) return TSaveAnswer::Yes;
  if (box.clickedButton() == no) return TSaveAnswer::No;
  return TSaveAnswer::Cancel;
}

bool TDataFilesWindow::ResolveUnsavedChanges() {
  if (!HasUnsavedChanges()) return true;
  switch (AskSaveQuestion()) {
    case TSaveAnswer::Yes:
      return Save();
    case TSaveAnswer::No:
      return true;
    case TSaveAnswer::Cancel:
      break;
  }
  return false;
}

void TDataFilesWindow::closeEvent(QCloseEvent* event) {
  if (!ResolveUnsavedChanges()) {
    event->ignore();
    return;
  }
  TChildWindow::closeEvent(event);
}

void TDataFilesWindow::ShowFindDialog() {
  if (findDialog_ == nullptr) {
    findDialog_ = new QDialog(this);
    findDialog_->setObjectName(QStringLiteral("findDialog"));
    findDialog_->setWindowTitle(QStringLiteral("Sök"));
    findDialog_->setFixedSize(360, 110);
    auto* label = new QLabel(QStringLiteral("Sök &efter:"), findDialog_);
    label->setGeometry(8, 12, 70, 20);
    findPattern_ = new QLineEdit(findDialog_);
    findPattern_->setObjectName(QStringLiteral("findPattern"));
    findPattern_->setGeometry(80, 10, 180, 22);
    label->setBuddy(findPattern_);
    findWholeWord_ = new QCheckBox(QStringLiteral("Endast &hela ord"), findDialog_);
    findWholeWord_->setGeometry(8, 44, 150, 20);
    findMatchCase_ = new QCheckBox(QStringLiteral("&Matcha gemener/VERSALER"), findDialog_);
    findMatchCase_->setGeometry(8, 70, 190, 20);
    auto* direction = new QGroupBox(QStringLiteral("Riktning"), findDialog_);
    direction->setGeometry(200, 40, 120, 56);
    findUp_ = new QRadioButton(QStringLiteral("&Upp"), direction);
    findUp_->setGeometry(8, 22, 50, 20);
    auto* down = new QRadioButton(QStringLiteral("&Ned"), direction);
    down->setGeometry(60, 22, 50, 20);
    down->setChecked(true);
    auto* next = new QPushButton(QStringLiteral("&Sök nästa"), findDialog_);
    next->setObjectName(QStringLiteral("findNextButton"));
    next->setGeometry(268, 8, 84, 25);
    next->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Avbryt"), findDialog_);
    cancel->setGeometry(268, 38, 84, 25);
    connect(cancel, &QPushButton::clicked, findDialog_, &QDialog::hide);
    connect(next, &QPushButton::clicked, this, &TDataFilesWindow::FindFromDialog);
  }
  findDialog_->show();
  findDialog_->raise();
  findPattern_->setFocus();
}

void TDataFilesWindow::FindFromDialog() {
  TFindOptions options;
  options.MatchCase = findMatchCase_->isChecked();
  options.WholeWord = findWholeWord_->isChecked();
  options.Down = !findUp_->isChecked();
  FindNext(findPattern_->text(), options);
}

bool TDataFilesWindow::FindNext(const QString& pattern, const TFindOptions& options) {
  const QTextCursor cursor = editor_->textCursor();
  const std::size_t from =
      static_cast<std::size_t>(options.Down ? cursor.selectionEnd() : cursor.selectionStart());
  const std::optional<std::size_t> at =
      FindText(editor_->toPlainText().toStdU16String(), pattern.toStdU16String(), from, options);
  if (!at) {
    ShowProgramMessage(this, Text(NotFoundText(pattern.toStdString())));
    return false;
  }
  QTextCursor found(editor_->document());
  found.setPosition(static_cast<int>(*at));
  found.setPosition(static_cast<int>(*at + static_cast<std::size_t>(pattern.size())),
                    QTextCursor::KeepAnchor);
  editor_->setTextCursor(found);
  return true;
}

}  // namespace himlavy
