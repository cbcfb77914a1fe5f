// The data-files window "Datafiler": the program's text data files in an editor (load, edit,
// save), the catalog zone files browsed as text, a search in the editor, and three unit
// calculators. Edits are never dropped silently: switching files or closing the window with
// unsaved changes asks "Spara ändringar?" (Ja / Nej / Avbryt).
#pragma once

#include <array>
#include <filesystem>
#include <functional>
#include <optional>

#include "catalogs/catalog_records.h"
#include "datafiles/data_files.h"
#include "shell/child_window.h"

class QCheckBox;
class QCloseEvent;
class QDialog;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QWidget;

namespace himlavy {

// The answer to "Spara ändringar?".
enum class TSaveAnswer { Yes, No, Cancel };

class TDataFilesWindow : public TChildWindow {
  Q_OBJECT

 public:
  TDataFilesWindow(TObsState& state, const std::filesystem::path& dataDir,
                   QWidget* parent = nullptr);

  QListWidget* FileList() const { return fileList_; }
  QPlainTextEdit* Editor() const { return editor_; }
  QLabel* HeadingPanel() const { return heading_; }
  QListWidget* ZoneList() const { return zoneList_; }
  QLineEdit* ZoneNameEdit() const { return zoneNameEdit_; }
  QLabel* FileLabel() const { return fileLabel_; }
  QLineEdit* CountEdit() const { return countEdit_; }
  QLabel* WarningLabel() const { return warningLabel_; }
  QPushButton* SaveButton() const { return saveButton_; }
  QPushButton* FindButton() const { return findButton_; }
  QMenu* EditMenu() const { return editMenu_; }
  QLineEdit* CalculatorEdit(TCalculator c) const { return calculators_[Index(c)].Edit; }
  QPushButton* CalculateButton(TCalculator c) const { return calculators_[Index(c)].Calculate; }
  QPushButton* ClearButton(TCalculator c) const { return calculators_[Index(c)].Clear; }
  // The find dialog, made on the first "&Sök".
  QDialog* FindDialog() const { return findDialog_; }

  // Chooses an item of the file list (as a click does); asks about unsaved changes first.
  // Returns false when the user cancelled and the current file stays.
  bool ChooseItem(int row);
  // Shows a zone file of the chosen catalog (as a double click in the zone list does).
  void BrowseZone(const QString& fileName);
  // "Spara": writes the editor over the current file; false when nothing was written.
  bool Save();
  // "Beräkna" of a calculator.
  void Calculate(TCalculator calculator);
  // One "find next" of the find dialog; false (and the message) when nothing is found.
  bool FindNext(const QString& pattern, const TFindOptions& options);
  // Whether the editor holds changes that "Spara" could write.
  bool HasUnsavedChanges() const;
  // Replaces the question box (tests); an empty function puts the box back.
  void SetSaveQuestion(std::function<TSaveAnswer()> question) { question_ = std::move(question); }

 protected:
  void closeEvent(QCloseEvent* event) override;
  // The editor takes the focus, so that no file is chosen before the user chooses one.
  void FormShow() override;

 private:
  struct TCalculatorControls {
    QLineEdit* Edit = nullptr;
    QPushButton* Calculate = nullptr;
    QPushButton* Clear = nullptr;
  };
  static std::size_t Index(TCalculator c) { return static_cast<std::size_t>(c); }

  void BuildEditMenu();
  void BuildCalculators();
  void ShowFindDialog();
  void FindFromDialog();
  void FileListRowChanged(int row);
  void SetHeading(const std::vector<std::string>& lines);
  void ShowText(const QString& text);
  void LoadFile(const TDataFileItem& item);
  void ShowCatalog(const TDataFileItem& item);
  // Asks about unsaved changes; true when the caller may go on (saved or discarded).
  bool ResolveUnsavedChanges();
  TSaveAnswer AskSaveQuestion();

  QListWidget* fileList_ = nullptr;
  QPlainTextEdit* editor_ = nullptr;
  QWidget* headingClip_ = nullptr;
  QLabel* heading_ = nullptr;
  QListWidget* zoneList_ = nullptr;
  QLineEdit* zoneNameEdit_ = nullptr;
  QLabel* fileLabel_ = nullptr;
  QLineEdit* countEdit_ = nullptr;
  QLabel* warningLabel_ = nullptr;
  QPushButton* saveButton_ = nullptr;
  QPushButton* findButton_ = nullptr;
  QMenu* editMenu_ = nullptr;
  std::array<TCalculatorControls, 3> calculators_{};
  QDialog* findDialog_ = nullptr;
  QLineEdit* findPattern_ = nullptr;
  QCheckBox* findWholeWord_ = nullptr;
  QCheckBox* findMatchCase_ = nullptr;
  QRadioButton* findUp_ = nullptr;

  int currentRow_ = -1;
  std::filesystem::path currentFile_;  // empty while a catalog is browsed
  std::string currentName_;            // the file's name as the list gives it
  TTextDocument loaded_;               // line ends of the current file
  const TCatalogInfo* catalog_ = nullptr;
  std::function<TSaveAnswer()> question_;
};

}  // namespace himlavy
