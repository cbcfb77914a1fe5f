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

std::string PlaceLine(const std::string& name, const std::string& lat, const std::string& lon,
                      const std::string& zone) {
  auto pad = [](std::string s, std::size_t width, bool left) {
    const std::string blanks(width > s.size() ? width - s.size() : 0, ' ');
    return left ? blanks + s : s + blanks;
  };
  return pad(name, 30, false) + "  " + pad(lat, 6, true) + " " + pad(lon, 7, true) + " " +
         pad(zone, 6, false) + "\r\n";
}

class SettingsDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_.Write("ortsnamn.dta", PlaceLine("Stockholm", "59.20", "18.03", "+1") +
                                   PlaceLine("Kiruna", "67.51", "20.13", "+1"));
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
  EXPECT_EQ(Edit("Edit15")->text(), "");
  EXPECT_EQ(Edit("Edit1")->text(), "2000");
  EXPECT_EQ(Edit("Edit4")->text(), "12");
  EXPECT_EQ(Edit("Edit7")->text(), "2,50");
  EXPECT_EQ(Edit("Edit9")->text(), "57,42");
  EXPECT_EQ(Edit("Edit10")->text(), "11,45");
  EXPECT_EQ(Edit("Edit11")->text(), "12,5");
  auto* list = Find<QListWidget>("ListBox1");
  ASSERT_EQ(list->count(), 18);
  EXPECT_EQ(list->item(10)->text(), " 1 medelsoldygn");
  ASSERT_EQ(list->selectedItems().size(), 1);
  EXPECT_EQ(list->selectedItems().front()->text(), " 1 dygn");
  EXPECT_TRUE(Find<QRadioButton>("RadioGroup2_2")->isChecked());
  EXPECT_FALSE(Check("Spara")->isChecked());
  EXPECT_FALSE(Check("Hindra")->isChecked());
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

TEST_F(SettingsDialogTest, BadIntegerOnAnotherPageBringsItsPage) {
  Open(2);
  Edit("Edit5")->setText("5.5");
  Click("OkButton");
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_[0], "'5.5' is not a valid integer value");
  EXPECT_EQ(dialog_->CurrentPage(), 0);
  EXPECT_EQ(dialog_->focusWidget(), Edit("Edit5"));
  EXPECT_TRUE(dialog_->isVisible());

  Edit("Edit5")->setText("5");
  Edit("Edit11")->setText("hög");
  Click("OkButton");
  ASSERT_EQ(messages_.size(), 2u);
  EXPECT_EQ(messages_[1], "'hög' is not a valid floating point value");
  EXPECT_EQ(dialog_->CurrentPage(), 2);
  EXPECT_EQ(dialog_->focusWidget(), Edit("Edit11"));
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

TEST_F(SettingsDialogTest, RedrawFlagsByPageAndHindra) {
  // "Hindra" checked: the state changes, no flag is raised.
  Open(0);
  Edit("Edit7")->setText("1");
  Check("Hindra")->setChecked(true);
  Click("OkButton");
  EXPECT_EQ(state_.TimeZone, 1.0);
  ExpectNoFlags();

  // The increment page: no flags either.
  Open(1);
  Find<QListWidget>("ListBox1")->setCurrentRow(10);
  Click("RadioGroup6_2");
  Click("OkButton");
  EXPECT_EQ(state_.StepLabel, "24h4m");
  EXPECT_EQ(state_.StepDays, 1.00273790935);
  EXPECT_EQ(state_.TimerSpeed, 2);
  ExpectNoFlags();

  // "Hindra" is unchecked at the next opening; any other page raises every flag.
  Open(6);
  EXPECT_FALSE(Check("Hindra")->isChecked());
  Click("OkButton");
  for (const auto flag : kRedrawFlags) EXPECT_EQ(state_.*flag, 1);
}

