// The window "Solförmörkelser": the solar eclipses of the year of the clock reading, their
// central lines on a world map, and a click on the map to choose the site.
#pragma once

#include <array>
#include <vector>

#include "earth/geo_files.h"
#include "eclipses/eclipse_draw.h"
#include "shell/child_window.h"

class QLabel;
class QRadioButton;
class QTimer;

namespace himlavy {

class TSolarEclipsesWindow : public TChildWindow {
  Q_OBJECT

 public:
  TSolarEclipsesWindow(TObsState& state, const std::filesystem::path& dataDir,
                       QWidget* parent = nullptr);

  const TSolarEclipsesReport& Report() const { return report_; }
  QRadioButton* RowButton(int k) const { return rowButtons_[static_cast<std::size_t>(k)]; }
  QLabel* TitleLabel() const { return titleLabel_; }
  QLabel* PlaceLabel() const { return placeLabel_; }
  QLabel* CountryLabel() const { return countryLabel_; }
  QLabel* NamePanel() const { return namePanel_; }

  // The mouse on the client area, as the events give it (public for tests).
  void MapMouseDown(int x, int y);
  void MapMouseMove(int x, int y);
  // The radio button of row k (0-based).
  void SetDataFromRow(int k);

 protected:
  void Recompute() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void LoadGeography();
  void DrawAll();

  std::array<QRadioButton*, kMaxSolarEclipseRows> rowButtons_{};
  QLabel* titleLabel_ = nullptr;
  QLabel* placeLabel_ = nullptr;
  QLabel* countryLabel_ = nullptr;
  QLabel* namePanel_ = nullptr;
  QTimer* markerTimer_ = nullptr;
  TSolarEclipsesReport report_;
  bool geographyLoaded_ = false;
  std::vector<TMapPoint> coastlines_;
  std::vector<TPlaceEntry> places_;
  std::vector<TCountryEntry> countries_;
  std::vector<TPlaceHit> placeHits_;
};

}  // namespace himlavy
