// The settings dialog as the user meets it: controls, enabling, "&OK", "&Avbryt", "&Hjälp".
#include "shell/settings_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <string>
#include <vector>

#include "common/scratch_dir.h"
#include "shell/fonts_draw.h"
#include "shell/message_dialog.h"
#include "shell/parameter_file.h"

namespace himlavy {
namespace {

using testing::ScratchDir;

// One QApplication for the whole test program, in a Swedish locale.
class QtEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "test_settings_ui";
    static char* argv[] = {name, nullptr};
    app_ = new QApplication(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Swedish, QLocale::Sweden));
    RegisterFontSubstitutions();
  }
  void TearDown() override { delete app_; }

 private:
  QApplication* app_ = nullptr;
};

const auto* const kQtEnvironment = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

class SettingsDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Name 1-30, latitude 33-38, longitude 40-46, zone 48-53.
    dir_.Write("ortsnamn.dta", "Kiruna                           67.51   20.13 +1    \r\n");
    state_.ClockJD = 2451545.0;  // 2000-01-01 12:00:00
    DeriveTimes(state_);
    state_.TimeZone = 2.5;
    state_.StepLabel = "1 dygn";
    state_.StepDays = 1.0;
    state_.Latitude = 57.7;
    state_.Longitude = 11.75;
    state_.Height = 12.5;
    state_.CoordSystem = 2;
    state_.MapColour = 1;
    dialog_ = std::make_unique<TMultPageDlg>(state_, dir_.Path());
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

  template <typename T>
  T* Find(const char* name) const {
    T* widget = dialog_->findChild<T*>(QLatin1String(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
  QLineEdit* Edit(const char* name) const { return Find<QLineEdit>(name); }
  QCheckBox* Check(const char* name) const { return Find<QCheckBox>(name); }
  QGroupBox* Group(const char* name) const { return Find<QGroupBox>(name); }
  void Click(const char* name) const { Find<QAbstractButton>(name)->click(); }

  void ExpectNoFlags() const {
    for (const auto flag : kRedrawFlags) EXPECT_EQ(state_.*flag, 0);
  }

  ScratchDir dir_;
  TObsState state_;
  std::unique_ptr<TMultPageDlg> dialog_;
  std::vector<std::string> messages_;
  int beeps_ = 0;
};

TEST_F(SettingsDialogTest, CaptionsAndFilledFields) {
  Open(0);
  EXPECT_EQ(dialog_->windowTitle(), "Inmatningsdialog");
  auto* tabs = Find<QTabBar>("TabBar");
  ASSERT_EQ(tabs->count(), 7);
  const QStringList captions = {"Tid",   "Tidinkrement",   "Plats",       "Alternativ",
                                "Urval", "Stjärnor m.fl.", "Korrektioner"};
  for (int i = 0; i < 7; ++i) EXPECT_EQ(tabs->tabText(i), captions[i]);
  EXPECT_EQ(Find<QPushButton>("OkButton")->text(), "&OK");
  EXPECT_EQ(Find<QPushButton>("CancelButton")->text(), "&Avbryt");
  EXPECT_EQ(Find<QPushButton>("HelpButton")->text(), "&Hjälp");
  EXPECT_EQ(Check("Spara")->toolTip(), "Sparar parametrar till filen parametr.dta");
  EXPECT_EQ(Edit("Edit15")->toolTip(), "Ex 1507900,13");
  EXPECT_EQ(Check("CatSKY")->toolTip(),
            "SKY2000 - Master Star Catalog (Sande+ 1998)  Från skalfaktor x8");

  // Numbers in the Swedish form.
  EXPECT_EQ(Edit("Edit7")->text(), "2,50");
  EXPECT_EQ(Edit("Edit9")->text(), "57,42");
  auto* list = Find<QListWidget>("ListBox1");
  ASSERT_EQ(list->count(), 18);
  ASSERT_EQ(list->selectedItems().size(), 1);
  EXPECT_EQ(list->selectedItems().front()->text(), " 1 dygn");
  EXPECT_TRUE(Find<QRadioButton>("RadioGroup2_2")->isChecked());
  // The map colour travels in a hidden, disabled box.
  EXPECT_TRUE(Check("MapColour")->isHidden());
  EXPECT_FALSE(Check("MapColour")->isEnabled());
  EXPECT_TRUE(Check("MapColour")->isChecked());
}

TEST_F(SettingsDialogTest, FocusAndLastPage) {
  struct Case {
    int Page;
    const char* Focus;
  };
  const std::vector<Case> cases = {{0, "Edit1"},         {1, "ListBox1"},       {2, "Edit8"},
                                   {3, "RadioGroup2_2"}, {4, "ShowCoordLines"}, {5, "ColourIndex"},
                                   {6, "CorrLightTime"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Page);
    Open(c.Page);
    EXPECT_EQ(dialog_->CurrentPage(), c.Page);
    ASSERT_NE(dialog_->focusWidget(), nullptr);
    EXPECT_EQ(dialog_->focusWidget()->objectName(), c.Focus);
    dialog_->hide();
  }
  // Without a page the dialog opens where it was.
  Open(-1);
  EXPECT_EQ(dialog_->CurrentPage(), 6);
}

TEST_F(SettingsDialogTest, BadFieldKeepsTheDialogOpenAndChangesNothing) {
  const std::string before = ParameterFileBytes(state_);
  const double clockBefore = state_.ClockJD;
  Open(4);
  Edit("Edit1")->setText("1999");        // before the bad field
  Edit("Edit7")->setText("2,5 h");       // the bad field
  Edit("Edit9")->setText("10,00");       // after it
  Check("ShowMoons")->setChecked(true);  // after it
  Check("Spara")->setChecked(true);
  Click("OkButton");

  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_[0], "'2,5 h' is not a valid floating point value");
  EXPECT_TRUE(dialog_->isVisible());
  EXPECT_NE(dialog_->result(), QDialog::Accepted);
  EXPECT_EQ(dialog_->CurrentPage(), 0);
  EXPECT_EQ(dialog_->focusWidget(), Edit("Edit7"));
  EXPECT_EQ(ParameterFileBytes(state_), before);
  EXPECT_EQ(state_.ClockJD, clockBefore);
  ExpectNoFlags();
  EXPECT_FALSE(std::filesystem::exists(dir_ / "parametr.dta"));

  // Mended, "&OK" goes through.
  Edit("Edit7")->setText("2,5");
  Click("OkButton");
  EXPECT_FALSE(dialog_->isVisible());
  EXPECT_EQ(dialog_->result(), QDialog::Accepted);
  EXPECT_EQ(state_.ShowMoons, 1);
  EXPECT_NEAR(state_.Latitude, 10.0, 1e-12);
  EXPECT_TRUE(std::filesystem::exists(dir_ / "parametr.dta"));
}

TEST_F(SettingsDialogTest, BadFieldOnAnotherPageBringsItsPage) {
  Open(0);
  Edit("Edit11")->setText("hög");
  Click("OkButton");
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_[0], "'hög' is not a valid floating point value");
  EXPECT_EQ(dialog_->CurrentPage(), 2);
  EXPECT_EQ(dialog_->focusWidget(), Edit("Edit11"));
  EXPECT_TRUE(dialog_->isVisible());
}

