// The window "Bankalkylering": its fixed texts, "Beräkna" on the example file and on a bad one,
// "Spara" and "Kopiera".
#include "orbit/orbit_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>

#include "common/frame_windows.h"
#include "common/scratch_dir.h"
#include "shell/message_dialog.h"

namespace himlavy {
namespace {

TEST(OrbitWindow, ComputesSavesAndCopies) {
  testing::EnsureApplication();
  const testing::ScratchDir dir;
  for (const char* name : {"observ.dta", "komet.dta"}) {
    std::filesystem::copy_file(testing::DataFolder() / name, dir / name);
  }
  const std::string comets = dir.Read("komet.dta");
  std::vector<QString> messages;
  SetMessageHook([&](const QString& text) { messages.push_back(text); });
  TObsState state;
  const auto frame = testing::ShownFrame(state, dir.Path());
  auto* window = testing::OpenIn<TOrbitWindow>(*frame, TWindowKind::Orbit);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Bankalkylering"));
  EXPECT_EQ(window->geometry(), QRect(4, 73, 743, 347));
  EXPECT_EQ(window->findChild<QLabel*>(QStringLiteral("Label3"))->text(),
            QStringLiteral("åååå mm dd hh.hhh  hh mm ss.ss ±gg mm ss.s  åååå.å"));
  EXPECT_EQ(window->findChild<QLabel*>(QStringLiteral("Label5"))->text(),
            QStringLiteral("Namn                          T0             q (a.e.)  e         "
                           "i (°)     Om (°)    w (°)     epok"));
  const QList<QAction*> edit = window->MenuBar()->actions().first()->menu()->actions();
  ASSERT_EQ(edit.size(), 3);
  EXPECT_EQ(edit[2]->text(), QStringLiteral("Klistra in\tCtrl+V"));
  EXPECT_TRUE(window->ObservationBox()->toPlainText().startsWith("C/1996 B2 (Hyakutake)\n1996"));

  // Hyakutake passed perihelion on 1996 May 1.39.
  window->ComputeButton()->click();
  const QString line = window->ResultField()->text();
  EXPECT_TRUE(line.startsWith(QStringLiteral("C/1996 B2 (Hyakutake)         19960501.3")))
      << line.toStdString();
  EXPECT_TRUE(messages.empty());

  // "Kopiera" appends the line; "Spara" writes the text box; "Beräkna" reads the file.
  EXPECT_TRUE(window->CopyToCometFile());
  EXPECT_EQ(state.RedrawChart, 1);
  EXPECT_EQ(dir.Read("komet.dta"), comets + line.toStdString() + "\r\n");
  window->ObservationBox()->setPlainText(
      QStringLiteral("Test\n2000 1 1 0 1 2 3 4 5 6 2000\n2000 1 2 0 1 2 3 4 5 6 x\n2000 1 3 0 1 2 "
                     "3 4 5 6 2000\n"));
  window->SaveButton()->click();
  EXPECT_EQ(
      dir.Read("observ.dta"),
      "Test\r\n2000 1 1 0 1 2 3 4 5 6 2000\r\n2000 1 2 0 1 2 3 4 5 6 x\r\n2000 1 3 0 1 2 3 4 5 6 "
      "2000\r\n");
  window->ComputeButton()->click();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].toStdString(), "Rad 3 i observ.dta: epoken är inte ett tal: 'x'");
  EXPECT_TRUE(window->ResultField()->text().isEmpty());
  SetMessageHook({});
}

}  // namespace
}  // namespace himlavy
