// The window "Bankalkylering": three observations of a comet or asteroid typed into a text
// box and kept in "observ.dta", the orbit computed from them, and the result line added to the
// comet file "komet.dta" on request.
#pragma once

#include <string>

#include "orbit/orbit_determination.h"
#include "shell/child_window.h"

class QLabel;
class QLineEdit;
class QMenuBar;
class QPlainTextEdit;
class QPushButton;

namespace himlavy {

// Fixed texts and placement of the window.
inline constexpr std::string_view kOrbitCaption = "Bankalkylering";
inline constexpr std::string_view kOrbitHelpTopic = "HVHELP.XAN_263";
inline constexpr std::string_view kOrbitNameGuide = "Namn_______________________";
inline constexpr std::string_view kOrbitColumnGuide =
    "Tid för obs.       R.A.         Dekl.       Epok";
inline constexpr std::string_view kOrbitLayoutGuide =
    "åååå mm dd hh.hhh  hh mm ss.ss ±gg mm ss.s  åååå.å";
inline constexpr std::string_view kOrbitHeader1 =
    "                              Periheliumtid  Per.avst. Excentr.  Lutning   Uppst.nod "
    "Perihel.  St.-";
inline constexpr std::string_view kOrbitHeader2 =
    "Namn                          T0             q (a.e.)  e         i (°)     Om (°)    w "
    "(°)     epok";

class TOrbitWindow : public TChildWindow {
  Q_OBJECT

 public:
  TOrbitWindow(TObsState& state, const std::filesystem::path& dataDir, QWidget* parent = nullptr);

  QPlainTextEdit* ObservationBox() const { return observationBox_; }
  QLineEdit* ResultField() const { return resultField_; }
  QLabel* WarningLabel() const { return warningLabel_; }
  QPushButton* SaveButton() const { return saveButton_; }
  QPushButton* ComputeButton() const { return computeButton_; }
  QPushButton* CopyButton() const { return copyButton_; }
  QMenuBar* MenuBar() const { return menuBar_; }
  // The last computation.
  const TOrbitReport& Report() const { return report_; }

  // "Spara": the text box's lines to "observ.dta". False (and a message) when it failed.
  bool SaveObservations();
  // "Beräkna": reads "observ.dta", computes, fills the warning and the result fields.
  void Compute();
  // "Kopiera": appends the result field's text to "komet.dta". False (and a message) when
  // nothing was written.
  bool CopyToCometFile();

 protected:
  void FormShow() override;

 private:
  void LoadObservations();

  QMenuBar* menuBar_ = nullptr;
  QPlainTextEdit* observationBox_ = nullptr;
  QLineEdit* resultField_ = nullptr;
  QLabel* warningLabel_ = nullptr;
  QPushButton* saveButton_ = nullptr;
  QPushButton* computeButton_ = nullptr;
  QPushButton* copyButton_ = nullptr;
  TOrbitReport report_;
};

}  // namespace himlavy