TEST_F(SettingsDialogTest, DefaultMessageIsTheProgramMessage) {
  std::vector<QString> shown;
  const TMessageHook old = SetMessageHook([&](const QString& text) { shown.push_back(text); });
  TMultPageDlg dialog(state_, dir_.Path());
  dialog.PrepareShow(0);
  dialog.show();
  dialog.findChild<QLineEdit*>("Edit2")->setText("");
  dialog.findChild<QPushButton*>("OkButton")->click();
  SetMessageHook(old);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0], "'' is not a valid integer value");
  EXPECT_TRUE(dialog.isVisible());
}

TEST_F(SettingsDialogTest, HindraAndTheIncrementPageRaiseNoFlags) {
  Open(0);
  Edit("Edit7")->setText("1");
  Check("Hindra")->setChecked(true);
  Click("OkButton");
  EXPECT_EQ(state_.TimeZone, 1.0);
  ExpectNoFlags();

  Open(1);
  EXPECT_FALSE(Check("Hindra")->isChecked());
  Click("RadioGroup6_2");
  Click("OkButton");
  EXPECT_EQ(state_.TimerSpeed, 2);
  ExpectNoFlags();

  Open(6);
  Click("OkButton");
  for (const auto flag : kRedrawFlags) EXPECT_EQ(state_.*flag, 1);
}
TEST_F(SettingsDialogTest, EnablingFollowsTheSystem) {
  Open(3);
  // Opened on "Ekvatorialt": "Mitten=" only; no catalog is installed.
  EXPECT_FALSE(Group("RadioGroup3")->isEnabled());
  EXPECT_TRUE(Group("RadioGroup4")->isEnabled());
  EXPECT_FALSE(Check("CatBSC")->isEnabled());

  Click("RadioGroup2_6");  // "Galaktiskt"
  EXPECT_TRUE(Group("RadioGroup4")->isEnabled());
  EXPECT_FALSE(Check("ShowSunPlanets")->isEnabled());
  EXPECT_TRUE(Check("ShowAsteroids2")->isEnabled());  // not in the table
  Click("RadioGroup2_0");                             // "Ekliptikalt, hel"
  EXPECT_TRUE(Group("RadioGroup7")->isEnabled());
  EXPECT_FALSE(Group("RadioGroup4")->isEnabled());
  EXPECT_TRUE(Check("ShowSunPlanets")->isEnabled());
  EXPECT_FALSE(Check("ShowConstellations")->isEnabled());

  // Asteroider 2 follows the opening rule only: grey when opened on "Galaktiskt".
  state_.CoordSystem = 6;
  Open(4);
  EXPECT_FALSE(Check("ShowAsteroids2")->isEnabled());
}
TEST_F(SettingsDialogTest, CancelledSystemLeavesNoGreyedBoxes) {
  Open(3);                 // "Ekvatorialt"
  Click("RadioGroup2_6");  // "Galaktiskt" greys "Sol och planeter" ...
  EXPECT_FALSE(Check("ShowSunPlanets")->isEnabled());
  Click("CancelButton");  // ... but is cancelled
  Open(4);
  EXPECT_TRUE(Check("ShowSunPlanets")->isEnabled());
  EXPECT_TRUE(Check("ShowHistory")->isEnabled());
}

