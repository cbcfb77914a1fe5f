// The settings dialog "Inmatningsdialog": seven pages over the observation state.
//
// The dialog is created once and kept; every showing refills its controls from the state, and
// the page it showed last is kept between showings. "&OK" reads every field first and changes
// the state only when all of them are numbers (settings_logic.h holds the rules); a bad field
// is reported, focused, and the dialog stays open.
#pragma once

#include <QDialog>
#include <QImage>
#include <QString>
#include <array>
#include <filesystem>
#include <functional>

#include "base/obs_state.h"
#include "shell/settings_logic.h"

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QTabBar;

namespace himlavy {

class TSettingsDialog : public QDialog {
  Q_OBJECT

 public:
  // `state` is the program's one observation state; `dataDir` the folder of "parametr.dta",
  // "ortsnamn.dta" and the catalog folders.
  TSettingsDialog(TObsState& state, std::filesystem::path dataDir, QWidget* parent = nullptr);

  // Shows the dialog modally on `page` (0..6), or on the page it last showed when page < 0.
  // Returns QDialog::Accepted after "&OK", QDialog::Rejected after "&Avbryt" or closing.
  int ExecPage(int page = -1);

  // Fills every control from the state, shows `page` (or the last page when page < 0) and puts
  // the focus on the page's first control, without showing the dialog. ExecPage does this
  // before it runs; tests and offscreen rendering call it directly.
  void PrepareShow(int page = -1);

  // The page showing, 0..6 in tab order.
  int CurrentPage() const;

  // Called by "&Hjälp" with the help context of the page showing ("HVHELP.XAN_269", ...).
  // The signal HelpRequested is emitted as well.
  void SetHelpCallback(std::function<void(QString)> help);

  // Shows a message (text only; the caption is the program's title). The default is
  // ShowProgramMessage (message_dialog.h); tests put a function here that records the text.
  void SetMessageFunction(std::function<void(QWidget* parent, const QString& text)> message);

  // The system beep for a question (default QApplication::beep).
  void SetBeepFunction(std::function<void()> beep);

 signals:
  void HelpRequested(QString context);

 private:
  void BuildPages();
  QWidget* BuildTimePage();
  QWidget* BuildIncrementPage();
  QWidget* BuildPlacePage();
  QWidget* BuildOptionsPage();
  QWidget* BuildSelectionPage();
  QWidget* BuildCatalogPage();
  QWidget* BuildCorrectionPage();
  QWidget* BuildRightColumn();
  QCheckBox* MakeSwitchBox(std::size_t index, QWidget* parent);
  void FillControls();
  void FocusFirstControl();
  void ApplyEnabling(const TControlEnabling& enabling);
  void SystemChanged();
  void OkClick();
  void HelpClick();
  TDialogFields ReadFields() const;
  QWidget* FieldWidget(TDialogField field) const;

  TObsState& state_;
  std::filesystem::path dataDir_;
  std::function<void(QString)> help_;
  std::function<void(QWidget*, const QString&)> message_;
  std::function<void()> beep_;
  std::array<bool, kSwitchBoxCount> available_{};  // per switch box: its catalog is installed

  QTabBar* tabs_ = nullptr;
  QStackedWidget* pages_ = nullptr;
  std::array<QWidget*, 7> pageFirst_{};

  // Page "Tid".
  QLineEdit* jdEdit_ = nullptr;      // JD
  QLineEdit* yearEdit_ = nullptr;    // year
  QLineEdit* monthEdit_ = nullptr;   // month
  QLineEdit* dayEdit_ = nullptr;     // day
  QLineEdit* hourEdit_ = nullptr;    // hour
  QLineEdit* minuteEdit_ = nullptr;  // minute
  QLineEdit* secondEdit_ = nullptr;  // second
  QLineEdit* zoneEdit_ = nullptr;    // zone
  QButtonGroup* timeScaleButtons_ = nullptr;
  // Page "Tidinkrement".
  QListWidget* stepList_ = nullptr;
  QButtonGroup* timerSpeedButtons_ = nullptr;
  // Page "Plats".
  QLineEdit* placeSearchEdit_ = nullptr;  // new place
  QLabel* placeNameLabel_ = nullptr;      // PlaceName
  QLineEdit* latitudeEdit_ = nullptr;     // latitude
  QLineEdit* longitudeEdit_ = nullptr;    // longitude
  QLineEdit* heightEdit_ = nullptr;       // height
  QLabel* placeZoneLabel_ = nullptr;      // zone text of the last place found
  // Page "Alternativ".
  QGroupBox* groupSystem_ = nullptr;
  QButtonGroup* systemButtons_ = nullptr;
  QGroupBox* groupHemisphere_ = nullptr;
  QButtonGroup* hemisphereButtons_ = nullptr;
  QGroupBox* groupCentre_ = nullptr;
  QButtonGroup* centreButtons_ = nullptr;
  QGroupBox* groupOrientation_ = nullptr;
  QButtonGroup* orientationButtons_ = nullptr;
  // Page "Urval".
  QButtonGroup* displayButtons_ = nullptr;  // "Visning"
  // Every check box bound to a switch, indexed like kSwitchBoxes.
  std::array<QCheckBox*, kSwitchBoxCount> switchBoxes_{};
  QCheckBox* mapColourBox_ = nullptr;  // hidden, disabled: carries MapColour
  // Right column.
  QCheckBox* saveBox_ = nullptr;     // "Spara"
  QCheckBox* preventBox_ = nullptr;  // "Hindra"
  QPushButton* okButton_ = nullptr;
  QPushButton* cancelButton_ = nullptr;
  QPushButton* helpButton_ = nullptr;
};

// Draws the settings dialog on `page` (0..6), filled from `state`, into an image, exactly as
// the program shows it (for himlavy-cli render settings). Needs a QApplication (offscreen
// platform is fine). The state is not changed.
QImage RenderSettingsDialog(TObsState& state, const std::filesystem::path& dataDir, int page);

}  // namespace himlavy
