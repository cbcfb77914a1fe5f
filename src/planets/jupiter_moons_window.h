// The windows of Jupiter's large moons: "Jupiters månar sedda från jorden", the strip along
// Jupiter's equator as seen from the Earth, and "Jupiter i centrum", the moons and the probes
// about Jupiter in a pole-on and an edge-on panel at the sky chart's scale.
#pragma once

#include "planets/jupiter_moons_view.h"
#include "shell/child_window.h"

class QLabel;
class QPushButton;

namespace himlavy {

class TJupiterMoonsWindow : public TChildWindow {
  Q_OBJECT

 public:
  TJupiterMoonsWindow(TObsState& state, const std::filesystem::path& dataDir,
                      QWidget* parent = nullptr);

  QPushButton* MagnifyButton() const { return magnifyButton_; }
  QPushButton* RedrawButton() const { return redrawButton_; }
  QLabel* NamePanel() const { return namePanel_; }
  bool Magnified() const { return magnified_; }
  // The strip last drawn (empty bodies when the planetary series could not be read).
  const TJupiterMoonsStrip& Strip() const { return strip_; }

  // "&+/-": toggles the magnification and redraws.
  void ToggleMagnification();
  // The mouse at (x, y) of the client area: the name panel shows the body there.
  void FormMouseMove(int x, int y);

 protected:
  void Recompute() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QPushButton* magnifyButton_ = nullptr;
  QPushButton* redrawButton_ = nullptr;
  QLabel* namePanel_ = nullptr;
  bool magnified_ = false;
  TJupiterMoonsStrip strip_;
  bool hasStrip_ = false;  // the planetary series could be read for the last drawing
};

class TJupiterCentreWindow : public TChildWindow {
  Q_OBJECT

 public:
  TJupiterCentreWindow(TObsState& state, const std::filesystem::path& dataDir,
                       QWidget* parent = nullptr);

  QLabel* NamePanel() const { return namePanel_; }
  const TJupiterCentreView& View() const { return view_; }

  // The mouse at (x, y) of the client area: the name panel shows the body there.
  void FormMouseMove(int x, int y);

 protected:
  void Recompute() override;
  // While the time runs: the moons and the probes moved, over the last picture.
  void FollowTick() override;
  void FormShow() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QLabel* namePanel_ = nullptr;
  TJupiterCentreView view_;
};

}  // namespace himlavy