TEST_F(SettingsDialogTest, InstalledCatalogsAreEnabled) {
  std::filesystem::create_directories(dir_ / "bsc2000");
  dir_.Write("bsc2000/01.dat", std::string(52 * 10, '\0'));
  std::filesystem::create_directories(dir_ / "ngc2000");
  dir_.Write("ngc2000/01.dat", std::string(75, '\0'));  // not a whole record
  Open(5);
  EXPECT_TRUE(Check("CatBSC")->isEnabled());
  EXPECT_FALSE(Check("CatNGC")->isEnabled());
  EXPECT_FALSE(Check("CatSKY")->isEnabled());
  // Installed BSC follows the table when the system changes.
  Click("RadioGroup2_0");
  EXPECT_FALSE(Check("CatBSC")->isEnabled());
  Click("RadioGroup2_5");
  EXPECT_TRUE(Check("CatBSC")->isEnabled());
}

TEST_F(SettingsDialogTest, JDFieldWinsOverTheDate) {
  Open(0);
  Edit("Edit1")->setText("1957");
  Edit("Edit15")->setText("2436116,31");
  Click("OkButton");
  EXPECT_EQ(state_.ClockJD, 2436116.31);
  // The next opening shows the new moment (1957 October 4.81 = 19:26:24, Meeus ex. 7.a) and
  // an empty JD field.
  Open(0);
  std::vector<std::string> shown;
  for (const char* name : {"Edit15", "Edit1", "Edit2", "Edit3", "Edit4", "Edit5", "Edit6"}) {
    shown.push_back(Edit(name)->text().toStdString());
  }
  EXPECT_EQ(shown, (std::vector<std::string>{"", "1957", "10", "4", "19", "26", "24"}));
}
TEST_F(SettingsDialogTest, PlaceByNameAndTheBeep) {
  Open(2);
  Edit("Edit8")->setText("Kiruna");
  Edit("Edit9")->setText("10,00");
  Click("OkButton");
  EXPECT_NEAR(state_.Latitude, 67.85, 1e-12);
  EXPECT_EQ(Find<QLabel>("Label14")->text(), "Tidzon   +1    ");
  Open(2);
  EXPECT_EQ(Find<QLabel>("Label13")->text(), "Kiruna                        ");
  EXPECT_EQ(Edit("Edit9")->text(), "67,51");
  EXPECT_EQ(beeps_, 0);

  // Without the place file: the question beep at "&OK".
  std::filesystem::remove(dir_ / "ortsnamn.dta");
  Click("OkButton");
  EXPECT_EQ(beeps_, 1);
}
TEST_F(SettingsDialogTest, SparaWritesTheParameterFile) {
  Open(1);
  Find<QListWidget>("ListBox1")->setCurrentRow(10);  // " 1 medelsoldygn"
  Check("Spara")->setChecked(true);
  Click("OkButton");
  ASSERT_TRUE(std::filesystem::exists(dir_ / "parametr.dta"));
  EXPECT_EQ(dir_.Read("parametr.dta"), ParameterFileBytes(state_));
  // A restart reads the file and shows that step selected.
  TObsState restarted;
  LoadParameters(restarted, dir_ / "parametr.dta");
  TMultPageDlg second(restarted, dir_.Path());
  second.PrepareShow(1);
  const auto selected = second.findChild<QListWidget*>("ListBox1")->selectedItems();
  ASSERT_EQ(selected.size(), 1);
  EXPECT_EQ(selected.front()->text(), " 1 medelsoldygn");

  // Without "Spara" the file stays as it was.
  const std::string saved = dir_.Read("parametr.dta");
  Open(0);
  Edit("Edit7")->setText("-3");
  Click("OkButton");
  EXPECT_EQ(state_.TimeZone, -3.0);
  EXPECT_EQ(dir_.Read("parametr.dta"), saved);
}

