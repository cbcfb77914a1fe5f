// The data-files window: loading, the line limit, saving, the unsaved-changes question, the
// search miss, the calculators and the catalog browsing.
#include "datafiles/datafiles_window.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <memory>

#include "common/frame_windows.h"
#include "common/scratch_dir.h"
#include "shell/message_dialog.h"

namespace himlavy {
namespace {
using namespace testing;

// A window over a scratch folder, with the messages it shows collected.
struct Fixture {
  Fixture() {
    EnsureApplication();
    window = std::make_unique<TDataFilesWindow>(state, dir.Path());
    window->show();
    SetMessageHook([this](const QString& text) { messages << text; });
  }
  ~Fixture() { SetMessageHook({}); }
  // Replaces the editor's text as typing does.
  void Edit(const QString& text) {
    window->Editor()->selectAll();
    window->Editor()->insertPlainText(text);
  }
  TObsState state;
  ScratchDir dir;
  std::unique_ptr<TDataFilesWindow> window;
  QStringList messages;
};
constexpr int kAsteroids1 = 0;
constexpr int kComets = 3;

std::string Lines(int count) {
  std::string bytes;
  for (int i = 1; i <= count; ++i) bytes += "Asteroid " + std::to_string(i) + "\r\n";
  return bytes;
}

TEST(DataFilesWindow, OpensFromTheMenuWithItsControls) {
  TObsState state;
  const auto frame = ShownFrame(state);
  auto* w = OpenIn<TDataFilesWindow>(*frame, TWindowKind::DataFiles);
  ASSERT_NE(w, nullptr);
  // Nothing is chosen yet.
  EXPECT_EQ(std::tuple(w->windowTitle(), w->geometry(), w->FileList()->count(),
                       w->FileList()->item(3)->text(), w->FileList()->currentRow(),
                       w->CountEdit()->text(), w->SaveButton()->isEnabled()),
            std::tuple("Datafiler", QRect(4, 73, 996, 530), 23, "Kometer, m.fl. ", -1, "   Antal",
                       false));
  QStringList items;
  for (QAction* action : w->EditMenu()->actions()) items << action->text();
  EXPECT_EQ(items, QStringList({"Klipp ut  Ctrl+X", "Kopiera  Ctrl+C", "Klistra in  Ctrl+V"}));
  // A catalog: its zone files, and a zone's lines with the record count.
  ASSERT_TRUE(w->ChooseItem(5));  // "BSC"
  EXPECT_TRUE(w->ZoneList()->isVisible());
  ASSERT_EQ(w->ZoneList()->count(), 50);
  EXPECT_EQ(w->ZoneList()->item(11)->text(), "12.dat");
  w->BrowseZone("12.dat");
  const QStringList lines = w->Editor()->toPlainText().split('\n');
  EXPECT_TRUE(lines.front().startsWith("172167 7001 18h36m56s   38°47'1\"  0.03"))
      << lines.front().toStdString();
  EXPECT_EQ(w->CountEdit()->text(), QString::number(lines.size()));
  EXPECT_TRUE(w->HeadingPanel()->text().startsWith("    HD   BS  R.A.2000  Dekl.2000"));
  EXPECT_FALSE(w->SaveButton()->isEnabled());
  // Quitting the program with unsaved edits asks too; "Avbryt" keeps it open.
  ASSERT_TRUE(w->ChooseItem(kComets));
  w->Editor()->insertPlainText("x");
  w->SetSaveQuestion([] { return TSaveAnswer::Cancel; });
  EXPECT_FALSE(frame->close());
  w->SetSaveQuestion([] { return TSaveAnswer::No; });
  EXPECT_TRUE(frame->close());
}

TEST(DataFilesWindow, MoreThan480LinesCannotBeSaved) {
  Fixture f;
  for (const auto& [count, tooMany] : {std::pair{481, true}, std::pair{480, false}}) {
    f.dir.Write("asteroid.dta", Lines(count));
    ASSERT_TRUE(f.window->ChooseItem(kAsteroids1));
    EXPECT_EQ(f.window->CountEdit()->text(), QString::number(count));
    EXPECT_EQ(f.window->WarningLabel()->text(), tooMany ? "För många rader!" : "");
    EXPECT_EQ(f.window->SaveButton()->isEnabled(), !tooMany);
    EXPECT_EQ(f.window->FileLabel()->text(), "asteroid.dta");
    ASSERT_TRUE(f.window->ChooseItem(22));  // the blank item
  }
  f.window->ChooseItem(kComets);  // komet.dta is missing
  EXPECT_EQ(f.messages, QStringList{"Cannot open file komet.dta"});
  EXPECT_FALSE(f.window->SaveButton()->isEnabled());
}

TEST(DataFilesWindow, SavesByteForByteAndKeepsTheFileWhenSavingFails) {
  Fixture f;
  const std::string original = "Halley \xe5\xe4\xf6\r\n1P\r\n";  // Windows-1252, CRLF
  f.dir.Write("komet.dta", original);
  ASSERT_TRUE(f.window->ChooseItem(kComets));
  EXPECT_EQ(f.window->Editor()->toPlainText(), "Halley åäö\n1P");
  ASSERT_TRUE(f.window->Save());
  EXPECT_EQ(f.dir.Read("komet.dta"), original);
  EXPECT_EQ(f.window->FileLabel()->text(), "Sparat");
  f.Edit("Halley åäö\n1P\nEncke");
  ASSERT_TRUE(f.window->Save());
  EXPECT_EQ(f.dir.Read("komet.dta"), "Halley \xe5\xe4\xf6\r\n1P\r\nEncke\r\n");
  // A character Windows-1252 lacks, then a read-only file: the messages, the file and the edit
  // kept.
  f.Edit("Łódź");
  EXPECT_FALSE(f.window->Save());
  chmod((f.dir / "komet.dta").c_str(), 0444);
  f.Edit("Tempel");
  EXPECT_FALSE(f.window->Save());
  EXPECT_EQ(f.dir.Read("komet.dta"), "Halley \xe5\xe4\xf6\r\n1P\r\nEncke\r\n");
  ASSERT_EQ(f.messages.size(), 2);
  EXPECT_TRUE(f.messages[0].startsWith("Tecknet \"Ł\"")) << f.messages[0].toStdString();
  EXPECT_TRUE(f.messages[1].startsWith("Kunde inte spara komet.dta: "))
      << f.messages[1].toStdString();
  EXPECT_TRUE(f.window->HasUnsavedChanges());
}

TEST(DataFilesWindow, AsksBeforeDroppingUnsavedChanges) {
  Fixture f;
  f.dir.Write("asteroid.dta", "Ceres\r\n");
  f.dir.Write("komet.dta", "Halley\r\n");
  TSaveAnswer answer = TSaveAnswer::Cancel;
  int asked = 0;
  f.window->SetSaveQuestion([&] { return ++asked, answer; });
  ASSERT_TRUE(f.window->ChooseItem(kAsteroids1));
  ASSERT_TRUE(f.window->ChooseItem(kComets));  // nothing changed: no question
  EXPECT_EQ(asked, 0);
  f.Edit("Halley\nEncke");
  f.window->FileList()->setCurrentRow(kAsteroids1);  // Avbryt: the comets and the edit stay
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(f.window->FileList()->currentRow(), kComets);
  EXPECT_EQ(f.window->Editor()->toPlainText(), "Halley\nEncke");
  EXPECT_FALSE(f.window->close());
  answer = TSaveAnswer::No;  // Nej: switches, the file stays as it was
  EXPECT_TRUE(f.window->ChooseItem(kAsteroids1));
  EXPECT_EQ(f.dir.Read("komet.dta"), "Halley\r\n");
  EXPECT_EQ(f.window->Editor()->toPlainText(), "Ceres");
  f.Edit("Ceres\nPallas");
  answer = TSaveAnswer::Yes;  // Ja on closing: saved, then closed
  EXPECT_TRUE(f.window.release()->close());
  EXPECT_EQ(f.dir.Read("asteroid.dta"), "Ceres\r\nPallas\r\n");
  EXPECT_EQ(asked, 4);
}

TEST(DataFilesWindow, SearchCalculatorsAndTheirMessages) {
  Fixture f;
  ScopedLocale swedish{QLocale(QLocale::Swedish, QLocale::Sweden)};
  f.dir.Write("komet.dta", "Halley\r\nEncke\r\n");
  ASSERT_TRUE(f.window->ChooseItem(kComets));
  EXPECT_TRUE(f.window->FindNext("encke", {}));
  EXPECT_EQ(f.window->Editor()->textCursor().selectedText(), "Encke");
  EXPECT_FALSE(f.window->FindNext("Halley", {}));  // down from the match: none
  f.window->CalculatorEdit(TCalculator::AuToKm)->setText("1");
  f.window->CalculateButton(TCalculator::AuToKm)->click();
  EXPECT_EQ(f.window->CalculatorEdit(TCalculator::AuToKm)->text(), "149597870,0000 km");
  f.window->CalculateButton(TCalculator::AuToKm)->click();  // the result is not a number
  EXPECT_EQ(f.window->CalculatorEdit(TCalculator::AuToKm)->text(), "149597870,0000 km");
  f.window->ClearButton(TCalculator::AuToKm)->click();
  EXPECT_EQ(f.window->CalculatorEdit(TCalculator::AuToKm)->text(), "");
  EXPECT_EQ(f.messages, QStringList({"Hittar inte \"Halley\".",
                                     "'149597870,0000 km' is not a valid floating point value"}));
}

}  // namespace
}  // namespace himlavy
