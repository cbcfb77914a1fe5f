// The Earth views' windows: "Jorden" (the globe on which the observing site is picked),
// "Solens läge" and "Dag/natt-linje".
#pragma once

#include <vector>

#include "earth/earth_centre_draw.h"
#include "earth/earth_site.h"
#include "shell/child_window.h"

class QLabel;
class QPlainTextEdit;

namespace himlavy {

class TEarthWindow : public TChildWindow {
  Q_OBJECT

 public:
  TEarthWindow(TObsState& state, const std::filesystem::path& dataDir, QWidget* parent = nullptr);

  // The three text boxes: place and country, latitude and longitude, time zone.
  QPlainTextEdit* PlaceMemo() const { return placeMemo_; }
  QPlainTextEdit* CoordinatesMemo() const { return coordinatesMemo_; }
  QPlainTextEdit* ZoneMemo() const { return zoneMemo_; }
  // The name of the place under the mouse.
  QLabel* PlaceNamePanel() const { return placeNamePanel_; }

  // The mouse on the client area (public for tests).
  void LeftClick(int x, int y);
  void MouseMove(int x, int y);

 protected:
  void Recompute() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QPlainTextEdit* placeMemo_ = nullptr;
  QPlainTextEdit* coordinatesMemo_ = nullptr;
  QPlainTextEdit* zoneMemo_ = nullptr;
  QLabel* placeNamePanel_ = nullptr;
  TPlaceHits hits_;
};

class TSunPositionWindow : public TChildWindow {
  Q_OBJECT

 public:
  TSunPositionWindow(TObsState& state, const std::filesystem::path& dataDir,
                     QWidget* parent = nullptr);

 protected:
  void Recompute() override;
};

class TDayNightWindow : public TChildWindow {
  Q_OBJECT

 public:
  TDayNightWindow(TObsState& state, const std::filesystem::path& dataDir,
                  QWidget* parent = nullptr);

 protected:
  void Recompute() override;
};

class TEarthCentreWindow : public TChildWindow {
  Q_OBJECT

 public:
  TEarthCentreWindow(TObsState& state, const std::filesystem::path& dataDir,
                     QWidget* parent = nullptr);

  // The name of the body under the mouse.
  QLabel* NamePanel() const { return namePanel_; }
  const TEarthCentrePoints& Points() const { return points_; }
  void MouseMove(int x, int y);

 protected:
  void Recompute() override;
  // While the increment runs: the Earth turned anew at the largest scales, and the Moon and
  // the satellites drawn over the picture, so that they leave trails.
  void FollowTick() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void LoadMap();
  QLabel* namePanel_ = nullptr;
  double pixelsPerAU_ = 0.0;  // 0 until a drawing in the equatorial system
  std::vector<TMapPoint> map_;
  bool mapRead_ = false;
  TEarthCentrePoints points_;
};

}  // namespace himlavy
