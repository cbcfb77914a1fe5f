// The settings dialog as the user meets it: texts, focus, "&OK", "&Avbryt", "&Hjälp".
#include "shell/settings_dialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>
#include <QWindow>

#include "base/parameter_file.h"
#include "common/fixture_rows.h"
#include "common/scratch_dir.h"
#include "shell/help_window.h"
#include "shell_ui/qt_app.h"

namespace himlavy {
namespace {
class SettingsDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::EnsureApplication();
    // Name 1-30, latitude 33-38, longitude 40-46, zone 48-53.
    dir_.Write("ortsnamn.dta", "Kiruna                           67.51   20.13 +1    \r\n");
    state_.ClockJD = 2451545.0;  // 2000-01-01 12:00:00
    DeriveTimes(state_);
    std::tie(state_.TimeZone, state_.StepLabel, state_.StepDays, state_.Latitude,
             state_.CoordSystem, state_.MapColour) = std::tuple(2.5, "1 dygn", 1.0, 57.7, 2, 1);
    dialog_ = std::make_unique<TSettingsDialog>(state_, dir_.Path());
    dialog_->SetMessageFunction(
        [this](QWidget*, const QString& text) { messages_.push_back(text.toStdString()); });
    dialog_->SetBeepFunction([this] { ++beeps_; });
  }
  // Fills the dialog on `page` and shows it (not modally, so the test goes on).
  void Open(int page) {
    dialog_->PrepareShow(page);
    dialog_->show();
    QApplication::processEvents();
  }
  template <typename T = QWidget>
  T* Find(const char* name) const {
    T* widget = dialog_->findChild<T*>(QLatin1String(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
  QLineEdit* Edit(const char* name) const { return Find<QLineEdit>(name); }
  QCheckBox* Check(const char* name) const { return Find<QCheckBox>(name); }
  bool Enabled(const char* name) const { return Find(name)->isEnabled(); }
  void Click(const char* name) const { Find<QAbstractButton>(name)->click(); }
  int FlagsRaised() const {
    int n = 0;
    for (const auto flag : kRedrawFlags) n += state_.*flag;
    return n;
  }
  testing::ScopedLocale swedish_{QLocale(QLocale::Swedish, QLocale::Sweden)};
  testing::ScratchDir dir_;
  TObsState state_;
  std::unique_ptr<TSettingsDialog> dialog_;
  std::vector<std::string> messages_;
  int beeps_ = 0;
};
TEST_F(SettingsDialogTest, TextsAndFilledFields) {
  Open(0);
  EXPECT_EQ(dialog_->windowTitle(), "Inmatningsdialog");
  QStringList tabs, labels, expectedTabs;
  for (int i = 0; i < Find<QTabBar>("TabBar")->count(); ++i)
    tabs << Find<QTabBar>("TabBar")->tabText(i);
  for (const QLabel* label : dialog_->findChildren<QLabel*>()) labels << label->text();
  for (const auto& row : testing::FixtureRows("settings_ui/dialog_texts.tsv")) {
    const QString text = QString::fromStdString(row.back());
    if (row[0] == "tab") expectedTabs << text;
    EXPECT_TRUE(row[0] != "label" || labels.contains(text)) << row[1];
    const bool control = row[0] == "control";
    EXPECT_EQ(control ? Find(row[1].c_str())->property(row[2].c_str()).toString() : text, text)
        << row[1];
  }
  EXPECT_EQ(tabs, expectedTabs);
  EXPECT_EQ(Edit("latitudeEdit")->text(), "57,42");  // the Swedish decimal comma
  auto* list = Find<QListWidget>("stepList");
  ASSERT_EQ(list->count(), 18);
  EXPECT_EQ(list->item(17)->text(), "100 år");
  ASSERT_EQ(list->selectedItems().size(), 1);
  EXPECT_EQ(list->selectedItems().front()->text(), " 1 dygn");
  const QCheckBox* mapColour = Check("MapColour");  // the map colour's hidden, disabled box
  EXPECT_EQ(std::tuple(mapColour->isHidden(), mapColour->isEnabled(), mapColour->isChecked()),
            std::tuple(true, false, true));
}
TEST_F(SettingsDialogTest, FocusAndLastPage) {
  const char* focus[] = {"yearEdit",       "stepList",    "placeSearchEdit", "systemButtons_2",
                         "ShowCoordLines", "ColourIndex", "CorrLightTime"};
  for (int page = 0; page < 7; ++page) {
    Open(page);
    ASSERT_NE(dialog_->focusWidget(), nullptr);
    EXPECT_EQ(dialog_->focusWidget()->objectName(), focus[page]);
    dialog_->hide();
  }
}
TEST_F(SettingsDialogTest, BadFieldKeepsTheDialogOpenAndChangesNothing) {
  const std::string before = ParameterFileBytes(state_);
  Open(4);
  Edit("yearEdit")->setText("1999");       // before the bad field
  Edit("zoneEdit")->setText("2,5 h");      // the bad field, on another page
  Edit("latitudeEdit")->setText("10,00");  // after it
  Check("ShowMoons")->setChecked(true);    // after it
  Check("Spara")->setChecked(true);
  Click("OkButton");
  EXPECT_EQ(messages_, std::vector<std::string>{"'2,5 h' is not a valid floating point value"});
  EXPECT_EQ(std::tuple(dialog_->isVisible(), dialog_->CurrentPage(), dialog_->focusWidget()),
            std::tuple(true, 0, Edit("zoneEdit")));
  EXPECT_EQ(std::tuple(ParameterFileBytes(state_), state_.ClockJD, FlagsRaised()),
            std::tuple(before, 2451545.0, 0));
  EXPECT_FALSE(std::filesystem::exists(dir_ / "parametr.dta"));
  Edit("zoneEdit")->setText("2,5");  // mended, "&OK" goes through
  Click("OkButton");
  EXPECT_EQ(std::tuple(dialog_->isVisible(), dialog_->result(), state_.ShowMoons),
            std::tuple(false, QDialog::Accepted, 1));
  EXPECT_NEAR(state_.Latitude, 10.0, 1e-12);
  EXPECT_TRUE(std::filesystem::exists(dir_ / "parametr.dta"));
}
TEST_F(SettingsDialogTest, HindraAndTheIncrementPageRaiseNoFlagsAndSparaWritesTheFile) {
  Open(0);
  Edit("zoneEdit")->setText("1");
  Check("Hindra")->setChecked(true);
  Click("OkButton");
  EXPECT_EQ(std::tuple(state_.TimeZone, FlagsRaised()), std::tuple(1.0, 0));
  Open(1);
  EXPECT_FALSE(Check("Hindra")->isChecked());
  Click("timerSpeedButtons_2");
  Click("OkButton");
  EXPECT_EQ(std::tuple(state_.TimerSpeed, FlagsRaised()), std::tuple(2, 0));
  EXPECT_FALSE(std::filesystem::exists(dir_ / "parametr.dta")) << "written only with Spara";
  Open(6);
  Click("OkButton");
  EXPECT_EQ(FlagsRaised(), 19);
  // "Spara" writes the parameter file.
  Open(1);
  Find<QListWidget>("stepList")->setCurrentRow(10);  // " 1 medelsoldygn"
  Check("Spara")->setChecked(true);
  Click("OkButton");
  EXPECT_EQ(dir_.Read("parametr.dta"), ParameterFileBytes(state_));
}
TEST_F(SettingsDialogTest, EnablingFollowsTheSystemAndTheCatalogFilesAndCancelledSystemLeavesNone) {
  std::filesystem::create_directories(dir_ / "bsc2000");
  dir_.Write("bsc2000/01.dat", std::string(52 * 10, '\0'));
  Open(3);  // "Ekvatorialt"
  EXPECT_EQ(std::tuple(Enabled("CatBSC"), Enabled("CatNGC"), Enabled("orientationButtons")),
            std::tuple(true, false, false));
  Click("systemButtons_0");  // "Ekliptikalt, hel"
  EXPECT_EQ(std::tuple(Enabled("orientationButtons"), Enabled("CatBSC")), std::tuple(true, false));
  // A system chosen and then cancelled greyed boxes that the next opening left grey.
  Open(3);
  Click("systemButtons_6");  // "Galaktiskt" greys "Sol och planeter" ...
  EXPECT_FALSE(Enabled("ShowSunPlanets"));
  Click("CancelButton");  // ... but is cancelled
  Open(4);
  EXPECT_TRUE(Enabled("ShowSunPlanets") && Enabled("ShowHistory"));
}
TEST_F(SettingsDialogTest, PlaceByNameAndTheBeep) {
  Open(2);
  Edit("placeSearchEdit")->setText("Kiruna");
  Edit("latitudeEdit")->setText("10,00");
  Click("OkButton");
  EXPECT_NEAR(state_.Latitude, 67.85, 1e-12);  // the typed latitude replaced
  EXPECT_EQ(state_.TimeZone, 2.5);             // the zone is not changed
  EXPECT_EQ(Find<QLabel>("placeZoneLabel")->text(), "Tidzon   +1    ");
  Open(2);
  EXPECT_EQ(std::tuple(Find<QLabel>("placeNameLabel")->text(), beeps_),
            std::tuple("Kiruna                        ", 0));
  std::filesystem::remove(dir_ / "ortsnamn.dta");  // the question beep at "&OK"
  Click("OkButton");
  EXPECT_EQ(beeps_, 1);
}
// A save that fails is said, naming the file and the reason; the settings still apply.
TEST_F(SettingsDialogTest, FailedSaveIsToldAndTheSettingsApply) {
  std::filesystem::create_directories(dir_ / "parametr.dta" / "inner");
  Open(0);
  Edit("zoneEdit")->setText("3");
  Check("Spara")->setChecked(true);
  Click("OkButton");
  EXPECT_EQ(std::tuple(dialog_->isVisible(), state_.TimeZone), std::tuple(false, 3.0));
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_NE(messages_[0].find((dir_ / "parametr.dta").string()), std::string::npos);
  EXPECT_NE(messages_[0].find("en mapp har samma namn"), std::string::npos) << messages_[0];
  EXPECT_TRUE(std::filesystem::is_directory(dir_ / "parametr.dta" / "inner"));
}
struct BlockWatch : QObject {
  bool Blocked = false;
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::WindowBlocked) Blocked = true;
    if (event->type() == QEvent::WindowUnblocked) Blocked = false;
    return false;
  }
};
// The dialog blocks the frame it belongs to, but the help viewer it opens stays usable.
TEST_F(SettingsDialogTest, HelpViewerIsUsableWhileTheDialogIsOpen) {
  QWidget frame;
  (void)frame.winId();  // the native window, to watch
  BlockWatch frameWatch, viewerWatch;
  frame.windowHandle()->installEventFilter(&frameWatch);
  frame.show();
  TSettingsDialog dialog(state_, dir_.Path(), &frame);
  dialog.PrepareShow(0);
  dialog.show();
  QApplication::processEvents();
  THelpViewer viewer(dir_.Path());
  (void)viewer.winId();
  viewer.windowHandle()->installEventFilter(&viewerWatch);
  viewer.show();
  QApplication::processEvents();
  EXPECT_EQ(std::tuple(dialog.isModal(), frameWatch.Blocked, viewerWatch.Blocked),
            std::tuple(true, true, false));
  dialog.hide();
}
TEST_F(SettingsDialogTest, AvbrytHjalpAndRenderEveryPageAtOneSize) {
  const std::string before = ParameterFileBytes(state_);
  Open(0);
  Edit("zoneEdit")->setText("5");
  Check("Spara")->setChecked(true);
  Click("CancelButton");
  EXPECT_EQ(std::tuple(dialog_->isVisible(), ParameterFileBytes(state_), FlagsRaised()),
            std::tuple(false, before, 0));
  EXPECT_FALSE(std::filesystem::exists(dir_ / "parametr.dta"));
  // "&Hjälp" names the page's topic; the dialog stays open.
  std::vector<QString> called;
  dialog_->SetHelpCallback([&](QString context) { called.push_back(context); });
  for (const int page : {0, 6}) {
    Open(page);
    Click("HelpButton");
    EXPECT_TRUE(dialog_->isVisible());
  }
  EXPECT_EQ(called, (std::vector<QString>{"HVHELP.XAN_269", "HVHELP.XAN_291"}));
  // Every page renders at one size.
  const QSize size = RenderSettingsDialog(state_, dir_.Path(), 0).size();
  EXPECT_FALSE(size.isEmpty());
  for (int page = 1; page < 7; ++page)
    EXPECT_EQ(RenderSettingsDialog(state_, dir_.Path(), page).size(), size) << page;
  EXPECT_EQ(ParameterFileBytes(state_), before);
}
}  // namespace
}  // namespace himlavy