TEST_F(SettingsDialogTest, EnablingFollowsTheSystem) {
  Open(3);
  // Opened on "Ekvatorialt": "Mitten=" only; no catalog is installed.
  EXPECT_FALSE(Group("RadioGroup3")->isEnabled());
  EXPECT_TRUE(Group("RadioGroup4")->isEnabled());
  EXPECT_FALSE(Group("RadioGroup7")->isEnabled());
  EXPECT_FALSE(Check("CatBSC")->isEnabled());
  EXPECT_TRUE(Check("ShowSunPlanets")->isEnabled());

  struct Case {
    const char* Button;
    bool Hemisphere, Centre, Orientation, SunPlanets, Constellations, DeepSkyLabels, Asteroids2;
  };
  const std::vector<Case> cases = {
      {"RadioGroup2_0", false, false, true, true, false, false, true},
      {"RadioGroup2_3", true, false, false, true, true, true, true},
      {"RadioGroup2_4", false, true, false, true, true, false, true},
      {"RadioGroup2_6", false, true, false, false, true, false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Button);
    Click(c.Button);
    EXPECT_EQ(Group("RadioGroup3")->isEnabled(), c.Hemisphere);
    EXPECT_EQ(Group("RadioGroup4")->isEnabled(), c.Centre);
    EXPECT_EQ(Group("RadioGroup7")->isEnabled(), c.Orientation);
    EXPECT_EQ(Check("ShowSunPlanets")->isEnabled(), c.SunPlanets);
    EXPECT_EQ(Check("ShowHistory")->isEnabled(), c.SunPlanets);
    EXPECT_EQ(Check("ShowConstellations")->isEnabled(), c.Constellations);
    EXPECT_EQ(Check("Label_LabelDeepSky")->isEnabled(), c.DeepSkyLabels);
    EXPECT_EQ(Check("ShowAsteroids2")->isEnabled(), c.Asteroids2);  // not in the table
    EXPECT_FALSE(Check("CatBSC")->isEnabled());                     // not installed
  }

  // Asteroider 2 follows the opening rule only: grey when opened on "Galaktiskt".
  state_.CoordSystem = 6;
  Open(4);
  EXPECT_FALSE(Check("ShowAsteroids2")->isEnabled());
  EXPECT_FALSE(Group("RadioGroup7")->isEnabled());
}

TEST_F(SettingsDialogTest, CancelledSystemLeavesNoGreyedBoxes) {
  Open(3);  // "Ekvatorialt"
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
  Edit("Edit7")->setText("0");
  Click("OkButton");
  EXPECT_EQ(state_.ClockJD, 2436116.31);
  EXPECT_NEAR(state_.JD_UT, 2436116.31, 1e-9);
  // The next opening shows the new moment (1957 October 4.81 = 19:26:24) and an empty JD.
  Open(0);
  EXPECT_EQ(Edit("Edit15")->text(), "");
  EXPECT_EQ(Edit("Edit1")->text(), "1957");
  EXPECT_EQ(Edit("Edit2")->text(), "10");
  EXPECT_EQ(Edit("Edit3")->text(), "4");
  EXPECT_EQ(Edit("Edit4")->text(), "19");
  EXPECT_EQ(Edit("Edit5")->text(), "26");
  EXPECT_EQ(Edit("Edit6")->text(), "24");
}

TEST_F(SettingsDialogTest, DegreesAndMinutesAndPlaceByName) {
  Open(2);
  Edit("Edit8")->setText("Okänd ort");
  Edit("Edit9")->setText("59,20");
  Edit("Edit10")->setText("18.03");  // a point is read too
  Click("OkButton");
  EXPECT_NEAR(state_.Latitude, 59.333333333333333, 1e-12);
  EXPECT_NEAR(state_.Longitude, 18.05, 1e-12);
  EXPECT_EQ(Find<QLabel>("Label14")->text(), "Tidzon   ");

  Open(2);
  Edit("Edit8")->setText("Kiruna");
  Edit("Edit9")->setText("10,00");
  Edit("Edit10")->setText("10,00");
  Click("OkButton");
  EXPECT_NEAR(state_.Latitude, 67.85, 1e-12);
  EXPECT_NEAR(state_.Longitude, 20.0 + 13.0 / 60.0, 1e-12);
  EXPECT_EQ(state_.PlaceName, "Kiruna                        ");
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

  std::vector<QString> called;
  std::vector<QString> signalled;
  dialog_->SetHelpCallback([&](QString context) { called.push_back(context); });
  QObject::connect(dialog_.get(), &TMultPageDlg::HelpRequested,
                   [&](QString context) { signalled.push_back(context); });
  const QStringList contexts = {"HVHELP.XAN_269", "HVHELP.XAN_270", "HVHELP.XAN_271",
                                "HVHELP.XAN_272", "HVHELP.XAN_273", "HVHELP.XAN_274",
                                "HVHELP.XAN_291"};
  for (int page = 0; page < 7; ++page) {
    Open(page);
    Click("HelpButton");
    EXPECT_TRUE(dialog_->isVisible());
  }
  ASSERT_EQ(called.size(), 7u);
  ASSERT_EQ(signalled.size(), 7u);
  for (int page = 0; page < 7; ++page) {
    EXPECT_EQ(called[page], contexts[page]);
    EXPECT_EQ(signalled[page], contexts[page]);
  }
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