TEST_F(SettingsDialogTest, AvbrytAndHjalp) {
  const std::string before = ParameterFileBytes(state_);
  Open(0);
  Edit("Edit7")->setText("5");
  Check("Spara")->setChecked(true);
  Click("CancelButton");
  EXPECT_FALSE(dialog_->isVisible());
  EXPECT_EQ(ParameterFileBytes(state_), before);
  ExpectNoFlags();
  EXPECT_FALSE(std::filesystem::exists(dir_ / "parametr.dta"));

  // "&Hjälp" names the page's topic to the callback and the signal; the dialog stays open.
  std::vector<QString> called;
  std::vector<QString> signalled;
  dialog_->SetHelpCallback([&](QString context) { called.push_back(context); });
  QObject::connect(dialog_.get(), &TMultPageDlg::HelpRequested,
                   [&](QString context) { signalled.push_back(context); });
  for (const int page : {0, 6}) {
    Open(page);
    Click("HelpButton");
    EXPECT_TRUE(dialog_->isVisible());
  }
  const std::vector<QString> contexts = {"HVHELP.XAN_269", "HVHELP.XAN_291"};
  EXPECT_EQ(called, contexts);
  EXPECT_EQ(signalled, contexts);
}

TEST_F(SettingsDialogTest, RenderEveryPage) {
  state_.NewPlaceName = "Stockholm";
  state_.PlaceName = "Stockholm                     ";
  state_.ShowSunPlanets = 1;
  state_.LabelPlanets = 1;
  state_.CorrNutation = 1;
  const std::string before = ParameterFileBytes(state_);
  QSize size;
  for (int page = 0; page < 7; ++page) {
    SCOPED_TRACE(page);
    const QImage image = RenderSettingsDialog(state_, dir_.Path(), page);
    ASSERT_FALSE(image.isNull());
    if (page == 0) size = image.size();
    EXPECT_EQ(image.size(), size);  // one fixed size for every page
    // HIMLAVY_RENDER_DIR=folder keeps the pictures for a look.
    const QString out = qEnvironmentVariable("HIMLAVY_RENDER_DIR");
    if (!out.isEmpty()) image.save(out + QStringLiteral("/settings_page%1.png").arg(page));
  }
  EXPECT_EQ(ParameterFileBytes(state_), before);
}

}  // namespace
}  // namespace himlavy
